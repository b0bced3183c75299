// The state of the C source analysis: one record for the whole subsystem, so
// a converter run (or a test) starts from a known point with one reset.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/analysis/output_buffer.h"

// What the three programs build differently from the same routines.
struct AnalysisProfile {
    const char* program;                  // "nx", "gx" or "oq"
    int line_size;                        // line, unit, comment and macro buffers
    int max_include_depth;                // opening a file at this depth fails
    const char* const* class_words;       // words that start a class head alone
    int class_word_count;
    const char* const* class_words_after_prefix;  // ... or after a storage/qualifier word
    int class_word_after_prefix_count;
    int ignore_alloc_failure;             // code of a failed ignore-list append
    const char* default_error_file;       // error file named by the reset ("" = none)
    const char* default_ignore_file;      // ignore file read by the reset ("" = none)
    int statement_cut;                    // bytes kept of an overlong statement
    int comment_cut;                      // bytes kept of an overlong comment
    // A "{" after the condition of a switch starts its body as a unit of its
    // own instead of ending the head.
    bool switch_brace_in_body = false;
    // "= {" at depth 0 keeps the initialiser's braces in the declaration; when
    // off the "{" ends the declaration and the initialiser is read as a body.
    bool initializer_in_declaration = true;
    // A member function defined in its class body is named with its class
    // ("A::f"); when off it keeps the name written there.
    bool members_named_with_class = true;
    // The calls in a local aggregate's initialiser ("struct S s = { f(1) };")
    // stay in its statement instead of going with its braces' contents.
    bool initializer_calls_kept = false;
};

extern const AnalysisProfile kNotarixAnalysis;
extern const AnalysisProfile kGravletAnalysis;
extern const AnalysisProfile kOrbalineAnalysis;

// The words that may stand before "class" (and its kin) in a class head;
// the PAD generator's type-head test reads the same table. The class-head
// test knows their first letters ("aerstcv").
extern const char* const kClassHeadPrefixWords[7];

// Settings a converter sets from its options before the run.
struct AnalysisSettings {
    int tab_width = 8;
    int asm_setting = 1;             // recognise _asm lines
    int include_mode_quoted = 1;     // 0..4, see the reader
    int include_mode_angle = 0;
    int control_macro_mode = 3;      // 0..4
    int conditional_mode = 2;        // 0 keep all, 1 keep all but literal 0/1, 2 evaluate
    int directive_line_mode = 1;     // 0..4
    int verbosity = 1;
    int progress_flag = 0;
    std::string ignore_file;         // read by the reset when not empty
    bool operator==(const AnalysisSettings&) const = default;
};

// Calls out of the analysis into the converter that runs it.
struct AnalysisHooks {
    void (*on_file)(const char* name) = nullptr;        // a file entered or resumed
    void (*on_line)(int line, int force) = nullptr;     // line progress
};

struct MacroPiece {
    std::string text;            // text before the parameter use
    int param_index = 0;
    bool stringize = false;
    bool operator==(const MacroPiece&) const = default;
};

struct MacroNode {
    std::string name;
    std::string body;
    int control_kind = 0;
    int param_count = -1;        // -1 object-like
    std::vector<MacroPiece> pieces;
    // Two nodes with the same stamp define the same: name, kind, parameters,
    // body and pieces (0 until the definition is entered).
    uint64_t stamp = 0;
};

// A name the body of a definition was substituted with, and the stamp of
// what it named then (0: nothing).
struct KeptLookup {
    std::string name;
    uint64_t stamp = 0;
};

// A #define line's definition as it was worked out, with what that depended
// on: the macros its body was substituted with, and whether mode 4 judged
// its control kind.
struct KeptDefinition {
    std::shared_ptr<const MacroNode> node;   // shared with the traces that entered it
    bool mode4 = false;
    std::vector<KeptLookup> lookups;
};

// A line of a kept file as it was read: its tabs expanded and its comment
// split from its code; for a #define, its definition as last worked out.
struct KeptLine {
    std::string code;
    std::string comment;
    int end_state = 0;          // the comment state after the line
    std::unique_ptr<KeptDefinition> definition;
};

// A name a line of an include file looked up (where it lies in the trace's
// text pool), and the stamp of what it named then (0: nothing).
struct TraceLookup {
    uint32_t name_at = 0;
    uint32_t name_size = 0;
    uint64_t stamp = 0;
};

// What reading one line of an include file did, with all it depended on
// besides its bytes: taken again at once while all of that holds. A line
// is kept small: its look-ups, changes and texts lie in its trace's pools.
struct TraceLine {
    static constexpr uint32_t kNone = UINT32_MAX;
    uint32_t start = 0;           // where the line starts in the file, and where the next one does
    uint32_t end = 0;
    // the lines read after this one, one per way it was read: the first,
    // and the next way beside this one
    uint32_t next = kNone;
    uint32_t sibling = kNone;
    // its look-ups in the trace's pool, and the code and comment it handed
    // on (code, then comment, in the text pool)
    uint32_t lookups_at = 0;
    uint32_t text_at = 0;
    uint16_t lookup_count = 0;
    uint16_t code_size = 0;
    uint16_t comment_size = 0;
    uint16_t lines = 0;
    uint16_t guard_name = 0;      // the guard name it left, of the trace's names
    int8_t split_after = 0;       // the comment state before its directive acted
    int8_t comment_before = 0;
    int8_t comment_after = 0;
    int8_t depth_before = 0;      // conditional depths from the file's base
    int8_t state_before = 0;
    int8_t guard_before = 0;
    int8_t depth_after = 0;
    int8_t state_after = 0;
    int8_t guard_watch = 0;
    int8_t guard_depth = 0;
    bool live : 1 = true;         // read as it comes each time (an #include, a message...)
    bool directive : 1 = false;
    bool enclosing_active : 1 = false;
    bool pushed : 1 = false;      // a level was opened
    // whether any macro, any control macro was defined (the expansion asks)
    bool no_control : 1 = false;
    bool no_macros : 1 = false;
    bool handed : 1 = false;      // the line went on to the scanner
    bool changes : 1 = false;     // it defined or removed macros
};

struct ScannerLevel {
    int kind = 0;
    bool implicit = false;
    bool operator==(const ScannerLevel&) const = default;
};

// A brace pair at file level whose contents are read as if they stood
// outside it: an extern "C" or namespace block, or the member list of a
// class, struct or union, whose member functions are functions of their own.
struct ScannerScope {
    bool members = false;
    std::string qualifier;   // "A::B::" inside class B of class A
    std::string head;        // the class's declaration up to its "{"
    std::string comment;     // the comment of that head
    int line = 0;
    bool operator==(const ScannerScope&) const = default;
};

// What the scanner carries from one unit to the next, where it asks for a
// line with nothing pending: the levels up to the open brace depth.
struct ScannerMark {
    int brace_depth = 0;
    int else_may_follow = 0;
    int else_depth = 0;
    int asm_block_depth = 0;
    int asm_statement_open = 0;
    int end_reported = 0;
    std::vector<ScannerLevel> levels;
    std::vector<ScannerScope> scopes;
    bool operator==(const ScannerMark&) const = default;
};

struct KeptFile;

// A file a header's reading opened, as it stood then: while its stamp holds
// its bytes are those read.
struct EntryFile {
    std::string path;
    std::weak_ptr<KeptFile> kept;
};

// What a header's guard record held for a path when the reading first asked
// (held: the name of the guard).
struct EntryGuard {
    std::string path;
    bool held = false;
    std::string name;
};

// A warning a header's reading gave, and the file and line it named.
struct EntryMessage {
    int code = 0;
    std::string text;
    std::string detail;
    std::string file;
    int line = 0;
};

// A header's whole reading from its first line to its close, with what it
// depended on and what it left behind: entered at once while all of that
// holds. The scanner stood at the start of a unit with nothing pending at
// both ends, as `scanner` marks it, so the lines read in between changed
// nothing but what is kept here.
struct WholeEntry {
    ScannerMark scanner;
    int in_comment_before = 0;
    int in_comment_after = 0;
    int depth_reach = 0;          // the deepest conditional level opened, from the header's base
    int include_reach = 0;        // the deepest include stack met, from the header's own place
    // the macro table's size and its control macros at the start, and the
    // fewest of each the reading saw: whether either was ever empty
    size_t macros_before = 0;
    size_t macros_least = 0;
    int control_before = 0;
    int control_least = 0;
    std::vector<KeptLookup> lookups;       // names as the reading first found them
    std::vector<std::pair<std::string, std::string>> answers;  // include names and their paths
    std::vector<EntryGuard> guards;
    std::vector<EntryFile> files;
    // left behind: the macro changes in order (a removed name has
    // param_count -2), the headers read whole inside their guard, the
    // warnings, the comment state
    std::vector<std::shared_ptr<const MacroNode>> changes;
    std::vector<std::pair<std::string, std::string>> guarded;
    std::vector<EntryMessage> messages;
    // the order of the changes, the warnings and the line progress shown
    // (by file), as WholeStep says
    bool progress = false;        // lines showed their progress
    std::vector<uint32_t> steps;
    std::vector<std::string> step_files;
};

// A step of a whole reading: the kind in the top two bits, then for a line
// shown its number, with a mark when a directive acts on the line (a cancel
// shown there stops the reading).
enum WholeStep : uint32_t {
    kStepLine = 0u << 30,
    kStepChange = 1u << 30,    // the next of the changes (kStepNew: of a name not defined before)
    kStepMessage = 2u << 30,   // the next of the warnings
    kStepFile = 3u << 30,      // the lines after it are of step_files[low bits]
    kStepKind = 3u << 30,
    kStepDirective = 1u << 29,
    kStepNew = 1u << 0,
    kStepValue = (1u << 29) - 1,
};

// The lines of an include file as the readings of the run took them, for
// the settings they were read with: a tree, as a line read otherwise than
// before starts a branch of its own.
struct IncludeTrace {
    static constexpr uint32_t kStart = UINT32_MAX;  // before the first line
    AnalysisSettings settings;
    const AnalysisProfile* profile = nullptr;
    std::vector<std::string> ignore_list;
    std::vector<TraceLine> lines;
    uint32_t first = TraceLine::kNone;  // the first line of each way the file was read
    int branches = 0;             // readings that left the earlier ones
    // the lines' look-ups, macro changes (a removed name has param_count -2)
    // and texts, in the order the lines were written
    std::vector<TraceLookup> lookups;
    std::vector<std::shared_ptr<const MacroNode>> defined;
    std::vector<uint32_t> defined_by;   // the line of each
    std::vector<std::string> guard_names = {""};
    std::string text;
    // its whole readings, the newest replacing the oldest past a few
    std::vector<WholeEntry> whole;
    size_t next_whole = 0;
};

// Room for `more` elements, the room growing by half: a trace's pools
// grow all the run, and doubling would leave much of them unused.
template <class Pool>
void reserve_more(Pool& pool, size_t more = 1) {
    if (pool.size() + more > pool.capacity()) pool.reserve(std::max(pool.size() + more, pool.size() + pool.size() / 2 + 16));
}

// A file an earlier source of the same listing scope read (a header every
// source of a batch includes): its bytes and its lines as they were read,
// kept while its size and time stay the same.
struct KeptFile {
    int64_t size = 0;
    int64_t modified = 0;
    int64_t changed = 0;        // the status change time: a change of rights moves it
    unsigned checked_run = 0;   // the run its stamp was last looked at in
    std::string bytes;          // the whole file as read (binary)
    bool read_error = false;    // the read failed after these bytes
    bool plain = false;         // no trigraph, CR or other control byte to replace
    // the lines by their start in `bytes` * 2 + the comment state they
    // start in, for these settings; a line that met a message is not kept
    int tab_width = 0;
    int line_size = 0;
    int asm_setting = 0;
    std::unordered_map<uint64_t, KeptLine> lines;
    std::unique_ptr<IncludeTrace> trace;
};

struct SourceFile {
    int handle = -1;
    std::string name;
    int line_number = 0;
    int conditional_base = 0;
    int64_t size = 0;
    int64_t bytes_read = 0;
    std::string read_ahead;      // bytes read from the file, not yet taken
    size_t read_pos = 0;         // first untaken byte of read_ahead (of kept->bytes)
    std::shared_ptr<KeptFile> kept;  // when set, the bytes come from there
    bool at_eof = false;
    bool read_error = false;
    // Whether the whole file lies inside one "#ifndef NAME" / "#define NAME" /
    // "#endif" guard, watched line by line as it is read.
    int guard_watch = 0;         // a GuardWatch of the source reader
    std::string guard_name;
    int guard_depth = 0;         // conditional depth inside the guard
    int messages_at_open = 0;    // messages met before the file was opened
    // Its lines are taken from (or written to) the kept file's trace.
    IncludeTrace* trace = nullptr;
    uint32_t trace_at = IncludeTrace::kStart;  // the last line taken or written
    bool trace_recording = false;
    bool whole_tried = false;    // its entry as a whole was looked at
};

// Lets the macro index be searched with a string_view, without a copy.
struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// A header's whole reading while it is noted.
struct WholeCapture {
    std::shared_ptr<KeptFile> file;
    IncludeTrace* trace = nullptr;
    size_t depth = 0;             // the include stack's size while the header is current
    int base = 0;                 // its conditional base
    int messages = 0;             // messages met before it
    int state_before = 0;         // the conditional state at its base
    bool spoilt = false;          // it did something no entry holds
    WholeEntry entry;
    // what was noted once: names, include names, guard paths, files
    using Names = std::unordered_set<std::string, NameHash, std::equal_to<>>;
    Names names, keys, guards, files;
    std::string progress_file;    // whose lines the last progress was of
};

// A line as the scanner takes it from its line source.
struct ScannedLine {
    std::string text;
    std::string comment;
    int line = 0;
    int include_depth = 0;
    bool expanded = false;  // control macros already expanded by the line source
};


struct AnalysisState {
    const AnalysisProfile* profile = &kNotarixAnalysis;
    AnalysisSettings settings;
    AnalysisHooks hooks;
    int abort_request = 0;       // set by the converter when the user cancelled

    // string pool
    std::vector<char*> pool_blocks;
    size_t pool_fill = 0;        // fill position in the newest block
    int pool_fail_after = -1;    // test hook: blocks still allowed (-1 = no limit)

    // open-file table
    // Files opened for writing ("w") gather their lines and write a block at
    // a time; the close writes the rest and reports a failure of any write.
    struct OpenFile {
        int in_use = 0;
        int handle = -1;
        bool buffered = false;
        OutputBuffer output;
        std::string name;             // as opened: a failure names the file
        bool failure_shown = false;   // its write failure is in the error file
    };
    OpenFile open_files[30];

    // error file
    std::string error_file;
    int delete_on_failure = 1;
    int warnings_flag = 0;
    int errors_flag = 0;         // set by every error line written
    int heading_flag = 0;
    int failing_file_number = 0;
    int messages_met = 0;        // every message of the run, written or not
    int error_file_failed = 0;   // a line could not be written (a full disk)
    // The error file stays open for appending from the run's first message
    // to its end (or until the file is removed or renamed).
    int error_handle = -1;
    std::string error_handle_name;

    // source reader
    SourceFile current;
    std::vector<SourceFile> include_stack;
    std::string source_directory;
    int in_comment = 0;
    int line_start_in_comment = 0;
    std::vector<std::string> ignore_list;
    // The run's include look-ups: the path a written name was found under
    // ("" when it was not), and the headers read whole inside a guard, with
    // its name: such a header is not read again while its guard is defined.
    std::unordered_map<std::string, std::string> include_answers;
    std::unordered_map<std::string, std::string> guarded_headers;
    std::string guard_line;      // the line being watched, before its directive acts
    // The line being split, when it comes from a kept file: where its
    // expansion is kept.
    KeptFile* line_file = nullptr;
    size_t line_start = 0;
    // The kept form of the line just split (nullptr when it is not kept), and
    // of the line whose directive is being acted on.
    KeptLine* split_kept = nullptr;
    KeptLine* line_kept = nullptr;
    // The trace line being written while a line is read (macro look-ups and
    // changes go there), and whether the line did something no trace holds.
    TraceLine* trace_capture = nullptr;
    IncludeTrace* capture_trace = nullptr;
    bool trace_untracked = false;
    // Set while the scanner asks for a line at the start of a unit with
    // nothing pending, for a caller that drops the units of include files:
    // a header can be entered whole there. The headers whose whole reading
    // is being noted, outermost first.
    bool unit_start_read = false;
    bool header_units_dropped = false;
    std::vector<WholeCapture> whole_captures;

    // Buffers the per-line work reuses, so that a line costs no allocation.
    struct CommentRange {
        int from = 0;
        int to = 0;
    };
    struct LineScratch {
        std::vector<CommentRange> comment_ranges;  // of the line being split
        std::vector<unsigned char> marks;
        std::string code;
        std::string text;
        ScannedLine next;        // the scanner's line just read
        std::string head;        // the unit being cut
        std::string unit_comment;
        std::string expanded;    // a line with its tabs expanded
        std::vector<unsigned char> statement_literals;  // the statement being split
        std::vector<unsigned char> body_literals;       // a text whose brace bodies go
        std::vector<unsigned char> head_literals;       // a head whose name is looked for
        std::string aggregate_name;
        std::string stripped;
    };
    LineScratch scratch;

    // conditionals
    int cond_depth = 0;
    int cond_state[20] = {};
    int cond_saved_brace[20] = {};
    int cond_marker[20] = {};

    // macros: list in definition order (a removed one leaves its place empty
    // until the list is compacted), with an index by name of the rest, whose
    // keys lie in the nodes; a definition is shared with the traces and kept
    // lines that hold it
    std::vector<std::shared_ptr<const MacroNode>> macros;
    std::unordered_map<std::string_view, size_t, NameHash, std::equal_to<>> macro_index;
    int control_macro_count = 0;        // macros of control kind above 0
    // The lengths (63 for longer) and first characters of every control
    // macro defined since the table was cleared: a word that matches
    // neither needs no look-up where only control macros count.
    uint64_t control_name_lengths = 0;
    uint64_t control_name_starts[2] = {};

    // scanner
    std::string pending_line;
    std::string pending_comment;
    int pending_line_number = 0;
    int pending_include_depth = 0;
    int pending_expanded = 0;           // control macros already expanded in pending_line
    int line_expanded = 0;              // set by the line source when it expanded its line
    int brace_depth = 0;
    std::vector<ScannerLevel> levels;   // index = depth
    int else_may_follow = 0;
    int else_depth = 0;
    std::vector<ScannerScope> scopes;   // innermost last
    // In a member list: 1 after a member function's head (its body comes
    // next), 2 inside that body.
    int member_body = 0;
    // The pending line begins with a class's declaration put together again
    // at its closing brace; the rest of that line stands on resume_line_number.
    bool aggregate_rebuilt = false;
    int resume_line_number = 0;
    bool comment_for_next = false;      // the unit just cut leaves its line's comment to the next
    // The part of a long pending line past its window, from pending_rest_at.
    std::string pending_rest;
    size_t pending_rest_at = 0;
    int asm_block_depth = 0;            // brace depth of an open _asm block, 0 = none
    int asm_statement_open = 0;
    int end_reported = 0;
};

extern AnalysisState g_analysis;

// Back to the state of a fresh process with the given profile: no files,
// an empty pool, default settings, nothing pending.
void reset_analysis_state(const AnalysisProfile& profile);

// Defaults of the settings, as a converter run starts with them.
void reset_analysis_settings();
