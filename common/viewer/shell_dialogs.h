// The dialogs every program's viewer shares: the batch list (CNVLSTDLG)
// with its source chooser (template 750), the keyword file (KEYWORDDLG), the
// environment (ENVDLG), the user's editor (EDITORDLG), the version box
// (VERSIONDLG) and the function list (FLTDLG); and the small kit the
// programs' own parameter dialogs are built from (dialog_kit). Which fields
// and files they edit comes from the viewer profile.
#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/shell/settings_file.h"
#include "common/viewer/viewer_profile.h"
#include "platform/user/winuser.h"

// What the dialogs keep while one is open: the up-down controls to destroy
// before it ends, and a print dialog's values of both orientations.
struct SettingsDialogsState {
    std::vector<HWND> up_downs;
    // lines per page, characters per line, top and left margin; [0] landscape, [1] portrait
    int print_values[2][4] = {};
    int shown_orientation = 0;
    void reset();
};
SettingsDialogsState& settings_dialogs_state();

namespace dialog_kit {

inline constexpr int kFirstUpDownId = 1000;  // one per numeric field, counted up in field order
inline constexpr int kNameBufferSize = 260;

std::string field_text(HWND dialog, int id);
void set_field_text(HWND dialog, int id, const std::string& text);
std::string dialog_title(HWND dialog);
// A field's number as the C library's atoi reads it: blanks, a sign, digits;
// text that is not a number is 0; long digit strings never wrap into range.
long long read_number(std::string_view text);
// Beep and a warning box over the dialog, captioned with its title.
void warn(HWND dialog, const std::string& text);
// A beep, then an OK box owned by `owner`.
void show_box(HWND owner, const char* caption, const std::string& text, UINT icon);
// The box of a file that cannot be opened or created: message 100 and the name.
void show_file_error(HWND owner, const char* caption, const std::string& name, UINT icon);
// Reads a numeric field into `value`; out of [min, max] shows message 0
// with the field's text, puts the focus there and gives false.
bool check_range(HWND dialog, int id, int min, int max, int* value);
bool check_number(HWND dialog, const DialogNumber& number, int* value);
// The first function must not lie after the last (message 3 with the last).
bool check_function_order(HWND dialog, int first, int last);
// A text field's text, when it fits the settings field (its width less one
// byte); a longer one shows message 0 and gives false where the profile
// refuses long texts (a path: the profile's path message when it has one),
// else it is cut to the field.
bool read_text_field(HWND dialog, int id, const SettingsField& field, std::string* text, bool path = false);
void add_up_down(HWND dialog, int up_down_id, int field_id, int min, int max, int value);
void destroy_up_downs();
void end_dialog(HWND dialog, int result);
// After the values are stored: the settings file at once; a failed write
// leaves the new values in memory and says so (message 6).
void save_settings(HWND dialog);
void open_dialog(HWND dialog);
bool clicked(WPARAM wparam);
// The open dialog for a name that goes into a field.
void choose_into_field(HWND dialog, int id, std::string initial, std::string_view filter);
std::string program_file(const char* name);

}  // namespace dialog_kit

INT_PTR keyword_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR batch_list_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR environment_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR editor_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR function_list_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR version_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// The keyword file: the keys in the order the file holds them.
inline constexpr int kKeywordCount = 15;
inline constexpr std::array<const char*, kKeywordCount> kKeywordKeys = {
    "NAME",   "FUNCTION",    "PROCESS",     "INPUT",      "OUTPUT",    "UPDATE", "INPUT(EXT)", "OUTPUT(EXT)",
    "UPDATE(EXT)", "RETURN", "REMARKS", "FILE", "PROGRAMMED", "DATE(ORG)", "CALL"};
using KeywordValues = std::array<std::string, kKeywordCount>;
// The program's keys (the profile's, else kKeywordKeys); values[i] is the
// value of the i-th of them.
std::span<const char* const> keyword_keys();

// Reads "key=value" lines into the values of the keys met (a key in any
// case, blanks round key and value dropped; the value in capitals too when
// asked); false when the file cannot be opened, and then nothing changes.
bool read_keyword_file(const std::string& path, KeywordValues& values, bool values_in_capitals = false);
// 0 written; -1 not created; -2 a write, the close or the replacing failed.
// The old file stays as it was unless the result is 0.
int write_keyword_file(const std::string& path, const KeywordValues& values);

// Lines "key<separator>value" with the key in capitals, each cut to 255
// bytes; lines without the separator are skipped. False when the file
// cannot be opened.
bool read_key_value_lines(const std::string& path, char separator,
                          const std::function<void(const std::string& key, const std::string& value)>& use);
// Writes the text (LF becomes CR LF) through a temporary file that replaces
// the old one only when every byte went out: 0, -1 not created, -2 failed.
int write_control_file(const std::string& path, const std::string& text);

// The batch list file: one name a line.
int write_batch_list_file(const std::string& path, const std::vector<std::string>& names);

// What tells the list dialogs apart: the batch list (CNVLSTDLG) and
// ORBALINE's source list (NAMLSTDLG, NEW_NAMLSTDLG) and ignore list
// (IGNLSTDLG) run one procedure over such a record.
struct ListDialogProfile {
    // Control ids; choose_button 0 when there is no source chooser.
    int entry_field;
    int list_box;
    int list_name_field;
    int choose_button;
    int read_button;
    int save_button;
    int delete_button;
    int insert_button;
    int finish_button;
    const char* caption;          // of the refusals and questions
    std::string_view list_filter;
    std::string_view source_filter;
    const char* default_name;     // the list name when none is given
    int empty_message;            // nothing to insert or save
    int no_selection_message;     // 削除 without a row
    int not_saved_message;        // the lines shown on finishing a modified list
    int continue_message;
    UINT refusal_icon;
    bool source_names;            // entries are C/C++ sources: lower case, no duplicates
    bool names_from_list_folder;  // a chosen source is listed as the path from the list's folder
    bool enter_saves_in_name_field;
    // The batch run refuses to finish a modified, empty or unnamed list;
    // the others ask whether to go on editing and else close with finish_result.
    bool finish_runs_batch;
    int finish_result;
    bool report_unreadable_list;  // a named list that cannot be read at opening
    std::string& (*list_name)();  // where the chosen list name is kept
    std::string (*initial_name)();  // "" for the default name
};
extern const ListDialogProfile kBatchListProfile;
INT_PTR list_dialog_proc(const ListDialogProfile& profile, HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// The source chooser and its additions to the open list dialog.
// add_batch_source: 0 added, -1 refused (the refusal in the status bar when
// report_in_status is set, else in a box).
int add_batch_source(int report_in_status, const std::string& path);
int choose_batch_sources(HWND owner, std::string_view filter);

// Test hook: the file calls of the control-file writers. nullptr restores
// the kernel's calls.
void set_generation_file_calls(const SettingsWriterCalls* calls);

// The function list's column widths, kept for the run (each at least 60
// once the list has been closed).
struct FunctionListColumns {
    int widths[4] = {180, 60, 400, 400};
    bool taken_from_profile = false;  // a program's own columns set their first widths
};
FunctionListColumns& function_list_columns();

// One line of the document's function list (".flt") cut into the columns
// of its row, blanks removed at both ends: the file name is what stands
// before the first "#" (the whole line without one); the line number is the run of
// blanks and digits behind the first "#", the name runs from there to the
// first ":" that follows a blank, the summary starts behind the next blank.
struct FunctionListLine {
    std::string file;  // before the "#"
    std::string line_number;
    std::string name;
    std::string summary;
};
FunctionListLine parse_function_list_line(std::string_view line);

// Draws the folder button: "FOLDER_Down" while it is pressed, else
// "FOLDER_Up", unscaled at 0,0. 0, or -1 when no memory device context can
// be made; a bitmap that cannot be loaded draws nothing.
int draw_folder_button(const DRAWITEMSTRUCT* item);

// The procedure of a shared dialog by template name (without regard to
// case), or nullptr.
DLGPROC shared_dialog_procedure(const char* template_name);
// Registers the shared templates and the folder button's bitmaps (once
// per process; a program's own table registered later wins).
void register_shared_dialog_resources();
// Runs a dialog of the program's resources with its procedure over the
// frame; the up-down controls are gone afterwards. Its result, or 0 when it
// could not be made.
int run_dialog_template(const char* template_name, DLGPROC procedure);
