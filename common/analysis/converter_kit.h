// What the three built-in converter drivers share: the counter option and its
// text, "-D" macros, "-i" modes, the options they hand on to the analysis,
// control files read into lines, keyword lines, the run's frame and the
// top-level comma split. Where the programs differ, their ConverterProfile
// says so.
#pragma once

#include <cstdint>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "common/analysis/analysis_state.h"

// How a program reads the numbers after "-m", "-mh" or "-mf".
struct CounterGrammar {
    int fields_required;       // numbers that must stand before the element may end
    bool width_may_be_empty;   // "a:b:" and "a:b::d" leave the width as it was
};

struct ConverterProfile {
    const AnalysisProfile* analysis;
    CounterGrammar counter;
    bool include_option_may_be_empty;  // "-i" alone is accepted and changes nothing
    size_t control_line_limit;         // bytes kept of a control-file line; 0 keeps it whole
};

extern const ConverterProfile kNotarixConverter;
extern const ConverterProfile kGravletConverter;
extern const ConverterProfile kOrbalineConverter;

// --- the run's frame ------------------------------------------------------------

// A fresh analysis with the program's profile; the pool's test limit belongs to
// the caller and survives the reset. The run's folders are listed once
// (a listing scope of the file layer) until its end.
void begin_converter_run(const ConverterProfile& profile);
// Nothing of the run stays open or allocated for the caller.
void end_converter_run();

// Runs a step of a converter: an allocation that fails anywhere inside (a
// huge line, a limit on the process) ends the step with `no_memory` instead
// of ending the program that hosts the converter.
template <class Step>
int run_within_memory(Step&& step, int no_memory) {
    try {
        return step();
    } catch (const std::bad_alloc&) {
        return no_memory;
    } catch (const std::length_error&) {
        return no_memory;
    }
}

// The same, with what a run left half done put right when memory ran out:
// `clean_up` (guarded too) removes the work files and closes what is open.
template <class Step, class CleanUp>
int run_within_memory(Step&& step, CleanUp&& clean_up, int no_memory) {
    const int status = run_within_memory(step, no_memory);
    if (status == no_memory) run_within_memory([&] { return clean_up(), 0; }, no_memory);
    return status;
}

// A run that would end well (`done` or `warnings`) after a line of its error
// file was lost ends as a write failure instead: its user would never learn
// of the message. Any other status stands.
int status_after_error_file(int status, int done, int warnings, int write_failure);

// --- counter option -------------------------------------------------------------

// "-m", "-mh", "-mf" [first[:second[:width[:step]]]]: counter-style progress.
struct CounterOption {
    int mode = 0;        // 0 off, 1 "-m", 2 "-mh", 3 "-mf"
    int first = -1;      // NOTARIX's newline value, ORBALINE's row (0..99)
    int second = -1;     // kept, no effect (0..199)
    int width = 5;       // 1..60
    int step = 1;        // 1..100
    bool on() const { return mode != 0; }
};

// The text after "-m": the mode letter and the numbers. Every element resets
// the counter before it is read. True when accepted.
bool parse_counter_option(std::string_view rest, const CounterGrammar& grammar, CounterOption& counter);

// Mode 1 the value right-aligned in the width; modes 2 and 3 the letter and
// the value in one column less.
std::string counter_text(const CounterOption& counter, char letter, int value);

// True when a line's counter is due: every step-th line, or when forced.
bool counter_due(const CounterOption& counter, int line, int force);

// --- options handed to the analysis --------------------------------------------

// One spelling for the options every converter passes on to the source
// reader and scanner, with their common defaults.
struct AnalysisOptions {
    int include_quoted = 1;     // first digit of "-i": 0..2
    int include_angle = 0;      // second digit of "-i": 0..2
    int asm_handling = 1;       // third digit of "-i": 0..1
    int macro_level = 3;        // control-macro expansion 0..4
    int conditional_mode = 2;   // "-PP": 0..2
    int verbosity = 1;          // "-v"
};

// The text after "-i": up to three digits within 2, 2 and 1. True when
// accepted; a refused text changes nothing.
bool parse_include_option(std::string_view rest, const ConverterProfile& profile, AnalysisOptions& options);

// Copies the options into the analysis settings; the counter switches the
// reader's line progress on.
void apply_analysis_options(const AnalysisOptions& options, const CounterOption& counter);

// --- "-D" macros ----------------------------------------------------------------

// The texts after "-D" of the vector's "-D" elements that hold more than "-D".
std::vector<std::string_view> macro_option_texts(int argc, char** argv);

// Defines each "NAME" (empty body) or "NAME=body"; a text without a name is
// passed over. A failure does not stop the others; the last one is returned:
// -60 out of memory, -58 the error file failed (its number recorded), -100
// anything else; 1 when all went in.
int define_macro_options(const std::vector<std::string_view>& texts);

// --- control files --------------------------------------------------------------

// True when the file opens for reading (it is closed again at once).
bool can_read_file(const std::string& path);

// The whole file as it reads in text mode; false when it cannot be opened, a
// read fails or it holds more than `limit` bytes (nothing more is read then).
bool read_control_text(const std::string& path, std::string& content, size_t limit = SIZE_MAX);

// Bytes a control file (keyword file, source list, name list) may hold: far
// more than any real one, and little enough to be held at once.
inline constexpr size_t kControlFileLimit = 16u << 20;

// Hands the file's lines to `take` one at a time as they are read, without
// their line ends (LF or CR LF; a last line without one counts); `take` may
// change the line and returns false to stop. A line longer than the
// profile's limit (without one, LineReader's bound) is cut at a character
// boundary and its rest skipped while reading. False when the file cannot be
// opened, holds more than kControlFileLimit bytes or a read fails.
bool for_each_control_line(const std::string& path, const ConverterProfile& profile,
                           const std::function<bool(std::string&)>& take);

// The same lines gathered, for the small files read whole.
bool read_control_lines(const std::string& path, const ConverterProfile& profile, std::vector<std::string>& lines);

// A keyword-file line "KEY = value": the key is the identifier at the start;
// with `key_to_equals`, when no "=" follows it the key is the text before the
// first "=" instead. False for a line that gives nothing (no identifier at its
// start, no "=", or an empty value).
bool split_keyword_line(std::string_view line, bool key_to_equals, std::string& key, std::string& value);

// --- names of a run -------------------------------------------------------------

// True when one of the outputs leads to the same file as one of the inputs,
// whatever their separators and case (as the file layer resolves them).
// Empty names are passed over; each name is looked up once.
bool names_reach_inputs(const std::vector<std::string>& outputs, const std::vector<std::string>& inputs);

// A run never writes over what it reads: the first work or result name that
// is one of the inputs is reported with E058 naming the input and false
// returned; true when every name is clear. Empty names are passed over. The
// line goes to the error file of the analysis unless that is an input too;
// with `fresh_error_file` it is the first line of a new error file.
bool check_names_against_inputs(const std::vector<std::string>& outputs, const std::vector<std::string>& inputs,
                                bool fresh_error_file);

// Claims the run's work names in order (claim_work_file). A name that
// cannot be claimed (held by a run of the same source still going, taken by
// anything but a plain file, or in a folder where no file can be made) is a
// write failure: it is reported with E058 naming it, its file number
// recorded as the failing one, the names claimed before it let go, and
// false returned; true when every name is the run's. Empty names are passed
// over. With `fresh_error_file` the line is the first of a new error file.
// Nothing is removed that the run did not make.
bool claim_work_names(const std::vector<std::string>& work_names, bool fresh_error_file);

// --- texts ----------------------------------------------------------------------

// The pieces of a declaration between the commas that stand outside
// brackets and literals.
std::vector<std::string_view> split_at_top_level_commas(std::string_view text);

// The part of a path after its last "\" or "/".
std::string base_name_of(const std::string& path);
