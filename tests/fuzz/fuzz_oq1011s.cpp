// ORBALINE's converter on any list and sources: the input up to its first
// form feed is the list (without one the list names "f.c"), the rest the
// source f.c. A failed run keeps the earlier results byte for byte, and no
// run leaves work files or open files.
#include "orbaline/converter/oq1011s.h"
#include "tests/fuzz/fuzz_support.h"

namespace {
const std::vector<std::string> kResults = {"l.trd", "l.flt"};
const std::vector<std::string> kWork = {"l.$tr", "l.tmf"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Scratch& scratch = fuzz::scratch_with_results(kResults);
    const std::string input = fuzz::as_text(data, size);
    const size_t cut = input.find('\f');
    scratch.write_input("l.nam", cut == std::string::npos ? std::string("f.c\n") : input.substr(0, cut));
    scratch.write_input("f.c", cut == std::string::npos ? input : input.substr(cut + 1));
    const int status = fuzz::run_converter(run_call_tree_generator,
                                           {"oq1011s", "-x", "-l", "-v0", "-Fb1", "-X8439", "-i10",
                                            "-Fe" + scratch.path("oq1000.err"), "[" + scratch.path("l.nam") + "]"});
    scratch.check_results(kResults, status != kCallTreeDone && status != kCallTreeWarnings);
    scratch.check_left_over(kWork);
    scratch.check_inputs();
    return 0;
}
