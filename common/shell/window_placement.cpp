#include "common/shell/window_placement.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/kernel/registry.h"

namespace {

// Rows in kind order; columns x, y, width, height.
const char* const kValueNames[kWindowKindCount][4] = {
    {"MainWinX", "MainWinY", "MainWinWid", "MainWinHgt"},
    {"SrcWinX", "SrcWinY", "SrcWinWid", "SrcWinHgt"},
    {"LayWinX", "LayWinY", "LayWinWid", "LayWinHgt"},
    {"FormWinX", "FormWinY", "FormWinWid", "FormWinHgt"},
    {"ErrorWinX", "ErrorWinY", "ErrorWinWid", "ErrorWinHgt"},
    {"SmryWinX", "SmryWinY", "SmryWinWid", "SmryWinHgt"},
};

// The values are read into buffers of this size.
constexpr DWORD kValueBufferSize = 260;

// A stored value as a number: blanks, an optional sign and decimal digits,
// nothing else after them but blanks, within +-100000 pixels. False for
// anything else, so that a damaged value is never taken for a position.
bool parse_value(const char* text, int* value) {
    while (*text == ' ') ++text;
    if (*text == '\0') return false;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || errno == ERANGE || parsed < -100000 || parsed > 100000) return false;
    while (*end == ' ') ++end;
    if (*end != '\0') return false;
    *value = static_cast<int>(parsed);
    return true;
}

bool query_value(HKEY key, const char* name, int* value) {
    char buffer[kValueBufferSize] = {};
    DWORD type = 0;
    DWORD size = sizeof buffer - 1;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ) return false;
    buffer[sizeof buffer - 1] = '\0';
    return parse_value(buffer, value);
}

}  // namespace

const char* const* placement_value_names(int kind) {
    if (kind < 0 || kind >= kWindowKindCount) return nullptr;
    return kValueNames[kind];
}

int load_window_placement(const PlacementProfile& profile, int kind, WindowPlacement& placement) {
    const char* const* names = placement_value_names(kind);
    if (!names) return -1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, profile.registry_key, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return -1;
    int values[4] = {};
    bool found[4] = {};
    for (int i = 0; i < 4; ++i) found[i] = query_value(key, names[i], &values[i]);
    RegCloseKey(key);
    // A window of no size cannot be seen or grabbed; its default size serves.
    for (int i = 2; i < 4; ++i) found[i] = found[i] && values[i] > 0;
    if (!found[0] && !found[1] && !found[2] && !found[3]) return -1;
    int* fields[4] = {&placement.x, &placement.y, &placement.width, &placement.height};
    for (int i = 0; i < 4; ++i) {
        if (found[i]) *fields[i] = values[i];
    }
    return 0;
}

int save_window_placement(const PlacementProfile& profile, int kind, const WindowPlacement& placement,
                          bool frame_minimised) {
    if (frame_minimised) return 0;
    const char* const* names = placement_value_names(kind);
    if (!names) return -1;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, profile.registry_key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return -1;
    const int values[4] = {placement.x, placement.y, placement.width, placement.height};
    int result = 0;
    for (int i = 0; i < 4; ++i) {
        char text[16];
        const int length = std::snprintf(text, sizeof text, "%d", values[i]);
        if (RegSetValueExA(key, names[i], 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                           static_cast<DWORD>(length + 1)) != ERROR_SUCCESS)
            result = -1;
    }
    if (RegCloseKey(key) != ERROR_SUCCESS) result = -1;
    return result;
}
