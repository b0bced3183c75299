// Menus worked by a person's hand: a popup shown as a window of its own,
// tracked with the pointer captured until an item is chosen or the menu is
// dismissed. A script never gets here: it chooses commands by id.
#include <algorithm>

#include "platform/gdi/wingdi.h"
#include "platform/user/user_internal.h"

using namespace platform_user;

namespace {

constexpr const char* kMenuClass = "PlatformPopupMenu";
constexpr int kItemHeight = 18;
constexpr int kSeparatorHeight = 8;
constexpr int kBorder = 3;      // the raised edge around the items
constexpr int kTextLeft = 18;   // room for the check mark
constexpr int kTextRight = 16;

struct PopupRun {
    HMENU menu = nullptr;
    HWND owner = nullptr;
    HWND window = nullptr;
    HFONT font = nullptr;
    std::vector<RECT> items;  // client coordinates
    int hot = -1;
    bool done = false;
    UINT chosen = 0;
};

PopupRun* current_popup = nullptr;

// The label and the accelerator text of an item.
void split_item_text(const std::string& text, std::string* label, std::string* keys) {
    *label = menu_label(text);
    const size_t tab = text.find('\t');
    *keys = tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

// The raised or sunk edge of a box, one pixel wide.
void draw_edge(HDC dc, const RECT& r, bool raised) {
    HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT), dark = GetSysColorBrush(COLOR_BTNSHADOW);
    const RECT top{r.left, r.top, r.right, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom};
    const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &top, raised ? light : dark);
    FillRect(dc, &left, raised ? light : dark);
    FillRect(dc, &bottom, raised ? dark : light);
    FillRect(dc, &right, raised ? dark : light);
}

int text_width(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

bool item_enabled(const MenuItem& item) {
    return !(item.flags & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR));
}

// Lays the items out one under the other; returns the window's size.
SIZE lay_out(PopupRun& run, const MenuRecord& m) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, run.font);
    int widest = 60;
    for (const MenuItem& item : m.items) {
        std::string label, keys;
        split_item_text(item.text, &label, &keys);
        int w = text_width(dc, label) + (keys.empty() ? 0 : text_width(dc, keys) + 24);
        widest = std::max(widest, w);
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int y = kBorder;
    const int right = kBorder + kTextLeft + widest + kTextRight;
    run.items.clear();
    for (const MenuItem& item : m.items) {
        const int h = (item.flags & MF_SEPARATOR) ? kSeparatorHeight : kItemHeight;
        run.items.push_back(RECT{kBorder, y, right, y + h});
        y += h;
    }
    return SIZE{right + kBorder, y + kBorder};
}

void paint_popup(HWND window, PopupRun& run) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    draw_edge(dc, client, true);
    const MenuRecord* m = find_menu(run.menu);
    HGDIOBJ old = SelectObject(dc, run.font);
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; m && i < m->items.size() && i < run.items.size(); ++i) {
        const MenuItem& item = m->items[i];
        RECT r = run.items[i];
        if (item.flags & MF_SEPARATOR) {
            draw_edge(dc, RECT{r.left + 1, r.top + 3, r.right - 1, r.top + 5}, false);
            continue;
        }
        const bool hot = static_cast<int>(i) == run.hot;
        if (hot) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        COLORREF colour = sys_color(hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
        if (!item_enabled(item)) colour = sys_color(COLOR_GRAYTEXT);
        SetTextColor(dc, colour);
        std::string label, keys;
        split_item_text(item.text, &label, &keys);
        const int text_top = r.top + (kItemHeight - 12) / 2 - 1;
        TextOutA(dc, r.left + kTextLeft, text_top, label.c_str(), static_cast<int>(label.size()));
        if (!keys.empty()) {
            TextOutA(dc, r.right - kTextRight - text_width(dc, keys), text_top, keys.c_str(),
                     static_cast<int>(keys.size()));
        }
        if (item.flags & MF_CHECKED) TextOutA(dc, r.left + 5, text_top, "v", 1);
        if (item.popup) TextOutA(dc, r.right - 10, text_top, ">", 1);
    }
    SelectObject(dc, old);
    EndPaint(window, &ps);
}

int item_at(const PopupRun& run, POINT client) {
    for (size_t i = 0; i < run.items.size(); ++i) {
        if (PtInRect(&run.items[i], client)) return static_cast<int>(i);
    }
    return -1;
}

void set_hot(PopupRun& run, int hot) {
    if (run.hot == hot) return;
    run.hot = hot;
    InvalidateRect(run.window, nullptr, TRUE);
}

// Takes the item: a command ends the menu; a popup opens beside it.
void take_item(PopupRun& run, int index) {
    const MenuRecord* m = find_menu(run.menu);
    if (!m || index < 0 || index >= static_cast<int>(m->items.size())) return;
    const MenuItem item = m->items[static_cast<size_t>(index)];
    if (!item_enabled(item)) return;
    if (item.popup) {
        SendMessageA(run.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(item.popup),
                     MAKELPARAM(static_cast<WORD>(index), FALSE));
        POINT at{run.items[static_cast<size_t>(index)].right, run.items[static_cast<size_t>(index)].top};
        ClientToScreen(run.window, &at);
        PopupRun* outer = current_popup;
        UINT chosen = track_popup_window(item.popup, run.owner, at);
        current_popup = outer;
        if (chosen == 0) return;
        run.chosen = chosen;
    } else {
        run.chosen = static_cast<UINT>(item.id);
    }
    run.done = true;
}

POINT point_of(LPARAM lparam) {
    return POINT{static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam))),
                 static_cast<short>(HIWORD(static_cast<uintptr_t>(lparam)))};
}

LRESULT popup_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    PopupRun* run = current_popup;
    if (!run || run->window != window) return DefWindowProcA(window, message, wparam, lparam);
    switch (message) {
    case WM_PAINT:
        paint_popup(window, *run);
        return 0;
    case WM_MOUSEMOVE:
        set_hot(*run, item_at(*run, point_of(lparam)));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        // A press outside the menu dismisses it.
        RECT client;
        GetClientRect(window, &client);
        if (!PtInRect(&client, point_of(lparam))) run->done = true;
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        take_item(*run, item_at(*run, point_of(lparam)));
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

void ensure_menu_class() {
    if (find_class(kMenuClass)) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = popup_proc;
    wc.lpszClassName = kMenuClass;
    wc.hbrBackground = GetSysColorBrush(COLOR_MENU);
    RegisterClassA(&wc);
}

// Moves the highlight to the next enabled item up or down.
void step_hot(PopupRun& run, int direction) {
    const MenuRecord* m = find_menu(run.menu);
    if (!m || m->items.empty()) return;
    const int n = static_cast<int>(m->items.size());
    int at = run.hot;
    for (int k = 0; k < n; ++k) {
        at = at < 0 ? (direction > 0 ? 0 : n - 1) : (at + direction + n) % n;
        if (item_enabled(m->items[static_cast<size_t>(at)])) {
            set_hot(run, at);
            return;
        }
    }
}

void on_key(PopupRun& run, const MSG& m) {
    if (m.message != WM_KEYDOWN && m.message != WM_SYSKEYDOWN) return;
    switch (m.wParam) {
    case VK_ESCAPE:
    case VK_MENU:
        run.done = true;
        break;
    case VK_UP:
        step_hot(run, -1);
        break;
    case VK_DOWN:
        step_hot(run, 1);
        break;
    case VK_RETURN:
        take_item(run, run.hot);
        break;
    default:
        break;
    }
}

}  // namespace

namespace platform_user {

UINT track_popup_window(HMENU menu, HWND owner, POINT at) {
    const MenuRecord* m = find_menu(menu);
    if (!m || !IsWindow(owner)) return 0;
    ensure_menu_class();
    PopupRun run;
    run.menu = menu;
    run.owner = owner;
    run.font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kDesktopDialogFace);
    const SIZE size = lay_out(run, *m);
    const UserState& s = state();
    at.x = std::max<LONG>(0, std::min<LONG>(at.x, s.screen_width - size.cx));
    at.y = std::max<LONG>(0, std::min<LONG>(at.y, s.screen_height - size.cy));
    PopupRun* outer = current_popup;
    current_popup = &run;
    run.window = CreateWindowExA(0, kMenuClass, "", WS_POPUP, at.x, at.y, size.cx, size.cy, top_level_of(owner),
                                 nullptr, nullptr, nullptr);
    if (!run.window) {
        current_popup = outer;
        DeleteObject(run.font);
        return 0;
    }
    ShowWindow(run.window, SW_SHOWNOACTIVATE);
    UpdateWindow(run.window);
    HWND old_capture = SetCapture(run.window);
    while (!run.done && IsWindow(run.window)) {
        MSG msg;
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
            on_key(run, msg);
            continue;
        }
        // A press on another window's frame ends the menu, as any press outside it.
        if (msg.message == WM_NCLBUTTONDOWN) {
            run.done = true;
            continue;
        }
        DispatchMessageA(&msg);
    }
    if (IsWindow(old_capture)) SetCapture(old_capture);
    else ReleaseCapture();
    if (IsWindow(run.window)) DestroyWindow(run.window);
    DeleteObject(run.font);
    current_popup = outer;
    return run.chosen;
}

void track_menu_bar(HWND window, POINT screen) {
    HMENU bar = GetMenu(window);
    const std::vector<RECT> items = menu_bar_items(window);
    int index = -1;
    for (size_t i = 0; i < items.size(); ++i) {
        if (PtInRect(&items[i], screen)) index = static_cast<int>(i);
    }
    if (!bar || index < 0) return;
    SendMessageA(window, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
    HMENU popup = GetSubMenu(GetMenu(window), index);
    UINT state_bits = GetMenuState(GetMenu(window), static_cast<UINT>(index), MF_BYPOSITION);
    if (state_bits & (MF_GRAYED | MF_DISABLED)) return;
    if (!popup) {
        // A command right on the bar.
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetMenuItemID(bar, index)), 0), 0);
        return;
    }
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(static_cast<WORD>(index), FALSE));
    const RECT& item = items[static_cast<size_t>(index)];
    const UINT chosen = track_popup_window(popup, window, POINT{item.left, item.bottom});
    if (chosen != 0 && IsWindow(window)) PostMessageA(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
}

}  // namespace platform_user
