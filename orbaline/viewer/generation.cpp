#include "orbaline/viewer/generation.h"

#include "common/analysis/converter_host.h"
#include "common/print/print_state.h"
#include "common/shell/document.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "common/viewer/frame.h"
#include "common/viewer/generation_run.h"
#include "common/viewer/shell_boxes.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/converter/oq1011s.h"
#include "orbaline/viewer/chart_view.h"
#include "orbaline/viewer/orbaline_frame.h"
#include "orbaline/viewer/orbaline_state.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"

namespace {


constexpr auto& kGenerationCaption = "【 モジュール構造図生成 】"_sjis;

constexpr auto& kListCheckCaption = "【 ＮＡＭリストチェック 】"_sjis;

constexpr auto& kChartReadingCaption = "【 モジュール構造図読み込み 】"_sjis;
constexpr auto& kNamWord = "ＮＡＭ"_sjis;
constexpr auto& kSourceWord = "生成対象"_sjis;
constexpr auto& kWarningsCaption = "【 生成エラー（ウォーニング） 】"_sjis;
constexpr auto& kErrorsCaption = "【 生成エラー 】"_sjis;
constexpr auto& kInternalError = "生成内部処理エラー[%04x]"_sjis;
constexpr char kErrorFile[] = "oq1000.err";

// What differs between the two runs.
struct RunTexts {
    const char* meter_title;
    const char* meter_line;  // followed by the "in progress" message
    int progress_message;
    const char* result_prefix;
    const char* run_name;  // filled into message 802 when cancelled
    int kind;              // of generation_result_text
};
// ORDER: 0 order repair, 1 tree run, as generation_result_text's kinds.
constexpr RunTexts kRunTexts[2] = {
    {"ＮＡＭファイル順序修正"_sjis,
     "ＮＡＭファイル順序を"_sjis, 411,
     "NAMﾌｧｲﾙ順序修正："_sjis,
     "ＮＡＭファイル順序修正処理"_sjis,
     0},
    {"モジュール構造図生成"_sjis,
     "モジュール構造図を"_sjis, 401,
     "生成："_sjis,
     "生成処理"_sjis,
     1},
};

std::function<int(int, char**)>& generator_entry() {
    static std::function<int(int, char**)> entry;
    return entry;
}

int call_generator(int argc, char** argv) {
    if (generator_entry()) return generator_entry()(argc, argv);
    return run_call_tree_generator(argc, argv);
}

SettingsRecord& settings() { return shell_settings(); }

std::string list_path() {
    std::string path = chart_path();
    set_file_extension(path, ".nam");
    return path;
}

// A listed name as the run reads it: relative names lie in the list's folder.
std::string listed_source(std::string name, const std::string& folder) {
    trim_line_end(name);
    if (name.find('\\') == std::string::npos && name.find(':') == std::string::npos &&
        (name.empty() || name[0] != '/'))
        name = folder + name;
    return name;
}

std::string list_folder(const std::string& list) {
    std::string folder, name;
    split_path(list, folder, name);
    return folder;
}

void notice_missing(const char* caption, const char* word, const std::string& path) {
    show_info_box(1, caption, std::string(word) + message_text(106), message_with_text(101, path));
}

// "-i%d0", where the use of both kinds of include files (3) reads "-i22".
std::string include_option(const SettingsRecord& s) {
    std::string option = format_text("-i%d0", s.word(oq_settings::kIncludeUse));
    if (option.size() >= 4 && option[2] == '3') option[2] = option[3] = '2';
    return option;
}

std::string error_file_option(const std::string& program_directory) {
    return format_text("-Fe%s\\%s", program_directory.c_str(), kErrorFile);
}

bool error_file_holds_a_line() {
    LineReader reader;
    std::string line;
    return reader.open(program_file_path(kErrorFile).c_str()) && reader.next(line);
}

int check_before_run(bool ask_about_changes) {
    ChartSession& c = chart();
    if (c.chart_path.empty()) return -1;
    if (ask_about_changes && c.modified &&
        show_info_box(0, kGenerationCaption, message_text(kMsgChartModified), message_text(2)) != 1)
        return -1;
    if (check_nam_list() != 0) return -1;
    settings().set_text_cut(oq_settings::kLastChart, c.chart_path);
    if (write_settings_file(settings(), document_state().program_directory) != kSettingsOk) {
        MessageBeep(0);
        show_message_line(1, message_text(105));
        return -1;
    }
    if (ask_about_changes) {
        c.modified = false;
        sync_document_flags();
    }
    return 0;
}

int run_generator(const RunTexts& texts, std::vector<std::string> args) {
    DocumentState& doc = document_state();
    show_message_line(0, "");
    close_generation_error_window();
    const std::string list = list_path();
    const std::string line1 = std::string(texts.meter_line) + message_text(texts.progress_message);
    if (progress_meter().open) {
        redraw_progress_meter(nullptr, texts.meter_title, line1, list);
    } else {
        open_progress_meter(shell().frame_window, texts.meter_title, line1, list);
    }
    show_message_line(1, message_text(texts.progress_message));
    // the windows closed and opened above may have set the pointer's cursor
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));

    static const ConverterHost host = {report_tree_progress, nullptr, nullptr};
    set_converter_host(&host);
    doc.abort = false;
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int status = call_generator(static_cast<int>(args.size()), argv.data());
    flush_progress_meter();
    set_converter_host(nullptr);
    close_progress_meter();
    show_message_line(0, "");

    settings().set_word(oq_settings::kLastGenerationStatus, status == 9 || status == 10 ? status : 0);
    const std::string result = generation_result_text(texts.kind, status);
    if (doc.abort) {
        show_message_line(1, message_with_text(kMsgInterrupted, texts.run_name));
    } else {
        show_message_line(1, std::string(texts.result_prefix) + result);
    }
    // a failure whose error file tells why is offered as errors are; one
    // whose error file could not be made names it
    const bool told = status != 0 && status != 9 && status != 10 && error_file_holds_a_line();
    if (told) orbaline().last_run_error = 1;
    else if (status != 0 && status != 9 && status != 10) orbaline().last_run_error = 0;
    if (status != 0 && !error_file_holds_a_line() && !doc.abort &&
        tell_unmade_file(kErrorsCaption, program_file_path(kErrorFile))) {
        orbaline().last_run_error = 0;
    } else if ((status == 9 || status == 10 || told) && !doc.abort) {
        const char* caption = status == 9 ? kWarningsCaption : kErrorsCaption;
        if (show_info_box(0, caption, message_text(408), message_text(409)) == 1)
            open_generation_error_window(shell().frame_window, program_file_path(kErrorFile), false);
    } else {
        MessageBeep(0);
    }
    return status == 9 ? 0 : status;
}

}  // namespace

int confirm_generation() { return check_before_run(true); }

int prepare_nam_order_repair() { return check_before_run(false); }

int check_nam_list() {
    const std::string list = list_path();
    show_message_line(1, message_with_text(kMsgReadingFile, list));
    LineReader reader;
    if (!reader.open(list.c_str())) {
        notice_missing(kListCheckCaption, kNamWord, list);
        show_message_line(0, "");
        return -1;
    }
    const std::string folder = list_folder(list);
    std::string line;
    while (reader.next(line)) {
        const std::string source = listed_source(line, folder);
        trim_line_end(line);
        if (line.empty()) continue;
        if (!crt_exists(source.c_str())) {
            reader.close();
            MessageBeep(0);
            notice_missing(kListCheckCaption, kSourceWord, source);
            show_message_line(0, "");
            return -1;
        }
    }
    reader.close();
    show_message_line(0, "");
    return 0;
}

int check_chart_stale(const std::string& path) {
    std::string list = path, trd = path;
    set_file_extension(list, ".nam");
    set_file_extension(trd, ".trd");
    if (!crt_exists(list.c_str())) {
        notice_missing(kChartReadingCaption, kNamWord, list);
        return -1;
    }
    const auto stale = [](int message) {
        show_info_box(1, kChartReadingCaption, message_text(message), message_text(504));
        return 1;
    };
    switch (compare_file_times(trd.c_str(), list.c_str())) {
    case 1: return stale(112);
    case 2: return stale(kMsgNoChart);
    case 3:
    case 4: return -1;
    default: break;
    }
    show_message_line(1, message_with_text(kMsgReadingFile, list));
    LineReader reader;
    if (!reader.open(list.c_str())) {
        show_message_line(0, "");
        notice_missing(kChartReadingCaption, kNamWord, list);
        return -1;
    }
    const std::string folder = list_folder(list);
    std::string line;
    int result = 0;
    while (reader.next(line)) {
        trim_line_end(line);
        if (line.empty()) continue;
        const std::string source = listed_source(line, folder);
        const int order = compare_file_times(trd.c_str(), source.c_str());
        // a source whose state cannot be read ends the check
        if (order == 3) break;
        if (order == 1) {
            result = 1;
            break;
        }
    }
    reader.close();
    show_message_line(0, "");
    return result == 1 ? stale(112) : 0;
}

std::vector<std::string> tree_run_arguments(const SettingsRecord& s, const std::string& program_directory,
                                            const std::string& list) {
    using namespace oq_settings;
    static constexpr const char* kMacroOptions[] = {"-M0", "-M3", "-M4", "-M2"};
    const int macro = s.word(kMacroExpansion);
    std::vector<std::string> args = {
        "oq1011s",
        "-x",
        "-f+",
        "-v0",
        error_file_option(program_directory),
        format_text("-X%d", kCallTreeInterfaceCode),
        "-mf",
        format_text("-c%d", s.word(kBlockCharacters)),
        format_text("-d%d", s.word(kNestLevel) - 1),
        format_text("-u%d", 1 - s.word(kUndefinedBlocks)),
        include_option(s),
        macro >= 0 && macro <= 3 ? kMacroOptions[macro] : "-M0",
        format_text("-R%d", s.word(kShowReusedFunctions)),
        format_text("-A%d", s.word(kPointerCalls)),
        "-l",
        "[" + list + "]",
    };
    const std::string extra = s.text(kGenerationOptions);
    if (!extra.empty()) args.push_back(extra);
    // an empty ignore list still passes its (empty) argument
    const std::string ignore = s.text(kIgnoreFile);
    args.push_back(ignore.empty() ? std::string() : "-Fi" + ignore);
    return args;
}

std::vector<std::string> repair_run_arguments(const SettingsRecord& s, const std::string& program_directory,
                                              const std::string& list) {
    std::vector<std::string> args = {"oq1011s",
                                     "-n",
                                     "[" + list + "]",
                                     error_file_option(program_directory),
                                     format_text("-X%d", kCallTreeInterfaceCode),
                                     "-mf",
                                     "-v0",
                                     include_option(s)};
    const std::string extra = s.text(oq_settings::kGenerationOptions);
    if (!extra.empty()) args.push_back(extra);
    return args;
}

int run_tree_generation() {
    return run_generator(kRunTexts[1],
                         tree_run_arguments(settings(), document_state().program_directory, list_path()));
}

int run_nam_order_repair() {
    return run_generator(kRunTexts[0],
                         repair_run_arguments(settings(), document_state().program_directory, list_path()));
}

int report_tree_progress(const char* text, int value) {
    OrbalineState& o = orbaline();
    if (document_state().abort) return -1;
    pump_one_message();
    if (document_state().abort) return -1;
    const std::string_view item = text != nullptr ? text : "";
    if (!o.progress_item_known || item != o.progress_item) {
        o.progress_item_known = true;
        o.progress_item = item;
        const size_t open = item.find('(');
        if (open != std::string::npos) {
            const size_t close = item.find(')', open);
            o.progress_file_part = item.substr(open, close == std::string::npos ? std::string::npos : close - open + 1);
            o.progress_shown_item = o.progress_file_part;
        } else {
            o.progress_shown_item = o.progress_file_part + "[" + o.progress_item + "]";
        }
    }
    show_run_progress(o.progress_shown_item, value, 1000);
    return 0;
}

std::string generation_result_text(int kind, int status) {
    OrbalineState& o = orbaline();
    switch (status) {
    case 0:
        o.last_run_error = 0;
        return message_text(kind == 0 ? 416 : kMsgGenerationEnded);
    case 9: o.last_run_error = 1; return message_text(408);
    case 10: o.last_run_error = 1; return message_text(400);
    case 11:
    case 12: return message_with_number(403, status);
    case 13: return message_text(kMsgNoMemory);
    case 14: return message_text(404);
    case -1: return message_text(202);
    default: return format_text(kInternalError, static_cast<unsigned>(status));
    }
}

void set_tree_generator_entry(std::function<int(int, char**)> entry) { generator_entry() = std::move(entry); }
