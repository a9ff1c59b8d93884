#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/AutotextEntry.h"
#include "store/FilePort.h"
#include "store/Reporter.h"
#include "store/TemplateLanguage.h"
#include "store/TextBuffer.h"
#include "store/TreeSink.h"

namespace tarvel {

// The eight template files of one template directory: loading them into the
// tree, and saving the tree's entries back. Failures are shown through the
// reporter; a failed language is skipped, and a save tells whether every
// file it had to write was written. What the store saw of each file when it
// read or last wrote it tells a change by another program: its size and time,
// and where they are the same, a fingerprint of its bytes. Opening a file
// first settles what a save that died while writing it left (SaveJournal).
class TemplateStore {
public:
    // The entries under each language root, in tree order.
    using LanguageEntries = std::array<std::vector<AutotextEntry*>, TemplateLanguage::kCount>;

    // The directory is used verbatim: file names are appended to it directly.
    TemplateStore(std::string directory, FilePort& files, Reporter& reporter);

    std::string TemplatePath(int language) const;

    void LoadLanguageTemplates(int language, TreeSink& sink);

    // True when every file was written; a file kept as it was because it
    // could not be read counts as written unless the user gave it entries.
    bool SaveAllTemplates(const LanguageEntries& entries);
    bool WriteTemplateFile(const std::string& path, const std::string& text);

    // Whether file bytes are in the older layout, with a "caretPosChar:" header.
    static bool IsLegacyFormat(std::string_view bytes) { return FormatOf(bytes) == kLegacyFormat; }

private:
    enum Format { kUnreadable = -1, kLegacyFormat = 0, kCurrentFormat = 1 };

    // What the store knows of one template file in this session.
    struct FileRecord {
        enum class Kept { No, Unread, NoEntryRead };
        // Loaded or saved: the state below is the reference for changes.
        bool known = false;
        // At opening or at the last save; none when the file was missing.
        std::optional<FileState> state;
        // The bytes read, or a fingerprint of those last written: they tell
        // a change that kept the size and the time.
        std::shared_ptr<const std::string> bytesRead;
        std::optional<std::uint64_t> fingerprint;
        Kept kept = Kept::No;
        // Reading dropped text: the first save keeps the file as read beside it.
        bool backupDue = false;
    };

    static int FormatOf(std::string_view bytes);
    void ReadLanguage(int language, const std::string& path, TreeSink& sink, FileRecord& record);
    bool RecoverInterruptedSave(const std::string& path);
    // The bytes read back to tell a change go into the room given.
    bool ChangedSince(const std::string& path, const FileRecord& record, std::string& bytes);
    bool SaveLanguage(const std::vector<AutotextEntry*>& entries, const std::string& path, TextBuffer& text,
                      std::string& seen);
    bool WriteLanguageFile(const std::string& path, std::string_view text, std::string& seen);
    bool ReadBytes(const std::string& path, std::string& bytes, FileState* state = nullptr);
    void ReportReadError(const std::string& path, unsigned long error);
    bool MayReplace(const std::string& path, const FileRecord& record, std::string& seen);
    bool EnsureWritableFile(const std::string& path);
    bool KeepBackup(const std::string& path);
    void SweepLeftovers();
    bool IsOwnTemporary(const std::string& path) const;
    std::string SystemErrorText(unsigned long code);
    void ReportError(const char* pattern, const std::string& path, MessageIcon icon = MessageIcon::Error);

    std::string directory_;
    FilePort& files_;
    Reporter& reporter_;
    LeadByteSet leadBytes_;
    std::map<std::string, FileRecord> records_;
};

}  // namespace tarvel
