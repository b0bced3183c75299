#include "common/print/print_primitives.h"

#include <iterator>
#include <string>
#include <vector>

#include "common/print/lips.h"
#include "common/print/postscript.h"
#include "common/print/print_state.h"
#include "common/print/printer_device.h"
#include "common/text/message_table.h"
#include "platform/gdi/port.h"
#include "platform/gdi/print_manager.h"
#include "platform/kernel/sjis_text.h"

namespace {

enum class Backend { PrintManager, PostScript, Lips };

Backend backend() {
    switch (print_state().job.kind) {
    case kPrinterManager: return Backend::PrintManager;
    case kPrinterPostScriptMincho:
    case kPrinterPostScriptGothic: return Backend::PostScript;
    default: return Backend::Lips;
    }
}

// Indexed by the kind: "Ｃａｎｏｎ　ＬＩＰＳ系", "プリントマネージャ".
constexpr const char* kKindNames[] = {
    "Ｃａｎｏｎ　ＬＩＰＳ系"_sjis,
    "プリントマネージャ"_sjis,
};

constexpr auto& kPrintOperation = "印刷"_sjis;
constexpr auto& kCannotOpenStream = "プリンタデバイスをオープンできません。"_sjis;

// The PostScript stream opens with the job, as the port does for LIPS.
int begin_postscript_job() {
    if (open_postscript_stream() != 0) {
        notify_print_failure(make_box_caption(kPrintOperation), kCannotOpenStream);
        return -1;
    }
    return postscript_begin_job();
}

}  // namespace

const char* printer_kind_name(int kind) {
    return kind >= 0 && kind < static_cast<int>(std::size(kKindNames)) ? kKindNames[kind] : nullptr;
}

void set_print_job(int kind, int orientation) {
    PrintJobState& job = print_state().job;
    job.kind = kind;
    job.orientation = orientation;
    job.overlay = 0;
}

int prn_begin_job() {
    print_abort_flag() = false;
    print_state().job.failed = false;
    switch (backend()) {
    case Backend::PrintManager: return start_printer_page();
    case Backend::PostScript: return begin_postscript_job();
    case Backend::Lips: return lips_begin_job();
    }
    return 0;
}

int prn_reset_printer() {
    switch (backend()) {
    case Backend::PrintManager: return start_printer_page();
    case Backend::PostScript: return postscript_begin_job();
    case Backend::Lips: return lips_reset_printer();
    }
    return 0;
}

int prn_end_job() {
    switch (backend()) {
    case Backend::PrintManager: return close_printer_dc();
    case Backend::PostScript: return close_postscript_stream();
    case Backend::Lips: return lips_end_job();
    }
    return 0;
}

int prn_abandon_job() {
    print_state().job.failed = true;
    return prn_end_job();
}

int prn_send_mode_sequence(int type) { return backend() == Backend::Lips ? lips_send_mode_sequence(type) : 0; }

int prn_begin_vector_mode() { return backend() == Backend::Lips ? lips_begin_vector_mode() : 0; }

int prn_end_vector_mode() {
    switch (backend()) {
    case Backend::PrintManager: return gdi_noop_primitive();
    case Backend::PostScript: return ps_end_vector_mode();
    case Backend::Lips: return lips_end_vector_mode();
    }
    return 0;
}

int prn_select_font_slots(int char_kind, int dot_size, int face) {
    switch (backend()) {
    case Backend::PrintManager: return gdi_create_font(char_kind, dot_size, face);
    case Backend::PostScript: return ps_set_font_size(char_kind, dot_size, face);
    case Backend::Lips: return lips_select_font_slots(char_kind, dot_size, face);
    }
    return 0;
}

int prn_designate_fonts(int char_kind, int dot_size, int face) {
    switch (backend()) {
    case Backend::PrintManager: return gdi_create_font(char_kind, dot_size, face);
    case Backend::PostScript: return ps_set_font_size(char_kind, dot_size, face);
    case Backend::Lips: return lips_designate_fonts(char_kind, dot_size, face);
    }
    return 0;
}

int prn_designate_all_fonts() { return backend() == Backend::Lips ? lips_designate_all_fonts() : 0; }

int lips_designate_font(int set, std::string_view name) {
    return backend() == Backend::Lips ? lips_send_designation(set, name) : 0;
}

int prn_assign_font_set(int slot, int set) { return backend() == Backend::Lips ? lips_send_assignment(slot, set) : 0; }

int lips_assign_font_sets(int s1, int s2, int s3, int s4) {
    return backend() == Backend::Lips ? lips_send_assignments(s1, s2, s3, s4) : 0;
}

int prn_set_char_size(int height_percent, int width_percent) {
    switch (backend()) {
    case Backend::PrintManager: return gdi_set_char_scale(height_percent, width_percent);
    case Backend::PostScript: return ps_set_char_scale(height_percent, width_percent);
    case Backend::Lips: return lips_set_char_size(height_percent, width_percent);
    }
    return 0;
}

int prn_set_char_pitch(int cell_height, int half_width, int full_width) {
    switch (backend()) {
    case Backend::PrintManager: return gdi_set_char_cell(cell_height, half_width, full_width);
    case Backend::PostScript: return ps_resume_page();
    case Backend::Lips: return lips_set_char_pitch(cell_height, half_width, full_width);
    }
    return 0;
}

int prn_set_unit_mode() { return backend() == Backend::Lips ? lips_set_unit_mode() : 0; }

int prn_reset_unit_mode() { return backend() == Backend::Lips ? lips_reset_unit_mode() : 0; }

int prn_move_to(int row, int column) {
    switch (backend()) {
    case Backend::PrintManager: return gdi_move_to(row, column);
    case Backend::PostScript: return ps_move_to(row, column);
    case Backend::Lips: return lips_move_to(row, column);
    }
    return 0;
}

int prn_set_corner_radius(int radius) {
    switch (backend()) {
    case Backend::PrintManager: return gdi_set_round_radius(radius);
    case Backend::PostScript: return ps_set_corner_radius(radius);
    case Backend::Lips: return lips_set_corner_radius(radius);
    }
    return 0;
}

int prn_set_line_type(int type) {
    switch (backend()) {
    case Backend::PrintManager: return gdi_set_pen_style(type);
    case Backend::PostScript: return ps_set_dash(type);
    case Backend::Lips: return lips_set_line_type(type);
    }
    return 0;
}

int prn_set_line_width(int width) {
    switch (backend()) {
    case Backend::PrintManager: return gdi_set_pen_width(width);
    case Backend::PostScript: return ps_set_line_width(width);
    case Backend::Lips: return lips_set_line_width(width);
    }
    return 0;
}

int prn_send_vector_g(int n) { return backend() == Backend::Lips ? lips_send_vector_g(n) : 0; }

int prn_draw_round_box(int x1, int y1, int x2, int y2) {
    switch (backend()) {
    case Backend::PrintManager: return gdi_draw_box(x1, y1, x2, y2);
    case Backend::PostScript: return ps_draw_box(x1, y1, x2, y2);
    case Backend::Lips: return lips_draw_round_box(x1, y1, x2, y2);
    }
    return 0;
}

int prn_draw_box(int x1, int y1, int x2, int y2) {
    switch (backend()) {
    case Backend::PrintManager: return gdi_draw_box(x1, y1, x2, y2);
    case Backend::PostScript: return ps_draw_box(x1, y1, x2, y2);
    case Backend::Lips: return lips_draw_box(x1, y1, x2, y2);
    }
    return 0;
}

int prn_draw_line(int x1, int y1, int x2, int y2) {
    switch (backend()) {
    case Backend::PrintManager: return gdi_draw_line(x1, y1, x2, y2);
    case Backend::PostScript: return ps_draw_line(x1, y1, x2, y2);
    case Backend::Lips: return lips_draw_line(x1, y1, x2, y2);
    }
    return 0;
}

int encode_vector_number(long long n) { return backend() == Backend::Lips ? lips_encode_vector_number(n) : 0; }

int prn_set_enlarged_text(int on) {
    switch (backend()) {
    case Backend::PrintManager: return gdi_set_enlarged_font(on);
    case Backend::PostScript: return ps_set_enlarged(on);
    case Backend::Lips: return lips_set_enlarged_text(on);
    }
    return 0;
}

int prn_write(std::string_view text) {
    switch (backend()) {
    case Backend::PrintManager: return gdi_write_lines(text);
    case Backend::PostScript: return ps_write_text(text);
    case Backend::Lips: return lips_send(text);
    }
    return 0;
}

int prn_write_raw(const void* data, int length) {
    return backend() == Backend::Lips ? lips_write_raw(data, length) : 0;
}

int prn_noop() { return 0; }

int prn_reset_char_pitch() {
    switch (backend()) {
    case Backend::PrintManager: return gdi_reset_char_cell();
    case Backend::PostScript: return ps_reset_pitch();
    case Backend::Lips: return lips_reset_char_pitch();
    }
    return 0;
}

int print_text_line_raw(std::string_view text) {
    switch (backend()) {
    case Backend::PrintManager: return gdi_write_lines(text);
    case Backend::PostScript: return ps_write_line(text);
    case Backend::Lips: return lips_text_line(text);
    }
    return 0;
}

std::string print_output_path() {
    switch (backend()) {
    case Backend::PrintManager: {
        // the last job of this process, unless it was dropped
        const std::vector<PrintJobRecord> jobs = print_job_records();
        return jobs.empty() || jobs.back().aborted ? std::string() : jobs.back().path;
    }
    case Backend::PostScript: return postscript_stream_path();
    case Backend::Lips: return printer_port_path("LPT1");
    }
    return {};
}

// --- The interpreter's back end ---------------------------------------------------------

bool PrinterPrimitives::keep_going() {
    return !print_abort_flag() && !print_state().job.failed && !print_state().postscript.write_failed;
}

// A page set-up (ZO): the print manager prepares its page and takes the
// two-byte and then the one-byte 32-dot fonts.
int PrinterPrimitives::begin_page() {
    if (backend() != Backend::PrintManager) return 0;
    start_printer_page();
    select_font(2, 32, 1);
    return select_font(1, 32, 1);
}

int PrinterPrimitives::form_feed() { return prn_write("\x0c"); }

int PrinterPrimitives::set_overlay(int state) {
    print_state().job.overlay = state;
    return backend() == Backend::PrintManager ? gdi_set_overlay(state) : 0;
}

int PrinterPrimitives::set_vector_mode(bool on) { return on ? prn_begin_vector_mode() : prn_end_vector_mode(); }

int PrinterPrimitives::set_char_cell(int height, int half_width, int full_width) {
    return prn_set_char_pitch(height, half_width, full_width);
}

int PrinterPrimitives::set_char_size(int height_percent, int width_percent) {
    return prn_set_char_size(height_percent, width_percent);
}

// LIPS designates the fonts of the size before it puts them in the slots.
int PrinterPrimitives::select_font(int a, int b, int c) {
    if (backend() == Backend::Lips) {
        if (const int r = prn_designate_fonts(a, b, c)) return r;
    }
    return prn_select_font_slots(a, b, c);
}

int PrinterPrimitives::move_to(int y, int x) {
    anchor_x_ = x;
    anchor_y_ = y;
    return prn_move_to(y, x);
}

int PrinterPrimitives::set_line_type(int style) { return prn_set_line_type(style); }

int PrinterPrimitives::set_line_attr(int attr) {
    return backend() == Backend::PrintManager ? gdi_set_line_attr(attr) : 0;
}

int PrinterPrimitives::set_line_width(int width) { return prn_set_line_width(width); }

int PrinterPrimitives::set_corner_radius(int radius) {
    round_next_box_ = true;
    return prn_set_corner_radius(radius);
}

// A radius applies to the next box only.
int PrinterPrimitives::draw_box(int x1, int y1, int x2, int y2) {
    const bool round = round_next_box_;
    round_next_box_ = false;
    return round ? prn_draw_round_box(x1, y1, x2, y2) : prn_draw_box(x1, y1, x2, y2);
}

int PrinterPrimitives::draw_line(int x1, int y1, int x2, int y2) { return prn_draw_line(x1, y1, x2, y2); }

int PrinterPrimitives::set_clip_rect(int x1, int y1, int x2, int y2) {
    return backend() == Backend::PrintManager ? gdi_set_clip_rect(x1, y1, x2, y2) : 0;
}

int PrinterPrimitives::clear_clip() { return backend() == Backend::PrintManager ? gdi_clear_clip() : 0; }

// On the print manager a text stands one cell below its anchor, and the
// anchor moves on by the text's bytes.
int PrinterPrimitives::draw_text(std::string_view text) {
    if (backend() != Backend::PrintManager) return prn_write(text);
    const int r = gdi_text_out_at(anchor_x_, anchor_y_ + print_state().device.cell_height, text);
    anchor_x_ += static_cast<int>(text.size());
    return r;
}
