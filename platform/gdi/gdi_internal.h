// The records behind GDI handles, shared by the files of this directory.
// Nothing outside platform/gdi includes this.
#pragma once

#include <cairo.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/drawing_log.h"
#include "platform/gdi/wingdi.h"

namespace gdi {

enum class ObjectKind { Pen, Brush, Font, Bitmap, Region };

struct Object {
    explicit Object(ObjectKind k) : kind(k) {}
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    ObjectKind kind;
    bool stock = false;
    // DeleteObject of an object still selected somewhere only marks it; the
    // last deselection frees it, so no context ever holds a dangling object.
    bool delete_pending = false;
    int select_count = 0;
};

struct Pen : Object {
    Pen() : Object(ObjectKind::Pen) {}
    int style = PS_SOLID;
    int width = 0;  // logical units; 0 = one device pixel
    COLORREF colour = 0;
};

struct Bitmap;

struct Brush : Object {
    Brush() : Object(ObjectKind::Brush) {}
    UINT style = BS_SOLID;
    COLORREF colour = 0;
    int hatch = 0;
    cairo_surface_t* pattern = nullptr;  // BS_PATTERN: a private copy
    ~Brush() override;
};

struct Font : Object {
    Font() : Object(ObjectKind::Font) {}
    LOGFONTA lf{};
};

struct Bitmap : Object {
    Bitmap() : Object(ObjectKind::Bitmap) {}
    ~Bitmap() override;
    int width = 0;
    int height = 0;
    bool mono = false;                   // 1 bit per pixel: black or white only
    cairo_surface_t* surface = nullptr;  // RGB24
    HDC selected_in = nullptr;           // a bitmap sits in one memory context at most
};

// A region as disjoint rectangles in device units; the empty list is the
// empty region.
struct Region : Object {
    Region() : Object(ObjectKind::Region) {}
    std::vector<RECT> rects;
};

// Object registry: handles are the records' addresses, checked against the
// set of live objects before use.
Object* lookup_object(HGDIOBJ handle);
Pen* as_pen(HGDIOBJ handle);
Brush* as_brush(HGDIOBJ handle);
Font* as_font(HGDIOBJ handle);
Bitmap* as_bitmap(HGDIOBJ handle);
Region* as_region(HGDIOBJ handle);
HGDIOBJ register_object(Object* object);
void note_selected(Object* object);
void note_deselected(Object* object);
Bitmap* default_bitmap();  // the 1 x 1 monochrome bitmap of a new memory context

// Region arithmetic on rectangle lists (results are disjoint).
std::vector<RECT> rects_intersect(const std::vector<RECT>& a, const std::vector<RECT>& b);
std::vector<RECT> rects_subtract(const std::vector<RECT>& a, const std::vector<RECT>& b);
std::vector<RECT> rects_union(const std::vector<RECT>& a, const std::vector<RECT>& b);
RECT rects_box(const std::vector<RECT>& rects);
RECT normalized(RECT r);
bool rect_empty(const RECT& r);

// --- Device contexts ------------------------------------------------------

struct PrintJob;

struct DcState {
    Object* pen = nullptr;
    Object* brush = nullptr;
    Object* font = nullptr;
    Object* bitmap = nullptr;  // memory contexts only
    COLORREF text_colour = RGB(0, 0, 0);
    COLORREF bk_colour = RGB(255, 255, 255);
    int bk_mode = OPAQUE;
    int rop2 = R2_COPYPEN;
    UINT text_align = TA_TOP | TA_LEFT;
    int char_extra = 0;
    int stretch_mode = BLACKONWHITE;
    int map_mode = MM_TEXT;
    POINT window_org{0, 0};
    SIZE window_ext{1, 1};
    POINT viewport_org{0, 0};
    SIZE viewport_ext{1, 1};
    POINT position{0, 0};  // logical
    POINT brush_org{0, 0};
    std::optional<std::vector<RECT>> clip;  // device units; none = no clip region
};

struct DeviceContext {
    int id = 0;
    DcKind kind = DcKind::Window;
    HWND window = nullptr;
    cairo_surface_t* surface = nullptr;  // window contexts: the window's surface (referenced)
    int origin_x = 0;
    int origin_y = 0;
    std::optional<RECT> base_clip;  // device units, from the window layer
    DcState st;
    std::vector<DcState> saved;

    // Printers and information contexts.
    std::string driver, device, port;
    DEVMODEA devmode{};
    PrintJob* job = nullptr;
    ABORTPROC abort_proc = nullptr;  // SetAbortProc
    int calls_since_abort_check = 0;  // drawing calls on the page since it was asked
    bool in_page = false;
    int page_number = 0;
};

DeviceContext* lookup_dc(HDC handle);
HDC dc_handle(const DeviceContext* dc);

// Resolution of a context's device (dots per inch) and its size in dots.
int device_dpi(const DeviceContext& dc);
SIZE device_size(const DeviceContext& dc);
// Paper of a printer context in millimetres, orientation applied.
void paper_size_mm(const DEVMODEA& mode, double* width_mm, double* height_mm);

// The surface drawing goes to now, or nullptr (information contexts, a
// printer outside a page, a memory context with its default bitmap is fine).
cairo_surface_t* target_surface(const DeviceContext& dc);
bool target_is_raster(const DeviceContext& dc);

// Logical to device units of a context.
POINT to_device(const DeviceContext& dc, int x, int y);
POINT to_logical(const DeviceContext& dc, int x, int y);
double scale_x(const DeviceContext& dc);  // |device units per logical unit|
double scale_y(const DeviceContext& dc);

// A cairo context on the context's current target, with user space in the
// context's device units and clipping applied; nullptr when there is no
// target. The caller destroys it.
cairo_t* begin_drawing(const DeviceContext& dc);
// The context's effective clip in device units (window clip and region), or
// nothing when only the target bounds limit drawing.
std::optional<std::vector<RECT>> effective_clip(const DeviceContext& dc);

// Paints a shape with the context's binary raster operation: `shape` builds
// the path and fills or strokes it with the source already set to `colour`.
void paint_with_rop2(const DeviceContext& dc, COLORREF colour, const std::function<void(cairo_t*)>& shape);
// Sets the brush as the cairo source (solid, hatched or pattern).
void set_brush_source(cairo_t* cr, const DeviceContext& dc, const Brush& brush);

// Pixel access for raster operations (image surfaces only).
uint32_t colour_to_pixel(COLORREF c);
COLORREF pixel_to_colour(uint32_t p);

// Logging helpers.
std::string describe_pen(const DeviceContext& dc);
std::string describe_brush(const DeviceContext& dc);
std::string describe_colour(COLORREF c);
void log_call(const DeviceContext& dc, const char* op, const std::vector<POINT>& logical,
              const std::vector<POINT>& device, std::string params, std::string text = {});

// Text (text.cpp) and printing (print.cpp) hooks used by the context code.
void finish_print_job(DeviceContext& dc, bool abort);
// The context of a drawing call. On a printer page the abort procedure is
// asked every few calls, so that a Cancel works while a long page prints;
// when it says stop, the job is dropped and the call draws nothing.
DeviceContext* lookup_drawing_dc(HDC handle);

}  // namespace gdi
