// Menus worked by a person's hand: a popup shown as a window of its own,
// tracked with the pointer captured until an item is chosen or the menu is
// dismissed; the menu bar worked from the keyboard (Alt, F10, Alt+letter,
// the arrows, Enter and Esc), as on Windows 95. A script chooses commands by
// id, but its keys work these menus as a person's do.
#include <algorithm>
#include <cctype>

#include "platform/automation/automation.h"
#include "platform/automation/host.h"
#include "platform/gdi/wingdi.h"
#include "platform/user/codec.h"
#include "platform/user/user_internal.h"

using namespace platform_user;

namespace {

constexpr const char* kMenuClass = "PlatformPopupMenu";
constexpr int kItemHeight = 18;
constexpr int kSeparatorHeight = 8;
constexpr int kBorder = 3;      // the raised edge around the items
constexpr int kTextLeft = 18;   // room for the check mark
constexpr int kTextRight = 16;

// How a popup ended when no command was chosen.
enum class MenuExit {
    none,
    escape,      // Esc, Left in a submenu, or a click outside a submenu: back one level
    step_left,   // Left or Right: the neighbouring popup of the menu bar
    step_right,
    jump,        // a click on another item of the menu bar
    leave,       // Alt, F10, a click elsewhere: out of every menu
};

struct PopupRun {
    HMENU menu = nullptr;
    HWND owner = nullptr;
    HWND window = nullptr;
    HFONT font = nullptr;
    std::vector<RECT> items;  // client coordinates
    int hot = -1;
    bool done = false;
    UINT chosen = 0;
    bool nested = false;     // a submenu of another popup
    bool from_bar = false;   // opened from the owner's menu bar
    MenuExit exit = MenuExit::none;
    int jump_to = -1;        // the bar item of MenuExit::jump
    PopupRun* outer = nullptr;  // the popup this one opened from, still shown
};

PopupRun* current_popup = nullptr;

void note(const std::string& text_sjis) {
    platform_automation::record_event(cp932_to_utf8(text_sjis));
}

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
    // the raised edge of a Windows 95 menu: a black line outside the white one
    const RECT outer_bottom{client.left, client.bottom - 1, client.right, client.bottom};
    const RECT outer_right{client.right - 1, client.top, client.right, client.bottom};
    FillRect(dc, &outer_bottom, GetSysColorBrush(COLOR_3DDKSHADOW));
    FillRect(dc, &outer_right, GetSysColorBrush(COLOR_3DDKSHADOW));
    draw_edge(dc, RECT{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1}, true);
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
        underline_mnemonic(dc, r.left + kTextLeft, text_top, mnemonic_of(item.text, true), colour);
        if (!keys.empty()) {
            TextOutA(dc, r.right - kTextRight - text_width(dc, keys), text_top, keys.c_str(),
                     static_cast<int>(keys.size()));
        }
        if (item.flags & MF_CHECKED) draw_menu_check(dc, RECT{r.left, r.top, r.left + kTextLeft, r.bottom}, colour);
        if (item.popup) {
            // the submenu's arrow: a small black triangle at the right
            const RECT box{r.right - 14, r.top, r.right - 4, r.bottom};
            POINT p[3];
            arrow_triangle(box, ArrowDirection::right, p);
            HBRUSH brush = CreateSolidBrush(colour);
            HPEN pen = CreatePen(PS_SOLID, 1, colour);
            HGDIOBJ old_brush = SelectObject(dc, brush), old_pen = SelectObject(dc, pen);
            Polygon(dc, p, 3);
            SelectObject(dc, old_brush);
            SelectObject(dc, old_pen);
            DeleteObject(brush);
            DeleteObject(pen);
        }
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

struct PopupOptions {
    bool nested = false;
    bool from_bar = false;
    bool by_key = false;   // the first item is highlighted
};

PopupRun run_popup(HMENU menu, HWND owner, POINT at, const PopupOptions& options);

// Takes the item: a command ends the menu; a popup opens beside it.
void take_item(PopupRun& run, int index, bool by_key) {
    const MenuRecord* m = find_menu(run.menu);
    if (!m || index < 0 || index >= static_cast<int>(m->items.size())) return;
    const MenuItem item = m->items[static_cast<size_t>(index)];
    if (!item_enabled(item)) return;
    set_hot(run, index);
    if (item.popup) {
        SendMessageA(run.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(item.popup),
                     MAKELPARAM(static_cast<WORD>(index), FALSE));
        POINT at{run.items[static_cast<size_t>(index)].right, run.items[static_cast<size_t>(index)].top};
        ClientToScreen(run.window, &at);
        PopupRun* outer = current_popup;
        const PopupRun inner = run_popup(item.popup, run.owner, at, PopupOptions{true, run.from_bar, by_key});
        current_popup = outer;
        if (inner.chosen != 0) {
            run.chosen = inner.chosen;
        } else if (inner.exit == MenuExit::escape || inner.exit == MenuExit::none) {
            return;  // back in this popup
        } else {
            run.exit = inner.exit;
            run.jump_to = inner.jump_to;
        }
    } else {
        run.chosen = static_cast<UINT>(item.id);
        note("command " + std::to_string(item.id) + " \"" + menu_label(item.text) + "\" chosen");
    }
    run.done = true;
}

POINT point_of(LPARAM lparam) {
    return POINT{static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam))),
                 static_cast<short>(HIWORD(static_cast<uintptr_t>(lparam)))};
}

LRESULT popup_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    // The popups a submenu opened from are still on the screen and paint
    // while it is open; only the innermost takes the hand.
    if (message == WM_PAINT) {
        for (PopupRun* open = current_popup; open; open = open->outer) {
            if (open->window == window) {
                paint_popup(window, *open);
                return 0;
            }
        }
    }
    PopupRun* run = current_popup;
    if (!run || run->window != window) return DefWindowProcA(window, message, wparam, lparam);
    switch (message) {
    case WM_MOUSEMOVE: {
        RECT client;
        GetClientRect(window, &client);
        // off the menu the keyboard's item stays lit
        if (PtInRect(&client, point_of(lparam))) set_hot(*run, item_at(*run, point_of(lparam)));
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        // A press outside the menu dismisses it.
        RECT client;
        GetClientRect(window, &client);
        if (!PtInRect(&client, point_of(lparam))) {
            run->done = true;
            run->exit = run->nested ? MenuExit::escape : MenuExit::leave;
        }
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        take_item(*run, item_at(*run, point_of(lparam)), false);
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

// The items whose mnemonic is the key, in order.
std::vector<int> items_with_key(const MenuRecord& m, UINT key) {
    std::vector<int> out;
    for (size_t i = 0; i < m.items.size(); ++i) {
        if (m.items[i].flags & MF_SEPARATOR) continue;
        const char k = mnemonic_of(m.items[i].text, true).key;
        if (k != 0 && static_cast<UINT>(static_cast<unsigned char>(k)) == key) out.push_back(static_cast<int>(i));
    }
    return out;
}

bool is_mnemonic_key(UINT vk) {
    return (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
}

// A menu takes its letters as characters, as a window takes typed text: a
// key's character comes from TranslateMessage, or at a desktop as text of
// its own after the key, and the menu must take that too. The key of a
// character (WM_CHAR, WM_SYSCHAR), 0 when no mnemonic can be it.
UINT mnemonic_key_of(const MSG& m) {
    if (m.message != WM_CHAR && m.message != WM_SYSCHAR) return 0;
    const UINT key = m.wParam < 0x80 ? static_cast<UINT>(std::toupper(static_cast<int>(m.wParam))) : 0;
    return is_mnemonic_key(key) ? key : 0;
}

// What a menu loop does with a key message: a letter or digit is made its
// character, which comes next.
void translate_letters(const MSG& m) {
    if ((m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) && is_mnemonic_key(static_cast<UINT>(m.wParam))) {
        TranslateMessage(&m);
    }
}

void end_popup(PopupRun& run, MenuExit exit) {
    run.done = true;
    run.exit = exit;
}

void on_key(PopupRun& run, const MSG& m) {
    const MenuRecord* menu = find_menu(run.menu);
    if (const UINT key = mnemonic_key_of(m); key && menu) {
        // one item with the key is taken; several are stepped through
        const std::vector<int> found = items_with_key(*menu, key);
        if (found.size() == 1) {
            take_item(run, found[0], true);
        } else if (!found.empty()) {
            auto next = std::upper_bound(found.begin(), found.end(), run.hot);
            set_hot(run, next == found.end() ? found.front() : *next);
        } else {
            MessageBeep(0);
        }
        return;
    }
    if (m.message != WM_KEYDOWN && m.message != WM_SYSKEYDOWN) return;
    translate_letters(m);
    const UINT vk = static_cast<UINT>(m.wParam);
    switch (vk) {
    case VK_ESCAPE:
        end_popup(run, MenuExit::escape);
        break;
    case VK_MENU:
    case VK_F10:
        end_popup(run, MenuExit::leave);
        break;
    case VK_UP:
        step_hot(run, -1);
        break;
    case VK_DOWN:
        step_hot(run, 1);
        break;
    case VK_LEFT:
        if (run.nested) end_popup(run, MenuExit::escape);
        else if (run.from_bar) end_popup(run, MenuExit::step_left);
        break;
    case VK_RIGHT: {
        const bool on_popup = menu && run.hot >= 0 && run.hot < static_cast<int>(menu->items.size()) &&
                              menu->items[static_cast<size_t>(run.hot)].popup &&
                              item_enabled(menu->items[static_cast<size_t>(run.hot)]);
        if (on_popup) take_item(run, run.hot, true);
        else if (run.from_bar) end_popup(run, MenuExit::step_right);
        break;
    }
    case VK_RETURN:
        take_item(run, run.hot, true);
        break;
    default:
        break;
    }
}

// The bar item under a screen point of the owner's menu bar, or -1.
int bar_item_at(HWND owner, POINT screen) {
    const std::vector<RECT> items = menu_bar_items(owner);
    for (size_t i = 0; i < items.size(); ++i) {
        if (PtInRect(&items[i], screen)) return static_cast<int>(i);
    }
    return -1;
}

PopupRun run_popup(HMENU menu, HWND owner, POINT at, const PopupOptions& options) {
    PopupRun run;
    const MenuRecord* m = find_menu(menu);
    if (!m || !IsWindow(owner)) return run;
    ensure_menu_class();
    run.menu = menu;
    run.owner = owner;
    run.nested = options.nested;
    run.from_bar = options.from_bar;
    run.font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kDesktopDialogFace);
    const SIZE size = lay_out(run, *m);
    const UserState& s = state();
    at.x = std::max<LONG>(0, std::min<LONG>(at.x, s.screen_width - size.cx));
    at.y = std::max<LONG>(0, std::min<LONG>(at.y, s.screen_height - size.cy));
    PopupRun* outer = current_popup;
    run.outer = outer;
    current_popup = &run;
    run.window = CreateWindowExA(0, kMenuClass, "", WS_POPUP, at.x, at.y, size.cx, size.cy, top_level_of(owner),
                                 nullptr, nullptr, nullptr);
    if (!run.window) {
        current_popup = outer;
        DeleteObject(run.font);
        return run;
    }
    if (options.by_key) step_hot(run, 1);
    ShowWindow(run.window, SW_SHOWNOACTIVATE);
    UpdateWindow(run.window);
    platform_automation::tracking_loop_begins("a menu");
    HWND old_capture = SetCapture(run.window);
    while (!run.done && IsWindow(run.window)) {
        MSG msg;
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            run.exit = MenuExit::leave;
            break;
        }
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
            on_key(run, msg);
            continue;
        }
        if (msg.message == WM_NCLBUTTONDOWN || msg.message == WM_NCLBUTTONDBLCLK) {
            // A press on the owner's menu bar switches to that item, or closes
            // the menu on its own item; any other frame ends the menu.
            const int item = run.from_bar && msg.hwnd == owner && msg.wParam == HTMENU ? bar_item_at(owner, msg.pt) : -1;
            const FrameHandState& hand = state().hand;
            if (item >= 0 && item != hand.menu_bar_item) {
                run.jump_to = item;
                end_popup(run, MenuExit::jump);
            } else {
                end_popup(run, MenuExit::leave);
            }
            continue;
        }
        DispatchMessageA(&msg);
    }
    platform_automation::tracking_loop_ends();
    if (IsWindow(old_capture)) SetCapture(old_capture);
    else ReleaseCapture();
    if (IsWindow(run.window)) DestroyWindow(run.window);
    DeleteObject(run.font);
    current_popup = outer;
    return run;
}

// --- The menu bar ----------------------------------------------------------------

void set_bar(HWND window, int item, bool open) {
    FrameHandState& hand = state().hand;
    hand.menu_bar_window = item != -1 ? window : nullptr;
    hand.menu_bar_item = item;
    hand.menu_bar_open = open;
}

bool has_system_menu(HWND window) {
    const WindowRecord* w = find_window(window);
    return w && !(w->style & WS_CHILD) && (w->style & WS_SYSMENU) && GetSystemMenu(window, FALSE);
}

// The places of the bar the arrows go through: the system menu, then the
// titles (separators are none). The item's own flags are read: GetMenuState
// puts a popup's item count in its high byte, where a count of 8 to 15 looks
// like MF_SEPARATOR.
std::vector<int> bar_places(HWND window, HMENU bar) {
    std::vector<int> places;
    if (has_system_menu(window)) places.push_back(kSystemMenuPlace);
    if (const MenuRecord* m = find_menu(bar)) {
        for (size_t i = 0; i < m->items.size(); ++i) {
            if (!(m->items[i].flags & MF_SEPARATOR)) places.push_back(static_cast<int>(i));
        }
    }
    return places;
}

// The next place to the left or right, round the ends.
int step_bar(HWND window, HMENU bar, int from, int direction) {
    const std::vector<int> places = bar_places(window, bar);
    const auto at = std::find(places.begin(), places.end(), from);
    if (at == places.end()) return from;
    const int n = static_cast<int>(places.size());
    return places[static_cast<size_t>((static_cast<int>(at - places.begin()) + direction + n) % n)];
}

// Alt alone selects the first title; a window without a bar, its system menu.
int first_bar_place(HWND window, HMENU bar) {
    const std::vector<int> places = bar_places(window, bar);
    for (int place : places) {
        if (place != kSystemMenuPlace) return place;
    }
    return places.empty() ? -1 : places.front();
}

// The system menu with what the window can do now, its popup's notice sent.
HMENU prepare_system_menu(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w || !(w->style & WS_SYSMENU)) return nullptr;
    HMENU system = GetSystemMenu(window, FALSE);
    if (!system) return nullptr;
    const bool sizable = (w->style & WS_THICKFRAME) != 0;
    auto enable = [&](UINT command, bool on) {
        EnableMenuItem(system, command, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(SC_RESTORE, w->minimized || w->maximized);
    enable(SC_MOVE, !w->maximized);
    enable(SC_SIZE, sizable && !w->minimized && !w->maximized);
    enable(SC_MINIMIZE, (w->style & WS_MINIMIZEBOX) && !w->minimized);
    enable(SC_MAXIMIZE, (w->style & WS_MAXIMIZEBOX) && !w->maximized);
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, TRUE));
    return IsWindow(window) ? system : nullptr;
}

// The system menu open under the window's icon.
PopupRun run_system_popup(HWND window, const PopupOptions& options) {
    HMENU system = prepare_system_menu(window);
    const WindowRecord* w = find_window(window);
    if (!system || !w) return PopupRun{};
    const CaptionLayout l = caption_layout(*w);
    note("system menu opened");
    return run_popup(system, window, POINT{l.caption.left, l.caption.bottom}, options);
}

int bar_item_with_key(HMENU bar, UINT key) {
    const MenuRecord* m = find_menu(bar);
    if (!m) return -1;
    const std::vector<int> found = items_with_key(*m, key);
    return found.empty() ? -1 : found.front();
}

// Waits, with the bar item selected and no popup open, for the key that
// opens one. False when the menu is left; `deferred` is a press that left
// it, for the caller to hand on.
bool wait_on_bar(HWND window, HMENU bar, int* index, MSG* deferred, bool* have_deferred) {
    for (;;) {
        MSG m;
        if (!GetMessageA(&m, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(m.wParam));
            return false;
        }
        if (!IsWindow(window) || GetMenu(window) != bar) return false;
        if (const UINT key = mnemonic_key_of(m)) {
            const int found = bar_item_with_key(bar, key);
            if (found >= 0) {
                *index = found;
                return true;
            }
            MessageBeep(0);
            continue;
        }
        if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) {
            translate_letters(m);
            const UINT vk = static_cast<UINT>(m.wParam);
            switch (vk) {
            case VK_LEFT:
            case VK_RIGHT:
                *index = step_bar(window, bar, *index, vk == VK_LEFT ? -1 : 1);
                set_bar(window, *index, false);
                continue;
            case VK_DOWN:
            case VK_UP:
            case VK_RETURN:
                return true;
            case VK_ESCAPE:
            case VK_MENU:
            case VK_F10:
                return false;
            default:
                continue;
            }
        }
        if ((m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) || m.message == WM_MOUSEMOVE ||
            m.message == WM_LBUTTONUP || m.message == WM_RBUTTONUP) {
            continue;
        }
        const bool press = m.message == WM_LBUTTONDOWN || m.message == WM_RBUTTONDOWN || m.message == WM_MBUTTONDOWN ||
                           m.message == WM_LBUTTONDBLCLK || m.message == WM_NCLBUTTONDOWN ||
                           m.message == WM_NCLBUTTONDBLCLK;
        if (press) {
            *deferred = m;
            *have_deferred = true;
            return false;
        }
        DispatchMessageA(&m);
    }
}

// The menu bar at work from place `index` (a title, or the system menu):
// its popup open (`open`) or the place only selected, until a command is
// chosen or the menu is left.
void run_menu_bar(HWND window, int index, bool open, bool by_key) {
    HMENU bar = GetMenu(window);
    const std::vector<int> places = bar_places(window, bar);
    if (std::find(places.begin(), places.end(), index) == places.end()) return;
    SendMessageA(window, WM_INITMENU, reinterpret_cast<WPARAM>(bar ? bar : GetSystemMenu(window, FALSE)), 0);
    platform_automation::tracking_loop_begins("the menu bar");
    MSG deferred{};
    bool have_deferred = false;
    // Without a popup open, the bar takes the clicks that end the menu.
    const HWND old_capture = GetCapture();
    while (IsWindow(window) && GetMenu(window) == bar) {
        set_bar(window, index, open);
        if (!open) {
            SetCapture(window);
            const bool go_on = wait_on_bar(window, bar, &index, &deferred, &have_deferred);
            if (!go_on) break;
            open = true;
            by_key = true;
            continue;
        }
        const bool system = index == kSystemMenuPlace;
        PopupRun run;
        if (system) {
            run = run_system_popup(window, PopupOptions{false, true, by_key});
        } else {
            const UINT bits = GetMenuState(bar, static_cast<UINT>(index), MF_BYPOSITION);
            HMENU popup = GetSubMenu(bar, index);
            if (bits & (MF_GRAYED | MF_DISABLED)) {
                open = false;
                continue;
            }
            char text[256] = "";
            GetMenuStringA(bar, static_cast<UINT>(index), text, sizeof text, MF_BYPOSITION);
            if (!popup) {
                // a command right on the bar
                const UINT id = GetMenuItemID(bar, index);
                note("command " + std::to_string(id) + " \"" + menu_label(text) + "\" chosen");
                PostMessageA(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
                break;
            }
            SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                         MAKELPARAM(static_cast<WORD>(index), FALSE));
            note("menu \"" + menu_label(text) + "\" opened");
            const std::vector<RECT> items = menu_bar_items(window);
            if (static_cast<size_t>(index) >= items.size()) break;
            const RECT& item = items[static_cast<size_t>(index)];
            run = run_popup(popup, window, POINT{item.left, item.bottom}, PopupOptions{false, true, by_key});
        }
        if (run.chosen != 0) {
            if (IsWindow(window)) {
                PostMessageA(window, system ? WM_SYSCOMMAND : WM_COMMAND,
                             system ? run.chosen : MAKEWPARAM(static_cast<WORD>(run.chosen), 0), 0);
            }
            break;
        }
        if (run.exit == MenuExit::step_left || run.exit == MenuExit::step_right) {
            index = step_bar(window, bar, index, run.exit == MenuExit::step_left ? -1 : 1);
        } else if (run.exit == MenuExit::jump) {
            index = run.jump_to;
            by_key = false;
        } else if (run.exit == MenuExit::escape) {
            open = false;  // back to the bar, its item still selected
        } else {
            break;
        }
    }
    set_bar(window, -1, false);
    if (IsWindow(old_capture)) SetCapture(old_capture);
    else if (IsWindow(window) && GetCapture() == window) ReleaseCapture();
    platform_automation::tracking_loop_ends();
    if (have_deferred) DispatchMessageA(&deferred);
}

}  // namespace

namespace platform_user {

UINT track_popup_window(HMENU menu, HWND owner, POINT at) {
    return run_popup(menu, owner, at, PopupOptions{}).chosen;
}

void track_menu_bar(HWND window, POINT screen) {
    const int index = bar_item_at(window, screen);
    if (index < 0 || !GetMenu(window)) return;
    if (GetMenuState(GetMenu(window), static_cast<UINT>(index), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) {
        SendMessageA(window, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(window)), 0);
        return;
    }
    run_menu_bar(window, index, true, false);
}

void keyboard_menu(HWND window, WPARAM key) {
    WindowRecord* w = find_window(top_level_of(window));
    if (!w) return;
    window = w->handle;
    if (w->minimized) {
        track_system_menu(window, true);
        return;
    }
    if (key == ' ') {
        run_menu_bar(window, kSystemMenuPlace, true, true);
        return;
    }
    HMENU bar = (w->style & WS_CHILD) ? nullptr : GetMenu(window);
    if (key == 0) {
        run_menu_bar(window, first_bar_place(window, bar), false, true);
        return;
    }
    if (!bar || GetMenuItemCount(bar) == 0) {
        MessageBeep(0);
        return;
    }
    const UINT upper = key < 0x80 && std::isalpha(static_cast<int>(key)) ? static_cast<UINT>(std::toupper(static_cast<int>(key)))
                                                                          : static_cast<UINT>(key);
    const int index = bar_item_with_key(bar, upper);
    if (index < 0) {
        MessageBeep(0);
        return;
    }
    run_menu_bar(window, index, true, true);
}

void track_system_menu(HWND window, bool by_key) {
    const UINT chosen = run_system_popup(window, PopupOptions{false, false, by_key}).chosen;
    if (chosen != 0 && IsWindow(window)) PostMessageA(window, WM_SYSCOMMAND, chosen, 0);
}

}  // namespace platform_user
