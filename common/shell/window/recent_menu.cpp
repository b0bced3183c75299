#include "common/shell/window/recent_menu.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "common/shell/recent_files.h"
#include "platform/user/winuser.h"

namespace {

constexpr int kMaxItems = static_cast<int>(sizeof(RecentMenuState{}.item_added));

std::string item_text(int index, const std::string& name) {
    char number[16];
    std::snprintf(number, sizeof number, "&%d ", index + 1);
    return number + name;
}

}  // namespace

void build_recent_files_menu(HWND frame, const RecentMenuProfile& profile, const SettingsRecord& record,
                             RecentMenuState& state) {
    const int count = std::min(recent_file_count(record), kMaxItems);
    if (count == 0) return;
    HMENU file_menu = GetSubMenu(GetMenu(frame), 0);
    if (!file_menu) return;
    // A menu replaced since (the frame's menu set anew) has lost the items
    // this run appended: start again.
    if (state.item_added[0] && GetMenuState(file_menu, profile.first_item_id, MF_BYCOMMAND) == static_cast<UINT>(-1))
        state = RecentMenuState{};
    if (!state.separator_added) {
        state.separator_added = AppendMenuA(file_menu, MF_SEPARATOR, profile.separator_id, nullptr) != FALSE;
    }
    for (int i = 0; i < count; ++i) {
        const std::string text = item_text(i, recent_file(record, i));
        const UINT id = profile.first_item_id + static_cast<UINT>(i);
        if (state.item_added[i]) {
            ModifyMenuA(file_menu, id, MF_BYCOMMAND | MF_STRING, id, text.c_str());
        } else {
            state.item_added[i] = AppendMenuA(file_menu, MF_STRING, id, text.c_str()) != FALSE;
        }
    }
    DrawMenuBar(frame);
}

int recent_menu_entry(const RecentMenuProfile& profile, const SettingsRecord& record, UINT command_id) {
    if (command_id < profile.first_item_id) return -1;
    const UINT index = command_id - profile.first_item_id;
    return index < static_cast<UINT>(recent_file_count(record)) ? static_cast<int>(index) : -1;
}
