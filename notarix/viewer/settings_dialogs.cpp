#include "notarix/viewer/settings_dialogs.h"

#include <climits>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>

#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/text/message_table.h"
#include "common/text/notarix_message_numbers.h"
#include "common/text/text_helpers.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/viewer_startup.h"
#include "notarix/viewer/commands.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/page_view.h"
#include "notarix/viewer/settings_layout.h"
#include "notarix/viewer/source_list.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/file_io.h"
#include "platform/user/commctrl.h"
#include "platform/user/commdlg.h"
#include "platform/user/resources.h"
#include "resources/notarix/settings_dialog_templates.h"

using namespace settings_dialog_templates;
using namespace dialog_kit;

namespace {

constexpr DialogCheck kPrintChecks[] = {
    {kOuterFrameId, &nx_settings::kPrintOuterFrame},
    {kCoverId, &nx_settings::kCoverOnFullPrint},
};
// ORDER FIELDS: the first four follow the orientation; the up-down ids
// count 1000 upwards in this order.
constexpr DialogNumber kPrintNumbers[] = {
    {kLinesPerPageId, &nx_settings::kPrintLinesPerPage},
    {kCharsPerLineId, &nx_settings::kPrintCharsPerLine},
    {kPrintTopMarginId, &nx_settings::kPrintTopMargin},
    {kPrintLeftMarginId, &nx_settings::kPrintLeftMargin},
    {kPrintFirstPageId, &nx_settings::kPrintFirstPageNumber},
    {kPrintFirstFunctionId, &nx_settings::kPrintFirstFunction},
    {kPrintLastFunctionId, &nx_settings::kPrintLastFunction},
};
constexpr DialogNumber kOutputNumbers[] = {
    {kTextTopMarginId, &nx_settings::kTextTopMargin},
    {kTextLeftMarginId, &nx_settings::kTextLeftMargin},
    {kTextFirstPageId, &nx_settings::kTextFirstPageNumber},
    {kTextFirstFunctionId, &nx_settings::kTextFirstFunction},
    {kTextLastFunctionId, &nx_settings::kTextLastFunction},
};

}  // namespace

const PrintDialogProfile kNotarixPrintDialogs = [] {
    PrintDialogProfile p;
    p.print_template = "PRNPRMDLG";
    p.landscape_id = kLandscapeId;
    p.portrait_id = kPortraitId;
    p.orientation = &nx_settings::kOrientation;
    p.print_checks = kPrintChecks;
    p.print_numbers = kPrintNumbers;
    p.standard_ids[0] = kStandardLinesId;
    p.standard_ids[1] = kStandardCharsId;
    p.standard_ids[2] = kStandardTopId;
    p.standard_ids[3] = kStandardLeftId;
    p.print_order = {5, 6, 3};
    p.print_header_id = kPrintHeaderId;
    p.print_header = &nx_settings::kPrintHeaderBase;
    p.source_file_id = kSourcePrintFileId;
    p.source_file = &nx_settings::kSourcePrintFile;
    p.source_folder_id = kSourceFolderId;
    p.printer_button_id = kPrinterButtonId;
    p.font_button_id = kFontButtonId;
    p.code_set_id = kCodeSetId;
    p.code_set = &nx_settings::kTextCodeSet;
    p.output_numbers = kOutputNumbers;
    p.output_order = {3, 4, 3};
    p.output_file_id = kTextOutputFileId;
    p.output_header_id = kTextHeaderId;
    p.output_header = &nx_settings::kTextHeaderBase;
    p.run_button_id = kRunOutputButtonId;
    return p;
}();

// The page becomes current as a pick from the function list makes it: the
// view, the source list (linked or not) and the layout window follow.
void show_chosen_page(int page) {
    DocumentState& doc = document_state();
    doc.current_page = page;
    refresh_page_view();
    if (source_list_open() && doc.current_page < static_cast<int>(doc.pages.size())) {
        doc.current_source_line = doc.pages[static_cast<size_t>(doc.current_page)].tag;
        set_source_search_start(doc.current_source_line);
        follow_current_function();
    }
    if (page_view().hooks.set_layout_visible_region)
        page_view().hooks.set_layout_visible_region(0, 0, shell().view_width, shell().view_height);
}

// --- JUMPDLG -------------------------------------------------------------------------------

namespace {

// What the open page-jump dialog moves.
PageJumpTarget g_jump_target;

void open_page_jump(HWND dialog, const PageJumpTarget* target) {
    open_dialog(dialog);
    PageJumpTarget& jump = g_jump_target;
    if (target != nullptr) {
        jump = *target;
    } else {
        const DocumentState& doc = document_state();
        jump = PageJumpTarget{doc.current_page, doc.page_count, show_chosen_page};
    }
    add_up_down(dialog, kFirstUpDownId, kJumpPageId, 1, jump.count, jump.current + 1);
}

// A number outside the pages (all of them when there are none) is refused;
// the dialog stays open after a jump.
void jump_to_page(HWND dialog) {
    PageJumpTarget& jump = g_jump_target;
    int page = 0;
    if (!check_range(dialog, kJumpPageId, 1, jump.count, &page)) return;
    jump.current = page - 1;
    if (jump.show != nullptr) jump.show(page - 1);
}

// --- Dialogs by name -----------------------------------------------------------------------

struct SettingsDialog {
    const char* template_name;
    DLGPROC procedure;
};
// The shared dialogs (ENVDLG, EDITORDLG, VERSIONDLG, FLTDLG) come with
// NOTARIX's own templates; KEYWORDDLG and CNVLSTDLG belong to the
// generation dialogs' table.
constexpr SettingsDialog kSettingsDialogs[] = {
    {"ENVDLG", environment_dlg_proc},     {"EDITORDLG", editor_dlg_proc},   {"PRNPRMDLG", print_param_dlg_proc},
    {"OUTPADDLG", output_param_dlg_proc}, {"JUMPDLG", page_jump_dlg_proc}, {"VERSIONDLG", version_dlg_proc},
    {"FLTDLG", function_list_dlg_proc},
};

const SettingsDialog* find_settings_dialog(const char* name) {
    if (name == nullptr) return nullptr;
    for (const SettingsDialog& d : kSettingsDialogs) {
        if (std::string_view(d.template_name) == name) return &d;
    }
    return nullptr;
}

}  // namespace

INT_PTR page_jump_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: open_page_jump(dialog, reinterpret_cast<const PageJumpTarget*>(lparam)); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDOK: jump_to_page(dialog); return TRUE;
        case IDCANCEL: end_dialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

void register_settings_dialog_resources() {
    register_shared_dialog_resources();
    // once per process: the tables outlive every test's platform reset
    if (find_dialog_resource("ENVDLG") == &kDialogs[0]) return;
    register_program_resources(&kTable);
}

int run_settings_dialog(const char* template_name) {
    const SettingsDialog* d = find_settings_dialog(template_name);
    if (d == nullptr) return -1;
    // paging needs a loaded document with pages, as the page keys do
    const DocumentState& doc = document_state();
    if (d->procedure == page_jump_dlg_proc && (!doc.loaded || doc.page_count < 1)) {
        MessageBeep(0);
        set_status_text(1, message_text(doc.file_name.empty() ? nx_message::kChooseFile : nx_message::kNoDocument));
        return 0;
    }
    register_settings_dialog_resources();
    settings_dialogs_state().reset();
    const INT_PTR result = DialogBoxParamA(shell().instance, d->template_name, shell().frame_window, d->procedure, 0);
    destroy_up_downs();
    return static_cast<int>(result);
}

int run_page_jump_dialog(HWND owner, const PageJumpTarget& target) {
    register_settings_dialog_resources();
    settings_dialogs_state().reset();
    const INT_PTR result = DialogBoxParamA(shell().instance, "JUMPDLG", owner, page_jump_dlg_proc,
                                           reinterpret_cast<LPARAM>(&target));
    destroy_up_downs();
    return static_cast<int>(result);
}

void install_settings_dialogs() {
    register_settings_dialog_resources();
    viewer_hooks().show_function = show_chosen_page;
    std::function<int(const char*)>& entry = command_state().entry.run_dialog;
    entry = [previous = entry](const char* template_name) {
        if (find_settings_dialog(template_name) != nullptr) return run_settings_dialog(template_name);
        if (previous) return previous(template_name);
        show_not_available(0);
        return 0;
    };
}
