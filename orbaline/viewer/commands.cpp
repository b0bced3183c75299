#include "orbaline/viewer/commands.h"

#include <strings.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "common/print/print_state.h"
#include "common/print/print_status.h"
#include "common/shell/colour_set.h"
#include "common/shell/document.h"
#include "common/shell/recent_files.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "common/viewer/frame.h"
#include "common/viewer/generation_run.h"
#include "common/viewer/print_dialogs.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/shell_dialogs.h"
#include "common/viewer/source_list.h"
#include "common/viewer/viewer_print_host.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_output.h"
#include "orbaline/chart/chart_search.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/chart/working_copy.h"
#include "orbaline/print/chart_print.h"
#include "orbaline/viewer/chart_layout.h"
#include "orbaline/viewer/chart_view.h"
#include "orbaline/viewer/generation.h"
#include "orbaline/viewer/orbaline_dialogs.h"
#include "orbaline/viewer/orbaline_frame.h"
#include "orbaline/viewer/orbaline_state.h"
#include "orbaline/viewer/print_commands.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/commdlg.h"

namespace {

// Captions of the commands' boxes.
constexpr auto& kSourceListCaption = "【 ソースリスト表示 】"_sjis;
constexpr auto& kFunctionListCaption = "【 関数一覧表示 】"_sjis;
constexpr auto& kLayoutCaption = "【 レイアウト表示 】"_sjis;
constexpr auto& kNamInputCaption = "【 ＮＡＭファイル入力 】"_sjis;
constexpr auto& kSourceOpenCaption = "【 ソースファイルオープン 】"_sjis;
constexpr auto& kErrorsCaption = "【 生成エラー表示 】"_sjis;
constexpr auto& kExitCaption = "【 終了確認 】"_sjis;
constexpr auto& kNewCaption = "【 新規作成 】"_sjis;
constexpr auto& kNamWord = "ＮＡＭ"_sjis;
constexpr int kMsgMakeList = 429;    // ＮＡＭファイルを作成してください。
constexpr int kMsgBadFileName = 8;   // ファイル名に誤りがあります(%s)。
constexpr auto& kSourceWord = "ソース"_sjis;
constexpr auto& kGenerationRun = "生成処理"_sjis;
// The open dialog's filter.
constexpr auto& kListFilter = "NAMﾘｽﾄﾌｧｲﾙ(*.nam)\0*.nam\0"_sjis;
constexpr int kNameBytes = 256;
constexpr int kUndefinedMessage = 611;

ChartSession& session() { return chart(); }
DocumentState& doc() { return document_state(); }
SettingsRecord& settings() { return shell_settings(); }

void forget_source() {
    doc().source_name.clear();
    doc().source_loaded = false;
}

// The current chart shut before another opens.
void close_current_chart() {
    clear_chart_view();
    clear_source_list_view();
    close_chart(session());
    forget_source();
    sync_document_flags();
}

// The current source read into the source list, which opens or follows.
int show_node_source() {
    doc().tab_width = session().tab_width;
    const int loaded = load_source_text();
    sync_document_flags();
    if (loaded != 0) return -1;
    if (source_list_open()) return follow_current_function();
    return open_source_list_window(shell().frame_window) != nullptr ? 0 : -1;
}

// After a generation that gave 0: the chart opened afresh.
void reopen_after_generation() {
    ChartSession& c = session();
    const std::string path = c.chart_path;
    close_chart(c);
    open_chart_by_name(path);
    reload_chart_view(0);
    if (source_list_open()) {
        if (open_node_source() == 0) {
            show_node_source();
        } else {
            MessageBeep(0);
            close_source_list_window();
        }
    }
    if (doc().abort) {
        doc().abort = false;
        show_message_line(1, message_with_text(kMsgInterrupted, kGenerationRun));
    }
    set_chart_menus(1);
}

// The generation bracket shared by the commands.
int generate_now() {
    OrbalineState& o = orbaline();
    if (o.generating) return -1;
    o.generating = true;
    if (confirm_generation() != 0) {
        o.generating = false;
        return -1;
    }
    set_busy_state(0);
    change_to_file_directory(session().chart_path);
    const int status = run_tree_generation();
    if (status == 0) reopen_after_generation();
    set_busy_state(1);
    o.generating = false;
    return status;
}

void open_existing(const std::string& path) {
    close_current_chart();
    const int opened = open_chart_by_name(path);
    if (opened != -1) reload_chart_view(0);
    update_window_title();
    set_chart_menus(1);
    if (opened != 0) set_chart_menus(0);
    if (opened == -1) tell_unreadable_file(session().chart_path);
}

bool modified_chart_may_go(const char* caption) {
    if (!session().modified) return true;
    return show_info_box(0, caption, message_text(kMsgChartModified), session().chart_path, message_text(113)) == 1;
}

int open_by_dialog(HWND window) {
    if (!modified_chart_may_go(kNamInputCaption)) return -1;
    std::string name = "*.nam";
    int filter_index = 1;
    const std::string filter(kListFilter, sizeof kListFilter);
    if (choose_file_name(0, window, name, filter, kNameBytes, filter_index) < 1) return -1;
    return open_listed_chart(name);
}

// NEW_NAMLSTDLG until it names a list, with no chart named while it runs
// (so it starts from "*.nam"): true when a name came back.
bool ask_for_new_list() {
    std::string& name = orbaline().new_list_name;
    for (;;) {
        show_message_line(1, message_text(kMsgMakeList));
        const std::string kept = session().chart_path;
        session().chart_path.clear();
        const int result = run_dialog_template("NEW_NAMLSTDLG", nam_list_dlg_proc);
        session().chart_path = kept;
        show_message_line(0, "");
        if (result == 0) return false;
        if (name != "*.nam") return true;
        if (show_info_box(0, kNewCaption, message_text(kMsgMakeList)) != 1) return false;
    }
}

bool is_list_name(const std::string& name) {
    return name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".NAM") == 0;
}

// New: a list made in NEW_NAMLSTDLG becomes the chart, generated at once.
int create_new_chart() {
    if (!modified_chart_may_go(kNamInputCaption)) return -1;
    if (!ask_for_new_list()) return -1;
    std::string name = orbaline().new_list_name;
    if (!crt_exists(name.c_str())) {
        show_info_box(1, kNewCaption, message_with_text(kMsgFileNotFound, kNamWord), name);
        return -1;
    }
    add_recent_file(settings(), name, doc().program_directory);
    build_recent_files_menu(shell().frame_window, kOrbalineRecentMenu, settings(), shell().recent_menu);
    if (!is_list_name(name)) {
        show_info_box(1, kNamInputCaption, message_with_text(kMsgBadFileName, name));
        return -1;
    }
    close_current_chart();
    open_chart_by_name("");
    update_window_title();
    set_chart_menus(1);
    set_file_extension(name, ".trd");
    session().chart_path = name;
    sync_document_flags();
    update_window_title();
    const int status = generate_now();
    if (status != 0) update_window_title();
    return status;
}

int open_recent(UINT id) {
    std::string name;
    if (pick_recent_file(id, &name) != kRecentFound) return -1;
    change_to_file_directory(name);
    return open_listed_chart(name);
}

int exit_program() {
    if (session().modified &&
        show_info_box(0, kExitCaption, message_text(kMsgChartModified),
                      message_with_text(108, orbaline_viewer_profile().box_name)) != 1)
        return -1;
    PostQuitMessage(0);
    return 0;
}

int edit_chart(UINT id) {
    const int kind = static_cast<int>(id) - kFirstEditCommand;
    ChartSession& c = session();
    std::string replacement;
    if (kind == kEditReplaceOne || kind == kEditReplaceAll) {
        if (!check_chart_open(kCaptionEditCommand)) return -1;
        orbaline_commands().replacement_text = std::string(c.table.text(c.selected_row, c.selected_column));
        if (run_dialog_template("EDTCMT", comment_dlg_proc) != 1) return -1;
        replacement = orbaline_commands().replacement_text;
    }
    if (!c.loaded && !c.modified && !check_chart_open(kCaptionEditCommand)) return -1;
    if (c.chart_path.empty()) {
        show_message_line(1, message_text(kMsgSelectFile));
        return -1;
    }
    const int result = run_chart_edit(c, kCaptionEditChart, kind, replacement);
    sync_document_flags();
    if (c.modified) EnableMenuItem(GetMenu(shell().frame_window), kSaveCommand, MF_BYCOMMAND | MF_ENABLED);
    return result;
}

int save_command() {
    const int result = save_chart(session(), kCaptionSaveChart);
    EnableMenuItem(GetMenu(shell().frame_window), kSaveCommand,
                   MF_BYCOMMAND | (session().modified ? MF_ENABLED : MF_GRAYED));
    update_window_title();
    return result;
}

int start_editor(HWND window) {
    const std::string command = settings().text(oq_settings::kEditorPath);
    if (!command.empty() && !doc().source_loaded) open_node_source();
    return launch_editor(window, command);
}

int show_source_list_command() {
    if (!check_chart_open(kSourceListCaption)) return -1;
    if (doc().source_name.empty()) {
        const int result = open_node_source();
        if (result == -3 && doc().source_name.empty()) {
            show_info_box(1, kSourceListCaption, std::string(kSourceWord) + message_text(kMsgFileNotFound).substr(2));
            return -1;
        }
    }
    if (source_list_open()) return 0;
    if (open_node_source() != 0) return -1;
    return show_node_source();
}

// The colours of the commands 16388-16393, in id order.
struct ColourCommand {
    const SettingsField* field;
    bool chart_colour;  // the chart view is drawn again
};
const ColourCommand kColourCommands[] = {
    {&oq_settings::kColourChartLines, true},       {&oq_settings::kColourChartBackground, true},
    {&oq_settings::kColourChartText, true},        {&oq_settings::kColourRowNumbers, true},
    {&oq_settings::kColourSourceText, false},      {&oq_settings::kColourSourceBackground, false},
};

int choose_colour(UINT id) {
    const ColourCommand& command = kColourCommands[id - kFirstColourCommand];
    if (!choose_setting_colour(shell().chart, settings(), *command.field, orbaline().custom_colours, 36)) return -1;
    if (command.chart_colour) {
        create_chart_colours();
        clear_chart_view();
        if (session().loaded) redraw_chart();
    } else {
        recreate_source_colours();
        if (source_list_open()) {
            clear_source_list_view();
            reload_source_list();
        }
    }
    save_chart_settings();
    return 0;
}

// ENVDLG, then its values taken into the view.
int change_environment() {
    if (run_dialog_template("ENVDLG", environment_dlg_proc) != 1) return 0;
    ChartSession& c = session();
    const SettingsRecord& r = settings();
    const int old_tab = c.tab_width;
    c.link_mode = r.word(oq_settings::kLinkMode);
    document_state().linked_mode = c.link_mode != 0;
    c.row_numbers = r.word(oq_settings::kRowNumbers);
    c.tab_width = settings_word_in_range(r, oq_settings::kTabWidth);
    c.box_width = settings_word_in_range(r, oq_settings::kBoxWidth);
    c.box_lines = settings_word_in_range(r, oq_settings::kBoxLines);
    take_chart_client_size();
    if (c.loaded) reload_chart_view(1);
    if (c.tab_width != old_tab && source_list_open()) show_node_source();
    set_link_caption(document_state().linked_mode);
    // "環境設定を登録しました。"
    show_message_line(1, "環境設定を登録しました。"_sjis);
    return 1;
}

int toggle_nest_level() {
    toggle_ruler();
    if (session().loaded) redraw_chart();
    return 0;
}

int show_errors() {
    if (generation_error_window().is_open()) return 0;
    if (orbaline().last_run_error == 0) {
        show_info_box(1, kErrorsCaption, message_text(308));
        return 0;
    }
    return open_generation_error_window(shell().frame_window, program_file_path("oq1000.err"), false);
}

int repair_list() {
    if (prepare_nam_order_repair() != 0) return -1;
    set_busy_state(0);
    change_to_file_directory(session().chart_path);
    const int status = run_nam_order_repair();
    set_busy_state(1);
    doc().abort = false;
    return status;
}

// Until one is given, the output goes beside the chart with ".txt".
void default_output_name() {
    OrbalineState& o = orbaline();
    if (o.output_name.empty()) {
        o.output_name = session().chart_path;
        set_file_extension(o.output_name, ".txt");
    }
}

int output_text() {
    if (!check_chart_open(kCaptionOutputChart)) return -1;
    default_output_name();
    OrbalineState& o = orbaline();
    set_busy_state(0);
    const int result = output_chart_text(session(), o.output_name);
    set_busy_state(1);
    show_chart_job_result(session(), result);
    return result;
}

int show_help(HWND window) {
    const std::string help = program_file_path(orbaline_viewer_profile().help_file);
    return WinHelpA(window, help.c_str(), HELP_FINDER, 0) ? 0 : -1;
}

}  // namespace

void OrbalineCommandState::reset() { *this = OrbalineCommandState{}; }

OrbalineCommandState& orbaline_commands() {
    static OrbalineCommandState state;
    return state;
}

bool check_chart_open(const char* title) {
    const ChartSession& c = session();
    if (c.chart_path.empty()) {
        show_info_box(1, title, message_text(kMsgSelectFile));
        return false;
    }
    if (!c.loaded) {
        show_info_box(1, title, message_text(kMsgNoChart));
        return false;
    }
    return true;
}

int output_parameters() {
    if (!check_chart_open(kCaptionOutputChart)) return -1;
    default_output_name();
    return run_dialog_template("OUTPADDLG", output_param_dlg_proc) == 2 ? output_text() : 0;
}

int run_chart_command(HWND window, UINT id) {
    if (id >= 4104 && id <= 4108) return open_recent(id);
    if (id >= kFirstEditCommand && id <= kReloadChartCommand) return edit_chart(id);
    if (id >= kFirstColourCommand && id <= kLastColourCommand) return choose_colour(id);
    if (id >= kPrinterSetupCommand && id <= kPrintSourcesCommand)
        return run_orbaline_print_command(window, id);
    switch (id) {
    case kNewCommand: return create_new_chart();
    case kOpenCommand: return open_by_dialog(window);
    case kSaveCommand: return save_command();
    case kExitCommand: return exit_program();
    case kEditorCommand: return start_editor(window);
    case kSourceListCommand: return show_source_list_command();
    case kFunctionListCommand:
        if (!check_chart_open(kFunctionListCaption)) return -1;
        return run_dialog_template("FLTDLG", function_list_dlg_proc);
    case kLayoutCommand:
        if (!check_chart_open(kLayoutCaption)) return -1;
        if (!chart_layout().open())
            open_chart_layout(window, 0, 0, orbaline().client_width, orbaline().client_height);
        return 0;
    case kEnvironmentCommand: return change_environment();
    case kStandardColoursCommand: reset_chart_colours(); return 0;
    case kNestLevelCommand: return toggle_nest_level();
    case kKeywordsCommand: return run_dialog_template("KEYWORDDLG", keyword_dlg_proc);
    case kParametersCommand:
        return run_dialog_template("CNVPRMDLG", generation_parameters_dlg_proc) == 2 ? generate_now() : 0;
    case kRepairCommand: return repair_list();
    case kGenerateCommand: return generate_now();
    case kErrorsCommand: return show_errors();
    case kIgnoreListCommand: return run_dialog_template("IGNLSTDLG", ignore_list_dlg_proc);
    case kNamListCommand: return run_dialog_template("NAMLSTDLG", nam_list_dlg_proc);
    case kHelpCommand: return show_help(window);
    case kVersionCommand: return run_dialog_template("VERSIONDLG", version_dlg_proc);
    case kChartSearchCommand: return search_chart(session(), 0);
    case kChartSearchAgainCommand: return search_chart(session(), 1);
    case kPrintParametersCommand: return run_dialog_template("PRNDLG", print_param_dlg_proc);
    case kOutputParametersCommand: return output_parameters();
    case kOutputCommand: return output_text();
    default: return 0;
    }
}

int open_chart_by_name(const std::string& name) {
    ChartSession& c = session();
    forget_source();
    orbaline().output_name.clear();
    c.program_directory = doc().program_directory;
    const int result = open_chart(c, name);
    if (result == kChartSetupOk) set_link_caption(document_state().linked_mode);
    c.previous_row = c.previous_column = -1;
    orbaline().marker_x = orbaline().marker_y = -1;
    sync_document_flags();
    return result;
}

int open_listed_chart(const std::string& path) {
    ShellState& s = shell();
    destroy_document_windows();
    const int stale = check_chart_stale(path);
    // a list that cannot be read is no recent file
    if (stale == -1) return -1;
    std::string name = path;
    add_recent_file(settings(), name, doc().program_directory);
    build_recent_files_menu(s.frame_window, kOrbalineRecentMenu, settings(), s.recent_menu);
    if (stale == 0) {
        open_existing(path);
        return 0;
    }
    std::string trd = path;
    set_file_extension(trd, ".trd");
    session().chart_path = trd;
    sync_document_flags();
    const int status = generate_now();
    if (status != 0) open_existing(path);
    return status;
}

int open_node_source() {
    ChartSession& c = session();
    DocumentState& d = doc();
    const std::string text(c.table.text(c.selected_row, c.selected_column));
    const int open = find_file_reference(text);  // not the '<' of "operator<"
    const auto refuse = [&d](const std::string& line) {
        show_message_line(1, line);
        d.source_name.clear();
        d.source_loaded = false;
        return -3;
    };
    const std::string missing = message_with_text(kMsgFileNotFound, kSourceWord);
    if (open < 0 && c.table.undefined(c.selected_row)) return refuse(message_text(kUndefinedMessage));
    if (open < 0) return refuse(missing);
    std::string reference = text.substr(static_cast<size_t>(open) + 1);
    const size_t close = reference.find('>');
    if (close == std::string::npos) return refuse(missing);
    reference.resize(close);
    if (reference == "UNDEFINED") return refuse(message_text(kUndefinedMessage));
    long long line = 1;
    const size_t paren = reference.find('(');
    if (paren != std::string::npos) {
        const size_t end = reference.find(')', paren);
        if (end != std::string::npos)
            line = std::strtoll(reference.substr(paren + 1, end - paren - 1).c_str(), nullptr, 10);
        reference.resize(paren);
    }
    // any number a chart may hold, however far outside a file's lines
    const int first = static_cast<int>(std::clamp(line, 1LL, static_cast<long long>(INT_MAX)));
    orbaline().source_start_line = first - 1;
    d.current_source_line = first;
    if (reference.find('\\') == std::string::npos && reference.find(':') == std::string::npos &&
        (reference.empty() || reference[0] != '/')) {
        std::string folder, name;
        split_path(c.chart_path, folder, name);
        reference = folder + reference;
    }
    // the source shown already stays
    if (reference == d.source_name && d.source_loaded && crt_exists(reference.c_str())) return 0;
    d.source_name = reference;
    LineReader probe;
    if (!probe.open(reference.c_str())) {
        show_info_box(1, kSourceOpenCaption, message_text(kMsgFileOpenError), message_with_text(101, reference));
        d.source_loaded = false;
        return -1;
    }
    probe.close();
    d.source_loaded = true;
    set_link_caption(d.linked_mode);
    return 0;
}

void follow_selected_node() {
    HCURSOR kept = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    if (open_node_source() != 0) {
        MessageBeep(0);
        if (source_list_open()) close_source_list_window();
    } else {
        show_node_source();
    }
    SetCursor(kept);
}

int read_function_list_entry(int n, std::string& file, std::string& name) {
    std::string path = session().chart_path;
    set_file_extension(path, ".flt");
    LineReader reader;
    if (!reader.open(path.c_str())) {
        show_message_line(1, message_text(kMsgFileOpenError));
        return -1;
    }
    std::string line;
    bool heading = true;
    int count = 0;
    while (reader.next(line)) {
        if (heading) {
            heading = false;
            continue;
        }
        if (line.size() < 2 || ++count != n) continue;
        const FunctionListLine parts = parse_function_list_line(line);
        file = parts.file;
        name = parts.name;
        const size_t colon = name.find(':');
        if (colon != std::string::npos) name.resize(colon);
        trim_line_end(name);
        break;
    }
    return 0;
}

int show_listed_function(int n) {
    std::string file, name;
    if (read_function_list_entry(n, file, name) != 0 || name.empty()) return -1;
    orbaline().function_list_row = n - 1;
    return select_chart_function(session(), name, file);
}

void install_chart_hooks() {
    ChartHooks& hooks = session().hooks;
    hooks = ChartHooks{};
    hooks.message_box = [](const ChartBox& box) {
        return show_info_box(box.kind == ChartBoxKind::Question ? 0 : 1, box.caption, box.text);
    };
    hooks.message_line = [](int mode, const std::string& text) { show_message_line(mode, text); };
    hooks.beep = [] { MessageBeep(0); };
    hooks.open_meter = [](const std::string& title, const std::string& line1, const std::string& line2) {
        open_progress_meter(shell().frame_window, title, line1, line2);
    };
    hooks.meter_value = [](int done, int total) { set_progress_value(nullptr, done, total); };
    hooks.close_meter = [] { close_progress_meter(); };
    hooks.keep_going = [] {
        if (document_state().abort) return false;
        pump_one_message();
        return !document_state().abort;
    };
    hooks.reload_view = [](int mode) { reload_chart_view(mode); };
    hooks.selection_moved = [] {
        ChartSession& c = session();
        if (c.selected_row < c.top_row || c.selected_row >= c.top_row + c.visible_rows - 1)
            c.top_row = std::max(1, std::min(c.selected_row - 1, c.row_count() - c.visible_rows + 2));
        set_chart_extent();
        redraw_chart();
        update_status_panes();
        if (document_state().linked_mode && source_list_open()) follow_selected_node();
    };
    hooks.column_hidden = [](int column) {
        // the column's band, from its left edge, against the client width
        const int x = (8 * column - session().left_column) * kChartCellWidth;
        return x < 0 || x > orbaline().client_width;
    };
    hooks.rows_deleted = [] {
        update_status_panes();
        if (document_state().linked_mode && source_list_open()) follow_selected_node();
    };
    hooks.close_source_list = [] { close_source_list_window(); };
    // the dialog searches itself; the chart's own search is not run again
    hooks.enter_search_text = [](std::string&) {
        run_search_text_dialog(shell().frame_window, shell().frame_window, session().search_text,
                               [](HWND) { do_chart_search(session()); });
        return 0;
    };
    hooks.show_source_list = [] {
        if (open_node_source() == 0) show_node_source();
    };
}
