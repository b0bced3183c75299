// Window classes and windows: creation and destruction sequences, geometry
// by style, relations, longs, text, showing, enabling and focus.
#include <algorithm>
#include <functional>

#include "platform/user/user_internal.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

class WindowTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        ASSERT_NE(register_recording_class("Recorder", CS_HREDRAW | CS_VREDRAW, 16), 0);
    }
};

TEST_F(WindowTest, ClassNamesAreMatchedWithoutRegardToCase) {
    WNDCLASSA wc{};
    EXPECT_TRUE(GetClassInfoA(nullptr, "RECORDER", &wc));
    EXPECT_EQ(wc.cbWndExtra, 16);
    EXPECT_STREQ(wc.lpszClassName, "Recorder");
    EXPECT_EQ(register_recording_class("recorder"), 0) << "registered twice";
    HWND w = CreateWindowA("rEcOrDeR", "x", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    char name[32];
    EXPECT_EQ(GetClassNameA(w, name, sizeof name), 8);
    EXPECT_STREQ(name, "Recorder");
    EXPECT_FALSE(UnregisterClassA("RECORDER", nullptr)) << "a window of the class exists";
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClassA("RECORDER", nullptr));
    EXPECT_EQ(CreateWindowA("Recorder", "x", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(WindowTest, CreationSequences) {
    struct Case {
        const char* name;
        DWORD style;
        bool child;
        std::vector<UINT> expected;
    };
    const Case cases[] = {
        {"hidden frame", WS_OVERLAPPEDWINDOW, false, {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}},
        {"visible frame",
         WS_OVERLAPPEDWINDOW | WS_VISIBLE,
         false,
         {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW, WM_ACTIVATE, WM_SETFOCUS}},
        {"child", WS_CHILD | WS_VISIBLE, true, {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}},
    };
    HWND parent = make_frame();
    for (const Case& c : cases) {
        spy().clear();
        HWND w = CreateWindowA("Recorder", "t", c.style, 5, 6, 200, 100, c.child ? parent : nullptr,
                               c.child ? reinterpret_cast<HMENU>(static_cast<uintptr_t>(7)) : nullptr, nullptr,
                               nullptr);
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(spy().of(w, {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW, WM_ACTIVATE, WM_SETFOCUS,
                               WM_KILLFOCUS}),
                  c.expected)
            << c.name;
        if (c.child) {
            auto notes = spy().all_of(WM_PARENTNOTIFY);
            ASSERT_EQ(notes.size(), 1u);
            EXPECT_EQ(notes[0].window, parent);
            EXPECT_EQ(notes[0].wparam, MAKEWPARAM(WM_CREATE, 7));
            EXPECT_EQ(reinterpret_cast<HWND>(notes[0].lparam), w);
        }
    }
}

TEST_F(WindowTest, CreateStructCarriesTheArguments) {
    CREATESTRUCTA seen{};
    int param = 0;
    spy().handlers[WM_CREATE] = [&](HWND, UINT, WPARAM, LPARAM l) -> LRESULT {
        seen = *reinterpret_cast<CREATESTRUCTA*>(l);
        return 0;
    };
    HWND w = CreateWindowExA(WS_EX_CLIENTEDGE, "Recorder", "Title", WS_POPUP, 1, 2, 30, 40, nullptr, nullptr,
                             nullptr, &param);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(seen.lpCreateParams, &param);
    EXPECT_EQ(seen.x, 1);
    EXPECT_EQ(seen.y, 2);
    EXPECT_EQ(seen.cx, 30);
    EXPECT_EQ(seen.cy, 40);
    EXPECT_STREQ(seen.lpszName, "Title");
    EXPECT_EQ(seen.dwExStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(automation::window_text(w), "Title");
}

TEST_F(WindowTest, FailedCreationDestroysTheWindow) {
    spy().handlers[WM_CREATE] = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return -1; };
    EXPECT_EQ(make_frame(), nullptr);
    ASSERT_FALSE(spy().seen.empty());
    HWND dead = spy().seen.front().window;
    EXPECT_EQ(spy().of(dead, {WM_CREATE, WM_DESTROY, WM_NCDESTROY}),
              (std::vector<UINT>{WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(IsWindow(dead));

    spy().clear();
    spy().handlers.clear();
    spy().handlers[WM_NCCREATE] = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return FALSE; };
    EXPECT_EQ(make_frame(), nullptr);
    EXPECT_EQ(spy().of(spy().seen.front().window), (std::vector<UINT>{WM_NCCREATE, WM_NCDESTROY}));
}

TEST_F(WindowTest, ClientAreaFollowsTheStyle) {
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "x");
    struct Case {
        const char* name;
        DWORD style;
        DWORD ex_style;
        bool child;
        bool with_menu;
        LONG width;
        LONG height;
    };
    const Case cases[] = {
        {"overlapped with menu", WS_OVERLAPPEDWINDOW, 0, false, true, 880 - 8, 600 - 8 - 19 - 19},
        {"overlapped", WS_OVERLAPPEDWINDOW, 0, false, false, 872, 573},
        {"plain overlapped gets a caption", WS_OVERLAPPED, 0, false, false, 874, 575},
        {"popup with caption", WS_POPUP | WS_CAPTION, 0, false, false, 874, 575},
        {"bare popup", WS_POPUP, 0, false, false, 880, 600},
        {"modal frame", WS_POPUP, WS_EX_DLGMODALFRAME, false, false, 874, 594},
        {"bordered child", WS_CHILD | WS_BORDER, 0, true, false, 878, 598},
        {"child with scroll bars", WS_CHILD | WS_VSCROLL | WS_HSCROLL, 0, true, false, 864, 584},
        {"child with client edge", WS_CHILD, WS_EX_CLIENTEDGE, true, false, 876, 596},
    };
    HWND parent = make_frame("p", WS_POPUP, 0, 0, 1000, 700);
    for (const Case& c : cases) {
        HWND w = CreateWindowExA(c.ex_style, "Recorder", "", c.style, 0, 0, 880, 600, c.child ? parent : nullptr,
                                 c.with_menu ? menu : nullptr, nullptr, nullptr);
        ASSERT_NE(w, nullptr) << c.name;
        RECT r = client_of(w);
        EXPECT_EQ(r.right, c.width) << c.name;
        EXPECT_EQ(r.bottom, c.height) << c.name;
        RECT adjusted{0, 0, r.right, r.bottom};
        if (!(c.style & (WS_VSCROLL | WS_HSCROLL))) {
            AdjustWindowRectEx(&adjusted, c.style, c.with_menu, c.ex_style);
            EXPECT_EQ(adjusted.right - adjusted.left, 880) << c.name;
            EXPECT_EQ(adjusted.bottom - adjusted.top, 600) << c.name;
        }
    }
}

TEST_F(WindowTest, CoordinatesOfAChildInAFrame) {
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "x");
    HWND frame = make_frame("f", WS_OVERLAPPEDWINDOW, 10, 10, 880, 600, menu);
    HWND child = make_child(frame, 3000, 0, 35, 872, 491, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL);
    POINT p{0, 0};
    ClientToScreen(child, &p);
    EXPECT_EQ(p.x, 10 + 4);
    EXPECT_EQ(p.y, 10 + 4 + 19 + 19 + 35);
    ScreenToClient(frame, &p);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 35);
    RECT wr;
    GetWindowRect(child, &wr);
    EXPECT_EQ(wr.left, 14);
    EXPECT_EQ(wr.top, 87);
    EXPECT_EQ(wr.right - wr.left, 872);
    RECT cr = client_of(child);
    EXPECT_EQ(cr.right, 872 - 16);
    EXPECT_EQ(cr.bottom, 491 - 16);
    POINT q{5, 5};
    MapWindowPoints(child, frame, &q, 1);
    EXPECT_EQ(q.x, 5);
    EXPECT_EQ(q.y, 40);
}

TEST_F(WindowTest, MovingSendsMoveAndSizeOnlyForWhatChanged) {
    HWND frame = make_frame();
    struct Step {
        int x, y, w, h;
        std::vector<UINT> expected;
    };
    const Step steps[] = {
        {10, 10, 880, 600, {}},
        {20, 30, 880, 600, {WM_MOVE}},
        {20, 30, 500, 400, {WM_SIZE}},
        {0, 0, 300, 200, {WM_MOVE, WM_SIZE}},
    };
    for (const Step& s : steps) {
        spy().clear();
        MoveWindow(frame, s.x, s.y, s.w, s.h, TRUE);
        EXPECT_EQ(spy().of(frame, {WM_MOVE, WM_SIZE}), s.expected) << s.x << "," << s.y << " " << s.w << "x" << s.h;
    }
    auto sizes = spy().all_of(WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(LOWORD(sizes[0].lparam), 300 - 8);
    EXPECT_EQ(HIWORD(sizes[0].lparam), 200 - 8 - 19);
}

TEST_F(WindowTest, MaximiseAndMinimiseUseTheScreen) {
    automation::set_screen_size(800, 600);
    HWND frame = make_frame();
    ShowWindow(frame, SW_SHOWNORMAL);
    spy().clear();
    ShowWindow(frame, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(frame));
    auto sizes = spy().all_of(WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].wparam, static_cast<WPARAM>(SIZE_MAXIMIZED));
    EXPECT_EQ(LOWORD(sizes[0].lparam), 800);
    ShowWindow(frame, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(frame));
    EXPECT_FALSE(IsZoomed(frame));
    EXPECT_EQ(client_of(frame).right, 0);
    ShowWindow(frame, SW_RESTORE);
    RECT r;
    GetWindowRect(frame, &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right - r.left, 880);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
}

TEST_F(WindowTest, SystemMetricsAreFixed) {
    const std::pair<int, int> metrics[] = {
        {SM_CXSCREEN, 1024}, {SM_CYSCREEN, 768}, {SM_CXFRAME, 4},   {SM_CYCAPTION, 19},
        {SM_CYMENU, 19},     {SM_CXVSCROLL, 16}, {SM_CYHSCROLL, 16}, {SM_CXBORDER, 1},
    };
    for (auto [index, value] : metrics) EXPECT_EQ(GetSystemMetrics(index), value) << index;
}

TEST_F(WindowTest, DestroyOrderAndNotifications) {
    HWND frame = make_frame();
    HWND a = make_child(frame, 1, 0, 0, 10, 10);
    HWND b = make_child(a, 2, 0, 0, 5, 5);
    HWND owned = CreateWindowA("Recorder", "owned", WS_POPUP, 0, 0, 10, 10, b, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetParent(owned), frame) << "the owner is the top-level window";
    spy().clear();
    ASSERT_TRUE(DestroyWindow(frame));
    std::vector<std::pair<HWND, UINT>> order;
    for (const SeenMessage& m : spy().seen) {
        if (m.message == WM_DESTROY || m.message == WM_NCDESTROY) order.emplace_back(m.window, m.message);
    }
    const std::vector<std::pair<HWND, UINT>> expected = {
        {owned, WM_DESTROY}, {owned, WM_NCDESTROY}, {frame, WM_DESTROY}, {a, WM_DESTROY},
        {b, WM_DESTROY},     {b, WM_NCDESTROY},     {a, WM_NCDESTROY},   {frame, WM_NCDESTROY},
    };
    EXPECT_EQ(order, expected);
    for (HWND w : {frame, a, b, owned}) EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(SendMessageA(a, WM_USER, 0, 0), 0);
    EXPECT_FALSE(DestroyWindow(frame));
}

TEST_F(WindowTest, DestroyingFromInsideItsOwnMessagesIsSafe) {
    HWND frame = make_frame();
    HWND child = make_child(frame, 5, 0, 0, 10, 10);
    int destroys = 0;
    spy().handlers[WM_USER] = [&](HWND w, UINT, WPARAM, LPARAM) -> LRESULT {
        DestroyWindow(w);
        DestroyWindow(w);  // again, while gone
        return 1;
    };
    spy().handlers[WM_DESTROY] = [&](HWND w, UINT, WPARAM, LPARAM) -> LRESULT {
        ++destroys;
        DestroyWindow(w);  // while being destroyed
        return 0;
    };
    EXPECT_EQ(SendMessageA(child, WM_USER, 0, 0), 1);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(destroys, 1);
    EXPECT_EQ(GetDlgItem(frame, 5), nullptr);
    // WM_CLOSE through DefWindowProcA destroys the window.
    SendMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(frame));
}

TEST_F(WindowTest, LongsAndExtraBytes) {
    HWND frame = make_frame();
    HWND child = make_child(frame, 42, 0, 0, 10, 10);
    EXPECT_EQ(SetWindowLongA(frame, 4, 1234), 0);
    EXPECT_EQ(GetWindowLongA(frame, 4), 1234);
    EXPECT_EQ(SetWindowLongA(frame, 4, 99), 1234);
    EXPECT_EQ(GetWindowLongA(frame, 13), 0) << "past the extra bytes";
    EXPECT_EQ(SetWindowLongA(frame, 13, 5), 0);
    int value = 0;
    SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&value));
    EXPECT_EQ(reinterpret_cast<int*>(GetWindowLongPtrA(frame, GWLP_USERDATA)), &value);
    EXPECT_EQ(GetWindowLongA(child, GWL_ID), 42);
    EXPECT_EQ(GetDlgCtrlID(child), 42);
    EXPECT_EQ(GetDlgItem(frame, 42), child);
    EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(frame, GWLP_WNDPROC)), recording_proc);
    EXPECT_EQ(GetWindowWord(frame, 4), 99);
}

TEST_F(WindowTest, WindowTextGoesThroughMessages) {
    HWND frame = make_frame();
    spy().clear();
    EXPECT_TRUE(SetWindowTextA(frame, "\x83\x65\x83\x58\x83\x67"));  // テスト
    EXPECT_EQ(GetWindowTextLengthA(frame), 6);
    char buffer[5];
    EXPECT_EQ(GetWindowTextA(frame, buffer, sizeof buffer), 4);
    EXPECT_STREQ(buffer, "\x83\x65\x83\x58");
    EXPECT_EQ(spy().of(frame, {WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH}),
              (std::vector<UINT>{WM_SETTEXT, WM_GETTEXTLENGTH, WM_GETTEXT}));
    EXPECT_EQ(FindWindowA("RECORDER", "\x83\x65\x83\x58\x83\x67"), frame);
}

TEST_F(WindowTest, VisibilityFollowsTheParents) {
    HWND frame = make_frame();
    HWND child = make_child(frame, 1, 0, 0, 10, 10);
    EXPECT_FALSE(IsWindowVisible(child)) << "the frame is hidden";
    spy().clear();
    EXPECT_FALSE(ShowWindow(frame, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(frame, SW_SHOW)) << "was visible";
    EXPECT_EQ(spy().of(frame, {WM_SHOWWINDOW}).size(), 1u);
    EXPECT_TRUE(ShowWindow(child, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_FALSE(ShowWindow(child, SW_HIDE));
}

TEST_F(WindowTest, EnablingAndFocus) {
    HWND frame = make_frame();
    ShowWindow(frame, SW_SHOW);
    EXPECT_EQ(GetFocus(), frame);
    EXPECT_EQ(GetActiveWindow(), frame);
    HWND a = make_child(frame, 1, 0, 0, 10, 10);
    HWND b = make_child(frame, 2, 20, 0, 10, 10);
    spy().clear();
    EXPECT_EQ(SetFocus(a), frame);
    EXPECT_EQ(SetFocus(b), a);
    std::vector<SeenMessage> focus;
    for (const SeenMessage& m : spy().seen) {
        if (m.message == WM_SETFOCUS || m.message == WM_KILLFOCUS) focus.push_back(m);
    }
    ASSERT_EQ(focus.size(), 4u);
    EXPECT_EQ(focus[0].window, frame);
    EXPECT_EQ(focus[0].message, WM_KILLFOCUS);
    EXPECT_EQ(reinterpret_cast<HWND>(focus[0].wparam), a);
    EXPECT_EQ(focus[1].window, a);
    EXPECT_EQ(focus[1].message, WM_SETFOCUS);
    EXPECT_EQ(reinterpret_cast<HWND>(focus[1].wparam), frame);
    EXPECT_EQ(focus[2].window, a);
    EXPECT_EQ(focus[3].window, b);

    spy().clear();
    EXPECT_FALSE(EnableWindow(b, FALSE)) << "was enabled";
    EXPECT_TRUE(EnableWindow(b, FALSE)) << "was disabled";
    EXPECT_FALSE(IsWindowEnabled(b));
    EXPECT_EQ(GetFocus(), nullptr) << "a disabled window loses the focus";
    EXPECT_EQ(spy().of(b, {WM_ENABLE, WM_KILLFOCUS}), (std::vector<UINT>{WM_KILLFOCUS, WM_ENABLE}));
    EXPECT_TRUE(EnableWindow(b, TRUE));
    EXPECT_TRUE(IsWindowEnabled(b));

    SetFocus(a);
    DestroyWindow(a);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowTest, ADisabledWindowTakesNeitherFocusNorActivation) {
    // a frame disabled under its popup (as under a modal dialog), which has the focus
    struct Windows {
        HWND frame, child, popup, field;
    };
    const struct {
        const char* name;
        std::function<void(const Windows&)> act;
    } cases[] = {
        {"SetFocus to a child of the disabled frame", [](const Windows& w) { EXPECT_EQ(SetFocus(w.child), nullptr); }},
        {"SetFocus to the disabled frame", [](const Windows& w) { EXPECT_EQ(SetFocus(w.frame), nullptr); }},
        {"SetActiveWindow", [](const Windows& w) { EXPECT_EQ(SetActiveWindow(w.frame), nullptr); }},
        {"SetForegroundWindow", [](const Windows& w) { EXPECT_FALSE(SetForegroundWindow(w.frame)); }},
        {"ShowWindow", [](const Windows& w) { ShowWindow(w.frame, SW_SHOWNORMAL); }},
        {"SetWindowPos", [](const Windows& w) { SetWindowPos(w.frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }},
        {"SetFocus to a disabled child of the active popup",
         [](const Windows& w) {
             HWND off = CreateWindowA("Recorder", "", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 30, 10, 10, w.popup,
                                      nullptr, nullptr, nullptr);
             EXPECT_EQ(SetFocus(off), nullptr);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Windows w{};
        w.frame = make_frame();
        ShowWindow(w.frame, SW_SHOW);
        w.child = make_child(w.frame, 1, 0, 0, 10, 10);
        w.popup = CreateWindowA("Recorder", "Popup", WS_POPUP | WS_CAPTION | WS_VISIBLE, 50, 50, 200, 100, w.frame,
                                nullptr, nullptr, nullptr);
        w.field = make_child(w.popup, 2, 0, 0, 10, 10);
        EnableWindow(w.frame, FALSE);
        SetFocus(w.field);
        ASSERT_EQ(GetActiveWindow(), w.popup);
        spy().clear();
        c.act(w);
        EXPECT_EQ(GetFocus(), w.field);
        EXPECT_EQ(GetActiveWindow(), w.popup);
        EXPECT_TRUE(spy().of(w.frame, {WM_ACTIVATE, WM_SETFOCUS}).empty());
        EXPECT_TRUE(spy().of(w.child, {WM_SETFOCUS}).empty());
        DestroyWindow(w.frame);
    }
}

TEST_F(WindowTest, CaptureIsTakenAndReleased) {
    HWND frame = make_frame();
    HWND a = make_child(frame, 1, 0, 0, 10, 10);
    EXPECT_EQ(SetCapture(frame), nullptr);
    EXPECT_EQ(SetCapture(a), frame);
    EXPECT_EQ(spy().of(frame, {WM_CAPTURECHANGED}).size(), 1u);
    EXPECT_EQ(GetCapture(), a);
    DestroyWindow(a);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WindowTest, RelationsAndHitTesting) {
    HWND frame = make_frame("f", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300);
    HWND a = make_child(frame, 1, 10, 10, 100, 100);
    HWND b = make_child(a, 2, 5, 5, 20, 20);
    HWND c = make_child(frame, 3, 200, 10, 50, 50, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    EXPECT_EQ(GetWindow(frame, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDPREV), a);
    EXPECT_TRUE(IsChild(frame, b));
    EXPECT_FALSE(IsChild(b, frame));
    EXPECT_EQ(WindowFromPoint(POINT{16, 16}), b);
    EXPECT_EQ(WindowFromPoint(POINT{50, 50}), a);
    EXPECT_EQ(WindowFromPoint(POINT{210, 20}), frame) << "a disabled child leaves the point to its parent";
    EXPECT_EQ(WindowFromPoint(POINT{500, 20}), nullptr);
    EXPECT_EQ(ChildWindowFromPoint(frame, POINT{210, 20}), c);
}


// --- The frame at a person's hand ---------------------------------------------------

// The kinds of message the window saw, each once, in the order first seen.
std::vector<UINT> kinds_seen(HWND window, const std::vector<UINT>& interesting) {
    std::vector<UINT> out;
    for (UINT m : spy().of(window, interesting)) {
        if (std::find(out.begin(), out.end(), m) == out.end()) out.push_back(m);
    }
    return out;
}

RECT rect_of(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

bool same_rect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(WindowTest, FramePartsAreFoundWhereTheyAreDrawn) {
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, 1, "&File");
    make_frame("f", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, 100, 100, 400, 300, bar);
    // a sizing frame of 4, the caption from 104 to 122 with its buttons 16 x 14
    // two pixels in from its right end, the icon at its left; the menu bar
    // below; the scroll bar inside the right border
    const struct {
        POINT at;
        int part;
    } cases[] = {
        {{100, 100}, HTTOPLEFT},   {{115, 101}, HTTOPLEFT},     {{300, 101}, HTTOP},        {{498, 100}, HTTOPRIGHT},
        {{101, 250}, HTLEFT},      {{498, 250}, HTRIGHT},       {{300, 398}, HTBOTTOM},     {{101, 390}, HTBOTTOMLEFT},
        {{499, 399}, HTBOTTOMRIGHT}, {{486, 113}, HTCLOSE},     {{468, 113}, HTMAXBUTTON},  {{452, 113}, HTMINBUTTON},
        {{477, 113}, HTCAPTION},   {{113, 113}, HTSYSMENU},     {{300, 113}, HTCAPTION},    {{300, 122}, HTCAPTION},
        {{110, 130}, HTMENU},      {{488, 250}, HTVSCROLL},     {{300, 250}, 0},            {{600, 250}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform_user::nonclient_hit(c.at), c.part) << c.at.x << "," << c.at.y;
    }
}

TEST_F(WindowTest, CaptionAndBorderDragsMoveAndSizeTheWindow) {
    const std::vector<UINT> interesting{WM_GETMINMAXINFO, WM_ENTERSIZEMOVE, WM_MOVING, WM_SIZING,
                                        WM_MOVE,          WM_SIZE,          WM_EXITSIZEMOVE};
    const std::vector<UINT> moving{WM_ENTERSIZEMOVE, WM_MOVING, WM_MOVE, WM_EXITSIZEMOVE};
    const std::vector<UINT> sizing{WM_GETMINMAXINFO, WM_ENTERSIZEMOVE, WM_SIZING, WM_SIZE, WM_EXITSIZEMOVE};
    const std::vector<UINT> sizing_and_moving{WM_GETMINMAXINFO, WM_ENTERSIZEMOVE, WM_SIZING, WM_MOVE, WM_SIZE,
                                              WM_EXITSIZEMOVE};
    const struct {
        const char* name;
        int part;
        int dx, dy;
        RECT expected;
        std::vector<UINT> kinds;
        WPARAM edge;  // of WM_SIZING
    } cases[] = {
        {"the caption moves it", HTCAPTION, 50, 30, {150, 130, 550, 430}, moving, 0},
        {"the right border widens it", HTRIGHT, 40, 0, {100, 100, 540, 400}, sizing, WMSZ_RIGHT},
        {"the top-left corner moves that corner", HTTOPLEFT, 20, 10, {120, 110, 500, 400}, sizing_and_moving,
         WMSZ_TOPLEFT},
        {"the bottom-right corner", HTBOTTOMRIGHT, -30, -20, {100, 100, 470, 380}, sizing, WMSZ_BOTTOMRIGHT},
        {"no narrower than the smallest window", HTLEFT, 1000, 0, {388, 100, 500, 400}, sizing_and_moving, WMSZ_LEFT},
        {"no lower than the smallest window", HTBOTTOM, 0, -1000, {100, 100, 500, 127}, sizing, WMSZ_BOTTOM},
        // taken at (283, 113), it stops where the pointer meets the screen's corner
        {"a caption dragged off the screen stays under the pointer", HTCAPTION, -500, -500, {-183, -13, 217, 287},
         moving, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND frame = make_frame("f", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
        spy().clear();
        ASSERT_TRUE(automation::frame_drag(frame, c.part, c.dx, c.dy));
        EXPECT_TRUE(same_rect(rect_of(frame), c.expected))
            << rect_of(frame).left << "," << rect_of(frame).top << "," << rect_of(frame).right << ","
            << rect_of(frame).bottom;
        EXPECT_EQ(kinds_seen(frame, interesting), c.kinds);
        const auto sizings = spy().all_of(WM_SIZING);
        if (c.edge) {
            ASSERT_FALSE(sizings.empty());
            EXPECT_EQ(sizings[0].wparam, c.edge);
        }
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_FALSE(automation::failed());
        DestroyWindow(frame);
    }
}

TEST_F(WindowTest, AHeldCaptionFollowsTheHandUntilTheButtonComesUp) {
    HWND frame = make_frame("f", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
    RECT held{};
    automation::when_idle([&] { automation::move_mouse(frame, 240, -10); });
    automation::when_idle([&] { held = rect_of(frame); });
    automation::when_idle([] { automation::mouse_up(); });
    ASSERT_TRUE(automation::mouse_down(frame, 200, -10));  // on the caption
    EXPECT_EQ(held.left, 140) << "moved while the button is down";
    EXPECT_TRUE(same_rect(rect_of(frame), RECT{140, 100, 540, 400}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(automation::failed());
}

TEST_F(WindowTest, TheProgramBoundsADragThroughItsAnswers) {
    spy().handlers[WM_GETMINMAXINFO] = [](HWND, UINT, WPARAM, LPARAM lparam) -> LRESULT {
        reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize = POINT{300, 200};
        return 0;
    };
    spy().handlers[WM_SIZING] = [](HWND, UINT, WPARAM, LPARAM lparam) -> LRESULT {
        RECT* r = reinterpret_cast<RECT*>(lparam);
        r->right = r->left + (r->right - r->left + 25) / 50 * 50;  // whole steps of 50
        return TRUE;
    };
    spy().handlers[WM_MOVING] = [](HWND, UINT, WPARAM, LPARAM lparam) -> LRESULT {
        RECT* r = reinterpret_cast<RECT*>(lparam);
        if (r->top < 50) OffsetRect(r, 0, 50 - r->top);
        return TRUE;
    };
    HWND frame = make_frame("f", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
    ASSERT_TRUE(automation::frame_drag(frame, HTRIGHT, 33, 0));
    EXPECT_EQ(rect_of(frame).right - rect_of(frame).left, 450);
    ASSERT_TRUE(automation::frame_drag(frame, HTBOTTOMRIGHT, -1000, -1000));
    EXPECT_EQ(rect_of(frame).right - rect_of(frame).left, 300);
    EXPECT_EQ(rect_of(frame).bottom - rect_of(frame).top, 200);
    ASSERT_TRUE(automation::frame_drag(frame, HTCAPTION, 0, -100));
    EXPECT_EQ(rect_of(frame).top, 50);
}

TEST_F(WindowTest, CaptionButtonsAndDoubleClicksMaximiseMinimiseRestoreAndClose) {
    HWND frame = make_frame("f", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
    HWND other = make_frame("g", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 300, 300, 200);
    const RECT normal = rect_of(frame);
    auto commands = [&] {
        std::vector<UINT> out;
        for (const SeenMessage& m : spy().all_of(WM_SYSCOMMAND)) {
            if (m.window == frame) out.push_back(static_cast<UINT>(m.wparam & 0xFFF0));
        }
        return out;
    };
    ASSERT_TRUE(automation::frame_click(frame, HTMAXBUTTON));
    EXPECT_TRUE(IsZoomed(frame));
    ASSERT_TRUE(automation::frame_drag(frame, HTCAPTION, 50, 50));
    EXPECT_EQ(rect_of(frame).left, -4) << "a maximised window stays put";
    ASSERT_TRUE(automation::frame_click(frame, HTMAXBUTTON));  // now the restore button
    EXPECT_FALSE(IsZoomed(frame));
    EXPECT_TRUE(same_rect(rect_of(frame), normal));
    ASSERT_TRUE(automation::frame_click(frame, HTCAPTION, true));
    EXPECT_TRUE(IsZoomed(frame));
    ASSERT_TRUE(automation::frame_click(frame, HTCAPTION, true));
    EXPECT_FALSE(IsZoomed(frame));
    // minimised windows are title strips in a row along the bottom of the screen
    ASSERT_TRUE(automation::frame_click(frame, HTMINBUTTON));
    ASSERT_TRUE(automation::frame_click(other, HTMINBUTTON));
    EXPECT_TRUE(IsIconic(frame));
    EXPECT_TRUE(same_rect(rect_of(frame), RECT{0, 768 - 24, 160, 768}));
    EXPECT_TRUE(same_rect(rect_of(other), RECT{160, 768 - 24, 320, 768}));
    EXPECT_EQ(WindowFromPoint(POINT{80, 760}), frame);
    ASSERT_TRUE(automation::frame_click(frame, HTCAPTION, true));
    EXPECT_FALSE(IsIconic(frame));
    EXPECT_TRUE(same_rect(rect_of(frame), normal));
    ASSERT_TRUE(automation::frame_click(other, HTMINBUTTON));  // the strip's restore button
    EXPECT_FALSE(IsIconic(other));
    // an owned window goes with its owner; maximised, minimised and back, the owner is maximised again
    HWND owned = CreateWindowA("Recorder", "o", WS_POPUP | WS_CAPTION | WS_VISIBLE, 500, 100, 100, 80, frame, nullptr,
                               nullptr, nullptr);
    ASSERT_TRUE(automation::frame_click(frame, HTMAXBUTTON));
    ASSERT_TRUE(automation::frame_click(frame, HTMINBUTTON));
    EXPECT_FALSE(IsWindowVisible(owned));
    ASSERT_TRUE(automation::frame_click(frame, HTMINBUTTON));
    EXPECT_TRUE(IsZoomed(frame));
    EXPECT_TRUE(IsWindowVisible(owned));
    ASSERT_TRUE(automation::frame_click(frame, HTCLOSE));
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(commands(), (std::vector<UINT>{SC_MAXIMIZE, SC_RESTORE, SC_MAXIMIZE, SC_RESTORE, SC_MINIMIZE,
                                             SC_RESTORE, SC_MAXIMIZE, SC_MINIMIZE, SC_RESTORE, SC_CLOSE}));
    EXPECT_FALSE(automation::failed());
}

TEST_F(WindowTest, ACaptionButtonTakenAwayOrLetGoElsewhereDoesNothing) {
    HWND frame = make_frame("f", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
    DeleteMenu(GetSystemMenu(frame, FALSE), SC_MINIMIZE, MF_BYCOMMAND);
    ASSERT_TRUE(automation::frame_click(frame, HTMINBUTTON));
    EXPECT_FALSE(IsIconic(frame));
    // pressed, then the pointer leaves the button before it comes up
    ASSERT_TRUE(automation::frame_drag(frame, HTCLOSE, 0, 40));
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_TRUE(spy().all_of(WM_SYSCOMMAND).empty());
    // the system menu under the icon, worked by its keys: minimise was taken away
    automation::when_idle([] {
        automation::press_key("N");
        automation::press_key("Esc");
    });
    ASSERT_TRUE(automation::frame_click(frame, HTSYSMENU));
    EXPECT_FALSE(IsIconic(frame));
    EXPECT_EQ(automation::beeps().size(), 1u);
    automation::when_idle([] { automation::press_key("X"); });
    ASSERT_TRUE(automation::frame_click(frame, HTSYSMENU));
    EXPECT_TRUE(IsZoomed(frame));
    EXPECT_FALSE(automation::failed());
}

TEST_F(WindowTest, ABorderSetsTheSizingCursor) {
    HWND frame = make_frame("f", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
    const struct {
        POINT at;
        const char* cursor;
    } cases[] = {{{101, 250}, "IDC_SIZEWE"}, {{300, 398}, "IDC_SIZENS"}, {{499, 399}, "IDC_SIZENWSE"},
                 {{498, 100}, "IDC_SIZENESW"}, {{300, 113}, "IDC_ARROW"}};
    for (const auto& c : cases) {
        POINT client = c.at;
        ScreenToClient(frame, &client);
        ASSERT_TRUE(automation::move_mouse(frame, client.x, client.y));
        EXPECT_EQ(automation::cursor_name(), c.cursor) << c.at.x << "," << c.at.y;
    }
    const auto moves = spy().all_of(WM_NCMOUSEMOVE);
    ASSERT_EQ(moves.size(), 5u);
    EXPECT_EQ(moves[0].wparam, static_cast<WPARAM>(HTLEFT));
    EXPECT_TRUE(spy().all_of(WM_MOUSEMOVE).empty()) << "the frame is not the client's";
}

}  // namespace
