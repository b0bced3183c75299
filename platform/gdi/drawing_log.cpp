// The in-memory drawing log.
#include "platform/gdi/drawing_log.h"

#include <algorithm>
#include <cstdio>
#include <deque>

#include "platform/gdi/gdi_internal.h"

namespace {

struct LogState {
    std::deque<DrawingLogEntry> entries;
    bool enabled = true;
    size_t limit = 200000;
};

LogState& log_state() {
    static LogState state;
    return state;
}

void append_points(std::string& out, char tag, const std::vector<POINT>& points) {
    out += ' ';
    out += tag;
    for (const POINT& p : points) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "(%d,%d)", static_cast<int>(p.x), static_cast<int>(p.y));
        out += buffer;
    }
}

}  // namespace

const char* dc_kind_name(DcKind kind) {
    switch (kind) {
    case DcKind::Window: return "window";
    case DcKind::Memory: return "memory";
    case DcKind::Printer: return "printer";
    case DcKind::Information: return "info";
    case DcKind::Display: return "display";
    }
    return "?";
}

std::vector<DrawingLogEntry> drawing_log_entries() {
    const auto& entries = log_state().entries;
    return {entries.begin(), entries.end()};
}

std::vector<DrawingLogEntry> drawing_log_entries_for_window(HWND window) {
    std::vector<DrawingLogEntry> out;
    for (const DrawingLogEntry& e : log_state().entries) {
        if (e.window == window) out.push_back(e);
    }
    return out;
}

std::vector<DrawingLogEntry> drawing_log_last_print_job() {
    const auto& entries = log_state().entries;
    auto start = std::find_if(entries.rbegin(), entries.rend(), [](const DrawingLogEntry& e) {
        return e.dc_kind == DcKind::Printer && e.op == "StartDocA";
    });
    std::vector<DrawingLogEntry> out;
    if (start == entries.rend()) return out;
    const int dc = start->dc_id;
    for (auto it = start.base() - 1; it != entries.end(); ++it) {
        if (it->dc_id != dc) continue;
        out.push_back(*it);
        if (it->op == "EndDoc" || it->op == "AbortDoc") break;
    }
    return out;
}

size_t drawing_log_size() { return log_state().entries.size(); }

void clear_drawing_log() { log_state().entries.clear(); }

void set_drawing_log_enabled(bool enabled) { log_state().enabled = enabled; }

bool drawing_log_enabled() { return log_state().enabled; }

void set_drawing_log_limit(size_t limit) {
    LogState& s = log_state();
    s.limit = limit == 0 ? 1 : limit;
    while (s.entries.size() > s.limit) s.entries.pop_front();
}

std::string format_drawing_log_entry(const DrawingLogEntry& entry) {
    std::string out = dc_kind_name(entry.dc_kind);
    out += '#';
    out += std::to_string(entry.dc_id);
    if (entry.page > 0) out += " page " + std::to_string(entry.page);
    out += ' ';
    out += entry.op;
    if (!entry.logical.empty()) append_points(out, 'L', entry.logical);
    if (!entry.device.empty()) append_points(out, 'D', entry.device);
    if (!entry.params.empty()) {
        out += ' ';
        out += entry.params;
    }
    if (!entry.text.empty()) {
        out += " [";
        out += entry.text;
        out += ']';
    }
    return out;
}

namespace gdi {

void log_call(const DeviceContext& dc, const char* op, const std::vector<POINT>& logical,
              const std::vector<POINT>& device, std::string params, std::string text) {
    LogState& s = log_state();
    if (!s.enabled) return;
    DrawingLogEntry e;
    e.dc_id = dc.id;
    e.dc_kind = dc.kind;
    e.window = dc.window;
    e.page = dc.in_page ? dc.page_number : 0;
    e.op = op;
    e.logical = logical;
    e.device = device;
    e.params = std::move(params);
    e.text = std::move(text);
    s.entries.push_back(std::move(e));
    while (s.entries.size() > s.limit) s.entries.pop_front();
}

}  // namespace gdi
