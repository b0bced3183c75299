// NOTARIX's dialogs of the generation menu: its own generation parameters
// (CNVPRMDLG) and common-information file nx1000.css (COMPRMDLG), and the
// shared keyword file (KEYWORDDLG) and batch list with its source chooser
// (CNVLSTDLG, template 750) over NOTARIX's templates.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/shell/settings_file.h"
#include "common/viewer/shell_dialogs.h"
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

struct CommonInfo {
    std::string system_name;  // SYS
    std::string language;     // LGT
};
bool read_common_info_file(const std::string& path, CommonInfo& info);
int write_common_info_file(const std::string& path, const CommonInfo& info);
