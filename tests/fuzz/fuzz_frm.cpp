// A page form (.frm) read by both of its readers: the form editor's grid and
// the layout generator. A failed generation keeps the earlier .lis and .fms
// byte for byte; no run leaves work files, open files or a changed form.
#include "notarix/form/form_grid.h"
#include "notarix/form/layout_generator.h"
#include "tests/fuzz/fuzz_support.h"

namespace {
const std::vector<std::string> kResults = {"f.lis", "f.fms"};
const std::vector<std::string> kWork = {"f.lit", "f.fmt"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Scratch& scratch = fuzz::scratch_with_results(kResults);
    scratch.write_input("f.frm", fuzz::as_text(data, size));
    read_frm_file(scratch.path("f.frm"));
    rebuild_form_cells();
    const int status =
        fuzz::run_converter(run_layout_generator, {"lyg", "-e" + scratch.path("nx1000.erf"), scratch.path("f.frm")});
    free_form_grids();
    scratch.check_results(kResults, status != kLayoutDone && status != kLayoutWarnings);
    scratch.check_left_over(kWork);
    scratch.check_inputs();
    return 0;
}
