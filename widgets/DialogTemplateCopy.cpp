#include "widgets/DialogTemplateCopy.h"

#include <cstring>

namespace tarvel {
namespace {

constexpr WORD kExtendedSignature = 0xFFFF;
constexpr WORD kOrdinalMarker = 0xFFFF;
// DLGTEMPLATEEX: version, signature, help id, extended style, style, item count, x, y, cx, cy.
constexpr size_t kExtendedHeaderSize = 26;
// DLGTEMPLATE: style, extended style, item count, x, y, cx, cy.
constexpr size_t kClassicHeaderSize = 18;

}  // namespace

DialogTemplateCopy::DialogTemplateCopy(HINSTANCE module, UINT templateId) {
    HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(templateId), reinterpret_cast<LPCSTR>(RT_DIALOG));
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    const DWORD size = resource ? ::SizeofResource(module, resource) : 0;
    if (!data || size < kExtendedHeaderSize) {
        return;
    }
    const auto* first = static_cast<const BYTE*>(data);
    bytes_.assign(first, first + size);
}

bool DialogTemplateCopy::IsExtended() const noexcept {
    WORD signature = 0;
    std::memcpy(&signature, bytes_.data() + sizeof(WORD), sizeof(signature));
    return signature == kExtendedSignature;
}

size_t DialogTemplateCopy::StyleOffset() const noexcept { return IsExtended() ? 12 : 0; }
size_t DialogTemplateCopy::ExStyleOffset() const noexcept { return IsExtended() ? 8 : 4; }
size_t DialogTemplateCopy::HeaderSize() const noexcept {
    return IsExtended() ? kExtendedHeaderSize : kClassicHeaderSize;
}

DWORD DialogTemplateCopy::Style() const noexcept {
    DWORD style = 0;
    std::memcpy(&style, bytes_.data() + StyleOffset(), sizeof(style));
    return style;
}

void DialogTemplateCopy::SetStyle(DWORD style) noexcept {
    std::memcpy(bytes_.data() + StyleOffset(), &style, sizeof(style));
}

DWORD DialogTemplateCopy::ExStyle() const noexcept {
    DWORD exStyle = 0;
    std::memcpy(&exStyle, bytes_.data() + ExStyleOffset(), sizeof(exStyle));
    return exStyle;
}

void DialogTemplateCopy::SetExStyle(DWORD exStyle) noexcept {
    std::memcpy(bytes_.data() + ExStyleOffset(), &exStyle, sizeof(exStyle));
}

std::string DialogTemplateCopy::Caption() const {
    // After the header: menu and class (each none, an ordinal or a string), then the caption.
    size_t offset = HeaderSize();
    const size_t words = bytes_.size() / sizeof(WORD);
    auto wordAt = [this](size_t at) {
        WORD word = 0;
        std::memcpy(&word, bytes_.data() + at, sizeof(word));
        return word;
    };
    auto skipNameOrOrdinal = [&]() {
        if (offset + sizeof(WORD) > bytes_.size()) {
            return;
        }
        if (wordAt(offset) == kOrdinalMarker) {
            offset += 2 * sizeof(WORD);
            return;
        }
        while (offset / sizeof(WORD) < words && wordAt(offset) != 0) {
            offset += sizeof(WORD);
        }
        offset += sizeof(WORD);
    };
    skipNameOrOrdinal();
    skipNameOrOrdinal();
    std::wstring caption;
    while (offset + sizeof(WORD) <= bytes_.size() && wordAt(offset) != 0) {
        caption.push_back(static_cast<wchar_t>(wordAt(offset)));
        offset += sizeof(WORD);
    }
    if (caption.empty()) {
        return {};
    }
    const int length = ::WideCharToMultiByte(CP_ACP, 0, caption.c_str(), static_cast<int>(caption.size()), nullptr, 0,
                                             nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, caption.c_str(), static_cast<int>(caption.size()), &text[0], length, nullptr,
                          nullptr);
    return text;
}

}  // namespace tarvel
