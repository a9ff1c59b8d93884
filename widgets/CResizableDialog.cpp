#include "widgets/CResizableDialog.h"

#include "layout/WindowPlacementText.h"

namespace tarvel {
namespace {

// The work area of the monitor nearest to the placement, in the workspace
// coordinates of placements: they count from the primary monitor's work area.
LayoutRect WorkAreaNear(const WindowPlacementText& placement) noexcept {
    RECT primary{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &primary, 0);
    const RECT rect{placement.left, placement.top, placement.right, placement.bottom};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoA(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor)) {
        monitor.rcWork = primary;
    }
    const RECT& work = monitor.rcWork;
    return LayoutRect{work.left - primary.left, work.top - primary.top, work.right - primary.left,
                      work.bottom - primary.top};
}

}  // namespace

bool CResizableDialog::EnableSaveRestore(const CProfile& profile, const std::string& section,
                                         const std::string& entry) {
    profile_ = profile;
    placementSection_ = section;
    placementEntry_ = entry;
    return RestorePlacement();
}

BOOL CResizableDialog::OnInitDialog() {
    const BOOL result = CResizable::OnInitDialog();
    MakeResizable();
    CreateSizeGrip();
    return result;
}

void CResizableDialog::MakeResizable() noexcept {
    const HWND hwnd = GetHwnd();
    RECT client = GetClientRect();
    const LONG style = (::GetWindowLongA(hwnd, GWL_STYLE) | WS_THICKFRAME) & ~DS_MODALFRAME;
    const LONG exStyle = ::GetWindowLongA(hwnd, GWL_EXSTYLE) & ~WS_EX_DLGMODALFRAME;
    ::SetWindowLongA(hwnd, GWL_STYLE, style);
    ::SetWindowLongA(hwnd, GWL_EXSTYLE, exStyle);
    // The controls were laid out for this client area; the new border must not eat into it.
    ::AdjustWindowRectEx(&client, static_cast<DWORD>(style), FALSE, static_cast<DWORD>(exStyle));
    ::SetWindowPos(hwnd, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CResizableDialog::CreateSizeGrip() noexcept {
    const RECT client = GetClientRect();
    const int width = ::GetSystemMetrics(SM_CXVSCROLL);
    const int height = ::GetSystemMetrics(SM_CYHSCROLL);
    sizeGrip_ = ::CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEGRIP,
                                  client.right - width, client.bottom - height, width, height, GetHwnd(), nullptr,
                                  Module(), nullptr);
    if (sizeGrip_) {
        ::SetWindowPos(sizeGrip_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        AddAnchor(sizeGrip_, BOTTOM_RIGHT);
    }
}

bool CResizableDialog::OnMessage(const Message& message, LRESULT& result) {
    static const MessageMap<CResizableDialog> map = MessageMap<CResizableDialog>()
                                                        .OnSize(&CResizableDialog::OnSize)
                                                        .OnMessage(WM_GETMINMAXINFO, &CResizableDialog::OnGetMinMaxInfo)
                                                        .OnMessage(WM_DESTROY, &CResizableDialog::OnDestroy);
    return map.Dispatch(*this, message, result) || CResizable::OnMessage(message, result);
}

void CResizableDialog::OnSize(UINT kind, SIZE size) {
    if (sizeGrip_) {
        // A maximised window cannot be sized from its corner.
        ::ShowWindow(sizeGrip_, kind == SIZE_MAXIMIZED ? SW_HIDE : SW_SHOW);
    }
    CResizable::OnSize(kind, size);
}

LRESULT CResizableDialog::OnGetMinMaxInfo(const Message& message) {
    auto* info = reinterpret_cast<MINMAXINFO*>(message.lParam);
    if (minTrackSize_.cx > 0 || minTrackSize_.cy > 0) {
        info->ptMinTrackSize.x = minTrackSize_.cx;
        info->ptMinTrackSize.y = minTrackSize_.cy;
    }
    return 0;
}

LRESULT CResizableDialog::OnDestroy(const Message& message) {
    SavePlacement();
    return Default(message);
}

bool CResizableDialog::RestorePlacement() noexcept {
    try {
        const auto parsed = WindowPlacementText::Parse(profile_->GetString(placementSection_, placementEntry_));
        if (!parsed) {
            return false;
        }
        // A placement off every screen would hide the modal dialog for good.
        const auto stored = parsed->OnWorkArea(WorkAreaNear(*parsed));
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        placement.flags = static_cast<UINT>(stored.flags) & WPF_RESTORETOMAXIMIZED;
        placement.showCmd = static_cast<UINT>(stored.showCommand);
        // A dialog that was closed while minimised comes back where it would be restored to.
        if (placement.showCmd == SW_SHOWMINIMIZED || placement.showCmd == SW_MINIMIZE ||
            placement.showCmd == SW_SHOWMINNOACTIVE || placement.showCmd == SW_FORCEMINIMIZE) {
            placement.showCmd = (placement.flags & WPF_RESTORETOMAXIMIZED) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        }
        placement.rcNormalPosition = RECT{stored.left, stored.top, stored.right, stored.bottom};
        return ::SetWindowPlacement(GetHwnd(), &placement) != FALSE;
    } catch (...) {
        // Keeping the default place is the fallback for any failure.
        return false;
    }
}

void CResizableDialog::SavePlacement() noexcept {
    if (!profile_) {
        return;
    }
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(GetHwnd(), &placement)) {
        return;
    }
    const RECT& normal = placement.rcNormalPosition;
    const WindowPlacementText text{normal.left,
                                   normal.top,
                                   normal.right,
                                   normal.bottom,
                                   static_cast<int>(placement.showCmd),
                                   static_cast<int>(placement.flags)};
    try {
        profile_->WriteString(placementSection_, placementEntry_, text.Format());
    } catch (...) {
        // Losing the placement is harmless; the window is going anyway.
    }
}

}  // namespace tarvel
