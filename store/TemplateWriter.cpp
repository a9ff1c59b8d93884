#include "store/TemplateWriter.h"

#include <string_view>

#include "store/TextRules.h"

using namespace TextRules;

namespace TemplateWriter {

namespace {

bool IsLoneLineFeed(std::string_view text, std::size_t at) {
    return text[at] == '\n' && (at == 0 || text[at - 1] != '\r');
}

// Appends the text as the file holds it once its CR LF pairs have become LF
// and it has been written in text mode: every LF then stands after a CR,
// which comes to the same as giving each lone LF a CR.
void AppendAsWritten(std::string& out, std::string_view text) {
    std::size_t copied = 0;
    for (auto lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', lf + 1)) {
        if (IsLoneLineFeed(text, lf)) {
            out.append(text.substr(copied, lf - copied)).push_back('\r');
            copied = lf;
        }
    }
    out.append(text.substr(copied));
}

// What turning CR LF into LF and every LF back into CR LF does to a text.
// A text it leaves as it was keeps the bytes it borrows.
void GiveLoneLineFeedsCarriageReturns(EntryText& text) {
    const std::string_view view = text;
    for (auto lf = view.find('\n'); lf != std::string_view::npos; lf = view.find('\n', lf + 1)) {
        if (IsLoneLineFeed(view, lf)) {
            std::string fixed;
            AppendAsWritten(fixed, view);
            text = std::move(fixed);
            return;
        }
    }
}

void UseLineFeeds(EntryText& text) {
    if (text.find("\r\n") != EntryText::npos)
        ReplaceAll(text.Owned(), "\r\n", "\n");
}

// The description stays in memory with CR LF breaks: turning them into LF and
// back changes nothing but a lone LF, which gains its CR. A description of
// nothing but white space gets no block: read back, that block would give the
// empty description, which gets none.
void AppendReadmeBlock(std::string& text, std::string_view description) {
    description = TrimmedRightView(description);
    if (!description.empty()) {
        text.append("readme:\r\n");
        AppendAsWritten(text, description);
        text.append("\r\n\f\r\n");
    }
}

bool IsRecorded(const AutotextEntry& entry) {
    return !(entry.title.empty() && entry.shortcut.empty() && entry.code.empty());
}

void AppendRecordText(std::string& text, const AutotextEntry& entry) {
    AppendReadmeBlock(text, entry.description);
    text.append("a:");
    AppendAsWritten(text, entry.title);
    text.append(":");
    AppendAsWritten(text, entry.shortcut);
    text.append(":\r\n");
    AppendAsWritten(text, entry.code);
    text.append("\f\r\n");
}

void AppendRecord(std::string& text, AutotextEntry& entry) {
    GiveLoneLineFeedsCarriageReturns(entry.description);
    if (!IsRecorded(entry))
        return;
    AppendRecordText(text, entry);
    // Title, shortcut and code keep LF line breaks after a save.
    UseLineFeeds(entry.title);
    UseLineFeeds(entry.shortcut);
    UseLineFeeds(entry.code);
}

// One allocation for the usual text: fields, headers, and a few lone LFs.
template <class Entries>
void Prepare(const Entries& entries, std::string& text) {
    std::size_t estimate = 0;
    for (const auto* entry : entries)
        if (entry != nullptr)
            estimate +=
                entry->title.size() + entry->shortcut.size() + entry->code.size() + entry->description.size() + 32;
    text.clear();
    // A request below the room the text has would give some of it back.
    if (text.capacity() < estimate + estimate / 16)
        text.reserve(estimate + estimate / 16);
}

}  // namespace

std::string FormatLanguageRecords(const std::vector<AutotextEntry*>& entries) {
    std::string text;
    FormatLanguageRecords(entries, text);
    return text;
}

void FormatLanguageRecords(const std::vector<AutotextEntry*>& entries, std::string& text) {
    Prepare(entries, text);
    for (auto* entry : entries)
        if (entry != nullptr && entry->kind == 0)
            AppendRecord(text, *entry);
}

std::string RecordsAsWritten(const std::vector<const AutotextEntry*>& entries) {
    std::string text;
    Prepare(entries, text);
    for (const auto* entry : entries)
        if (entry != nullptr && entry->kind == 0 && IsRecorded(*entry))
            AppendRecordText(text, *entry);
    return text;
}

}  // namespace TemplateWriter
