#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "tooltip/CTooltipStateMachine.h"

using namespace tarvel;

namespace {

// Window timers against a clock the test moves: periodic, like SetTimer.
class FakeTooltipHost : public ITooltipStateHost {
public:
    void StartTimer(unsigned id, unsigned milliseconds) override { timers_[id] = {milliseconds, now_ + milliseconds}; }
    void StopTimer(unsigned id) override { timers_.erase(id); }
    BalloonPoint CursorPosition() override { return cursor; }
    std::optional<TooltipShownTip> Display(const TooltipToolKey& tool, BalloonPoint point, bool fading) override {
        shows.push_back({tool, point, now_});
        if (!hasText)
            return std::nullopt;
        visible = true;
        transparency = fading ? 100 : 0;
        return TooltipShownTip{behaviour, 0};
    }
    void MoveTo(BalloonPoint point) override { moves.push_back(point); }
    void ApplyTransparency(int percent) override {
        transparency = percent;
        fades.push_back(percent);
    }
    void Hide() override {
        visible = false;
        hiddenAt = now_;
    }

    // Fires every timer that falls due up to `milliseconds` from now.
    void Advance(CTooltipStateMachine& machine, unsigned milliseconds) {
        const unsigned end = now_ + milliseconds;
        for (;;) {
            auto due = timers_.end();
            for (auto it = timers_.begin(); it != timers_.end(); ++it)
                if (it->second.due <= end && (due == timers_.end() || it->second.due < due->second.due))
                    due = it;
            if (due == timers_.end())
                break;
            now_ = due->second.due;
            due->second.due += due->second.period;
            machine.TimerExpired(due->first);
        }
        now_ = end;
    }

    struct Show {
        TooltipToolKey tool;
        BalloonPoint point;
        unsigned at;
    };
    BalloonPoint cursor;
    bool hasText = true;
    unsigned behaviour = 0;
    bool visible = false;
    int transparency = 0;
    unsigned hiddenAt = 0;
    std::vector<Show> shows;
    std::vector<BalloonPoint> moves;
    std::vector<int> fades;

private:
    struct Timer {
        unsigned period;
        unsigned due;
    };
    std::map<unsigned, Timer> timers_;
    unsigned now_ = 0;
};

constexpr TooltipToolKey kTree{1020, 0};
constexpr TooltipToolKey kField{1001, 0};
constexpr TooltipToolKey kOtherField{1002, 0};

class TooltipStateMachine : public testing::Test {
protected:
    void Configure(unsigned behaviour, unsigned autopop) {
        host.behaviour = behaviour;
        machine.SetBehaviour(behaviour);
        machine.SetDelay(3, 500);
        machine.SetDelay(2, autopop);
    }
    void Move(BalloonPoint point, std::optional<TooltipToolKey> tool, bool overBalloon = false) {
        host.cursor = point;
        machine.MouseMoved(point, overBalloon, tool);
    }
    void Wait(unsigned milliseconds) { host.Advance(machine, milliseconds); }

    FakeTooltipHost host;
    CTooltipStateMachine machine{host};
};

TEST_F(TooltipStateMachine, TreePreviewShowsHalfASecondAfterTheMouseLastMoved) {
    Configure(kTooltipMultipleShow, 30000);
    Move({10, 10}, kTree);
    Wait(300);
    Move({12, 10}, kTree);
    Wait(499);
    EXPECT_TRUE(host.shows.empty());
    Wait(1);
    ASSERT_EQ(host.shows.size(), 1u);
    EXPECT_EQ(host.shows[0].at, 800u);
    EXPECT_EQ(host.shows[0].point, (BalloonPoint{12, 10}));
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(machine.State(), TooltipState::Shown);
}

TEST_F(TooltipStateMachine, TreePreviewHidesOnAnyMoveAndShowsAgainForTheNewPoint) {
    Configure(kTooltipMultipleShow, 30000);
    Move({10, 10}, kTree);
    Wait(500);
    Move({10, 30}, kTree);
    EXPECT_FALSE(host.visible);
    Wait(500);
    ASSERT_EQ(host.shows.size(), 2u);
    EXPECT_EQ(host.shows[1].point, (BalloonPoint{10, 30}));
    EXPECT_TRUE(host.visible);
}

TEST_F(TooltipStateMachine, TreePreviewHidesByItselfAfterTheAutopopTime) {
    Configure(kTooltipMultipleShow, 30000);
    Move({10, 10}, kTree);
    Wait(500 + 29999);
    EXPECT_TRUE(host.visible);
    Wait(1);
    EXPECT_FALSE(host.visible);
    EXPECT_EQ(host.hiddenAt, 30500u);
    Wait(60000);
    EXPECT_EQ(host.shows.size(), 1u) << "a tip left alone does not come back by itself";
}

TEST_F(TooltipStateMachine, RepeatedPositionIsIgnored) {
    Configure(kTooltipMultipleShow, 30000);
    Move({10, 10}, kTree);
    Wait(500);
    Move({10, 10}, kTree);
    EXPECT_TRUE(host.visible);
}

TEST_F(TooltipStateMachine, EmptyTextShowsNothing) {
    Configure(kTooltipMultipleShow, 30000);
    host.hasText = false;
    Move({10, 10}, kTree);
    Wait(500);
    EXPECT_EQ(host.shows.size(), 1u);
    EXPECT_FALSE(host.visible);
    EXPECT_EQ(machine.State(), TooltipState::Hidden);
    host.hasText = true;
    Move({11, 10}, kTree);
    Wait(500);
    EXPECT_TRUE(host.visible);
}

TEST_F(TooltipStateMachine, NothingShowsWhenTheMouseLeftBeforeTheDelay) {
    Configure(kTooltipMultipleShow, 30000);
    Move({10, 10}, kTree);
    host.cursor = {300, 300};  // outside every relaying window
    Wait(500);
    EXPECT_TRUE(host.shows.empty());
}

TEST_F(TooltipStateMachine, HelpTipStaysUpOnItsFieldAndOnTheBalloon) {
    Configure(kTooltipMultipleShow | kTooltipCloseOnLeave | kTooltipKeepOnBalloon | kTooltipNoAutopop, 30000);
    Move({10, 10}, kField);
    Wait(500);
    Move({14, 12}, kField);
    Wait(60000);
    EXPECT_TRUE(host.visible);
    Move({20, -30}, std::nullopt, true);
    Wait(60000);
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(host.shows.size(), 1u);
    Move({400, 400}, std::nullopt);
    EXPECT_FALSE(host.visible);
}

TEST_F(TooltipStateMachine, BalloonWithoutKeepBitHidesWhenTheMouseReachesIt) {
    Configure(0, 5000);
    Move({10, 10}, kField);
    Wait(500);
    Move({20, -30}, std::nullopt, true);
    EXPECT_FALSE(host.visible);
}

TEST_F(TooltipStateMachine, PopHidesAtOnceAndCancelsAPendingShow) {
    Configure(kTooltipMultipleShow, 30000);
    Move({10, 10}, kTree);
    Wait(500);
    machine.Pop();
    EXPECT_FALSE(host.visible);
    Move({11, 10}, kTree);
    machine.Pop();
    Wait(1000);
    EXPECT_EQ(host.shows.size(), 1u);
    Move({12, 10}, kTree);
    Wait(500);
    EXPECT_EQ(host.shows.size(), 2u) << "after a pop the same tool can show again";
}

TEST_F(TooltipStateMachine, AnotherToolWaitsForTheFirstToHide) {
    Configure(0, 5000);
    machine.SetDelay(5, 10);
    Move({10, 10}, kField);
    Wait(500);
    Move({10, 40}, kOtherField);
    EXPECT_EQ(machine.State(), TooltipState::Disappearing);
    Wait(50);
    EXPECT_FALSE(host.visible);
    EXPECT_EQ(host.fades, (std::vector<int>{20, 40, 60, 80}));
    Wait(499);
    EXPECT_EQ(host.shows.size(), 1u);
    Wait(1);
    ASSERT_EQ(host.shows.size(), 2u);
    EXPECT_EQ(host.shows[1].tool, kOtherField);
}

TEST_F(TooltipStateMachine, FadeInLowersTheTransparencyStepByStep) {
    Configure(0, 0);
    machine.SetDelay(4, 10);
    Move({10, 10}, kField);
    Wait(500);
    EXPECT_EQ(machine.State(), TooltipState::Appearing);
    Wait(50);
    EXPECT_EQ(host.fades, (std::vector<int>{80, 60, 40, 20, 0}));
    EXPECT_EQ(machine.State(), TooltipState::Shown);
    Wait(60000);
    EXPECT_TRUE(host.visible) << "an autopop time of 0 never hides";
}

TEST_F(TooltipStateMachine, TrackingBalloonFollowsTheMouse) {
    Configure(kTooltipTrackMouse, 5000);
    Move({10, 10}, kField);
    Wait(500);
    Move({15, 12}, kField);
    EXPECT_EQ(host.moves, (std::vector<BalloonPoint>{{15, 12}}));
    EXPECT_TRUE(host.visible);
}

TEST_F(TooltipStateMachine, WithoutMultipleShowAMoveInsideTheToolHides) {
    Configure(0, 5000);
    Move({10, 10}, kField);
    Wait(500);
    Move({11, 10}, kField);
    EXPECT_FALSE(host.visible);
    Wait(1000);
    EXPECT_EQ(host.shows.size(), 1u);
}

TEST_F(TooltipStateMachine, ZeroInitialDelayShowsAtOnce) {
    Configure(kTooltipMultipleShow, 5000);
    machine.SetDelay(3, 0);
    Move({10, 10}, kField);
    EXPECT_TRUE(host.visible);
}

}  // namespace
