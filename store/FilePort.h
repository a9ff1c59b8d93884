#pragma once

#include <optional>
#include <string>

// The store's only way to the file system. Error codes are the platform's
// own (Windows error codes on Win32, errno natively) except where noted.
class FilePort {
public:
    // Where a replaceContents call failed.
    enum class WriteStage { None, Open, Write, Replace };
    struct WriteResult {
        WriteStage failedAt = WriteStage::None;
        unsigned long error = 0;
        bool Succeeded() const { return failedAt == WriteStage::None; }
    };

    virtual ~FilePort() = default;

    virtual bool Exists(const std::string& path) = 0;
    // Creates an empty file; 0 on success, else the error code.
    virtual unsigned long CreateEmpty(const std::string& path) = 0;
    // Makes the file readable and writable; 0 on success, else a C runtime
    // errno value (2 not found, 22 invalid argument).
    virtual int MakeWritable(const std::string& path) = 0;
    // Reads the whole file, held open without sharing; 0 on success, else the error code.
    virtual unsigned long ReadAll(const std::string& path, std::string& bytes) = 0;
    // Writes the bytes to a temporary file beside the path, flushes it and puts
    // it in place atomically. On failure the old file is untouched and no
    // temporary file is left behind.
    virtual WriteResult ReplaceContents(const std::string& path, const std::string& bytes) = 0;
    // The system's message text for an error code, if it has one.
    virtual std::optional<std::string> SystemErrorText(unsigned long code) = 0;
};
