#include "notarix/viewer/settings_dialogs.h"

#include <climits>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>

#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/shell/viewer/shell_boxes.h"
#include "common/shell/viewer/viewer_startup.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/text/message_table.h"
#include "common/text/notarix_message_numbers.h"
#include "common/text/text_helpers.h"
#include "notarix/viewer/commands.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/page_view.h"
#include "notarix/viewer/settings_layout.h"
#include "notarix/viewer/source_list.h"
#include "platform/kernel/file_io.h"
#include "platform/gdi/wingdi.h"
#include "platform/user/commctrl.h"
#include "platform/user/commdlg.h"
#include "platform/user/resources.h"
#include "resources/notarix/settings_dialog_templates.h"

using namespace settings_dialog_templates;
using namespace dialog_kit;

namespace {

// "C/C++ｿｰｽ(*.c;*.cpp)" with its pattern.
constexpr char kSourceFilter[] = "C/C++\xbf\xb0\xbd(*.c;*.cpp)\0*.c;*.cpp\0";
// "ＤＯＳ／Ｖ", "ＰＣ９８": the text output's code sets, in the order of their values.
constexpr const char* kCodeSetNames[] = {"\x82\x63\x82n\x82r\x81^\x82u", "\x82o\x82\x62\x82X\x82W"};
// "標準(%3d)"
constexpr char kStandardFormat[] = "\x95W\x8f\x80(%3d)";

// A numeric field: its control and the settings field it edits (whose range
// is the field's range in the layout).
struct NumericField {
    int id;
    const SettingsField* field;
};

// ORDER FIELDS: the first four follow the orientation (and print_values'
// columns); the up-down ids count 1000 upwards in this order.
constexpr NumericField kPrintFields[] = {
    {kLinesPerPageId, &nx_settings::kPrintLinesPerPage},
    {kCharsPerLineId, &nx_settings::kPrintCharsPerLine},
    {kPrintTopMarginId, &nx_settings::kPrintTopMargin},
    {kPrintLeftMarginId, &nx_settings::kPrintLeftMargin},
    {kPrintFirstPageId, &nx_settings::kPrintFirstPageNumber},
    {kPrintFirstFunctionId, &nx_settings::kPrintFirstFunction},
    {kPrintLastFunctionId, &nx_settings::kPrintLastFunction},
};
constexpr int kOrientedFields = 4;
constexpr int kStandardStatics[kOrientedFields] = {kStandardLinesId, kStandardCharsId, kStandardTopId,
                                                   kStandardLeftId};

constexpr NumericField kOutputFields[] = {
    {kTextTopMarginId, &nx_settings::kTextTopMargin},
    {kTextLeftMarginId, &nx_settings::kTextLeftMargin},
    {kTextFirstPageId, &nx_settings::kTextFirstPageNumber},
    {kTextFirstFunctionId, &nx_settings::kTextFirstFunction},
    {kTextLastFunctionId, &nx_settings::kTextLastFunction},
};

SettingsRecord& settings() { return shell_settings(); }

bool check_field(HWND dialog, const NumericField& f, int* value) {
    return check_range(dialog, f.id, f.field->min, f.field->max, value);
}

// A text field into the settings, cut to the field.
void store_text(HWND dialog, int id, const SettingsField& field) { settings().set_text_cut(field, field_text(dialog, id)); }

// --- PRNPRMDLG --------------------------------------------------------------------------

int checked_orientation(HWND dialog) { return IsDlgButtonChecked(dialog, kLandscapeId) == BST_CHECKED ? 0 : 1; }

void show_standard_values(HWND dialog, int orientation) {
    for (int i = 0; i < kOrientedFields; ++i) {
        const int value = notarix_standard_print_value(*kPrintFields[i].field, orientation);
        SetDlgItemTextA(dialog, kStandardStatics[i], format_text(kStandardFormat, value).c_str());
    }
}

void show_oriented_values(HWND dialog) {
    SettingsDialogsState& s = settings_dialogs_state();
    for (int i = 0; i < kOrientedFields; ++i)
        SetDlgItemInt(dialog, kPrintFields[i].id, static_cast<UINT>(s.print_values[s.shown_orientation][i]), TRUE);
}

// The four oriented fields, checked; false (after message 0) on a bad one.
bool read_oriented_values(HWND dialog, int values[kOrientedFields]) {
    for (int i = 0; i < kOrientedFields; ++i) {
        if (!check_field(dialog, kPrintFields[i], &values[i])) return false;
    }
    return true;
}

void open_print_parameters(HWND dialog) {
    open_dialog(dialog);
    SettingsDialogsState& s = settings_dialogs_state();
    const SettingsRecord& r = settings();
    const int orientation = r.word(nx_settings::kOrientation) == 0 ? 0 : 1;
    CheckRadioButton(dialog, kLandscapeId, kPortraitId, orientation == 0 ? kLandscapeId : kPortraitId);
    s.shown_orientation = orientation;
    show_standard_values(dialog, orientation);
    CheckDlgButton(dialog, kCoverId, r.word(nx_settings::kCoverOnFullPrint) != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kOuterFrameId, r.word(nx_settings::kPrintOuterFrame) != 0 ? BST_CHECKED : BST_UNCHECKED);
    for (int o = 0; o < 2; ++o) {
        for (int i = 0; i < kOrientedFields; ++i) s.print_values[o][i] = r.word(*kPrintFields[i].field, o);
    }
    int up_down = kFirstUpDownId;
    for (const NumericField& f : kPrintFields) {
        const int slot = f.field->kind == SettingsFieldKind::WordPair ? orientation : 0;
        add_up_down(dialog, up_down++, f.id, f.field->min, f.field->max, r.word(*f.field, slot));
    }
    SetDlgItemTextA(dialog, kPrintHeaderId, r.text(nx_settings::kPrintHeaderBase).c_str());
    SetDlgItemTextA(dialog, kSourcePrintFileId, r.text(nx_settings::kSourcePrintFile).c_str());
}

// A click on either paper button. Leaving an orientation keeps its four
// values for later, but only when they are valid; a bad one keeps the old
// orientation checked.
void switch_orientation(HWND dialog) {
    SettingsDialogsState& s = settings_dialogs_state();
    const int wanted = checked_orientation(dialog);
    if (wanted != s.shown_orientation) {
        int values[kOrientedFields] = {};
        if (!read_oriented_values(dialog, values)) {
            CheckRadioButton(dialog, kLandscapeId, kPortraitId, s.shown_orientation == 0 ? kLandscapeId : kPortraitId);
            show_standard_values(dialog, s.shown_orientation);
            return;
        }
        for (int i = 0; i < kOrientedFields; ++i) s.print_values[s.shown_orientation][i] = values[i];
        s.shown_orientation = wanted;
    }
    show_standard_values(dialog, s.shown_orientation);
    show_oriented_values(dialog);
}

void choose_source_print_file(HWND dialog) {
    const std::string& extension = document_state().source_extension;
    choose_into_field(dialog, kSourcePrintFileId, "*" + (extension.empty() ? std::string(".c") : extension),
                      std::string_view(kSourceFilter, sizeof kSourceFilter));
}

void accept_print_parameters(HWND dialog) {
    int values[std::size(kPrintFields)] = {};
    for (size_t i = 0; i < std::size(kPrintFields); ++i) {
        if (!check_field(dialog, kPrintFields[i], &values[i])) return;
    }
    if (!check_function_order(dialog, values[5], values[6])) return;

    SettingsDialogsState& s = settings_dialogs_state();
    SettingsRecord& r = settings();
    const int orientation = checked_orientation(dialog);
    r.set_word(nx_settings::kOrientation, orientation);
    r.set_word(nx_settings::kPrintOuterFrame, IsDlgButtonChecked(dialog, kOuterFrameId) == BST_CHECKED ? 1 : 0);
    r.set_word(nx_settings::kCoverOnFullPrint, IsDlgButtonChecked(dialog, kCoverId) == BST_CHECKED ? 1 : 0);
    for (int i = 0; i < kOrientedFields; ++i) {
        r.set_word(*kPrintFields[i].field, values[i], orientation);
        r.set_word(*kPrintFields[i].field, s.print_values[1 - orientation][i], 1 - orientation);
    }
    for (size_t i = kOrientedFields; i < std::size(kPrintFields); ++i) r.set_word(*kPrintFields[i].field, values[i]);
    store_text(dialog, kPrintHeaderId, nx_settings::kPrintHeaderBase);
    store_text(dialog, kSourcePrintFileId, nx_settings::kSourcePrintFile);
    end_dialog(dialog, 1);
    save_settings(dialog);
}

// --- OUTPADDLG ---------------------------------------------------------------------------

void open_output_parameters(HWND dialog) {
    open_dialog(dialog);
    const SettingsRecord& r = settings();
    for (const char* name : kCodeSetNames)
        SendDlgItemMessageA(dialog, kCodeSetId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendDlgItemMessageA(dialog, kCodeSetId, CB_SETCURSEL, static_cast<WPARAM>(r.word(nx_settings::kTextCodeSet)), 0);
    int up_down = kFirstUpDownId;
    for (const NumericField& f : kOutputFields)
        add_up_down(dialog, up_down++, f.id, f.field->min, f.field->max, r.word(*f.field));
    SetDlgItemTextA(dialog, kTextOutputFileId, shell().text_output_name.c_str());
    SetDlgItemTextA(dialog, kTextHeaderId, r.text(nx_settings::kTextHeaderBase).c_str());
}

// 登録 (1) and 出力実行 (2) store alike; the dispatcher runs the output on 2.
void accept_output_parameters(HWND dialog, int result) {
    int values[std::size(kOutputFields)] = {};
    for (size_t i = 0; i < std::size(kOutputFields); ++i) {
        if (!check_field(dialog, kOutputFields[i], &values[i])) return;
    }
    if (!check_function_order(dialog, values[3], values[4])) return;

    SettingsRecord& r = settings();
    // an empty selection keeps the stored code set (CB_ERR would store 65535)
    const LRESULT code_set = SendDlgItemMessageA(dialog, kCodeSetId, CB_GETCURSEL, 0, 0);
    if (code_set >= 0 && code_set < static_cast<LRESULT>(std::size(kCodeSetNames)))
        r.set_word(nx_settings::kTextCodeSet, static_cast<int>(code_set));
    for (size_t i = 0; i < std::size(kOutputFields); ++i) r.set_word(*kOutputFields[i].field, values[i]);
    std::string output = field_text(dialog, kTextOutputFileId);
    cut_at_char_boundary(output, 255);
    shell().text_output_name = output;
    store_text(dialog, kTextHeaderId, nx_settings::kTextHeaderBase);
    end_dialog(dialog, result);
    save_settings(dialog);
}

}  // namespace

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

INT_PTR print_param_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: open_print_parameters(dialog); return TRUE;
    case WM_DRAWITEM: draw_folder_button(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kLandscapeId:
        case kPortraitId:
            if (clicked(wparam)) switch_orientation(dialog);
            return TRUE;
        case kSourceFolderId:
            if (clicked(wparam)) choose_source_print_file(dialog);
            return TRUE;
        // the printer and font dialogs act on the program's print records at
        // once, whatever button later ends this dialog
        case kPrinterButtonId: run_printer_setup(dialog); return TRUE;
        case kFontButtonId: run_print_font_dialog(dialog); return TRUE;
        case IDOK: accept_print_parameters(dialog); return TRUE;
        case IDCANCEL: end_dialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

INT_PTR output_param_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: open_output_parameters(dialog); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kRunOutputButtonId: accept_output_parameters(dialog, 2); return TRUE;
        case IDOK: accept_output_parameters(dialog, 1); return TRUE;
        case IDCANCEL: end_dialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

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
