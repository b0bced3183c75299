// What a print job drew, read back from the drawing log: the printer's
// calls by operation, and its texts joined into lines (a text drawn piece
// by piece is one line: consecutive calls on the same page and y).
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/drawing_log.h"

inline std::vector<DrawingLogEntry> printer_calls(const std::string& op = "") {
    std::vector<DrawingLogEntry> out;
    for (const DrawingLogEntry& e : drawing_log_entries()) {
        if (e.dc_kind == DcKind::Printer && (op.empty() || e.op == op)) out.push_back(e);
    }
    return out;
}

struct PrintedLine {
    int page = 0;
    int x = 0, y = 0;  // logical point of the first call
    std::string text;
};

inline std::vector<PrintedLine> printed_lines() {
    std::vector<PrintedLine> out;
    for (const DrawingLogEntry& e : printer_calls("TextOutA")) {
        if (e.logical.empty()) continue;
        const POINT at = e.logical.front();
        if (!out.empty() && out.back().page == e.page && out.back().y == at.y) {
            out.back().text += e.text;
            continue;
        }
        out.push_back(PrintedLine{e.page, static_cast<int>(at.x), static_cast<int>(at.y), e.text});
    }
    return out;
}

// The line printed with this text (nullptr when none).
inline const PrintedLine* find_line(const std::vector<PrintedLine>& lines, const std::string& text) {
    for (const PrintedLine& line : lines) {
        if (line.text == text) return &line;
    }
    return nullptr;
}
