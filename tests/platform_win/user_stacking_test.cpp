// Owned windows stay above their owner: the mouse finds them first, they
// are painted after it, and activating the owner does not bury them.
#include "tests/platform_win/user_test_fixture.h"

namespace {

class StackingTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        ASSERT_NE(register_recording_class("Recorder", CS_HREDRAW | CS_VREDRAW, 0, nullptr,
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
                  0);
    }
    static HWND make_owned(HWND owner, int x, int y, int width, int height) {
        return CreateWindowA("Recorder", "Owned", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width, height, owner,
                             nullptr, nullptr, nullptr);
    }
    static std::vector<HWND> downs() {
        std::vector<HWND> out;
        for (const SeenMessage& m : spy().all_of(WM_LBUTTONDOWN)) out.push_back(m.window);
        return out;
    }
};

TEST_F(StackingTest, AnOwnedWindowOverItsActiveOwnerTakesTheClicks) {
    HWND frame = make_frame("Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600);
    HWND owned = make_owned(frame, 100, 100, 300, 200);
    HWND bar = make_child(owned, 7, 0, 0, 300, 20);
    automation::run_until_idle();
    // the user works the owner (as a key that pages it would), then clicks the owned window
    SetActiveWindow(frame);
    ASSERT_EQ(GetActiveWindow(), frame);
    spy().clear();
    POINT in_owned{50, 60};
    ClientToScreen(owned, &in_owned);
    ScreenToClient(frame, &in_owned);
    ASSERT_TRUE(automation::click(frame, in_owned.x, in_owned.y));
    EXPECT_EQ(downs(), std::vector<HWND>{owned});
    EXPECT_EQ(GetActiveWindow(), owned) << "the click activates the window it lands on";

    SetActiveWindow(frame);
    spy().clear();
    POINT on_bar{10, 5};
    ClientToScreen(bar, &on_bar);
    ScreenToClient(frame, &on_bar);
    automation::click(frame, on_bar.x, on_bar.y);
    EXPECT_EQ(downs(), std::vector<HWND>{bar}) << "its children too";

    spy().clear();
    automation::click(frame, 600, 500);
    EXPECT_EQ(downs(), std::vector<HWND>{frame}) << "outside the owned window the owner takes it";
}

TEST_F(StackingTest, WindowFromPointAndPaintingFollowTheOwnership) {
    HWND frame = make_frame("Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600);
    HWND owned = make_owned(frame, 100, 100, 300, 200);
    HWND other = CreateWindowA("Recorder", "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 150, 150, 300, 200, nullptr,
                               nullptr, nullptr, nullptr);
    automation::run_until_idle();
    EXPECT_EQ(WindowFromPoint(POINT{200, 200}), other) << "the last one shown is on top";
    // activating the owner brings its owned window up with it
    SetActiveWindow(frame);
    EXPECT_EQ(WindowFromPoint(POINT{200, 200}), owned);
    EXPECT_EQ(WindowFromPoint(POINT{420, 320}), frame) << "the frame came above the other window";
    EXPECT_EQ(WindowFromPoint(POINT{700, 500}), frame);

    spy().clear();
    InvalidateRect(nullptr, nullptr, TRUE);
    automation::run_until_idle();
    std::vector<HWND> painted;
    for (const SeenMessage& m : spy().all_of(WM_PAINT)) painted.push_back(m.window);
    EXPECT_EQ(painted, (std::vector<HWND>{other, frame, owned})) << "from the bottom up";
}

}  // namespace
