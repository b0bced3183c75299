// Message boxes and beeps. Headless, a message box is a question put to the
// automation interface, which answers for the user.
#include "platform/automation/host.h"
#include "platform/user/user_internal.h"

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (owner && !IsWindow(owner)) owner = nullptr;
    return platform_automation::answer_message_box(owner, text ? text : "", caption ? caption : "Error", type);
}

BOOL MessageBeep(UINT type) {
    platform_automation::record_beep(type);
    return TRUE;
}
