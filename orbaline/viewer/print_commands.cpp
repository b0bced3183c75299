#include "orbaline/viewer/print_commands.h"

#include "common/print/list_print.h"
#include "common/print/print_state.h"
#include "common/print/print_status.h"
#include "common/shell/document.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/viewer/frame.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/viewer_print_host.h"
#include "common/viewer/viewer_startup.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/print/chart_print.h"
#include "orbaline/viewer/chart_view.h"
#include "orbaline/viewer/commands.h"
#include "orbaline/viewer/orbaline_frame.h"
#include "orbaline/viewer/orbaline_state.h"
#include "platform/kernel/sjis_text.h"

namespace {

constexpr int kMessagePrinting = 301;                     // 印刷中です。
constexpr int kMessageStartPastEnd = 722;                 // 印刷開始ページ番号(%d)が最終ページ番号を超えています。
constexpr auto& kPrintChartCaption = "【 モジュール構造図印刷 】"_sjis;
constexpr auto& kPrintAllCaption = "【 全印刷 】"_sjis;

std::string chart_base() {
    std::string base = chart().chart_path;
    set_file_extension(base, "");
    return base;
}

// The file a kind prints and the file its header and footer lines name.
// The lists always print from their first page: the dialog's start and end
// pages are the chart's own.
void name_list_files(const PrintSettings& settings, ListJobRequest& request) {
    const std::string& chart_path = chart().chart_path;
    request.macro_file = chart_base();
    switch (request.kind) {
    case kListFunctions:
        request.list_file = chart_path;
        set_file_extension(request.list_file, ".flt");
        break;
    case kListSource:
        request.list_file = settings.source_print_file;
        if (request.list_file.empty()) request.list_file = document_state().source_name;
        if (request.list_file.empty()) {
            request.list_file = chart_path;
            set_file_extension(request.list_file, ".nam");
        }
        request.macro_file = request.list_file;
        break;
    default: break;
    }
}

bool no_print_source() { return shell_settings().text(oq_settings::kSourcePrintFile).empty(); }

// A job between "印刷中です。" and its result, the program busy meanwhile.
int run_reported(int (*job)(), void (*show_result)(int) = show_list_job_result) {
    show_message_line(1, message_text(kMessagePrinting));
    set_busy_state(0);
    const int result = job();
    show_result(result);
    set_busy_state(1);
    return result;
}

// A chart whose pages all lie before the start page printed nothing: the
// line says so instead of "印刷を終了しました。", though the job ended well.
void show_chart_print_result(int result) {
    const int start = chart_output_state().start_past_end;
    if (result != kPrintDone || start <= 0) {
        show_list_job_result(result);
        return;
    }
    show_message_line(1, std::string(kOrbalinePrintStatus.lead) +
                             format_text(message_text(kMessageStartPastEnd).c_str(), start));
    MessageBeep(0);
}

int print_chart_command() {
    if (!check_chart_open(kPrintChartCaption)) return -1;
    return run_reported(run_chart_print_job, show_chart_print_result);
}

int print_all() {
    if (!check_chart_open(kPrintAllCaption)) return -1;
    if (no_print_source()) open_node_source();
    return run_reported(run_orbaline_print_all);
}

int print_function_list() {
    if (!check_chart_open(list_job_caption(kListFunctions))) return -1;
    return run_reported([] { return run_chart_list_job(kListFunctions); });
}

int print_sources() {
    if (chart().chart_path.empty() && no_print_source()) {
        show_info_box(1, list_job_caption(kListSource), message_text(kMsgSelectFile));
        return -1;
    }
    if (no_print_source()) open_node_source();
    return run_reported([] { return run_chart_list_job(kListSource); });
}

}  // namespace

int run_chart_list_job(int kind) {
    return run_program_list_job(kind, shell_settings(), document_state().program_directory, name_list_files,
                                kOrbalineListPrint);
}

int run_chart_print_job() {
    const int result = print_chart(chart());
    if (result == kPrintChartNotOpened) print_state().failing_file = chart_output_state().remembered_path;
    return result;
}

int run_orbaline_print_all() {
    return run_figure_print_all(read_print_settings(shell_settings()).cover_on_full_print, run_chart_list_job,
                                run_chart_print_job, true);
}

void show_list_job_result(int result) { show_print_status(result, kOrbalinePrintStatus); }

int run_orbaline_print_command(HWND window, UINT id) {
    switch (id) {
    case kPrinterSetupCommand: return run_printer_setup(window, print_parameter_orientation());
    case kPrintFontCommand: return run_print_font_dialog(window);
    case kPrintAllCommand: return print_all();
    case kPrintCoverCommand: return run_reported([] { return run_chart_list_job(kListCover); });
    case kPrintFunctionListCommand: return print_function_list();
    case kPrintChartCommand: return print_chart_command();
    case kPrintSourcesCommand: return print_sources();
    default: break;
    }
    OrbalineEntryPoints& entry = orbaline_commands().entry;
    if (entry.print_command) return entry.print_command(id);
    show_not_available_notice();
    return -1;
}

void install_orbaline_print() { install_viewer_print_host(kOrbalinePrintProfile); }
