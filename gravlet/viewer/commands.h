// GRAVLET's command dispatcher: every command of the menu "GXW_PAD_MENU" and
// of the recent-file entries. It checks a command's preconditions, shows the
// refusal, and calls the part that does the work; printing and the text
// output are entry points their own modules fill.
#pragma once

#include <functional>
#include <string>

#include "platform/user/winuser.h"

// ORDER ID: the commands in the order of their ids.
enum : UINT {
    kOpenCommand = 4097,
    kPrintParametersCommand = 4098,
    kPrinterSetupCommand = 4099,
    kPrintFontCommand = 4101,
    kPrintAllCommand = 4102,
    kPrintCoverCommand = 4103,
    kPrintFunctionListCommand = 4104,
    kPrintPadCommand = 4105,
    kPrintSourceCommand = 4106,
    kExitCommand = 4107,
    kFirstRecentCommand = 4109,
    kLastRecentCommand = 4113,
    kEditorDialogCommand = 8193,
    kStartEditorCommand = 8194,
    kSourceListCommand = 12289,
    kFunctionListCommand = 12290,
    kLayoutCommand = 12291,
    kEnvironmentCommand = 12292,
    kStandardColoursCommand = 12294,
    kPadLineColourCommand = 12295,
    kPadBackgroundColourCommand = 12296,
    kPadTextColourCommand = 12297,
    kPadNumberColourCommand = 12298,
    kSourceTextColourCommand = 12299,
    kSourceBackgroundColourCommand = 12300,
    kRulerCommand = 12301,
    kKeywordsCommand = 20481,
    kGenerationParametersCommand = 20482,
    kGenerateCommand = 20483,
    kShowGenerationErrorsCommand = 20484,
    kBatchSettingsCommand = 20485,
    kRunBatchCommand = 20486,
    kShowBatchErrorsCommand = 20487,
    kHelpTopicsCommand = 28673,
    kHelpOnHelpCommand = 28674,
    kVersionCommand = 28675,
    kOutputParametersCommand = 36865,
    kRunOutputCommand = 36866,
};

// The list print jobs by kind.
enum ListPrintKind : int { kPrintFunctionList = 0, kPrintSource = 1, kPrintCover = 2 };

// The work of the printing and output modules. Until one is there its
// entry shows the "not available yet" notice.
struct GravletEntryPoints {
    std::function<int(int kind)> list_print;          // a list print job: its result
    std::function<int()> pad_print_job;                // the PAD print job: its result
    std::function<void(int result)> show_print_status;
    std::function<int(const std::string& name)> pad_output;  // the PAD text output: its result
    std::function<void(int result)> report_output;
};

struct GravletCommandState {
    GravletEntryPoints entry;
    std::string output_name;  // the text output's file, kept while the program runs
    void reset();
};
GravletCommandState& gravlet_commands();

// Returns what callers ignore; -1 when a command refuses to act.
int dispatch_menu_command(HWND frame, WPARAM id);

// The open steps from a chosen name (the open command, a recent file).
int open_chosen_source(HWND frame, const std::string& chosen);
// The generation command's steps: run, open the new PAD, show it.
int run_generation_command();
// Runs a dialog of GRAVLET's by template name: its result, or -1 when the
// name is none of them.
int run_gravlet_dialog(const char* template_name);
