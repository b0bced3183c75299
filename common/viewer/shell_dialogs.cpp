#include "common/viewer/shell_dialogs.h"

#include "common/analysis/result_files.h"

#include <strings.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <iterator>
#include <vector>

#include "common/shell/document.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "common/viewer/frame.h"
#include "common/viewer/shell_boxes.h"
#include "common/text/shell_message_numbers.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/commctrl.h"
#include "platform/user/commdlg.h"
#include "platform/user/resources.h"
#include "resources/common/shell_dialog_templates.h"

using shell_dialog_templates::kFunctionListId;

namespace {

// Captions.
constexpr auto& kKeywordCaption = "【生成キーワード設定】"_sjis;
constexpr auto& kBatchCaption = "【 一括生成設定 】"_sjis;

// Filters: a label and a pattern, each ended by a zero byte.
constexpr std::string_view kKwdFilter = "ｷｰﾜｰﾄﾞﾌｧｲﾙ(*.kwd)\0*.kwd\0"_sjis_sv;
constexpr std::string_view kNamFilter = "NAMﾌｧｲﾙ(*.nam)\0*.nam\0"_sjis_sv;
constexpr std::string_view kSourceFilter =
    "C/C++ｿｰｽ(*.c;*.cpp)\0*.c;*.cpp\0"_sjis_sv
    "Cｿｰｽ(*.c)\0*.c\0"_sjis_sv
    "C++ｿｰｽ(*.cpp)\0*.cpp\0"_sjis_sv
    "全ﾌｧｲﾙ(*.*)\0*.*\0"_sjis_sv;
constexpr std::string_view kEditorFilter = "ｴﾃﾞｨﾀ(*.exe)\0*.exe\0全ﾌｧｲﾙ(*.*)\0*.*\0"_sjis_sv;

constexpr int kChooserBufferSize = 4000;
constexpr int kLineLimit = 255;  // bytes of a control-file line that are kept

SettingsRecord& settings() { return shell_settings(); }

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Single-byte blanks off both ends.
std::string strip_blanks(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && is_blank(text[begin])) ++begin;
    while (end > begin && is_blank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

const SettingsWriterCalls kKernelCalls = {crt_write, crt_close, crt_rename};
const SettingsWriterCalls* g_file_calls = &kKernelCalls;

}  // namespace

// --- The kit ---------------------------------------------------------------------------

void SettingsDialogsState::reset() { *this = SettingsDialogsState{}; }

SettingsDialogsState& settings_dialogs_state() {
    static SettingsDialogsState state;
    return state;
}

namespace dialog_kit {

std::string field_text(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    const int length = item != nullptr ? GetWindowTextLengthA(item) : 0;
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(item, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

void set_field_text(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

std::string dialog_title(HWND dialog) {
    char buffer[256] = {};
    GetWindowTextA(dialog, buffer, sizeof buffer);
    return buffer;
}

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

void warn(HWND dialog, const std::string& text) {
    MessageBeep(0);
    const std::string title = dialog_title(dialog);
    MessageBoxA(dialog, text.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void show_box(HWND owner, const char* caption, const std::string& text, UINT icon) {
    MessageBeep(0);
    MessageBoxA(owner, text.c_str(), caption, MB_OK | icon);
}

void show_file_error(HWND owner, const char* caption, const std::string& name, UINT icon) {
    show_box(owner, caption, message_text(shell_message::kOpenError) + "\n" + name, icon);
}

bool check_range(HWND dialog, int id, int min, int max, int* value) {
    const std::string text = field_text(dialog, id);
    const long long n = read_number(text);
    if (n < min || n > max) {
        warn(dialog, format_text(lookup_message(shell_message::kBadValue), text.c_str()));
        SetFocus(GetDlgItem(dialog, id));
        return false;
    }
    *value = static_cast<int>(n);
    return true;
}

bool check_number(HWND dialog, const DialogNumber& number, int* value) {
    return check_range(dialog, number.id, number.field->min, number.field->max, value);
}

bool check_function_order(HWND dialog, int first, int last) {
    if (first <= last) return true;
    warn(dialog, format_text(lookup_message(shell_message::kFunctionOrder), last));
    return false;
}

bool read_text_field(HWND dialog, int id, const SettingsField& field, std::string* text, bool path) {
    *text = field_text(dialog, id);
    if (static_cast<int>(text->size()) < field.width) return true;
    const ViewerProfile& profile = viewer_profile();
    if (!profile.refuse_long_texts) {
        cut_at_char_boundary(*text, field.width - 1);
        return true;
    }
    const int message = path && profile.long_path_message != 0 ? profile.long_path_message : shell_message::kBadValue;
    const char* format = lookup_message(message);
    warn(dialog, format != nullptr ? format_text(format, text->c_str()) : std::string());
    SetFocus(GetDlgItem(dialog, id));
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

void save_settings(HWND dialog) {
    if (write_settings_file(settings(), document_state().program_directory) != kSettingsOk) {
        warn(dialog, message_text(kMessageSettingsNotSaved));
        return;
    }
    set_status_text(0, "");
}

void open_dialog(HWND dialog) { center_over_frame(dialog, shell().frame_window); }

bool clicked(WPARAM wparam) { return HIWORD(wparam) == BN_CLICKED; }

void choose_into_field(HWND dialog, int id, std::string initial, std::string_view filter) {
    int filter_index = 0;  // 0: the dialog starts from the initial name
    if (choose_file_name(0, dialog, initial, filter, 256, filter_index)) SetDlgItemTextA(dialog, id, initial.c_str());
}

std::string program_file(const char* name) { return document_state().program_directory + "\\" + name; }

}  // namespace dialog_kit

using namespace dialog_kit;

// --- Control files -------------------------------------------------------------------

bool read_key_value_lines(const std::string& path, char separator,
                          const std::function<void(const std::string& key, const std::string& value)>& use) {
    LineReader reader;
    if (!reader.open(path.c_str())) return false;
    std::string line;
    while (reader.next(line)) {
        cut_at_char_boundary(line, kLineLimit);
        const size_t at = line.find(separator);
        if (at == std::string::npos) continue;
        std::string key = strip_blanks(std::string_view(line).substr(0, at));
        to_upper_ascii(key);
        use(key, strip_blanks(std::string_view(line).substr(at + 1)));
    }
    return true;
}

int write_control_file(const std::string& path, const std::string& text) {
    // the temporary is this save's own: another copy saving the file at
    // the same moment is refused rather than written into
    const std::string temporary = path + ".$$$";
    if (claim_work_file(temporary) != WorkClaim::kClaimed) return -1;
    const int fd = crt_open(temporary.c_str(), CRT_O_WRONLY | CRT_O_TRUNC, 0666);
    if (fd < 0) {
        discard_work_files({{temporary, path}});
        return -1;
    }
    const int written = g_file_calls->write(fd, text.data(), static_cast<unsigned>(text.size()));
    const bool closed = g_file_calls->close(fd) == 0;
    if (written != static_cast<int>(text.size()) || !closed ||
        g_file_calls->rename(temporary.c_str(), path.c_str()) != 0) {
        discard_work_files({{temporary, path}});
        return -2;
    }
    release_work_file(temporary);
    return 0;
}

void set_generation_file_calls(const SettingsWriterCalls* calls) {
    g_file_calls = calls != nullptr ? calls : &kKernelCalls;
}

std::span<const char* const> keyword_keys() {
    const std::span<const char* const> keys = viewer_profile().keyword_keys;
    if (keys.empty() || keys.size() > kKeywordKeys.size()) return kKeywordKeys;
    return keys;
}

bool read_keyword_file(const std::string& path, KeywordValues& values, bool values_in_capitals) {
    const std::span<const char* const> keys = keyword_keys();
    return read_key_value_lines(path, '=', [&](const std::string& key, const std::string& value) {
        std::string shown = value;
        if (values_in_capitals) to_upper_ascii(shown);
        for (size_t i = 0; i < keys.size(); ++i) {
            if (key == keys[i]) values[i] = shown;
        }
    });
}

int write_keyword_file(const std::string& path, const KeywordValues& values) {
    const std::span<const char* const> keys = keyword_keys();
    std::string text;
    for (size_t i = 0; i < keys.size(); ++i) text += std::string(keys[i]) + "=" + values[i] + "\n";
    return write_control_file(path, text);
}

int write_batch_list_file(const std::string& path, const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += name + "\n";
    return write_control_file(path, text);
}

// --- KEYWORDDLG -----------------------------------------------------------------------

namespace {

constexpr int kFirstKeywordField = 33057;
constexpr int kKeywordReadButton = 33073;
constexpr int kKeywordStandardButton = 33074;
constexpr int kKeywordSaveButton = 33075;
constexpr int kKeywordFieldLimit = 200;

int keyword_count() { return static_cast<int>(keyword_keys().size()); }

KeywordValues keyword_fields(HWND dialog) {
    KeywordValues values;
    for (int i = 0; i < keyword_count(); ++i) values[static_cast<size_t>(i)] = field_text(dialog, kFirstKeywordField + i);
    return values;
}

void set_keyword_fields(HWND dialog, const KeywordValues& values) {
    for (int i = 0; i < keyword_count(); ++i) set_field_text(dialog, kFirstKeywordField + i, values[static_cast<size_t>(i)]);
}

KeywordValues standard_keywords() {
    KeywordValues values;
    for (int i = 0; i < keyword_count(); ++i) values[static_cast<size_t>(i)] = keyword_keys()[static_cast<size_t>(i)];
    return values;
}

// A file that cannot be opened gives the standard setting.
void load_keywords(HWND dialog, const std::string& path) {
    KeywordValues values = keyword_fields(dialog);
    if (!read_keyword_file(path, values, viewer_profile().keyword_values_in_capitals)) values = standard_keywords();
    set_keyword_fields(dialog, values);
}

bool save_keywords(HWND dialog, const std::string& path) {
    if (write_keyword_file(path, keyword_fields(dialog)) == 0) return true;
    show_file_error(dialog, kKeywordCaption, path, MB_ICONEXCLAMATION);
    return false;
}

void choose_keyword_file(HWND dialog, bool save) {
    std::string name = "*.kwd";
    int filter_index = 0;
    if (choose_file_name(save ? 1 : 0, dialog, name, kKwdFilter, kNameBufferSize, filter_index) == 0) return;
    if (save) {
        save_keywords(dialog, name);
    } else {
        load_keywords(dialog, name);
    }
}

}  // namespace

INT_PTR keyword_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        open_dialog(dialog);
        for (int i = 0; i < keyword_count(); ++i) {
            SendDlgItemMessageA(dialog, kFirstKeywordField + i, EM_LIMITTEXT, kKeywordFieldLimit, 0);
        }
        load_keywords(dialog, program_file(viewer_profile().keyword_file));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kKeywordReadButton: choose_keyword_file(dialog, false); return TRUE;
        case kKeywordSaveButton: choose_keyword_file(dialog, true); return TRUE;
        case kKeywordStandardButton: set_keyword_fields(dialog, standard_keywords()); return TRUE;
        case IDOK:
            if (save_keywords(dialog, program_file(viewer_profile().keyword_file))) EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

// --- CNVLSTDLG and the other list dialogs ------------------------------------------------

namespace {

constexpr int kChooserAddButton = 752;

std::string& batch_list_name() { return shell().batch_list_name; }
// The batch list opens with the name the shell keeps.
std::string batch_list_name_kept() { return batch_list_name(); }

}  // namespace

const ListDialogProfile kBatchListProfile = {
    8465, 8481, 8466, 8497, 8498, 8499, 8501, 8502, IDOK,
    kBatchCaption, kNamFilter, kSourceFilter, "*.nam",
    shell_message::kEnterSourceName, shell_message::kChooseSource, shell_message::kListNotSaved, shell_message::kSaveList, 0,
    /*source_names=*/true, /*names_from_list_folder=*/false, /*enter_saves_in_name_field=*/true,
    /*finish_runs_batch=*/true, 1, /*report_unreadable_list=*/true,
    batch_list_name, batch_list_name_kept,
};

namespace {

struct ListDialogState {
    HWND dialog = nullptr;
    const ListDialogProfile* profile = &kBatchListProfile;
    bool modified = false;
    int last_selection = -1;
    bool name_has_focus = false;
    std::string kept_list_name;
};
ListDialogState g_list;

const ListDialogProfile& list_profile() { return *g_list.profile; }

LRESULT list_message(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    return SendDlgItemMessageA(g_list.dialog, list_profile().list_box, message, wparam, lparam);
}

std::vector<std::string> list_entries() {
    std::vector<std::string> entries;
    const int count = static_cast<int>(list_message(LB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        const LRESULT length = list_message(LB_GETTEXTLEN, static_cast<WPARAM>(i));
        std::string text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
        const LRESULT got = list_message(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(std::max<LRESULT>(got, 0)));
        entries.push_back(text);
    }
    return entries;
}

bool listed(std::string name) {
    to_lower_ascii(name);
    for (std::string entry : list_entries()) {
        to_lower_ascii(entry);
        if (entry == name) return true;
    }
    return false;
}

// The lines of a list file, each without its line end and trailing blanks.
bool read_list_file(const std::string& path, std::vector<std::string>& lines) {
    LineReader reader;
    if (!reader.open(path.c_str())) return false;
    std::string line;
    while (reader.next(line)) {
        cut_at_char_boundary(line, kLineLimit);
        trim_line_end(line);
        lines.push_back(line);
    }
    return true;
}

void fill_list(const std::vector<std::string>& lines) {
    list_message(LB_RESETCONTENT);
    for (const std::string& line : lines) list_message(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void refuse(int message_id, UINT icon) {
    show_box(g_list.dialog, list_profile().caption, message_text(message_id), icon);
}

void refuse(int message_id) { refuse(message_id, list_profile().refusal_icon); }

void refuse_with_name(int message_id, const std::string& name) {
    show_box(g_list.dialog, list_profile().caption, format_text(message_text(message_id).c_str(), name.c_str()),
             list_profile().refusal_icon);
}

std::string& list_name() { return list_profile().list_name(); }

void save_list() {
    HWND dialog = g_list.dialog;
    const ListDialogProfile& profile = list_profile();
    const std::vector<std::string> entries = list_entries();
    if (entries.empty()) {
        refuse(profile.empty_message);
        return;
    }
    list_name() = field_text(dialog, profile.list_name_field);
    std::string name = list_name();
    int filter_index = 0;
    if (choose_file_name(1, dialog, name, profile.list_filter, kNameBufferSize, filter_index) == 0) return;
    if (write_batch_list_file(name, entries) != 0) {
        show_file_error(dialog, profile.caption, name, profile.refusal_icon);
        return;
    }
    list_name() = name;
    g_list.modified = false;
    set_field_text(dialog, profile.list_name_field, name);
    set_status_text(0, "");
}

void read_list() {
    HWND dialog = g_list.dialog;
    const ListDialogProfile& profile = list_profile();
    list_name() = field_text(dialog, profile.list_name_field);
    std::string name = list_name();
    int filter_index = 0;
    if (choose_file_name(0, dialog, name, profile.list_filter, kNameBufferSize, filter_index) == 0) return;
    std::vector<std::string> lines;
    if (!read_list_file(name, lines)) {
        show_file_error(dialog, profile.caption, name, profile.refusal_icon);
        return;
    }
    list_name() = name;
    fill_list(lines);
    g_list.modified = false;
    g_list.last_selection = -1;
    set_field_text(dialog, profile.list_name_field, name);
}

void delete_entry() {
    const LRESULT selected = list_message(LB_GETCURSEL);
    if (selected < 0) {
        refuse(list_profile().no_selection_message);
        return;
    }
    list_message(LB_DELETESTRING, static_cast<WPARAM>(selected));
    g_list.modified = true;
    g_list.last_selection = -1;
}

// A source name refused for its extension or as a listed one: the message, else 0.
int source_name_refusal(const std::string& name) {
    if (is_c_source_name(name) == 0) return shell_message::kNotCSource;
    if (listed(name)) return shell_message::kDuplicate;
    return 0;
}

void insert_entry() {
    const ListDialogProfile& profile = list_profile();
    if (g_list.name_has_focus && profile.enter_saves_in_name_field) {
        save_list();
        return;
    }
    HWND dialog = g_list.dialog;
    std::string name = field_text(dialog, profile.entry_field);
    if (name.empty()) {
        refuse(profile.empty_message);
        return;
    }
    if (profile.source_names) {
        to_lower_ascii(name);
        if (const int refusal = source_name_refusal(name); refusal != 0) {
            refuse_with_name(refusal, name);
            return;
        }
    }
    const LRESULT selected = list_message(LB_GETCURSEL);
    list_message(LB_INSERTSTRING, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(name.c_str()));
    g_list.modified = true;
    set_field_text(dialog, profile.entry_field, "");
}

void run_batch_list(HWND dialog) {
    if (g_list.modified) {
        const ListDialogProfile& profile = list_profile();
        show_box(dialog, profile.caption,
                 message_text(profile.not_saved_message) + "\n" + message_text(profile.continue_message),
                 MB_ICONEXCLAMATION);
        return;
    }
    if (list_message(LB_GETCOUNT) <= 0) {
        refuse(shell_message::kEnterSourceName, MB_ICONEXCLAMATION);
        return;
    }
    if (batch_list_name().empty() || batch_list_name() == "*.*") {
        refuse(shell_message::kEnterListName, MB_ICONEXCLAMATION);
        return;
    }
    set_status_text(0, "");
    EndDialog(dialog, 1);
}

// A modified list asks first: Yes goes on editing.
void finish_list(HWND dialog) {
    const ListDialogProfile& profile = list_profile();
    if (profile.finish_runs_batch) {
        run_batch_list(dialog);
        return;
    }
    if (g_list.modified) {
        const std::string text = message_text(profile.not_saved_message) + "\n" + message_text(profile.continue_message);
        if (MessageBoxA(dialog, text.c_str(), profile.caption, MB_YESNO | MB_ICONQUESTION) == IDYES) return;
    }
    set_status_text(0, "");
    EndDialog(dialog, profile.finish_result);
}

void cancel_list(HWND dialog) {
    list_name() = g_list.kept_list_name;
    set_status_text(0, "");
    EndDialog(dialog, 0);
}

void open_list_dialog(HWND dialog, const ListDialogProfile& profile) {
    g_list = ListDialogState{};
    g_list.dialog = dialog;
    g_list.profile = &profile;
    g_list.kept_list_name = list_name();
    SendDlgItemMessageA(dialog, profile.list_name_field, EM_LIMITTEXT, kNameBufferSize - 1, 0);
    std::string& name = list_name();
    name = profile.initial_name();
    if (name.empty() || name.find_first_of("*?") != std::string::npos) {
        name = profile.default_name;
    } else {
        std::vector<std::string> lines;
        if (read_list_file(name, lines)) {
            fill_list(lines);
        } else if (profile.report_unreadable_list) {
            show_file_error(dialog, profile.caption, name, 0);
            name.clear();
        }
    }
    set_field_text(dialog, profile.list_name_field, name);
}

// A click on the selected row lets it go; a double click copies it into
// the entry field.
void follow_list_click(HWND dialog, int code) {
    const int selected = static_cast<int>(list_message(LB_GETCURSEL));
    if (code == LBN_SELCHANGE) {
        if (selected >= 0 && selected == g_list.last_selection) {
            list_message(LB_SETCURSEL, static_cast<WPARAM>(-1));
            g_list.last_selection = -1;
        } else {
            g_list.last_selection = selected;
        }
    } else if (code == LBN_DBLCLK && selected >= 0) {
        set_field_text(dialog, list_profile().entry_field, list_entries()[static_cast<size_t>(selected)]);
        g_list.last_selection = selected;
    }
}

void follow_name_focus(int code) {
    if (code == EN_SETFOCUS) {
        g_list.name_has_focus = true;
        list_message(LB_SETCURSEL, static_cast<WPARAM>(-1));
        g_list.last_selection = -1;
    } else if (code == EN_KILLFOCUS) {
        g_list.name_has_focus = false;
    }
}

// --- The source chooser -------------------------------------------------------------

std::string folder_of(HWND file_dialog) {
    char folder[kChooserBufferSize + 1] = {};
    SendMessageA(file_dialog, CDM_GETFOLDERPATH, kChooserBufferSize, reinterpret_cast<LPARAM>(folder));
    return folder;
}

// A bare name of the file dialog's field lies in the folder it shows.
std::string in_folder(const std::string& folder, const std::string& name) {
    if (folder.empty() || find_last_separator(name, true) >= 0) return name;
    const char last = folder.back();
    return folder + (last == '\\' || last == '/' ? "" : "\\") + name;
}

void add_field_names(HWND hook) {
    HWND file_dialog = GetParent(hook);
    char buffer[kChooserBufferSize + 1] = {};
    SendMessageA(file_dialog, CDM_GETSPEC, kChooserBufferSize, reinterpret_cast<LPARAM>(buffer));
    std::string text = buffer;
    // the pattern the field shows after a folder change names no file
    if (text.empty() || (text.find('"') == std::string::npos && text.find_first_of("*?") != std::string::npos)) {
        show_box(file_dialog, list_profile().caption, message_text(list_profile().no_selection_message),
                 MB_ICONEXCLAMATION);
        return;
    }
    const std::string folder = folder_of(file_dialog);
    if (text.find('"') == std::string::npos) {
        add_batch_source(1, in_folder(folder, text));
        return;
    }
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    size_t at = 0;
    while ((at = text.find('"', at)) != std::string::npos) {
        const size_t end = text.find('"', at + 1);
        if (end == std::string::npos) break;
        if (end > at + 1) add_batch_source(1, in_folder(folder, text.substr(at + 1, end - at - 1)));
        at = end + 1;
    }
}

UINT_PTR batch_file_open_hook(HWND hook, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && LOWORD(wparam) == kChooserAddButton) {
        add_field_names(hook);
        return TRUE;
    }
    return FALSE;
}

// How a chosen source is listed. The batch run looks in the list's own
// folder: a source there goes by its bare name, any other by its full path.
// ORBALINE's generator takes a relative name from the list's folder: a
// source below a named list keeps its path from there, any other (or one
// chosen before the list has a name) its full path.
std::string listed_source_name(HWND dialog, const std::string& path) {
    std::string name(file_part(path));
    if (find_last_separator(path, true) >= 0) {
        const std::string list_name = field_text(dialog, list_profile().list_name_field);
        std::string list_directory;
        std::string list_file;
        split_path(make_absolute_path(list_name), list_directory, list_file);
        std::string directory;
        std::string file;
        const std::string absolute = make_absolute_path(path);
        split_path(absolute, directory, file);
        if (list_profile().names_from_list_folder) {
            const bool named = !list_name.empty() && list_name.find_first_of("*?") == std::string::npos;
            name = named && absolute.starts_with(list_directory) ? absolute.substr(list_directory.size()) : absolute;
        } else if (directory != list_directory) {
            name = absolute;
        }
    }
    to_lower_ascii(name);
    return name;
}

}  // namespace

INT_PTR list_dialog_proc(const ListDialogProfile& profile, HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        open_dialog(dialog);
        open_list_dialog(dialog, profile);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        const int code = HIWORD(wparam);
        if (g_list.dialog != dialog) return FALSE;
        if (id == profile.list_name_field) {
            follow_name_focus(code);
        } else if (id == profile.list_box) {
            follow_list_click(dialog, code);
        } else if (id == profile.choose_button && id != 0) {
            choose_batch_sources(dialog, profile.source_filter);
        } else if (id == profile.read_button) {
            read_list();
        } else if (id == profile.save_button) {
            save_list();
        } else if (id == profile.delete_button) {
            delete_entry();
        } else if (id == profile.insert_button) {
            insert_entry();
        } else if (id == profile.finish_button) {
            finish_list(dialog);
        } else if (id == IDCANCEL) {
            cancel_list(dialog);
        } else {
            return FALSE;
        }
        return TRUE;
    }
    case WM_DESTROY:
        if (g_list.dialog == dialog) g_list = ListDialogState{};
        return FALSE;
    default: return FALSE;
    }
}

INT_PTR batch_list_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    return list_dialog_proc(kBatchListProfile, dialog, message, wparam, lparam);
}

int add_batch_source(int report_in_status, const std::string& path) {
    set_status_text(0, "");
    HWND dialog = g_list.dialog;
    if (dialog == nullptr) return -1;
    const std::string name = listed_source_name(dialog, path);
    int refusal = 0;
    if (is_c_source_name(name) == 0) {
        refusal = shell_message::kNotCSource;
    } else {
        document_state().source_extension = name.find(".cpp") != std::string::npos ? ".cpp" : ".c";
        if (listed(name)) refusal = shell_message::kDuplicate;
    }
    if (refusal != 0) {
        const std::string text = format_text(message_text(refusal).c_str(), name.c_str());
        if (report_in_status != 0) {
            set_status_text(1, text);
        } else {
            show_box(dialog, list_profile().caption, text, MB_ICONEXCLAMATION);
        }
        return -1;
    }
    const LRESULT selected = list_message(LB_GETCURSEL);
    list_message(LB_INSERTSTRING, static_cast<WPARAM>(selected >= 0 ? selected + 1 : -1),
                 reinterpret_cast<LPARAM>(name.c_str()));
    set_field_text(dialog, list_profile().entry_field, name);
    g_list.modified = true;
    return 0;
}

int choose_batch_sources(HWND owner, std::string_view filter) {
    std::vector<char> buffer(kChooserBufferSize, '\0');
    const std::string filter_text(filter);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = shell().instance;
    ofn.lpstrFilter = filter_text.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY |
                OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    ofn.lpfnHook = batch_file_open_hook;
    ofn.lpTemplateName = MAKEINTRESOURCEA(750);
    if (!GetOpenFileNameA(&ofn)) return 0;
    // One name comes back whole; several as the folder and the names after it.
    const std::string first(buffer.data());
    if (first.find('"') != std::string::npos) return 1;
    size_t at = first.size() + 1;
    if (at >= buffer.size() || buffer[at] == '\0') {
        add_batch_source(1, first);
        return 1;
    }
    while (at < buffer.size() && buffer[at] != '\0') {
        const std::string name(buffer.data() + at);
        add_batch_source(1, in_folder(first, name));
        at += name.size() + 1;
    }
    return 1;
}

// --- ENVDLG and EDITORDLG -------------------------------------------------------------

namespace {

void choose_editor(HWND dialog) {
    const ViewerProfile& profile = viewer_profile();
    choose_into_field(dialog, profile.editor_field_id, settings().text(*profile.editor_path), kEditorFilter);
}

void open_environment(HWND dialog) {
    const ViewerProfile& profile = viewer_profile();
    open_dialog(dialog);
    if (profile.environment_check_id != 0 && profile.environment_check != nullptr) {
        CheckDlgButton(dialog, profile.environment_check_id,
                       settings().word(*profile.environment_check) != 0 ? BST_CHECKED : BST_UNCHECKED);
    }
    for (const DialogCheck& check : profile.environment_checks)
        CheckDlgButton(dialog, check.id, settings().word(*check.field) != 0 ? BST_CHECKED : BST_UNCHECKED);
    int up_down = kFirstUpDownId;
    for (const DialogNumber& number : profile.environment_numbers) {
        const SettingsField& field = *number.field;
        add_up_down(dialog, up_down++, number.id, field.min, field.max, settings().word(field));
    }
    SetDlgItemTextA(dialog, profile.editor_field_id, settings().text(*profile.editor_path).c_str());
}

void accept_environment(HWND dialog) {
    const ViewerProfile& profile = viewer_profile();
    std::vector<int> values;
    for (const DialogNumber& number : profile.environment_numbers) {
        int value = 0;
        if (!check_number(dialog, number, &value)) return;
        values.push_back(value);
    }
    std::string editor;
    if (!read_text_field(dialog, profile.editor_field_id, *profile.editor_path, &editor, true)) return;
    for (size_t i = 0; i < values.size(); ++i) settings().set_word(*profile.environment_numbers[i].field, values[i]);
    for (const DialogCheck& check : profile.environment_checks)
        settings().set_word(*check.field, IsDlgButtonChecked(dialog, check.id) == BST_CHECKED ? 1 : 0);
    settings().set_text(*profile.editor_path, editor);
    if (profile.environment_check_id != 0 && profile.environment_check != nullptr) {
        settings().set_word(*profile.environment_check,
                            IsDlgButtonChecked(dialog, profile.environment_check_id) == BST_CHECKED ? 1 : 0);
    }
    save_settings(dialog);
    end_dialog(dialog, 1);
}

void accept_editor(HWND dialog) {
    const ViewerProfile& profile = viewer_profile();
    std::string editor;
    if (!read_text_field(dialog, profile.editor_field_id, *profile.editor_path, &editor, true)) return;
    settings().set_text(*profile.editor_path, editor);
    end_dialog(dialog, 1);
    save_settings(dialog);
}

}  // namespace

INT_PTR environment_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: open_environment(dialog); return TRUE;
    case WM_DRAWITEM: draw_folder_button(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        if (id == viewer_profile().editor_folder_id) {
            if (clicked(wparam)) choose_editor(dialog);
            return TRUE;
        }
        switch (id) {
        case IDOK: accept_environment(dialog); return TRUE;
        case IDCANCEL: end_dialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    }
    default: return FALSE;
    }
}

INT_PTR editor_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    const ViewerProfile& profile = viewer_profile();
    switch (message) {
    case WM_INITDIALOG:
        open_dialog(dialog);
        SetDlgItemTextA(dialog, profile.editor_field_id, settings().text(*profile.editor_path).c_str());
        return TRUE;
    case WM_DRAWITEM: draw_folder_button(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        if (id == profile.editor_folder_id) {
            if (clicked(wparam)) choose_editor(dialog);
            return TRUE;
        }
        switch (id) {
        case IDOK: accept_editor(dialog); return TRUE;
        case IDCANCEL: end_dialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
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

namespace {

// --- FLTDLG --------------------------------------------------------------------------------

constexpr int kMaxFunctionRows = 1000;
constexpr int kMaxFunctionLineBytes = 511;
constexpr int kMinColumnWidth = 60;
// "No.  関数名", " 行番号", " 機能概要"
constexpr const char* kFunctionColumns[] = {"No.  関数名"_sjis, " 行番号"_sjis,
                                            " 機能概要"_sjis};

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
    std::vector<const std::string*> rest = {&line.line_number, &line.summary};
    if (viewer_profile().function_file_column) rest.insert(rest.begin(), &line.file);
    for (size_t column = 1; column <= rest.size(); ++column) {
        std::string text = *rest[column - 1];
        LVITEMA sub{};
        sub.iSubItem = static_cast<int>(column);
        sub.pszText = text.data();
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    }
}

// The columns of the list: the program's, else the shared three.
std::vector<FunctionListColumn> function_columns() {
    const auto own = viewer_profile().function_columns;
    if (!own.empty()) return {own.begin(), own.end()};
    std::vector<FunctionListColumn> columns;
    for (int i = 0; i < 3; ++i) columns.push_back({kFunctionColumns[i], 0});
    return columns;
}

// The rows of the document's ".flt": the header line skipped, empty lines
// not counted, each line cut to what one row holds, at most 1000 rows.
void fill_function_list(HWND dialog) {
    const std::string name = side_file_name(document_state(), ".flt");
    std::string bytes;
    if (!read_whole_file(name, bytes)) {
        warn(dialog, message_text(shell_message::kOpenError) + "\n" + name);
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
    int current = document_state().loaded ? document_state().current_page : -1;
    if (viewer_hooks().function_list_row) current = viewer_hooks().function_list_row();
    HWND list = function_list(dialog);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(shell().dialog_font), FALSE);
    const std::vector<FunctionListColumn> columns = function_columns();
    FunctionListColumns& widths = function_list_columns();
    // a program's own columns start at their own widths
    if (!widths.taken_from_profile && !viewer_profile().function_columns.empty()) {
        for (size_t i = 0; i < columns.size() && i < std::size(widths.widths); ++i) widths.widths[i] = columns[i].width;
        widths.taken_from_profile = true;
    }
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = widths.widths[i];
        std::string text = columns[static_cast<size_t>(i)].title;
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
    set_status_text(1, message_text(viewer_profile().messages.choose_function));
}

// Row index = page index: the rows are the document's functions in page order.
void choose_function(HWND dialog) {
    const int row = static_cast<int>(
        SendMessageA(function_list(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0) {
        warn(dialog, message_text(viewer_profile().messages.choose_function));
        return;
    }
    const DocumentState& doc = document_state();
    if (!doc.loaded || (viewer_profile().function_rows_are_pages && row >= doc.page_count)) {
        MessageBeep(0);
        return;
    }
    if (viewer_hooks().show_function) viewer_hooks().show_function(row);
}

void close_function_list(HWND dialog) {
    HWND list = function_list(dialog);
    const int count = static_cast<int>(function_columns().size());
    for (int i = 0; i < count; ++i) {
        const int width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
        function_list_columns().widths[i] = width < kMinColumnWidth ? kMinColumnWidth : width;
    }
    EndDialog(dialog, 0);
    set_status_text(0, "");
}

}  // namespace

FunctionListColumns& function_list_columns() {
    static FunctionListColumns columns;
    return columns;
}

FunctionListLine parse_function_list_line(std::string_view line) {
    FunctionListLine out;
    const size_t hash = line.find('#');
    // a line without '#' is all file name
    out.file = strip_blanks(line.substr(0, hash));
    if (hash == std::string_view::npos) return out;
    size_t name = hash + 1;
    while (name < line.size() && (line[name] == ' ' || (line[name] >= '0' && line[name] <= '9'))) ++name;
    out.line_number = strip_blanks(line.substr(hash + 1, name - hash - 1));
    // ':' and ' ' are never the second byte of a double-byte character
    size_t colon = name;
    while (colon < line.size() && !(line[colon] == ':' && colon > 0 && line[colon - 1] == ' ')) ++colon;
    out.name = strip_blanks(line.substr(name, colon - name));
    if (colon >= line.size()) return out;
    const size_t blank = line.find(' ', colon + 1);
    if (blank != std::string_view::npos) out.summary = strip_blanks(line.substr(blank + 1));
    return out;
}

int draw_folder_button(const DRAWITEMSTRUCT* item) {
    if (item == nullptr) return 0;
    HDC memory = CreateCompatibleDC(item->hDC);
    if (memory == nullptr) return -1;
    const bool pressed = (item->itemState & ODS_SELECTED) != 0 && item->itemAction != ODA_FOCUS;
    HBITMAP bitmap = LoadBitmapA(shell().instance, pressed ? "FOLDER_Down" : "FOLDER_Up");
    RECT face = item->rcItem;
    if (bitmap != nullptr) {
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        face = RECT{0, 0, std::min<LONG>(face.right, info.bmWidth), std::min<LONG>(face.bottom, info.bmHeight)};
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(item->hDC, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    // the keyboard's place, as on any button: dotted inside the picture's
    // edge, where the next drawing of the picture takes it away again
    if (item->itemState & ODS_FOCUS) {
        InflateRect(&face, -3, -3);
        DrawFocusRect(item->hDC, &face);
    }
    return 0;
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

// --- Dialogs by name -----------------------------------------------------------------------

namespace {

struct SharedDialog {
    const char* template_name;
    DLGPROC procedure;
};
constexpr SharedDialog kSharedDialogs[] = {
    {"KEYWORDDLG", keyword_dlg_proc}, {"CNVLSTDLG", batch_list_dlg_proc},   {"ENVDLG", environment_dlg_proc},
    {"EDITORDLG", editor_dlg_proc},   {"VERSIONDLG", version_dlg_proc},     {"FLTDLG", function_list_dlg_proc},
};

}  // namespace

DLGPROC shared_dialog_procedure(const char* template_name) {
    if (template_name == nullptr || IS_INTRESOURCE(template_name)) return nullptr;
    for (const SharedDialog& d : kSharedDialogs) {
        if (strcasecmp(d.template_name, template_name) == 0) return d.procedure;
    }
    return nullptr;
}

void register_shared_dialog_resources() {
    // once per process: the tables outlive every test's platform reset. The
    // chooser strip is looked for, as no program brings its own.
    if (find_dialog_resource("#750") == &shell_dialog_templates::kDialogs[2]) return;
    register_program_resources(&shell_dialog_templates::kTable);
}

int run_dialog_template(const char* template_name, DLGPROC procedure) {
    register_shared_dialog_resources();
    settings_dialogs_state().reset();
    const INT_PTR result =
        DialogBoxParamA(shell().instance, template_name, shell().frame_window, procedure, 0);
    destroy_up_downs();
    return result < 0 ? 0 : static_cast<int>(result);
}
