// Scroll bars of a window (their parts worked by hand, the wheel), carets
// and cursors.
#include "platform/user/user_internal.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

class ScrollCaretTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        ASSERT_NE(register_recording_class("Recorder"), 0);
        frame = make_frame("f", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300);
        view = make_child(frame, 3000, 0, 0, 200, 100, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL);
        spy().clear();
    }
    HWND frame = nullptr;
    HWND view = nullptr;
};

TEST_F(ScrollCaretTest, AnEmptyRangeHidesTheBarAndResizesTheClient) {
    int lo = -1, hi = -1;
    GetScrollRange(view, SB_VERT, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 100);
    EXPECT_EQ(client_of(view).right, 184);
    EXPECT_TRUE(SetScrollRange(view, SB_VERT, 0, 0, TRUE));
    EXPECT_EQ(client_of(view).right, 200);
    auto sizes = spy().all_of(WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(LOWORD(sizes[0].lparam), 200);
    EXPECT_EQ(HIWORD(sizes[0].lparam), 84);
    EXPECT_FALSE(GetWindowLongA(view, GWL_STYLE) & WS_VSCROLL);
    spy().clear();
    SetScrollRange(view, SB_VERT, 0, 0, TRUE);
    EXPECT_TRUE(spy().all_of(WM_SIZE).empty()) << "nothing changed";
    SetScrollRange(view, SB_VERT, 0, 50, TRUE);
    EXPECT_EQ(client_of(view).right, 184);
    EXPECT_FALSE(SetScrollRange(view, SB_VERT, 5, 1, TRUE));
}

TEST_F(ScrollCaretTest, PositionsAreKeptInsideTheRange) {
    SetScrollRange(view, SB_HORZ, 0, 30, TRUE);
    struct Step {
        int set;
        int previous;
        int now;
    };
    const Step steps[] = {{10, 0, 10}, {40, 10, 30}, {-5, 30, 0}, {30, 0, 30}};
    for (const Step& s : steps) {
        EXPECT_EQ(SetScrollPos(view, SB_HORZ, s.set, TRUE), s.previous) << s.set;
        EXPECT_EQ(GetScrollPos(view, SB_HORZ), s.now) << s.set;
    }
    SetScrollRange(view, SB_HORZ, 0, 20, TRUE);
    EXPECT_EQ(GetScrollPos(view, SB_HORZ), 20) << "a smaller range pulls the position in";

    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 95, 0};
    EXPECT_EQ(SetScrollInfo(view, SB_VERT, &info, TRUE), 90) << "the last page starts at max - page + 1";
    SCROLLINFO back{sizeof back, SIF_ALL, 0, 0, 0, 0, 0};
    EXPECT_TRUE(GetScrollInfo(view, SB_VERT, &back));
    EXPECT_EQ(back.nMax, 99);
    EXPECT_EQ(back.nPage, 10u);
    EXPECT_EQ(back.nPos, 90);
    SCROLLINFO whole{sizeof whole, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 9, 10, 0, 0};
    SetScrollInfo(view, SB_VERT, &whole, TRUE);
    EXPECT_TRUE(GetWindowLongA(view, GWL_STYLE) & WS_VSCROLL) << "disabled, not hidden";
    EXPECT_TRUE(ShowScrollBar(view, SB_BOTH, FALSE));
    EXPECT_EQ(client_of(view).right, 200);
    EXPECT_EQ(client_of(view).bottom, 100);
}

TEST_F(ScrollCaretTest, ScrollMessagesFromTheAutomation) {
    automation::scroll(view, SB_VERT, SB_PAGEDOWN);
    automation::scroll(view, SB_HORZ, SB_THUMBPOSITION, 12);
    auto v = spy().all_of(WM_VSCROLL);
    auto h = spy().all_of(WM_HSCROLL);
    ASSERT_EQ(v.size(), 1u);
    ASSERT_EQ(h.size(), 1u);
    EXPECT_EQ(v[0].window, view);
    EXPECT_EQ(LOWORD(v[0].wparam), SB_PAGEDOWN);
    EXPECT_EQ(h[0].wparam, MAKEWPARAM(SB_THUMBPOSITION, 12));
}

// The view is 184 x 84 inside its bars. Vertical bar at x 184-199: up arrow
// y 0-15, down arrow 68-83, channel 16-67; range 0-100, the 16-pixel thumb of
// position 50 at y 34-49. Horizontal bar at y 84-99 alike across.
struct HeldPress {
    const char* what;
    POINT press;   // view client coordinates
    POINT moved;   // where the pointer goes while held ({-1, -1}: stays)
    DWORD held_ms;
    UINT message;
    std::vector<std::pair<int, int>> heard;  // code and position
    int position_after;
};

TEST_F(ScrollCaretTest, EachPartOfABarSendsItsStepsWhileHeld) {
    // The program: a line is 1, a page 10; the thumb goes where it is put.
    spy().handlers[WM_VSCROLL] = spy().handlers[WM_HSCROLL] = [](HWND w, UINT m, WPARAM wp, LPARAM) -> LRESULT {
        const int bar = m == WM_VSCROLL ? SB_VERT : SB_HORZ;
        const int steps[] = {-1, 1, -10, 10};
        if (LOWORD(wp) <= SB_PAGEDOWN) SetScrollPos(w, bar, GetScrollPos(w, bar) + steps[LOWORD(wp)], TRUE);
        if (LOWORD(wp) == SB_THUMBPOSITION) SetScrollPos(w, bar, HIWORD(wp), TRUE);
        return 0;
    };
    const std::pair<int, int> end{SB_ENDSCROLL, 0};
    const HeldPress cases[] = {
        {"up arrow clicked", {192, 8}, {-1, -1}, 0, WM_VSCROLL, {{SB_LINEUP, 0}, end}, 49},
        {"down arrow let go just before the repeat", {192, 76}, {-1, -1}, 399, WM_VSCROLL, {{SB_LINEDOWN, 0}, end}, 51},
        {"down arrow held: again at 400 and 450 ms",
         {192, 76}, {-1, -1}, 450, WM_VSCROLL, {{SB_LINEDOWN, 0}, {SB_LINEDOWN, 0}, {SB_LINEDOWN, 0}, end}, 53},
        {"down arrow left by the pointer repeats no more", {192, 76}, {100, 40}, 1000, WM_VSCROLL,
         {{SB_LINEDOWN, 0}, end}, 51},
        {"channel above the thumb", {192, 20}, {-1, -1}, 0, WM_VSCROLL, {{SB_PAGEUP, 0}, end}, 40},
        {"channel below held until the thumb reaches the pointer", {192, 64}, {-1, -1}, 1000, WM_VSCROLL,
         {{SB_PAGEDOWN, 0}, {SB_PAGEDOWN, 0}, {SB_PAGEDOWN, 0}, {SB_PAGEDOWN, 0}, {SB_PAGEDOWN, 0}, end}, 100},
        {"right arrow of the horizontal bar", {180, 92}, {-1, -1}, 0, WM_HSCROLL, {{SB_LINERIGHT, 0}, end}, 51},
        {"thumb pressed and let go where it is", {192, 40}, {-1, -1}, 500, WM_VSCROLL,
         {{SB_THUMBPOSITION, 50}, end}, 50},
        {"thumb dragged to the bottom", {192, 40}, {192, 80}, 0, WM_VSCROLL,
         {{SB_THUMBTRACK, 100}, {SB_THUMBPOSITION, 100}, end}, 100},
    };
    for (const HeldPress& c : cases) {
        SetScrollRange(view, SB_HORZ, 0, 100, TRUE);
        SetScrollPos(view, SB_VERT, 50, TRUE);
        SetScrollPos(view, SB_HORZ, 50, TRUE);
        spy().clear();
        if (c.moved.x >= 0) automation::when_idle([&] { automation::move_mouse(view, c.moved.x, c.moved.y); });
        automation::when_idle([&] { automation::let_time_pass(c.held_ms); });
        automation::when_idle([] { automation::mouse_up(); });
        ASSERT_TRUE(automation::mouse_down(view, c.press.x, c.press.y)) << c.what;
        std::vector<std::pair<int, int>> heard;
        for (const SeenMessage& m : spy().all_of(c.message)) heard.emplace_back(LOWORD(m.wparam), HIWORD(m.wparam));
        EXPECT_EQ(heard, c.heard) << c.what;
        EXPECT_TRUE(spy().all_of(WM_LBUTTONDOWN).empty() && spy().all_of(WM_LBUTTONUP).empty()) << c.what;
        EXPECT_EQ(GetScrollPos(view, c.message == WM_VSCROLL ? SB_VERT : SB_HORZ), c.position_after) << c.what;
        EXPECT_EQ(GetCapture(), nullptr) << c.what;
    }
    EXPECT_FALSE(automation::failed());
}

TEST_F(ScrollCaretTest, ClicksAndDragsOnABarWorkItAndTheArrowShowsPushedWhileHeld) {
    SetScrollPos(view, SB_VERT, 50, TRUE);
    automation::click(view, 192, 76);
    std::vector<WORD> codes;
    for (const SeenMessage& m : spy().all_of(WM_VSCROLL)) codes.push_back(LOWORD(m.wparam));
    EXPECT_EQ(codes, (std::vector<WORD>{SB_LINEDOWN, SB_ENDSCROLL}));
    spy().clear();
    // The hand moves 44 pixels in six steps; the thumb, gripped 6 pixels
    // down, follows: 69, 89, then it stays at the end.
    automation::drag(view, 192, 40, 192, 84);
    std::vector<std::pair<int, int>> heard;
    for (const SeenMessage& m : spy().all_of(WM_VSCROLL)) heard.emplace_back(LOWORD(m.wparam), HIWORD(m.wparam));
    EXPECT_EQ(heard, (std::vector<std::pair<int, int>>{{SB_THUMBTRACK, 69}, {SB_THUMBTRACK, 89}, {SB_THUMBTRACK, 100},
                                                       {SB_THUMBPOSITION, 100}, {SB_ENDSCROLL, 0}}));
    SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(view, SB_VERT, &info);
    EXPECT_EQ(info.nTrackPos, 100);

    platform_user::ScrollPart held = platform_user::ScrollPart::none, left = held;
    automation::when_idle([&] { held = platform_user::find_window(view)->vscroll.pressed; });
    automation::when_idle([&] { automation::move_mouse(view, 100, 40); });
    automation::when_idle([&] { left = platform_user::find_window(view)->vscroll.pressed; });
    automation::when_idle([] { automation::mouse_up(); });
    automation::mouse_down(view, 192, 8);
    EXPECT_EQ(held, platform_user::ScrollPart::line_up);
    EXPECT_EQ(left, platform_user::ScrollPart::none) << "drawn raised while the pointer is off it";
    EXPECT_EQ(platform_user::find_window(view)->vscroll.pressed, platform_user::ScrollPart::none);

    // A disabled bar takes no press.
    EnableScrollBar(view, SB_VERT, ESB_DISABLE_BOTH);
    spy().clear();
    automation::click(view, 192, 76);
    EXPECT_TRUE(spy().all_of(WM_VSCROLL).empty());
}

TEST_F(ScrollCaretTest, AScriptThatEndsWhileTheButtonIsHeldFails) {
    std::string error;
    ASSERT_TRUE(automation::load_script("log \"held\"\n", ".", &error)) << error;
    automation::mouse_down(view, 192, 76);
    EXPECT_TRUE(automation::failed());
    EXPECT_NE(automation::log_text().find("the script ended while the scroll bar held by the left button waits"),
              std::string::npos)
        << automation::log_text();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollCaretTest, EachWheelNotchScrollsTheWindowUnderThePointerThreeLines) {
    HWND inner = make_child(view, 3001, 10, 10, 80, 40);
    HWND plain = make_child(frame, 3002, 250, 150, 100, 100);
    HWND bar = CreateWindowA("SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 370, 10, 16, 120, frame, nullptr,
                             nullptr, nullptr);
    struct Turn {
        const char* what;
        HWND over;
        int notches;
        unsigned modifiers;
        HWND hears;
        UINT message;
        LPARAM lparam;
        WORD code;
    };
    const Turn turns[] = {
        {"towards the hand over the view", view, -1, automation::no_modifiers, view, WM_VSCROLL, 0, SB_LINEDOWN},
        {"away over a child without a bar: its parent's", inner, 1, automation::no_modifiers, view, WM_VSCROLL, 0,
         SB_LINEUP},
        {"with Shift: sideways", inner, -2, automation::shift, view, WM_HSCROLL, 0, SB_LINEDOWN},
        {"over a scroll bar control: its parent hears", bar, -1, automation::no_modifiers, frame, WM_VSCROLL,
         reinterpret_cast<LPARAM>(bar), SB_LINEDOWN},
        {"nothing with a bar under the pointer", plain, -1, automation::no_modifiers, nullptr, WM_VSCROLL, 0, 0},
    };
    for (const Turn& t : turns) {
        spy().clear();
        automation::turn_wheel(t.over, 5, 5, t.notches, t.modifiers);
        std::vector<SeenMessage> heard;
        for (const SeenMessage& m : spy().seen) {
            if (m.message == WM_VSCROLL || m.message == WM_HSCROLL || m.message == WM_MOUSEWHEEL) heard.push_back(m);
        }
        const size_t notches = static_cast<size_t>(std::abs(t.notches));
        ASSERT_EQ(heard.size(), t.hears ? 4 * notches : 0u) << t.what;
        for (size_t i = 0; i < heard.size(); ++i) {
            EXPECT_EQ(heard[i].window, t.hears) << t.what;
            EXPECT_EQ(heard[i].message, t.message) << t.what;
            EXPECT_EQ(heard[i].lparam, t.lparam) << t.what;
            EXPECT_EQ(LOWORD(heard[i].wparam), i % 4 == 3 ? static_cast<WORD>(SB_ENDSCROLL) : t.code) << t.what << " " << i;
        }
    }
}

TEST_F(ScrollCaretTest, CaretsCountTheirHides) {
    EXPECT_FALSE(SetCaretPos(1, 1)) << "no caret yet";
    ASSERT_TRUE(CreateCaret(view, nullptr, 6, 12));
    HWND owner = nullptr;
    bool visible = true;
    automation::caret_position(&owner, &visible);
    EXPECT_EQ(owner, view);
    EXPECT_FALSE(visible) << "a new caret is hidden";
    EXPECT_TRUE(ShowCaret(view));
    EXPECT_TRUE(SetCaretPos(12, 24));
    POINT p = automation::caret_position(nullptr, &visible);
    EXPECT_TRUE(visible);
    EXPECT_EQ(p.x, 12);
    EXPECT_EQ(p.y, 24);
    EXPECT_TRUE(HideCaret(view));
    EXPECT_TRUE(HideCaret(nullptr));
    EXPECT_TRUE(ShowCaret(view));
    automation::caret_position(nullptr, &visible);
    EXPECT_FALSE(visible) << "hidden twice, shown once";
    EXPECT_TRUE(ShowCaret(view));
    EXPECT_FALSE(ShowCaret(view)) << "not hidden";
    EXPECT_FALSE(ShowCaret(frame)) << "another window's caret";

    // Painting hides the caret and shows it again.
    bool visible_during_paint = true;
    spy().handlers[WM_PAINT] = [&](HWND w, UINT, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps;
        BeginPaint(w, &ps);
        automation::caret_position(nullptr, &visible_during_paint);
        EndPaint(w, &ps);
        return 0;
    };
    InvalidateRect(view, nullptr, FALSE);
    UpdateWindow(view);
    EXPECT_FALSE(visible_during_paint);
    automation::caret_position(nullptr, &visible);
    EXPECT_TRUE(visible);

    DestroyWindow(view);
    automation::caret_position(&owner, nullptr);
    EXPECT_EQ(owner, nullptr) << "the caret goes with its window";
    EXPECT_FALSE(DestroyCaret());
}

const uint32_t clock_pixels[4] = {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000};
const ImageResource cursors[] = {{"NXW_clk_csr0", 2, 2, 1, 1, clock_pixels}};
const ResourceTable cursor_resources{"test", {}, {}, cursors};

TEST_F(ScrollCaretTest, CursorsStandardAndFromResources) {
    register_program_resources(&cursor_resources);
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    ASSERT_NE(arrow, nullptr);
    EXPECT_NE(arrow, wait);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow) << "shared";
    HCURSOR clock = LoadCursorA(reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000)), "nxw_CLK_csr0");
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(LoadCursorA(reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000)), "NXW_clk_csr9"), nullptr);
    SetCursor(arrow);
    EXPECT_EQ(SetCursor(wait), arrow);
    EXPECT_EQ(automation::cursor_name(), "IDC_WAIT");
    SetCursor(clock);
    EXPECT_EQ(automation::cursor_name(), "NXW_clk_csr0");
    EXPECT_EQ(ShowCursor(TRUE), 1);
    EXPECT_EQ(ShowCursor(FALSE), 0);
    EXPECT_TRUE(DestroyCursor(clock));
    automation::click(frame, 5, 5);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 5);
}

// The layout window keeps the pointer inside its miniature with
// SetCursorPos; the pointer is where it was put, in screen coordinates.
TEST_F(ScrollCaretTest, PointerPositionIsWhereItWasPut) {
    HWND frame = make_frame("f", WS_POPUP | WS_VISIBLE, 40, 30, 300, 200);
    HWND child = make_child(frame, 3, 50, 60, 100, 100);
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(SetCursorPos(123, 45));
    POINT at{};
    ASSERT_TRUE(GetCursorPos(&at));
    EXPECT_EQ(at.x, 123);
    EXPECT_EQ(at.y, 45);
    POINT in_child{10, 20};
    ClientToScreen(child, &in_child);
    EXPECT_EQ(in_child.x, 40 + 50 + 10);
    SetCursorPos(in_child.x, in_child.y);
    GetCursorPos(&at);
    ScreenToClient(child, &at);
    EXPECT_EQ(at.x, 10);
    EXPECT_EQ(at.y, 20);
}

}  // namespace
