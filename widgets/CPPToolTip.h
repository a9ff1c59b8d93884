#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "handles/UniqueHandle.h"
#include "layout/BalloonPlacement.h"
#include "tooltip/CBalloonPainter.h"
#include "tooltip/CCeXDib.h"
#include "tooltip/CPPHtmlDrawer.h"
#include "tooltip/CTooltipStateMachine.h"
#include "tooltip/TooltipToolInfo.h"
#include "widgets/CWindow.h"

namespace tarvel {

// A balloon that shows a tip in tooltip markup when the mouse rests on a
// registered window (a tool) of its owner. The owner creates and configures
// it, adds its tools, passes every message from PreTranslateMessage to
// RelayEvent and gets WM_NOTIFY kTooltipDisplayNotification before a tip
// shows. Never throws. Its window runs on the widget kit's framework, which
// the owner never sees.
class CPPToolTip : private tarvel::CWindow, private ITooltipStateHost {
public:
    CPPToolTip();
    ~CPPToolTip() override;
    CPPToolTip(const CPPToolTip&) = delete;
    CPPToolTip& operator=(const CPPToolTip&) = delete;

    // The window, hidden, owned by `owner`; the balloon or rectangle geometry.
    bool Create(HWND owner, bool balloon = true);
    void DestroyWindow();
    HWND GetSafeHwnd() const { return GetHwnd(); }

    // A tool covering `bounds` of the window (null: all of it).
    void AddTool(HWND window, const std::string& text, const RECT* bounds = nullptr);
    // The toolbar's buttons become tools whose tips are the bar's own.
    void AddToolBar(HWND toolbar);
    // Help tips: an icon, the string resource's text, a "More..." link to
    // the address and a picture, optionally under a green rule.
    void AddHelpTip(HWND window, UINT stringId, const std::string& address, UINT bitmapId, COLORREF mask,
                    bool separator);
    void AddHelpTipAnimated(HWND window, UINT stringId, const std::string& address, UINT imageListId, int cx, int cy,
                            COLORREF mask, int speed, bool separator);
    void AddHelpTipWithoutLink(HWND window, UINT stringId, UINT bitmapId, COLORREF mask, bool separator);

    void SetColorBk(COLORREF begin, COLORREF middle, COLORREF end);
    void SetEffectBk(int effect, int granularity);
    void SetBorder(COLORREF color, int width, int height);
    void SetDirection(int direction);
    void SetBehaviour(unsigned behaviour);
    void SetNotify(bool notify) { notify_ = notify; }
    // Types 2 autopop, 3 initial, 4 and 5 fade steps; 6 the link tick.
    void SetDelayTime(int type, unsigned milliseconds);
    void SetTransparency(int percent);
    void SetTooltipShadow(int offsetX, int offsetY, int darkness, bool gradient, int depthX, int depthY);
    void SetImageShadow(int offsetX, int offsetY, int darkness, bool gradient, int depthX, int depthY);
    void SetSize(int index, int value);
    void SetDefaultSizes(bool balloon);
    void SetCssStyles(UINT resourceId);

    void RelayEvent(const MSG& message);
    // Hides at once.
    void Pop();

    bool IsVisible() const { return machine_.Visible(); }
    // The markup of the tip on show.
    const std::string& ShownText() const { return shown_.text; }

private:
    // The message map reaches the handlers and the framework's message flags.
    friend class tarvel::MessageMap<CPPToolTip>;

    bool OnMessage(const tarvel::Message& message, LRESULT& result) override;
    void OnFinalMessage() noexcept override;
    LRESULT OnPaint(const tarvel::Message& message);
    LRESULT OnEraseBackground(const tarvel::Message& message);
    void OnTimer(UINT_PTR timerId);
    LRESULT OnMouseActivate(const tarvel::Message& message);
    LRESULT OnHitTest(const tarvel::Message& message);
    LRESULT OnSetCursor(const tarvel::Message& message);
    LRESULT OnOwnMouse(const tarvel::Message& message);
    LRESULT OnActivateApp(const tarvel::Message& message);
    LRESULT OnLinkChanged(const tarvel::Message& message);
    LRESULT OnDestroy(const tarvel::Message& message);
    void OnTick();
    void MouseAt(POINT screen);
    std::optional<TooltipToolKey> ToolAt(POINT screen) const;
    std::optional<int> ToolIndexIn(HWND window, POINT screen) const;
    bool ToolInfo(const TooltipToolKey& key, TooltipToolInfo& info) const;
    std::string ToolBarTip(HWND toolbar, int button) const;
    void ApplyDefaults(TooltipToolInfo& info) const;
    bool LayOut(const TooltipToolInfo& info, POINT point);
    std::optional<SIZE> MeasureBody(HDC screen, const TooltipToolInfo& info, POINT point, const ShadowPads& pads);
    bool ShowAt(HDC screen, const BalloonLayout& layout, const ShadowPads& pads, bool opaqueBody);
    BalloonLook ShownLook() const;
    bool HasWindowRegion(HRGN region) const;
    void CaptureScreenBelow(HDC screen, POINT at, bool opaqueBody);

    // ITooltipStateHost
    void StartTimer(unsigned id, unsigned milliseconds) override;
    void StopTimer(unsigned id) override;
    BalloonPoint CursorPosition() override;
    std::optional<TooltipShownTip> Display(const TooltipToolKey& tool, BalloonPoint point, bool fading) override;
    void MoveTo(BalloonPoint point) override;
    void ApplyTransparency(int percent) override;
    void Hide() override;

    HINSTANCE module_;
    HWND owner_ = nullptr;
    CPPHtmlDrawer drawer_;
    CTooltipStateMachine machine_{*this};
    std::map<HWND, std::vector<TooltipToolInfo>> tools_;
    std::vector<HWND> toolBars_;
    TooltipToolInfo defaults_;
    tarvel::UniqueBrush border_;
    int borderWidth_ = 1;
    int borderHeight_ = 1;
    HtmlImageShadow shadow_{6, 6, 50, true, 7, 7};
    BalloonGeometry geometry_ = BalloonGeometry::Balloon();
    bool notify_ = false;
    unsigned tick_ = 100;

    // The tip on show.
    TooltipToolInfo shown_;
    SIZE size_{};
    RECT textRect_{};
    tarvel::UniqueRegion balloon_;
    std::unique_ptr<CCeXDib> background_;
};

}  // namespace tarvel
