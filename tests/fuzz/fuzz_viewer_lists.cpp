// The viewer's readers of plain list files, worked as NOTARIX works them.
// Selector 0: the error window, 1: the summary window (.fsm), 2: the keyword
// dialog, 3: the batch list dialog, 4: the function list dialog and the
// list print's columns (.flt), 5: the source list, 6: the batch run over a
// list (each source "converted" by a stand-in that writes nothing). Each
// dialog is left with Esc. The file read is never changed.
//
// The windows and dialogs are made once and live as long as the process:
// making them, and painting what nobody looks at, cost far more than the
// readers. Each input gives a window its file as the program does (the list
// windows reload on a second open; a dialog is sent WM_INITDIALOG, which is
// where it reads), and then takes back what the file put in, so that every
// input starts from the same windows and leaves as many blocks as it took.
#include <iterator>

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
#include "platform/automation/automation_internal.h"
#include "platform/gdi/drawing_log.h"
#include "platform/user/commctrl.h"
#include "platform/user/resources.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

const char* const kNames[] = {"f.err", "f.fsm", "nx1000.kwd", "f.nam", "f.flt", "f.c", "f.nam"};

// A dialog made once, modeless, from the template its modal run uses.
struct Dialog {
    const char* name;
    DLGPROC procedure;
    HWND window = nullptr;
};

Dialog g_dialogs[] = {{"KEYWORDDLG", keyword_dlg_proc}, {"CNVLSTDLG", batch_list_dlg_proc},
                      {"FLTDLG", function_list_dlg_proc}};

// The controls back as the template made them: fields with their texts,
// lists empty, a list view without rows or columns.
void back_to_template(HWND dialog, const DialogTemplate& form) {
    for (const DialogItemTemplate& item : form.items) {
        HWND control = GetDlgItem(dialog, item.id);
        if (!control || !item.class_name) continue;
        const std::string kind = item.class_name;
        if (kind == "EDIT" || kind == "Edit") {
            SetWindowTextA(control, item.text ? item.text : "");
        } else if (kind == "LISTBOX" || kind == "ListBox") {
            SendMessageA(control, LB_RESETCONTENT, 0, 0);
        } else if (kind == WC_LISTVIEWA) {
            SendMessageA(control, LVM_DELETEALLITEMS, 0, 0);
            while (SendMessageA(control, LVM_DELETECOLUMN, 0, 0)) {
            }
        }
    }
}

void make_dialog(Dialog& dialog) {
    dialog.window = CreateDialogParamA(shell().instance, dialog.name, shell().frame_window, dialog.procedure, 0);
    if (!dialog.window) fuzz::finding(std::string("no dialog ") + dialog.name);
}

void leave_dialog(const Dialog& dialog) {
    SendMessageA(dialog.window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    back_to_template(dialog.window, *find_dialog_resource(dialog.name));
}

// Opens the dialog on the current file, as its modal run would, and leaves it with Esc.
void run_dialog(Dialog& dialog) {
    if (!IsWindow(dialog.window)) make_dialog(dialog);
    HWND first = GetNextDlgTabItem(dialog.window, nullptr, FALSE);
    SendMessageA(dialog.window, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), 0);
    leave_dialog(dialog);
}

// The list windows stay open, empty between inputs.
void empty_list_window(ListWindow& window) {
    if (window.is_open() && SendMessageA(window.list(), LB_GETCOUNT, 0, 0) > 0)
        SendMessageA(window.list(), LB_RESETCONTENT, 0, 0);
}

void read_list(int reader, const std::string& path, const std::string& bytes) {
    switch (reader) {
    case 0:
        open_generation_error_window(nullptr, path, false);
        load_error_list(path, true);
        break;
    case 1: open_summary_window(nullptr, path); break;
    case 2: run_dialog(g_dialogs[0]); break;
    case 3:
        shell().batch_list_name = path;
        run_dialog(g_dialogs[1]);
        break;
    case 4: {
        run_dialog(g_dialogs[2]);
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
    default: run_batch_generation(path); break;
    }
}

const fuzz::Scratch& scratch() {
    static const fuzz::Scratch folder;
    return folder;
}

void start_document() {
    DocumentState& doc = document_state();
    doc.reset();
    doc.program_directory = scratch().path("");
    doc.file_name = scratch().path("f.lin");
}

// What every input leaves as it found it.
void tidy_up() {
    // a batch run closes the error window: it opens again, empty
    if (!generation_error_window().is_open()) open_generation_error_window(nullptr, scratch().path("empty"), false);
    empty_list_window(generation_error_window());
    empty_list_window(summary_window());
    // forget the boxes, beeps and log lines the input made
    const platform_automation::State& records = platform_automation::state();
    if (!records.log.empty() || !records.boxes.empty() || !records.beeps.empty() || !records.common_dialogs.empty() ||
        !records.help_calls.empty() || !records.shell_calls.empty())
        platform_automation::reset_state();
}

}  // namespace

// Once per process, before any input: the platform, the program's classes
// and resources, the windows and dialogs. The fuzzer counts none of this as
// an input's coverage (code run once would stay "rare" to it for ever, and
// every input's coverage is looked up among the rare).
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    scratch().write("empty", "");
    install_notarix_viewer();
    automation::reset();
    // nobody looks at the windows: they paint into nothing, and keep no drawing log
    automation::set_window_pixels(false);
    set_drawing_log_enabled(false);
    shell_windows_setup().reset();
    register_error_window_classes(nullptr);
    register_summary_classes(nullptr);
    register_shared_dialog_resources();
    settings_dialogs_state().reset();
    viewer_hooks().convert = [](const std::string&, const char*, int* first) { return *first = 0; };
    start_document();
    open_summary_window(nullptr, scratch().path("empty"));
    for (Dialog& dialog : g_dialogs) {
        make_dialog(dialog);
        leave_dialog(dialog);
    }
    tidy_up();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int reader = fuzz::select(data, size, static_cast<int>(std::size(kNames)));
    const std::string bytes = fuzz::as_text(data, size);
    const fuzz::Scratch& files = scratch();
    files.write_input(kNames[reader], bytes);
    start_document();
    read_list(reader, files.path(kNames[reader]), bytes);
    fuzz::check_closed();
    files.check_inputs();
    tidy_up();
    return 0;
}
