// The status-bar text of a print or output result: one routine over a
// table per kind of job and program, with the texts of the running
// program's message table.
#pragma once

#include <span>
#include <string>

// How one result code reads. The message's "%s", when it has one, is filled
// by `fill`, by the text of `fill_message`, or by the file the job could not
// open; `append_failing` adds that file as "(%s)" after the message.
struct PrintStatusRow {
    int code;
    bool lead;  // the table's lead text comes first
    int message;
    const char* fill = nullptr;
    int fill_message = -1;
    bool fill_failing = false;
    bool append_failing = false;
};

struct PrintStatusTable {
    const char* lead;  // "" when the rows have none
    std::span<const PrintStatusRow> rows;
};

// Results of the print jobs ("プリンタ出力：" and the result) and of the
// function text output.
extern const PrintStatusTable kPrintJobStatus;
// GRAVLET's (its PAD print among them) and ORBALINE's (its chart print among
// them): the same texts and those of their further results.
extern const PrintStatusTable kGravletPrintStatus;
extern const PrintStatusTable kOrbalinePrintStatus;
extern const PrintStatusTable kSpecOutputStatus;

// The text for a code; "" for a code the table does not hold.
std::string print_status_text(int code, const PrintStatusTable& table);
// Shows the text in the status bar (an empty one restores the default
// text), then beeps.
void show_print_status(int code, const PrintStatusTable& table = kPrintJobStatus);
void show_spec_output_status(int code);
