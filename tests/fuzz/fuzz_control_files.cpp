// The converters' control files, each read by a run on a small source with
// a heading and calls. Selector 0: NOTARIX's keyword file, 1: GRAVLET's,
// 2: ORBALINE's, 3: ORBALINE's ignore list. No run leaves work files or
// open files, nor changes the file it read.
#include "gravlet/converter/gx1002s.h"
#include "notarix/converter/nx1011s.h"
#include "orbaline/converter/oq1011s.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr char kSource[] =
    "/*\n * NAME     : add\n * FUNCTION : adds two numbers\n * PROCESS  : sums a and b\n */\n"
    "int add(int a, int b)\n{\n    if (a > b) return helper(a);\n    return a + b;\n}\n\n"
    "int main(void)\n{\n    printf(\"%d\", add(1, 2));\n    return 0;\n}\n";
const char* const kControlFiles[] = {"nx1000.kwd", "gx1000.kwd", "oq1000.kwd", "u.ign"};
const std::vector<std::string> kWork = {"f.$ts", "f.$tm", "f.$tt", "f.tmp", "f.tmf", "f.tmd", "l.$tr", "l.tmf"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::Scratch scratch;
    const int reader = fuzz::select(data, size, 4);
    scratch.write_input(kControlFiles[reader], fuzz::as_text(data, size));
    scratch.write_input("f.c", kSource);
    scratch.write_input("l.nam", "f.c\n");
    const std::string errors = scratch.path("errors.err");
    if (reader == 0) {
        fuzz::run_converter(run_function_spec_converter,
                            {"nx1011s", scratch.path("f.c"), "-e" + errors, "-v0", "-i10", "-d3", "-H0", "-X8417"});
    } else if (reader == 1) {
        fuzz::run_converter(run_pad_generator, {"gx1002s", scratch.path("f.c"), "-ucfc", "-SPdw", "-n", "-v0", "-i10",
                                                "-X8462", "-e" + errors});
    } else {
        fuzz::run_converter(run_call_tree_generator,
                            {"oq1011s", "-x", "-l", "-v0", "-Fb1", "-X8439", "-i10", "-Fe" + errors,
                             "-Fi" + scratch.path("u.ign"), "[" + scratch.path("l.nam") + "]"});
    }
    scratch.check_left_over(kWork);
    scratch.check_inputs();
    std::filesystem::remove(scratch.path(kControlFiles[reader]));
    return 0;
}
