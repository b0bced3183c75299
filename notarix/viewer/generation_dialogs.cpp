#include "notarix/viewer/generation_dialogs.h"
#include "notarix/viewer/settings_dialogs.h"

#include <strings.h>

#include <algorithm>
#include <span>
#include <vector>

#include "common/shell/document.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/shell_dialogs.h"
#include "common/viewer/viewer_texts.h"
#include "notarix/viewer/commands.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/settings_layout.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/commdlg.h"
#include "resources/notarix/generation_dialog_templates.h"

using namespace dialog_kit;

namespace {

// Captions.
constexpr auto& kParameterTitle = "【 生成パラメタ設定 】"_sjis;
constexpr auto& kCommonInfoCaption = "【生成共通情報設定】"_sjis;

// Filters: a label and a pattern, each ended by a zero byte.
constexpr std::string_view kCssFilter = "CSSﾌｧｲﾙ(*.css)\0*.css\0"_sjis_sv;
constexpr std::string_view kLisFilter = "ﾚｲｱｳﾄﾌｧｲﾙ(*.lis)\0*.lis\0"_sjis_sv;

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

// ORDER VALUE: each list's texts in the order of the values they store.
constexpr const char* kSourceInfoChoices[] = {
    "なし"_sjis,
    "ファイル名"_sjis,
    "ファイル名(行番号)"_sjis,
    "ディレクトリ+ファイル名"_sjis,
    "ディレクトリ+ファイル名(行番号)"_sjis,
};
constexpr const char* kDeclarationChoices[] = {
    "入力形式準拠"_sjis,
    "個別宣言形式で表示"_sjis,
};

struct ComboChoice {
    int id;
    const SettingsField* field;
    std::span<const char* const> texts;
};

constexpr ComboChoice kComboChoices[] = {
    {kSourceInfoCombo, &nx_settings::kSourceInfoForm, kSourceInfoChoices},
    {kIncludeCombo, &nx_settings::kIncludeUse, viewer_texts::kIncludeUseChoices},
    {kMacroCombo, &nx_settings::kMacroExpansion, viewer_texts::kMacroExpansionChoices},
    {kDeclarationCombo, &nx_settings::kDeclarationForm, kDeclarationChoices},
};

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
    for (const ComboChoice& c : kComboChoices) {
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
        for (const ComboChoice& c : kComboChoices) {
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
