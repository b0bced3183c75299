// The form editor's file, code-set and generation commands.
#include <string>

#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/notarix_message_numbers.h"
#include "common/viewer/shell_boxes.h"
#include "notarix/editor/editor_texts.h"
#include "notarix/editor/form_editor.h"
#include "notarix/form/form_grid.h"
#include "notarix/form/form_texts.h"
#include "notarix/form/layout_generator.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/generation_run.h"
#include "notarix/viewer/settings_layout.h"
#include "platform/kernel/file_io.h"
#include "resources/notarix/form_editor_resources.h"

namespace {


constexpr int kCancelledStatus = 20;
constexpr std::string_view kFormFilter(editor_text::kFormFilter, sizeof editor_text::kFormFilter);

FormEditorState& ed() { return form_editor(); }
std::string editor_caption() { return form_text::kEditorCaption; }
std::string error_file() { return document_state().program_directory + "\\" + editor_text::kErrorFile; }

std::string layout_name_of(const std::string& form) {
    std::string name = form;
    set_file_extension(name, ".lis");
    return name;
}

// The form's layout files are missing or older than the form: true when
// the user goes on all the same. `last_line` ends the question.
bool accept_outdated_layout(const std::string& last_line) {
    const std::string& form = ed().file_name;
    if (form.empty()) return true;
    const std::string lis = layout_name_of(form);
    const int times = compare_file_times(lis.c_str(), form.c_str());
    if (times != 1 && times != 2) return true;
    return show_info_box(0, editor_caption(), message_text(nx_message::kLayoutOutdated), lis, last_line) == 1;
}

void greyed_editor(bool grey) {
    HWND window = ed().window;
    if (window == nullptr) return;
    HMENU menu = GetMenu(window);
    for (int i = 0; i < form_editor_resources::kMenuPopupCount; ++i)
        EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (grey ? MF_GRAYED : MF_ENABLED));
    DrawMenuBar(window);
    EnableWindow(window, grey ? FALSE : TRUE);
}

void open_form_file() {
    FormEditorState& e = ed();
    if (e.modified) {
        MessageBeep(0);
        if (show_info_box(0, editor_caption(), message_text(nx_message::kEditsLost), message_text(nx_message::kOpenAnotherForm)) != 1)
            return;
    }
    if (!accept_outdated_layout(message_text(nx_message::kOpenAnotherForm))) return;
    std::string path = e.file_name.empty() ? "*.frm" : e.file_name;
    int filter_index = 0;
    if (choose_file_name(0, e.window, path, kFormFilter, 256, filter_index) < 1) return;
    e.file_name = path;
    HCURSOR kept = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    set_form_editor_title();
    free_form_grids();
    if (alloc_form_grids() != 0) {
        // without its grids the editor cannot go on: it closes, nothing was edited
        SetCursor(kept);
        show_info_box(1, editor_caption(), message_text(nx_message::kNoMemory));
        e.modified = false;
        DestroyWindow(e.window);
        return;
    }
    // a file that cannot be read leaves an empty form under its name
    if (read_frm_file(path) != 0) {
        set_form_scroll_ranges();
        repaint_form_editor();
    }
    e.modified = false;
    set_form_undo_items(false);
    SetCursor(kept);
}

void save_form_file() {
    FormEditorState& e = ed();
    std::string path = e.file_name.empty() ? "*.frm" : e.file_name;
    int filter_index = 0;
    if (choose_file_name(1, e.window, path, kFormFilter, 256, filter_index) < 1) return;
    e.file_name = path;
    // a form that could not be written stays modified, so closing still asks
    if (write_frm_file(path) == 0) e.modified = false;
    set_form_editor_title();
}

void set_code_set(RuledLineCodeSet set) {
    FormGrids& form = form_grids();
    HMENU menu = GetMenu(ed().window);
    CheckMenuItem(menu, kDosVCodeCommand + static_cast<UINT>(form.code_set), MF_BYCOMMAND | MF_UNCHECKED);
    if (set != form.code_set) {
        form.code_set = set;
        rebuild_form_cells();
    }
    CheckMenuItem(menu, kDosVCodeCommand + static_cast<UINT>(set), MF_BYCOMMAND | MF_CHECKED);
    SettingsRecord& settings = shell_settings();
    if (settings.word(nx_settings::kFormCodeSet) == set) return;
    settings.set_word(nx_settings::kFormCodeSet, set);
    if (write_settings_file(settings, document_state().program_directory) != kSettingsOk) {
        show_info_box(1, editor_text::kSaveSettingsCaption, message_text(nx_message::kNotSaved),
                      kNotarixSettings.file_name);
    }
}

bool file_has_bytes(const std::string& path) {
    const int fd = crt_open(path.c_str(), CRT_O_RDONLY | CRT_O_BINARY);
    if (fd < 0) return false;
    char byte = 0;
    const bool any = crt_read(fd, &byte, 1) == 1;
    crt_close(fd);
    return any;
}

// The message of a generation's status; sets whether its errors can be
// shown.
std::string generation_message(int status) {
    FormEditorState& e = ed();
    switch (status) {
    case kLayoutDone: return message_text(nx_message::kLayoutDone);
    case kLayoutWarnings:
        e.errors_available = true;
        return message_text(nx_message::kWarnings);
    case kLayoutErrors:
        e.errors_available = true;
        return message_text(nx_message::kErrors);
    case kLayoutBadCall:
    case 12: return format_text(lookup_message(nx_message::kSystemError), status);
    case 13: return message_text(nx_message::kNoMemory);
    case kCancelledStatus: return format_text(lookup_message(nx_message::kInterrupted), editor_text::kGenerationRun);
    case -1: return message_text(nx_message::kProcessError);
    default:
        // a result that could not be written may have said why in the error file
        e.errors_available = status == kLayoutWriteFailure && file_has_bytes(error_file());
        return message_text(nx_message::kErrors);
    }
}

void show_layout_errors() {
    if (!ed().errors_available) {
        show_info_box(1, editor_text::kErrorsCaption, message_text(nx_message::kNoErrors));
        return;
    }
    if (generation_error_window().is_open()) {
        load_error_list(error_file(), false);
    } else {
        open_generation_error_window(shell().frame_window, error_file(), false);
    }
}

int run_generator(const std::string& form) {
    ViewerConverterHost host(report_layout_progress);
    return call_converter(run_layout_generator, {"nx1012", form, "-e" + error_file()});
}

void generate_layout() {
    FormEditorState& e = ed();
    if (e.modified) {
        show_warning_box(1, editor_text::kGenerationCaption, message_text(nx_message::kSaveForm));
        return;
    }
    if (e.file_name.empty()) {
        show_warning_box(1, editor_text::kGenerationCaption, message_text(nx_message::kChooseForm));
        return;
    }
    const std::string line1 = std::string(editor_text::kMeterLineStart) + message_text(nx_message::kGenerating);
    if (progress_meter().open) {
        redraw_progress_meter(nullptr, editor_text::kMeterTitle, line1, e.file_name);
    } else {
        open_progress_meter(shell().frame_window, editor_text::kMeterTitle, line1, e.file_name);
    }
    e.errors_available = false;
    shell_abort_flag() = false;
    set_busy_state(0);
    greyed_editor(true);

    int status = run_generator(e.file_name);

    close_progress_meter();
    MessageBeep(0);
    set_status_text(0, "");
    const bool cancelled = shell_abort_flag();
    if (cancelled) {
        status = kCancelledStatus;
        shell_abort_flag() = false;
    }
    const std::string text = generation_message(status);
    set_status_text(1, text);
    greyed_editor(false);
    set_busy_state(1);

    if (!e.errors_available || cancelled) {
        if (status != kLayoutDone) {
            show_warning_box(1, editor_caption(), text);
            return;
        }
        BringWindowToTop(shell().frame_window);
        const std::string lis = layout_name_of(e.file_name);
        show_info_box(1, editor_text::kGenerationCaption, format_text(lookup_message(nx_message::kLayoutMade), lis.c_str()),
                      format_text(lookup_message(nx_message::kLayoutHowTo), lis.c_str()));
        return;
    }
    const int see = status == kLayoutWarnings ? nx_message::kShowWarnings : nx_message::kShowErrors;
    if (show_info_box(0, editor_text::kGenerationCaption, message_text(nx_message::kWarnings), message_text(see)) == 1)
        show_layout_errors();
}

}  // namespace

bool confirm_form_close(bool from_command) {
    FormEditorState& e = ed();
    const std::string question =
        format_text(lookup_message(nx_message::kCloseQuestion),
                    from_command ? editor_caption().c_str() : editor_text::kEditorName);
    if (e.modified) {
        MessageBeep(0);
        if (show_info_box(0, editor_caption(), message_text(nx_message::kEditsLost), question) != 1) return false;
    }
    return accept_outdated_layout(question);
}

void run_form_command(UINT id) {
    switch (id) {
    case kFormOpenCommand: open_form_file(); break;
    case kFormSaveCommand: save_form_file(); break;
    case kFormEndCommand:
        if (confirm_form_close(true)) DestroyWindow(ed().window);
        break;
    case kDosVCodeCommand: set_code_set(kRuledLinesDosV); break;
    case kPc98CodeCommand: set_code_set(kRuledLinesPc98); break;
    case kLayoutGenerateCommand: generate_layout(); break;
    case kLayoutErrorsCommand: show_layout_errors(); break;
    default: break;
    }
}
