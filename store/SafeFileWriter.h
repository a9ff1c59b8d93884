#pragma once

#include <string>
#include <string_view>

#include "store/FilePort.h"

namespace tarvel {

// Writes a file's new text so that a failure leaves the old text whole: into
// a temporary file beside it that then replaces it atomically. Where the
// replace is refused (a file that another program holds open for writing but
// not for deleting, a directory where no file can be created), and for a file
// with more than one name (hard links), which must keep being one file, the
// text is written into the file itself: its old bytes are first kept in a
// journal that a later opening finds (see SaveJournal), and its room on disk
// is taken before the first byte changes; a failure puts the old bytes back.
// A link is written through: the file it leads to gets the text and the link
// stays.
class SafeFileWriter {
public:
    // Where a write failed.
    enum class Stage {
        None,
        CreateTemporary,
        Write,
        Flush,
        Close,
        Replace,
        OpenInPlace,
        Reserve,
        WriteInPlace,
        Truncate,
        FlushInPlace,
        CloseInPlace,
        ReadInPlace,
        CreateJournal,
        WriteJournal,
        FlushJournal,
        CloseJournal,
        RemoveJournal,
    };
    struct Result {
        Stage failedAt = Stage::None;
        unsigned long error = 0;
        bool Succeeded() const { return failedAt == Stage::None; }
    };

    // Temporary files end with this; a crashed save leaves them behind.
    static constexpr const char* kTemporarySuffix = ".~tv";

    explicit SafeFileWriter(FilePort& files) : files_(files) {}

    // Whether a file name is one this writer gives a temporary file beside
    // the file of the target name: the name, a dot, process and attempt
    // numbers joined by a dash, and the suffix.
    static bool IsTemporaryNameFor(std::string_view name, std::string_view targetName);

    Result Write(const std::string& path, std::string_view bytes);
    // Writes the bytes into the file itself, unguarded: for callers that
    // keep the old bytes themselves.
    Result Overwrite(const std::string& target, std::string_view bytes);

private:
    // A name beside the target that no other save, in this process or
    // another, uses.
    std::string TemporaryNameFor(const std::string& target);
    Result WriteInPlace(const std::string& target, std::string_view bytes);

    FilePort& files_;
};

}  // namespace tarvel
