// What the common dialogs share with the shell calls: the error the last
// dialog left and WinHelpA, which has no help viewer behind it: a help file that is not
// there is said in a message box, so that the command visibly answers.
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/automation/automation.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/commdlg.h"
#include "platform/user/common_dialog_window.h"
#include "platform/user/shellapi.h"

namespace {

DWORD last_error = 0;

// The topic a help call looked for, as a person would name it.
std::string help_topic(UINT command, ULONG_PTR data) {
    switch (command) {
    case HELP_FINDER:
        return "トピックの検索"_sjis;
    case HELP_CONTENTS:
        return "目次"_sjis;
    case HELP_HELPONHELP:
        return "ヘルプの使い方"_sjis;
    case HELP_KEY:
        return data ? reinterpret_cast<const char*>(data) : "";
    case HELP_CONTEXT:
        return std::string("コンテキスト番号 "_sjis) + std::to_string(data);
    default:
        return std::string("コマンド "_sjis) + std::to_string(command);
    }
}

}  // namespace

namespace platform_user {

void set_common_dialog_error(DWORD code) {
    last_error = code;
}

}  // namespace platform_user

DWORD CommDlgExtendedError() {
    return last_error;
}

BOOL WinHelpA(HWND window, LPCSTR help_file, UINT command, ULONG_PTR data) {
    automation::record_help_call(help_file, command, data);
    if (command == HELP_QUIT || !help_file || !*help_file || crt_exists(help_file)) return TRUE;
    HWND top = window && IsWindow(window) ? platform_user::top_level_of(window) : nullptr;
    const std::string caption = top ? automation::window_text(top) : "ヘルプ"_sjis;
    const std::string format = "ヘルプ ファイル %s が見つかりません。\nトピック: %s"_sjis;
    const std::string topic = help_topic(command, data);
    // The file as the disk names its folders.
    const std::string given = help_file;
    std::string file;
    for (size_t i = 0; i < given.size();) {
        const size_t next = platform_user::next_char(given, i);
        file += next == i + 1 && given[i] == '\\' ? std::string("/") : given.substr(i, next - i);
        i = next;
    }
    std::vector<char> text(format.size() + file.size() + topic.size() + 1);
    std::snprintf(text.data(), text.size(), format.c_str(), file.c_str(), topic.c_str());
    MessageBoxA(top, text.data(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    return TRUE;
}
