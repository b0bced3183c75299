// lyg: the layout generator on the command line. Turns a page form into its
// layout records and field positions without the viewer:
//   lyg form.frm -e<error file>
// and exits with the generator's status.
#include "notarix/form/layout_generator.h"
#include "platform/kernel/file_io.h"

int main(int argc, char** argv) {
    SystemArguments args(argc, argv);
    return run_layout_generator(args.count(), args.vector());
}
