// GRAVLET's view on any .pds file: the function index, then every function
// read, laid out and measured page by page; the print's and the text
// output's counts read the same file. Nothing may stay open or be changed.
#include "gravlet/pad/pad_document.h"
#include "gravlet/pad/settings_layout.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::Scratch scratch;
    const std::vector<uint8_t> settings = build_standard_settings(kGravletSettings);
    scratch.write_input(kGravletSettings.file_name, std::string(settings.begin(), settings.end()));
    scratch.write_input("f.pds", fuzz::as_text(data, size));
    {
        PadDocument doc;
        doc.path = scratch.path("f.pds");
        SettingsRecord record(kGravletSettings);
        if (read_pds_index(doc, record, scratch.path(""), quiet_pad_host()) == kPadIndexOk) {
            for (int function = 0; function < static_cast<int>(doc.index.size()); ++function) {
                load_pad_function(doc, function, quiet_pad_host());
                measure_pad_function(doc);
            }
        }
        close_pds_file(doc);
    }
    std::unique_ptr<PadGrid> grid;
    if (alloc_print_work_area(grid) == 0) {
        const std::string path = scratch.path("f.pds");
        const int functions = count_pds_function_heads(path);
        count_pad_rows_in_range(path, 1, functions, 2, *grid, 16);
        count_pad_lines_in_range(path, 1, functions, 4, *grid, 32);
    }
    free_print_work_area(grid);
    fuzz::check_closed();
    scratch.check_inputs();
    return 0;
}
