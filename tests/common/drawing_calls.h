// The drawing log's entries of one call ("LineTo", "Rectangle", ...).
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/drawing_log.h"

inline std::vector<DrawingLogEntry> drawing_calls(const std::string& op) {
    std::vector<DrawingLogEntry> out;
    for (const DrawingLogEntry& e : drawing_log_entries()) {
        if (e.op == op) out.push_back(e);
    }
    return out;
}
