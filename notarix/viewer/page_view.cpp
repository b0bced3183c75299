#include "notarix/viewer/page_view.h"

#include <algorithm>

#include "common/shell/window/scroll_keys.h"
#include "common/text/message_table.h"
#include "common/text/notarix_message_numbers.h"
#include "platform/kernel/sjis_text.h"

namespace {

// "ＮＯＴＡＲＩＸ"
constexpr auto& kProgramName = "ＮＯＴＡＲＩＸ"_sjis;

constexpr COLORREF kViewFrameColour = RGB(192, 192, 192);

void show_status(int mode, const std::string& text) {
    if (page_view().hooks.set_status_text) page_view().hooks.set_status_text(mode, text);
}

// Beeps and shows a refusal; returns its message number.
int refuse(int message) {
    MessageBeep(0);
    const char* text = lookup_message(message);
    show_status(1, text != nullptr ? text : "");
    return message;
}

int refuse_unloaded() {
    return refuse(document_state().file_name.empty() ? nx_message::kChooseFile : nx_message::kNoDocument);
}

int vertical_limit() {  // B: the last first row
    return kPageRows - document_state().visible_rows;
}

int vertical_range() { return page_vertical_range(document_state().client_height); }
int horizontal_range() { return page_horizontal_range(document_state().client_width); }

void show_layout_missing(const std::string& name) {
    PageView& view = page_view();
    view.form_error_box_open = true;
    if (view.hooks.show_layout_missing) {
        view.hooks.show_layout_missing(name);
    } else {
        const std::string text = join_box_lines(lookup_message(nx_message::kLayoutMissing), name, "");
        MessageBoxA(view.window, text.c_str(), make_box_caption(kProgramName).c_str(),
                    MB_OK | MB_ICONINFORMATION);
    }
    view.form_error_box_open = false;
}

PageDrawContext draw_context() {
    PageView& view = page_view();
    PageDrawContext context;
    context.view = view.window;
    const std::string layout = view.hooks.layout_name ? view.hooks.layout_name() : std::string();
    context.layout_file = layout_file_path(layout, document_state().program_directory);
    context.layout_missing = show_layout_missing;
    return context;
}

void draw_current_page() { draw_page(page_view().renderer, document_state(), draw_context()); }

// What a page change asks of the page view's hooks.
DocumentStepHooks step_hooks() {
    DocumentStepHooks hooks;
    hooks.set_status_text = show_status;
    hooks.show_current = [] { refresh_page_view(); };
    hooks.follow_source = [] {
        if (page_view().hooks.follow_source) page_view().hooks.follow_source();
    };
    hooks.update_layout_region = tell_layout_window;
    return hooks;
}

int next_multiple_above(int value, int step) { return (value / step + 1) * step; }

// New position of a vertical step, or -1 when the step is refused.
int vertical_step(int code, int position, int v) {
    const int rows = document_state().visible_rows;
    const int b = vertical_limit();
    switch (code) {
    case SB_LINEUP: return v <= 0 ? -1 : v - 1;
    case SB_LINEDOWN: return v >= b ? -1 : v + 1;
    case SB_PAGEUP: return v <= 0 ? -1 : std::max(0, v - rows);
    case SB_PAGEDOWN: return v >= b ? -1 : std::min(b, v + rows);
    case SB_THUMBPOSITION: return std::clamp(position, 0, std::max(0, b));
    case SB_TOP: return v == 0 ? -1 : 0;
    case SB_BOTTOM: return v >= b ? -1 : b;
    default: return -2;
    }
}

int horizontal_step(int code, int position, int h) {
    const int last = max_scroll_column() - 1;
    const int tab = document_state().tab_width > 0 ? document_state().tab_width : 4;
    switch (code) {
    case SB_LINELEFT: return h == 0 ? -1 : h - 1;
    case SB_LINERIGHT: return h >= last ? -1 : h + 1;
    case SB_PAGELEFT:
        if (h == 0) return -1;
        return std::max(0, h % tab == 0 ? h - tab : h - h % tab);
    case SB_PAGERIGHT:
        if (h >= last) return -1;
        return std::min(last, next_multiple_above(h, tab));
    case SB_THUMBPOSITION: return std::max(0, std::min(position, last));
    case SB_LEFT: return h == 0 ? -1 : 0;
    case SB_RIGHT: return h >= last ? -1 : last;
    default: return -2;
    }
}

LRESULT paint_page_view(HWND window) {
    PageView& view = page_view();
    if (view.form_error_box_open || view.renderer.owner() != 0) {
        ValidateRect(window, nullptr);
        return 0;
    }
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    view.renderer.set_paint_dc(dc);
    if (document_state().loaded) {
        clear_page_view();
        draw_current_page();
    }
    view.renderer.set_paint_dc(nullptr);
    EndPaint(window, &paint);
    return 0;
}

LRESULT page_view_key(HWND window, WPARAM key) {
    ScrollKeyStep step;
    if (scroll_step_of_key(key, step))
        scroll_page_view(step.horizontal ? kHorizontalAxis : kVerticalAxis, window, static_cast<WPARAM>(step.code));
    return 0;
}
}  // namespace

int page_vertical_range(int client_height) { return std::max(0, kPageRows - 1 - client_height / kPageRowHeight); }
int page_horizontal_range(int client_width) {
    return std::max(0, kPageColumns - 1 - client_width / kPageColumnWidth);
}

void PageView::reset() {
    window = nullptr;
    hooks = PageViewHooks{};
    renderer.reset();
    form_error_box_open = false;
    last_entered = nullptr;
}

PageView& page_view() {
    static PageView view;
    return view;
}

ATOM register_page_view_class(HINSTANCE instance) {
    if (!screen_objects().created()) screen_objects().create(ScreenColours{});
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = chart_wnd_proc;
    wc.hInstance = instance;
    wc.hbrBackground = screen_objects().page_background_brush();
    wc.lpszClassName = kPageViewClass;
    return RegisterClassA(&wc);
}

void set_page_view_metrics(int client_width, int client_height) {
    DocumentState& doc = document_state();
    doc.client_width = client_width;
    doc.client_height = client_height;
    doc.visible_rows = client_height / kPageRowHeight;
}

int step_page(int direction) { return step_document(direction, step_hooks()); }

int jump_end_page(int which) { return jump_document_end(which, step_hooks()); }

void clear_page_view() {
    PageView& view = page_view();
    if (view.window == nullptr) return;
    HDC paint_dc = view.renderer.paint_dc();
    HDC dc = paint_dc != nullptr ? paint_dc : GetDC(view.window);
    if (dc == nullptr) return;
    RECT client{};
    GetClientRect(view.window, &client);
    HBRUSH frame = CreateSolidBrush(kViewFrameColour);
    FrameRect(dc, &client, frame);
    DeleteObject(frame);
    InflateRect(&client, -1, -1);
    if (!screen_objects().created()) screen_objects().create(ScreenColours{});
    FillRect(dc, &client, screen_objects().page_background_brush());
    if (paint_dc == nullptr) ReleaseDC(view.window, dc);
}

int refresh_page_view() {
    PageView& view = page_view();
    DocumentState& doc = document_state();
    doc.scroll_row = doc.scroll_column = 0;
    if (!doc.loaded) {
        // the empty view keeps no thumb of the document before
        if (view.window != nullptr) {
            SetScrollPos(view.window, SB_VERT, 0, TRUE);
            SetScrollPos(view.window, SB_HORZ, 0, TRUE);
        }
        clear_page_view();
        return -1;
    }
    const int page = doc.current_page;
    if (doc.linked_mode && page >= 0 && page < static_cast<int>(doc.pages.size()))
        doc.current_source_line = doc.pages[static_cast<size_t>(page)].tag;
    if (view.hooks.set_source_search_start) view.hooks.set_source_search_start(doc.current_source_line);
    if (view.window != nullptr) {
        SetScrollRange(view.window, SB_VERT, 0, vertical_range(), TRUE);
        SetScrollPos(view.window, SB_VERT, 0, TRUE);
        SetScrollRange(view.window, SB_HORZ, 0, horizontal_range(), TRUE);
        SetScrollPos(view.window, SB_HORZ, 0, TRUE);
        clear_page_view();
        draw_current_page();
    }
    if (view.hooks.update_title_and_status) view.hooks.update_title_and_status();
    show_status(0, "");
    if (view.hooks.select_function) view.hooks.select_function(page);
    return 0;
}

int redraw_page_view() {
    PageView& view = page_view();
    if (view.window != nullptr) SetFocus(view.window);
    if (!document_state().loaded) {
        refuse_unloaded();
        return -1;
    }
    show_status(1, lookup_message(nx_message::kShowingPage));
    clear_page_view();
    if (view.window != nullptr) draw_current_page();
    show_status(0, "");
    if (view.hooks.draw_column_gauge) view.hooks.draw_column_gauge();
    return 0;
}

void tell_layout_window() {
    const PageViewHooks& hooks = page_view().hooks;
    const DocumentState& doc = document_state();
    if (hooks.set_layout_visible_region) hooks.set_layout_visible_region(0, 0, doc.client_width, doc.client_height);
}

int max_scroll_column() {
    const int columns = document_state().client_width / kPageColumnWidth;
    return columns < kPageColumns ? kPageColumns - columns : 1;
}

int scroll_page_view(int axis, HWND window, WPARAM code) {
    DocumentState& doc = document_state();
    if (!doc.loaded) {
        refuse_unloaded();
        return -1;
    }
    const int step = LOWORD(code);
    const int position = static_cast<SHORT>(HIWORD(code));
    const bool horizontal = axis == kHorizontalAxis;
    int& current = horizontal ? doc.scroll_column : doc.scroll_row;
    const int next = horizontal ? horizontal_step(step, position, current) : vertical_step(step, position, current);
    if (next == -2) return -1;  // a code that moves nothing
    if (next < 0) {
        MessageBeep(0);
        return -1;
    }
    current = next;
    redraw_page_view();
    if (window != nullptr) SetScrollPos(window, horizontal ? SB_HORZ : SB_VERT, current, TRUE);
    // the magnifier follows the view
    tell_layout_window();
    return 0;
}

int scroll_to_position(int mode, int x, int y) {
    DocumentState& doc = document_state();
    HWND window = page_view().window;
    int last = 0;
    if (mode == 0 || mode == 2) {
        doc.scroll_column = std::clamp(x / kPageColumnWidth, 0, std::max(0, max_scroll_column() - 1));
        if (window != nullptr) SetScrollPos(window, SB_HORZ, doc.scroll_column, TRUE);
        last = doc.scroll_column;
    }
    if (mode == 1 || mode == 2) {
        doc.scroll_row = std::clamp(y / kPageRowHeight, 0, vertical_range());
        if (window != nullptr) SetScrollPos(window, SB_VERT, doc.scroll_row, TRUE);
        last = doc.scroll_row;
    }
    redraw_page_view();
    return last;
}

LRESULT chart_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT:
        return paint_page_view(window);
    case WM_HSCROLL:
        scroll_page_view(kHorizontalAxis, window, wparam);
        return 0;
    case WM_VSCROLL:
        scroll_page_view(kVerticalAxis, window, wparam);
        return 0;
    case WM_KEYDOWN:
        return page_view_key(window, wparam);
    case WM_MOUSEMOVE:
        if (page_view().last_entered != window) {
            page_view().last_entered = window;
            SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        }
        return 0;
    case WM_DESTROY:
        if (page_view().window == window) page_view().window = nullptr;
        return 0;
    case WM_CREATE:
        if (page_view().window == nullptr) page_view().window = window;
        return 0;
    case WM_SIZE:
    case WM_COMMAND:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CHAR:
    case WM_TIMER:
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}
