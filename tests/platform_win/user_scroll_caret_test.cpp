// Scroll bars of a window, carets and cursors.
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
