// The process entry of a headless program: runs its WinMain under the
// automation interface (the script named by PLATFORM_SCRIPT, if any). Kept
// in its own library so that test binaries with their own main do not get it.
#include "platform/automation/automation.h"

int main() {
    return automation::run_main(WinMain);
}
