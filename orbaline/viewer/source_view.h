// How ORBALINE's source list follows the chart: the selected node names a
// source file and its line; the list shows that line, marked, with the
// function's comment head above it. There is no way back from a line to
// the chart.
#pragma once

#include "common/shell/window/source_list.h"
#include "common/viewer/viewer_profile.h"

// The list shown at the current source line: 0, or -1 when the window is
// closed or nothing is loaded (the list is then cleared).
int follow_chart_source();
// Where the listing of a current line (from 1) starts: the line after the
// comment-head back-up (from 1) and the first shown entry (from 0), for a
// list of `rows` rows.
struct SourceListingStart {
    int first_line = 1;
    int top = 0;
};
SourceListingStart chart_source_start(const SourceText& text, int current_line, int rows);
void install_source_view_hooks(ViewerHooks& hooks);
