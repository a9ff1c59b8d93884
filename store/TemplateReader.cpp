#include "store/TemplateReader.h"

#include <algorithm>
#include <cstdint>

#include "store/ByteSearch.h"
#include "store/TextRules.h"

namespace tarvel {

using namespace TextRules;

namespace {
// The keys of the two blocks, with their colons: a line that starts with one
// opens its block, so that the usual headers need no search for their colon.
constexpr std::string_view kRecordKey = "a:";
constexpr std::string_view kReadmeKey = "readme:";

bool StartsWith(std::string_view line, std::string_view key) { return line.substr(0, key.size()) == key; }

// Where a record header's title and shortcut end: at their colons, or at the
// end of the fields; and whether a space stands between the two.
struct FieldEnds {
    std::size_t title;
    std::size_t shortcut;
    bool spaceAfterTitle;
};

FieldEnds SearchFieldEnds(std::string_view fields) {
    const auto title = std::min(FindByte(fields, ':'), fields.size());
    const auto shortcut = title < fields.size() ? std::min(FindByte(fields, ':', title + 1), fields.size()) : title;
    const auto between = fields.substr(title, shortcut - title);
    return {title, shortcut, std::find(between.begin(), between.end(), ' ') != between.end()};
}

// The fields of the usual header fit in two chunks, where one look finds
// both colons and any space. The 32 bytes from the fields on must be there.
constexpr std::size_t kHeaderLook = 2 * kChunkSize;
[[gnu::target("sse2")]] FieldEnds LookAtFieldEnds(std::string_view fields) {
    const Chunk low = LoadChunk(fields.data());
    const Chunk high = LoadChunk(fields.data() + kChunkSize);
    const std::uint32_t inFields = (1u << fields.size()) - 1;
    std::uint32_t colons = (MatchMask(low == ':') | MatchMask(high == ':') << kChunkSize) & inFields;
    const std::uint32_t spaces = MatchMask(low == ' ') | MatchMask(high == ' ') << kChunkSize;
    const auto title = colons != 0 ? FirstMatch(colons) : fields.size();
    colons &= colons - 1;
    const auto shortcut = colons != 0 ? FirstMatch(colons) : fields.size();
    const std::uint32_t between = ((1u << shortcut) - 1) & ~((2u << title) - 1);
    return {title, shortcut, (spaces & between) != 0};
}

// A form feed, or a byte that the reader's lines would change: a line feed
// without a CR before it (its line gains one) and the 0 of "%0" (replaced).
bool EndsOrChanges(char here, char before) {
    return here == '\f' || (here == '\n' && before != '\r') || (here == '0' && before == '%');
}

// Where a byte from at on ends or changes the code, one byte at a time.
std::size_t EndOrChangeFrom(std::string_view text, std::size_t at) {
    for (; at < text.size(); ++at)
        if (EndsOrChanges(text[at], text[at - 1]))
            return at;
    return text.size();
}

// The first byte from at on, a whole chunk at a time, that ends a block's
// text or that the reader's lines would change: a form feed and a lone line
// feed; in code the 0 of "%0", in a readme block a line that may be one of
// the header texts of older files, which all start with "A" or "C". With
// found false, where the whole chunks end.
template <bool kReadme>
[[gnu::target("sse2")]] std::size_t FirstStopInChunks(std::string_view text, std::size_t at, bool& found) {
    for (; at + kChunkSize <= text.size(); at += kChunkSize) {
        const Chunk here = LoadChunk(text.data() + at);
        const Chunk before = LoadChunk(text.data() + at - 1);
        auto stops = (here == '\f') | ((here == '\n') & (before != '\r'));
        if constexpr (kReadme)
            stops |= ((here == 'A') | (here == 'C')) & (before == '\n');
        else
            stops |= (here == '0') & (before == '%');
        if (const auto mask = MatchMask(stops)) {
            found = true;
            return at + FirstMatch(mask);
        }
    }
    found = false;
    return at;
}

// Where a record's code that starts at start (after its header's line feed)
// ends at a form feed, when the bytes up to it are the code as the reader's
// lines would gather it; npos otherwise.
std::size_t FormFeedEndingCodeAsRead(std::string_view text, std::size_t start) {
    bool found = false;
    auto at = ChunksSupported() ? FirstStopInChunks<false>(text, start, found) : start;
    if (!found)
        at = EndOrChangeFrom(text, at);
    return at < text.size() && text[at] == '\f' ? at : std::string_view::npos;
}
}  // namespace

void TemplateReader::Read(std::string_view bytes) { ReadLines(bytes, false); }

bool TemplateReader::ReadCurrentFormat(std::string_view bytes) { return ReadLines(bytes, true); }

bool TemplateReader::ReadLines(std::string_view bytes, bool stopAtLegacyHeader) {
    bytes_ = bytes;
    nextFormFeed_ = FindByte(bytes, '\f');
    LineCursor lines(bytes);
    std::string_view line;
    while (lines.Next(line)) {
        if (stopAtLegacyHeader && !inBlock_ && IsLegacyHeaderLine(line)) {
            code_.Clear();
            description_.Clear();
            return false;
        }
        ReadLine(line);
        if (recordCodeFollows_)
            ReadRecordCode(lines);
        else if (readmeTextFollows_)
            ReadReadmeText(lines);
    }
    // A record or readme block still open at the end of the file is dropped.
    NoteDropped(code_);
    NoteDropped(description_);
    if (recordPending_) {
        NoteDropped(title_);
        NoteDropped(shortcut_);
    }
    code_.Clear();
    description_.Clear();
    return true;
}

void TemplateReader::ReadLine(std::string_view line) {
    if (line.empty()) {
        AppendLine(inReadme_ ? description_ : code_, line);
        return;
    }
    if (!inBlock_ && ReadHeader(line))
        return;
    // Inside a record or readme block the marker would change nothing, so the
    // word alone is content there: a code or description line the user typed.
    if (!inRecord_ && IsSeparatorLine(line)) {
        marker_ = {};
        started_ = true;
        return;
    }
    const auto formFeed = FormFeedIn(line);
    if (formFeed != std::string_view::npos) {
        NoteDropped(line.substr(formFeed + 1));
        if (formFeed > 0)
            (inReadme_ ? description_ : code_).AppendPart(line.substr(0, formFeed));
        EndBlockAtFormFeed();
        return;
    }
    if (inReadme_) {
        NoteDropped(code_);
        code_.Clear();
        marker_ = {};
        if (IsOldHeaderText(line))
            return;
        AppendLine(description_, line);
        if (!inBlock_)
            EndBlock();
        return;
    }
    AppendLine(code_, line);
    if (!inBlock_)
        EndBlock();
}

// Code and descriptions keep CR LF breaks, so lines the file ends with CR LF
// need no copying until an entry takes them.
void TemplateReader::AppendLine(GatheredText& text, std::string_view line) const {
    const auto end = static_cast<std::size_t>(line.data() - bytes_.data()) + line.size();
    text.AppendLine(line, bytes_.substr(end, 2) == "\r\n");
}

// One search per form feed instead of one per line: a record's lines hold
// none until its last.
std::size_t TemplateReader::FormFeedIn(std::string_view line) {
    const auto start = static_cast<std::size_t>(line.data() - bytes_.data());
    if (nextFormFeed_ != std::string_view::npos && nextFormFeed_ < start)
        nextFormFeed_ = FindByte(bytes_, '\f', start);
    return nextFormFeed_ != std::string_view::npos && nextFormFeed_ < start + line.size() ? nextFormFeed_ - start
                                                                                          : std::string_view::npos;
}

// Any line with a colon opens a block; only "readme" and "a" blocks give
// entries, and the header of any other is lost.
bool TemplateReader::ReadHeader(std::string_view line) {
    if (StartsWith(line, kRecordKey)) {
        inBlock_ = inRecord_ = true;
        ReadRecordHeader(line.substr(kRecordKey.size()));
    } else if (StartsWith(line, kReadmeKey)) {
        inBlock_ = inRecord_ = true;
        NoteDropped(line.substr(kReadmeKey.size()));
        marker_ = {};
        inReadme_ = true;
        started_ = true;
        readmeTextFollows_ = code_.IsEmpty();
    } else if (FindByte(line, ':') != std::string_view::npos) {
        inBlock_ = true;
        inRecord_ = false;
        NoteDropped(line);
    } else {
        return false;
    }
    return true;
}

// "title:shortcut:" after the key; text after the shortcut's colon is lost.
void TemplateReader::ReadRecordHeader(std::string_view fields) {
    const auto readable = static_cast<std::size_t>(bytes_.data() + bytes_.size() - fields.data());
    const auto ends = fields.size() < kHeaderLook && readable >= kHeaderLook && ChunksSupported()
                          ? LookAtFieldEnds(fields)
                          : SearchFieldEnds(fields);
    title_ = TrimmedView(fields.substr(0, ends.title));
    shortcut_ = {};
    if (ends.title < fields.size())
        shortcut_ = TrimmedView(fields.substr(ends.title + 1, ends.shortcut - ends.title - 1));
    if (ends.shortcut < fields.size())
        NoteDropped(fields.substr(ends.shortcut + 1));
    // Spaces around the shortcut are trimmed, not held.
    shortcutHoldsSpace_ = ends.spaceAfterTitle && shortcut_.find(' ') != std::string_view::npos;
    if (shortcutHoldsSpace_)
        NoteDropped(shortcut_);
    label_ = shortcut_.empty() ? title_ : shortcut_;
    marker_ = shortcut_;
    recordPending_ = true;
    started_ = true;
    recordCodeFollows_ = !inReadme_ && code_.IsEmpty();
}

// A record's lines up to its form feed are all code, so when the reader's
// lines would gather the bytes up to the form feed as they stand, they are
// the code, and the line after the one with the form feed goes on.
void TemplateReader::ReadRecordCode(LineCursor& lines) {
    recordCodeFollows_ = false;
    const auto start = lines.Position();
    if (!lines.EndsLinesAtLineFeeds() || start >= bytes_.size())
        return;
    const auto formFeed = FormFeedEndingCodeAsRead(bytes_, start);
    if (formFeed == std::string_view::npos)
        return;
    code_.AppendPart(bytes_.substr(start, formFeed - start));
    codeAsRead_ = true;
    EndBlockAtFormFeedFrom(lines, formFeed);
}

// The same for the text of a readme block, which waits for its record.
void TemplateReader::ReadReadmeText(LineCursor& lines) {
    readmeTextFollows_ = false;
    const auto start = lines.Position();
    if (!lines.EndsLinesAtLineFeeds() || start >= bytes_.size() || !ChunksSupported())
        return;
    // The last bytes of the file, past the whole chunks, are left to the lines.
    bool found = false;
    const auto formFeed = FirstStopInChunks<true>(bytes_, start, found);
    if (!found || bytes_[formFeed] != '\f')
        return;
    description_.AppendPart(bytes_.substr(start, formFeed - start));
    EndBlockAtFormFeedFrom(lines, formFeed);
}

// The rest of the form feed's line is lost; the lines go on after it.
void TemplateReader::EndBlockAtFormFeedFrom(LineCursor& lines, std::size_t formFeed) {
    // Written files end the form feed's line right after it.
    constexpr std::string_view kLineBreak = "\r\n";
    auto lineEnd = bytes_.substr(formFeed + 1, kLineBreak.size()) == kLineBreak ? formFeed + kLineBreak.size()
                                                                                : FindByte(bytes_, '\n', formFeed);
    if (lineEnd == std::string_view::npos)
        lineEnd = bytes_.size();
    NoteDropped(bytes_.substr(formFeed + 1, lineEnd - formFeed - 1));
    EndBlockAtFormFeed();
    lines.SkipTo(lineEnd + 1);
}

void TemplateReader::EndBlockAtFormFeed() {
    inBlock_ = false;
    inRecord_ = false;
    inReadme_ = false;
    EndBlock();
}

void TemplateReader::EndBlock() {
    if (marker_.empty() && code_.IsEmpty() && !recordPending_)
        return;
    if (started_)
        CreateEntry();
    else
        NoteDropped(code_);
    title_ = {};
    shortcut_ = {};
    shortcutHoldsSpace_ = false;
    code_.Clear();
    codeAsRead_ = false;
    marker_ = {};
    recordPending_ = false;
}

// Inline: every entry takes four texts.
[[gnu::always_inline]] inline void TemplateReader::Take(std::string_view text, EntryText& field) const {
    if (source_)
        field.Borrow(text);
    else
        field = text;
}

// A description's last line ends with the CR LF before the block's form
// feed, which belongs to the file, not to the description.
void TemplateReader::CreateEntry() {
    // Not value-initialised: every member has its initialiser, so zeroing
    // the entry first would write it twice.
    std::unique_ptr<AutotextEntry> entry(new AutotextEntry);
    entry->ordinal = entryCount_++;
    entry->language = language_;
    entry->source = source_;
    Take(title_, entry->title);
    if (!shortcutHoldsSpace_)
        Take(shortcut_, entry->shortcut);
    TakeCode(entry->code);
    description_.RemoveLastLineBreak();
    if (description_.IsPiece())
        Take(description_.Piece(), entry->description);
    else
        description_.CopyTo(entry->description.Owned());
    sink_.AppendItem(label_, std::move(entry));
    description_.Clear();
    label_ = {};
    inReadme_ = false;
}

void TemplateReader::TakeCode(EntryText& field) const {
    constexpr std::string_view kOldSelection = "%0";
    if (codeAsRead_ || (code_.IsPiece() && code_.Piece().find(kOldSelection) == std::string_view::npos)) {
        Take(code_.Piece(), field);
        return;
    }
    std::string& code = field.Owned();
    code_.CopyTo(code);
    ReplaceAll(code, kOldSelection, "$selected$");
}

void TemplateReader::NoteDropped(std::string_view text) {
    if (!droppedText_ && !TrimmedView(text).empty())
        droppedText_ = true;
}

void TemplateReader::NoteDropped(const GatheredText& text) {
    if (!droppedText_ && text.HoldsText())
        droppedText_ = true;
}

}  // namespace tarvel
