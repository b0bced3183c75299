// The registry of program resources and the lookups by name.
#include "platform/user/resources.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/gdi_support.h"

namespace {

std::vector<const ResourceTable*>& tables() {
    static std::vector<const ResourceTable*> list;
    return list;
}

bool equal_ignoring_case(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        char x = *a, y = *b;
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return *a == *b;
}

template <typename T, typename Get>
const T* find_named(LPCSTR name, Get get) {
    if (!name) return nullptr;
    for (auto it = tables().rbegin(); it != tables().rend(); ++it) {
        for (const T& item : get(**it)) {
            if (resource_name_matches(name, item.name)) return &item;
        }
    }
    return nullptr;
}

}  // namespace

bool resource_name_matches(LPCSTR name, const char* table_name) {
    if (!name || !table_name) return false;
    if (IS_INTRESOURCE(name)) {
        if (table_name[0] != '#') return false;
        char* end = nullptr;
        long n = std::strtol(table_name + 1, &end, 10);
        return end && *end == '\0' && n == static_cast<long>(reinterpret_cast<uintptr_t>(name));
    }
    return equal_ignoring_case(name, table_name);
}

void register_program_resources(const ResourceTable* table) {
    if (!table) return;
    tables().push_back(table);
    for (const ImageResource& bitmap : table->bitmaps) {
        register_bitmap_resource(bitmap.name, bitmap.width, bitmap.height, bitmap.pixels);
    }
}

void clear_program_resources() {
    tables().clear();
    clear_bitmap_resources();
}

const MenuResource* find_menu_resource(LPCSTR name) {
    return find_named<MenuResource>(name, [](const ResourceTable& t) { return t.menus; });
}

const AcceleratorResource* find_accelerator_resource(LPCSTR name) {
    return find_named<AcceleratorResource>(name, [](const ResourceTable& t) { return t.accelerators; });
}

const ImageResource* find_cursor_resource(LPCSTR name) {
    return find_named<ImageResource>(name, [](const ResourceTable& t) { return t.cursors; });
}

const ImageResource* find_icon_resource(LPCSTR name) {
    return find_named<ImageResource>(name, [](const ResourceTable& t) { return t.icons; });
}

const DialogTemplate* find_dialog_resource(LPCSTR name) {
    return find_named<DialogTemplate>(name, [](const ResourceTable& t) { return t.dialogs; });
}

const StringResource* find_string_resource(UINT id) {
    for (auto it = tables().rbegin(); it != tables().rend(); ++it) {
        for (const StringResource& s : (*it)->strings) {
            if (s.id == id) return &s;
        }
    }
    return nullptr;
}
