#pragma once

#include <cstdint>
#include <optional>

#include "layout/BalloonPlacement.h"

namespace tarvel {

// Behaviour bits of a tooltip.
enum TooltipBehaviour : unsigned {
    kTooltipMultipleShow = 0x01,   // the tip may show again for the same tool
    kTooltipTrackMouse = 0x02,     // the balloon follows the mouse inside the tool
    kTooltipCloseOnLeave = 0x04,   // moves inside the tool keep the tip up
    kTooltipKeepOnBalloon = 0x08,  // the mouse on the balloon keeps the tip up
    kTooltipNoAutopop = 0x10,      // the tip never hides by itself
};

enum class TooltipState { Hidden = 0, Appearing = 1, Shown = 2, Disappearing = 3 };

enum TooltipTimer : unsigned {
    kTimerShow = 256,
    kTimerAutopop = 257,
    kTimerFadeIn = 258,
    kTimerFadeOut = 259,
    kTimerTick = 260,
};

// One tool: a registered window and the index of its rectangle there.
struct TooltipToolKey {
    std::uintptr_t window = 0;
    int index = 0;
    bool operator==(const TooltipToolKey& o) const { return window == o.window && index == o.index; }
    bool operator!=(const TooltipToolKey& o) const { return !(*this == o); }
};

// What a shown tip asks of the rest of its life.
struct TooltipShownTip {
    unsigned behaviour = 0;
    int transparency = 0;
};

// The window and the clock that the state machine drives.
class ITooltipStateHost {
public:
    virtual ~ITooltipStateHost() = default;
    virtual void StartTimer(unsigned id, unsigned milliseconds) = 0;
    virtual void StopTimer(unsigned id) = 0;
    virtual BalloonPoint CursorPosition() = 0;
    // Asks the owner, lays out, places and shows the tool's tip at the
    // point, fully transparent when `fading`; nothing when its text is empty.
    virtual std::optional<TooltipShownTip> Display(const TooltipToolKey& tool, BalloonPoint point, bool fading) = 0;
    virtual void MoveTo(BalloonPoint point) = 0;
    virtual void ApplyTransparency(int percent) = 0;
    virtual void Hide() = 0;
};

// When a tooltip shows, hides and fades, from the mouse moves its owner
// relays and the expiry of its timers.
class CTooltipStateMachine {
public:
    explicit CTooltipStateMachine(ITooltipStateHost& host) : host_(host) {}

    void SetBehaviour(unsigned behaviour) { behaviour_ = behaviour; }
    // Types 2 (autopop), 3 (initial), 4 (fade-in step) and 5 (fade-out step).
    void SetDelay(int type, unsigned milliseconds);
    unsigned Delay(int type) const;

    // A mouse move at a screen point; `tool` is the tool under it, if any.
    void MouseMoved(BalloonPoint point, bool overBalloon, std::optional<TooltipToolKey> tool);
    void TimerExpired(unsigned id);
    // Hides at once.
    void Pop();

    TooltipState State() const { return state_; }
    bool Visible() const { return state_ != TooltipState::Hidden; }

    static constexpr int kTransparencyStep = 20;
    static constexpr int kOpaque = 0;
    static constexpr int kInvisible = 100;

private:
    unsigned Active() const { return Visible() ? shown_.behaviour : behaviour_; }
    void StartShowing(const TooltipToolKey& tool);
    void ShowAfterDelay();
    void ShowNow();
    void StartHiding();
    void FinishHiding();
    void FadeIn();
    void FadeOut();
    void RestartAutopop();

    ITooltipStateHost& host_;
    unsigned behaviour_ = 0;
    unsigned initialDelay_ = 500;
    unsigned autopop_ = 5000;
    unsigned fadeIn_ = 0;
    unsigned fadeOut_ = 0;
    TooltipState state_ = TooltipState::Hidden;
    std::optional<BalloonPoint> last_;
    std::optional<TooltipToolKey> current_;
    std::optional<TooltipToolKey> pending_;
    TooltipShownTip shown_;
    int transparency_ = kOpaque;
};

}  // namespace tarvel
