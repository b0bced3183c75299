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
    // The class of a member function whose head this is, as its name's
    // qualifier ("A::"); empty for every other unit.
    std::string scope;
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
// Whether the group that ends at the ")" at close is part of a return type
// written with a function-like macro: the group follows a single word
// (storage words aside) and names, then a parameter list follow
// ("EXPORT(int) CALLBACK f(void)"). 1 when it is, 0 when not, -1 when the
// text ends before it tells.
int is_macro_type_group(std::string_view text, int close, const std::vector<unsigned char>& literal_map);
// Where a function head's own name and parameters begin: after the macro
// groups of its return type; 0 when it has none.
int head_declarator_start(std::string_view text);
// Where the words a head may carry after its parameter list end: "const",
// "noexcept", "override", attribute macros with or without a group
// ("throw(int)", "GUARDED_BY(m)"), "&" and a trailing return type ("-> int").
int skip_head_words(std::string_view text, int pos, const std::vector<unsigned char>& literal_map);

// Where a head's name and parameter list lie. The name is the identifier
// (with its qualifiers, a destructor's "~" or an operator's characters)
// directly before the first parameter list at declarator level, so a head
// that returns a function pointer is named by the identifier inside:
// "void (*f(int a))(void)" is f.
struct FunctionHead {
    int name_start = 0;
    int name_end = 0;
    int open = 0;    // the "(" of the parameter list
    int close = 0;   // its ")"
    int end = 0;     // after the declarator: the groups around the name closed
};
bool find_function_head(std::string_view text, FunctionHead& head);
// 1 when a unit's text is a function head: a name, its parameter list, then
// nothing but the words of the head or a constructor's initialiser list.
int is_function_head(std::string_view text);
// The class, struct or union whose member list the "{" after `head` opens,
// with its name ("" for an unnamed one); 0 when the head is none.
int aggregate_head_name(std::string_view head, std::string& name);
// What the "{" after `head` opens: 0 a block of its own (a body, an
// initialiser), 1 an extern "C" or namespace block, 2 the member list of a
// class, struct or union named `name`.
int scope_opened_by(std::string_view head, std::string& name);
int scan_asm_statement(std::string_view text, int& end, int& opens_block);
void strip_brace_bodies(std::string& text);
int is_label_statement(std::string_view text);
void normalize_line(std::string& text);
void clean_comment_markers(std::string& comment);
void remove_marker_4(std::string& comment);
int is_extern_c_block(std::string_view text);
// "namespace N {", "namespace {", "inline namespace N {", "namespace A::B {".
int is_namespace_block(std::string_view text);
