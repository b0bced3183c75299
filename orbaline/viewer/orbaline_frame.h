// ORBALINE's frame on the shared viewer shell: the viewer profile that makes
// the shared frame, runs and dialogs ORBALINE's, the hooks into the chart
// view and the dispatcher, the menu states by chart and by busy state, the
// view's pens and brushes in the settings' colours, and the standard
// colours.
#pragma once

#include <string>
#include <string_view>

#include "common/shell/window/error_window.h"
#include "common/viewer/frame.h"
#include "common/viewer/viewer_profile.h"

inline constexpr char kOrbalineProgram[] = "ORBALINE";

// The menu's popups by position.
enum : int {
    kOrbalineSearchPopup = 7,
    kOrbalineHelpPopup = 8,
    kOrbalinePopupCount = 9,
};

// Menu ids the frame and the commands address.
enum : UINT {
    kNewCommand = 4097,
    kOpenCommand = 4098,
    kSaveCommand = 4099,
    kExitCommand = 4102,
    kFirstEditCommand = 8193,
    kReloadChartCommand = 8198,
    kEditorCommand = 8200,
    kSourceListCommand = 12289,
    kFunctionListCommand = 12290,
    kLayoutCommand = 12291,
    kEnvironmentCommand = 16385,
    kStandardColoursCommand = 16387,
    kFirstColourCommand = 16388,
    kLastColourCommand = 16393,
    kNestLevelCommand = 16394,
    kKeywordsCommand = 20481,
    kParametersCommand = 20482,
    kRepairCommand = 20483,
    kGenerateCommand = 20484,
    kErrorsCommand = 20485,
    kIgnoreListCommand = 20486,
    kNamListCommand = 20487,
    kPrintParametersCommand = 24577,
    kPrinterSetupCommand = 24578,
    kPrintFontCommand = 24579,
    kPrintAllCommand = 24580,
    kPrintCoverCommand = 24581,
    kPrintFunctionListCommand = 24582,
    kPrintChartCommand = 24583,
    kPrintSourcesCommand = 24584,
    kHelpCommand = 28673,
    kVersionCommand = 28675,
    kChartSearchCommand = 32769,
    kChartSearchAgainCommand = 32770,
    kOutputParametersCommand = 36865,
    kOutputCommand = 36866,
};

extern const ListWindowProfile kOrbalineErrorWindow;
const ViewerProfile& orbaline_viewer_profile();
// Makes the shared shell ORBALINE's: the profile, the message table and the
// hooks into the chart view and the dispatcher.
void install_orbaline_viewer();

// The shell's document flags follow the chart's (named, loaded, the source).
void sync_document_flags();
// Menus and controls by whether a chart is open.
void set_chart_menus(int has_chart);
// Button 304's caption: "連動[F5]" or "非連動[F5]".
void set_link_caption(bool linked);
// The view's pens and brush made afresh in the settings' colours.
void create_chart_colours();
void free_chart_colours();
// The 標準色 command.
void reset_chart_colours();
// Writes the settings; a failure shows message 727 with the file's name.
bool save_chart_settings();

// A message of the table with its "%s" or "%d" filled ("" for a number
// without text).
std::string message_with_text(int id, std::string_view text);
std::string message_with_number(int id, int number);
