// Device contexts: creation for windows, memory, printers and information,
// their attributes, mapping modes, clipping and saved states.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_set>

#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/gdi_support.h"
#include "platform/gdi/surface.h"

namespace gdi {

namespace {

struct DcRegistry {
    std::unordered_set<DeviceContext*> live;
    int next_id = 1;
    int screen_width = 1024;
    int screen_height = 768;
};

// Never destroyed: like Windows at process exit, objects a program did not
// delete are simply gone, not reported as leaks.
DcRegistry& dcs() {
    static auto* r = new DcRegistry;
    return *r;
}

constexpr int kScreenDpi = 96;
// Printers are 600-dot devices: fine enough for the 0.1 mm strokes of the
// printed forms, and a round figure for the page arithmetic.
constexpr int kPrinterDpi = 600;
// Like a real page printer, one cannot print the sheet's edges: its
// printable area lies 100 dots (about 4.2 mm) inside them on every side.
constexpr int kPrinterInset = 100;

DeviceContext* new_dc(DcKind kind) {
    auto* dc = new DeviceContext;
    dc->id = dcs().next_id++;
    dc->kind = kind;
    dc->st.pen = lookup_object(GetStockObject(BLACK_PEN));
    dc->st.brush = lookup_object(GetStockObject(WHITE_BRUSH));
    dc->st.font = lookup_object(GetStockObject(SYSTEM_FONT));
    note_selected(dc->st.pen);
    note_selected(dc->st.brush);
    note_selected(dc->st.font);
    if (kind == DcKind::Memory) {
        dc->st.bitmap = default_bitmap();
        note_selected(dc->st.bitmap);
    }
    dcs().live.insert(dc);
    return dc;
}

// Drops the holds of a state. Only the live state's bitmap is the one
// sitting in the context; a saved state's copy of it says nothing.
void release_state(DcState& st, HDC owner, bool live) {
    note_deselected(st.pen);
    note_deselected(st.brush);
    note_deselected(st.font);
    if (st.bitmap) {
        auto* bm = static_cast<Bitmap*>(st.bitmap);
        if (live && !bm->stock && bm->selected_in == owner) bm->selected_in = nullptr;
        note_deselected(st.bitmap);
    }
    st = DcState{};
}

void hold_state(const DcState& st) {
    note_selected(st.pen);
    note_selected(st.brush);
    note_selected(st.font);
    note_selected(st.bitmap);
}

void destroy_dc(DeviceContext* dc) {
    if (dc->job) finish_print_job(*dc, true);
    HDC handle = dc_handle(dc);
    for (DcState& s : dc->saved) release_state(s, handle, false);
    release_state(dc->st, handle, true);
    if (dc->surface) cairo_surface_destroy(dc->surface);
    dcs().live.erase(dc);
    delete dc;
}

bool equal_ignoring_case(const char* a, const char* b) {
    if (!a || !b) return false;
    for (; *a && *b; ++a, ++b) {
        char x = *a >= 'a' && *a <= 'z' ? static_cast<char>(*a - 32) : *a;
        char y = *b >= 'a' && *b <= 'z' ? static_cast<char>(*b - 32) : *b;
        if (x != y) return false;
    }
    return *a == *b;
}

DEVMODEA default_devmode(const char* device) {
    DEVMODEA m{};
    if (device) std::strncpy(reinterpret_cast<char*>(m.dmDeviceName), device, CCHDEVICENAME - 1);
    m.dmSize = sizeof(DEVMODEA);
    m.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
    m.dmOrientation = DMORIENT_PORTRAIT;
    m.dmPaperSize = DMPAPER_A4;
    m.dmCopies = 1;
    m.dmPrintQuality = kPrinterDpi;
    m.dmYResolution = kPrinterDpi;
    return m;
}

// Keeps what a program set in its device mode over the printer's defaults.
void apply_devmode(DEVMODEA& target, const DEVMODEA* mode) {
    if (!mode) return;
    if (mode->dmFields & DM_ORIENTATION) target.dmOrientation = mode->dmOrientation;
    if (mode->dmFields & DM_PAPERSIZE) target.dmPaperSize = mode->dmPaperSize;
    if (mode->dmFields & DM_PAPERLENGTH) {
        target.dmPaperLength = mode->dmPaperLength;
        target.dmFields |= DM_PAPERLENGTH;
    }
    if (mode->dmFields & DM_PAPERWIDTH) {
        target.dmPaperWidth = mode->dmPaperWidth;
        target.dmFields |= DM_PAPERWIDTH;
    }
    if (mode->dmFields & DM_COPIES) target.dmCopies = mode->dmCopies;
}

HDC create_device_dc(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode, bool information) {
    const bool display = (driver && equal_ignoring_case(driver, "DISPLAY")) ||
                         (!driver && device && equal_ignoring_case(device, "DISPLAY"));
    if (!display && (!device || !*device)) return nullptr;
    DeviceContext* dc = new_dc(display ? DcKind::Display : information ? DcKind::Information : DcKind::Printer);
    dc->driver = driver ? driver : "";
    dc->device = device ? device : "";
    dc->port = port ? port : "";
    if (!display) {
        dc->devmode = default_devmode(device);
        apply_devmode(dc->devmode, mode);
    }
    return dc_handle(dc);
}

double checked_ratio(LONG num, LONG den) { return den == 0 ? 1.0 : static_cast<double>(num) / den; }

// GDI rounds mapped coordinates to the nearest device unit.
LONG round_to_long(double v) { return static_cast<LONG>(std::lround(v)); }

void fix_isotropic(DcState& st) {
    if (st.map_mode != MM_ISOTROPIC) return;
    if (st.window_ext.cx == 0 || st.window_ext.cy == 0) return;
    const double sx = std::fabs(checked_ratio(st.viewport_ext.cx, st.window_ext.cx));
    const double sy = std::fabs(checked_ratio(st.viewport_ext.cy, st.window_ext.cy));
    if (sx < sy) {
        const double v = std::fabs(static_cast<double>(st.window_ext.cy)) * sx;
        st.viewport_ext.cy = (st.viewport_ext.cy < 0 ? -1 : 1) * round_to_long(v);
    } else if (sy < sx) {
        const double v = std::fabs(static_cast<double>(st.window_ext.cx)) * sy;
        st.viewport_ext.cx = (st.viewport_ext.cx < 0 ? -1 : 1) * round_to_long(v);
    }
}

bool is_printer(const DeviceContext& dc) { return dc.kind == DcKind::Printer || dc.kind == DcKind::Information; }

// The whole sheet of a printer in dots.
SIZE sheet_size(const DeviceContext& dc) {
    double w, h;
    paper_size_mm(dc.devmode, &w, &h);
    return {round_to_long(w / 25.4 * kPrinterDpi), round_to_long(h / 25.4 * kPrinterDpi)};
}

int printer_inset(const DeviceContext& dc) { return is_printer(dc) ? kPrinterInset : 0; }

}  // namespace

DeviceContext* lookup_dc(HDC handle) {
    if (!handle) return nullptr;
    auto* dc = reinterpret_cast<DeviceContext*>(handle);
    return dcs().live.count(dc) ? dc : nullptr;
}

HDC dc_handle(const DeviceContext* dc) { return reinterpret_cast<HDC>(const_cast<DeviceContext*>(dc)); }

int device_dpi(const DeviceContext& dc) {
    return dc.kind == DcKind::Printer || dc.kind == DcKind::Information ? kPrinterDpi : kScreenDpi;
}

void paper_size_mm(const DEVMODEA& mode, double* width_mm, double* height_mm) {
    double w = 210, h = 297;
    switch (mode.dmPaperSize) {
    case DMPAPER_LETTER: w = 215.9; h = 279.4; break;
    case DMPAPER_A3: w = 297; h = 420; break;
    case DMPAPER_A5: w = 148; h = 210; break;
    case DMPAPER_B4: w = 257; h = 364; break;
    case DMPAPER_B5: w = 182; h = 257; break;
    default: break;
    }
    if ((mode.dmFields & DM_PAPERWIDTH) && mode.dmPaperWidth > 0) w = mode.dmPaperWidth / 10.0;
    if ((mode.dmFields & DM_PAPERLENGTH) && mode.dmPaperLength > 0) h = mode.dmPaperLength / 10.0;
    if (mode.dmOrientation == DMORIENT_LANDSCAPE) std::swap(w, h);
    *width_mm = w;
    *height_mm = h;
}

SIZE device_size(const DeviceContext& dc) {
    switch (dc.kind) {
    case DcKind::Printer:
    case DcKind::Information: {
        // device (0,0) is the printable area's corner
        const SIZE sheet = sheet_size(dc);
        return {std::max<LONG>(sheet.cx - 2 * kPrinterInset, 1), std::max<LONG>(sheet.cy - 2 * kPrinterInset, 1)};
    }
    case DcKind::Memory: {
        auto* bm = static_cast<Bitmap*>(dc.st.bitmap);
        return bm ? SIZE{bm->width, bm->height} : SIZE{1, 1};
    }
    case DcKind::Window:
    case DcKind::Display: return {dcs().screen_width, dcs().screen_height};
    }
    return {0, 0};
}

cairo_surface_t* target_surface(const DeviceContext& dc) {
    switch (dc.kind) {
    case DcKind::Window: return dc.surface;
    case DcKind::Memory: {
        auto* bm = static_cast<Bitmap*>(dc.st.bitmap);
        return bm ? bm->surface : nullptr;
    }
    case DcKind::Printer: return dc.in_page ? dc.surface : nullptr;
    default: return nullptr;
    }
}

bool target_is_raster(const DeviceContext& dc) {
    cairo_surface_t* s = target_surface(dc);
    return s && cairo_surface_get_type(s) == CAIRO_SURFACE_TYPE_IMAGE;
}

POINT to_device(const DeviceContext& dc, int x, int y) {
    const DcState& s = dc.st;
    const double dx = (static_cast<double>(x) - s.window_org.x) * checked_ratio(s.viewport_ext.cx, s.window_ext.cx) + s.viewport_org.x;
    const double dy = (static_cast<double>(y) - s.window_org.y) * checked_ratio(s.viewport_ext.cy, s.window_ext.cy) + s.viewport_org.y;
    return {round_to_long(dx), round_to_long(dy)};
}

POINT to_logical(const DeviceContext& dc, int x, int y) {
    const DcState& s = dc.st;
    const double lx = (static_cast<double>(x) - s.viewport_org.x) * checked_ratio(s.window_ext.cx, s.viewport_ext.cx) + s.window_org.x;
    const double ly = (static_cast<double>(y) - s.viewport_org.y) * checked_ratio(s.window_ext.cy, s.viewport_ext.cy) + s.window_org.y;
    return {round_to_long(lx), round_to_long(ly)};
}

double scale_x(const DeviceContext& dc) { return std::fabs(checked_ratio(dc.st.viewport_ext.cx, dc.st.window_ext.cx)); }
double scale_y(const DeviceContext& dc) { return std::fabs(checked_ratio(dc.st.viewport_ext.cy, dc.st.window_ext.cy)); }

std::optional<std::vector<RECT>> effective_clip(const DeviceContext& dc) {
    std::optional<std::vector<RECT>> clip = dc.st.clip;
    if (dc.base_clip) {
        std::vector<RECT> base{*dc.base_clip};
        clip = clip ? rects_intersect(*clip, base) : base;
    }
    return clip;
}

cairo_t* begin_drawing(const DeviceContext& dc) {
    cairo_surface_t* target = target_surface(dc);
    if (!target) return nullptr;
    cairo_t* cr = cairo_create(target);
    if (dc.kind == DcKind::Printer) {
        // The page is the whole sheet; nothing reaches past the printable area.
        const double points_per_dot = 72.0 / kPrinterDpi;
        cairo_scale(cr, points_per_dot, points_per_dot);
        cairo_translate(cr, kPrinterInset, kPrinterInset);
        const SIZE printable = device_size(dc);
        cairo_rectangle(cr, 0, 0, printable.cx, printable.cy);
        cairo_clip(cr);
    } else {
        cairo_translate(cr, dc.origin_x, dc.origin_y);
        // Raster output keeps the hard edges of GDI.
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    }
    if (auto clip = effective_clip(dc)) {
        for (const RECT& r : *clip) cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
        cairo_clip(cr);  // an empty list clips everything away
    }
    return cr;
}

uint32_t colour_to_pixel(COLORREF c) {
    return 0xFF000000u | (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

COLORREF pixel_to_colour(uint32_t p) {
    return RGB(static_cast<BYTE>((p >> 16) & 0xFF), static_cast<BYTE>((p >> 8) & 0xFF), static_cast<BYTE>(p & 0xFF));
}

std::string describe_colour(COLORREF c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return buffer;
}

std::string describe_pen(const DeviceContext& dc) {
    auto* p = static_cast<Pen*>(dc.st.pen);
    static const char* const kStyles[] = {"solid", "dash", "dot", "dashdot", "dashdotdot", "null", "insideframe"};
    std::string s = "pen=";
    s += kStyles[std::clamp(p->style, 0, 6)];
    s += ',' + std::to_string(p->width) + ',' + describe_colour(p->colour);
    return s;
}

std::string describe_brush(const DeviceContext& dc) {
    auto* b = static_cast<Brush*>(dc.st.brush);
    switch (b->style) {
    case BS_NULL: return "brush=null";
    case BS_HATCHED: return "brush=hatch" + std::to_string(b->hatch) + ',' + describe_colour(b->colour);
    case BS_PATTERN: return "brush=pattern";
    default: return "brush=solid," + describe_colour(b->colour);
    }
}

}  // namespace gdi

using namespace gdi;

// --- The window layer's interface ----------------------------------------------

HDC create_surface_dc(cairo_surface_t* surface, HWND window, int origin_x, int origin_y, const RECT* clip) {
    if (!surface) return nullptr;
    DeviceContext* dc = new_dc(DcKind::Window);
    dc->surface = cairo_surface_reference(surface);
    dc->window = window;
    dc->origin_x = origin_x;
    dc->origin_y = origin_y;
    if (clip) dc->base_clip = normalized(*clip);
    return dc_handle(dc);
}

void release_surface_dc(HDC handle) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || dc->kind != DcKind::Window) return;
    cairo_surface_flush(dc->surface);
    destroy_dc(dc);
}

bool save_surface_png(cairo_surface_t* surface, const char* path) {
    if (!surface || !path) return false;
    cairo_surface_flush(surface);
    return cairo_surface_write_to_png(surface, path) == CAIRO_STATUS_SUCCESS;
}

HWND WindowFromDC(HDC handle) {
    DeviceContext* dc = lookup_dc(handle);
    return dc ? dc->window : nullptr;
}

void set_gdi_screen_size(int width, int height) {
    if (width > 0) dcs().screen_width = width;
    if (height > 0) dcs().screen_height = height;
}

size_t gdi_live_dc_count() { return dcs().live.size(); }

// --- Creation and deletion --------------------------------------------------------

HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode) {
    return create_device_dc(driver, device, port, mode, false);
}

HDC CreateICA(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode) {
    return create_device_dc(driver, device, port, mode, true);
}

HDC CreateCompatibleDC(HDC dc) {
    if (dc && !lookup_dc(dc)) return nullptr;
    return dc_handle(new_dc(DcKind::Memory));
}

HDC ResetDCA(HDC handle, const DEVMODEA* mode) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || (dc->kind != DcKind::Printer && dc->kind != DcKind::Information) || dc->in_page) return nullptr;
    apply_devmode(dc->devmode, mode);
    return handle;
}

BOOL DeleteDC(HDC handle) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return FALSE;
    destroy_dc(dc);
    return TRUE;
}

int GetDeviceCaps(HDC handle, int index) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return 0;
    const bool printer = is_printer(*dc);
    const SIZE size = device_size(*dc);
    const int dpi = device_dpi(*dc);
    switch (index) {
    case DRIVERVERSION: return 0x400;
    case TECHNOLOGY: return printer ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZSIZE: return static_cast<int>(std::lround(size.cx * 25.4 / dpi));
    case VERTSIZE: return static_cast<int>(std::lround(size.cy * 25.4 / dpi));
    case HORZRES: return size.cx;
    case VERTRES: return size.cy;
    case PHYSICALWIDTH: return printer ? sheet_size(*dc).cx : size.cx;
    case PHYSICALHEIGHT: return printer ? sheet_size(*dc).cy : size.cy;
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY: return printer_inset(*dc);
    case BITSPIXEL: {
        if (dc->kind == DcKind::Memory) {
            auto* bm = static_cast<Bitmap*>(dc->st.bitmap);
            if (bm && bm->mono) return 1;
        }
        return 24;
    }
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case NUMFONTS: return 2;
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX:
    case LOGPIXELSY: return dpi;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_STRETCHBLT;
    default: return 0;
    }
}

int SaveDC(HDC handle) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return 0;
    hold_state(dc->st);
    dc->saved.push_back(dc->st);
    return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC handle, int saved) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return FALSE;
    const int count = static_cast<int>(dc->saved.size());
    const int level = saved < 0 ? count + 1 + saved : saved;
    if (level < 1 || level > count) return FALSE;
    while (static_cast<int>(dc->saved.size()) > level) {
        release_state(dc->saved.back(), handle, false);
        dc->saved.pop_back();
    }
    DcState restored = dc->saved.back();
    dc->saved.pop_back();
    // The saved copy's holds move over to the live state.
    DcState old = dc->st;
    dc->st = restored;
    if (dc->st.bitmap && !static_cast<Bitmap*>(dc->st.bitmap)->stock) static_cast<Bitmap*>(dc->st.bitmap)->selected_in = handle;
    if (old.bitmap && old.bitmap != dc->st.bitmap && !static_cast<Bitmap*>(old.bitmap)->stock)
        static_cast<Bitmap*>(old.bitmap)->selected_in = nullptr;
    note_deselected(old.pen);
    note_deselected(old.brush);
    note_deselected(old.font);
    note_deselected(old.bitmap);
    return TRUE;
}

// --- Attributes -------------------------------------------------------------------

#define DC_SETTER(name, type, field)                 \
    type name(HDC handle, type value) {              \
        DeviceContext* dc = lookup_dc(handle);       \
        if (!dc) return 0;                           \
        type previous = dc->st.field;                \
        dc->st.field = value;                        \
        return previous;                             \
    }
#define DC_GETTER(name, type, field)           \
    type name(HDC handle) {                    \
        DeviceContext* dc = lookup_dc(handle); \
        return dc ? dc->st.field : 0;          \
    }

COLORREF SetTextColor(HDC handle, COLORREF colour) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->st.text_colour;
    dc->st.text_colour = colour & 0x00FFFFFF;
    return previous;
}

COLORREF SetBkColor(HDC handle, COLORREF colour) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->st.bk_colour;
    dc->st.bk_colour = colour & 0x00FFFFFF;
    return previous;
}

DC_GETTER(GetTextColor, COLORREF, text_colour)
DC_GETTER(GetBkColor, COLORREF, bk_colour)
DC_GETTER(GetBkMode, int, bk_mode)
DC_GETTER(GetROP2, int, rop2)
DC_GETTER(GetTextAlign, UINT, text_align)
DC_GETTER(GetTextCharacterExtra, int, char_extra)
DC_GETTER(GetMapMode, int, map_mode)
DC_SETTER(SetTextAlign, UINT, text_align)
DC_SETTER(SetTextCharacterExtra, int, char_extra)

int SetBkMode(HDC handle, int mode) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int previous = dc->st.bk_mode;
    dc->st.bk_mode = mode;
    return previous;
}

int SetROP2(HDC handle, int mode) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || mode < R2_BLACK || mode > R2_WHITE) return 0;
    int previous = dc->st.rop2;
    dc->st.rop2 = mode;
    return previous;
}

int SetStretchBltMode(HDC handle, int mode) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE) return 0;
    int previous = dc->st.stretch_mode;
    dc->st.stretch_mode = mode;
    return previous;
}

BOOL SetBrushOrgEx(HDC handle, int x, int y, POINT* previous) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return FALSE;
    if (previous) *previous = dc->st.brush_org;
    dc->st.brush_org = {x, y};
    return TRUE;
}

// --- Mapping ------------------------------------------------------------------------

int SetMapMode(HDC handle, int mode) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
    DcState& s = dc->st;
    const int previous = s.map_mode;
    s.map_mode = mode;
    const int dpi = device_dpi(*dc);
    auto metric = [&](LONG units_per_inch) {
        s.window_ext = {units_per_inch, units_per_inch};
        s.viewport_ext = {dpi, -dpi};
    };
    switch (mode) {
    case MM_TEXT:
        s.window_ext = {1, 1};
        s.viewport_ext = {1, 1};
        break;
    case MM_LOMETRIC: metric(254); break;
    case MM_HIMETRIC: metric(2540); break;
    case MM_LOENGLISH: metric(100); break;
    case MM_HIENGLISH: metric(1000); break;
    case MM_TWIPS: metric(1440); break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
        // The extents of the previous mode carry over, as in GDI; from
        // MM_TEXT they are 1:1 already.
        fix_isotropic(s);
        break;
    }
    return previous;
}

BOOL SetWindowOrgEx(HDC handle, int x, int y, POINT* previous) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return FALSE;
    if (previous) *previous = dc->st.window_org;
    dc->st.window_org = {x, y};
    return TRUE;
}

BOOL GetWindowOrgEx(HDC handle, POINT* origin) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || !origin) return FALSE;
    *origin = dc->st.window_org;
    return TRUE;
}

BOOL OffsetWindowOrgEx(HDC handle, int dx, int dy, POINT* previous) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return FALSE;
    return SetWindowOrgEx(handle, dc->st.window_org.x + dx, dc->st.window_org.y + dy, previous);
}

BOOL SetViewportOrgEx(HDC handle, int x, int y, POINT* previous) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return FALSE;
    if (previous) *previous = dc->st.viewport_org;
    dc->st.viewport_org = {x, y};
    return TRUE;
}

BOOL GetViewportOrgEx(HDC handle, POINT* origin) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || !origin) return FALSE;
    *origin = dc->st.viewport_org;
    return TRUE;
}

BOOL OffsetViewportOrgEx(HDC handle, int dx, int dy, POINT* previous) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return FALSE;
    return SetViewportOrgEx(handle, dc->st.viewport_org.x + dx, dc->st.viewport_org.y + dy, previous);
}

// Extents change only in the two scalable modes; elsewhere the call is
// accepted and ignored, as GDI does.
BOOL SetWindowExtEx(HDC handle, int x, int y, SIZE* previous) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return FALSE;
    if (previous) *previous = dc->st.window_ext;
    if (dc->st.map_mode != MM_ISOTROPIC && dc->st.map_mode != MM_ANISOTROPIC) return TRUE;
    if (x == 0 || y == 0) return FALSE;
    dc->st.window_ext = {x, y};
    fix_isotropic(dc->st);
    return TRUE;
}

BOOL GetWindowExtEx(HDC handle, SIZE* extent) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || !extent) return FALSE;
    *extent = dc->st.window_ext;
    return TRUE;
}

BOOL SetViewportExtEx(HDC handle, int x, int y, SIZE* previous) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return FALSE;
    if (previous) *previous = dc->st.viewport_ext;
    if (dc->st.map_mode != MM_ISOTROPIC && dc->st.map_mode != MM_ANISOTROPIC) return TRUE;
    if (x == 0 || y == 0) return FALSE;
    dc->st.viewport_ext = {x, y};
    fix_isotropic(dc->st);
    return TRUE;
}

BOOL GetViewportExtEx(HDC handle, SIZE* extent) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || !extent) return FALSE;
    *extent = dc->st.viewport_ext;
    return TRUE;
}

BOOL LPtoDP(HDC handle, POINT* points, int count) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || (!points && count > 0)) return FALSE;
    for (int i = 0; i < count; ++i) points[i] = to_device(*dc, points[i].x, points[i].y);
    return TRUE;
}

BOOL DPtoLP(HDC handle, POINT* points, int count) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || (!points && count > 0)) return FALSE;
    for (int i = 0; i < count; ++i) points[i] = to_logical(*dc, points[i].x, points[i].y);
    return TRUE;
}

// --- Clipping -----------------------------------------------------------------------

static int clip_kind(const DeviceContext& dc) {
    if (!dc.st.clip) return SIMPLEREGION;
    if (dc.st.clip->empty()) return NULLREGION;
    return dc.st.clip->size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

static RECT device_rect(const DeviceContext& dc, int left, int top, int right, int bottom) {
    POINT a = to_device(dc, left, top);
    POINT b = to_device(dc, right, bottom);
    return normalized({a.x, a.y, b.x, b.y});
}

int SelectClipRgn(HDC handle, HRGN region) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return ERROR;
    if (!region) {
        dc->st.clip.reset();
        return SIMPLEREGION;
    }
    Region* r = as_region(region);
    if (!r) return ERROR;
    dc->st.clip = r->rects;  // a copy: the program may delete its region
    return clip_kind(*dc);
}

int GetClipRgn(HDC handle, HRGN region) {
    DeviceContext* dc = lookup_dc(handle);
    Region* r = as_region(region);
    if (!dc || !r) return -1;
    if (!dc->st.clip) return 0;
    r->rects = *dc->st.clip;
    return 1;
}

static constexpr LONG kFar = 1 << 26;

int IntersectClipRect(HDC handle, int left, int top, int right, int bottom) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return ERROR;
    const RECT r = device_rect(*dc, left, top, right, bottom);
    std::vector<RECT> current = dc->st.clip ? *dc->st.clip : std::vector<RECT>{{-kFar, -kFar, kFar, kFar}};
    dc->st.clip = rects_intersect(current, {r});
    return clip_kind(*dc);
}

int ExcludeClipRect(HDC handle, int left, int top, int right, int bottom) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return ERROR;
    const RECT r = device_rect(*dc, left, top, right, bottom);
    std::vector<RECT> current = dc->st.clip ? *dc->st.clip : std::vector<RECT>{{-kFar, -kFar, kFar, kFar}};
    dc->st.clip = rects_subtract(current, {r});
    return clip_kind(*dc);
}

int GetClipBox(HDC handle, RECT* box) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || !box) return ERROR;
    std::vector<RECT> area;
    if (dc->kind == DcKind::Window) {
        cairo_surface_t* s = dc->surface;
        area.push_back({-dc->origin_x, -dc->origin_y, cairo_image_surface_get_width(s) - dc->origin_x,
                        cairo_image_surface_get_height(s) - dc->origin_y});
    } else {
        const SIZE size = device_size(*dc);
        area.push_back({0, 0, size.cx, size.cy});
    }
    if (auto clip = effective_clip(*dc)) area = rects_intersect(area, *clip);
    RECT d = rects_box(area);
    POINT a = to_logical(*dc, d.left, d.top);
    POINT b = to_logical(*dc, d.right, d.bottom);
    *box = normalized({a.x, a.y, b.x, b.y});
    if (area.empty()) return NULLREGION;
    return area.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL GdiFlush() { return TRUE; }
