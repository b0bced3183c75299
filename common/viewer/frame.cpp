#include "common/viewer/frame.h"

#include <cstdio>

#include "common/shell/colour_set.h"
#include "common/shell/document.h"
#include "common/shell/recent_files.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "common/shell/window/scroll_keys.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/shell/window_placement.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "common/viewer/shell_boxes.h"
#include "common/text/shell_message_numbers.h"
#include "common/viewer/source_list.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/commctrl.h"

namespace {

constexpr int kTitleBoxX = 452;
constexpr int kTitleBoxMaxBytes = 128;

constexpr COLORREF kGrey = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kLightGrey = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kTitleBlue = RGB(0, 0, 0xFF);

// "標準明朝", "標準ゴシック", "ＭＳ ゴシック"
constexpr auto& kMinchoFace = "標準明朝"_sjis;
constexpr auto& kGothicFace = "標準ゴシック"_sjis;
constexpr auto& kMsGothicFace = "ＭＳ ゴシック"_sjis;

// "連動[F5]", "非連動[F5]"
constexpr auto& kLinkedLabel = "連動[F5]"_sjis;
constexpr auto& kUnlinkedLabel = "非連動[F5]"_sjis;

// ORDER ID: the buttons are 300 to 304 in row order; the labels keep their
// blanks. The rows of a program whose profile gives none.
constexpr ControlBarRow kButtonRows[kPageButtonCount] = {
    {2, 4, 74, 17, " 次関数[F1] "_sjis},    // " 次関数[F1] "
    {77, 4, 74, 17, " 前関数[F2] "_sjis},      // " 前関数[F2] "
    {152, 4, 74, 17, "先頭関数[F3]"_sjis},  // "先頭関数[F3]"
    {227, 4, 74, 17, "最終関数[F4]"_sjis},     // "最終関数[F4]"
    {302, 4, 74, 17, "  連動[F5]  "_sjis},        // "  連動[F5]  "
};
// ORDER ID: the page title box 100, then the page counter box 101.
constexpr ControlBarRow kBoxRows[2] = {
    {kTitleBoxX, 4, 408, 17, ""},
    {380, 4, 64, 17, ""},
};

bool is_frame(HWND window) { return window != nullptr && window == shell().frame_window; }

std::span<const ControlBarRow> button_rows() {
    const auto rows = viewer_profile().page_buttons;
    return rows.size() == kPageButtonCount ? rows : std::span<const ControlBarRow>(kButtonRows);
}

std::span<const ControlBarRow> box_rows() {
    const auto rows = viewer_profile().status_boxes;
    return rows.size() == 2 ? rows : std::span<const ControlBarRow>(kBoxRows);
}

HFONT make_fixed_font(int height, int width, const char* face) {
    return CreateFontA(height, width, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, 0, 0,
                       FIXED_PITCH, face);
}

void delete_object(HGDIOBJ& object) {
    if (object != nullptr) DeleteObject(object);
    object = nullptr;
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// A pen of the colour selected into dc for the callback's drawing.
template <class Draw>
void with_pen(HDC dc, COLORREF colour, Draw draw) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    draw();
    SelectObject(dc, old);
    DeleteObject(pen);
}

void fill_box(HDC dc, const RECT& client) {
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
    with_pen(dc, kLightGrey, [&] { Rectangle(dc, client.left, client.top, client.right, client.bottom); });
    SelectObject(dc, old_brush);
    SetBkColor(dc, kLightGrey);
}

void draw_text(HDC dc, int x, int y, COLORREF colour, const std::string& text) {
    if (text.empty()) return;
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void draw_title_box(const std::string& title) {
    HWND box = shell().title_box;
    HDC dc = GetDC(box);
    if (dc == nullptr) return;
    RECT client{};
    GetClientRect(box, &client);
    HGDIOBJ old_font = SelectObject(dc, shell().button_font);
    fill_box(dc, client);
    const size_t blank = title.find(' ');
    if (blank == std::string::npos) {
        draw_text(dc, 4, 3, kTitleBlue, title);
    } else {
        draw_text(dc, 4, 3, kTitleBlue, title.substr(0, blank));
        draw_text(dc, static_cast<int>(blank + 1) * 7 + 4, 3, kBlack, title.substr(blank + 1));
    }
    draw_sunken_frame(dc, client);
    SelectObject(dc, old_font);
    ReleaseDC(box, dc);
}

void draw_counter_box(const std::string& counter) {
    HWND box = shell().counter_box;
    HDC dc = GetDC(box);
    if (dc == nullptr) return;
    RECT client{};
    GetClientRect(box, &client);
    HGDIOBJ old_font = SelectObject(dc, shell().button_font);
    fill_box(dc, client);
    draw_text(dc, 8, 3, kBlack, counter);
    draw_sunken_frame(dc, client);
    SelectObject(dc, old_font);
    ReleaseDC(box, dc);
}

// The boxes also carry what they show as their window text, which is what
// a reader of the window (the automation) sees.
void set_text_if_changed(HWND window, const std::string& text) {
    if (window == nullptr) return;
    char current[300] = {};
    GetWindowTextA(window, current, sizeof current);
    if (text != current) SetWindowTextA(window, text.c_str());
}

void enable(HWND window, bool on) {
    if (window != nullptr) EnableWindow(window, on ? TRUE : FALSE);
}

void enable_page_controls(bool on) {
    for (HWND button : shell().page_buttons) enable(button, on);
    enable(shell().chart, on);
}

void enable_popup(HMENU menu, int position, bool on) {
    EnableMenuItem(menu, static_cast<UINT>(position), MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
}

void enable_document_items(HMENU menu, bool on) {
    for (UINT id : viewer_profile().document_items)
        EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

void place(HWND window, int x, int y, int width, int height) {
    if (window != nullptr) SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The keys the frame passes to the view: 0 vertical, 1 horizontal.
enum : int { kVertical = 0, kHorizontal = 1 };

void scroll_view(int axis, WPARAM code) {
    if (viewer_hooks().scroll_view) viewer_hooks().scroll_view(axis, code);
}

LRESULT frame_key(WPARAM key) {
    ScrollKeyStep step;
    if (scroll_step_of_key(key, step)) scroll_view(step.horizontal ? kHorizontal : kVertical, static_cast<WPARAM>(step.code));
    return 0;
}

bool goes_to_dispatcher(WPARAM wparam) {
    const WPARAM group = wparam & 0xFF00;
    if ((group & 0x0F00) != 0) return false;
    return (viewer_profile().dispatch_groups >> (group >> 12) & 1U) != 0;
}

LRESULT frame_command(WPARAM wparam) {
    ViewerHooks& hooks = viewer_hooks();
    if (goes_to_dispatcher(wparam)) {
        if (hooks.dispatch_menu_command) hooks.dispatch_menu_command(shell().frame_window, wparam);
        return 0;
    }
    const int id = LOWORD(wparam);
    switch (id) {
    case kNextButtonId:
    case kPreviousButtonId:
        if (hooks.step_page) hooks.step_page(id % 100);
        break;
    case kFirstButtonId:
    case kLastButtonId:
        if (hooks.jump_end_page) hooks.jump_end_page(id % 100 - 2);
        break;
    case kLinkButtonId:
        if (shell().owned.preview != nullptr) return 0;
        if (hooks.set_link_mode) hooks.set_link_mode(!document_state().linked_mode);
        set_link_button_label(document_state().linked_mode);
        break;
    case kAbortCommandId: document_state().abort = true; break;
    default: break;
    }
    if (shell().chart != nullptr) SetFocus(shell().chart);
    return 0;
}

LRESULT frame_close(HWND window, WPARAM wparam, LPARAM lparam) {
    if (document_state().busy) return 0;
    if (viewer_hooks().confirm_close && !viewer_hooks().confirm_close()) return 0;
    OwnedWindows& owned = shell().owned;
    // an unsaved form gets its own question before anything is destroyed
    if (owned.form_editor != nullptr && shell().close_form_editor && !shell().close_form_editor()) return 0;
    destroy_owned_windows();
    return DefWindowProcA(window, WM_CLOSE, wparam, lparam);
}

void destroy_owned(HWND& window) {
    if (window != nullptr && IsWindow(window)) DestroyWindow(window);
    window = nullptr;
}

}  // namespace

void ShellState::reset() { *this = ShellState{}; }

ShellState& shell() {
    static ShellState state;
    return state;
}

int register_window_classes(HINSTANCE instance) {
    const ViewerProfile& profile = viewer_profile();
    const HBRUSH grey = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    // ORDER: the frame's own family, then the view: the program's procedure
    // over its background brush. TOOLS and MSG are registered for the shared
    // framework, no program of ours makes a window of them.
    const WindowClassRow classes[] = {
        {profile.program_name, frame_wnd_proc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), true, profile.menu_name},
        {"TOOLS", frame_wnd_proc, grey},
        {"CONTROL", frame_wnd_proc, grey},
        {"MSG", frame_wnd_proc, grey},
        {"RULER", ruler_wnd_proc, grey},
        {"TEXT", text_box_wnd_proc, grey},
        {"CHART", viewer_hooks().chart_procedure,
         viewer_hooks().chart_background ? viewer_hooks().chart_background() : grey},
    };
    if (register_window_class_rows(instance, classes) == 0) return 0;

    // The owned windows' families, in the shared framework's order (summary,
    // form editor, source list, error window, layout, progress meter, print
    // preview); the program's own families come through its hooks.
    if (profile.error_window != nullptr) generation_error_window().set_profile(*profile.error_window);
    set_progress_meter_profile(profile.meter);
    const ViewerHooks& hooks = viewer_hooks();
    if (profile.summary_window && register_summary_classes(instance) != 1) return 0;
    const std::function<int(HINSTANCE)> families[] = {
        hooks.register_form_editor, register_source_classes, register_error_window_classes,
        hooks.register_layout_window, register_meter_class, hooks.register_print_preview,
    };
    for (const std::function<int(HINSTANCE)>& family : families) {
        if (!family) continue;
        const int result = family(instance);
        if (result != 1) return result;
    }
    return 1;
}

void destroy_owned_windows() {
    OwnedWindows& owned = shell().owned;
    if (viewer_hooks().close_print_preview) viewer_hooks().close_print_preview();
    destroy_owned(owned.layout);
    close_source_list_window();
    close_generation_error_window();
    destroy_owned(owned.form_editor);
    close_summary_window();
}

void destroy_document_windows() {
    destroy_owned(shell().owned.layout);
    close_source_list_window();
    close_generation_error_window();
    close_summary_window();
}

int create_frame_children(HWND frame) {
    ShellState& s = shell();
    s.gauge_font = make_fixed_font(12, 6, kMinchoFace);
    s.list_font = make_fixed_font(14, 7, kGothicFace);
    s.dialog_font = make_fixed_font(12, 6, kMsGothicFace);
    s.button_font = CreateFontA(12, 0, 0, 0, 0, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, nullptr);

    RECT client{};
    GetClientRect(frame, &client);
    const int width = client.right;
    const auto id = [](int n) { return reinterpret_cast<HMENU>(static_cast<intptr_t>(n)); };
    s.control_bar = CreateWindowA("CONTROL", "CONTROL", WS_CHILD | WS_VISIBLE, 0, 0, width, kControlBarHeight,
                                  frame, id(kControlBarId), s.instance, nullptr);
    s.ruler = CreateWindowA("RULER", "RULER", WS_CHILD | WS_VISIBLE, 0, kControlBarHeight, width, kRulerHeight,
                            frame, id(kRulerId), s.instance, nullptr);
    s.chart = CreateWindowA("CHART", "CHART", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 0, 35, width,
                            client.bottom - 63, frame, id(kChartId), s.instance, nullptr);
    s.status_bar = CreateStatusWindowA(static_cast<LONG>(WS_CHILD | WS_VISIBLE), viewer_profile().status_bar_text,
                                       frame, kStatusBarId);
    InitCommonControls();

    for (int i = 0; i < kPageButtonCount; ++i) {
        const ControlBarRow& row = button_rows()[static_cast<size_t>(i)];
        s.page_buttons[i] = CreateWindowA("BUTTON", row.title, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, row.x, row.y,
                                          row.width, row.height, s.control_bar, id(kNextButtonId + i), s.instance,
                                          nullptr);
        SendMessageA(s.page_buttons[i], WM_SETFONT, reinterpret_cast<WPARAM>(s.button_font), FALSE);
    }
    HWND* boxes[2] = {&s.title_box, &s.counter_box};
    for (int i = 0; i < 2; ++i) {
        const ControlBarRow& row = box_rows()[static_cast<size_t>(i)];
        *boxes[i] = CreateWindowA("TEXT", row.title, WS_CHILD | WS_VISIBLE, row.x, row.y, row.width, row.height,
                                  s.control_bar, id(kPageTitleBoxId + i), s.instance, nullptr);
    }
    layout_frame_children(frame);
    if (viewer_hooks().frame_resized) viewer_hooks().frame_resized();
    return 0;
}

void create_gdi_objects(HWND frame) {
    ShellState& s = shell();
    const ViewerProfile& profile = viewer_profile();
    (void)frame;
    for (int i = 0; i < 8; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, profile.clock_cursor_format, i);
        s.clock_cursors[i] = LoadCursorA(s.instance, name);
    }
    s.arrow_cursor = LoadCursorA(nullptr, IDC_ARROW);
    s.pad_bitmap = LoadBitmapA(s.instance, profile.pad_bitmap);
    s.source_bitmap = LoadBitmapA(s.instance, profile.source_bitmap);
    if (profile.form_bitmap != nullptr) s.form_bitmap = LoadBitmapA(s.instance, profile.form_bitmap);
    if (viewer_hooks().create_colour_objects) viewer_hooks().create_colour_objects();
    recreate_source_colours();
}

void recreate_source_colours() {
    ShellState& s = shell();
    const ViewerProfile& profile = viewer_profile();
    if (profile.colour_source_text == nullptr || profile.colour_source_background == nullptr) return;
    const COLORREF background = read_colour_ref(shell_settings(), *profile.colour_source_background);
    delete_object(s.source_background_brush);
    s.source_background_brush = CreateSolidBrush(background);
    set_source_list_colours(read_colour_ref(shell_settings(), *profile.colour_source_text), background);
}

void free_gdi_objects(HWND frame) {
    ShellState& s = shell();
    (void)frame;
    for (HFONT* font : {&s.list_font, &s.dialog_font, &s.gauge_font, &s.button_font}) delete_object(*font);
    // the view's fonts, pens and brushes
    if (viewer_hooks().free_colour_objects) viewer_hooks().free_colour_objects();
    delete_object(s.source_background_brush);
    delete_object(s.source_bitmap);
    delete_object(s.pad_bitmap);
    // the form bitmap stays: the form editor may still hold it, and the end
    // of the process releases it
    for (HCURSOR& cursor : s.clock_cursors) {
        if (cursor != nullptr) DestroyCursor(cursor);
        cursor = nullptr;
    }
}

void layout_frame_children(HWND frame) {
    ShellState& s = shell();
    RECT client{};
    GetClientRect(frame, &client);
    const int width = client.right;
    const int height = client.bottom;
    const int status = s.status_bar_shown ? kStatusBarHeight : 0;
    if (!s.toolbar_layout) {
        place(s.control_bar, 0, 0, width, kControlBarHeight);
        place(s.status_bar, 0, height - kStatusBarHeight, width, kStatusBarHeight);
    }
    if (s.ruler_shown) {
        place(s.ruler, 0, kControlBarHeight, width, kRulerHeight);
        place(s.chart, 0, kControlBarHeight + kRulerHeight, width,
              height - kControlBarHeight - status - kRulerHeight);
    } else {
        place(s.chart, 0, kControlBarHeight, width, height - kControlBarHeight - status);
    }
    // a narrow frame keeps the box at its created width
    const int box_x = box_rows()[0].x;
    if (s.title_box != nullptr && box_x + 80 < width) {
        SetWindowPos(s.title_box, nullptr, 0, 0, width - box_x - 4, 17,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void draw_sunken_frame(HDC dc, const RECT& rect) {
    const int right = rect.right - 1;
    const int bottom = rect.bottom - 1;
    with_pen(dc, kGrey, [&] {
        MoveToEx(dc, rect.left, bottom, nullptr);
        LineTo(dc, rect.left, rect.top);
        LineTo(dc, right, rect.top);
    });
    with_pen(dc, kWhite, [&] {
        MoveToEx(dc, rect.left, bottom, nullptr);
        LineTo(dc, right, bottom);
        LineTo(dc, right, rect.top);
    });
}

void draw_ruler_face(HDC dc, const RECT& client) {
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
    with_pen(dc, kGrey, [&] { Rectangle(dc, client.left, client.top, client.right, client.bottom); });
    SelectObject(dc, old_brush);
    with_pen(dc, kWhite, [&] { line(dc, client.left, client.top, client.right, client.top); });
    with_pen(dc, kGrey, [&] { line(dc, client.left, client.bottom - 1, client.right, client.bottom - 1); });
}

void draw_ruler_divider(HDC dc, int x, const RECT& client) {
    with_pen(dc, kGrey, [&] { line(dc, x - 1, client.top + 1, x - 1, client.bottom - 1); });
    with_pen(dc, kWhite, [&] { line(dc, x, client.top + 1, x, client.bottom - 1); });
}

void draw_control_bar_edge() {
    HWND bar = shell().control_bar;
    if (bar == nullptr) return;
    HDC dc = GetDC(bar);
    if (dc == nullptr) return;
    RECT client{};
    GetClientRect(bar, &client);
    with_pen(dc, kGrey, [&] { line(dc, 0, 0, client.right, 0); });
    with_pen(dc, kWhite, [&] { line(dc, 0, 1, client.right, 1); });
    ReleaseDC(bar, dc);
}

std::string page_title_for_box(const std::string& title) {
    std::string shown = title;
    cut_at_char_boundary(shown, kTitleBoxMaxBytes);
    return shown;
}

void update_title_and_status() {
    if (viewer_hooks().update_title) {
        viewer_hooks().update_title();
        return;
    }
    ShellState& s = shell();
    DocumentState& doc = document_state();
    std::string directory, name;
    split_path(doc.source_name, directory, name);
    const std::string program = viewer_profile().program_name;
    const std::string frame_title = doc.source_name.empty() ? program : name + " - " + program;
    set_text_if_changed(s.frame_window, frame_title);

    const std::string title = doc.loaded ? page_title_for_box(doc.page_title) : std::string();
    std::string counter;
    if (doc.loaded) counter = format_text("%4d/%-4d", doc.current_page + 1, doc.page_count);
    set_text_if_changed(s.title_box, title);
    set_text_if_changed(s.counter_box, counter);
    draw_title_box(title);
    draw_counter_box(counter);

    if (!doc.loaded) return;
    for (int i = 0; i < 4; ++i) enable(s.page_buttons[i], true);
    const auto disable = [&s](int id) { enable(s.page_buttons[id - kNextButtonId], false); };
    if (doc.page_count <= 0) {
        // nothing to page through
        for (int id : {kNextButtonId, kPreviousButtonId, kFirstButtonId, kLastButtonId}) disable(id);
        return;
    }
    if (doc.current_page == doc.page_count - 1) {
        disable(kNextButtonId);
        disable(kLastButtonId);
    }
    if (doc.current_page == 0) {
        disable(kFirstButtonId);
        disable(kPreviousButtonId);
    }
}

void set_document_menus(int has_document) {
    ShellState& s = shell();
    const bool edit_follows_name = viewer_profile().edit_popup_needs_name;
    HMENU menu = GetMenu(s.frame_window);
    if (has_document == 0) {
        enable_document_items(menu, false);
        if (edit_follows_name) enable_popup(menu, kEditPopup, false);
        for (int position : {kViewPopup, kSettingsPopup, kPrintPopup, kOutputPopup}) enable_popup(menu, position, false);
        enable_page_controls(false);
        // a chosen document can still be generated or edited
        if (!document_state().file_name.empty()) {
            enable_document_items(menu, true);
            if (edit_follows_name) enable_popup(menu, kEditPopup, true);
        }
    } else {
        enable_document_items(menu, true);
        for (int position : {kEditPopup, kViewPopup, kSettingsPopup, kPrintPopup, kOutputPopup})
            enable_popup(menu, position, true);
        enable_page_controls(true);
    }
    DrawMenuBar(s.frame_window);
}

void set_busy_state(int idle) {
    ShellState& s = shell();
    DocumentState& doc = document_state();
    const ViewerHooks& hooks = viewer_hooks();
    HMENU menu = GetMenu(s.frame_window);
    if (idle == 0) {
        if (hooks.forget_progress) hooks.forget_progress();
        s.kept_cursor = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        ShowCursor(TRUE);
        doc.busy = true;
        for (int position = 0; position < viewer_profile().popup_count; ++position) enable_popup(menu, position, false);
        enable_page_controls(false);
        enable(source_list().view, false);
        enable(s.owned.layout, false);
    } else {
        doc.busy = false;
        const bool named = !doc.file_name.empty();
        for (int position : {static_cast<int>(kFilePopup), static_cast<int>(kGenerationPopup), viewer_profile().help_popup})
            enable_popup(menu, position, true);
        const bool content = hooks.has_content ? hooks.has_content() : doc.page_count > 0;
        if (hooks.restore_menus) {
            hooks.restore_menus(menu);
        } else {
            enable_popup(menu, kEditPopup, named || !viewer_profile().edit_popup_needs_name);
        }
        if (!hooks.restore_menus && named && doc.loaded && content) {
            for (int position : {kViewPopup, kSettingsPopup, kPrintPopup, kOutputPopup})
                enable_popup(menu, position, true);
            enable_document_items(menu, true);
            enable_page_controls(true);
            enable(source_list().view, true);
            enable(s.owned.layout, true);
        }
        ShowCursor(FALSE);
        SetCursor(s.kept_cursor);
        update_title_and_status();
    }
    DrawMenuBar(s.frame_window);
}

RecentPick pick_recent_file(UINT command_id, std::string* name) {
    const int entry = recent_menu_entry(viewer_profile().recent_menu, shell_settings(), command_id);
    if (entry < 0) return kNoRecentEntry;
    *name = recent_file(shell_settings(), entry);
    if (crt_exists(name->c_str())) return kRecentFound;
    const std::string message = message_text(shell_message::kOpenError);
    if (viewer_profile().missing_recent_name_first)
        show_info_box(1, kReadFileCaption, *name, message);
    else
        show_info_box(1, kReadFileCaption, message, *name);
    set_status_text(0, "");
    return kRecentGone;
}

void set_status_text(int mode, const std::string& text) {
    ShellState& s = shell();
    s.kept_status_text = mode == 1 ? text : std::string();
    if (s.status_bar != nullptr)
        SendMessageA(s.status_bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(s.kept_status_text.c_str()));
}

void set_link_button_label(bool on) {
    HWND button = shell().page_buttons[kLinkButtonId - kNextButtonId];
    if (button != nullptr) SetWindowTextA(button, on ? kLinkedLabel : kUnlinkedLabel);
}

void toggle_ruler() {
    ShellState& s = shell();
    s.ruler_shown = !s.ruler_shown;
    CheckMenuItem(GetMenu(s.frame_window), viewer_profile().ruler_command,
                  MF_BYCOMMAND | (s.ruler_shown ? MF_CHECKED : MF_UNCHECKED));
    if (s.ruler != nullptr) ShowWindow(s.ruler, s.ruler_shown ? SW_SHOW : SW_HIDE);
    layout_frame_children(s.frame_window);
    if (viewer_hooks().frame_resized) viewer_hooks().frame_resized();
}

void save_frame_placement() {
    HWND frame = shell().frame_window;
    RECT rect{};
    if (frame == nullptr || !GetWindowRect(frame, &rect)) return;
    const WindowPlacement placement{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    save_window_placement(viewer_profile().placement, kMainWindow, placement, IsIconic(frame) != FALSE);
}

LRESULT frame_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    ShellState& s = shell();
    switch (message) {
    case WM_CREATE:
        if (s.frame_window == nullptr && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0) {
            s.frame_window = window;
            HMENU menu = GetMenu(window);
            for (UINT item : viewer_profile().checked_at_create) CheckMenuItem(menu, item, MF_BYCOMMAND | MF_CHECKED);
        }
        return 0;
    case WM_DESTROY:
        if (is_frame(window)) PostQuitMessage(0);
        return 0;
    case WM_MOVE:
        if (is_frame(window)) save_frame_placement();
        return 0;
    case WM_SIZE:
        // a minimised frame has no client area to lay out
        if (is_frame(window) && wparam != SIZE_MINIMIZED) {
            layout_frame_children(window);
            if (viewer_hooks().frame_resized) viewer_hooks().frame_resized();
            if (!IsZoomed(window)) save_frame_placement();
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        if (!document_state().busy) SetCursor(s.arrow_cursor != nullptr ? s.arrow_cursor : LoadCursorA(nullptr, IDC_ARROW));
        draw_control_bar_edge();
        return 0;
    }
    case WM_CLOSE:
        if (!is_frame(window)) return 0;
        return frame_close(window, wparam, lparam);
    case WM_NOTIFY:
        // tool tips: NOTARIX has no tool bar and no tip texts
        return 0;
    case WM_NCMOUSEMOVE:
        s.cursor_window = window;
        return 0;
    case WM_MOUSEMOVE:
        if (document_state().busy) {
            SetCursor(LoadCursorA(nullptr, IDC_WAIT));
            ShowCursor(TRUE);
        }
        return 0;
    case WM_KEYDOWN:
        return frame_key(wparam);
    case WM_COMMAND:
        if (viewer_profile().command_clears_status) set_status_text(0, "");
        return frame_command(wparam);
    case WM_SYSCOLORCHANGE:
    case WM_CTLCOLOR:
    case WM_DRAWITEM:
    case WM_CHAR:
    case WM_TIMER:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_PALETTECHANGED:
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

LRESULT text_box_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        shell().kept_status_text = message_text(viewer_profile().messages.choose_file);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        RECT client{};
        GetClientRect(window, &client);
        if (dc != nullptr) draw_sunken_frame(dc, client);
        EndPaint(window, &paint);
        set_status_text(1, shell().kept_status_text);
        update_title_and_status();
        return 0;
    }
    case WM_DESTROY:
    case WM_SIZE:
    case WM_CHAR:
    case WM_DRAWITEM:
    case WM_COMMAND:
    case WM_TIMER:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_PALETTECHANGED:
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

LRESULT ruler_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
    case WM_SIZE:
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        if (viewer_hooks().paint_ruler) viewer_hooks().paint_ruler();
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

// --- Stepping through the document ------------------------------------------------------

namespace {

// Beeps and shows a refusal; returns its message number.
int refuse_step(const DocumentStepHooks& hooks, int message) {
    MessageBeep(0);
    if (hooks.set_status_text) hooks.set_status_text(1, message_text(message));
    return message;
}

// The refusal of a change, if any: 117 or 118 without a document, 603 or
// 604 at either end (a document without pages has neither end to show).
int check_step(const DocumentStepHooks& hooks, bool backwards) {
    if (hooks.set_status_text) hooks.set_status_text(0, "");
    const DocumentState& doc = document_state();
    const ShellMessageNumbers& numbers = viewer_profile().messages;
    if (!doc.loaded) return refuse_step(hooks, doc.file_name.empty() ? numbers.choose_file : numbers.no_document);
    if (backwards && doc.current_page <= 0) return refuse_step(hooks, shell_message::kFirstPage);
    if (!backwards && doc.current_page >= doc.page_count - 1) return refuse_step(hooks, shell_message::kLastPage);
    return 0;
}

void finish_step(const DocumentStepHooks& hooks) {
    if (hooks.show_current) hooks.show_current();
    if (document_state().linked_mode && hooks.follow_source) hooks.follow_source();
    if (hooks.update_layout_region) hooks.update_layout_region();
}

}  // namespace

int step_document(int direction, const DocumentStepHooks& hooks) {
    const bool backwards = direction == kPreviousPage;
    const int refused = check_step(hooks, backwards);
    if (refused != 0) return refused;
    document_state().current_page += backwards ? -1 : 1;
    finish_step(hooks);
    return 0;
}

int jump_document_end(int which, const DocumentStepHooks& hooks) {
    const bool first = which == kFirstPage;
    const int refused = check_step(hooks, first);
    if (refused != 0) return refused;
    DocumentState& doc = document_state();
    doc.current_page = first ? 0 : doc.page_count - 1;
    finish_step(hooks);
    return 0;
}
