// The list print jobs: a plain-text file printed line by line, numbered, in
// pages of a fixed number of lines, each page with an optional frame and
// the header and footer lines of a print header file; and the cover page,
// which prints the lines of its own header file enlarged. Every program's
// list jobs run here; a profile holds what differs between them.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "common/print/print_header.h"
#include "common/print/print_settings.h"
#include "common/shell/function_list.h"
#include "common/shell/page_records.h"
#include "common/shell/settings_file.h"

// The kinds of list job (the function print is -1).
enum ListJobKind : int {
    kListFunctions = 0,
    kListSource = 1,
    kListCover = 2,
    kListSummary = 3,
};

// What the programs' list jobs differ in.
struct ListPrintProfile {
    // The message shown when the cover file cannot be opened ("%s", when it
    // has one, stays empty: the file's name follows on its own line).
    int cover_missing_message = 106;
    // How the function list's lines are put in columns (format_summary_line):
    // 1 file names without their folder, 0 as the list holds them.
    int summary_kind = 1;
    // A cover without its header file asks (OK/Cancel) instead of only
    // telling; the job ends either way.
    bool cover_header_question = false;
    // Writes one numbered line; empty: the raw text line of the printer kind.
    std::function<int(std::string_view line)> write_line;
    // Pages before the request's start page are laid out but not printed,
    // so that the printed pages keep the numbers and breaks of a whole
    // print; off, the start page is not looked at.
    bool honour_start_page = false;
    // Shown (with the start page) when the start page lies past the last
    // page and nothing was printed; 0 shows nothing.
    int start_beyond_end_message = 0;
};
extern const ListPrintProfile kNotarixListPrint;
extern const ListPrintProfile kGravletListPrint;
extern const ListPrintProfile kOrbalineListPrint;

// The header file each kind reads (".hd1", ".hd3", ".hd0", ".hd4").
const char* list_header_extension(int kind);

// The caption of a kind's boxes and meter ("【 関数一覧印刷 】", ...) and the
// meter's first line without its "印刷中です。" ("関数一覧を", ...).
const char* list_job_caption(int kind);
const char* list_job_meter_text(int kind);

// One list job as the program sets it up from its settings and document.
struct ListJobRequest {
    int kind = kListFunctions;
    std::string list_file;         // the file printed (kind 2: the cover's .hd0)
    std::string macro_file;        // the &F of header and footer lines
    std::string header_extension;  // empty: the kind's own (list_header_extension)
    int start_page = 1;            // the first page printed (honour_start_page)
    PrintSettings settings;
};

// The running job's values.
struct ListJob {
    int kind = kListFunctions;
    int top = 0;          // T: blank lines above the page
    int indent = 2;       // I: blanks in front of every line
    int page_length = 6;  // P
    int line_width = 0;   // W
    int left_margin = 0;
    int page_number = 1;  // the &P value
    int page_counter = 1;
    int line_number = 1;
    int start_page = 1;   // pages below it are only counted
    bool skipping = false;  // the page being laid out is before the start page
    bool printed = false;   // a page was printed
    int frame_mode = 2;   // 0 with a header file, 2 without
    bool outer_frame = false;
    int tab_width = 8;
    std::string header_base;
    std::string indent_text;
    std::string macro_file;
    HeaderLines lines;
    SummaryColumns columns;
    bool columns_measured = false;
    int summary_kind = 1;
    int progress_done = 0;
    int progress_total = 0;
};

ListJob& list_job();

inline constexpr int kListPageLimit = 999;
inline constexpr int kListBodyCeiling = 120;

// The whole job from the header file on: 0 done; 5 the list file cannot be
// opened; 20 cancelled (the header question answered No, the cover's header
// file missing, or Cancel pressed); -2 the printer could not be opened or a
// write to it failed.
int run_list_job(const ListJobRequest& request, const ListPrintProfile& profile = kNotarixListPrint);

// Sets the job values of a request (the fields of ListJob above).
void set_list_job(const ListJobRequest& request);

// The page loop over an open list file (the cover opens its own file): 0 at
// the end, -1 after a failed write. The file is closed at its end.
int print_list_pages(const std::string& name, RecordFileReader& file,
                     const ListPrintProfile& profile = kNotarixListPrint);

// One page's numbered lines from the used line count on, then blank lines
// down to the body's end: 0 more lines follow, -1 the file has ended, -2 a
// write failed.
int print_list_body(RecordFileReader& file, int& used, const ListPrintProfile& profile = kNotarixListPrint);

// The next line (a copy of at most 511 bytes), its tabs expanded with the
// job's tab width: 0, or -1 at the end of the file, which is then closed.
int read_expanded_line(std::string& out, RecordFileReader& file);

// A tab becomes blanks up to the next column that is a multiple of the
// width (columns of the output, from 0); a width of 0 drops tabs.
void expand_tabs(int width, std::string_view text, std::string& out);

// A printed line (without its line end) cut to at most `width` bytes, at a
// character boundary found from the start of the line.
std::string shorten_list_line(std::string_view line, int width);

// The header (which 0) or footer (1) line expanded for this page: 0, or -1
// when no header file was read.
int expand_list_header_line(int which, std::string& out);

// 1 on: the printer's double-size text; 0 off.
int set_print_enlarged(int on);
// Lifts the printer's clip region.
int clear_print_clip();

// The header file of a job is missing (header -1: its name is the failing
// file) or not named (-2): after a beep the question whether to go on
// without it, with the lines "name, 見出しファイルが見つかりません。, 続行しますか？"
// or "見出しファイルが指定されていません。, 続行しますか？". With notify_only the
// same lines only inform (the cover job). True to go on.
bool confirm_without_header(std::string_view caption, int header, bool notify_only = false, bool beep = true);

// A program's list job from its settings file: the abort flag cleared, the
// file read again into `record` (1 unreadable, 2 of another version), the
// cover's file named (the header base with ".hd0"), the other files by
// `name_files`, then run_list_job.
using ListFileNamer = std::function<void(const PrintSettings& settings, ListJobRequest& request)>;
int run_program_list_job(int kind, SettingsRecord& record, const std::string& program_directory,
                         const ListFileNamer& name_files, const ListPrintProfile& profile);

// Runs the steps of a print-all in order and gives the first result that
// is not 0 (0 when every step did well). A cancelled step (20) ends the
// run; with stop_at_failure so does any failure.
int run_print_all_steps(std::initializer_list<std::function<int()>> steps, bool stop_at_failure);
// Print-all of GRAVLET and ORBALINE in that way: the cover when asked for,
// the function list, the program's figure (the PAD, the chart) and the
// source; then the job's printer context goes.
int run_figure_print_all(bool cover, const std::function<int(int kind)>& list_job,
                         const std::function<int()>& figure_job, bool stop_at_failure);

// Opens the printer for a job of the set kind: the print manager's device
// and page, or the printer language's job start. 0, or -2.
int begin_print_job();
