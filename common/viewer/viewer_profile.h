// What makes the shared viewer shell one program or another: the names,
// ids, settings fields, file names and texts of its frame, source list,
// runs and dialogs (ViewerProfile), and the program's own parts that the
// shared code calls back (ViewerHooks). A program sets both before its
// frame exists; every shared routine reads them, none keeps a copy.
#pragma once

#include <functional>
#include <span>
#include <string>

#include "common/shell/settings_file.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "common/shell/window/recent_menu.h"
#include "common/shell/window_placement.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/winuser.h"

// A numeric field of a dialog: its edit control and the settings field it
// edits (the field's range is the one the dialog checks).
struct DialogNumber {
    int id;
    const SettingsField* field;
};

// A check box of a dialog and the 0/1 settings field it edits.
struct DialogCheck {
    int id;
    const SettingsField* field;
};

// A child of the frame's control bar: a page button or a status box.
struct ControlBarRow {
    int x, y, width, height;
    const char* title;
};

// A column of the function-list dialog: its title and first width.
struct FunctionListColumn {
    const char* title;
    int width;
};

// The numbers of the messages the shared parts show that differ from
// program to program (each program's table has its own numbering).
struct ShellMessageNumbers {
    int choose_file = 117;      // nothing chosen yet
    int no_document = 118;      // a document chosen but not loaded
    int choose_function = 612;  // the function list without a row chosen
    int lines_left_out = 601;   // the source list's line limit was reached
    int source_unloaded = 118;  // a source-list step with a document chosen, no source shown
    int no_source = 0;          // the source list asked for with no source named (0: as an open error)
};

struct PrintDialogProfile;  // common/viewer/print_dialogs.h

// "【 ユーザ指定エディタ起動 】"
inline constexpr auto& kBracketedEditorCaption = "【 ユーザ指定エディタ起動 】"_sjis;

struct ViewerProfile {
    // --- Names --------------------------------------------------------------
    const char* program_name = "";   // the frame class and the frame title
    const char* box_name = "";       // "【 box_name 】" captions the program's own boxes
    const char* menu_name = "";      // the frame class's menu
    const char* accelerator_name = "";
    const char* clock_cursor_format = "";  // "%d" takes 0 to 7
    const char* pad_bitmap = "";
    const char* source_bitmap = "";  // the source list's line marker
    const char* form_bitmap = nullptr;
    const char* source_menu = nullptr;  // the source-list window's menu, if any
    int search_not_found_message = 715;  // the source list's search found nothing
    const char* help_file = "";         // in the program directory
    ShellMessageNumbers messages{};
    const char* keyword_file = "";      // in the program directory
    // The caption of the editor command's boxes, "ユーザ指定エディタ起動" in NOTARIX,
    // kBracketedEditorCaption in the others.
    const char* editor_caption = "ユーザ指定エディタ起動"_sjis;
    bool keyword_values_in_capitals = false;  // KEYWORDDLG reads whole lines in capitals
    // KEYWORDDLG's keys in file order, their fields from 33057 on; empty:
    // the fifteen heading keys (kKeywordKeys).
    std::span<const char* const> keyword_keys;

    // --- Stored state -------------------------------------------------------
    const SettingsProfile* settings = nullptr;
    PlacementProfile placement{""};
    RecentMenuProfile recent_menu{0, 0};
    // A recent file that is gone is told with its name before the message
    // (after it in NOTARIX).
    bool missing_recent_name_first = true;
    const ListWindowProfile* error_window = nullptr;
    bool summary_window = false;  // the function summary window's classes too
    ProgressMeterProfile meter{};

    // --- Frame --------------------------------------------------------------
    // The control bar's buttons 300-304 and its boxes 100 and 101, in id
    // order; empty: the shared rows.
    std::span<const ControlBarRow> page_buttons;
    std::span<const ControlBarRow> status_boxes;
    int popup_count = 8;  // top menus of the menu bar
    int help_popup = 7;   // by position

    // --- Menus --------------------------------------------------------------
    UINT ruler_command = 0;                      // checked while the ruler shows
    std::span<const UINT> checked_at_create;     // items checked when the frame is made
    std::span<const UINT> document_items;        // greyed while no document is loaded
    bool edit_popup_needs_name = false;          // 編集 greyed until a document is named
    // Bit n set: a WM_COMMAND id whose high byte is 0xn0 goes to the dispatcher.
    unsigned dispatch_groups = 0;
    bool command_clears_status = false;          // every WM_COMMAND clears the status bar first
    const char* status_bar_text = "";            // the status bar's first text
    bool wide_box_text = false;                  // box texts held to 1023 bytes (else 511)
    // The icon of an OK/Cancel question.
    UINT question_icon = MB_ICONEXCLAMATION;

    // --- Settings fields the shared parts read and write ---------------------
    const SettingsField* tab_width = nullptr;
    const SettingsField* editor_path = nullptr;
    const SettingsField* colour_source_text = nullptr;
    const SettingsField* colour_source_background = nullptr;
    const SettingsField* last_generation_status = nullptr;

    // --- ENVDLG and EDITORDLG -----------------------------------------------
    bool refuse_long_texts = false;  // a text too long for its field: message 0 (else cut)
    int long_path_message = 0;       // a path too long for its field: this message (0: as other texts)
    std::span<const DialogNumber> environment_numbers;  // in the order they are checked
    int environment_check_id = 0;                        // 0: no check box
    const SettingsField* environment_check = nullptr;
    std::span<const DialogCheck> environment_checks;     // more check boxes
    int editor_field_id = 0;
    int editor_folder_id = 0;

    // --- PRNDLG and OUTPADDLG ------------------------------------------------
    const PrintDialogProfile* print_dialogs = nullptr;

    // --- FLTDLG --------------------------------------------------------------
    std::span<const FunctionListColumn> function_columns;  // empty: the shared three
    bool function_file_column = false;  // a column of the file names, after the first
    bool function_rows_are_pages = true;  // a row chooses the document's page of its index

    // --- Source list ----------------------------------------------------------
    bool source_title_names_file = false;       // "name - ｿｰｽﾘｽﾄ"
    const char* source_open_error_caption = nullptr;  // nullptr: the loading caption
    // A source that was readable and then fails to open; nullptr: as above.
    const char* source_reopen_error_caption = nullptr;
    bool source_failure_unloads_document = true;
    int search_field_id = 12545;  // SRCSEARCHDLG's text field
    // A line step moves the shown pixels by one row and draws only the row
    // that comes into view (else the whole list is drawn again).
    bool source_line_steps_scroll = false;
    // A current line brought into view half a list from the top keeps the
    // list filled near the end: the first shown line is at most
    // (line count - list height / 15 + 3).
    bool source_current_line_keeps_list_filled = false;

    // --- Generation runs ----------------------------------------------------
    const char* single_error_file = "";  // in the program directory
    const char* batch_file_error_file = "";
    const char* batch_log_file = "";
    const char* meter_title = "";
    const char* meter_line_start = "";  // followed by message 401
    const char* io_error_text = "";
    // A single run that made more functions than the document shows: they
    // are not in it. "" when the program's document has no such bound.
    const char* left_out_text = "";
    // Single runs: every status without a text of its own reads as an I/O
    // error (else only io_error_status does, the rest as an internal error).
    bool single_other_is_io_error = false;
    int io_error_status = 20;
    int no_batch_list_message = 308;  // the batch run without a list name

    // --- Printer and print font commands ------------------------------------
    // The printer kind of the print settings: the dialogs serve the print
    // manager (kind 1) only, else the notice of print_manager_message.
    const SettingsField* printer_kind = nullptr;
    int print_manager_message = 306;
    // The converter's progress hook while a run is in hand.
    int (*report_progress)(const char* item, int permille) = nullptr;
};

// The program's parts the shared shell calls. Empty hooks are skipped.
struct ViewerHooks {
    // Frame
    WNDPROC chart_procedure = nullptr;
    std::function<HBRUSH()> chart_background;
    std::function<void()> paint_ruler;
    std::function<void()> create_colour_objects;  // the view's pens and brushes
    std::function<void()> free_colour_objects;
    std::function<void()> frame_resized;           // after the children are laid out
    std::function<int(int axis, WPARAM code)> scroll_view;
    std::function<int(HWND frame, WPARAM id)> dispatch_menu_command;
    std::function<void(bool on)> set_link_mode;    // the link button, turned
    std::function<bool()> has_content;             // the document has something to show
    std::function<int(int direction)> step_page;   // buttons 300 and 301 (PageStep)
    std::function<int(int which)> jump_end_page;   // buttons 302 and 303 (PageEnd)
    std::function<void()> forget_progress;         // entering the busy state
    // The program's own families of owned windows, registered in the shared
    // order (1, or 0 when a class cannot be registered).
    std::function<int(HINSTANCE)> register_form_editor;
    std::function<int(HINSTANCE)> register_layout_window;
    std::function<int(HINSTANCE)> register_print_preview;
    // Closes the print preview first when the frame closes.
    std::function<void()> close_print_preview;
    // In place of the shared title and status boxes (update_title_and_status).
    std::function<void()> update_title;
    // Closing the frame: false keeps it (asked after the busy check).
    std::function<bool()> confirm_close;
    // Leaving the busy state: the menus and controls that come back (in
    // place of the shared rule).
    std::function<void(HMENU menu)> restore_menus;

    // Source list
    std::function<int()> follow_function;          // the list follows the function shown
    std::function<void(int line)> source_line_chosen;  // a click on a line, from 0
    // A search's first line (from 0) and the line after its last; end -1: all.
    std::function<void(bool again, int& start, int& end)> search_range;
    std::function<void(int line)> source_line_found;   // from 1
    std::function<int()> not_found_message;

    // Runs
    std::function<int(const std::string& source, const char* error_file, int* first_status)> convert;
    std::function<void(bool batch, bool left_errors)> run_left_errors;

    // Dialogs
    std::function<void(int index)> show_function;  // a pick from FLTDLG
    std::function<int()> function_list_row;        // the row FLTDLG selects when it opens (-1 none)
};

const ViewerProfile& viewer_profile();
ViewerHooks& viewer_hooks();
// The profile must outlive the program's run.
void set_viewer_profile(const ViewerProfile& profile);
