// Names as the system holds them (Shift-JIS) and as the disk holds them
// (UTF-8, as every Linux desktop writes them). Only names are converted,
// never the contents of files.
//
// A disk name without a Shift-JIS form (bytes that are no UTF-8, or a
// character that Shift-JIS lacks or would give back as another) is given to
// the system escaped: each such byte as "〓" and two hexadecimal digits. A
// disk name that holds "〓" itself is escaped the same way, so a system name
// with "〓" is always an escaped one: it has no disk name, and an open by it
// finds nothing, never another file.
#pragma once

#include <string>
#include <string_view>

// The system's form of a disk name or path.
std::string system_name_of(std::string_view disk);

// Turns a system name or path into the disk's form; false, with the name
// left alone, when it has none (an escaped name, or bytes that are no
// Shift-JIS).
bool to_disk_name(std::string& name);

// The current directory as the disk names it, "" when it cannot be told.
std::string disk_current_directory();
