#include "orbaline/viewer/orbaline_state.h"

void OrbalineState::reset() { *this = OrbalineState{}; }

OrbalineState& orbaline() {
    static OrbalineState state;
    return state;
}

ChartSession& chart() { return chart_session(); }

const std::string& chart_path() { return chart_session().chart_path; }
