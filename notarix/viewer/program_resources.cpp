// Registers the tables of resources/notarix with the platform, as a
// resource compiler would have linked them into the executable.
#include "notarix/viewer/startup.h"
#include "platform/user/resources.h"
#include "resources/notarix/notarix_resources.h"

void register_notarix_resources() {
    // once per process: the tables outlive every test's platform reset
    if (find_menu_resource("NXW_pad_menu") == &notarix_resources::kMenus[0]) return;
    register_program_resources(&notarix_resources::kTable);
}
