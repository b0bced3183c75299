// The shell calls the programs make: ShellExecuteA (recorded, and starting
// the program named) and the folder browser (a window like the common
// dialogs).
#pragma once

#include "platform/user/winuser.h"

// A result above 32 means success; below it, why the program did not start.
enum : int {
    SE_ERR_FNF = 2,           // no such program
    SE_ERR_PNF = 3,           // no such folder
    SE_ERR_ACCESSDENIED = 5,
    SE_ERR_OOM = 8,
    ERROR_BAD_FORMAT = 11,    // not a program the system can run
    SE_ERR_NOASSOC = 31,      // nothing to open it with, or a verb other than "open"
};
// "open" (or no verb) starts `file` with the parameters, in `directory` when
// one is given, and does not wait for it.
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, int show);

// An item list is an opaque handle here; it carries a path.
struct ITEMIDLIST;
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using BFFCALLBACK = int (*)(HWND, UINT, LPARAM, LPARAM);

enum : UINT {
    BIF_RETURNONLYFSDIRS = 0x0001,
    BIF_DONTGOBELOWDOMAIN = 0x0002,
    BIF_STATUSTEXT = 0x0004,
    BIF_EDITBOX = 0x0010,
    BIF_NEWDIALOGSTYLE = 0x0040,
};

struct BROWSEINFOA {
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;
    LPSTR pszDisplayName;  // MAX_PATH bytes: the chosen folder's own name
    LPCSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
};

inline constexpr int MAX_PATH = 260;

// Null when cancelled. Free the list with CoTaskMemFree (or the shell
// allocator's Free).
LPITEMIDLIST SHBrowseForFolderA(BROWSEINFOA* info);
BOOL SHGetPathFromIDListA(LPCITEMIDLIST list, LPSTR path);
void CoTaskMemFree(LPVOID block);

// The shell allocator, as SHGetMalloc gives it.
struct IMalloc {
    virtual void* Alloc(size_t bytes) = 0;
    virtual void Free(void* block) = 0;
    virtual unsigned long Release() = 0;
    virtual ~IMalloc() = default;
};
using HRESULT = LONG;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
HRESULT SHGetMalloc(IMalloc** allocator);
