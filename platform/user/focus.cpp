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

namespace {

// The highest place in `order` that the window or any window it owns
// (directly or not) holds.
size_t group_top(HWND window, const std::vector<HWND>& order, std::vector<HWND>& seen) {
    size_t top = static_cast<size_t>(std::find(order.begin(), order.end(), window) - order.begin());
    seen.push_back(window);
    for (HWND other : order) {
        WindowRecord* w = find_window(other);
        if (w && w->owner == window && std::find(seen.begin(), seen.end(), other) == seen.end()) {
            top = std::max(top, group_top(other, order, seen));
        }
    }
    return top;
}

// Appends the window and then the windows it owns, each group in the order
// of its highest member, so that owned windows come after (above) their owner.
void append_group(HWND window, const std::vector<HWND>& order, std::vector<HWND>& out) {
    if (std::find(out.begin(), out.end(), window) != out.end()) return;
    out.push_back(window);
    std::vector<std::pair<size_t, HWND>> owned;
    for (HWND other : order) {
        WindowRecord* w = find_window(other);
        if (!w || w->owner != window || std::find(out.begin(), out.end(), other) != out.end()) continue;
        std::vector<HWND> seen{window};
        owned.emplace_back(group_top(other, order, seen), other);
    }
    std::sort(owned.begin(), owned.end());
    for (const auto& [top, other] : owned) append_group(other, order, out);
}

}  // namespace

void restack_top_levels() {
    UserState& s = state();
    const std::vector<HWND> order = s.top_levels;
    std::vector<std::pair<size_t, HWND>> roots;
    for (HWND top : order) {
        WindowRecord* w = find_window(top);
        if (w && w->owner && find_window(w->owner)) continue;
        std::vector<HWND> seen;
        roots.emplace_back(group_top(top, order, seen), top);
    }
    std::sort(roots.begin(), roots.end());
    std::vector<HWND> out;
    out.reserve(order.size());
    for (const auto& [top, root] : roots) append_group(root, order, out);
    // windows in an ownership cycle keep their place at the top
    for (HWND top : order) {
        if (std::find(out.begin(), out.end(), top) == out.end()) out.push_back(top);
    }
    s.top_levels = std::move(out);
}

namespace {

// A window takes the keys and the activation only when it and every window
// it lies in are enabled.
bool takes_input(HWND window) {
    for (WindowRecord* w = find_window(window); w; w = (w->style & WS_CHILD) ? find_window(w->parent) : nullptr) {
        if (w->style & WS_DISABLED) return false;
    }
    return find_window(window) != nullptr;
}

bool owned_by(HWND window, HWND owner) {
    int depth = 0;  // an ownership cycle ends the walk
    for (WindowRecord* w = find_window(window); w && w->owner && depth < 64; w = find_window(w->owner), ++depth) {
        if (w->owner == owner) return true;
    }
    return false;
}

}  // namespace

HWND next_active_after(HWND leaving) {
    UserState& s = state();
    auto eligible = [&](HWND h) {
        WindowRecord* t = find_window(h);
        return h != leaving && t && !t->destroying && !(t->style & WS_CHILD) && (t->style & WS_VISIBLE) &&
               !(t->style & WS_DISABLED);
    };
    WindowRecord* self = find_window(leaving);
    const HWND owner = self && find_window(self->owner) ? self->owner : nullptr;
    if (owner) {
        // a box hands the activation back to the owner's popup it came over
        const HWND before = self->active_before;
        if (eligible(before) && (before == owner || owned_by(before, owner))) return before;
        if (eligible(owner) && IsWindowVisible(owner)) return owner;
    }
    for (auto it = s.top_levels.rbegin(); it != s.top_levels.rend(); ++it) {
        if (eligible(*it)) return *it;
    }
    return nullptr;
}

void activate_window(HWND window, bool set_focus) {
    UserState& s = state();
    WindowRecord* w = find_window(window);
    if (!w || (w->style & WS_CHILD) || s.active == window || !takes_input(window)) return;
    HWND previous = s.active;
    w->active_before = previous;
    if (previous && find_window(previous)) {
        send_message(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(window));
    }
    if (!find_window(window)) return;
    s.active = window;
    // The active window comes to the top of the others.
    auto& tops = s.top_levels;
    tops.erase(std::remove(tops.begin(), tops.end(), window), tops.end());
    tops.push_back(window);
    restack_top_levels();
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
    if (!w || !takes_input(window)) return nullptr;
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
    if (!w || (w->style & WS_CHILD) || (w->style & WS_DISABLED)) return nullptr;
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
