#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/LeadByteSet.h"

namespace tarvel {

// What the store remembers of a file to see whether another program changed
// it: its size and its modification time in the platform's finest unit.
struct FileState {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    bool operator==(const FileState& other) const { return size == other.size && modified == other.modified; }
    bool operator!=(const FileState& other) const { return !(*this == other); }
};

// Which file a path names, however the path is spelt, and how many names
// (hard links) the file has.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    unsigned long links = 1;
};

// Where a path leads and how many names (hard links) the file there has.
struct FileTarget {
    std::string path;
    unsigned long links = 1;
};

// A file open for writing. Calls return 0 on success, else the error code;
// the destructor closes a file still open without reporting.
class WritableFile {
public:
    virtual ~WritableFile() = default;
    // Reads the whole file from its start and leaves the position there.
    virtual unsigned long ReadAll(std::string& bytes) = 0;
    // Writes at the current position, all of the bytes or fails.
    virtual unsigned long Write(std::string_view bytes) = 0;
    virtual unsigned long Flush() = 0;
    // Makes the file this long with its room on disk taken, leaving its
    // bytes as they are: a full disk shows here, before any byte changes.
    virtual unsigned long Reserve(std::uint64_t size) = 0;
    // Sets the file's final length.
    virtual unsigned long Truncate(std::uint64_t size) = 0;
    virtual unsigned long Close() = 0;
};

// The store's only way to the file system. Error codes are the platform's
// own (Windows error codes on Win32, errno natively) except where noted.
// Paths of any length are taken; a path through a symbolic link or junction
// reaches the file it leads to.
class FilePort {
public:
    virtual ~FilePort() = default;

    virtual bool Exists(const std::string& path) = 0;
    // Creates an empty file; 0 on success, else the error code.
    virtual unsigned long CreateEmpty(const std::string& path) = 0;
    // Makes the file readable and writable; 0 on success, else a C runtime
    // errno value (2 not found, 22 invalid argument).
    virtual int MakeWritable(const std::string& path) = 0;
    // Reads the whole file, held open without sharing; 0 on success, else the error code.
    virtual unsigned long ReadAll(const std::string& path, std::string& bytes) = 0;
    // The same, with the file's state as it was read: nothing can change it
    // between the two while the file is held.
    virtual unsigned long ReadWithState(const std::string& path, std::string& bytes, FileState& state) = 0;
    // The size and modification time of an existing file, without reading it.
    virtual std::optional<FileState> StateOf(const std::string& path) = 0;
    // Slower than the other questions where the volume takes a query of its own.
    virtual std::optional<FileIdentity> IdentityOf(const std::string& path) = 0;
    // The path of the file that a link at the path leads to, through every
    // link; the path itself when it is no link (or leads nowhere); empty when
    // it leads to a file whose path the ANSI code page cannot spell. With it
    // the file's number of names, 1 when there is no file.
    virtual FileTarget TargetOf(const std::string& path) = 0;

    // Creates a new file that must not exist yet, with the attributes,
    // permissions and access list of the model file if there is one; 0 on
    // success.
    virtual unsigned long CreateNew(const std::string& path, const std::string& model,
                                    std::unique_ptr<WritableFile>& file) = 0;
    // Opens an existing file for reading and writing, at its start, without
    // truncating it, shared with every other program that holds it.
    virtual unsigned long OpenExisting(const std::string& path, std::unique_ptr<WritableFile>& file) = 0;
    // Puts the replacement in the path's place atomically.
    virtual unsigned long Replace(const std::string& replacement, const std::string& path) = 0;
    virtual unsigned long Remove(const std::string& path) = 0;
    // Copies a file, replacing the copy's path if it exists.
    virtual unsigned long Copy(const std::string& from, const std::string& to) = 0;
    // The names, with the directory, of the files in the directory whose
    // names end with the suffix and that were last written at least the given
    // number of seconds ago.
    virtual std::vector<std::string> StaleFiles(const std::string& directory, const std::string& suffix,
                                                int seconds) = 0;
    // The same whatever their age.
    virtual std::vector<std::string> FilesEndingWith(const std::string& directory, const std::string& suffix) = 0;
    // The user's folder for temporary files, ending with a separator; empty
    // when there is none.
    virtual std::string TemporaryFolder() = 0;
    // A number that no other running process uses, for unique file names.
    virtual unsigned long ProcessId() = 0;

    // The system's message text for an error code, if it has one.
    virtual std::optional<std::string> SystemErrorText(unsigned long code) = 0;
    // The lead bytes of the ANSI code page that file names and texts are in.
    virtual LeadByteSet AnsiLeadBytes() = 0;
};

}  // namespace tarvel
