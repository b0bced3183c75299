// The statement and declaration scanner: preprocessed lines in, units out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Statement kinds recorded per brace level.
enum StatementKind : int {
    kStmtPlain = 0,
    kStmtSwitch = 1,
    kStmtIf = 2,
    kStmtElseIf = 3,
    kStmtElse = 4,
    kStmtWhile = 5,
    kStmtDo = 6,
    kStmtDoWhile = 7,
    kStmtFor = 8,
    kStmtAsm = 9,
};

// Flags of reset_scanner_state.
enum : int {
    kResetState = 1,
    kResetErrorFile = 2,
    kResetNoUnix = 4,
    kResetKeepMacros = 8,
};

struct SourceUnit {
    std::string text;
    std::string comment;
    int depth = 0;
    int line = 0;
    int include_depth = 0;   // of the line the unit began on
};

// The line source of the scanner: the preprocessor's next_source_line by
// default; a program may put its own in front of it.
using LineSource = int (*)(int& include_depth, std::string& code, std::string& comment, int& line_number);

int reset_scanner_state(int flags);
int fetch_source_unit(SourceUnit& unit);
int next_source_unit(SourceUnit& unit, LineSource source, int size);

int split_declaration(std::string& head, std::string& line);
int classify_statement(std::string& head, std::string& line, int& kind);
int join_declaration_text(std::string& text, std::string& comment, std::string_view next,
                          std::string_view next_comment, int size, int comment_size);
int count_braces(std::string_view text);
int is_class_head(std::string_view text);
int skip_class_head_prefix_words(std::string_view text);
int is_pointer_declarator(std::string_view text, int pos, const std::vector<unsigned char>& literal_map);
// What the text after the ")" at close makes of the group it ends: 1 when
// the group is part of a return type written with a function-like macro
// (names, then a parameter list follow: "EXPORT(int) CALLBACK f(void)"), 2
// when the group is a parameter list that "throw()", "noexcept()" or
// "__attribute__(())" follows, 0 when neither, -1 when the text ends before
// it tells.
int is_macro_type_group(std::string_view text, int close, const std::vector<unsigned char>& literal_map);
// Where a function head's own name and parameters begin: after the macro
// groups of its return type; 0 when it has none.
int head_declarator_start(std::string_view text);
int scan_asm_statement(std::string_view text, int& end, int& opens_block);
void strip_brace_bodies(std::string& text);
int is_label_statement(std::string_view text);
void normalize_line(std::string& text);
void clean_comment_markers(std::string& comment);
void remove_marker_4(std::string& comment);
int is_extern_c_block(std::string_view text);
