#include "tooltip/CTooltipStateMachine.h"

namespace tarvel {

namespace {

enum DelayType { kDelayAutopop = 2, kDelayInitial = 3, kDelayFadeIn = 4, kDelayFadeOut = 5 };

}  // namespace

void CTooltipStateMachine::SetDelay(int type, unsigned milliseconds) {
    switch (type) {
        case kDelayAutopop:
            autopop_ = milliseconds;
            break;
        case kDelayInitial:
            initialDelay_ = milliseconds;
            break;
        case kDelayFadeIn:
            fadeIn_ = milliseconds;
            break;
        case kDelayFadeOut:
            fadeOut_ = milliseconds;
            break;
        default:
            break;
    }
}

unsigned CTooltipStateMachine::Delay(int type) const {
    switch (type) {
        case kDelayAutopop:
            return autopop_;
        case kDelayInitial:
            return initialDelay_;
        case kDelayFadeIn:
            return fadeIn_;
        case kDelayFadeOut:
            return fadeOut_;
        default:
            return 0;
    }
}

void CTooltipStateMachine::MouseMoved(BalloonPoint point, bool overBalloon, std::optional<TooltipToolKey> tool) {
    if (last_ && *last_ == point)
        return;
    last_ = point;
    if (Visible() && overBalloon && !(Active() & kTooltipTrackMouse)) {
        if (Active() & kTooltipKeepOnBalloon)
            RestartAutopop();
        else
            StartHiding();
        return;
    }
    if (!tool) {
        current_.reset();
        pending_.reset();
        StartHiding();
        return;
    }
    if (current_ && *current_ == *tool) {
        const unsigned behaviour = Active();
        if (behaviour & kTooltipTrackMouse) {
            if (Visible())
                host_.MoveTo(point);
            return;
        }
        if (behaviour & kTooltipCloseOnLeave) {
            RestartAutopop();
            return;
        }
        if (!(behaviour & kTooltipMultipleShow)) {
            StartHiding();
            return;
        }
    }
    StartShowing(*tool);
}

void CTooltipStateMachine::TimerExpired(unsigned id) {
    switch (id) {
        case kTimerShow:
            host_.StopTimer(kTimerShow);
            if (!current_ || !last_)
                return;
            if (host_.CursorPosition() != *last_)
                StartHiding();
            else
                ShowNow();
            break;
        case kTimerAutopop:
            StartHiding();
            break;
        case kTimerFadeIn:
            FadeIn();
            break;
        case kTimerFadeOut:
            FadeOut();
            break;
        default:
            break;
    }
}

void CTooltipStateMachine::Pop() {
    for (unsigned id : {kTimerShow, kTimerAutopop, kTimerFadeIn, kTimerFadeOut})
        host_.StopTimer(id);
    pending_.reset();
    if (!Visible())
        return;
    // Like any hiding, it lets the same tool show again.
    if (shown_.behaviour & kTooltipMultipleShow)
        current_.reset();
    state_ = TooltipState::Hidden;
    host_.Hide();
}

void CTooltipStateMachine::StartShowing(const TooltipToolKey& tool) {
    if (Visible()) {
        pending_ = tool;
        StartHiding();
        return;
    }
    current_ = tool;
    ShowAfterDelay();
}

void CTooltipStateMachine::ShowAfterDelay() {
    if (initialDelay_ == 0)
        ShowNow();
    else
        host_.StartTimer(kTimerShow, initialDelay_);
}

void CTooltipStateMachine::ShowNow() {
    const bool fading = fadeIn_ > 0;
    state_ = TooltipState::Appearing;
    shown_ = {behaviour_, kOpaque};
    const std::optional<TooltipShownTip> tip = host_.Display(*current_, *last_, fading);
    if (!tip) {
        state_ = TooltipState::Hidden;
        return;
    }
    shown_ = *tip;
    if (fading) {
        transparency_ = kInvisible;
        host_.StartTimer(kTimerFadeIn, fadeIn_);
    } else {
        transparency_ = shown_.transparency;
        state_ = TooltipState::Shown;
    }
    RestartAutopop();
}

void CTooltipStateMachine::RestartAutopop() {
    if (Visible() && autopop_ > 0 && !(shown_.behaviour & kTooltipNoAutopop))
        host_.StartTimer(kTimerAutopop, autopop_);
}

void CTooltipStateMachine::FadeIn() {
    transparency_ -= kTransparencyStep;
    if (transparency_ <= shown_.transparency) {
        transparency_ = shown_.transparency;
        host_.StopTimer(kTimerFadeIn);
        state_ = TooltipState::Shown;
    }
    host_.ApplyTransparency(transparency_);
}

void CTooltipStateMachine::StartHiding() {
    host_.StopTimer(kTimerShow);
    host_.StopTimer(kTimerFadeIn);
    if (state_ == TooltipState::Hidden || state_ == TooltipState::Disappearing)
        return;
    host_.StopTimer(kTimerAutopop);
    if (fadeOut_ == 0) {
        FinishHiding();
        return;
    }
    state_ = TooltipState::Disappearing;
    host_.StartTimer(kTimerFadeOut, fadeOut_);
}

void CTooltipStateMachine::FadeOut() {
    transparency_ += kTransparencyStep;
    if (transparency_ >= kInvisible)
        FinishHiding();
    else
        host_.ApplyTransparency(transparency_);
}

void CTooltipStateMachine::FinishHiding() {
    host_.StopTimer(kTimerFadeOut);
    host_.Hide();
    state_ = TooltipState::Hidden;
    if (shown_.behaviour & kTooltipMultipleShow)
        current_.reset();
    if (pending_) {
        current_ = pending_;
        pending_.reset();
        ShowAfterDelay();
    }
}

}  // namespace tarvel
