// The list of recently opened sources, kept inside the settings record: a
// count and fixed slots of names, newest first, no name twice. Where the
// count and the slots lie is the profile's.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/shell/settings_file.h"

// Entries in use: the stored count, never more than there are slots.
int recent_file_count(const SettingsRecord& record);
int recent_file_slots(const SettingsRecord& record);
// The name of entry i (from 0, newest), "" outside the list.
std::string recent_file(const SettingsRecord& record, int index);
std::vector<std::string> recent_file_names(const SettingsRecord& record);

// Results of adding a name.
enum : int {
    kRecentAdded = 0,
    kRecentRefused = -1,  // empty, or too long for a slot (a slot holds its width less one byte)
};

// Lower-cases the name in place (single-byte letters only), removes an equal
// entry, shifts the others one place back (the oldest falls out when the
// list is full) and puts the name in entry 0. A name that does not fit a
// slot is refused and the list stays as it was: a cut name would name
// another file.
int add_recent_file_entry(SettingsRecord& record, std::string& name);

// add_recent_file_entry, then the settings file is written. The write's
// result goes to *write_result when given; the list is not reported as failed
// for it (the change stays in memory and goes out with the next save).
int add_recent_file(SettingsRecord& record, std::string& name, std::string_view directory,
                    int* write_result = nullptr);
