// Lines, boxes, fills, pixels and bit blits. Coordinates are mapped to
// device units first and drawn there, so raster output follows GDI's pixel
// rules: a line leaves out its last pixel, a 1-pixel box outline lies inside
// its rectangle, fills stop short of the right and bottom edges.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gdi/gdi_internal.h"
#include "platform/user/winuser.h"  // GetSysColorBrush for system colour brushes

namespace gdi {

namespace {

// --- Raster operations on 24-bit colour values --------------------------------

// A binary raster operation R2_x has the truth table x - 1 over (pen, dest).
uint32_t apply_rop2(int rop, uint32_t pen, uint32_t dst) {
    const unsigned table = static_cast<unsigned>(rop - 1);
    uint32_t result = 0;
    for (unsigned i = 0; i < 4; ++i) {
        if (!((table >> i) & 1)) continue;
        result |= ((i & 2) ? pen : ~pen) & ((i & 1) ? dst : ~dst);
    }
    return result & 0x00FFFFFF;
}

// A ternary raster operation carries its truth table over (pattern, source,
// dest) in bits 16-23.
uint32_t apply_rop3(DWORD rop, uint32_t pat, uint32_t src, uint32_t dst) {
    const unsigned table = (rop >> 16) & 0xFF;
    uint32_t result = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!((table >> i) & 1)) continue;
        result |= ((i & 4) ? pat : ~pat) & ((i & 2) ? src : ~src) & ((i & 1) ? dst : ~dst);
    }
    return result & 0x00FFFFFF;
}

bool rop3_uses_source(DWORD rop) {
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 2) & 0x33) != (t & 0x33);
}

// Direct access to the pixels of a raster target, limited to the context's
// clip (in surface pixels).
struct PixelTarget {
    cairo_surface_t* surface = nullptr;
    unsigned char* data = nullptr;
    int stride = 0;
    int width = 0;
    int height = 0;
    int origin_x = 0;
    int origin_y = 0;
    std::vector<RECT> clip;  // surface pixels, disjoint

    uint32_t& at(int sx, int sy) { return reinterpret_cast<uint32_t*>(data + sy * stride)[sx]; }
};

bool open_pixels(const DeviceContext& dc, PixelTarget& t) {
    if (!target_is_raster(dc)) return false;
    t.surface = target_surface(dc);
    cairo_surface_flush(t.surface);
    t.data = cairo_image_surface_get_data(t.surface);
    t.stride = cairo_image_surface_get_stride(t.surface);
    t.width = cairo_image_surface_get_width(t.surface);
    t.height = cairo_image_surface_get_height(t.surface);
    if (!t.data) return false;
    if (dc.kind == DcKind::Window) {
        t.origin_x = dc.origin_x;
        t.origin_y = dc.origin_y;
    }
    std::vector<RECT> bounds{{0, 0, t.width, t.height}};
    if (auto clip = effective_clip(dc)) {
        std::vector<RECT> shifted;
        for (RECT r : *clip) {
            r.left += t.origin_x;
            r.right += t.origin_x;
            r.top += t.origin_y;
            r.bottom += t.origin_y;
            shifted.push_back(r);
        }
        t.clip = rects_intersect(bounds, shifted);
    } else {
        t.clip = bounds;
    }
    return true;
}

void close_pixels(PixelTarget& t) { cairo_surface_mark_dirty(t.surface); }

// Calls fn(pixel, device_x, device_y) for every pixel of the device
// rectangle that the clip lets through.
template <typename Fn>
void for_each_pixel(PixelTarget& t, RECT device, Fn fn) {
    RECT r{device.left + t.origin_x, device.top + t.origin_y, device.right + t.origin_x, device.bottom + t.origin_y};
    for (const RECT& c : rects_intersect(t.clip, {r})) {
        for (LONG y = c.top; y < c.bottom; ++y) {
            for (LONG x = c.left; x < c.right; ++x) fn(t.at(x, y), x - t.origin_x, y - t.origin_y);
        }
    }
}

uint32_t rgb_of(COLORREF c) { return colour_to_pixel(c) & 0x00FFFFFF; }

void set_source_colour(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

void setup_like(cairo_t* cr, const DeviceContext& dc) {
    cairo_translate(cr, dc.kind == DcKind::Window ? dc.origin_x : 0, dc.kind == DcKind::Window ? dc.origin_y : 0);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    if (auto clip = effective_clip(dc)) {
        for (const RECT& r : *clip) cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
        cairo_clip(cr);
    }
}

// --- Pens as device geometry --------------------------------------------------------

struct PenGeometry {
    bool null = false;
    double width = 1;       // device units
    bool exact = false;     // raster, one pixel, solid: drawn pixel by pixel
    bool inside_frame = false;
    std::vector<double> dashes;
    COLORREF colour = 0;
};

PenGeometry pen_geometry(const DeviceContext& dc) {
    const auto& pen = *static_cast<Pen*>(dc.st.pen);
    PenGeometry g;
    g.colour = pen.colour;
    g.null = pen.style == PS_NULL;
    g.inside_frame = pen.style == PS_INSIDEFRAME;
    g.width = pen.width == 0 ? 1.0 : std::max(1.0, std::round(pen.width * scale_x(dc)));
    // Styled lines exist only for pens of one unit; wider pens draw solid.
    if (pen.width <= 1 && pen.style >= PS_DASH && pen.style <= PS_DASHDOTDOT) {
        static const std::vector<double> kPatterns[] = {{18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
        g.dashes = kPatterns[pen.style - PS_DASH];
        const double k = device_dpi(dc) / 96.0;
        for (double& d : g.dashes) d *= k;
    }
    g.exact = target_is_raster(dc) && g.width == 1 && g.dashes.empty();
    return g;
}

void add_pixel_run(cairo_t* cr, LONG x0, LONG x1, LONG y) {
    cairo_rectangle(cr, x0, y, x1 - x0 + 1, 1);
}

// The pixels of a one-pixel line from a to b, b itself left out (Bresenham),
// as runs of rectangles.
void add_exact_line(cairo_t* cr, POINT a, POINT b) {
    LONG dx = std::labs(b.x - a.x), dy = std::labs(b.y - a.y);
    const LONG sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    if (dx == 0 && dy == 0) return;
    if (dy == 0) {
        add_pixel_run(cr, std::min(a.x, b.x - sx), std::max(a.x, b.x - sx), a.y);
        return;
    }
    if (dx == 0) {
        const LONG y0 = std::min(a.y, b.y - sy), y1 = std::max(a.y, b.y - sy);
        cairo_rectangle(cr, a.x, y0, 1, y1 - y0 + 1);
        return;
    }
    LONG x = a.x, y = a.y, err = dx - dy;
    LONG run_start = x;
    while (!(x == b.x && y == b.y)) {
        const LONG e2 = 2 * err;
        LONG nx = x, ny = y;
        if (e2 > -dy) {
            err -= dy;
            nx += sx;
        }
        if (e2 < dx) {
            err += dx;
            ny += sy;
        }
        if (ny != y || (nx == b.x && ny == b.y)) {
            add_pixel_run(cr, std::min(run_start, x), std::max(run_start, x), y);
            run_start = nx;
        }
        x = nx;
        y = ny;
    }
}

void apply_stroke_style(cairo_t* cr, const PenGeometry& g) {
    cairo_set_line_width(cr, g.width);
    if (!g.dashes.empty()) {
        cairo_set_dash(cr, g.dashes.data(), static_cast<int>(g.dashes.size()), 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    } else if (g.width > 1) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    } else {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    }
}

// A polyline in device units with the context's pen.
void stroke_device_polyline(const DeviceContext& dc, const std::vector<POINT>& pts) {
    const PenGeometry g = pen_geometry(dc);
    if (g.null || pts.size() < 2) return;
    paint_with_rop2(dc, g.colour, [&](cairo_t* cr) {
        if (g.exact) {
            for (size_t i = 1; i < pts.size(); ++i) add_exact_line(cr, pts[i - 1], pts[i]);
            cairo_fill(cr);
            return;
        }
        apply_stroke_style(cr, g);
        // A pen wider than the distance from the line's start to the far
        // corner of the clip covers the whole clip whatever its width: so
        // wide a pen is drawn that wide, as cairo would spend seconds on
        // the outline of a pen millions of pixels across.
        double x1, y1, x2, y2;
        cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
        const double sx = pts[0].x + 0.5, sy = pts[0].y + 0.5;
        const double reach = std::hypot(std::max(std::abs(sx - x1), std::abs(sx - x2)),
                                        std::max(std::abs(sy - y1), std::abs(sy - y2))) + 2;
        if (g.width / 2 > reach) cairo_set_line_width(cr, 2 * reach);
        cairo_move_to(cr, sx, sy);
        for (size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x + 0.5, pts[i].y + 0.5);
        cairo_stroke(cr);
    });
}

bool brush_is_null(const DeviceContext& dc) { return static_cast<Brush*>(dc.st.brush)->style == BS_NULL; }

// Fills the path that `shape` builds with the context's brush (or `brush`),
// through the binary raster operation for solid colours.
void fill_with_brush(const DeviceContext& dc, const Brush& brush, bool use_rop2,
                     const std::function<void(cairo_t*)>& shape) {
    if (brush.style == BS_NULL) return;
    if (!use_rop2 || dc.st.rop2 == R2_COPYPEN || brush.style != BS_SOLID) {
        if (use_rop2 && dc.st.rop2 != R2_COPYPEN) {
            paint_with_rop2(dc, brush.colour, [&](cairo_t* cr) {
                shape(cr);
                cairo_fill(cr);
            });
            return;
        }
        cairo_t* cr = begin_drawing(dc);
        if (!cr) return;
        set_brush_source(cr, dc, brush);
        shape(cr);
        cairo_fill(cr);
        cairo_destroy(cr);
        return;
    }
    paint_with_rop2(dc, brush.colour, [&](cairo_t* cr) {
        shape(cr);
        cairo_fill(cr);
    });
}

RECT device_rect(const DeviceContext& dc, int left, int top, int right, int bottom, POINT* a, POINT* b) {
    *a = to_device(dc, left, top);
    *b = to_device(dc, right, bottom);
    return normalized({a->x, a->y, b->x, b->y});
}

void rounded_path(cairo_t* cr, double l, double t, double r, double b, double rx, double ry) {
    rx = std::min(rx, (r - l) / 2);
    ry = std::min(ry, (b - t) / 2);
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(cr, l, t, r - l, b - t);
        return;
    }
    auto corner = [&](double cx, double cy, double a0, double a1) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, a0, a1);
        cairo_restore(cr);
    };
    cairo_new_sub_path(cr);
    corner(r - rx, t + ry, -M_PI / 2, 0);
    corner(r - rx, b - ry, 0, M_PI / 2);
    corner(l + rx, b - ry, M_PI / 2, M_PI);
    corner(l + rx, t + ry, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void ellipse_path(cairo_t* cr, double l, double t, double r, double b) {
    if (r - l <= 0 || b - t <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, (l + r) / 2, (t + b) / 2);
    cairo_scale(cr, (r - l) / 2, (b - t) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

// A closed figure (box, round box, ellipse) in the box r: filled with the
// brush, outlined with the pen. `outline` builds the path through the pen's
// centre for the given inset from the box edges.
void draw_figure(const DeviceContext& dc, RECT r, const std::function<void(cairo_t*, double inset)>& outline,
                 bool is_box) {
    const PenGeometry g = pen_geometry(dc);
    const auto& brush = *static_cast<Brush*>(dc.st.brush);
    if (!brush_is_null(dc)) {
        if (g.null) {
            // Without a pen the filled area is one unit smaller to the right
            // and below.
            RECT f{r.left, r.top, r.right - 1, r.bottom - 1};
            if (!rect_empty(f)) {
                fill_with_brush(dc, brush, true, [&](cairo_t* cr) {
                    if (is_box) {
                        cairo_rectangle(cr, f.left, f.top, f.right - f.left, f.bottom - f.top);
                    } else {
                        outline(cr, 0.0);
                    }
                });
            }
        } else {
            const double inset = g.exact ? 1.0 : 0.5;
            fill_with_brush(dc, brush, true, [&](cairo_t* cr) { outline(cr, inset); });
        }
    }
    if (g.null) return;
    if (g.exact && is_box) {
        paint_with_rop2(dc, g.colour, [&](cairo_t* cr) {
            const LONG w = r.right - r.left, h = r.bottom - r.top;
            cairo_rectangle(cr, r.left, r.top, w, 1);
            if (h > 1) cairo_rectangle(cr, r.left, r.bottom - 1, w, 1);
            if (h > 2) {
                cairo_rectangle(cr, r.left, r.top + 1, 1, h - 2);
                if (w > 1) cairo_rectangle(cr, r.right - 1, r.top + 1, 1, h - 2);
            }
            cairo_fill(cr);
        });
        return;
    }
    paint_with_rop2(dc, g.colour, [&](cairo_t* cr) {
        apply_stroke_style(cr, g);
        if (is_box) cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
        const double inset = g.inside_frame ? g.width / 2 : 0.5;
        outline(cr, inset);
        cairo_stroke(cr);
    });
}

}  // namespace

// --- Shared with the other files ------------------------------------------------

void set_brush_source(cairo_t* cr, const DeviceContext& dc, const Brush& brush) {
    if (brush.style == BS_SOLID) {
        set_source_colour(cr, brush.colour);
        return;
    }
    if (brush.style == BS_PATTERN && brush.pattern) {
        cairo_pattern_t* p = cairo_pattern_create_for_surface(brush.pattern);
        cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
        cairo_pattern_set_filter(p, CAIRO_FILTER_NEAREST);
        cairo_matrix_t m;
        cairo_matrix_init_translate(&m, -dc.st.brush_org.x, -dc.st.brush_org.y);
        cairo_pattern_set_matrix(p, &m);
        cairo_set_source(cr, p);
        cairo_pattern_destroy(p);
        return;
    }
    // Hatches: 8 x 8 cells of one-pixel lines; the gaps show the background
    // colour in opaque mode.
    cairo_surface_t* cell = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
    cairo_t* c = cairo_create(cell);
    cairo_set_antialias(c, CAIRO_ANTIALIAS_NONE);
    if (dc.st.bk_mode == OPAQUE) {
        set_source_colour(c, dc.st.bk_colour);
        cairo_paint(c);
    }
    set_source_colour(c, brush.colour);
    for (int i = 0; i < 8; ++i) {
        const bool h = brush.hatch == HS_HORIZONTAL || brush.hatch == HS_CROSS;
        const bool v = brush.hatch == HS_VERTICAL || brush.hatch == HS_CROSS;
        const bool f = brush.hatch == HS_FDIAGONAL || brush.hatch == HS_DIAGCROSS;
        const bool b = brush.hatch == HS_BDIAGONAL || brush.hatch == HS_DIAGCROSS;
        if (h) cairo_rectangle(c, i, 0, 1, 1);
        if (v) cairo_rectangle(c, 0, i, 1, 1);
        if (f) cairo_rectangle(c, i, i, 1, 1);
        if (b) cairo_rectangle(c, 7 - i, i, 1, 1);
    }
    cairo_fill(c);
    cairo_destroy(c);
    cairo_pattern_t* p = cairo_pattern_create_for_surface(cell);
    cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(p, CAIRO_FILTER_NEAREST);
    cairo_matrix_t m;
    const double k = 96.0 / device_dpi(dc);
    cairo_matrix_init_scale(&m, k, k);
    cairo_matrix_translate(&m, -dc.st.brush_org.x, -dc.st.brush_org.y);
    cairo_pattern_set_matrix(p, &m);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_surface_destroy(cell);
}

void paint_with_rop2(const DeviceContext& dc, COLORREF colour, const std::function<void(cairo_t*)>& shape) {
    const int rop = dc.st.rop2;
    if (rop == R2_NOP) return;
    if (rop == R2_COPYPEN || !target_is_raster(dc)) {
        cairo_t* cr = begin_drawing(dc);
        if (!cr) return;
        switch (rop) {
        case R2_COPYPEN: set_source_colour(cr, colour); break;
        case R2_BLACK: set_source_colour(cr, RGB(0, 0, 0)); break;
        case R2_WHITE: set_source_colour(cr, RGB(255, 255, 255)); break;
        case R2_NOTCOPYPEN: set_source_colour(cr, ~colour & 0xFFFFFF); break;
        case R2_XORPEN:
        case R2_NOTXORPEN:
            // Vector output has no XOR: difference with the pen comes closest.
            cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
            set_source_colour(cr, colour);
            break;
        case R2_NOT:
            cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
            set_source_colour(cr, RGB(255, 255, 255));
            break;
        default: set_source_colour(cr, colour); break;
        }
        shape(cr);
        cairo_destroy(cr);
        return;
    }
    // Raster targets: draw the shape as a mask, then combine pen and
    // destination pixel by pixel where the mask is set.
    PixelTarget t;
    if (!open_pixels(dc, t)) return;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, t.width, t.height);
    cairo_t* mc = cairo_create(mask);
    setup_like(mc, dc);
    cairo_set_source_rgba(mc, 1, 1, 1, 1);
    shape(mc);
    cairo_destroy(mc);
    cairo_surface_flush(mask);
    const unsigned char* m = cairo_image_surface_get_data(mask);
    const int mstride = cairo_image_surface_get_stride(mask);
    const uint32_t pen = rgb_of(colour);
    for (const RECT& c : t.clip) {
        for (LONG y = c.top; y < c.bottom; ++y) {
            for (LONG x = c.left; x < c.right; ++x) {
                if (m[y * mstride + x] < 128) continue;
                uint32_t& px = t.at(x, y);
                px = 0xFF000000u | apply_rop2(rop, pen, px & 0x00FFFFFF);
            }
        }
    }
    cairo_surface_destroy(mask);
    close_pixels(t);
}

}  // namespace gdi

using namespace gdi;

// --- Lines --------------------------------------------------------------------------

BOOL MoveToEx(HDC handle, int x, int y, POINT* previous) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return FALSE;
    if (previous) *previous = dc->st.position;
    dc->st.position = {x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC handle, POINT* position) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || !position) return FALSE;
    *position = dc->st.position;
    return TRUE;
}

BOOL LineTo(HDC handle, int x, int y) {
    DeviceContext* dc = lookup_drawing_dc(handle);
    if (!dc) return FALSE;
    const POINT from = dc->st.position;
    const POINT a = to_device(*dc, from.x, from.y), b = to_device(*dc, x, y);
    if (drawing_log_enabled())
        log_call(*dc, "LineTo", {from, {x, y}}, {a, b}, describe_pen(*dc) + " rop2=" + std::to_string(dc->st.rop2));
    stroke_device_polyline(*dc, {a, b});
    dc->st.position = {x, y};
    return TRUE;
}

BOOL Polyline(HDC handle, const POINT* points, int count) {
    DeviceContext* dc = lookup_drawing_dc(handle);
    if (!dc || !points || count < 2) return FALSE;
    std::vector<POINT> logical(points, points + count), device;
    for (const POINT& p : logical) device.push_back(to_device(*dc, p.x, p.y));
    log_call(*dc, "Polyline", logical, device, describe_pen(*dc) + " rop2=" + std::to_string(dc->st.rop2));
    stroke_device_polyline(*dc, device);
    return TRUE;
}

BOOL Polygon(HDC handle, const POINT* points, int count) {
    DeviceContext* dc = lookup_drawing_dc(handle);
    if (!dc || !points || count < 2) return FALSE;
    std::vector<POINT> logical(points, points + count), device;
    for (const POINT& p : logical) device.push_back(to_device(*dc, p.x, p.y));
    log_call(*dc, "Polygon", logical, device, describe_pen(*dc) + ' ' + describe_brush(*dc));
    auto path = [&](cairo_t* cr) {
        cairo_move_to(cr, device[0].x + 0.5, device[0].y + 0.5);
        for (size_t i = 1; i < device.size(); ++i) cairo_line_to(cr, device[i].x + 0.5, device[i].y + 0.5);
        cairo_close_path(cr);
    };
    fill_with_brush(*dc, *static_cast<Brush*>(dc->st.brush), true, [&](cairo_t* cr) {
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        path(cr);
    });
    std::vector<POINT> closed = device;
    closed.push_back(device.front());
    stroke_device_polyline(*dc, closed);
    return TRUE;
}

// --- Figures --------------------------------------------------------------------------

BOOL Rectangle(HDC handle, int left, int top, int right, int bottom) {
    DeviceContext* dc = lookup_drawing_dc(handle);
    if (!dc) return FALSE;
    POINT a, b;
    const RECT r = device_rect(*dc, left, top, right, bottom, &a, &b);
    if (drawing_log_enabled())
        log_call(*dc, "Rectangle", {{left, top}, {right, bottom}}, {a, b},
                 describe_pen(*dc) + ' ' + describe_brush(*dc) + " rop2=" + std::to_string(dc->st.rop2));
    if (rect_empty(r)) return TRUE;
    draw_figure(*dc, r, [&](cairo_t* cr, double inset) {
        cairo_rectangle(cr, r.left + inset, r.top + inset, r.right - r.left - 2 * inset, r.bottom - r.top - 2 * inset);
    }, true);
    return TRUE;
}

BOOL RoundRect(HDC handle, int left, int top, int right, int bottom, int ellipse_width, int ellipse_height) {
    DeviceContext* dc = lookup_drawing_dc(handle);
    if (!dc) return FALSE;
    POINT a, b;
    const RECT r = device_rect(*dc, left, top, right, bottom, &a, &b);
    const double ew = std::fabs(ellipse_width * scale_x(*dc)), eh = std::fabs(ellipse_height * scale_y(*dc));
    log_call(*dc, "RoundRect", {{left, top}, {right, bottom}, {ellipse_width, ellipse_height}},
             {a, b, {static_cast<LONG>(std::lround(ew)), static_cast<LONG>(std::lround(eh))}},
             describe_pen(*dc) + ' ' + describe_brush(*dc) + " rop2=" + std::to_string(dc->st.rop2));
    if (rect_empty(r)) return TRUE;
    draw_figure(*dc, r, [&](cairo_t* cr, double inset) {
        rounded_path(cr, r.left + inset, r.top + inset, r.right - inset, r.bottom - inset, ew / 2, eh / 2);
    }, ew < 1 || eh < 1);
    return TRUE;
}

BOOL Ellipse(HDC handle, int left, int top, int right, int bottom) {
    DeviceContext* dc = lookup_drawing_dc(handle);
    if (!dc) return FALSE;
    POINT a, b;
    const RECT r = device_rect(*dc, left, top, right, bottom, &a, &b);
    log_call(*dc, "Ellipse", {{left, top}, {right, bottom}}, {a, b},
             describe_pen(*dc) + ' ' + describe_brush(*dc) + " rop2=" + std::to_string(dc->st.rop2));
    if (rect_empty(r)) return TRUE;
    draw_figure(*dc, r, [&](cairo_t* cr, double inset) {
        ellipse_path(cr, r.left + inset, r.top + inset, r.right - inset, r.bottom - inset);
    }, false);
    return TRUE;
}

int FillRect(HDC handle, const RECT* rect, HBRUSH brush_handle) {
    DeviceContext* dc = lookup_drawing_dc(handle);
    // (HBRUSH)(COLOR_x + 1) names a system colour, as for a class background.
    uintptr_t value = reinterpret_cast<uintptr_t>(brush_handle);
    if (value >= 1 && value <= COLOR_INFOBK + 1) brush_handle = GetSysColorBrush(static_cast<int>(value - 1));
    Brush* brush = as_brush(brush_handle);
    if (!dc || !rect || !brush) return 0;
    POINT a, b;
    const RECT r = device_rect(*dc, rect->left, rect->top, rect->right, rect->bottom, &a, &b);
    std::string params = brush->style == BS_NULL ? "brush=null" : "brush=" + describe_colour(brush->colour);
    log_call(*dc, "FillRect", {{rect->left, rect->top}, {rect->right, rect->bottom}}, {a, b}, params);
    if (rect_empty(r)) return 1;
    fill_with_brush(*dc, *brush, false, [&](cairo_t* cr) {
        cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    });
    return 1;
}

int FrameRect(HDC handle, const RECT* rect, HBRUSH brush_handle) {
    DeviceContext* dc = lookup_drawing_dc(handle);
    Brush* brush = as_brush(brush_handle);
    if (!dc || !rect || !brush) return 0;
    POINT a, b;
    const RECT r = device_rect(*dc, rect->left, rect->top, rect->right, rect->bottom, &a, &b);
    log_call(*dc, "FrameRect", {{rect->left, rect->top}, {rect->right, rect->bottom}}, {a, b},
             "brush=" + describe_colour(brush->colour));
    if (rect_empty(r)) return 1;
    const double tx = std::max(1.0, std::round(scale_x(*dc))), ty = std::max(1.0, std::round(scale_y(*dc)));
    fill_with_brush(*dc, *brush, false, [&](cairo_t* cr) {
        const double w = r.right - r.left, h = r.bottom - r.top;
        cairo_rectangle(cr, r.left, r.top, w, std::min(ty, h));
        cairo_rectangle(cr, r.left, r.bottom - std::min(ty, h), w, std::min(ty, h));
        cairo_rectangle(cr, r.left, r.top, std::min(tx, w), h);
        cairo_rectangle(cr, r.right - std::min(tx, w), r.top, std::min(tx, w), h);
    });
    return 1;
}

static void invert_device_rect(const DeviceContext& dc, RECT r) {
    PixelTarget t;
    if (open_pixels(dc, t)) {
        for_each_pixel(t, r, [](uint32_t& px, LONG, LONG) { px = 0xFF000000u | (~px & 0x00FFFFFF); });
        close_pixels(t);
        return;
    }
    cairo_t* cr = begin_drawing(dc);
    if (!cr) return;
    cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_fill(cr);
    cairo_destroy(cr);
}

BOOL InvertRect(HDC handle, const RECT* rect) {
    DeviceContext* dc = lookup_drawing_dc(handle);
    if (!dc || !rect) return FALSE;
    POINT a, b;
    const RECT r = device_rect(*dc, rect->left, rect->top, rect->right, rect->bottom, &a, &b);
    log_call(*dc, "InvertRect", {{rect->left, rect->top}, {rect->right, rect->bottom}}, {a, b}, {});
    if (!rect_empty(r)) invert_device_rect(*dc, r);
    return TRUE;
}

// --- Pixels -------------------------------------------------------------------------------

COLORREF SetPixel(HDC handle, int x, int y, COLORREF colour) {
    DeviceContext* dc = lookup_drawing_dc(handle);
    if (!dc) return CLR_INVALID;
    const POINT p = to_device(*dc, x, y);
    log_call(*dc, "SetPixel", {{x, y}}, {p}, describe_colour(colour));
    PixelTarget t;
    if (!open_pixels(*dc, t)) return CLR_INVALID;
    COLORREF result = CLR_INVALID;
    for_each_pixel(t, {p.x, p.y, p.x + 1, p.y + 1}, [&](uint32_t& px, LONG, LONG) {
        px = colour_to_pixel(colour);
        result = colour & 0xFFFFFF;
    });
    close_pixels(t);
    return result;
}

COLORREF GetPixel(HDC handle, int x, int y) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return CLR_INVALID;
    const POINT p = to_device(*dc, x, y);
    PixelTarget t;
    if (!open_pixels(*dc, t)) return CLR_INVALID;
    COLORREF result = CLR_INVALID;
    for_each_pixel(t, {p.x, p.y, p.x + 1, p.y + 1}, [&](uint32_t& px, LONG, LONG) { result = pixel_to_colour(px); });
    return result;
}

// --- Bit blits ------------------------------------------------------------------------------

static void pat_blt_device(const DeviceContext& dc, RECT r, DWORD rop) {
    if (rect_empty(r)) return;
    const auto& brush = *static_cast<Brush*>(dc.st.brush);
    if (rop == PATCOPY) {
        fill_with_brush(dc, brush, false, [&](cairo_t* cr) {
            cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
        });
        return;
    }
    PixelTarget t;
    if (open_pixels(dc, t)) {
        const uint32_t pat = rgb_of(brush.colour);
        for_each_pixel(t, r, [&](uint32_t& px, LONG, LONG) {
            px = 0xFF000000u | apply_rop3(rop, pat, 0, px & 0x00FFFFFF);
        });
        close_pixels(t);
        return;
    }
    if (rop == DSTINVERT || rop == PATINVERT) {
        invert_device_rect(dc, r);
    } else if (rop == BLACKNESS || rop == WHITENESS) {
        Brush solid;
        solid.colour = rop == BLACKNESS ? RGB(0, 0, 0) : RGB(255, 255, 255);
        fill_with_brush(dc, solid, false, [&](cairo_t* cr) {
            cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
        });
    }
}

BOOL PatBlt(HDC handle, int x, int y, int width, int height, DWORD rop) {
    DeviceContext* dc = lookup_drawing_dc(handle);
    if (!dc) return FALSE;
    POINT a, b;
    const RECT r = device_rect(*dc, x, y, x + width, y + height, &a, &b);
    char params[64];
    std::snprintf(params, sizeof params, "rop=0x%08x ", static_cast<unsigned>(rop));
    log_call(*dc, "PatBlt", {{x, y}, {x + width, y + height}}, {a, b}, params + describe_brush(*dc));
    pat_blt_device(*dc, r, rop);
    return TRUE;
}

namespace {

// Source pixels of a blit, sampled to the destination size and turned into
// the destination's colours (monochrome sources take the destination's text
// and background colours, colour sources become black and white for a
// monochrome destination).
bool gather_source(const DeviceContext& src, const DeviceContext& dst, RECT src_rect, bool flip_x, bool flip_y,
                   int dw, int dh, std::vector<uint32_t>& out, std::vector<bool>& valid) {
    PixelTarget s;
    if (!open_pixels(src, s)) return false;
    const auto* src_bm = src.kind == DcKind::Memory ? static_cast<Bitmap*>(src.st.bitmap) : nullptr;
    const auto* dst_bm = dst.kind == DcKind::Memory ? static_cast<Bitmap*>(dst.st.bitmap) : nullptr;
    const bool src_mono = src_bm && src_bm->mono;
    const bool dst_mono = dst_bm && dst_bm->mono;
    const int sw = src_rect.right - src_rect.left, sh = src_rect.bottom - src_rect.top;
    out.assign(static_cast<size_t>(dw) * dh, 0);
    valid.assign(static_cast<size_t>(dw) * dh, false);
    for (int y = 0; y < dh; ++y) {
        int sy = static_cast<int>((static_cast<int64_t>(y) * 2 + 1) * sh / (2 * static_cast<int64_t>(dh)));
        if (flip_y) sy = sh - 1 - sy;
        const int py = src_rect.top + sy + s.origin_y;
        if (py < 0 || py >= s.height) continue;
        for (int x = 0; x < dw; ++x) {
            int sx = static_cast<int>((static_cast<int64_t>(x) * 2 + 1) * sw / (2 * static_cast<int64_t>(dw)));
            if (flip_x) sx = sw - 1 - sx;
            const int px = src_rect.left + sx + s.origin_x;
            if (px < 0 || px >= s.width) continue;
            uint32_t v = s.at(px, py) & 0x00FFFFFF;
            if (src_mono && !dst_mono) {
                v = v ? rgb_of(dst.st.bk_colour) : rgb_of(dst.st.text_colour);
            } else if (!src_mono && dst_mono) {
                v = v == rgb_of(src.st.bk_colour) ? 0xFFFFFFu : 0u;
            }
            out[static_cast<size_t>(y) * dw + x] = v;
            valid[static_cast<size_t>(y) * dw + x] = true;
        }
    }
    return true;
}

BOOL do_blit(const char* op, HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int swidth,
             int sheight, DWORD rop) {
    DeviceContext* dc = lookup_dc(dest);
    if (!dc) return FALSE;
    DeviceContext* src = lookup_dc(source);
    const bool needs_source = rop3_uses_source(rop);
    if (needs_source && !src) return FALSE;
    POINT a = to_device(*dc, x, y), b = to_device(*dc, x + width, y + height);
    std::vector<POINT> logical{{x, y}, {x + width, y + height}};
    std::vector<POINT> device{a, b};
    POINT sa{0, 0}, sb{0, 0};
    if (needs_source) {
        sa = to_device(*src, sx, sy);
        sb = to_device(*src, sx + swidth, sy + sheight);
        logical.push_back({sx, sy});
        logical.push_back({sx + swidth, sy + sheight});
        device.push_back(sa);
        device.push_back(sb);
    }
    char params[96];
    std::snprintf(params, sizeof params, "rop=0x%08x src=%s#%d", static_cast<unsigned>(rop),
                  src ? dc_kind_name(src->kind) : "none", src ? src->id : 0);
    log_call(*dc, op, logical, device, params);
    if (!needs_source) {
        pat_blt_device(*dc, normalized({a.x, a.y, b.x, b.y}), rop);
        return TRUE;
    }

    // Opposite signs of the two widths (or heights) mirror the image.
    const bool flip_x = (b.x < a.x) != (sb.x < sa.x);
    const bool flip_y = (b.y < a.y) != (sb.y < sa.y);
    const RECT d = normalized({a.x, a.y, b.x, b.y});
    const RECT s = normalized({sa.x, sa.y, sb.x, sb.y});
    const int dw = d.right - d.left, dh = d.bottom - d.top;
    if (dw <= 0 || dh <= 0 || rect_empty(s)) return TRUE;
    std::vector<uint32_t> pixels;
    std::vector<bool> valid;
    if (!gather_source(*src, *dc, s, flip_x, flip_y, dw, dh, pixels, valid)) return FALSE;
    const uint32_t pat = rgb_of(static_cast<Brush*>(dc->st.brush)->colour);

    PixelTarget t;
    if (open_pixels(*dc, t)) {
        for_each_pixel(t, d, [&](uint32_t& px, LONG dx, LONG dy) {
            const size_t i = static_cast<size_t>(dy - d.top) * dw + static_cast<size_t>(dx - d.left);
            if (!valid[i]) return;
            px = 0xFF000000u | apply_rop3(rop, pat, pixels[i], px & 0x00FFFFFF);
        });
        close_pixels(t);
        return TRUE;
    }
    // Vector targets: the source as an image, combined by the nearest
    // cairo operator.
    cairo_t* cr = begin_drawing(*dc);
    if (!cr) return TRUE;
    cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, dw, dh);
    auto* data = cairo_image_surface_get_data(img);
    const int stride = cairo_image_surface_get_stride(img);
    const bool invert = rop == NOTSRCCOPY;
    for (int yy = 0; yy < dh; ++yy) {
        auto* row = reinterpret_cast<uint32_t*>(data + yy * stride);
        for (int xx = 0; xx < dw; ++xx) {
            const size_t i = static_cast<size_t>(yy) * dw + xx;
            row[xx] = valid[i] ? 0xFF000000u | (invert ? ~pixels[i] & 0xFFFFFF : pixels[i]) : 0;
        }
    }
    cairo_surface_mark_dirty(img);
    if (rop == SRCINVERT) cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
    else if (rop == SRCAND) cairo_set_operator(cr, CAIRO_OPERATOR_MULTIPLY);
    else if (rop == SRCPAINT) cairo_set_operator(cr, CAIRO_OPERATOR_LIGHTEN);
    cairo_set_source_surface(cr, img, d.left, d.top);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, d.left, d.top, dw, dh);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(img);
    return TRUE;
}

}  // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x, int source_y, DWORD rop) {
    // The source extent is the destination's in logical units of each side.
    return do_blit("BitBlt", dest, x, y, width, height, source, source_x, source_y, width, height, rop);
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x, int source_y,
                int source_width, int source_height, DWORD rop) {
    return do_blit("StretchBlt", dest, x, y, width, height, source, source_x, source_y, source_width, source_height,
                   rop);
}
