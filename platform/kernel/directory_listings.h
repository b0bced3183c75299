// The kernel's listings of folders for the case-insensitive fallback of its
// path resolution. Outside a listing scope a folder is listed at each
// look-up; inside one (a converter run, a batch of them) it is listed once
// and remembered, and the entries this file layer makes and removes keep the
// memory up to date. Nothing else changes a folder while a run works in it.
#pragma once

#include <string>
#include <string_view>

// Looks in the folder `dir` for `name` without regard to the case of
// single-byte letters: false when `dir` is no folder, else true with `match`
// the first such entry in byte order, or "" when there is none.
bool find_listed_entry(const std::string& dir, std::string_view name, std::string& match);

// Inside a listing scope, a name is resolved from its folder's listing with
// no look at the disk (a name without a folder, or in a relative one, in the
// folder it names from the current directory): true with `path` turned into
// the name as it stands there (left as written when it is there so or not
// there at all). False, `path` untouched, outside a scope or for a path it
// cannot answer.
bool resolve_from_listing(std::string& path);

// The current directory changed: relative names are resolved against the
// new one.
void forget_listed_current_directory();

// True while a listing scope is open.
bool listing_scope_open();

// Inside a scope, for a resolved absolute path whose folder is remembered:
// true when the folder holds no entry of that name, so the disk need not be
// asked. False when the entry is there or the listing cannot tell.
bool listed_as_missing(const std::string& resolved);

// Whether a new entry can be made in the folder (the folder's own rights),
// looked at once per scope.
bool folder_takes_entries(const std::string& folder);

// The file layer made or removed the entry at this resolved path.
void note_entry_added(const std::string& path);
void note_entry_removed(const std::string& path);
