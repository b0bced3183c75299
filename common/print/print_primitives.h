// The printer operations every print job draws through. Each one looks at
// the job's printer kind and goes to the print manager (printer_device.h),
// to PostScript (postscript.h) or to Canon LIPS (lips.h). Every operation
// gives 0, or -1 after a failed write or when the job was aborted; a
// sequence of writes stops at its first failure.
#pragma once

#include <string>
#include <string_view>

#include "common/shell/page_records.h"

// The printer kinds of the settings. Any value other than 1, 4 and 5 takes
// the LIPS path; only 0 also gets the final reset.
enum PrinterKind : int {
    kPrinterLips = 0,
    kPrinterManager = 1,
    kPrinterPostScriptMincho = 4,
    kPrinterPostScriptGothic = 5,
};

// The names of kinds 0 and 1 ("Ｃａｎｏｎ　ＬＩＰＳ系", "プリントマネージャ");
// nullptr for other kinds.
const char* printer_kind_name(int kind);

// Sets up the next job: its kind and orientation as the settings give
// them, the overlay state back to 0.
void set_print_job(int kind, int orientation);

int prn_begin_job();
int prn_reset_printer();
int prn_end_job();
// Ends a job that failed or was cancelled: the print manager's document is
// aborted and a PostScript stream removed, so nothing half done is
// delivered; a LIPS port is closed as prn_end_job closes it.
int prn_abandon_job();
int prn_send_mode_sequence(int type);
inline int prn_set_text_spacing(int type) { return prn_send_mode_sequence(type); }
int prn_begin_vector_mode();
int prn_end_vector_mode();
int prn_select_font_slots(int char_kind, int dot_size, int face);
int prn_designate_fonts(int char_kind, int dot_size, int face);
int prn_designate_all_fonts();
int lips_designate_font(int set, std::string_view name);
int prn_assign_font_set(int slot, int set);
int lips_assign_font_sets(int s1, int s2, int s3, int s4);
int prn_set_char_size(int height_percent, int width_percent);
int prn_set_char_pitch(int cell_height, int half_width, int full_width);
int prn_set_unit_mode();
int prn_reset_unit_mode();
int prn_move_to(int row, int column);
int prn_set_corner_radius(int radius);
int prn_set_line_type(int type);
int prn_set_line_width(int width);
int prn_send_vector_g(int n);
int prn_draw_round_box(int x1, int y1, int x2, int y2);
int prn_draw_box(int x1, int y1, int x2, int y2);
int prn_draw_line(int x1, int y1, int x2, int y2);
int encode_vector_number(long long n);
int prn_set_enlarged_text(int on);
int prn_write(std::string_view text);
int prn_write_raw(const void* data, int length);
int prn_noop();
int prn_reset_char_pitch();
int print_text_line_raw(std::string_view text);

// The file the job's output went to: the PDF of the print manager, the
// PostScript stream or the port's file ("" when there is none).
std::string print_output_path();

// The printer as a back end of the page-record interpreter: each record's
// operation goes through the dispatch above. The replay stops once a write
// failed or the job was aborted.
class PrinterPrimitives : public PrimitiveSet {
public:
    bool keep_going() override;
    int begin_page() override;
    int form_feed() override;
    int set_overlay(int state) override;
    int set_vector_mode(bool on) override;
    int set_char_cell(int height, int half_width, int full_width) override;
    int set_char_size(int height_percent, int width_percent) override;
    int select_font(int a, int b, int c) override;
    int move_to(int y, int x) override;
    int set_line_type(int style) override;
    int set_line_attr(int attr) override;
    int set_line_width(int width) override;
    int set_corner_radius(int radius) override;
    int draw_box(int x1, int y1, int x2, int y2) override;
    int draw_line(int x1, int y1, int x2, int y2) override;
    int set_clip_rect(int x1, int y1, int x2, int y2) override;
    int clear_clip() override;
    int draw_text(std::string_view text) override;

    // Where the next text goes on the print manager (set by move_to, moved
    // on by each text).
    int anchor_x() const { return anchor_x_; }
    int anchor_y() const { return anchor_y_; }

private:
    int anchor_x_ = 0, anchor_y_ = 0;
    bool round_next_box_ = false;
};
