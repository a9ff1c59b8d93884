#include "widgets/CToolBar24.h"

#include <commctrl.h>

#include <cstddef>
#include <cstring>

namespace tarvel {
namespace {

constexpr WORD kToolbarResourceType = 241;
constexpr WORD kToolbarResourceVersion = 1;
constexpr char kTipSeparator = '\n';
constexpr int kStringBufferSize = 512;

struct ToolbarResource {
    SIZE buttonSize{};
    std::vector<UINT> commands;  // 0 for a separator
};

template <class Field>
bool ReadFields(const BYTE* data, DWORD size, size_t headerFields, ToolbarResource& resource) {
    std::vector<Field> fields(size / sizeof(Field));
    std::memcpy(fields.data(), data, fields.size() * sizeof(Field));
    if (fields.size() < headerFields) {
        return false;
    }
    const size_t first = headerFields - 3;
    const size_t count = fields[first + 2];
    if (fields.size() != headerFields + count) {
        return false;
    }
    resource.buttonSize = SIZE{static_cast<LONG>(fields[first]), static_cast<LONG>(fields[first + 1])};
    resource.commands.assign(fields.begin() + static_cast<std::ptrdiff_t>(headerFields), fields.end());
    return true;
}

// The resource compiler's layout is version, width, height, count and the ids
// as 16-bit words; windres writes width, height, count and the ids as 32-bit words.
bool ParseToolbarResource(const BYTE* data, DWORD size, ToolbarResource& resource) {
    WORD version = 0;
    if (size >= sizeof(version)) {
        std::memcpy(&version, data, sizeof(version));
    }
    if (version == kToolbarResourceVersion && ReadFields<WORD>(data, size, 4, resource)) {
        return true;
    }
    return ReadFields<DWORD>(data, size, 3, resource);
}

}  // namespace

bool CToolBar24::Create(HWND parent, UINT id) {
    // Controls may stand on the bar's strip: the bar clips them out and stays
    // below them, or its flat background would paint over them.
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER;
    const RECT none{0, 0, 0, 0};
    if (!CreateEx(module_, 0, TOOLBARCLASSNAMEA, "", style, none, parent, id)) {
        return false;
    }
    Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    ::SetWindowPos(GetHwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

bool CToolBar24::LoadToolBar(UINT resourceId) {
    HRSRC found = ::FindResourceA(module_, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(kToolbarResourceType));
    HGLOBAL loaded = found ? ::LoadResource(module_, found) : nullptr;
    const auto* data = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    ToolbarResource resource;
    if (!GetHwnd() || !data || !ParseToolbarResource(data, ::SizeofResource(module_, found), resource)) {
        return false;
    }
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (const UINT command : resource.commands) {
        TBBUTTON button = {};
        button.idCommand = static_cast<int>(command);
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = command == 0 ? BTNS_SEP : BTNS_BUTTON;
        button.iBitmap = command == 0 ? 0 : image++;
        buttons.push_back(button);
    }
    Send(TB_SETBITMAPSIZE, 0, MAKELPARAM(resource.buttonSize.cx, resource.buttonSize.cy));
    TBADDBITMAP bitmap{module_, resourceId};
    if (image > 0 && Send(TB_ADDBITMAP, static_cast<WPARAM>(image), reinterpret_cast<LPARAM>(&bitmap)) < 0) {
        return false;
    }
    Send(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    Send(TB_AUTOSIZE);
    return true;
}

bool CToolBar24::LoadTrueColorImages(UINT bitmapId, COLORREF mask, SIZE imageSize) {
    if (!GetHwnd()) {
        return false;
    }
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageA(module_, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) {
        return false;
    }
    BITMAP info{};
    ::GetObjectA(bitmap.get(), sizeof(info), &info);
    const int count = imageSize.cx > 0 ? info.bmWidth / imageSize.cx : 0;
    UniqueImageList images(::ImageList_Create(imageSize.cx, imageSize.cy, ILC_COLOR24 | ILC_MASK, count, 1));
    if (!images || count == 0 || ::ImageList_AddMasked(images.get(), bitmap.get(), mask) < 0) {
        return false;
    }
    Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    images_ = std::move(images);
    Send(TB_AUTOSIZE);
    ::InvalidateRect(GetHwnd(), nullptr, TRUE);
    return true;
}

bool CToolBar24::EnableButton(UINT commandId, bool enable) const noexcept {
    return Send(TB_ENABLEBUTTON, commandId, MAKELPARAM(enable ? TRUE : FALSE, 0)) != FALSE;
}

std::string CToolBar24::GetButtonTip(UINT commandId) const {
    char buffer[kStringBufferSize] = {};
    const int length = ::LoadStringA(module_, commandId, buffer, kStringBufferSize);
    const std::string entry(buffer, static_cast<size_t>(length > 0 ? length : 0));
    const size_t separator = entry.find(kTipSeparator);
    return separator == std::string::npos ? entry : entry.substr(separator + 1);
}

int CToolBar24::StretchToParent() const noexcept {
    Send(TB_AUTOSIZE);
    RECT bar{};
    ::GetWindowRect(GetHwnd(), &bar);
    RECT parent{};
    ::GetClientRect(::GetParent(GetHwnd()), &parent);
    const int height = bar.bottom - bar.top;
    ::SetWindowPos(GetHwnd(), HWND_BOTTOM, 0, 0, parent.right, height, SWP_NOACTIVATE);
    return height;
}

bool CToolBar24::OnMessage(const Message& message, LRESULT& result) {
    static const MessageMap<CToolBar24> map = MessageMap<CToolBar24>().OnMessage(WM_NOTIFY, &CToolBar24::OnNotify);
    return map.Dispatch(*this, message, result) || CWindow::OnMessage(message, result);
}

// The bar's own tips ask the bar for their text; it comes from the string table.
LRESULT CToolBar24::OnNotify(const Message& message) {
    const NMHDR* header = message.Notify();
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(message.lParam);
        tipBuffer_ = GetButtonTip(static_cast<UINT>(header->idFrom));
        info->lpszText = &tipBuffer_[0];
        info->hinst = nullptr;
        return 0;
    }
    if (header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(message.lParam);
        const std::string tip = GetButtonTip(static_cast<UINT>(header->idFrom));
        const int length = ::MultiByteToWideChar(CP_ACP, 0, tip.c_str(), -1, nullptr, 0);
        wideTipBuffer_.assign(static_cast<size_t>(length > 0 ? length : 1), L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, tip.c_str(), -1, &wideTipBuffer_[0], length);
        info->lpszText = &wideTipBuffer_[0];
        info->hinst = nullptr;
        return 0;
    }
    return Default(message);
}

}  // namespace tarvel
