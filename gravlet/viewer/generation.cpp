#include "gravlet/viewer/generation.h"

#include "common/shell/settings_file.h"
#include "common/shell/window/progress_meter.h"
#include "common/text/message_table.h"
#include "common/viewer/generation_run.h"
#include "gravlet/converter/gx1002s.h"
#include "gravlet/pad/settings_layout.h"
#include "gravlet/viewer/gravlet_state.h"

namespace {

std::function<int(int, char**)>& generator_entry() {
    static std::function<int(int, char**)> entry;
    return entry;
}

int call_generator(int argc, char** argv) {
    if (generator_entry()) return generator_entry()(argc, argv);
    return run_pad_generator(argc, argv);
}

// The comment-joining option by the generation form: none, "-g", "-gc",
// "-gl", "-ga", each with the PAD characters and the nest level.
std::string joining_option(int form, int characters, int nest) {
    static constexpr const char* kForms[] = {"", "-g%d:%d", "-gc%d:%d", "-gl%d:%d", "-ga%d:%d"};
    if (form <= 0 || form >= 5) return {};
    return format_text(kForms[form], characters, nest);
}

const char* macro_option(int form) {
    switch (form) {
    case 1: return "-d3";
    case 2: return "-d4";
    case 3: return "-d2";
    default: return "-d0";
    }
}

int convert(const std::string& source, const char* error_file, int* first_status) {
    std::vector<std::string> args = pad_generator_arguments(source, error_file);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int status = call_generator(static_cast<int>(args.size()), argv.data());
    if (first_status != nullptr) *first_status = status;
    return status;
}

}  // namespace

std::vector<std::string> pad_generator_arguments(const std::string& source, const char* error_file) {
    using namespace gx_settings;
    const SettingsRecord& s = shell_settings();
    const int characters = s.word(kPadCharacters);
    const int nest = s.word(kGenerationNestLevel);
    std::string include = format_text("-i%d0", s.word(kIncludeUse));
    // the third use of include files reads both kinds: -i22
    if (include.size() >= 4 && include[2] == '3') include[2] = include[3] = '2';
    std::vector<std::string> args = {"gx1002s", source, "-n", "-v0", "-ucfc", include,
                                     format_text("-X%d", kPadInterfaceCode), "-mf",
                                     format_text("-ti%d", s.word(kDeclarationForm))};
    const std::string joining = joining_option(s.word(kGenerationForm), characters, nest);
    if (!joining.empty()) args.push_back(joining);
    args.push_back(format_text("-c%d", characters));
    args.push_back(format_text("-lm%d", nest));
    args.push_back(macro_option(s.word(kMacroExpansion)));
    args.push_back(format_text("-C%d", s.word(kCasePassForm)));
    args.push_back("-e" + program_file_path(error_file));
    args.push_back(s.text(kGenerationOptions));
    const int special = s.word(kSpecialComments);
    if (special == 1) args.push_back("--");
    if (special == 2) args.push_back("--2");
    return args;
}

int report_generation_progress(const char* item, int permille) { return report_run_progress(item, permille, 1000); }

void set_pad_generator_entry(std::function<int(int, char**)> entry) { generator_entry() = std::move(entry); }

void install_generation_hooks(ViewerHooks& hooks) {
    hooks.convert = convert;
    hooks.run_left_errors = [](bool batch, bool left) {
        (batch ? gravlet().has_batch_error_file : gravlet().has_error_file) = left;
    };
}
