// The recent-file items of the frame's first menu: a separator, then one
// item "&n name" per entry of the list. Items are added as the list grows
// and renamed afterwards; they are never removed, as the list never shrinks.
#pragma once

#include "common/shell/settings_file.h"
#include "platform/types.h"

struct RecentMenuProfile {
    UINT separator_id;   // 4101 in NOTARIX
    UINT first_item_id;  // entry i has first_item_id + i
};

// What this run has appended to the menu so far.
struct RecentMenuState {
    bool separator_added = false;
    bool item_added[8] = {};
};

// Brings the items of the first submenu of the frame's menu up to date with
// the record's list and redraws the menu bar; nothing when the list is empty.
void build_recent_files_menu(HWND frame, const RecentMenuProfile& profile, const SettingsRecord& record,
                             RecentMenuState& state);

// The entry that a command id chooses, or -1 when the id is not one of the
// list's items (or lies past the list's entries).
int recent_menu_entry(const RecentMenuProfile& profile, const SettingsRecord& record, UINT command_id);
