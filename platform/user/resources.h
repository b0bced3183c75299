// A program's resources, written as C++ tables: menus, accelerator tables,
// cursors, icons, bitmaps, strings and dialog templates. Names are matched
// without regard to case; an integer resource n is named "#n" (so a lookup
// with MAKEINTRESOURCEA(n) finds it). Texts are Shift-JIS bytes.
#pragma once

#include <cstdint>
#include <span>

#include "platform/user/winuser.h"

// One item of a menu template. A popup carries its items in `popup` and the
// MF_POPUP flag; a separator is {MF_SEPARATOR}. Flags are the MF_ values an
// item starts with (MF_GRAYED, MF_CHECKED, ...).
struct MenuItemTemplate {
    UINT flags = 0;
    UINT id = 0;
    const char* text = nullptr;
    std::span<const MenuItemTemplate> popup = {};
};

struct MenuResource {
    const char* name;
    std::span<const MenuItemTemplate> items;  // the menu bar (or top popup level)
};

struct AcceleratorResource {
    const char* name;
    std::span<const ACCEL> entries;
};

// A small image: width x height pixels 0xAARRGGBB, rows from the top. A pixel
// with alpha 0 is transparent (the screen shows through a cursor there).
struct ImageResource {
    const char* name;
    int width;
    int height;
    int hot_x;  // cursors: the hot spot
    int hot_y;
    const uint32_t* pixels;
};

struct StringResource {
    UINT id;
    const char* text;
};

// A control of a dialog template. Positions and sizes are in dialog units.
struct DialogItemTemplate {
    const char* class_name;  // "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX", "SCROLLBAR", "SysListView32", ..., or a registered class
    const char* text;
    int id;
    int x;
    int y;
    int cx;
    int cy;
    DWORD style;  // WS_CHILD | WS_VISIBLE are added by the dialog manager
    DWORD ex_style = 0;
};

struct DialogTemplate {
    const char* name;
    DWORD style;
    DWORD ex_style;
    int x;
    int y;
    int cx;
    int cy;
    const char* caption;
    int font_size;             // points, with DS_SETFONT
    const char* font_face;     // may be null
    const char* menu;          // may be null
    const char* class_name;    // null: the standard dialog class
    std::span<const DialogItemTemplate> items;
};

struct ResourceTable {
    const char* program;  // for messages only
    std::span<const MenuResource> menus = {};
    std::span<const AcceleratorResource> accelerators = {};
    std::span<const ImageResource> cursors = {};
    std::span<const ImageResource> icons = {};
    std::span<const ImageResource> bitmaps = {};  // handed to LoadBitmapA's registry
    std::span<const StringResource> strings = {};
    std::span<const DialogTemplate> dialogs = {};
};

// Makes the table's resources available to LoadMenuA, LoadAcceleratorsA,
// LoadCursorA, LoadIconA, LoadBitmapA, LoadStringA and the dialog manager.
// The table must outlive its use. Tables registered later are searched first.
void register_program_resources(const ResourceTable* table);
// Forgets every table, and the bitmaps they handed to LoadBitmapA's registry.
void clear_program_resources();

// Lookups by name without regard to case (or MAKEINTRESOURCEA ids); nullptr
// when no registered table has the name.
const MenuResource* find_menu_resource(LPCSTR name);
const AcceleratorResource* find_accelerator_resource(LPCSTR name);
const ImageResource* find_cursor_resource(LPCSTR name);
const ImageResource* find_icon_resource(LPCSTR name);
const DialogTemplate* find_dialog_resource(LPCSTR name);
const StringResource* find_string_resource(UINT id);

// True when `name` (a string or MAKEINTRESOURCEA id) names the resource
// written as `table_name` ("NXW_pad_menu", "#750").
bool resource_name_matches(LPCSTR name, const char* table_name);
