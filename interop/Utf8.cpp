#include "interop/Utf8.h"

#include "interop/ByteWords.h"

namespace tarvel::Utf8 {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

char32_t Next(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    int length = 0;
    char32_t codePoint = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 1, codePoint = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 2, codePoint = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 3, codePoint = lead & 0x07, least = 0x10000;
    } else {
        return kInvalid;
    }
    if (at + length > text.size())
        return kInvalid;
    for (int i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if (!IsContinuation(byte))
            return kInvalid;
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return kInvalid;
    at += length;
    return codePoint;
}

void Append(std::string& text, char32_t codePoint) {
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

void AppendOnce(std::string& list, char32_t codePoint) {
    std::string one;
    Append(one, codePoint);
    if (list.find(one) == std::string::npos)
        list += one;
}

bool IsAscii(std::string_view text) { return ByteWords::FirstMarked(text, ByteWords::High) == text.size(); }

}  // namespace tarvel::Utf8
