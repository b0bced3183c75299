// The message queue and painting: order of posted, input, quit and paint
// messages, filters, key translation, invalidation and WM_PAINT, device
// contexts on the window surfaces, and scrolling of window contents.
#include "platform/gdi/wingdi.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

class MessageTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        ASSERT_NE(register_recording_class("Recorder", CS_HREDRAW | CS_VREDRAW, 0, nullptr,
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
                  0);
    }

    // Takes everything waiting without dispatching, as the message numbers.
    static std::vector<UINT> drain(HWND filter = nullptr) {
        std::vector<UINT> out;
        MSG m;
        while (PeekMessageA(&m, filter, 0, 0, PM_REMOVE)) {
            out.push_back(m.message);
            if (m.message == WM_PAINT) ValidateRect(m.hwnd, nullptr);
        }
        return out;
    }
};

TEST_F(MessageTest, PostedThenQuitThenPaint) {
    HWND frame = make_frame("f", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    drain();
    InvalidateRect(frame, nullptr, TRUE);
    PostQuitMessage(3);
    PostMessageA(frame, WM_USER + 1, 0, 0);
    PostMessageA(frame, WM_USER + 2, 0, 0);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_USER + 1u) << "PM_NOREMOVE leaves it";
    EXPECT_EQ(drain(), (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_QUIT, WM_PAINT}));
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageTest, FiltersByWindowAndRange) {
    HWND a = make_frame("a", WS_POPUP, 0, 0, 10, 10);
    HWND b = make_frame("b", WS_POPUP, 0, 0, 10, 10);
    HWND child = make_child(a, 1, 0, 0, 5, 5);
    PostMessageA(b, WM_USER, 0, 0);
    PostMessageA(child, WM_USER + 5, 0, 0);
    PostMessageA(a, WM_COMMAND, 0, 0);
    PostMessageA(nullptr, WM_USER + 9, 0, 0);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, a, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, child) << "a window's filter takes its children too";
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(m.hwnd, a);
    ASSERT_TRUE(PeekMessageA(&m, reinterpret_cast<HWND>(static_cast<intptr_t>(-1)), 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 9u) << "-1 takes thread messages";
    DestroyWindow(b);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) << "messages of a destroyed window are dropped";
    EXPECT_FALSE(PostMessageA(b, WM_USER, 0, 0));
}

TEST_F(MessageTest, GetMessageEndsAtQuitWithTheCode) {
    HWND frame = make_frame();
    PostMessageA(frame, WM_USER, 0, 0);
    PostQuitMessage(7);
    MSG m;
    EXPECT_TRUE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_USER + 0u);
    EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_QUIT + 0u);
    EXPECT_EQ(m.wParam, 7u);
}

TEST_F(MessageTest, TranslateMessageMakesCharacters) {
    HWND frame = make_frame("f", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    struct Case {
        const char* key;
        std::vector<WPARAM> chars;
    };
    const Case cases[] = {
        {"A", {'a'}},       {"shift+A", {'A'}},  {"ctrl+A", {1}},  {"5", {'5'}},     {"shift+5", {'%'}},
        {"Enter", {'\r'}},  {"Tab", {'\t'}},     {"F5", {}},       {"Left", {}},     {"Space", {' '}},
    };
    for (const Case& c : cases) {
        spy().clear();
        ASSERT_TRUE(automation::press_key(c.key)) << c.key;
        std::vector<WPARAM> chars;
        std::vector<UINT> order;
        for (const SeenMessage& m : spy().seen) {
            if (m.window != frame) continue;
            if (m.message == WM_CHAR) chars.push_back(m.wparam);
            if (m.message == WM_CHAR || ((m.message == WM_KEYDOWN || m.message == WM_KEYUP) &&
                                         m.wparam != VK_SHIFT && m.wparam != VK_CONTROL)) {
                order.push_back(m.message);
            }
        }
        EXPECT_EQ(chars, c.chars) << c.key;
        std::vector<UINT> expected{WM_KEYDOWN};
        if (!c.chars.empty()) expected.push_back(WM_CHAR);
        expected.push_back(WM_KEYUP);
        EXPECT_EQ(order, expected) << c.key << ": the character comes before the key goes up";
    }
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0) << "every key is up again";
}

TEST_F(MessageTest, InvalidationCoalescesIntoOnePaint) {
    HWND frame = make_frame("f", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
    drain();
    RECT seen{};
    BOOL erase = TRUE;
    spy().handlers[WM_PAINT] = [&](HWND w, UINT, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps;
        BeginPaint(w, &ps);
        seen = ps.rcPaint;
        erase = ps.fErase;
        EndPaint(w, &ps);
        return 0;
    };
    RECT r1{10, 10, 20, 20}, r2{50, 5, 60, 15};
    InvalidateRect(frame, &r1, FALSE);
    InvalidateRect(frame, &r2, TRUE);
    spy().clear();
    automation::run_until_idle();
    EXPECT_EQ(spy().of(frame, {WM_PAINT, WM_ERASEBKGND}), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(seen.left, 10);
    EXPECT_EQ(seen.top, 5);
    EXPECT_EQ(seen.right, 60);
    EXPECT_EQ(seen.bottom, 20);
    EXPECT_FALSE(erase) << "the class brush erased the background";
    RECT outside{500, 500, 600, 600};
    InvalidateRect(frame, &outside, TRUE);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) << "outside the client area";
}

TEST_F(MessageTest, ValidateAndUpdateWindow) {
    HWND frame = make_frame("f", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
    drain();
    RECT band{0, 0, 200, 10};
    InvalidateRect(frame, nullptr, FALSE);
    ValidateRect(frame, &band);
    RECT left;
    EXPECT_TRUE(GetUpdateRect(frame, &left, FALSE));
    EXPECT_EQ(left.top, 10) << "a covered band is cut off";
    ValidateRect(frame, nullptr);
    EXPECT_FALSE(GetUpdateRect(frame, nullptr, FALSE));

    InvalidateRect(frame, nullptr, FALSE);
    spy().clear();
    UpdateWindow(frame);
    EXPECT_EQ(spy().of(frame, {WM_PAINT}).size(), 1u) << "sent at once";
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) << "DefWindowProcA validated";
}

TEST_F(MessageTest, AProcedureThatNeverValidatesGetsOnePaint) {
    HWND frame = make_frame("f", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    spy().handlers[WM_PAINT] = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
    spy().clear();
    automation::run_until_idle();
    EXPECT_EQ(spy().of(frame, {WM_PAINT}).size(), 1u);
}

TEST_F(MessageTest, ParentsPaintBeforeTheirChildren) {
    HWND frame = make_frame("f", WS_POPUP, 0, 0, 200, 100);
    HWND a = make_child(frame, 1, 0, 0, 50, 50);
    HWND hidden = make_child(frame, 2, 60, 0, 50, 50, WS_CHILD);
    HWND b = make_child(a, 3, 0, 0, 10, 10);
    spy().clear();
    ShowWindow(frame, SW_SHOW);
    automation::run_until_idle();
    std::vector<HWND> painted;
    for (const SeenMessage& m : spy().all_of(WM_PAINT)) painted.push_back(m.window);
    EXPECT_EQ(painted, (std::vector<HWND>{frame, a, b}));
    (void)hidden;

    spy().clear();
    RECT corner{0, 0, 5, 5};
    InvalidateRect(frame, &corner, TRUE);
    automation::run_until_idle();
    painted.clear();
    for (const SeenMessage& m : spy().all_of(WM_PAINT)) painted.push_back(m.window);
    EXPECT_EQ(painted, (std::vector<HWND>{frame, a, b})) << "children under the rectangle are invalidated too";
}

TEST_F(MessageTest, ChildrenDrawIntoTheirTopLevelSurfaceAtTheirOffset) {
    HWND frame = make_frame("f", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
    HWND child = make_child(frame, 1, 30, 20, 40, 30, WS_CHILD | WS_VISIBLE | WS_BORDER);
    automation::run_until_idle();
    HDC dc = GetDC(child);
    ASSERT_NE(dc, nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT all{-100, -100, 500, 500};
    FillRect(dc, &all, red);  // clipped to the child's client area
    ReleaseDC(child, dc);
    DeleteObject(red);
    HDC top = GetDC(frame);
    EXPECT_EQ(GetPixel(top, 31, 21), RGB(255, 0, 0)) << "client origin inside the border";
    EXPECT_EQ(GetPixel(top, 68, 48), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(top, 30, 20), RGB(255, 255, 255)) << "the border is not client area";
    EXPECT_EQ(GetPixel(top, 75, 25), RGB(255, 255, 255));
    ReleaseDC(frame, top);
    EXPECT_EQ(ReleaseDC(frame, top), 0) << "released twice";
}

TEST_F(MessageTest, ScrollWindowMovesPixelsAndInvalidatesTheBand) {
    HWND frame = make_frame("f", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    automation::run_until_idle();
    HDC dc = GetDC(frame);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    RECT square{10, 40, 20, 50};
    FillRect(dc, &square, blue);
    DeleteObject(blue);
    ScrollWindow(frame, 0, -30, nullptr, nullptr);
    EXPECT_EQ(GetPixel(dc, 15, 15), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 15, 45), RGB(255, 255, 255));
    ReleaseDC(frame, dc);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(frame, &update, FALSE));
    EXPECT_EQ(update.top, 70);
    EXPECT_EQ(update.bottom, 100);
    EXPECT_EQ(update.right, 100);
}

TEST_F(MessageTest, HiddenWindowsAreNotPainted) {
    HWND frame = make_frame("f", WS_POPUP, 0, 0, 100, 100);
    InvalidateRect(frame, nullptr, TRUE);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    ShowWindow(frame, SW_SHOWNA);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_PAINT + 0u);
}

TEST_F(MessageTest, MouseInputGoesToTheWindowUnderThePointOrTheCapture) {
    HWND frame = make_frame("f", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
    HWND child = make_child(frame, 1, 50, 50, 20, 20);
    spy().clear();
    ASSERT_TRUE(automation::click(frame, 55, 60));
    auto downs = spy().all_of(WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].window, child);
    EXPECT_EQ(LOWORD(downs[0].lparam), 5);
    EXPECT_EQ(HIWORD(downs[0].lparam), 10);
    EXPECT_EQ(downs[0].wparam & MK_LBUTTON, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(spy().of(child, {WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}),
              (std::vector<UINT>{WM_SETCURSOR, WM_MOUSEMOVE, WM_SETCURSOR, WM_LBUTTONDOWN, WM_SETCURSOR,
                                 WM_LBUTTONUP}));

    SetCapture(frame);
    spy().clear();
    automation::click(frame, 55, 60);
    EXPECT_EQ(spy().all_of(WM_LBUTTONUP).at(0).window, frame);
    ReleaseCapture();

    EnableWindow(frame, FALSE);
    spy().clear();
    automation::click(frame, 10, 10);
    EXPECT_TRUE(spy().all_of(WM_LBUTTONDOWN).empty());
    EXPECT_NE(automation::log_text().find("input dropped: the window under the pointer is disabled"),
              std::string::npos);
}

TEST_F(MessageTest, DoubleClicksNeedTheClassStyle) {
    ASSERT_NE(register_recording_class("Clicky", CS_DBLCLKS), 0);
    HWND plain = make_frame("p", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND clicky = CreateWindowA("Clicky", "c", WS_POPUP | WS_VISIBLE, 200, 0, 100, 100, nullptr, nullptr, nullptr,
                                nullptr);
    const UINT buttons[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
    spy().clear();
    automation::double_click(plain, 5, 5);
    automation::double_click(clicky, 5, 5);
    EXPECT_EQ(spy().of(plain, {buttons[0], buttons[1], buttons[2]}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(spy().of(clicky, {buttons[0], buttons[1], buttons[2]}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
}

}  // namespace
