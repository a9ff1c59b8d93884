#pragma once

#include "store/FilePort.h"

namespace tarvel {

// The file port of the native build, on POSIX calls. Error codes are errno values.
class PosixFilePort : public FilePort {
public:
    bool Exists(const std::string& path) override;
    unsigned long CreateEmpty(const std::string& path) override;
    int MakeWritable(const std::string& path) override;
    unsigned long ReadAll(const std::string& path, std::string& bytes) override;
    unsigned long ReadWithState(const std::string& path, std::string& bytes, FileState& state) override;
    std::optional<FileState> StateOf(const std::string& path) override;
    std::optional<FileIdentity> IdentityOf(const std::string& path) override;
    FileTarget TargetOf(const std::string& path) override;
    unsigned long CreateNew(const std::string& path, const std::string& model,
                            std::unique_ptr<WritableFile>& file) override;
    unsigned long OpenExisting(const std::string& path, std::unique_ptr<WritableFile>& file) override;
    unsigned long Replace(const std::string& replacement, const std::string& path) override;
    unsigned long Remove(const std::string& path) override;
    unsigned long Copy(const std::string& from, const std::string& to) override;
    std::vector<std::string> StaleFiles(const std::string& directory, const std::string& suffix,
                                        int seconds) override;
    std::vector<std::string> FilesEndingWith(const std::string& directory, const std::string& suffix) override;
    std::string TemporaryFolder() override;
    unsigned long ProcessId() override;
    std::optional<std::string> SystemErrorText(unsigned long code) override;
    // Native texts are not read in a double-byte ANSI code page.
    LeadByteSet AnsiLeadBytes() override { return {}; }
};

}  // namespace tarvel
