#include "gravlet/viewer/gravlet_dialogs.h"

#include <strings.h>

#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/text/message_table.h"
#include "common/viewer/frame.h"
#include "common/viewer/print_dialogs.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/shell_dialogs.h"
#include "common/text/shell_message_numbers.h"
#include "common/viewer/viewer_texts.h"
#include "gravlet/pad/messages.h"
#include "gravlet/pad/settings_layout.h"
#include "gravlet/viewer/commands.h"
#include "gravlet/viewer/gravlet_frame.h"
#include "gravlet/viewer/gravlet_state.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/commctrl.h"
#include "platform/user/resources.h"
#include "resources/gravlet/gravlet_resources.h"

using namespace dialog_kit;
using namespace gravlet_resources;

namespace {


constexpr auto& kParameterTitle = "【 生成パラメタ設定 】"_sjis;

// ORDER VALUE: each list's texts in the order of the values they store.
constexpr const char* kFormChoices[] = {
    "標準コメントのみ"_sjis, "標準コメントまたは文"_sjis, "文"_sjis, "標準コメントと文"_sjis, "すべてのコメントと文"_sjis,
};
constexpr const char* kDeclarationChoices[] = {"生成なし"_sjis, "生成あり"_sjis, "先頭空行まで生成なし"_sjis};
constexpr const char* kCaseChoices[] = {"一括ボックス生成"_sjis, "個別ボックス生成"_sjis};
constexpr const char* kSpecialCommentChoices[] = {"しない"_sjis, "コメントのみを対象"_sjis, "文とコメントを対象"_sjis};

// A drop-down list and the settings field whose value is its index.
struct ListChoice {
    int id;
    const SettingsField* field;
    std::span<const char* const> texts;
};

constexpr ListChoice kListChoices[] = {
    {kFormCombo, &gx_settings::kGenerationForm, kFormChoices},
    {kDeclarationCombo, &gx_settings::kDeclarationForm, kDeclarationChoices},
    {kIncludeCombo, &gx_settings::kIncludeUse, viewer_texts::kIncludeUseChoices},
    {kMacroCombo, &gx_settings::kMacroExpansion, viewer_texts::kMacroExpansionChoices},
    {kCaseCombo, &gx_settings::kCasePassForm, kCaseChoices},
    {kSpecialCommentCombo, &gx_settings::kSpecialComments, kSpecialCommentChoices},
};

constexpr DialogNumber kParameterNumbers[] = {
    {kPadCharactersField, &gx_settings::kPadCharacters},
    {kNestLevelField, &gx_settings::kGenerationNestLevel},
};

SettingsRecord& settings() { return shell_settings(); }

constexpr DialogCheck kPrintChecks[] = {
    {kOuterFrameCheck, &gx_settings::kPrintOuterFrame},
    {kCoverCheck, &gx_settings::kCoverOnFullPrint},
};
// ORDER FIELDS: table order; the first four follow the orientation, the
// up-down ids count 1000 upwards in this order.
constexpr DialogNumber kPrintNumbers[] = {
    {kLinesPerPageField, &gx_settings::kPrintLinesPerPage},
    {kCharsPerLineField, &gx_settings::kPrintCharsPerLine},
    {kPrintTopMarginField, &gx_settings::kPrintTopMargin},
    {kPrintLeftMarginField, &gx_settings::kPrintLeftMargin},
    {kPrintFirstPageField, &gx_settings::kPrintFirstPageNumber},
    {kPrintFirstFunctionField, &gx_settings::kPrintFirstFunction},
    {kPrintLastFunctionField, &gx_settings::kPrintLastFunction},
    {kPrintLevelWidthField, &gx_settings::kPrintLevelWidth},
    {kPrintLimitField, &gx_settings::kPrintLimitLines},
};
constexpr DialogScreenValue kPrintScreenValues[] = {{kPrintScreenWidthText, &gx_settings::kScreenLevelWidth}};
constexpr DialogNumber kOutputNumbers[] = {
    {kOutputTopMarginField, &gx_settings::kOutputTopMargin},
    {kOutputLeftMarginField, &gx_settings::kOutputLeftMargin},
    {kOutputFirstFunctionField, &gx_settings::kOutputFirstFunction},
    {kOutputLastFunctionField, &gx_settings::kOutputLastFunction},
    {kOutputLevelWidthField, &gx_settings::kOutputLevelWidth},
};
constexpr DialogScreenValue kOutputScreenValues[] = {{kOutputScreenWidthText, &gx_settings::kScreenLevelWidth}};

void open_parameters(HWND dialog) {
    open_dialog(dialog);
    // a generation needs the source the list has read
    EnableWindow(GetDlgItem(dialog, kRunButton), document_state().source_loaded ? TRUE : FALSE);
    for (const ListChoice& c : kListChoices) {
        for (const char* text : c.texts) SendDlgItemMessageA(dialog, c.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendDlgItemMessageA(dialog, c.id, CB_SETCURSEL, static_cast<WPARAM>(settings().word(*c.field)), 0);
    }
    int up_down = kFirstUpDownId;
    for (const DialogNumber& n : kParameterNumbers)
        add_up_down(dialog, up_down++, n.id, n.field->min, n.field->max, settings().word(*n.field));
    SetDlgItemTextA(dialog, kOptionsField, settings().text(gx_settings::kGenerationOptions).c_str());
}

// 登録 (1) and 生成実行 (2) store alike; the dispatcher generates on 2.
void accept_parameters(HWND dialog, int result) {
    int values[std::size(kParameterNumbers)] = {};
    for (size_t i = 0; i < std::size(kParameterNumbers); ++i) {
        if (!check_number(dialog, kParameterNumbers[i], &values[i])) return;
    }
    std::string options;
    if (!read_text_field(dialog, kOptionsField, gx_settings::kGenerationOptions, &options)) return;
    SettingsRecord& r = settings();
    for (size_t i = 0; i < std::size(kParameterNumbers); ++i) r.set_word(*kParameterNumbers[i].field, values[i]);
    r.set_text(gx_settings::kGenerationOptions, options);
    for (const ListChoice& c : kListChoices) {
        const LRESULT chosen = SendDlgItemMessageA(dialog, c.id, CB_GETCURSEL, 0, 0);
        // an unselected list keeps the stored value
        if (chosen >= 0 && chosen < static_cast<LRESULT>(c.texts.size())) r.set_word(*c.field, static_cast<int>(chosen));
    }
    r.set_text(gx_settings::kIncludeFolders, "");
    end_dialog(dialog, result);
    if (write_settings_file(r, document_state().program_directory) != kSettingsOk) {
        MessageBeep(0);
        MessageBoxA(shell().frame_window, message_text(gx_message::kNotSaved).c_str(), kParameterTitle,
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    set_status_text(0, "");
}

}  // namespace

const PrintDialogProfile kGravletPrintDialogs = [] {
    PrintDialogProfile p;
    p.landscape_id = kLandscapeRadio;
    p.portrait_id = kPortraitRadio;
    p.orientation = &gx_settings::kOrientation;
    p.print_checks = kPrintChecks;
    p.print_numbers = kPrintNumbers;
    p.standard_ids[0] = kStandardLinesText;
    p.standard_ids[1] = kStandardCharsText;
    p.standard_ids[2] = kStandardTopText;
    p.standard_ids[3] = kStandardLeftText;
    p.print_order = {5, 6, shell_message::kFunctionOrder};
    p.print_header_id = kPrintHeaderField;
    p.print_header = &gx_settings::kPrintHeaderBase;
    p.source_file_id = kSourcePrintField;
    p.source_file = &gx_settings::kSourcePrintFile;
    p.source_folder_id = kSourcePrintFolder;
    p.printer_button_id = kPrinterButton;
    p.font_button_id = kFontButton;
    p.print_screen_values = kPrintScreenValues;
    p.code_set_id = kOutputCodeCombo;
    p.code_set = &gx_settings::kOutputCodeSet;
    p.output_numbers = kOutputNumbers;
    p.output_order = {2, 3, shell_message::kFunctionOrder};
    p.output_file_id = kOutputFileField;
    p.output_header_id = kOutputHeaderField;
    p.output_header = &gx_settings::kOutputHeaderFile;
    p.output_screen_values = kOutputScreenValues;
    p.run_button_id = kRunButton;
    p.output_name = []() -> std::string& { return gravlet_commands().output_name; };
    p.not_saved_message = gx_message::kNotSaved;
    return p;
}();

INT_PTR pad_generation_param_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: open_parameters(dialog); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDOK: accept_parameters(dialog, 1); return TRUE;
        case kRunButton: accept_parameters(dialog, 2); return TRUE;
        case IDCANCEL: end_dialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

void register_gravlet_resources() {
    register_shared_dialog_resources();
    // once per process: the tables outlive every test's platform reset
    if (find_menu_resource("GXW_PAD_MENU") == &kMenus[0]) return;
    register_program_resources(&kTable);
}

int run_gravlet_dialog(const char* template_name) {
    if (template_name == nullptr) return -1;
    register_gravlet_resources();
    if (strcasecmp(template_name, "CNVPRMDLG") == 0)
        return run_dialog_template(template_name, pad_generation_param_dlg_proc);
    if (DLGPROC shared = shared_dialog_procedure(template_name)) return run_dialog_template(template_name, shared);
    if (strcasecmp(template_name, "PRNDLG") == 0) return run_dialog_template(template_name, print_param_dlg_proc);
    if (strcasecmp(template_name, "OUTPADDLG") == 0) return run_dialog_template(template_name, output_param_dlg_proc);
    return -1;
}
