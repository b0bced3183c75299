#include "orbaline/viewer/orbaline_dialogs.h"

#include <string>

#include "common/shell/settings_file.h"
#include "common/text/file_names.h"
#include "common/viewer/shell_dialogs.h"
#include "common/text/shell_message_numbers.h"
#include "common/viewer/viewer_texts.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/viewer/commands.h"
#include "orbaline/viewer/orbaline_state.h"
#include "platform/kernel/sjis_text.h"
#include "resources/orbaline/orbaline_resources.h"

namespace {

using namespace orbaline_resources;
using namespace dialog_kit;

// ORDER VALUE: the rows of the two lists are the stored values 0 to 3.
constexpr auto& kIncludeRows = viewer_texts::kIncludeUseChoices;
constexpr auto& kMacroRows = viewer_texts::kMacroExpansionChoices;
// The folder button's filter.
constexpr auto& kIgnoreFilter = "IGNﾘｽﾄﾌｧｲﾙ(*.ign)\0*.ign\0"_sjis;

struct Check {
    int id;
    const SettingsField* field;
};
const Check kChecks[] = {
    {kUndefinedCheck, &oq_settings::kUndefinedBlocks},
    {kReusedCheck, &oq_settings::kShowReusedFunctions},
    {kPointerCheck, &oq_settings::kPointerCalls},
};
// ORDER: the numbers are checked in this order.
const DialogNumber kNumbers[] = {
    {kBlockCharactersField, &oq_settings::kBlockCharacters},
    {kNestLevelField, &oq_settings::kNestLevel},
};

SettingsRecord& settings() { return shell_settings(); }

void fill_list(HWND dialog, int id, const char* const* rows, int count, int chosen) {
    for (int i = 0; i < count; ++i) SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rows[i]));
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

void open_parameters(HWND dialog) {
    open_dialog(dialog);
    fill_list(dialog, kIncludeCombo, kIncludeRows, 4, settings_word_in_range(settings(), oq_settings::kIncludeUse));
    fill_list(dialog, kMacroCombo, kMacroRows, 4, settings_word_in_range(settings(), oq_settings::kMacroExpansion));
    for (const Check& check : kChecks)
        CheckDlgButton(dialog, check.id, settings().word(*check.field) != 0 ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(dialog, kOptionsField, settings().text(oq_settings::kGenerationOptions).c_str());
    SetDlgItemTextA(dialog, kIgnoreField, settings().text(oq_settings::kIgnoreFile).c_str());
    int up_down = 1000;
    for (const DialogNumber& number : kNumbers)
        add_up_down(dialog, up_down++, number.id, number.field->min, number.field->max,
                    settings_word_in_range(settings(), *number.field));
}

void accept_parameters(HWND dialog, int result) {
    int values[2] = {};
    for (int i = 0; i < 2; ++i) {
        if (!check_number(dialog, kNumbers[i], &values[i])) return;
    }
    std::string options, ignore;
    if (!read_text_field(dialog, kOptionsField, oq_settings::kGenerationOptions, &options)) return;
    if (!read_text_field(dialog, kIgnoreField, oq_settings::kIgnoreFile, &ignore, true)) return;
    for (int i = 0; i < 2; ++i) settings().set_word(*kNumbers[i].field, values[i]);
    settings().set_text(oq_settings::kGenerationOptions, options);
    settings().set_text(oq_settings::kIgnoreFile, ignore);
    const auto chosen = [dialog](int id) {
        const LRESULT row = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
        return row < 0 ? 0 : static_cast<int>(row);
    };
    settings().set_word(oq_settings::kIncludeUse, chosen(kIncludeCombo));
    settings().set_word(oq_settings::kMacroExpansion, chosen(kMacroCombo));
    for (const Check& check : kChecks)
        settings().set_word(*check.field, IsDlgButtonChecked(dialog, check.id) == BST_CHECKED ? 1 : 0);
    end_dialog(dialog, result);
    save_settings(dialog);
}

constexpr int kCommentCharacters = 64;

void open_comment(HWND dialog) {
    open_dialog(dialog);
    const std::string& text = orbaline_commands().replacement_text;
    const size_t semicolon = text.find(';');
    const std::string name = text.substr(0, semicolon);
    const std::string comment = semicolon == std::string::npos ? std::string() : text.substr(semicolon + 1);
    SendDlgItemMessageA(dialog, kCommentField, EM_LIMITTEXT, kCommentCharacters, 0);
    SetDlgItemTextA(dialog, kCommentNameText, name.c_str());
    SetDlgItemTextA(dialog, kCommentField, comment.c_str());
}

void accept_comment(HWND dialog) {
    std::string& text = orbaline_commands().replacement_text;
    text = text.substr(0, text.find(';')) + ";" + field_text(dialog, kCommentField);
    EndDialog(dialog, 1);
}

// --- The list dialogs ---------------------------------------------------------------


constexpr auto& kNamListCaption = "ＮＡＭファイル編集"_sjis;
constexpr auto& kIgnoreListCaption = "ＩＧＮファイル編集"_sjis;
constexpr std::string_view kNamListFilter = "NAMﾘｽﾄﾌｧｲﾙ(*.nam)\0*.nam\0"_sjis_sv;
constexpr std::string_view kIgnoreListFilter = "IGNﾘｽﾄﾌｧｲﾙ(*.ign)\0*.ign\0"_sjis_sv;
constexpr std::string_view kSourceFilter = "C/C++ｿｰｽ(*.c;*.cpp)\0*.c;*.cpp\0"_sjis_sv;
constexpr int kMsgEnterSourceName = 420;   // 生成対象ファイル名を入力してください。
constexpr int kMsgNamListNotSaved = 421;   // ＮＡＭファイルリストは保存されていません。
constexpr int kMsgIgnListNotSaved = 426;   // ＩＧＮファイルリストは保存されていません。
constexpr int kMsgChooseSource = 428;      // 生成対象ファイルを選択してください。
constexpr int kMsgContinueEditing = 413;   // 編集を続行しますか？

std::string& new_list_name() { return orbaline().new_list_name; }
std::string& ignore_list_name() { return orbaline().ignore_list_name; }

// The open chart's list, or none.
std::string chart_list_name() {
    std::string name = chart_path();
    if (!name.empty()) set_file_extension(name, ".nam");
    return name;
}
std::string no_list_name() { return {}; }

// One procedure for NAMLSTDLG and NEW_NAMLSTDLG: 終了 and 生成実行 close with 1.
const ListDialogProfile kNamListProfile = {
    8449, 8705, 8450, 8966, 8961, 8962, 8964, 8965, 8963,
    kNamListCaption, kNamListFilter, kSourceFilter, "*.nam",
    kMsgEnterSourceName, kMsgChooseSource, kMsgNamListNotSaved, kMsgContinueEditing, MB_ICONEXCLAMATION,
    /*source_names=*/true, /*names_from_list_folder=*/true, /*enter_saves_in_name_field=*/true,
    /*finish_runs_batch=*/false, 1, /*report_unreadable_list=*/false,
    new_list_name, chart_list_name,
};

// Function names: any text, duplicates allowed; 終了 closes with 0.
const ListDialogProfile kIgnoreListProfile = {
    37121, 37377, 37122, 0, 37633, 37634, 37636, 37637, 37635,
    kIgnoreListCaption, kIgnoreListFilter, {}, "*.ign",
    kMsgEnterFunctionName, kMsgSelectFunction, kMsgIgnListNotSaved, kMsgContinueEditing, MB_ICONEXCLAMATION,
    /*source_names=*/false, /*names_from_list_folder=*/false, /*enter_saves_in_name_field=*/false,
    /*finish_runs_batch=*/false, 0, /*report_unreadable_list=*/false,
    ignore_list_name, no_list_name,
};

constexpr DialogCheck kPrintChecks[] = {
    {kOuterFrameCheck, &oq_settings::kPrintOuterFrame},
    {kCoverCheck, &oq_settings::kCoverOnPrintAll},
    {kPrintFileLineCheck, &oq_settings::kPrintFileAndLine},
    {kPrintBlockNumbersCheck, &oq_settings::kPrintBlockNumbers},
    {kPrintReferenceNumbersCheck, &oq_settings::kPrintReferenceNumbers},
};
// ORDER FIELDS: table order; the first four follow the orientation, the
// up-down ids count 1000 upwards in this order.
constexpr DialogNumber kPrintNumbers[] = {
    {kLinesPerPageField, &oq_settings::kPrintLinesPerPage},
    {kCharsPerLineField, &oq_settings::kPrintCharsPerLine},
    {kPrintTopMarginField, &oq_settings::kPrintTopMargin},
    {kPrintLeftMarginField, &oq_settings::kPrintLeftMargin},
    {kPrintFirstPageNumberField, &oq_settings::kPrintFirstPageNumber},
    {kPrintFirstPageField, &oq_settings::kPrintFirstPage},
    {kPrintLastPageField, &oq_settings::kPrintLastPage},
    {kPrintBoxWidthField, &oq_settings::kPrintBoxWidth},
    {kPrintBoxLinesField, &oq_settings::kPrintBoxLines},
};
constexpr DialogScreenValue kPrintScreenValues[] = {
    {kScreenBoxWidthText, &oq_settings::kBoxWidth},
    {kScreenBoxLinesText, &oq_settings::kBoxLines},
};
constexpr DialogCheck kOutputChecks[] = {
    {kOutputFileLineCheck, &oq_settings::kOutputFileAndLine},
    {kOutputBlockNumbersCheck, &oq_settings::kOutputBlockNumbers},
    {kOutputReferenceNumbersCheck, &oq_settings::kOutputReferenceNumbers},
};
constexpr DialogNumber kOutputNumbers[] = {
    {kOutputTopMarginField, &oq_settings::kOutputTopMargin},
    {kOutputLeftMarginField, &oq_settings::kOutputLeftMargin},
    {kOutputBoxWidthField, &oq_settings::kOutputBoxWidth},
    {kOutputBoxLinesField, &oq_settings::kOutputBoxLines},
};
constexpr DialogScreenValue kOutputScreenValues[] = {
    {kOutputScreenWidthText, &oq_settings::kBoxWidth},
    {kOutputScreenLinesText, &oq_settings::kBoxLines},
};

}  // namespace

INT_PTR nam_list_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    return list_dialog_proc(kNamListProfile, dialog, message, wparam, lparam);
}

INT_PTR ignore_list_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    return list_dialog_proc(kIgnoreListProfile, dialog, message, wparam, lparam);
}

const PrintDialogProfile kOrbalinePrintDialogs = [] {
    PrintDialogProfile p;
    p.landscape_id = kLandscapeRadio;
    p.portrait_id = kPortraitRadio;
    p.orientation = &oq_settings::kOrientation;
    p.print_checks = kPrintChecks;
    p.print_numbers = kPrintNumbers;
    p.standard_ids[0] = kStandardLinesText;
    p.standard_ids[1] = kStandardCharsText;
    p.standard_ids[2] = kStandardTopText;
    p.standard_ids[3] = kStandardLeftText;
    p.print_order = {5, 6, kMsgLastPageBeforeFirst};
    p.print_header_id = kPrintHeaderField;
    p.print_header = &oq_settings::kPrintHeaderBase;
    p.source_file_id = kSourcePrintField;
    p.source_file = &oq_settings::kSourcePrintFile;
    p.source_folder_id = kSourcePrintFolder;
    p.printer_button_id = kPrinterButton;
    p.font_button_id = kFontButton;
    p.print_screen_values = kPrintScreenValues;
    p.code_set_id = kOutputCodeCombo;
    p.code_set = &oq_settings::kOutputCode;
    p.output_checks = kOutputChecks;
    p.output_numbers = kOutputNumbers;
    p.output_file_id = kOutputFileField;
    p.output_header_id = kOutputHeaderField;
    p.output_header = &oq_settings::kOutputHeaderFile;
    p.output_screen_values = kOutputScreenValues;
    p.run_button_id = kRunButton;
    p.output_name = []() -> std::string& { return orbaline().output_name; };
    p.not_saved_message = kMsgSettingsNotSaved;
    return p;
}();

INT_PTR comment_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: open_comment(dialog); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDOK: accept_comment(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

INT_PTR generation_parameters_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: open_parameters(dialog); return TRUE;
    case WM_DRAWITEM: draw_folder_button(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kIgnoreFolder:
            if (clicked(wparam))
                choose_into_field(dialog, kIgnoreField, settings().text(oq_settings::kIgnoreFile),
                                  std::string_view(kIgnoreFilter, sizeof kIgnoreFilter));
            return TRUE;
        case IDOK: accept_parameters(dialog, 1); return TRUE;
        case kRunButton: accept_parameters(dialog, 2); return TRUE;
        case IDCANCEL: end_dialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}
