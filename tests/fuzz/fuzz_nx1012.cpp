// NOTARIX's formatter on any function records: a failed run keeps the
// earlier document byte for byte, and no run leaves its temporary or an
// open file.
#include "notarix/formatter/nx1012.h"
#include "tests/fuzz/fuzz_support.h"

namespace {
const std::vector<std::string> kResults = {"f.lin"};
const std::vector<std::string> kWork = {"f.lnt"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Scratch& scratch = fuzz::scratch_with_results(kResults);
    scratch.write_input("f.fss", fuzz::as_text(data, size));
    const int status = fuzz::run_converter(run_spec_formatter, {"nx1012", "-X8417", scratch.path("f.c")});
    scratch.check_results(kResults, status != kFormatterOk && status != kFormatterTextCut);
    scratch.check_left_over(kWork);
    scratch.check_inputs();
    return 0;
}
