// The open and save dialogs: the name field over the list of the folder's
// files that match the chosen type, the list of its folders (".." goes
// up, a double click goes in), the types of the program's filter, the
// folders above this one, and a program's own part run by its hook.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "platform/automation/host.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/commdlg.h"
#include "platform/user/common_dialog_window.h"

using automation::CommonDialogAnswer;
using automation::CommonDialogKind;
using namespace platform_user;

namespace {

// The frame's size in dialog units; a program's part goes below it.
constexpr int kFrameWidth = 284;
constexpr int kFrameHeight = 142;
// Room for one name of a list.
constexpr int kNameRoom = 1024;

size_t last_separator(const std::string& path) {
    size_t at = std::string::npos;
    for (size_t i = 0; i < path.size(); i = next_char(path, i)) {
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':') at = i;
    }
    return at;
}

bool has_wildcard(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

struct Filter {
    std::string label;
    std::string pattern;
};

std::vector<Filter> parse_filters(LPCSTR filter) {
    std::vector<Filter> out;
    for (LPCSTR f = filter; f && *f;) {
        Filter entry{f, ""};
        f += std::strlen(f) + 1;
        if (*f) {
            entry.pattern = f;
            f += std::strlen(f) + 1;
        }
        out.push_back(entry);
    }
    return out;
}

std::string file_dialog_title(const OPENFILENAMEA& ofn) {
    if (ofn.lpstrTitle && *ofn.lpstrTitle) return ofn.lpstrTitle;
    // The label of the filter in force names the dialog best.
    std::vector<Filter> filters = parse_filters(ofn.lpstrFilter);
    if (filters.empty()) return "";
    DWORD index = ofn.nFilterIndex ? ofn.nFilterIndex : 1;
    return index <= filters.size() ? filters[index - 1].label : filters[0].label;
}

// One name against one pattern, as the Windows file system matched them:
// letters in either case, "?" one character (double-byte ones whole).
bool glob(const std::string& p, size_t pi, const std::string& s, size_t si) {
    while (pi < p.size()) {
        if (p[pi] == '*') {
            for (size_t at = si;; at = next_char(s, at)) {
                if (glob(p, pi + 1, s, at)) return true;
                if (at >= s.size()) return false;
            }
        }
        if (si >= s.size()) return false;
        size_t pn = next_char(p, pi), sn = next_char(s, si);
        if (p[pi] != '?') {
            if (pn - pi != sn - si) return false;
            for (size_t k = 0; k < pn - pi; ++k) {
                char a = p[pi + k], b = s[si + k];
                if (pn - pi == 1) {
                    a = static_cast<char>(std::tolower(static_cast<unsigned char>(a)));
                    b = static_cast<char>(std::tolower(static_cast<unsigned char>(b)));
                }
                if (a != b) return false;
            }
        }
        pi = pn;
        si = sn;
    }
    return si >= s.size();
}

bool matches(const std::string& name, const std::string& patterns) {
    size_t at = 0;
    while (at <= patterns.size()) {
        size_t end = patterns.find(';', at);
        if (end == std::string::npos) end = patterns.size();
        std::string one = trimmed(patterns.substr(at, end - at));
        // "*.*" is every name, with an extension or not.
        if (one == "*.*" || one == "*" || (!one.empty() && glob(one, 0, name, 0))) return true;
        at = end + 1;
    }
    return false;
}

// Names in the text of the name field: one name, or names in double quotes.
std::vector<std::string> names_in_field(const std::string& text) {
    std::vector<std::string> names;
    if (text.find('"') == std::string::npos) {
        if (!trimmed(text).empty()) names.push_back(trimmed(text));
        return names;
    }
    size_t at = 0;
    while ((at = text.find('"', at)) != std::string::npos) {
        size_t end = text.find('"', at + 1);
        if (end == std::string::npos) break;
        if (end > at + 1) names.push_back(text.substr(at + 1, end - at - 1));
        at = end + 1;
    }
    return names;
}

// Fills the program's buffers with the chosen names: one full name, or for a
// multiple selection the directory and each name after it, zero-separated.
bool write_file_result(OPENFILENAMEA* ofn, std::vector<std::string> names, bool save, std::string* shown) {
    if (save && ofn->lpstrDefExt && *ofn->lpstrDefExt) {
        for (std::string& n : names) {
            size_t sep = last_separator(n);
            std::string base = sep == std::string::npos ? n : n.substr(sep + 1);
            if (base.find('.') == std::string::npos) n += std::string(".") + ofn->lpstrDefExt;
        }
    }
    std::string buffer;
    bool multiple = names.size() > 1 && (ofn->Flags & OFN_ALLOWMULTISELECT);
    if (multiple) {
        std::string directory;
        size_t sep = last_separator(names[0]);
        if (sep != std::string::npos) {
            directory = names[0].substr(0, sep);
        } else if (ofn->lpstrInitialDir && *ofn->lpstrInitialDir) {
            directory = ofn->lpstrInitialDir;
        } else {
            directory = get_current_directory();
        }
        buffer = directory;
        buffer.push_back('\0');
        for (const std::string& n : names) {
            size_t s = last_separator(n);
            buffer += s == std::string::npos ? n : n.substr(s + 1);
            buffer.push_back('\0');
        }
        *shown = directory;
        for (const std::string& n : names) *shown += " " + n;
    } else {
        buffer = names[0];
        *shown = names[0];
    }
    if (buffer.size() + 1 > ofn->nMaxFile) {
        set_common_dialog_error(FNERR_BUFFERTOOSMALL);
        if (ofn->nMaxFile >= 2) {
            WORD need = static_cast<WORD>(std::min<size_t>(buffer.size() + 1, 0xFFFF));
            std::memcpy(ofn->lpstrFile, &need, sizeof need);
        }
        return false;
    }
    std::memcpy(ofn->lpstrFile, buffer.data(), buffer.size());
    ofn->lpstrFile[buffer.size()] = '\0';
    std::string first = multiple ? buffer.substr(0, buffer.find('\0')) : buffer;
    size_t sep = last_separator(first);
    size_t name_at = multiple ? first.size() + 1 : (sep == std::string::npos ? 0 : sep + 1);
    ofn->nFileOffset = static_cast<WORD>(name_at);
    std::string base = multiple ? std::string() : first.substr(name_at);
    size_t dot = base.rfind('.');
    ofn->nFileExtension = static_cast<WORD>(dot == std::string::npos ? 0 : name_at + dot + 1);
    if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0) {
        std::string title = multiple ? std::string() : base;
        size_t n = std::min(title.size(), static_cast<size_t>(ofn->nMaxFileTitle - 1));
        std::memcpy(ofn->lpstrFileTitle, title.data(), n);
        ofn->lpstrFileTitle[n] = '\0';
    }
    return true;
}

// --- The dialog's choice and window ----------------------------------------------------

struct FileDialogRecord : CommonDialogState {
    OPENFILENAMEA* ofn = nullptr;
    bool save = false;
    std::string caption;
    std::vector<Filter> filters;
    int filter_index = 0;  // from 1; 0 without a filter
    std::string folder;    // the folder shown
    std::string pattern;   // the files its list shows
    std::string field;     // the name field's text
    std::string given;     // the program's name, and the field it first filled
    std::string first_field;
    std::vector<std::string> chosen;
    std::vector<std::string> drives;  // the folders of the drive list: the root and the home folder
    HWND hook = nullptr;
};

void start_choice(FileDialogRecord& r) {
    OPENFILENAMEA& ofn = *r.ofn;
    r.filters = parse_filters(ofn.lpstrFilter);
    r.filter_index = r.filters.empty() ? 0 : static_cast<int>(std::clamp<DWORD>(ofn.nFilterIndex, 1, r.filters.size()));
    // no current directory: the root (built, not assigned from a literal, as
    // GCC 12 takes such an assignment for an overlapping copy)
    const std::string here = get_current_directory();
    r.folder = normal_path(here.empty() ? std::string(1, '/') : here, "/");
    if (ofn.lpstrInitialDir && *ofn.lpstrInitialDir) {
        std::string initial = normal_path(ofn.lpstrInitialDir, r.folder);
        if (is_folder(initial)) r.folder = initial;
    }
    r.given = ofn.lpstrFile ? std::string(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile)) : "";
    r.field = r.given;
    // A name given with its folder opens in that folder.
    size_t sep = last_separator(r.field);
    if (sep != std::string::npos && r.field.find('"') == std::string::npos) {
        std::string folder = normal_path(r.field.substr(0, sep + 1), r.folder);
        if (is_folder(folder)) {
            r.folder = folder;
            r.field = r.field.substr(sep + 1);
        }
    }
    r.first_field = r.field;
    if (has_wildcard(r.field)) r.pattern = r.field;
    else r.pattern = r.filter_index > 0 && !r.filters[r.filter_index - 1].pattern.empty()
                         ? r.filters[r.filter_index - 1].pattern
                         : "*.*";
}

bool take_answer(FileDialogRecord& r, const CommonDialogAnswer& answer) {
    std::vector<std::string> names = answer.names;
    if (names.empty()) {
        // OK on what the dialog shows: the program's name as it gave it, or
        // the name typed since, taken from the folder shown; not a pattern.
        const bool typed = r.field != r.first_field;
        names = names_in_field(typed ? r.field : r.given);
        if (names.empty() || (names.size() == 1 && has_wildcard(names[0]))) return false;
        if (typed) {
            for (std::string& n : names) n = normal_path(n, r.folder);
        }
    }
    if (answer.filter_index > 0) r.filter_index = answer.filter_index;
    r.chosen = names;
    return true;
}

void refresh(HWND dialog, FileDialogRecord& r) {
    std::vector<std::string> folders, files;
    list_folder(r.folder, &folders, &files);
    HWND file_list = GetDlgItem(dialog, lst1);
    SendMessageA(file_list, LB_RESETCONTENT, 0, 0);
    for (const std::string& f : files) {
        if (matches(f, r.pattern)) SendMessageA(file_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
    }
    HWND folder_list = GetDlgItem(dialog, lst2);
    SendMessageA(folder_list, LB_RESETCONTENT, 0, 0);
    if (r.folder != "/") SendMessageA(folder_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(".."));
    for (const std::string& f : folders) {
        SendMessageA(folder_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
    }
    set_path_text(GetDlgItem(dialog, stc1), r.folder);
    // The drives: the root and the home folder, the one the folder is on picked.
    const std::string home = home_folder();
    r.drives = {"/"};
    if (home != "/") r.drives.push_back(home);
    HWND drives = GetDlgItem(dialog, cmb2);
    SendMessageA(drives, CB_RESETCONTENT, 0, 0);
    for (const std::string& d : r.drives) SendMessageA(drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(d.c_str()));
    const bool in_home = home != "/" && (r.folder == home || r.folder.rfind(home + "/", 0) == 0);
    SendMessageA(drives, CB_SETCURSEL, in_home ? 1 : 0, 0);
}

void set_field(HWND dialog, FileDialogRecord& r, const std::string& text) {
    r.field = text;
    SetDlgItemTextA(dialog, edt1, text.c_str());
}

// The pattern back in the name field, all of it selected, so that the name
// typed next replaces it.
void show_pattern(HWND dialog, FileDialogRecord& r) {
    set_field(dialog, r, r.pattern);
    HWND field = GetDlgItem(dialog, edt1);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
}

int warn(HWND dialog, const FileDialogRecord& r, const std::string& format, const std::string& name, UINT type) {
    std::vector<char> text(format.size() + name.size() + 1);
    std::snprintf(text.data(), text.size(), format.c_str(), name.c_str());
    return MessageBoxA(dialog, text.data(), r.caption.c_str(), type);
}

void open_folder(HWND dialog, FileDialogRecord& r, const std::string& folder) {
    if (!is_folder(folder)) {
        warn(dialog, r, "%s\nパスが見つかりません。\nパス名が正しいかどうか確認してください。"_sjis, folder,
                MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    r.folder = folder;
    refresh(dialog, r);
    // the names picked in the folder left are not this one's
    set_field(dialog, r, r.pattern);
}

// OK, Enter or a double click on a file: a folder or a pattern is shown, a
// name is checked as the program's flags ask and chosen.
void accept(HWND dialog, FileDialogRecord& r, bool from_file_list) {
    HWND folder_list = GetDlgItem(dialog, lst2);
    if (!from_file_list && GetFocus() == folder_list) {
        char name[kNameRoom] = {};
        LRESULT at = SendMessageA(folder_list, LB_GETCURSEL, 0, 0);
        if (at >= 0 && SendMessageA(folder_list, LB_GETTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(name)) > 0) {
            open_folder(dialog, r, normal_path(name, r.folder));
        }
        return;
    }
    std::vector<std::string> names = names_in_field(r.field);
    if (names.empty()) {
        MessageBeep(0);
        return;
    }
    const DWORD flags = r.ofn->Flags;
    if (names.size() == 1) {
        const std::string& name = names[0];
        if (has_wildcard(name)) {
            size_t sep = last_separator(name);
            if (sep != std::string::npos) {
                std::string folder = normal_path(name.substr(0, sep + 1), r.folder);
                if (!is_folder(folder)) return open_folder(dialog, r, folder);
                r.folder = folder;
            }
            r.pattern = name.substr(sep == std::string::npos ? 0 : sep + 1);
            refresh(dialog, r);
            show_pattern(dialog, r);
            return;
        }
        std::string path = normal_path(name, r.folder);
        if (is_folder(path)) {
            r.folder = path;
            refresh(dialog, r);
            show_pattern(dialog, r);
            return;
        }
    }
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        std::string path = normal_path(name, r.folder);
        if (!is_folder(parent_folder(path))) {
            warn(dialog, r, "%s\nパスが見つかりません。\nパス名が正しいかどうか確認してください。"_sjis, name,
                    MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        if (r.save && r.ofn->lpstrDefExt && *r.ofn->lpstrDefExt && last_component(path).find('.') == std::string::npos) {
            path += std::string(".") + r.ofn->lpstrDefExt;
        }
        const bool exists = crt_exists(path.c_str());
        if ((flags & OFN_FILEMUSTEXIST) && !exists) {
            warn(dialog, r, "%s\nファイルが見つかりません。\nファイル名が正しいかどうか確認してください。"_sjis, name,
                    MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        if (r.save && (flags & OFN_OVERWRITEPROMPT) && exists &&
            warn(dialog, r, "%s は既に存在します。\n上書きしますか?"_sjis, last_component(path),
                    MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
            return;
        }
        paths.push_back(path);
    }
    r.chosen = paths;
    end_common_dialog(dialog, true);
}

// The names picked in the file list go into the name field.
void files_picked(HWND dialog, FileDialogRecord& r) {
    HWND list = GetDlgItem(dialog, lst1);
    std::vector<int> picked;
    if (r.ofn->Flags & OFN_ALLOWMULTISELECT) {
        int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        picked.resize(static_cast<size_t>(std::max(count, 0)));
        int n = count > 0 ? static_cast<int>(SendMessageA(list, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                                          reinterpret_cast<LPARAM>(picked.data())))
                          : 0;
        picked.resize(static_cast<size_t>(std::max(n, 0)));
    } else {
        LRESULT at = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (at >= 0) picked.push_back(static_cast<int>(at));
    }
    std::vector<std::string> names;
    for (int i : picked) {
        char name[kNameRoom] = {};
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
        names.push_back(name);
    }
    if (names.empty()) return;
    std::string text = names.size() == 1 ? names[0] : std::string();
    if (names.size() > 1) {
        for (const std::string& n : names) text += (text.empty() ? "\"" : " \"") + n + "\"";
    }
    set_field(dialog, r, text);
}

INT_PTR hook_thunk(HWND part, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* r = dialog_record<FileDialogRecord>(GetParent(part));
    if (!r || !r->ofn->lpfnHook) return FALSE;
    return static_cast<INT_PTR>(r->ofn->lpfnHook(part, message, wparam, lparam));
}

// Copies a text for CDM_GET... and gives its length with the closing zero.
INT_PTR give_text(HWND dialog, const std::string& value, WPARAM room, LPARAM buffer) {
    int size = static_cast<int>(room);
    if (buffer && size > 0) {
        size_t n = std::min(value.size(), static_cast<size_t>(size - 1));
        std::memcpy(reinterpret_cast<char*>(buffer), value.data(), n);
        reinterpret_cast<char*>(buffer)[n] = '\0';
    }
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, static_cast<LONG_PTR>(value.size() + 1));
    return TRUE;
}

INT_PTR file_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        keep_dialog_record(dialog, lparam);
        auto* r = dialog_record<FileDialogRecord>(dialog);
        HWND types = GetDlgItem(dialog, cmb1);
        for (const Filter& f : r->filters) SendMessageA(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.label.c_str()));
        SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(r->filter_index - 1), 0);
        SetDlgItemTextA(dialog, edt1, r->field.c_str());
        refresh(dialog, *r);
        return TRUE;
    }
    auto* r = dialog_record<FileDialogRecord>(dialog);
    if (!r) return FALSE;
    switch (message) {
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        if (item.CtlID != lst2) return FALSE;
        char name[kNameRoom] = {};
        SendMessageA(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(name));
        draw_folder_item(item, 0, std::strcmp(name, "..") == 0, name);
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        const int code = HIWORD(wparam);
        if (id == edt1 && code == EN_CHANGE) {
            char text[4096] = {};
            GetDlgItemTextA(dialog, edt1, text, sizeof text);
            r->field = text;
        } else if (id == lst1 && code == LBN_SELCHANGE) {
            files_picked(dialog, *r);
        } else if (id == lst1 && code == LBN_DBLCLK) {
            files_picked(dialog, *r);
            accept(dialog, *r, true);
        } else if (id == lst2 && code == LBN_DBLCLK) {
            SetFocus(GetDlgItem(dialog, lst2));
            accept(dialog, *r, false);
        } else if (id == cmb1 && code == CBN_SELCHANGE) {
            int at = static_cast<int>(SendMessageA(GetDlgItem(dialog, cmb1), CB_GETCURSEL, 0, 0));
            if (at >= 0 && at < static_cast<int>(r->filters.size())) {
                r->filter_index = at + 1;
                r->pattern = r->filters[static_cast<size_t>(at)].pattern.empty() ? "*.*"
                                                                                  : r->filters[static_cast<size_t>(at)].pattern;
                if (trimmed(r->field).empty() || has_wildcard(r->field)) set_field(dialog, *r, r->pattern);
                refresh(dialog, *r);
            }
        } else if (id == cmb2 && code == CBN_SELCHANGE) {
            int at = static_cast<int>(SendMessageA(GetDlgItem(dialog, cmb2), CB_GETCURSEL, 0, 0));
            if (at >= 0 && at < static_cast<int>(r->drives.size())) open_folder(dialog, *r, r->drives[static_cast<size_t>(at)]);
        } else if (id == IDOK) {
            accept(dialog, *r, false);
        } else if (id == IDCANCEL) {
            end_common_dialog(dialog, false);
        } else if (r->hook && GetDlgItem(r->hook, id)) {
            // The program's part has the default button: Enter presses it.
            SendMessageA(r->hook, WM_COMMAND, wparam, lparam);
        } else {
            return FALSE;
        }
        return TRUE;
    }
    case CDM_GETSPEC:
        return give_text(dialog, r->field, wparam, lparam);
    case CDM_GETFILEPATH: {
        std::vector<std::string> names = names_in_field(r->field);
        return give_text(dialog, names.size() == 1 ? normal_path(names[0], r->folder) : r->folder, wparam, lparam);
    }
    case CDM_GETFOLDERPATH:
        return give_text(dialog, r->folder, wparam, lparam);
    case CDM_SETCONTROLTEXT:
        SetDlgItemTextA(dialog, static_cast<int>(wparam), reinterpret_cast<LPCSTR>(lparam));
        return TRUE;
    case CDM_HIDECONTROL:
        if (HWND c = GetDlgItem(dialog, static_cast<int>(wparam))) ShowWindow(c, SW_HIDE);
        return TRUE;
    default:
        return FALSE;
    }
}

const DialogItemTemplate no_items[1] = {};

HWND make_file_dialog(FileDialogRecord& r, HWND owner) {
    OPENFILENAMEA& ofn = *r.ofn;
    DialogBuilder b(r.caption, kFrameWidth, kFrameHeight);
    const DWORD list = WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    b.add("STATIC", "ファイル名(&N):"_sjis, stc3, 7, 6, 110, 9, SS_LEFT);
    b.add("EDIT", ""_sjis, edt1, 7, 16, 110, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
    b.add("LISTBOX", ""_sjis, lst1, 7, 31, 110, 76,
          list | ((ofn.Flags & OFN_ALLOWMULTISELECT) ? LBS_EXTENDEDSEL : 0));
    b.add("STATIC", "フォルダ(&D):"_sjis, -1, 124, 6, 94, 9, SS_LEFT);
    b.add("STATIC", ""_sjis, stc1, 124, 18, 94, 9, SS_LEFT | SS_NOPREFIX);
    b.add("LISTBOX", ""_sjis, lst2, 124, 31, 94, 76, list | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS);
    b.add("STATIC", "ファイルの種類(&T):"_sjis, stc2, 7, 112, 110, 9, SS_LEFT);
    b.add("COMBOBOX", ""_sjis, cmb1, 7, 122, 110, 80, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
    b.add("STATIC", "ドライブ(&V):"_sjis, stc4, 124, 112, 94, 9, SS_LEFT);
    b.add("COMBOBOX", ""_sjis, cmb2, 124, 122, 94, 80, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
    b.add("BUTTON", r.save ? std::string("保存(&S)"_sjis) : std::string("開く(&O)"_sjis), IDOK, 226, 6, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP);
    b.add("BUTTON", "キャンセル"_sjis, IDCANCEL, 226, 23, 50, 14, BS_PUSHBUTTON | WS_TABSTOP);
    DialogTemplate frame = b.make();
    HWND dialog = CreateDialogIndirectParamA(ofn.hInstance, &frame, owner, file_dialog_proc, reinterpret_cast<LPARAM>(&r));
    if (!dialog || !(ofn.Flags & OFN_ENABLEHOOK)) return dialog;
    // The program's part below the dialog's own, run by its hook.
    const DialogTemplate* program_part = nullptr;
    if (ofn.Flags & OFN_ENABLETEMPLATE) program_part = find_dialog_resource(ofn.lpTemplateName);
    DialogTemplate empty{"", WS_CHILD | DS_CONTROL, 0, 0, 0, 0, 0, "", 0, nullptr, nullptr, nullptr,
                         std::span<const DialogItemTemplate>(no_items, 0)};
    DialogTemplate part = program_part ? *program_part : empty;
    part.style = (part.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU)) | WS_CHILD | DS_CONTROL | WS_VISIBLE;
    part.x = 0;
    part.y = kFrameHeight;
    r.hook = CreateDialogIndirectParamA(ofn.hInstance, &part, dialog, hook_thunk, reinterpret_cast<LPARAM>(&ofn));
    if (!r.hook) return dialog;
    RECT pr, dr;
    GetWindowRect(r.hook, &pr);
    GetWindowRect(dialog, &dr);
    SetWindowPos(dialog, nullptr, dr.left, dr.top - (pr.bottom - pr.top) / 2,
                 std::max(dr.right - dr.left, pr.right - pr.left + 8), (dr.bottom - dr.top) + (pr.bottom - pr.top),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (const DialogItemTemplate& item : part.items) {
        if ((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && std::strcmp(item.class_name, "BUTTON") == 0) {
            SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(item.id), 0);
            break;
        }
    }
    SetFocus(GetDlgItem(dialog, edt1));
    return dialog;
}

BOOL file_dialog(OPENFILENAMEA* ofn, bool save) {
    set_common_dialog_error(0);
    if (!ofn || !ofn->lpstrFile || ofn->nMaxFile == 0) {
        set_common_dialog_error(CDERR_INITIALIZATION);
        return FALSE;
    }
    CommonDialogKind kind = save ? CommonDialogKind::save_file : CommonDialogKind::open_file;
    const std::string title = file_dialog_title(*ofn);
    FileDialogRecord r;
    r.ofn = ofn;
    r.save = save;
    r.caption = ofn->lpstrTitle && *ofn->lpstrTitle ? ofn->lpstrTitle : std::string(save ? "名前を付けて保存"_sjis : "ファイルを開く"_sjis);
    start_choice(r);
    DialogOutcome outcome = run_common_dialog(
        kind, title, ofn->hwndOwner, r, [&](HWND owner) { return make_file_dialog(r, owner); },
        [&](const CommonDialogAnswer& answer) { return take_answer(r, answer); });
    if (outcome != DialogOutcome::ok) return FALSE;
    std::string shown;
    if (!write_file_result(ofn, r.chosen, save, &shown)) {
        platform_automation::common_dialog_result(kind, title, false, "");
        return FALSE;
    }
    if (r.filter_index > 0) ofn->nFilterIndex = static_cast<DWORD>(r.filter_index);
    // The next dialog, and every relative name, starts where this choice was.
    if (!(ofn->Flags & OFN_NOCHANGEDIR)) {
        const std::string folder = parent_folder(normal_path(r.chosen[0], r.folder));
        if (is_folder(folder)) SetCurrentDirectoryA(folder.c_str());
    }
    platform_automation::common_dialog_result(kind, title, true, shown);
    return TRUE;
}

}  // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn) {
    return file_dialog(ofn, false);
}

BOOL GetSaveFileNameA(OPENFILENAMEA* ofn) {
    return file_dialog(ofn, true);
}

short GetFileTitleA(LPCSTR file, LPSTR title, WORD size) {
    if (!file) return -1;
    std::string path = file;
    size_t sep = last_separator(path);
    std::string name = sep == std::string::npos ? path : path.substr(sep + 1);
    if (name.empty()) return -1;
    if (!title || size < name.size() + 1) return static_cast<short>(name.size() + 1);
    std::memcpy(title, name.c_str(), name.size() + 1);
    return 0;
}
