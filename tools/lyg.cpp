// lyg: the layout generator on the command line. Turns a page form into its
// layout records and field positions without the viewer:
//   lyg form.frm -e<error file>
// and exits with the generator's status. The generator's messages (a form
// that is missing, a temporary it cannot make) go to the standard error
// stream, in UTF-8; its step counters are not shown. A run that stops with
// no message of the generator's (an error file it cannot make, arguments
// it refuses) is worded here.
#include <cstdio>
#include <string>
#include <string_view>

#include "common/analysis/converter_host.h"
#include "notarix/form/layout_generator.h"
#include "platform/kernel/file_io.h"
#include "platform/user/codec.h"

namespace {

bool g_said = false;

int print_message(const char* item, int /*permille*/) {
    const std::string_view text = item != nullptr ? item : "";
    if (!text.empty() && text.back() == '\n') {
        std::fprintf(stderr, "lyg: %s", platform_user::cp932_to_utf8(text).c_str());
        g_said = true;
    }
    return 0;
}

// Says why a run stopped when the generator said nothing, as the generator
// reads the arguments: the last form named and the last "-e" counts.
void tell_silent_failure(int status, const SystemArguments& args) {
    std::string form, error_file;
    bool unknown_option = false;
    for (int i = 1; i < args.count(); ++i) {
        const std::string& a = args[i];
        if (a.empty()) continue;
        if (a[0] != '-') form = a;
        else if (a.size() > 2 && a[1] == 'e') error_file = a.substr(2);
        else unknown_option = true;
    }
    const std::string shown = platform_user::cp932_to_utf8(error_file);
    if (status == kLayoutBadCall && (unknown_option || form.empty())) {
        if (args.count() > 1) std::fputs("usage : lyg <file> [-e<error file>]\n", stderr);
    } else if (status == kLayoutBadCall) {
        std::fprintf(stderr, "lyg: エラーファイル <%s> が入力か出力と同じ名前です。\n", shown.c_str());
    } else if (status == kLayoutErrors && !error_file.empty() && !crt_can_create(error_file.c_str())) {
        std::fprintf(stderr, "lyg: エラーファイル <%s> が書けません。\n", shown.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    ConverterHost host;
    host.report_progress = print_message;
    set_converter_host(&host);
    SystemArguments args(argc, argv);
    const int status = run_layout_generator(args.count(), args.vector());
    set_converter_host(nullptr);
    if (!g_said) tell_silent_failure(status, args);
    return status;
}
