// lyg: the layout generator on the command line. Turns a page form into its
// layout records and field positions without the viewer:
//   lyg form.frm -e<error file>
// and exits with the generator's status. The generator's messages (a form
// that is missing, a temporary it cannot make) go to the standard error
// stream, in UTF-8; its step counters are not shown.
#include <cstdio>
#include <string_view>

#include "common/analysis/converter_host.h"
#include "notarix/form/layout_generator.h"
#include "platform/kernel/file_io.h"
#include "platform/user/codec.h"

namespace {

int print_message(const char* item, int /*permille*/) {
    const std::string_view text = item != nullptr ? item : "";
    if (!text.empty() && text.back() == '\n')
        std::fprintf(stderr, "lyg: %s", platform_user::cp932_to_utf8(text).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    ConverterHost host;
    host.report_progress = print_message;
    set_converter_host(&host);
    SystemArguments args(argc, argv);
    const int status = run_layout_generator(args.count(), args.vector());
    set_converter_host(nullptr);
    return status;
}
