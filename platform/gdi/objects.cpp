// GDI objects: pens, brushes, fonts, bitmaps and regions, the stock objects,
// selection into contexts and deletion.
#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/gdi_support.h"
#include "platform/kernel/sjis_text.h"

namespace gdi {

namespace {

struct ObjectRegistry {
    std::unordered_set<Object*> live;
    Object* stock[DEFAULT_GUI_FONT + 1] = {};
    Bitmap* default_bitmap = nullptr;
};

// Never destroyed: like Windows at process exit, objects a program did not
// delete are simply gone, not reported as leaks.
ObjectRegistry& registry() {
    static auto* r = new ObjectRegistry;
    return *r;
}

void destroy(Object* object) {
    registry().live.erase(object);
    delete object;
}

Pen* make_stock_pen(int style, COLORREF colour) {
    auto* p = new Pen;
    p->style = style;
    p->colour = colour;
    return p;
}

Brush* make_stock_brush(UINT style, COLORREF colour) {
    auto* b = new Brush;
    b->style = style;
    b->colour = colour;
    return b;
}

Font* make_stock_font(int height, int width, BYTE pitch, const char* face) {
    auto* f = new Font;
    f->lf.lfHeight = height;
    f->lf.lfWidth = width;
    f->lf.lfWeight = FW_NORMAL;
    f->lf.lfCharSet = SHIFTJIS_CHARSET;
    f->lf.lfPitchAndFamily = pitch;
    std::strncpy(f->lf.lfFaceName, face, LF_FACESIZE - 1);
    return f;
}

// "ＭＳ ゴシック" and "ＭＳ Ｐゴシック" in Shift-JIS: the faces of a Japanese
// desktop's system and dialog fonts.
constexpr const char* kMsGothic = "ＭＳ ゴシック"_sjis;
constexpr const char* kMsPGothic = "ＭＳ Ｐゴシック"_sjis;

void create_stock_objects() {
    ObjectRegistry& r = registry();
    if (r.stock[WHITE_BRUSH]) return;
    r.stock[WHITE_BRUSH] = make_stock_brush(BS_SOLID, RGB(255, 255, 255));
    r.stock[LTGRAY_BRUSH] = make_stock_brush(BS_SOLID, RGB(192, 192, 192));
    r.stock[GRAY_BRUSH] = make_stock_brush(BS_SOLID, RGB(128, 128, 128));
    r.stock[DKGRAY_BRUSH] = make_stock_brush(BS_SOLID, RGB(64, 64, 64));
    r.stock[BLACK_BRUSH] = make_stock_brush(BS_SOLID, RGB(0, 0, 0));
    r.stock[NULL_BRUSH] = make_stock_brush(BS_NULL, 0);
    r.stock[WHITE_PEN] = make_stock_pen(PS_SOLID, RGB(255, 255, 255));
    r.stock[BLACK_PEN] = make_stock_pen(PS_SOLID, RGB(0, 0, 0));
    r.stock[NULL_PEN] = make_stock_pen(PS_NULL, 0);
    // Sizes as on a Japanese Windows 95 desktop: 16-pixel system fonts with
    // 8-pixel half-width cells, a 12-pixel dialog font.
    r.stock[OEM_FIXED_FONT] = make_stock_font(16, 8, FIXED_PITCH | FF_MODERN, kMsGothic);
    r.stock[ANSI_FIXED_FONT] = make_stock_font(16, 8, FIXED_PITCH | FF_MODERN, kMsGothic);
    r.stock[ANSI_VAR_FONT] = make_stock_font(16, 8, VARIABLE_PITCH | FF_SWISS, kMsPGothic);
    r.stock[SYSTEM_FONT] = make_stock_font(16, 8, VARIABLE_PITCH | FF_SWISS, kMsPGothic);
    r.stock[DEVICE_DEFAULT_FONT] = make_stock_font(16, 8, FIXED_PITCH | FF_MODERN, kMsGothic);
    r.stock[SYSTEM_FIXED_FONT] = make_stock_font(16, 8, FIXED_PITCH | FF_MODERN, kMsGothic);
    r.stock[DEFAULT_GUI_FONT] = make_stock_font(-12, 0, VARIABLE_PITCH | FF_SWISS, kMsPGothic);
    for (Object* o : r.stock) {
        if (!o) continue;
        o->stock = true;
        r.live.insert(o);
    }
    auto* bm = new Bitmap;
    bm->width = 1;
    bm->height = 1;
    bm->mono = true;
    bm->stock = true;
    bm->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    // A fresh monochrome bitmap is black, as on Windows.
    r.default_bitmap = bm;
    r.live.insert(bm);
}

}  // namespace

Brush::~Brush() {
    if (pattern) cairo_surface_destroy(pattern);
}

Bitmap::~Bitmap() {
    if (surface) cairo_surface_destroy(surface);
}

Object* lookup_object(HGDIOBJ handle) {
    if (!handle) return nullptr;
    create_stock_objects();
    auto* o = static_cast<Object*>(handle);
    return registry().live.count(o) ? o : nullptr;
}

template <typename T>
static T* as_kind(HGDIOBJ handle, ObjectKind kind) {
    Object* o = lookup_object(handle);
    return o && o->kind == kind ? static_cast<T*>(o) : nullptr;
}

Pen* as_pen(HGDIOBJ handle) { return as_kind<Pen>(handle, ObjectKind::Pen); }
Brush* as_brush(HGDIOBJ handle) { return as_kind<Brush>(handle, ObjectKind::Brush); }
Font* as_font(HGDIOBJ handle) { return as_kind<Font>(handle, ObjectKind::Font); }
Bitmap* as_bitmap(HGDIOBJ handle) { return as_kind<Bitmap>(handle, ObjectKind::Bitmap); }
Region* as_region(HGDIOBJ handle) { return as_kind<Region>(handle, ObjectKind::Region); }

HGDIOBJ register_object(Object* object) {
    create_stock_objects();
    registry().live.insert(object);
    return object;
}

void note_selected(Object* object) {
    if (object) ++object->select_count;
}

void note_deselected(Object* object) {
    if (!object) return;
    if (object->select_count > 0) --object->select_count;
    if (object->select_count == 0 && object->delete_pending && !object->stock) destroy(object);
}

Bitmap* default_bitmap() {
    create_stock_objects();
    return registry().default_bitmap;
}

// --- Rectangle lists --------------------------------------------------------

bool rect_empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT normalized(RECT r) {
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return r;
}

std::vector<RECT> rects_intersect(const std::vector<RECT>& a, const std::vector<RECT>& b) {
    std::vector<RECT> out;
    for (const RECT& x : a) {
        for (const RECT& y : b) {
            RECT r{std::max(x.left, y.left), std::max(x.top, y.top), std::min(x.right, y.right),
                   std::min(x.bottom, y.bottom)};
            if (!rect_empty(r)) out.push_back(r);
        }
    }
    return out;
}

// The parts of `r` outside `hole`: at most four disjoint bands.
static void subtract_one(const RECT& r, const RECT& hole, std::vector<RECT>& out) {
    RECT i{std::max(r.left, hole.left), std::max(r.top, hole.top), std::min(r.right, hole.right),
           std::min(r.bottom, hole.bottom)};
    if (rect_empty(i)) {
        out.push_back(r);
        return;
    }
    if (r.top < i.top) out.push_back({r.left, r.top, r.right, i.top});
    if (i.bottom < r.bottom) out.push_back({r.left, i.bottom, r.right, r.bottom});
    if (r.left < i.left) out.push_back({r.left, i.top, i.left, i.bottom});
    if (i.right < r.right) out.push_back({i.right, i.top, r.right, i.bottom});
}

std::vector<RECT> rects_subtract(const std::vector<RECT>& a, const std::vector<RECT>& b) {
    std::vector<RECT> current = a;
    for (const RECT& hole : b) {
        std::vector<RECT> next;
        for (const RECT& r : current) subtract_one(r, hole, next);
        current.swap(next);
    }
    return current;
}

std::vector<RECT> rects_union(const std::vector<RECT>& a, const std::vector<RECT>& b) {
    std::vector<RECT> out = a;
    std::vector<RECT> extra = rects_subtract(b, a);
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

RECT rects_box(const std::vector<RECT>& rects) {
    if (rects.empty()) return {0, 0, 0, 0};
    RECT box = rects.front();
    for (const RECT& r : rects) {
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
    }
    return box;
}

}  // namespace gdi

using namespace gdi;

// --- Public: creation -----------------------------------------------------------

HGDIOBJ GetStockObject(int index) {
    create_stock_objects();
    if (index < 0 || index > DEFAULT_GUI_FONT) return nullptr;
    return registry().stock[index];
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME) return nullptr;
    auto* p = new Pen;
    p->style = style;
    p->width = width < 0 ? 0 : width;
    p->colour = colour & 0x00FFFFFF;
    return register_object(p);
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    if (!pen) return nullptr;
    return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    auto* b = new Brush;
    b->style = BS_SOLID;
    b->colour = colour & 0x00FFFFFF;
    return register_object(b);
}

HBRUSH CreateHatchBrush(int hatch, COLORREF colour) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
    auto* b = new Brush;
    b->style = BS_HATCHED;
    b->colour = colour & 0x00FFFFFF;
    b->hatch = hatch;
    return register_object(b);
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    Bitmap* bm = as_bitmap(bitmap);
    if (!bm) return nullptr;
    auto* b = new Brush;
    b->style = BS_PATTERN;
    // The brush keeps its own copy: the program may delete the bitmap.
    cairo_surface_flush(bm->surface);
    b->pattern = cairo_image_surface_create(CAIRO_FORMAT_RGB24, bm->width, bm->height);
    cairo_t* cr = cairo_create(b->pattern);
    cairo_set_source_surface(cr, bm->surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    return register_object(b);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush) return nullptr;
    switch (brush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(brush->lbColor);
    case BS_NULL: return GetStockObject(NULL_BRUSH);
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(brush->lbHatch), brush->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    default: return nullptr;
    }
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
    if (!font) return nullptr;
    auto* f = new Font;
    f->lf = *font;
    f->lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    return register_object(f);
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strike_out, DWORD charset, DWORD out_precision,
                  DWORD clip_precision, DWORD quality, DWORD pitch_and_family, LPCSTR face) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic ? 1 : 0);
    lf.lfUnderline = static_cast<BYTE>(underline ? 1 : 0);
    lf.lfStrikeOut = static_cast<BYTE>(strike_out ? 1 : 0);
    lf.lfCharSet = static_cast<BYTE>(charset);
    lf.lfOutPrecision = static_cast<BYTE>(out_precision);
    lf.lfClipPrecision = static_cast<BYTE>(clip_precision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitch_and_family);
    if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

static Bitmap* new_bitmap(int width, int height, bool mono) {
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return nullptr;
    auto* bm = new Bitmap;
    bm->width = width;
    bm->height = height;
    bm->mono = mono;
    bm->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(bm->surface) != CAIRO_STATUS_SUCCESS) {
        delete bm;
        return nullptr;
    }
    return bm;
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits) {
    const UINT depth = planes * bits_per_pixel;
    if (depth != 1 && depth != 24 && depth != 32) return nullptr;
    Bitmap* bm = new_bitmap(width, height, depth == 1);
    if (!bm) return nullptr;
    if (bits) {
        auto* data = cairo_image_surface_get_data(bm->surface);
        const int stride = cairo_image_surface_get_stride(bm->surface);
        const auto* src = static_cast<const unsigned char*>(bits);
        // Rows of the caller's bits are padded to 16 bits, as Windows has them.
        const int src_stride = depth == 1 ? ((width + 15) / 16) * 2 : ((width * static_cast<int>(depth) / 8 + 1) / 2) * 2;
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
            const unsigned char* s = src + y * src_stride;
            for (int x = 0; x < width; ++x) {
                if (depth == 1) {
                    row[x] = (s[x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFFu : 0u;
                } else {
                    const unsigned char* px = s + x * (depth / 8);
                    row[x] = static_cast<uint32_t>(px[0]) | (static_cast<uint32_t>(px[1]) << 8) |
                             (static_cast<uint32_t>(px[2]) << 16);
                }
            }
        }
        cairo_surface_mark_dirty(bm->surface);
    }
    return register_object(bm);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    DeviceContext* d = lookup_dc(dc);
    if (!d) return nullptr;
    // Compatible with a memory context means compatible with the bitmap in
    // it: a new memory context still holds its monochrome default bitmap.
    bool mono = false;
    if (d->kind == DcKind::Memory) {
        auto* bm = static_cast<Bitmap*>(d->st.bitmap);
        mono = bm && bm->mono;
    }
    Bitmap* bm = new_bitmap(width, height, mono);
    return bm ? register_object(bm) : nullptr;
}

// --- Public: selection and deletion ------------------------------------------

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    DeviceContext* d = lookup_dc(dc);
    Object* o = lookup_object(object);
    if (!d || !o || o->delete_pending) return nullptr;
    Object** slot = nullptr;
    switch (o->kind) {
    case ObjectKind::Pen: slot = &d->st.pen; break;
    case ObjectKind::Brush: slot = &d->st.brush; break;
    case ObjectKind::Font: slot = &d->st.font; break;
    case ObjectKind::Bitmap: {
        if (d->kind != DcKind::Memory) return nullptr;
        auto* bm = static_cast<Bitmap*>(o);
        if (bm->selected_in && bm->selected_in != dc && !bm->stock) return nullptr;
        slot = &d->st.bitmap;
        break;
    }
    case ObjectKind::Region: {
        // Selecting a region sets the clip and reports the region's kind.
        return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(SelectClipRgn(dc, object)));
    }
    }
    Object* previous = *slot;
    if (previous == o) return previous;
    if (o->kind == ObjectKind::Bitmap) {
        auto* bm = static_cast<Bitmap*>(o);
        if (!bm->stock) bm->selected_in = dc;
        if (previous && !previous->stock) static_cast<Bitmap*>(previous)->selected_in = nullptr;
    }
    *slot = o;
    note_selected(o);
    // The handle goes back to the caller, who may delete it: release our
    // hold only after the pointer is taken.
    HGDIOBJ result = previous;
    note_deselected(previous);
    return result;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
    DeviceContext* d = lookup_dc(dc);
    if (!d) return nullptr;
    switch (type) {
    case OBJ_PEN: return d->st.pen;
    case OBJ_BRUSH: return d->st.brush;
    case OBJ_FONT: return d->st.font;
    case OBJ_BITMAP: return d->st.bitmap;
    default: return nullptr;
    }
}

BOOL DeleteObject(HGDIOBJ object) {
    Object* o = lookup_object(object);
    if (!o) return FALSE;
    if (o->stock) return TRUE;  // stock objects are never deleted
    if (o->delete_pending) return FALSE;
    if (o->select_count > 0) {
        o->delete_pending = true;
        return TRUE;
    }
    destroy(o);
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ object) {
    if (DeviceContext* d = lookup_dc(static_cast<HDC>(object))) return d->kind == DcKind::Memory ? OBJ_MEMDC : OBJ_DC;
    Object* o = lookup_object(object);
    if (!o) return 0;
    switch (o->kind) {
    case ObjectKind::Pen: return OBJ_PEN;
    case ObjectKind::Brush: return OBJ_BRUSH;
    case ObjectKind::Font: return OBJ_FONT;
    case ObjectKind::Bitmap: return OBJ_BITMAP;
    case ObjectKind::Region: return OBJ_REGION;
    }
    return 0;
}

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
    Object* o = lookup_object(object);
    if (!o) return 0;
    auto give = [&](const void* record, int record_size) {
        if (!buffer) return record_size;
        const int n = std::min(size, record_size);
        if (n <= 0) return 0;
        std::memcpy(buffer, record, static_cast<size_t>(n));
        return n;
    };
    switch (o->kind) {
    case ObjectKind::Pen: {
        auto* p = static_cast<Pen*>(o);
        LOGPEN lp{static_cast<UINT>(p->style), {p->width, 0}, p->colour};
        return give(&lp, sizeof lp);
    }
    case ObjectKind::Brush: {
        auto* b = static_cast<Brush*>(o);
        LOGBRUSH lb{b->style, b->colour, static_cast<uintptr_t>(b->hatch)};
        return give(&lb, sizeof lb);
    }
    case ObjectKind::Font: return give(&static_cast<Font*>(o)->lf, sizeof(LOGFONTA));
    case ObjectKind::Bitmap: {
        auto* bm = static_cast<Bitmap*>(o);
        BITMAP info{};
        info.bmWidth = bm->width;
        info.bmHeight = bm->height;
        info.bmPlanes = 1;
        info.bmBitsPixel = bm->mono ? 1 : 32;
        info.bmWidthBytes = bm->mono ? ((bm->width + 15) / 16) * 2 : bm->width * 4;
        return give(&info, sizeof info);
    }
    case ObjectKind::Region: return 0;
    }
    return 0;
}

// --- Regions --------------------------------------------------------------------

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto* r = new Region;
    RECT rc = normalized({left, top, right, bottom});
    if (!rect_empty(rc)) r->rects.push_back(rc);
    return register_object(r);
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    if (!rect) return nullptr;
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

static int region_kind(const std::vector<RECT>& rects) {
    if (rects.empty()) return NULLREGION;
    return rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
    Region* r = as_region(region);
    if (!r) return FALSE;
    r->rects.clear();
    RECT rc = normalized({left, top, right, bottom});
    if (!rect_empty(rc)) r->rects.push_back(rc);
    return TRUE;
}

int CombineRgn(HRGN dest, HRGN first, HRGN second, int mode) {
    Region* d = as_region(dest);
    Region* a = as_region(first);
    Region* b = mode == RGN_COPY ? a : as_region(second);
    if (!d || !a || !b) return ERROR;
    std::vector<RECT> result;
    switch (mode) {
    case RGN_AND: result = rects_intersect(a->rects, b->rects); break;
    case RGN_OR: result = rects_union(a->rects, b->rects); break;
    case RGN_DIFF: result = rects_subtract(a->rects, b->rects); break;
    case RGN_XOR: result = rects_union(rects_subtract(a->rects, b->rects), rects_subtract(b->rects, a->rects)); break;
    case RGN_COPY: result = a->rects; break;
    default: return ERROR;
    }
    d->rects = std::move(result);
    return region_kind(d->rects);
}

int OffsetRgn(HRGN region, int dx, int dy) {
    Region* r = as_region(region);
    if (!r) return ERROR;
    for (RECT& rc : r->rects) {
        rc.left += dx;
        rc.right += dx;
        rc.top += dy;
        rc.bottom += dy;
    }
    return region_kind(r->rects);
}

int GetRgnBox(HRGN region, RECT* box) {
    Region* r = as_region(region);
    if (!r || !box) return ERROR;
    *box = rects_box(r->rects);
    return region_kind(r->rects);
}

BOOL PtInRegion(HRGN region, int x, int y) {
    Region* r = as_region(region);
    if (!r) return FALSE;
    for (const RECT& rc : r->rects) {
        if (x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom) return TRUE;
    }
    return FALSE;
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
    Region* r = as_region(region);
    if (!r || !rect) return FALSE;
    return rects_intersect(r->rects, {normalized(*rect)}).empty() ? FALSE : TRUE;
}

// --- Support ----------------------------------------------------------------------

size_t gdi_live_object_count() {
    create_stock_objects();
    size_t n = 0;
    for (Object* o : registry().live) {
        if (!o->stock) ++n;
    }
    return n;
}
