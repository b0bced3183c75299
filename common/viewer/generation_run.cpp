#include "common/viewer/generation_run.h"

#include <algorithm>
#include <optional>

#include "common/analysis/converter_host.h"
#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "common/viewer/frame.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/shell_dialogs.h"
#include "common/text/shell_message_numbers.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"

namespace {

constexpr auto& kResultPrefix = "生成："_sjis;

constexpr auto& kInternalErrorFormat = "生成内部処理エラー[%04x]"_sjis;
constexpr auto& kGenerationWork = "生成処理"_sjis;
constexpr auto& kBatchWork = "一括生成処理"_sjis;
constexpr auto& kBatchRunning = "一括生成実行中"_sjis;

constexpr auto& kNotCSourceText = "Ｃソースファイルではありません。"_sjis;
constexpr auto& kGenerateOp = "生成"_sjis;
constexpr auto& kBatchRunOp = "一括生成実行"_sjis;
constexpr auto& kBatchOp = "一括生成"_sjis;

DocumentState& doc() { return document_state(); }

std::string in_program_directory(const char* name) { return doc().program_directory + "\\" + name; }

std::string message(int id) { return message_text(id); }

void beep() { MessageBeep(0); }

// The converters ask their host for these while they run.
std::string host_directory() { return doc().program_directory; }
void host_box(const char* text, const char* caption) { show_warning_box(1, caption ? caption : "", text ? text : ""); }

// The program's converter (and what follows it) on one source; the run's
// status, and in first_status the first converter's own.
int convert_source(const std::string& source, const char* error_file, int* first_status = nullptr) {
    const ViewerHooks& hooks = viewer_hooks();
    if (!hooks.convert) return -1;
    int first = -1;
    const int status = hooks.convert(source, error_file, &first);
    if (first_status != nullptr) *first_status = first;
    return status;
}

void report_left_errors(bool batch, bool left) {
    if (viewer_hooks().run_left_errors) viewer_hooks().run_left_errors(batch, left);
}

// The last result kept in the settings: warnings and errors, else 0. The
// file is written too, since the document's reopening reads it again.
void keep_last_status(int status) {
    SettingsRecord& settings = shell_settings();
    const SettingsField* field = viewer_profile().last_generation_status;
    const int value = status == 9 || status == 10 ? status : 0;
    if (field == nullptr || settings.word(*field) == value) return;
    settings.set_word(*field, value);
    // a record that cannot be written keeps only the value in memory
    write_settings_file(settings, doc().program_directory);
}

// The meter of both runs: opened, or given the new texts when already open.
void show_meter(const std::string& name) {
    const ViewerProfile& profile = viewer_profile();
    const std::string line1 = std::string(profile.meter_line_start) + message(shell_message::kGenerating);
    if (progress_meter().open) {
        redraw_progress_meter(nullptr, profile.meter_title, line1, name);
    } else {
        open_progress_meter(shell().frame_window, profile.meter_title, line1, name);
    }
}

// Shows an error file in the error window, reloading it when open.
void show_error_file(const std::string& path, bool batch) {
    if (generation_error_window().is_open()) {
        load_error_list(path, batch);
    } else {
        open_generation_error_window(shell().frame_window, path, batch);
    }
}

// The single run's status bar text.
std::string single_run_text(int status) {
    const std::string prefix = kResultPrefix;
    switch (status) {
    case 0: return message(shell_message::kDone);
    case 9: return prefix + message(shell_message::kWarnings);
    case 10: return prefix + message(shell_message::kErrors);
    case 11:
    case 12: return format_text(lookup_message(shell_message::kSystemError), status);
    case 13: return prefix + message(shell_message::kNoMemory);
    case 14: return prefix + message(shell_message::kNestTooDeep);
    case -1: return prefix + message(shell_message::kProcessError);
    default: break;
    }
    const ViewerProfile& profile = viewer_profile();
    if (profile.single_other_is_io_error || status == profile.io_error_status) return prefix + profile.io_error_text;
    return format_text(kInternalErrorFormat, static_cast<unsigned>(status));
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string without_trailing_blanks(std::string line) {
    while (!line.empty() && is_blank(line.back())) line.pop_back();
    return line;
}

bool same_ignoring_case(std::string a, std::string b) {
    to_lower_ascii(a);
    to_lower_ascii(b);
    return a == b;
}

bool can_open(const std::string& path) {
    const int fd = crt_open(path.c_str(), CRT_O_RDONLY);
    if (fd < 0) return false;
    crt_close(fd);
    return true;
}

// An error file that holds at least one line.
bool holds_a_line(const std::string& path) {
    LineReader reader;
    std::string line;
    return reader.open(path.c_str()) && reader.next(line);
}

// The log's line for a file that was skipped or failed.
int log_file_line(const std::string& name, const std::string& text) {
    return update_batch_error_log(kBatchLogAppendText, format_text("%-14s : %s", name.c_str(), text.c_str()));
}

// The batch run changes into the list's directory; the directory before it
// comes back when the run ends, so later relative names mean what they did.
class KeptDirectory {
public:
    KeptDirectory() : directory_(get_current_directory()) {}
    ~KeptDirectory() {
        if (!directory_.empty()) SetCurrentDirectoryA(directory_.c_str());
    }
    KeptDirectory(const KeptDirectory&) = delete;
    KeptDirectory& operator=(const KeptDirectory&) = delete;

private:
    std::string directory_;
};

// How bad a file's status is: warnings under errors.
int severity(int status) {
    if (status == 0) return 1;
    if (status == 9) return 2;
    return 3;
}

std::string batch_result_text(int result) {
    switch (result) {
    case 0: return message(shell_message::kDone);
    case 1:
    case 9: return message(shell_message::kWarnings);
    case 2:
    case 10: return message(shell_message::kErrors);
    case 11:
    case 12: return format_text(lookup_message(shell_message::kSystemError), result);
    case 13: return message(shell_message::kNoMemory);
    case 14: return message(shell_message::kNestTooDeep);
    case -1: return message(shell_message::kProcessError);
    default: return report_generation_result(result);
    }
}

constexpr auto& kTooManyFunctions = "関数の数が1000を超えています。"_sjis;
constexpr auto& kLastShownFormat = "表示できる最後の関数（%s）"_sjis;

// The document shows its first 1,000 functions. The function list has them
// all, one line each after its header: the name of the last one shown when
// there are more, else "".
std::string last_shown_of_many(const std::string& source) {
    std::string list = source;
    set_file_extension(list, ".flt");
    LineReader reader;
    if (!reader.open(list.c_str())) return {};
    std::string line, last_shown;
    int functions = 0;
    for (bool header = true; reader.next(line); header = false) {
        if (header || line.empty()) continue;
        if (++functions == kMaxDocumentPages) last_shown = parse_function_list_line(line).name;
        if (functions > kMaxDocumentPages) return last_shown;
    }
    return {};
}

// Tells, after a run that made more functions than its document shows, which
// is the last one shown (`last`, "" when none was left out): a warning, and
// the status text.
void tell_functions_left_out(const std::string& last) {
    const char* left_out = viewer_profile().left_out_text;
    if (left_out == nullptr || *left_out == '\0' || last.empty()) return;
    const std::string last_line = format_text(kLastShownFormat, last.c_str());
    show_warning_box(1, make_box_caption(kGenerateOp), kTooManyFunctions, left_out, last_line);
    shell().left_out_functions_text = std::string(left_out) + last_line;
    set_status_text(1, shell().left_out_functions_text);
}

}  // namespace

void prepare_run_windows() {
    const ShellState& s = shell();
    ShellWindowsSetup& setup = shell_windows_setup();
    if (setup.frame != s.frame_window) {
        setup.instance = s.instance;
        setup.frame = s.frame_window;
        setup.meter_font = s.dialog_font;
        setup.list_font = s.list_font;
        setup.button_font = s.button_font;
    }
    WNDCLASSA wc{};
    if (!GetClassInfoA(s.instance, progress_meter().profile.class_name, &wc)) register_meter_class(s.instance);
    if (!GetClassInfoA(s.instance, generation_error_window().profile().class_name, &wc))
        register_error_window_classes(s.instance);
    if (viewer_profile().summary_window && !GetClassInfoA(s.instance, summary_window().profile().class_name, &wc))
        register_summary_classes(s.instance);
}

int call_converter(int (*entry)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return entry(static_cast<int>(args.size()), argv.data());
}

std::string program_file_path(const char* name) { return in_program_directory(name); }

std::string report_generation_result(int status) {
    switch (status) {
    case 0: return message(shell_message::kDone);
    case 9: return message(shell_message::kWarnings);
    case 10: return message(shell_message::kErrors);
    case 11:
    case 12: return format_text(lookup_message(shell_message::kSystemError), status);
    case 13: return message(shell_message::kNoMemory);
    case 14: return message(shell_message::kNestTooDeep);
    case -1: return message(shell_message::kProcessError);
    default:
        if (status == viewer_profile().io_error_status) return viewer_profile().io_error_text;
        return format_text(kInternalErrorFormat, static_cast<unsigned>(status));
    }
}

int run_generation() {
    DocumentState& d = doc();
    if (d.file_name.empty()) {
        set_status_text(1, message(shell_message::kChooseFile));
        beep();
        return -1;
    }
    if (d.source_name.empty()) return -1;
    prepare_run_windows();
    close_generation_error_window();
    close_summary_window();

    const std::string source = d.source_name;
    show_meter(source);
    set_status_text(1, message(shell_message::kGenerating));
    set_busy_state(0);

    shell_abort_flag() = false;
    shell().left_out_functions_text.clear();
    int status;
    int converter = 0;
    {
        ViewerConverterHost host;
        status = convert_source(source, viewer_profile().single_error_file, &converter);
    }
    set_status_text(0, "");
    keep_last_status(converter);
    const bool aborted = shell_abort_flag();

    std::string text = single_run_text(status);
    const std::string error_file = in_program_directory(viewer_profile().single_error_file);
    // Any failure whose error file tells why (a write that failed, say) is
    // offered as errors are; a source that could not be read leaves no
    // error file, so the box names it instead.
    const bool unreadable_source = status == 10 && !holds_a_line(error_file) && !can_open(source);
    // nor does a run whose error file could not be made: the box names that
    const bool unmade_error_file = status != 0 && !holds_a_line(error_file) && !crt_exists(error_file.c_str()) &&
                                   !crt_can_create(error_file.c_str());
    const bool left = !unmade_error_file && (status == 9 || (status == 10 && !unreadable_source) ||
                                             (status != 0 && status != 10 && holds_a_line(error_file)));
    report_left_errors(false, left);
    if (aborted) text = format_text(lookup_message(shell_message::kInterrupted), kGenerationWork);

    close_progress_meter();
    set_status_text(1, text);
    set_busy_state(1);

    const bool bounded = *viewer_profile().left_out_text != '\0';
    const std::string last_shown =
        (status == 0 || status == 9) && !aborted && bounded ? last_shown_of_many(source) : std::string();
    if (unmade_error_file && !aborted) {
        tell_unmade_file(make_box_caption(kGenerateOp), error_file);
    } else if (left && !aborted) {
        if (show_info_box(0, make_box_caption(kGenerateOp), message(shell_message::kWarnings), message(shell_message::kShowWarnings)))
            show_error_file(error_file, false);
    } else if (unreadable_source && !aborted) {
        beep();
        show_info_box(1, make_box_caption(kGenerateOp), message(shell_message::kOpenError),
                      format_text(lookup_message(shell_message::kFileName), source.c_str()));
    } else if (last_shown.empty()) {
        beep();  // else the warning beeps
    }
    tell_functions_left_out(last_shown);
    return status == 9 ? 0 : status;
}

int update_batch_error_log(int mode, const std::string& text) {
    const std::string log = in_program_directory(viewer_profile().batch_log_file);
    if (mode == kBatchLogDelete) {
        crt_remove(log.c_str());
        return 0;
    }
    std::string bytes;
    if (mode == kBatchLogAppendFile) {
        const std::string per_file = in_program_directory(viewer_profile().batch_file_error_file);
        LineReader reader;
        if (!reader.open(per_file.c_str())) {
            set_status_text(1, format_text(lookup_message(shell_message::kErrorFileUnreadable), per_file.c_str()));
            return -1;
        }
        std::string line;
        while (reader.next(line)) bytes += line + "\n";
    } else {
        bytes = text + "\n";
    }
    const int fd = crt_open(log.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_APPEND | CRT_O_TEXT);
    if (fd < 0) {
        set_status_text(1, format_text(lookup_message(shell_message::kLogUnwritable), log.c_str()));
        return -1;
    }
    const bool written = bytes.empty() ||
                         crt_write(fd, bytes.data(), static_cast<unsigned>(bytes.size())) ==
                             static_cast<int>(bytes.size());
    const bool closed = crt_close(fd) == 0;
    if (!written || !closed) {
        set_status_text(1, format_text(lookup_message(shell_message::kLogUnwritable), log.c_str()));
        return -1;
    }
    return 0;
}

int run_batch_generation(const std::string& list_name) {
    if (list_name.empty() || list_name == "*.*") {
        show_info_box(1, make_box_caption(kBatchRunOp), message(viewer_profile().no_batch_list_message));
        return -1;
    }
    LineReader list;
    if (!list.open(list_name.c_str())) {
        show_info_box(1, make_box_caption(kBatchRunOp), message(shell_message::kOpenError) + "[" + list_name + "]");
        return -1;
    }
    std::vector<std::string> names;
    int total = 0;
    for (std::string line; list.next(line);) {
        if (!line.empty()) ++total;
        names.push_back(without_trailing_blanks(line));
    }
    list.close();

    DocumentState& d = doc();
    KeptDirectory kept_directory;
    // every run of the batch looks up names in the same folders: list them once
    ListingScope listing_scope;
    change_to_file_directory(list_name);
    const std::string current_source = d.source_name.empty() ? std::string() : make_absolute_path(d.source_name);

    prepare_run_windows();
    close_generation_error_window();
    set_busy_state(0);
    update_batch_error_log(kBatchLogDelete, "");
    shell_abort_flag() = false;
    int failure_level = 0;
    std::optional<int> result;  // none until a file was converted

    int number = 0;
    for (const std::string& name : names) {
        if (name.empty()) continue;
        ++number;
        const std::string absolute = make_absolute_path(name);
        if (!current_source.empty() && same_ignoring_case(absolute, current_source)) {
            log_file_line(absolute, message(shell_message::kCurrentSource));
            failure_level = 2;
            continue;
        }
        if (!can_open(name)) {
            set_status_text(1, format_text(lookup_message(shell_message::kSourceMissing), name.c_str()));
            log_file_line(name, message(shell_message::kFileMissing));
            failure_level = 2;
            continue;
        }
        if (name.size() >= 4 && !is_c_source_name(name)) {
            set_status_text(1, format_text(lookup_message(shell_message::kNotCSource), name.c_str()));
            log_file_line(name, kNotCSourceText);
            failure_level = 2;
            continue;
        }
        if (shell_abort_flag()) break;
        show_meter(name);
        set_status_text(1, format_text("%s(%d/%d:%s)", kBatchRunning, number, total, name.c_str()));

        int status;
        {
            ViewerConverterHost host;
            status = convert_source(name, viewer_profile().batch_file_error_file);
        }
        if (status == 9 || status == 10) {
            update_batch_error_log(kBatchLogAppendText, absolute + ":");
            update_batch_error_log(kBatchLogAppendFile, "");
            failure_level = std::max(failure_level, status == 9 ? 1 : 2);
        } else if (status != 0) {
            log_file_line(name, report_generation_result(status));
            failure_level = 2;
        }
        // the worst status of the batch is its result
        if (!result || severity(status) > severity(*result)) result = status;
    }

    close_progress_meter();
    beep();
    crt_remove(in_program_directory(viewer_profile().batch_file_error_file).c_str());
    beep();

    keep_last_status(result.value_or(0));

    // files that were skipped or failed count even when the rest was clean
    if (result && (*result == 0 || *result == 9) && failure_level > (*result == 0 ? 0 : 1)) result = failure_level;
    const bool aborted = shell_abort_flag();
    std::string text;
    if (result) text = batch_result_text(*result);
    report_left_errors(true, failure_level != 0);
    if (aborted) {
        shell_abort_flag() = false;
        text = format_text(lookup_message(shell_message::kInterrupted), kBatchWork);
        result = 0;
    }
    if (result) set_status_text(1, text);
    set_busy_state(1);

    if (failure_level != 0 && !aborted) {
        if (show_info_box(0, make_box_caption(kBatchOp), message(shell_message::kWarnings), message(shell_message::kShowWarnings)))
            show_error_file(in_program_directory(viewer_profile().batch_log_file), true);
    } else {
        beep();
    }
    return 0;
}

ViewerConverterHost::ViewerConverterHost(int (*progress)(const char* item, int permille))
    : previous_(&converter_host()) {
    host_.report_progress = progress != nullptr ? progress : viewer_profile().report_progress;
    host_.show_message = host_box;
    host_.program_directory = host_directory;
    set_converter_host(&host_);
}

ViewerConverterHost::~ViewerConverterHost() {
    // the run's last report stays on the meter
    flush_progress_meter();
    set_converter_host(previous_);
}
