// Internals of the PAD generator shared by its driver, row writer, statement
// conversion, source reading and the tests: one state record, reset at the
// start of every run.
#pragma once

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/analysis/converter_kit.h"
#include "common/analysis/scanner.h"

namespace pad {

// Bytes that stand in row and comment texts for what the writer shows.
inline constexpr char kSuppressed = '\x02';   // a comment that must not show
inline constexpr char kMarked = '\x04';       // a comment that must show (third byte)
inline constexpr char kDefaultLabel = '\x05'; // written as the "other" label
inline constexpr char kCallSeparator = '\x06';  // written as ':'
inline constexpr char kPlaceholder = '\x07';  // an empty do-loop text waiting for its condition

inline constexpr int kMaxArguments = 64;
inline constexpr int kMaxNameLength = 255;
inline constexpr int kLineSize = 2048;
inline constexpr int kRowCapacity = 27;
inline constexpr int kRowTextLimit = 1024;
inline constexpr int kCodeTextLimit = 1024;
inline constexpr int kNameLimit = 256;
inline constexpr int kMaxOpenDoLoops = 20;

struct Options {
    std::string source;
    std::string error_file;
    int error_file_number = 15;
    int interface_code = -1;
    AnalysisOptions analysis;     // "-d" level, "-PP", "-v", "-i"
    std::string ignore_file;
    int join_mode = 0;            // 0 none, 1 "-g", 2 "-gc", 3 "-gl"/"-ga"
    bool keep_standalone = false; // "-ga"
    int code_bytes = 24;
    int join_depth = 21;
    int nest_limit = 21;
    int zone_mode = 0;
    std::string top_ignore_file;
    CounterOption counter;
    int comment_length = 256;
    bool line_numbers = false;
    bool call_prefix = true;
    std::string ret_proc_file;
    bool keep_all_calls = false;
    bool suppress_marked = false;
    int directives = 0;           // 1 "--", 2 "--2"
    bool function_list = false;
    int warning_level = 2;
    int case_mode = 0;
    bool bar_joiner = false;
    bool do_post_pass = false;
};

struct Files {
    std::string work, result;            // .tmp, .pds
    std::string list_work, list_result;  // .tmf, .flt
    std::string do_work;                 // .tmd
    std::string keyword;
};

struct Row {
    int statement_class = 0;   // on the first row of a group
    int line = 0;
    int depth = 0;             // PAD column
    std::string letters;       // "N", "EF", "@", "/" ...
    std::string text;          // for '@': the function name
    std::string function_text; // '@' only
    std::string code;          // the statement's own text, on the group's first row
    bool code_attached = false;
    bool nesting_checked = false;
    char letter() const { return letters.empty() ? '\0' : letters[0]; }
    // as a new row, keeping the texts' buffers
    void reset() {
        statement_class = line = depth = 0;
        letters.clear();
        text.clear();
        function_text.clear();
        code.clear();
        code_attached = nesting_checked = false;
    }
};

// The rows waiting to be written. The rows themselves stay where they were
// made and are used again; the table keeps their order as a ring of
// pointers, so a row leaving, even from the middle, moves pointers, never rows,
// and a reference to a row stays on it while rows come and go around it.
class RowTable {
public:
    RowTable() = default;
    // the ring points into the rows: a copy would point into the original's
    RowTable(const RowTable&) = delete;
    RowTable& operator=(const RowTable&) = delete;
    RowTable(RowTable&&) = default;
    RowTable& operator=(RowTable&&) = default;
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    Row& operator[](size_t index) { return *order_[slot_of(index)]; }
    const Row& operator[](size_t index) const { return *order_[slot_of(index)]; }
    Row& front() { return (*this)[0]; }
    Row& back() { return (*this)[count_ - 1]; }
    Row& add();  // a cleared row after the last
    void insert(size_t index, Row row);
    void erase(size_t index);
    // Takes the first row off the table; it stays as it was until the next
    // row is taken off.
    Row& take_front();
    void resize(size_t count) {
        if (count < count_) count_ = count;
    }
    void clear() { head_ = count_ = 0; }

private:
    Row* new_row();
    size_t slot_of(size_t index) const {
        const size_t at = head_ + index;  // index < order_.size() and head_ < order_.size()
        return at < order_.size() ? at : at - order_.size();
    }
    std::vector<std::unique_ptr<Row>> rows_;  // never moved: references to them hold
    std::vector<Row*> order_;   // the ring: the table's rows from head_ on
    size_t head_ = 0;
    size_t count_ = 0;
    Row* taken_ = nullptr;      // the row last taken off, outside the ring
};

// A list of names asked again and again whether it holds one.
struct NameList {
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    std::unordered_set<std::string, Hash, std::equal_to<>> names;
    // a mark for each name's first byte, last byte and length together: most
    // words asked about are told apart by it without hashing
    unsigned long long marks[64] = {};
    static unsigned mark_of(std::string_view name) {
        if (name.empty()) return 0;
        const unsigned first = static_cast<unsigned char>(name.front());
        const unsigned last = static_cast<unsigned char>(name.back());
        return (first * 131u + last * 31u + static_cast<unsigned>(name.size())) & 4095u;
    }
    void clear() {
        names.clear();
        std::fill(std::begin(marks), std::end(marks), 0ULL);
    }
};

struct DoLoop {
    int line = 0;
    std::string condition;
    std::string condition_code;
};

struct Statement {
    std::string text;
    std::string comment;
    int depth = 0;
    int line = 0;
    std::string code;           // what the rows show of the program text
    bool keep_comment = false;  // survives the declaration-zone rule
};

// One line of the comment reader or the merged line source.
struct SourceLine {
    int result = 1;
    int include_depth = 0;
    std::string code;
    std::string comment;
    int line = 0;
};

struct State {
    Options options;
    Files files;
    std::string heading_words[2];
    bool heading_given[2] = {false, false};

    // output
    int work_handle = -1;
    int list_handle = -1;
    int lines_written = 0;
    int rows_written = 0;
    bool nesting_warning = false;

    // row table and writer
    RowTable rows;
    bool pending_flow = false;
    bool function_open = false;
    char last_written = '\0';
    char last_solid = '\0';         // last row written that was not a flow
    char solid_before_last = '\0';
    int last_line = 0;
    std::string list_name;          // function name of the current '@' row

    // conversion
    int expected_depth = 0;
    int last_class = 0;
    std::vector<int> block_kind;    // per depth: 0 none, 1 switch, 2 if/else/block
    std::string function_name;
    std::string function_text;
    bool function_text_seen = false;
    int name_line = 0;
    bool head_held = false;         // a head waits for its body's "{"
    Statement held_head;
    bool recovering = false;
    int recovery_depth = 0;
    bool zone_open = false;
    int zone_start_line = 0;
    bool in_nesting_run = false;
    std::vector<DoLoop> do_loops;
    std::vector<int> open_do_loops;
    size_t do_loops_filled = 0;

    // name lists
    std::vector<std::string> ret_proc_names;
    std::vector<std::string> top_ignore_names;
    NameList type_names;

    // comment reader and merged line source
    int brace_count = 0;
    int reader_scopes = 0;          // namespace, extern "C" and class bodies open
    std::string reader_head;        // the declaration read since the last ";", "{" or "}"
    std::vector<unsigned char> reader_literals;
    bool directive_range = false;
    std::vector<SourceLine> reader_queue;   // lines read ahead by the comment gatherer
    bool holding = false;
    int reader_line = 0;  // the reader's own line while messages name the line handed out
    // the merged line being built and the line read after it, which trade
    // places when the held line's turn comes
    SourceLine source_lines[2];
    int merged_slot = 0;
    int asm_state = 0;
    std::vector<int> blank_lines;           // top-level lines with nothing on them

    AnalysisProfile profile{};

    // the head whose function name was looked for last
    bool head_known = false;
    bool head_found = false;
    std::string head_text;
    std::string head_name;
    // the statement being converted and the scanner's unit, reused statement after statement
    Statement statement;
    SourceUnit unit;
    // the row writer's buffers, reused row after row
    std::string row_line;
    std::string plain_line;
    std::string stored_line;
    std::string list_source;  // the function list's first column, made once a run
    std::string list_line;
    std::vector<unsigned char> literal_map;  // the name and call finders', statement after statement
};

extern State g_pad;

// --- driver (gx1002s.cpp) --------------------------------------------------------
void init_pad_generator();
int parse_pad_generator_options(int argc, char** argv);
int read_pad_heading_keywords(const std::string& path);
int write_text_line_checked(std::string_view text, int handle, int file_number);
void show_row_progress();
void show_line_progress_pad(int line, int force);

// --- rows (pad_rows.cpp) -----------------------------------------------------------
int write_pds_head_line(std::string_view text, int row_line = 0);
int write_pds_rows(int kind, int statement_class, const Statement& statement);
int insert_pds_row(size_t index, Row row);
void remove_pds_row(size_t index);
int write_pds_row();
std::string format_row(const Row& row, bool with_line);
void format_row_into(const Row& row, bool with_line, std::string& out);
// the comment's words without its marks, at most limit bytes: a view into it
std::string_view comment_text(std::string_view comment, int limit);

// --- conversion (pad_convert.cpp) ----------------------------------------------------
int generate_pads();
int classify_statement_keyword(std::string_view text, int depth);
int extract_function_name(std::string_view text, std::string& name);
int find_call_text(std::string_view text, std::string& call, std::string& name);
bool is_type_declaration(std::string_view text);
void record_typedef_names(std::string_view text);
void record_tag_name(std::string_view text);
int classify_heading_comment(std::string_view comment, std::string& rest);
std::string join_row_texts(std::string_view first, std::string_view second);
void attach_code_to_row(size_t index);

// --- source reading (pad_source.cpp) ---------------------------------------------------
int fetch_commented_line(SourceLine& out);
int next_merged_source_line(int& include_depth, std::string& code, std::string& comment, int& line_number);
int read_name_list(const std::string& name, std::vector<std::string>& list);
int add_name(std::vector<std::string>& list, std::string_view name);
bool is_listed(const std::vector<std::string>& list, std::string_view name);
int add_name(NameList& list, std::string_view name);
bool is_listed(const NameList& list, std::string_view name);
int is_type_head(std::string_view text);
int count_brace_balance_pad(std::string_view text);
bool is_simple_statement(std::string_view text);
bool is_dash_comment(std::string_view comment);

}  // namespace pad
