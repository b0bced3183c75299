// GRAVLET's entry: the platform's main calls it. The work is in the viewer
// library (gravlet/viewer/startup.h), where tests can drive it too.
#include "gravlet/viewer/startup.h"

int WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show) {
    return gravlet_win_main(instance, previous, command_line, show);
}
