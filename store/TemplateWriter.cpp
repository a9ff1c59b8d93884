#include "store/TemplateWriter.h"

#include <cstring>
#include <string_view>

#include "store/ByteSearch.h"
#include "store/TextBuffer.h"
#include "store/TextRules.h"

namespace tarvel {

using namespace TextRules;

namespace TemplateWriter {

namespace {

// "a:::", a CR LF, a form feed and a CR LF.
constexpr std::size_t kLeastRecordBytes = 10;

bool IsLoneLineFeed(std::string_view text, std::size_t at) {
    return text[at] == '\n' && (at == 0 || text[at - 1] != '\r');
}

// The copies below give each lone LF of a text a CR and note whether the
// text held a CR LF, which the save turns into LF afterwards. They go on
// from where the copy stands and return where it ends: a pointer of their
// own, which the bytes they write cannot change, so it stays in a register.

// The LF at the place gets its CR unless it has one.
char* AtLineFeed(std::string_view text, std::size_t at, char* to, bool& heldCrLf) {
    if (at > 0 && text[at - 1] == '\r')
        heldCrLf = true;
    else
        *to++ = '\r';
    return to;
}

// The text from the place on, a byte at a time.
char* CopyFrom(std::string_view text, std::size_t at, char* to, bool& heldCrLf) {
    for (; at < text.size(); ++at) {
        if (text[at] == '\n')
            to = AtLineFeed(text, at, to, heldCrLf);
        *to++ = text[at];
    }
    return to;
}

// The chunk holds the `size` bytes of the text from at on: they are copied
// up to the first LF among them and that LF, or all of them, and at moves
// past them. The whole chunk is stored: what lies past the copy is written
// over next or left beyond its end.
[[gnu::target("sse2"), gnu::always_inline]] inline char* CopyUpToLineFeed(std::string_view text, std::size_t& at,
                                                                          Chunk chunk, std::size_t size, char* to,
                                                                          bool& heldCrLf) {
    std::memcpy(to, &chunk, kChunkSize);
    const auto mask = MatchMask(chunk == '\n');
    if (mask == 0) {
        at += size;
        return to + size;
    }
    const auto plain = FirstMatch(mask);
    at += plain;
    to = AtLineFeed(text, at, to + plain, heldCrLf);
    *to++ = '\n';
    ++at;
    return to;
}

// The same a chunk at a time, then half a chunk at a time: each copied whole
// up to its first LF. Most texts are short, so most of their bytes would
// otherwise go one at a time.
[[gnu::target("sse2")]] char* CopyInChunks(std::string_view text, char* to, bool& heldCrLf) {
    std::size_t at = 0;
    while (at + kChunkSize <= text.size())
        to = CopyUpToLineFeed(text, at, LoadChunk(text.data() + at), kChunkSize, to, heldCrLf);
    while (at + kHalfChunkSize <= text.size())
        to = CopyUpToLineFeed(text, at, LoadHalfChunk(text.data() + at), kHalfChunkSize, to, heldCrLf);
    return CopyFrom(text, at, to, heldCrLf);
}

// Appends the text as the file holds it once its CR LF pairs have become LF
// and it has been written in text mode: every LF then stands after a CR,
// which comes to the same as giving each lone LF a CR. A save copies every
// line of every entry this way: no call per line into the C library. True
// when the text held a CR LF.
bool AppendAsWritten(TextBuffer& out, std::string_view text) {
    bool heldCrLf = false;
    // Room for a CR before every byte, which no text comes near, and a chunk.
    char* to = out.Open(2 * text.size() + kChunkSize);
    out.Commit(ChunksSupported() ? CopyInChunks(text, to, heldCrLf) : CopyFrom(text, 0, to, heldCrLf));
    return heldCrLf;
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

bool HoldsLoneLineFeed(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); ++at)
        if (IsLoneLineFeed(text, at))
            return true;
    return false;
}

// The description stays in memory with CR LF breaks: turning them into LF and
// back changes nothing but a lone LF, which gains its CR. A description of
// nothing but white space gets no block: read back, that block would give the
// empty description, which gets none. True when the description held a lone
// LF, in the block or in the white space after it.
bool AppendReadmeBlock(TextBuffer& text, std::string_view description) {
    const auto trimmed = TrimmedRightView(description);
    bool heldLoneLineFeed = HoldsLoneLineFeed(description.substr(trimmed.size()));
    if (!trimmed.empty()) {
        text.Append("readme:\r\n");
        const auto before = text.Size();
        AppendAsWritten(text, trimmed);
        heldLoneLineFeed = heldLoneLineFeed || text.Size() - before != trimmed.size();
        text.Append("\r\n\f\r\n");
    }
    return heldLoneLineFeed;
}

bool IsRecorded(const AutotextEntry& entry) {
    return !(entry.title.empty() && entry.shortcut.empty() && entry.code.empty());
}

// What the copy of a record found that the entry's texts are to change.
struct RecordFindings {
    bool loneLineFeedInDescription = false;
    bool crLfInTitle = false;
    bool crLfInShortcut = false;
    bool crLfInCode = false;
};

RecordFindings AppendRecordText(TextBuffer& text, const AutotextEntry& entry) {
    RecordFindings found;
    found.loneLineFeedInDescription = AppendReadmeBlock(text, entry.description);
    text.Append("a:");
    found.crLfInTitle = AppendAsWritten(text, entry.title);
    text.Append(':');
    found.crLfInShortcut = AppendAsWritten(text, entry.shortcut);
    text.Append(":\r\n");
    found.crLfInCode = AppendAsWritten(text, entry.code);
    text.Append("\f\r\n");
    return found;
}

void UseLineFeeds(EntryText& text) { ReplaceAll(text.Owned(), "\r\n", "\n"); }

// The copy looks at every line break of the entry's texts once; only a text
// that must change is looked at again.
void AppendRecord(TextBuffer& text, AutotextEntry& entry) {
    if (!IsRecorded(entry)) {
        GiveLoneLineFeedsCarriageReturns(entry.description);
        return;
    }
    const auto found = AppendRecordText(text, entry);
    if (found.loneLineFeedInDescription)
        GiveLoneLineFeedsCarriageReturns(entry.description);
    // Title, shortcut and code keep LF line breaks after a save.
    if (found.crLfInTitle)
        UseLineFeeds(entry.title);
    if (found.crLfInShortcut)
        UseLineFeeds(entry.shortcut);
    if (found.crLfInCode)
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
    TextBuffer text;
    FormatLanguageRecords(entries, text);
    return text.Take();
}

void FormatLanguageRecords(const std::vector<AutotextEntry*>& entries, TextBuffer& text) {
    text.Shorten(0);
    // The room of an earlier file serves when it holds the least these
    // entries take; it grows if they need more. A walk over every entry
    // only for an estimate costs more than that.
    if (text.Room() < entries.size() * kLeastRecordBytes)
        Prepare(entries, text);
    for (auto* entry : entries)
        if (entry != nullptr && entry->kind == 0)
            AppendRecord(text, *entry);
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
