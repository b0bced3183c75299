// Small text helpers of the viewer. Texts are Shift-JIS bytes; cutting and
// scanning steps over double-byte characters whole.
#pragma once

#include <string>
#include <string_view>

// Upper- and lower-casing touch single-byte letters only.
void to_lower_ascii(std::string& text);
void to_upper_ascii(std::string& text);

// Today as "yy-mm-dd" and the time of day as "hh:mm:ss".
void format_date(std::string& out);
void format_time(std::string& out);

// Removes trailing blanks and line ends (LF and CR).
void trim_line_end(std::string& text);
// side -1 removes trailing blanks, any other value leading blanks.
void trim_blanks(int side, std::string& text);

// First position at or after pos whose byte is ch; the terminator's position
// (the text's length) counts, so ch 0 finds the end. -1 when there is none.
int find_char_from(std::string_view text, char ch, int pos);

void insert_first_char(std::string& text, char ch);

// Every n bytes from the start (a piece may end one byte later so that a
// double-byte character stays whole) puts the break marker byte 1, unless one
// is there already, and goes on with the rest while it is longer than n.
void insert_break_markers(std::string& text, int n);

// The text cut to at most max bytes without splitting a double-byte
// character; true when something was cut.
bool cut_at_char_boundary(std::string& text, int max);
