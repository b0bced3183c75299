#include "gravlet/viewer/print_commands.h"

#include "common/print/list_print.h"
#include "common/print/print_header.h"
#include "common/print/print_state.h"
#include "common/print/print_status.h"
#include "common/print/printer_device.h"
#include "common/shell/document.h"
#include "common/text/file_names.h"
#include "common/viewer/frame.h"
#include "common/viewer/viewer_print_host.h"
#include "gravlet/print/pad_print.h"
#include "gravlet/viewer/commands.h"
#include "gravlet/viewer/gravlet_state.h"
#include "gravlet/viewer/pad_print_commands.h"

namespace {

// The file a kind prints and the file its header and footer lines name.
void name_list_files(const PrintSettings& settings, ListJobRequest& request) {
    const DocumentState& d = document_state();
    request.macro_file = d.source_name;
    switch (request.kind) {
    case kListFunctions:
        request.list_file = d.file_name;
        set_file_extension(request.list_file, ".flt");
        break;
    case kListSource:
        request.list_file = settings.source_print_file.empty() ? d.source_name : settings.source_print_file;
        request.macro_file = request.list_file;
        break;
    default: break;
    }
}

}  // namespace

int run_gravlet_list_job(int kind) {
    return run_program_list_job(kind, shell_settings(), document_state().program_directory, name_list_files,
                                kGravletListPrint);
}

int run_gravlet_pad_print() {
    print_state().host.current_file = [] { return gravlet_pad().source_path; };
    return run_pad_print_job(open_pad_run_input(), gravlet_pad_host());
}

void show_gravlet_print_status(int result) { show_print_status(result, kGravletPrintStatus); }

void install_gravlet_print() {
    install_viewer_print_host(kGravletPrintProfile);
    GravletEntryPoints& entry = gravlet_commands().entry;
    entry.list_print = run_gravlet_list_job;
    entry.pad_print_job = run_gravlet_pad_print;
    entry.show_print_status = show_gravlet_print_status;
}
