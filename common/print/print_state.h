// The printing subsystem's state in one record: the program's profile and
// host services, the running job (printer kind, orientation, overlay, the
// LIPS port and font slots), the print-manager device and the PostScript
// stream. reset() gives tests a clean start.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/gdi/wingdi.h"
#include "platform/user/commdlg.h"

// What the three programs' printing differs in.
struct PrintProfile {
    const char* document_name_format;  // StartDocA's name, "%s" the current file
    const char* failure_caption;       // caption of the device's failure boxes
    bool enlarged_font_moves_up;       // the enlarged font lifts the line by 10 units
    // The list jobs' questions are OK/Cancel boxes even where their text
    // ends with "？" (GRAVLET's); else the question box decides.
    bool ok_cancel_questions = false;
};

extern const PrintProfile kNotarixPrintProfile;
extern const PrintProfile kGravletPrintProfile;
extern const PrintProfile kOrbalinePrintProfile;

// What printing asks of the program around it. Empty members fall back to
// NOTARIX's document state and a plain message box.
struct PrintHost {
    const PrintProfile* profile = &kNotarixPrintProfile;
    // The abort flag that the progress meter's Cancel sets (null: the
    // document state's).
    bool* abort_flag = nullptr;
    // The current document's file name, for the document name.
    std::function<std::string()> current_file;
    // The notify box: a beep and an OK box with this caption and text.
    std::function<void(std::string_view caption, std::string_view text)> notify;
    // The warning box: the notify box with the exclamation icon.
    std::function<void(std::string_view caption, std::string_view text)> warn;
    // The question box (OK/Cancel, or Yes/No for a text with "？" unless the
    // profile keeps OK/Cancel): true when the user goes on. Null: a plain
    // message box.
    std::function<bool(std::string_view caption, std::string_view text)> ask;
    // The status bar: mode 1 shows the text, any other mode the default.
    std::function<void(int mode, const std::string& text)> set_status_text;
    HWND owner = nullptr;
};

// The job values every operation reads.
struct PrintJobState {
    int kind = 1;         // PrinterKind, copied from the settings at job start
    int orientation = 0;  // 0 landscape, 1 portrait, others as the settings name them
    int overlay = 0;      // the last OV record; only 3 matters
    int port = 0;         // LIPS port handle; 0 while closed
    // LIPS font set numbers of the roman, katakana, kanji and ruled-line slots.
    int roman_slot = 0, kana_slot = 1, kanji_slot = 2, ruled_slot = 3;
    // Text placement of the print-manager back end: -1 for function
    // document pages and the preview, 0-3 for the list jobs; page_text is 1 while a
    // function's records are drawn and 0 while the form is.
    int job_kind = -1;
    int page_text = 0;
    // A write failed or the job was dropped: the job cannot end well.
    bool failed = false;
};

// The set-up record as start-up leaves it: the printer dialog returns a
// context, no page numbers, no selection, one copy.
PRINTDLGA initial_printer_setup();
// The printer font when the program chose none: "ＭＳ 明朝", normal weight.
LOGFONTA default_printer_font();

// The print-manager device.
struct PrinterDeviceState {
    PRINTDLGA* setup = nullptr;          // the set-up record (null: own_setup)
    const LOGFONTA* font_choice = nullptr;  // the printer font (null: own_font)
    PRINTDLGA own_setup = initial_printer_setup();
    LOGFONTA own_font = default_printer_font();

    HDC printer_dc = nullptr;  // the printer's context while a job or preview uses it
    HDC dc = nullptr;          // the context drawn into (the page box's during a preview paint)
    int orientation = 0;
    bool preview = false;
    bool document_started = false;
    bool page_started = false;

    int pen_style = 0;  // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot
    int pen_width = 2;  // logical units
    HPEN pen = nullptr;
    HGDIOBJ previous_pen = nullptr;
    HRGN clip = nullptr;
    HFONT font = nullptr;
    HGDIOBJ previous_font = nullptr;
    int font_height = 0, font_width = 0;

    int base_size = 78, cell_height = 80, cell_width = 40;
    int scale_height = 100, scale_width = 100;
    int x = 0, y = 0;  // y is the requested row top + the cell height

    bool round_next_box = false;
    int radius = 0;

    int vertres = 0;                                 // of the device, for clipping
    int printer_horzres = 0, printer_vertres = 0;    // kept for the preview's page box

    PRINTDLGA& setup_record() { return setup != nullptr ? *setup : own_setup; }
    const LOGFONTA& font_record() const { return font_choice != nullptr ? *font_choice : own_font; }
};

// The PostScript back end.
struct PostScriptState {
    int fd = -1;  // the output stream
    std::string path;
    bool write_failed = false;
    bool landscape = true;
    bool restart_pending = false;
    int text_x = 0, text_y = 0;  // points
    int pitch = 5;               // points a byte of text
    bool round_next_box = false;
    int radius = 0;  // logical units
    double line_width = 0;
    int flip_factor = 1;
    const char* font_name = nullptr;  // the face set last, for the character scale
    int font_points = 8;
};

struct PrintState {
    PrintHost host;
    PrintJobState job;
    PrinterDeviceState device;
    PostScriptState postscript;
    // The file that the last job could not open, for its status text.
    std::string failing_file;

    // Ends whatever is still open (port, stream, device objects, the
    // context this record made) and starts afresh; the host stays.
    void reset();
};

PrintState& print_state();

// The abort flag of the running job.
bool& print_abort_flag();
// Shows the notify box through the host.
void notify_print_failure(std::string_view caption, std::string_view text);
// The warning box and the question box through the host (lines joined as a
// message box joins them).
void warn_print_user(std::string_view caption, std::string_view text);
bool ask_print_user(std::string_view caption, std::string_view line1, std::string_view line2 = {},
                    std::string_view line3 = {});
// The status bar through the host (nothing without one).
void set_print_status_text(int mode, const std::string& text);
// The text of a message of the running program's table ("" when there is none).
std::string print_message(int id);
// Lets at most one waiting window message through (translated and
// dispatched), so that a Cancel button works during a long job.
void pump_one_message();
