// The common dialogs: open and save file names, colour, font and printer.
// Each is a window of its own, worked by a person or by a test's acts and
// script steps; an answer the automation interface gives (in advance, or
// while the window waits) is taken as the user's choice.
#pragma once

#include "platform/gdi/wingdi.h"
#include "platform/user/winuser.h"

using LPOFNHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPCCHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPCFHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPPRINTHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

enum : DWORD {
    OFN_READONLY = 0x00000001,
    OFN_OVERWRITEPROMPT = 0x00000002,
    OFN_HIDEREADONLY = 0x00000004,
    OFN_NOCHANGEDIR = 0x00000008,
    OFN_SHOWHELP = 0x00000010,
    OFN_ENABLEHOOK = 0x00000020,
    OFN_ENABLETEMPLATE = 0x00000040,
    OFN_ENABLETEMPLATEHANDLE = 0x00000080,
    OFN_NOVALIDATE = 0x00000100,
    OFN_ALLOWMULTISELECT = 0x00000200,
    OFN_EXTENSIONDIFFERENT = 0x00000400,
    OFN_PATHMUSTEXIST = 0x00000800,
    OFN_FILEMUSTEXIST = 0x00001000,
    OFN_CREATEPROMPT = 0x00002000,
    OFN_NOREADONLYRETURN = 0x00008000,
    OFN_NOTESTFILECREATE = 0x00010000,
    OFN_EXPLORER = 0x00080000,
    OFN_NODEREFERENCELINKS = 0x00100000,
    OFN_LONGNAMES = 0x00200000,
};

struct OPENFILENAMEA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;          // pairs of label and pattern, each ended by a zero, a zero after the last
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;          // from 1
    LPSTR lpstrFile;             // in: the initial name; out: the chosen one
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;        // out: the name without its directory
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
};

// Control ids of the file dialog's own fields.
enum : int {
    edt1 = 0x0480,  // the file name
    cmb1 = 0x0470,  // the file types
    cmb2 = 0x0471,  // the drives: the root and the home folder
    cmb13 = 0x047C,
    stc1 = 0x0440,  // the folder shown
    stc2 = 0x0441,
    stc3 = 0x0442,
    stc4 = 0x0443,
    lst1 = 0x0460,  // the files
    lst2 = 0x0461,  // the folders
    chx1 = 0x0410,
};

// Messages a hook may send to an explorer-style file dialog (the hook's
// dialog is a child of it).
enum : UINT {
    CDM_FIRST = WM_USER + 100,
    CDM_GETSPEC = CDM_FIRST + 0x0000,
    CDM_GETFILEPATH = CDM_FIRST + 0x0001,
    CDM_GETFOLDERPATH = CDM_FIRST + 0x0002,
    CDM_SETCONTROLTEXT = CDM_FIRST + 0x0004,
    CDM_HIDECONTROL = CDM_FIRST + 0x0005,
};

// The file dialog shows the folder of a name given with its folder, else
// lpstrInitialDir, else the current directory; a name typed is taken from
// the folder shown and returned whole. With OFN_ENABLEHOOK the program's
// template is a child dialog below the dialog's own controls, run by the
// hook; its default button is the dialog's.
BOOL GetOpenFileNameA(OPENFILENAMEA* ofn);
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn);
// Splits "dir\name" into name and extension offsets the way the dialog sets them.
short GetFileTitleA(LPCSTR file, LPSTR title, WORD size);

enum : DWORD {
    CC_RGBINIT = 0x00000001,
    CC_FULLOPEN = 0x00000002,
    CC_PREVENTFULLOPEN = 0x00000004,
    CC_SHOWHELP = 0x00000008,
    CC_ENABLEHOOK = 0x00000010,
    CC_ANYCOLOR = 0x00000100,
    CC_SOLIDCOLOR = 0x00000080,
};

struct CHOOSECOLORA {
    DWORD lStructSize;
    HWND hwndOwner;
    HWND hInstance;
    COLORREF rgbResult;
    COLORREF* lpCustColors;  // 16 entries
    DWORD Flags;
    LPARAM lCustData;
    LPCCHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
};
BOOL ChooseColorA(CHOOSECOLORA* cc);

enum : DWORD {
    CF_SCREENFONTS = 0x00000001,
    CF_PRINTERFONTS = 0x00000002,
    CF_BOTH = CF_SCREENFONTS | CF_PRINTERFONTS,
    CF_SHOWHELP = 0x00000004,
    CF_ENABLEHOOK = 0x00000008,
    CF_INITTOLOGFONTSTRUCT = 0x00000040,
    CF_USESTYLE = 0x00000080,
    CF_EFFECTS = 0x00000100,
    CF_APPLY = 0x00000200,
    CF_ANSIONLY = 0x00000400,
    CF_NOVECTORFONTS = 0x00000800,
    CF_LIMITSIZE = 0x00002000,
    CF_FIXEDPITCHONLY = 0x00004000,
    CF_FORCEFONTEXIST = 0x00010000,
    CF_SCALABLEONLY = 0x00020000,
    CF_TTONLY = 0x00040000,
    CF_NOSTYLESEL = 0x00100000,
    CF_NOSIZESEL = 0x00200000,
};

enum : WORD {
    BOLD_FONTTYPE = 0x0100,
    ITALIC_FONTTYPE = 0x0200,
    REGULAR_FONTTYPE = 0x0400,
    SCREEN_FONTTYPE = 0x2000,
    PRINTER_FONTTYPE = 0x4000,
    SIMULATED_FONTTYPE = 0x8000,
};

struct CHOOSEFONTA {
    DWORD lStructSize;
    HWND hwndOwner;
    HDC hDC;
    LOGFONTA* lpLogFont;
    INT iPointSize;      // tenths of a point
    DWORD Flags;
    COLORREF rgbColors;
    LPARAM lCustData;
    LPCFHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
    HINSTANCE hInstance;
    LPSTR lpszStyle;
    WORD nFontType;
    INT nSizeMin;
    INT nSizeMax;
};
BOOL ChooseFontA(CHOOSEFONTA* cf);

enum : DWORD {
    PD_ALLPAGES = 0x00000000,
    PD_SELECTION = 0x00000001,
    PD_PAGENUMS = 0x00000002,
    PD_NOSELECTION = 0x00000004,
    PD_NOPAGENUMS = 0x00000008,
    PD_COLLATE = 0x00000010,
    PD_PRINTTOFILE = 0x00000020,
    PD_PRINTSETUP = 0x00000040,
    PD_NOWARNING = 0x00000080,
    PD_RETURNDC = 0x00000100,
    PD_RETURNIC = 0x00000200,
    PD_RETURNDEFAULT = 0x00000400,
    PD_SHOWHELP = 0x00000800,
    PD_USEDEVMODECOPIES = 0x00040000,
    PD_DISABLEPRINTTOFILE = 0x00080000,
    PD_HIDEPRINTTOFILE = 0x00100000,
};

// The device names block of PRINTDLGA::hDevNames: offsets from its start.
struct DEVNAMES {
    WORD wDriverOffset;
    WORD wDeviceOffset;
    WORD wOutputOffset;
    WORD wDefault;
};

struct PRINTDLGA {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;   // a global block holding a DEVMODEA
    HGLOBAL hDevNames;  // a global block holding DEVNAMES and its strings
    HDC hDC;
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    HINSTANCE hInstance;
    LPARAM lCustData;
    LPPRINTHOOKPROC lpfnPrintHook;
    LPPRINTHOOKPROC lpfnSetupHook;
    LPCSTR lpPrintTemplateName;
    LPCSTR lpSetupTemplateName;
    HGLOBAL hPrintTemplate;
    HGLOBAL hSetupTemplate;
};
// The printers are WIN.INI's [devices], the one of DEVNAMES (else the
// "device" of [windows]) chosen; with OK the device mode and names blocks
// are made (or brought up to date) and, with PD_RETURNDC, a printer context
// from CreateDCA is returned. PD_RETURNDEFAULT answers at once without
// asking.
BOOL PrintDlgA(PRINTDLGA* pd);

// Why the last common dialog returned FALSE: 0 when the user cancelled.
enum : DWORD {
    CDERR_GENERALCODES = 0x0000,
    CDERR_STRUCTSIZE = 0x0001,
    CDERR_INITIALIZATION = 0x0002,
    CDERR_NOTEMPLATE = 0x0003,
    CDERR_FINDRESFAILURE = 0x0006,
    CDERR_DIALOGFAILURE = 0xFFFF,
    PDERR_NODEFAULTPRN = 0x1008,
    FNERR_BUFFERTOOSMALL = 0x3003,
};
DWORD CommDlgExtendedError();
