// Labels fit their controls: the fit check finds a text cut by its control
// as the control lays it out (a button's width inside its edge, a check
// box's beside its box, a wrapping static's lines in its height), and no
// dialog template of NOTARIX has such a text in the desktop's dialog font.
#include "platform/user/commctrl.h"
#include "resources/common/shell_dialog_templates.h"
#include "resources/notarix/generation_dialog_templates.h"
#include "resources/notarix/settings_dialog_templates.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

INT_PTR quiet_proc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

class TextFitTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        ASSERT_NE(register_recording_class("Recorder"), 0);
        frame = make_frame("Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    }
    HWND open(const DialogTemplate& t) {
        return CreateDialogIndirectParamA(nullptr, &t, frame, quiet_proc, 0);
    }
    static std::string joined(const std::vector<std::string>& lines) {
        std::string out;
        for (const std::string& l : lines) out += l + "\n";
        return out;
    }
    HWND frame = nullptr;
};

TEST_F(TextFitTest, TheCheckFindsTextsTheirControlsCut) {
    // 漢字漢字漢字 is six full-width characters: 72 pixels in the 9-point font
    const char* six = "\x8a\xbf\x8e\x9a\x8a\xbf\x8e\x9a\x8a\xbf\x8e\x9a";
    const DialogItemTemplate items[] = {
        {"STATIC", six, 10, 4, 4, 44, 8, SS_LEFTNOWORDWRAP},          // 77 pixels: fits
        {"STATIC", six, 11, 4, 14, 40, 8, SS_LEFTNOWORDWRAP},         // 70 pixels: cut
        {"STATIC", six, 12, 4, 24, 24, 8, SS_LEFT},                   // wraps to 3 lines in one line's height
        {"STATIC", six, 13, 4, 34, 24, 24, SS_LEFT},                  // wraps, and has room for the lines
        {"BUTTON", six, 14, 4, 60, 44, 14, BS_PUSHBUTTON},            // 77 less the edge: 71, cut
        {"BUTTON", six, 15, 4, 76, 50, 14, BS_PUSHBUTTON},            // 88 less the edge: fits
        {"BUTTON", six, 16, 4, 92, 50, 10, BS_AUTOCHECKBOX},          // 88 less the box: cut
        {"BUTTON", six, 17, 4, 104, 56, 10, BS_AUTOCHECKBOX},         // 98 less the box: fits
        {"BUTTON", six, 18, 60, 4, 50, 40, BS_GROUPBOX},              // 88 less both insets: fits
        {"BUTTON", six, 19, 60, 50, 48, 40, BS_GROUPBOX},             // 84 less both insets: cut
        {"BUTTON", "FLDER", 20, 60, 96, 8, 14, BS_OWNERDRAW},         // draws no text
    };
    const DialogTemplate t{"FITDLG", DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 200, 130, "fit", 9,
                           nullptr, nullptr, nullptr, items};
    HWND dialog = open(t);
    ASSERT_NE(dialog, nullptr);
    std::vector<std::string> cut = automation::clipped_texts(dialog);
    ASSERT_EQ(cut.size(), 5u) << joined(cut);
    const char* ids[] = {"11 ", "12 ", "14 ", "16 ", "19 "};
    for (size_t i = 0; i < cut.size(); ++i) EXPECT_EQ(cut[i].rfind(ids[i], 0), 0u) << cut[i];
    EXPECT_NE(cut[1].find("needs 36 x 24 pixels, has 42 x 12"), std::string::npos) << cut[1];
    DestroyWindow(dialog);
}

TEST_F(TextFitTest, EveryNotarixTemplateFitsItsLabels) {
    std::vector<const DialogTemplate*> templates;
    for (const DialogTemplate& t : settings_dialog_templates::kDialogs) templates.push_back(&t);
    for (const DialogTemplate& t : generation_dialog_templates::kDialogs) templates.push_back(&t);
    for (const DialogTemplate& t : shell_dialog_templates::kDialogs) templates.push_back(&t);
    ASSERT_GE(templates.size(), 12u);
    for (const DialogTemplate* t : templates) {
        HWND dialog = open(*t);
        ASSERT_NE(dialog, nullptr) << t->name;
        EXPECT_EQ(joined(automation::clipped_texts(dialog)), "") << t->name;
        // the standard values the print dialog writes at run time fit as well
        if (HWND standard = GetDlgItem(dialog, settings_dialog_templates::kStandardCharsId)) {
            SetWindowTextA(standard, "\x95W\x8f\x80(198)");  // 標準(198)
            EXPECT_EQ(joined(automation::clipped_texts(dialog)), "") << t->name;
        }
        DestroyWindow(dialog);
    }
}

}  // namespace
