// The PAD generator's driver: options, files, the order of the steps, the
// do-loop post-pass, the commit of the results and the status of the run.

#include "gravlet/converter/gx1002s.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "common/analysis/option_numbers.h"
#include "common/analysis/result_files.h"
#include "common/analysis/analysis_state.h"
#include "common/analysis/converter_host.h"
#include "common/analysis/converter_kit.h"
#include "common/analysis/messages.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/scanner.h"
#include "common/analysis/scramble.h"
#include "common/analysis/support.h"
#include "common/analysis/text_utils.h"
#include "gravlet/converter/pad_generator.h"
#include "gravlet/converter/pad_texts.h"
#include "platform/kernel/file_io.h"

namespace pad {

State g_pad;

namespace {

// The whole text as a number in [low, high], or -1.
int whole_number(std::string_view text, int low, int high) {
    size_t pos = 0;
    int value = read_number(text, pos);
    if (value < 0 || pos != text.size()) return -1;
    return value >= low && value <= high ? value : -1;
}

// A single digit in [low, high], or -1.
int single_digit(std::string_view text, int low, int high) {
    if (text.size() != 1) return -1;
    return whole_number(text, low, high);
}

bool name_fits(std::string_view name) { return !name.empty() && name.size() <= kMaxNameLength; }

// "-g", "-gc", "-gl", "-ga" with an optional n and ":m".
int parse_join_option(std::string_view rest) {
    Options& o = g_pad.options;
    o.join_mode = 1;
    if (!rest.empty() && (rest[0] == 'c' || rest[0] == 'l' || rest[0] == 'a')) {
        o.join_mode = rest[0] == 'c' ? 2 : 3;
        o.keep_standalone = rest[0] == 'a';
        o.call_prefix = false;
        rest.remove_prefix(1);
    }
    size_t pos = 0;
    int n = read_number(rest, pos);
    if (n >= 0) o.code_bytes = clamp_int(n, 0, kCodeTextLimit);
    if (pos == rest.size()) return 1;
    if (rest[pos++] != ':') return 0;
    int m = read_number(rest, pos);
    if (m < 0 || pos != rest.size()) return 0;
    o.join_depth = m;
    return 1;
}

// One option (the whole argument). 1 accepted, 0 refused.
int parse_option(std::string_view arg) {
    Options& o = g_pad.options;
    auto starts = [&](std::string_view prefix) { return arg.substr(0, prefix.size()) == prefix; };
    int value;
    if (starts("-X")) {
        std::string_view rest = arg.substr(2);
        o.interface_code = rest.size() == 4 ? whole_number(rest, 0, 9999) : -1;
        return o.interface_code == kPadInterfaceCode ? 1 : 0;
    }
    if (starts("-d")) {
        std::string_view rest = arg.substr(2);
        if (rest.empty()) return 0;
        size_t colon = rest.find(':');
        std::string_view level = rest.substr(0, colon);
        if (!level.empty()) {
            if ((value = single_digit(level, 0, 4)) < 0) return 0;
            o.analysis.macro_level = value;
        }
        if (colon != std::string_view::npos) {
            std::string_view file = rest.substr(colon + 1);
            if (!name_fits(file)) return 0;
            o.ignore_file.assign(file);
        }
        return 1;
    }
    if (starts("-e")) {
        std::string_view rest = arg.substr(2);
        if (!name_fits(rest)) return 0;
        o.error_file.assign(rest);
        o.error_file_number = get_file_number(o.error_file.c_str());
        return 1;
    }
    if (starts("-g")) return parse_join_option(arg.substr(2));
    if (starts("-lm")) {
        std::string_view rest = arg.substr(3);
        if (rest.empty()) return 1;
        if ((value = whole_number(rest, 2, kOptionNumberCeiling)) < 0) return 0;
        o.nest_limit = value;
        return 1;
    }
    if (starts("-ti")) {
        std::string_view rest = arg.substr(3);
        if (rest.empty()) {
            o.zone_mode = 0;
            return 1;
        }
        if ((value = single_digit(rest.substr(0, 1), 0, 3)) < 0) return 0;
        o.zone_mode = value;
        if (rest.size() == 1) return 1;
        if (value != 3 || rest[1] != ':' || !name_fits(rest.substr(2))) return 0;
        o.top_ignore_file.assign(rest.substr(2));
        return 1;
    }
    if (starts("-m")) return parse_counter_option(arg.substr(2), kGravletConverter.counter, o.counter) ? 1 : 0;
    if (starts("-c")) {
        if ((value = whole_number(arg.substr(2), 1, 256)) < 0) return 0;
        o.comment_length = value;
        return 1;
    }
    if (starts("-v")) {
        std::string_view rest = arg.substr(2);
        bool negative = !rest.empty() && rest[0] == '-';
        if (negative) rest.remove_prefix(1);
        if (rest.empty()) {
            o.analysis.verbosity = 0;
            return negative ? 0 : 1;
        }
        size_t pos = 0;
        value = read_number(rest, pos);
        if (value < 0 || pos != rest.size()) return 0;
        o.analysis.verbosity = negative ? -value : value;
        return 1;
    }
    if (arg == "-n") {
        o.line_numbers = true;
        return 1;
    }
    if (arg == "-p0") {
        o.call_prefix = false;
        return 1;
    }
    if (starts("-p1:")) {
        std::string_view rest = arg.substr(4);
        if (!name_fits(rest)) return 0;
        o.ret_proc_file.assign(rest);
        o.call_prefix = true;
        return 1;
    }
    if (arg == "-pa") {
        o.call_prefix = true;
        o.keep_all_calls = true;
        return 1;
    }
    if (arg == "-spd") {
        o.suppress_marked = true;
        return 1;
    }
    if (arg == "--" || arg == "--2") {
        o.directives = arg == "--" ? 1 : 2;
        return 1;
    }
    if (arg == "-ucfc") {
        o.function_list = true;
        return 1;
    }
    if (starts("-D")) return is_identifier_start(byte_at(arg, 2)) ? 1 : 0;
    if (starts("-PP")) {
        if ((value = single_digit(arg.substr(3), 0, 2)) < 0) return 0;
        o.analysis.conditional_mode = value;
        return 1;
    }
    if (starts("-W")) {
        if ((value = single_digit(arg.substr(2), 0, 3)) < 0) return 0;
        o.warning_level = value;
        return 1;
    }
    if (starts("-i")) return parse_include_option(arg.substr(2), kGravletConverter, o.analysis) ? 1 : 0;
    if (starts("-C")) {
        if ((value = single_digit(arg.substr(2), 0, 1)) < 0) return 0;
        o.case_mode = value;
        return 1;
    }
    if (arg == "-Yc") {
        o.bar_joiner = true;
        return 1;
    }
    if (arg == "-SPdw") {
        o.do_post_pass = true;
        return 1;
    }
    return 0;
}

void name_pad_generator_files() {
    Options& o = g_pad.options;
    if (find_extension_dot(o.source) < 0) o.source += ".c";
    // built aside and moved in whole: a name left equal to the source by a
    // failure half way would be removed with the work files
    Files f;
    f.work = f.result = f.list_work = f.list_result = f.do_work = o.source;
    replace_extension(f.work, ".tmp");
    replace_extension(f.result, ".pds");
    replace_extension(f.list_work, ".tmf");
    replace_extension(f.list_result, ".flt");
    replace_extension(f.do_work, ".tmd");
    // the keyword file lies beside the error file, whichever separator names it
    std::string folder;
    int cut = find_last_path_separator(o.error_file.c_str());
    if (cut >= 0) folder = o.error_file.substr(0, static_cast<size_t>(cut) + 1);
    f.keyword = folder + "gx1000.kwd";
    g_pad.files = std::move(f);
}

// The run may not write over the files it reads, nor put its messages there;
// false after the clash is reported (and the names forgotten, so that
// nothing of them is removed).
bool pad_output_names_clear() {
    const Options& o = g_pad.options;
    Files& f = g_pad.files;
    const std::vector<std::string> outputs = {o.error_file, f.work, f.result, f.list_work, f.list_result, f.do_work};
    const std::vector<std::string> inputs = {o.source, f.keyword, o.ignore_file, o.ret_proc_file, o.top_ignore_file};
    g_analysis.error_file = o.error_file;
    if (check_names_against_inputs(outputs, inputs, true)) return true;
    f = Files{};
    return false;
}

int open_pad_generator_files() {
    Options& o = g_pad.options;
    Files& f = g_pad.files;
    if (f.work.size() > kMaxNameLength || f.result.size() > kMaxNameLength) return -50;
    if (!can_read_file(o.source)) return -50;
    const std::vector<std::string> works = {f.work, o.function_list ? f.list_work : std::string{},
                                            o.do_post_pass ? f.do_work : std::string{}};
    if (!claim_work_names(works, false)) {
        // what stands under the work names is not this run's to remove
        f.work.clear();
        f.list_work.clear();
        f.do_work.clear();
        return kCodeCannotWrite;
    }
    // the work files themselves are made when the generation opens them
    if (!can_open_for_writing(f.work.c_str())) return -50;
    if (o.function_list && !can_open_for_writing(f.list_work.c_str())) return -50;
    return kCodeOk;
}

int prepare_generation() {
    State& s = g_pad;
    s.rows.clear();
    s.do_loops.clear();
    s.open_do_loops.clear();
    s.ret_proc_names.clear();
    s.top_ignore_names.clear();
    s.type_names.clear();
    if (!s.options.ret_proc_file.empty()) {
        int r = read_name_list(s.options.ret_proc_file, s.ret_proc_names);
        if (r == -1) return raise_message(kMessageError, -51, kMsgRetProcFile, s.options.ret_proc_file);
        if (r < -49) return r;
    }
    if (s.options.zone_mode == 3 && !s.options.top_ignore_file.empty()) {
        int r = read_name_list(s.options.top_ignore_file, s.top_ignore_names);
        if (r == -1) return raise_message(kMessageError, -53, kMsgTopIgnoreFile, s.options.top_ignore_file);
        if (r < -49) return r;
    }
    static const char* const kTypeWords[] = {"auto",   "extern", "register", "static", "char",     "double", "float",
                                             "int",    "long",   "short",    "unsigned", "signed", "const",  "volatile",
                                             "void",   "enum",   "struct",   "typedef", "union",   "FILE",   "class"};
    for (const char* word : kTypeWords) {
        int r = add_name(s.type_names, word);
        if (r < -49) return r;
    }
    return kCodeOk;
}

void apply_analysis_settings() {
    const Options& o = g_pad.options;
    apply_analysis_options(o.analysis, o.counter);
    g_analysis.settings.ignore_file = o.ignore_file;
    g_analysis.hooks.on_line = show_line_progress_pad;
    g_analysis.hooks.on_file = nullptr;
    // the statement cut of "-g" and the comment length of "-c" bound what
    // the scanner gathers
    g_pad.profile = kGravletAnalysis;
    g_pad.profile.statement_cut = o.code_bytes > 0 ? o.code_bytes : 1;
    g_pad.profile.comment_cut = o.comment_length;
    g_analysis.profile = &g_pad.profile;
}

// --- progress ----------------------------------------------------------------

void report_progress(const std::string& text) {
    if (host_report_progress(text.c_str(), get_progress_permille()) != 0) g_analysis.abort_request = 1;
}

std::string g_first_phase_name;

void show_generation_phase(const std::string& name) {
    if (g_first_phase_name.empty()) g_first_phase_name = name;
    std::string shown = name.empty() ? g_first_phase_name : name;
    char buffer[300];
    std::snprintf(buffer, sizeof buffer, "           <%8s>%s          \r", shown.c_str(), kTextWorking);
    report_progress(buffer);
}

void show_first_counter() {
    if (g_pad.options.counter.first != 0) return;
    std::string text = counter_text(g_pad.options.counter, ' ', 0);
    if (!text.empty()) text.pop_back();
    report_progress(text);
}

// --- results -------------------------------------------------------------------

void delete_work_files() {
    const Files& f = g_pad.files;
    std::vector<ResultFile> works;
    if (!f.work.empty()) works.push_back({f.work, f.result});
    if (!f.list_work.empty() && g_pad.options.function_list) works.push_back({f.list_work, f.list_result});
    if (!f.do_work.empty()) works.push_back({f.do_work, f.work});
    discard_work_files(works);
}

// Puts the work files in place of the results, all or none.
bool commit_work_files() {
    const Files& f = g_pad.files;
    std::vector<ResultFile> files = {{f.work, f.result}};
    if (g_pad.options.function_list) files.push_back({f.list_work, f.list_result});
    const int failed = commit_result_files(files);
    if (failed < 0) return true;
    const std::string& name = files[static_cast<size_t>(failed)].result;
    g_analysis.failing_file_number = get_file_number(name.c_str());
    report_converter_message(kMessageError, kCodeCannotWrite, kMsgCannotWrite, name);
    return false;
}

// Strips the "%04d" line tag that a row carries in the work file.
std::string without_line_tag(const std::string& row) {
    size_t digits = 0;
    while (digits < row.size() && is_digit(row[digits])) ++digits;
    return row.substr(digits);
}

int line_tag_of(const std::string& row) {
    size_t pos = 0;
    int value = read_number(row, pos);
    return value < 0 ? -1 : value;
}

int depth_of(const std::string& row) {
    size_t pos = 0;
    while (pos < row.size() && is_digit(row[pos])) ++pos;
    int depth = 0;
    while (pos < row.size() && row[pos] == '+') ++depth, ++pos;
    return depth;
}

char letter_of(const std::string& row) {
    size_t pos = 0;
    while (pos < row.size() && (is_digit(row[pos]) || row[pos] == '+')) ++pos;
    return pos < row.size() ? row[pos] : '\0';
}

// Turns every D row into an R row that carries its loop's condition, and
// drops the loops whose text stays empty.
int fill_do_loop_conditions() {
    State& s = g_pad;
    std::string content;
    int out = -1;
    const bool read = read_control_text(s.files.work, content);
    if (read) out = open_tracked_file(s.files.do_work.c_str(), "w");
    if (out < 0) {
        report_converter_message(kMessageError, -10, kMsgCannotWrite, read ? s.files.do_work : s.files.work);
        return -50;
    }
    const int out_number = get_file_number(s.files.do_work.c_str());
    const bool keep_tags = s.options.line_numbers;
    size_t pos = 0;
    int in_line = 0, out_line = 0;
    size_t next_loop = 0;
    int dropping_depth = -1;       // the D row's column while its rows are dropped
    int dropped_end_line = -1;     // line of the E row that ended a dropped loop
    int result = kCodeOk;
    while (pos < content.size() && result == kCodeOk) {
        size_t end = content.find('\n', pos);
        if (end == std::string::npos) end = content.size();
        std::string stored = content.substr(pos, end - pos);
        pos = end + 1;
        std::string plain;
        unscramble_line(stored, plain, ++in_line);
        if (in_line == 1) {
            std::string again;
            scramble_line(plain + "\n", again, ++out_line);
            if (write_output_line(again, out, out_number) != 0) result = kCodeCannotWrite;
            continue;
        }
        if (dropping_depth >= 0) {
            if (letter_of(plain) == 'E' && depth_of(plain) == dropping_depth + 1) {
                dropped_end_line = line_tag_of(plain);
                dropping_depth = -1;
            }
            continue;
        }
        if (dropped_end_line >= 0) {
            if (line_tag_of(plain) == dropped_end_line && plain != "/") continue;
            dropped_end_line = -1;
        }
        if (letter_of(plain) == 'D') {
            size_t at = plain.find(':');
            std::string head = plain.substr(0, at);
            std::string text = at == std::string::npos ? std::string{} : plain.substr(at + 1);
            std::string condition = next_loop < s.do_loops.size() ? s.do_loops[next_loop].condition : std::string{};
            ++next_loop;
            std::string joined = join_row_texts(text, condition);
            std::string cleaned;
            for (char c : joined)
                if (c != kPlaceholder) cleaned += c;
            trim_trailing_blanks(cleaned);
            if (cleaned.empty()) {
                dropping_depth = depth_of(plain);
                continue;
            }
            head[head.size() - 1] = 'R';
            plain = head + ":" + cleaned;
        }
        if (!keep_tags && plain != "/") plain = without_line_tag(plain);
        std::string cleaned;
        for (char c : plain)
            if (c != kPlaceholder) cleaned += c;
        std::string again;
        scramble_line(cleaned + "\n", again, ++out_line);
        if (write_output_line(again, out, out_number) != 0) result = kCodeCannotWrite;
    }
    // the lines gathered in the buffer reach the file here: a full disk shows now
    int closed = close_tracked_file(out);
    if (result == kCodeOk && closed != 0) {
        g_analysis.failing_file_number = out_number;
        result = kCodeCannotWrite;
    }
    if (result != kCodeOk) {
        discard_work_files({{s.files.do_work, s.files.work}});
        return result;
    }
    if (rename_work_file(s.files.do_work, s.files.work) != 0) {
        discard_work_files({{s.files.do_work, s.files.work}});
        return -50;
    }
    return kCodeOk;
}

int status_of(int code) {
    if (code == kCodeNoMemoryConverter || code == kCodeNoMemory) return kPadNoMemory;
    if (code == kCodeCannotWrite) return g_analysis.failing_file_number * 16 + 15;
    return kPadErrors;
}

// 1, or -58 with the failing file number recorded.
int close_work_file(int& handle, int number) {
    if (handle < 0) return kCodeOk;
    int r = close_tracked_file(handle);
    handle = -1;
    if (r == 0) return kCodeOk;
    g_analysis.failing_file_number = number;
    return kCodeCannotWrite;
}

// Steps after an accepted vector; the status of the run.
int generate(int argc, char** argv) {
    State& s = g_pad;
    const Options& o = s.options;

    name_pad_generator_files();
    if (!pad_output_names_clear()) return kPadBadCall;
    // this run's messages start from an empty error file
    if (!o.error_file.empty()) {
        g_analysis.error_file = o.error_file;
        // an error file that cannot be made is a file that cannot be written
        if (!start_error_file(o.error_file.c_str())) return get_file_number(o.error_file.c_str()) * 16 + 15;
    }
    apply_analysis_settings();

    int code = open_pad_generator_files();
    // from here on every failure removes the work files
    auto fail = [](int status) {
        delete_work_files();
        return status;
    };
    if (code == -50) return fail(kPadErrors);
    if (code == kCodeCannotWrite) return status_of(code);
    if (code < -49) return fail(status_of(code));
    code = read_pad_heading_keywords(s.files.keyword);
    if (code < -49) return fail(status_of(code));
    code = prepare_generation();
    if (code < -49) return fail(status_of(code));
    code = reset_scanner_state(kResetState);
    if (code < -49) return fail(status_of(code));
    code = define_macro_options(macro_option_texts(argc, argv));
    if (code < -49) return fail(status_of(code));

    if (!o.counter.on() && o.analysis.verbosity > 0) show_generation_phase(base_name_of(o.source));
    else if (o.counter.mode == 3) show_first_counter();

    code = open_source_file(o.source.c_str());
    if (code != kCodeOk) return fail(code < -49 ? status_of(code) : kPadErrors);

    s.work_handle = open_tracked_file(s.files.work.c_str(), "w");
    if (s.work_handle >= 0 && o.function_list) s.list_handle = open_tracked_file(s.files.list_work.c_str(), "w");
    if (s.work_handle < 0 || (o.function_list && s.list_handle < 0)) {
        close_work_file(s.work_handle, 15);
        close_work_file(s.list_handle, 15);
        close_all_source_files();
        close_source_file();
        delete_work_files();
        return kPadErrors;
    }

    code = write_pds_head_line(kPadHeader);
    if (code > -50 && o.function_list) code = write_text_line_checked(kListHeader, s.list_handle, 15);
    if (code > -50) code = generate_pads();

    int r = close_all_source_files();
    if (r < -49) code = r;
    r = close_source_file();
    if (r < -49) code = r;
    if (close_work_file(s.work_handle, get_file_number(s.files.work.c_str())) != kCodeOk) code = kCodeCannotWrite;
    if (close_work_file(s.list_handle, get_file_number(s.files.list_work.c_str())) != kCodeOk)
        code = kCodeCannotWrite;

    if (code < -49) {
        delete_work_files();
        return status_of(code);
    }
    if (s.lines_written <= 1) {
        delete_work_files();
        raise_warning(10, kMsgNoFunction);
        return status_after_error_file(kPadWarnings, kPadDone, kPadWarnings, kPadWriteFailure);
    }
    if (o.do_post_pass) {
        code = fill_do_loop_conditions();
        if (code < -49) {
            delete_work_files();
            return code == kCodeCannotWrite ? status_of(code) : kPadErrors;
        }
    }
    const int status = g_analysis.warnings_flag != 0 || s.nesting_warning ? kPadWarnings : kPadDone;
    if (status_after_error_file(status, kPadDone, kPadWarnings, kPadWriteFailure) == kPadWriteFailure ||
        !commit_work_files()) {
        delete_work_files();
        return kPadWriteFailure;
    }
    return status;
}

}  // namespace

void init_pad_generator() {
    g_pad = State{};
    g_pad.heading_words[0] = "NAME";
    g_pad.heading_words[1] = "FUNCTION";
    g_first_phase_name.clear();
}

int parse_pad_generator_options(int argc, char** argv) {
    if (argc < 2 || argc > kMaxArguments || argv == nullptr) return 0;
    int sources = 0;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == nullptr || argv[i][0] == '\0') continue;
        std::string_view arg(argv[i]);
        if (arg[0] == '-') {
            if (parse_option(arg) == 0) return 0;
            continue;
        }
        if (!name_fits(arg)) return 0;
        g_pad.options.source.assign(arg);
        ++sources;
    }
    if (g_pad.options.interface_code != kPadInterfaceCode || sources != 1) return 0;
    if (pool_copy_string(g_pad.options.source) == nullptr) return kCodeNoMemoryConverter;
    return 1;
}

int read_pad_heading_keywords(const std::string& path) {
    State& s = g_pad;
    std::vector<std::string> lines;
    if (path.empty() || !read_control_lines(path, kGravletConverter, lines)) return kCodeOk;
    std::string key, value;
    for (const std::string& line : lines) {
        if (!split_keyword_line(line, false, key, value)) continue;
        for (int i = 0; i < 2; ++i) {
            if (s.heading_given[i] || key != s.heading_words[i]) continue;
            if (pool_copy_string(value) == nullptr) return kCodeNoMemoryConverter;
            s.heading_words[i] = value;
            s.heading_given[i] = true;
            break;
        }
    }
    return kCodeOk;
}

int write_text_line_checked(std::string_view text, int handle, int file_number) {
    const int r = write_output_line(text, handle, file_number);
    return r == 0 ? kCodeOk : r;
}

void show_row_progress() {
    const Options& o = g_pad.options;
    if (o.analysis.verbosity <= 0 || o.counter.on() || !host_takes_progress()) return;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "\r%4d %4d", g_analysis.current.line_number, g_pad.rows_written);
    report_progress(buffer);
}

void show_line_progress_pad(int line, int force) {
    const Options& o = g_pad.options;
    if (!host_takes_progress()) return;
    if (!o.counter.on()) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "\r%4d", line);
        report_progress(buffer);
        return;
    }
    if (!counter_due(o.counter, line, force)) return;
    report_progress(counter_text(o.counter, g_analysis.include_stack.empty() ? 'C' : 'H', line));
}

}  // namespace pad

using namespace pad;

int run_pad_generator(int argc, char** argv) {
    begin_converter_run(kGravletConverter);
    init_pad_generator();

    // nothing of the run stays open for the caller
    const auto close_work_files = [] {
        if (g_pad.work_handle >= 0) close_tracked_file(g_pad.work_handle);
        if (g_pad.list_handle >= 0) close_tracked_file(g_pad.list_handle);
        g_pad.work_handle = g_pad.list_handle = -1;
    };
    const int status = run_within_memory(
        [&]() -> int {
            int code = parse_pad_generator_options(argc, argv);
            if (code == 1) return generate(argc, argv);
            return code == kCodeNoMemoryConverter ? kPadNoMemory : kPadBadCall;
        },
        [&] {
            close_work_files();
            delete_work_files();
        },
        kPadNoMemory);
    close_work_files();
    end_converter_run();
    g_analysis.profile = &kGravletAnalysis;
    return status;
}
