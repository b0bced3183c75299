// The viewer's readers of plain list files, worked as NOTARIX works them.
// Selector 0: the error window, 1: the summary window (.fsm), 2: the keyword
// dialog, 3: the batch list dialog, 4: the function list dialog and the
// list print's columns (.flt), 5: the source list, 6: the batch run over a
// list (each source "converted" by a stand-in that writes nothing). Each
// dialog is left with Esc. The file read is never changed.
#include "common/shell/document.h"
#include "common/shell/function_list.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/shell/window/source_list.h"
#include "common/viewer/frame.h"
#include "common/viewer/generation_run.h"
#include "common/viewer/shell_dialogs.h"
#include "notarix/viewer/frame.h"
#include "platform/automation/automation.h"
#include "platform/gdi/drawing_log.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

const char* const kNames[] = {"f.err", "f.fsm", "nx1000.kwd", "f.nam", "f.flt", "f.c", "f.nam"};

int run_dialog(const char* name, DLGPROC procedure) {
    automation::when_idle([] { automation::press_key("Esc"); });
    return run_dialog_template(name, procedure);
}

void read_list(int reader, const std::string& path, const std::string& bytes) {
    switch (reader) {
    case 0:
        open_generation_error_window(nullptr, path, false);
        load_error_list(path, true);
        close_generation_error_window();
        break;
    case 1:
        open_summary_window(nullptr, path);
        close_summary_window();
        break;
    case 2: run_dialog("KEYWORDDLG", keyword_dlg_proc); break;
    case 3:
        shell().batch_list_name = path;
        run_dialog("CNVLSTDLG", batch_list_dlg_proc);
        break;
    case 4: {
        run_dialog("FLTDLG", function_list_dlg_proc);
        SummaryColumns columns;
        std::string line;
        for (int kind = 0; kind < 3; ++kind) {
            if (measure_summary_columns(kind, path.c_str(), columns) != 0) continue;
            for (const std::string& item : list_items_of(bytes))
                format_summary_line(kind, item, line, columns.file_width, columns.line_width, columns.name_width);
        }
        break;
    }
    case 5: {
        SourceText text;
        load_source_lines(path, 4, text);
        find_in_source(text, 0, text.line_text(0).substr(0, 3));
        comment_head_line(text, text.count(), 30, 1);
        break;
    }
    default:
        viewer_hooks().convert = [](const std::string&, const char*, int* first) { return *first = 0; };
        run_batch_generation(path);
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::Scratch scratch;
    // nobody looks at the windows: they paint into nothing, and keep no drawing log
    static const bool installed = (install_notarix_viewer(), automation::set_window_pixels(false), true);
    (void)installed;
    const int reader = fuzz::select(data, size, 7);
    const std::string bytes = fuzz::as_text(data, size);
    scratch.write_input(kNames[reader], bytes);

    automation::reset();
    set_drawing_log_enabled(false);
    generation_error_window().reset();
    summary_window().reset();
    shell_windows_setup().reset();
    register_error_window_classes(nullptr);
    register_summary_classes(nullptr);
    DocumentState& doc = document_state();
    doc.reset();
    doc.program_directory = scratch.path("");
    doc.file_name = scratch.path("f.lin");
    read_list(reader, scratch.path(kNames[reader]), bytes);
    fuzz::check_closed();
    scratch.check_inputs();
    return 0;
}
