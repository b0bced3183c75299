// The print preview over the frame: opening on the current function, paging
// with its buttons and F1-F4, the jump dialog's refusals, the page box's
// size, a set-up that failed, and closing back to the menu and the page
// view.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/print/print_state.h"
#include "notarix/viewer/print_preview.h"
#include "platform/gdi/drawing_log.h"
#include "platform/kernel/profile.h"
#include "resources/notarix/settings_dialog_templates.h"
#include "tests/notarix_viewer/notarix_fixture.h"

namespace {

// 【 ページジャンプ 】
const std::string kJumpTitle = "\x81y \x83y\x81[\x83W\x83W\x83\x83\x83\x93\x83v \x81z";

class PrintPreviewTest : public NotarixTest {
protected:
    void SetUp() override {
        NotarixTest::SetUp();
        write_raw(dir.path("head.hd2"), "Head\r\nFoot &N &P\r\n");
    }
    void open_document(const std::string& fixture, int pages) {
        generate(fixture);
        ASSERT_TRUE(start());
        ASSERT_TRUE(open_through_menu(dir.path(fixture + ".lin")));
        ASSERT_EQ(document_state().page_count, pages);
        shell_settings().set_text(nx_settings::kPrintHeaderBase, dir.path("head"));
        shell_settings().set_word(nx_settings::kOrientation, 1);
    }
    void open_preview() {
        SendMessageA(frame(), WM_COMMAND, kPreviewCommand, 0);
        automation::run_until_idle();
        ASSERT_TRUE(preview_state().open);
    }
    int page() const { return preview_state().page; }
    HWND preview_button(int n) const { return preview_state().buttons[n]; }
    // The texts drawn into the page box since the log was cleared.
    std::vector<std::string> box_texts() const {
        std::vector<std::string> out;
        for (const DrawingLogEntry& e : drawing_log_entries_for_window(preview_state().chart)) {
            if (e.op == "TextOutA") out.push_back(e.text);
        }
        return out;
    }
    // The last message box, "caption|text" ("" when none was shown).
    static std::string last_box() {
        const auto& boxes = automation::message_boxes();
        return boxes.empty() ? std::string() : boxes.back().caption + "|" + boxes.back().text;
    }
    bool box_shows(const std::string& text) const {
        std::string all;
        for (const std::string& t : box_texts()) all += t;
        return all.find(text) != std::string::npos;
    }
};

TEST_F(PrintPreviewTest, OpensOnTheCurrentFunctionOverTheFrame) {
    open_document("headed", 6);
    for (int i = 0; i < 4; ++i) automation::press_key("F1");
    ASSERT_EQ(document_state().current_page, 4);
    clear_drawing_log();
    open_preview();
    EXPECT_EQ(page(), 4);
    EXPECT_EQ(GetMenu(frame()), nullptr);
    EXPECT_FALSE(IsWindowVisible(shell().control_bar));
    EXPECT_FALSE(IsWindowVisible(shell().chart));
    EXPECT_FALSE(IsWindowVisible(shell().ruler));
    EXPECT_TRUE(IsWindowVisible(shell().status_bar));
    EXPECT_TRUE(IsWindowVisible(preview_state().frame));
    // 次関数(F1) ... 関数
    EXPECT_EQ(text_of(preview_button(0)), "\x8e\x9f\x8a\xd6\x90\x94(F1)");
    EXPECT_EQ(text_of(preview_button(5)), "\x8a\xd6\x90\x94");
    // the fifth function's name and its footer are drawn into the page box
    EXPECT_FALSE(box_texts().empty());
    EXPECT_TRUE(box_shows("Foot"));
    RECT frame_client{}, preview{};
    GetClientRect(frame(), &frame_client);
    GetWindowRect(preview_state().frame, &preview);
    EXPECT_EQ(preview.bottom - preview.top, frame_client.bottom - 19);
    EXPECT_TRUE(automation::capture_png(frame(), dir.path("preview.png")));
}

TEST_F(PrintPreviewTest, TheFooterNumbersTheFunctionShownHoweverOftenPainted) {
    open_document("headed", 6);
    shell_settings().set_word(nx_settings::kPrintFirstPageNumber, 10);
    shell_settings().set_word(nx_settings::kPrintFirstFunction, 2);
    open_preview();
    ASSERT_TRUE(automation::press(preview_button(kPreviewLast)));
    for (int i = 0; i < 3; ++i) InvalidateRect(preview_state().chart, nullptr, TRUE);
    clear_drawing_log();
    UpdateWindow(preview_state().chart);
    paint_preview_page(nullptr);
    // the sixth function, the fifth from the first printed: page 14
    EXPECT_TRUE(box_shows("  14"));
    EXPECT_FALSE(box_shows("  15"));
}

TEST_F(PrintPreviewTest, ButtonsAndFunctionKeysPage) {
    open_document("headed", 6);
    open_preview();
    ASSERT_TRUE(automation::press(preview_button(kPreviewNext)));
    EXPECT_EQ(page(), 1);
    ASSERT_TRUE(automation::press_key("F1"));
    EXPECT_EQ(page(), 2);
    ASSERT_TRUE(automation::press_key("F2"));
    EXPECT_EQ(page(), 1);
    ASSERT_TRUE(automation::press_key("F4"));
    EXPECT_EQ(page(), 5);
    const size_t beeps = automation::beeps().size();
    ASSERT_TRUE(automation::press(preview_button(kPreviewLast)));
    EXPECT_EQ(automation::status_text(), message(604));
    ASSERT_TRUE(automation::press_key("F1"));
    EXPECT_EQ(automation::status_text(), message(604));
    EXPECT_EQ(automation::beeps().size(), beeps + 2);
    ASSERT_TRUE(automation::press(preview_button(kPreviewFirst)));
    EXPECT_EQ(page(), 0);
    ASSERT_TRUE(automation::press_key("F2"));
    EXPECT_EQ(automation::status_text(), message(603));
    // the page view did not move meanwhile
    EXPECT_EQ(document_state().current_page, 0);
}

TEST_F(PrintPreviewTest, ADocumentOfOneFunction) {
    open_document("noretag", 1);
    open_preview();
    clear_drawing_log();
    ASSERT_TRUE(automation::press(preview_button(kPreviewNext)));
    EXPECT_EQ(automation::status_text(), message(604));
    ASSERT_TRUE(automation::press(preview_button(kPreviewLast)));
    EXPECT_EQ(automation::status_text(), message(604));
    ASSERT_TRUE(automation::press(preview_button(kPreviewPrevious)));
    EXPECT_EQ(automation::status_text(), message(603));
    EXPECT_TRUE(box_texts().empty());
    ASSERT_TRUE(automation::press(preview_button(kPreviewFirst)));
    EXPECT_FALSE(box_texts().empty());
}

TEST_F(PrintPreviewTest, TheJumpDialogRefusesNumbersOutsideTheDocument) {
    open_document("headed", 6);
    open_preview();
    // one act at each wait of the dialog's loop: a press takes effect after its act
    std::vector<std::string> seen;
    const auto field = [] { return GetDlgItem(GetActiveWindow(), settings_dialog_templates::kJumpPageId); };
    const auto press_ok_with = [&](const char* typed) {
        SetWindowTextA(field(), typed);
        automation::answer_next_message_box(IDOK);
        automation::press_button(IDOK);
    };
    automation::when_idle([&] {
        seen.push_back(text_of(field()));
        press_ok_with("0");
    });
    automation::when_idle([&] {
        seen.push_back(last_box());
        press_ok_with("7");
    });
    automation::when_idle([&] {
        seen.push_back(last_box());
        SetWindowTextA(field(), "3");
        automation::press_button(IDOK);
    });
    automation::when_idle([&] {
        seen.push_back(std::to_string(page()));
        automation::press_button(IDCANCEL);
    });
    ASSERT_TRUE(automation::press(preview_button(kPreviewJump)));
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0], "1");
    EXPECT_EQ(seen[1], kJumpTitle + "|" + format_text(lookup_message(0), "0"));
    EXPECT_EQ(seen[2], kJumpTitle + "|" + format_text(lookup_message(0), "7"));
    EXPECT_EQ(seen[3], "2");
    EXPECT_EQ(page(), 2);
    EXPECT_TRUE(preview_state().open);
}

TEST_F(PrintPreviewTest, ThePageBoxTakesThePrintersShape) {
    open_document("headed", 6);
    open_preview();
    const PrinterDeviceState& device = print_state().device;
    const int h = device.printer_horzres, v = device.printer_vertres;
    ASSERT_GT(h, 0);
    ASSERT_LT(h, v);  // portrait
    RECT client{};
    GetClientRect(preview_state().frame, &client);
    const double scale = static_cast<double>(client.bottom - 68) / v;
    EXPECT_EQ(preview_state().box_height, static_cast<int>(v * scale));
    EXPECT_EQ(preview_state().box_width, static_cast<int>(h * scale));
    // so small a frame that the box would be under 80 wide
    automation::resize_window(frame(), 120, 300);
    EXPECT_EQ(preview_state().box_width, 40);
}

TEST_F(PrintPreviewTest, WithoutAPrinterTheBoxStaysWhite) {
    open_document("headed", 6);
    WriteProfileStringA("windows", "device", "");
    automation::answer_next_message_box(IDOK);
    clear_drawing_log();
    open_preview();
    EXPECT_EQ(last_box(), "\x88\xf3\x8d\xfc\x8f\x88\x97\x9d\x8f\x89\x8a\xfa\x89\xbb|" + message(305));
    EXPECT_FALSE(preview_state().ready);
    EXPECT_TRUE(box_texts().empty());
    // paging still answers, and still draws nothing but the white box
    ASSERT_TRUE(automation::press(preview_button(kPreviewNext)));
    EXPECT_EQ(page(), 1);
    EXPECT_TRUE(box_texts().empty());
}

TEST_F(PrintPreviewTest, DecliningToGoOnWithoutAHeaderFile) {
    open_document("headed", 6);
    shell_settings().set_text(nx_settings::kPrintHeaderBase, "");
    automation::answer_next_message_box(IDCANCEL);
    clear_drawing_log();
    open_preview();
    // 関数仕様書印刷プレビュー, with OK and Cancel
    ASSERT_FALSE(automation::message_boxes().empty());
    EXPECT_EQ(automation::message_boxes().back().caption,
              "\x8a\xd6\x90\x94\x8e\x64\x97l\x8f\x91\x88\xf3\x8d\xfc\x83v\x83\x8c\x83r\x83\x85\x81[");
    EXPECT_EQ(automation::message_boxes().back().type & 0xF, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_TRUE(box_texts().empty());
}

TEST_F(PrintPreviewTest, ClosingRestoresTheMenuAndTheWindows) {
    open_document("headed", 6);
    HMENU menu = GetMenu(frame());
    open_preview();
    HWND preview = preview_state().frame;
    ASSERT_TRUE(automation::press(preview_button(kPreviewClose)));
    EXPECT_FALSE(preview_state().open);
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_EQ(GetMenu(frame()), menu);
    EXPECT_EQ(shell().owned.preview, nullptr);
    EXPECT_TRUE(IsWindowVisible(shell().control_bar));
    EXPECT_TRUE(IsWindowVisible(shell().chart));
    EXPECT_TRUE(IsWindowVisible(shell().ruler));
    // F1 pages the page view again
    ASSERT_TRUE(automation::press_key("F1"));
    EXPECT_EQ(document_state().current_page, 1);
    // and the preview opens again
    open_preview();
    EXPECT_EQ(page(), 1);
}

TEST_F(PrintPreviewTest, ThePreviewNeedsALoadedDocument) {
    ASSERT_TRUE(start());
    automation::answer_next_message_box(IDOK);
    SendMessageA(frame(), WM_COMMAND, kPreviewCommand, 0);
    EXPECT_FALSE(preview_state().open);
    EXPECT_NE(last_box().find(message(117)), std::string::npos);
}

TEST_F(PrintPreviewTest, ADocumentWithoutPagesHasNoLastPageAndNoNumberToJumpTo) {
    write_raw(dir.path("empty.c"), "");
    write_raw(dir.path("empty.lin"), " [JOV:LIN:V1.00 \nOV:3\nZO:\nOV:4\n");
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_through_menu(dir.path("empty.lin")));
    ASSERT_EQ(document_state().page_count, 0);
    shell_settings().set_text(nx_settings::kPrintHeaderBase, dir.path("head"));
    open_preview();
    EXPECT_TRUE(automation::press(preview_button(kPreviewLast)));
    EXPECT_EQ(automation::status_text(), message(604));
    EXPECT_EQ(page(), 0);
    // every number is outside a document of no pages, 1 as well
    std::vector<std::string> seen;
    const auto field = [] { return GetDlgItem(GetActiveWindow(), settings_dialog_templates::kJumpPageId); };
    automation::when_idle([&] {
        SetWindowTextA(field(), "1");
        automation::answer_next_message_box(IDOK);
        automation::press_button(IDOK);
    });
    automation::when_idle([&] {
        seen.push_back(last_box());
        automation::press_button(IDCANCEL);
    });
    ASSERT_TRUE(automation::press(preview_button(kPreviewJump)));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], kJumpTitle + "|" + format_text(lookup_message(0), "1"));
    EXPECT_EQ(page(), 0);
}

}  // namespace
