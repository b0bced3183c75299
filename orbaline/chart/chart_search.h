// Searching the chart's node texts for a string, from the row after the
// selection, and searching again from the row after the last hit.
#pragma once

#include "orbaline/chart/chart_session.h"

// Commands 32769 (again 0: asks for the text first) and 32770 (again 1).
// The dialog's result (1 found or not, 0 cancelled as -1), or -1 without a
// chart.
int search_chart(ChartSession& session, int again);

// Searches with the stored text from the stored start row. 1 when a node was
// found and selected, 0 when not (message 715), -1 for an empty text.
int do_chart_search(ChartSession& session);
