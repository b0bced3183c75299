// ORBALINE's generation runs: the tree run that makes the chart of a .nam
// list and the order repair that rewrites the list in call order, both
// calling the call-tree generator in process; the checks before them, the
// staleness check made when a chart is opened, the progress the generator
// reports and the texts of its statuses.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/shell/settings_file.h"

// Before a tree run: the modified chart's question, the list's sources,
// the settings written with the chart's name. 0 go on, -1 stop.
int confirm_generation();
// The same before an order repair, without the question.
int prepare_nam_order_repair();
// 0 when the list and every source it names exist, -1 (after a notice) not.
int check_nam_list();
// 0 the chart is up to date, 1 it must be generated (a notice was shown),
// -1 the list is missing.
int check_chart_stale(const std::string& path);

// The argument vectors, from the settings and the program directory.
std::vector<std::string> tree_run_arguments(const SettingsRecord& settings, const std::string& program_directory,
                                            const std::string& list_path);
std::vector<std::string> repair_run_arguments(const SettingsRecord& settings, const std::string& program_directory,
                                              const std::string& list_path);

// The runs: the generator's status, 9 given as 0.
int run_tree_generation();
int run_nam_order_repair();

// The generator's progress hook: -1 once the meter's cancel was pressed.
int report_tree_progress(const char* text, int value);

// The message-line text of a status: kind 0 order repair, 1 tree run. Sets
// the last-run error flag for 0, 9 and 10.
std::string generation_result_text(int kind, int status);

// Tests: the generator in place of the built-in one (empty: the built-in).
void set_tree_generator_entry(std::function<int(int, char**)> entry);
