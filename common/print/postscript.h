// The PostScript back end: PostScript program text, line by line, into a
// stream (a file of the print directory in the platform state directory).
// Logical units become points by a division by 10, the y axis is flipped and
// a landscape page is rotated; text is shown through the Shift-JIS fonts.
// Every operation gives 0, or -1 when the stream is not open or a write to
// it failed.
#pragma once

#include <string>
#include <string_view>

// The stream: opened at the job start in print/job-NNNN.ps, closed at its
// end. Closing gives 0, or -1 when a write or the close failed (the file is
// then removed).
int open_postscript_stream();
int close_postscript_stream();
// The stream's file ("" when none was opened yet).
std::string postscript_stream_path();

int postscript_begin_job();
int ps_select_font();
int ps_resume_page();
int ps_move_to(int row, int column);
int ps_move_to_units(int y, int x);
int ps_end_vector_mode();
int ps_set_font_size(int char_kind, int size, int face);
int ps_reset_pitch();
int ps_set_corner_radius(int radius);
int ps_set_dash(int type);
int ps_set_line_width(int width);
int ps_draw_box(int x1, int y1, int x2, int y2);
int ps_draw_line(int x1, int y1, int x2, int y2);
int ps_set_enlarged(int on);
int ps_set_scale(double sx, double sy);
int ps_set_char_scale(int height_percent, int width_percent);
int ps_write_text(std::string_view text);
int ps_write_line(std::string_view text);
int ps_show_page();
int ps_write(std::string_view text);
int ps_write_bytes(std::string_view text, int length);

// The bytes as hexadecimal pairs separated by blanks ("41 42").
std::string ps_hex_text(std::string_view text);
