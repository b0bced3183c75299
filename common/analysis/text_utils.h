// String routines under the preprocessor, the scanner and the converters.
// Texts are Shift-JIS bytes; positions are byte indexes from 0, -1 meaning
// "not found" or "before the start". Every routine reads through bounds
// checks: a position outside the text is never dereferenced.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/sjis.h"

// --- Shift-JIS -----------------------------------------------------------
inline bool is_lead_byte(unsigned char c) { return is_sjis_lead_byte(c); }    // 0x81-0x9F, 0xE0-0xFC
inline bool is_trail_byte(unsigned char c) { return is_sjis_trail_byte(c); }  // 0x40-0x7E, 0x80-0xFC
// True when a double-byte character starts at pos (lead followed by trail).
inline bool is_dbcs_at(std::string_view text, int pos) {
    return pos >= 0 && static_cast<size_t>(pos) + 1 < text.size() &&
           is_lead_byte(static_cast<unsigned char>(text[static_cast<size_t>(pos)])) &&
           is_trail_byte(static_cast<unsigned char>(text[static_cast<size_t>(pos) + 1]));
}
// Position of the character after the one at pos (steps a pair whole).
inline int next_char(std::string_view text, int pos) { return is_dbcs_at(text, pos) ? pos + 2 : pos + 1; }
// Largest cut <= n that does not split a double-byte character.
int char_boundary_at_or_before(std::string_view text, int n);

// byte at pos or 0 when pos lies outside the text
inline unsigned char byte_at(std::string_view text, int pos) {
    return (pos >= 0 && pos < static_cast<int>(text.size())) ? static_cast<unsigned char>(text[pos]) : 0;
}

// --- character classes ---------------------------------------------------
inline bool is_identifier_char(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}
inline int is_identifier_start(unsigned char c) {
    return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') ? 1 : 0;
}
inline bool is_blank(unsigned char c) { return c == ' '; }

// --- skipping --------------------------------------------------------------
int skip_char_backward(std::string_view text, char c, int pos);
int skip_set_backward(std::string_view text, std::string_view set, int pos);
int skip_blanks_backward(std::string_view text, int pos);
int skip_identifier_backward(std::string_view text, int pos);
int skip_char_forward(std::string_view text, char c, int pos);
int skip_set_forward(std::string_view text, std::string_view set, int pos);
int skip_digits(std::string_view text, int pos);
// Blanks and identifier characters are single bytes below 0x80, never part
// of a double-byte character: these two walk plain bytes.
inline int skip_blanks(std::string_view text, int pos) {
    const int n = static_cast<int>(text.size());
    if (pos < 0) pos = 0;
    while (pos < n && text[static_cast<size_t>(pos)] == ' ') ++pos;
    return pos < n ? pos : n;
}
inline int skip_identifier(std::string_view text, int pos) {
    const int n = static_cast<int>(text.size());
    if (pos < 0) pos = 0;
    while (pos < n && is_identifier_char(static_cast<unsigned char>(text[static_cast<size_t>(pos)]))) ++pos;
    return pos < n ? pos : n;
}
int skip_literal(std::string_view text, int pos, char quote);
int next_token_pos(std::string_view text, int pos);

// --- words and searching ---------------------------------------------------
// 1 when the text begins with the word and no identifier character follows it
// (none is looked for after a word that ends in another character).
inline int starts_with_word(std::string_view text, std::string_view word) {
    // most texts differ at once: the first byte says so without a compare
    if (!word.empty() && (text.empty() || text[0] != word[0])) return 0;
    if (text.substr(0, word.size()) != word) return 0;
    if (!word.empty() && !is_identifier_char(static_cast<unsigned char>(word.back()))) return 1;
    return is_identifier_char(byte_at(text, static_cast<int>(word.size()))) ? 0 : 1;
}
int find_word_in_list(std::string_view text, const char* const* list, int count);
int find_char(std::string_view text, char c);
int find_marked_char(std::string_view text, char c, const std::vector<unsigned char>& map, int start,
                     unsigned char mark);
int find_marked_char_backward(std::string_view text, char c, const std::vector<unsigned char>& map,
                              int start, unsigned char mark);
int find_substring(std::string_view text, std::string_view pattern);
int find_substring_backward(std::string_view text, std::string_view pattern);
int find_word(std::string_view text, std::string_view word);
int ends_with(std::string_view text, std::string_view tail);
int copy_identifier_at(std::string_view text, int pos, std::string& out, int size);
int parse_int_at(std::string_view text, int pos, int& value);
int clamp_int(int value, int low, int high);

// --- trimming and editing --------------------------------------------------
void strip_newline(std::string& text);
void trim_trailing_char(std::string& text, char c);
void trim_trailing_blanks(std::string& text);
void trim_leading_char(std::string& text, char c);
void trim_leading_blanks(std::string& text);
// The same trims on a view, for texts that are only looked at.
inline std::string_view without_trailing_blanks(std::string_view text) {
    const size_t last = text.find_last_not_of(' ');
    return text.substr(0, last == std::string_view::npos ? 0 : last + 1);
}
inline std::string_view without_leading_blanks(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    return text.substr(first == std::string_view::npos ? text.size() : first);
}
void squeeze_blanks(int mode, std::string& text);
int remove_blanks(std::string_view text, std::string& out, int size);
int prepend_char(std::string& text, char c, int size);
int prepend_string(std::string& text, std::string_view prefix, int size);
void move_string(std::string& target, std::string& source);
void append_prefix(std::string& target, std::string_view text, int n);
void overlay_prefix(std::string& target, std::string_view text, int n);
int compare_prefix(std::string_view a, std::string_view b, int n);

// --- file names --------------------------------------------------------------
// The extension dot and its replacement stop at "\", "/" and ":", so a dot in
// a directory name is never taken for the extension.
void replace_extension(std::string& name, std::string_view extension);
int find_extension_dot(std::string_view name);

// --- maps ----------------------------------------------------------------------
// True when the text holds a quote: without one it has no literal, and its
// literal map would be all 0.
inline bool has_quotes(std::string_view text) {
    return text.find('"') != std::string_view::npos || text.find('\'') != std::string_view::npos;
}
// Literal map: 0 code, 2 opening quote, 1 inside, 3 closing quote.
int mark_literals(std::string_view text, std::vector<unsigned char>& map);
// Parenthesis map: '0' + depth for code, 'D' + depth inside literals.
char mark_paren_depth(std::string_view text, std::vector<unsigned char>& map);
int next_dbcs_state(int state, unsigned char byte, unsigned char next);
int dbcs_kind_at(std::string_view text, int pos);
// Shift-JIS map: 1 lead, 2 trail, 0 otherwise; the map has size + 1 entries.
int map_dbcs_bytes(std::string_view text, std::vector<unsigned char>& map);

// --- tab expansion ---------------------------------------------------------------
// At most size - 1 bytes are produced; 0 when the output had to be cut.
int expand_tabs_bounded(std::string& out, std::string_view text, int mode, int tab_width, int size);
int expand_tabs_in_source(std::string& out, std::string_view text, int in_comment, int tab_width, int size);
