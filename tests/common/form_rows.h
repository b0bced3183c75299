// The form's text rows as a user reads them, and expected rows written
// readably in UTF-8.
#pragma once

#include <string>
#include <vector>

#include "notarix/form/form_grid.h"
#include "tests/common/sjis.h"

// Rows first..last of the form, trailing blanks removed.
inline std::vector<std::string> form_rows(int first, int last) {
    std::vector<std::string> out;
    for (int r = first; r <= last; ++r) {
        std::string row = form_grids().rows[static_cast<size_t>(r)];
        while (!row.empty() && row.back() == ' ') row.pop_back();
        out.push_back(row);
    }
    return out;
}

// Each line in Shift-JIS.
inline std::vector<std::string> sjis_lines(const std::vector<std::string>& utf8) {
    std::vector<std::string> out;
    for (const std::string& line : utf8) out.push_back(sjis(line));
    return out;
}
