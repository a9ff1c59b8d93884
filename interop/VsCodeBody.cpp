#include "interop/VsCodeBody.h"

#include <array>
#include <charconv>
#include <cstring>

#include "interop/ByteWords.h"
#include "interop/JsonEscape.h"
#include "interop/SnippetMapping.h"
#include "store/ReservedVariables.h"

namespace tarvel {

using JsonEscape::Put;
using namespace ByteWords;

namespace {

// A byte of the code as the body in JSON takes it.
enum ByteClass : unsigned char {
    kPlain,
    kDollar,     // may open a name
    kEscaped,    // a backslash, a quote or a control character
    kLineFeed,   // ends the body's line
    kReturn,     // goes with the line break it stands before
    kHigh,       // beyond ASCII: in UTF-8 plain, in ANSI text converted first
};

constexpr std::array<unsigned char, 256> MakeClasses() {
    std::array<unsigned char, 256> classes{};
    for (int c = 0; c < 0x20; ++c)
        classes[c] = kEscaped;
    classes['\\'] = classes['"'] = kEscaped;
    classes['$'] = kDollar;
    classes['\n'] = kLineFeed;
    classes['\r'] = kReturn;
    for (int c = 0x80; c < 0x100; ++c)
        classes[c] = kHigh;
    return classes;
}

constexpr auto kClasses = MakeClasses();

unsigned char ClassOf(char c) { return kClasses[static_cast<unsigned char>(c)]; }

// What ends a name between dollar signs: the closing one, or what no name
// holds; in ANSI text also a byte beyond ASCII, which ends the writing.
template <bool kAnsi>
constexpr std::array<bool, 256> MakeNameEnds() {
    std::array<bool, 256> ends{};
    ends['$'] = ends[' '] = ends['\t'] = ends['\r'] = ends['\n'] = true;
    for (int c = 0x80; c < 0x100; ++c)
        ends[c] = kAnsi;
    return ends;
}

template <bool kAnsi>
constexpr auto kNameEnds = MakeNameEnds<kAnsi>();

template <bool kAnsi>
bool EndsName(char c) { return kNameEnds<kAnsi>[static_cast<unsigned char>(c)]; }

// The head of the key of "end", whose tab stop is written apart.
constexpr Word kEnd = 'e' | 'n' << 8 | 'd' << 16;
// A body's line break: the string of one line closed, the next one opened.
constexpr char kLineBreak[] = "\",\n\t\t\t\"";
static_assert(sizeof kLineBreak - 1 == JsonEscape::kLongest);
// Room for the syntax around a name: "${", a tab stop's number, and ":" or
// "}".
constexpr std::size_t kLongestSyntax = 48;

// Names are short: compared here, not by a call into the library.
bool SameName(std::string_view one, std::string_view other) {
    if (one.size() != other.size())
        return false;
    for (std::size_t i = 0; i < one.size(); ++i)
        if (one[i] != other[i])
            return false;
    return true;
}

// A backslash as the body escapes it and JSON escapes that; a quote or a
// control character as JSON escapes it.
char* PutEscaped(char* at, char c) {
    return c == '\\' ? Put(at, "\\\\\\\\") : JsonEscape::PutEscape(at, static_cast<unsigned char>(c));
}

// Spellings are copied in pieces of this many bytes, the last one whole:
// each spelling is kept with a piece of padding after it, and the room for
// a name's syntax ("${", a number of up to 20 digits, ":") takes what the
// copy writes beyond it.
constexpr std::size_t kPieceCopy = 8;
static_assert(2 + 20 + 1 + kPieceCopy <= kLongestSyntax);

char* PutSpelling(char* at, std::string_view spelling) {
    for (std::size_t copied = 0; copied < spelling.size(); copied += kPieceCopy)
        std::memcpy(at + copied, spelling.data() + copied, kPieceCopy);
    return at + spelling.size();
}

// The bytes a run of plain bytes ends at; in ANSI text, bytes beyond ASCII
// too, which are converted first.
template <bool kAnsi>
Word Stops(Word word) {
    const auto stops = Below(word, 0x20) | Equal(word, '$') | Equal(word, '\\') | Equal(word, '"');
    return kAnsi ? stops | High(word) : stops;
}

}  // namespace

bool VsCodeBody::WriteAscii(std::string_view code) { return WriteAs<true>(code); }

void VsCodeBody::WriteUtf8(std::string_view code) { WriteAs<false>(code); }

// The room for the code holds a word copied whole from where a word of the
// code is left: no byte takes less room than its share.
template <bool kAnsi>
bool VsCodeBody::WriteAs(std::string_view code) {
    ++entry_;
    prompts_ = 0;
    const auto start = out_.Size();
    char* at = out_.Open(code.size() * JsonEscape::kLongest);
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (i + sizeof(Word) <= code.size()) {
            const auto plain = CopyUnmarked(code.data() + i, at, Stops<kAnsi>);
            at += plain;
            i += plain;
            if (plain == sizeof(Word)) {
                --i;
                continue;
            }
        }
        // The bytes that stop a run, most often first.
        const char c = code[i];
        const auto kind = ClassOf(c);
        if (kind == kDollar) {
            Key key;
            if (const auto length = NameAt<kAnsi>(code, i, key)) {
                out_.Commit(at);
                const auto text = code.substr(i + 1, length);
                i += length + 1;
                at = WriteName(text, key, (code.size() - i) * JsonEscape::kLongest);
            } else {
                at = Put(at, "\\\\$");
            }
        } else if (kind == kReturn) {
            // A CR goes with the line break it stands before.
            if (i + 1 < code.size() && code[i + 1] == '\n') {
                at = Put(at, kLineBreak);
                ++i;
            } else {
                at = Put(at, "\\r");
            }
        } else if (kind == kLineFeed) {
            at = Put(at, kLineBreak);
        } else if (kind == kEscaped) {
            at = PutEscaped(at, c);
        } else if (kAnsi && kind == kHigh) {
            out_.Shorten(start);
            return false;
        } else {
            *at++ = c;
        }
    }
    out_.Commit(at);
    return true;
}

// When the text between two dollar signs is no name, the second sign may
// open the next name. In ANSI text a byte beyond ASCII ends the look, and
// the writing, before a name holds it.
template <bool kAnsi>
std::size_t VsCodeBody::NameAt(std::string_view code, std::size_t open, Key& key) {
    std::size_t close = open + 1;
    while (close < code.size() && !EndsName<kAnsi>(code[close]))
        ++close;
    if (close == code.size() || code[close] != '$')
        return 0;
    // The word from the name's start, where the code holds one; its last
    // bytes padded, where it does not.
    const auto length = close - open - 1;
    const auto rest = code.substr(open + 1);
    key.head = rest.size() >= sizeof(Word) ? WordAt(rest.data()) : LastBytes(rest, rest.size());
    if (length < sizeof(Word))
        key.head &= (Word{1} << (8 * length)) - 1;
    // Mixed, as the table's slot is taken from the low bits.
    const auto mixed = (key.head ^ length) * 0x9E3779B97F4A7C15u;
    key.hash = static_cast<std::uint32_t>(mixed >> 32);
    return length;
}

// Writes into room for the name's syntax and the rest of the code; the end
// of what it wrote, the room still open.
char* VsCodeBody::WriteName(std::string_view text, const Key& key, std::size_t rest) {
    if (key.head == kEnd && text.size() == 3) {
        // Braces always: a digit after it would lengthen the number.
        return Put(out_.Open(kLongestSyntax + rest), "${0}");
    }
    auto& name = Find(text, key);
    const auto spelling = TextOf(name.spelling, name.spellingSize);
    char* at = out_.Open(kLongestSyntax + spelling.size() + rest);
    if (!name.prompt)
        return PutSpelling(at, spelling);
    // "${n:" before the placeholder's text, "${n}" after it.
    const bool first = name.entry != entry_;
    if (first) {
        name.entry = entry_;
        name.number = ++prompts_;
    }
    at = Put(at, "${");
    // Entries seldom hold ten prompts.
    if (name.number < 10)
        *at++ = static_cast<char>('0' + name.number);
    else
        at = std::to_chars(at, at + kLongestSyntax, name.number).ptr;
    if (!first) {
        *at++ = '}';
        return at;
    }
    *at++ = ':';
    return PutSpelling(at, spelling);
}

inline VsCodeBody::Name& VsCodeBody::Find(std::string_view text, const Key& key) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = key.hash & mask;; slot = (slot + 1) & mask) {
        const auto place = slots_[slot];
        if (place == 0)
            return Add(text, key);
        auto& name = names_[place - 1];
        // Names of up to a word are the same when their first words are.
        if (name.key.head == key.head && name.size == text.size() &&
            (text.size() <= sizeof(Word) || SameName(TextOf(name.text, name.size), text)))
            return name;
    }
}

// The first free slot from the hash's on takes the name at the place.
void VsCodeBody::Place(std::uint32_t hash, std::size_t place) {
    const std::size_t mask = slots_.size() - 1;
    auto slot = hash & mask;
    while (slots_[slot] != 0)
        slot = (slot + 1) & mask;
    slots_[slot] = static_cast<std::uint32_t>(place + 1);
}

void VsCodeBody::Grow() {
    slots_.assign(2 * slots_.size(), 0);
    for (std::size_t place = 0; place < names_.size(); ++place)
        Place(names_[place].key.hash, place);
}

VsCodeBody::Name& VsCodeBody::Add(std::string_view text, const Key& key) {
    if (2 * (names_.size() + 1) > slots_.size())
        Grow();
    Place(key.hash, names_.size());
    Name name{};
    name.key = key;
    name.text = spellings_.size();
    name.size = text.size();
    spellings_.append(text);
    name.spelling = spellings_.size();
    name.prompt = !ReservedVariables::IsReserved(text);
    if (name.prompt) {
        SpellPlaceholder(text);
    } else {
        const auto twin = SnippetMapping::VsCodeVariableOf(text);
        spellings_.append("${");
        spellings_.append(twin.empty() ? text : twin);
        spellings_.append("}");
    }
    name.spellingSize = spellings_.size() - name.spelling;
    spellings_.append(kPieceCopy, '\0');
    names_.push_back(name);
    return names_.back();
}

// A prompt's name as the placeholder text of its first tab stop, and the
// brace that closes it: a brace in it is escaped. A name holds no dollar
// sign and no line break.
void VsCodeBody::SpellPlaceholder(std::string_view text) {
    const auto start = spellings_.size();
    spellings_.resize(start + text.size() * JsonEscape::kLongest + 1);
    char* at = spellings_.data() + start;
    for (const char c : text) {
        if (c == '}')
            at = Put(at, "\\\\}");
        else if (ClassOf(c) == kPlain || ClassOf(c) == kHigh)
            *at++ = c;
        else
            at = PutEscaped(at, c);
    }
    *at++ = '}';
    spellings_.resize(static_cast<std::size_t>(at - spellings_.data()));
}

}  // namespace tarvel
