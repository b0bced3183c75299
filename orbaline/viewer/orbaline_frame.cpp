#include "orbaline/viewer/orbaline_frame.h"

#include "common/shell/colour_set.h"
#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/progress_meter.h"
#include "common/text/message_table.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/source_list.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/viewer/chart_layout.h"
#include "orbaline/viewer/chart_view.h"
#include "orbaline/viewer/commands.h"
#include "orbaline/viewer/generation.h"
#include "orbaline/viewer/orbaline_dialogs.h"
#include "orbaline/viewer/orbaline_state.h"
#include "orbaline/viewer/source_view.h"
#include "platform/kernel/sjis_text.h"
#include "resources/orbaline/orbaline_resources.h"

// "【 生成エラー表示 】"; its box caption has no blank after "【".
const ListWindowProfile kOrbalineErrorWindow = {
    "CNVERROR",
    "ERRCTRL",
    "ERRORCTRL",
    kErrorWindow,
    "【 生成エラー表示 】"_sjis,
    nullptr,
    "【生成エラー表示 】"_sjis,
    kMsgFileOpenErrorNamed,
    SC_CLOSE,
    true,
    false,
};

namespace {

constexpr auto& kLinkedCaption = "連動[F5]"_sjis;
constexpr auto& kUnlinkedCaption = "非連動[F5]"_sjis;

constexpr auto& kSaveSettingsCaption = "【 パラメタファイル保存 】"_sjis;

// ORDER ID: buttons 300 to 304, then the boxes 100 and 101. The first-
// and last-page buttons are 84 wide so that their labels show whole in
// the button font; the row after them moves along.
constexpr ControlBarRow kPageButtons[] = {
    {2, 4, 78, 17, "次ﾍﾟｰｼﾞ[F1]"_sjis},
    {81, 4, 78, 17, "前ﾍﾟｰｼﾞ[F2]"_sjis},
    {160, 4, 84, 17, "先頭ﾍﾟｰｼﾞ[F3]"_sjis},
    {245, 4, 84, 17, "最終ﾍﾟｰｼﾞ[F4]"_sjis},
    {330, 4, 80, 17, "  連動[F5]  "_sjis},                  // "  連動[F5]  "
};
constexpr ControlBarRow kStatusBoxes[] = {
    {480, 4, 400, 17, ""},
    {414, 4, 64, 17, ""},
};

constexpr UINT kCheckedAtCreate[] = {kNestLevelCommand};
// ORDER: ENVDLG checks its numbers in this order.
constexpr DialogNumber kEnvironmentNumbers[] = {
    {orbaline_resources::kBoxWidthField, &oq_settings::kBoxWidth},
    {orbaline_resources::kBoxLinesField, &oq_settings::kBoxLines},
    {orbaline_resources::kTabWidthField, &oq_settings::kTabWidth},
};
constexpr DialogCheck kEnvironmentChecks[] = {
    {orbaline_resources::kConfirmEditsCheck, &oq_settings::kConfirmEdits},
};
// ORDER: FLTDLG's columns, the file's after the first.
constexpr FunctionListColumn kFunctionColumns[] = {
    {"No.  関数名"_sjis, 150},
    {"ﾌｧｲﾙ名"_sjis, 100},
    {" 行番号"_sjis, 60},
    {" 機能概要"_sjis, 400},
};
// ORDER: the items a loaded chart enables.
constexpr UINT kChartItems[] = {8193, 8194, 8195, 8196, 8197, 8198, 8200, 20482, 20483,
                                20484, 20485, 24580, 24582, 24583, 36866};

// ORDER: the keys the generator takes from oq1000.kwd, in file order.
constexpr const char* kKeywordFileKeys[] = {"NAME", "FUNCTION"};

ViewerProfile make_profile() {
    ViewerProfile p;
    p.program_name = kOrbalineProgram;
    p.box_name = "ＯＲＢＡＬＩＮＥ"_sjis;
    p.menu_name = "OQW_pad_menu";
    p.accelerator_name = "OQW_pad_accl";
    p.clock_cursor_format = "OQW_clk_csr%d";
    p.pad_bitmap = "OQW_pad_bmp";
    p.source_bitmap = "OQW_src_bmp";
    p.search_not_found_message = kMsgSearchNotFound;
    p.help_file = "oq1000s.hlp";
    p.editor_caption = kBracketedEditorCaption;
    p.messages.choose_file = kMsgSelectFile;
    p.messages.no_document = kMsgNoChart;
    p.messages.choose_function = kMsgSelectFunction;
    p.keyword_file = "oq1000.kwd";
    p.keyword_keys = kKeywordFileKeys;
    p.settings = &kOrbalineSettings;
    p.placement = kOrbalinePlacement;
    p.recent_menu = kOrbalineRecentMenu;
    p.error_window = &kOrbalineErrorWindow;
    p.meter = {.class_name = "OQWMETER",
               .initial_caption = "【 生成 】"_sjis,
               .line2_shortened_in_middle = true};
    p.page_buttons = kPageButtons;
    p.status_boxes = kStatusBoxes;
    p.popup_count = kOrbalinePopupCount;
    p.help_popup = kOrbalineHelpPopup;
    p.ruler_command = kNestLevelCommand;
    p.checked_at_create = kCheckedAtCreate;
    p.dispatch_groups = 0x3FE;  // 0x1000 to 0x9000
    p.command_clears_status = true;
    p.tab_width = &oq_settings::kTabWidth;
    p.editor_path = &oq_settings::kEditorPath;
    p.colour_source_text = &oq_settings::kColourSourceText;
    p.colour_source_background = &oq_settings::kColourSourceBackground;
    p.last_generation_status = &oq_settings::kLastGenerationStatus;
    p.refuse_long_texts = true;
    p.long_path_message = 207;
    p.environment_numbers = kEnvironmentNumbers;
    p.environment_check_id = orbaline_resources::kRowNumbersCheck;
    p.environment_check = &oq_settings::kRowNumbers;
    p.environment_checks = kEnvironmentChecks;
    p.print_dialogs = &kOrbalinePrintDialogs;
    p.editor_field_id = orbaline_resources::kEditorField;
    p.editor_folder_id = orbaline_resources::kEditorFolder;
    p.single_error_file = "oq1000.err";
    p.search_field_id = orbaline_resources::kSearchField;
    p.function_columns = kFunctionColumns;
    p.function_file_column = true;
    p.function_rows_are_pages = false;
    p.messages.lines_left_out = 716;
    p.messages.source_unloaded = kMsgNoChart;
    p.messages.no_source = kMsgSelectFunction;
    p.source_title_names_file = true;

    p.source_open_error_caption = "ファイルオープンエラー確認"_sjis;
    p.source_failure_unloads_document = false;
    p.source_current_line_keeps_list_filled = true;
    p.source_line_steps_scroll = true;
    return p;
}

void delete_object(HGDIOBJ object) {
    if (object != nullptr) DeleteObject(object);
}

HBRUSH chart_background() {
    if (orbaline().background_brush == nullptr) create_chart_colours();
    return orbaline().background_brush;
}

void enable_popup(HMENU menu, int position, bool on) {
    EnableMenuItem(menu, static_cast<UINT>(position), MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
}

void enable_item(HMENU menu, UINT id, bool on) { EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); }

void enable_window(HWND window, bool on) {
    if (window != nullptr) EnableWindow(window, on ? TRUE : FALSE);
}

void enable_page_controls(bool on) {
    for (HWND button : shell().page_buttons) enable_window(button, on);
    enable_window(shell().chart, on);
}

bool chart_has_rows() { return chart().loaded && chart().row_count() > 0; }

// Leaving the busy state: what a named and a loaded chart bring back.
void restore_chart_menus(HMENU menu) {
    const ChartSession& c = chart();
    enable_popup(menu, kOrbalineHelpPopup, true);
    if (c.chart_path.empty()) return;
    enable_item(menu, kSaveCommand, c.modified);
    enable_popup(menu, kGenerationPopup, true);
    if (!chart_has_rows()) return;
    for (int position = kEditPopup; position <= kOrbalineSearchPopup; ++position) enable_popup(menu, position, true);
    for (UINT id = 20482; id <= 20485; ++id) enable_item(menu, id, true);
    enable_page_controls(true);
    enable_window(source_list().view, true);
    enable_window(shell().owned.layout, true);
}

// Closing the frame: an unsaved chart asks first.
bool confirm_frame_close() {
    if (!chart().modified) return true;

    return show_info_box(0, "【 終了確認 】"_sjis, message_text(kMsgChartModified),
                         message_with_text(108, orbaline_viewer_profile().box_name)) == 1;
}

void set_link_mode(bool on) {
    document_state().linked_mode = on;
    chart().link_mode = on ? 1 : 0;
}

}  // namespace

const ViewerProfile& orbaline_viewer_profile() {
    static const ViewerProfile profile = make_profile();
    return profile;
}

// The viewer library is ORBALINE's: its profile and message table are in
// place before anything runs, so that each part works alone as it does in
// the program.
[[maybe_unused]] const bool kOrbalineViewerInstalled = (install_orbaline_viewer(), true);

void install_orbaline_viewer() {
    set_viewer_profile(orbaline_viewer_profile());
    set_message_table(kOrbalineMessages);
    ViewerHooks& hooks = viewer_hooks();
    hooks = ViewerHooks{};
    hooks.chart_procedure = tree_chart_wnd_proc;
    hooks.chart_background = chart_background;
    hooks.paint_ruler = draw_chart_ruler;
    hooks.create_colour_objects = create_chart_colours;
    hooks.free_colour_objects = free_chart_colours;
    hooks.frame_resized = [] {
        // a frame without its view yet has nothing to lay out
        if (shell().chart == nullptr) return;
        take_chart_client_size();
        set_chart_extent();
        update_window_title();
    };
    hooks.scroll_view = [](int axis, WPARAM code) { return scroll_chart(axis, code); };
    hooks.dispatch_menu_command = [](HWND frame, WPARAM id) { return run_chart_command(frame, LOWORD(id)); };
    hooks.set_link_mode = set_link_mode;
    hooks.has_content = chart_has_rows;
    hooks.step_page = [](int direction) { return jump_in_chart(direction); };
    hooks.jump_end_page = [](int which) { return jump_in_chart(2 + which); };
    hooks.forget_progress = [] {
        orbaline().progress_item_known = false;
        forget_shown_progress();
    };
    hooks.update_title = [] { update_window_title(); };
    hooks.confirm_close = confirm_frame_close;
    hooks.restore_menus = restore_chart_menus;
    hooks.register_layout_window = register_chart_layout_classes;
    hooks.show_function = [](int row) { show_listed_function(row + 1); };
    hooks.function_list_row = [] { return orbaline().function_list_row; };
    install_source_view_hooks(hooks);
}

void sync_document_flags() {
    DocumentState& doc = document_state();
    const ChartSession& c = chart();
    doc.file_name = c.chart_path;
    doc.loaded = chart_has_rows();
    doc.page_count = c.row_count();
}

void set_chart_menus(int has_chart) {
    ShellState& s = shell();
    const ChartSession& c = chart();
    HMENU menu = GetMenu(s.frame_window);
    sync_document_flags();
    if (has_chart != 0) {
        enable_item(menu, kSaveCommand, c.modified);
        for (int position = kEditPopup; position <= kOrbalineSearchPopup; ++position) enable_popup(menu, position, true);
        for (UINT id : kChartItems) enable_item(menu, id, true);
        enable_page_controls(true);
        update_window_title();
        set_chart_extent();
    } else {
        for (int position : {1, 2, 3, 5, 6, 7}) enable_popup(menu, position, false);
        for (UINT id : {20483U, 20484U, 20485U, static_cast<UINT>(kSaveCommand)}) enable_item(menu, id, false);
        if (!c.chart_path.empty()) {
            enable_popup(menu, kSettingsPopup, chart_has_rows());
            enable_popup(menu, kGenerationPopup, true);
            for (UINT id = 20482; id <= 20485; ++id) enable_item(menu, id, true);
            enable_item(menu, kEditorCommand, true);
            for (UINT id = 8193; id <= 8197; ++id) enable_item(menu, id, false);
        }
        enable_page_controls(false);
    }
    DrawMenuBar(s.frame_window);
}

void set_link_caption(bool linked) {
    HWND button = shell().page_buttons[kLinkButtonId - kNextButtonId];
    if (button == nullptr) return;
    const char* caption = linked ? kLinkedCaption : kUnlinkedCaption;
    char current[64] = {};
    GetWindowTextA(button, current, sizeof current);
    if (std::string_view(current) != caption) SetWindowTextA(button, caption);
}

void create_chart_colours() {
    OrbalineState& o = orbaline();
    const SettingsRecord& r = shell_settings();
    if (r.profile() != &kOrbalineSettings) return;
    const COLORREF lines = read_colour_ref(r, oq_settings::kColourChartLines);
    delete_object(o.thin_pen);
    delete_object(o.thick_pen);
    o.thin_pen = CreatePen(PS_SOLID, 1, lines);
    o.thick_pen = CreatePen(PS_SOLID, 2, lines);
    HBRUSH old_brush = o.background_brush;
    o.background_brush = CreateSolidBrush(read_colour_ref(r, oq_settings::kColourChartBackground));
    if (shell().chart != nullptr)
        SetClassLongPtrA(shell().chart, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(o.background_brush));
    delete_object(old_brush);
    o.text_colour = read_colour_ref(r, oq_settings::kColourChartText);
    o.row_number_colour = read_colour_ref(r, oq_settings::kColourRowNumbers);
}

void free_chart_colours() {
    OrbalineState& o = orbaline();
    delete_object(o.thin_pen);
    delete_object(o.thick_pen);
    delete_object(o.background_brush);
    o.thin_pen = o.thick_pen = nullptr;
    o.background_brush = nullptr;
}

bool save_chart_settings() {
    if (write_settings_file(shell_settings(), document_state().program_directory) == kSettingsOk) return true;
    show_info_box(1, kSaveSettingsCaption, message_text(727), kOrbalineSettings.file_name);
    return false;
}

void reset_chart_colours() {
    reset_standard_colours(shell_settings());
    create_chart_colours();
    recreate_source_colours();
    save_chart_settings();
    clear_chart_view();
    if (chart_has_rows()) redraw_chart();
    if (source_list_open()) {
        clear_source_list_view();
        reload_source_list();
    }
}

std::string message_with_text(int id, std::string_view text) {
    const char* format = lookup_message(id);
    if (format == nullptr) return {};
    const std::string value(text);
    return format_text(format, value.c_str());
}

std::string message_with_number(int id, int number) {
    const char* format = lookup_message(id);
    if (format == nullptr) return {};
    return format_text(format, number);
}
