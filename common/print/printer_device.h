// The print-manager back end: the printer's device context with its
// document and pages, the logical page of 8080 x 5680 units (5680 x 8080 in
// portrait) mapped onto the paper, and the drawing operations of the page
// records done with GDI. The same operations draw the print preview on a
// window's context.
#pragma once

#include <string_view>

#include "platform/gdi/wingdi.h"

inline constexpr int kLogicalPageLong = 8080;   // 202 columns of 40 units
inline constexpr int kLogicalPageShort = 5680;  // 71 rows of 80 units
// Boxes, lines and clip rectangles stand this far above the y they are given.
inline constexpr int kPrinterLift = 10;

// Message numbers of the device's boxes.
inline constexpr int kMessageCannotStartPrint = 204;  // 印刷を開始できませんでした。
inline constexpr int kMessageNoPrinter = 305;         // プリンタの設定を行ってください。

// --- Device ----------------------------------------------------------------------

// Opens the printer (the set-up record's context, its device names, or
// WIN.INI's "device" line), maps the logical page, starts the document and
// its first page. 0, or -2 after a message box; a failed start leaves no
// document, pen or font behind.
int open_printer_dc();
// Ends the page and the document and releases pen, clip region and font.
// 0, or -1 when the document could not be ended (a job dropped by its abort
// procedure among them). A job marked failed, or one whose page or end the
// print manager refused, is aborted: nothing of it is delivered.
int close_printer_dc();
// Forgets the context; deletes it only when the set-up record holds none.
void delete_printer_dc();
// Deletes the context kept in the set-up record (at exit).
void delete_setup_printer_dc();
// Prepares a page: pen, null brush, mapping, character cell, font,
// position (1, 1), transparent black text. Only the cell and position in
// the preview.
int start_printer_page();
// The abort procedure registered with the printer: lets one waiting window
// message through and tells the print manager to drop the job once the
// abort flag is set.
BOOL print_abort_proc(HDC dc, int code);

// --- Preview ---------------------------------------------------------------------

// Finds the printer as open_printer_dc does and keeps its size for the page
// box; starts no document. 0 or -2.
int open_preview_dc(HWND page_box);
// Makes the page box's context the drawing context, the page inside a
// 10-pixel border in the printer's shape.
void map_preview_dc(HDC page_box_dc, int box_width, int box_height);
// After one paint of the page box: the clip region goes, the pen is
// selected out and deleted, the font before ours is selected back (ours is
// kept for the next paint), and the box's context is forgotten.
void end_preview_paint();
// Ends the preview: clip region, font and pen go.
void release_preview_dc();

// --- Drawing operations (all return 0 unless said otherwise) ------------------------

int gdi_create_font(int ignored, int base_size, int ignored_face);
int gdi_set_char_scale(int height_percent, int width_percent);
int gdi_set_char_cell(int cell_height, int cell_width, int ignored);
int gdi_reset_char_cell();
int gdi_move_to(int y, int x);
int gdi_set_round_radius(int radius);
int gdi_set_pen_style(int style);
int gdi_set_pen_width(int width);
int gdi_set_line_width(int width);
int gdi_draw_box(int x1, int y1, int x2, int y2);
int gdi_set_clip_rect(int x1, int y1, int x2, int y2);
int gdi_clear_clip();
int gdi_draw_line(int x1, int y1, int x2, int y2);
int gdi_set_enlarged_font(int on);
// The text operations: a text of the one byte 0x0C is a form feed (a new
// sheet when printing); it gives -1 when the print manager refused the page.
int gdi_text_out_at(int x, int y, std::string_view text);
int gdi_write_lines(std::string_view text);
int gdi_write_text(std::string_view text);
int gdi_text_out_len(std::string_view text, int length);
int gdi_set_overlay(int state);
int gdi_set_line_attr(int attr);
int gdi_noop_primitive();
int gdi_noop_pair(int a, int b);
// Selects the previous font back and deletes the printer font.
void delete_printer_font();
