#include "common/viewer/print_dialogs.h"

#include <iterator>
#include <string>
#include <vector>

#include "common/shell/document.h"
#include "common/text/message_table.h"
#include "common/viewer/frame.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/shell_dialogs.h"
#include "common/viewer/viewer_startup.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/commctrl.h"
#include "platform/user/commdlg.h"

using namespace dialog_kit;

namespace {

// The source filter, a label and its pattern.
constexpr auto& kSourceFilter = "C/C++ｿｰｽ(*.c;*.cpp)\0*.c;*.cpp\0"_sjis;
// The text output's code sets, in the order of their values.
constexpr const char* kCodeSetNames[] = {"ＤＯＳ／Ｖ"_sjis, "ＰＣ９８"_sjis};
constexpr auto& kStandardFormat = "標準(%3d)"_sjis;
constexpr auto& kScreenFormat = "画面(%3d)"_sjis;
constexpr int kOrientedFields = 4;
// The output file name is no settings field, but it is read like one: a
// name of 256 bytes or more does not fit the programs' name buffers.
constexpr SettingsField kOutputNameField = text_field("output_name", 0, 256);

const PrintDialogProfile& profile() { return *viewer_profile().print_dialogs; }
SettingsRecord& settings() { return shell_settings(); }

void show_checks(HWND dialog, std::span<const DialogCheck> checks) {
    for (const DialogCheck& c : checks)
        CheckDlgButton(dialog, c.id, settings().word(*c.field) != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void store_checks(HWND dialog, std::span<const DialogCheck> checks) {
    for (const DialogCheck& c : checks)
        settings().set_word(*c.field, IsDlgButtonChecked(dialog, c.id) == BST_CHECKED ? 1 : 0);
}

void show_screen_values(HWND dialog, std::span<const DialogScreenValue> values) {
    for (const DialogScreenValue& v : values)
        SetDlgItemTextA(dialog, v.id, format_text(kScreenFormat, settings().word(*v.field)).c_str());
}

// Every number checked in table order: false (after message 0) at the first bad one.
bool read_numbers(HWND dialog, std::span<const DialogNumber> numbers, int* values) {
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (!check_number(dialog, numbers[i], &values[i])) return false;
    }
    return true;
}

bool check_order(HWND dialog, const DialogOrder& order, std::span<const DialogNumber> numbers, const int* values) {
    if (order.first < 0 || values[order.first] <= values[order.last]) return true;
    warn(dialog, format_text(lookup_message(order.message), values[order.last]));
    SetFocus(GetDlgItem(dialog, numbers[static_cast<size_t>(order.last)].id));
    return false;
}

// After the values are stored: the settings file at once; a failed write
// keeps the new values in memory and says so.
void save_parameters(HWND dialog) {
    if (write_settings_file(settings(), document_state().program_directory) != kSettingsOk) {
        warn(dialog, message_text(profile().not_saved_message));
        return;
    }
    set_status_text(0, "");
}

void create_up_downs(HWND dialog, std::span<const DialogNumber> numbers, int orientation) {
    int up_down = kFirstUpDownId;
    for (const DialogNumber& n : numbers) {
        const int slot = n.field->kind == SettingsFieldKind::WordPair ? orientation : 0;
        add_up_down(dialog, up_down++, n.id, n.field->min, n.field->max, settings().word(*n.field, slot));
    }
}

// --- PRNDLG ------------------------------------------------------------------------------

int checked_orientation(HWND dialog) {
    return IsDlgButtonChecked(dialog, profile().landscape_id) == BST_CHECKED ? 0 : 1;
}

void check_orientation(HWND dialog, int orientation) {
    const PrintDialogProfile& p = profile();
    CheckRadioButton(dialog, p.landscape_id, p.portrait_id, orientation == 0 ? p.landscape_id : p.portrait_id);
}

void show_standard_values(HWND dialog, int orientation) {
    const PrintDialogProfile& p = profile();
    for (int i = 0; i < kOrientedFields; ++i) {
        const int value = p.print_numbers[static_cast<size_t>(i)].field->standard[static_cast<size_t>(orientation)];
        SetDlgItemTextA(dialog, p.standard_ids[i], format_text(kStandardFormat, value).c_str());
    }
}

void show_oriented_values(HWND dialog) {
    SettingsDialogsState& s = settings_dialogs_state();
    for (int i = 0; i < kOrientedFields; ++i) {
        SetDlgItemInt(dialog, profile().print_numbers[static_cast<size_t>(i)].id,
                      static_cast<UINT>(s.print_values[s.shown_orientation][i]), TRUE);
    }
}

void open_print_parameters(HWND dialog) {
    open_dialog(dialog);
    const PrintDialogProfile& p = profile();
    SettingsDialogsState& s = settings_dialogs_state();
    const SettingsRecord& r = settings();
    const int orientation = r.word(*p.orientation) == 0 ? 0 : 1;
    check_orientation(dialog, orientation);
    s.shown_orientation = orientation;
    show_standard_values(dialog, orientation);
    show_checks(dialog, p.print_checks);
    for (int o = 0; o < 2; ++o) {
        for (int i = 0; i < kOrientedFields; ++i) s.print_values[o][i] = r.word(*p.print_numbers[static_cast<size_t>(i)].field, o);
    }
    create_up_downs(dialog, p.print_numbers, orientation);
    SetDlgItemTextA(dialog, p.print_header_id, r.text(*p.print_header).c_str());
    SetDlgItemTextA(dialog, p.source_file_id, r.text(*p.source_file).c_str());
    show_screen_values(dialog, p.print_screen_values);
}

// A click on either paper button. Leaving an orientation keeps its four
// values for later, but only when they are valid; a bad one keeps the old
// orientation checked.
void switch_orientation(HWND dialog) {
    SettingsDialogsState& s = settings_dialogs_state();
    const int wanted = checked_orientation(dialog);
    if (wanted != s.shown_orientation) {
        int values[kOrientedFields] = {};
        if (!read_numbers(dialog, profile().print_numbers.first(kOrientedFields), values)) {
            check_orientation(dialog, s.shown_orientation);
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
    choose_into_field(dialog, profile().source_file_id, "*" + (extension.empty() ? std::string(".c") : extension),
                      std::string_view(kSourceFilter, sizeof kSourceFilter));
}

void accept_print_parameters(HWND dialog) {
    const PrintDialogProfile& p = profile();
    std::vector<int> values(p.print_numbers.size());
    if (!read_numbers(dialog, p.print_numbers, values.data())) return;
    if (!check_order(dialog, p.print_order, p.print_numbers, values.data())) return;
    std::string header, source;
    if (!read_text_field(dialog, p.print_header_id, *p.print_header, &header)) return;
    if (!read_text_field(dialog, p.source_file_id, *p.source_file, &source, true)) return;

    SettingsDialogsState& s = settings_dialogs_state();
    SettingsRecord& r = settings();
    const int orientation = checked_orientation(dialog);
    r.set_word(*p.orientation, orientation);
    store_checks(dialog, p.print_checks);
    for (size_t i = 0; i < p.print_numbers.size(); ++i) {
        const SettingsField& field = *p.print_numbers[i].field;
        r.set_word(field, values[i], i < kOrientedFields ? orientation : 0);
        if (i < kOrientedFields) r.set_word(field, s.print_values[1 - orientation][i], 1 - orientation);
    }
    r.set_text(*p.print_header, header);
    r.set_text(*p.source_file, source);
    end_dialog(dialog, 1);
    save_parameters(dialog);
}

// --- OUTPADDLG ---------------------------------------------------------------------------

void open_output_parameters(HWND dialog) {
    open_dialog(dialog);
    const PrintDialogProfile& p = profile();
    const SettingsRecord& r = settings();
    for (const char* name : kCodeSetNames)
        SendDlgItemMessageA(dialog, p.code_set_id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendDlgItemMessageA(dialog, p.code_set_id, CB_SETCURSEL, static_cast<WPARAM>(r.word(*p.code_set)), 0);
    show_checks(dialog, p.output_checks);
    create_up_downs(dialog, p.output_numbers, 0);
    SetDlgItemTextA(dialog, p.output_file_id, output_file_name().c_str());
    SetDlgItemTextA(dialog, p.output_header_id, r.text(*p.output_header).c_str());
    show_screen_values(dialog, p.output_screen_values);
}

// 登録 (1) and 出力実行 (2) store alike; the dispatcher runs the output on 2.
void accept_output_parameters(HWND dialog, int result) {
    const PrintDialogProfile& p = profile();
    std::vector<int> values(p.output_numbers.size());
    if (!read_numbers(dialog, p.output_numbers, values.data())) return;
    if (!check_order(dialog, p.output_order, p.output_numbers, values.data())) return;
    std::string output, header;
    if (!read_text_field(dialog, p.output_file_id, kOutputNameField, &output, true)) return;
    if (!read_text_field(dialog, p.output_header_id, *p.output_header, &header)) return;

    SettingsRecord& r = settings();
    // an empty selection keeps the stored code set (CB_ERR would store 65535)
    const LRESULT code_set = SendDlgItemMessageA(dialog, p.code_set_id, CB_GETCURSEL, 0, 0);
    if (code_set >= 0 && code_set < static_cast<LRESULT>(std::size(kCodeSetNames)))
        r.set_word(*p.code_set, static_cast<int>(code_set));
    for (size_t i = 0; i < p.output_numbers.size(); ++i) r.set_word(*p.output_numbers[i].field, values[i]);
    output_file_name() = output;
    r.set_text(*p.output_header, header);
    store_checks(dialog, p.output_checks);
    end_dialog(dialog, result);
    save_parameters(dialog);
}

}  // namespace

std::string& output_file_name() {
    const PrintDialogProfile* p = viewer_profile().print_dialogs;
    return p != nullptr && p->output_name != nullptr ? p->output_name() : shell().text_output_name;
}

INT_PTR print_param_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: open_print_parameters(dialog); return TRUE;
    case WM_DRAWITEM: draw_folder_button(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        const PrintDialogProfile& p = profile();
        if (id == p.landscape_id || id == p.portrait_id) {
            if (clicked(wparam)) switch_orientation(dialog);
        } else if (id == p.source_folder_id) {
            if (clicked(wparam)) choose_source_print_file(dialog);
        } else if (id == p.printer_button_id) {
            // the printer and font chosen here are kept whatever button ends the dialog;
            // the paper's orientation is the dialog's own, so a turn there turns it here
            int chosen = -1;
            run_printer_setup(dialog, checked_orientation(dialog), &chosen);
            if (chosen >= 0 && chosen != checked_orientation(dialog)) {
                check_orientation(dialog, chosen);
                switch_orientation(dialog);
            }
        } else if (id == p.font_button_id) {
            run_print_font_dialog(dialog);
        } else if (id == IDOK) {
            accept_print_parameters(dialog);
        } else if (id == IDCANCEL) {
            end_dialog(dialog, 0);
        } else {
            return FALSE;
        }
        return TRUE;
    }
    default: return FALSE;
    }
}

INT_PTR output_param_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: open_output_parameters(dialog); return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        if (id == profile().run_button_id) {
            accept_output_parameters(dialog, 2);
        } else if (id == IDOK) {
            accept_output_parameters(dialog, 1);
        } else if (id == IDCANCEL) {
            end_dialog(dialog, 0);
        } else {
            return FALSE;
        }
        return TRUE;
    }
    default: return FALSE;
    }
}
