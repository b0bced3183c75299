// The command dispatcher: every menu and accelerator command of the frame
// whose id has a high byte of 0x10 to 0x90. It checks the command's
// preconditions, shows the refusal, and calls the part that does the work.
#pragma once

#include <functional>
#include <string>

#include "platform/user/winuser.h"

// Command ids (the menu "NXW_pad_menu", the print popup and the page keys).
enum : UINT {
    kOpenCommand = 4097,
    kExitCommand = 4099,
    kPrintPopupCommand = 4100,
    kRecentSeparatorId = 4101,
    kFirstRecentCommand = 4102,
    kLastRecentCommand = 4106,
    kFormEditorCommand = 8193,
    kEditorDialogCommand = 8194,
    kStartEditorCommand = 8195,
    kSourceListCommand = 12289,
    kFunctionListCommand = 12290,
    kLayoutCommand = 12291,
    kSummaryCommand = 12292,
    kEnvironmentCommand = 16385,
    kStandardColoursCommand = 16387,
    kFormColourCommand = 16388,
    kPageBackgroundColourCommand = 16389,
    kPageTextColourCommand = 16390,
    kSourceTextColourCommand = 16391,
    kSourceBackgroundColourCommand = 16392,
    kGaugeCommand = 16393,
    kNextPageCommand = 16396,
    kPreviousPageCommand = 16397,
    kFirstPageCommand = 16398,
    kLastPageCommand = 16399,
    kLinkCommand = 16400,
    kJumpCommand = 16401,
    kKeywordsCommand = 20481,
    kCommonInfoCommand = 20482,
    kGenerationParametersCommand = 20483,
    kRunGenerationCommand = 20484,
    kShowGenerationErrorsCommand = 20485,
    kBatchSettingsCommand = 20486,
    kRunBatchCommand = 20487,
    kShowBatchErrorsCommand = 20488,
    kPrintParametersCommand = 24577,
    kPrinterSetupCommand = 24578,
    kPrintFontCommand = 24579,
    kPrintAllCommand = 24580,
    kPrintCoverCommand = 24581,
    kPrintFunctionListCommand = 24582,
    kPrintSummaryCommand = 24583,
    kPrintFunctionPagesCommand = 24584,
    kPrintSourceCommand = 24585,
    kPreviewCommand = 24586,
    kHelpTopicsCommand = 28673,
    kHelpOnHelpCommand = 28674,
    kVersionCommand = 28675,
    kOutputParametersCommand = 36865,
    kRunOutputCommand = 36866,
};

// The work of later parts of the shell. Until a part is there its entry
// shows the "not available yet" notice; tests and those parts replace them.
struct CommandEntryPoints {
    // The generation run on the current source: 0 when it ran.
    std::function<int()> run_generation;
    // The batch run over a list file: 0 after a run, -1 when refused.
    std::function<int(const std::string& list)> run_batch_generation;
    // A dialog by template name ("ENVDLG", "CNVPRMDLG", ...): its result.
    std::function<int(const char* template_name)> run_dialog;
    // Anything else not there yet, by command id.
    std::function<void(UINT id)> not_available;
};

struct CommandState {
    CommandEntryPoints entry;
    bool single_run_left_errors = false;  // the last generation run wrote its error file
    bool batch_run_left_errors = false;
    void reset();
};

CommandState& command_state();

// The notice of a command whose work is not there yet.
void show_not_available(UINT id);

// Returns what callers ignore; -1 when a command is refused.
int dispatch_menu_command(HWND frame, WPARAM id);

// The open flow from its second step (the name chosen, or a recent file).
int open_chosen_document(HWND frame, const std::string& chosen);
