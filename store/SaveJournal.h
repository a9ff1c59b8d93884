#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/FilePort.h"
#include "store/SafeFileWriter.h"

namespace tarvel {

// Keeps a file's old bytes while its new text is written into the file
// itself, so that a crash half way leaves it recoverable: the next opening
// finds the journal and puts the old text back into a file that is neither
// text. The journal stands beside the file, or in the user's temporary folder
// when the file's folder takes no new file; it is removed once the new text
// is whole and flushed.
class SaveJournal {
public:
    static constexpr const char* kSuffix = ".~tvj";

    enum class Recovery {
        // No journal, or one that showed the file whole and is gone now.
        None,
        // The file held part of an unfinished write: its old text is back.
        Restored,
        // The file may hold part of an unfinished write and could not be
        // put right; the journal stays.
        Failed,
    };
    struct Outcome {
        Recovery recovery = Recovery::None;
        std::string journal;
        unsigned long error = 0;
    };

    explicit SaveJournal(FilePort& files) : files_(files) {}

    // Keeps the old bytes, with the length and fingerprint of the new ones,
    // and flushes them; the file must not change before this succeeded.
    SafeFileWriter::Result Keep(const std::string& target, std::string_view oldBytes, std::string_view newBytes);
    // Removes the file's journal wherever it stands; what cannot be removed
    // is settled by the next opening.
    void Discard(const std::string& target);
    // Removes the journal beside a file that was just replaced by a new one.
    // That is the only one that could be taken for it: one in the temporary
    // folder is named after the identity of the file it kept, which the new
    // file does not share, and looking there costs a listing of the folder.
    void DiscardBeside(const std::string& target);
    // Settles the journal of the file at the path, before the file is read.
    Outcome Recover(const std::string& path);

private:
    // Where the file's journal may stand, in the order they are tried; for
    // looking, the temporary folder only when a journal stands there at all.
    std::vector<std::string> PlacesFor(const std::string& target, bool writing);
    bool AnyJournalIn(const std::string& folder);
    SafeFileWriter::Result WriteAt(const std::string& name, std::string_view header, std::string_view oldBytes);
    Outcome Settle(const std::string& name, const std::string& target);

    FilePort& files_;
};

}  // namespace tarvel
