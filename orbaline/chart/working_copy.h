// The working copy "oq$$$$.trd": the open chart is never edited in place.
// Every edit rewrites the working copy through "$$$.trd" in the chart's
// folder, line numbers and scrambling renewed; Save puts the working copy in
// place of the .trd, reloading the chart throws the edits away.
#pragma once

#include <string>
#include <string_view>

#include "orbaline/chart/chart_session.h"

// Copies the chart's lines as they stand (up to the end or an empty line)
// into the working copy: 0, -1 (no path, unreadable, nothing copied) or -3
// (the working copy cannot be written). Message 109 shows meanwhile.
int create_working_copy(ChartSession& session, std::string_view title, std::string_view chart_path);

// Save: the working copy takes the place of the .trd in one rename, then a
// new working copy is made from it. 0, or -3 when the rename fails (the .trd
// and the modified flag stay, the failure is shown) or the new working copy
// cannot be made.
int commit_working_copy(ChartSession& session, std::string_view title);

// The three edits. node_index counts the lines kept so far from 0, header
// lines included, so for a chart with one header line it is the grid row.
// 0, or -1 with the working copy as it was.
int delete_undefined_nodes(ChartSession& session, std::string_view title);
int delete_chart_nodes(ChartSession& session, std::string_view title, bool whole_name, int node_index);
int replace_chart_names(ChartSession& session, std::string_view title, bool whole_name, int node_index,
                        std::string_view new_text);

// Message 4 under "【 モジュール構造図編集 】" with the file; clears the line.
void report_temp_file_error(ChartSession& session, std::string_view path);

// The question before an edit: 2 delete, 3 replace, 4 delete undefined.
// 1 when accepted.
int confirm_chart_edit(ChartSession& session, int kind);

enum ChartEditKind : int {
    kEditDeleteUndefined = 0,
    kEditDeleteOne = 1,
    kEditDeleteName = 2,
    kEditReplaceOne = 3,
    kEditReplaceAll = 4,
    kEditReloadChart = 5,
};

// Commands 8193-8198: the question when the settings ask for it, the edit on
// the selected row, then the grid is loaded again and the view told. The
// replacing text is the one the comment dialog gave. 0 or -1.
int run_chart_edit(ChartSession& session, std::string_view title, int kind, std::string_view new_text = {});

// Command 4099: asks, then commits. 0 done or refused by the user, -1 when
// there is nothing to save.
int save_chart(ChartSession& session, std::string_view title);
