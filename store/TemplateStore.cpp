#include "store/TemplateStore.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "store/ByteSearch.h"
#include "store/Fingerprint.h"
#include "store/LegacyTemplateReader.h"
#include "store/SafeFileWriter.h"
#include "store/SaveJournal.h"
#include "store/StoreTexts.h"
#include "store/TemplateReader.h"
#include "store/TemplateWriter.h"
#include "store/TextRules.h"

namespace tarvel {

namespace {
constexpr int kErrorNotFound = 2;
constexpr int kErrorInvalidArgument = 22;
// A save takes well under a minute: an older temporary file of ours is the
// leftover of a save that crashed.
constexpr int kLeftoverAgeSeconds = 60;
constexpr const char* kBackupSuffix = ".bak";

std::string DirectoryPartOf(const std::string& path) {
    const auto end = path.find_last_of("\\/:");
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

std::string NamePartOf(const std::string& path) { return path.substr(DirectoryPartOf(path).size()); }

// A file holds text when anything but white space follows its byte order mark.
bool HoldsText(std::string_view bytes) {
    if (TextRules::StartsWithByteOrderMark(bytes))
        bytes.remove_prefix(TextRules::kByteOrderMark.size());
    return !TextRules::TrimmedView(bytes).empty();
}

// Holds a file's items until the whole file is known to be in the current
// format; a legacy header on its last line still hands it to the other reader.
class HeldItems : public TreeSink {
public:
    // Room for the items of a usual file of that size, a record being some
    // lines long; a hint only, so it is capped.
    explicit HeldItems(std::size_t fileSize) { items_.reserve(std::min<std::size_t>(fileSize / 64, 1 << 16)); }

    void AppendItem(std::string_view label, std::unique_ptr<AutotextEntry> entry) override {
        items_.emplace_back(std::string(label), std::move(entry));
    }
    void PassTo(TreeSink& sink) {
        for (auto& [label, entry] : items_)
            sink.AppendItem(label, std::move(entry));
        items_.clear();
    }
    void Clear() { items_.clear(); }

private:
    std::vector<std::pair<std::string, std::unique_ptr<AutotextEntry>>> items_;
};

// Hands the items on and counts the entries among them.
class CountedItems : public TreeSink {
public:
    explicit CountedItems(TreeSink& sink) : sink_(sink) {}
    void AppendItem(std::string_view label, std::unique_ptr<AutotextEntry> entry) override {
        entries_ += entry != nullptr ? 1 : 0;
        sink_.AppendItem(label, std::move(entry));
    }
    std::size_t Entries() const { return entries_; }
    void Clear() { entries_ = 0; }

private:
    TreeSink& sink_;
    std::size_t entries_ = 0;
};

// Only bytes that hold the legacy header somewhere can turn out to be legacy.
// The search goes from one "P", which code holds seldom, to the next.
bool MayBeLegacy(std::string_view bytes) {
    constexpr auto kLead = TextRules::kLegacyHeader.find('P');
    for (auto at = FindByte(bytes, 'P', kLead); at != std::string_view::npos; at = FindByte(bytes, 'P', at + 1))
        if (bytes.substr(at - kLead, TextRules::kLegacyHeader.size()) == TextRules::kLegacyHeader)
            return true;
    return false;
}

class DiscardedItems : public TreeSink {
public:
    void AppendItem(std::string_view, std::unique_ptr<AutotextEntry>) override {}
};
}  // namespace

TemplateStore::TemplateStore(std::string directory, FilePort& files, Reporter& reporter)
    : directory_(std::move(directory)), files_(files), reporter_(reporter), leadBytes_(files.AnsiLeadBytes()) {}

std::string TemplateStore::TemplatePath(int language) const {
    return directory_ + TemplateLanguage::At(language).fileName;
}

void TemplateStore::LoadLanguageTemplates(int language, TreeSink& sink) {
    const auto path = TemplatePath(language);
    auto& record = records_[path];
    record = FileRecord{};
    if (!RecoverInterruptedSave(path)) {
        record.kept = FileRecord::Kept::Unread;
        return;
    }
    record.known = true;
    try {
        ReadLanguage(language, path, sink, record);
    } catch (const std::bad_alloc&) {
        record.kept = FileRecord::Kept::Unread;
        ReportError(StoreTexts::kOutOfMemory, path);
    }
}

// The file is read once for detection and reading alike; only when that read
// fails is it tried (and reported) a second time. Only a file that could not
// be read at all is kept out of the next save: one that the second try read
// shows its entries, and the user's edits of them must reach the disk. A file
// with text but no entry the readers could make of it is kept out too: saving
// the empty language would wipe what it holds. A missing file is no error:
// only a read that fails asks whether the file is there. The state comes with
// the bytes, from the one open that reads them.
void TemplateStore::ReadLanguage(int language, const std::string& path, TreeSink& sink, FileRecord& record) {
    auto source = std::make_shared<std::string>();
    std::string& bytes = *source;
    FileState state;
    const auto error = files_.ReadWithState(path, bytes, state);
    if (error != 0 && !files_.Exists(path))
        return;
    if (error != 0) {
        ReportReadError(path, error);
        if (!ReadBytes(path, bytes, &state)) {
            record.kept = FileRecord::Kept::Unread;
            return;
        }
    }
    record.state = state;
    // The entries borrow their texts from the bytes, which also tell a change
    // by another program at the next save.
    record.bytesRead = source;
    // Detecting the format and reading it are one pass over the lines. Items
    // of a file that may turn out to be legacy are held until it is known.
    const bool mayBeLegacy = MayBeLegacy(bytes);
    HeldItems held(mayBeLegacy ? bytes.size() : 0);
    CountedItems counted(mayBeLegacy ? static_cast<TreeSink&>(held) : sink);
    TemplateReader reader(language, counted, source);
    if (reader.ReadCurrentFormat(bytes)) {
        record.backupDue = reader.DroppedText();
    } else {
        held.Clear();
        counted.Clear();
        LegacyTemplateReader(counted, leadBytes_).Read(bytes);
        // The save rewrites it in the current format; the old file stays
        // beside it for whatever still reads the old one.
        record.backupDue = true;
    }
    if (counted.Entries() == 0 && HoldsText(bytes)) {
        record.kept = FileRecord::Kept::NoEntryRead;
        ReportError(StoreTexts::kNoEntryReadKept, path, MessageIcon::Exclamation);
        return;
    }
    held.PassTo(sink);
}

// The loading reader's own answer, so that detection and loading cannot
// disagree on where a block starts and ends.
int TemplateStore::FormatOf(std::string_view bytes) {
    if (bytes.empty())
        return kUnreadable;
    DiscardedItems discarded;
    return TemplateReader(0, discarded).ReadCurrentFormat(bytes) ? kCurrentFormat : kLegacyFormat;
}

bool TemplateStore::SaveAllTemplates(const LanguageEntries& entries) {
    SweepLeftovers();
    // One text's room serves every language in turn, and so does the room
    // of the bytes read back to tell a change: no new pages for every file.
    TextBuffer text;
    std::string seen;
    bool allWritten = true;
    for (int language = 0; language < TemplateLanguage::kCount; ++language) {
        if (!SaveLanguage(entries[language], TemplatePath(language), text, seen))
            allWritten = false;
    }
    return allWritten;
}

bool TemplateStore::SaveLanguage(const std::vector<AutotextEntry*>& entries, const std::string& path, TextBuffer& text,
                                 std::string& seen) {
    switch (records_[path].kept) {
        case FileRecord::Kept::Unread:
            ReportError(StoreTexts::kNotSavedUnread, path, MessageIcon::Exclamation);
            return entries.empty();
        case FileRecord::Kept::NoEntryRead:
            // The user was told at opening; only entries given to it since are lost.
            if (entries.empty())
                return true;
            ReportError(StoreTexts::kNotSavedNoEntryRead, path, MessageIcon::Exclamation);
            return false;
        case FileRecord::Kept::No:
            break;
    }
    // A file's whole text is built in memory first; without room for it
    // the file stays as it was and the other languages are still saved.
    try {
        TemplateWriter::FormatLanguageRecords(entries, text);
        return WriteLanguageFile(path, text.View(), seen);
    } catch (const std::bad_alloc&) {
        ReportError(StoreTexts::kNotSavedOutOfMemory, path);
        return false;
    }
}

bool TemplateStore::WriteTemplateFile(const std::string& path, const std::string& text) {
    std::string seen;
    return WriteLanguageFile(path, text, seen);
}

bool TemplateStore::WriteLanguageFile(const std::string& path, std::string_view text, std::string& seen) {
    auto& record = records_[path];
    if (!MayReplace(path, record, seen) || !EnsureWritableFile(path))
        return false;
    if (record.backupDue) {
        if (!KeepBackup(path))
            return false;
        // The backup holds the file as read; a save that fails after changing
        // bytes in place must not let the next one copy its remains over it.
        record.backupDue = false;
    }
    const auto result = SafeFileWriter(files_).Write(path, text);
    if (!result.Succeeded()) {
        const auto icon = result.failedAt == SafeFileWriter::Stage::OpenInPlace ? MessageIcon::Exclamation
                                                                                 : MessageIcon::Error;
        reporter_.Report(
            TextRules::Format(StoreTexts::kSaveFailed, path.c_str(), SystemErrorText(result.error).c_str()),
            StoreTexts::kCaption, icon);
        return false;
    }
    // What was written is the reference for the next save.
    record.known = true;
    record.state = files_.StateOf(path);
    record.fingerprint = LaneFingerprintOf(text);
    record.bytesRead.reset();
    return true;
}

std::string TemplateStore::SystemErrorText(unsigned long code) {
    if (auto text = files_.SystemErrorText(code)) {
        const auto cr = text->find('\r');
        if (cr != std::string::npos)
            text->resize(cr);
        return *text;
    }
    return TextRules::Format(StoreTexts::kUnknownError, static_cast<unsigned>(code), static_cast<int>(code & 0xFFFF));
}

bool TemplateStore::ReadBytes(const std::string& path, std::string& bytes, FileState* state) {
    const auto error = state != nullptr ? files_.ReadWithState(path, bytes, *state) : files_.ReadAll(path, bytes);
    if (error == 0)
        return true;
    ReportReadError(path, error);
    return false;
}

void TemplateStore::ReportReadError(const std::string& path, unsigned long error) {
    reporter_.Report(TextRules::Format(StoreTexts::kFileOpenFailed, path.c_str(), SystemErrorText(error).c_str()),
                     StoreTexts::kCaption, MessageIcon::Error);
}

// A file that another program changed, or created, since the editor read it
// is replaced only when the user says so.
bool TemplateStore::MayReplace(const std::string& path, const FileRecord& record, std::string& seen) {
    if (!record.known || !ChangedSince(path, record, seen))
        return true;
    return reporter_.Ask(TextRules::Format(StoreTexts::kChangedByAnotherProgram, path.c_str()), StoreTexts::kCaption,
                         MessageIcon::Exclamation);
}

// Size and time can stay the same through a change (a quick edit within the
// time's resolution, a program that sets the time back): the bytes tell,
// where the store knows them, and one read gives the state with them. A file
// that is gone is taken as unchanged, and so are the bytes of one that cannot
// be read now (another program holds it): its write fails anyway.
bool TemplateStore::ChangedSince(const std::string& path, const FileRecord& record, std::string& bytes) {
    FileState now;
    if ((!record.bytesRead && !record.fingerprint) || files_.ReadWithState(path, bytes, now) != 0) {
        const auto state = files_.StateOf(path);
        return state && state != record.state;
    }
    if (now != record.state)
        return true;
    return record.bytesRead ? bytes != *record.bytesRead : LaneFingerprintOf(bytes) != *record.fingerprint;
}

// A save that died while writing a file in place left a journal: the file's
// earlier text goes back before it is read. A file that cannot be put right
// is neither read nor saved, and its journal stays for the next opening.
bool TemplateStore::RecoverInterruptedSave(const std::string& path) {
    const auto outcome = SaveJournal(files_).Recover(path);
    switch (outcome.recovery) {
        case SaveJournal::Recovery::None:
            return true;
        case SaveJournal::Recovery::Restored:
            ReportError(StoreTexts::kRestoredAfterInterruptedSave, path, MessageIcon::Information);
            return true;
        case SaveJournal::Recovery::Failed:
            break;
    }
    reporter_.Report(TextRules::Format(StoreTexts::kNotRestored, path.c_str(), outcome.journal.c_str(),
                                       SystemErrorText(outcome.error).c_str()),
                     StoreTexts::kCaption, MessageIcon::Error);
    return false;
}

// Creates a missing file and clears a read-only attribute without asking.
bool TemplateStore::EnsureWritableFile(const std::string& path) {
    if (!files_.Exists(path)) {
        if (const auto error = files_.CreateEmpty(path)) {
            reporter_.Report(TextRules::Format(StoreTexts::kCreateFailed, static_cast<int>(error), path.c_str()),
                             StoreTexts::kCaption, MessageIcon::Error);
            return false;
        }
    }
    switch (files_.MakeWritable(path)) {
        case 0:
            return true;
        case kErrorNotFound:
            ReportError(StoreTexts::kChmodNotFound, path);
            return false;
        case kErrorInvalidArgument:
            ReportError(StoreTexts::kChmodInvalid, path);
            return false;
        default:
            ReportError(StoreTexts::kChmodUnexpected, path);
            return false;
    }
}

// One generation: the copy replaces an older one.
bool TemplateStore::KeepBackup(const std::string& path) {
    const auto backup = path + kBackupSuffix;
    const auto error = files_.Copy(path, backup);
    if (error == 0)
        return true;
    reporter_.Report(TextRules::Format(StoreTexts::kBackupFailed, path.c_str(), backup.c_str(),
                                       SystemErrorText(error).c_str()),
                     StoreTexts::kCaption, MessageIcon::Error);
    return false;
}

void TemplateStore::SweepLeftovers() {
    const auto directory = DirectoryPartOf(TemplatePath(0));
    for (const auto& stale : files_.StaleFiles(directory, SafeFileWriter::kTemporarySuffix, kLeftoverAgeSeconds))
        if (IsOwnTemporary(stale))
            files_.Remove(stale);
}

// Ours: named as the writer names a temporary file beside a template file.
// The listing's suffix match is not enough: on Windows it also finds names
// whose short form matches.
bool TemplateStore::IsOwnTemporary(const std::string& path) const {
    const auto name = NamePartOf(path);
    for (int language = 0; language < TemplateLanguage::kCount; ++language)
        if (SafeFileWriter::IsTemporaryNameFor(name, TemplateLanguage::At(language).fileName))
            return true;
    return false;
}

void TemplateStore::ReportError(const char* pattern, const std::string& path, MessageIcon icon) {
    reporter_.Report(TextRules::Format(pattern, path.c_str()), StoreTexts::kCaption, icon);
}

}  // namespace tarvel
