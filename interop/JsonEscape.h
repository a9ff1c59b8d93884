#pragma once

#include <cstddef>
#include <cstring>

// JSON's escapes, written where a pointer points into room made beforehand:
// the export writes every byte of thousands of snippets through them.
namespace tarvel::JsonEscape {

// The longest a byte becomes in the export's JSON: a line break of a body.
constexpr std::size_t kLongest = 7;

// The piece written where at points; the end of it. Pieces are string
// literals, so that the copy is a few moves.
template <std::size_t N>
char* Put(char* at, const char (&piece)[N]) {
    std::memcpy(at, piece, N - 1);
    return at + N - 1;
}

// A quote, a backslash or a control character as JSON writes it.
inline char* PutEscape(char* at, unsigned char c) {
    constexpr char kHex[] = "0123456789abcdef";
    switch (c) {
        case '"': return Put(at, "\\\"");
        case '\\': return Put(at, "\\\\");
        case '\n': return Put(at, "\\n");
        case '\r': return Put(at, "\\r");
        case '\t': return Put(at, "\\t");
        default:
            at = Put(at, "\\u00");
            *at++ = kHex[c >> 4];
            *at++ = kHex[c & 0xF];
            return at;
    }
}

}  // namespace tarvel::JsonEscape
