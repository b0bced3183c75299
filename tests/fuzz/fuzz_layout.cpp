// The layout generator's two results as their readers take them. Selector
// 0: the page form's records (.lis) replayed as the page view, the layout
// view and the text output replay them. Selector 1: the field form (.fms)
// under the formatter, which places a document's fields by it, and the
// footer's field lookup of the function print.
#include "common/print/text_grid.h"
#include "common/shell/window/screen_renderer.h"
#include "notarix/formatter/field_form.h"
#include "notarix/formatter/nx1012.h"
#include "notarix/layout/layout_renderer.h"
#include "platform/gdi/drawing_log.h"
#include "platform/gdi/surface.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// A function's records, placed by the field form.
constexpr char kFunction[] =
    "NAM:calc_total\nTAG:calc.c(12)\nFUN:sums\nPRC:adds the values\nFHD:int calc_total(values, count)\n"
    "FPM:int *values;\nINP:values the values\nOUT:g_last the last sum\nRET:the sum\nREM:none\nFIL:calc.dat\n"
    "PRO:author\nDAT:2024-01-10(2023-12-01)\nCAL:add_value\n///:\n";

void replay_page_form(const std::string& path) {
    static cairo_surface_t* const surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 64, 64);
    static ScreenObjects objects;
    if (!objects.created()) objects.create(ScreenColours{});
    set_drawing_log_enabled(false);
    HDC dc = create_surface_dc(surface, nullptr, 0, 0, nullptr);

    ScreenRenderer screen(objects);
    screen.set_paint_dc(dc);
    screen.acquire_dc(nullptr, kPageDrawOwner);
    PageDrawContext page;
    page.layout_file = path;
    draw_page_form(screen, document_state(), page);
    screen.release_dc(nullptr, kPageDrawOwner);

    LayoutRenderer layout(objects);
    layout.set_dc(dc);
    layout.set_zoom(0.3f);
    LayoutDrawContext miniature;
    miniature.layout_file = path;
    render_form_screen(layout, miniature);
    layout.set_dc(nullptr);
    release_surface_dc(dc);

    TextGrid grid;
    if (grid.allocate() != 0) return;
    spec_print_state().reset();
    spec_print_state().layout_file = path;
    TextGridBackend& text = text_grid_backend();
    text.reset();
    text.set_grid(&grid);
    render_spec_form(text);
    text.set_grid(nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::Scratch scratch;
    const int reader = fuzz::select(data, size, 2);
    const std::string form = scratch.path(reader == 0 ? "f.lis" : "f.fms");
    scratch.write_input(reader == 0 ? "f.lis" : "f.fms", fuzz::as_text(data, size));
    if (reader == 0) {
        replay_page_form(form);
    } else {
        scratch.write_input("f.fss", kFunction);
        fuzz::run_converter(run_spec_formatter, {"nx1012", "-X8417", "-f" + form, scratch.path("f.c")});
        for (int field = 0; field < kFieldCount; ++field) {
            int column = 0, row = 0;
            find_fms_field_position(form.c_str(), field, column, row);
        }
    }
    fuzz::check_closed();
    scratch.check_inputs();
    return 0;
}
