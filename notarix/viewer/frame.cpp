#include "notarix/viewer/frame.h"

#include <cstdio>

#include "common/shell/colour_set.h"
#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "common/text/notarix_message_numbers.h"
#include "notarix/editor/form_editor.h"
#include "notarix/layout/layout_window.h"
#include "notarix/viewer/commands.h"
#include "notarix/viewer/page_view.h"
#include "notarix/viewer/print_preview.h"
#include "notarix/viewer/settings_dialogs.h"
#include "notarix/viewer/settings_layout.h"
#include "notarix/viewer/source_list.h"
#include "platform/kernel/sjis_text.h"
#include "resources/notarix/settings_dialog_templates.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

// ORDER: the menu ids the shared frame takes from NOTARIX's menu.
constexpr UINT kCheckedAtCreate[] = {kColumnGaugeCommand, kLinkedModeCommand};
constexpr UINT kDocumentItems[] = {kEditorCommand, kGenerateCommand, kGenerationErrorsCommand};
constexpr DialogNumber kEnvironmentNumbers[] = {
    {settings_dialog_templates::kEnvTabWidthId, &nx_settings::kTabWidth},
};

ViewerProfile make_profile() {
    ViewerProfile p;
    p.program_name = kProgramTitle;
    p.box_name = "ＮＯＴＡＲＩＸ"_sjis;
    p.menu_name = "NXW_pad_menu";
    p.accelerator_name = "NXW_pad_accl";
    p.clock_cursor_format = "NXW_clk_csr%d";
    p.pad_bitmap = "NXW_pad_bmp";
    p.source_bitmap = "NXW_src_bmp";
    p.form_bitmap = "NXW_frm_bmp";
    p.help_file = "nx1000s.hlp";
    p.keyword_file = "nx1000.kwd";
    p.settings = &kNotarixSettings;
    p.placement = kNotarixPlacement;
    p.recent_menu = kNotarixRecentMenu;
    p.missing_recent_name_first = false;
    p.error_window = &kNotarixErrorWindow;
    p.summary_window = true;
    p.meter = kNotarixMeter;
    p.ruler_command = kColumnGaugeCommand;
    p.checked_at_create = kCheckedAtCreate;
    p.document_items = kDocumentItems;
    p.dispatch_groups = 0x3FE;  // 0x1000 to 0x9000
    p.question_icon = MB_ICONEXCLAMATION;
    p.tab_width = &nx_settings::kTabWidth;
    p.editor_path = &nx_settings::kEditorPath;
    p.colour_source_text = &nx_settings::kColourSourceText;
    p.colour_source_background = &nx_settings::kColourSourceBackground;
    p.last_generation_status = &nx_settings::kLastGenerationStatus;
    p.environment_numbers = kEnvironmentNumbers;
    p.print_dialogs = &kNotarixPrintDialogs;
    p.editor_field_id = settings_dialog_templates::kEditorPathId;
    p.editor_folder_id = settings_dialog_templates::kEditorFolderId;
    p.single_error_file = "nx1000.err";
    p.batch_file_error_file = "nx1000.erw";
    p.batch_log_file = "nx1000.erl";
    p.meter_title = "関数仕様書生成"_sjis;
    p.source_reopen_error_caption = "【 ソースリストを読み込み 】"_sjis;
    p.meter_line_start = "関数仕様書を"_sjis;

    p.io_error_text = "ファイルＩ／Ｏエラー"_sjis;
    p.left_out_text = "1001番目以降の関数は関数仕様書にありません。"_sjis;
    p.io_error_status = 20;
    p.printer_kind = &nx_settings::kPrinterKind;
    p.print_manager_message = nx_message::kPrintManagerOnly;
    p.report_progress = report_convert_progress;
    return p;
}

ScreenColours settings_colours() {
    const SettingsRecord& settings = shell_settings();
    ScreenColours colours;
    colours.form_lines = read_colour_ref(settings, nx_settings::kColourFormLines);
    colours.page_background = read_colour_ref(settings, nx_settings::kColourPageBackground);
    colours.page_text = read_colour_ref(settings, nx_settings::kColourPageText);
    return colours;
}

HBRUSH page_background() {
    if (!screen_objects().created()) screen_objects().create(ScreenColours{});
    return screen_objects().page_background_brush();
}

// The page view's objects in the settings' colours, CHART's background too.
void create_page_colours() {
    screen_objects().create(settings_colours());
    if (shell().chart != nullptr) {
        SetClassLongPtrA(shell().chart, GCLP_HBRBACKGROUND,
                         reinterpret_cast<LONG_PTR>(screen_objects().page_background_brush()));
    }
}

}  // namespace

// The viewer library is NOTARIX's: its profile is in place before anything
// runs, so that each part (a source list, a dialog) works alone as it does
// in the program.
[[maybe_unused]] const bool kNotarixViewerInstalled = (install_notarix_viewer(), true);

const ViewerProfile& notarix_viewer_profile() {
    static const ViewerProfile profile = make_profile();
    return profile;
}

void install_notarix_viewer() {
    set_viewer_profile(notarix_viewer_profile());
    ViewerHooks& hooks = viewer_hooks();
    hooks = ViewerHooks{};
    hooks.chart_procedure = chart_wnd_proc;
    hooks.chart_background = page_background;
    hooks.paint_ruler = draw_column_gauge;
    hooks.create_colour_objects = create_page_colours;
    hooks.free_colour_objects = [] { screen_objects().destroy(); };
    hooks.frame_resized = [] {
        set_page_scroll_ranges();
        set_layout_visible_region(0, 0, shell().view_width, shell().view_height);
        resize_print_preview();
    };
    hooks.scroll_view = [](int axis, WPARAM code) { return scroll_page_view(axis, shell().chart, code); };
    hooks.dispatch_menu_command = dispatch_menu_command;
    hooks.set_link_mode = set_linked_mode;
    // the function buttons page through the preview while it is open
    hooks.step_page = [](int direction) {
        return preview_state().open ? do_preview_command(kPreviewNext + direction) : step_page(direction);
    };
    hooks.jump_end_page = [](int which) {
        return preview_state().open ? do_preview_command(kPreviewFirst + which) : jump_end_page(which);
    };
    hooks.register_form_editor = register_form_editor_class;
    hooks.register_layout_window = register_layout_window_classes;
    hooks.register_print_preview = register_preview_classes;
    hooks.close_print_preview = close_print_preview;
}

void recreate_colour_objects() {
    create_page_colours();
    recreate_source_colours();
}

void set_page_scroll_ranges() {
    ShellState& s = shell();
    if (s.chart == nullptr) return;
    RECT client{};
    GetClientRect(s.chart, &client);
    s.view_height = client.bottom;
    s.view_width = client.right;
    s.visible_lines = s.view_height / kPageRowHeight;
    set_page_view_metrics(s.view_width, s.view_height);
    DocumentState& doc = document_state();
    // a view that holds the whole grid goes back to its first row or column
    const int rows = page_vertical_range(s.view_height);
    SetScrollRange(s.chart, SB_VERT, 0, rows, TRUE);
    if (rows == 0) {
        doc.scroll_row = 0;
        SetScrollPos(s.chart, SB_VERT, 0, TRUE);
    }
    const int columns = page_horizontal_range(s.view_width);
    SetScrollRange(s.chart, SB_HORZ, 0, columns, TRUE);
    if (columns == 0) {
        doc.scroll_column = 0;
        SetScrollPos(s.chart, SB_HORZ, 0, TRUE);
    }
}

void draw_column_gauge() {
    HWND ruler = shell().ruler;
    if (ruler == nullptr || !shell().ruler_shown) return;
    HDC dc = GetDC(ruler);
    if (dc == nullptr) return;
    RECT client{};
    GetClientRect(ruler, &client);
    HGDIOBJ old_font = SelectObject(dc, shell().gauge_font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kBlack);
    draw_ruler_face(dc, client);
    const int h = document_state().scroll_column;
    if (h == 0) {
        // the left edge is white while the page's first column shows
        HPEN white = CreatePen(PS_SOLID, 1, RGB(0xFF, 0xFF, 0xFF));
        HGDIOBJ old = SelectObject(dc, white);
        MoveToEx(dc, 0, client.top + 1, nullptr);
        LineTo(dc, 0, client.bottom - 1);
        SelectObject(dc, old);
        DeleteObject(white);
    }
    const int last = client.right / kPageColumnWidth + h;
    const int n = last / 10;
    for (int i = 1; i <= n + 1; ++i) {
        const int x = (10 * i - h) * kPageColumnWidth;
        draw_ruler_divider(dc, x, client);
        char label[16];
        const int length = std::snprintf(label, sizeof label, "%d", 10 * i);
        TextOutA(dc, x - 33, 0, label, length);
    }
    SelectObject(dc, old_font);
    ReleaseDC(ruler, dc);
}

void toggle_column_gauge() { toggle_ruler(); }

int follow_page_tag() {
    DocumentState& doc = document_state();
    if (!doc.linked_mode) return -1;
    if (doc.current_page >= 0 && doc.current_page < static_cast<int>(doc.pages.size()))
        doc.current_source_line = doc.pages[static_cast<size_t>(doc.current_page)].tag;
    set_source_search_start(doc.current_source_line);
    return follow_current_function();
}

void set_linked_mode(bool on) {
    document_state().linked_mode = on;
    if (on) follow_page_tag();
}
