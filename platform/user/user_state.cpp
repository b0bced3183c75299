// The window layer's state record, handles, rectangles, system metrics and
// system colours.
#include <algorithm>
#include <cctype>

#include "platform/gdi/surface.h"
#include "platform/gdi/wingdi.h"
#include "platform/user/user_internal.h"

namespace platform_user {

namespace {

// Windows still open when the process ends keep their surfaces until here;
// cairo owns them, so they are handed back before the records go.
struct StateHolder {
    UserState state;
    ~StateHolder() {
        for (auto& [handle, w] : state.windows) free_window_surface(*w);
        if (state.desktop_surface) cairo_surface_destroy(state.desktop_surface);
        state.desktop_surface = nullptr;
    }
};

}  // namespace

UserState& state() {
    static StateHolder holder;
    return holder.state;
}

HANDLE new_handle() {
    UserState& s = state();
    s.next_handle += 4;
    return reinterpret_cast<HANDLE>(s.next_handle);
}

WindowRecord* find_window(HWND window) {
    if (window == nullptr) return nullptr;
    auto& windows = state().windows;
    auto it = windows.find(reinterpret_cast<uintptr_t>(window));
    return it == windows.end() ? nullptr : it->second.get();
}

MenuRecord* find_menu(HMENU menu) {
    if (menu == nullptr) return nullptr;
    auto& menus = state().menus;
    auto it = menus.find(reinterpret_cast<uintptr_t>(menu));
    return it == menus.end() ? nullptr : it->second.get();
}

std::string upper_ascii(const char* text) {
    std::string out = text ? text : "";
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

void reset_user_state() {
    UserState& s = state();
    // Destroy windows as a program would at exit, so that their procedures
    // see WM_DESTROY; then drop whatever is left.
    std::vector<HWND> tops = s.top_levels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        if (find_window(*it)) DestroyWindow(*it);
    }
    for (auto& [handle, w] : s.windows) {
        release_window_dcs(*w);
        free_window_surface(*w);
    }
    s.windows.clear();
    for (HDC dc : s.desktop_dcs) release_surface_dc(dc);
    s.desktop_dcs.clear();
    if (s.desktop_surface) cairo_surface_destroy(s.desktop_surface);
    s.desktop_surface = nullptr;
    for (HBRUSH& brush : s.sys_brushes) {
        if (brush) DeleteObject(brush);
        brush = nullptr;
    }
    s.menus.clear();
    s.classes.clear();
    s.accelerators.clear();
    s.cursors.clear();
    s.cursor_by_name.clear();
    s.icons.clear();
    uintptr_t next = s.next_handle;  // handles are never reused, even across resets
    s = UserState{};
    s.next_handle = next;
    set_gdi_screen_size(s.screen_width, s.screen_height);
}

// Windows 95 standard scheme.
COLORREF sys_color(int index) {
    static const COLORREF colours[] = {
        RGB(192, 192, 192),  // COLOR_SCROLLBAR
        RGB(0, 128, 128),    // COLOR_BACKGROUND
        RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
        RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
        RGB(192, 192, 192),  // COLOR_MENU
        RGB(255, 255, 255),  // COLOR_WINDOW
        RGB(0, 0, 0),        // COLOR_WINDOWFRAME
        RGB(0, 0, 0),        // COLOR_MENUTEXT
        RGB(0, 0, 0),        // COLOR_WINDOWTEXT
        RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
        RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
        RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
        RGB(128, 128, 128),  // COLOR_APPWORKSPACE
        RGB(0, 0, 128),      // COLOR_HIGHLIGHT
        RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
        RGB(192, 192, 192),  // COLOR_BTNFACE
        RGB(128, 128, 128),  // COLOR_BTNSHADOW
        RGB(128, 128, 128),  // COLOR_GRAYTEXT
        RGB(0, 0, 0),        // COLOR_BTNTEXT
        RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
        RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
        RGB(0, 0, 0),        // COLOR_3DDKSHADOW
        RGB(223, 223, 223),  // COLOR_3DLIGHT
        RGB(0, 0, 0),        // COLOR_INFOTEXT
        RGB(255, 255, 225),  // COLOR_INFOBK
    };
    if (index < 0 || index >= static_cast<int>(std::size(colours))) return 0;
    return colours[index];
}

}  // namespace platform_user

using namespace platform_user;

// --- Rectangles -------------------------------------------------------------

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
    if (!rect) return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(RECT* rect) {
    return SetRect(rect, 0, 0, 0, 0);
}

BOOL CopyRect(RECT* dest, const RECT* source) {
    if (!dest || !source) return FALSE;
    *dest = *source;
    return TRUE;
}

BOOL InflateRect(RECT* rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->left -= dx;
    rect->right += dx;
    rect->top -= dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL OffsetRect(RECT* rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* rect) {
    return !rect || rect->right <= rect->left || rect->bottom <= rect->top;
}

BOOL IntersectRect(RECT* dest, const RECT* a, const RECT* b) {
    if (!dest || !a || !b) return FALSE;
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(dest);
        return FALSE;
    }
    *dest = r;
    return TRUE;
}

BOOL UnionRect(RECT* dest, const RECT* a, const RECT* b) {
    if (!dest || !a || !b) return FALSE;
    if (IsRectEmpty(a)) {
        if (IsRectEmpty(b)) {
            SetRectEmpty(dest);
            return FALSE;
        }
        *dest = *b;
        return TRUE;
    }
    if (IsRectEmpty(b)) {
        *dest = *a;
        return TRUE;
    }
    *dest = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                 std::max(a->bottom, b->bottom)};
    return TRUE;
}

BOOL PtInRect(const RECT* rect, POINT point) {
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
           point.y < rect->bottom;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

// --- Metrics and colours ------------------------------------------------------------

int GetSystemMetrics(int index) {
    const UserState& s = state();
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXMAXIMIZED:
        return s.screen_width;
    case SM_CYSCREEN:
    case SM_CYMAXIMIZED:
        return s.screen_height;
    case SM_CYFULLSCREEN:
        return s.screen_height - 19;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return 16;
    case SM_CYCAPTION:
    case SM_CYMENU:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYSMCAPTION:
        return 15;
    case SM_CXSIZE:
    case SM_CYSIZE:
        return 18;
    case SM_CXMIN:
        return 112;
    case SM_CYMIN:
        return 27;
    case SM_CXMINTRACK:
        return 112;
    case SM_CYMINTRACK:
        return 27;
    case SM_CXMINIMIZED:
        return 160;
    case SM_CYMINIMIZED:
        return 24;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    case SM_MOUSEPRESENT:
    case SM_DBCSENABLED:
        return 1;
    case SM_CMOUSEBUTTONS:
        return 2;
    default:
        return 0;
    }
}

DWORD GetSysColor(int index) {
    return sys_color(index);
}

HBRUSH GetSysColorBrush(int index) {
    UserState& s = state();
    if (index < 0 || index >= static_cast<int>(std::size(s.sys_brushes)) || index > 24) return nullptr;
    if (!s.sys_brushes[index]) s.sys_brushes[index] = CreateSolidBrush(sys_color(index));
    return s.sys_brushes[index];
}
