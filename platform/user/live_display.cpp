// Which display, if any, shows the virtual screen. Kept apart from the user
// state record: a reset of the windows does not take the screen away.
#include "platform/user/live_display.h"

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
}

void detach_display() {
    attached() = Attached{};
}

LiveDisplay* attached_display() {
    return attached().display;
}

bool person_at_display() {
    return attached().person;
}

}  // namespace platform_user
