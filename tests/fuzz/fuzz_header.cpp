// The print header files (.hd0 to .hd4, all of one form) as their readers
// take them: the function print's footer, ORBALINE's chart output, and the
// list jobs on the port printer, the cover printing the whole .hd0 and the
// source list framed by the .hd3's header and footer.
#include "common/print/function_print.h"
#include "common/print/list_print.h"
#include "common/print/print_primitives.h"
#include "common/print/print_state.h"
#include "common/shell/document.h"
#include "orbaline/chart/chart_output.h"
#include "orbaline/chart/chart_settings.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void print_list(const fuzz::Scratch& scratch, int kind) {
    ListJobRequest request;
    request.kind = kind;
    request.list_file = scratch.path("l.c");
    request.macro_file = request.list_file;
    PrintSettings& s = request.settings;
    s.printer_kind = kPrinterLips;
    s.orientation = 1;
    s.top_margin[1] = 1;
    s.left_margin[1] = 4;
    s.chars_per_line[1] = 80;
    s.lines_per_page[1] = 30;
    s.header_base = scratch.path("h");
    run_list_job(request);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::Scratch scratch;
    const std::string bytes = fuzz::as_text(data, size);
    for (const char* name : {"h.hd0", "h.hd2", "h.hd3"}) scratch.write_input(name, bytes);
    scratch.write_input("l.c", "int main(void)\n{\n\treturn 0;\n}\n");

    document_state().file_name = scratch.path("l.lin");
    spec_print_state().page_title = "main  the program";
    std::string line;
    if (read_spec_header_file(scratch.path("h")) == 0) {
        expand_spec_header_line(0, line);
        expand_spec_header_line(1, line);
    }

    SettingsRecord record(kOrbalineSettings);
    record.set_standard_values();
    record.set_text(oq_settings::kPrintHeaderBase, scratch.path("h"));
    ChartHeading heading;
    if (read_chart_header(record, 0, heading) == 0) {
        write_chart_header_footer(line, false, scratch.path("l.trd"), chart_output_settings(record), heading);
        write_chart_header_footer(line, true, scratch.path("l.trd"), chart_output_settings(record), heading);
    }

    PrintHost& host = print_state().host;
    host.notify = host.warn = [](std::string_view, std::string_view) {};
    host.ask = [](std::string_view, std::string_view) { return true; };
    print_list(scratch, kListCover);
    print_list(scratch, kListSource);
    std::filesystem::remove(scratch.path("LPT1"));
    fuzz::check_closed();
    scratch.check_inputs();
    return 0;
}
