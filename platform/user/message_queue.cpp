// The message queue: sent messages are direct calls; posted messages, then
// input, then WM_QUIT, then WM_PAINT are taken in that order, as on Windows.
#include <algorithm>

#include "platform/automation/host.h"
#include "platform/kernel/clock.h"
#include "platform/user/user_internal.h"

namespace platform_user {

LRESULT send_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowRecord* w = find_window(window);
    if (!w || !w->proc) return 0;
    WNDPROC proc = w->proc;
    return proc(window, message, wparam, lparam);
}

void drop_messages_for(HWND window) {
    UserState& s = state();
    s.posted.erase(std::remove_if(s.posted.begin(), s.posted.end(), [&](const MSG& m) { return m.hwnd == window; }),
                   s.posted.end());
    s.input.erase(
        std::remove_if(s.input.begin(), s.input.end(), [&](const InputEvent& e) { return e.target == window; }),
        s.input.end());
}

}  // namespace platform_user

using namespace platform_user;

namespace {

bool in_range(UINT message, UINT first, UINT last) {
    if (first == 0 && last == 0) return true;
    return message >= first && message <= last;
}

bool window_matches(HWND filter, HWND window) {
    if (!filter) return true;
    if (filter == reinterpret_cast<HWND>(static_cast<intptr_t>(-1))) return window == nullptr;
    return window == filter || IsChild(filter, window);
}

bool is_keyboard_message(UINT m) {
    return m >= WM_KEYFIRST && m <= WM_KEYLAST;
}

bool is_button_down(UINT m) {
    return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN || m == WM_LBUTTONDBLCLK ||
           m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDBLCLK;
}

WPARAM mouse_key_flags(const UserState& s) {
    WPARAM flags = 0;
    if (s.key_down[VK_LBUTTON]) flags |= MK_LBUTTON;
    if (s.key_down[VK_RBUTTON]) flags |= MK_RBUTTON;
    if (s.key_down[VK_SHIFT]) flags |= MK_SHIFT;
    if (s.key_down[VK_CONTROL]) flags |= MK_CONTROL;
    return flags;
}

// Works out which window an input event goes to and what the message looks
// like there. False when no window can take it (it is then dropped).
bool resolve_input(const InputEvent& e, MSG* out, std::string* why) {
    UserState& s = state();
    *out = MSG{};
    out->message = e.message;
    out->wParam = e.wparam;
    out->lParam = e.key_data;
    out->pt = s.cursor_pos;
    if (is_keyboard_message(e.message)) {
        HWND target = e.target ? e.target : (s.focus ? s.focus : s.active);
        if (!target || !find_window(target)) {
            *why = "no window has the keyboard focus";
            return false;
        }
        out->hwnd = target;
        return true;
    }
    // Mouse
    const POINT at = e.relative ? POINT{s.cursor_pos.x + e.screen.x, s.cursor_pos.y + e.screen.y} : e.screen;
    out->pt = at;
    const LPARAM screen_point = MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y));
    if (e.hit != 0) {
        HWND under = window_from_screen_point(at);
        WindowRecord* t = find_window(top_level_of(under));
        if (!t || (t->style & WS_DISABLED)) {
            *why = "no enabled window under the pointer";
            return false;
        }
        // A scroll bar is the frame of the window that has it, a child's too.
        out->hwnd = e.hit == HTVSCROLL || e.hit == HTHSCROLL ? under : t->handle;
        out->wParam = static_cast<WPARAM>(e.hit);
        out->lParam = screen_point;
        if (e.double_click && e.message == WM_NCLBUTTONDOWN) out->message = WM_NCLBUTTONDBLCLK;
        return true;
    }
    // The press was the frame's: only the loop that follows it (holding the capture) wants its end.
    if (e.after_frame_press && !s.capture) return false;
    HWND target = s.capture ? s.capture : window_from_screen_point(at);
    if (!target) {
        *why = "no window under the pointer";
        return false;
    }
    WindowRecord* w = find_window(target);
    if (!s.capture) {
        WindowRecord* top = find_window(top_level_of(target));
        if ((w->style & WS_DISABLED) || (top && (top->style & WS_DISABLED))) {
            *why = "the window under the pointer is disabled";
            return false;
        }
        // A move over a window's frame is the window's own (WM_NCMOUSEMOVE).
        if (e.message == WM_MOUSEMOVE && top == w) {
            if (const int hit = nonclient_hit(at)) {
                out->hwnd = target;
                out->message = WM_NCMOUSEMOVE;
                out->wParam = static_cast<WPARAM>(hit);
                out->lParam = screen_point;
                return true;
            }
        }
    }
    POINT origin = client_origin_on_screen(*w);
    out->hwnd = target;
    out->lParam = MAKELPARAM(static_cast<WORD>(at.x - origin.x), static_cast<WORD>(at.y - origin.y));
    UINT message = e.message;
    if (e.double_click && (w->cls->wc.style & CS_DBLCLKS)) {
        if (message == WM_LBUTTONDOWN) message = WM_LBUTTONDBLCLK;
        if (message == WM_RBUTTONDOWN) message = WM_RBUTTONDBLCLK;
    }
    out->message = message;
    return true;
}

void note_input_taken(const MSG& m) {
    UserState& s = state();
    switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        s.key_down[m.wParam & 0xFF] = 1;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        s.key_down[m.wParam & 0xFF] = 0;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        s.key_down[VK_LBUTTON] = 1;
        break;
    case WM_LBUTTONUP:
        s.key_down[VK_LBUTTON] = 0;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        s.key_down[VK_RBUTTON] = 1;
        break;
    case WM_RBUTTONUP:
        s.key_down[VK_RBUTTON] = 0;
        break;
    default:
        break;
    }
    if ((m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) ||
        (m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCLBUTTONDBLCLK)) {
        s.cursor_pos = m.pt;
    }
}

bool is_mouse_input(UINT m) {
    return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCLBUTTONDBLCLK);
}

// The pointer is now over `window`, in its client area or not: a window
// that asked to hear of the pointer leaving it hears of it, once. True when
// it was told.
bool pointer_now_over(HWND window, bool client) {
    UserState& s = state();
    HWND tracked = s.mouse_tracked;
    if (!tracked || (client && window == tracked)) return false;
    s.mouse_tracked = nullptr;
    return find_window(tracked) && PostMessageA(tracked, WM_MOUSELEAVE, 0, 0);
}

// What Windows does around a mouse message before the program sees it:
// activation on a click and the WM_SETCURSOR question.
void prepare_mouse_message(MSG* m) {
    UserState& s = state();
    if (is_button_down(m->message)) {
        HWND top = top_level_of(m->hwnd);
        if (top && top != s.active) {
            const LRESULT how = send_message(m->hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                                             MAKELPARAM(HTCLIENT, static_cast<WORD>(m->message)));
            if (how != MA_NOACTIVATE && IsWindow(top)) activate_window(top, true);
        }
    }
    if (!s.capture && find_window(m->hwnd)) {
        send_message(m->hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m->hwnd),
                     MAKELPARAM(HTCLIENT, static_cast<WORD>(m->message)));
    }
    if (find_window(m->hwnd)) m->wParam |= mouse_key_flags(s);
}

}  // namespace

namespace platform_user {

bool take_message(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
    UserState& s = state();
    // The wheel's notches become scroll messages in their turn, behind the
    // input before them.
    while (!s.input.empty() && s.input.front().message == WM_MOUSEWHEEL) {
        const InputEvent e = s.input.front();
        s.input.pop_front();
        const int notches = static_cast<short>(HIWORD(e.wparam)) / WHEEL_DELTA;
        post_wheel_scrolls(e.screen, notches, s.key_down[VK_SHIFT] != 0);
    }
    for (auto it = s.posted.begin(); it != s.posted.end(); ++it) {
        if (!in_range(it->message, first, last) || !window_matches(filter, it->hwnd)) continue;
        *msg = *it;
        msg->pt = s.cursor_pos;
        if (remove) {
            s.posted.erase(it);
            msg->time = ++s.clock;
            s.last_message = *msg;
        } else {
            msg->time = s.clock;
        }
        return true;
    }
    for (size_t i = 0; i < s.input.size();) {
        MSG m;
        std::string why;
        if (!resolve_input(s.input[i], &m, &why)) {
            // a pointer over no window has left every window, and the
            // window it left hears of it now, not after the next input
            const bool left = s.input[i].message == WM_MOUSEMOVE && pointer_now_over(nullptr, false);
            s.input.erase(s.input.begin() + static_cast<long>(i));
            if (!why.empty()) platform_automation::record_event("input dropped: " + why);
            if (left) return take_message(msg, filter, first, last, remove);
            continue;
        }
        if (!in_range(m.message, first, last) || !window_matches(filter, m.hwnd)) {
            ++i;
            continue;
        }
        if (remove) {
            bool mouse = m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST;
            const bool text_follows = s.input[i].text_follows;
            s.input.erase(s.input.begin() + static_cast<long>(i));
            m.time = ++s.clock;
            if (text_follows) {
                s.keys_typed_as_text.push_back(m.time);
                if (s.keys_typed_as_text.size() > 16) s.keys_typed_as_text.pop_front();
            }
            note_input_taken(m);
            if (is_mouse_input(m.message)) pointer_now_over(m.hwnd, mouse);
            if (mouse) prepare_mouse_message(&m);
            if (m.message == WM_NCMOUSEMOVE && !s.capture) {
                send_message(m.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m.hwnd),
                             MAKELPARAM(static_cast<WORD>(m.wParam), WM_MOUSEMOVE));
            }
            s.last_message = m;
        } else {
            m.time = s.clock;
        }
        *msg = m;
        return true;
    }
    if (s.quit_posted && in_range(WM_QUIT, first, last)) {
        *msg = MSG{};
        msg->message = WM_QUIT;
        msg->wParam = static_cast<WPARAM>(s.quit_code);
        msg->pt = s.cursor_pos;
        msg->time = s.clock;
        if (remove) s.quit_posted = false;
        return true;
    }
    if (in_range(WM_PAINT, first, last)) {
        HWND window = next_window_to_paint(filter);
        if (window) {
            *msg = MSG{};
            msg->hwnd = window;
            msg->message = WM_PAINT;
            msg->pt = s.cursor_pos;
            msg->time = remove ? ++s.clock : s.clock;
            return true;
        }
    }
    return false;
}

int take_message_within(MSG* msg, long wait_ms) {
    const DWORD until = GetTickCount() + static_cast<DWORD>(std::max(0L, wait_ms));
    for (;;) {
        if (platform_automation::run_aborted()) return -1;
        if (take_message(msg, nullptr, 0, 0, true)) return 1;
        long left = -1;
        if (wait_ms >= 0) {
            left = static_cast<LONG>(until - GetTickCount());
            if (left <= 0) return 0;
        }
        if (platform_automation::on_idle(left) == platform_automation::IdleOutcome::finished) return -1;
    }
}

}  // namespace platform_user

LRESULT SendMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (window == HWND_BROADCAST) {
        std::vector<HWND> tops = state().top_levels;
        for (HWND top : tops) send_message(top, message, wparam, lparam);
        return 0;
    }
    return send_message(window, message, wparam, lparam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    UserState& s = state();
    if (window == HWND_BROADCAST) {
        for (HWND top : s.top_levels) s.posted.push_back(MSG{top, message, wparam, lparam, 0, {}});
        return TRUE;
    }
    if (window && !find_window(window)) return FALSE;
    s.posted.push_back(MSG{window, message, wparam, lparam, 0, {}});
    return TRUE;
}

void PostQuitMessage(int exit_code) {
    UserState& s = state();
    s.quit_posted = true;
    s.quit_code = exit_code;
}

BOOL GetMessageA(MSG* msg, HWND window, UINT first, UINT last) {
    if (!msg) return -1;
    for (;;) {
        if (platform_automation::run_aborted()) break;
        if (take_message(msg, window, first, last, true)) return msg->message != WM_QUIT;
        if (platform_automation::on_idle() == platform_automation::IdleOutcome::finished) break;
    }
    // Nothing can come any more: end the loop as WM_QUIT would.
    UserState& s = state();
    *msg = MSG{};
    msg->message = WM_QUIT;
    msg->wParam = static_cast<WPARAM>(s.quit_code);
    return FALSE;
}

BOOL PeekMessageA(MSG* msg, HWND window, UINT first, UINT last, UINT remove) {
    if (!msg) return FALSE;
    platform_automation::on_peek();
    if (platform_automation::run_aborted()) return FALSE;
    return take_message(msg, window, first, last, (remove & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL WaitMessage() {
    MSG m;
    if (take_message(&m, nullptr, 0, 0, false)) return TRUE;
    return platform_automation::on_idle() == platform_automation::IdleOutcome::progressed;
}

namespace {

// The character a key makes with the current shift state (a US layout), or 0.
char character_for_key(UINT vk, bool shift, bool control) {
    if (vk >= 'A' && vk <= 'Z') {
        if (control) return static_cast<char>(vk - 'A' + 1);
        return static_cast<char>(shift ? vk : vk + ('a' - 'A'));
    }
    if (control) {
        if (vk == VK_RETURN) return '\n';
        if (vk == VK_BACK) return 0x7F;
        if (vk == VK_ESCAPE) return 0x1B;
        return 0;
    }
    if (vk >= '0' && vk <= '9') {
        static const char shifted[] = ")!@#$%^&*(";
        return shift ? shifted[vk - '0'] : static_cast<char>(vk);
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<char>('0' + (vk - VK_NUMPAD0));
    struct Pair {
        UINT vk;
        char plain;
        char shifted;
    };
    static const Pair table[] = {
        {VK_SPACE, ' ', ' '},       {VK_RETURN, '\r', '\r'},    {VK_TAB, '\t', '\t'},
        {VK_BACK, '\b', '\b'},      {VK_ESCAPE, 0x1B, 0x1B},    {VK_MULTIPLY, '*', '*'},
        {VK_ADD, '+', '+'},         {VK_SUBTRACT, '-', '-'},    {VK_DECIMAL, '.', '.'},
        {VK_DIVIDE, '/', '/'},      {VK_OEM_1, ';', ':'},       {VK_OEM_PLUS, '=', '+'},
        {VK_OEM_COMMA, ',', '<'},   {VK_OEM_MINUS, '-', '_'},   {VK_OEM_PERIOD, '.', '>'},
        {VK_OEM_2, '/', '?'},       {VK_OEM_3, '`', '~'},       {VK_OEM_4, '[', '{'},
        {VK_OEM_5, '\\', '|'},      {VK_OEM_6, ']', '}'},       {VK_OEM_7, '\'', '"'},
    };
    for (const Pair& p : table) {
        if (p.vk == vk) return shift ? p.shifted : p.plain;
    }
    return 0;
}

}  // namespace

BOOL TranslateMessage(const MSG* msg) {
    if (!msg) return FALSE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) {
        return msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP;
    }
    const UserState& s = state();
    // The display hands the characters of this key over as typed text.
    if (std::find(s.keys_typed_as_text.begin(), s.keys_typed_as_text.end(), msg->time) != s.keys_typed_as_text.end()) {
        return TRUE;
    }
    char c = character_for_key(static_cast<UINT>(msg->wParam), s.key_down[VK_SHIFT] != 0,
                               s.key_down[VK_CONTROL] != 0);
    if (c) {
        UINT char_message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
        PostMessageA(msg->hwnd, char_message, static_cast<WPARAM>(static_cast<unsigned char>(c)), msg->lParam);
    }
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg || !msg->hwnd) return 0;
    WindowRecord* w = find_window(msg->hwnd);
    if (!w) return 0;
    if (msg->message != WM_PAINT) return send_message(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    w->needs_begin_paint = true;
    LRESULT result = send_message(msg->hwnd, WM_PAINT, msg->wParam, msg->lParam);
    // A procedure that neither called BeginPaint nor validated would get
    // WM_PAINT for ever; Windows validates for it.
    w = find_window(msg->hwnd);
    if (w && w->needs_begin_paint) {
        w->needs_begin_paint = false;
        validate_window(msg->hwnd, nullptr);
    }
    return result;
}

DWORD GetMessageTime() {
    return state().last_message.time;
}

DWORD GetMessagePos() {
    const POINT& p = state().last_message.pt;
    return static_cast<DWORD>(MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

SHORT GetKeyState(int virtual_key) {
    if (virtual_key < 0 || virtual_key > 255) return 0;
    return state().key_down[virtual_key] ? static_cast<SHORT>(0x8000) : 0;
}

SHORT GetAsyncKeyState(int virtual_key) {
    return GetKeyState(virtual_key);
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
    UserState& s = state();
    if (!track || track->cbSize != sizeof(TRACKMOUSEEVENT) || !find_window(track->hwndTrack)) return FALSE;
    if (track->dwFlags & TME_CANCEL) {
        if ((track->dwFlags & TME_LEAVE) && s.mouse_tracked == track->hwndTrack) s.mouse_tracked = nullptr;
        return TRUE;
    }
    if (!(track->dwFlags & TME_LEAVE)) return TRUE;
    // Asked with the pointer elsewhere, the window hears at once that it is gone.
    const bool over = !s.capture && window_from_screen_point(s.cursor_pos) == track->hwndTrack &&
                      nonclient_hit(s.cursor_pos) == 0;
    if (!over && s.capture != track->hwndTrack) {
        PostMessageA(track->hwndTrack, WM_MOUSELEAVE, 0, 0);
        return TRUE;
    }
    s.mouse_tracked = track->hwndTrack;
    return TRUE;
}
