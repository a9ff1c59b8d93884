#pragma once

#include "store/FilePort.h"

// The file port of the Windows build. Error codes are Windows error codes,
// except makeWritable's C runtime errno values.
class Win32FilePort : public FilePort {
public:
    bool Exists(const std::string& path) override;
    unsigned long CreateEmpty(const std::string& path) override;
    int MakeWritable(const std::string& path) override;
    unsigned long ReadAll(const std::string& path, std::string& bytes) override;
    WriteResult ReplaceContents(const std::string& path, const std::string& bytes) override;
    std::optional<std::string> SystemErrorText(unsigned long code) override;
};
