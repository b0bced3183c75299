// The preprocessor: source files and the include stack, comments, the
// conditional stack and the macro table.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/analysis/analysis_state.h"

// --- source reader ---------------------------------------------------------------
int open_source_file(const char* path);
int close_source_file();
int close_all_source_files();
// A physical line (newline kept) of at most size - 1 bytes; false at the end
// of the file or on a read error (error flag set on the current file).
bool read_physical_line(std::string& out, int size);
bool read_raw_line(std::string& out, int size, int64_t& bytes_read);
bool read_logical_line(std::string& out, int size, int64_t& bytes_read, int& physical_lines, int& code);
bool read_source_line(std::string& out, int size, int64_t& bytes_read, int& code);
int read_next_char();
// Include files read inside a listing scope are kept for the scope's later
// opens while unchanged; this lets them go (the kept files of an earlier
// scope go by themselves at the first open of a new one).
void forget_kept_files();
int split_comment(std::string& line, std::string& comment);
int include_kind(std::string_view line);
int handle_include_directive(std::string_view line, std::string& name);
bool read_include_path(std::string& name);
int find_include_file(std::string& line);
int read_ignore_file(const char* name);
int add_ignored_name(std::string_view name);
int is_ignored_name(std::string_view name);
int next_source_line(int& include_depth, std::string& code, std::string& comment, int& line_number);
int get_progress_permille();
void replace_trigraphs(std::string& text);

// Position of the operand of "#word" (after the word and its blanks), or -1
// when the line is not that directive.
int directive_operand(std::string_view line, std::string_view word);

// --- conditionals -----------------------------------------------------------------
bool region_active();
int push_conditional(std::string& line, std::string& comment, int keep);
int handle_conditional_directive(std::string& line, std::string& comment, int enclosing_active);
int read_directive_comment(std::string& comment);

// --- macros ----------------------------------------------------------------------------
int handle_define_directive(std::string_view line);
int handle_undef_directive(std::string_view line);
// Enters again a definition a trace holds (param_count -2: an #undef of the name).
void replay_macro_change(const std::shared_ptr<const MacroNode>& change);
// Enters a definition of a name known to be undefined.
void enter_undefined_macro(const std::shared_ptr<const MacroNode>& node);
int define_macro(std::string_view name, std::string_view body);
int define_function_macro(std::string_view name_with_params, std::string_view body);
int lookup_macro(std::string_view name, std::string* body, int* control_kind);
const MacroNode* find_macro(std::string_view name);
int macro_count();
// Cuts the table back to its first n definitions.
void truncate_macro_table(int n);
void clear_macro_table();
int expand_if_macros(std::string& text, int size, int zero_flag, int warn_flag);
int expand_macros(int call_pos, std::string& text, const MacroNode& macro, int report);
int stringize_argument(std::string_view argument, std::string& out);
void replace_defined(std::string& expression);
int expand_control_macros(std::string& line, int size);
int control_macro_kind(std::string_view body);
