#pragma once

#include "store/FilePort.h"

// The file port of the Windows build. Error codes are Windows error codes,
// except makeWritable's C runtime errno values.
class Win32FilePort : public FilePort {
public:
    bool exists(const std::string& path) override;
    unsigned long createEmpty(const std::string& path) override;
    int makeWritable(const std::string& path) override;
    unsigned long readAll(const std::string& path, std::string& bytes) override;
    WriteResult replaceContents(const std::string& path, const std::string& bytes) override;
    std::optional<std::string> systemErrorText(unsigned long code) override;
};
