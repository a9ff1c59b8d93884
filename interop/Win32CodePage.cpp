#include "interop/Win32CodePage.h"

#include <windows.h>

namespace tarvel {

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

bool Win32CodePage::AppendCharacter(char32_t character, std::string& ansi) const {
    // UTF-16: a pair of surrogates beyond the basic plane.
    constexpr char32_t kPlane = 0x10000;
    std::wstring wide;
    if (character < kPlane) {
        wide += static_cast<wchar_t>(character);
    } else {
        wide += static_cast<wchar_t>(0xD800 + ((character - kPlane) >> 10));
        wide += static_cast<wchar_t>(0xDC00 + ((character - kPlane) & 0x3FF));
    }
    std::string narrow;
    if (!Narrow(wide, narrow))
        return false;
    ansi += narrow;
    return true;
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

}  // namespace tarvel
