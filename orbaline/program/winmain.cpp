// ORBALINE's entry: the platform's main calls it. The work is in the viewer
// library (orbaline/viewer/startup.h), where tests can drive it too.
#include "orbaline/viewer/startup.h"

int WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show) {
    return orbaline_win_main(instance, previous, command_line, show);
}
