// The platform's state files as the programs read them. Selector 0: the
// registry (registry.txt), read for every window placement of the three
// programs; 1: WIN.INI, read for the default printer (the print's own
// lookup and the printer dialog's) and listed section by section. Neither
// file may be rewritten by a read.
#include <algorithm>

#include "common/print/print_state.h"
#include "common/print/printer_device.h"
#include "common/shell/window_placement.h"
#include "platform/kernel/global_memory.h"
#include "platform/kernel/profile.h"
#include "platform/kernel/registry.h"
#include "platform/user/commdlg.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void read_placements() {
    for (const char* key : {"Software\\KRT Notarix95", "Software\\KRT Gravlet95", "Software\\KRT Orbaline95"}) {
        for (int kind = 0; kind < kWindowKindCount; ++kind) {
            WindowPlacement placement;
            load_window_placement(PlacementProfile{key}, kind, placement);
        }
    }
    if (platform_open_registry_keys() != 0) fuzz::finding("a registry key left open");
}

void read_win_ini() {
    print_state().reset();
    print_state().host.notify = print_state().host.warn = [](std::string_view, std::string_view) {};
    if (open_preview_dc(nullptr) == 0) release_preview_dc();
    delete_setup_printer_dc();
    print_state().reset();

    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (PrintDlgA(&dialog)) {
        if (dialog.hDC != nullptr) DeleteDC(dialog.hDC);
        GlobalFree(dialog.hDevMode);
        GlobalFree(dialog.hDevNames);
    }

    std::vector<char> buffer(4096);
    const auto get = [&](const char* section, const char* key, DWORD size) {
        return GetProfileStringA(section, key, "", buffer.data(), size);
    };
    get(nullptr, nullptr, 3);
    const std::string sections(buffer.data(), get(nullptr, nullptr, 4096));
    for (size_t at = 0, end = 0; at < sections.size(); at = end + 1) {
        end = std::min(sections.find('\0', at), sections.size());
        const std::string section = sections.substr(at, end - at);
        get(section.c_str(), nullptr, 4096);
        get(section.c_str(), "device", 2);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::Scratch scratch;
    const int reader = fuzz::select(data, size, 2);
    scratch.write_input(reader == 0 ? "registry.txt" : "WIN.INI", fuzz::as_text(data, size));
    if (reader == 0) {
        read_placements();
    } else {
        read_win_ini();
    }
    fuzz::check_closed();
    scratch.check_inputs();
    return 0;
}
