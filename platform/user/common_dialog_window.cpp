// The common dialogs' windows: templates made in code, the modal run, and
// the folder pictures and paths of the file and folder dialogs.
#include "platform/user/common_dialog_window.h"

#include <algorithm>

#include "platform/automation/host.h"
#include "platform/kernel/file_io.h"
#include "platform/user/commdlg.h"

namespace platform_user {

DialogBuilder::DialogBuilder(const std::string& caption_sjis, int cx, int cy)
    : caption_(caption_sjis), cx_(cx), cy_(cy) {}

void DialogBuilder::add(const char* class_name, const std::string& text, int id, int x, int y, int cx, int cy,
                        DWORD style) {
    texts_.push_back(text);
    items_.push_back(DialogItemTemplate{class_name, texts_.back().c_str(), id, x, y, cx, cy, style});
}

DialogTemplate DialogBuilder::make() const {
    return DialogTemplate{"",
                          WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER,
                          0,
                          0,
                          0,
                          cx_,
                          cy_,
                          caption_.c_str(),
                          kDesktopDialogPoints,
                          nullptr,
                          nullptr,
                          nullptr,
                          std::span<const DialogItemTemplate>(items_)};
}

void keep_dialog_record(HWND dialog, LPARAM record) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, record);
}

void end_common_dialog(HWND dialog, bool ok) {
    auto* record = reinterpret_cast<CommonDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (!record) return;
    record->ended = true;
    record->ok = ok;
}

namespace {

// The window waits for the user, or for an answer given meanwhile.
DialogOutcome run_dialog_window(automation::CommonDialogKind kind, const std::string& title, HWND owner,
                                CommonDialogState& state, const std::function<HWND(HWND owner)>& make,
                                const ApplyAnswer& apply) {
    automation::CommonDialogAnswer answer;
    HWND top = owner && IsWindow(owner) ? top_level_of(owner) : nullptr;
    HWND dialog = make(top);
    if (!dialog) {
        set_common_dialog_error(CDERR_DIALOGFAILURE);
        return DialogOutcome::failed;
    }
    const bool owner_enabled = top && IsWindowEnabled(top);
    if (owner_enabled) EnableWindow(top, FALSE);
    platform_automation::common_dialog_window_begins(dialog, kind, title);
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    DialogOutcome outcome = DialogOutcome::failed;
    while (IsWindow(dialog) && !state.ended) {
        if (platform_automation::run_aborted()) break;
        if (platform_automation::take_common_dialog_answer(dialog, &answer)) {
            outcome = answer.ok && apply(answer) ? DialogOutcome::ok : DialogOutcome::cancelled;
            break;
        }
        MSG m;
        if (!take_message(&m, nullptr, 0, 0, true)) {
            if (platform_automation::on_idle() == platform_automation::IdleOutcome::finished) break;
            continue;
        }
        if (m.message == WM_QUIT) {
            // The quit is for the program's own loop.
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (!IsDialogMessageA(dialog, &m)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    if (state.ended) outcome = state.ok ? DialogOutcome::ok : DialogOutcome::cancelled;
    platform_automation::common_dialog_window_ends(dialog);
    // The owner comes back before the dialog goes, so that it is activated.
    if (owner_enabled && IsWindow(top)) EnableWindow(top, TRUE);
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return outcome;
}

}  // namespace

DialogOutcome run_common_dialog(automation::CommonDialogKind kind, const std::string& title, HWND owner,
                                CommonDialogState& state, const std::function<HWND(HWND owner)>& make,
                                const ApplyAnswer& apply) {
    DialogOutcome outcome = DialogOutcome::failed;
    automation::CommonDialogAnswer answer;
    switch (platform_automation::ask_common_dialog(kind, title, &answer)) {
    case platform_automation::CommonDialogAsk::failed:
        break;
    case platform_automation::CommonDialogAsk::answered:
        outcome = answer.ok && apply(answer) ? DialogOutcome::ok : DialogOutcome::cancelled;
        break;
    case platform_automation::CommonDialogAsk::window:
        outcome = run_dialog_window(kind, title, owner, state, make, apply);
        break;
    }
    if (outcome != DialogOutcome::ok) platform_automation::common_dialog_result(kind, title, false, "");
    return outcome;
}
// --- Folders and files -----------------------------------------------------------------

std::string normal_path(const std::string& path, const std::string& base) {
    std::string text;
    for (size_t i = 0; i < path.size();) {
        size_t next = next_char(path, i);
        if (next == i + 1 && path[i] == '\\') {
            text += '/';
        } else {
            text.append(path, i, next - i);
        }
        i = next;
    }
    if (text.empty() || text[0] != '/') text = base + "/" + text;
    std::vector<std::string> parts;
    size_t at = 0;
    while (at <= text.size()) {
        size_t slash = text.find('/', at);
        if (slash == std::string::npos) slash = text.size();
        std::string part = text.substr(at, slash - at);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = slash + 1;
    }
    std::string out;
    for (const std::string& p : parts) out += "/" + p;
    return out.empty() ? "/" : out;
}

std::string parent_folder(const std::string& folder) {
    size_t slash = folder.rfind('/');
    if (slash == std::string::npos || slash == 0) return "/";
    return folder.substr(0, slash);
}

std::string join_path(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

std::string last_component(const std::string& path) {
    if (path == "/") return path;
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string home_folder() {
    const char* home = crt_getenv("HOME");
    if (!home || !*home) return "/";
    return normal_path(home, "/");
}

bool list_folder(const std::string& folder, std::vector<std::string>* folders, std::vector<std::string>* files) {
    std::vector<FolderEntry> entries;
    if (!crt_list_folder(folder.c_str(), entries)) return false;
    for (const FolderEntry& e : entries) {
        if (e.name.empty() || e.name[0] == '.') continue;
        std::vector<std::string>* into = e.folder ? folders : files;
        if (into) into->push_back(e.name);
    }
    // Letters in either case together, as the lists of Windows had them.
    const auto in_order = [](const std::string& a, const std::string& b) { return compare_ignoring_case(a, b) < 0; };
    if (folders) std::stable_sort(folders->begin(), folders->end(), in_order);
    if (files) std::stable_sort(files->begin(), files->end(), in_order);
    return true;
}

bool is_folder(const std::string& path) {
    if (crt_file_kind(path.c_str()) != kCrtOtherEntry) return false;
    std::vector<FolderEntry> entries;
    return crt_list_folder(path.c_str(), entries);
}

// --- Pictures ----------------------------------------------------------------------------

void draw_folder_icon(HDC dc, int x, int y, bool open) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(128, 128, 0));
    HBRUSH back = CreateSolidBrush(RGB(192, 192, 0));
    HBRUSH front = CreateSolidBrush(RGB(255, 255, 128));
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, back);
    const POINT tab[] = {{x + 1, y + 4}, {x + 2, y + 2}, {x + 6, y + 2}, {x + 7, y + 4}, {x + 14, y + 4},
                         {x + 14, y + 13}, {x + 1, y + 13}};
    Polygon(dc, tab, 7);
    SelectObject(dc, front);
    if (open) {
        const POINT flap[] = {{x + 4, y + 7}, {x + 16, y + 7}, {x + 13, y + 13}, {x + 1, y + 13}};
        Polygon(dc, flap, 4);
    } else {
        Rectangle(dc, x + 1, y + 5, x + 15, y + 14);
    }
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(pen);
    DeleteObject(back);
    DeleteObject(front);
}

std::string fit_path_text(HDC dc, const std::string& text, int width) {
    if (text_width(dc, text) <= width) return text;
    for (size_t at = next_char(text, 0); at < text.size(); at = next_char(text, at)) {
        std::string cut = "..." + text.substr(at);
        if (text_width(dc, cut) <= width) return cut;
    }
    return "...";
}

void set_path_text(HWND control, const std::string& path) {
    RECT r;
    GetClientRect(control, &r);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, control_font(control));
    std::string shown = fit_path_text(dc, path, r.right - r.left);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    SetWindowTextA(control, shown.c_str());
}

void draw_folder_item(const DRAWITEMSTRUCT& item, int indent, bool open, const std::string& text) {
    HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    fill_solid(dc, r, sys_color(COLOR_WINDOW));
    const int icon_x = r.left + 2 + indent;
    const int icon_y = r.top + (r.bottom - r.top - 16) / 2;
    draw_folder_icon(dc, icon_x, icon_y, open);
    const int text_x = icon_x + 20;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    RECT label{text_x - 2, r.top, std::min<LONG>(r.right, text_x + text_width(dc, text) + 2), r.bottom};
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected) fill_solid(dc, label, sys_color(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, sys_color((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                               : selected                       ? COLOR_HIGHLIGHTTEXT
                                                                : COLOR_WINDOWTEXT));
    draw_text_line(dc, text_x, r.top + (r.bottom - r.top - tm.tmHeight) / 2, text);
    if (item.itemState & ODS_FOCUS) FrameRect(dc, &label, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

}  // namespace platform_user
