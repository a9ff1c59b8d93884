#include "store/TemplateWriter.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "store/TextRules.h"

using namespace TextRules;

namespace TemplateWriter {

namespace {

// The high bit of each byte of the word that is zero, and of no other.
constexpr std::uint64_t ZeroBytes(std::uint64_t word) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
    return ~(((word & kLow7) + kLow7) | word | kLow7);
}

// How many LFs of the text stand after no CR: eight bytes at a time, as a
// save asks it of every text of every entry.
std::size_t CountLoneLineFeeds(std::string_view text) {
    constexpr std::uint64_t kLowBits = 0x0101010101010101u;
    std::size_t lone = 0;
    std::uint64_t returnBefore = 0;  // the high bit of the byte after a CR that ends a word
    std::size_t at = 0;
    for (std::uint64_t word; at + sizeof word <= text.size(); at += sizeof word) {
        std::memcpy(&word, text.data() + at, sizeof word);
        const auto lineFeeds = ZeroBytes(word ^ (kLowBits * '\n'));
        const auto returns = ZeroBytes(word ^ (kLowBits * '\r'));
        // The build's targets are little-endian: the next byte is the higher.
        lone += static_cast<std::size_t>(__builtin_popcountll(lineFeeds & ~((returns << 8) | returnBefore)));
        returnBefore = (returns >> 56) & 0x80;
    }
    for (bool afterReturn = returnBefore != 0; at < text.size(); afterReturn = text[at++] == '\r')
        lone += text[at] == '\n' && !afterReturn;
    return lone;
}

// Appends the text as the file holds it once its CR LF pairs have become LF
// and it has been written in text mode: every LF then stands after a CR,
// which comes to the same as giving each lone LF a CR. The room is made
// once: a text saved before holds LF breaks only, one to a line.
void AppendAsWritten(std::string& out, std::string_view text) {
    const auto lone = CountLoneLineFeeds(text);
    if (lone == 0) {
        out.append(text);
        return;
    }
    const auto start = out.size();
    out.resize(start + text.size() + lone);
    char* at = out.data() + start;
    char previous = '\0';
    for (const char c : text) {
        if (c == '\n' && previous != '\r')
            *at++ = '\r';
        *at++ = previous = c;
    }
}

// What turning CR LF into LF and every LF back into CR LF does to a text.
// A text it leaves as it was keeps the bytes it borrows.
void GiveLoneLineFeedsCarriageReturns(EntryText& text) {
    const std::string_view view = text;
    if (CountLoneLineFeeds(view) == 0)
        return;
    std::string fixed;
    AppendAsWritten(fixed, view);
    text = std::move(fixed);
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
