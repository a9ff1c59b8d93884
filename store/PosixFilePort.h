#pragma once

#include "store/FilePort.h"

// The file port of the native build, on POSIX calls. Error codes are errno values.
class PosixFilePort : public FilePort {
public:
    bool Exists(const std::string& path) override;
    unsigned long CreateEmpty(const std::string& path) override;
    int MakeWritable(const std::string& path) override;
    unsigned long ReadAll(const std::string& path, std::string& bytes) override;
    WriteResult ReplaceContents(const std::string& path, const std::string& bytes) override;
    std::optional<std::string> SystemErrorText(unsigned long code) override;
};
