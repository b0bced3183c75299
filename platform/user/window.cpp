// Windows: creation and destruction, relations, longs, text and geometry.
#include <algorithm>
#include <cstring>

#include "platform/user/controls_internal.h"

namespace platform_user {

void arrow_triangle(RECT box, ArrowDirection direction, POINT corners[3]) {
    const int w = box.right - box.left, h = box.bottom - box.top;
    // a 16-pixel button gets a triangle 7 wide and 4 deep, as on Windows 95;
    // the flat halves of an up-down control one 5 wide and 3 deep
    const int across = direction == ArrowDirection::up || direction == ArrowDirection::down ? w : h;
    const int along = direction == ArrowDirection::up || direction == ArrowDirection::down ? h : w;
    const int depth = std::max(1, std::min((across + 2) / 4, (along - 3) / 2));
    const int cx = box.left + (w - 1) / 2, cy = box.top + (h - 1) / 2;
    const int near_edge = -(depth - 1) / 2, far_edge = near_edge + depth - 1;
    const int spread = depth - 1;
    switch (direction) {
    case ArrowDirection::up:
        corners[0] = POINT{cx, cy + near_edge};
        corners[1] = POINT{cx + spread, cy + far_edge};
        corners[2] = POINT{cx - spread, cy + far_edge};
        break;
    case ArrowDirection::down:
        corners[0] = POINT{cx, cy + far_edge};
        corners[1] = POINT{cx + spread, cy + near_edge};
        corners[2] = POINT{cx - spread, cy + near_edge};
        break;
    case ArrowDirection::left:
        corners[0] = POINT{cx + near_edge, cy};
        corners[1] = POINT{cx + far_edge, cy - spread};
        corners[2] = POINT{cx + far_edge, cy + spread};
        break;
    case ArrowDirection::right:
        corners[0] = POINT{cx + far_edge, cy};
        corners[1] = POINT{cx + near_edge, cy - spread};
        corners[2] = POINT{cx + near_edge, cy + spread};
        break;
    }
}

bool has_own_scroll_bars(const WindowRecord& w) {
    return upper_ascii(w.cls->name.c_str()) != "COMBOBOX";
}

int frame_thickness(const WindowRecord& w) {
    if (w.minimized) return 3;
    if (w.style & WS_THICKFRAME) return 4;
    if ((w.style & WS_DLGFRAME) || (w.ex_style & WS_EX_DLGMODALFRAME)) return 3;
    if (w.style & WS_BORDER) return 1;
    return 0;
}

RECT nonclient_insets(const WindowRecord& w) {
    const int frame = frame_thickness(w);
    int edge = 0;
    if (w.ex_style & WS_EX_CLIENTEDGE) edge += 2;
    if (w.ex_style & WS_EX_STATICEDGE) edge += 1;
    RECT in{frame + edge, frame + edge, frame + edge, frame + edge};
    if ((w.style & WS_CAPTION) == WS_CAPTION) in.top += 19;
    if (!(w.style & WS_CHILD) && w.menu) in.top += 19;
    if (w.cls && !has_own_scroll_bars(w)) return in;
    if (w.style & WS_VSCROLL) in.right += 16;
    if (w.style & WS_HSCROLL) in.bottom += 16;
    return in;
}

RECT client_rect_in_parent(const WindowRecord& w) {
    RECT r = w.rect;
    if (w.minimized) return RECT{r.left, r.top, r.left, r.top};
    RECT in = nonclient_insets(w);
    r.left += in.left;
    r.top += in.top;
    r.right -= in.right;
    r.bottom -= in.bottom;
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

POINT client_origin_on_screen(const WindowRecord& w) {
    RECT c = client_rect_in_parent(w);
    POINT p{c.left, c.top};
    if (w.style & WS_CHILD) {
        if (WindowRecord* parent = find_window(w.parent)) {
            POINT o = client_origin_on_screen(*parent);
            p.x += o.x;
            p.y += o.y;
        }
    }
    return p;
}

static POINT window_origin_on_screen(const WindowRecord& w) {
    POINT p{w.rect.left, w.rect.top};
    if (w.style & WS_CHILD) {
        if (WindowRecord* parent = find_window(w.parent)) {
            POINT o = client_origin_on_screen(*parent);
            p.x += o.x;
            p.y += o.y;
        }
    }
    return p;
}

HWND top_level_of(HWND window) {
    WindowRecord* w = find_window(window);
    while (w && (w->style & WS_CHILD)) {
        WindowRecord* parent = find_window(w->parent);
        if (!parent) break;
        w = parent;
    }
    return w ? w->handle : nullptr;
}

POINT client_origin_on_surface(const WindowRecord& w) {
    POINT p = client_origin_on_screen(w);
    WindowRecord* top = find_window(top_level_of(w.handle));
    if (top) {
        p.x -= top->rect.left;
        p.y -= top->rect.top;
    }
    return p;
}

bool is_drawable(const WindowRecord& w) {
    const WindowRecord* p = &w;
    while (p) {
        if (!(p->style & WS_VISIBLE)) return false;
        if (!(p->style & WS_CHILD)) return true;
        p = find_window(p->parent);
    }
    return false;
}

RECT visible_client_rect(const WindowRecord& w) {
    RECT empty{0, 0, 0, 0};
    if (!is_drawable(w)) return empty;
    RECT c = client_rect_in_parent(w);
    RECT r{0, 0, c.right - c.left, c.bottom - c.top};
    POINT origin = client_origin_on_screen(w);
    // Clip by each ancestor's client area, mapped into this window's client coordinates.
    const WindowRecord* p = &w;
    while (p->style & WS_CHILD) {
        const WindowRecord* parent = find_window(p->parent);
        if (!parent) break;
        RECT pc = client_rect_in_parent(*parent);
        POINT po = client_origin_on_screen(*parent);
        RECT mapped{po.x - origin.x, po.y - origin.y, po.x - origin.x + (pc.right - pc.left),
                    po.y - origin.y + (pc.bottom - pc.top)};
        if (!IntersectRect(&r, &r, &mapped)) return empty;
        p = parent;
    }
    return r;
}

static bool window_contains(const WindowRecord& w, POINT screen) {
    POINT o = window_origin_on_screen(w);
    RECT r{o.x, o.y, o.x + (w.rect.right - w.rect.left), o.y + (w.rect.bottom - w.rect.top)};
    return PtInRect(&r, screen);
}

static HWND deepest_child_at(HWND window, POINT screen) {
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    // Children in creation order: the first one is on top.
    for (HWND child : w->children) {
        WindowRecord* c = find_window(child);
        if (!c || !(c->style & WS_VISIBLE) || !window_contains(*c, screen)) continue;
        // A group box frames other controls; the mouse goes through it to them.
        if (control_kind(child) == ControlKind::button && (c->style & BS_TYPEMASK) == BS_GROUPBOX) continue;
        if (c->style & WS_DISABLED) return window;  // a disabled child leaves the input to its parent
        return deepest_child_at(child, screen);
    }
    return window;
}

HWND window_from_screen_point(POINT screen) {
    UserState& s = state();
    std::vector<HWND> order(s.top_levels.rbegin(), s.top_levels.rend());
    for (HWND top : order) {
        WindowRecord* w = find_window(top);
        if (!w || !(w->style & WS_VISIBLE) || !window_contains(*w, screen)) continue;
        if (w->minimized) return top;  // a title strip has no client area
        return deepest_child_at(top, screen);
    }
    return nullptr;
}

int nonclient_hit(POINT screen) {
    HWND under = window_from_screen_point(screen);
    if (int bar = scroll_bar_hit(under, screen)) return bar;
    HWND top = top_level_of(under);
    WindowRecord* w = find_window(top);
    if (!w) return 0;
    RECT client = client_rect_in_parent(*w);
    if (!w->minimized && PtInRect(&client, screen)) return 0;
    for (const RECT& item : menu_bar_items(top)) {
        if (PtInRect(&item, screen)) return HTMENU;
    }
    return frame_hit(*w, screen);
}

void send_size_after_frame_change(HWND window, RECT old_client) {
    WindowRecord* w = find_window(window);
    if (!w) return;
    RECT now = client_rect_in_parent(*w);
    int old_w = old_client.right - old_client.left, old_h = old_client.bottom - old_client.top;
    int new_w = now.right - now.left, new_h = now.bottom - now.top;
    if (old_w == new_w && old_h == new_h && old_client.left == now.left && old_client.top == now.top) return;
    invalidate_window(window, nullptr, true, true);
    if (old_client.left != now.left || old_client.top != now.top) {
        send_message(window, WM_MOVE, 0,
                     MAKELPARAM(static_cast<WORD>(now.left), static_cast<WORD>(now.top)));
    }
    if (old_w != new_w || old_h != new_h) {
        WPARAM kind = w->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
        send_message(window, WM_SIZE, kind, MAKELPARAM(static_cast<WORD>(new_w), static_cast<WORD>(new_h)));
    }
}

}  // namespace platform_user

using namespace platform_user;

namespace {

void send_parent_notify(WindowRecord& w, UINT event) {
    if (!(w.style & WS_CHILD) || (w.ex_style & WS_EX_NOPARENTNOTIFY)) return;
    send_message(w.parent, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<WORD>(event), static_cast<WORD>(w.id)),
                 reinterpret_cast<LPARAM>(w.handle));
}

void collect_subtree(HWND window, std::vector<HWND>* out) {
    WindowRecord* w = find_window(window);
    if (!w) return;
    out->push_back(window);
    std::vector<HWND> children = w->children;
    for (HWND child : children) collect_subtree(child, out);
}

void send_destroy(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w) return;
    w->destroying = true;
    send_message(window, WM_DESTROY, 0, 0);
    w = find_window(window);
    if (!w) return;
    std::vector<HWND> children = w->children;
    for (HWND child : children) {
        if (find_window(child)) send_destroy(child);
    }
}

void send_nc_destroy(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w) return;
    std::vector<HWND> children = w->children;
    for (HWND child : children) send_nc_destroy(child);
    send_message(window, WM_NCDESTROY, 0, 0);
}

void free_window_record(HWND window) {
    UserState& s = state();
    WindowRecord* w = find_window(window);
    if (!w) return;
    std::vector<HWND> children = w->children;
    for (HWND child : children) free_window_record(child);
    if (WindowRecord* parent = find_window(w->parent)) {
        auto& list = parent->children;
        list.erase(std::remove(list.begin(), list.end(), window), list.end());
    }
    s.top_levels.erase(std::remove(s.top_levels.begin(), s.top_levels.end(), window), s.top_levels.end());
    drop_messages_for(window);
    release_window_dcs(*w);
    free_window_surface(*w);
    if (!(w->style & WS_CHILD) && w->menu) destroy_menu_tree(w->menu);
    if (w->system_menu) destroy_menu_tree(w->system_menu);
    w->cls->window_count--;
    forget_window_in_focus_state(window);
    s.windows.erase(reinterpret_cast<uintptr_t>(window));
}

}  // namespace

HWND CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu_or_id, HINSTANCE instance,
                     LPVOID param) {
    UserState& s = state();
    auto cls = find_class(class_name);
    if (!cls) return nullptr;
    WindowRecord* parent_record = find_window(parent);
    if ((style & WS_CHILD) && !parent_record) return nullptr;
    if (parent && !parent_record) return nullptr;

    auto record = std::make_unique<WindowRecord>();
    WindowRecord& w = *record;
    w.handle = static_cast<HWND>(new_handle());
    w.cls = cls;
    w.proc = cls->wc.lpfnWndProc;
    w.ex_style = ex_style;
    w.instance = instance;
    // Overlapped windows always have a caption.
    if (!(style & (WS_CHILD | WS_POPUP))) style |= WS_CAPTION | WS_CLIPSIBLINGS;
    bool show_after = !(style & WS_CHILD) && (style & WS_VISIBLE);
    if (show_after) style &= ~WS_VISIBLE;
    w.style = style;
    if (style & WS_CHILD) {
        w.parent = parent;
        w.id = reinterpret_cast<UINT_PTR>(menu_or_id);
    } else {
        w.owner = parent ? top_level_of(parent) : nullptr;
        if (menu_or_id) {
            w.menu = menu_or_id;
        } else if (cls->menu_name_is_id) {
            w.menu = LoadMenuA(instance, cls->wc.lpszMenuName);
        } else if (!cls->menu_name.empty()) {
            w.menu = LoadMenuA(instance, cls->menu_name.c_str());
        }
    }
    bool overlapped = !(style & (WS_CHILD | WS_POPUP));
    if (x == CW_USEDEFAULT) {
        x = 0;
        y = 0;
    }
    if (width == CW_USEDEFAULT) {
        width = overlapped ? s.screen_width * 3 / 4 : 0;
        height = overlapped ? s.screen_height * 3 / 4 : 0;
    }
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    w.rect = RECT{x, y, x + width, y + height};
    w.restore_rect = w.rect;
    w.extra.assign(static_cast<size_t>(cls->wc.cbWndExtra), 0);
    // A window without a bar reports the range 0 to 0, with one 0 to 100.
    if (!(style & WS_HSCROLL)) w.hscroll.max = 0;
    if (!(style & WS_VSCROLL)) w.vscroll.max = 0;
    cls->window_count++;

    HWND handle = w.handle;
    s.windows[reinterpret_cast<uintptr_t>(handle)] = std::move(record);
    s.nothing_to_paint = false;
    if (style & WS_CHILD) {
        parent_record->children.push_back(handle);
    } else {
        s.top_levels.push_back(handle);
        resize_surface(*find_window(handle));
        if (!s.main_window && !find_window(handle)->owner) s.main_window = handle;
    }

    CREATESTRUCTA cs{};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu_or_id;
    cs.hwndParent = parent;
    cs.cx = width;
    cs.cy = height;
    cs.x = x;
    cs.y = y;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = window_name;
    cs.lpszClass = class_name;
    cs.dwExStyle = ex_style;

    if (!send_message(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (find_window(handle)) {
            send_message(handle, WM_NCDESTROY, 0, 0);
            free_window_record(handle);
        }
        return nullptr;
    }
    if (!find_window(handle)) return nullptr;
    if (send_message(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    WindowRecord* created = find_window(handle);
    if (!created) return nullptr;
    created->created = true;
    RECT client = client_rect_in_parent(*created);
    send_message(handle, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(static_cast<WORD>(client.right - client.left),
                            static_cast<WORD>(client.bottom - client.top)));
    send_message(handle, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(client.left), static_cast<WORD>(client.top)));
    created = find_window(handle);
    if (!created) return nullptr;
    send_parent_notify(*created, WM_CREATE);
    created = find_window(handle);
    if (!created) return nullptr;
    if (show_after) {
        ShowWindow(handle, SW_SHOW);
    } else if ((created->style & WS_CHILD) && (created->style & WS_VISIBLE)) {
        invalidate_window(handle, nullptr, true, true);
    }
    return find_window(handle) ? handle : nullptr;
}

HWND CreateWindowA(LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y, int width, int height,
                   HWND parent, HMENU menu_or_id, HINSTANCE instance, LPVOID param) {
    return CreateWindowExA(0, class_name, window_name, style, x, y, width, height, parent, menu_or_id, instance,
                           param);
}

BOOL DestroyWindow(HWND window) {
    UserState& s = state();
    WindowRecord* w = find_window(window);
    if (!w) return FALSE;
    if (w->destroying) return TRUE;  // already on its way, e.g. a second call from WM_DESTROY
    w->destroying = true;

    // Owned windows go first.
    std::vector<HWND> owned;
    for (HWND top : s.top_levels) {
        WindowRecord* t = find_window(top);
        if (t && t->owner == window) owned.push_back(top);
    }
    for (HWND o : owned) DestroyWindow(o);

    w = find_window(window);
    if (!w) return TRUE;
    send_parent_notify(*w, WM_DESTROY);
    w = find_window(window);
    if (!w) return TRUE;

    std::vector<HWND> subtree;
    collect_subtree(window, &subtree);
    auto in_subtree = [&](HWND h) { return h && std::find(subtree.begin(), subtree.end(), h) != subtree.end(); };

    if (w->style & WS_VISIBLE) {
        if (w->style & WS_CHILD) {
            RECT r = w->rect;
            invalidate_window(w->parent, &r, true, true);
        }
        w->style &= ~WS_VISIBLE;
    }
    if (in_subtree(s.capture)) ReleaseCapture();
    if (in_subtree(s.caret.window)) DestroyCaret();
    if (in_subtree(s.focus)) {
        HWND old = s.focus;
        s.focus = nullptr;
        send_message(old, WM_KILLFOCUS, 0, 0);
    }
    if (s.active == window) {
        s.active = nullptr;
        if (HWND next = next_active_after(window)) activate_window(next, true);
    }

    send_destroy(window);
    send_nc_destroy(window);
    free_window_record(window);
    return TRUE;
}

BOOL IsWindow(HWND window) {
    return find_window(window) != nullptr;
}

BOOL IsChild(HWND parent, HWND window) {
    WindowRecord* w = find_window(window);
    while (w && (w->style & WS_CHILD)) {
        if (w->parent == parent) return TRUE;
        w = find_window(w->parent);
    }
    return FALSE;
}

HWND GetParent(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    return (w->style & WS_CHILD) ? w->parent : w->owner;
}

HWND SetParent(HWND window, HWND new_parent) {
    WindowRecord* w = find_window(window);
    WindowRecord* p = find_window(new_parent);
    if (!w || !(w->style & WS_CHILD) || !p || new_parent == window || IsChild(window, new_parent)) return nullptr;
    HWND old = w->parent;
    if (WindowRecord* op = find_window(old)) {
        op->children.erase(std::remove(op->children.begin(), op->children.end(), window), op->children.end());
        RECT r = w->rect;
        invalidate_window(old, &r, true, true);
    }
    w->parent = new_parent;
    p->children.push_back(window);
    state().nothing_to_paint = false;
    invalidate_window(window, nullptr, true, true);
    return old;
}

HWND GetWindow(HWND window, UINT relation) {
    UserState& s = state();
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    if (relation == GW_OWNER) return (w->style & WS_CHILD) ? nullptr : w->owner;
    const std::vector<HWND>* siblings = &s.top_levels;
    if (w->style & WS_CHILD) {
        WindowRecord* p = find_window(w->parent);
        if (!p) return nullptr;
        siblings = &p->children;
    }
    if (siblings->empty()) return nullptr;
    auto it = std::find(siblings->begin(), siblings->end(), window);
    switch (relation) {
    case GW_HWNDFIRST:
        return siblings->front();
    case GW_HWNDLAST:
        return siblings->back();
    case GW_HWNDNEXT:
        return (it == siblings->end() || it + 1 == siblings->end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return (it == siblings->begin() || it == siblings->end()) ? nullptr : *(it - 1);
    default:
        return nullptr;
    }
}

HWND GetDesktopWindow() {
    return nullptr;
}

HWND FindWindowA(LPCSTR class_name, LPCSTR window_name) {
    auto cls = class_name ? find_class(class_name) : nullptr;
    if (class_name && !cls) return nullptr;
    for (HWND top : state().top_levels) {
        WindowRecord* w = find_window(top);
        if (!w) continue;
        if (cls && w->cls != cls) continue;
        if (window_name && w->text != window_name) continue;
        return top;
    }
    return nullptr;
}

HWND GetDlgItem(HWND parent, int id) {
    WindowRecord* p = find_window(parent);
    if (!p) return nullptr;
    for (HWND child : p->children) {
        WindowRecord* c = find_window(child);
        if (c && static_cast<int>(c->id) == id) return child;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND window) {
    WindowRecord* w = find_window(window);
    return (w && (w->style & WS_CHILD)) ? static_cast<int>(w->id) : 0;
}

// --- Longs ----------------------------------------------------------------------

LONG_PTR GetWindowLongPtrA(HWND window, int index) {
    WindowRecord* w = find_window(window);
    if (!w) return 0;
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>((w->style & WS_CHILD) ? w->parent : w->owner);
    case GWLP_ID:
        return static_cast<LONG_PTR>(w->id);
    case GWL_STYLE:
        return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(static_cast<LONG>(w->ex_style));
    case GWLP_USERDATA:
        return w->user_data;
    default:
        if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG_PTR) <= w->extra.size()) {
            LONG_PTR v;
            std::memcpy(&v, w->extra.data() + index, sizeof v);
            return v;
        }
        return 0;
    }
}

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
    WindowRecord* w = find_window(window);
    if (!w) return 0;
    LONG_PTR previous = GetWindowLongPtrA(window, index);
    switch (index) {
    case GWLP_WNDPROC:
        if (!value) return 0;
        w->proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_HINSTANCE:
        w->instance = reinterpret_cast<HINSTANCE>(value);
        break;
    case GWLP_HWNDPARENT:
        if (!(w->style & WS_CHILD)) {
            w->owner = reinterpret_cast<HWND>(value);
            restack_top_levels();
        }
        break;
    case GWLP_ID:
        w->id = static_cast<UINT_PTR>(value);
        break;
    case GWL_STYLE: {
        // Visibility changes only through ShowWindow; a new frame takes
        // effect with SetWindowPos(SWP_FRAMECHANGED), as on Windows.
        DWORD keep = w->style & (WS_VISIBLE | WS_CHILD);
        w->style = (static_cast<DWORD>(value) & ~(WS_VISIBLE | WS_CHILD)) | keep;
        break;
    }
    case GWL_EXSTYLE:
        w->ex_style = static_cast<DWORD>(value);
        break;
    case GWLP_USERDATA:
        w->user_data = value;
        break;
    default:
        if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG_PTR) <= w->extra.size()) {
            std::memcpy(w->extra.data() + index, &value, sizeof value);
            break;
        }
        return 0;
    }
    return previous;
}

LONG GetWindowLongA(HWND window, int index) {
    WindowRecord* w = find_window(window);
    if (!w) return 0;
    if (index >= 0) {
        if (static_cast<size_t>(index) + sizeof(LONG) > w->extra.size()) return 0;
        LONG v;
        std::memcpy(&v, w->extra.data() + index, sizeof v);
        return v;
    }
    return static_cast<LONG>(GetWindowLongPtrA(window, index));
}

LONG SetWindowLongA(HWND window, int index, LONG value) {
    WindowRecord* w = find_window(window);
    if (!w) return 0;
    if (index >= 0) {
        if (static_cast<size_t>(index) + sizeof(LONG) > w->extra.size()) return 0;
        LONG previous;
        std::memcpy(&previous, w->extra.data() + index, sizeof previous);
        std::memcpy(w->extra.data() + index, &value, sizeof value);
        return previous;
    }
    if (index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT) return 0;  // pointers do not fit
    return static_cast<LONG>(SetWindowLongPtrA(window, index, value));
}

WORD GetWindowWord(HWND window, int index) {
    WindowRecord* w = find_window(window);
    if (!w || index < 0 || static_cast<size_t>(index) + sizeof(WORD) > w->extra.size()) return 0;
    WORD v;
    std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
}

WORD SetWindowWord(HWND window, int index, WORD value) {
    WindowRecord* w = find_window(window);
    if (!w || index < 0 || static_cast<size_t>(index) + sizeof(WORD) > w->extra.size()) return 0;
    WORD previous;
    std::memcpy(&previous, w->extra.data() + index, sizeof previous);
    std::memcpy(w->extra.data() + index, &value, sizeof value);
    return previous;
}

// --- Text --------------------------------------------------------------------------

BOOL SetWindowTextA(HWND window, LPCSTR text) {
    if (!find_window(window)) return FALSE;
    return send_message(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowTextA(HWND window, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    buffer[0] = '\0';
    if (!find_window(window)) return 0;
    return static_cast<int>(send_message(window, WM_GETTEXT, static_cast<WPARAM>(size),
                                         reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND window) {
    if (!find_window(window)) return 0;
    return static_cast<int>(send_message(window, WM_GETTEXTLENGTH, 0, 0));
}

// --- Geometry ------------------------------------------------------------------------

BOOL GetWindowRect(HWND window, RECT* rect) {
    WindowRecord* w = find_window(window);
    if (!w || !rect) return FALSE;
    POINT o = window_origin_on_screen(*w);
    *rect = RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
    return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
    WindowRecord* w = find_window(window);
    if (!w || !rect) return FALSE;
    RECT c = client_rect_in_parent(*w);
    *rect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
    return TRUE;
}

BOOL ClientToScreen(HWND window, POINT* point) {
    WindowRecord* w = find_window(window);
    if (!w || !point) return FALSE;
    POINT o = client_origin_on_screen(*w);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point) {
    WindowRecord* w = find_window(window);
    if (!w || !point) return FALSE;
    POINT o = client_origin_on_screen(*w);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    POINT of{0, 0}, ot{0, 0};
    if (from) {
        WindowRecord* f = find_window(from);
        if (!f) return 0;
        of = client_origin_on_screen(*f);
    }
    if (to) {
        WindowRecord* t = find_window(to);
        if (!t) return 0;
        ot = client_origin_on_screen(*t);
    }
    int dx = of.x - ot.x, dy = of.y - ot.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELPARAM(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD ex_style) {
    if (!rect) return FALSE;
    WindowRecord probe;
    if (!(style & (WS_CHILD | WS_POPUP))) style |= WS_CAPTION;
    probe.style = style;
    probe.ex_style = ex_style;
    probe.menu = menu ? reinterpret_cast<HMENU>(static_cast<uintptr_t>(1)) : nullptr;
    RECT in = nonclient_insets(probe);
    // AdjustWindowRect does not count scroll bars.
    if (style & WS_VSCROLL) in.right -= 16;
    if (style & WS_HSCROLL) in.bottom -= 16;
    rect->left -= in.left;
    rect->top -= in.top;
    rect->right += in.right;
    rect->bottom += in.bottom;
    return TRUE;
}

BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu) {
    return AdjustWindowRectEx(rect, style, menu, 0);
}

BOOL SetWindowPos(HWND window, HWND /*insert_after*/, int x, int y, int width, int height, UINT flags) {
    WindowRecord* w = find_window(window);
    if (!w) return FALSE;
    RECT old_rect = w->rect;
    RECT old_client = client_rect_in_parent(*w);
    RECT r = w->rect;
    if (!(flags & SWP_NOMOVE)) {
        int cw = r.right - r.left, ch = r.bottom - r.top;
        r = RECT{x, y, x + cw, y + ch};
    }
    if (!(flags & SWP_NOSIZE)) {
        r.right = r.left + std::max(0, width);
        r.bottom = r.top + std::max(0, height);
    }
    bool moved = r.left != old_rect.left || r.top != old_rect.top;
    bool sized = (r.right - r.left) != (old_rect.right - old_rect.left) ||
                 (r.bottom - r.top) != (old_rect.bottom - old_rect.top);
    w->rect = r;
    bool is_child = (w->style & WS_CHILD) != 0;
    if (sized && !is_child) resize_surface(*w);

    bool was_visible = (w->style & WS_VISIBLE) != 0;
    if ((flags & SWP_SHOWWINDOW) && !was_visible) {
        w->style |= WS_VISIBLE;
        state().nothing_to_paint = false;
    }
    if ((flags & SWP_HIDEWINDOW) && was_visible) w->style &= ~WS_VISIBLE;
    bool visibility_changed = was_visible != ((w->style & WS_VISIBLE) != 0);

    if (!(flags & SWP_NOREDRAW) || visibility_changed) {
        if (is_child && (moved || sized || visibility_changed)) {
            invalidate_window(w->parent, &old_rect, true, true);
            invalidate_window(w->parent, &r, true, true);
        }
        if (sized || (is_child && moved) || visibility_changed) invalidate_window(window, nullptr, true, true);
    }
    if (!(flags & SWP_NOACTIVATE) && !is_child && (w->style & WS_VISIBLE)) activate_window(window, true);

    w = find_window(window);
    if (!w) return TRUE;
    RECT now = client_rect_in_parent(*w);
    if (now.left != old_client.left || now.top != old_client.top) {
        send_message(window, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(now.left), static_cast<WORD>(now.top)));
    }
    w = find_window(window);
    if (!w) return TRUE;
    if ((now.right - now.left) != (old_client.right - old_client.left) ||
        (now.bottom - now.top) != (old_client.bottom - old_client.top)) {
        WPARAM kind = w->minimized ? SIZE_MINIMIZED : (w->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED);
        send_message(window, WM_SIZE, kind,
                     MAKELPARAM(static_cast<WORD>(now.right - now.left), static_cast<WORD>(now.bottom - now.top)));
    }
    return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(window, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : static_cast<UINT>(SWP_NOREDRAW)));
}

BOOL BringWindowToTop(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w) return FALSE;
    if (!(w->style & WS_CHILD)) activate_window(window, true);
    return TRUE;
}

HWND WindowFromPoint(POINT screen_point) {
    return window_from_screen_point(screen_point);
}

HWND ChildWindowFromPoint(HWND parent, POINT client_point) {
    WindowRecord* p = find_window(parent);
    if (!p) return nullptr;
    RECT client;
    GetClientRect(parent, &client);
    if (!PtInRect(&client, client_point)) return nullptr;
    for (HWND child : p->children) {
        WindowRecord* c = find_window(child);
        if (c && PtInRect(&c->rect, client_point)) return child;
    }
    return parent;
}

// --- Showing and enabling ---------------------------------------------------------------

namespace {

void set_frame_rect(WindowRecord& w, RECT r) {
    w.rect = r;
    if (!(w.style & WS_CHILD)) resize_surface(w);
}

void hide_window(HWND window) {
    UserState& s = state();
    WindowRecord* w = find_window(window);
    send_message(window, WM_SHOWWINDOW, FALSE, 0);
    w = find_window(window);
    if (!w) return;
    w->style &= ~WS_VISIBLE;
    if (w->style & WS_CHILD) {
        RECT r = w->rect;
        invalidate_window(w->parent, &r, true, true);
    }
    if (s.focus && (s.focus == window || IsChild(window, s.focus))) {
        HWND next = (w->style & WS_CHILD) ? w->parent : nullptr;
        SetFocus(next);
    }
    if (s.active == window) {
        s.active = nullptr;
        send_message(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
        if (HWND next = next_active_after(window)) activate_window(next, true);
    }
}

void follow_owner(HWND owner, bool shown) {
    const std::vector<HWND> tops = state().top_levels;
    for (HWND top : tops) {
        WindowRecord* t = find_window(top);
        if (!t || t->owner != owner) continue;
        if (!shown && (t->style & WS_VISIBLE)) {
            ShowWindow(top, SW_HIDE);
            if ((t = find_window(top))) t->hidden_with_owner = true;
        } else if (shown && t->hidden_with_owner) {
            t->hidden_with_owner = false;
            ShowWindow(top, SW_SHOWNOACTIVATE);
        }
    }
}

}  // namespace

BOOL ShowWindow(HWND window, int command) {
    UserState& s = state();
    WindowRecord* w = find_window(window);
    if (!w) return FALSE;
    bool was_visible = (w->style & WS_VISIBLE) != 0;
    bool is_child = (w->style & WS_CHILD) != 0;
    if (command == SW_HIDE) {
        if (was_visible) hide_window(window);
        return was_visible;
    }
    RECT old_client = client_rect_in_parent(*w);
    bool activate = !is_child && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                    command != SW_SHOWMINNOACTIVE && command != SW_MINIMIZE;
    bool frame_changed = false;
    switch (command) {
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        if (!w->minimized && !is_child) {
            if (!w->maximized) w->restore_rect = w->rect;
            w->restores_maximized = w->maximized;
            w->minimized = true;
            w->maximized = false;
            w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
            set_frame_rect(*w, minimized_place(window));
            frame_changed = true;
        }
        break;
    case SW_SHOWMAXIMIZED:
        if (!w->maximized && !is_child) {
            if (!w->minimized) w->restore_rect = w->rect;
            w->maximized = true;
            w->minimized = false;
            w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
            RECT in = nonclient_insets(*w);
            int frame = in.left;
            set_frame_rect(*w, RECT{-frame, -frame, s.screen_width + frame, s.screen_height + frame});
            frame_changed = true;
        }
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
        if (w->minimized || w->maximized) {
            w->minimized = false;
            w->maximized = false;
            w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
            set_frame_rect(*w, w->restore_rect);
            frame_changed = true;
        }
        break;
    default:
        break;
    }
    if (!was_visible) {
        send_message(window, WM_SHOWWINDOW, TRUE, 0);
        w = find_window(window);
        if (!w) return FALSE;
        w->style |= WS_VISIBLE;
        state().nothing_to_paint = false;
        invalidate_window(window, nullptr, true, true);
    }
    if (frame_changed) {
        w = find_window(window);
        if (!w) return was_visible;
        invalidate_window(window, nullptr, true, true);
        RECT now = client_rect_in_parent(*w);
        if (now.left != old_client.left || now.top != old_client.top) {
            send_message(window, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(now.left), static_cast<WORD>(now.top)));
        }
        w = find_window(window);
        if (!w) return was_visible;
        WPARAM kind = w->minimized ? SIZE_MINIMIZED : (w->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED);
        send_message(window, WM_SIZE, kind,
                     MAKELPARAM(static_cast<WORD>(now.right - now.left), static_cast<WORD>(now.bottom - now.top)));
    }
    // owned windows go with their owner into its title strip and come back with it
    if (frame_changed && !is_child && find_window(window)) follow_owner(window, !find_window(window)->minimized);
    if (activate && find_window(window)) activate_window(window, true);
    return was_visible;
}

BOOL IsWindowVisible(HWND window) {
    WindowRecord* w = find_window(window);
    return w && is_drawable(*w);
}

BOOL IsIconic(HWND window) {
    WindowRecord* w = find_window(window);
    return w && w->minimized;
}

BOOL IsZoomed(HWND window) {
    WindowRecord* w = find_window(window);
    return w && w->maximized;
}

BOOL EnableWindow(HWND window, BOOL enable) {
    UserState& s = state();
    WindowRecord* w = find_window(window);
    if (!w) return FALSE;
    bool was_disabled = (w->style & WS_DISABLED) != 0;
    if (enable && was_disabled) {
        w->style &= ~WS_DISABLED;
        send_message(window, WM_ENABLE, TRUE, 0);
        // a window that could not take the activation when it went takes it now
        w = find_window(window);
        if (w && !s.active && !(w->style & WS_CHILD) && IsWindowVisible(window)) activate_window(window, true);
    } else if (!enable && !was_disabled) {
        w->style |= WS_DISABLED;
        if (s.focus && (s.focus == window || IsChild(window, s.focus))) SetFocus(nullptr);
        if (s.capture && (s.capture == window || IsChild(window, s.capture))) ReleaseCapture();
        send_message(window, WM_ENABLE, FALSE, 0);
    }
    return was_disabled;
}

BOOL IsWindowEnabled(HWND window) {
    WindowRecord* w = find_window(window);
    return w && !(w->style & WS_DISABLED);
}
