// The registry, as far as the programs use it: keys under HKEY_CURRENT_USER
// and their values, kept in the file "registry.txt" of the platform state
// directory. Every call reads the file afresh and every change rewrites it
// whole, so separate processes see each other's values. Key paths and value
// names are matched without regard to case and keep the spelling they were
// created with.
//
// registry.txt holds one line per key or value (LF ends a line):
//   HKEY_CURRENT_USER\Software\KRT Notarix95
//   HKEY_CURRENT_USER\Software\KRT Notarix95<TAB>MainWinX<TAB>REG_SZ<TAB>10
// A key line stands for a key created without values; a key also exists when
// a deeper key or one of its values is listed. The type is REG_SZ,
// REG_EXPAND_SZ, REG_DWORD, REG_BINARY or a decimal number. String data is
// the text without its terminating zero, other data its bytes in hex (a
// DWORD as "0a000000"). In text, "%", control bytes (tab, CR, LF...) and 0x7F
// are written as "%HH"; Shift-JIS text stays as it is. Lines starting with
// "#" are comments.
#pragma once

#include <cstdint>

#include "platform/kernel/win_errors.h"
#include "platform/types.h"

using REGSAM = DWORD;
using PHKEY = HKEY*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

// The one root key there is.
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u));

enum : REGSAM {
    KEY_QUERY_VALUE = 0x0001,
    KEY_SET_VALUE = 0x0002,
    KEY_CREATE_SUB_KEY = 0x0004,
    KEY_ENUMERATE_SUB_KEYS = 0x0008,
    KEY_NOTIFY = 0x0010,
    KEY_CREATE_LINK = 0x0020,
    KEY_READ = 0x00020019,
    KEY_WRITE = 0x00020006,
    KEY_EXECUTE = KEY_READ,
    KEY_ALL_ACCESS = 0x000F003F,
};

enum : DWORD {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_EXPAND_SZ = 2,
    REG_BINARY = 3,
    REG_DWORD = 4,
};

enum : DWORD {
    REG_OPTION_NON_VOLATILE = 0x0000,
    REG_CREATED_NEW_KEY = 1,
    REG_OPENED_EXISTING_KEY = 2,
};

// Opens `sub_key` below `key`, creating it and the keys above it when
// missing; `disposition` (may be null) tells which. The class, options and
// security are ignored. ERROR_REGISTRY_IO_FAILED when a new key cannot be
// recorded.
LSTATUS RegCreateKeyExA(HKEY key, LPCSTR sub_key, DWORD reserved, LPSTR key_class, DWORD options,
                        REGSAM access, const SECURITY_ATTRIBUTES* security, PHKEY result, LPDWORD disposition);

// Opens an existing key: ERROR_FILE_NOT_FOUND (and a null result) when it
// does not exist. A null or empty sub key opens `key` itself again.
LSTATUS RegOpenKeyExA(HKEY key, LPCSTR sub_key, DWORD options, REGSAM access, PHKEY result);

// Reads a value (null or "" names the key's default value). The type goes to
// `type` when it is not null. With `data` null, only the size is told through
// `size`; when the value is larger than *size, *size receives its size, the
// buffer is left alone and the result is ERROR_MORE_DATA. A string comes with
// its terminating zero, counted in the size. A missing value gives
// ERROR_FILE_NOT_FOUND and leaves the buffer and *size alone. Needs a key
// opened with KEY_QUERY_VALUE.
LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);

// Writes a value. A string ends at its first zero or after `size` bytes,
// whichever comes first. Needs a key opened with KEY_SET_VALUE.
LSTATUS RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);

// Removes a value: ERROR_FILE_NOT_FOUND when it does not exist.
LSTATUS RegDeleteValueA(HKEY key, LPCSTR name);

// Closes an opened key (closing HKEY_CURRENT_USER does nothing).
LSTATUS RegCloseKey(HKEY key);

// Test hook: the number of keys opened and not yet closed.
int platform_open_registry_keys();
