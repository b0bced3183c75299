// Printer operations written as text, one a line: the operation's name and
// its arguments separated by blanks, decimal integers, and texts as hex
// bytes ("prn_move_to 3 12", "prn_write 0C", "print_text_line_raw 865041").
// Blank lines and lines starting with "#" are skipped. The prnjob tool runs
// such files; tests describe jobs with them.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct PrintOp {
    std::string name;
    std::vector<int> numbers;
    std::string text;  // the bytes of a text argument
    std::function<int(const PrintOp&)> run;
    int line = 0;
};

// Reads the lines; false with the reason in `error` ("line 3: ...") when a
// line names no operation or its arguments do not fit.
bool parse_print_ops(std::string_view contents, std::vector<PrintOp>& ops, std::string& error);

struct PrintJobRun {
    bool started = false;        // the printer opened and the job began
    bool all_succeeded = false;  // every operation gave 0, the job's start and end included
    std::string output_path;     // the PDF, the PostScript stream or the port's file ("" when none was written)
};

// A whole job: the job's kind and orientation (overlay 0), the printer
// device from WIN.INI for kind 1, prn_begin_job, the operations, prn_end_job.
// `failed` hears of each operation that gave another result than 0.
PrintJobRun run_print_job(int kind, int orientation, const std::vector<PrintOp>& ops,
                          const std::function<void(const PrintOp&, int result)>& failed = {});
