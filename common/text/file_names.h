// File-name helpers of the viewer and its runs. Paths are Shift-JIS; "\" and
// "/" both separate, and a trail byte is never taken for a separator.
#pragma once

#include <string>
#include <string_view>

#include "common/analysis/line_reader.h"

// Position of the last "\" or "/" (or ":" too when colon_too), -1 if none.
int find_last_separator(std::string_view path, bool colon_too);

// The file part after the last separator or ":".
std::string_view file_part(std::string_view path);

// Replaces the extension (the last "." of the file part, position 0 of the
// path excepted) by ext, which holds its dot (".lin"); appends ext when the
// file part has no extension.
void set_file_extension(std::string& path, std::string_view ext);

// directory = path up to and including its last separator ("" when none),
// name = the rest.
void split_path(std::string_view path, std::string& directory, std::string& name);

// Puts the first directory of an environment variable (cut at ";", blanks
// trimmed, a separator added) in front of a bare file name; a path holding a
// separator or ":" stays as it is.
void resolve_in_env_dir(std::string& path, const char* variable);

// Changes the current directory to the directory of the path (nothing when
// the path has no directory); failures are silent. Returns 0.
int change_to_file_directory(std::string_view path);

// The absolute form of a file name, in lower case; the current directory is
// left as it was.
std::string make_absolute_path(std::string_view name);

// 1 when the extension (from the last ".") is ".c" or ".cpp" in any case.
int is_c_source_name(std::string_view name);

// Modification times (whole seconds): 4 neither file exists, 3 only a,
// 2 only b, 1 a is older than b, 0 both exist and a is not older.
int compare_file_times(const char* a, const char* b);

// Number of reads of at most 255 bytes up to a line end (a longer line counts
// once per piece); 0 when the file cannot be opened.
int count_file_lines(const char* path);
