// Painting: update rectangles, WM_PAINT, device contexts over the top-level
// window's surface, scrolling of window contents and the drawn frame.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include <sanitizer/asan_interface.h>

#include "platform/gdi/surface.h"
#include "platform/gdi/wingdi.h"
#include "platform/user/codec.h"
#include "platform/user/user_internal.h"

namespace platform_user {

namespace {

RECT client_box(const WindowRecord& w) {
    RECT c = client_rect_in_parent(w);
    return RECT{0, 0, c.right - c.left, c.bottom - c.top};
}

HWND find_paint_in(HWND window, HWND filter) {
    WindowRecord* w = find_window(window);
    if (!w || !(w->style & WS_VISIBLE)) return nullptr;
    if (w->update_pending && (!filter || window == filter || IsChild(filter, window))) return window;
    for (HWND child : w->children) {
        if (HWND found = find_paint_in(child, filter)) return found;
    }
    return nullptr;
}

void remember_dc(HWND window, HDC dc) {
    if (!dc) return;
    if (WindowRecord* w = find_window(window)) {
        w->dcs.push_back(dc);
    } else {
        state().desktop_dcs.push_back(dc);
    }
}

bool forget_dc(HWND window, HDC dc) {
    auto drop = [dc](std::vector<HDC>& list) {
        auto it = std::find(list.begin(), list.end(), dc);
        if (it == list.end()) return false;
        list.erase(it);
        return true;
    };
    if (WindowRecord* w = find_window(window)) {
        if (drop(w->dcs)) return true;
    }
    if (drop(state().desktop_dcs)) return true;
    for (auto& [handle, w] : state().windows) {
        if (drop(w->dcs)) return true;
    }
    return false;
}

HDC make_window_dc(WindowRecord& w, const RECT* limit) {
    WindowRecord* top = find_window(top_level_of(w.handle));
    if (!top || !top->surface) return nullptr;
    POINT origin = client_origin_on_surface(w);
    RECT clip = visible_client_rect(w);
    if (limit && !IntersectRect(&clip, &clip, limit)) clip = RECT{0, 0, 0, 0};
    HDC dc = create_surface_dc(top->surface, w.handle, origin.x, origin.y, &clip);
    // a parent that clips its children never paints over them
    if (dc && (w.style & WS_CLIPCHILDREN)) {
        for (HWND child : w.children) {
            if (!IsWindowVisible(child)) continue;
            RECT r{};
            GetWindowRect(child, &r);
            POINT a{r.left, r.top}, b{r.right, r.bottom};
            ScreenToClient(w.handle, &a);
            ScreenToClient(w.handle, &b);
            ExcludeClipRect(dc, a.x, a.y, b.x, b.y);
        }
    }
    return dc;
}

// WM_ERASEBKGND over the update area when an erase is pending.
void erase_pending_background(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w || !w->update_pending || !w->erase_pending) return;
    w->erase_pending = false;
    HDC dc = make_window_dc(*w, &w->update);
    if (!dc) return;
    send_message(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    release_surface_dc(dc);
}

}  // namespace

void invalidate_window(HWND window, const RECT* rect, bool erase, bool children) {
    WindowRecord* w = find_window(window);
    if (!w || !is_drawable(*w)) return;
    RECT box = client_box(*w);
    RECT r = box;
    if (rect && !IntersectRect(&r, rect, &box)) return;
    if (IsRectEmpty(&r)) return;
    if (w->update_pending) {
        UnionRect(&w->update, &w->update, &r);
    } else {
        w->update = r;
        w->update_pending = true;
    }
    state().nothing_to_paint = false;
    if (erase) w->erase_pending = true;
    // WS_CLIPCHILDREN only keeps the parent's own drawing off its children:
    // what is exposed of them still has to be painted by them.
    if (!children) return;
    std::vector<HWND> list = w->children;
    for (HWND child : list) {
        WindowRecord* c = find_window(child);
        if (!c || !(c->style & WS_VISIBLE)) continue;
        RECT hit;
        if (!IntersectRect(&hit, &r, &c->rect)) continue;
        RECT cc = client_rect_in_parent(*c);
        OffsetRect(&hit, -cc.left, -cc.top);
        invalidate_window(child, &hit, erase, true);
    }
}

void validate_window(HWND window, const RECT* rect) {
    WindowRecord* w = find_window(window);
    if (!w || !w->update_pending) return;
    if (rect) {
        RECT& u = w->update;
        bool covers_width = rect->left <= u.left && rect->right >= u.right;
        bool covers_height = rect->top <= u.top && rect->bottom >= u.bottom;
        if (!(covers_width && covers_height)) {
            // One rectangle keeps the update area: cut off a covered band only.
            if (covers_width && rect->top <= u.top && rect->bottom > u.top) u.top = rect->bottom;
            else if (covers_width && rect->bottom >= u.bottom && rect->top < u.bottom) u.bottom = rect->top;
            else if (covers_height && rect->left <= u.left && rect->right > u.left) u.left = rect->right;
            else if (covers_height && rect->right >= u.right && rect->left < u.right) u.right = rect->left;
            if (!IsRectEmpty(&u)) return;
        }
    }
    w->update_pending = false;
    w->erase_pending = false;
    w->update = RECT{0, 0, 0, 0};
}

HWND next_window_to_paint(HWND filter) {
    UserState& s = state();
    if (s.nothing_to_paint) return nullptr;
    for (HWND top : s.top_levels) {
        if (HWND found = find_paint_in(top, filter)) return found;
    }
    if (!filter) s.nothing_to_paint = true;
    return nullptr;
}

namespace {

// The pixels of windows that went, kept for the next window of about the
// same size: programs open and close their dialogs and lists again and
// again, and fresh memory for each is slow to come by. A kept buffer is
// poisoned for the address sanitizer until it is taken again.
struct PixelBuffer {
    unsigned char* data;
    size_t bytes;
};
constexpr size_t kKeptPixelBuffers = 8;
constexpr size_t kKeptPixelBytes = 4u << 20;  // no more than this in one buffer

struct PixelBuffers {
    PixelBuffers() { kept.reserve(kKeptPixelBuffers); }
    std::vector<PixelBuffer> kept;
};

// Never destroyed: windows that outlive the program's end (the state's own
// teardown) still give their pixels back here.
PixelBuffers& pixel_buffers() {
    static PixelBuffers* const buffers = new PixelBuffers;
    return *buffers;
}

const cairo_user_data_key_t kPixelsKey{};

void give_back_pixels(void* record) {
    auto* buffer = static_cast<PixelBuffer*>(record);
    std::vector<PixelBuffer>& kept = pixel_buffers().kept;
    if (kept.size() < kKeptPixelBuffers) {
        ASAN_POISON_MEMORY_REGION(buffer->data, buffer->bytes);
        kept.push_back(*buffer);
    } else {
        std::free(buffer->data);
    }
    delete buffer;
}

// A window's surface over a kept buffer that fits (no more than twice the
// size wanted), else over a new one.
cairo_surface_t* new_window_surface(int width, int height) {
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width);
    const size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(height);
    if (stride <= 0 || bytes > kKeptPixelBytes) return cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    std::vector<PixelBuffer>& kept = pixel_buffers().kept;
    PixelBuffer buffer{nullptr, 0};
    for (auto it = kept.begin(); it != kept.end(); ++it) {
        if (it->bytes < bytes || it->bytes > 2 * bytes) continue;
        buffer = *it;
        kept.erase(it);
        ASAN_UNPOISON_MEMORY_REGION(buffer.data, buffer.bytes);
        break;
    }
    if (!buffer.data) buffer = {static_cast<unsigned char*>(std::malloc(bytes)), bytes};
    if (!buffer.data) return cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data(buffer.data, CAIRO_FORMAT_RGB24, width, height, stride);
    auto* record = new PixelBuffer(buffer);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_set_user_data(surface, &kPixelsKey, record, give_back_pixels) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        delete record;
        std::free(buffer.data);
        return cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    }
    return surface;
}

}  // namespace

namespace {
bool pixels_kept = true;  // the whole process, across resets
void (*screen_read_hook)() = nullptr;
}  // namespace

bool window_pixels_kept() { return pixels_kept; }
void set_window_pixels_kept(bool kept) { pixels_kept = kept; }

void resize_surface(WindowRecord& w) {
    int width = std::max(1, static_cast<int>(w.rect.right - w.rect.left));
    int height = std::max(1, static_cast<int>(w.rect.bottom - w.rect.top));
    if (!pixels_kept && !w.pixels_asked) width = height = 1;
    if (w.surface && cairo_image_surface_get_width(w.surface) == width &&
        cairo_image_surface_get_height(w.surface) == height) {
        return;
    }
    cairo_surface_t* fresh = new_window_surface(width, height);
    cairo_t* cr = cairo_create(fresh);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    if (w.surface) {
        cairo_surface_flush(w.surface);
        cairo_set_source_surface(cr, w.surface, 0, 0);
        cairo_paint(cr);
        cairo_surface_destroy(w.surface);
    }
    cairo_destroy(cr);
    w.surface = fresh;
}

void before_screen_read() {
    if (screen_read_hook) screen_read_hook();
}

void give_window_pixels(HWND top_level) {
    WindowRecord* w = find_window(top_level);
    if (!w || w->pixels_asked || !w->surface) return;
    const int width = std::max(1, static_cast<int>(w->rect.right - w->rect.left));
    const int height = std::max(1, static_cast<int>(w->rect.bottom - w->rect.top));
    if (cairo_image_surface_get_width(w->surface) == width && cairo_image_surface_get_height(w->surface) == height)
        return;
    w->pixels_asked = true;
    resize_surface(*w);
    invalidate_window(top_level, nullptr, true, true);
}

void free_window_surface(WindowRecord& w) {
    if (w.surface) cairo_surface_destroy(w.surface);
    w.surface = nullptr;
}

void release_window_dcs(WindowRecord& w) {
    std::vector<HDC> dcs;
    dcs.swap(w.dcs);
    for (HDC dc : dcs) release_surface_dc(dc);
}

cairo_surface_t* desktop_surface() {
    UserState& s = state();
    if (!s.desktop_surface) {
        // the screen's own pixels are only drawn on, never looked at, once windows paint into nothing
        s.desktop_surface = pixels_kept ? cairo_image_surface_create(CAIRO_FORMAT_RGB24, s.screen_width, s.screen_height)
                                        : cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    }
    return s.desktop_surface;
}

// --- The frame, drawn when a window is captured ---------------------------------

std::string menu_label(const std::string& text) {
    return mnemonic_of(text, true).label;
}

void set_colour(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

void fill(cairo_t* cr, double x, double y, double w, double h, COLORREF c) {
    if (w <= 0 || h <= 0) return;
    set_colour(cr, c);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

namespace {

void line(cairo_t* cr, double x0, double y0, double x1, double y1, COLORREF c) {
    set_colour(cr, c);
    cairo_move_to(cr, x0 + 0.5, y0 + 0.5);
    cairo_line_to(cr, x1 + 0.5, y1 + 0.5);
    cairo_stroke(cr);
}

// Captions and menu bars are set in the desktop's 9-point proportional
// Gothic, as the dialogs are.
constexpr const char* kFrameFamily = "IPAPGothic";

void draw_text(cairo_t* cr, double x, double y, const std::string& sjis, COLORREF c, bool bold) {
    std::string utf8 = cp932_to_utf8(sjis);
    set_colour(cr, c);
    cairo_select_font_face(cr, kFrameFamily, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 12);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, utf8.c_str());
}

double text_width(cairo_t* cr, const std::string& sjis) {
    std::string utf8 = cp932_to_utf8(sjis);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, utf8.c_str(), &ext);
    return ext.x_advance;
}

// A filled triangle over pixel centres, as GDI's Polygon with a 1-pixel pen draws it.
void arrow_glyph(cairo_t* cr, double bx, double by, double bw, double bh, ArrowDirection direction, COLORREF c) {
    RECT box{static_cast<LONG>(bx), static_cast<LONG>(by), static_cast<LONG>(bx + bw), static_cast<LONG>(by + bh)};
    POINT p[3];
    arrow_triangle(box, direction, p);
    set_colour(cr, c);
    cairo_move_to(cr, p[0].x + 0.5, p[0].y + 0.5);
    cairo_line_to(cr, p[1].x + 0.5, p[1].y + 0.5);
    cairo_line_to(cr, p[2].x + 0.5, p[2].y + 0.5);
    cairo_close_path(cr);
    cairo_fill_preserve(cr);
    cairo_stroke(cr);
}

// Where each item of a menu bar starts, the first at `left`; one more entry
// for where the last one ends. A separator takes no room.
std::vector<double> menu_bar_starts(cairo_t* cr, const MenuRecord& m, double left) {
    cairo_select_font_face(cr, kFrameFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 12);
    std::vector<double> starts;
    double mx = left;
    for (const MenuItem& item : m.items) {
        starts.push_back(mx);
        if (!(item.flags & MF_SEPARATOR)) mx += text_width(cr, menu_label(item.text)) + 14;
    }
    starts.push_back(mx);
    return starts;
}

void draw_scroll_bar(cairo_t* cr, double x, double y, double w, double h, bool vertical, const ScrollBarState& bar) {
    const RECT whole{static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(x + w), static_cast<LONG>(y + h)};
    const ScrollBarLayout l = scroll_bar_layout(whole, vertical, bar);
    auto fill_rect = [&](const RECT& r, COLORREF c) { fill(cr, r.left, r.top, r.right - r.left, r.bottom - r.top, c); };
    fill_rect(whole, sys_color(COLOR_SCROLLBAR));
    // The channel held down shows dark between the arrow and the thumb.
    if (bar.pressed == ScrollPart::page_up) fill_rect(l.page_before, sys_color(COLOR_3DDKSHADOW));
    if (bar.pressed == ScrollPart::page_down) fill_rect(l.page_after, sys_color(COLOR_3DDKSHADOW));
    auto button = [&](const RECT& r, bool pushed) {
        const double bx = r.left, by = r.top, bw = r.right - r.left, bh = r.bottom - r.top;
        fill(cr, bx, by, bw, bh, sys_color(COLOR_BTNFACE));
        // Pushed in: a flat shadow edge all round.
        line(cr, bx, by, bx + bw - 1, by, sys_color(pushed ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
        line(cr, bx, by, bx, by + bh - 1, sys_color(pushed ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
        line(cr, bx, by + bh - 1, bx + bw - 1, by + bh - 1, sys_color(COLOR_BTNSHADOW));
        line(cr, bx + bw - 1, by, bx + bw - 1, by + bh - 1, sys_color(COLOR_BTNSHADOW));
    };
    const COLORREF glyph = sys_color(bar.disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    auto arrow = [&](const RECT& r, ArrowDirection direction, bool pushed) {
        button(r, pushed);
        const double shift = pushed ? 1 : 0;
        arrow_glyph(cr, r.left + shift, r.top + shift, r.right - r.left, r.bottom - r.top, direction, glyph);
    };
    arrow(l.first, vertical ? ArrowDirection::up : ArrowDirection::left, bar.pressed == ScrollPart::line_up);
    arrow(l.last, vertical ? ArrowDirection::down : ArrowDirection::right, bar.pressed == ScrollPart::line_down);
    if (!IsRectEmpty(&l.thumb)) button(l.thumb, false);
}

void draw_frame_of(cairo_t* cr, HWND window, POINT surface_origin_of_parent_client) {
    WindowRecord* w = find_window(window);
    if (!w || !(w->style & WS_VISIBLE)) return;
    double x = surface_origin_of_parent_client.x + w->rect.left;
    double y = surface_origin_of_parent_client.y + w->rect.top;
    double width = w->rect.right - w->rect.left;
    double height = w->rect.bottom - w->rect.top;
    RECT in = nonclient_insets(*w);
    bool child = (w->style & WS_CHILD) != 0;
    const int frame = frame_thickness(*w);
    if (frame == 1) {
        set_colour(cr, RGB(0, 0, 0));
        cairo_rectangle(cr, x + 0.5, y + 0.5, width - 1, height - 1);
        cairo_stroke(cr);
    } else if (frame > 1) {
        fill(cr, x, y, width, frame, sys_color(COLOR_ACTIVEBORDER));
        fill(cr, x, y + height - frame, width, frame, sys_color(COLOR_ACTIVEBORDER));
        fill(cr, x, y, frame, height, sys_color(COLOR_ACTIVEBORDER));
        fill(cr, x + width - frame, y, frame, height, sys_color(COLOR_ACTIVEBORDER));
        line(cr, x, y, x + width - 1, y, sys_color(COLOR_3DLIGHT));
        line(cr, x, y, x, y + height - 1, sys_color(COLOR_3DLIGHT));
        line(cr, x, y + height - 1, x + width - 1, y + height - 1, sys_color(COLOR_3DDKSHADOW));
        line(cr, x + width - 1, y, x + width - 1, y + height - 1, sys_color(COLOR_3DDKSHADOW));
    }
    double cy = y + frame;
    if ((w->style & WS_CAPTION) == WS_CAPTION) {
        bool active = !child && state().active == window;
        fill(cr, x + frame, cy, width - 2 * frame, 18,
             sys_color(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        fill(cr, x + frame, cy + 18, width - 2 * frame, 1, sys_color(COLOR_BTNFACE));
        const double title_left = child ? x + frame + 4 : x + caption_title_left(*w) - w->rect.left;
        const double title_right = child ? x + width - frame - 4 : x + caption_title_right(*w) - w->rect.left;
        cairo_save(cr);
        cairo_rectangle(cr, title_left, cy, std::max(0.0, title_right - title_left), 18);
        cairo_clip(cr);
        draw_text(cr, title_left, cy + 14, w->text, sys_color(COLOR_CAPTIONTEXT), true);
        cairo_restore(cr);
        if (!child) draw_caption_parts(cr, *w, POINT{static_cast<LONG>(x), static_cast<LONG>(y)});
        cy += 19;
    }
    if (w->minimized) return;  // a title strip only
    if (!child && w->menu) {
        fill(cr, x + frame, cy, width - 2 * frame, 19, sys_color(COLOR_MENU));
        if (MenuRecord* m = find_menu(w->menu)) {
            cairo_save(cr);
            cairo_rectangle(cr, x + frame, cy, std::max(0.0, width - 2 * frame), 19);
            cairo_clip(cr);
            const std::vector<double> starts = menu_bar_starts(cr, *m, x + frame + 6);
            const FrameHandState& hand = state().hand;
            for (size_t i = 0; i < m->items.size(); ++i) {
                const MenuItem& item = m->items[i];
                if (item.flags & MF_SEPARATOR) continue;
                if (hand.menu_bar_window == window && hand.menu_bar_item == static_cast<int>(i)) {
                    // the item the hand is on: pushed in while its popup is open
                    const double left = starts[i] - 6, right = starts[i + 1] - 6;
                    const COLORREF top_left = sys_color(hand.menu_bar_open ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
                    const COLORREF bottom_right = sys_color(hand.menu_bar_open ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
                    line(cr, left, cy + 1, right - 1, cy + 1, top_left);
                    line(cr, left, cy + 1, left, cy + 17, top_left);
                    line(cr, left, cy + 17, right - 1, cy + 17, bottom_right);
                    line(cr, right - 1, cy + 1, right - 1, cy + 17, bottom_right);
                }
                bool grey = (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
                const COLORREF colour = sys_color(grey ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
                const Mnemonic mnemonic = mnemonic_of(item.text, true);
                draw_text(cr, starts[i], cy + 14, mnemonic.label, colour, false);
                if (mnemonic.at != std::string::npos) {
                    const double from = starts[i] + text_width(cr, mnemonic.label.substr(0, mnemonic.at));
                    const double across = text_width(cr, mnemonic.label.substr(mnemonic.at, mnemonic.length));
                    fill(cr, std::floor(from), cy + 15, std::max(1.0, std::round(across)), 1, colour);
                }
            }
            cairo_restore(cr);
        }
    }
    double inner_x = x + in.left, inner_y = y + in.top;
    double inner_w = width - in.left - in.right, inner_h = height - in.top - in.bottom;
    if (w->ex_style & WS_EX_CLIENTEDGE) {
        double ex = inner_x - 2, ey = inner_y - 2;
        const bool bars = has_own_scroll_bars(*w);
        double ew = inner_w + 4 + (bars && (w->style & WS_VSCROLL) ? 16 : 0);
        double eh = inner_h + 4 + (bars && (w->style & WS_HSCROLL) ? 16 : 0);
        line(cr, ex, ey, ex + ew - 1, ey, sys_color(COLOR_BTNSHADOW));
        line(cr, ex, ey, ex, ey + eh - 1, sys_color(COLOR_BTNSHADOW));
        line(cr, ex, ey + eh - 1, ex + ew - 1, ey + eh - 1, sys_color(COLOR_BTNHIGHLIGHT));
        line(cr, ex + ew - 1, ey, ex + ew - 1, ey + eh - 1, sys_color(COLOR_BTNHIGHLIGHT));
    }
    if (has_own_scroll_bars(*w)) {
        if (w->style & WS_VSCROLL) draw_scroll_bar(cr, inner_x + inner_w, inner_y, 16, inner_h, true, w->vscroll);
        if (w->style & WS_HSCROLL) draw_scroll_bar(cr, inner_x, inner_y + inner_h, inner_w, 16, false, w->hscroll);
        if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL)) {
            fill(cr, inner_x + inner_w, inner_y + inner_h, 16, 16, sys_color(COLOR_BTNFACE));
        }
    }
    POINT client_origin{static_cast<LONG>(inner_x), static_cast<LONG>(inner_y)};
    std::vector<HWND> children = w->children;
    for (HWND c : children) draw_frame_of(cr, c, client_origin);
}

}  // namespace

std::vector<RECT> menu_bar_items(HWND top_level) {
    std::vector<RECT> out;
    WindowRecord* w = find_window(top_level);
    MenuRecord* m = w && !(w->style & WS_CHILD) && !w->minimized && w->menu ? find_menu(w->menu) : nullptr;
    if (!m) return out;
    const RECT in = nonclient_insets(*w);
    const int frame = frame_thickness(*w);
    const LONG top = w->rect.top + in.top - 19 - (in.left - frame);
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    const std::vector<double> starts = menu_bar_starts(cr, *m, w->rect.left + frame + 6);
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    for (size_t i = 0; i < m->items.size(); ++i) {
        // An item takes the padding on both sides of its label.
        const LONG left = static_cast<LONG>(starts[i]) - 6, right = static_cast<LONG>(starts[i + 1]) - 6;
        if (m->items[i].flags & MF_SEPARATOR) out.push_back(RECT{left, top, left, top});
        else out.push_back(RECT{left, top, right, top + 19});
    }
    return out;
}

void draw_nonclient(HWND top_level) {
    WindowRecord* w = find_window(top_level);
    if (!w || !w->surface) return;
    cairo_t* cr = cairo_create(w->surface);
    cairo_set_line_width(cr, 1);
    draw_frame_of(cr, top_level, POINT{-w->rect.left, -w->rect.top});
    cairo_destroy(cr);
    cairo_surface_flush(w->surface);
}

}  // namespace platform_user

using namespace platform_user;

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
    WindowRecord* w = find_window(window);
    if (!w || !paint) return nullptr;
    hide_caret_for_paint(window);
    RECT update = w->update_pending ? w->update : RECT{0, 0, 0, 0};
    bool erase = w->erase_pending;
    w->update_pending = false;
    w->erase_pending = false;
    w->needs_begin_paint = false;
    w->update = RECT{0, 0, 0, 0};
    HDC dc = make_window_dc(*w, &update);
    remember_dc(window, dc);
    *paint = PAINTSTRUCT{};
    paint->hdc = dc;
    paint->rcPaint = update;
    if (erase && dc) {
        LRESULT erased = send_message(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        paint->fErase = erased ? FALSE : TRUE;
    }
    return dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
    if (!paint) return FALSE;
    if (paint->hdc && forget_dc(window, paint->hdc)) release_surface_dc(paint->hdc);
    show_caret_after_paint(window);
    return TRUE;
}

HDC GetDC(HWND window) {
    if (!window) {
        HDC dc = create_surface_dc(desktop_surface(), nullptr, 0, 0, nullptr);
        remember_dc(nullptr, dc);
        return dc;
    }
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    HDC dc = make_window_dc(*w, nullptr);
    remember_dc(window, dc);
    return dc;
}

int ReleaseDC(HWND window, HDC dc) {
    if (!dc || !forget_dc(window, dc)) return 0;
    release_surface_dc(dc);
    return 1;
}

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
    if (!window) {
        std::vector<HWND> tops = state().top_levels;
        for (HWND top : tops) invalidate_window(top, nullptr, erase != FALSE, true);
        return TRUE;
    }
    if (!find_window(window)) return FALSE;
    invalidate_window(window, rect, erase != FALSE, true);
    return TRUE;
}

BOOL ValidateRect(HWND window, const RECT* rect) {
    if (!find_window(window)) return FALSE;
    // A procedure that only validates still gets its background erased,
    // as BeginPaint would have done.
    erase_pending_background(window);
    validate_window(window, rect);
    return TRUE;
}

BOOL UpdateWindow(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w) return FALSE;
    if (w->update_pending && is_drawable(*w)) {
        MSG m{};
        m.hwnd = window;
        m.message = WM_PAINT;
        DispatchMessageA(&m);
    }
    w = find_window(window);
    if (!w) return TRUE;
    std::vector<HWND> children = w->children;
    for (HWND child : children) UpdateWindow(child);
    return TRUE;
}

void platform_set_screen_read_hook(void (*hook)()) { platform_user::screen_read_hook = hook; }

BOOL GetUpdateRect(HWND window, RECT* rect, BOOL erase) {
    WindowRecord* w = find_window(window);
    if (!w) return FALSE;
    if (rect) *rect = w->update_pending ? w->update : RECT{0, 0, 0, 0};
    if (erase) erase_pending_background(window);
    w = find_window(window);
    return w && w->update_pending;
}

BOOL RedrawWindow(HWND window, const RECT* rect, HRGN region, UINT flags) {
    RECT box;
    if (!rect && region && GetRgnBox(region, &box) != 0) rect = &box;
    std::vector<HWND> targets;
    if (window) {
        if (!find_window(window)) return FALSE;
        targets.push_back(window);
    } else {
        targets = state().top_levels;
    }
    for (HWND target : targets) {
        WindowRecord* w = find_window(target);
        if (!w) continue;
        bool children = (flags & RDW_ALLCHILDREN) ||
                        (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
        if (flags & RDW_INVALIDATE) invalidate_window(target, rect, (flags & RDW_ERASE) != 0, children);
        if (flags & RDW_VALIDATE) validate_window(target, rect);
        if (flags & RDW_UPDATENOW) UpdateWindow(target);
    }
    return TRUE;
}

int ScrollWindowEx(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update,
                   RECT* updated, UINT flags) {
    WindowRecord* w = find_window(window);
    if (!w) return ERROR;
    RECT box = client_box(*w);
    RECT source = box, limit = box;
    if (scroll) IntersectRect(&source, scroll, &box);
    if (clip) IntersectRect(&limit, clip, &box);
    RECT area;
    IntersectRect(&area, &source, &limit);

    RECT moved = source;
    OffsetRect(&moved, dx, dy);
    RECT dest;
    bool any = IntersectRect(&dest, &moved, &limit) != FALSE;
    WindowRecord* top = find_window(top_level_of(window));
    RECT visible = visible_client_rect(*w);
    RECT drawn;
    if (any && top && top->surface && IntersectRect(&drawn, &dest, &visible)) {
        POINT origin = client_origin_on_surface(*w);
        int sw = source.right - source.left, sh = source.bottom - source.top;
        cairo_surface_flush(top->surface);
        cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(1, sw), std::max(1, sh));
        cairo_t* cr = cairo_create(copy);
        cairo_set_source_surface(cr, top->surface, -(origin.x + source.left), -(origin.y + source.top));
        cairo_paint(cr);
        cairo_destroy(cr);
        cr = cairo_create(top->surface);
        cairo_rectangle(cr, origin.x + drawn.left, origin.y + drawn.top, drawn.right - drawn.left,
                        drawn.bottom - drawn.top);
        cairo_clip(cr);
        cairo_set_source_surface(cr, copy, origin.x + source.left + dx, origin.y + source.top + dy);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(copy);
        cairo_surface_mark_dirty(top->surface);
    }

    // The uncovered band (one rectangle: both bands' bounds when scrolling both ways).
    RECT exposed{0, 0, 0, 0};
    if (dy > 0) exposed = RECT{area.left, area.top, area.right, std::min(area.bottom, area.top + dy)};
    if (dy < 0) exposed = RECT{area.left, std::max(area.top, area.bottom + dy), area.right, area.bottom};
    if (dx != 0) {
        RECT band = dx > 0 ? RECT{area.left, area.top, std::min(area.right, area.left + dx), area.bottom}
                           : RECT{std::max(area.left, area.right + dx), area.top, area.right, area.bottom};
        UnionRect(&exposed, &exposed, &band);
    }
    if (!any) exposed = area;

    // What was waiting to be painted moves with the contents.
    if (w->update_pending) {
        OffsetRect(&w->update, dx, dy);
        if (!IntersectRect(&w->update, &w->update, &box)) w->update_pending = false;
    }
    if ((flags & SW_SCROLLCHILDREN) && !w->children.empty()) {
        std::vector<HWND> children = w->children;
        for (HWND child : children) {
            WindowRecord* c = find_window(child);
            if (!c) continue;
            SetWindowPos(child, nullptr, c->rect.left + dx, c->rect.top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
    }
    UserState& s = state();
    if (s.caret.window == window && PtInRect(&area, s.caret.pos)) {
        s.caret.pos.x += dx;
        s.caret.pos.y += dy;
    }
    if (flags & SW_INVALIDATE) invalidate_window(window, &exposed, (flags & SW_ERASE) != 0, true);
    if (updated) *updated = exposed;
    if (update) SetRectRgn(update, exposed.left, exposed.top, exposed.right, exposed.bottom);
    return IsRectEmpty(&exposed) ? NULLREGION : SIMPLEREGION;
}

BOOL ScrollWindow(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip) {
    UINT flags = SW_INVALIDATE | SW_ERASE | (scroll ? 0u : static_cast<UINT>(SW_SCROLLCHILDREN));
    return ScrollWindowEx(window, dx, dy, scroll, clip, nullptr, nullptr, flags) != ERROR;
}
