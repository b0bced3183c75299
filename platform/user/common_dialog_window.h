// What the common dialogs' windows share: templates built in code, the
// modal run that a person, a
// test's acts or script steps work and that an automation answer ends, and
// the folder pictures and path helpers of the file and folder dialogs.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/automation/automation.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/controls_internal.h"
#include "platform/user/resources.h"

namespace platform_user {

// A dialog template made in code: a modal frame in the desktop's dialog
// font, centred on the screen. Positions and sizes in dialog units.
class DialogBuilder {
public:
    DialogBuilder(const std::string& caption_sjis, int cx, int cy);
    // A control with its text (Shift-JIS).
    void add(const char* class_name, const std::string& text, int id, int x, int y, int cx, int cy, DWORD style);
    DialogTemplate make() const;

private:
    std::string caption_;
    int cx_;
    int cy_;
    std::deque<std::string> texts_;
    std::vector<DialogItemTemplate> items_;
};

// What CommDlgExtendedError tells next.
void set_common_dialog_error(DWORD code);

// How a common dialog's window ends: OK or cancel. Each dialog keeps its
// record (derived from this) with the window, handed over at WM_INITDIALOG.
struct CommonDialogState {
    virtual ~CommonDialogState() = default;
    bool ended = false;
    bool ok = false;
};
void keep_dialog_record(HWND dialog, LPARAM record);
template <typename T>
T* dialog_record(HWND dialog) {
    return dynamic_cast<T*>(reinterpret_cast<CommonDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA)));
}
void end_common_dialog(HWND dialog, bool ok);

enum class DialogOutcome { ok, cancelled, failed };
// An answer of a test or script applied to the dialog's choice: true for OK.
using ApplyAnswer = std::function<bool(const automation::CommonDialogAnswer&)>;
// Asks the automation. An answer given beforehand goes to `apply` at once;
// otherwise the window `make` creates (hidden, over the top-level owner)
// runs modally until it ends or an answer comes meanwhile. `failed`: the
// run has failed, or the window could not be made. A dialog that does not
// end with OK is logged as cancelled here.
DialogOutcome run_common_dialog(automation::CommonDialogKind kind, const std::string& title, HWND owner,
                                CommonDialogState& state, const std::function<HWND(HWND owner)>& make,
                                const ApplyAnswer& apply);

// --- Folders and files, as the dialogs show them: system names, "/" between folders

// An absolute folder path of `path` (relative ones from `base`): "\" read as
// "/", "." and ".." worked out, no "/" at the end but for the root.
std::string normal_path(const std::string& path, const std::string& base);
std::string parent_folder(const std::string& folder);
std::string join_path(const std::string& folder, const std::string& name);
std::string last_component(const std::string& path);
// The user's home folder ("/" when it cannot be told).
std::string home_folder();
// The folders (or files) of a folder, letters in either case sorted
// together, names that begin with "." left out; false when it cannot be
// listed.
bool list_folder(const std::string& folder, std::vector<std::string>* folders, std::vector<std::string>* files);
bool is_folder(const std::string& path);

// A folder picture, 16 x 16 from (x, y): closed, or open.
void draw_folder_icon(HDC dc, int x, int y, bool open);
// `text` cut at its start ("...") so that it fits `width` in the font of `dc`.
std::string fit_path_text(HDC dc, const std::string& text, int width);
// The same for the font of a static control and its width: its new text.
void set_path_text(HWND control, const std::string& path);
// An owner-drawn list item: highlight, the indented picture, the text.
void draw_folder_item(const DRAWITEMSTRUCT& item, int indent, bool open, const std::string& text);

}  // namespace platform_user
