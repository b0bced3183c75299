// The process entry of a program: runs its WinMain under the automation
// interface (the script named by PLATFORM_SCRIPT, if any), and without a
// script on the person's desktop. Kept in its own library so that test
// binaries with their own main do not get it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/automation/automation.h"
#include "platform/display/desktop.h"

namespace {

// Exit code of a program that has nowhere to run: no script and no desktop.
constexpr int kNoDesktop = 3;

const char* environment(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

// PLATFORM_SCREEN=WxH; false on a malformed or unreasonable size.
bool read_screen_size(const char* text, int* width, int* height) {
    char tail = 0;
    if (std::sscanf(text, "%dx%d%c", width, height, &tail) != 2) return false;
    return *width >= 320 && *height >= 200 && *width <= 8192 && *height <= 8192;
}

}  // namespace

int main() {
    const bool scripted = environment("PLATFORM_SCRIPT") != nullptr;
    const char* show = environment("PLATFORM_SHOW");
    const bool shown = !scripted || (show && std::strcmp(show, "1") == 0);
    if (const char* size = environment("PLATFORM_SCREEN")) {
        int width = 0, height = 0;
        if (!read_screen_size(size, &width, &height)) {
            std::fprintf(stderr, "platform: PLATFORM_SCREEN=%s is not a screen size such as 1024x768\n", size);
            return kNoDesktop;
        }
        automation::set_screen_size(width, height);
    }
    std::unique_ptr<platform_display::Desktop> desktop;
    if (shown) {
        std::string why = "no display is named (DISPLAY or WAYLAND_DISPLAY)";
        if (platform_display::desktop_named()) desktop = platform_display::open_desktop(!scripted, &why);
        if (!desktop && !scripted) {
            std::fprintf(stderr, "platform: cannot show the program: %s; set PLATFORM_SCRIPT to run it under a script\n",
                         why.c_str());
            return kNoDesktop;
        }
        if (!desktop) std::fprintf(stderr, "platform: PLATFORM_SHOW: %s; the script runs unseen\n", why.c_str());
    }
    return automation::run_main(WinMain);
}
