// The common dialogs and the shell calls, answered through the automation
// interface: nothing waits for a person and no process is started.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "platform/automation/host.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/global_memory.h"
#include "platform/kernel/profile.h"
#include "platform/user/commdlg.h"
#include "platform/user/controls_internal.h"
#include "platform/user/live_display.h"
#include "platform/user/shellapi.h"

using automation::CommonDialogAnswer;
using automation::CommonDialogKind;
using namespace platform_user;

namespace {

DWORD last_error = 0;

// --- File names ------------------------------------------------------------------------

size_t last_separator(const std::string& path) {
    size_t at = std::string::npos;
    for (size_t i = 0; i < path.size(); i = next_char(path, i)) {
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':') at = i;
    }
    return at;
}

std::string first_filter_label(LPCSTR filter) {
    return filter && *filter ? std::string(filter) : std::string();
}

std::string file_dialog_title(const OPENFILENAMEA& ofn) {
    if (ofn.lpstrTitle && *ofn.lpstrTitle) return ofn.lpstrTitle;
    // The label of the filter in force names the dialog best.
    LPCSTR f = ofn.lpstrFilter;
    DWORD index = ofn.nFilterIndex ? ofn.nFilterIndex : 1;
    for (DWORD i = 1; f && *f; ++i) {
        if (i == index) return f;
        f += std::strlen(f) + 1;
        if (!*f) break;
        f += std::strlen(f) + 1;
    }
    return first_filter_label(ofn.lpstrFilter);
}

bool has_wildcard(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
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
        last_error = FNERR_BUFFERTOOSMALL;
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

// Names in the text of the name field: one name, or names in double quotes.
std::vector<std::string> names_in_field(const std::string& text) {
    std::vector<std::string> names;
    if (text.find('"') == std::string::npos) {
        if (!text.empty()) names.push_back(text);
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

// --- A file dialog as a window, for a program's hook ------------------------------------

struct FileDialogRun {
    OPENFILENAMEA* ofn = nullptr;
    bool save = false;
    std::vector<std::string> chosen;
    HWND hook_dialog = nullptr;
};

FileDialogRun* current_run = nullptr;

INT_PTR hook_thunk(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!current_run || !current_run->ofn->lpfnHook) return FALSE;
    return static_cast<INT_PTR>(current_run->ofn->lpfnHook(dialog, message, wparam, lparam));
}

INT_PTR file_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    FileDialogRun* run = current_run;
    if (!run) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) {
            char text[4096] = {};
            GetDlgItemTextA(dialog, edt1, text, sizeof text);
            std::vector<std::string> names = names_in_field(text);
            if (names.empty() || (names.size() == 1 && has_wildcard(names[0]))) return TRUE;
            run->chosen = names;
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wparam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    case CDM_GETSPEC:
    case CDM_GETFILEPATH:
    case CDM_GETFOLDERPATH: {
        char text[4096] = {};
        GetDlgItemTextA(dialog, edt1, text, sizeof text);
        std::string value = text;
        if (message == CDM_GETFOLDERPATH) value = get_current_directory();
        int room = static_cast<int>(wparam);
        if (lparam && room > 0) {
            size_t n = std::min(value.size(), static_cast<size_t>(room - 1));
            std::memcpy(reinterpret_cast<char*>(lparam), value.data(), n);
            reinterpret_cast<char*>(lparam)[n] = '\0';
        }
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, static_cast<LONG_PTR>(value.size() + 1));
        return TRUE;
    }
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

// "ファイル名(&N):", "開く(&O)", "保存(&S)", "キャンセル"
const DialogItemTemplate open_items[] = {
    {"STATIC", "\x83\x74\x83\x40\x83\x43\x83\x8b\x96\xbc(&N):", -1, 7, 9, 50, 10, SS_LEFT},
    {"EDIT", "", edt1, 60, 7, 160, 13, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {"BUTTON", "\x8aJ\x82\xad(&O)", IDOK, 226, 6, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "\x83\x4c\x83\x83\x83\x93\x83\x5a\x83\x8b", IDCANCEL, 226, 24, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};
const DialogItemTemplate save_items[] = {
    {"STATIC", "\x83\x74\x83\x40\x83\x43\x83\x8b\x96\xbc(&N):", -1, 7, 9, 50, 10, SS_LEFT},
    {"EDIT", "", edt1, 60, 7, 160, 13, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {"BUTTON", "\x95\xdb\x91\xb6(&S)", IDOK, 226, 6, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "\x83\x4c\x83\x83\x83\x93\x83\x5a\x83\x8b", IDCANCEL, 226, 24, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};
const DialogItemTemplate no_items[1] = {};

BOOL run_file_dialog_window(OPENFILENAMEA* ofn, bool save, const std::string& title) {
    FileDialogRun run;
    run.ofn = ofn;
    run.save = save;
    FileDialogRun* outer = current_run;
    current_run = &run;
    // "ファイルを開く", "名前を付けて保存"
    std::string caption = ofn->lpstrTitle && *ofn->lpstrTitle
                              ? ofn->lpstrTitle
                              : (save ? "\x96\xbc\x91\x4f\x82\xf0\x95\x74\x82\xaf\x82\xc4\x95\xdb\x91\xb6"
                                      : "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x8aJ\x82\xad");
    const DialogTemplate frame{"", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 20, 20, 284, 46,
                               caption.c_str(), 9, nullptr, nullptr, nullptr,
                               save ? std::span<const DialogItemTemplate>(save_items)
                                    : std::span<const DialogItemTemplate>(open_items)};
    HWND owner = ofn->hwndOwner && IsWindow(ofn->hwndOwner) ? top_level_of(ofn->hwndOwner) : nullptr;
    // The dialog is made here rather than by DialogBox so that the program's
    // part can be added before its loop starts.
    HWND dialog = CreateDialogIndirectParamA(ofn->hInstance, &frame, owner, file_dialog_proc, 0);
    if (!dialog) {
        current_run = outer;
        last_error = CDERR_DIALOGFAILURE;
        return FALSE;
    }
    std::string initial = ofn->lpstrFile ? ofn->lpstrFile : "";
    SetDlgItemTextA(dialog, edt1, initial.c_str());
    const DialogTemplate* program_part = nullptr;
    if (ofn->Flags & OFN_ENABLETEMPLATE) program_part = find_dialog_resource(ofn->lpTemplateName);
    DialogTemplate empty{"", WS_CHILD | DS_CONTROL, 0, 0, 0, 0, 0, "", 0, nullptr, nullptr, nullptr,
                         std::span<const DialogItemTemplate>(no_items, 0)};
    DialogTemplate part = program_part ? *program_part : empty;
    part.style = (part.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU)) | WS_CHILD | DS_CONTROL | WS_VISIBLE;
    part.x = 0;
    part.y = 46;
    HWND hook = CreateDialogIndirectParamA(ofn->hInstance, &part, dialog, hook_thunk, reinterpret_cast<LPARAM>(ofn));
    run.hook_dialog = hook;
    if (hook) {
        // The frame grows by the program's part.
        RECT pr, dr;
        GetWindowRect(hook, &pr);
        GetWindowRect(dialog, &dr);
        int height = (dr.bottom - dr.top) + (pr.bottom - pr.top);
        int width = std::max(dr.right - dr.left, pr.right - pr.left + 8);
        SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    platform_automation::file_dialog_window(dialog);
    // The modal loop of the dialog manager, on a dialog made beforehand.
    INT_PTR result = -1;
    {
        bool owner_enabled = owner && IsWindowEnabled(owner);
        if (owner_enabled) EnableWindow(owner, FALSE);
        platform_automation::modal_dialog_begins(dialog, caption);
        ShowWindow(dialog, SW_SHOWNORMAL);
        HWND focus = GetDlgItem(dialog, edt1);
        if (focus) dialog_set_focus(dialog, focus);
        while (IsWindow(dialog) && IsWindowVisible(dialog)) {
            if (platform_automation::run_aborted()) break;
            MSG m;
            if (!take_message(&m, nullptr, 0, 0, true)) {
                if (platform_automation::on_idle() == platform_automation::IdleOutcome::finished) break;
                continue;
            }
            if (m.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(m.wParam));
                break;
            }
            if (!IsDialogMessageA(dialog, &m)) {
                TranslateMessage(&m);
                DispatchMessageA(&m);
            }
        }
        if (!run.chosen.empty()) result = IDOK;
        else if (IsWindow(dialog) && !IsWindowVisible(dialog)) result = IDCANCEL;
        if (owner_enabled && IsWindow(owner)) EnableWindow(owner, TRUE);
        platform_automation::modal_dialog_ends(dialog, result);
    }
    platform_automation::file_dialog_window(nullptr);
    if (IsWindow(dialog)) DestroyWindow(dialog);
    current_run = outer;
    if (result != IDOK) {
        last_error = 0;
        platform_automation::common_dialog_result(save ? CommonDialogKind::save_file : CommonDialogKind::open_file, title,
                                                  false, "");
        return FALSE;
    }
    std::string shown;
    if (!write_file_result(ofn, run.chosen, save, &shown)) return FALSE;
    platform_automation::common_dialog_result(save ? CommonDialogKind::save_file : CommonDialogKind::open_file, title,
                                              true, shown);
    return TRUE;
}

BOOL file_dialog(OPENFILENAMEA* ofn, bool save) {
    last_error = 0;
    if (!ofn || !ofn->lpstrFile || ofn->nMaxFile == 0) {
        last_error = CDERR_INITIALIZATION;
        return FALSE;
    }
    CommonDialogKind kind = save ? CommonDialogKind::save_file : CommonDialogKind::open_file;
    std::string title = file_dialog_title(*ofn);
    // A person types the name into a window; a script answers it as a question.
    if ((ofn->Flags & OFN_ENABLEHOOK) || person_at_display()) return run_file_dialog_window(ofn, save, title);
    CommonDialogAnswer answer;
    if (!platform_automation::answer_common_dialog(kind, title, &answer) || !answer.ok) {
        platform_automation::common_dialog_result(kind, title, false, "");
        return FALSE;
    }
    std::vector<std::string> names = answer.names;
    if (names.empty()) {
        // OK on what the dialog shows: the initial name, unless it is a pattern.
        std::string initial = ofn->lpstrFile;
        if (initial.empty() || has_wildcard(initial)) {
            platform_automation::common_dialog_result(kind, title, false, "");
            return FALSE;
        }
        names.push_back(initial);
    }
    if (answer.filter_index > 0) ofn->nFilterIndex = static_cast<DWORD>(answer.filter_index);
    else if (ofn->nFilterIndex == 0 && ofn->lpstrFilter) ofn->nFilterIndex = 1;
    std::string shown;
    if (!write_file_result(ofn, names, save, &shown)) {
        platform_automation::common_dialog_result(kind, title, false, "");
        return FALSE;
    }
    platform_automation::common_dialog_result(kind, title, true, shown);
    return TRUE;
}

// --- Printer ------------------------------------------------------------------------------

struct DefaultPrinter {
    std::string device;
    std::string driver;
    std::string port;
};

bool default_printer(DefaultPrinter* p) {
    char entry[256] = {};
    GetProfileStringA("windows", "device", "", entry, sizeof entry);
    std::string text = entry;
    if (text.empty()) return false;
    size_t a = text.find(','), b = a == std::string::npos ? a : text.find(',', a + 1);
    p->device = text.substr(0, a);
    p->driver = a == std::string::npos ? "" : text.substr(a + 1, b == std::string::npos ? b : b - a - 1);
    p->port = b == std::string::npos ? "" : text.substr(b + 1);
    return !p->device.empty();
}

HGLOBAL make_devnames(const DefaultPrinter& p) {
    std::string strings;
    WORD base = sizeof(DEVNAMES);
    DEVNAMES names{};
    names.wDriverOffset = base;
    strings += p.driver + '\0';
    names.wDeviceOffset = static_cast<WORD>(base + strings.size());
    strings += p.device + '\0';
    names.wOutputOffset = static_cast<WORD>(base + strings.size());
    strings += p.port + '\0';
    names.wDefault = 1;
    HGLOBAL block = GlobalAlloc(GHND, sizeof names + strings.size());
    if (!block) return nullptr;
    auto* bytes = static_cast<char*>(GlobalLock(block));
    std::memcpy(bytes, &names, sizeof names);
    std::memcpy(bytes + sizeof names, strings.data(), strings.size());
    GlobalUnlock(block);
    return block;
}

HGLOBAL make_devmode(const DefaultPrinter& p) {
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DEVMODEA));
    if (!block) return nullptr;
    auto* mode = static_cast<DEVMODEA*>(GlobalLock(block));
    std::strncpy(reinterpret_cast<char*>(mode->dmDeviceName), p.device.c_str(), CCHDEVICENAME - 1);
    mode->dmSize = sizeof(DEVMODEA);
    mode->dmSpecVersion = 0x0400;
    mode->dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
    mode->dmOrientation = DMORIENT_PORTRAIT;
    mode->dmPaperSize = DMPAPER_A4;
    mode->dmCopies = 1;
    GlobalUnlock(block);
    return block;
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

BOOL ChooseColorA(CHOOSECOLORA* cc) {
    last_error = 0;
    if (!cc) {
        last_error = CDERR_INITIALIZATION;
        return FALSE;
    }
    std::string title = "";
    CommonDialogAnswer answer;
    if (!platform_automation::answer_common_dialog(CommonDialogKind::colour, title, &answer) || !answer.ok) {
        platform_automation::common_dialog_result(CommonDialogKind::colour, title, false, "");
        return FALSE;
    }
    // OK without a colour keeps the one the dialog started with.
    COLORREF chosen = answer.has_colour ? answer.colour : ((cc->Flags & CC_RGBINIT) ? cc->rgbResult : 0);
    cc->rgbResult = chosen;
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(chosen), GetGValue(chosen), GetBValue(chosen));
    platform_automation::common_dialog_result(CommonDialogKind::colour, title, true, text);
    return TRUE;
}

BOOL ChooseFontA(CHOOSEFONTA* cf) {
    last_error = 0;
    if (!cf || !cf->lpLogFont) {
        last_error = CDERR_INITIALIZATION;
        return FALSE;
    }
    std::string title = "";
    CommonDialogAnswer answer;
    if (!platform_automation::answer_common_dialog(CommonDialogKind::font, title, &answer) || !answer.ok) {
        platform_automation::common_dialog_result(CommonDialogKind::font, title, false, "");
        return FALSE;
    }
    LOGFONTA& lf = *cf->lpLogFont;
    if (!(cf->Flags & CF_INITTOLOGFONTSTRUCT)) {
        lf = LOGFONTA{};
        lf.lfHeight = -16;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = SHIFTJIS_CHARSET;
        // "ＭＳ 明朝"
        std::strcpy(lf.lfFaceName, "\x82\x6c\x82\x72 \x96\xbe\x92\xa9");
    }
    int dpi = 96;
    if ((cf->Flags & CF_PRINTERFONTS) && cf->hDC) dpi = GetDeviceCaps(cf->hDC, LOGPIXELSY);
    if (!answer.face.empty()) {
        std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
        std::strncpy(lf.lfFaceName, answer.face.c_str(), LF_FACESIZE - 1);
        lf.lfCharSet = SHIFTJIS_CHARSET;
    }
    if (answer.point_size > 0) {
        lf.lfHeight = -((answer.point_size * dpi + 36) / 72);
        lf.lfWidth = 0;
    }
    if (!answer.face.empty() || answer.point_size > 0) {
        lf.lfWeight = answer.bold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = answer.italic ? 1 : 0;
    }
    int points = lf.lfHeight < 0 ? (-lf.lfHeight * 72 + dpi / 2) / dpi : (lf.lfHeight * 72 + dpi / 2) / dpi;
    cf->iPointSize = points * 10;
    cf->nFontType = static_cast<WORD>(((cf->Flags & CF_PRINTERFONTS) && cf->hDC ? PRINTER_FONTTYPE : SCREEN_FONTTYPE) |
                                      (lf.lfWeight >= FW_BOLD ? BOLD_FONTTYPE : REGULAR_FONTTYPE) |
                                      (lf.lfItalic ? ITALIC_FONTTYPE : 0));
    platform_automation::common_dialog_result(CommonDialogKind::font, title, true,
                                              std::string(lf.lfFaceName) + " " + std::to_string(points));
    return TRUE;
}

BOOL PrintDlgA(PRINTDLGA* pd) {
    last_error = 0;
    if (!pd) {
        last_error = CDERR_INITIALIZATION;
        return FALSE;
    }
    DefaultPrinter printer;
    if (!default_printer(&printer)) {
        last_error = PDERR_NODEFAULTPRN;
        return FALSE;
    }
    std::string title = printer.device;
    CommonDialogAnswer answer;
    if (!(pd->Flags & PD_RETURNDEFAULT)) {
        if (!platform_automation::answer_common_dialog(CommonDialogKind::printer, title, &answer) || !answer.ok) {
            platform_automation::common_dialog_result(CommonDialogKind::printer, title, false, "");
            return FALSE;
        }
    }
    if (!pd->hDevMode) pd->hDevMode = make_devmode(printer);
    if (!pd->hDevNames) pd->hDevNames = make_devnames(printer);
    DEVMODEA mode{};
    if (auto* m = static_cast<DEVMODEA*>(GlobalLock(pd->hDevMode))) {
        if (answer.orientation) {
            m->dmOrientation = answer.orientation;
            m->dmFields |= DM_ORIENTATION;
        }
        if (m->dmCopies <= 0) m->dmCopies = 1;
        mode = *m;
        GlobalUnlock(pd->hDevMode);
    }
    if (pd->nCopies == 0) pd->nCopies = 1;
    if (pd->Flags & (PD_RETURNDC | PD_RETURNIC)) {
        pd->hDC = (pd->Flags & PD_RETURNDC)
                      ? CreateDCA(printer.driver.c_str(), printer.device.c_str(), printer.port.c_str(), &mode)
                      : CreateICA(printer.driver.c_str(), printer.device.c_str(), printer.port.c_str(), &mode);
    }
    if (!(pd->Flags & PD_RETURNDEFAULT)) {
        std::string shown = printer.device + (mode.dmOrientation == DMORIENT_LANDSCAPE ? " landscape" : " portrait");
        platform_automation::common_dialog_result(CommonDialogKind::printer, title, true, shown);
    }
    return TRUE;
}

DWORD CommDlgExtendedError() {
    return last_error;
}

// --- Shell ------------------------------------------------------------------------------------

struct ITEMIDLIST {
    std::string path;
};

namespace {

std::set<void*>& item_lists() {
    static std::set<void*> lists;
    return lists;
}

struct ShellAllocator : IMalloc {
    void* Alloc(size_t bytes) override { return std::malloc(bytes); }
    void Free(void* block) override { CoTaskMemFree(block); }
    unsigned long Release() override { return 1; }
};

}  // namespace

HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, int show) {
    int result = automation::record_shell_call(owner, verb, file, parameters, directory, show);
    return reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(result));
}

BOOL WinHelpA(HWND /*window*/, LPCSTR help_file, UINT command, ULONG_PTR data) {
    automation::record_help_call(help_file, command, data);
    return TRUE;
}

LPITEMIDLIST SHBrowseForFolderA(BROWSEINFOA* info) {
    if (!info) return nullptr;
    std::string title = info->lpszTitle ? info->lpszTitle : "";
    CommonDialogAnswer answer;
    if (!platform_automation::answer_common_dialog(CommonDialogKind::folder, title, &answer) || !answer.ok ||
        answer.names.empty()) {
        platform_automation::common_dialog_result(CommonDialogKind::folder, title, false, "");
        return nullptr;
    }
    auto* list = new ITEMIDLIST{answer.names[0]};
    item_lists().insert(list);
    if (info->pszDisplayName) {
        std::string path = list->path;
        while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
        size_t sep = last_separator(path);
        std::string name = sep == std::string::npos ? path : path.substr(sep + 1);
        size_t n = std::min(name.size(), static_cast<size_t>(MAX_PATH - 1));
        std::memcpy(info->pszDisplayName, name.data(), n);
        info->pszDisplayName[n] = '\0';
    }
    platform_automation::common_dialog_result(CommonDialogKind::folder, title, true, list->path);
    return list;
}

BOOL SHGetPathFromIDListA(LPCITEMIDLIST list, LPSTR path) {
    if (!list || !path || !item_lists().count(const_cast<ITEMIDLIST*>(list))) return FALSE;
    size_t n = std::min(list->path.size(), static_cast<size_t>(MAX_PATH - 1));
    std::memcpy(path, list->path.data(), n);
    path[n] = '\0';
    return TRUE;
}

void CoTaskMemFree(LPVOID block) {
    if (!block) return;
    auto it = item_lists().find(block);
    if (it != item_lists().end()) {
        item_lists().erase(it);
        delete static_cast<ITEMIDLIST*>(block);
        return;
    }
    std::free(block);
}

HRESULT SHGetMalloc(IMalloc** allocator) {
    static ShellAllocator shell_allocator;
    if (!allocator) return E_FAIL;
    *allocator = &shell_allocator;
    return S_OK;
}
