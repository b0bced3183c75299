// GRAVLET's converter on any source, with its function list and do-loop
// pass: a failed run keeps the earlier results byte for byte, and no run
// leaves work files or open files.
#include "gravlet/converter/gx1002s.h"
#include "tests/fuzz/fuzz_support.h"

namespace {
const std::vector<std::string> kResults = {"f.pds", "f.flt"};
const std::vector<std::string> kWork = {"f.tmp", "f.tmf", "f.tmd"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Scratch& scratch = fuzz::scratch_with_results(kResults);
    scratch.write_input("f.c", fuzz::as_text(data, size));
    const int status = fuzz::run_converter(run_pad_generator,
                                           {"gx1002s", scratch.path("f.c"), "-ucfc", "-SPdw", "-n", "-v0", "-i10",
                                            "-X8462", "-e" + scratch.path("gx1000.err")});
    scratch.check_results(kResults, status != kPadDone && status != kPadWarnings);
    scratch.check_left_over(kWork);
    scratch.check_inputs();
    return 0;
}
