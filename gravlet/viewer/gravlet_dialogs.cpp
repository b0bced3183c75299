#include "gravlet/viewer/gravlet_dialogs.h"

#include <strings.h>

#include <iterator>
#include <string>
#include <vector>

#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/viewer/frame.h"
#include "common/viewer/print_dialogs.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/shell_dialogs.h"
#include "common/viewer/shell_messages.h"
#include "common/text/message_table.h"
#include "gravlet/pad/messages.h"
#include "gravlet/pad/settings_layout.h"
#include "gravlet/viewer/commands.h"
#include "gravlet/viewer/gravlet_frame.h"
#include "gravlet/viewer/gravlet_state.h"
#include "platform/user/commctrl.h"
#include "platform/user/resources.h"
#include "resources/gravlet/gravlet_resources.h"

using namespace dialog_kit;
using namespace gravlet_resources;

namespace {

// 【 生成パラメタ設定 】
constexpr char kParameterTitle[] = "\x81y \x90\xb6\x90\xac\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z";  // 【 生成パラメタ設定 】

// A drop-down list and the settings field whose value is its index.
struct ListChoice {
    int id;
    const SettingsField* field;
    std::vector<const char*> texts;
};

// ORDER VALUE: each list's texts in the order of the values they store.
const std::vector<ListChoice>& list_choices() {
    static const std::vector<ListChoice> choices = {
        {kFormCombo,
         &gx_settings::kGenerationForm,
         {"\x95W\x8f\x80\x83R\x83\x81\x83\x93\x83g\x82\xcc\x82\xdd", "\x95W\x8f\x80\x83R\x83\x81\x83\x93\x83g\x82\xdc\x82\xbd\x82\xcd\x95\xb6", "\x95\xb6", "\x95W\x8f\x80\x83R\x83\x81\x83\x93\x83g\x82\xc6\x95\xb6", "\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83R\x83\x81\x83\x93\x83g\x82\xc6\x95\xb6"}},  // 標準コメントのみ, 標準コメントまたは文, 文, 標準コメントと文, すべてのコメントと文
        {kDeclarationCombo, &gx_settings::kDeclarationForm, {"\x90\xb6\x90\xac\x82\xc8\x82\xb5", "\x90\xb6\x90\xac\x82\xa0\x82\xe8", "\x90\xe6\x93\xaa\x8b\xf3\x8ds\x82\xdc\x82\xc5\x90\xb6\x90\xac\x82\xc8\x82\xb5"}},  // 生成なし, 生成あり, 先頭空行まで生成なし
        {kIncludeCombo,
         &gx_settings::kIncludeUse,
         {"\x82\xb5\x82\xc8\x82\xa2", "\x82\xb7\x82\xe9(\x95s\x91\xab\x83`\x83\x46\x83\x62\x83N\x82\xc8\x82\xb5)", "\x82\xb7\x82\xe9(\x95s\x91\xab\x83`\x83\x46\x83\x62\x83N\x82\xa0\x82\xe8)", "\x82\xb7\x82\xe9(<\x81`>\x83t\x83@\x83\x43\x83\x8b\x82\xe0\x8eg\x97p)"}},  // しない, する(不足チェックなし), する(不足チェックあり), する(<～>ファイルも使用)
        {kMacroCombo,
         &gx_settings::kMacroExpansion,
         {"\x93W\x8aJ\x82\xb5\x82\xc8\x82\xa2", "\xcc\xde\xdb\xaf\xb8\x90\xa7\x8c\xe4\x8d\x5c\x91\xa2\x93W\x8aJ", "\x8a\xae\x8c\x8b\xcf\xb8\xdb\x90\xa7\x8c\xe4\x8d\x5c\x91\xa2\x93W\x8aJ\x81\x43MFC\xcf\xb8\xdb\x91\xce\x89\x9e", "\x91S\xcf\xb8\xdb\x93W\x8aJ"}},  // 展開しない, ﾌﾞﾛｯｸ制御構造展開, 完結ﾏｸﾛ制御構造展開，MFCﾏｸﾛ対応, 全ﾏｸﾛ展開
        {kCaseCombo, &gx_settings::kCasePassForm, {"\x88\xea\x8a\x87\x83{\x83\x62\x83N\x83X\x90\xb6\x90\xac", "\x8c\xc2\x95\xca\x83{\x83\x62\x83N\x83X\x90\xb6\x90\xac"}},  // 一括ボックス生成, 個別ボックス生成
        {kSpecialCommentCombo,
         &gx_settings::kSpecialComments,
         {"\x82\xb5\x82\xc8\x82\xa2", "\x83R\x83\x81\x83\x93\x83g\x82\xcc\x82\xdd\x82\xf0\x91\xce\x8f\xdb", "\x95\xb6\x82\xc6\x83R\x83\x81\x83\x93\x83g\x82\xf0\x91\xce\x8f\xdb"}},  // しない, コメントのみを対象, 文とコメントを対象
    };
    return choices;
}

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
    for (const ListChoice& c : list_choices()) {
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
    for (const ListChoice& c : list_choices()) {
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
