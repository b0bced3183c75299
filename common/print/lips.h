// Canon LIPS: the escape sequences of the printer language written raw to
// the port "LPT1", the vector number encoding, the raw text line with its
// ruled-line and one-byte modes, the JIS conversions and the port calls.
// These are the LIPS halves of the printer operations; print_primitives.h
// chooses between them and the other back ends.
#pragma once

#include <string>
#include <string_view>

// --- Port ------------------------------------------------------------------------
// The printer port as a file of the platform state directory.

// A handle > 0, or a negative value on failure.
int port_open(const char* name, int mode, int share);
// The number of bytes written.
int port_write(int handle, const void* data, int length);
// 0, or -1 when the close failed.
int port_close(int handle);

// --- Encodings -------------------------------------------------------------------

// The bytes of one signed number in vector mode: 0 is 0x30, -1 is 0x21,
// 100 is 0x46 0x34. Magnitudes are held to 65535, the most the encoding
// can carry in bytes 0x20-0x7F.
std::string lips_vector_number(long long n);
// The pitch format "\033[%02d;%02d G".
std::string lips_pitch(int height, int width);
// The font name of a set number 0-23 (nullptr for another number).
const char* lips_font_name(int set);

// Shift-JIS lead and trail of a JIS X 0208 code (bit 7 of both ignored).
void jis_to_sjis(unsigned char row, unsigned char cell, unsigned char& lead, unsigned char& trail);
// EUC-JP to Shift-JIS: 0xA1-0xFE starts a two-byte character, 0x8E is
// dropped and the byte after it copied, every other byte copied.
std::string euc_to_sjis_text(std::string_view euc);

// --- Sending ---------------------------------------------------------------------
// Each gives 0, or -1 after a short or failed write or when the job was
// aborted; a sequence stops at its first failure.

// Writes the bytes to the port, then lets one window message through.
int lips_write_raw(const void* data, int length);
int lips_send(std::string_view bytes);

int lips_begin_job();
int lips_reset_printer();
int lips_end_job();
int lips_send_mode_sequence(int type);
int lips_begin_vector_mode();
int lips_end_vector_mode();
int lips_select_font_slots(int char_kind, int dot_size, int face);
int lips_designate_fonts(int char_kind, int dot_size, int face);
int lips_designate_all_fonts();
int lips_send_designation(int set, std::string_view name);
int lips_send_assignment(int slot, int set);
int lips_send_assignments(int s1, int s2, int s3, int s4);
int lips_set_char_size(int height_percent, int width_percent);
int lips_set_char_pitch(int cell_height, int half_width, int full_width);
int lips_set_unit_mode();
int lips_reset_unit_mode();
int lips_move_to(int row, int column);
int lips_set_corner_radius(int radius);
int lips_set_line_type(int type);
int lips_set_line_width(int width);
int lips_send_vector_g(int n);
int lips_draw_round_box(int x1, int y1, int x2, int y2);
int lips_draw_box(int x1, int y1, int x2, int y2);
int lips_draw_line(int x1, int y1, int x2, int y2);
int lips_encode_vector_number(long long n);
int lips_set_enlarged_text(int on);
int lips_reset_char_pitch();
// One line of Shift-JIS text: PC98 half-width ruled-line pieces (0x86 0x40
// to 0x86 0x9E) go out as one byte of the ruled-line font.
int lips_text_line(std::string_view text);
