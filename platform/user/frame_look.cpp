// How the frame and the system's own glyphs look, as on a Windows 95
// desktop: the caption buttons and the system-menu icon, a menu item's
// check mark, and the icons of the message boxes. All drawn here, shape by
// shape; nothing is copied from any other system's images.
#include <algorithm>
#include <vector>

#include "platform/gdi/wingdi.h"
#include "platform/user/resources.h"
#include "platform/user/user_internal.h"

namespace platform_user {

namespace {

// A caption button's raised edge, or its sunk one while the hand holds it.
void button_box(cairo_t* cr, double x, double y, double w, double h, bool pressed) {
    fill(cr, x, y, w, h, sys_color(COLOR_BTNFACE));
    const COLORREF outer_lt = sys_color(pressed ? COLOR_3DDKSHADOW : COLOR_3DLIGHT);
    const COLORREF inner_lt = sys_color(pressed ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
    const COLORREF outer_rb = sys_color(pressed ? COLOR_BTNHIGHLIGHT : COLOR_3DDKSHADOW);
    const COLORREF inner_rb = sys_color(pressed ? COLOR_3DLIGHT : COLOR_BTNSHADOW);
    fill(cr, x, y, w, 1, outer_lt);
    fill(cr, x, y, 1, h, outer_lt);
    fill(cr, x + 1, y + 1, w - 2, 1, inner_lt);
    fill(cr, x + 1, y + 1, 1, h - 2, inner_lt);
    fill(cr, x, y + h - 1, w, 1, outer_rb);
    fill(cr, x + w - 1, y, 1, h, outer_rb);
    fill(cr, x + 1, y + h - 2, w - 2, 1, inner_rb);
    fill(cr, x + w - 2, y + 1, 1, h - 2, inner_rb);
}

enum class Glyph { minimize, maximize, restore, close };

// A glyph's pixels as runs of one row: (x, y, length) from the glyph's corner.
struct Run {
    int x, y, length;
};

std::vector<Run> glyph_runs(Glyph glyph) {
    std::vector<Run> runs;
    auto box = [&runs](int x, int y, int w, int h) {
        runs.push_back({x, y, w});
        runs.push_back({x, y + 1, w});  // a window's top is its caption: two pixels
        for (int r = y + 2; r < y + h - 1; ++r) {
            runs.push_back({x, r, 1});
            runs.push_back({x + w - 1, r, 1});
        }
        runs.push_back({x, y + h - 1, w});
    };
    switch (glyph) {
    case Glyph::minimize:
        runs.push_back({1, 7, 6});
        runs.push_back({1, 8, 6});
        break;
    case Glyph::maximize:
        box(0, 0, 9, 9);
        break;
    case Glyph::restore:
        box(2, 0, 6, 6);
        // the front window hides what lies behind it
        box(0, 3, 6, 6);
        break;
    case Glyph::close:
        for (int i = 0; i < 7; ++i) {
            runs.push_back({i, i, 2});
            runs.push_back({6 - i, i, 2});
        }
        break;
    }
    return runs;
}

void draw_glyph(cairo_t* cr, double x, double y, Glyph glyph, COLORREF colour) {
    if (glyph == Glyph::restore) fill(cr, x, y + 5, 6, 4, sys_color(COLOR_BTNFACE));
    for (const Run& r : glyph_runs(glyph)) fill(cr, x + r.x, y + r.y, r.length, 1, colour);
}

// The 16 x 16 icon of the window's class, shrunk from its 32 x 32 image; a
// plain window when the class has none.
void draw_small_icon(cairo_t* cr, const WindowRecord& w, double x, double y) {
    const ImageResource* image = nullptr;
    if (HICON icon = w.cls ? w.cls->wc.hIcon : nullptr) {
        auto it = state().icons.find(reinterpret_cast<uintptr_t>(icon));
        if (it != state().icons.end()) image = find_icon_resource(it->second.c_str());
    }
    if (!image) {
        fill(cr, x + 1, y + 2, 14, 12, RGB(0, 0, 0));
        fill(cr, x + 2, y + 3, 12, 10, RGB(255, 255, 255));
        fill(cr, x + 2, y + 3, 12, 2, sys_color(COLOR_ACTIVECAPTION));
        return;
    }
    // cairo wants premultiplied pixels
    std::vector<uint32_t> pixels(static_cast<size_t>(image->width) * static_cast<size_t>(image->height));
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t p = image->pixels[i];
        const uint32_t a = p >> 24;
        auto channel = [&](int shift) { return (((p >> shift) & 0xFF) * a / 255) << shift; };
        pixels[i] = (a << 24) | channel(16) | channel(8) | channel(0);
    }
    cairo_surface_t* source = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(pixels.data()), CAIRO_FORMAT_ARGB32, image->width, image->height,
        image->width * 4);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 16.0 / image->width, 16.0 / image->height);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(source);
}

Glyph glyph_for(const WindowRecord& w, int part) {
    if (part == HTCLOSE) return Glyph::close;
    if (part == HTMINBUTTON) return w.minimized ? Glyph::restore : Glyph::minimize;
    return w.maximized ? Glyph::restore : Glyph::maximize;
}

HPEN pen_of(COLORREF c, int width = 1) {
    return CreatePen(PS_SOLID, width, c);
}

// Draws a shape with its own pen and brush (a null pen or brush where
// the colour is CLR_INVALID), then puts the context's back.
template <typename Shape>
void with_tools(HDC dc, COLORREF line, COLORREF inside, int width, Shape shape) {
    HPEN pen = line == CLR_INVALID ? nullptr : pen_of(line, width);
    HBRUSH brush = inside == CLR_INVALID ? nullptr : CreateSolidBrush(inside);
    HGDIOBJ old_pen = SelectObject(dc, pen ? static_cast<HGDIOBJ>(pen) : GetStockObject(NULL_PEN));
    HGDIOBJ old_brush = SelectObject(dc, brush ? static_cast<HGDIOBJ>(brush) : GetStockObject(NULL_BRUSH));
    shape();
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    if (pen) DeleteObject(pen);
    if (brush) DeleteObject(brush);
}

void polygon_at(HDC dc, int x, int y, std::initializer_list<POINT> corners) {
    std::vector<POINT> p(corners);
    for (POINT& c : p) {
        c.x += x;
        c.y += y;
    }
    Polygon(dc, p.data(), static_cast<int>(p.size()));
}

constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// The white speech balloon of the information and question icons.
void balloon(HDC dc, int x, int y) {
    with_tools(dc, CLR_INVALID, kShadow, 1, [&] {
        Ellipse(dc, x + 3, y + 3, x + 32, y + 27);
        polygon_at(dc, x, y, {{9, 22}, {16, 24}, {8, 31}});
    });
    with_tools(dc, kBlack, kWhite, 1, [&] { polygon_at(dc, x, y, {{7, 19}, {14, 22}, {5, 29}}); });
    with_tools(dc, kBlack, kWhite, 1, [&] { Ellipse(dc, x, y, x + 29, y + 24); });
    // the balloon opens into its tail
    with_tools(dc, kWhite, kWhite, 1, [&] { polygon_at(dc, x, y, {{7, 21}, {11, 22}, {10, 24}, {7, 24}}); });
}

}  // namespace

int caption_title_left(const WindowRecord& w) {
    const CaptionLayout l = caption_layout(w);
    if (!IsRectEmpty(&l.icon)) return l.icon.right + 3;
    return l.caption.left + 4;
}

int caption_title_right(const WindowRecord& w) {
    const CaptionLayout l = caption_layout(w);
    for (const RECT* r : {&l.minimize, &l.maximize, &l.close}) {
        if (!IsRectEmpty(r)) return r->left - 2;
    }
    return l.caption.right - 4;
}

void draw_caption_parts(cairo_t* cr, const WindowRecord& w, POINT origin) {
    const CaptionLayout l = caption_layout(w);
    const double dx = origin.x - w.rect.left, dy = origin.y - w.rect.top;
    const FrameHandState& hand = state().hand;
    if (!IsRectEmpty(&l.icon)) {
        const double ix = l.icon.left + dx, iy = l.icon.top + dy;
        draw_small_icon(cr, w, ix, iy);
        // selected from the keyboard, as a title of the bar: raised, and
        // pushed in while its popup is open
        if (hand.menu_bar_window == w.handle && hand.menu_bar_item == kSystemMenuPlace) {
            const double iw = l.icon.right - l.icon.left, ih = l.icon.bottom - l.icon.top;
            const COLORREF top_left = sys_color(hand.menu_bar_open ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
            const COLORREF bottom_right = sys_color(hand.menu_bar_open ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
            fill(cr, ix - 1, iy - 1, iw + 2, 1, top_left);
            fill(cr, ix - 1, iy - 1, 1, ih + 2, top_left);
            fill(cr, ix - 1, iy + ih, iw + 2, 1, bottom_right);
            fill(cr, ix + iw, iy - 1, 1, ih + 2, bottom_right);
        }
    }
    const std::pair<const RECT*, int> buttons[] = {{&l.minimize, HTMINBUTTON}, {&l.maximize, HTMAXBUTTON},
                                                   {&l.close, HTCLOSE}};
    for (const auto& [r, part] : buttons) {
        if (IsRectEmpty(r)) continue;
        const bool pressed = hand.pressed_window == w.handle && hand.pressed_part == part;
        const double bx = r->left + dx, by = r->top + dy;
        button_box(cr, bx, by, r->right - r->left, r->bottom - r->top, pressed);
        const Glyph glyph = glyph_for(w, part);
        const double gx = bx + (glyph == Glyph::close ? 4 : 3) + (pressed ? 1 : 0);
        const double gy = by + (glyph == Glyph::minimize ? 2 : (glyph == Glyph::close ? 3 : 2)) + (pressed ? 1 : 0);
        if (caption_button_enabled(w, part)) {
            draw_glyph(cr, gx, gy, glyph, sys_color(COLOR_BTNTEXT));
        } else {
            // greyed: etched, a white copy under a grey one
            draw_glyph(cr, gx + 1, gy + 1, glyph, sys_color(COLOR_BTNHIGHLIGHT));
            draw_glyph(cr, gx, gy, glyph, sys_color(COLOR_BTNSHADOW));
        }
    }
}

void draw_menu_check(HDC dc, RECT box, COLORREF colour) {
    // seven rows of the check, from the top: (first column, length)...
    static const int rows[7][4] = {{6, 1, 0, 0}, {5, 2, 0, 0}, {0, 1, 4, 3}, {0, 2, 3, 3},
                                   {0, 5, 0, 0}, {1, 3, 0, 0}, {2, 1, 0, 0}};
    const int x = box.left + (box.right - box.left - 7) / 2, y = box.top + (box.bottom - box.top - 7) / 2;
    HBRUSH brush = CreateSolidBrush(colour);
    for (int r = 0; r < 7; ++r) {
        for (int k = 0; k < 4; k += 2) {
            if (rows[r][k + 1] == 0) continue;
            const RECT run{x + rows[r][k], y + r, x + rows[r][k] + rows[r][k + 1], y + r + 1};
            FillRect(dc, &run, brush);
        }
    }
    DeleteObject(brush);
}

bool draw_system_icon(HDC dc, int x, int y, HICON icon) {
    auto it = state().icons.find(reinterpret_cast<uintptr_t>(icon));
    if (it == state().icons.end()) return false;
    const std::string& name = it->second;
    if (name == "IDI_HAND") {
        with_tools(dc, CLR_INVALID, kShadow, 1, [&] { Ellipse(dc, x + 3, y + 3, x + 32, y + 32); });
        with_tools(dc, RGB(128, 0, 0), RGB(255, 0, 0), 1, [&] { Ellipse(dc, x, y, x + 29, y + 29); });
        with_tools(dc, kWhite, kWhite, 1, [&] {
            polygon_at(dc, x, y, {{7, 9}, {9, 7}, {21, 19}, {19, 21}});
            polygon_at(dc, x, y, {{19, 7}, {21, 9}, {9, 21}, {7, 19}});
        });
        return true;
    }
    if (name == "IDI_EXCLAMATION") {
        with_tools(dc, CLR_INVALID, kShadow, 1, [&] { polygon_at(dc, x, y, {{17, 4}, {31, 31}, {4, 31}}); });
        with_tools(dc, kBlack, RGB(255, 255, 0), 1, [&] { polygon_at(dc, x, y, {{15, 1}, {29, 28}, {1, 28}}); });
        with_tools(dc, kBlack, kBlack, 1, [&] {
            polygon_at(dc, x, y, {{13, 9}, {17, 9}, {16, 19}, {14, 19}});
            Rectangle(dc, x + 13, y + 21, x + 17, y + 25);
        });
        return true;
    }
    if (name == "IDI_ASTERISK") {
        balloon(dc, x, y);
        with_tools(dc, kBlue, kBlue, 1, [&] {
            Ellipse(dc, x + 12, y + 3, x + 17, y + 8);
            Rectangle(dc, x + 12, y + 10, x + 17, y + 19);
            Rectangle(dc, x + 10, y + 10, x + 12, y + 12);
            Rectangle(dc, x + 10, y + 18, x + 19, y + 20);
        });
        return true;
    }
    if (name == "IDI_QUESTION") {
        balloon(dc, x, y);
        with_tools(dc, kBlue, CLR_INVALID, 3, [&] {
            const POINT hook[] = {{x + 10, y + 8},  {x + 11, y + 5},  {x + 14, y + 4},  {x + 17, y + 5},
                                  {x + 18, y + 8},  {x + 17, y + 10}, {x + 14, y + 12}, {x + 14, y + 15}};
            Polyline(dc, hook, 8);
        });
        with_tools(dc, kBlue, kBlue, 1, [&] { Rectangle(dc, x + 13, y + 17, x + 16, y + 20); });
        return true;
    }
    return false;
}

}  // namespace platform_user
