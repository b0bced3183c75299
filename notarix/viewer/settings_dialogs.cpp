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
#include "notarix/viewer/commands.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/page_view.h"
#include "notarix/viewer/settings_layout.h"
#include "notarix/viewer/shell_boxes.h"
#include "notarix/viewer/source_list.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/file_io.h"
#include "platform/user/commctrl.h"
#include "platform/user/commdlg.h"
#include "platform/user/resources.h"
#include "resources/notarix/settings_dialog_templates.h"

using namespace settings_dialog_templates;

namespace {

// Up-down control ids: one per numeric field, counted from here in field order.
constexpr int kFirstUpDownId = 1000;

// "ｴﾃﾞｨﾀ(*.exe)" and "C/C++ｿｰｽ(*.c;*.cpp)" with their patterns.
constexpr char kEditorFilter[] = "\xb4\xc3\xde\xa8\xc0(*.exe)\0*.exe\0";
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

std::string field_text(HWND dialog, int id) {
    char buffer[1024] = {};
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

std::string dialog_title(HWND dialog) {
    char buffer[256] = {};
    GetWindowTextA(dialog, buffer, sizeof buffer);
    return buffer;
}

// A field's number as the C library's atoi reads it: blanks, a sign, digits;
// text that is not a number is 0. Long digit strings stop growing past any
// range a field has, so they can never wrap into one.
long long read_number(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < INT_MAX) value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

// Beep and a warning box over the dialog, captioned with its title.
void warn(HWND dialog, const std::string& text) {
    MessageBeep(0);
    const std::string title = dialog_title(dialog);
    MessageBoxA(dialog, text.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

// Reads a numeric field into `value`; out of [min, max] shows message 0 with
// the field's text and gives false.
bool check_range(HWND dialog, int id, int min, int max, int* value) {
    const std::string text = field_text(dialog, id);
    const long long n = read_number(text);
    if (n < min || n > max) {
        warn(dialog, format_text(lookup_message(nx_message::kBadValue), text.c_str()));
        SetFocus(GetDlgItem(dialog, id));
        return false;
    }
    *value = static_cast<int>(n);
    return true;
}

bool check_field(HWND dialog, const NumericField& f, int* value) {
    return check_range(dialog, f.id, f.field->min, f.field->max, value);
}

// The first function must not lie after the last (message 3 with the last).
bool check_function_order(HWND dialog, int first, int last) {
    if (first <= last) return true;
    warn(dialog, format_text(lookup_message(nx_message::kFunctionOrder), last));
    return false;
}

void add_up_down(HWND dialog, int up_down_id, int field_id, int min, int max, int value) {
    HWND field = GetDlgItem(dialog, field_id);
    SetDlgItemInt(dialog, field_id, static_cast<UINT>(value), TRUE);
    HWND control = CreateUpDownControl(WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_NOTHOUSANDS |
                                           UDS_ARROWKEYS,
                                       0, 0, 0, 0, dialog, up_down_id, shell().instance, field, max, min, value);
    if (control != nullptr) settings_dialogs_state().up_downs.push_back(control);
}

void destroy_up_downs() {
    std::vector<HWND>& controls = settings_dialogs_state().up_downs;
    for (HWND control : controls) {
        if (IsWindow(control)) DestroyWindow(control);
    }
    controls.clear();
}

void end_dialog(HWND dialog, int result) {
    destroy_up_downs();
    EndDialog(dialog, result);
}

// A text field into the settings, cut to the field.
void store_text(HWND dialog, int id, const SettingsField& field) { settings().set_text_cut(field, field_text(dialog, id)); }

// After the values are stored: the settings file at once; a failed write
// leaves the new values in memory and says so.
void save_settings(HWND dialog) {
    if (write_settings_file(settings(), document_state().program_directory) != kSettingsOk) {
        warn(dialog, message_text(kMessageSettingsNotSaved));
        return;
    }
    set_status_text(0, "");
}

void open_dialog(HWND dialog) { center_over_frame(dialog, shell().frame_window); }

bool clicked(WPARAM wparam) { return HIWORD(wparam) == BN_CLICKED; }

// The open dialog for a name that goes into a field.
void choose_into_field(HWND dialog, int id, std::string initial, std::string_view filter) {
    int filter_index = 0;  // 0: the dialog starts from the initial name
    if (choose_file_name(0, dialog, initial, filter, 256, filter_index)) SetDlgItemTextA(dialog, id, initial.c_str());
}

void choose_editor(HWND dialog) {
    choose_into_field(dialog, kEditorPathId, settings().text(nx_settings::kEditorPath),
                      std::string_view(kEditorFilter, sizeof kEditorFilter));
}

// --- ENVDLG ---------------------------------------------------------------------------

void open_environment(HWND dialog) {
    open_dialog(dialog);
    const SettingsField& tab = nx_settings::kTabWidth;
    add_up_down(dialog, kFirstUpDownId, kEnvTabWidthId, tab.min, tab.max, settings().word(tab));
    SetDlgItemTextA(dialog, kEditorPathId, settings().text(nx_settings::kEditorPath).c_str());
}

void accept_environment(HWND dialog) {
    int tab_width = 0;
    if (!check_field(dialog, {kEnvTabWidthId, &nx_settings::kTabWidth}, &tab_width)) return;
    settings().set_word(nx_settings::kTabWidth, tab_width);
    store_text(dialog, kEditorPathId, nx_settings::kEditorPath);
    save_settings(dialog);
    end_dialog(dialog, 1);
}

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

// The common printer and font dialogs act on the program's print records at
// once, whatever button later ends this dialog.
void printer_setup(HWND dialog) {
    PRINTDLGA& pd = shell().print_dialog;
    const DWORD flags = pd.Flags;
    pd.Flags |= PD_PRINTSETUP;
    pd.hwndOwner = dialog;
    PrintDlgA(&pd);
    pd.Flags = flags;
}

void print_font(HWND dialog) {
    CHOOSEFONTA& cf = shell().font_dialog;
    const DWORD flags = cf.Flags;
    cf.hwndOwner = dialog;
    cf.lpLogFont = &shell().print_font;
    ChooseFontA(&cf);
    cf.Flags = flags;
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

// --- JUMPDLG -------------------------------------------------------------------------------

void open_page_jump(HWND dialog) {
    open_dialog(dialog);
    const DocumentState& doc = document_state();
    add_up_down(dialog, kFirstUpDownId, kJumpPageId, 1, doc.page_count, doc.current_page + 1);
}

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

void jump_to_page(HWND dialog) {
    int page = 0;
    if (!check_range(dialog, kJumpPageId, 1, document_state().page_count, &page)) return;
    show_chosen_page(page - 1);
}

// --- FLTDLG --------------------------------------------------------------------------------

constexpr int kMaxFunctionRows = 1000;
constexpr int kMaxFunctionLineBytes = 511;
constexpr int kMinColumnWidth = 60;
// "No.  関数名", " 行番号", " 機能概要"
constexpr const char* kFunctionColumns[] = {"No.  \x8a\xd6\x90\x94\x96\xbc", " \x8d\x73\x94\xd4\x8d\x86",
                                            " \x8b@\x94\x5c\x8aT\x97v"};

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && is_blank(text[begin])) ++begin;
    while (end > begin && is_blank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

HWND function_list(HWND dialog) { return GetDlgItem(dialog, kFunctionListId); }

// The whole file, or nothing when it cannot be opened.
bool read_whole_file(const std::string& name, std::string& out) {
    const int fd = crt_open(name.c_str(), CRT_O_RDONLY | CRT_O_BINARY);
    if (fd < 0) return false;
    char buffer[4096];
    for (;;) {
        const int n = crt_read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        out.append(buffer, static_cast<size_t>(n));
    }
    crt_close(fd);
    return true;
}

void add_function_row(HWND list, int row, const FunctionListLine& line) {
    std::string first = format_text("%4d ", row + 1) + line.name;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = first.data();
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    const std::string* rest[] = {&line.line_number, &line.summary};
    for (int column = 1; column <= 2; ++column) {
        std::string text = *rest[column - 1];
        LVITEMA sub{};
        sub.iSubItem = column;
        sub.pszText = text.data();
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    }
}

// The rows of the document's ".flt": the header line skipped, empty lines
// not counted, each line cut to what one row holds, at most 1000 rows.
void fill_function_list(HWND dialog) {
    const std::string name = side_file_name(document_state(), ".flt");
    std::string bytes;
    if (!read_whole_file(name, bytes)) {
        warn(dialog, message_text(nx_message::kOpenError) + "\n" + name);
        return;
    }
    HWND list = function_list(dialog);
    int rows = 0;
    bool header = true;
    for (size_t at = 0; at < bytes.size() && rows < kMaxFunctionRows;) {
        size_t end = bytes.find('\n', at);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(at, end - at);
        at = end + 1;
        if (header) {
            header = false;
            continue;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        cut_at_char_boundary(line, kMaxFunctionLineBytes);
        add_function_row(list, rows++, parse_function_list_line(line));
    }
}

void open_function_list(HWND dialog) {
    open_dialog(dialog);
    // without a loaded document there is no current function to select
    const int current = document_state().loaded ? document_state().current_page : -1;
    HWND list = function_list(dialog);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(shell().dialog_font), FALSE);
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = function_list_columns().widths[i];
        std::string text = kFunctionColumns[i];
        column.pszText = text.data();
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    fill_function_list(dialog);
    if (current >= 0 && current < static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0))) {
        LVITEMA item{};
        item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(current), reinterpret_cast<LPARAM>(&item));
        SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(current), FALSE);
    }
    set_status_text(1, message_text(nx_message::kChooseFunction));
}

// Row index = page index: the rows are the document's functions in page order.
void choose_function(HWND dialog) {
    const int row = static_cast<int>(
        SendMessageA(function_list(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0) {
        warn(dialog, message_text(nx_message::kChooseFunction));
        return;
    }
    const DocumentState& doc = document_state();
    if (!doc.loaded || row >= doc.page_count) {
        MessageBeep(0);
        return;
    }
    show_chosen_page(row);
}

void close_function_list(HWND dialog) {
    HWND list = function_list(dialog);
    for (int i = 0; i < 3; ++i) {
        const int width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
        function_list_columns().widths[i] = width < kMinColumnWidth ? kMinColumnWidth : width;
    }
    EndDialog(dialog, 0);
    set_status_text(0, "");
}

// --- Dialogs by name -----------------------------------------------------------------------

struct SettingsDialog {
    const char* template_name;
    DLGPROC procedure;
};
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

void SettingsDialogsState::reset() { *this = SettingsDialogsState{}; }

SettingsDialogsState& settings_dialogs_state() {
    static SettingsDialogsState state;
    return state;
}

FunctionListColumns& function_list_columns() {
    static FunctionListColumns columns;
    return columns;
}

FunctionListLine parse_function_list_line(std::string_view line) {
    FunctionListLine out;
    const size_t hash = line.find('#');
    if (hash == std::string_view::npos) return out;
    size_t name = hash + 1;
    while (name < line.size() && (line[name] == ' ' || (line[name] >= '0' && line[name] <= '9'))) ++name;
    out.line_number = trimmed(line.substr(hash + 1, name - hash - 1));
    // ':' and ' ' are never the second byte of a double-byte character
    size_t colon = name;
    while (colon < line.size() && !(line[colon] == ':' && colon > 0 && line[colon - 1] == ' ')) ++colon;
    out.name = trimmed(line.substr(name, colon - name));
    if (colon >= line.size()) return out;
    const size_t blank = line.find(' ', colon + 1);
    if (blank != std::string_view::npos) out.summary = trimmed(line.substr(blank + 1));
    return out;
}

int draw_folder_button(const DRAWITEMSTRUCT* item) {
    if (item == nullptr) return 0;
    HDC memory = CreateCompatibleDC(item->hDC);
    if (memory == nullptr) return -1;
    const bool pressed = (item->itemState & ODS_SELECTED) != 0 && item->itemAction != ODA_FOCUS;
    HBITMAP bitmap = LoadBitmapA(shell().instance, pressed ? "FOLDER_Down" : "FOLDER_Up");
    if (bitmap != nullptr) {
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(item->hDC, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    return 0;
}

INT_PTR environment_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: open_environment(dialog); return TRUE;
    case WM_DRAWITEM: draw_folder_button(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kEditorFolderId:
            if (clicked(wparam)) choose_editor(dialog);
            return TRUE;
        case IDOK: accept_environment(dialog); return TRUE;
        case IDCANCEL: end_dialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

INT_PTR editor_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        open_dialog(dialog);
        SetDlgItemTextA(dialog, kEditorPathId, settings().text(nx_settings::kEditorPath).c_str());
        return TRUE;
    case WM_DRAWITEM: draw_folder_button(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kEditorFolderId:
            if (clicked(wparam)) choose_editor(dialog);
            return TRUE;
        case IDOK:
            store_text(dialog, kEditorPathId, nx_settings::kEditorPath);
            end_dialog(dialog, 1);
            save_settings(dialog);
            return TRUE;
        case IDCANCEL: end_dialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

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
        case kPrinterButtonId: printer_setup(dialog); return TRUE;
        case kFontButtonId: print_font(dialog); return TRUE;
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

INT_PTR function_list_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: open_function_list(dialog); return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lparam);
        if (header == nullptr || header->idFrom != static_cast<UINT_PTR>(kFunctionListId)) return FALSE;
        // a double click on a row picks it; one beside the rows does nothing
        if (header->code == NM_DBLCLK && reinterpret_cast<const NMITEMACTIVATE*>(lparam)->iItem >= 0)
            choose_function(dialog);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDOK: choose_function(dialog); return TRUE;
        case IDCANCEL: close_function_list(dialog); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

INT_PTR page_jump_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: open_page_jump(dialog); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDOK: jump_to_page(dialog); return TRUE;
        case IDCANCEL: end_dialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

INT_PTR version_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: open_dialog(dialog); return TRUE;
    case WM_COMMAND: EndDialog(dialog, LOWORD(wparam) == IDOK ? 1 : 0); return TRUE;
    default: return FALSE;
    }
}

void register_settings_dialog_resources() {
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

void install_settings_dialogs() {
    register_settings_dialog_resources();
    std::function<int(const char*)>& entry = command_state().entry.run_dialog;
    entry = [previous = entry](const char* template_name) {
        if (find_settings_dialog(template_name) != nullptr) return run_settings_dialog(template_name);
        if (previous) return previous(template_name);
        show_not_available(0);
        return 0;
    };
}
