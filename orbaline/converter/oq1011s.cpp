// The call-tree generator's driver: options, the source list, support files,
// the ignore and type-word tables, progress, the order of the steps and the
// status of the run with its result files.

#include "orbaline/converter/oq1011s.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

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
#include "orbaline/converter/call_tree.h"
#include "orbaline/converter/tree_texts.h"
#include "platform/kernel/file_io.h"

namespace ctree {

State g_tree;

namespace {

constexpr size_t kMaxVariableBytes = 1023;

// One argument. true accepted.
bool parse_argument(std::string_view arg, bool own) {
    Settings& s = g_tree.settings;
    if (arg[0] == '[') {
        std::string_view name = arg.substr(1);
        size_t close = name.find(']');
        if (close != std::string_view::npos) name = name.substr(0, close);
        s.list.assign(name);
        ++s.list_count;
        return !name.empty();
    }
    if (arg[0] != '-' || arg.size() < 2) return false;
    const char letter = arg[1];
    std::string_view rest = arg.substr(2);
    int value;
    switch (letter) {
        case 'X':
            s.interface_code = rest.size() == 4 && all_digits(rest) ? digits_in_range(rest, 0, 9999) : -2;
            return true;
        case 's':
        case 'x':
        case 'n':
            if (!rest.empty()) return false;
            s.job = letter;
            ++s.job_count;
            return true;
        case 'r':
            s.callees_listed = true;
            return rest.empty();
        case 'l':
            s.show_position = true;
            return rest.empty();
        case 'f':
            if (rest.size() != 1) return false;
            s.level_char = rest[0];
            s.level_given = true;
            return true;
        case 'd':
            if ((value = digits_in_range(rest, 0, kOptionNumberCeiling)) < 0) return false;
            s.depth_limit = value;
            s.depth_given = true;
            return true;
        case 'c':
            if ((value = digits_in_range(rest, 0, kOptionNumberCeiling)) < 0) return false;
            s.comment_length = value;
            s.comment_given = true;
            return true;
        case 'v':
            s.analysis.verbosity = loose_decimal(rest);
            return true;
        case 'W':
            if ((value = digits_in_range(rest, 0, 3)) < 0) return false;
            s.warning_level = value;
            return true;
        case 'D':
            if (own && !rest.empty()) s.defines.emplace_back(rest);
            return true;
        case 'P':
            if (rest.empty() || rest[0] != 'P' || (value = digits_in_range(rest.substr(1), 0, 2)) < 0) return false;
            s.analysis.conditional_mode = value;
            return true;
        case 'u':
            if (rest.empty() || rest.size() > 2 || !all_digits(rest) || rest[0] > '2') return false;
            if (rest.size() == 2 && rest[1] > '1') return false;
            s.box_omit = rest[0] - '0';
            if (rest.size() == 2) s.box_list = rest[1] - '0';
            return true;
        case 'i':
            return parse_include_option(rest, kOrbalineConverter, s.analysis);
        case 'M':
            if ((value = digits_in_range(rest, 0, 4)) < 0) return false;
            s.analysis.macro_level = value;
            return true;
        case 'R':
            if ((value = digits_in_range(rest, 0, 1)) < 0) return false;
            s.recursion = value;
            return true;
        case 'A':
            if ((value = digits_in_range(rest, 0, 1)) < 0) return false;
            s.pointer_names = value;
            return true;
        case 'm':
            return parse_counter_option(rest, kOrbalineConverter.counter, s.counter);
        case 'F': {
            if (rest.empty()) return false;
            std::string_view tail = rest.substr(1);
            switch (rest[0]) {
                case 'i':
                    s.user_ignore.assign(tail);
                    return true;
                case 'e':
                    if (tail.empty()) return false;
                    s.error_file.assign(tail);
                    return true;
                case 'b':
                    if (tail != "1" && tail != "2") return false;
                    s.support_base = tail[0] - '0';
                    return true;
                case 'F':
                    s.prepass = true;
                    return tail.empty();
                default:
                    return false;
            }
        }
        default:
            return false;
    }
}

bool is_relative(std::string_view path) {
    if (path.empty()) return true;
    if (path[0] == '\\' || path[0] == '/') return false;
    return !(path.size() >= 2 && path[1] == ':');
}

bool is_regular_file(const std::string& path) { return crt_file_kind(path.c_str()) == kCrtRegularFile; }

bool can_create(const std::string& path) { return can_open_for_writing(path.c_str()); }

// A list line that names nothing: empty, or starting with '#' or a blank.
bool is_comment_line(std::string_view line) { return line.empty() || line[0] == '#' || line[0] == ' '; }

// Hands each name of a list (source or ignore list) to `take` as it is read,
// with its line number, without trailing blanks; comment lines are passed
// over. `take` returns false to stop. False when the list cannot be read.
bool for_each_listed_name(const std::string& path, const std::function<bool(std::string&, int)>& take) {
    int number = 0;
    return for_each_control_line(path, kOrbalineConverter, [&](std::string& line) {
        ++number;
        if (is_comment_line(line)) return true;
        trim_trailing_blanks(line);
        return take(line, number);
    });
}

// Reports a message whose position is a line of the list (or of another
// control file), not of a source.
int report_at_list_line(int kind, int code, std::string_view text, std::string_view detail,
                        const std::string& file, int line) {
    SourceFile saved = g_analysis.current;
    g_analysis.current = SourceFile{};
    g_analysis.current.name = file;
    g_analysis.current.line_number = line;
    int r = report_converter_message(kind, code, text, detail);
    g_analysis.current = saved;
    return r;
}

// The run's code that a failed report turns into.
int report_failure(int r, int code) { return r == 1 ? code : r; }

int add_ignored(const std::string& name) {
    if (static_cast<int>(g_tree.ignored.size()) >= kMaxIgnoredNames) {
        int r = report_converter_message(kMessageError, kCodeIgnoreTableFull, kMsgIgnoreTableFull, name);
        return report_failure(r, kCodeIgnoreTableFull);
    }
    g_tree.ignored.push_back(name);
    return kCodeOk;
}

// Room for the records the sources will likely give, so that the tables do
// not grow by copying: about a function every 600 bytes of source, a call
// every 60 and a new name every 200. Room never touched costs no memory.
void reserve_records() {
    const size_t bytes = static_cast<size_t>(std::min<int64_t>(g_tree.total_bytes, int64_t{1} << 32));
    g_tree.records.reserve(bytes / 600 + 16);
    g_tree.calls.reserve(bytes / 60 + 64);
    g_tree.names.reserve(bytes / 200 + 64);
}

int add_ignore_file(const std::string& path) {
    int r = kCodeOk;
    if (!path.empty()) for_each_listed_name(path, [&](std::string& name, int) { return (r = add_ignored(name)) == kCodeOk; });
    return r;
}

}  // namespace

std::string cut_text(std::string_view text, size_t n) {
    if (text.size() <= n) return std::string(text);
    return std::string(text.substr(0, static_cast<size_t>(char_boundary_at_or_before(text, static_cast<int>(n)))));
}

void reset_generator_state() { g_tree = State{}; }

bool collect_generator_arguments(int argc, char** argv, std::vector<std::string>& args, int& own_count) {
    args.clear();
    own_count = 0;
    if (argc > kMaxArguments) return false;
    bool append = false;
    for (int i = 0; i < argc; ++i) {
        args.emplace_back(argv[i] != nullptr ? argv[i] : "");
        if (args.back() == "-D") append = true;
    }
    own_count = argc;
    if (!append) return true;
    const char* value = crt_getenv(kCallTreeOptionVariable);
    if (value == nullptr) return true;
    std::string_view words(value);
    if (words.size() >= kMaxVariableBytes) return false;
    size_t pos = 0;
    while (pos < words.size()) {
        while (pos < words.size() && words[pos] == ' ') ++pos;
        size_t end = pos;
        while (end < words.size() && words[end] != ' ') ++end;
        if (end > pos) {
            if (static_cast<int>(args.size()) >= kMaxArguments) return false;
            args.emplace_back(words.substr(pos, end - pos));
        }
        pos = end;
    }
    return true;
}

int parse_tree_generator_options(const std::vector<std::string>& args, int own_count) {
    if (args.size() <= 1 || args[1] == "-help") return 0;
    Settings& s = g_tree.settings;
    bool refused = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.empty() || arg == "-D") continue;
        if (!parse_argument(arg, static_cast<int>(i) < own_count)) refused = true;
    }
    if (refused || s.interface_code != kCallTreeInterfaceCode || s.job_count != 1 || s.list_count != 1) return 0;
    if (s.job == kJobCrossReference && (s.level_given || s.depth_given || s.comment_given)) return 0;
    s.function_comment_length = std::max(s.comment_length, 40);
    return 1;
}

std::string locate_support_file(const std::string& name, bool use_base) {
    std::string first = name;
    if (use_base && g_tree.settings.support_base == 1 && is_relative(name)) first = g_tree.list_folder + name;
    if (can_read_file(first)) return first;
    const char* krt = crt_getenv("KRT");
    std::string folder = krt != nullptr ? krt : host_program_directory();
    if (!folder.empty()) {
        if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
        if (can_read_file(folder + name)) return folder + name;
    }
    return name;
}

std::string keyword_file_name() {
    const std::string& error_file = g_tree.settings.error_file;
    const int cut = find_last_path_separator(error_file.c_str());
    return (cut >= 0 ? error_file.substr(0, static_cast<size_t>(cut) + 1) : std::string{}) + "oq1000.kwd";
}

// A source as the list names it: relative names against the list's folder
// when "-Fb1" asks for it.
std::string listed_path(const std::string& line) {
    return g_tree.settings.support_base == 1 && is_relative(line) ? g_tree.list_folder + line : line;
}

// The error file is emptied before the list is read: it may not be the list
// or one of its sources. True when it is neither.
bool error_file_clear() {
    const Settings& s = g_tree.settings;
    // the error file is compared with each name as it is read: a long list is never held
    bool clear = check_names_against_inputs({s.error_file}, {s.list}, false);
    if (clear)
        for_each_listed_name(s.list, [&](std::string& name, int) {
            return clear = check_names_against_inputs({s.error_file}, {listed_path(name)}, false);
        });
    return clear;
}

// The run may not write over the list, a listed source or a support file,
// nor put its messages there; false after the clash is reported (and the
// work names forgotten, so that nothing of them is removed). The repair job
// replaces the list on purpose: its name is no output here.
bool output_names_clear() {
    const Settings& s = g_tree.settings;
    std::vector<std::string> inputs = {s.list, g_tree.oq_ignore_path, g_tree.user_ignore_path,
                                       g_analysis.settings.ignore_file, keyword_file_name()};
    for (const ListEntry& entry : g_tree.sources) inputs.push_back(entry.path);
    std::vector<std::string> outputs = {s.error_file, g_tree.nam.temp_name, g_tree.trd.temp_name,
                                        g_tree.trd.final_name, g_tree.flt.temp_name, g_tree.flt.final_name};
    if (s.job == kJobRepair) {
        std::string bak = s.list;
        replace_extension(bak, ".bak");
        outputs.push_back(bak);
    }
    if (check_names_against_inputs(outputs, inputs, false)) return true;
    for (OutputFile* file : {&g_tree.trd, &g_tree.flt, &g_tree.nam}) file->temp_name.clear();
    return false;
}

int load_source_list() {
    Settings& s = g_tree.settings;
    int missing = 0;
    int failed = kCodeOk;  // a report that could not be written
    std::unordered_map<std::string, int> file_numbers;
    const bool read = for_each_listed_name(s.list, [&](std::string& name, int number) {
        ListEntry entry;
        entry.path = listed_path(name);
        auto numbered = file_numbers.emplace(name, static_cast<int>(g_tree.files.size()));
        if (numbered.second) g_tree.files.push_back(name);
        entry.file = numbered.first->second;
        entry.name = std::move(name);
        entry.line = number;
        int handle = is_regular_file(entry.path) ? open_tracked_file(entry.path.c_str(), "r") : -1;
        if (handle < 0) {
            int r = report_at_list_line(kMessageError, kCodeNotFound, kMsgNotFound, entry.path, s.list, entry.line);
            if (r != 1) {
                failed = r;
                return false;
            }
            ++missing;
        } else {
            entry.size = std::max<int64_t>(crt_filelength(handle), 0);
            close_tracked_file(handle);
            g_tree.total_bytes += entry.size;
        }
        g_tree.sources.push_back(std::move(entry));
        return true;
    });
    if (failed != kCodeOk) return failed;
    if (!read) {
        int r = report_converter_message(kMessageError, kCodeNotFound, kMsgNotFound, s.list);
        return report_failure(r, kCodeNotFound);
    }
    if (g_tree.sources.empty()) {
        int r = report_converter_message(kMessageError, kCodeNoSource, kMsgNoSourceFound, s.list);
        return report_failure(r, kCodeNoSource);
    }
    if (missing > 0) return kCodeNotFound;
    reserve_records();

    std::string found = locate_support_file("oq1000.ign", false);
    g_tree.oq_ignore_path = can_read_file(found) ? found : std::string{};
    if (!s.user_ignore.empty()) {
        std::string name = s.user_ignore;
        if (find_extension_dot(name) < 0) name += ".ign";
        found = locate_support_file(name, true);
        if (can_read_file(found)) {
            g_tree.user_ignore_path = found;
        } else {
            int r = report_converter_message(kMessageWarning, kCodeNoIgnoreList, kMsgNoIgnoreFile, name);
            if (r != 1) return r;
            g_tree.warnings = 1;
        }
    }

    // every name built before any is kept: a name left equal to the list by
    // a failure half way would be removed with the work files
    std::string names[4] = {s.list, s.list, s.list, s.list};
    if (s.job == kJobRepair) {
        replace_extension(names[1], ".na2");
        g_tree.nam.final_name = std::move(names[0]);
        g_tree.nam.temp_name = std::move(names[1]);
    } else {
        replace_extension(names[0], ".$tr");
        replace_extension(names[1], ".trd");
        replace_extension(names[2], ".tmf");
        replace_extension(names[3], ".flt");
        g_tree.trd.temp_name = std::move(names[0]);
        g_tree.trd.final_name = std::move(names[1]);
        g_tree.flt.temp_name = std::move(names[2]);
        g_tree.flt.final_name = std::move(names[3]);
    }
    if (!output_names_clear()) return kCodeNameClash;
    // an output that cannot be made where nothing stands in its way is not found
    for (OutputFile* file : {&g_tree.nam, &g_tree.trd, &g_tree.flt}) {
        if (file->temp_name.empty() || is_work_name_taken(file->temp_name) || can_create(file->temp_name)) continue;
        int r = report_converter_message(kMessageError, kCodeNotFound, kMsgNotFound, file->temp_name);
        for (OutputFile* other : {&g_tree.trd, &g_tree.flt, &g_tree.nam}) other->temp_name.clear();
        return report_failure(r, kCodeNotFound);
    }
    if (!claim_work_names({g_tree.nam.temp_name, g_tree.trd.temp_name, g_tree.flt.temp_name}, false)) {
        // what stands under the work names is not this run's to remove
        for (OutputFile* file : {&g_tree.trd, &g_tree.flt, &g_tree.nam}) file->temp_name.clear();
        return kCodeCannotWrite;
    }

    const std::string keywords = keyword_file_name();
    g_tree.keyword_path = can_read_file(keywords) ? keywords : std::string{};
    return kCodeOk;
}

int read_generator_keyword_file(const std::string& path) {
    if (path.empty()) return kCodeOk;
    static const char* const kKeys[2] = {"NAME", "FUNCTION"};
    bool given[2] = {false, false};
    std::string key, value;
    for_each_control_line(path, kOrbalineConverter, [&](std::string& line) {
        if (!split_keyword_line(line, false, key, value)) return true;
        for (int k = 0; k < 2; ++k) {
            if (given[k] || key != kKeys[k]) continue;
            g_tree.keywords[k] = value;
            given[k] = true;
        }
        return !(given[0] && given[1]);
    });
    return kCodeOk;
}

int build_ignore_list() {
    g_tree.ignored = {"if", "else", "while", "for", "return", "switch", "sizeof", "case"};
    int r = add_ignore_file(g_tree.oq_ignore_path);
    if (r == kCodeOk) r = add_ignore_file(g_tree.user_ignore_path);
    if (r != kCodeOk) return r;
    std::sort(g_tree.ignored.begin(), g_tree.ignored.end());
    return kCodeOk;
}

bool find_ignored_name(std::string_view name) {
    const auto& table = g_tree.ignored;
    if (std::binary_search(table.begin(), table.end(), name, std::less<>{})) return true;
    size_t qualifier = name.find("::");
    if (qualifier == std::string_view::npos) return false;
    return std::binary_search(table.begin(), table.end(), name.substr(0, qualifier), std::less<>{});
}

void build_type_keyword_table() {
    static const char* const kWords[] = {"*",     "auto", "extern", "register", "static",   "char",
                                         "double", "float", "int",  "long",     "short",    "unsigned",
                                         "signed", "const", "volatile", "void"};
    NameTable& names = g_tree.names;
    for (int id = 0; id < names.size(); ++id) names.entry(id).flags &= static_cast<uint8_t>(~NameTable::kTypeWord);
    for (const char* word : kWords) add_type_word(word);
}

int define_option_macros() {
    truncate_macro_table(0);
    const std::vector<std::string>& defines = g_tree.settings.defines;
    return define_macro_options(std::vector<std::string_view>(defines.begin(), defines.end()));
}

void note_run_messages() {
    if (g_analysis.warnings_flag != 0 || g_analysis.errors_flag != 0) g_tree.warnings = 1;
}

// --- progress ---------------------------------------------------------------------

namespace {
int progress_permille() {
    if (g_tree.total_bytes <= 0) return 1000;
    int64_t read = g_tree.finished_bytes;
    if (g_analysis.current.handle >= 0) read += g_analysis.current.bytes_read;
    read = std::min(read, g_tree.total_bytes);
    return static_cast<int>(std::min<int64_t>(read * 1000 / g_tree.total_bytes + 5, 1000));
}

// The reader calls this per line: the meter moves and a cancel is seen
// inside a long source too.
void on_source_line(int, int) {
    if (!host_takes_progress()) return;
    int permille = progress_permille();
    if (permille == g_tree.last_permille) return;
    report_progress_text(g_tree.progress_text);
}
}  // namespace

void report_progress_text(const std::string& text) {
    g_tree.progress_text = text;
    g_tree.last_permille = progress_permille();
    if (host_report_progress(text.c_str(), g_tree.last_permille) != 0) g_tree.cancel = 1;
}

void show_source_progress(int number, int count, const std::string& name, char open, char close) {
    const Settings& s = g_tree.settings;
    if (!host_takes_progress()) return;
    std::string base = base_name_of(name);
    char head[32];
    std::string text;
    if (!s.counter.on()) {
        if (s.analysis.verbosity <= 0) return;
        std::string shown = base;
        if (shown.size() < 8) shown.insert(0, 8 - shown.size(), ' ');
        text = "           <" + shown + ">" + kMsgProcessing + "          \r";
    } else {
        std::snprintf(head, sizeof head, "%c%2d/%2d:", open, number, count);
        text = head + base;
        if (base.size() < 10) text.append(10 - base.size(), ' ');
        text += close;
    }
    report_progress_text(text);
}

}  // namespace ctree

using namespace ctree;

namespace {

void apply_analysis_settings() {
    const Settings& s = g_tree.settings;
    apply_analysis_options(s.analysis, s.counter);
    AnalysisSettings& a = g_analysis.settings;
    // a missing macro ignore file is an empty one
    std::string found = locate_support_file(a.ignore_file, true);
    a.ignore_file = crt_exists(found.c_str()) ? found : std::string{};
    g_analysis.hooks.on_line = on_source_line;
}

int status_of(int code) {
    if (code == kCodeOk) return g_tree.warnings != 0 ? kCallTreeWarnings : kCallTreeDone;
    if (code == kCodeNoMemoryConverter || code == kCodeNoMemory) return kCallTreeNoMemory;
    if (code == kCodeCannotWrite) return kCallTreeWriteFailure;
    if (code == kCodeNameClash) return kCallTreeBadCall;
    return kCallTreeErrors;
}

// Puts finished temporaries in place of their results, all or none.
bool commit_results(std::vector<OutputFile*> files) {
    std::vector<ResultFile> results;
    for (OutputFile* file : files) results.push_back({file->temp_name, file->final_name});
    const int failed = commit_result_files(results);
    if (failed < 0) return true;
    report_converter_message(kMessageError, kCodeCannotWrite, kMsgCannotWrite, results[static_cast<size_t>(failed)].result);
    return false;
}

// The list goes to .bak and the new list takes its name; when a step fails
// the old list and the old .bak are where they were.
bool commit_repaired_list() {
    OutputFile& nam = g_tree.nam;
    std::string bak = nam.final_name;
    replace_extension(bak, ".bak");
    std::string old_bak = bak + ".$old";
    bool ok = false, bak_moved = false, list_moved = false, out_of_memory = false;
    try {
        ok = is_regular_or_missing(bak) && is_regular_or_missing(nam.final_name);
        if (ok && crt_exists(bak.c_str())) {
            delete_file(old_bak.c_str());
            ok = bak_moved = rename_file(bak.c_str(), old_bak.c_str()) == 0;
        }
        if (ok) ok = list_moved = rename_file(nam.final_name.c_str(), bak.c_str()) == 0;
        if (ok) ok = rename_file(nam.temp_name.c_str(), nam.final_name.c_str()) == 0;
        if (ok) {
            if (bak_moved) delete_file(old_bak.c_str());
            return true;
        }
    } catch (const std::bad_alloc&) {
        // half done: taken back below before the failure goes on
        ok = false;
        out_of_memory = true;
    }
    if (list_moved) rename_file(bak.c_str(), nam.final_name.c_str());
    if (bak_moved) rename_file(old_bak.c_str(), bak.c_str());
    delete_file(nam.temp_name.c_str());
    if (out_of_memory) throw std::bad_alloc();
    report_converter_message(kMessageError, kCodeCannotWrite, kMsgCannotWrite, nam.final_name);
    return false;
}

int finish_tree_outputs(int status) {
    status = status_after_error_file(status, kCallTreeDone, kCallTreeWarnings, kCallTreeWriteFailure);
    const bool success = status == kCallTreeDone || status == kCallTreeWarnings;
    if (!g_tree.nam.temp_name.empty()) {
        if (success) return commit_repaired_list() ? status : kCallTreeWriteFailure;
        delete_file(g_tree.nam.temp_name.c_str());
        return status;
    }
    if (g_tree.trd.temp_name.empty() || g_tree.flt.temp_name.empty()) {
        if (!g_tree.trd.temp_name.empty()) delete_file(g_tree.trd.temp_name.c_str());
        return status;
    }
    if (success) return commit_results({&g_tree.flt, &g_tree.trd}) ? status : kCallTreeWriteFailure;
    delete_file(g_tree.flt.temp_name.c_str());
    delete_file(g_tree.trd.temp_name.c_str());
    return status;
}

// Steps 4 to 10 of an accepted vector: 1 or the code that ended the run.
int generate() {
    Settings& s = g_tree.settings;
    get_directory_part(s.list, g_tree.list_folder);
    if (g_tree.list_folder == ".\\") g_tree.list_folder.clear();
    g_analysis.error_file = s.error_file;
    apply_analysis_settings();
    if (!error_file_clear()) return kCodeNameClash;
    int code = reset_scanner_state(kResetState | kResetErrorFile | kResetNoUnix);
    if (code != kCodeOk) return -200;  // the scanner could not be opened

    code = load_source_list();
    if (code != kCodeOk) return code;
    code = read_generator_keyword_file(g_tree.keyword_path);
    if (code == kCodeOk) code = build_ignore_list();
    if (code != kCodeOk) return code;
    build_type_keyword_table();

    code = define_option_macros();
    if (code == kCodeOk && s.prepass) code = prescan_sources();
    if (code != kCodeOk) return code;
    g_tree.finished_bytes = 0;

    if (s.function_list()) code = open_function_list();
    if (code == kCodeOk) code = scan_listed_sources();
    if (s.function_list()) {
        int r = close_function_list();
        if (code == kCodeOk) code = r;
    }
    if (code != kCodeOk) return code;
    note_run_messages();
    // what follows is about the whole program, not a place in a source
    g_analysis.current = SourceFile{};
    if (g_tree.records.empty()) {
        int r = report_converter_message(kMessageError, 10, kMsgNoFunction, "");
        return report_failure(r, -50);
    }
    return s.job == kJobRepair ? rewrite_nam_file() : write_trd_file();
}

}  // namespace

int run_call_tree_generator(int argc, char** argv) {
    begin_converter_run(kOrbalineConverter);
    reset_generator_state();

    const auto close_everything = [] {
        close_all_source_files();
        if (g_analysis.current.handle >= 0) close_source_file();
        for (OutputFile* file : {&g_tree.flt, &g_tree.trd, &g_tree.nam}) {
            if (file->handle >= 0) close_tracked_file(file->handle);
            file->handle = -1;
        }
    };
    const int status = run_within_memory(
        [&]() -> int {
            std::vector<std::string> args;
            int own = 0;
            int status = kCallTreeBadCall;
            if (collect_generator_arguments(argc, argv, args, own) && parse_tree_generator_options(args, own) == 1) {
                int code = generate();
                note_run_messages();
                status = code == -200 ? kCallTreeBadCall : status_of(code);
            }
            close_everything();
            return finish_tree_outputs(status);
        },
        [&] {
            close_everything();
            finish_tree_outputs(kCallTreeNoMemory);
        },
        kCallTreeNoMemory);
    end_converter_run();
    return status;
}
