// Makes the document of a test source as a generation run would: the
// converter nx1011s, then the formatter nx1012, into the source's directory.
// make_notarix_document SOURCE.c COMMON.css
#include <cstdio>
#include <string>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/text/clock.h"
#include "notarix/converter/nx1011s.h"
#include "notarix/formatter/nx1012.h"

namespace {

int call(int (*entry)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return entry(static_cast<int>(argv.size()), argv.data());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_notarix_document SOURCE.c COMMON.css\n");
        return 2;
    }
    const std::string source = argv[1];
    const std::string directory = source.substr(0, source.find_last_of('/'));
    const std::string error = "-e" + directory + "/nx1000.err";
    // the same dates in every run
    set_clock_for_tests(LocalTime{2024, 4, 1, 9, 30, 0});
    reset_analysis_state(kNotarixAnalysis);
    const int converter = call(run_function_spec_converter,
                               {"nx1011s", source, error, "-v0", "-i10", "-d3", "-H0", "-mf", "-X8417", ""});
    if (converter != 0) {
        std::fprintf(stderr, "nx1011s ended with %d\n", converter);
        return 1;
    }
    const int formatter =
        call(run_spec_formatter, {"nx1012", "-s2", std::string("-c") + argv[2], error, "-f", "-X8417", source});
    if (formatter != 0) {
        std::fprintf(stderr, "nx1012 ended with %d\n", formatter);
        return 1;
    }
    return 0;
}
