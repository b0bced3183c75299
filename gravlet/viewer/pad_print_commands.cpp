#include "gravlet/viewer/pad_print_commands.h"

#include "common/print/print_state.h"
#include "common/shell/document.h"
#include "common/viewer/frame.h"
#include "common/viewer/viewer_print_host.h"
#include "gravlet/pad/pad_output_run.h"
#include "gravlet/print/pad_print.h"
#include "gravlet/viewer/commands.h"
#include "gravlet/viewer/gravlet_state.h"

PadRunInput open_pad_run_input() {
    const PadDocument& pad = gravlet_pad();
    PadRunInput input;
    input.pds_path = pad.path;
    input.source_path = pad.source_path;
    input.program_directory = document_state().program_directory;
    input.function_count = static_cast<int>(pad.index.size());
    return input;
}

void install_pad_print_commands() {
    GravletEntryPoints& entry = gravlet_commands().entry;
    entry.pad_output = [](const std::string& name) {
        document_state().abort = false;
        return run_pad_output(name, open_pad_run_input(), gravlet_pad_host());
    };
    entry.report_output = [](int result) { report_pad_error(result, gravlet_pad_host()); };
}
