#include "notarix/viewer/settings_dialogs.h"
#include "notarix/viewer/generation_dialogs.h"

#include <strings.h>

#include <algorithm>
#include <vector>

#include "common/shell/document.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/notarix_message_numbers.h"
#include "common/text/text_helpers.h"
#include "notarix/viewer/commands.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/settings_layout.h"
#include "notarix/viewer/shell_boxes.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/file_io.h"
#include "platform/user/commdlg.h"
#include "resources/notarix/generation_dialog_templates.h"

namespace {

// Captions. 【 生成パラメタ設定 】, 【生成キーワード設定】, 【生成共通情報設定】, 【 一括生成設定 】
constexpr char kParameterTitle[] = "\x81y \x90\xb6\x90\xac\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z";
constexpr char kKeywordCaption[] = "\x81y\x90\xb6\x90\xac\x83L\x81[\x83\x8f\x81[\x83h\x90\xdd\x92\xe8\x81z";
constexpr char kCommonInfoCaption[] = "\x81y\x90\xb6\x90\xac\x8b\xa4\x92\xca\x8f\xee\x95\xf1\x90\xdd\x92\xe8\x81z";
constexpr char kBatchCaption[] = "\x81y \x88\xea\x8a\x87\x90\xb6\x90\xac\x90\xdd\x92\xe8 \x81z";

// Filters: a label and a pattern, each ended by a zero byte.
using namespace std::string_view_literals;
constexpr std::string_view kCssFilter = "CSS\xcc\xa7\xb2\xd9(*.css)\0*.css\0"sv;            // CSSﾌｧｲﾙ(*.css)
constexpr std::string_view kLisFilter = "\xda\xb2\xb1\xb3\xc4\xcc\xa7\xb2\xd9(*.lis)\0*.lis\0"sv;  // ﾚｲｱｳﾄﾌｧｲﾙ(*.lis)
constexpr std::string_view kKwdFilter = "\xb7\xb0\xdc\xb0\xc4\xde\xcc\xa7\xb2\xd9(*.kwd)\0*.kwd\0"sv;  // ｷｰﾜｰﾄﾞﾌｧｲﾙ(*.kwd)
constexpr std::string_view kNamFilter = "NAM\xcc\xa7\xb2\xd9(*.nam)\0*.nam\0"sv;            // NAMﾌｧｲﾙ(*.nam)
constexpr std::string_view kSourceFilter =
    "C/C++\xbf\xb0\xbd(*.c;*.cpp)\0*.c;*.cpp\0"  // C/C++ｿｰｽ(*.c;*.cpp)
    "C\xbf\xb0\xbd(*.c)\0*.c\0"                   // Cｿｰｽ(*.c)
    "C++\xbf\xb0\xbd(*.cpp)\0*.cpp\0"             // C++ｿｰｽ(*.cpp)
    "\x91S\xcc\xa7\xb2\xd9(*.*)\0*.*\0"sv;        // 全ﾌｧｲﾙ(*.*)

constexpr int kNameBufferSize = 260;
constexpr int kChooserBufferSize = 4000;
constexpr int kLineLimit = 255;  // bytes of a control-file line that are kept

// --- Small helpers ------------------------------------------------------------------

std::string item_text(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    const int length = item != nullptr ? GetWindowTextLengthA(item) : 0;
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(item, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

void set_item_text(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

// A beep, then an OK box owned by the dialog.
void show_box(HWND owner, const char* caption, const std::string& text, UINT icon) {
    MessageBeep(0);
    MessageBoxA(owner, text.c_str(), caption, MB_OK | icon);
}

// The box of a control file that cannot be opened or created.
void show_file_error(HWND owner, const char* caption, const std::string& name, UINT icon) {
    show_box(owner, caption, message_text(nx_message::kOpenError) + "\n" + name, icon);
}

std::string program_file(const char* name) { return document_state().program_directory + "\\" + name; }

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Single-byte blanks off both ends.
std::string strip_blanks(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && is_blank(text[begin])) ++begin;
    while (end > begin && is_blank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

// Lines "key<separator>value" with the key in capitals; lines without the
// separator are skipped. False when the file cannot be opened.
template <typename Use>
bool read_key_lines(const std::string& path, char separator, Use use) {
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

const SettingsWriterCalls kKernelCalls = {crt_write, crt_close, crt_rename};
const SettingsWriterCalls* g_file_calls = &kKernelCalls;

// Writes the text (LF becomes CR LF) to a temporary file beside the path and
// renames it over the old file only when every byte went out and it closed.
int write_control_file(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".$$$";
    const int fd = crt_open(temporary.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC, 0666);
    if (fd < 0) return -1;
    const int written = g_file_calls->write(fd, text.data(), static_cast<unsigned>(text.size()));
    const bool closed = g_file_calls->close(fd) == 0;
    if (written != static_cast<int>(text.size()) || !closed ||
        g_file_calls->rename(temporary.c_str(), path.c_str()) != 0) {
        crt_remove(temporary.c_str());
        return -2;
    }
    return 0;
}

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
        set_item_text(dialog, field_id, name);
    }
}

void accept_parameters(HWND dialog, int result) {
    SettingsRecord& settings = shell_settings();
    for (const TextChoice& t : kTextFields) shell_settings().set_text_cut(*t.field, item_text(dialog, t.id));
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
            set_item_text(dialog, t.id, shell_settings().text(*t.field));
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

// --- KEYWORDDLG -----------------------------------------------------------------------

constexpr int kFirstKeywordField = 33057;
constexpr int kKeywordReadButton = 33073;
constexpr int kKeywordStandardButton = 33074;
constexpr int kKeywordSaveButton = 33075;
constexpr int kKeywordFieldLimit = 200;

KeywordValues keyword_fields(HWND dialog) {
    KeywordValues values;
    for (int i = 0; i < kKeywordCount; ++i) values[static_cast<size_t>(i)] = item_text(dialog, kFirstKeywordField + i);
    return values;
}

void set_keyword_fields(HWND dialog, const KeywordValues& values) {
    for (int i = 0; i < kKeywordCount; ++i) set_item_text(dialog, kFirstKeywordField + i, values[static_cast<size_t>(i)]);
}

KeywordValues standard_keywords() {
    KeywordValues values;
    for (int i = 0; i < kKeywordCount; ++i) values[static_cast<size_t>(i)] = kKeywordKeys[static_cast<size_t>(i)];
    return values;
}

// A file that cannot be opened gives the standard setting.
void load_keywords(HWND dialog, const std::string& path) {
    KeywordValues values = keyword_fields(dialog);
    if (!read_keyword_file(path, values)) values = standard_keywords();
    set_keyword_fields(dialog, values);
}

bool save_keywords(HWND dialog, const std::string& path) {
    if (write_keyword_file(path, keyword_fields(dialog)) == 0) return true;
    show_file_error(dialog, kKeywordCaption, path, MB_ICONEXCLAMATION);
    return false;
}

INT_PTR keyword_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        center_over_frame(dialog, shell().frame_window);
        for (int i = 0; i < kKeywordCount; ++i) {
            SendDlgItemMessageA(dialog, kFirstKeywordField + i, EM_LIMITTEXT, kKeywordFieldLimit, 0);
        }
        load_keywords(dialog, program_file("nx1000.kwd"));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kKeywordReadButton: {
            std::string name = "*.kwd";
            int filter_index = 0;
            if (choose_file_name(0, dialog, name, kKwdFilter, kNameBufferSize, filter_index) != 0) {
                load_keywords(dialog, name);
            }
            return TRUE;
        }
        case kKeywordSaveButton: {
            std::string name = "*.kwd";
            int filter_index = 0;
            if (choose_file_name(1, dialog, name, kKwdFilter, kNameBufferSize, filter_index) != 0) {
                save_keywords(dialog, name);
            }
            return TRUE;
        }
        case kKeywordStandardButton: set_keyword_fields(dialog, standard_keywords()); return TRUE;
        case IDOK:
            if (save_keywords(dialog, program_file("nx1000.kwd"))) EndDialog(dialog, 1);
            return TRUE;
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
    return {item_text(dialog, kSystemNameField), item_text(dialog, kLanguageField)};
}

void load_common_info(HWND dialog, const std::string& path) {
    CommonInfo info = common_info_fields(dialog);
    if (!read_common_info_file(path, info)) info = {kProgramTitle, "MS-C"};
    set_item_text(dialog, kSystemNameField, info.system_name);
    set_item_text(dialog, kLanguageField, info.language);
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

// --- CNVLSTDLG ------------------------------------------------------------------------

enum : int {
    kSourceNameField = 8465,
    kListNameField = 8466,
    kSourceList = 8481,
    kChooseSourcesButton = 8497,
    kListReadButton = 8498,
    kListSaveButton = 8499,
    kDeleteButton = 8501,
    kInsertButton = 8502,
    kChooserAddButton = 752,
};

struct BatchDialogState {
    HWND dialog = nullptr;
    bool modified = false;
    int last_selection = -1;
    bool name_has_focus = false;
    std::string kept_list_name;
};
BatchDialogState g_batch;

LRESULT list_message(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    return SendDlgItemMessageA(g_batch.dialog, kSourceList, message, wparam, lparam);
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

void refuse(int message_id, UINT icon = 0) {
    show_box(g_batch.dialog, kBatchCaption, message_text(message_id), icon);
}

void refuse_with_name(int message_id, const std::string& name, UINT icon = 0) {
    show_box(g_batch.dialog, kBatchCaption, format_text(message_text(message_id).c_str(), name.c_str()), icon);
}

std::string& batch_list_name() { return shell().batch_list_name; }

void save_list() {
    HWND dialog = g_batch.dialog;
    const std::vector<std::string> entries = list_entries();
    if (entries.empty()) {
        refuse(nx_message::kEnterSourceName);
        return;
    }
    batch_list_name() = item_text(dialog, kListNameField);
    std::string name = batch_list_name();
    int filter_index = 0;
    if (choose_file_name(1, dialog, name, kNamFilter, kNameBufferSize, filter_index) == 0) return;
    if (write_batch_list_file(name, entries) != 0) {
        show_file_error(dialog, kBatchCaption, name, 0);
        return;
    }
    batch_list_name() = name;
    g_batch.modified = false;
    set_item_text(dialog, kListNameField, name);
    set_status_text(0, "");
}

void read_list() {
    HWND dialog = g_batch.dialog;
    batch_list_name() = item_text(dialog, kListNameField);
    std::string name = batch_list_name();
    int filter_index = 0;
    if (choose_file_name(0, dialog, name, kNamFilter, kNameBufferSize, filter_index) == 0) return;
    std::vector<std::string> lines;
    if (!read_list_file(name, lines)) {
        show_file_error(dialog, kBatchCaption, name, 0);
        return;
    }
    batch_list_name() = name;
    fill_list(lines);
    g_batch.modified = false;
    g_batch.last_selection = -1;
    set_item_text(dialog, kListNameField, name);
}

void delete_entry() {
    const LRESULT selected = list_message(LB_GETCURSEL);
    if (selected < 0) {
        refuse(nx_message::kChooseSource);
        return;
    }
    list_message(LB_DELETESTRING, static_cast<WPARAM>(selected));
    g_batch.modified = true;
    g_batch.last_selection = -1;
}

void insert_entry() {
    if (g_batch.name_has_focus) {
        save_list();
        return;
    }
    HWND dialog = g_batch.dialog;
    std::string name = item_text(dialog, kSourceNameField);
    if (name.empty()) {
        refuse(nx_message::kEnterSourceName);
        return;
    }
    to_lower_ascii(name);
    if (is_c_source_name(name) == 0) {
        refuse_with_name(nx_message::kNotCSource, name);
        return;
    }
    if (listed(name)) {
        refuse_with_name(nx_message::kDuplicate, name);
        return;
    }
    const LRESULT selected = list_message(LB_GETCURSEL);
    list_message(LB_INSERTSTRING, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(name.c_str()));
    g_batch.modified = true;
    set_item_text(dialog, kSourceNameField, "");
}

void run_batch_list(HWND dialog) {
    if (g_batch.modified) {
        show_box(dialog, kBatchCaption,
                 message_text(nx_message::kListNotSaved) + "\n" + message_text(nx_message::kSaveList),
                 MB_ICONEXCLAMATION);
        return;
    }
    if (list_message(LB_GETCOUNT) <= 0) {
        refuse(nx_message::kEnterSourceName, MB_ICONEXCLAMATION);
        return;
    }
    if (batch_list_name().empty() || batch_list_name() == "*.*") {
        refuse(nx_message::kEnterListName, MB_ICONEXCLAMATION);
        return;
    }
    set_status_text(0, "");
    EndDialog(dialog, 1);
}

void open_batch_list(HWND dialog) {
    g_batch = BatchDialogState{};
    g_batch.dialog = dialog;
    g_batch.kept_list_name = batch_list_name();
    SendDlgItemMessageA(dialog, kListNameField, EM_LIMITTEXT, kNameBufferSize - 1, 0);
    std::string& name = batch_list_name();
    if (name.empty() || name.find_first_of("*?") != std::string::npos) {
        name = "*.nam";
    } else {
        std::vector<std::string> lines;
        if (read_list_file(name, lines)) {
            fill_list(lines);
        } else {
            show_file_error(dialog, kBatchCaption, name, 0);
            name.clear();
        }
    }
    set_item_text(dialog, kListNameField, name);
}

INT_PTR batch_list_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        center_over_frame(dialog, shell().frame_window);
        open_batch_list(dialog);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        const int code = HIWORD(wparam);
        switch (id) {
        case kListNameField:
            if (code == EN_SETFOCUS) {
                g_batch.name_has_focus = true;
                list_message(LB_SETCURSEL, static_cast<WPARAM>(-1));
                g_batch.last_selection = -1;
            } else if (code == EN_KILLFOCUS) {
                g_batch.name_has_focus = false;
            }
            return TRUE;
        case kSourceList: {
            const int selected = static_cast<int>(list_message(LB_GETCURSEL));
            if (code == LBN_SELCHANGE) {
                if (selected >= 0 && selected == g_batch.last_selection) {
                    list_message(LB_SETCURSEL, static_cast<WPARAM>(-1));
                    g_batch.last_selection = -1;
                } else {
                    g_batch.last_selection = selected;
                }
            } else if (code == LBN_DBLCLK && selected >= 0) {
                set_item_text(dialog, kSourceNameField, list_entries()[static_cast<size_t>(selected)]);
                g_batch.last_selection = selected;
            }
            return TRUE;
        }
        case kChooseSourcesButton: choose_batch_sources(dialog, kSourceFilter); return TRUE;
        case kListReadButton: read_list(); return TRUE;
        case kListSaveButton: save_list(); return TRUE;
        case kDeleteButton: delete_entry(); return TRUE;
        case kInsertButton: insert_entry(); return TRUE;
        case IDOK: run_batch_list(dialog); return TRUE;
        case IDCANCEL:
            batch_list_name() = g_batch.kept_list_name;
            set_status_text(0, "");
            EndDialog(dialog, 0);
            return TRUE;
        default: return FALSE;
        }
    }
    default: return FALSE;
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
    if (text.empty()) {
        show_box(file_dialog, kBatchCaption, message_text(nx_message::kChooseSource), MB_ICONEXCLAMATION);
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
    if (find_dialog_resource("CNVLSTDLG") == built_in_template("CNVLSTDLG")) return;
    register_program_resources(&generation_dialog_templates::kTable);
}

}  // namespace

bool read_keyword_file(const std::string& path, KeywordValues& values) {
    return read_key_lines(path, '=', [&](const std::string& key, const std::string& value) {
        for (size_t i = 0; i < kKeywordKeys.size(); ++i) {
            if (key == kKeywordKeys[i]) values[i] = value;
        }
    });
}

int write_keyword_file(const std::string& path, const KeywordValues& values) {
    std::string text;
    for (size_t i = 0; i < kKeywordKeys.size(); ++i) text += std::string(kKeywordKeys[i]) + "=" + values[i] + "\n";
    return write_control_file(path, text);
}

bool read_common_info_file(const std::string& path, CommonInfo& info) {
    return read_key_lines(path, ':', [&](const std::string& key, const std::string& value) {
        if (key == "SYS") info.system_name = value;
        if (key == "LGT") info.language = value;
    });
}

int write_common_info_file(const std::string& path, const CommonInfo& info) {
    return write_control_file(path, "SYS:" + info.system_name + "\nLGT:" + info.language + "\n");
}

int write_batch_list_file(const std::string& path, const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += name + "\n";
    return write_control_file(path, text);
}

void set_generation_file_calls(const SettingsWriterCalls* calls) {
    g_file_calls = calls != nullptr ? calls : &kKernelCalls;
}

int add_batch_source(int report_in_status, const std::string& path) {
    set_status_text(0, "");
    HWND dialog = g_batch.dialog;
    if (dialog == nullptr) return -1;
    // A source of the list's own folder is listed by its bare name (the batch
    // run looks there); one of another folder keeps its full path.
    std::string name(file_part(path));
    if (find_last_separator(path, true) >= 0) {
        std::string list_directory;
        std::string list_file;
        split_path(make_absolute_path(item_text(dialog, kListNameField)), list_directory, list_file);
        std::string directory;
        std::string file;
        const std::string absolute = make_absolute_path(path);
        split_path(absolute, directory, file);
        if (directory != list_directory) name = absolute;
    }
    to_lower_ascii(name);
    int refusal = 0;
    if (is_c_source_name(name) == 0) {
        refusal = nx_message::kNotCSource;
    } else {
        document_state().source_extension = name.find(".cpp") != std::string::npos ? ".cpp" : ".c";
        if (listed(name)) refusal = nx_message::kDuplicate;
    }
    if (refusal != 0) {
        const std::string text = format_text(message_text(refusal).c_str(), name.c_str());
        if (report_in_status != 0) {
            set_status_text(1, text);
        } else {
            show_box(dialog, kBatchCaption, text, MB_ICONEXCLAMATION);
        }
        return -1;
    }
    const LRESULT selected = list_message(LB_GETCURSEL);
    list_message(LB_INSERTSTRING, static_cast<WPARAM>(selected >= 0 ? selected + 1 : -1),
                 reinterpret_cast<LPARAM>(name.c_str()));
    set_item_text(dialog, kSourceNameField, name);
    g_batch.modified = true;
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
                OFN_PATHMUSTEXIST;
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

bool is_generation_dialog(const char* template_name) { return find_entry(template_name) != nullptr; }

int run_notarix_dialog(const char* template_name) {
    const DialogEntry* entry = find_entry(template_name);
    if (entry == nullptr) return -1;
    register_templates();
    const DialogTemplate* found = find_dialog_resource(entry->name);
    const DialogTemplate* dialog = found != nullptr ? found : built_in_template(entry->name);
    const INT_PTR result =
        DialogBoxIndirectParamA(shell().instance, dialog, shell().frame_window, entry->procedure, 0);
    if (entry->procedure == batch_list_dlg_proc) g_batch = BatchDialogState{};
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
