// The shell's message boxes and common dialogs: the notify and question
// forms with the 【 】 captions, the open/save name chooser and the colour
// of a setting.
#pragma once

#include <string>
#include <string_view>

#include "platform/user/winuser.h"

// The caption of the program's own boxes, "【 ＮＯＴＡＲＩＸ 】" in NOTARIX.
std::string program_box_caption();

// Notify form (notify non-zero): a beep, then an OK box with the
// information icon. Question form (notify 0): Yes/No with the question icon
// when the text holds the full-width "？", else OK/Cancel with the
// profile's question icon. The lines are joined with line breaks, empty trailing
// lines left out. 1 when the user chose OK or Yes, else 0.
int show_info_box(int notify, std::string_view caption, std::string_view line1, std::string_view line2 = {},
                  std::string_view line3 = {});
// The same with the exclamation icon in the notify form.
int show_warning_box(int notify, std::string_view caption, std::string_view line1, std::string_view line2 = {},
                     std::string_view line3 = {});
// A question whose box is OK/Cancel whatever its text ends with, with the
// profile's question icon: 1 on OK, else 0.
int show_ok_cancel_box(std::string_view caption, std::string_view line1, std::string_view line2 = {},
                       std::string_view line3 = {});

// The commands' notices: the caption "【 operation 】", and a notice of a
// message's text under such a caption. A program's command file takes them
// in with using-declarations.
namespace shell_notice {
std::string caption(const char* operation);
void notify(const std::string& box_caption, int message, std::string_view line2 = {});
}  // namespace shell_notice

// The notice of a command whose work is not there yet, under the program's
// own caption.
void show_not_available_notice();

// The text of a message, "" for an unknown number.
std::string message_text(int id);

// A file that is there but cannot be read (no right to read it, or a
// folder of that name): a notice under "ファイル読み込み", as for a recent
// file that is gone, with message 100 and the name (message 101). True
// when told.
bool tell_unreadable_file(const std::string& path);
// A file that a run could not make, as its error file would name it (the
// E058 text and the name) in a warning under the caption. True when told,
// that is when the file is not there and cannot be made.
bool tell_unmade_file(std::string_view caption, const std::string& path);

// A command's check that a file is chosen and loaded: else a notice under
// the operation's caption, message 117 when none is chosen, else the
// program's `not_loaded` message. True when the command is refused.
bool refuse_unless_loaded(const char* operation, int not_loaded);

// The open (save 0) or save dialog over `filter` (pairs of label and
// pattern, each ended by a zero byte, and an empty label after the last).
// The default extension comes from the first label (the text after its
// first ".", cut at ")" and ";"; none when it holds "?" or "*"). `path` is
// the initial name in and the chosen name out, lower-cased; `filter_index`
// is kept for the next call. Non-zero when a name was chosen.
int choose_file_name(int save, HWND owner, std::string& path, std::string_view filter, int size,
                     int& filter_index);

class SettingsRecord;
struct SettingsField;
// The colour dialog started at the item's colour in use, with the program's
// 16 custom colours; the colour chosen is stored in the record. False when
// cancelled. ORBALINE hands the record size its dialog call gives.
bool choose_setting_colour(HWND owner, SettingsRecord& record, const SettingsField& item, COLORREF* custom,
                           DWORD record_size = 0);
