// Window positions and sizes kept in the registry: four REG_SZ values of
// decimal integers (x, y, width, height) per window kind, under a key of
// HKEY_CURRENT_USER that each program names.
#pragma once

enum WindowKind : int {
    kMainWindow = 0,
    kSourceListWindow = 1,
    kLayoutWindow = 2,
    kFormWindow = 3,
    kErrorWindow = 4,
    kSummaryWindow = 5,
};
inline constexpr int kWindowKindCount = 6;

struct PlacementProfile {
    const char* registry_key;  // below HKEY_CURRENT_USER, "Software\\KRT Notarix95"
};

struct WindowPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// The value names of a kind: "MainWinX", "MainWinY", "MainWinWid",
// "MainWinHgt" and so on; nullptr for a kind out of range.
const char* const* placement_value_names(int kind);

// Loads a placement over the caller's defaults: each value found replaces
// its default, a value missing, empty or not a number keeps it (a width or
// height below 1 counts as not a number). 0 when at least one value was
// found; -1 when the key cannot be opened, none was found or the kind is
// unknown, and then the placement is untouched.
int load_window_placement(const PlacementProfile& profile, int kind, WindowPlacement& placement);

// Writes the four values as "%d" texts, creating the key when needed. While
// the main frame is minimised nothing is written and the result is 0 (its
// rectangle then is the icon's). -1 when the key cannot be created or a value
// cannot be written.
int save_window_placement(const PlacementProfile& profile, int kind, const WindowPlacement& placement,
                          bool frame_minimised);
