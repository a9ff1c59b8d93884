#include "interop/Windows1252CodePage.h"

#include <algorithm>
#include <array>

#include "interop/Utf8.h"

namespace tarvel {

namespace {

// The characters of bytes 0x80 to 0x9F; the others are their own code points.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CharacterOf(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte; }

bool ByteOf(char32_t character, char& byte) {
    if (character < 0x80 || (character >= 0xA0 && character < 0x100)) {
        byte = static_cast<char>(character);
        return true;
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == character) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    return false;
}

}  // namespace

bool Windows1252CodePage::AppendCharacter(char32_t character, std::string& ansi) const {
    char byte = '?';
    if (!ByteOf(character, byte))
        return false;
    ansi += byte;
    return true;
}

std::string Windows1252CodePage::ToUtf8(std::string_view ansi) const {
    // Plain ASCII, nearly every entry, is the same in both.
    if (Utf8::IsAscii(ansi))
        return std::string(ansi);
    std::string utf8;
    utf8.reserve(ansi.size() + ansi.size() / 8);
    for (const char c : ansi)
        Utf8::Append(utf8, CharacterOf(static_cast<unsigned char>(c)));
    return utf8;
}

}  // namespace tarvel
