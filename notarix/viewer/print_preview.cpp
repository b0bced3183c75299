#include "notarix/viewer/print_preview.h"

#include <iterator>

#include "common/print/function_print.h"
#include "common/print/list_print.h"
#include "common/print/print_state.h"
#include "common/print/printer_device.h"
#include "common/shell/document.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/text/notarix_message_numbers.h"
#include "common/viewer/shell_boxes.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/print_commands.h"
#include "notarix/viewer/settings_dialogs.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/sjis_text.h"

namespace {

// "関数仕様書印刷プレビュー", the bare caption of the set-up's question
constexpr auto& kPreviewCaption = "関数仕様書印刷プレビュー"_sjis;

constexpr int kBarHeight = 20;
constexpr int kSeparatorHeight = 2;
constexpr int kBoxX = 20;
constexpr int kBoxY = 42;
constexpr int kSmallestBox = 80;
constexpr int kTinyBox = 40;

struct ButtonRow {
    int x, y, width, height;
    const char* label;
};
// ORDER ID: the buttons are 300 to 305, command n = id - 300.
constexpr ButtonRow kButtons[kPreviewButtonCount] = {
    {2, 1, 72, 18, "次関数(F1)"_sjis},
    {75, 1, 72, 18, "前関数(F2)"_sjis},
    {148, 1, 72, 18, "先頭関数(F3)"_sjis},
    {221, 1, 72, 18, "最終関数(F4)"_sjis},
    {300, 1, 66, 18, "閉じる"_sjis},
    {468, 1, 80, 18, "関数"_sjis},
};

PreviewState& pv() { return preview_state(); }

HMENU child_id(int id) { return reinterpret_cast<HMENU>(static_cast<intptr_t>(id)); }

int page_count() { return document_state().page_count; }

int refuse(int message) {
    MessageBeep(0);
    set_status_text(1, message_text(message));
    return -1;
}

void show_page(int page) {
    pv().page = page;
    paint_preview_page(nullptr);
}

void hide_frame_children() {
    ShellState& s = shell();
    HWND children[] = {s.control_bar, s.ruler, s.chart};
    int kept = 0;
    for (HWND child : children) {
        if (child == nullptr || !IsWindowVisible(child)) continue;
        ShowWindow(child, SW_HIDE);
        pv().hidden[kept++] = child;
    }
}

void show_frame_children() {
    for (HWND& child : pv().hidden) {
        if (child != nullptr && IsWindow(child)) ShowWindow(child, SW_SHOW);
        child = nullptr;
    }
}

}  // namespace

void close_print_preview() {
    PreviewState& p = pv();
    if (!p.open && p.frame == nullptr) return;
    release_preview_dc();
    HWND frame = p.frame;
    if (frame != nullptr && IsWindow(frame)) DestroyWindow(frame);
    p.frame = p.control = p.separator = p.chart = nullptr;
    for (HWND& button : p.buttons) button = nullptr;
    p.open = false;
    p.ready = false;
    shell().owned.preview = nullptr;
    if (p.saved_menu != nullptr) SetMenu(shell().frame_window, p.saved_menu);
    p.saved_menu = nullptr;
    show_frame_children();
    DrawMenuBar(shell().frame_window);
}

void PreviewState::reset() { *this = PreviewState{}; }

PreviewState& preview_state() {
    static PreviewState state;
    return state;
}

int register_preview_classes(HINSTANCE instance) {
    const auto brush = [](int stock) { return static_cast<HBRUSH>(GetStockObject(stock)); };
    // ORDER: the frame, its bar, the separator, the page box, the text.
    const WindowClassRow classes[] = {
        {kPreviewFrameClass, preview_frame_proc, brush(GRAY_BRUSH)},
        {kPreviewControlClass, preview_frame_proc, brush(LTGRAY_BRUSH)},
        {kPreviewSeparatorClass, preview_frame_proc, brush(LTGRAY_BRUSH)},
        {kPreviewChartClass, preview_chart_proc, brush(WHITE_BRUSH)},
        {kPreviewTextClass, preview_text_proc, brush(LTGRAY_BRUSH)},
    };
    return register_window_class_rows(instance, classes);
}

void open_print_preview(HWND parent) {
    PreviewState& p = pv();
    ShellState& s = shell();
    p.page = document_state().current_page;
    p.saved_menu = GetMenu(parent);
    SetMenu(parent, nullptr);
    hide_frame_children();
    // the frame repaints what its hidden children uncovered now, before
    // the preview lies over it
    UpdateWindow(parent);

    RECT client{};
    GetClientRect(parent, &client);
    p.left = p.top = 0;
    p.width = client.right;
    p.height = client.bottom - kStatusBarHeight;
    p.frame = CreateWindowA(kPreviewFrameClass, "", WS_CHILD | WS_CLIPCHILDREN, p.left, p.top, p.width, p.height,
                            parent, nullptr, s.instance, nullptr);
    p.separator = CreateWindowA(kPreviewSeparatorClass, "", WS_CHILD | WS_VISIBLE, 0, kBarHeight, p.width,
                                kSeparatorHeight, p.frame, child_id(kPreviewSeparatorId), s.instance, nullptr);
    p.control = CreateWindowA(kPreviewControlClass, "", WS_CHILD | WS_VISIBLE, 0, 0, p.width, kBarHeight, p.frame,
                              child_id(kPreviewControlId), s.instance, nullptr);
    p.chart = CreateWindowA(kPreviewChartClass, "", WS_CHILD | WS_VISIBLE | WS_BORDER, kBoxX, kBoxY, p.box_width,
                            p.box_height, p.frame, child_id(kPreviewChartId), s.instance, nullptr);
    for (int i = 0; i < kPreviewButtonCount; ++i) {
        const ButtonRow& row = kButtons[i];
        p.buttons[i] = CreateWindowA("BUTTON", row.label, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, row.x, row.y,
                                     row.width, row.height, p.control, child_id(kPreviewFirstButtonId + i),
                                     s.instance, nullptr);
        if (s.button_font != nullptr && p.buttons[i] != nullptr)
            SendMessageA(p.buttons[i], WM_SETFONT, reinterpret_cast<WPARAM>(s.button_font), FALSE);
    }
    p.open = true;
    s.owned.preview = p.frame;
    ShowWindow(p.frame, SW_SHOW);
    UpdateWindow(p.frame);

    p.ready = prepare_preview_job() == 0;
    fit_preview_page_box();
    paint_preview_page(nullptr);
}

int prepare_preview_job() {
    const PrintSettings settings = notarix_print_settings();
    set_spec_print_job(settings);
    pv().first_page_number = spec_print_state().page_number;
    pv().first_function = spec_print_state().first_function;
    print_abort_flag() = false;
    const int header = read_spec_header_file(settings.header_base);
    if (header != 0) {
        MessageBeep(0);
        const bool missing = header == -1;
        const std::string line2 = missing ? print_state().failing_file : std::string();
        if (show_info_box(0, kPreviewCaption, message_text(missing ? nx_message::kHeaderMissing : nx_message::kNoHeaderName),
                          line2) != 1)
            return 20;
    }
    spec_print_state().progress_total = count_print_records();
    print_abort_flag() = false;
    if (open_preview_dc(pv().chart) != 0 || set_print_enlarged(0) != 0) return -2;
    return 0;
}

void fit_preview_page_box() {
    PreviewState& p = pv();
    if (!p.open) return;
    RECT frame{};
    GetWindowRect(p.frame, &frame);
    const int width = frame.right - frame.left;
    SetWindowPos(p.control, nullptr, 0, 0, width, kBarHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(p.separator, nullptr, 0, kBarHeight, width, kSeparatorHeight, SWP_NOZORDER | SWP_NOACTIVATE);

    RECT r{};
    GetClientRect(p.frame, &r);
    const PrinterDeviceState& device = print_state().device;
    if (device.preview && device.printer_horzres > 0 && device.printer_vertres > 0) {
        const int h = device.printer_horzres, v = device.printer_vertres;
        const double scale = v < h ? static_cast<double>(r.right - 40) / h : static_cast<double>(r.bottom - 68) / v;
        int box_width = static_cast<int>(h * scale);
        int box_height = static_cast<int>(v * scale);
        while (r.right - 40 < box_width || r.bottom - 68 < box_height) {
            box_width -= 10;
            box_height -= 10;
        }
        p.box_width = box_width < kSmallestBox ? kTinyBox : box_width;
        p.box_height = box_height < kSmallestBox ? kTinyBox : box_height;
    }
    // centred with the size it now has
    int x = (r.right - p.box_width) / 2;
    if (x < kBoxX) x = kBoxX;
    MoveWindow(p.chart, x, kBoxY, p.box_width, p.box_height, TRUE);
}

int paint_preview_page(HDC given) {
    PreviewState& p = pv();
    if (!p.open || p.chart == nullptr) return -1;
    HDC dc = given != nullptr ? given : GetDC(p.chart);
    if (dc == nullptr) return -1;
    RECT client{};
    GetClientRect(p.chart, &client);
    HGDIOBJ old_pen = SelectObject(dc, GetStockObject(WHITE_PEN));
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, client.left, client.top, client.right, client.bottom);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
    // without a printer (or a header file the user wanted) the box stays white
    if (p.ready) {
        map_preview_dc(dc, client.right, client.bottom);
        SpecPrintState& s = spec_print_state();
        if (s.first_function < 1) s.first_function = 1;
        // the footer numbers the function shown as the print would, however
        // often it is painted
        s.page_number = p.first_page_number + p.page - (p.first_function - 1);
        update_title_and_status();
        render_form_printer();
        render_function_printer(p.page);
        end_preview_paint();
    }
    if (given == nullptr) ReleaseDC(p.chart, dc);
    return 0;
}

int do_preview_command(int n) {
    PreviewState& p = pv();
    if (!p.open) return -1;
    const int count = page_count();
    switch (n) {
    case kPreviewNext:
        if (p.page >= count - 1) return refuse(nx_message::kLastPage);
        show_page(p.page + 1);
        return 0;
    case kPreviewPrevious:
        if (p.page <= 0) return refuse(nx_message::kFirstPage);
        show_page(p.page - 1);
        return 0;
    case kPreviewFirst:
        show_page(0);
        return 0;
    case kPreviewLast:
        // a document without pages has no last one either
        if (count <= 0 || p.page == count - 1) return refuse(nx_message::kLastPage);
        show_page(count - 1);
        return 0;
    case kPreviewClose:
        close_print_preview();
        return 0;
    case kPreviewJump:
        run_page_jump_dialog(p.frame, PageJumpTarget{p.page, count, show_page});
        return 0;
    default:
        return -1;
    }
}

void resize_print_preview() {
    PreviewState& p = pv();
    if (!p.open || p.frame == nullptr) return;
    RECT client{};
    GetClientRect(shell().frame_window, &client);
    MoveWindow(p.frame, 0, 0, client.right, client.bottom - kStatusBarHeight, TRUE);
}

LRESULT preview_frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    PreviewState& p = pv();
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        if (window == p.separator && dc != nullptr) {
            RECT client{};
            GetClientRect(window, &client);
            draw_etched_line(dc, client.right);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        if (id < kPreviewFirstButtonId || id >= kPreviewFirstButtonId + kPreviewButtonCount) return 0;
        set_status_text(0, "");
        do_preview_command(id - kPreviewFirstButtonId);
        return 0;
    }
    case WM_SIZE:
        if (window == p.frame) fit_preview_page_box();
        return 0;
    case WM_MOVE:
        if (window == p.frame) {
            p.left = static_cast<short>(LOWORD(lparam));
            p.top = static_cast<short>(HIWORD(lparam));
        }
        return 0;
    case WM_DESTROY:
        if (window == p.frame) {
            set_status_text(0, "");
            p.open = false;
            HWND main = shell().frame_window;
            if (main != nullptr && IsWindow(main)) {
                SetFocus(main);
                ShowWindow(main, SW_SHOWNORMAL);
            }
        }
        return 0;
    case WM_CREATE:
    case WM_SETFOCUS:
    case WM_CHAR:
    case WM_TIMER:
    case WM_PALETTECHANGED:
    case WM_NCMOUSEMOVE:
    case WM_DRAWITEM:
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

LRESULT preview_chart_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        if (dc != nullptr) paint_preview_page(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND:
    case WM_PALETTECHANGED:
    case WM_CREATE:
    case WM_DESTROY:
    case WM_SETFOCUS:
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

LRESULT preview_text_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_PAINT) return DefWindowProcA(window, message, wparam, lparam);
    PAINTSTRUCT paint{};
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    update_title_and_status();
    return 0;
}
