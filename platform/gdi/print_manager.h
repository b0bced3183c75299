// The print manager: each document printed on a printer context becomes one
// PDF file under the platform state directory, PLATFORM_HOME/print/job-NNNN.pdf
// (numbers continue after the highest already there; a number taken by
// another process at the same moment is passed by), or the file a program
// names in DOCINFOA::lpszOutput. Printer contexts are 600-dot devices; the
// page size comes from the device mode (A4 portrait when none is given).
#pragma once

#include <string>
#include <vector>

struct PrintJobRecord {
    std::string path;           // the PDF file
    std::string document_name;  // DOCINFOA::lpszDocName, Shift-JIS
    std::string device;         // the printer's device name
    int pages = 0;
    bool aborted = false;       // AbortDoc, the context deleted mid-job, or a file that
                                // could not be written whole: no file is kept
};

// The PDF of the last job that ended with EndDoc ("" when none yet).
std::string last_print_job_path();
// Jobs ended (or aborted) in this process, oldest first.
std::vector<PrintJobRecord> print_job_records();
void clear_print_job_records();
// The directory jobs go to: PLATFORM_HOME/print (created when needed).
std::string print_job_directory();
// A new file in that directory for a job of another kind (a PostScript
// stream, "ps"): job-NNNN.<extension>, numbered with the PDF jobs and made
// exclusively, so that no other job (of this process or another) has it.
// The descriptor open for writing, with the path in the system's form for
// the kernel's file calls; -1 when no file could be made.
int create_print_file(const char* extension, std::string& path);

// An abort procedure set with SetAbortProc is asked at every StartPage and
// EndPage and every few drawing calls on a page; when it returns FALSE the
// job is dropped (no file is kept), the page call returns SP_APPABORT and
// later drawing goes nowhere.

// A job's file is written as the job goes, through the kernel's file layer
// (its full-disk hook included). When a write fails, EndPage gives SP_ERROR
// and the job stays until AbortDoc; EndDoc gives SP_ERROR and keeps no file.

// Test hook: the next call of this name ("StartDocA", "StartPage",
// "EndPage", "EndDoc") fails with SP_ERROR, as a printer that went away
// would; a failed EndPage or EndDoc leaves the job open until AbortDoc.
// clear_print_job_records() forgets it.
void fail_next_print_call(const char* call);
