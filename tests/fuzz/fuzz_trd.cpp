// ORBALINE's view on any .trd file: the chart opened (settings, working
// copy, grid and line codes), every node's name, file and box pieces taken
// as the view takes them, and the text output read from the same file.
// The chart is never changed, and nothing but the output stays behind.
#include "orbaline/chart/chart_output.h"
#include "orbaline/chart/chart_session.h"
#include "orbaline/chart/chart_settings.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::Scratch scratch;
    const std::vector<uint8_t> settings = build_standard_settings(kOrbalineSettings);
    scratch.write_input(kOrbalineSettings.file_name, std::string(settings.begin(), settings.end()));
    scratch.write_input("f.trd", fuzz::as_text(data, size));

    ChartSession& session = chart_session();
    session.reset();
    session.program_directory = scratch.path("");
    session.hooks.message_box = [](const ChartBox&) { return 1; };
    if (open_chart(session, scratch.path("f.nam")) == 0) {
        std::string text, pieces[5];
        for (int row = 1; row <= session.row_count(); ++row) {
            for (int column = 0; column < kChartColumns; ++column) {
                if (!is_coded_node(session.table.code(row, column))) continue;
                get_node_name(session, column, row, text);
                get_node_file(session, column, row, text);
                split_node_text(session.table.text(row, column), 2 * session.box_width, pieces, 5);
            }
        }
        output_chart_text(session, scratch.path("f.txt"));
    }
    close_chart(session);
    if (scratch.exists(kWorkingCopyName)) fuzz::finding("the working copy was left");
    fuzz::check_closed();
    scratch.check_inputs();
    return 0;
}
