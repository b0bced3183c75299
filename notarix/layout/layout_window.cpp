#include "notarix/layout/layout_window.h"

#include <algorithm>

#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/scroll_keys.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/page_view.h"
#include "notarix/viewer/settings_layout.h"
#include "platform/kernel/sjis_text.h"

namespace {

// "ﾚｲｱｳﾄ", "標準ゴシック"
constexpr auto& kLayoutTitle = "ﾚｲｱｳﾄ"_sjis;
constexpr auto& kLayoutFontFace = "標準ゴシック"_sjis;
constexpr char kMagnifierCursor[] = "NXW_mag_csr";

constexpr float kColumnPixels = 6.0f;
constexpr float kRowPixels = 12.0f;
constexpr COLORREF kChartFrameColour = RGB(192, 192, 192);

LayoutWindowState& lw() { return layout_window(); }
DocumentState& doc() { return document_state(); }

int trunc_int(float value) { return static_cast<int>(value); }

int client_width() { return lw().chart_client.right; }
int client_height() { return lw().chart_client.bottom; }

void save_placement() {
    LayoutWindowState& s = lw();
    if (s.window == nullptr) return;
    RECT rect{};
    GetWindowRect(s.window, &rect);
    s.placement = WindowPlacement{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    HWND frame = shell().frame_window;
    save_window_placement(kNotarixPlacement, kLayoutWindow, s.placement, frame != nullptr && IsIconic(frame));
}

// The magnifier drawn (or, drawn again, removed) in the miniature.
void xor_region() {
    LayoutWindowState& s = lw();
    if (s.children.chart == nullptr) return;
    HDC dc = GetDC(s.children.chart);
    draw_layout_region(dc, s.region);
    ReleaseDC(s.children.chart, dc);
}

void region_from_view() {
    LayoutWindowState& s = lw();
    const float z = s.zoom;
    s.region.set(trunc_int(static_cast<float>(s.view_x1) * z + 2), trunc_int(static_cast<float>(s.view_y1) * z + 2),
                 trunc_int(static_cast<float>(s.view_x2) * z - 2), trunc_int(static_cast<float>(s.view_y2) * z - 2));
}

// Where the miniature cannot scroll its position goes back to 0; the
// magnifier moves with it, so that it stays over the part of the page the
// page view shows.
void return_to_start(int& position, float unit, bool horizontal) {
    if (position == 0) return;
    LayoutWindowState& s = lw();
    const int shift = trunc_int(static_cast<float>(position) * unit * s.zoom);
    position = 0;
    if (horizontal) {
        s.region.set(s.region.left + shift, s.region.top, s.region.right + shift, s.region.bottom);
    } else {
        s.region.set(s.region.left, s.region.top + shift, s.region.right, s.region.bottom + shift);
    }
}

LayoutDrawContext draw_context() {
    LayoutDrawContext context;
    context.layout_file =
        layout_file_path(shell_settings().text(nx_settings::kLayoutFile), doc().program_directory);
    return context;
}

void draw_miniature() {
    LayoutWindowState& s = lw();
    HWND chart = s.children.chart;
    HDC dc = GetDC(chart);
    if (dc == nullptr) return;
    s.renderer.set_dc(dc);
    s.renderer.set_zoom(s.zoom);
    s.renderer.set_scroll(s.scroll_column, s.scroll_row);
    const LayoutDrawContext context = draw_context();
    render_form_screen(s.renderer, context);
    if (doc().loaded) render_function_screen(s.renderer, doc(), doc().current_page, context);
    s.renderer.set_dc(nullptr);
    ReleaseDC(chart, dc);
}

// Ranges from the miniature's size; where it cannot scroll its position
// goes back to 0.
void set_layout_scroll_ranges() {
    LayoutWindowState& s = lw();
    const float z = s.zoom;
    int horizontal_max = trunc_int(kPageColumns - static_cast<float>(client_width()) / (z * kColumnPixels) + 1);
    if (horizontal_max <= 0) {
        horizontal_max = 0;
        return_to_start(s.scroll_column, kColumnPixels, true);
    }
    int vertical_max = trunc_int(kPageRows - static_cast<float>(client_height()) / (z * kRowPixels));
    if (vertical_max <= 0) {
        vertical_max = 0;
        return_to_start(s.scroll_row, kRowPixels, false);
    }
    SetScrollRange(s.window, SB_HORZ, 0, horizontal_max, FALSE);
    SetScrollRange(s.window, SB_VERT, 0, vertical_max, FALSE);
    SetScrollPos(s.window, SB_HORZ, s.scroll_column, TRUE);
    SetScrollPos(s.window, SB_VERT, s.scroll_row, TRUE);
}

void set_zoom(int index) {
    LayoutWindowState& s = lw();
    const float old = s.zoom;
    s.zoom_index = std::clamp(index, 0, kLayoutZoomCount - 1);
    s.zoom = kLayoutZoomFactors[s.zoom_index];
    create_layout_font();
    rescale_layout_region(s.region, old, s.zoom);
    update_layout_scroll();
}

void close_window() {
    if (lw().window != nullptr) DestroyWindow(lw().window);
}

// The step of a scroll code, or false when the step cannot be made.
bool horizontal_step(int code, int position, int h, int& next) {
    const float z = lw().zoom;
    const float limit = static_cast<float>(kPageColumns) - static_cast<float>(client_width()) / (z * kColumnPixels);
    const int last = std::max(0, trunc_int(limit));
    const int tab = doc().tab_width;
    switch (code) {
    case SB_LINELEFT: next = h - 1; return h > 0;
    case SB_LINERIGHT: next = h + 1; return static_cast<float>(h) < limit;
    case SB_PAGELEFT: next = std::max(0, h - tab); return h != 0;
    case SB_PAGERIGHT: next = std::max(0, std::min(h + tab, last)); return static_cast<float>(h) < limit;
    case SB_THUMBPOSITION: next = std::clamp(position, 0, last); return true;
    case SB_LEFT: next = 0; return h > 0;
    case SB_RIGHT: next = last; return static_cast<float>(h) < limit;
    default: next = h; return true;
    }
}

bool vertical_step(int code, int position, int p, int& next) {
    const float z = lw().zoom;
    const int v = trunc_int(static_cast<float>(client_height()) / (z * kRowPixels));
    const int lowest = kPageRows - v;
    switch (code) {
    case SB_LINEUP: next = p - 1; return p > 0;
    case SB_LINEDOWN: next = p + 1; return p < lowest;
    case SB_PAGEUP: next = std::max(0, p - v); return p > 0;
    // a page down stops one line short of where the other steps reach
    case SB_PAGEDOWN: next = std::min(p + v, lowest - 1); return p < lowest;
    case SB_THUMBPOSITION: next = std::max(0, std::min(position, lowest)); return true;
    case SB_TOP: next = 0; return p != 0;
    case SB_BOTTOM: next = lowest; return p < lowest;
    default: next = p; return true;
    }
}

LRESULT layout_key(HWND window, WPARAM key) {
    ScrollKeyStep step;
    if (scroll_step_of_key(key, step)) scroll_layout_by_key(step.horizontal, window, static_cast<WPARAM>(step.code));
    return 0;
}

void end_drag() {
    if (!lw().dragging) return;
    lw().dragging = false;
    if (GetCapture() == lw().children.chart) ReleaseCapture();
}

POINT mouse_point(LPARAM lparam) {
    return POINT{static_cast<SHORT>(LOWORD(lparam)), static_cast<SHORT>(HIWORD(lparam))};
}

void put_pointer(HWND chart, int x, int y) {
    POINT point{x, y};
    ClientToScreen(chart, &point);
    SetCursorPos(point.x, point.y);
}

// A drag near an edge scrolls the miniature a line or a column and keeps
// the pointer off the edge; elsewhere it moves the magnifier. The edge
// zones are half the magnifier wide, measured from the visible edges.
void drag_to(HWND chart, POINT at) {
    LayoutWindowState& s = lw();
    const int w2 = (s.region.right - s.region.left) / 2;
    const int h2 = (s.region.bottom - s.region.top) / 2;
    const int right = client_width();
    const int bottom = client_height();
    const bool shorter = s.region.height < bottom;
    const bool narrower = s.region.width < right;
    bool stepped = false;
    const auto step = [&](bool horizontal, int code) {
        const int before = horizontal ? s.scroll_column : s.scroll_row;
        scroll_layout_by_key(horizontal, s.window, static_cast<WPARAM>(code));
        stepped = (horizontal ? s.scroll_column : s.scroll_row) != before;
    };
    if (at.y <= h2) {
        if (s.scroll_row > 0) step(false, SB_LINEUP);
        if (shorter) put_pointer(chart, at.x, h2 + 1);
    } else if (at.y >= bottom - h2 - 1) {
        if (at.y > 1) step(false, SB_LINEDOWN);
        if (shorter) put_pointer(chart, at.x, bottom - h2 - 2);
    } else if (at.x <= w2) {
        if (s.scroll_column > 0) step(true, SB_LINELEFT);
        if (narrower) put_pointer(chart, w2 + 1, at.y);
    } else if (at.x >= right - w2 - 1 && at.x > 1) {
        step(true, SB_LINERIGHT);
        if (narrower) put_pointer(chart, right - w2 - 2, at.y);
    }
    if (stepped) return;
    xor_region();
    const int left = std::max(0, static_cast<int>(s.drag_corner.x + at.x - s.drag_start.x));
    const int top = std::max(0, static_cast<int>(s.drag_corner.y + at.y - s.drag_start.y));
    s.region.set(left, top, left + s.region.width, top + s.region.height);
    xor_region();
}

void chart_mouse_move(HWND chart, WPARAM wparam, LPARAM lparam) {
    shell().cursor_window = chart;
    if (doc().busy) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        return;
    }
    if ((wparam & MK_LBUTTON) == 0) {
        end_drag();
        return;
    }
    if (lw().dragging) drag_to(chart, mouse_point(lparam));
}

// A click centres the magnifier on the point, inside the miniature.
void chart_button_down(HWND chart, LPARAM lparam) {
    LayoutWindowState& s = lw();
    set_status_text(0, "");
    const POINT at = mouse_point(lparam);
    if (!s.dragging) {
        xor_region();
        const float z = s.zoom;
        const int c = trunc_int(static_cast<float>(at.x - 2) / z);
        const int r = trunc_int(static_cast<float>(at.y - 2) / z);
        const int width = s.region.width;
        const int height = s.region.height;
        int left = trunc_int(static_cast<float>(c) * z + 2 - static_cast<float>(width / 2));
        int top = trunc_int(static_cast<float>(r) * z + 2 - static_cast<float>(height / 2));
        if (left + width > client_width()) left = client_width() - width;
        left = std::max(0, left);
        top = std::max(0, top);
        s.region.set(left, top, left + width, top + height);
        xor_region();
    }
    s.dragging = true;
    s.drag_start = at;
    s.drag_corner = POINT{s.region.left, s.region.top};
    SetCapture(chart);
}

// The page view goes to the part of the page under the magnifier.
void chart_button_up() {
    LayoutWindowState& s = lw();
    if (!s.dragging) return;
    set_status_text(0, "");
    const float z = s.zoom;
    const int x = trunc_int(static_cast<float>(s.region.left - 6) / z + static_cast<float>(s.scroll_column) * kColumnPixels);
    const int y = trunc_int(static_cast<float>(s.region.top - 6) / z + static_cast<float>(s.scroll_row) * kRowPixels + 12);
    end_drag();
    scroll_to_position(2, x, y);
}

}  // namespace

void LayoutWindowState::reset() {
    window = nullptr;
    children = LayoutChildren{};
    zoom_index = kLayoutDefaultZoom;
    zoom = kLayoutZoomFactors[kLayoutDefaultZoom];
    placement = kLayoutDefaultPlacement;
    chart_client = RECT{};
    scroll_column = scroll_row = 0;
    view_x1 = view_y1 = view_x2 = view_y2 = 0;
    region = LayoutRegion{};
    dragging = false;
    drag_start = drag_corner = POINT{};
    font = nullptr;
    renderer.reset();
}

LayoutWindowState& layout_window() {
    static LayoutWindowState state;
    return state;
}

int register_layout_window_classes(HINSTANCE instance) {
    return register_layout_classes(instance, LayoutClassProfile{layout_frame_proc, layout_chart_proc, kMagnifierCursor});
}

void create_layout_font() {
    delete_layout_font();
    const float z = lw().zoom;
    lw().font = CreateFontA(trunc_int(12 * z), trunc_int(6 * z), 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, kLayoutFontFace);
}

void delete_layout_font() {
    if (lw().font != nullptr) DeleteObject(lw().font);
    lw().font = nullptr;
}

void open_layout_window(HWND parent, int x1, int y1, int x2, int y2) {
    LayoutWindowState& s = lw();
    if (s.open()) return;
    s.zoom = kLayoutZoomFactors[s.zoom_index];
    s.view_x1 = x1;
    s.view_y1 = y1;
    s.view_x2 = x2;
    s.view_y2 = y2;
    // a value missing from the registry keeps its default
    WindowPlacement placement{kLayoutDefaultPlacement.x, kLayoutDefaultPlacement.y, s.placement.width,
                              s.placement.height};
    load_window_placement(kNotarixPlacement, kLayoutWindow, placement);
    s.placement = placement;
    create_layout_font();

    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_HSCROLL | WS_VSCROLL |
                        WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    HINSTANCE instance = shell().instance;
    HWND window = CreateWindowA(kLayoutFrameClass, kLayoutTitle, style, placement.x, placement.y, placement.width,
                                placement.height, parent, nullptr, instance, nullptr);
    if (window == nullptr) {
        delete_layout_font();
        return;
    }
    s.window = window;
    shell().owned.layout = window;
    s.children = create_layout_children(window, instance, placement.width, placement.height, shell().button_font);
    DeleteMenu(GetSystemMenu(window, FALSE), SC_MINIMIZE, MF_BYCOMMAND);

    RECT client{};
    GetClientRect(window, &client);
    size_layout_children(s.children, client.right, client.bottom);
    GetClientRect(s.children.chart, &s.chart_client);
    const float z = s.zoom;
    const int sc = doc().scroll_column, sl = doc().scroll_row;
    if (trunc_int(static_cast<float>(sc * 6 + x2) * z - 2) > client_width()) {
        s.scroll_column = sc;
        s.view_x1 = 0;
        s.view_x2 = x2 - x1;
    } else {
        s.view_x1 += sc * 6;
        s.view_x2 += sc * 6;
        s.scroll_column = 0;
    }
    if (trunc_int(static_cast<float>(sl * 12 + y2) * z - 2) > client_height()) {
        s.scroll_row = sl;
        s.view_y1 = 0;
        s.view_y2 = y2 - y1;
    } else {
        s.view_y1 += sl * 12;
        s.view_y2 += sl * 12;
        s.scroll_row = 0;
    }
    region_from_view();
    SetClassLongPtrA(s.children.chart, GCLP_HBRBACKGROUND,
                     reinterpret_cast<LONG_PTR>(screen_objects().page_background_brush()));
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    // the miniature's ranges and drawing do not wait for its first paint
    update_layout_scroll();
}

void set_layout_visible_region(int x1, int y1, int x2, int y2) {
    LayoutWindowState& s = lw();
    if (!s.open()) return;
    s.scroll_column = doc().scroll_column;
    s.scroll_row = doc().scroll_row;
    s.view_x1 = x1;
    s.view_y1 = y1;
    s.view_x2 = x2;
    s.view_y2 = y2;
    region_from_view();
    update_layout_scroll();
}

int draw_layout_chart_frame() {
    LayoutWindowState& s = lw();
    if (!s.open() || s.children.chart == nullptr) return -1;
    HDC dc = GetDC(s.children.chart);
    if (dc == nullptr) return -1;
    RECT client = s.chart_client;
    HBRUSH frame = CreateSolidBrush(kChartFrameColour);
    FrameRect(dc, &client, frame);
    DeleteObject(frame);
    InflateRect(&client, -1, -1);
    if (!screen_objects().created()) screen_objects().create(ScreenColours{});
    FillRect(dc, &client, screen_objects().page_background_brush());
    ReleaseDC(s.children.chart, dc);
    return 0;
}

void update_layout_scroll() {
    LayoutWindowState& s = lw();
    if (s.children.chart == nullptr) return;
    RECT rect{};
    GetWindowRect(s.window, &rect);
    s.placement.width = rect.right - rect.left;
    s.placement.height = rect.bottom - rect.top;
    // Showing or hiding a scroll bar resizes the miniature, which changes
    // the ranges: they are set until the size holds, before anything is
    // drawn into it.
    for (int pass = 0; pass < 3; ++pass) {
        RECT client{};
        GetClientRect(s.window, &client);
        SetWindowPos(s.children.chart, nullptr, 0, kLayoutChartTop, client.right, client.bottom - kLayoutChartTop,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        GetClientRect(s.children.chart, &s.chart_client);
        const RECT sized = s.chart_client;
        set_layout_scroll_ranges();
        GetClientRect(s.window, &client);
        if (client.right == sized.right && client.bottom - kLayoutChartTop == sized.bottom) break;
    }
    draw_layout_chart_frame();
    draw_miniature();
    xor_region();
}

void scroll_layout_by_key(bool horizontal, HWND window, WPARAM code) {
    LayoutWindowState& s = lw();
    const int step = LOWORD(code);
    if (step == SB_THUMBTRACK || step == SB_ENDSCROLL) return;
    // without a tab width the page steps across do nothing, not even beep
    if (horizontal && doc().tab_width == 0 && (step == SB_PAGELEFT || step == SB_PAGERIGHT)) return;
    const int position = static_cast<SHORT>(HIWORD(code));
    int& current = horizontal ? s.scroll_column : s.scroll_row;
    int next = current;
    const bool ok = horizontal ? horizontal_step(step, position, current, next)
                               : vertical_step(step, position, current, next);
    if (!ok) {
        MessageBeep(0);
        return;
    }
    if (next == current) return;
    current = next;
    update_layout_scroll();
    if (window != nullptr) SetScrollPos(window, horizontal ? SB_HORZ : SB_VERT, current, TRUE);
}

LRESULT layout_frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    LayoutWindowState& s = lw();
    const bool frame = window == s.window;
    switch (message) {
    case WM_MOVE:
        if (frame) save_placement();
        return 0;
    case WM_SIZE:
        if (frame && s.children.chart != nullptr) {
            const int width = LOWORD(lparam), height = HIWORD(lparam);
            size_layout_children(s.children, width, height);
            GetClientRect(s.children.chart, &s.chart_client);
            save_placement();
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND: {
        const UINT id = LOWORD(wparam);
        if (id == kLayoutZoomButtonId) {
            track_layout_zoom_popup(s.window, s.zoom_index);
        } else if (id == kLayoutCloseButtonId) {
            close_window();
        } else if (id >= kFirstLayoutZoomCommand && id < kFirstLayoutZoomCommand + kLayoutZoomCount) {
            set_zoom(static_cast<int>(id - kFirstLayoutZoomCommand));
        }
        return 0;
    }
    case WM_KEYDOWN:
        return layout_key(window, wparam);
    case WM_HSCROLL:
    case WM_VSCROLL:
        scroll_layout_by_key(message == WM_HSCROLL, window, wparam);
        return 0;
    case WM_DESTROY:
        if (frame) {
            delete_layout_font();
            s.window = nullptr;
            s.children = LayoutChildren{};
            s.dragging = false;
            if (shell().owned.layout == window) shell().owned.layout = nullptr;
        }
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

LRESULT layout_chart_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        lw().zoom = kLayoutZoomFactors[lw().zoom_index];
        if (window == lw().children.chart) update_layout_scroll();
        return 0;
    }
    case WM_KEYDOWN:
        return layout_key(window, wparam);
    case WM_SETFOCUS:
        end_drag();
        return 0;
    case WM_MOUSEMOVE:
        chart_mouse_move(window, wparam, lparam);
        return 0;
    case WM_LBUTTONDOWN:
        if (!doc().busy) chart_button_down(window, lparam);
        return 0;
    case WM_LBUTTONUP:
        chart_button_up();
        return 0;
    case WM_RBUTTONDOWN:
    case WM_CHAR:
    case WM_TIMER:
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}
