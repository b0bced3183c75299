// Accelerator tables and their translation into WM_COMMAND.
#include <algorithm>

#include "platform/user/user_internal.h"

using namespace platform_user;

namespace {

std::vector<ACCEL>* find_table(HACCEL table) {
    auto& tables = state().accelerators;
    auto it = tables.find(reinterpret_cast<uintptr_t>(table));
    return it == tables.end() ? nullptr : &it->second;
}

HACCEL new_table(const ACCEL* entries, size_t count) {
    HACCEL handle = static_cast<HACCEL>(new_handle());
    state().accelerators[reinterpret_cast<uintptr_t>(handle)] = std::vector<ACCEL>(entries, entries + count);
    return handle;
}

bool entry_matches(const ACCEL& a, const MSG& msg, bool shift, bool control, bool alt) {
    if (a.fVirt & FVIRTKEY) {
        if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
        if (a.key != (msg.wParam & 0xFFFF)) return false;
        return ((a.fVirt & FSHIFT) != 0) == shift && ((a.fVirt & FCONTROL) != 0) == control &&
               ((a.fVirt & FALT) != 0) == alt;
    }
    if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
    if (a.key != (msg.wParam & 0xFFFF)) return false;
    return ((a.fVirt & FALT) != 0) == (msg.message == WM_SYSCHAR);
}

// A command that sits in the window's menu is not sent while its item, or a
// popup on the way to it, is greyed or disabled.
bool menu_allows(HWND window, UINT command) {
    HMENU menu = GetMenu(window);
    if (!menu) return true;
    std::vector<std::pair<HMENU, int>> path;
    if (!find_menu_command(menu, command, &path)) return true;
    SendMessageA(window, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        HMENU popup = GetSubMenu(path[i].first, path[i].second);
        if (popup) {
            SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                         MAKELPARAM(static_cast<WORD>(path[i].second), FALSE));
        }
    }
    for (const auto& [holder, position] : path) {
        UINT s = GetMenuState(holder, static_cast<UINT>(position), MF_BYPOSITION);
        if (s == static_cast<UINT>(-1) || (s & (MF_GRAYED | MF_DISABLED))) return false;
    }
    return true;
}

}  // namespace

HACCEL LoadAcceleratorsA(HINSTANCE /*instance*/, LPCSTR name) {
    const AcceleratorResource* resource = find_accelerator_resource(name);
    if (!resource) return nullptr;
    return new_table(resource->entries.data(), resource->entries.size());
}

HACCEL CreateAcceleratorTableA(const ACCEL* entries, int count) {
    if (!entries || count <= 0) return nullptr;
    return new_table(entries, static_cast<size_t>(count));
}

BOOL DestroyAcceleratorTable(HACCEL table) {
    return state().accelerators.erase(reinterpret_cast<uintptr_t>(table)) ? TRUE : FALSE;
}

int CopyAcceleratorTableA(HACCEL table, ACCEL* entries, int count) {
    std::vector<ACCEL>* t = find_table(table);
    if (!t) return 0;
    if (!entries) return static_cast<int>(t->size());
    int n = std::min(count, static_cast<int>(t->size()));
    for (int i = 0; i < n; ++i) entries[i] = (*t)[static_cast<size_t>(i)];
    return n;
}

int TranslateAcceleratorA(HWND window, HACCEL table, MSG* msg) {
    std::vector<ACCEL>* t = find_table(table);
    if (!t || !msg || !find_window(window)) return 0;
    const UserState& s = state();
    bool shift = s.key_down[VK_SHIFT] != 0;
    bool control = s.key_down[VK_CONTROL] != 0;
    bool alt = s.key_down[VK_MENU] != 0 || msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSCHAR;
    std::vector<ACCEL> entries = *t;  // the window procedure may destroy the table
    for (const ACCEL& a : entries) {
        if (!entry_matches(a, *msg, shift, control, alt)) continue;
        if (menu_allows(window, a.cmd) && find_window(window)) {
            SendMessageA(window, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
        }
        return 1;
    }
    return 0;
}
