// Activation, keyboard focus and mouse capture.
#include <algorithm>

#include "platform/user/user_internal.h"

namespace platform_user {

void forget_window_in_focus_state(HWND window) {
    UserState& s = state();
    if (s.focus == window) s.focus = nullptr;
    if (s.active == window) s.active = nullptr;
    if (s.capture == window) s.capture = nullptr;
    if (s.caret.window == window) s.caret = CaretState{};
}

void activate_window(HWND window, bool set_focus) {
    UserState& s = state();
    WindowRecord* w = find_window(window);
    if (!w || (w->style & WS_CHILD) || s.active == window) return;
    HWND previous = s.active;
    if (previous && find_window(previous)) {
        send_message(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(window));
    }
    if (!find_window(window)) return;
    s.active = window;
    // The active window comes to the top of the others.
    auto& tops = s.top_levels;
    tops.erase(std::remove(tops.begin(), tops.end(), window), tops.end());
    tops.push_back(window);
    send_message(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, IsIconic(window) ? 1 : 0),
                 reinterpret_cast<LPARAM>(previous));
    if (!set_focus || s.active != window || !find_window(window)) return;
    if (!s.focus || top_level_of(s.focus) != window) SetFocus(window);
}

}  // namespace platform_user

using namespace platform_user;

HWND SetFocus(HWND window) {
    UserState& s = state();
    HWND previous = s.focus;
    if (window == nullptr) {
        s.focus = nullptr;
        if (previous && find_window(previous)) send_message(previous, WM_KILLFOCUS, 0, 0);
        return previous;
    }
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    HWND top = top_level_of(window);
    if (top != s.active) {
        activate_window(top, false);
        previous = s.focus;
    }
    if (previous == window) return previous;
    if (previous && find_window(previous)) send_message(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    if (!find_window(window)) return nullptr;
    s.focus = window;
    send_message(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

HWND GetFocus() {
    return state().focus;
}

HWND SetActiveWindow(HWND window) {
    HWND previous = state().active;
    WindowRecord* w = find_window(window);
    if (!w || (w->style & WS_CHILD)) return nullptr;
    activate_window(window, true);
    return previous;
}

HWND GetActiveWindow() {
    return state().active;
}

BOOL SetForegroundWindow(HWND window) {
    return SetActiveWindow(window) != nullptr || state().active == window;
}

HWND GetForegroundWindow() {
    return state().active;
}

HWND SetCapture(HWND window) {
    UserState& s = state();
    HWND previous = s.capture;
    if (!find_window(window)) return nullptr;
    s.capture = window;
    if (previous && previous != window && find_window(previous)) {
        send_message(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
    }
    return previous;
}

BOOL ReleaseCapture() {
    UserState& s = state();
    HWND previous = s.capture;
    s.capture = nullptr;
    if (previous && find_window(previous)) send_message(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    return state().capture;
}
