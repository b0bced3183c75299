// Prints the units the C source analysis hands a converter: depth, line,
// text and comment, one unit a line. Texts are shown as they are stored.
#include <cstdio>
#include <string>

#include "common/analysis/analysis_state.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/scanner.h"
#include "common/analysis/support.h"
#include "platform/kernel/file_io.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SOURCE [ERROR-FILE]\n", argv[0]);
        return 2;
    }
    const SystemArguments names(argc, argv);
    reset_analysis_state(kNotarixAnalysis);
    if (argc > 2) g_analysis.error_file = names[2];
    int r = reset_scanner_state(kResetState | kResetErrorFile);
    if (r < -49) {
        std::fprintf(stderr, "cannot reset the analysis (%d)\n", r);
        return 1;
    }
    r = open_source_file(names[1].c_str());
    if (r != 1) {
        std::fprintf(stderr, "cannot open %s (%d)\n", argv[1], r);
        return 1;
    }
    SourceUnit unit;
    int count = 0;
    for (;;) {
        r = fetch_source_unit(unit);
        if (r == -1 || is_fatal_code(r)) break;
        ++count;
        std::printf("%4d %2d %s%s%s%s\n", unit.line, unit.depth, unit.text.c_str(),
                    unit.comment.empty() ? "" : "    ", unit.comment.c_str(), r == 1 ? "" : "    <-- message");
    }
    close_all_source_files();
    close_source_file();
    std::printf("%d units%s\n", count, r != -1 ? " (stopped by an error)" : "");
    reset_analysis_state(kNotarixAnalysis);
    return r != -1 ? 1 : 0;
}
