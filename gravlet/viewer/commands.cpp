#include "gravlet/viewer/commands.h"

#include <string_view>

#include "common/print/list_print.h"
#include "common/shell/colour_set.h"
#include "common/shell/document.h"
#include "common/shell/recent_files.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/error_window.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/viewer/frame.h"
#include "common/viewer/generation_run.h"
#include "common/viewer/viewer_texts.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/source_list.h"
#include "common/viewer/viewer_startup.h"
#include "gravlet/pad/messages.h"
#include "gravlet/pad/settings_layout.h"
#include "gravlet/viewer/gravlet_dialogs.h"
#include "gravlet/viewer/gravlet_frame.h"
#include "gravlet/viewer/gravlet_state.h"
#include "gravlet/viewer/pad_miniature.h"
#include "gravlet/viewer/pad_view.h"
#include "gravlet/viewer/source_link.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/commdlg.h"

namespace {

enum : int {
    kMessagePrinting = 301,
    kMessageConfirmPrint = 303,
    kMessageNamedPrintFile = 304,
};

// Operation names of the captions (the caption is "【 name 】"): those the
// programs share, then this program's own.
using namespace viewer_texts;
constexpr auto& kPrintCoverOp = "表紙印刷"_sjis;
constexpr auto& kPrintPadOp = "ＰＡＤ図印刷"_sjis;
constexpr auto& kOutputOp = "ＰＡＤ図出力"_sjis;
constexpr auto& kOpenCheckOp = "ＰＡＤ図読み込み確認"_sjis;
constexpr auto& kGenerationWork = "生成処理"_sjis;
// Bare captions.
constexpr auto& kSaveSettingsCaption = "【 パラメタファイル保存 】"_sjis;
// The cover heading's name in 304.
constexpr auto& kCoverPrintName = "表紙印刷"_sjis;

// The open dialog's filter: a label and its pattern.
constexpr auto& kOpenFilter = "C/C++ｿｰｽ(*.c;*.cpp)\0*.c;*.cpp\0"_sjis;
constexpr std::string_view kOpenFilterView(kOpenFilter, sizeof kOpenFilter);

// The colours kept for the colour dialog while the program runs.
COLORREF g_custom_colours[16] = {
    RGB(32, 32, 32),    RGB(0, 0, 128),   RGB(128, 0, 0),   RGB(128, 0, 128), RGB(0, 128, 0),   RGB(0, 128, 128),
    RGB(128, 128, 0),   RGB(128, 128, 128), RGB(64, 64, 64), RGB(0, 0, 192),  RGB(192, 0, 0),   RGB(192, 0, 192),
    RGB(0, 192, 0),     RGB(0, 192, 192), RGB(192, 192, 0), RGB(192, 192, 192),
};

DocumentState& doc() { return document_state(); }
SettingsRecord& settings() { return shell_settings(); }
GravletEntryPoints& entry() { return gravlet_commands().entry; }

using shell_notice::caption;
using shell_notice::notify;

// The PAD checks of a command: no PAD file named (117), named but not
// loaded (617). True when the command is refused.
bool refuse_without_pad(const char* operation) { return refuse_unless_loaded(operation, gx_message::kGeneratePad); }

int unloaded_message() { return doc().file_name.empty() ? gx_message::kChooseFile : gx_message::kNoPad; }

void save_settings_or_tell() {
    if (write_settings_file(settings(), doc().program_directory) != kSettingsOk)
        show_info_box(1, kSaveSettingsCaption, message_text(gx_message::kNotSaved), kGravletSettings.file_name);
}

// The view and the source list after a colour change.
void redraw_pad(bool with_view) {
    if (doc().loaded && with_view) {
        gravlet().marker_y = -1;
        clear_pad_view();
        draw_pad();
        redraw_cell_marker();
    } else {
        clear_pad_view();
    }
}

void refill_source_list() {
    if (!source_list_open()) return;
    clear_source_list_view();
    sync_source_to_cell();
}

int choose_colour(HWND frame, UINT id) {
    static const SettingsField* const kFields[] = {
        &gx_settings::kColourPadLines,   &gx_settings::kColourPadBackground, &gx_settings::kColourPadText,
        &gx_settings::kColourLineNumbers, &gx_settings::kColourSourceText,    &gx_settings::kColourSourceBackground,
    };
    const SettingsField& field = *kFields[id - kPadLineColourCommand];
    (void)frame;
    if (!choose_setting_colour(shell().chart, settings(), field, g_custom_colours)) return 0;
    create_pad_colours();
    recreate_source_colours();
    save_settings_or_tell();
    switch (id) {
    case kPadLineColourCommand:
    case kPadBackgroundColourCommand:
        if (id == kPadBackgroundColourCommand) clear_pad_view();
        redraw_pad(true);
        break;
    case kPadTextColourCommand:
    case kPadNumberColourCommand: redraw_pad(doc().loaded); break;
    default: refill_source_list(); break;
    }
    return 0;
}

int start_editor(HWND frame) {
    return launch_editor(frame, settings().text(gx_settings::kEditorPath)) == 0 ? 0 : -1;
}

int open_from_dialog(HWND frame) {
    std::string path;
    if (choose_file_name(0, shell().control_bar, path, kOpenFilterView, 256, shell().open_filter_index) < 1)
        return 0;
    return open_chosen_source(frame, path);
}

int open_recent(HWND frame, UINT id) {
    std::string name;
    switch (pick_recent_file(id, &name)) {
    case kNoRecentEntry: return 0;
    case kRecentGone: return -1;
    default: return open_chosen_source(frame, name);
    }
}

// The source extension of a chosen name.
std::string source_extension_of(const std::string& chosen) {
    if (chosen.find(".cpp") != std::string::npos) return ".cpp";
    if (chosen.find(".c") != std::string::npos) return ".c";
    return crt_exists(chosen.c_str()) ? ".c" : ".cpp";
}

// After an open or a generation: what the view, the list and the menus show.
void show_opened(int opened) {
    show_current_function();
    sync_source_to_cell();
    set_document_menus(opened == 0 ? 1 : 0);
}

int show_errors(HWND frame, bool batch) {
    const bool left = batch ? gravlet().has_batch_error_file : gravlet().has_error_file;
    if (!left) {
        notify(caption(batch ? kBatchErrorsOp : kErrorsOp), gx_message::kNoErrors);
        return 0;
    }
    const std::string file = program_file_path(batch ? viewer_profile().batch_log_file
                                                     : viewer_profile().single_error_file);
    if (generation_error_window().is_open()) return load_error_list(file, batch);
    return open_generation_error_window(frame, file, batch);
}

int run_batch() {
    const std::string& list = shell().batch_list_name;
    if (list.empty() || list.find_first_of("*?") != std::string::npos) {
        notify(caption(kBatchOp), gx_message::kEnterSourceName);
        return -1;
    }
    return run_batch_generation(list);
}

// One print step through its entry; the not-available notice until the
// printing module fills it.
int list_print(int kind) {
    if (!entry().list_print) {
        show_not_available_notice();
        return -1;
    }
    return entry().list_print(kind);
}

int pad_print_job() {
    if (!entry().pad_print_job) {
        show_not_available_notice();
        return -1;
    }
    return entry().pad_print_job();
}

// A print command's frame: busy, "印刷中です。", the steps, idle, the status.
template <class Steps>
int run_print(Steps steps) {
    set_busy_state(0);
    set_status_text(1, message_text(kMessagePrinting));
    const int result = steps();
    set_busy_state(1);
    if (entry().show_print_status) entry().show_print_status(result);
    return 0;
}

// Every job runs, unless one was cancelled; the first failure is the one
// reported, not the last job's result.
int print_all() {
    if (refuse_without_pad(kPrintAllOp)) return -1;
    return run_print([] {
        return run_figure_print_all(settings().word(gx_settings::kCoverOnFullPrint) == 1, list_print, pad_print_job,
                                    false);
    });
}

int print_cover() {
    std::string name = settings().text(gx_settings::kPrintHeaderBase);
    if (!name.empty()) name += ".hd0";
    const std::string line2 = format_text(message_text(kMessageNamedPrintFile).c_str(), kCoverPrintName, name.c_str());
    if (show_info_box(0, caption(kPrintCoverOp), message_text(kMessageConfirmPrint), line2) != 1) return -1;
    return run_print([] { return list_print(kPrintCover); });
}

int print_source() {
    if (doc().file_name.empty() && settings().text(gx_settings::kSourcePrintFile).empty()) {
        notify(caption(kPrintSourceOp), gx_message::kChooseFile);
        return -1;
    }
    return run_print([] { return list_print(kPrintSource); });
}

int text_output(UINT id) {
    if (refuse_without_pad(kOutputOp)) return -1;
    std::string& name = gravlet_commands().output_name;
    if (name.empty()) {
        name = doc().source_name;
        set_file_extension(name, ".txt");
    }
    if (id == kOutputParametersCommand) {
        if (run_gravlet_dialog("OUTPADDLG") == 2) return text_output(kRunOutputCommand);
        return 0;
    }
    if (!entry().pad_output) {
        show_not_available_notice();
        return 0;
    }
    set_busy_state(0);
    const int result = entry().pad_output(name);
    set_busy_state(1);
    if (entry().report_output) entry().report_output(result);
    return 0;
}

int show_source_list(HWND frame) {
    if (refuse_without_pad(kSourceListOp)) return -1;
    if (!source_list_open()) open_source_list_window(frame);
    return 0;
}

int show_function_list() {
    if (!doc().loaded) {
        notify(caption(kFunctionListOp), unloaded_message());
        return -1;
    }
    run_gravlet_dialog("FLTDLG");
    return 0;
}

int show_layout() {
    if (!doc().loaded) {
        notify(caption(kLayoutOp), unloaded_message());
        return -1;
    }
    if (shell().owned.layout == nullptr)
        open_pad_miniature(shell().frame_window, 0, 0, gravlet().chart_width, gravlet().chart_height);
    return 0;
}

// The environment dialog stored new values: the view takes them.
void environment_saved() {
    DocumentState& d = doc();
    const int old_tab_width = d.tab_width;
    d.linked_mode = settings().word(gx_settings::kLinkMode) != 0;
    gravlet_pad().link_mode = d.linked_mode;
    gravlet().line_numbers = settings().word(gx_settings::kLineNumbers) != 0;
    d.tab_width = settings().word(gx_settings::kTabWidth);
    gravlet_pad().level_width = settings().word(gx_settings::kScreenLevelWidth);
    set_status_text(1, message_text(gx_message::kEnvironmentSaved));
    show_current_function();
    if (d.tab_width != old_tab_width && d.loaded) reload_source_list();
    set_link_button_label(d.linked_mode);
}

std::string help_file() { return program_file_path(viewer_profile().help_file); }

}  // namespace

void GravletCommandState::reset() { *this = GravletCommandState{}; }

GravletCommandState& gravlet_commands() {
    static GravletCommandState state;
    return state;
}

int open_chosen_source(HWND frame, const std::string& chosen) {
    ShellState& s = shell();
    DocumentState& d = doc();
    const std::string extension = source_extension_of(chosen);
    std::string pad_name = chosen;
    set_file_extension(pad_name, ".pds");
    std::string source = chosen;
    set_file_extension(source, extension);
    const int times = compare_file_times(pad_name.c_str(), source.c_str());
    // a name that opens nothing (none of its files is there) is no recent file
    if (times != 4) {
        std::string name = chosen;
        add_recent_file(settings(), name, d.program_directory);
        build_recent_files_menu(frame, kGravletRecentMenu, settings(), s.recent_menu);
    }

    destroy_document_windows();
    gravlet_commands().output_name.clear();

    d.source_extension = extension;
    switch (times) {
    case 0:
    case 3: {
        close_view_file();
        const int opened = open_view_file(chosen);
        show_opened(opened);
        if (opened != 0) tell_unreadable_file(d.file_name);
        break;
    }
    case 1:
    case 2:
        show_info_box(1, caption(kOpenCheckOp),
                      message_text(times == 1 ? gx_message::kOlderPad : gx_message::kNoPad),
                      message_text(gx_message::kRunGeneration));
        d.file_name = pad_name;
        d.source_name = source;
        return run_generation_command();
    default:
        MessageBeep(0);
        set_status_text(1, format_text("%s[%s]", lookup_message(gx_message::kFileMissing), source.c_str()));
        update_title_and_status();
        return -1;
    }
    update_title_and_status();
    return 0;
}

int run_generation_command() {
    DocumentState& d = doc();
    d.file_name = d.source_name;
    close_view_file();
    run_generation();
    // the run's outcome stays in the status bar over the loading texts
    const std::string outcome = shell().kept_status_text;
    const int opened = open_view_file(d.file_name.empty() ? d.source_name : d.file_name);
    show_opened(opened);
    if (d.abort) {
        d.abort = false;
        set_status_text(1, format_text(lookup_message(gx_message::kInterrupted), kGenerationWork));
    } else {
        // also a generator's own -1, which leaves its process error text
        set_status_text(1, outcome);
    }
    update_title_and_status();
    return 0;
}

int dispatch_menu_command(HWND frame, WPARAM wparam) {
    gravlet().cursor_over_cell = false;
    const UINT id = LOWORD(wparam);
    if (id >= kFirstRecentCommand && id <= kLastRecentCommand) return open_recent(frame, id);
    switch (id) {
    case kOpenCommand: return open_from_dialog(frame);
    case kPrintParametersCommand: run_gravlet_dialog("PRNDLG"); return 0;
    case kPrinterSetupCommand: return printer_setup(frame);
    case kPrintFontCommand: return print_font(frame);
    case kPrintAllCommand: return print_all();
    case kPrintCoverCommand: return print_cover();
    case kPrintFunctionListCommand:
        if (refuse_without_pad(kPrintListOp)) return -1;
        return run_print([] { return list_print(kPrintFunctionList); });
    case kPrintPadCommand:
        if (refuse_without_pad(kPrintPadOp)) return -1;
        return run_print([] { return pad_print_job(); });
    case kPrintSourceCommand: return print_source();
    case kExitCommand: PostQuitMessage(0); return 0;
    case kEditorDialogCommand: run_gravlet_dialog("EDITORDLG"); return 0;
    case kStartEditorCommand: return start_editor(frame);
    case kSourceListCommand: return show_source_list(frame);
    case kFunctionListCommand: return show_function_list();
    case kLayoutCommand: return show_layout();
    case kEnvironmentCommand:
        if (run_gravlet_dialog("ENVDLG") == 1) environment_saved();
        return 0;
    case kStandardColoursCommand: apply_standard_colours(); return 0;
    case kPadLineColourCommand:
    case kPadBackgroundColourCommand:
    case kPadTextColourCommand:
    case kPadNumberColourCommand:
    case kSourceTextColourCommand:
    case kSourceBackgroundColourCommand: return choose_colour(frame, id);
    case kRulerCommand: toggle_ruler(); return 0;
    case kKeywordsCommand: run_gravlet_dialog("KEYWORDDLG"); return 0;
    case kGenerationParametersCommand:
        if (run_gravlet_dialog("CNVPRMDLG") == 2) return run_generation_command();
        return 0;
    case kGenerateCommand: return run_generation_command();
    case kShowGenerationErrorsCommand: return show_errors(frame, false);
    case kBatchSettingsCommand:
        if (run_gravlet_dialog("CNVLSTDLG") != 0) return run_batch();
        return 0;
    case kRunBatchCommand: return run_batch();
    case kShowBatchErrorsCommand: return show_errors(frame, true);
    case kHelpTopicsCommand: WinHelpA(frame, help_file().c_str(), HELP_FINDER, 0); return 0;
    case kHelpOnHelpCommand: WinHelpA(frame, "WINHELP.HLP", HELP_CONTENTS, 0); return 0;
    case kVersionCommand: run_gravlet_dialog("VERSIONDLG"); return 0;
    case kOutputParametersCommand:
    case kRunOutputCommand: return text_output(id);
    default: return 0;
    }
}
