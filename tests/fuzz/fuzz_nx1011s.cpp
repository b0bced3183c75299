// NOTARIX's converter on any source: a failed run keeps the earlier results
// byte for byte, and no run leaves work files or open files.
#include "notarix/converter/nx1011s.h"
#include "tests/fuzz/fuzz_support.h"

namespace {
const std::vector<std::string> kResults = {"f.fss", "f.fsm", "f.flt"};
const std::vector<std::string> kWork = {"f.$ts", "f.$tm", "f.$tt"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Scratch& scratch = fuzz::scratch_with_results(kResults);
    scratch.write_input("f.c", fuzz::as_text(data, size));
    const int status = fuzz::run_converter(run_function_spec_converter,
                                           {"nx1011s", scratch.path("f.c"), "-e" + scratch.path("nx1000.err"),
                                            "-v0", "-i10", "-d3", "-H0", "-X8417"});
    scratch.check_results(kResults, status != kFunctionSpecDone && status != kFunctionSpecWarnings);
    scratch.check_left_over(kWork);
    scratch.check_inputs();
    return 0;
}
