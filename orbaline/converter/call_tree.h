// Inside the call-tree generator: its settings, records and the steps of a
// run, shared by the driver, the scan, the tree writer and the list repair.
// Tests reach the steps through this header.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/analysis/converter_kit.h"

namespace ctree {

enum Job : char { kJobNone = 0, kJobCrossReference = 's', kJobTree = 'x', kJobRepair = 'n' };

// Codes of the generator's own (the library's are in support.h).
enum : int {
    kCodeIgnoreTableFull = -51,
    kCodeNoIgnoreList = -54,
    kCodeNotFound = -55,
    kCodeNoSource = -56,
    kCodeCancelled = -63,
    kCodeNestTooDeep = -64,
    kCodeLineLimit = -65,
    kCodeNameClash = -211,  // a work or result name is one of the run's inputs
};

constexpr int kMaxArguments = 64;
constexpr int kMaxIgnoredNames = 2500;
constexpr int kMaxTreeLines = 3001;   // the header and 3000 nodes
constexpr size_t kMaxNameBytes = 256;

struct Settings {
    char job = kJobNone;
    int job_count = 0;
    int list_count = 0;
    int interface_code = -1;
    std::string list;
    int depth_limit = 10;
    int comment_length = 20;
    int function_comment_length = 40;
    char level_char = '\t';
    bool level_given = false, depth_given = false, comment_given = false;
    bool show_position = false;    // -l
    bool callees_listed = false;   // -r
    std::string error_file = "PP_ERROR.TXT";
    std::string user_ignore;
    int support_base = 1;
    bool prepass = false;
    int box_omit = 0;
    int box_list = 1;
    int recursion = 0;
    int pointer_names = 0;
    AnalysisOptions analysis;      // "-v", "-PP", "-i", "-M"
    int warning_level = 2;
    CounterOption counter;         // console progress; its first two values place it on a console
    std::vector<std::string> defines;   // "-D" texts of the caller's own vector

    // A function's list holds its callees (else its callers).
    bool parent_to_child() const { return job != kJobCrossReference || callees_listed; }
    bool function_list() const { return job == kJobCrossReference || job == kJobTree; }
    bool tree_run() const { return job == kJobTree; }
};

// Every name and text of a run kept once: records hold its number. What
// the scan and the writer know of a name sits beside it.
class NameTable {
public:
    enum Flag : uint8_t { kTypeWord = 1, kKnown = 2, kIgnored = 4, kCalled = 8, kBoxSeen = 16 };
    struct Entry {
        const char* data;
        uint32_t length;
        uint32_t hash;
        int first_record;   // the records of this name, chained by next_same
        int last_record;
        uint8_t flags;
    };

    // The number of a text, added when it is new.
    int intern(std::string_view text);
    // -1 when the text was never added.
    int find(std::string_view text) const;
    int find(std::string_view text, uint32_t hash) const;  // hash_of(text) given
    static constexpr uint32_t kHashStart = 2166136261u;
    static uint32_t hash_step(uint32_t h, unsigned char c) { return (h ^ c) * 16777619u; }
    static uint32_t hash_of(std::string_view text);
    std::string_view text(int id) const { return {entries_[static_cast<size_t>(id)].data, entries_[static_cast<size_t>(id)].length}; }
    Entry& entry(int id) { return entries_[static_cast<size_t>(id)]; }
    const Entry& entry(int id) const { return entries_[static_cast<size_t>(id)]; }
    bool has(int id, uint8_t flag) const { return id >= 0 && (entry(id).flags & flag) != 0; }
    int size() const { return static_cast<int>(entries_.size()); }
    void reserve(size_t names);

private:
    void grow_slots();
    std::vector<Entry> entries_;
    std::vector<int> slots_;                       // open addressing, -1 empty
    std::vector<std::unique_ptr<char[]>> chunks_;  // the texts' bytes, never moved
    char* fill_ = nullptr;
    size_t room_ = 0;
};

// A call, in the run's one array of calls: names and file by number.
struct TreeCall {
    int name = -1;
    int file = -1;         // in State::files
    int line = 0;
    int next = -1;         // the record's next call while the scan adds them
};

struct TreeDefinition {
    int name = -1;
    int file = -1;         // in State::files; -1 none
    int comment = -1;      // texts in the name table
    int prefix = -1;
    int line = 0;
    int first_output = 0;
    int next_same = -1;    // the next record of the same name
    char mark = '#';       // '#' single, 'M' defined more than once, 'U' placeholder
    // during the scan the first and last of a chain of calls, once gathered
    // the range [first_call, last_call) of State::calls
    int first_call = -1, last_call = -1;
    bool placeholder() const { return mark == 'U'; }
};

struct ListEntry {
    std::string name;      // as written in the list
    int file = -1;         // its name's place in State::files
    std::string path;      // as opened
    int line = 0;          // in the list
    int64_t size = 0;
};

struct OutputFile {
    std::string temp_name;
    std::string final_name;
    int handle = -1;
};

struct State {
    Settings settings;
    std::string list_folder;
    std::vector<ListEntry> sources;
    int64_t total_bytes = 0;
    int64_t finished_bytes = 0;
    std::string oq_ignore_path;     // "" when none was found
    std::string user_ignore_path;
    std::string keyword_path;
    std::string keywords[2] = {"NAME", "FUNCTION"};

    std::vector<std::string> ignored;   // sorted
    // names, type words and known names, looked up with views of the
    // statement text
    NameTable names;
    std::vector<std::string> files;     // the list's names, each once
    std::vector<TreeDefinition> records;
    std::vector<TreeCall> calls;
    bool calls_gathered = false;

    // the scan
    int current_file = -1;
    int owner = -1;                 // function whose body is being read
    bool in_definition = false;
    std::string pending_comment;
    bool comment_seen = false;
    int source_number = 0;
    std::string progress_text;
    int last_permille = -1;
    int cancel = 0;
    std::vector<unsigned char> literal_map;  // the scan's, statement after statement

    OutputFile trd, flt, nam;
    int trd_lines = 0;
    int warnings = 0;               // a warning or error message that did not stop the run
    std::vector<std::string> box_names;
};

extern State g_tree;

// --- driver (oq1011s.cpp) ---------------------------------------------------------
void reset_generator_state();
// Copies the vector, a lone "-D" bringing the words of kCallTreeOptionVariable;
// false when the table of 64 arguments overflows or the variable is too long.
bool collect_generator_arguments(int argc, char** argv, std::vector<std::string>& args, int& own_count);
// 1 accepted, 0 refused.
int parse_tree_generator_options(const std::vector<std::string>& args, int own_count);
int load_source_list();
int read_generator_keyword_file(const std::string& path);
int build_ignore_list();
bool find_ignored_name(std::string_view name);
void build_type_keyword_table();
std::string locate_support_file(const std::string& name, bool use_base);
// Progress of the scan and the writer; a cancel answer is remembered.
void report_progress_text(const std::string& text);
void show_source_progress(int number, int count, const std::string& name, char open, char close);
int define_option_macros();
// Remembers a message that did not stop the run.
void note_run_messages();

// --- scan (tree_scan.cpp) ----------------------------------------------------------
int scan_listed_sources();
int prescan_sources();
int scan_source_file(const ListEntry& entry, bool prepass);
// Names by their number in g_tree.names, the file by its place in g_tree.files.
int record_function_definition(int line, int name, std::string_view comment, int file, std::string_view prefix);
int record_call(int line, int name, int file, int owner);
// Puts each record's calls together in g_tree.calls, in the order of their
// files' names (else as recorded); once a run.
void gather_calls();
// The name and prefix of a function head ending with ")"; false when none.
bool function_head_name(std::string_view text, std::string& name, std::string& prefix);
// The names a body unit calls, left to right (type words and keywords left out).
std::vector<std::string> calls_in_text(std::string_view text);
void call_names_in_text(std::string_view text, std::vector<int>& names);
// The comment of a keyword comment line, or false.
bool keyword_comment(std::string_view comment, std::string& text);
void collect_type_words(std::string_view text);
void add_type_word(std::string_view name);
bool is_type_word(std::string_view name);
void add_known_name(std::string_view name);
// The first record of a name; -1 none.
int first_record(int name);
int first_record_named(std::string_view name);

// --- writers (tree_writer.cpp) --------------------------------------------------------
int open_function_list();
int write_function_list_line(const std::string& file, int line, const std::string& name,
                             const std::string& comment);
int close_function_list();
int write_trd_file();
int write_trd_line(const std::string& text);
int append_box_report();

// --- list repair (list_repair.cpp) -----------------------------------------------------
int rewrite_nam_file();
// The new order of the list's names (exposed for tests).
std::vector<std::string> order_source_files();

// Cuts text to at most n bytes, never through a double-byte character.
std::string cut_text(std::string_view text, size_t n);

}  // namespace ctree
