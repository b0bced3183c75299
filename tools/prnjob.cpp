// prnjob: tries a printer kind without a program. The job's kind and
// orientation are set directly, the operations of an operations file run
// between prn_begin_job and prn_end_job, and the last line printed names the
// file the job wrote (the port's file, the PostScript stream or the PDF).
//
//   prnjob <kind> <orientation> <ops-file>
//
// Exit code: 0 when every operation gave 0, 1 when one did not, 2 for a bad
// call or an operations file that cannot be read.
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/print/print_ops.h"
#include "common/print/print_state.h"
#include "common/print/printer_device.h"
#include "platform/kernel/file_io.h"
#include "platform/user/codec.h"

namespace {

bool parse_int(const char* text, int& value) {
    const std::string_view s(text);
    auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() && end == s.data() + s.size();
}

int usage() {
    std::fputs("usage: prnjob <kind> <orientation> <ops-file>\n"
               "  kind: 0 Canon LIPS, 1 the print manager, 4 PostScript Mincho, 5 PostScript Gothic\n"
               "  orientation: 0 landscape, 1 portrait\n"
               "  ops-file: one printer operation a line, numbers in decimal, texts in hex bytes\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int kind = 0, orientation = 0;
    if (argc != 4 || !parse_int(argv[1], kind) || !parse_int(argv[2], orientation)) return usage();
    std::ifstream in(argv[3], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "prnjob: cannot read %s\n", argv[3]);
        return 2;
    }
    std::ostringstream contents;
    contents << in.rdbuf();
    std::vector<PrintOp> ops;
    std::string error;
    if (!parse_print_ops(contents.str(), ops, error)) {
        std::fprintf(stderr, "prnjob: %s: %s\n", argv[3], error.c_str());
        return 2;
    }

    PrintHost& host = print_state().host;
    // the name as the system names it, for the header's file name
    const std::string ops_file = SystemArguments(argc, argv)[3];
    host.current_file = [ops_file] { return ops_file; };
    host.notify = [](std::string_view caption, std::string_view text) {
        std::fprintf(stderr, "prnjob: %s %s\n", platform_user::cp932_to_utf8(caption).c_str(), platform_user::cp932_to_utf8(text).c_str());
    };
    const PrintJobRun run = run_print_job(kind, orientation, ops, [](const PrintOp& op, int result) {
        std::fprintf(stderr, "prnjob: line %d: %s gave %d\n", op.line, op.name.c_str(), result);
    });
    if (!run.output_path.empty()) std::printf("%s\n", run.output_path.c_str());
    delete_setup_printer_dc();
    print_state().reset();
    return run.all_succeeded ? 0 : 1;
}
