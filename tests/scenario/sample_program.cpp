// A small program for the end-to-end check of the window layer (not part of
// the product): a frame with a menu, a status bar and a list box, a modal
// settings dialog with every kind of control, a modeless tools dialog, a
// common open dialog, the print dialog, the folder browser and help.
// tests/scenario/sample.script drives it.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/gdi/wingdi.h"
#include "platform/kernel/global_memory.h"
#include "platform/user/commctrl.h"
#include "platform/user/commdlg.h"
#include "platform/user/resources.h"
#include "platform/user/shellapi.h"
#include "platform/user/winuser.h"

namespace {

enum : int {
    ID_SETTINGS = 100,
    ID_TOOLS = 101,
    ID_EXIT = 103,
    ID_HELP = 104,
    ID_PRINT = 105,
    ID_FOLDER = 106,
    ID_HISTORY = 200,
    ID_STATUS = 9000,
    ID_NAME = 300,
    ID_COUNT = 301,
    ID_CHECK = 302,
    ID_RADIO_A = 303,
    ID_RADIO_B = 304,
    ID_COMBO = 305,
    ID_LIST = 306,
    ID_VIEW = 307,
    ID_BROWSE = 308,
    ID_SPIN = 1000,
    ID_TOOL_TEXT = 400,
    ID_APPLY = 401,
};

const MenuItemTemplate file_items[] = {
    {MF_STRING, ID_SETTINGS, "&Settings..."},
    {MF_STRING, ID_TOOLS, "&Tools..."},
    {MF_STRING, ID_PRINT, "&Print..."},
    {MF_STRING, ID_FOLDER, "F&older..."},
    {MF_SEPARATOR},
    {MF_STRING, ID_EXIT, "E&xit"},
};
const MenuItemTemplate help_items[] = {{MF_STRING, ID_HELP, "&Contents"}};
const MenuItemTemplate bar_items[] = {
    {MF_POPUP, 0, "&File", file_items},
    {MF_POPUP, 0, "&Help", help_items},
};
const MenuResource menus[] = {{"SAMPLE", bar_items}};

const DialogItemTemplate settings_items[] = {
    {"STATIC", "&Name:", -1, 6, 8, 40, 10, SS_LEFT},
    {"EDIT", "", ID_NAME, 50, 6, 110, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {"BUTTON", "FLDER", ID_BROWSE, 164, 6, 14, 12, BS_OWNERDRAW | WS_TABSTOP},
    {"STATIC", "&Count (0-32):", -1, 6, 24, 44, 10, SS_LEFT},
    {"EDIT", "", ID_COUNT, 50, 22, 40, 12, WS_BORDER | WS_TABSTOP | ES_NUMBER},
    {"BUTTON", "Options", -1, 4, 38, 90, 46, BS_GROUPBOX},
    {"BUTTON", "&Verbose", ID_CHECK, 10, 48, 70, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
    {"BUTTON", "Mode &A", ID_RADIO_A, 10, 60, 70, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
    {"BUTTON", "Mode &B", ID_RADIO_B, 10, 72, 70, 10, BS_AUTORADIOBUTTON},
    {"COMBOBOX", "", ID_COMBO, 100, 40, 80, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP},
    {"LISTBOX", "", ID_LIST, 100, 58, 80, 30, LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP},
    {"SysListView32", "", ID_VIEW, 6, 90, 174, 50, LVS_REPORT | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP},
    {"BUTTON", "OK", IDOK, 190, 6, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "Cancel", IDCANCEL, 190, 24, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};
const DialogItemTemplate tools_items[] = {
    {"EDIT", "", ID_TOOL_TEXT, 6, 6, 100, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {"BUTTON", "&Apply", ID_APPLY, 110, 6, 40, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "Close", IDCANCEL, 110, 24, 40, 14, BS_PUSHBUTTON | WS_TABSTOP},
};
const DialogTemplate dialogs[] = {
    {"SETTINGS", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 20, 20, 246, 146, "Settings", 9,
     nullptr, nullptr, nullptr, settings_items},
    {"TOOLS", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT, 0, 260, 20, 156, 44, "Tools", 9, nullptr,
     nullptr, nullptr, tools_items},
};
const ResourceTable resources{"sample", menus, {}, {}, {}, {}, {}, dialogs};

struct Settings {
    std::string name = "none";
    int count = 4;
    bool verbose = false;
    int mode = 0;
    int combo = 0;
    int list = -1;
    int view = -1;
};

HWND frame = nullptr;
HWND status = nullptr;
HWND history = nullptr;
HWND tools = nullptr;
Settings settings;

std::string item_text(HWND dialog, int id, UINT message, int index) {
    char buffer[256] = {};
    if (index >= 0) SendDlgItemMessageA(dialog, id, message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

INT_PTR CALLBACK_settings(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetDlgItemTextA(dialog, ID_NAME, settings.name.c_str());
        SetDlgItemInt(dialog, ID_COUNT, static_cast<UINT>(settings.count), FALSE);
        CreateUpDownControl(WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 0, 0, 0, 0,
                            dialog, ID_SPIN, nullptr, GetDlgItem(dialog, ID_COUNT), 32, 0, settings.count);
        CheckDlgButton(dialog, ID_CHECK, settings.verbose ? BST_CHECKED : BST_UNCHECKED);
        CheckRadioButton(dialog, ID_RADIO_A, ID_RADIO_B, settings.mode ? ID_RADIO_B : ID_RADIO_A);
        for (const char* t : {"Alpha", "Beta", "Gamma"}) {
            SendDlgItemMessageA(dialog, ID_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
            SendDlgItemMessageA(dialog, ID_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
        }
        SendDlgItemMessageA(dialog, ID_COMBO, CB_SETCURSEL, static_cast<WPARAM>(settings.combo), 0);
        HWND view = GetDlgItem(dialog, ID_VIEW);
        const char* titles[] = {"Function", "Line"};
        for (int i = 0; i < 2; ++i) {
            LVCOLUMNA col{LVCF_TEXT | LVCF_WIDTH, LVCFMT_LEFT, i == 0 ? 150 : 60, const_cast<char*>(titles[i]), 0, i};
            SendMessageA(view, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
        }
        const char* rows[][2] = {{"main", "10"}, {"init", "42"}, {"term", "77"}};
        for (int r = 0; r < 3; ++r) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = r;
            item.pszText = const_cast<char*>(rows[r][0]);
            SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            item.iSubItem = 1;
            item.pszText = const_cast<char*>(rows[r][1]);
            SendMessageA(view, LVM_SETITEMTEXTA, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
        }
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        HBRUSH brush = GetStockObject((dis->itemState & ODS_SELECTED) ? GRAY_BRUSH : LTGRAY_BRUSH);
        FillRect(dis->hDC, &dis->rcItem, brush);
        return TRUE;
    }
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lparam);
        if (hdr->idFrom == ID_VIEW && hdr->code == NM_DBLCLK) {
            int row = static_cast<int>(SendDlgItemMessageA(dialog, ID_VIEW, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                           LVNI_SELECTED));
            char text[64] = {};
            LVITEMA item{};
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendDlgItemMessageA(dialog, ID_VIEW, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>((std::string("function ") + text).c_str()));
        }
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case ID_BROWSE: {
            char name[256] = "*.c";
            OPENFILENAMEA ofn{};
            ofn.lStructSize = sizeof ofn;
            ofn.hwndOwner = dialog;
            ofn.lpstrFilter = "C source(*.c)\0*.c\0";
            ofn.nFilterIndex = 1;
            ofn.lpstrFile = name;
            ofn.nMaxFile = sizeof name;
            ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
            if (GetOpenFileNameA(&ofn)) SetDlgItemTextA(dialog, ID_NAME, name);
            return TRUE;
        }
        case IDOK: {
            BOOL ok = FALSE;
            UINT count = GetDlgItemInt(dialog, ID_COUNT, &ok, FALSE);
            if (!ok || count > 32) {
                MessageBeep(MB_ICONEXCLAMATION);
                MessageBoxA(dialog, "Count must be 0 to 32.", "Settings", MB_OK | MB_ICONEXCLAMATION);
                return TRUE;
            }
            char name[128] = {};
            GetDlgItemTextA(dialog, ID_NAME, name, sizeof name);
            settings.name = name;
            settings.count = static_cast<int>(count);
            settings.verbose = IsDlgButtonChecked(dialog, ID_CHECK) == BST_CHECKED;
            settings.mode = IsDlgButtonChecked(dialog, ID_RADIO_B) == BST_CHECKED ? 1 : 0;
            settings.combo = static_cast<int>(SendDlgItemMessageA(dialog, ID_COMBO, CB_GETCURSEL, 0, 0));
            settings.list = static_cast<int>(SendDlgItemMessageA(dialog, ID_LIST, LB_GETCURSEL, 0, 0));
            settings.view = static_cast<int>(
                SendDlgItemMessageA(dialog, ID_VIEW, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
            std::string line = settings.name + " " + std::to_string(settings.count) + (settings.verbose ? " verbose" : "") +
                               " mode " + (settings.mode ? "B" : "A") + " " +
                               item_text(dialog, ID_COMBO, CB_GETLBTEXT, settings.combo) + " " +
                               item_text(dialog, ID_LIST, LB_GETTEXT, settings.list) + " row " +
                               std::to_string(settings.view);
            SendMessageA(history, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
            DestroyWindow(GetDlgItem(dialog, ID_SPIN));
            EndDialog(dialog, 1);
            return TRUE;
        }
        case IDCANCEL:
            DestroyWindow(GetDlgItem(dialog, ID_SPIN));
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

INT_PTR tools_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wparam) == ID_APPLY) {
        char text[128] = {};
        GetDlgItemTextA(dialog, ID_TOOL_TEXT, text, sizeof text);
        SetWindowTextA(frame, text);
        return TRUE;
    }
    if (LOWORD(wparam) == IDCANCEL) {
        DestroyWindow(dialog);
        tools = nullptr;
        return TRUE;
    }
    return FALSE;
}

LRESULT frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        InitCommonControls();
        status = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "ready", window, ID_STATUS);
        history = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, 0, 0, 300, 200, window,
                                reinterpret_cast<HMENU>(static_cast<uintptr_t>(ID_HISTORY)), nullptr, nullptr);
        return 0;
    case WM_SIZE:
        SendMessageA(status, WM_SIZE, wparam, lparam);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case ID_SETTINGS:
            if (DialogBoxParamA(nullptr, "settings", window, CALLBACK_settings, 0) == 1) {
                SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("settings saved"));
            } else {
                SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("settings unchanged"));
            }
            return 0;
        case ID_TOOLS:
            if (!tools) tools = CreateDialogParamA(nullptr, "tools", window, tools_proc, 0);
            return 0;
        case ID_HELP:
            WinHelpA(window, "sample.hlp", HELP_FINDER, 0);
            return 0;
        case ID_PRINT: {
            PRINTDLGA pd{};
            pd.lStructSize = sizeof pd;
            pd.hwndOwner = window;
            pd.Flags = PD_RETURNDC | PD_NOSELECTION;
            pd.nMinPage = 1;
            pd.nMaxPage = 9;
            pd.nCopies = 1;
            if (PrintDlgA(&pd)) {
                char text[64];
                std::snprintf(text, sizeof text, "print pages %d-%d copies %d", pd.nFromPage, pd.nToPage, pd.nCopies);
                SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
                DeleteDC(pd.hDC);
                GlobalFree(pd.hDevMode);
                GlobalFree(pd.hDevNames);
            }
            return 0;
        }
        case ID_FOLDER: {
            char name[MAX_PATH] = {};
            BROWSEINFOA bi{};
            bi.hwndOwner = window;
            bi.pszDisplayName = name;
            bi.lpszTitle = "The folder of the project:";
            if (LPITEMIDLIST list = SHBrowseForFolderA(&bi)) {
                char path[MAX_PATH] = {};
                SHGetPathFromIDListA(list, path);
                CoTaskMemFree(list);
                SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>((std::string("folder ") + path).c_str()));
            }
            return 0;
        }
        case ID_EXIT:
            DestroyWindow(window);
            return 0;
        case ID_HISTORY:
            if (HIWORD(wparam) == LBN_DBLCLK) {
                int index = static_cast<int>(SendMessageA(history, LB_GETCURSEL, 0, 0));
                char text[256] = {};
                SendMessageA(history, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
                SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>((std::string("picked ") + text).c_str()));
            }
            return 0;
        default:
            return 0;
        }
    case WM_DESTROY:
        WinHelpA(window, "sample.hlp", HELP_QUIT, 0);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

}  // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    register_program_resources(&resources);
    WNDCLASSA wc{};
    wc.lpfnWndProc = frame_proc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = "sample";
    wc.lpszClassName = "SampleFrame";
    if (!RegisterClassA(&wc)) return 1;
    frame = CreateWindowA("SampleFrame", "Sample", WS_OVERLAPPEDWINDOW, 10, 10, 600, 400, nullptr, nullptr, instance,
                          nullptr);
    if (!frame) return 1;
    ShowWindow(frame, show);
    UpdateWindow(frame);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0)) {
        if (tools && IsDialogMessageA(tools, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return static_cast<int>(m.wParam);
}
