#include "notarix/viewer/generation_run.h"

#include "common/analysis/result_files.h"
#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "notarix/converter/nx1011s.h"
#include "notarix/formatter/nx1012.h"
#include "notarix/viewer/commands.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/settings_layout.h"

std::vector<std::string> converter_arguments(const std::string& source, const char* error_file) {
    const SettingsRecord& settings = shell_settings();
    std::string include = format_text("-i%d0", settings.word(nx_settings::kIncludeUse));
    // the third mode reads both kinds of include
    if (include == "-i30") include = "-i22";
    const char* macro = "-d0";
    switch (settings.word(nx_settings::kMacroExpansion)) {
    case 1: macro = "-d3"; break;
    case 2: macro = "-d4"; break;
    case 3: macro = "-d2"; break;
    default: break;
    }
    return {"nx1011s",
            source,
            "-e" + program_file_path(error_file),
            "-v0",
            include,
            macro,
            format_text("-H%d", settings.word(nx_settings::kDeclarationForm)),
            "-mf",
            format_text("-X%d", kFunctionSpecInterfaceCode),
            settings.text(nx_settings::kGenerationOptions)};
}

std::vector<std::string> formatter_arguments(const std::string& source, const char* error_file) {
    const SettingsRecord& settings = shell_settings();
    std::string form = settings.text(nx_settings::kLayoutFile);
    if (!form.empty()) {
        // the form's fields lie beside its layout records
        add_lis_extension(form);
        set_file_extension(form, ".fms");
    }
    return {"nx1012",
            format_text("-s%d", settings.word(nx_settings::kSourceInfoForm) + 1),
            "-c" + settings.text(nx_settings::kCommonInfoFile),
            "-e" + program_file_path(error_file),
            "-f" + form,
            format_text("-X%d", kFormatterInterfaceCode),
            source};
}

int merge_run_statuses(int converter_status, int formatter_status) {
    if (formatter_status == kFormatterTextCut) return kFunctionSpecWarnings;
    if (formatter_status == kFormatterOk && converter_status == kFunctionSpecWarnings) return kFunctionSpecWarnings;
    return formatter_status;
}

int convert_notarix_source(const std::string& source, const char* error_file, int* converter_status) {
    // the function records and the document made from them are one set
    ResultHold hold;
    const int converter = call_converter(run_function_spec_converter, converter_arguments(source, error_file));
    if (converter_status != nullptr) *converter_status = converter;
    if (converter != kFunctionSpecDone && converter != kFunctionSpecWarnings) return converter;
    const int formatter = call_converter(run_spec_formatter, formatter_arguments(source, error_file));
    // without a new document the new records would not match the old one
    if (formatter != kFormatterOk && formatter != kFormatterTextCut) hold.restore();
    return merge_run_statuses(converter, formatter);
}

void install_generation_runs() {
    viewer_hooks().convert = convert_notarix_source;
    viewer_hooks().run_left_errors = [](bool batch, bool left) {
        (batch ? command_state().batch_run_left_errors : command_state().single_run_left_errors) = left;
    };
    command_state().entry.run_generation = run_generation;
    command_state().entry.run_batch_generation = run_batch_generation;
    if (shell().frame_window != nullptr) prepare_run_windows();
}
