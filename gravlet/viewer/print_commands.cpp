#include "gravlet/viewer/print_commands.h"

#include "common/print/list_print.h"
#include "common/print/print_header.h"
#include "common/print/print_state.h"
#include "common/print/print_status.h"
#include "common/print/printer_device.h"
#include "common/shell/document.h"
#include "common/shell/viewer/frame.h"
#include "common/shell/viewer/viewer_print_host.h"
#include "common/text/file_names.h"
#include "gravlet/print/pad_print.h"
#include "gravlet/viewer/commands.h"
#include "gravlet/viewer/gravlet_state.h"

namespace {

int read_heading(std::string_view base, std::string_view extension, PadHeadingFile& lines, std::string& failing) {
    HeaderLines read;
    const int result = read_header_file(base, extension, read, failing);
    lines = PadHeadingFile{read.header, read.footer, read.read};
    return result;
}

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

PadRunInput gravlet_run_input() {
    const DocumentState& d = document_state();
    PadRunInput input;
    input.pds_path = d.file_name;
    input.source_path = d.source_name;
    input.program_directory = d.program_directory;
    input.function_count = static_cast<int>(gravlet_pad().index.size());
    input.read_heading = read_heading;
    return input;
}

int run_gravlet_list_job(int kind) {
    return run_program_list_job(kind, shell_settings(), document_state().program_directory, name_list_files,
                                kGravletListPrint);
}

int run_gravlet_pad_print() { return run_pad_print_job(gravlet_run_input(), gravlet_pad_host()); }

void show_gravlet_print_status(int result) { show_print_status(result, kGravletPrintStatus); }

void install_gravlet_print() {
    install_viewer_print_host(kGravletPrintProfile);
    GravletEntryPoints& entry = gravlet_commands().entry;
    entry.list_print = run_gravlet_list_job;
    entry.pad_print_job = run_gravlet_pad_print;
    entry.show_print_status = show_gravlet_print_status;
}
