// The "&" macros of print header and footer lines.
#pragma once

#include <string>
#include <string_view>

// Replaces every "&" and its letter by the macro's value, the local date and
// time being read once: &D &M &Y day, month, year (two digits), &S the
// Japanese era year, &T the time, &P the page, &F the file name as given,
// &f its name part, &w its directory part, &N the caller's text. Any other
// letter is dropped with its "&"; a lone "&" at the end is dropped.
void expand_header_macros(std::string_view line, std::string& out, std::string_view file_name,
                          std::string_view text, int page);
