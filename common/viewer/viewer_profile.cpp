#include "common/viewer/viewer_profile.h"

namespace {

const ViewerProfile* g_profile = nullptr;

}  // namespace

const ViewerProfile& viewer_profile() {
    // before a program sets its own: names nothing, so nothing is found
    static const ViewerProfile empty;
    return g_profile != nullptr ? *g_profile : empty;
}

ViewerHooks& viewer_hooks() {
    static ViewerHooks hooks;
    return hooks;
}

void set_viewer_profile(const ViewerProfile& profile) { g_profile = &profile; }
