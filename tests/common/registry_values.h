// Reading back what the placements wrote: a value under HKEY_CURRENT_USER as
// the registry holds it.
#pragma once

#include <string>

#include "platform/kernel/registry.h"

// The value's bytes (a REG_SZ text with its terminating zero), "<no key>"
// when the key cannot be opened, "<none>" when the value is not there. The
// value's type goes to *type when asked for.
inline std::string registry_value(const char* key_name, const char* name, DWORD* type = nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key_name, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "<no key>";
    char buffer[64] = {};
    DWORD size = sizeof buffer;
    DWORD value_type = 0;
    const LSTATUS status = RegQueryValueExA(key, name, nullptr, &value_type, reinterpret_cast<LPBYTE>(buffer), &size);
    RegCloseKey(key);
    if (type) *type = value_type;
    return status == ERROR_SUCCESS ? std::string(buffer, size) : "<none>";
}
