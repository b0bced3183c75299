// How the controls look, as on a Windows 95 desktop: arrow buttons carry
// their triangles (up-down controls, scroll bar controls, drop-down lists),
// a drop-down list has no scroll bar of its own beside its button, a list
// box shows no horizontal bar while it has nothing to scroll across, and
// bordered fields and lists of a dialog are sunk into it.
#include "platform/gdi/wingdi.h"
#include "platform/user/commctrl.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

class LookTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        ASSERT_NE(register_recording_class("Recorder", 0, 0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), 0);
        frame = make_frame("Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    }
    HWND control(const char* cls, DWORD style, int x, int y, int width, int height, int id = 10) {
        return CreateWindowA(cls, "", WS_CHILD | WS_VISIBLE | style, x, y, width, height, frame,
                             reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
    }
    // The width of the run of black pixels in each row of the rectangle,
    // from the top; rows without black are left out.
    static std::vector<int> black_rows(HWND window, RECT r) {
        std::vector<int> rows;
        HDC dc = GetDC(window);
        for (int y = r.top; y < r.bottom; ++y) {
            int n = 0;
            for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == RGB(0, 0, 0) ? 1 : 0;
            if (n > 0) rows.push_back(n);
        }
        ReleaseDC(window, dc);
        return rows;
    }
    HWND frame = nullptr;
};

TEST_F(LookTest, AnUpDownControlDrawsItsTwoArrows) {
    HWND updown = control(UPDOWN_CLASSA, 0, 100, 100, 16, 24);
    automation::run_until_idle();
    // up: a triangle that widens downwards; down the other way
    EXPECT_EQ(black_rows(updown, RECT{2, 2, 14, 11}), (std::vector<int>{1, 3, 5, 7}));
    EXPECT_EQ(black_rows(updown, RECT{2, 13, 14, 22}), (std::vector<int>{7, 5, 3, 1}));
    // beside a field 18 pixels high each half is 9: a smaller triangle
    HWND small = control(UPDOWN_CLASSA, 0, 300, 100, 16, 18, 12);
    automation::run_until_idle();
    EXPECT_EQ(black_rows(small, RECT{2, 1, 14, 9}), (std::vector<int>{1, 3, 5}));
    HWND across = control(UPDOWN_CLASSA, UDS_HORZ, 200, 100, 32, 16, 11);
    automation::run_until_idle();
    EXPECT_FALSE(black_rows(across, RECT{0, 0, 16, 16}).empty()) << "left";
    EXPECT_FALSE(black_rows(across, RECT{16, 0, 32, 16}).empty()) << "right";
}

TEST_F(LookTest, AScrollBarControlDrawsItsArrows) {
    HWND bar = control("SCROLLBAR", SBS_VERT, 100, 100, 16, 120);
    automation::run_until_idle();
    EXPECT_EQ(black_rows(bar, RECT{0, 0, 16, 16}), (std::vector<int>{1, 3, 5, 7}));
    EXPECT_EQ(black_rows(bar, RECT{0, 104, 16, 120}), (std::vector<int>{7, 5, 3, 1}));
}

TEST_F(LookTest, ADropDownListHasOneArrowButtonAndNoBarBesideIt) {
    HWND combo = control("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 100, 100, 150, 20);
    automation::run_until_idle();
    RECT client = client_of(combo);
    EXPECT_EQ(client.right, 150) << "WS_VSCROLL is its list's, not a bar of its own";
    EXPECT_EQ(client.bottom, 20);
    // one down arrow, in the button at the right end
    EXPECT_EQ(black_rows(combo, RECT{133, 0, 149, 20}), (std::vector<int>{7, 5, 3, 1}));
    EXPECT_TRUE(black_rows(combo, RECT{2, 2, 130, 18}).empty());
}

TEST_F(LookTest, AListBoxShowsNoHorizontalBarWithNothingToScrollAcross) {
    HWND list = control("LISTBOX", WS_HSCROLL | WS_VSCROLL | WS_BORDER, 100, 100, 200, 146);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one line"));
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
    EXPECT_EQ(client_of(list).bottom, 144) << "inside the border only";
    HWND kept = control("LISTBOX", WS_HSCROLL | WS_BORDER | LBS_DISABLENOSCROLL, 100, 300, 200, 150, 11);
    EXPECT_EQ(GetWindowLongA(kept, GWL_STYLE) & WS_HSCROLL, static_cast<LONG>(WS_HSCROLL));
}

// The client's pixels, row by row.
std::vector<COLORREF> pixels_of(HWND window) {
    automation::run_until_idle();
    std::vector<COLORREF> out;
    const RECT r = client_of(window);
    HDC dc = GetDC(window);
    for (int y = 0; y < r.bottom; ++y) {
        for (int x = 0; x < r.right; ++x) out.push_back(GetPixel(dc, x, y));
    }
    ReleaseDC(window, dc);
    return out;
}

// The parent of an owner-drawn list: each item white, the focus dotted
// round the item that has it.
LRESULT owner_of_list(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        if (item->itemState & ODS_FOCUS) DrawFocusRect(item->hDC, &item->rcItem);
        return TRUE;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

TEST_F(LookTest, TheFocusShowsAsADottedRectangle) {
    WNDCLASSA owner_class{};
    owner_class.lpfnWndProc = owner_of_list;
    owner_class.lpszClassName = "ListOwner";
    ASSERT_NE(RegisterClassA(&owner_class), 0);
    HWND owner = CreateWindowA("ListOwner", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, frame, nullptr, nullptr,
                               nullptr);
    const DWORD owner_drawn = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    const struct {
        const char* name;
        const char* cls;
        DWORD style;
        const char* text;
        std::vector<const char*> items;
        int selected;
        RECT around;  // where the dotted frame lies, client coordinates
    } cases[] = {
        {"owner-drawn list with nothing chosen: its first row", "LISTBOX", owner_drawn, "", {"a", "b"}, -1,
         {0, 0, 80, 16}},
        {"owner-drawn list: the chosen row", "LISTBOX", owner_drawn, "", {"a", "b", "c"}, 2, {0, 32, 80, 48}},
        {"check box: round its label", "BUTTON", BS_AUTOCHECKBOX, "Check", {}, -1, {15, 4, 55, 18}},
        {"radio button: round its label", "BUTTON", BS_AUTORADIOBUTTON, "Radio", {}, -1, {15, 4, 51, 18}},
        {"push button: inside its edge", "BUTTON", BS_PUSHBUTTON, "Push", {}, -1, {4, 4, 76, 18}},
        {"default push button", "BUTTON", BS_DEFPUSHBUTTON, "OK", {}, -1, {4, 4, 76, 18}},
        {"list box with nothing chosen: its first row", "LISTBOX", 0, "", {"a", "b"}, -1, {0, 0, 80, 16}},
        {"list box: the chosen row", "LISTBOX", 0, "", {"a", "b", "c"}, 1, {0, 16, 80, 32}},
        {"empty list box: its first row", "LISTBOX", 0, "", {}, -1, {0, 0, 80, 16}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool list = std::string(c.cls) == "LISTBOX";
        HWND control = CreateWindowA(c.cls, c.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | c.style, 100, 100, 80,
                                     list ? 64 : 22, (c.style & owner_drawn) ? owner : frame,
                                     reinterpret_cast<HMENU>(10), nullptr, nullptr);
        if (c.style & owner_drawn) SendMessageA(control, LB_SETITEMHEIGHT, 0, 16);
        for (const char* item : c.items) SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        if (c.selected >= 0) SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(c.selected), 0);
        SetFocus(frame);
        const std::vector<COLORREF> without = pixels_of(control);
        SetFocus(control);
        const std::vector<COLORREF> with = pixels_of(control);
        const LONG width = client_of(control).right;
        ASSERT_EQ(with.size(), without.size());
        // one pixel in two of the frame's line changes, and nothing else
        int changed = 0, off_the_line = 0;
        const RECT& r = c.around;
        for (size_t i = 0; i < with.size(); ++i) {
            if (with[i] == without[i]) continue;
            ++changed;
            const LONG x = static_cast<LONG>(i) % width, y = static_cast<LONG>(i) / width;
            const bool on_line = (x >= r.left && x < r.right && (y == r.top || y == r.bottom - 1)) ||
                                 (y >= r.top && y < r.bottom && (x == r.left || x == r.right - 1));
            if (!on_line) ++off_the_line;
        }
        const int line = 2 * (r.right - r.left + r.bottom - r.top) - 4;
        EXPECT_EQ(off_the_line, 0);
        EXPECT_GE(changed, line / 2 - 2);
        EXPECT_LE(changed, line / 2 + 2) << "dotted, not a solid line";
        SetFocus(frame);
        EXPECT_EQ(pixels_of(control), without) << "it goes with the focus";
        DestroyWindow(control);
    }
}

TEST_F(LookTest, BorderedFieldsOfADialogAreSunk) {
    const DialogItemTemplate items[] = {
        {"EDIT", "", 100, 4, 4, 80, 12, WS_BORDER | ES_AUTOHSCROLL},
        {"LISTBOX", "", 101, 4, 20, 80, 40, WS_BORDER},
        {"STATIC", "", 102, 4, 64, 80, 12, WS_BORDER},
    };
    const DialogTemplate t{"LOOKDLG", DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 100, 80, "look", 9,
                           nullptr, nullptr, nullptr, items};
    HWND dialog = CreateDialogIndirectParamA(nullptr, &t, frame, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    for (int id : {100, 101}) {
        HWND field = GetDlgItem(dialog, id);
        EXPECT_EQ(GetWindowLongA(field, GWL_STYLE) & WS_BORDER, 0) << id;
        EXPECT_EQ(GetWindowLongA(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, static_cast<LONG>(WS_EX_CLIENTEDGE)) << id;
    }
    HWND box = GetDlgItem(dialog, 102);
    EXPECT_EQ(GetWindowLongA(box, GWL_STYLE) & WS_BORDER, static_cast<LONG>(WS_BORDER)) << "a static keeps its line";
    DestroyWindow(dialog);
}

}  // namespace
