// The common controls the programs use: the status bar, the up-down control
// and the list view in report mode. Headless like the rest of USER.
#pragma once

#include "platform/user/winuser.h"

#define STATUSCLASSNAMEA "msctls_statusbar32"
#define UPDOWN_CLASSA "msctls_updown32"
#define WC_LISTVIEWA "SysListView32"

// Nothing to load: the classes are registered when first asked for.
void InitCommonControls();

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

// Notification codes of WM_NOTIFY shared by the common controls.
enum : UINT {
    NM_FIRST = 0,
    NM_CLICK = static_cast<UINT>(-2),
    NM_DBLCLK = static_cast<UINT>(-3),
    NM_RETURN = static_cast<UINT>(-4),
    NM_RCLICK = static_cast<UINT>(-5),
    NM_SETFOCUS = static_cast<UINT>(-7),
    NM_KILLFOCUS = static_cast<UINT>(-8),
};

// --- Status bar ---------------------------------------------------------------
inline constexpr DWORD SBARS_SIZEGRIP = 0x0100;
inline constexpr DWORD CCS_TOP = 0x0001;
inline constexpr DWORD CCS_NOMOVEY = 0x0002;
inline constexpr DWORD CCS_BOTTOM = 0x0003;
inline constexpr DWORD CCS_NORESIZE = 0x0004;
inline constexpr DWORD CCS_NOPARENTALIGN = 0x0008;

enum : UINT {
    SB_SETTEXTA = WM_USER + 1,
    SB_GETTEXTA = WM_USER + 2,
    SB_GETTEXTLENGTHA = WM_USER + 3,
    SB_SETPARTS = WM_USER + 4,
    SB_GETPARTS = WM_USER + 6,
    SB_GETBORDERS = WM_USER + 7,
    SB_SETMINHEIGHT = WM_USER + 8,
    SB_SIMPLE = WM_USER + 9,
    SB_GETRECT = WM_USER + 10,
    SB_SETTEXT = SB_SETTEXTA,
    SB_GETTEXT = SB_GETTEXTA,
    SB_GETTEXTLENGTH = SB_GETTEXTLENGTHA,
};

// Drawing types in the high byte of SB_SETTEXT's part number.
enum : WPARAM {
    SBT_NOBORDERS = 0x0100,
    SBT_POPOUT = 0x0200,
    SBT_OWNERDRAW = 0x1000,
};

// A status bar along the bottom of `parent`, 19 pixels high; it places itself
// again whenever it gets WM_SIZE (programs pass their own WM_SIZE on).
HWND CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id);

// --- Up-down control ------------------------------------------------------------
inline constexpr DWORD UDS_WRAP = 0x0001;
inline constexpr DWORD UDS_SETBUDDYINT = 0x0002;
inline constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
inline constexpr DWORD UDS_ALIGNLEFT = 0x0008;
inline constexpr DWORD UDS_AUTOBUDDY = 0x0010;
inline constexpr DWORD UDS_ARROWKEYS = 0x0020;
inline constexpr DWORD UDS_HORZ = 0x0040;
inline constexpr DWORD UDS_NOTHOUSANDS = 0x0080;

enum : UINT {
    UDM_SETRANGE = WM_USER + 101,
    UDM_GETRANGE = WM_USER + 102,
    UDM_SETPOS = WM_USER + 103,
    UDM_GETPOS = WM_USER + 104,
    UDM_SETBUDDY = WM_USER + 105,
    UDM_GETBUDDY = WM_USER + 106,
    UDM_SETBASE = WM_USER + 109,
    UDM_GETBASE = WM_USER + 110,
    UDM_SETRANGE32 = WM_USER + 111,
    UDM_GETRANGE32 = WM_USER + 112,
};

inline constexpr UINT UDN_DELTAPOS = static_cast<UINT>(-722);

struct NMUPDOWN {
    NMHDR hdr;
    int iPos;
    int iDelta;
};

// The range is upper to lower as given (upper may be the smaller); the
// position is kept within it and, with UDS_SETBUDDYINT, written into the buddy
// as a decimal number.
HWND CreateUpDownControl(DWORD style, int x, int y, int width, int height, HWND parent, int id,
                         HINSTANCE instance, HWND buddy, int upper, int lower, int position);

// --- List view -----------------------------------------------------------------
inline constexpr DWORD LVS_ICON = 0x0000;
inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SMALLICON = 0x0002;
inline constexpr DWORD LVS_LIST = 0x0003;
inline constexpr DWORD LVS_TYPEMASK = 0x0003;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
inline constexpr DWORD LVS_SORTASCENDING = 0x0010;
inline constexpr DWORD LVS_SORTDESCENDING = 0x0020;
inline constexpr DWORD LVS_NOLABELWRAP = 0x0080;
inline constexpr DWORD LVS_NOSCROLL = 0x2000;
inline constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
inline constexpr DWORD LVS_NOSORTHEADER = 0x8000;

enum : UINT {
    LVM_FIRST = 0x1000,
    LVM_GETITEMCOUNT = LVM_FIRST + 4,
    LVM_GETITEMA = LVM_FIRST + 5,
    LVM_SETITEMA = LVM_FIRST + 6,
    LVM_INSERTITEMA = LVM_FIRST + 7,
    LVM_DELETEITEM = LVM_FIRST + 8,
    LVM_DELETEALLITEMS = LVM_FIRST + 9,
    LVM_GETNEXTITEM = LVM_FIRST + 12,
    LVM_ENSUREVISIBLE = LVM_FIRST + 19,
    LVM_GETCOLUMNA = LVM_FIRST + 25,
    LVM_SETCOLUMNA = LVM_FIRST + 26,
    LVM_INSERTCOLUMNA = LVM_FIRST + 27,
    LVM_DELETECOLUMN = LVM_FIRST + 28,
    LVM_GETCOLUMNWIDTH = LVM_FIRST + 29,
    LVM_SETCOLUMNWIDTH = LVM_FIRST + 30,
    LVM_GETTOPINDEX = LVM_FIRST + 39,
    LVM_SETITEMSTATE = LVM_FIRST + 43,
    LVM_GETITEMSTATE = LVM_FIRST + 44,
    LVM_GETITEMTEXTA = LVM_FIRST + 45,
    LVM_SETITEMTEXTA = LVM_FIRST + 46,
    LVM_GETSELECTEDCOUNT = LVM_FIRST + 50,
    LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54,
    LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55,
    LVM_INSERTITEM = LVM_INSERTITEMA,
    LVM_INSERTCOLUMN = LVM_INSERTCOLUMNA,
    LVM_SETITEMTEXT = LVM_SETITEMTEXTA,
    LVM_GETITEMTEXT = LVM_GETITEMTEXTA,
};

enum : UINT {
    LVIF_TEXT = 0x0001,
    LVIF_IMAGE = 0x0002,
    LVIF_PARAM = 0x0004,
    LVIF_STATE = 0x0008,
};

enum : UINT {
    LVIS_FOCUSED = 0x0001,
    LVIS_SELECTED = 0x0002,
};

enum : UINT {
    LVNI_ALL = 0x0000,
    LVNI_FOCUSED = 0x0001,
    LVNI_SELECTED = 0x0002,
};

enum : UINT {
    LVCF_FMT = 0x0001,
    LVCF_WIDTH = 0x0002,
    LVCF_TEXT = 0x0004,
    LVCF_SUBITEM = 0x0008,
};

enum : int {
    LVCFMT_LEFT = 0x0000,
    LVCFMT_RIGHT = 0x0001,
    LVCFMT_CENTER = 0x0002,
};

inline constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;

enum : UINT {
    LVN_FIRST = static_cast<UINT>(-100),
    LVN_ITEMCHANGING = LVN_FIRST - 0,
    LVN_ITEMCHANGED = LVN_FIRST - 1,
    LVN_INSERTITEM = LVN_FIRST - 2,
    LVN_DELETEITEM = LVN_FIRST - 3,
    LVN_DELETEALLITEMS = LVN_FIRST - 4,
    LVN_COLUMNCLICK = LVN_FIRST - 8,
    LVN_KEYDOWN = LVN_FIRST - 55,
};

enum : UINT { LVIF_ALL_CHANGED = LVIF_STATE };

struct LVCOLUMNA {
    UINT mask;
    int fmt;
    int cx;
    LPSTR pszText;
    int cchTextMax;
    int iSubItem;
};

struct LVITEMA {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
};

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
};

struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
    UINT uKeyFlags;
};

struct NMLVKEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
};
