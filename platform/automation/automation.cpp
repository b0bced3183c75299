// The automation interface: records of what the program showed, the user's
// acts turned into messages, and the answers to modal questions.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "platform/automation/automation_internal.h"
#include "platform/automation/host.h"
#include "platform/gdi/drawing_log.h"
#include "platform/gdi/wingdi.h"
#include "platform/gdi/surface.h"
#include "platform/kernel/clock.h"
#include "platform/kernel/sjis.h"
#include "platform/user/codec.h"
#include "platform/user/live_display.h"
#include "platform/user/user_internal.h"

namespace platform_automation {

State& state() {
    static State s;
    return s;
}

void reset_state() {
    state() = State{};
}

void log_line(const std::string& text) {
    state().log.push_back(text);
}

void log_event(const std::string& text) {
    state().log.push_back("  " + text);
}

void fail(const std::string& message, bool fatal) {
    State& a = state();
    a.failures.push_back(message);
    log_event("FAILED: " + message);
    if (fatal && !a.aborted) {
        a.aborted = true;
        log_event("the run ends here");
    }
}

std::string quote_utf8(const std::string& utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
}

std::string quote_sjis(const std::string& sjis) {
    return quote_utf8(platform_user::cp932_to_utf8(sjis));
}

std::string message_box_type_name(UINT type) {
    static const char* const buttons[] = {"MB_OK",      "MB_OKCANCEL", "MB_ABORTRETRYIGNORE",
                                          "MB_YESNOCANCEL", "MB_YESNO", "MB_RETRYCANCEL"};
    UINT b = type & MB_TYPEMASK;
    std::string name = b < std::size(buttons) ? buttons[b] : "MB_TYPE" + std::to_string(b);
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        name += "|MB_ICONHAND";
        break;
    case MB_ICONQUESTION:
        name += "|MB_ICONQUESTION";
        break;
    case MB_ICONEXCLAMATION:
        name += "|MB_ICONEXCLAMATION";
        break;
    case MB_ICONASTERISK:
        name += "|MB_ICONASTERISK";
        break;
    default:
        break;
    }
    if ((type & MB_DEFMASK) == MB_DEFBUTTON2) name += "|MB_DEFBUTTON2";
    if ((type & MB_DEFMASK) == MB_DEFBUTTON3) name += "|MB_DEFBUTTON3";
    return name;
}

namespace {

struct ButtonName {
    int id;
    const char* name;
};

const ButtonName button_names[] = {
    {IDOK, "IDOK"},       {IDCANCEL, "IDCANCEL"}, {IDABORT, "IDABORT"}, {IDRETRY, "IDRETRY"},
    {IDIGNORE, "IDIGNORE"}, {IDYES, "IDYES"},     {IDNO, "IDNO"},
};

std::string beep_name(UINT type) {
    switch (type) {
    case 0xFFFFFFFF:
        return "simple";
    case MB_OK:
        return "MB_OK";
    case MB_ICONHAND:
        return "MB_ICONHAND";
    case MB_ICONQUESTION:
        return "MB_ICONQUESTION";
    case MB_ICONEXCLAMATION:
        return "MB_ICONEXCLAMATION";
    case MB_ICONASTERISK:
        return "MB_ICONASTERISK";
    default:
        return std::to_string(type);
    }
}

bool button_offered(UINT type, int button) {
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return button == IDOK;
    case MB_OKCANCEL:
        return button == IDOK || button == IDCANCEL;
    case MB_ABORTRETRYIGNORE:
        return button == IDABORT || button == IDRETRY || button == IDIGNORE;
    case MB_YESNOCANCEL:
        return button == IDYES || button == IDNO || button == IDCANCEL;
    case MB_YESNO:
        return button == IDYES || button == IDNO;
    case MB_RETRYCANCEL:
        return button == IDRETRY || button == IDCANCEL;
    default:
        return false;
    }
}

// Menu texts compare as written, or as shown.
using platform_user::menu_label;

std::string item_text(HMENU menu, int position) {
    char buffer[512];
    int n = GetMenuStringA(menu, static_cast<UINT>(position), buffer, sizeof buffer, MF_BYPOSITION);
    return std::string(buffer, static_cast<size_t>(std::max(0, n)));
}

HWND find_control_in(HWND root, int id) {
    for (HWND child = GetWindow(root, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id) return child;
    }
    for (HWND child = GetWindow(root, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (HWND found = find_control_in(child, id)) return found;
    }
    return nullptr;
}

}  // namespace

std::string describe_window(HWND window) {
    if (!window) return "(none)";
    if (window == platform_user::state().main_window) return "main";
    std::string text = automation::window_text(window);
    int id = GetDlgCtrlID(window);
    if (id) return std::to_string(id) + (text.empty() ? "" : " " + quote_sjis(text));
    return quote_sjis(text);
}

namespace {

void push_input(const platform_user::InputEvent& e) {
    platform_user::state().input.push_back(e);
}

bool refuse(const std::string& what, const std::string& why) {
    log_event(what + " refused: " + why);
    return false;
}

}  // namespace

std::string button_name(int button) {
    for (const ButtonName& b : button_names) {
        if (b.id == button) return b.name;
    }
    return std::to_string(button);
}

int parse_button(const std::string& word) {
    std::string upper = platform_user::upper_ascii(word.c_str());
    for (const ButtonName& b : button_names) {
        if (upper == b.name || "ID" + upper == b.name) return b.id;
    }
    return 0;
}

// --- Acts -------------------------------------------------------------------------

namespace {

bool deliver_by_path(HWND window, UINT id) {
    std::string what = "command " + std::to_string(id);
    HMENU menu = GetMenu(window);
    SendMessageA(window, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    std::vector<std::pair<HMENU, int>> path;
    // The program may change its menus while they open, so the way is found
    // again at each level.
    for (size_t level = 0;; ++level) {
        menu = GetMenu(window);
        path.clear();
        if (!IsWindow(window) || !menu || !platform_user::find_menu_command(menu, id, &path)) {
            return refuse(what, "the item went away while the menu opened");
        }
        if (level + 1 >= path.size()) break;
        auto [holder, position] = path[level];
        UINT st = GetMenuState(holder, static_cast<UINT>(position), MF_BYPOSITION);
        if (st & (MF_GRAYED | MF_DISABLED)) {
            return refuse(what, "the popup " + quote_sjis(item_text(holder, position)) + " is greyed");
        }
        SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(holder, position)),
                     MAKELPARAM(static_cast<WORD>(position), FALSE));
    }
    auto [holder, position] = path.back();
    std::string text = quote_sjis(item_text(holder, position));
    UINT st = GetMenuState(holder, static_cast<UINT>(position), MF_BYPOSITION);
    if (st & (MF_GRAYED | MF_DISABLED)) return refuse(what + " " + text, "the item is greyed");
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
    log_event(what + " " + text + " chosen");
    return true;
}

bool check_menu_window(HWND* window, const std::string& what) {
    if (!*window) *window = platform_user::state().main_window;
    if (!IsWindow(*window)) return refuse(what, "there is no window");
    if (!GetMenu(*window)) return refuse(what, "the window has no menu");
    if (!IsWindowEnabled(*window)) return refuse(what, "the window is disabled");
    return true;
}

}  // namespace

bool deliver_menu_command(HWND window, UINT id) {
    std::string what = "command " + std::to_string(id);
    if (!check_menu_window(&window, what)) return false;
    std::vector<std::pair<HMENU, int>> path;
    if (!platform_user::find_menu_command(GetMenu(window), id, &path)) return refuse(what, "no such item");
    return deliver_by_path(window, id);
}

bool deliver_menu_path(HWND window, const std::string& path_utf8) {
    std::string what = "menu " + quote_utf8(path_utf8);
    if (!check_menu_window(&window, what)) return false;
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t slash = path_utf8.find('/', start);
        parts.push_back(platform_user::utf8_to_cp932(path_utf8.substr(start, slash - start)));
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    HMENU menu = GetMenu(window);
    for (size_t i = 0; i < parts.size(); ++i) {
        int count = GetMenuItemCount(menu);
        int found = -1;
        for (int p = 0; p < count && found < 0; ++p) {
            std::string text = item_text(menu, p);
            if (!text.empty() && (text == parts[i] || menu_label(text) == menu_label(parts[i]))) found = p;
        }
        if (found < 0) return refuse(what, "no item " + quote_sjis(parts[i]));
        HMENU sub = GetSubMenu(menu, found);
        bool last = i + 1 == parts.size();
        if (last && sub) return refuse(what, quote_sjis(parts[i]) + " is a popup, not a command");
        if (!last && !sub) return refuse(what, quote_sjis(parts[i]) + " is not a popup");
        if (last) return deliver_by_path(window, GetMenuItemID(menu, found));
        menu = sub;
    }
    return false;
}

bool post_key(UINT vk, unsigned modifiers) {
    if (!GetFocus() && !GetActiveWindow()) return refuse("key", "no window has the keyboard focus");
    bool system = (modifiers & automation::alt) && !(modifiers & automation::control);
    auto push = [&](UINT message, UINT key, bool up) {
        platform_user::InputEvent e;
        e.message = message;
        e.wparam = key;
        DWORD data = 1;
        if (modifiers & automation::alt) data |= 1u << 29;
        if (up) data |= (1u << 30) | (1u << 31);
        e.key_data = static_cast<LPARAM>(data);
        push_input(e);
    };
    // Alt and F10 are system keys of their own, as the keyboard makes them.
    if (vk == VK_MENU || vk == VK_F10) system = !(modifiers & automation::control);
    if (modifiers & automation::control) push(WM_KEYDOWN, VK_CONTROL, false);
    if (modifiers & automation::shift) push(WM_KEYDOWN, VK_SHIFT, false);
    if (modifiers & automation::alt) push(WM_SYSKEYDOWN, VK_MENU, false);
    push(system ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, false);
    push(system ? WM_SYSKEYUP : WM_KEYUP, vk, true);
    if (modifiers & automation::alt) push(WM_KEYUP, VK_MENU, true);
    if (modifiers & automation::shift) push(WM_KEYUP, VK_SHIFT, true);
    if (modifiers & automation::control) push(WM_KEYUP, VK_CONTROL, true);
    return true;
}

namespace {

// A left press on a scroll bar is the bar's, as a person's would be.
int scroll_bar_press(POINT screen) {
    const int hit = platform_user::nonclient_hit(screen);
    return hit == HTVSCROLL || hit == HTHSCROLL ? hit : 0;
}

// The left button goes down at the event's point: on a frame (`hit`) as
// WM_NCLBUTTONDOWN, whose button-up only the loop tracking it takes.
void push_left_press(platform_user::InputEvent e, int hit) {
    e.message = hit ? WM_NCLBUTTONDOWN : WM_LBUTTONDOWN;
    e.hit = hit;
    push_input(e);
}

// The pointer moves to a point of the window (client coordinates); `e` is
// left there for what the hand does next.
bool pointer_to(HWND window, int x, int y, const char* what, platform_user::InputEvent* e) {
    if (!IsWindow(window)) return refuse(what, "there is no such window");
    POINT p{x, y};
    ClientToScreen(window, &p);
    *e = platform_user::InputEvent{};
    e->screen = p;
    e->message = WM_MOUSEMOVE;
    push_input(*e);
    return true;
}

void push_left_release(platform_user::InputEvent e, bool after_frame_press) {
    e.message = WM_LBUTTONUP;
    e.hit = 0;
    e.double_click = false;
    e.after_frame_press = after_frame_press;
    push_input(e);
}

}  // namespace

bool post_click(HWND window, int x, int y, UINT down, UINT up, bool twice) {
    platform_user::InputEvent e;
    if (!pointer_to(window, x, y, "click", &e)) return false;
    const int hit = down == WM_LBUTTONDOWN ? scroll_bar_press(e.screen) : 0;
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
        e.double_click = i == 1 && !hit;
        if (down == WM_LBUTTONDOWN) {
            push_left_press(e, hit);
            push_left_release(e, hit != 0);
            continue;
        }
        e.message = down;
        push_input(e);
        e.message = up;
        e.double_click = false;
        push_input(e);
    }
    return true;
}

bool post_mouse_down(HWND window, int x, int y) {
    platform_user::InputEvent e;
    if (!pointer_to(window, x, y, "mouse-down", &e)) return false;
    const int hit = platform_user::nonclient_hit(e.screen);
    push_left_press(e, hit);
    state().pressed_on_frame = hit != 0;
    return true;
}

bool post_mouse_up() {
    platform_user::InputEvent e;
    e.relative = true;  // where the pointer is when the button goes up
    push_left_release(e, state().pressed_on_frame);
    state().pressed_on_frame = false;
    return true;
}

bool post_wheel(HWND window, int x, int y, int notches, unsigned modifiers) {
    platform_user::InputEvent e;
    if (!pointer_to(window, x, y, "wheel", &e)) return false;
    if (modifiers & automation::shift) {
        e.message = WM_KEYDOWN;
        e.wparam = VK_SHIFT;
        e.key_data = 1;
        push_input(e);
    }
    e.message = WM_MOUSEWHEEL;
    e.wparam = MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(notches * WHEEL_DELTA)));
    push_input(e);
    if (modifiers & automation::shift) {
        e.message = WM_KEYUP;
        e.wparam = VK_SHIFT;
        e.key_data = static_cast<LPARAM>(1u | (1u << 30) | (1u << 31));
        push_input(e);
    }
    return true;
}

void let_time_pass(DWORD milliseconds) {
    state().time_to_pass += milliseconds;
    // Outside a loop that waits, nothing falls due on the way.
    if (!state().program_running && state().modal_stack.empty()) {
        platform_advance_ticks(state().time_to_pass);
        state().time_to_pass = 0;
        automation::run_until_idle();
    }
}

bool post_mouse_move(HWND window, int x, int y) {
    platform_user::InputEvent e;
    return pointer_to(window, x, y, "move", &e);
}

bool post_press(HWND window, const std::string& description) {
    if (!IsWindow(window)) return refuse("press " + description, "there is no such window");
    if (!IsWindowVisible(window)) return refuse("press " + description, "the window is hidden");
    if (!IsWindowEnabled(window)) return refuse("press " + description, "the window is disabled");
    RECT r;
    GetWindowRect(window, &r);
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(window, &centre);
    return post_click(window, centre.x, centre.y, WM_LBUTTONDOWN, WM_LBUTTONUP, false);
}

namespace {

// The hand moves by `by` in steps of at most 8 pixels, each from where the
// pointer is then.
void push_hand_moves(POINT by) {
    const int steps = std::clamp((std::max(std::abs(by.x), std::abs(by.y)) + 7) / 8, 1, 64);
    platform_user::InputEvent e;
    e.message = WM_MOUSEMOVE;
    e.relative = true;
    POINT done{0, 0};
    for (int i = 1; i <= steps; ++i) {
        const POINT next{by.x * i / steps, by.y * i / steps};
        e.screen = POINT{next.x - done.x, next.y - done.y};
        done = next;
        push_input(e);
    }
}

}  // namespace

bool post_drag(HWND window, POINT from, POINT to) {
    if (!IsWindow(window)) return refuse("drag", "there is no such window");
    ClientToScreen(window, &from);
    ClientToScreen(window, &to);
    platform_user::InputEvent e;
    e.screen = from;
    e.message = WM_MOUSEMOVE;
    push_input(e);
    const int hit = scroll_bar_press(from);
    push_left_press(e, hit);
    push_hand_moves(POINT{to.x - from.x, to.y - from.y});
    e.relative = true;
    e.screen = POINT{0, 0};
    push_left_release(e, hit != 0);
    return true;
}

namespace {

struct FramePart {
    const char* name;
    int code;
};

const FramePart frame_parts[] = {
    {"caption", HTCAPTION},      {"system-menu", HTSYSMENU},     {"minimize", HTMINBUTTON},
    {"maximize", HTMAXBUTTON},   {"close", HTCLOSE},             {"left", HTLEFT},
    {"right", HTRIGHT},          {"top", HTTOP},                 {"bottom", HTBOTTOM},
    {"top-left", HTTOPLEFT},     {"top-right", HTTOPRIGHT},      {"bottom-left", HTBOTTOMLEFT},
    {"bottom-right", HTBOTTOMRIGHT},
};

std::string frame_part_name(int code) {
    for (const FramePart& p : frame_parts) {
        if (p.code == code) return p.name;
    }
    return std::to_string(code);
}

}  // namespace

int frame_part_code(const std::string& name) {
    for (const FramePart& p : frame_parts) {
        if (name == p.name) return p.code;
    }
    return 0;
}

bool post_frame_act(HWND window, int part, int presses, POINT by) {
    const std::string what = "frame " + frame_part_name(part);
    if (!IsWindow(window)) return refuse(what, "there is no such window");
    window = platform_user::top_level_of(window);
    if (!IsWindowVisible(window)) return refuse(what, "the window is hidden");
    POINT at{};
    if (!platform_user::frame_part_point(window, part, &at)) return refuse(what, "the window has no such part");
    if (platform_user::top_level_of(WindowFromPoint(at)) != window || platform_user::nonclient_hit(at) != part) {
        return refuse(what, "another window covers it");
    }
    platform_user::InputEvent e;
    e.screen = at;
    e.message = WM_MOUSEMOVE;
    push_input(e);
    for (int i = 0; i < presses; ++i) {
        e.message = WM_NCLBUTTONDOWN;
        e.hit = part;
        e.double_click = i == 1;
        e.relative = false;
        e.screen = at;
        push_input(e);
        e.hit = 0;
        e.double_click = false;
        if (i + 1 == presses && (by.x != 0 || by.y != 0)) push_hand_moves(by);
        e.message = WM_LBUTTONUP;
        e.relative = true;
        e.screen = POINT{0, 0};
        e.after_frame_press = true;
        push_input(e);
        e.after_frame_press = false;
    }
    return true;
}

bool post_command(HWND window, UINT id) {
    std::string what = "command " + std::to_string(id);
    if (!window) window = platform_user::state().main_window;
    if (!IsWindow(window)) return refuse(what, "there is no window");
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 1), 0);
    log_event(what + " sent");
    return true;
}

bool post_text(const std::string& sjis) {
    if (!GetFocus() && !GetActiveWindow()) return refuse("type", "no window has the keyboard focus");
    for (char c : sjis) {
        if (c == '\n') {
            post_key(VK_RETURN, 0);
        } else if (c == '\t') {
            post_key(VK_TAB, 0);
        } else {
            platform_user::InputEvent e;
            e.message = WM_CHAR;
            e.wparam = static_cast<unsigned char>(c);
            e.key_data = 1;
            push_input(e);
        }
    }
    return true;
}

bool capture_window(HWND window, const std::string& path) {
    if (!IsWindow(window)) return refuse("capture", "there is no such window");
    HWND top = platform_user::top_level_of(window);
    platform_user::before_screen_read();
    platform_user::give_window_pixels(top);
    settle();
    platform_user::WindowRecord* t = platform_user::find_window(top);
    if (!t || !t->surface) return refuse("capture", "the window has no surface");
    platform_user::draw_nonclient(top);
    bool ok;
    if (window == top) {
        ok = save_surface_png(t->surface, path.c_str());
    } else {
        RECT r, tr;
        GetWindowRect(window, &r);
        GetWindowRect(top, &tr);
        int w = std::max(1, static_cast<int>(r.right - r.left)), h = std::max(1, static_cast<int>(r.bottom - r.top));
        cairo_surface_t* part = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
        cairo_t* cr = cairo_create(part);
        cairo_set_source_surface(cr, t->surface, -(r.left - tr.left), -(r.top - tr.top));
        cairo_paint(cr);
        cairo_destroy(cr);
        ok = save_surface_png(part, path.c_str());
        cairo_surface_destroy(part);
    }
    if (!ok) {
        fail("cannot write " + path, false);
        return false;
    }
    log_event("captured " + describe_window(window));
    return true;
}

void settle() {
    // Inside a modal dialog's loop (or a program's) the loop works the queue off.
    if (!state().program_running && state().modal_stack.empty()) automation::run_until_idle();
}

// --- What the window layer asks --------------------------------------------------

IdleOutcome on_idle(long wake_in_ms) {
    State& a = state();
    if (a.aborted) return IdleOutcome::finished;
    if (a.time_to_pass > 0) {
        // Time let pass goes by in steps, so that what falls due on the way
        // (a held arrow's repeats) happens at its moment.
        DWORD step = a.time_to_pass;
        if (wake_in_ms >= 0) step = std::min<DWORD>(step, static_cast<DWORD>(std::max(1L, wake_in_ms)));
        platform_advance_ticks(step);
        a.time_to_pass -= step;
        return IdleOutcome::progressed;
    }
    if (!a.idle_actions.empty()) {
        std::function<void()> act = std::move(a.idle_actions.front());
        a.idle_actions.pop_front();
        act();
        return IdleOutcome::progressed;
    }
    if (platform_user::LiveDisplay* display = platform_user::attached_display()) {
        if (platform_user::person_at_display()) {
            return display->wait_for_input(wake_in_ms) ? IdleOutcome::progressed : IdleOutcome::finished;
        }
        // Shown while a script runs: each state is on the screen before the next step.
        display->poll_input();
    }
    if (run_next_step()) return IdleOutcome::progressed;
    if (a.aborted) return IdleOutcome::finished;
    if (!a.modal_stack.empty()) {
        // A common dialog that no script was there to answer.
        const bool question = !a.common_windows.empty() && a.common_windows.back().depth == a.modal_stack.size();
        fail(question && a.steps.empty() ? "nobody answered " + a.modal_stack.back()
                                         : "the script ended while " + a.modal_stack.back() + " waits",
             true);
        return IdleOutcome::finished;
    }
    HWND main = platform_user::state().main_window;
    if (!a.close_sent && IsWindow(main)) {
        a.close_sent = true;
        log_line("script done: WM_CLOSE to the main window");
        PostMessageA(main, WM_CLOSE, 0, 0);
        return IdleOutcome::progressed;
    }
    if (a.close_sent) {
        fail("the program did not end after WM_CLOSE", true);
    } else {
        fail("the program waits for messages and has no main window to close", true);
    }
    return IdleOutcome::finished;
}

void on_peek() {
    if (platform_user::LiveDisplay* display = platform_user::attached_display()) display->poll_input();
    State& a = state();
    if (a.triggers.empty()) return;
    std::vector<PeekTrigger> due;
    for (auto it = a.triggers.begin(); it != a.triggers.end();) {
        if (--it->remaining <= 0) {
            due.push_back(*it);
            it = a.triggers.erase(it);
        } else {
            ++it;
        }
    }
    for (const PeekTrigger& t : due) {
        if (t.act) {
            log_event("at a peek: " + t.description);
            t.act();
            continue;
        }
        HWND target = automation::find_window(t.target);
        if (!target) {
            fail("at the peek for " + t.target.describe() + ": no such window", false);
            continue;
        }
        if (post_press(target, t.target.describe())) log_event("pressed " + t.target.describe() + " at a peek");
    }
}

bool run_aborted() {
    return state().aborted;
}

// Lets script steps answer the question that waits now.
void wait_for_answer(const std::string& description) {
    State& a = state();
    while (!a.answered && !a.aborted) {
        if (a.next_step >= a.steps.size()) {
            fail((a.steps.empty() ? "nobody answered " : "the script ended while ") + description +
                     (a.steps.empty() ? "" : " waits"),
                 true);
            return;
        }
        const ScriptStep& step = a.steps[a.next_step];
        if (!step_allowed_while_waiting(step)) {
            fail("line " + std::to_string(step.line) + " (" + step.source + ") cannot run while " + description +
                     " waits",
                 true);
            return;
        }
        run_next_step();
    }
}

int answer_message_box(HWND /*owner*/, const char* text, const char* caption, UINT type) {
    State& a = state();
    a.boxes.push_back(automation::MessageBoxRecord{caption, text, type, 0});
    int index = static_cast<int>(a.boxes.size()) - 1;
    std::string description = "the message box " + quote_sjis(caption);
    log_event("message box " + quote_sjis(caption) + " " + quote_sjis(text) + " " + message_box_type_name(type));
    if (a.aborted) return 0;
    int answer = 0;
    if (!a.pending_answers.empty()) {
        answer = a.pending_answers.front();
        a.pending_answers.pop_front();
    } else {
        // A box may come up while another question waits: keep that one.
        WaitKind old_kind = a.waiting;
        int old_box = a.waiting_box;
        HMENU old_popup = a.waiting_popup;
        bool old_answered = a.answered;
        UINT old_answer = a.answer;
        a.waiting = WaitKind::message_box;
        a.waiting_box = index;
        a.answered = false;
        wait_for_answer(description);
        answer = a.answered ? static_cast<int>(a.answer) : 0;
        a.waiting = old_kind;
        a.waiting_box = old_box;
        a.waiting_popup = old_popup;
        a.answered = old_answered;
        a.answer = old_answer;
        if (!answer) return 0;
    }
    if (!button_offered(type, answer)) {
        fail(button_name(answer) + " is not a button of " + description + " (" + message_box_type_name(type) + ")",
             true);
        return 0;
    }
    a.boxes[static_cast<size_t>(index)].answer = answer;
    log_event("answered " + button_name(answer));
    return answer;
}

UINT answer_popup_menu(HMENU menu, HWND owner) {
    State& a = state();
    log_event("popup menu with " + std::to_string(GetMenuItemCount(menu)) + " items");
    if (a.aborted) return 0;
    UINT chosen = 0;
    if (!a.pending_popups.empty()) {
        chosen = a.pending_popups.front();
        a.pending_popups.pop_front();
    } else {
        WaitKind old_kind = a.waiting;
        HMENU old_popup = a.waiting_popup;
        HWND old_owner = a.waiting_owner;
        bool old_answered = a.answered;
        UINT old_answer = a.answer;
        a.waiting = WaitKind::popup_menu;
        a.waiting_popup = menu;
        a.waiting_owner = owner;
        a.answered = false;
        wait_for_answer("a popup menu");
        bool answered = a.answered;
        chosen = a.answer;
        a.waiting = old_kind;
        a.waiting_popup = old_popup;
        a.waiting_owner = old_owner;
        a.answered = old_answered;
        a.answer = old_answer;
        if (!answered) return 0;
    }
    if (chosen == 0) {
        log_event("popup menu dismissed");
        return 0;
    }
    std::vector<std::pair<HMENU, int>> path;
    std::string what = "popup command " + std::to_string(chosen);
    if (!platform_user::find_menu_command(menu, chosen, &path)) {
        fail(what + " is not in the popup menu", false);
        return 0;
    }
    for (const auto& [holder, position] : path) {
        if (GetMenuState(holder, static_cast<UINT>(position), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) {
            refuse(what + " " + quote_sjis(item_text(holder, position)), "the item is greyed");
            return 0;
        }
    }
    log_event(what + " " + quote_sjis(item_text(path.back().first, path.back().second)) + " chosen");
    return chosen;
}

void record_beep(UINT type) {
    state().beeps.push_back(type);
    log_event("beep " + beep_name(type));
}

void record_event(const std::string& text) {
    log_event(text);
}

}  // namespace platform_automation

// --- The public API ------------------------------------------------------------------

namespace automation {

using namespace platform_automation;

WindowSpec WindowSpec::main_window() {
    return WindowSpec{};
}

WindowSpec WindowSpec::of(HWND window) {
    WindowSpec s;
    s.kind = Kind::handle;
    s.handle = window;
    return s;
}

WindowSpec WindowSpec::titled(const std::string& title) {
    WindowSpec s;
    s.kind = Kind::title;
    s.text = title;
    return s;
}

WindowSpec WindowSpec::control(int id) {
    WindowSpec s;
    s.kind = Kind::control;
    s.ids.push_back(id);
    return s;
}

WindowSpec WindowSpec::child(int id) const {
    WindowSpec s = *this;
    s.ids.push_back(id);
    return s;
}

std::string WindowSpec::describe() const {
    std::string out;
    size_t first_id = 0;
    switch (kind) {
    case Kind::main:
        out = "main";
        break;
    case Kind::active:
        out = "active";
        break;
    case Kind::focus:
        out = "focus";
        break;
    case Kind::handle:
        out = describe_window(handle);
        break;
    case Kind::title:
        out = quote_sjis(text);
        break;
    case Kind::class_name:
        out = "class:" + text;
        break;
    case Kind::control:
        out = ids.empty() ? "?" : std::to_string(ids[0]);
        first_id = 1;
        break;
    }
    for (size_t i = first_id; i < ids.size(); ++i) {
        out += '/';
        out += std::to_string(ids[i]);
    }
    return out;
}

HWND find_window(const WindowSpec& wanted) {
    HWND base = nullptr;
    size_t first_id = 0;
    const auto& tops = platform_user::state().top_levels;
    switch (wanted.kind) {
    case WindowSpec::Kind::main:
        base = platform_user::state().main_window;
        break;
    case WindowSpec::Kind::active:
        base = GetActiveWindow();
        break;
    case WindowSpec::Kind::focus:
        base = GetFocus();
        break;
    case WindowSpec::Kind::handle:
        base = wanted.handle;
        break;
    case WindowSpec::Kind::title:
        for (int pass = 0; pass < 2 && !base; ++pass) {
            for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
                if (window_text(*it) == wanted.text && (pass == 1 || IsWindowVisible(*it))) {
                    base = *it;
                    break;
                }
            }
        }
        break;
    case WindowSpec::Kind::class_name:
        base = FindWindowA(wanted.text.c_str(), nullptr);
        break;
    case WindowSpec::Kind::control: {
        if (wanted.ids.empty()) return nullptr;
        std::vector<HWND> roots{GetActiveWindow(), platform_user::state().main_window};
        for (auto it = tops.rbegin(); it != tops.rend(); ++it) roots.push_back(*it);
        for (HWND root : roots) {
            if (root && (base = find_control_in(root, wanted.ids[0]))) break;
        }
        first_id = 1;
        break;
    }
    }
    for (size_t i = first_id; base && i < wanted.ids.size(); ++i) base = find_control_in(base, wanted.ids[i]);
    return IsWindow(base) ? base : nullptr;
}

void reset() {
    platform_automation::reset_state();
    platform_user::reset_user_state();
    platform_automation::reset_state();  // forget what the destruction logged
    // tests read the drawing log whether or not a script asks for it
    set_drawing_log_enabled(true);
}

void set_window_pixels(bool kept) { platform_user::set_window_pixels_kept(kept); }

void set_screen_size(int width, int height) {
    platform_user::UserState& s = platform_user::state();
    s.screen_width = width;
    s.screen_height = height;
    if (s.desktop_surface) {
        cairo_surface_destroy(s.desktop_surface);
        s.desktop_surface = nullptr;
    }
    set_gdi_screen_size(width, height);
}

bool choose_menu_command(UINT id, HWND window) {
    bool ok = deliver_menu_command(window, id);
    settle();
    return ok;
}

bool choose_menu_path(const std::string& path_utf8, HWND window) {
    bool ok = deliver_menu_path(window, path_utf8);
    settle();
    return ok;
}

bool press_key(const std::string& key) {
    UINT vk = 0;
    unsigned modifiers = 0;
    if (!parse_key(key, &vk, &modifiers)) {
        fail("unknown key " + quote_utf8(key), false);
        return false;
    }
    return press_key(vk, modifiers);
}

bool press_key(UINT virtual_key, unsigned modifiers) {
    bool ok = post_key(virtual_key, modifiers);
    settle();
    return ok;
}

bool click(HWND window, int x, int y) {
    bool ok = post_click(window, x, y, WM_LBUTTONDOWN, WM_LBUTTONUP, false);
    settle();
    return ok;
}

bool move_mouse(HWND window, int x, int y) {
    bool ok = post_mouse_move(window, x, y);
    settle();
    return ok;
}

bool double_click(HWND window, int x, int y) {
    bool ok = post_click(window, x, y, WM_LBUTTONDOWN, WM_LBUTTONUP, true);
    settle();
    return ok;
}

bool right_click(HWND window, int x, int y) {
    bool ok = post_click(window, x, y, WM_RBUTTONDOWN, WM_RBUTTONUP, false);
    settle();
    return ok;
}

bool press(HWND window) {
    bool ok = post_press(window, describe_window(window));
    settle();
    return ok;
}

bool press_control(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    if (!control) control = find_control_in(parent, id);
    if (!control) return refuse("press " + std::to_string(id), "there is no such control");
    return press(control);
}

bool type_text(const std::string& text) {
    bool ok = post_text(text);
    settle();
    return ok;
}

bool scroll(HWND window, int bar, int code, int position) {
    if (!IsWindow(window)) return refuse("scroll", "there is no such window");
    UINT message = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    PostMessageA(window, message, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(position)), 0);
    settle();
    return true;
}

bool close_window(HWND window) {
    if (!window) window = platform_user::state().main_window;
    if (!IsWindow(window)) return refuse("close", "there is no such window");
    // The hand reaches the close box, which is the system menu's Close: a
    // window that took that item away (or has no system menu) ignores it.
    HMENU system = (GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU) ? GetSystemMenu(window, FALSE) : nullptr;
    const UINT item = system ? GetMenuState(system, SC_CLOSE, MF_BYCOMMAND) : static_cast<UINT>(-1);
    if (item == static_cast<UINT>(-1) || (item & (MF_GRAYED | MF_DISABLED)) != 0) {
        log_event("close ignored: the window has no close item");
        return true;
    }
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    settle();
    return true;
}

bool resize_window(HWND window, int width, int height) {
    if (!IsWindow(window)) return refuse("resize", "there is no such window");
    RECT r;
    GetWindowRect(window, &r);
    POINT p{r.left, r.top};
    if (HWND parent = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr) {
        ScreenToClient(parent, &p);
    }
    MoveWindow(window, p.x, p.y, width, height, TRUE);
    settle();
    return true;
}

void answer_next_message_box(int button) {
    state().pending_answers.push_back(button);
}

void choose_next_popup_item(UINT id) {
    state().pending_popups.push_back(id);
}

void press_at_peek(long n, const WindowSpec& target) {
    state().triggers.push_back(PeekTrigger{std::max(1L, n), target, {}, {}});
}

void at_peek(long n, const std::string& description, std::function<void()> act) {
    state().triggers.push_back(PeekTrigger{std::max(1L, n), WindowSpec{}, description, std::move(act)});
}

void set_accelerators(HWND window, HACCEL table) {
    State& a = state();
    a.accel_window = window;
    a.accel_table = table;
}

void run_until_idle() {
    State& a = state();
    // A loop that never empties the queue is a fault of the program; stop it.
    for (long n = 0; n < 1000000; ++n) {
        if (a.aborted) return;
        MSG m;
        if (!platform_user::take_message(&m, nullptr, 0, 0, true)) return;
        if (m.message == WM_QUIT) {
            a.quit_received = true;
            a.quit_code = static_cast<int>(m.wParam);
            return;
        }
        if (a.accel_table && IsWindow(a.accel_window) && TranslateAcceleratorA(a.accel_window, a.accel_table, &m)) {
            continue;
        }
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    fail("the message queue never ran empty", true);
}

bool quit_received(int* exit_code) {
    const State& a = state();
    if (exit_code && a.quit_received) *exit_code = a.quit_code;
    return a.quit_received;
}

HWND main_window() {
    HWND main = platform_user::state().main_window;
    return IsWindow(main) ? main : nullptr;
}

std::string window_text(HWND window) {
    int n = GetWindowTextLengthA(window);
    if (n <= 0) return {};
    std::string text(static_cast<size_t>(n) + 1, '\0');
    int got = GetWindowTextA(window, text.data(), n + 1);
    text.resize(static_cast<size_t>(std::max(0, got)));
    return text;
}

UINT menu_item_state(UINT id, HWND window) {
    if (!window) window = main_window();
    HMENU menu = GetMenu(window);
    if (!menu) return static_cast<UINT>(-1);
    return GetMenuState(menu, id, MF_BYCOMMAND);
}

const std::vector<MessageBoxRecord>& message_boxes() {
    return state().boxes;
}

const std::vector<UINT>& beeps() {
    return state().beeps;
}

const std::vector<HelpCall>& help_calls() {
    return state().help_calls;
}

const std::vector<ShellCall>& shell_calls() {
    return state().shell_calls;
}

std::string cursor_name() {
    platform_user::UserState& s = platform_user::state();
    auto it = s.cursors.find(reinterpret_cast<uintptr_t>(s.cursor));
    return it == s.cursors.end() ? std::string() : it->second.name;
}

POINT caret_position(HWND* window, bool* visible) {
    const platform_user::CaretState& c = platform_user::state().caret;
    if (window) *window = c.window;
    if (visible) *visible = c.window && c.hide_count == 0;
    return c.pos;
}

bool capture_png(HWND window, const std::string& path) {
    return capture_window(window, path);
}

namespace {

// The pixels of a client rectangle of the window as 0xRRGGBB, row by row;
// points off the surface are left out.
std::vector<uint32_t> client_pixels(HWND window, RECT area) {
    std::vector<uint32_t> out;
    if (!IsWindow(window)) return out;
    platform_user::before_screen_read();
    platform_user::give_window_pixels(platform_user::top_level_of(window));
    settle();
    platform_user::WindowRecord* t = platform_user::find_window(platform_user::top_level_of(window));
    if (!t || !t->surface) return out;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    origin.x -= t->rect.left;
    origin.y -= t->rect.top;
    cairo_surface_flush(t->surface);
    const unsigned char* data = cairo_image_surface_get_data(t->surface);
    const int stride = cairo_image_surface_get_stride(t->surface);
    const int width = cairo_image_surface_get_width(t->surface);
    const int height = cairo_image_surface_get_height(t->surface);
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const int sx = origin.x + x, sy = origin.y + y;
            if (sx < 0 || sy < 0 || sx >= width || sy >= height) continue;
            uint32_t p;
            std::memcpy(&p, data + static_cast<size_t>(sy) * static_cast<size_t>(stride) + static_cast<size_t>(sx) * 4,
                        sizeof p);
            out.push_back(p & 0xFFFFFF);
        }
    }
    return out;
}

}  // namespace

COLORREF pixel_at(HWND window, int x, int y) {
    std::vector<uint32_t> p = client_pixels(window, RECT{x, y, x + 1, y + 1});
    if (p.empty()) return CLR_INVALID;
    return RGB((p[0] >> 16) & 0xFF, (p[0] >> 8) & 0xFF, p[0] & 0xFF);
}

int ink_pixels(HWND window, const RECT& area) {
    std::vector<uint32_t> pixels = client_pixels(window, area);
    std::map<uint32_t, int> counts;
    int most = 0;
    for (uint32_t p : pixels) most = std::max(most, ++counts[p]);
    return static_cast<int>(pixels.size()) - most;
}

std::vector<std::string> drawing_log(HWND window) {
    platform_user::before_screen_read();
    std::vector<std::string> lines;
    for (const DrawingLogEntry& e : drawing_log_entries()) {
        if (e.window && (e.window == window || IsChild(window, e.window))) lines.push_back(format_drawing_log_entry(e));
    }
    return lines;
}

std::vector<std::string> print_drawing_log() {
    std::vector<std::string> lines;
    for (const DrawingLogEntry& e : drawing_log_last_print_job()) lines.push_back(format_drawing_log_entry(e));
    return lines;
}

bool write_lines(const std::string& path, const std::vector<std::string>& lines) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    for (const std::string& line : lines) {
        std::fwrite(line.data(), 1, line.size(), f);
        std::fputc('\n', f);
    }
    const bool written = !std::ferror(f);
    return std::fclose(f) == 0 && written;
}

bool drag(HWND window, int x1, int y1, int x2, int y2) {
    bool ok = post_drag(window, POINT{x1, y1}, POINT{x2, y2});
    settle();
    return ok;
}

bool frame_click(HWND window, int part, bool twice) {
    bool ok = post_frame_act(window, part, twice ? 2 : 1, POINT{0, 0});
    settle();
    return ok;
}

bool frame_drag(HWND window, int part, int dx, int dy) {
    bool ok = post_frame_act(window, part, 1, POINT{dx, dy});
    settle();
    return ok;
}

bool mouse_down(HWND window, int x, int y) {
    bool ok = post_mouse_down(window, x, y);
    settle();
    return ok;
}

bool mouse_up() {
    bool ok = post_mouse_up();
    settle();
    return ok;
}

bool turn_wheel(HWND window, int x, int y, int notches, unsigned modifiers) {
    bool ok = post_wheel(window, x, y, notches, modifiers);
    settle();
    return ok;
}

void let_time_pass(DWORD milliseconds) {
    platform_automation::let_time_pass(milliseconds);
}

bool send_command(UINT id, HWND window) {
    bool ok = post_command(window, id);
    settle();
    return ok;
}

const std::vector<std::string>& log_lines() {
    return state().log;
}

std::string log_text() {
    std::string out;
    for (const std::string& line : state().log) out += line + "\n";
    return out;
}

bool failed() {
    return !state().failures.empty();
}

const std::vector<std::string>& failures() {
    return state().failures;
}

void record_help_call(const char* file, UINT command, uintptr_t data) {
    state().help_calls.push_back(HelpCall{file ? file : "", command, data});
    log_event("help " + quote_sjis(file ? file : "") + " command " + std::to_string(command));
}

int record_shell_call(HWND /*owner*/, const char* verb, const char* file, const char* parameters,
                      const char* directory, int show) {
    State& a = state();
    a.shell_calls.push_back(
        ShellCall{verb ? verb : "", file ? file : "", parameters ? parameters : "", directory ? directory : "", show});
    log_event("shell " + quote_sjis(verb ? verb : "") + " " + quote_sjis(file ? file : "") + " " +
              quote_sjis(parameters ? parameters : "") + " in " + quote_sjis(directory ? directory : ""));
    return a.shell_result;
}

void set_shell_result(int result) {
    state().shell_result = result;
}

}  // namespace automation
