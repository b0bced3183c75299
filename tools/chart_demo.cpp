// Shows what ORBALINE's chart routines make of a tree file: the coded grid,
// an edit of the working copy, a sequence of searches, the text output.
// Boxes and message-line texts are printed as the automation log writes
// them, every question answered Yes.
//
//   chart_demo [-p DIR] grid CHART          ("<" reads standard input)
//   chart_demo [-p DIR] edit CHART ROW COL KIND [TEXT]
//   chart_demo [-p DIR] search CHART TEXT N
//   chart_demo [-p DIR] output CHART OUT
//
// DIR is the program directory (settings, "KRT"); by default the tool's own.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_output.h"
#include "orbaline/chart/chart_search.h"
#include "orbaline/chart/chart_session.h"
#include "orbaline/chart/working_copy.h"
#include "platform/automation/automation_internal.h"
#include "platform/kernel/file_io.h"
#include "platform/user/codec.h"

namespace {

using platform_automation::quote_sjis;

int usage() {
    std::fprintf(stderr,
                 "usage: chart_demo [-p DIR] grid CHART\n"
                 "       chart_demo [-p DIR] edit CHART ROW COL KIND [TEXT]\n"
                 "         KIND: delete-undefined, delete-one, delete-name, replace-one, replace-all\n"
                 "       chart_demo [-p DIR] search CHART TEXT N\n"
                 "       chart_demo [-p DIR] output CHART OUT\n");
    return 2;
}

void connect_hooks(ChartSession& session, const std::string& search_text) {
    ChartHooks& hooks = session.hooks;
    hooks.message_box = [](const ChartBox& box) {
        std::printf("box %s %s\n", quote_sjis(box.caption).c_str(), quote_sjis(box.text).c_str());
        return 1;
    };
    hooks.message_line = [](int mode, const std::string& text) {
        if (mode == 1 && !text.empty()) std::printf("line %s\n", quote_sjis(text).c_str());
    };
    hooks.enter_search_text = [search_text](std::string& text) {
        text = search_text;
        return 1;
    };
}

void print_grid(const ChartTable& table) {
    for (int row = 1; row <= table.row_count; ++row) {
        const int node = node_column(table, row);
        std::string codes;
        for (int column = 0; column <= node && column < kChartColumns; ++column) {
            if (column > 0) codes += ',';
            codes += std::to_string(table.code(row, column));
        }
        const std::string text = node < kChartColumns ? std::string(table.text(row, node)) : std::string();
        std::printf("%d: [%s] %s\n", row, codes.c_str(), platform_user::cp932_to_utf8(text).c_str());
    }
    std::printf("count %d\n", table.row_count);
}

bool open_for_demo(ChartSession& session, const std::string& chart) {
    const int result = open_chart(session, chart);
    if (result == 0) return true;
    std::printf("open %d\n", result);
    close_chart(session);
    return false;
}

int run_grid(ChartSession& session, const std::string& chart) {
    if (chart == kStandardInputName) {
        if (session.table.alloc_chart_grid() != 0) return 1;
        const int result = read_trd_growing(false, chart, session.table, kChartViewReading, session.hooks);
        if (result != kTrdReadOk) {
            std::printf("read %d\n", result);
            session.table.release();
            return 1;
        }
        code_chart_lines(session.table);
        print_grid(session.table);
        session.table.release();
        return 0;
    }
    if (!open_for_demo(session, chart)) return 1;
    print_grid(session.table);
    close_chart(session);
    return 0;
}

int edit_kind(std::string_view name) {
    static constexpr std::string_view kKinds[] = {"delete-undefined", "delete-one", "delete-name", "replace-one",
                                                  "replace-all"};
    for (int kind = 0; kind < 5; ++kind) {
        if (name == kKinds[kind]) return kind;
    }
    return -1;
}

int run_edit(ChartSession& session, const std::vector<std::string>& args) {
    const int kind = edit_kind(args[4]);
    if (kind < 0) return usage();
    if (!open_for_demo(session, args[1])) return 1;
    session.selected_row = std::atoi(args[2].c_str());
    session.selected_column = std::atoi(args[3].c_str());
    const std::string text = args.size() > 5 ? args[5] : std::string();
    const int result = run_chart_edit(session, kCaptionEditChart, kind, text);
    // The working copy stays as the edit left it, unsaved.
    print_grid(session.table);
    session.table.release();
    return result == 0 ? 0 : 1;
}

int run_search(ChartSession& session, const std::string& chart, int count) {
    if (!open_for_demo(session, chart)) return 1;
    for (int n = 0; n < count; ++n) {
        if (search_chart(session, n == 0 ? 0 : 1) == 1) {
            std::printf("(%d,%d)\n", session.selected_row, session.selected_column);
        } else {
            std::printf("not found\n");
        }
    }
    close_chart(session);
    return 0;
}

int run_output(ChartSession& session, const std::string& chart, const std::string& out) {
    if (!open_for_demo(session, chart)) return 1;
    const int result = output_chart_text(session, out);
    show_chart_job_result(session, result);
    std::printf("result %d\n", result);
    close_chart(session);
    return result == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    SystemArguments names(argc, argv);
    std::vector<std::string> args(names.vector() + std::min(names.count(), 1), names.vector() + names.count());
    std::string directory = get_program_directory();
    if (args.size() >= 2 && args[0] == "-p") {
        directory = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() < 2) return usage();
    // As the program's start-up does: support files are found through KRT.
    crt_putenv(("KRT=" + directory).c_str());

    ChartSession& session = chart_session();
    session.program_directory = directory;
    const std::string search_text = args[0] == "search" && args.size() > 2 ? args[2] : std::string();
    connect_hooks(session, search_text);

    const std::string& command = args[0];
    if (command == "grid" && args.size() == 2) return run_grid(session, args[1]);
    if (command == "edit" && (args.size() == 5 || args.size() == 6)) return run_edit(session, args);
    if (command == "search" && args.size() == 4) return run_search(session, args[1], std::atoi(args[3].c_str()));
    if (command == "output" && args.size() == 3) return run_output(session, args[1], args[2]);
    return usage();
}
