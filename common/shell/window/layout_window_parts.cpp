#include "common/shell/window/layout_window_parts.h"

#include "common/shell/window/shell_windows_setup.h"
#include "platform/kernel/sjis_text.h"

#include <cstdint>
#include <initializer_list>

namespace {

constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 17;

// "倍率", "閉じる"
constexpr auto& kZoomLabel = "倍率"_sjis;
constexpr auto& kCloseLabel = "閉じる"_sjis;

// ORDER ZOOM: labels of kLayoutZoomFactors.
constexpr const char* kZoomItems[kLayoutZoomCount] = {
    "1/2 倍表示(&1)"_sjis,
    "1/3 倍表示(&2)"_sjis,
    "1/4 倍表示(&3)"_sjis,
    "1/5 倍表示(&4)"_sjis,
    "1/10倍表示(&5)"_sjis,
};

HMENU child_id(int id) { return reinterpret_cast<HMENU>(static_cast<intptr_t>(id)); }

void place(HWND window, int x, int y, int width, int height) {
    if (window != nullptr) SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int register_layout_classes(HINSTANCE instance, const LayoutClassProfile& profile) {
    const HBRUSH grey = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    const HCURSOR chart_cursor = profile.chart_cursor != nullptr ? LoadCursorA(instance, profile.chart_cursor) : nullptr;
    // ORDER: the frame, the miniature, the bar, the separator.
    const WindowClassRow rows[] = {
        {kLayoutFrameClass, profile.frame_procedure, grey, true},
        {kLayoutChartClass, profile.chart_procedure, grey, false, nullptr, chart_cursor},
        {kLayoutBarClass, profile.frame_procedure, grey},
        {kLayoutSeparatorClass, layout_sep_proc, grey},
    };
    return register_window_class_rows(instance, rows);
}

LayoutChildren create_layout_children(HWND layout, HINSTANCE instance, int width, int height,
                                      HFONT button_font) {
    LayoutChildren children;
    const DWORD style = WS_CHILD | WS_VISIBLE;
    children.bar = CreateWindowA(kLayoutBarClass, "", style, 0, 0, width, kLayoutBarHeight, layout,
                                 child_id(kLayoutBarId), instance, nullptr);
    children.separator = CreateWindowA(kLayoutSeparatorClass, "", style, 0, kLayoutBarHeight, width,
                                       kLayoutSeparatorHeight, layout, child_id(kLayoutSeparatorId), instance, nullptr);
    children.chart = CreateWindowA(kLayoutChartClass, "", style, 0, kLayoutChartTop, width, height, layout,
                                   child_id(kLayoutChartId), instance, nullptr);
    if (children.bar != nullptr) create_layout_buttons(children.bar, instance, button_font, children);
    return children;
}

void create_layout_buttons(HWND bar, HINSTANCE instance, HFONT button_font, LayoutChildren& children) {
    const DWORD style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
    children.zoom_button = CreateWindowA("BUTTON", kZoomLabel, style, 2, 2, kButtonWidth, kButtonHeight, bar,
                                         child_id(kLayoutZoomButtonId), instance, nullptr);
    children.close_button = CreateWindowA("BUTTON", kCloseLabel, style, 92, 2, kButtonWidth, kButtonHeight, bar,
                                          child_id(kLayoutCloseButtonId), instance, nullptr);
    if (button_font == nullptr) return;
    for (HWND button : {children.zoom_button, children.close_button}) {
        if (button != nullptr) SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(button_font), FALSE);
    }
}

void size_layout_children(const LayoutChildren& children, int client_width, int client_height) {
    place(children.separator, 0, kLayoutBarHeight, client_width, kLayoutSeparatorHeight);
    place(children.bar, 0, 0, client_width, kLayoutBarHeight);
    place(children.chart, 0, kLayoutChartTop, client_width, client_height - kLayoutChartTop);
}

int draw_layout_separator(HWND separator) {
    if (separator == nullptr || !IsWindow(separator)) return -1;
    HDC dc = GetDC(separator);
    if (dc == nullptr) return -1;
    RECT client{};
    GetClientRect(separator, &client);
    draw_etched_line(dc, client.right);
    ReleaseDC(separator, dc);
    return 0;
}

LRESULT layout_sep_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_PAINT) return DefWindowProcA(window, message, wparam, lparam);
    PAINTSTRUCT paint{};
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    draw_layout_separator(window);
    return 0;
}

void track_layout_zoom_popup(HWND owner, int current_index, UINT first_command) {
    HMENU popup = CreatePopupMenu();
    if (popup == nullptr) return;
    for (int i = 0; i < kLayoutZoomCount; ++i) {
        const UINT checked = i == current_index ? MF_CHECKED : MF_UNCHECKED;
        AppendMenuA(popup, MF_STRING | checked, first_command + static_cast<UINT>(i), kZoomItems[i]);
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenu(popup, TPM_RIGHTALIGN, cursor.x, cursor.y, 0, owner, nullptr);
    DestroyMenu(popup);
}

void rescale_layout_region(LayoutRegion& region, float old_factor, float new_factor) {
    if (old_factor == 0.0f) return;
    const auto scale = [&](int edge) {
        return static_cast<int>(static_cast<float>(edge) / old_factor * new_factor);
    };
    region.set(scale(region.left), scale(region.top), scale(region.right), scale(region.bottom));
}

void draw_layout_region(HDC dc, const LayoutRegion& region) {
    if (dc == nullptr) return;
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const int old_mix = SetROP2(dc, R2_XORPEN);
    Rectangle(dc, region.left + 1, region.top, region.right + 1, region.bottom);
    SetROP2(dc, old_mix);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
    DeleteObject(pen);
}
