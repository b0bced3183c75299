// Internals of the converter nx1011s shared by the driver, the document
// builder and the tests: one state record, reset at the start of every run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/analysis/converter_kit.h"

namespace fspec {

// Part kinds of the heading words; also the record tags written.
enum PartKind : int {
    kPartNone = 0,
    kPartName = 1,
    kPartFunction = 2,
    kPartProcess = 3,
    kPartInput = 4,
    kPartOutput = 5,
    kPartUpdate = 6,
    kPartReturn = 7,
    kPartProgrammed = 8,
    kPartDate = 9,
    kPartInclude = 10,
    kPartCall = 11,
    kPartFile = 12,
    kPartRemarks = 13,
    kPartContinuation = 14,
};

inline constexpr int kKeywordCount = 17;
inline constexpr size_t kRecordBufferSize = 9744;  // one function's records
inline constexpr int kRecordCut = 250;             // bytes kept of a written record

struct KeywordEntry {
    const char* key;
    int kind;
    int takes_ext;     // a following "(EXT)" belongs to the heading
    std::string word;  // what the user writes in comments
    bool given = false;
};

struct Settings {
    std::string error_file;
    int error_file_number = 15;
    AnalysisOptions analysis;    // "-v", "-d", "-i"
    int head_split = 0;
    int repeat_tags = 0;
    CounterOption counter;       // its first value: a newline after each counter when 0
    std::string counter_format;  // "%d" of the width, "%c%d" one narrower, "\n" when asked
    int warning_level = 2;
    int retag_external = 1;
    int interface_code = -1;
    std::string source;
};

struct Builder {
    bool in_head = false;
    int head_line = 0;
    std::string head_name_record;  // "NAM:" + the name made from the head
    std::string function_name;     // for the list
    std::string purpose;           // for the list, at most 80 bytes
    bool function_seen = false;
    int previous_kind = 0;         // kind of the item just handled
    int last_kind = 0;             // last kind that was not a continuation
    int parameter_lines = 0;
    std::string pending;           // a struct or enum declaration being gathered
    bool head_started = false;
    std::vector<std::string> comment_records;  // tag + text, no newline
    std::vector<std::string> head_records;
    size_t used = 0;                // bytes of the record buffer in use
    std::string plain, written;     // a record's lines as they go out, record after record
};

struct OutputFile {
    std::string temp_name;
    std::string final_name;
    int handle = -1;
    int number = 15;
};

struct State {
    Settings settings;
    KeywordEntry keywords[kKeywordCount];
    Builder builder;
    OutputFile fss, fsm, flt;
    int fss_line = 0;
    int functions = 0;  // lines of the function list written
    int phase = 0;
    int status = 0;
    int last_permille = -1;  // of the last line progress without a counter
};

extern State g_spec;

// Defaults of every setting, the keyword table and the builder.
void reset_converter_state();

// 1 accepted, 0 refused, -60 out of memory.
int parse_converter_options(int argc, char** argv);
// 1, or -60 when a value could not be kept.
int read_heading_keywords(const std::string& path);
int define_option_macros(int argc, char** argv);

// --- document builder ---------------------------------------------------------
int init_builder_state();
void reset_function_state();
// -1 at the normal end of the source, else the code that ended the loop.
int build_function_specs();
// Part kind of one comment line; text is left holding what follows the heading.
int classify_comment_line(std::string& text);
// "NAM:" + the function's name made from a head.
std::string make_name_record(std::string_view head);
// Cuts a head after the first top-level ")" that has text behind it.
std::string cut_head_text(std::string_view head);
// The head records of a head (split or whole) or of an old-style parameter line.
std::vector<std::string> head_records_for(std::string_view text, int head_split, int repeat_tags,
                                          int& parameter_lines);
int is_external_item(std::string_view record, std::string_view first_head_record);
// The .fsm lines of one record (each with its newline).
std::string summary_lines(std::string_view record);
void summary_lines_into(std::string_view record, std::string& out);
// A record cut to 250 bytes at a character boundary.
std::string cut_record(std::string_view record);

// --- progress -------------------------------------------------------------------
void show_line_progress(int line, int force);
void show_phase_progress(const char* name);
void announce_current_file(const char* name);

}  // namespace fspec
