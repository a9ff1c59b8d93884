#include "widgets/CPPToolTip.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>

#include "handles/ModuleFile.h"
#include "handles/PaintScope.h"
#include "tooltip/CGdiHtmlPlatform.h"
#include "tooltip/HelpTipMarkup.h"
#include "tooltip/MarkupEscape.h"

namespace tarvel {

namespace {

constexpr char kClassName[] = "CPPToolTip";
constexpr int kDefaultDirection = kSideBottom | kPlaceStart;
constexpr int kMaxTransparency = 100;
constexpr int kMaxDarkness = 100;
constexpr int kDelayTick = 6;
constexpr BYTE kOpaqueAlpha = 255;

bool IsPopMessage(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_MOUSEWHEEL:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONDBLCLK:
        case WM_NCMBUTTONDOWN:
        case WM_NCMBUTTONDBLCLK:
            return true;
        default:
            return false;
    }
}

tarvel::LayoutRect ToLayout(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT Shrunk(RECT r, const ShadowPads& pads) {
    return {r.left + pads.left, r.top + pads.top, r.right - pads.right, r.bottom - pads.bottom};
}

// The union of all monitors.
RECT VirtualScreen() {
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

CPPToolTip::CPPToolTip()
    : module_(tarvel::ThisModule()), drawer_(module_), border_(::CreateSolidBrush(::GetSysColor(COLOR_INFOTEXT))) {
    const COLORREF info = ::GetSysColor(COLOR_INFOBK);
    std::fill(std::begin(defaults_.colors), std::end(defaults_.colors), info);
    defaults_.direction = kDefaultDirection;
}

CPPToolTip::~CPPToolTip() { DestroyWindow(); }

bool CPPToolTip::Create(HWND owner, bool balloon) {
    const HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    if (GetHwnd() || !RegisterClassOnce(module_, kClassName, CS_SAVEBITS, arrow, nullptr))
        return false;
    if (!CreateEx(module_, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, RECT{}, owner, 0))
        return false;
    owner_ = owner;
    SetDefaultSizes(balloon);
    drawer_.SetCallbackHyperlink(GetHwnd(), kTooltipLinkMessage, 0);
    return true;
}

void CPPToolTip::DestroyWindow() {
    if (!GetHwnd())
        return;
    // A tip on show goes with the window, or the next window would start as if it were up.
    machine_.Pop();
    ::KillTimer(GetHwnd(), kTimerTick);
    CWindow::DestroyWindow();
}

void CPPToolTip::AddTool(HWND window, const std::string& text, const RECT* bounds) {
    TooltipToolInfo info = defaults_;
    info.mask = 0;
    info.window = window;
    info.text = text;
    if (bounds)
        info.bounds = *bounds;
    tools_[window].push_back(std::move(info));
}

void CPPToolTip::AddToolBar(HWND toolbar) {
    if (std::find(toolBars_.begin(), toolBars_.end(), toolbar) != toolBars_.end())
        return;
    toolBars_.push_back(toolbar);
    // One tip at a time: the bar's own tips give way to ours.
    if (HWND own = reinterpret_cast<HWND>(::SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0)))
        ::SendMessageA(own, TTM_ACTIVATE, FALSE, 0);
}

void CPPToolTip::AddHelpTip(HWND window, UINT stringId, const std::string& address, UINT bitmapId, COLORREF mask,
                            bool separator) {
    AddTool(window, HelpTipWithBitmap({LoadResourceString(module_, stringId), address, separator}, bitmapId, mask));
}

void CPPToolTip::AddHelpTipAnimated(HWND window, UINT stringId, const std::string& address, UINT imageListId, int cx,
                                    int cy, COLORREF mask, int speed, bool separator) {
    AddTool(window, HelpTipWithImageList({LoadResourceString(module_, stringId), address, separator}, imageListId, cx,
                                         cy, mask, speed));
}

void CPPToolTip::AddHelpTipWithoutLink(HWND window, UINT stringId, UINT bitmapId, COLORREF mask, bool separator) {
    AddTool(window, HelpTipWithBitmap({LoadResourceString(module_, stringId), "", separator}, bitmapId, mask));
}

void CPPToolTip::SetColorBk(COLORREF begin, COLORREF middle, COLORREF end) {
    defaults_.colors[0] = begin;
    defaults_.colors[1] = middle;
    defaults_.colors[2] = end;
}

void CPPToolTip::SetEffectBk(int effect, int granularity) {
    defaults_.effect = effect;
    defaults_.granularity = granularity;
}

void CPPToolTip::SetBorder(COLORREF color, int width, int height) {
    border_.reset(::CreateSolidBrush(color));
    borderWidth_ = width;
    borderHeight_ = height;
}

void CPPToolTip::SetDirection(int direction) { defaults_.direction = direction; }

void CPPToolTip::SetBehaviour(unsigned behaviour) {
    defaults_.behaviour = behaviour;
    machine_.SetBehaviour(behaviour);
}

void CPPToolTip::SetDelayTime(int type, unsigned milliseconds) {
    if (type != kDelayTick) {
        machine_.SetDelay(type, milliseconds);
        return;
    }
    tick_ = milliseconds;
    if (GetHwnd() && machine_.Visible())
        ::SetTimer(GetHwnd(), kTimerTick, tick_, nullptr);
}

void CPPToolTip::SetTransparency(int percent) {
    if (percent >= 0 && percent <= kMaxTransparency)
        defaults_.transparency = percent;
}

void CPPToolTip::SetTooltipShadow(int offsetX, int offsetY, int darkness, bool gradient, int depthX, int depthY) {
    shadow_ = {offsetX, offsetY, std::clamp(darkness, 0, kMaxDarkness), gradient, std::max(0, depthX),
               std::max(0, depthY)};
}

void CPPToolTip::SetImageShadow(int offsetX, int offsetY, int darkness, bool gradient, int depthX, int depthY) {
    drawer_.SetImageShadow({offsetX, offsetY, std::clamp(darkness, 0, kMaxDarkness), gradient, depthX, depthY});
}

void CPPToolTip::SetSize(int index, int value) { geometry_.Set(index, value); }

void CPPToolTip::SetDefaultSizes(bool balloon) {
    geometry_ = balloon ? BalloonGeometry::Balloon() : BalloonGeometry::Rectangle();
}

void CPPToolTip::SetCssStyles(UINT resourceId) { drawer_.SetCssStyles(resourceId); }

void CPPToolTip::RelayEvent(const MSG& message) {
    if (!GetHwnd() || message.hwnd == GetHwnd())
        return;
    if (message.message == WM_MOUSEMOVE) {
        POINT point{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
        ::ClientToScreen(message.hwnd, &point);
        MouseAt(point);
    } else if (message.message == WM_NCMOUSEMOVE) {
        MouseAt({GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)});
    } else if (IsPopMessage(message.message) || (message.message == WM_ACTIVATEAPP && !message.wParam)) {
        Pop();
    }
}

void CPPToolTip::Pop() { machine_.Pop(); }

void CPPToolTip::MouseAt(POINT screen) {
    const bool overBalloon = machine_.Visible() && ::WindowFromPoint(screen) == GetHwnd();
    machine_.MouseMoved({screen.x, screen.y}, overBalloon, overBalloon ? std::nullopt : ToolAt(screen));
}

// The innermost registered window under the point, so a tool covered by
// another window, or hidden, shows nothing; the edit part of a combo box
// counts as the combo box.
std::optional<TooltipToolKey> CPPToolTip::ToolAt(POINT screen) const {
    for (HWND hwnd = ::WindowFromPoint(screen); hwnd && hwnd != GetHwnd(); hwnd = ::GetParent(hwnd)) {
        if (std::optional<int> index = ToolIndexIn(hwnd, screen))
            return TooltipToolKey{reinterpret_cast<std::uintptr_t>(hwnd), *index};
        if (!(::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return std::nullopt;
}

std::optional<int> CPPToolTip::ToolIndexIn(HWND window, POINT screen) const {
    POINT client = screen;
    ::ScreenToClient(window, &client);
    if (std::find(toolBars_.begin(), toolBars_.end(), window) != toolBars_.end()) {
        const int button = static_cast<int>(::SendMessageA(window, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
        if (button < 0 || ToolBarTip(window, button).empty())
            return std::nullopt;
        return button;
    }
    const auto found = tools_.find(window);
    if (found == tools_.end() || !::IsWindowEnabled(window))
        return std::nullopt;
    for (std::size_t i = 0; i < found->second.size(); ++i) {
        const RECT& bounds = found->second[i].bounds;
        if (::IsRectEmpty(&bounds) || ::PtInRect(&bounds, client))
            return static_cast<int>(i);
    }
    return std::nullopt;
}

std::string CPPToolTip::ToolBarTip(HWND toolbar, int button) const {
    TBBUTTON info{};
    if (!::SendMessageA(toolbar, TB_GETBUTTON, static_cast<WPARAM>(button), reinterpret_cast<LPARAM>(&info)) ||
        (info.fsStyle & BTNS_SEP))
        return {};
    // Asked the way the bar's own tips ask: the bar, or else its parent.
    NMTTDISPINFOA request{};
    request.hdr = {GetHwnd(), static_cast<UINT_PTR>(info.idCommand), TTN_GETDISPINFOA};
    for (HWND asked : {toolbar, ::GetParent(toolbar)}) {
        ::SendMessageA(asked, WM_NOTIFY, static_cast<WPARAM>(info.idCommand), reinterpret_cast<LPARAM>(&request));
        if (request.lpszText || request.szText[0])
            break;
    }
    if (request.hinst && IS_INTRESOURCE(request.lpszText))
        return LoadResourceString(request.hinst, static_cast<unsigned>(reinterpret_cast<UINT_PTR>(request.lpszText)));
    if (request.lpszText && !IS_INTRESOURCE(request.lpszText) && request.lpszText != LPSTR_TEXTCALLBACKA)
        return request.lpszText;
    return request.szText;
}

bool CPPToolTip::ToolInfo(const TooltipToolKey& key, TooltipToolInfo& info) const {
    HWND window = reinterpret_cast<HWND>(key.window);
    if (!::IsWindow(window))
        return false;
    if (std::find(toolBars_.begin(), toolBars_.end(), window) != toolBars_.end()) {
        info = defaults_;
        info.mask = 0;
        info.window = window;
        info.text = EscapeMarkupText(ToolBarTip(window, key.index));
        ::SendMessageA(window, TB_GETITEMRECT, static_cast<WPARAM>(key.index), reinterpret_cast<LPARAM>(&info.bounds));
        return true;
    }
    const auto found = tools_.find(window);
    if (found == tools_.end() || key.index < 0 || key.index >= static_cast<int>(found->second.size()))
        return false;
    info = found->second[static_cast<std::size_t>(key.index)];
    return true;
}

void CPPToolTip::ApplyDefaults(TooltipToolInfo& info) const {
    if (!(info.mask & kToolMaskEffect)) {
        info.effect = defaults_.effect;
        info.granularity = defaults_.granularity;
    }
    if (!(info.mask & kToolMaskColors))
        std::copy(std::begin(defaults_.colors), std::end(defaults_.colors), std::begin(info.colors));
    if (!(info.mask & kToolMaskDirection))
        info.direction = defaults_.direction;
    if (!(info.mask & kToolMaskBehaviour))
        info.behaviour = defaults_.behaviour;
    if (!(info.mask & kToolMaskTransparency))
        info.transparency = defaults_.transparency;
}

std::optional<TooltipShownTip> CPPToolTip::Display(const TooltipToolKey& tool, BalloonPoint at, bool fading) {
    TooltipToolInfo info;
    if (!GetHwnd() || !ToolInfo(tool, info))
        return std::nullopt;
    ApplyDefaults(info);
    POINT point{at.x, at.y};
    if (notify_ && owner_) {
        const UINT id = static_cast<UINT>(::GetDlgCtrlID(GetHwnd()));
        TooltipDisplayNotify notify{{GetHwnd(), id, kTooltipDisplayNotification}, info.window, &point, &info};
        ::SendMessageA(owner_, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&notify));
    }
    if (!GetHwnd() || info.text.empty())
        return std::nullopt;
    shown_ = std::move(info);
    ApplyTransparency(fading ? CTooltipStateMachine::kInvisible : shown_.transparency);
    if (!LayOut(shown_, point))
        return std::nullopt;
    // Only a tip on show needs the tick; an idle tooltip wakes nobody.
    ::SetTimer(GetHwnd(), kTimerTick, tick_, nullptr);
    return TooltipShownTip{shown_.behaviour, shown_.transparency};
}

// Measures the markup, places the balloon and its shadow inside the virtual
// screen, captures the screen below it and shows it.
bool CPPToolTip::LayOut(const TooltipToolInfo& info, POINT point) {
    tarvel::UniqueWindowDC screen(::GetDC(nullptr), nullptr);
    if (!screen)
        return false;
    const ShadowPads pads = CBalloonPainter::PadsFor(shadow_);
    const std::optional<SIZE> body = MeasureBody(screen.get(), info, point, pads);
    if (!body)
        return false;
    const BalloonLayout layout = PlaceBalloon(body->cx, body->cy, geometry_, info.direction, {point.x, point.y},
                                              ToLayout(Shrunk(VirtualScreen(), pads)));
    return ShowAt(screen.get(), layout, pads, info.effect != kEffectTransparent);
}

// The body of text and margins, never larger than the work area of the
// monitor it appears on: what does not fit is clipped.
std::optional<SIZE> CPPToolTip::MeasureBody(HDC screen, const TooltipToolInfo& info, POINT point,
                                            const ShadowPads& pads) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoA(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor))
        return std::nullopt;
    const tarvel::LayoutRect work = ToLayout(Shrunk(monitor.rcWork, pads));
    const int marginX = geometry_[kMarginX], marginY = geometry_[kMarginY];
    const int maxWidth = MaxBodyWidth(geometry_, work, info.direction);
    const int maxHeight = MaxBodyHeight(geometry_, work, info.direction);
    const SIZE text = drawer_.PrepareOutput(screen, info.text, std::max(1, maxWidth - 2 * marginX));
    return SIZE{std::min(maxWidth, static_cast<int>(text.cx) + 2 * marginX),
                std::min(maxHeight, static_cast<int>(text.cy) + 2 * marginY)};
}

bool CPPToolTip::ShowAt(HDC screen, const BalloonLayout& layout, const ShadowPads& pads, bool opaqueBody) {
    const RECT window{layout.window.left - pads.left, layout.window.top - pads.top, layout.window.right + pads.right,
                      layout.window.bottom + pads.bottom};
    size_ = {window.right - window.left, window.bottom - window.top};
    const POINT origin{pads.left, pads.top};
    const int marginX = geometry_[kMarginX], marginY = geometry_[kMarginY];
    textRect_ = {origin.x + layout.body.left + marginX, origin.y + layout.body.top + marginY,
                 origin.x + layout.body.right - marginX, origin.y + layout.body.bottom - marginY};
    balloon_ = CBalloonPainter::BalloonRegion(layout, geometry_, origin);
    background_ = std::make_unique<CCeXDib>(size_.cx, size_.cy);
    if (!balloon_ || !background_->Valid())
        return false;
    ::ShowWindow(GetHwnd(), SW_HIDE);
    CaptureScreenBelow(screen, {window.left, window.top}, opaqueBody);
    CBalloonPainter::ShadeBelowOpaqueBody(*background_, balloon_.get(), ShownLook(), textRect_);
    // The window owns its region only when the call succeeds.
    tarvel::UniqueRegion region = CBalloonPainter::WindowRegion(balloon_.get(), shadow_);
    if (!HasWindowRegion(region.get()) && ::SetWindowRgn(GetHwnd(), region.get(), FALSE))
        region.release();
    ::SetWindowPos(GetHwnd(), HWND_TOPMOST, window.left, window.top, size_.cx, size_.cy,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return true;
}

// A tip shown again in the same shape (the tree's preview of one entry, shown
// anew after every move of the mouse) keeps the window's region: setting it
// costs a round trip to the display.
bool CPPToolTip::HasWindowRegion(HRGN region) const {
    const tarvel::UniqueRegion current(::CreateRectRgn(0, 0, 0, 0));
    return current && ::GetWindowRgn(GetHwnd(), current.get()) != ERROR && ::EqualRgn(current.get(), region);
}

// Reading the screen is slow (under X a round trip with every pixel): an
// opaque body hides what lies below the text, so only the bands around it
// are read.
void CPPToolTip::CaptureScreenBelow(HDC screen, POINT at, bool opaqueBody) {
    if (!opaqueBody) {
        background_->CopyFrom(screen, at.x, at.y);
        return;
    }
    for (const RECT& band : CBalloonPainter::BandsAround(size_, textRect_))
        if (band.right > band.left && band.bottom > band.top)
            ::BitBlt(background_->Dc(), band.left, band.top, band.right - band.left, band.bottom - band.top, screen,
                     at.x + band.left, at.y + band.top, SRCCOPY);
}

void CPPToolTip::StartTimer(unsigned id, unsigned milliseconds) {
    if (GetHwnd())
        ::SetTimer(GetHwnd(), id, milliseconds, nullptr);
}

void CPPToolTip::StopTimer(unsigned id) {
    if (GetHwnd())
        ::KillTimer(GetHwnd(), id);
}

BalloonPoint CPPToolTip::CursorPosition() {
    POINT point{};
    ::GetCursorPos(&point);
    return {point.x, point.y};
}

void CPPToolTip::MoveTo(BalloonPoint point) {
    if (GetHwnd())
        LayOut(shown_, {point.x, point.y});
}

void CPPToolTip::ApplyTransparency(int percent) {
    if (!GetHwnd())
        return;
    const LONG_PTR style = ::GetWindowLongPtrA(GetHwnd(), GWL_EXSTYLE);
    if (percent <= 0) {
        if (style & WS_EX_LAYERED)
            ::SetWindowLongPtrA(GetHwnd(), GWL_EXSTYLE, style & ~WS_EX_LAYERED);
        return;
    }
    if (!(style & WS_EX_LAYERED))
        ::SetWindowLongPtrA(GetHwnd(), GWL_EXSTYLE, style | WS_EX_LAYERED);
    const int alpha = kOpaqueAlpha * (kMaxTransparency - std::min(percent, kMaxTransparency)) / kMaxTransparency;
    ::SetLayeredWindowAttributes(GetHwnd(), 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

void CPPToolTip::Hide() {
    if (!GetHwnd())
        return;
    ::KillTimer(GetHwnd(), kTimerTick);
    ::ShowWindow(GetHwnd(), SW_HIDE);
}

bool CPPToolTip::OnMessage(const tarvel::Message& message, LRESULT& result) {
    static const auto map = tarvel::MessageMap<CPPToolTip>()
                                .OnMessage(WM_PAINT, &CPPToolTip::OnPaint)
                                .OnMessage(WM_ERASEBKGND, &CPPToolTip::OnEraseBackground)
                                .OnTimer(&CPPToolTip::OnTimer)
                                .OnMessage(WM_MOUSEACTIVATE, &CPPToolTip::OnMouseActivate)
                                .OnMessage(WM_NCHITTEST, &CPPToolTip::OnHitTest)
                                .OnMessage(WM_SETCURSOR, &CPPToolTip::OnSetCursor)
                                .OnMessage(WM_MOUSEMOVE, &CPPToolTip::OnOwnMouse)
                                .OnMessage(WM_LBUTTONDOWN, &CPPToolTip::OnOwnMouse)
                                .OnMessage(WM_LBUTTONDBLCLK, &CPPToolTip::OnOwnMouse)
                                .OnMessage(WM_RBUTTONDOWN, &CPPToolTip::OnOwnMouse)
                                .OnMessage(WM_RBUTTONDBLCLK, &CPPToolTip::OnOwnMouse)
                                .OnMessage(WM_MBUTTONDOWN, &CPPToolTip::OnOwnMouse)
                                .OnMessage(WM_MBUTTONDBLCLK, &CPPToolTip::OnOwnMouse)
                                .OnMessage(WM_MOUSEWHEEL, &CPPToolTip::OnOwnMouse)
                                .OnMessage(WM_ACTIVATEAPP, &CPPToolTip::OnActivateApp)
                                .OnMessage(kTooltipLinkMessage, &CPPToolTip::OnLinkChanged)
                                .OnMessage(WM_DESTROY, &CPPToolTip::OnDestroy);
    return map.Dispatch(*this, message, result);
}

LRESULT CPPToolTip::OnEraseBackground(const tarvel::Message&) { return 1; }

void CPPToolTip::OnTimer(UINT_PTR timerId) {
    if (timerId == kTimerTick)
        OnTick();
    else
        machine_.TimerExpired(static_cast<unsigned>(timerId));
}

LRESULT CPPToolTip::OnMouseActivate(const tarvel::Message&) { return MA_NOACTIVATE; }

// A tip that the mouse does not keep up lets the mouse through: a press on
// the item under a preview reaches the item.
LRESULT CPPToolTip::OnHitTest(const tarvel::Message& message) {
    if (shown_.behaviour & kTooltipKeepOnBalloon)
        return Default(message);
    return HTTRANSPARENT;
}

LRESULT CPPToolTip::OnSetCursor(const tarvel::Message&) {
    POINT point{};
    ::GetCursorPos(&point);
    ::ScreenToClient(GetHwnd(), &point);
    if (!drawer_.SetLinkCursor(point))
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

LRESULT CPPToolTip::OnActivateApp(const tarvel::Message& message) {
    if (!message.wParam)
        Pop();
    return Default(message);
}

LRESULT CPPToolTip::OnLinkChanged(const tarvel::Message&) {
    if (::IsWindowVisible(GetHwnd()))
        ::RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return 0;
}

LRESULT CPPToolTip::OnDestroy(const tarvel::Message& message) {
    ::KillTimer(GetHwnd(), kTimerTick);
    return Default(message);
}

// Destroyed with its owner: nothing is left to destroy later.
void CPPToolTip::OnFinalMessage() noexcept { machine_.Pop(); }

LRESULT CPPToolTip::OnOwnMouse(const tarvel::Message& message) {
    POINT point = message.Point();
    if (message.id == WM_MOUSEMOVE) {
        ::ClientToScreen(GetHwnd(), &point);
        MouseAt(point);
        return 0;
    }
    if (message.id == WM_LBUTTONDOWN)
        drawer_.OnLButtonDown(point);
    Pop();
    return 0;
}

LRESULT CPPToolTip::OnPaint(const tarvel::Message&) {
    const tarvel::PaintScope paint(GetHwnd());
    const HDC dc = paint.dc();
    if (dc && background_ && balloon_)
        CBalloonPainter::Paint(dc, *background_, balloon_.get(), ShownLook(), drawer_, textRect_);
    return 0;
}

BalloonLook CPPToolTip::ShownLook() const {
    return {shown_.effect,  shown_.granularity, {shown_.colors[0], shown_.colors[1], shown_.colors[2]},
            border_.get(),  borderWidth_,       borderHeight_,
            shadow_};
}

// Watches the mouse while a tip is up, as the owner relays only the moves
// over its own windows; redraws when the hover state of a link or an
// animation changed.
void CPPToolTip::OnTick() {
    if (!machine_.Visible())
        return;
    POINT point{};
    ::GetCursorPos(&point);
    MouseAt(point);
    if (machine_.State() != TooltipState::Shown || !::IsWindowVisible(GetHwnd()))
        return;
    ::ScreenToClient(GetHwnd(), &point);
    if (drawer_.IsRedrawNeeded(point))
        ::InvalidateRect(GetHwnd(), nullptr, FALSE);
}

}  // namespace tarvel
