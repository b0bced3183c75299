#include "notarix/viewer/commands.h"

#include <algorithm>

#include "common/shell/colour_set.h"
#include "common/shell/document.h"
#include "common/shell/recent_files.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/error_window.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/notarix_message_numbers.h"
#include "common/viewer/viewer_texts.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/viewer_startup.h"
#include "notarix/editor/form_editor.h"
#include "notarix/layout/layout_window.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/page_view.h"
#include "notarix/viewer/print_commands.h"
#include "notarix/viewer/print_preview.h"
#include "notarix/viewer/settings_layout.h"
#include "notarix/viewer/source_list.h"
#include "notarix/viewer/startup.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/commdlg.h"
#include "platform/user/shellapi.h"

namespace {

// The error files of the last single and batch runs, in the program directory.
constexpr char kSingleErrorFile[] = "nx1000.err";
constexpr char kBatchErrorFile[] = "nx1000.erl";

// Operation names of the captions (the caption is "【 name 】"): those the
// programs share, then this program's own.
using namespace viewer_texts;
constexpr auto& kPrintSummaryOp = "関数サマリー印刷"_sjis;
constexpr auto& kPrintSpecOp = "関数仕様書印刷"_sjis;
constexpr auto& kPreviewOp = "関数仕様書印刷プレビュー"_sjis;
constexpr auto& kOutputOp = "関数仕様書出力"_sjis;
constexpr auto& kOpenCheckOp = "関数仕様書読み込み確認"_sjis;
constexpr auto& kGenerationOp = "生成処理"_sjis;
// Bare captions.
constexpr auto& kSaveSettingsCaption = "パラメタファイル保存"_sjis;

// The open dialog's filter: pairs of label and pattern.
constexpr auto& kOpenFilter =
    "C/C++ｿｰｽ(*.c;*.cpp)\0*.c;*.cpp\0"_sjis
    "Cｿｰｽ(*.c)\0*.c\0"_sjis
    "C++ｿｰｽ(*.cpp)\0*.cpp\0"_sjis
    "関数仕様書(*.lin)\0*.lin\0"_sjis
    "全ﾌｧｲﾙ(*.*)\0*.*\0"_sjis;
constexpr std::string_view kOpenFilterView(kOpenFilter, sizeof kOpenFilter);

// The print popup's items.
constexpr auto& kPopupPrintAll = "全印刷(&A)"_sjis;
constexpr auto& kPopupCover = "表紙印刷(&H)"_sjis;
constexpr auto& kPopupList = "関数一覧印刷(&L)"_sjis;
constexpr auto& kPopupSpec = "関数仕様書印刷(&C)"_sjis;
constexpr auto& kPopupSummaryUnloaded = "関数ｻﾏﾘｰ印刷(&S)"_sjis;
constexpr auto& kPopupSummaryLoaded = "関数ｻﾏﾘｰ印刷(&C)"_sjis;
constexpr auto& kPopupSource = "ｿｰｽ印刷(&S)"_sjis;

DocumentState& doc() { return document_state(); }

using shell_notice::caption;
using shell_notice::notify;

// The two checks that recur: no document chosen (117), a document chosen
// but not loaded (118). True when the command is refused.
bool refuse_without_document(const char* operation) {
    return refuse_unless_loaded(operation, nx_message::kNoDocument);
}

int unloaded_message() { return doc().file_name.empty() ? nx_message::kChooseFile : nx_message::kNoDocument; }

int run_dialog(const char* template_name, UINT id) {
    CommandEntryPoints& entry = command_state().entry;
    if (entry.run_dialog) return entry.run_dialog(template_name);
    show_not_available(id);
    return 0;
}

// The environment dialog stored new values: the page view and the source
// list expand tabs with the kept copy of the tab width, so take the new one
// and reload the source only when it changed.
void environment_saved() {
    const int old_tab_width = doc().tab_width;
    doc().tab_width = shell_settings().word(nx_settings::kTabWidth);
    refresh_page_view();
    if (doc().tab_width != old_tab_width && doc().loaded) reload_source_list();
    set_link_button_label(doc().linked_mode);
    if (page_view().hooks.set_layout_visible_region)
        page_view().hooks.set_layout_visible_region(0, 0, shell().view_width, shell().view_height);
    // last: reloading the source says so in the status bar
    set_status_text(1, message_text(nx_message::kEnvironmentSaved));
}

int run_generation() {
    CommandEntryPoints& entry = command_state().entry;
    if (entry.run_generation) return entry.run_generation();
    show_not_available(kRunGenerationCommand);
    return -1;
}

// After a run: a cancelled run says so in the status bar.
void report_abort() {
    if (!doc().abort) return;
    doc().abort = false;
    set_status_text(1, format_text(lookup_message(nx_message::kInterrupted), kGenerationOp));
}

std::string source_extension_of(std::string_view chosen) {
    return chosen.find(".cpp") != std::string_view::npos ? ".cpp" : ".c";
}

void save_settings_or_tell() {
    if (write_settings_file(shell_settings(), doc().program_directory) != kSettingsOk)
        show_info_box(1, kSaveSettingsCaption, message_text(nx_message::kNotSaved), kNotarixSettings.file_name);
}

// After a colour change: the page view's objects in the new colours.
void apply_colours() {
    recreate_colour_objects();
    if (shell().chart != nullptr) InvalidateRect(shell().chart, nullptr, TRUE);
    if (doc().loaded) redraw_page_view();
    follow_current_function();
    tell_layout_window();
}

int standard_colours() {
    reset_standard_colours(shell_settings());
    save_settings_or_tell();
    apply_colours();
    return 0;
}

int choose_colour(HWND frame, const SettingsField& item) {
    static COLORREF custom[16] = {};
    if (!choose_setting_colour(frame, shell_settings(), item, custom)) return 0;
    save_settings_or_tell();
    apply_colours();
    return 0;
}

int start_editor(HWND frame) {
    return launch_editor(frame, shell_settings().text(nx_settings::kEditorPath)) == 0 ? 0 : -1;
}

int open_from_dialog(HWND frame) {
    std::string path = "*" + doc().source_extension;
    if (choose_file_name(0, shell().control_bar, path, kOpenFilterView, 256, shell().open_filter_index) < 1)
        return 0;
    return open_chosen_document(frame, path);
}

int open_recent(HWND frame, UINT id) {
    std::string name;
    switch (pick_recent_file(id, &name)) {
    case kNoRecentEntry: return 0;
    case kRecentGone: return -1;
    default: return open_chosen_document(frame, name);
    }
}

int run_generation_command() {
    DocumentState& d = doc();
    d.file_name = d.source_name;
    close_document(d);
    const int r = run_generation();
    // the run's outcome stays in the status bar over the loading texts
    const std::string outcome = shell().kept_status_text;
    const std::string name = d.file_name;
    open_document(d, name, notarix_document_hooks(), kNotarixDocument);
    if (r != 0) {
        set_status_text(1, outcome);
        return 0;
    }
    refresh_page_view();
    follow_current_function();
    tell_layout_window();
    report_abort();
    set_document_menus(1);
    update_title_and_status();
    // functions the document cannot show stay told over the loading texts
    if (!shell().left_out_functions_text.empty()) set_status_text(1, shell().left_out_functions_text);
    return 0;
}

int show_errors(HWND frame, bool batch) {
    const bool left = batch ? command_state().batch_run_left_errors : command_state().single_run_left_errors;
    if (!left) {
        notify(caption(batch ? kBatchErrorsOp : kErrorsOp), nx_message::kNoErrors);
        return 0;
    }
    const std::string file = doc().program_directory + "\\" + (batch ? kBatchErrorFile : kSingleErrorFile);
    // an open window shows the new file in place
    if (generation_error_window().is_open()) return load_error_list(file, batch);
    return open_generation_error_window(frame, file, batch);
}

int show_summary(HWND frame) {
    if (!doc().loaded) {
        set_status_text(1, message_text(unloaded_message()));
        MessageBeep(0);
        return -1;
    }
    if (summary_window().is_open()) return 0;
    return open_summary_window(frame, side_file_name(doc(), ".fsm"));
}

int run_batch() {
    const std::string& list = shell().batch_list_name;
    if (list.empty() || list.find_first_of("*?") != std::string::npos) {
        notify(caption(kBatchOp), nx_message::kEnterSourceName);
        return -1;
    }
    CommandEntryPoints& entry = command_state().entry;
    if (!entry.run_batch_generation) {
        show_not_available(kRunBatchCommand);
        return 0;
    }
    return entry.run_batch_generation(list);
}

int print_job(UINT id, const char* operation) {
    if (refuse_without_document(operation)) return -1;
    run_print_command(id);
    return 0;
}

int print_source() {
    if (doc().file_name.empty() && shell_settings().text(nx_settings::kSourcePrintFile).empty()) {
        notify(caption(kPrintSourceOp), nx_message::kChooseFile);
        return -1;
    }
    run_print_command(kPrintSourceCommand);
    return 0;
}

int open_preview(HWND frame) {
    if (preview_state().open) return 0;
    if (refuse_without_document(kPreviewOp)) return -1;
    open_print_preview(frame);
    return 0;
}

// While the preview is open the page commands page through it.
int preview_page_command(UINT id) {
    switch (id) {
    case kNextPageCommand: return do_preview_command(kPreviewNext);
    case kPreviousPageCommand: return do_preview_command(kPreviewPrevious);
    case kFirstPageCommand: return do_preview_command(kPreviewFirst);
    case kLastPageCommand: return do_preview_command(kPreviewLast);
    case kJumpCommand: return do_preview_command(kPreviewJump);
    default: return -1;
    }
}

int print_popup(HWND frame) {
    HMENU popup = CreatePopupMenu();
    if (popup == nullptr) return -1;
    const bool loaded = doc().loaded;
    const UINT needs_document = loaded ? MF_ENABLED : MF_DISABLED;
    AppendMenuA(popup, MF_STRING | needs_document, kPrintAllCommand, kPopupPrintAll);
    AppendMenuA(popup, MF_STRING, kPrintCoverCommand, kPopupCover);
    AppendMenuA(popup, MF_STRING | needs_document, kPrintFunctionListCommand, kPopupList);
    AppendMenuA(popup, MF_STRING | needs_document, kPrintFunctionPagesCommand, kPopupSpec);
    AppendMenuA(popup, MF_STRING | needs_document, kPrintSummaryCommand,
                loaded ? kPopupSummaryLoaded : kPopupSummaryUnloaded);
    AppendMenuA(popup, MF_STRING, kPrintSourceCommand, kPopupSource);
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenu(popup, TPM_RIGHTALIGN, cursor.x, cursor.y, 0, frame, nullptr);
    DestroyMenu(popup);
    return 0;
}

int text_output(UINT id) {
    if (refuse_without_document(kOutputOp)) return -1;
    std::string& name = shell().text_output_name;
    if (name.empty()) {
        name = doc().source_name;
        set_file_extension(name, ".txt");
    }
    if (id == kOutputParametersCommand) {
        if (run_dialog("OUTPADDLG", id) == 2) return text_output(kRunOutputCommand);
        return 0;
    }
    run_text_output(name);
    return 0;
}

std::string help_file() { return doc().program_directory + "\\nx1000s.hlp"; }

}  // namespace

void CommandState::reset() { *this = CommandState{}; }

CommandState& command_state() {
    static CommandState state;
    return state;
}

void show_not_available(UINT id) {
    CommandEntryPoints& entry = command_state().entry;
    if (entry.not_available) {
        entry.not_available(id);
        return;
    }
    show_not_available_notice();
}

int open_chosen_document(HWND frame, const std::string& chosen) {
    ShellState& s = shell();
    DocumentState& d = doc();
    const std::string extension = source_extension_of(chosen);
    std::string document = chosen;
    set_file_extension(document, ".lin");
    std::string source = chosen;
    set_file_extension(source, extension);
    const int times = compare_file_times(document.c_str(), source.c_str());
    // a name that opens nothing (none of its files is there) is no recent file
    if (times != 4) {
        std::string name = chosen;
        add_recent_file(shell_settings(), name, d.program_directory);
        build_recent_files_menu(frame, kNotarixRecentMenu, shell_settings(), s.recent_menu);
    }

    destroy_document_windows();
    s.text_output_name.clear();

    int result = 0;
    // The document is made again, after a notice of why, when it is older
    // than its source, missing, or no document this program can read.
    const auto generate_and_open = [&](int why) {
        show_info_box(1, caption(kOpenCheckOp), message_text(why), message_text(nx_message::kRunGeneration));
        d.source_extension = extension;
        d.source_name = source;
        d.file_name = d.source_name;
        close_document(d);
        run_generation();
        const std::string again = d.file_name;
        const int opened = open_document(d, again, notarix_document_hooks(), kNotarixDocument);
        refresh_page_view();
        follow_current_function();
        tell_layout_window();
        report_abort();
        set_document_menus(opened == 0 ? 1 : 0);
        if (!shell().left_out_functions_text.empty()) set_status_text(1, shell().left_out_functions_text);
    };
    switch (times) {
    case 0:
    case 3: {
        clear_page_view();
        clear_source_list_view();
        close_document(d);
        d.source_extension = extension;
        const int opened = open_document(d, chosen, notarix_document_hooks(), kNotarixDocument);
        const bool foreign = d.index_result == kIndexNotADocument || d.index_result == kIndexWrongVersion;
        const int why = d.index_result == kIndexNotADocument ? nx_message::kNotADocument : nx_message::kOtherVersion;
        // with its source there it is made again; without, nothing can be
        if (opened != 0 && foreign && times == 0) {
            generate_and_open(why);
            break;
        }
        if (opened != 0 && foreign)
            show_info_box(1, caption(kOpenCheckOp), message_text(why),
                          format_text(lookup_message(nx_message::kFileName), d.file_name.c_str()));
        refresh_page_view();
        follow_current_function();
        tell_layout_window();
        set_document_menus(opened == 0 ? 1 : 0);
        if (opened != 0) tell_unreadable_file(d.file_name);
        break;
    }
    case 1:
    case 2:
        generate_and_open(times == 1 ? nx_message::kOlderDocument : nx_message::kNoDocument);
        break;
    default:
        MessageBeep(0);
        set_status_text(1, format_text("%s[%s]", lookup_message(nx_message::kFileMissing), source.c_str()));
        result = -1;
        break;
    }
    update_title_and_status();
    return result;
}

int dispatch_menu_command(HWND frame, WPARAM wparam) {
    const UINT id = LOWORD(wparam);
    if (preview_state().open && ((id >= kNextPageCommand && id <= kLastPageCommand) || id == kJumpCommand))
        return preview_page_command(id);
    if (id >= kFirstRecentCommand && id <= kLastRecentCommand) return open_recent(frame, id);
    switch (id) {
    case kOpenCommand: return open_from_dialog(frame);
    case kExitCommand: PostQuitMessage(0); return 0;
    case kPrintPopupCommand: return print_popup(frame);
    case kFormEditorCommand:
        if (shell().owned.form_editor == nullptr) return open_form_editor(frame);
        return 0;
    case kEditorDialogCommand: return command_state().entry.run_dialog ? run_dialog("EDITORDLG", id) : 0;
    case kStartEditorCommand: return start_editor(frame);
    case kSourceListCommand:
        if (refuse_without_document(kSourceListOp)) return -1;
        if (!source_list_open()) open_source_list_window(frame);
        return 0;
    case kFunctionListCommand:
        if (!doc().loaded) {
            notify(caption(kFunctionListOp), unloaded_message());
            MessageBeep(0);
        }
        run_dialog("FLTDLG", id);
        return 0;
    case kLayoutCommand:
        if (!doc().loaded) {
            notify(caption(kLayoutOp), unloaded_message());
            return -1;
        }
        if (shell().owned.layout == nullptr)
            open_layout_window(frame, 0, 0, shell().view_width, shell().view_height);
        return 0;
    case kSummaryCommand: return show_summary(frame);
    case kEnvironmentCommand:
        if (run_dialog("ENVDLG", id) == 1) environment_saved();
        return 0;
    case kStandardColoursCommand: return standard_colours();
    case kFormColourCommand: return choose_colour(frame, nx_settings::kColourFormLines);
    case kPageBackgroundColourCommand: return choose_colour(frame, nx_settings::kColourPageBackground);
    case kPageTextColourCommand: return choose_colour(frame, nx_settings::kColourPageText);
    case kSourceTextColourCommand: return choose_colour(frame, nx_settings::kColourSourceText);
    case kSourceBackgroundColourCommand: return choose_colour(frame, nx_settings::kColourSourceBackground);
    case kGaugeCommand: toggle_column_gauge(); return 0;
    case kNextPageCommand: return step_page(kNextPage);
    case kPreviousPageCommand: return step_page(kPreviousPage);
    case kFirstPageCommand: return jump_end_page(kFirstPage);
    case kLastPageCommand: return jump_end_page(kLastPage);
    case kLinkCommand:
        set_linked_mode(!doc().linked_mode);
        set_link_button_label(doc().linked_mode);
        CheckMenuItem(GetMenu(frame), kLinkCommand, MF_BYCOMMAND | (doc().linked_mode ? MF_CHECKED : MF_UNCHECKED));
        return 0;
    case kJumpCommand: return command_state().entry.run_dialog ? run_dialog("JUMPDLG", id) : 0;
    case kKeywordsCommand: run_dialog("KEYWORDDLG", id); return 0;
    case kCommonInfoCommand: run_dialog("COMPRMDLG", id); return 0;
    case kGenerationParametersCommand:
        if (run_dialog("CNVPRMDLG", id) == 2) return run_generation_command();
        return 0;
    case kRunGenerationCommand: return run_generation_command();
    case kShowGenerationErrorsCommand: return show_errors(frame, false);
    case kBatchSettingsCommand:
        if (run_dialog("CNVLSTDLG", id) != 0) return run_batch();
        return 0;
    case kRunBatchCommand: return run_batch();
    case kShowBatchErrorsCommand: return show_errors(frame, true);
    case kPrintParametersCommand: run_dialog("PRNPRMDLG", id); return 0;
    case kPrinterSetupCommand: return printer_setup(frame);
    case kPrintFontCommand: return print_font(frame);
    case kPrintAllCommand: return print_job(id, kPrintAllOp);
    case kPrintCoverCommand: run_print_command(id); return 0;
    case kPrintFunctionListCommand: return print_job(id, kPrintListOp);
    case kPrintSummaryCommand: return print_job(id, kPrintSummaryOp);
    case kPrintFunctionPagesCommand: return print_job(id, kPrintSpecOp);
    case kPrintSourceCommand: return print_source();
    case kPreviewCommand: return open_preview(frame);
    case kHelpTopicsCommand: WinHelpA(frame, help_file().c_str(), HELP_FINDER, 0); return 0;
    case kHelpOnHelpCommand: WinHelpA(frame, "WINHELP.HLP", HELP_CONTENTS, 0); return 0;
    case kVersionCommand: run_dialog("VERSIONDLG", id); return 0;
    case kOutputParametersCommand:
    case kRunOutputCommand: return text_output(id);
    default: return 0;
    }
}
