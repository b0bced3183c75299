// The drawing log: every GDI drawing call with the context it went to, its
// logical and device coordinates and its parameters, kept in memory so that
// tests and scripts can check geometry without pixels; recorded only for them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/types.h"

enum class DcKind {
    Window,       // a window's surface (create_surface_dc)
    Memory,       // CreateCompatibleDC
    Printer,      // CreateDCA of a printer: pages go to a PDF job
    Information,  // CreateICA: questions only, nothing is drawn
    Display,      // CreateDCA("DISPLAY"): the screen as a whole, nothing is drawn
};

const char* dc_kind_name(DcKind kind);  // "window", "memory", "printer", "info", "display"

struct DrawingLogEntry {
    int dc_id = 0;  // numbered from 1 in order of creation
    DcKind dc_kind = DcKind::Window;
    HWND window = nullptr;  // window contexts only
    int page = 0;           // printer contexts: page number from 1 (0 outside a page)
    std::string op;         // the call: "LineTo", "Rectangle", "TextOutA", "BitBlt", ...
    std::vector<POINT> logical;  // the points as given (rectangles as two corners)
    std::vector<POINT> device;   // the same points in the context's device units
    std::string params;          // "pen=solid,1,#000000 brush=null rop2=13", ...
    std::string text;            // text calls: the Shift-JIS bytes drawn
};

// Entries in order, oldest first. Copies, so the log may go on growing.
std::vector<DrawingLogEntry> drawing_log_entries();
std::vector<DrawingLogEntry> drawing_log_entries_for_window(HWND window);
// The entries of the last print job: from its StartDocA to its EndDoc (or
// AbortDoc, or the last entry of its context when it is still running).
// Empty when no job has started.
std::vector<DrawingLogEntry> drawing_log_last_print_job();
size_t drawing_log_size();
void clear_drawing_log();

// Recording is on in a process until a program run decides: a program
// keeps no log (automation::run_main switches it off) unless its script
// reads one, and automation::reset() switches it on for the next test.
// Past `limit` entries the oldest are dropped (default 200000), so a long
// headless run cannot grow without bound.
void set_drawing_log_enabled(bool enabled);
bool drawing_log_enabled();
void set_drawing_log_limit(size_t limit);

// One line: "window#3 Rectangle L(10,10)(50,40) D(10,10)(50,40) pen=... [text]".
// Text is shown as its Shift-JIS bytes.
std::string format_drawing_log_entry(const DrawingLogEntry& entry);
