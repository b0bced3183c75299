// Which display, if any, shows the virtual screen. Kept apart from the user
// state record: a reset of the windows does not take the screen away.
#include "platform/user/live_display.h"

#include "platform/kernel/clock.h"

namespace platform_user {

namespace {

struct Attached {
    LiveDisplay* display = nullptr;
    bool person = false;
};

Attached& attached() {
    static Attached a;
    return a;
}

}  // namespace

void attach_display(LiveDisplay* display, bool person) {
    attached() = Attached{display, display && person};
    // A person's held button repeats in real time; a script's by its steps.
    platform_run_ticks(attached().person);
}

void detach_display() {
    attached() = Attached{};
    platform_run_ticks(false);
}

LiveDisplay* attached_display() {
    return attached().display;
}

bool person_at_display() {
    return attached().person;
}

}  // namespace platform_user
