#include "notarix/viewer/settings_dialogs.h"
#include "notarix/viewer/generation_dialogs.h"

#include <strings.h>

#include <algorithm>
#include <vector>

#include "common/shell/document.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/shell_dialogs.h"
#include "notarix/viewer/commands.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/settings_layout.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/file_io.h"
#include "platform/user/commdlg.h"
#include "resources/notarix/generation_dialog_templates.h"

using namespace dialog_kit;

namespace {

// Captions. 【 生成パラメタ設定 】, 【生成共通情報設定】
constexpr char kParameterTitle[] = "\x81y \x90\xb6\x90\xac\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z";
constexpr char kCommonInfoCaption[] = "\x81y\x90\xb6\x90\xac\x8b\xa4\x92\xca\x8f\xee\x95\xf1\x90\xdd\x92\xe8\x81z";

// Filters: a label and a pattern, each ended by a zero byte.
using namespace std::string_view_literals;
constexpr std::string_view kCssFilter = "CSS\xcc\xa7\xb2\xd9(*.css)\0*.css\0"sv;            // CSSﾌｧｲﾙ(*.css)
constexpr std::string_view kLisFilter = "\xda\xb2\xb1\xb3\xc4\xcc\xa7\xb2\xd9(*.lis)\0*.lis\0"sv;  // ﾚｲｱｳﾄﾌｧｲﾙ(*.lis)

// --- CNVPRMDLG ------------------------------------------------------------------------

enum : int {
    kSourceInfoCombo = 4353,
    kIncludeCombo = 4354,
    kMacroCombo = 4355,
    kDeclarationCombo = 4356,
    kCommonInfoField = 4357,
    kLayoutField = 4358,
    kOptionsField = 4359,
    kCommonInfoFolder = 4611,
    kLayoutFolder = 4612,
    kRunButton = 6,
};

struct ComboChoice {
    int id;
    const SettingsField* field;
    std::vector<const char*> texts;
};

const std::vector<ComboChoice>& combo_choices() {
    static const std::vector<ComboChoice> choices = {
        {kSourceInfoCombo,
         &nx_settings::kSourceInfoForm,
         {
             "\x82\xc8\x82\xb5",                                                                // なし
             "\x83t\x83@\x83\x43\x83\x8b\x96\xbc",                                              // ファイル名
             "\x83t\x83@\x83\x43\x83\x8b\x96\xbc(\x8ds\x94\xd4\x8d\x86)",                       // ファイル名(行番号)
             "\x83\x66\x83\x42\x83\x8c\x83N\x83g\x83\x8a+\x83t\x83@\x83\x43\x83\x8b\x96\xbc",  // ディレクトリ+ファイル名
             // ディレクトリ+ファイル名(行番号)
             "\x83\x66\x83\x42\x83\x8c\x83N\x83g\x83\x8a+\x83t\x83@\x83\x43\x83\x8b\x96\xbc(\x8ds\x94\xd4\x8d\x86)",
         }},
        {kIncludeCombo,
         &nx_settings::kIncludeUse,
         {
             "\x82\xb5\x82\xc8\x82\xa2",                                                  // しない
             "\x82\xb7\x82\xe9(\x95s\x91\xab\x83`\x83\x46\x83\x62\x83N\x82\xc8\x82\xb5)",  // する(不足チェックなし)
             "\x82\xb7\x82\xe9(\x95s\x91\xab\x83`\x83\x46\x83\x62\x83N\x82\xa0\x82\xe8)",  // する(不足チェックあり)
             "\x82\xb7\x82\xe9(<\x81`>\x83t\x83@\x83\x43\x83\x8b\x82\xe0\x8eg\x97p)",      // する(<～>ファイルも使用)
         }},
        {kMacroCombo,
         &nx_settings::kMacroExpansion,
         {
             "\x93W\x8aJ\x82\xb5\x82\xc8\x82\xa2",                              // 展開しない
             "\xcc\xde\xdb\xaf\xb8\x90\xa7\x8c\xe4\x8d\x5c\x91\xa2\x93W\x8aJ",  // ﾌﾞﾛｯｸ制御構造展開
             // 完結ﾏｸﾛ制御構造展開，MFCﾏｸﾛ対応
             "\x8a\xae\x8c\x8b\xcf\xb8\xdb\x90\xa7\x8c\xe4\x8d\x5c\x91\xa2\x93W\x8aJ\x81\x43MFC\xcf\xb8\xdb\x91\xce\x89\x9e",
             "\x91S\xcf\xb8\xdb\x93W\x8aJ",  // 全ﾏｸﾛ展開
         }},
        {kDeclarationCombo,
         &nx_settings::kDeclarationForm,
         {
             "\x93\xfc\x97\xcd\x8c`\x8e\xae\x8f\x80\x8b\x92",                  // 入力形式準拠
             "\x8c\xc2\x95\xca\x90\xe9\x8c\xbe\x8c`\x8e\xae\x82\xc5\x95\x5c\x8e\xa6",  // 個別宣言形式で表示
         }},
    };
    return choices;
}

struct TextChoice {
    int id;
    const SettingsField* field;
};
constexpr TextChoice kTextFields[] = {
    {kCommonInfoField, &nx_settings::kCommonInfoFile},
    {kLayoutField, &nx_settings::kLayoutFile},
    {kOptionsField, &nx_settings::kGenerationOptions},
};

void choose_into_field(HWND dialog, int field_id, const SettingsField& stored, std::string_view filter) {
    std::string name = shell_settings().text(stored);
    int filter_index = 0;  // the initial name is shown
    if (choose_file_name(0, dialog, name, filter, kNameBufferSize, filter_index) != 0) {
        set_field_text(dialog, field_id, name);
    }
}

void accept_parameters(HWND dialog, int result) {
    SettingsRecord& settings = shell_settings();
    for (const TextChoice& t : kTextFields) shell_settings().set_text_cut(*t.field, field_text(dialog, t.id));
    for (const ComboChoice& c : combo_choices()) {
        const LRESULT chosen = SendDlgItemMessageA(dialog, c.id, CB_GETCURSEL, 0, 0);
        // an unselected box keeps the stored value
        if (chosen >= 0 && chosen < static_cast<LRESULT>(c.texts.size())) {
            settings.set_word(*c.field, static_cast<int>(chosen));
        }
    }
    EndDialog(dialog, result);
    if (write_settings_file(settings, document_state().program_directory) != kSettingsOk) {
        show_box(shell().frame_window, kParameterTitle, message_text(kMessageSettingsNotSaved), MB_ICONEXCLAMATION);
    } else {
        set_status_text(0, "");
    }
}

INT_PTR cnv_param_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: {
        center_over_frame(dialog, shell().frame_window);
        EnableWindow(GetDlgItem(dialog, kRunButton), document_state().source_loaded ? TRUE : FALSE);
        for (const ComboChoice& c : combo_choices()) {
            for (const char* text : c.texts) {
                SendDlgItemMessageA(dialog, c.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            }
            SendDlgItemMessageA(dialog, c.id, CB_SETCURSEL, static_cast<WPARAM>(shell_settings().word(*c.field)), 0);
        }
        for (const TextChoice& t : kTextFields) {
            SendDlgItemMessageA(dialog, t.id, EM_LIMITTEXT, static_cast<WPARAM>(t.field->width - 1), 0);
            set_field_text(dialog, t.id, shell_settings().text(*t.field));
        }
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        if (item == nullptr || (item->CtlID != kCommonInfoFolder && item->CtlID != kLayoutFolder)) return FALSE;
        draw_folder_button(item);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kCommonInfoFolder:
            choose_into_field(dialog, kCommonInfoField, nx_settings::kCommonInfoFile, kCssFilter);
            return TRUE;
        case kLayoutFolder: choose_into_field(dialog, kLayoutField, nx_settings::kLayoutFile, kLisFilter); return TRUE;
        case IDOK: accept_parameters(dialog, 1); return TRUE;
        case kRunButton: accept_parameters(dialog, 2); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

// --- COMPRMDLG ------------------------------------------------------------------------

constexpr int kSystemNameField = 33313;
constexpr int kLanguageField = 33314;
constexpr int kCommonReadButton = 33329;
constexpr int kCommonSaveButton = 33330;
constexpr int kCommonFieldLimit = 200;

CommonInfo common_info_fields(HWND dialog) {
    return {field_text(dialog, kSystemNameField), field_text(dialog, kLanguageField)};
}

void load_common_info(HWND dialog, const std::string& path) {
    CommonInfo info = common_info_fields(dialog);
    if (!read_common_info_file(path, info)) info = {kProgramTitle, "MS-C"};
    set_field_text(dialog, kSystemNameField, info.system_name);
    set_field_text(dialog, kLanguageField, info.language);
}

bool save_common_info(HWND dialog, const std::string& path) {
    if (write_common_info_file(path, common_info_fields(dialog)) == 0) return true;
    show_file_error(dialog, kCommonInfoCaption, path, MB_ICONEXCLAMATION);
    return false;
}

INT_PTR common_info_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        center_over_frame(dialog, shell().frame_window);
        SendDlgItemMessageA(dialog, kSystemNameField, EM_LIMITTEXT, kCommonFieldLimit, 0);
        SendDlgItemMessageA(dialog, kLanguageField, EM_LIMITTEXT, kCommonFieldLimit, 0);
        load_common_info(dialog, program_file("nx1000.css"));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kCommonReadButton: {
            std::string name = "*.css";
            int filter_index = 0;
            if (choose_file_name(0, dialog, name, kCssFilter, kNameBufferSize, filter_index) != 0) {
                load_common_info(dialog, name);
            }
            return TRUE;
        }
        case kCommonSaveButton: {
            std::string name = "*.css";
            int filter_index = 0;
            if (choose_file_name(1, dialog, name, kCssFilter, kNameBufferSize, filter_index) != 0) {
                save_common_info(dialog, name);
            }
            return TRUE;
        }
        case IDOK:
            if (save_common_info(dialog, program_file("nx1000.css"))) EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

// --- Running the dialogs --------------------------------------------------------------

struct DialogEntry {
    const char* name;
    DLGPROC procedure;
};
constexpr DialogEntry kGenerationDialogs[] = {
    {"CNVPRMDLG", cnv_param_dlg_proc},
    {"KEYWORDDLG", keyword_dlg_proc},
    {"COMPRMDLG", common_info_dlg_proc},
    {"CNVLSTDLG", batch_list_dlg_proc},
};

const DialogEntry* find_entry(const char* name) {
    if (name == nullptr || IS_INTRESOURCE(name)) return nullptr;
    for (const DialogEntry& e : kGenerationDialogs) {
        if (strcasecmp(e.name, name) == 0) return &e;
    }
    return nullptr;
}

const DialogTemplate* built_in_template(const char* name) {
    for (const DialogTemplate& t : generation_dialog_templates::kDialogs) {
        if (strcasecmp(t.name, name) == 0) return &t;
    }
    return nullptr;
}

void register_templates() {
    register_shared_dialog_resources();
    if (find_dialog_resource("CNVPRMDLG") == built_in_template("CNVPRMDLG")) return;
    register_program_resources(&generation_dialog_templates::kTable);
}

}  // namespace

bool read_common_info_file(const std::string& path, CommonInfo& info) {
    return read_key_value_lines(path, ':', [&](const std::string& key, const std::string& value) {
        if (key == "SYS") info.system_name = value;
        if (key == "LGT") info.language = value;
    });
}

int write_common_info_file(const std::string& path, const CommonInfo& info) {
    return write_control_file(path, "SYS:" + info.system_name + "\nLGT:" + info.language + "\n");
}

bool is_generation_dialog(const char* template_name) { return find_entry(template_name) != nullptr; }

int run_notarix_dialog(const char* template_name) {
    const DialogEntry* entry = find_entry(template_name);
    if (entry == nullptr) return -1;
    register_templates();
    const DialogTemplate* found = find_dialog_resource(entry->name);
    const DialogTemplate* dialog = found != nullptr ? found : built_in_template(entry->name);
    const INT_PTR result =
        DialogBoxIndirectParamA(shell().instance, dialog, shell().frame_window, entry->procedure, 0);
    return result < 0 ? 0 : static_cast<int>(result);
}

void install_generation_dialogs() {
    register_templates();
    CommandEntryPoints& entry = command_state().entry;
    std::function<int(const char*)> previous = entry.run_dialog;
    entry.run_dialog = [previous](const char* template_name) {
        if (is_generation_dialog(template_name)) return run_notarix_dialog(template_name);
        return previous ? previous(template_name) : 0;
    };
}
