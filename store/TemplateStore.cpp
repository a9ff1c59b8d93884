#include "store/TemplateStore.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "store/LegacyTemplateReader.h"
#include "store/StoreTexts.h"
#include "store/TemplateReader.h"
#include "store/TemplateWriter.h"
#include "store/TextRules.h"

namespace {
constexpr int kErrorNotFound = 2;
constexpr int kErrorInvalidArgument = 22;
constexpr std::size_t kMaxFileErrorText = 1023;

// Holds a file's items until the whole file is known to be in the current
// format; a legacy header on its last line still hands it to the other reader.
class HeldItems : public TreeSink {
public:
    // Room for the items of a usual file of that size, a record being some
    // lines long; a hint only, so it is capped.
    explicit HeldItems(std::size_t fileSize) { items_.reserve(std::min<std::size_t>(fileSize / 64, 1 << 16)); }

    void AppendItem(const std::string& label, std::unique_ptr<AutotextEntry> entry) override {
        items_.emplace_back(label, std::move(entry));
    }
    void PassTo(TreeSink& sink) {
        for (auto& [label, entry] : items_)
            sink.AppendItem(label, std::move(entry));
        items_.clear();
    }

private:
    std::vector<std::pair<std::string, std::unique_ptr<AutotextEntry>>> items_;
};

class DiscardedItems : public TreeSink {
public:
    void AppendItem(const std::string&, std::unique_ptr<AutotextEntry>) override {}
};
}  // namespace

TemplateStore::TemplateStore(std::string directory, FilePort& files, Reporter& reporter)
    : directory_(std::move(directory)), files_(files), reporter_(reporter) {}

std::string TemplateStore::TemplatePath(int language) const {
    return directory_ + TemplateLanguage::At(language).fileName;
}

void TemplateStore::LoadLanguageTemplates(int language, TreeSink& sink) {
    const auto path = TemplatePath(language);
    unread_[language] = false;
    if (!files_.Exists(path))
        return;
    try {
        ReadLanguage(language, path, sink);
    } catch (const std::bad_alloc&) {
        unread_[language] = true;
        reporter_.Report(TextRules::Format(StoreTexts::kOutOfMemory, path.c_str()), StoreTexts::kCaption,
                         MessageIcon::Error);
    }
}

// The file is read once for detection and reading alike; only when that read
// fails is it tried (and reported) a second time. Only a file that could not
// be read at all is kept out of the next save: one that the second try read
// shows its entries, and the user's edits of them must reach the disk.
void TemplateStore::ReadLanguage(int language, const std::string& path, TreeSink& sink) {
    std::string bytes;
    if (!ReadBytes(path, bytes) && !ReadBytes(path, bytes)) {
        unread_[language] = true;
        return;
    }
    // Detecting the format and reading it are one pass over the lines.
    HeldItems held(bytes.size());
    if (TemplateReader(language, held).ReadCurrentFormat(bytes))
        held.PassTo(sink);
    else
        LegacyTemplateReader(sink).Read(bytes);
}

int TemplateStore::DetectTemplateFormat(const std::string& path) {
    std::string bytes;
    return ReadBytes(path, bytes) ? FormatOf(bytes) : kUnreadable;
}

// The loading reader's own answer, so that detection and loading cannot
// disagree on where a block starts and ends.
int TemplateStore::FormatOf(std::string_view bytes) {
    if (bytes.empty())
        return kUnreadable;
    DiscardedItems discarded;
    return TemplateReader(0, discarded).ReadCurrentFormat(bytes) ? kCurrentFormat : kLegacyFormat;
}

void TemplateStore::ReadTemplateFile(const std::string& path, int language, TreeSink& sink) {
    std::string bytes;
    if (ReadBytes(path, bytes))
        TemplateReader(language, sink).Read(bytes);
}

void TemplateStore::ReadLegacyTemplateFile(const std::string& path, TreeSink& sink) {
    std::string bytes;
    if (ReadBytes(path, bytes))
        LegacyTemplateReader(sink).Read(bytes);
}

void TemplateStore::SaveAllTemplates(const LanguageEntries& entries) {
    for (int language = 0; language < TemplateLanguage::kCount; ++language) {
        const auto path = TemplatePath(language);
        if (unread_[language]) {
            reporter_.Report(TextRules::Format(StoreTexts::kNotSavedUnread, path.c_str()), StoreTexts::kCaption,
                             MessageIcon::Exclamation);
            continue;
        }
        // A file's whole text is built in memory first; without room for it
        // the file stays as it was and the other languages are still saved.
        try {
            FormatLanguageRecords(entries[language], path);
        } catch (const std::bad_alloc&) {
            reporter_.Report(TextRules::Format(StoreTexts::kNotSavedOutOfMemory, path.c_str()), StoreTexts::kCaption,
                             MessageIcon::Error);
        }
    }
}

void TemplateStore::FormatLanguageRecords(const std::vector<AutotextEntry*>& entries, const std::string& path) {
    WriteTemplateFile(path, TemplateWriter::FormatLanguageRecords(entries));
}

// The new text goes to a temporary file that replaces the old one only once it
// is completely on disk, so a failed save leaves the old file as it was.
void TemplateStore::WriteTemplateFile(const std::string& path, const std::string& text) {
    if (!EnsureWritableFile(path))
        return;
    const auto result = files_.ReplaceContents(path, text);
    if (result.Succeeded())
        return;
    auto errorText = SystemErrorText(result.error);
    if (result.failedAt == FilePort::WriteStage::Open) {
        errorText.resize(std::min(errorText.size(), kMaxFileErrorText));
        reporter_.Report(errorText, StoreTexts::kCaption, MessageIcon::Exclamation);
    } else {
        reporter_.Report(TextRules::Format(StoreTexts::kSaveFailed, path.c_str(), errorText.c_str()),
                         StoreTexts::kCaption, MessageIcon::Error);
    }
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

bool TemplateStore::ReadBytes(const std::string& path, std::string& bytes) {
    const auto error = files_.ReadAll(path, bytes);
    if (error == 0)
        return true;
    reporter_.Report(TextRules::Format(StoreTexts::kFileOpenFailed, path.c_str(), SystemErrorText(error).c_str()),
                     StoreTexts::kCaption, MessageIcon::Error);
    return false;
}

// Creates a missing file and clears a read-only attribute without asking.
bool TemplateStore::EnsureWritableFile(const std::string& path) {
    if (!files_.Exists(path)) {
        if (const auto error = files_.CreateEmpty(path)) {
            reporter_.Report(TextRules::Format(StoreTexts::kCreateFailed, static_cast<int>(error)),
                             StoreTexts::kCaption, MessageIcon::Error);
            return false;
        }
    }
    switch (files_.MakeWritable(path)) {
        case 0:
            return true;
        case kErrorNotFound:
            reporter_.Report(TextRules::Format(StoreTexts::kChmodNotFound, path.c_str()), StoreTexts::kCaption,
                             MessageIcon::Error);
            return false;
        case kErrorInvalidArgument:
            reporter_.Report(StoreTexts::kChmodInvalid, StoreTexts::kCaption, MessageIcon::Error);
            return false;
        default:
            reporter_.Report(StoreTexts::kChmodUnexpected, StoreTexts::kCaption, MessageIcon::Error);
            return false;
    }
}
