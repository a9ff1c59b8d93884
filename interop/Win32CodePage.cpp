#include "interop/Win32CodePage.h"

#include <windows.h>

#include "interop/Utf8.h"

namespace {

std::wstring Wide(std::string_view text, UINT codePage) {
    if (text.empty())
        return {};
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// One character as the code page spells it; false when it cannot, without a
// look-alike ("best fit") in its place.
bool Narrow(std::wstring_view wide, std::string& narrow) {
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                             nullptr, 0, "?", &usedDefault);
    narrow.assign(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), narrow.data(),
                          length, "?", &usedDefault);
    return !usedDefault;
}

}  // namespace

// Character by character, so that each one the code page lacks is named;
// the text of a snippet is short.
std::string Win32CodePage::FromUtf8(std::string_view utf8, std::string& missing) const {
    std::string ansi;
    ansi.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        if (static_cast<unsigned char>(utf8[at]) < 0x80) {
            ansi += utf8[at++];
            continue;
        }
        const auto start = at;
        const auto character = Utf8::Next(utf8, at);
        std::string narrow;
        if (character == Utf8::kInvalid || !Narrow(Wide(utf8.substr(start, at - start), CP_UTF8), narrow)) {
            Utf8::AppendOnce(missing, character);
            narrow = "?";
        }
        ansi += narrow;
    }
    return ansi;
}

std::string Win32CodePage::ToUtf8(std::string_view ansi) const {
    const auto wide = Wide(ansi, CP_ACP);
    if (wide.empty())
        return {};
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr,
                          nullptr);
    return utf8;
}
