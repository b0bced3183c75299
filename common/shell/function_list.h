// Columns of the function-list print: the list's lines
// ("%-12s # %4d  %-16s : %s", file, line, name, purpose) measured and laid
// out in columns as wide as their widest entry.
#pragma once

#include <string>
#include <string_view>

// kind 1: file names without their directory; kind 2: no file column.
struct SummaryColumns {
    std::string header;
    int number_width = 7;
    int file_width = 0;
    int line_width = 0;
    int name_width = 0;
    int text_width = 0;
};

// 0 with the widths and the header line, or -1 when the file cannot be read
// or a line lacks one of its four parts.
int measure_summary_columns(int kind, const char* list_file, SummaryColumns& columns);

// One list line in columns: 0, or -1 (out empty) for a line of one byte or
// less or a line without its four parts.
int format_summary_line(int kind, std::string_view line, std::string& out, int file_width, int line_width,
                        int name_width);
