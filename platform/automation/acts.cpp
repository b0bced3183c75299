// The automation interface's acts on controls and dialogs: typing into a
// field, choosing list items, checking boxes, pressing buttons, reading
// status bars, modal dialog loops, and the answers to common dialogs.
#include <algorithm>

#include "platform/automation/automation_internal.h"
#include "platform/automation/host.h"
#include "platform/user/codec.h"
#include "platform/user/controls_internal.h"
#include "platform/user/live_display.h"

namespace platform_automation {

namespace {

bool refuse_act(const std::string& what, const std::string& why) {
    log_event(what + " refused: " + why);
    return false;
}

bool usable(HWND control, const std::string& what) {
    if (!IsWindow(control)) return refuse_act(what, "there is no such window");
    if (!IsWindowVisible(control)) return refuse_act(what, "the window is hidden");
    if (!IsWindowEnabled(control)) return refuse_act(what, "the window is disabled");
    return true;
}

}  // namespace

bool act_type_into(HWND control, const std::string& sjis, bool replace) {
    std::string what = std::string(replace ? "set-text " : "type-into ") + describe_window(control);
    if (!usable(control, what)) return false;
    SetFocus(control);
    if (!IsWindow(control)) return false;
    if (replace) {
        SendMessageA(control, EM_SETSEL, 0, -1);
        post_key(VK_BACK, 0);
    } else {
        int end = GetWindowTextLengthA(control);
        SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(end), end);
    }
    return post_text(sjis);
}

int find_item(HWND control, const std::string& sjis) {
    std::vector<std::string> items = platform_user::control_items(control);
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == sjis) return static_cast<int>(i);
    }
    return -1;
}

bool act_choose_item(HWND control, int index, bool twice) {
    std::string what = "choose item " + std::to_string(index) + " of " + describe_window(control);
    std::string why;
    if (!platform_user::user_choose_item(control, index, twice, &why)) return refuse_act(what, why);
    if (platform_user::control_kind(control) == platform_user::ControlKind::combobox) return true;
    POINT p{};
    if (!platform_user::item_click_point(control, index, &p)) return refuse_act(what, "there is no such item");
    return post_click(control, p.x, p.y, WM_LBUTTONDOWN, WM_LBUTTONUP, twice);
}

bool act_set_checked(HWND control, bool checked) {
    std::string what = std::string(checked ? "check " : "uncheck ") + describe_window(control);
    if (!usable(control, what)) return false;
    if (platform_user::control_kind(control) != platform_user::ControlKind::button) {
        return refuse_act(what, "it is not a button");
    }
    bool now = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (now == checked) {
        log_event(std::string("already ") + (checked ? "checked" : "unchecked"));
        return true;
    }
    return post_press(control, describe_window(control));
}

HWND find_button(HWND root, const std::string& sjis) {
    std::string want = platform_user::without_mnemonics(sjis);
    for (HWND child = GetWindow(root, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (platform_user::control_kind(child) == platform_user::ControlKind::button) {
            std::string text = automation::window_text(child);
            if (text == sjis || platform_user::without_mnemonics(text) == want) return child;
        }
        if (HWND found = find_button(child, sjis)) return found;
    }
    return nullptr;
}

void give_common_answer(const automation::CommonDialogAnswer& answer) {
    State& a = state();
    if (!a.common_windows.empty() && !a.common_windows.back().answered) {
        CommonDialogWait& w = a.common_windows.back();
        if (answer.kind != automation::CommonDialogKind::any && answer.kind != w.kind) {
            fail("the answer is for the " + std::string(automation::common_dialog_kind_name(answer.kind)) + ", but " +
                     w.description + " waits",
                 true);
            return;
        }
        w.answered = true;
        w.answer = answer;
        return;
    }
    a.pending_common.push_back(answer);
    log_event("kept for the next common dialog");
}

// --- What the window layer asks ----------------------------------------------------------

void modal_dialog_begins(HWND /*dialog*/, const std::string& caption) {
    State& a = state();
    a.modal_stack.push_back("the dialog " + quote_sjis(caption));
    log_event("dialog " + quote_sjis(caption) + " opened");
}

void modal_dialog_ends(HWND dialog, INT_PTR result) {
    State& a = state();
    if (!a.modal_stack.empty()) a.modal_stack.pop_back();
    std::string caption = IsWindow(dialog) ? automation::window_text(dialog) : std::string();
    log_event("dialog " + quote_sjis(caption) + " ended with " + std::to_string(result));
}

void tracking_loop_begins(const std::string& what) {
    State& a = state();
    a.modal_stack.push_back(what);
}

void tracking_loop_ends() {
    State& a = state();
    if (!a.modal_stack.empty()) a.modal_stack.pop_back();
}

CommonDialogAsk ask_common_dialog(automation::CommonDialogKind kind, const std::string& title,
                                  automation::CommonDialogAnswer* answer) {
    State& a = state();
    std::string description = std::string(automation::common_dialog_kind_name(kind)) + " " + quote_sjis(title);
    log_event(description);
    if (a.aborted) return CommonDialogAsk::failed;
    if (a.pending_common.empty()) return CommonDialogAsk::window;
    automation::CommonDialogAnswer next = a.pending_common.front();
    if (next.kind != automation::CommonDialogKind::any && next.kind != kind) {
        fail("the next answer is for the " + std::string(automation::common_dialog_kind_name(next.kind)) +
                 ", but the " + description + " came",
             true);
        return CommonDialogAsk::failed;
    }
    a.pending_common.pop_front();
    *answer = next;
    return CommonDialogAsk::answered;
}

void common_dialog_window_begins(HWND dialog, automation::CommonDialogKind kind, const std::string& title) {
    State& a = state();
    std::string description = "the " + std::string(automation::common_dialog_kind_name(kind)) + " " + quote_sjis(title);
    a.modal_stack.push_back(description);
    a.common_windows.push_back(CommonDialogWait{dialog, kind, description, a.modal_stack.size(), false, {}});
}

bool take_common_dialog_answer(HWND dialog, automation::CommonDialogAnswer* answer) {
    State& a = state();
    if (a.common_windows.empty() || a.common_windows.back().dialog != dialog || !a.common_windows.back().answered) {
        return false;
    }
    *answer = a.common_windows.back().answer;
    a.common_windows.back().answered = false;
    return true;
}

void common_dialog_window_ends(HWND dialog) {
    State& a = state();
    if (a.common_windows.empty() || a.common_windows.back().dialog != dialog) return;
    if (!a.modal_stack.empty()) a.modal_stack.pop_back();
    a.common_windows.pop_back();
}

void common_dialog_result(automation::CommonDialogKind kind, const std::string& title, bool ok,
                          const std::string& result) {
    State& a = state();
    a.common_dialogs.push_back(automation::CommonDialogRecord{kind, title, ok, result});
    log_event(ok ? "chose " + quote_sjis(result) : std::string("cancelled"));
}

}  // namespace platform_automation

namespace automation {

using namespace platform_automation;

const char* common_dialog_kind_name(CommonDialogKind kind) {
    switch (kind) {
    case CommonDialogKind::open_file:
        return "open dialog";
    case CommonDialogKind::save_file:
        return "save dialog";
    case CommonDialogKind::colour:
        return "colour dialog";
    case CommonDialogKind::font:
        return "font dialog";
    case CommonDialogKind::printer:
        return "printer dialog";
    case CommonDialogKind::folder:
        return "folder browser";
    case CommonDialogKind::any:
        break;
    }
    return "common dialog";
}

void answer_next_common_dialog(const CommonDialogAnswer& answer) {
    give_common_answer(answer);
}

void answer_next_file_dialog(const std::string& name) {
    CommonDialogAnswer a;
    a.names.push_back(name);
    give_common_answer(a);
}

void answer_next_colour_dialog(COLORREF colour) {
    CommonDialogAnswer a;
    a.kind = CommonDialogKind::colour;
    a.has_colour = true;
    a.colour = colour;
    give_common_answer(a);
}

void answer_next_font_dialog(const std::string& face, int point_size, bool bold, bool italic) {
    CommonDialogAnswer a;
    a.kind = CommonDialogKind::font;
    a.face = face;
    a.point_size = point_size;
    a.bold = bold;
    a.italic = italic;
    give_common_answer(a);
}

void answer_next_printer_dialog(bool ok) {
    CommonDialogAnswer a;
    a.kind = CommonDialogKind::printer;
    a.ok = ok;
    give_common_answer(a);
}

void answer_next_folder_browser(const std::string& folder) {
    CommonDialogAnswer a;
    a.kind = CommonDialogKind::folder;
    a.names.push_back(folder);
    give_common_answer(a);
}

void cancel_next_common_dialog() {
    CommonDialogAnswer a;
    a.ok = false;
    give_common_answer(a);
}

const std::vector<CommonDialogRecord>& common_dialogs() {
    return state().common_dialogs;
}

void when_idle(std::function<void()> act) {
    state().idle_actions.push_back(std::move(act));
}

bool type_into(HWND control, const std::string& text) {
    bool ok = act_type_into(control, text, false);
    settle();
    return ok;
}

bool set_control_text(HWND control, const std::string& text) {
    bool ok = act_type_into(control, text, true);
    settle();
    return ok;
}

bool choose_item(HWND control, int index, bool twice) {
    bool ok = act_choose_item(control, index, twice);
    settle();
    return ok;
}

bool choose_item_text(HWND control, const std::string& text, bool twice) {
    int index = find_item(control, text);
    if (index < 0) {
        log_event("choose " + quote_sjis(text) + " refused: no item has the text");
        return false;
    }
    return choose_item(control, index, twice);
}

bool set_checked(HWND control, bool checked) {
    bool ok = act_set_checked(control, checked);
    settle();
    return ok;
}

bool press_button(int id) {
    HWND root = GetActiveWindow();
    if (!root) root = main_window();
    return press_control(root, id);
}

bool press_button_text(const std::string& text) {
    HWND root = GetActiveWindow();
    if (!root) root = main_window();
    HWND button = root ? find_button(root, text) : nullptr;
    if (!button) {
        log_event("press " + quote_sjis(text) + " refused: no button has the text");
        return false;
    }
    return press(button);
}

std::vector<std::string> control_items(HWND control) {
    return platform_user::control_items(control);
}

int selected_item(HWND control) {
    return platform_user::control_selection(control);
}

int check_state(HWND control) {
    return static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
}

std::vector<std::string> clipped_texts(HWND window) {
    std::vector<std::string> out;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::string why = platform_user::text_that_does_not_fit(child);
        if (!why.empty()) out.push_back(describe_window(child) + " " + why);
        std::vector<std::string> inner = clipped_texts(child);
        out.insert(out.end(), inner.begin(), inner.end());
    }
    return out;
}

std::string status_text(int part, HWND window) {
    if (!window) window = main_window();
    HWND bar = platform_user::control_kind(window) == platform_user::ControlKind::status_bar
                   ? window
                   : platform_user::find_status_bar(window);
    return bar ? platform_user::status_bar_text(bar, part) : std::string();
}

}  // namespace automation

