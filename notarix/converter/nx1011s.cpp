// The converter driver: options, keyword file, the order of the steps,
// temporary result files and the status of the run.

#include "notarix/converter/nx1011s.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "common/analysis/analysis_state.h"
#include "common/analysis/converter_host.h"
#include "common/analysis/converter_kit.h"
#include "common/analysis/messages.h"
#include "common/analysis/option_numbers.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/result_files.h"
#include "common/analysis/scanner.h"
#include "common/analysis/support.h"
#include "common/analysis/text_utils.h"
#include "notarix/converter/converter_state.h"
#include "platform/kernel/file_io.h"

namespace fspec {

State g_spec;

namespace {

const KeywordEntry kDefaultKeywords[kKeywordCount] = {
    {"NAME", kPartName, 0, {}},         {"FUNCTION", kPartFunction, 0, {}}, {"PROCESS", kPartProcess, 0, {}},
    {"INPUT(EXT)", kPartInput, 0, {}},  {"INPUT", kPartInput, 1, {}},       {"OUTPUT(EXT)", kPartOutput, 0, {}},
    {"OUTPUT", kPartOutput, 1, {}},     {"UPDATE(EXT)", kPartUpdate, 0, {}}, {"UPDATE", kPartUpdate, 1, {}},
    {"RETURN", kPartReturn, 0, {}},     {"REMARKS", kPartRemarks, 0, {}},   {"FILE", kPartFile, 0, {}},
    {"PROGRAMMED", kPartProgrammed, 0, {}}, {"DATE(ORG)", kPartDate, 0, {}}, {"DATE", kPartDate, 0, {}},
    {"INCLUDE", kPartInclude, 0, {}},   {"CALL", kPartCall, 0, {}},
};

// "-m", "-mh", "-mf": the counter format lives in the pool like every text
// of the run. 1 accepted, 0 refused, -60.
int parse_counter_element(std::string_view rest) {
    Settings& s = g_spec.settings;
    const bool accepted = parse_counter_option(rest, kNotarixConverter.counter, s.counter);
    if (pool_copy_string("") == nullptr) return kCodeNoMemoryConverter;
    s.counter_format.clear();
    return accepted ? 1 : 0;
}

// One option element (after its "-"). 1 accepted, 0 refused, -60.
int parse_option(std::string_view element) {
    Settings& s = g_spec.settings;
    char letter = element.size() > 1 ? element[1] : '\0';
    std::string_view rest = element.size() > 2 ? element.substr(2) : std::string_view{};
    int value;
    switch (letter) {
        case 'X':
            s.interface_code = rest.size() == 4 && all_digits(rest) ? digits_in_range(rest, 0, 9999) : -1;
            return 1;
        case 'd':
            if ((value = digits_in_range(rest, 0, 4)) < 0) return 0;
            s.analysis.macro_level = value;
            return 1;
        case 'H':
            if ((value = digits_in_range(rest, 0, 1)) < 0) return 0;
            s.head_split = value;
            return 1;
        case 'f':
            if (rest == "r") s.repeat_tags = 1;
            else if (rest == "e") s.repeat_tags = 0;
            else return 0;
            return 1;
        case 'e':
            if (rest.empty()) return 0;
            s.error_file.assign(rest);
            s.error_file_number = get_file_number(s.error_file.c_str());
            return 1;
        case 'v':
            s.analysis.verbosity = loose_decimal(rest);
            return 1;
        case 'm':
            return parse_counter_element(rest);
        case 'D': {
            if (rest.empty()) return 0;
            size_t eq = rest.find('=');
            return eq != std::string_view::npos && eq + 1 == rest.size() ? 0 : 1;
        }
        case 'W':
            if (rest.size() != 1 || (value = digits_in_range(rest, 0, 3)) < 0) return 0;
            s.warning_level = value;
            return 1;
        case 'i':
            return parse_include_option(rest, kNotarixConverter, s.analysis) ? 1 : 0;
        case 'p':
            if ((value = digits_in_range(rest, 0, 1)) < 0) return 0;
            s.retag_external = value;
            return 1;
        default:
            return 0;
    }
}

// The directory of a path up to and including its last separator, or "".
std::string directory_of(const std::string& path) {
    int cut = find_last_path_separator(path.c_str());
    return cut >= 0 ? path.substr(0, static_cast<size_t>(cut) + 1) : std::string{};
}

bool can_read(const std::string& path) { return can_read_file(path); }

// The claimed temporary is opened and stays open: it is the one the results go to.
bool can_create(OutputFile& file) {
    file.handle = open_tracked_file(file.temp_name.c_str(), "w");
    return file.handle >= 0;
}

void close_outputs_unwritten() {
    for (OutputFile* file : {&g_spec.fss, &g_spec.fsm, &g_spec.flt}) {
        if (file->handle >= 0) close_tracked_file(file->handle);
        file->handle = -1;
    }
}

// The run may not write over its source or keyword file, nor put its
// messages there; false after the clash is reported.
bool output_names_clear() {
    const Settings& s = g_spec.settings;
    std::vector<std::string> outputs = {s.error_file};
    for (const OutputFile* file : {&g_spec.fss, &g_spec.fsm, &g_spec.flt}) {
        outputs.push_back(file->temp_name);
        outputs.push_back(file->final_name);
    }
    const std::string keywords = s.error_file.empty() ? std::string{} : directory_of(s.error_file) + "nx1000.kwd";
    g_analysis.error_file = s.error_file;
    if (check_names_against_inputs(outputs, {s.source, keywords}, true)) return true;
    // nothing of this run may be removed at its end: these names are inputs
    for (OutputFile* file : {&g_spec.fss, &g_spec.fsm, &g_spec.flt}) file->temp_name.clear();
    return false;
}

enum class FilesOpened { kOk, kRefused, kNameClash, kNameTaken };

// Step 3: the source must be readable and the temporaries creatable.
FilesOpened open_converter_files(std::string& keyword_path) {
    Settings& s = g_spec.settings;
    if (find_extension_dot(s.source) < 0) replace_extension(s.source, ".c");
    // every name built before any is kept: a name left equal to the source
    // by a failure half way would be removed with the temporaries
    struct Names {
        OutputFile* file;
        const char* temp_extension;
        const char* final_extension;
        std::string temp_name, final_name;
    };
    Names names[3] = {{&g_spec.fss, ".$ts", ".fss", s.source, s.source},
                      {&g_spec.fsm, ".$tm", ".fsm", s.source, s.source},
                      {&g_spec.flt, ".$tt", ".flt", s.source, s.source}};
    for (Names& n : names) {
        replace_extension(n.temp_name, n.temp_extension);
        replace_extension(n.final_name, n.final_extension);
    }
    for (Names& n : names) {
        n.file->temp_name = std::move(n.temp_name);
        n.file->final_name = std::move(n.final_name);
    }
    if (!output_names_clear()) return FilesOpened::kNameClash;
    const bool readable = can_read(s.source);
    // the names are gathered outside the condition: GCC's address sanitizer
    // takes the unwinding of a temporary list inside "&&" for a use after
    // scope. Each is claimed: a second run of the source is refused here.
    const std::vector<std::string> work_names = {g_spec.fss.temp_name, g_spec.fsm.temp_name, g_spec.flt.temp_name};
    if (readable && !claim_work_names(work_names, true)) {
        // what stands under the work names is not this run's to remove
        for (OutputFile* file : {&g_spec.fss, &g_spec.fsm, &g_spec.flt}) file->temp_name.clear();
        return FilesOpened::kNameTaken;
    }
    if (!readable || !can_create(g_spec.fss) || !can_create(g_spec.fsm) || !can_create(g_spec.flt)) {
        close_outputs_unwritten();
        if (!s.error_file.empty()) delete_file(s.error_file.c_str());
        return FilesOpened::kRefused;
    }
    keyword_path.clear();
    if (!s.error_file.empty()) {
        // one that cannot be read is no keyword file: its reading says so
        keyword_path = directory_of(s.error_file) + "nx1000.kwd";
    }
    return FilesOpened::kOk;
}

int open_output(OutputFile& file) {
    if (file.handle < 0) file.handle = open_tracked_file(file.temp_name.c_str(), "w");
    file.number = get_file_number(file.temp_name.c_str());
    return file.handle >= 0 ? kCodeOk : -100;
}

// 0, or -58 with the failing file number recorded.
int close_output(OutputFile& file) {
    if (file.handle < 0) return 0;
    int r = close_tracked_file(file.handle);
    file.handle = -1;
    if (r == 0) return 0;
    g_analysis.failing_file_number = file.number;
    return kCodeCannotWrite;
}

// Puts the three finished temporaries in place of the results, all or none.
bool replace_results() {
    const std::vector<ResultFile> files = {{g_spec.fss.temp_name, g_spec.fss.final_name},
                                           {g_spec.fsm.temp_name, g_spec.fsm.final_name},
                                           {g_spec.flt.temp_name, g_spec.flt.final_name}};
    int failed = commit_result_files(files);
    if (failed < 0) return true;
    report_converter_message(kMessageError, kCodeCannotWrite, kMsgCannotWrite, files[failed].result);
    return false;
}

// Step 15: results in place on success, temporaries removed otherwise.
int finish_converter_outputs(int status) {
    if (g_spec.fss.temp_name.empty()) return status;  // the vector was refused
    close_outputs_unwritten();  // left open by a run that stopped early
    status = status_after_error_file(status, kFunctionSpecDone, kFunctionSpecWarnings, kFunctionSpecWriteFailure);
    if (status == kFunctionSpecDone || status == kFunctionSpecWarnings) {
        if (replace_results()) return status;
        return kFunctionSpecWriteFailure;
    }
    discard_work_files({{g_spec.fss.temp_name, g_spec.fss.final_name},
                        {g_spec.fsm.temp_name, g_spec.fsm.final_name},
                        {g_spec.flt.temp_name, g_spec.flt.final_name}});
    return status;
}

int write_failure_status() { return g_analysis.failing_file_number * 16 + 15; }

// Status of a run that left steps 2 to 6 early with the given code.
int early_status(int code) {
    if (code == kCodeNoMemoryConverter) return kFunctionSpecNoMemory;
    // an error file that cannot be made is a file that cannot be written
    if (code == kCodeErrorFileOpen) g_analysis.failing_file_number = g_spec.settings.error_file_number;
    if (code == kCodeCannotWrite || code == kCodeErrorFileOpen) return write_failure_status();
    return g_spec.status != 0 ? g_spec.status : kFunctionSpecErrors;
}

void apply_analysis_settings() {
    apply_analysis_options(g_spec.settings.analysis, g_spec.settings.counter);
    g_analysis.hooks.on_line = show_line_progress;
    g_analysis.hooks.on_file = announce_current_file;
}

// Steps 3 to 14 of an accepted vector.
int convert(int argc, char** argv) {
    std::string keyword_path;
    const FilesOpened opened = open_converter_files(keyword_path);
    if (opened == FilesOpened::kNameClash) return kFunctionSpecBadCall;
    if (opened == FilesOpened::kNameTaken) return write_failure_status();
    if (opened != FilesOpened::kOk) return early_status(0);

    int code = read_heading_keywords(keyword_path);
    if (code <= -50) return early_status(code);

    g_analysis.error_file = g_spec.settings.error_file;
    apply_analysis_settings();
    code = reset_scanner_state(kResetState | kResetErrorFile);
    if (code <= -50) return early_status(code);

    code = open_source_file(g_spec.settings.source.c_str());
    if (code != kCodeOk) return early_status(code);

    code = open_output(g_spec.fss);
    if (code == kCodeOk) code = open_output(g_spec.flt);
    if (code == kCodeOk) code = open_output(g_spec.fsm);
    if (code == kCodeOk) code = write_output_line("-----< C function list >-----\n", g_spec.flt.handle, g_spec.flt.number);
    if (code >= 0) code = define_option_macros(argc, argv);
    if (code > -50) code = init_builder_state();
    if (code > -50) code = build_function_specs();

    int r = close_all_source_files();
    if (r <= -50) code = r;
    r = close_source_file();
    if (r <= -50) code = r;
    // a source without a function gives an empty document, with a word why
    if (code > -50 && g_spec.functions == 0) {
        r = raise_warning(10, kMsgNoFunction);
        if (r <= -50) code = r;
    }
    for (OutputFile* file : {&g_spec.fss, &g_spec.fsm, &g_spec.flt})
        if (close_output(*file) != 0) code = kCodeCannotWrite;

    if (code == kCodeCannotWrite) return write_failure_status();
    int status = g_spec.status;
    if (code <= -50) status = kFunctionSpecErrors;
    // an error that did not stop the run still gets the error window offered
    if (status == 0 && (g_analysis.warnings_flag != 0 || g_analysis.errors_flag != 0))
        status = kFunctionSpecWarnings;
    return status;
}

}  // namespace

void reset_converter_state() {
    g_spec.settings = Settings{};
    for (int i = 0; i < kKeywordCount; ++i) {
        g_spec.keywords[i] = kDefaultKeywords[i];
        g_spec.keywords[i].word = kDefaultKeywords[i].key;
        g_spec.keywords[i].given = false;
    }
    g_spec.builder = Builder{};
    g_spec.fss = g_spec.fsm = g_spec.flt = OutputFile{};
    g_spec.fss_line = 0;
    g_spec.functions = 0;
    g_spec.phase = 0;
    g_spec.status = 0;
    g_spec.last_permille = -1;
}

int parse_converter_options(int argc, char** argv) {
    if (argc <= 1 || argv == nullptr || (argv[1] != nullptr && std::string_view(argv[1]) == "-help")) return 0;
    bool refused = false;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == nullptr || argv[i][0] == '\0') continue;
        std::string_view element(argv[i]);
        if (element[0] == '-') {
            int r = parse_option(element);
            if (r == kCodeNoMemoryConverter) return r;
            if (r == 0) refused = true;
        } else {
            g_spec.settings.source.assign(element);
            ++positional;
        }
    }
    if (g_spec.settings.interface_code != kFunctionSpecInterfaceCode || positional != 1) return 0;
    return refused ? 0 : 1;
}

int define_option_macros(int argc, char** argv) { return define_macro_options(macro_option_texts(argc, argv)); }

int read_heading_keywords(const std::string& path) {
    std::vector<std::string> lines;
    if (path.empty() || !read_control_lines(path, kNotarixConverter, lines)) return kCodeOk;
    std::string key, value;
    for (const std::string& line : lines) {
        // "INPUT(EXT)" is a key too: it runs up to the "="
        if (!split_keyword_line(line, true, key, value)) continue;
        for (KeywordEntry& entry : g_spec.keywords) {
            if (entry.given || entry.word != entry.key || key != entry.key) continue;
            if (pool_copy_string(value) == nullptr) return kCodeNoMemoryConverter;
            entry.word = value;
            entry.given = true;
            break;
        }
    }
    return kCodeOk;
}

// --- progress ---------------------------------------------------------------------

namespace {
void report(const std::string& text) {
    if (host_report_progress(text.c_str(), get_progress_permille()) == -1) g_analysis.abort_request = 1;
}

std::string line_counter_text(char letter, int value, bool with_newline) {
    const Settings& s = g_spec.settings;
    if (s.counter_format.empty()) return {};
    std::string text = counter_text(s.counter, letter, value);
    if (with_newline && s.counter.first == 0) text += '\n';
    return text;
}
}  // namespace

void show_line_progress(int line, int force) {
    const CounterOption& counter = g_spec.settings.counter;
    if (!host_takes_progress()) return;
    if (counter.on() && !counter_due(counter, line, force)) return;
    if (!counter.on()) {
        // no text to show: only a new per-mille value is news
        const int permille = get_progress_permille();
        if (permille == g_spec.last_permille) return;
        g_spec.last_permille = permille;
    }
    char letter = g_analysis.include_stack.empty() ? 'C' : 'H';
    report(counter.on() ? line_counter_text(letter, line, true) : std::string{});
}

void show_phase_progress(const char* name) {
    const std::string base = base_name_of(name != nullptr ? name : "");
    ++g_spec.phase;
    if (g_spec.settings.counter.first == 0) report(line_counter_text(' ', 0, false));
    char head[32];
    std::snprintf(head, sizeof head, "(%2d/%2d:", g_spec.phase, 1);
    std::string text = head;
    text.append(base);
    if (base.size() < 10) text.append(10 - base.size(), ' ');
    text += ')';
    report(text);
}

void announce_current_file(const char*) {}

}  // namespace fspec

using namespace fspec;

int run_function_spec_converter(int argc, char** argv) {
    begin_converter_run(kNotarixConverter);
    reset_converter_state();

    const int status = run_within_memory(
        [&]() -> int {
            int code = parse_converter_options(argc, argv);
            int status = kFunctionSpecBadCall;
            if (code == 1) {
                status = convert(argc, argv);
            } else {
                g_spec.status = kFunctionSpecBadCall;
                if (code == kCodeNoMemoryConverter) status = kFunctionSpecNoMemory;
            }
            return finish_converter_outputs(status);
        },
        [] { finish_converter_outputs(kFunctionSpecNoMemory); },
        kFunctionSpecNoMemory);
    g_spec.status = status;
    end_converter_run();
    return status;
}
