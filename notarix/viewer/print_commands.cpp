#include "notarix/viewer/print_commands.h"

#include "common/print/function_print.h"
#include "common/print/function_text.h"
#include "common/print/list_print.h"
#include "common/print/print_state.h"
#include "common/print/print_status.h"
#include "common/print/printer_device.h"
#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/text/file_names.h"
#include "common/text/notarix_message_numbers.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/viewer_print_host.h"
#include "notarix/formatter/field_form.h"
#include "notarix/viewer/commands.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/settings_layout.h"

namespace {

// The source the document was made from.
std::string source_path() {
    std::string name = document_state().file_name;
    set_file_extension(name, document_state().source_extension);
    return name;
}

// The list file of a kind, and the file its header and footer name.
void list_files(const PrintSettings& settings, ListJobRequest& request) {
    const std::string source = source_path();
    const std::string& own_source = settings.source_print_file;
    request.macro_file = source;
    switch (request.kind) {
    case kListFunctions: request.list_file = side_file_name(document_state(), ".flt"); break;
    case kListSummary: request.list_file = side_file_name(document_state(), ".fsm"); break;
    case kListSource:
        request.list_file = own_source.empty() ? source : own_source;
        request.macro_file = request.list_file;
        break;
    case kListCover:
        if (!own_source.empty()) request.macro_file = own_source;
        break;
    default: break;
    }
}

int run_busy(int (*job)()) {
    set_busy_state(0);
    set_status_text(1, message_text(nx_message::kPrinting));
    const int result = job();
    set_busy_state(1);
    show_print_status(result);
    return result;
}

}  // namespace

PrintSettings notarix_print_settings() { return read_print_settings(shell_settings()); }

int run_list_print_job(int kind) {
    return run_program_list_job(
kind, shell_settings(), document_state().program_directory, list_files, kNotarixListPrint);
}

int run_spec_print() { return print_spec(notarix_print_settings()); }

int run_full_print() {
    int result = 0;
    if (notarix_print_settings().cover_on_full_print) result = run_list_print_job(kListCover);
    result = run_list_print_job(kListFunctions);
    result = run_list_print_job(kListSummary);
    result = run_spec_print();
    result = run_list_print_job(kListSource);
    delete_printer_dc();
    return result;
}

int run_print_command(UINT id) {
    switch (id) {
    case kPrintAllCommand: return run_busy(run_full_print);
    case kPrintCoverCommand: return run_busy([] { return run_list_print_job(kListCover); });
    case kPrintFunctionListCommand: return run_busy([] { return run_list_print_job(kListFunctions); });
    case kPrintSummaryCommand: return run_busy([] { return run_list_print_job(kListSummary); });
    case kPrintFunctionPagesCommand: return run_busy(run_spec_print);
    case kPrintSourceCommand: return run_busy([] { return run_list_print_job(kListSource); });
    default: return -1;
    }
}

int run_text_output(const std::string& output) {
    set_busy_state(0);
    const int result = write_spec_text(output, notarix_print_settings());
    set_busy_state(1);
    show_spec_output_status(result);
    return result;
}

void install_print_host() {
    install_viewer_print_host(kNotarixPrintProfile);
    spec_print_state().find_footer_field = [](const std::string& fms, int& column, int& row) {
        return find_fms_field_position(fms.c_str(), kFieldFooter, column, row);
    };
}
