#include "store/TemplateWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "store/ByteSearch.h"
#include "store/TextBuffer.h"
#include "store/TextRules.h"

namespace tarvel {

using namespace TextRules;

namespace TemplateWriter {

namespace {

bool IsLoneLineFeed(std::string_view text, std::size_t at) {
    return text[at] == '\n' && (at == 0 || text[at - 1] != '\r');
}

// Sixteen bytes compared at once (a vector of GCC and Clang).
constexpr std::size_t kChunk = 16;
using Chunk = unsigned char __attribute__((vector_size(kChunk)));

// The text copied from the place on to `to`, each lone LF given a CR; the end
// of the copy.
char* CopyGivingReturns(std::string_view text, std::size_t from, char* to) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (IsLoneLineFeed(text, i))
            *to++ = '\r';
        *to++ = text[i];
    }
    return to;
}

// The same a chunk at a time: copied whole up to its first LF. SSE2 is what
// every x86-64 processor has; the 32-bit build asks the processor first.
[[gnu::target("sse2")]] char* CopyGivingReturnsInChunks(std::string_view text, char* to) {
    std::size_t i = 0;
    while (i + kChunk <= text.size()) {
        Chunk chunk;
        std::memcpy(&chunk, text.data() + i, kChunk);
        std::memcpy(to, &chunk, kChunk);
        const auto lineFeeds = chunk == '\n';
        std::uint64_t words[kChunk / sizeof(std::uint64_t)];
        static_assert(sizeof lineFeeds == sizeof words);
        std::memcpy(words, &lineFeeds, sizeof words);
        if ((words[0] | words[1]) == 0) {
            i += kChunk;
            to += kChunk;
            continue;
        }
        // The first LF, counted from the low end (x86 is little-endian).
        const std::size_t plain = words[0] != 0 ? __builtin_ctzll(words[0]) / 8
                                                : sizeof(std::uint64_t) + __builtin_ctzll(words[1]) / 8;
        to += plain;
        i += plain;
        if (IsLoneLineFeed(text, i))
            *to++ = '\r';
        *to++ = '\n';
        ++i;
    }
    return CopyGivingReturns(text, i, to);
}

// Appends the text as the file holds it once its CR LF pairs have become LF
// and it has been written in text mode: every LF then stands after a CR,
// which comes to the same as giving each lone LF a CR. A save copies every
// line of every entry this way: no call per line into the C library.
void AppendAsWritten(TextBuffer& out, std::string_view text) {
    static const bool chunked = __builtin_cpu_supports("sse2");
    // Room for a CR before every byte, which no text comes near, and a chunk.
    char* at = out.Open(2 * text.size() + kChunk);
    out.Commit(chunked ? CopyGivingReturnsInChunks(text, at) : CopyGivingReturns(text, 0, at));
}

// What turning CR LF into LF and every LF back into CR LF does to a text.
// A text it leaves as it was keeps the bytes it borrows.
void GiveLoneLineFeedsCarriageReturns(EntryText& text) {
    const std::string_view view = text;
    for (auto lf = FindByte(view, '\n'); lf != std::string_view::npos; lf = FindByte(view, '\n', lf + 1)) {
        if (IsLoneLineFeed(view, lf)) {
            TextBuffer fixed;
            AppendAsWritten(fixed, view);
            text = fixed.Take();
            return;
        }
    }
}

bool HoldsCarriageReturnLineFeed(std::string_view text) {
    for (auto cr = FindByte(text, '\r'); cr != std::string_view::npos; cr = FindByte(text, '\r', cr + 1))
        if (cr + 1 < text.size() && text[cr + 1] == '\n')
            return true;
    return false;
}

void UseLineFeeds(EntryText& text) {
    if (HoldsCarriageReturnLineFeed(text))
        ReplaceAll(text.Owned(), "\r\n", "\n");
}

// The description stays in memory with CR LF breaks: turning them into LF and
// back changes nothing but a lone LF, which gains its CR. A description of
// nothing but white space gets no block: read back, that block would give the
// empty description, which gets none.
void AppendReadmeBlock(TextBuffer& text, std::string_view description) {
    description = TrimmedRightView(description);
    if (!description.empty()) {
        text.Append("readme:\r\n");
        AppendAsWritten(text, description);
        text.Append("\r\n\f\r\n");
    }
}

bool IsRecorded(const AutotextEntry& entry) {
    return !(entry.title.empty() && entry.shortcut.empty() && entry.code.empty());
}

void AppendRecordText(TextBuffer& text, const AutotextEntry& entry) {
    AppendReadmeBlock(text, entry.description);
    text.Append("a:");
    AppendAsWritten(text, entry.title);
    text.Append(':');
    AppendAsWritten(text, entry.shortcut);
    text.Append(":\r\n");
    AppendAsWritten(text, entry.code);
    text.Append("\f\r\n");
}

void AppendRecord(TextBuffer& text, AutotextEntry& entry) {
    GiveLoneLineFeedsCarriageReturns(entry.description);
    if (!IsRecorded(entry))
        return;
    AppendRecordText(text, entry);
    // Title, shortcut and code keep LF line breaks after a save.
    UseLineFeeds(entry.title);
    UseLineFeeds(entry.shortcut);
    UseLineFeeds(entry.code);
}

// Room for the usual text at once: fields, headers, and a few lone LFs.
template <class Entries>
void Prepare(const Entries& entries, TextBuffer& text) {
    std::size_t estimate = 0;
    for (const auto* entry : entries)
        if (entry != nullptr)
            estimate +=
                entry->title.size() + entry->shortcut.size() + entry->code.size() + entry->description.size() + 32;
    text.Reserve(estimate + estimate / 16);
}

}  // namespace

std::string FormatLanguageRecords(const std::vector<AutotextEntry*>& entries) {
    std::string text;
    FormatLanguageRecords(entries, text);
    return text;
}

void FormatLanguageRecords(const std::vector<AutotextEntry*>& entries, std::string& text) {
    TextBuffer out(std::move(text));
    Prepare(entries, out);
    for (auto* entry : entries)
        if (entry != nullptr && entry->kind == 0)
            AppendRecord(out, *entry);
    text = out.Take();
}

std::string RecordsAsWritten(const std::vector<const AutotextEntry*>& entries) {
    TextBuffer out;
    Prepare(entries, out);
    for (const auto* entry : entries)
        if (entry != nullptr && entry->kind == 0 && IsRecorded(*entry))
            AppendRecordText(out, *entry);
    return out.Take();
}

}  // namespace TemplateWriter

}  // namespace tarvel
