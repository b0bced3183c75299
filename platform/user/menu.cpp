// Menus: menu bars and popups as item lists, the system menu, menus from
// resources, and popup menus at the pointer answered by the automation.
#include <algorithm>
#include <cstring>

#include "platform/automation/host.h"
#include "platform/user/live_display.h"
#include "platform/user/codec.h"
#include "platform/user/user_internal.h"

using namespace platform_user;

namespace {

// State and type bits kept per item (position/command selectors excluded).
constexpr UINT item_flag_mask = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_BITMAP | MF_OWNERDRAW | MF_POPUP |
                                MF_MENUBARBREAK | MF_MENUBREAK | MF_SEPARATOR | MF_HILITE | MF_DEFAULT |
                                MF_HELP;

HMENU new_menu(bool popup) {
    HMENU handle = static_cast<HMENU>(new_handle());
    auto record = std::make_unique<MenuRecord>();
    record->handle = handle;
    record->is_popup = popup;
    state().menus[reinterpret_cast<uintptr_t>(handle)] = std::move(record);
    return handle;
}

// Finds an item by position or (searching popups) by command.
MenuItem* locate(HMENU menu, UINT item, UINT flags, MenuRecord** holder = nullptr, int* position = nullptr) {
    MenuRecord* m = find_menu(menu);
    if (!m) return nullptr;
    if (flags & MF_BYPOSITION) {
        if (item >= m->items.size()) return nullptr;
        if (holder) *holder = m;
        if (position) *position = static_cast<int>(item);
        return &m->items[item];
    }
    std::vector<std::pair<HMENU, int>> path;
    if (!find_menu_command(menu, item, &path)) return nullptr;
    MenuRecord* h = find_menu(path.back().first);
    if (!h) return nullptr;
    if (holder) *holder = h;
    if (position) *position = path.back().second;
    return &h->items[static_cast<size_t>(path.back().second)];
}

MenuItem make_item(UINT flags, UINT_PTR item, LPCSTR text) {
    MenuItem m;
    m.flags = flags & item_flag_mask;
    if (flags & MF_POPUP) {
        m.popup = reinterpret_cast<HMENU>(item);
        m.id = item;
    } else {
        m.id = item;
    }
    if (!(flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) && text) m.text = text;
    return m;
}

void build_menu(HMENU menu, std::span<const MenuItemTemplate> items) {
    for (const MenuItemTemplate& t : items) {
        if (t.flags & MF_POPUP) {
            HMENU popup = new_menu(true);
            build_menu(popup, t.popup);
            AppendMenuA(menu, t.flags | MF_POPUP, reinterpret_cast<UINT_PTR>(popup), t.text);
        } else {
            AppendMenuA(menu, t.flags, t.id, t.text);
        }
    }
}

}  // namespace

namespace platform_user {

void destroy_menu_tree(HMENU menu) {
    MenuRecord* m = find_menu(menu);
    if (!m) return;
    std::vector<HMENU> popups;
    for (const MenuItem& item : m->items) {
        if (item.popup) popups.push_back(item.popup);
    }
    state().menus.erase(reinterpret_cast<uintptr_t>(menu));
    for (HMENU popup : popups) destroy_menu_tree(popup);
}

bool find_menu_command(HMENU menu, UINT id, std::vector<std::pair<HMENU, int>>* path) {
    MenuRecord* m = find_menu(menu);
    if (!m) return false;
    for (size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& item = m->items[i];
        path->emplace_back(menu, static_cast<int>(i));
        if (item.popup) {
            if (find_menu_command(item.popup, id, path)) return true;
        } else if (!(item.flags & MF_SEPARATOR) && item.id == id) {
            return true;
        }
        path->pop_back();
    }
    return false;
}

}  // namespace platform_user

HMENU CreateMenu() {
    return new_menu(false);
}

HMENU CreatePopupMenu() {
    return new_menu(true);
}

BOOL DestroyMenu(HMENU menu) {
    if (!find_menu(menu)) return FALSE;
    for (auto& [handle, w] : state().windows) {
        if (!(w->style & WS_CHILD) && w->menu == menu) w->menu = nullptr;
        if (w->system_menu == menu) w->system_menu = nullptr;
    }
    destroy_menu_tree(menu);
    return TRUE;
}

BOOL IsMenu(HMENU menu) {
    return find_menu(menu) != nullptr;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR item, LPCSTR text) {
    MenuRecord* m = find_menu(menu);
    if (!m) return FALSE;
    if ((flags & MF_POPUP) && !find_menu(reinterpret_cast<HMENU>(item))) return FALSE;
    m->items.push_back(make_item(flags, item, text));
    return TRUE;
}

BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR item, LPCSTR text) {
    if ((flags & MF_POPUP) && !find_menu(reinterpret_cast<HMENU>(item))) return FALSE;
    if (flags & MF_BYPOSITION) {
        MenuRecord* m = find_menu(menu);
        if (!m) return FALSE;
        size_t at = position >= m->items.size() ? m->items.size() : position;
        m->items.insert(m->items.begin() + static_cast<long>(at), make_item(flags, item, text));
        return TRUE;
    }
    MenuRecord* holder = nullptr;
    int at = 0;
    if (!locate(menu, position, MF_BYCOMMAND, &holder, &at)) return FALSE;
    holder->items.insert(holder->items.begin() + at, make_item(flags, item, text));
    return TRUE;
}

BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR item, LPCSTR text) {
    MenuItem* target = locate(menu, position, flags);
    if (!target) return FALSE;
    if ((flags & MF_POPUP) && !find_menu(reinterpret_cast<HMENU>(item))) return FALSE;
    HMENU old_popup = target->popup;
    *target = make_item(flags, item, text);
    // A replaced popup goes with its item.
    if (old_popup && old_popup != target->popup) destroy_menu_tree(old_popup);
    return TRUE;
}

namespace {

BOOL remove_item(HMENU menu, UINT position, UINT flags, bool destroy_popup) {
    MenuRecord* holder = nullptr;
    int at = 0;
    MenuItem* target = locate(menu, position, flags, &holder, &at);
    if (!target) return FALSE;
    HMENU popup = target->popup;
    holder->items.erase(holder->items.begin() + at);
    if (destroy_popup && popup) destroy_menu_tree(popup);
    return TRUE;
}

}  // namespace

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
    return remove_item(menu, position, flags, true);
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
    return remove_item(menu, position, flags, false);
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT flags) {
    MenuItem* target = locate(menu, item, flags);
    if (!target) return static_cast<UINT>(-1);
    UINT previous = target->flags & (MF_GRAYED | MF_DISABLED);
    target->flags = (target->flags & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return previous;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
    MenuItem* target = locate(menu, item, flags);
    if (!target) return static_cast<DWORD>(-1);
    DWORD previous = target->flags & MF_CHECKED;
    target->flags = (target->flags & ~static_cast<UINT>(MF_CHECKED)) | (flags & MF_CHECKED);
    return previous;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
    MenuRecord* holder = nullptr;
    int first_pos = 0, last_pos = 0, check_pos = 0;
    if (!locate(menu, first, flags, &holder, &first_pos)) return FALSE;
    MenuRecord* h2 = nullptr;
    MenuRecord* h3 = nullptr;
    if (!locate(menu, last, flags, &h2, &last_pos) || !locate(menu, check, flags, &h3, &check_pos)) return FALSE;
    if (h2 != holder || h3 != holder) return FALSE;
    for (int i = std::min(first_pos, last_pos); i <= std::max(first_pos, last_pos); ++i) {
        MenuItem& item = holder->items[static_cast<size_t>(i)];
        if (i == check_pos) item.flags |= MF_CHECKED;
        else item.flags &= ~static_cast<UINT>(MF_CHECKED);
    }
    return TRUE;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    MenuItem* target = locate(menu, item, flags);
    if (!target) return static_cast<UINT>(-1);
    if (target->popup) {
        MenuRecord* popup = find_menu(target->popup);
        UINT count = popup ? static_cast<UINT>(popup->items.size()) : 0;
        return (count << 8) | (target->flags & 0xFF) | MF_POPUP;
    }
    return target->flags;
}

int GetMenuItemCount(HMENU menu) {
    MenuRecord* m = find_menu(menu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    MenuRecord* m = find_menu(menu);
    if (!m || position < 0 || static_cast<size_t>(position) >= m->items.size()) return static_cast<UINT>(-1);
    const MenuItem& item = m->items[static_cast<size_t>(position)];
    if (item.popup) return static_cast<UINT>(-1);
    if (item.flags & MF_SEPARATOR) return 0;
    return static_cast<UINT>(item.id);
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags) {
    MenuItem* target = locate(menu, item, flags);
    if (!target) return 0;
    if (!buffer || size <= 0) return static_cast<int>(target->text.size());
    size_t n = std::min(target->text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, target->text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

HMENU GetSubMenu(HMENU menu, int position) {
    MenuRecord* m = find_menu(menu);
    if (!m || position < 0 || static_cast<size_t>(position) >= m->items.size()) return nullptr;
    return m->items[static_cast<size_t>(position)].popup;
}

HMENU GetMenu(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w || (w->style & WS_CHILD)) return nullptr;
    return w->menu;
}

BOOL SetMenu(HWND window, HMENU menu) {
    WindowRecord* w = find_window(window);
    if (!w || (w->style & WS_CHILD)) return FALSE;
    if (menu && !find_menu(menu)) return FALSE;
    RECT old_client = client_rect_in_parent(*w);
    w->menu = menu;
    send_size_after_frame_change(window, old_client);
    return TRUE;
}

BOOL DrawMenuBar(HWND window) {
    WindowRecord* w = find_window(window);
    return w && !(w->style & WS_CHILD);
}

HMENU GetSystemMenu(HWND window, BOOL revert) {
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    if (revert) {
        if (w->system_menu) destroy_menu_tree(w->system_menu);
        w->system_menu = nullptr;
        return nullptr;
    }
    if (!w->system_menu) {
        // as a Japanese desktop names them; a dialog's has Move and Close only
        const bool dialog = (w->ex_style & WS_EX_DLGMODALFRAME) != 0;
        HMENU m = new_menu(true);
        if (!dialog) AppendMenuA(m, MF_STRING, SC_RESTORE, utf8_to_cp932("元のサイズに戻す(&R)").c_str());
        AppendMenuA(m, MF_STRING, SC_MOVE, utf8_to_cp932("移動(&M)").c_str());
        if (!dialog) {
            AppendMenuA(m, MF_STRING, SC_SIZE, utf8_to_cp932("サイズ変更(&S)").c_str());
            AppendMenuA(m, MF_STRING, SC_MINIMIZE, utf8_to_cp932("最小化(&N)").c_str());
            AppendMenuA(m, MF_STRING, SC_MAXIMIZE, utf8_to_cp932("最大化(&X)").c_str());
        }
        AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(m, MF_STRING, SC_CLOSE, utf8_to_cp932("閉じる(&C)\tAlt+F4").c_str());
        w = find_window(window);
        w->system_menu = m;
    }
    return w->system_menu;
}

HMENU LoadMenuA(HINSTANCE /*instance*/, LPCSTR name) {
    const MenuResource* resource = find_menu_resource(name);
    if (!resource) return nullptr;
    HMENU menu = new_menu(false);
    build_menu(menu, resource->items);
    return menu;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int /*reserved*/, HWND owner, const RECT* /*rect*/) {
    if (!find_menu(menu) || !find_window(owner)) return FALSE;
    if (!(flags & TPM_NONOTIFY)) send_message(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, FALSE));
    if (!find_menu(menu) || !find_window(owner)) return FALSE;
    UINT chosen = 0;
    if (person_at_display()) {
        chosen = track_popup_window(menu, owner, POINT{x, y});
    } else {
        state().cursor_pos = POINT{x, y};
        chosen = platform_automation::answer_popup_menu(menu, owner);
    }
    if (chosen == 0) return FALSE;
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    PostMessageA(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
    return TRUE;
}
