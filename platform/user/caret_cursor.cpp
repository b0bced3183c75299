// Carets, cursors and icons. Nothing is drawn for them: their state is what
// the programs and the automation interface read back.
#include <algorithm>
#include <cstring>

#include "platform/user/live_display.h"
#include "platform/user/user_internal.h"

using namespace platform_user;

namespace {

struct StandardName {
    WORD id;
    const char* name;
};

// Standard cursors (IDC_) and icons (IDI_) share the numbers from 32512.
const StandardName standard_cursors[] = {
    {32512, "IDC_ARROW"},  {32513, "IDC_IBEAM"},     {32514, "IDC_WAIT"},     {32515, "IDC_CROSS"},
    {32516, "IDC_UPARROW"}, {32640, "IDC_SIZE"},     {32641, "IDC_ICON"},     {32642, "IDC_SIZENWSE"},
    {32643, "IDC_SIZENESW"}, {32644, "IDC_SIZEWE"},  {32645, "IDC_SIZENS"},   {32646, "IDC_SIZEALL"},
    {32648, "IDC_NO"},     {32650, "IDC_APPSTARTING"}, {32651, "IDC_HELP"},
};

const StandardName standard_icons[] = {
    {32512, "IDI_APPLICATION"}, {32513, "IDI_HAND"}, {32514, "IDI_QUESTION"},
    {32515, "IDI_EXCLAMATION"}, {32516, "IDI_ASTERISK"},
};

const char* standard_name(const StandardName* table, size_t count, LPCSTR name) {
    if (!IS_INTRESOURCE(name)) return nullptr;
    WORD id = static_cast<WORD>(reinterpret_cast<uintptr_t>(name));
    for (size_t i = 0; i < count; ++i) {
        if (table[i].id == id) return table[i].name;
    }
    return nullptr;
}

HCURSOR shared_cursor(const std::string& key, const ImageResource* image, bool standard) {
    UserState& s = state();
    auto it = s.cursor_by_name.find(key);
    if (it != s.cursor_by_name.end()) return it->second;
    HCURSOR handle = static_cast<HCURSOR>(new_handle());
    CursorRecord record;
    record.name = standard ? key : (image ? image->name : key);
    record.image = image;
    record.standard = standard;
    s.cursors[reinterpret_cast<uintptr_t>(handle)] = record;
    s.cursor_by_name[key] = handle;
    return handle;
}

}  // namespace

namespace platform_user {

void hide_caret_for_paint(HWND window) {
    UserState& s = state();
    if (s.caret.window && s.caret.window == window) {
        s.caret.hide_count++;
        s.caret.paint_hidden++;
    }
}

void show_caret_after_paint(HWND window) {
    UserState& s = state();
    if (s.caret.window && s.caret.window == window && s.caret.paint_hidden > 0 && s.caret.hide_count > 0) {
        s.caret.hide_count--;
        s.caret.paint_hidden--;
    }
}

}  // namespace platform_user

// --- Carets --------------------------------------------------------------------

BOOL CreateCaret(HWND window, HBITMAP /*bitmap*/, int width, int height) {
    if (!find_window(window)) return FALSE;
    UserState& s = state();
    s.caret = CaretState{};
    s.caret.window = window;
    s.caret.width = width > 0 ? width : 1;
    s.caret.height = height > 0 ? height : 16;
    return TRUE;
}

BOOL DestroyCaret() {
    UserState& s = state();
    bool had = s.caret.window != nullptr;
    s.caret = CaretState{};
    return had;
}

BOOL SetCaretPos(int x, int y) {
    UserState& s = state();
    if (!s.caret.window) return FALSE;
    s.caret.pos = POINT{x, y};
    return TRUE;
}

BOOL GetCaretPos(POINT* point) {
    if (!point) return FALSE;
    *point = state().caret.pos;
    return TRUE;
}

BOOL ShowCaret(HWND window) {
    UserState& s = state();
    if (!s.caret.window || (window && window != s.caret.window) || s.caret.hide_count == 0) return FALSE;
    s.caret.hide_count--;
    return TRUE;
}

BOOL HideCaret(HWND window) {
    UserState& s = state();
    if (!s.caret.window || (window && window != s.caret.window)) return FALSE;
    s.caret.hide_count++;
    return TRUE;
}

// --- Cursors ----------------------------------------------------------------------

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (!name) return nullptr;
    if (!instance) {
        const char* standard = standard_name(standard_cursors, std::size(standard_cursors), name);
        return standard ? shared_cursor(standard, nullptr, true) : nullptr;
    }
    const ImageResource* image = find_cursor_resource(name);
    if (!image) return nullptr;
    return shared_cursor("RES:" + upper_ascii(image->name), image, false);
}

HCURSOR SetCursor(HCURSOR cursor) {
    UserState& s = state();
    HCURSOR previous = s.cursor;
    s.cursor = cursor;
    if (cursor != previous) {
        if (LiveDisplay* display = attached_display()) display->cursor_changed(cursor);
    }
    return previous;
}

HCURSOR GetCursor() {
    return state().cursor;
}

BOOL DestroyCursor(HCURSOR cursor) {
    // Loaded cursors are shared and stay valid, as on Windows.
    return state().cursors.count(reinterpret_cast<uintptr_t>(cursor)) ? TRUE : FALSE;
}

int ShowCursor(BOOL show) {
    UserState& s = state();
    s.cursor_show_count += show ? 1 : -1;
    return s.cursor_show_count;
}

BOOL GetCursorPos(POINT* point) {
    if (!point) return FALSE;
    *point = state().cursor_pos;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    state().cursor_pos = POINT{x, y};
    return TRUE;
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (!name) return nullptr;
    std::string key;
    if (!instance) {
        const char* standard = standard_name(standard_icons, std::size(standard_icons), name);
        if (!standard) return nullptr;
        key = standard;
    } else {
        const ImageResource* image = find_icon_resource(name);
        if (!image) return nullptr;
        key = image->name;
    }
    UserState& s = state();
    for (auto& [handle, icon_name] : s.icons) {
        if (icon_name == key) return reinterpret_cast<HICON>(handle);
    }
    HICON handle = static_cast<HICON>(new_handle());
    s.icons[reinterpret_cast<uintptr_t>(handle)] = key;
    return handle;
}

BOOL DestroyIcon(HICON icon) {
    return state().icons.count(reinterpret_cast<uintptr_t>(icon)) ? TRUE : FALSE;
}

int LoadStringA(HINSTANCE /*instance*/, UINT id, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    buffer[0] = '\0';
    const StringResource* s = find_string_resource(id);
    if (!s || !s->text) return 0;
    size_t n = std::min(std::strlen(s->text), static_cast<size_t>(size - 1));
    std::memcpy(buffer, s->text, n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}
