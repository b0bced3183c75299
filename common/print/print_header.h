// The print header files (.hd0 cover, .hd1 function list, .hd2 main
// document, .hd3 source, .hd4 summary): line 1 the header, line 2 the
// footer, both with the '&' macros of header_macros.h.
#pragma once

#include <string>
#include <string_view>

inline constexpr int kPrintHeaderLineBytes = 255;

struct HeaderLines {
    std::string header;
    std::string footer;
    bool read = false;
};

// The file a base name gives with this extension: the extension replaced,
// and a bare name that is not there as written looked for in the first
// directory of KRT.
std::string header_file_name(std::string_view base, std::string_view extension);

// Reads the two lines of the header file of `base` with `extension`:
// 0 read; -1 not found or unreadable (its name in `failing_name`); -2 no
// base name. Each line loses its line end and is kept to 255 bytes, cut at
// a character boundary; a missing line stays empty. The lines are cleared
// first, whatever the result.
int read_header_file(std::string_view base, std::string_view extension, HeaderLines& lines,
                     std::string& failing_name);
