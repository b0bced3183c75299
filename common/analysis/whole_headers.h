// Headers entered whole: inside a batch, a header whose reading starts and
// ends with the scanner between two units, and whose inputs are what they
// were at an earlier reading (the macros it asks about, the files it opens
// and their stamps, the guards it meets), is not read again: what the
// reading left behind is applied at once. Anything else is read line by
// line, as it comes or from the header's trace.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/analysis/analysis_state.h"

// Whether a line's reading reports progress (then nothing is entered whole).
inline bool line_hook_enabled() {
    return g_analysis.hooks.on_line != nullptr &&
           (g_analysis.settings.progress_flag == 1 || g_analysis.settings.verbosity > 0);
}

inline bool noting_whole_readings() { return !g_analysis.whole_captures.empty(); }

// What a header's reading asks and does, for the readings being noted: a
// macro name looked up (with what it named), a macro change, an include
// name's answer, a guard record asked for a path (before it is asked), a
// guard recorded, an include file opened (nullptr: one not kept, which no
// entry can hold), the include stack and conditional depth as they stand.
void note_whole_lookup(std::string_view name, const MacroNode* node);
void note_whole_change(const std::shared_ptr<const MacroNode>& change);
void note_whole_answer(const std::string& key, const std::string& path);
void note_whole_guard_asked(const std::string& path);
void note_whole_guarded(const std::string& path, const std::string& name);
void note_whole_file(const std::string& path, const std::shared_ptr<KeptFile>& kept);
void note_whole_reach();
// A message about to be given: a warning is given again with the entry, an
// error leaves no entry.
void note_whole_message(int kind, int code, std::string_view text, std::string_view detail);
// The progress of the current file's line shown through the line hook;
// that a directive acts on the line whose progress was shown last.
void show_line_progress(int line);
void note_whole_directive();
// Something no entry holds happened (a failed open, say): the readings
// being noted leave no entry.
void spoil_whole_readings();

// At the first line of an include file, asked at the start of a unit: 1
// when it was entered whole (and closed), 0 when not (its reading may be
// noted then), or the code that stops the run (a warning not written).
int enter_header_whole(SourceFile& file);
// After an include file was closed at its end: the reading noted for it is
// kept when it ended as it started.
void end_whole_reading(const KeptFile* closed);
// No reading is noted any more (the files were closed, the state reset).
void drop_whole_readings();

// From the source reader: an include name's answer, worked out when the run
// has none ("" when not found); whether a file opened by an earlier reading
// is still the kept one, with its stamp unchanged (looked at once a run).
const std::string& include_answer(const std::string& key);
bool kept_file_holds(const EntryFile& file);
