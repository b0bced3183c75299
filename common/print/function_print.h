// Function printing: for every function of a range the page form
// (.lis) and the function's page records (.lin) replayed by the one
// page-record interpreter onto a back end, the printer's here and the text
// grid's in function_text.h; a footer from the .hd2 header file stands on every
// function page at the form's $FT field. The preview paints its pages with
// the same routines.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/print/print_header.h"
#include "common/print/print_primitives.h"
#include "common/print/print_settings.h"
#include "common/shell/page_records.h"

// The state of the function runs: the interpreter's geometry, kept
// from run to run (every form and page sets it again with ZO, PP and SP),
// and the running job's values.
struct SpecPrintState {
    PageRecordState geometry;
    int first_function = 1;  // 1-based, as the settings hold them
    int last_function = 1;
    int page_number = 1;     // the &P of the next footer
    int progress_done = 0;
    int progress_total = 0;
    HeaderLines lines;       // of the .hd2 file
    std::string page_title;  // the first two texts of the running replay
    std::string layout_file;  // the settings' layout name ("" for the default form)

    // Finds the $FT field of a field file: 0 with its column and row, -1
    // when the file or the field is not there. NOTARIX's start-up sets it.
    std::function<int(const std::string& fms, int& column, int& row)> find_footer_field;

    void reset();
};

SpecPrintState& spec_print_state();

// --- Replays --------------------------------------------------------------------

enum SpecReplayMode : int {
    kReplayForm = 0,      // the page form
    kReplayFunction = 1,  // a function's page, up to its ZC
    kReplayHeader = 2,    // the document's header lines
};

// What one replay adds to its back end's texts: the page title from the
// first two texts (the first, two blanks, the second), and on a function
// page the footer once the first text is drawn.
class SpecPageRun;

// A back end of the function runs: its primitive set, and how it
// puts the footer text at a point of the page.
class SpecPageSink {
public:
    virtual ~SpecPageSink() = default;
    virtual PrimitiveSet& primitives() = 0;
    virtual int put_footer(int y, int x, std::string_view text) = 0;
    // The printer puts the footer one column left of the field; the text
    // grid at it.
    virtual bool footer_column_reduced() const = 0;

    // The run whose texts this back end reports (nullptr between runs).
    void attach(SpecPageRun* run) { run_ = run; }

protected:
    // Called by the back end after each text it drew: 0, or the footer's
    // failure, which then stops the replay.
    int text_drawn(std::string_view text);
    bool run_stopped() const;

private:
    SpecPageRun* run_ = nullptr;
};

// Replays records of a mode onto a sink; the page title starts afresh.
// The interpreter's end (ReplayEnd), or 3 when a footer failed.
int render_spec_records(int mode, RecordSource& source, SpecPageSink& sink);

// The page form: 0, or -1 when its file cannot be opened (its name is
// then the failing file).
int render_spec_form(SpecPageSink& sink);
// The header lines (for a page after the first) and then page j's records
// of the open document: 0, or -1 when no document is open or the page does
// not exist.
int render_spec_function(int j, SpecPageSink& sink);

// The footer's position in page units: where an MV record to the $FT
// field's row and column (row 81, column 2 without a layout file) would
// put a text; false when the layout's field file has no $FT.
bool spec_footer_position(bool column_reduced, int& y, int& x);

// --- The printer back end ---------------------------------------------------------

class SpecPrinterBackend : public PrinterPrimitives, public SpecPageSink {
public:
    PrimitiveSet& primitives() override { return *this; }
    int put_footer(int y, int x, std::string_view text) override;
    bool footer_column_reduced() const override { return true; }

    bool keep_going() override;
    int beep() override;
    int draw_text(std::string_view text) override;
};

// --- Header file, counts, names ----------------------------------------------------

// Reads the .hd2 file of the print header base (which 0) or the text
// output's (which 1, from `base` given by the caller): 0, -1 (not found,
// the failing file set), -2 (no base name).
int read_spec_header_file(std::string_view base);
// The header (which 0) or footer (1) line expanded for the current page:
// 0, or -1 when no header file was read.
int expand_spec_header_line(int which, std::string& out);

// The record lines of the functions of the job's range (progress total);
// 0 without an open document.
int count_print_records();

// Sets the job's range, page number, layout, margins (portrait paper
// moves them) and printer job from the settings; the print and the preview
// share it.
void set_spec_print_job(const PrintSettings& settings);

// --- The function print --------------------------------------------------------

// The whole run: 0 done; 5 the form or the document could not be read; 20
// cancelled or declined without a header file; -2 the printer failed to
// open or failed under the job; 30 the first function lies beyond the
// document.
int print_spec(const PrintSettings& settings);

int render_form_printer();
int render_function_printer(int j);
