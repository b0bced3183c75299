// The dialogs of the generation menu: generation parameters (CNVPRMDLG),
// the keyword file nx1000.kwd (KEYWORDDLG), the common-information file
// nx1000.css (COMPRMDLG) and the batch list with its source chooser
// (CNVLSTDLG, template 750).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/shell/settings_file.h"
#include "platform/user/winuser.h"

// Runs the dialog of that template name (without regard to case):
// CNVPRMDLG 0 取消, 1 登録, 2 生成実行; KEYWORDDLG and COMPRMDLG 0 取消,
// 1 登録; CNVLSTDLG 0 取消, 1 生成実行. -1 for a name that is not one of these.
int run_notarix_dialog(const char* template_name);
bool is_generation_dialog(const char* template_name);

// Makes the dispatcher open these dialogs: its run_dialog entry comes here
// for their names and goes on to the entry it held before for any other.
// Registers the templates too. Call once the command state is reset.
void install_generation_dialogs();

// The keyword file: the keys in the order the file holds them.
inline constexpr int kKeywordCount = 15;
inline constexpr std::array<const char*, kKeywordCount> kKeywordKeys = {
    "NAME",   "FUNCTION",    "PROCESS",     "INPUT",      "OUTPUT",    "UPDATE", "INPUT(EXT)", "OUTPUT(EXT)",
    "UPDATE(EXT)", "RETURN", "REMARKS", "FILE", "PROGRAMMED", "DATE(ORG)", "CALL"};
using KeywordValues = std::array<std::string, kKeywordCount>;

// Reads "key=value" lines into the values of the keys met (a key in any
// case, blanks round key and value dropped); false when the file cannot be
// opened, and then nothing changes.
bool read_keyword_file(const std::string& path, KeywordValues& values);
// 0 written; -1 not created; -2 a write, the close or the replacing failed.
// The old file stays as it was unless the result is 0.
int write_keyword_file(const std::string& path, const KeywordValues& values);

struct CommonInfo {
    std::string system_name;  // SYS
    std::string language;     // LGT
};
bool read_common_info_file(const std::string& path, CommonInfo& info);
int write_common_info_file(const std::string& path, const CommonInfo& info);

// The batch list file: one name a line.
int write_batch_list_file(const std::string& path, const std::vector<std::string>& names);

// The source chooser and its additions to the open batch list dialog.
// add_batch_source: 0 added, -1 refused (the refusal in the status bar when
// report_in_status is set, else in a box).
int add_batch_source(int report_in_status, const std::string& path);
int choose_batch_sources(HWND owner, std::string_view filter);

// Test hook: the file calls of the control-file writers. nullptr restores
// the kernel's calls.
void set_generation_file_calls(const SettingsWriterCalls* calls);
