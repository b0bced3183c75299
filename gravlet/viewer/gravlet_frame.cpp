#include "gravlet/viewer/gravlet_frame.h"

#include <algorithm>
#include <cstdio>

#include "common/shell/colour_set.h"
#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/progress_meter.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/viewer/shell_boxes.h"
#include "common/text/shell_message_numbers.h"
#include "common/viewer/source_list.h"
#include "gravlet/pad/messages.h"
#include "gravlet/pad/settings_layout.h"
#include "gravlet/viewer/commands.h"
#include "gravlet/viewer/generation.h"
#include "gravlet/viewer/gravlet_dialogs.h"
#include "gravlet/viewer/gravlet_state.h"
#include "gravlet/viewer/pad_miniature.h"
#include "gravlet/viewer/pad_view.h"
#include "gravlet/viewer/source_link.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"
#include "resources/gravlet/gravlet_resources.h"

// "生成エラー表示", "【 生成エラー表示 】", "【 一括生成エラー表示 】"
const ListWindowProfile kGravletErrorWindow = {
    "CNVERROR",
    "ERRCTRL",
    "ERRORCTRL",
    kErrorWindow,
    "【 生成エラー表示 】"_sjis,
    "【 一括生成エラー表示 】"_sjis,
    "生成エラー表示"_sjis,
    7,
    SC_MINIMIZE,
    true,
    false,
};

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

// ORDER: the menu ids and controls the shared parts take from GRAVLET's.
constexpr UINT kCheckedAtCreate[] = {kNestLevelCommand};
constexpr UINT kDocumentItems[] = {kGenerateCommandId, kGenerationErrorsCommandId};
constexpr DialogNumber kEnvironmentNumbers[] = {
    {gravlet_resources::kLevelWidthField, &gx_settings::kScreenLevelWidth},
    {gravlet_resources::kTabWidthField, &gx_settings::kTabWidth},
};


constexpr auto& kSaveSettingsCaption = "【 パラメタファイル保存 】"_sjis;

ViewerProfile make_profile() {
    ViewerProfile p;
    p.program_name = kGravletProgram;
    p.box_name = "ＧＲＡＶＬＥＴ"_sjis;
    p.menu_name = "GXW_pad_menu";
    p.accelerator_name = "GXW_pad_accl";
    p.clock_cursor_format = "GXW_clk_csr%d";
    p.pad_bitmap = "GXW_pad_bmp";
    p.source_bitmap = "GXW_src_bmp";
    p.source_menu = "GXW_SRC_MENU";
    p.search_not_found_message = gx_message::kNotFound;
    p.help_file = "gx1000s.hlp";
    p.keyword_file = "gx1000.kwd";
    p.keyword_values_in_capitals = true;
    p.editor_caption = kBracketedEditorCaption;
    p.settings = &kGravletSettings;
    p.placement = kGravletPlacement;
    p.recent_menu = kGravletRecentMenu;
    p.error_window = &kGravletErrorWindow;
    p.meter = {.class_name = "GXWMETER",
               .initial_caption = "【 生成 】"_sjis};
    p.ruler_command = kNestLevelCommand;
    p.checked_at_create = kCheckedAtCreate;
    p.document_items = kDocumentItems;
    p.edit_popup_needs_name = true;
    p.dispatch_groups = 0x3AE;  // 0x1000, 0x2000, 0x3000, 0x5000, 0x7000, 0x8000, 0x9000
    p.command_clears_status = true;
    p.status_bar_text = "Select File!";
    p.question_icon = MB_ICONINFORMATION;
    p.wide_box_text = true;
    p.tab_width = &gx_settings::kTabWidth;
    p.editor_path = &gx_settings::kEditorPath;
    p.colour_source_text = &gx_settings::kColourSourceText;
    p.colour_source_background = &gx_settings::kColourSourceBackground;
    p.last_generation_status = &gx_settings::kLastGenerationStatus;
    p.refuse_long_texts = true;
    p.environment_numbers = kEnvironmentNumbers;
    p.environment_check_id = gravlet_resources::kLineNumbersCheck;
    p.environment_check = &gx_settings::kLineNumbers;
    p.print_dialogs = &kGravletPrintDialogs;
    p.editor_field_id = gravlet_resources::kEditorField;
    p.editor_folder_id = gravlet_resources::kEditorFolder;
    p.single_error_file = "gx1000.err";
    p.batch_file_error_file = "gx1000.erw";
    p.batch_log_file = "gx1000.erl";
    p.meter_title = "ＰＡＤ図生成"_sjis;
    p.meter_line_start = "ＰＡＤ図を"_sjis;
    p.io_error_text = "Ｉ／Ｏエラー"_sjis;
    p.left_out_text = "1001番目以降の関数はＰＡＤ図にありません。"_sjis;
    p.single_other_is_io_error = true;
    p.io_error_status = -1000;  // the batch log names other statuses an internal error
    p.no_batch_list_message = gx_message::kNoBatchList;
    p.printer_kind = &gx_settings::kPrinterKind;
    p.print_manager_message = gx_message::kPrintManagerOnly;
    p.report_progress = report_generation_progress;
    return p;
}

PadDocument& pad() { return gravlet_pad(); }
DocumentState& doc() { return document_state(); }
SettingsRecord& settings() { return shell_settings(); }

void delete_object(HGDIOBJ object) {
    if (object != nullptr) DeleteObject(object);
}

HBRUSH chart_background() {
    if (gravlet().background_brush == nullptr) create_pad_colours();
    return gravlet().background_brush;
}

void set_link_mode(bool on) {
    doc().linked_mode = on;
    pad().link_mode = on;
}

DocumentStepHooks step_hooks() {
    DocumentStepHooks hooks;
    hooks.set_status_text = set_status_text;
    hooks.show_current = [] { show_current_function(); };
    hooks.follow_source = [] { sync_source_to_cell(); };
    return hooks;
}

bool grid_has_rows() { return pad().grid != nullptr && pad().grid->row_count > 0; }

// The settings' view options taken into the view (at start and after the
// environment dialog).
void take_view_settings() {
    gravlet().line_numbers = settings().word(gx_settings::kLineNumbers) != 0;
    doc().tab_width = settings().word(gx_settings::kTabWidth);
}

// The "[n]" labels' font: 11 pixels, so that a label 2 pixels below its
// row's top ends a pixel above the box it names.
HFONT make_label_font() {
    constexpr auto& kGothic = "標準ゴシック"_sjis;
    return CreateFontA(11, 6, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, 0, 0, FIXED_PITCH,
                       kGothic);
}

}  // namespace

const ViewerProfile& gravlet_viewer_profile() {
    static const ViewerProfile profile = make_profile();
    return profile;
}

// The viewer library is GRAVLET's: its profile and message table are in
// place before anything runs, so that each part works alone as it does in
// the program.
[[maybe_unused]] const bool kGravletViewerInstalled = (install_gravlet_viewer(), true);

void install_gravlet_viewer() {
    set_viewer_profile(gravlet_viewer_profile());
    set_message_table(kGravletMessages);
    ViewerHooks& hooks = viewer_hooks();
    hooks = ViewerHooks{};
    hooks.chart_procedure = pad_chart_wnd_proc;
    hooks.chart_background = chart_background;
    hooks.paint_ruler = draw_nest_level_ruler;
    hooks.create_colour_objects = create_pad_colours;
    hooks.free_colour_objects = [] {
        GravletState& g = gravlet();
        delete_object(g.line_pen);
        delete_object(g.background_brush);
        delete_object(g.label_font);
        g.line_pen = nullptr;
        g.background_brush = nullptr;
        g.label_font = nullptr;
    };
    hooks.frame_resized = [] {
        take_chart_size();
        set_pad_scroll_ranges();
    };
    hooks.scroll_view = [](int axis, WPARAM code) { return scroll_pad(axis, shell().chart, code); };
    hooks.dispatch_menu_command = dispatch_menu_command;
    hooks.set_link_mode = set_link_mode;
    hooks.has_content = grid_has_rows;
    hooks.step_page = [](int direction) { return step_document(direction, step_hooks()); };
    hooks.jump_end_page = [](int which) { return jump_document_end(which, step_hooks()); };
    hooks.forget_progress = forget_shown_progress;
    hooks.register_layout_window = register_pad_miniature_classes;
    install_source_link_hooks(hooks);
    install_generation_hooks(hooks);
}

void create_pad_colours() {
    GravletState& g = gravlet();
    const SettingsRecord& r = settings();
    delete_object(g.line_pen);
    g.line_pen = CreatePen(PS_SOLID, 1, read_colour_ref(r, gx_settings::kColourPadLines));
    HBRUSH old_brush = g.background_brush;
    g.background_brush = CreateSolidBrush(read_colour_ref(r, gx_settings::kColourPadBackground));
    if (g.label_font == nullptr) g.label_font = make_label_font();
    if (shell().chart != nullptr)
        SetClassLongPtrA(shell().chart, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(g.background_brush));
    delete_object(old_brush);
    g.text_colour = read_colour_ref(r, gx_settings::kColourPadText);
    g.number_colour = read_colour_ref(r, gx_settings::kColourLineNumbers);
}

void take_chart_size() {
    GravletState& g = gravlet();
    ShellState& s = shell();
    if (s.chart == nullptr) return;
    RECT client{};
    GetClientRect(s.chart, &client);
    g.chart_width = client.right;
    g.chart_height = client.bottom;
    s.view_width = client.right;
    s.view_height = client.bottom;
    g.shown_rows = client.bottom / kCellPixelHeight - 1;
}

std::string function_heading() {
    if (!pad().grid || pad().grid->name_rows.empty()) return {};
    std::string_view head = pad().grid->name_rows.front();
    if (!head.empty() && head.front() == '@') head.remove_prefix(1);
    return std::string(head);
}

void draw_nest_level_ruler() {
    ShellState& s = shell();
    if (s.ruler == nullptr || !s.ruler_shown) return;
    HDC dc = GetDC(s.ruler);
    if (dc == nullptr) return;
    RECT client{};
    GetClientRect(s.ruler, &client);
    HGDIOBJ old_font = SelectObject(dc, s.gauge_font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kBlack);
    draw_ruler_face(dc, client);
    const int l = std::max(1, pad().level_width);
    const int q = pad().horizontal_position;
    const int n = (client.right / kCellPixelWidth + q) / (2 * l);
    for (int i = 0; i <= n; ++i) {
        const int x = (kPadMargin + 2 * l * i - q - 1) * kCellPixelWidth;
        draw_ruler_divider(dc, x, client);
        char label[16];
        const int length = std::snprintf(label, sizeof label, "%d", i + 1);
        // the nesting level of the column that ends there
        const int label_x = i == 0 ? x - kCellPixelWidth * kPadMargin / 2 : x - kCellPixelWidth * l;
        TextOutA(dc, label_x, 0, label, length);
    }
    SelectObject(dc, old_font);
    ReleaseDC(s.ruler, dc);
}

int open_view_file(const std::string& name) {
    DocumentState& d = doc();
    GravletState& g = gravlet();
    PadDocument& p = pad();
    d.page_title.clear();
    d.current_page = 0;
    d.page_count = 1;
    d.file_name = name;
    d.loaded = false;
    d.source_loaded = false;
    d.source_name = name;
    if (!d.source_name.empty()) set_file_extension(d.source_name, d.source_extension);
    if (!d.file_name.empty()) set_file_extension(d.file_name, ".pds");
    settings().set_text_cut(gx_settings::kLastDocumentName, d.file_name);
    settings().set_text_cut(gx_settings::kLastSourceName, d.source_name);

    p.path = d.file_name;
    p.source_extension = d.source_extension;
    int result = read_pds_index(p, settings(), d.program_directory, gravlet_pad_host());
    if (result == kPadIndexOk) {
        d.linked_mode = p.link_mode;
        d.page_count = static_cast<int>(p.index.size());
        set_link_button_label(d.linked_mode);
        take_view_settings();
        d.loaded = true;
        if (!crt_exists(d.source_name.c_str())) {
            d.source_extension = ".cpp";
            set_file_extension(d.source_name, ".cpp");
        }
        result = load_pad_source_text();
    }
    g.current_row = g.current_column = g.previous_row = g.previous_column = -1;
    g.marker_y = -1;
    return result;
}

void close_view_file() {
    close_pds_file(pad());
    doc().loaded = false;
}

int show_current_function() {
    DocumentState& d = doc();
    GravletState& g = gravlet();
    PadDocument& p = pad();
    if (!d.loaded) {
        clear_pad_view();
        return -1;
    }
    HCURSOR kept = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    p.first_shown_row = 1;
    p.horizontal_position = 0;
    set_status_text(1, message_text(gx_message::kMakingPad));
    p.current_function = d.current_page;
    const int loaded = load_pad_function(p, d.current_page, gravlet_pad_host());
    g.current_row = g.current_column = -1;
    clear_pad_view();
    if (loaded != 0 || !p.grid) {
        SetCursor(kept);
        return -1;
    }
    d.page_title = function_heading();
    PadGrid& grid = *p.grid;
    if (grid.row_count > 0) {
        // the first and the last row's first cells: the function's source range
        const int first = grid.cell(1, 0)->source_line;
        if (d.linked_mode) d.current_source_line = first;
        g.range_first = first;
        g.range_last = grid.cell(grid.row_count, 0)->source_line;
    } else {
        g.range_first = g.range_last = 0;
    }
    set_pad_scroll_ranges();
    redraw_pad_view();
    update_title_and_status();
    set_status_text(0, "");
    SetCursor(kept);
    return 0;
}

int set_pad_scroll_ranges() {
    GravletState& g = gravlet();
    PadDocument& p = pad();
    HWND chart = shell().chart;
    if (!p.grid || chart == nullptr) return -1;
    PadGrid& grid = *p.grid;
    int wc = 0;
    if (grid.row_count > 0) {
        measure_pad_page(grid, {1, grid.row_count}, p.layout_values());
        for (int r = 1; r <= grid.row_count; ++r) {
            for (int c = 0; c < kPadColumns; ++c) {
                const PadCell& cell = *grid.cell(r, c);
                if (cell.kind == kPadRowEnd) break;
                wc = std::max(wc, cell.x + cell.width);
            }
        }
    }
    g.pad_width = wc;
    const int n = grid.row_count;
    const int v = g.shown_rows;
    int vertical = n + v / 2 - v + 1;
    if (vertical <= 1) {
        vertical = 1;
        p.first_shown_row = 1;
    }
    int horizontal = wc - g.chart_width / kCellPixelWidth + (vertical < 2 ? 1 : 2);
    if (horizontal <= 0) {
        horizontal = 0;
        p.horizontal_position = 0;
    }
    p.first_shown_row = std::min(p.first_shown_row, vertical);
    p.horizontal_position = std::min(p.horizontal_position, horizontal);
    SetScrollRange(chart, SB_VERT, 1, vertical, TRUE);
    SetScrollRange(chart, SB_HORZ, 0, horizontal, TRUE);
    SetScrollPos(chart, SB_VERT, p.first_shown_row, TRUE);
    SetScrollPos(chart, SB_HORZ, p.horizontal_position, TRUE);
    return 0;
}

int redraw_pad_view() {
    DocumentState& d = doc();
    if (shell().chart != nullptr) SetFocus(shell().chart);
    if (!d.loaded) {
        set_status_text(1, message_text(d.file_name.empty() ? shell_message::kChooseFile : shell_message::kNoDocument));
        return -1;
    }
    set_status_text(1, message_text(gx_message::kShowingPad));
    gravlet().marker_y = -1;
    clear_pad_view();
    draw_pad();
    redraw_cell_marker();
    set_status_text(0, "");
    draw_nest_level_ruler();
    set_pad_miniature_region(0, 0, gravlet().chart_width, gravlet().chart_height);
    return 0;
}

void apply_standard_colours() {
    reset_standard_colours(settings());
    create_pad_colours();
    recreate_source_colours();
    if (write_settings_file(settings(), doc().program_directory) != kSettingsOk)
        show_info_box(1, kSaveSettingsCaption, message_text(gx_message::kNotSaved), kGravletSettings.file_name);
    clear_pad_view();
    if (doc().loaded) redraw_pad_view();
    if (source_list_open()) {
        clear_source_list_view();
        sync_source_to_cell();
    }
}
