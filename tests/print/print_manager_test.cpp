// The print manager: jobs become PDF files of the right paper and
// orientation, the drawing operations leave the expected calls in the
// drawing log, and every failed or aborted job ends with its result and
// nothing left open.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/print/print_primitives.h"
#include "platform/gdi/gdi_support.h"
#include "platform/automation/automation.h"
#include "platform/kernel/global_memory.h"
#include "platform/kernel/profile.h"
#include "platform/user/commdlg.h"
#include "platform/user/winuser.h"
#include "tests/common/pdf_pages.h"
#include "tests/print/print_fixture.h"

namespace {

// 印刷処理初期化; プリンタの設定を行ってください。; 印刷を開始できませんでした。
constexpr char kNotarixCaption[] = "\x88\xf3\x8d\xfc\x8f\x88\x97\x9d\x8f\x89\x8a\xfa\x89\xbb";
constexpr char kBracketedCaption[] =
    "\x81\x79\x20\x88\xf3\x8d\xfc\x8f\x88\x97\x9d\x8f\x89\x8a\xfa\x89\xbb\x20\x81\x7a";
constexpr char kGothicFace[] = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";  // ＭＳ ゴシック

class PrintManagerTest : public PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        objects_before_ = gdi_live_object_count();
        dcs_before_ = gdi_live_dc_count();
    }

    // The printer calls of the log, by operation.
    std::vector<DrawingLogEntry> calls(const std::string& op) const {
        std::vector<DrawingLogEntry> out;
        for (const DrawingLogEntry& e : drawing_log_entries()) {
            if (e.dc_kind == DcKind::Printer && e.op == op) out.push_back(e);
        }
        return out;
    }

    // Nothing of the job is left but the context kept for later jobs.
    void expect_nothing_left_open() {
        EXPECT_EQ(gdi_live_object_count(), objects_before_);
        const PrinterDeviceState& d = print_state().device;
        EXPECT_EQ(d.pen, nullptr);
        EXPECT_EQ(d.font, nullptr);
        EXPECT_EQ(d.clip, nullptr);
        EXPECT_EQ(d.dc, nullptr);
        delete_setup_printer_dc();
        EXPECT_EQ(gdi_live_dc_count(), dcs_before_);
    }

    // A job that opens, draws a box and ends well.
    void expect_clean_job() {
        set_print_job(1, 1);
        ASSERT_EQ(open_printer_dc(), 0);
        ASSERT_EQ(prn_begin_job(), 0);
        EXPECT_EQ(prn_draw_box(100, 100, 500, 500), 0);
        EXPECT_EQ(prn_end_job(), 0);
        ASSERT_FALSE(print_job_records().empty());
        EXPECT_FALSE(print_job_records().back().aborted);
        EXPECT_TRUE(std::filesystem::exists(print_job_records().back().path));
    }

    size_t objects_before_ = 0, dcs_before_ = 0;
};

TEST_F(PrintManagerTest, TwoPageJobToPdf) {
    set_print_job(1, 0);
    ASSERT_EQ(open_printer_dc(), 0);
    ASSERT_EQ(prn_begin_job(), 0);
    print_state().job.job_kind = 0;
    EXPECT_EQ(prn_set_char_pitch(80, 40, 80), 0);
    EXPECT_EQ(prn_set_line_width(3), 0);
    EXPECT_EQ(prn_draw_box(400, 400, 2000, 1200), 0);
    EXPECT_EQ(prn_set_corner_radius(12), 0);
    EXPECT_EQ(prn_draw_round_box(2400, 400, 4000, 1200), 0);
    EXPECT_EQ(prn_draw_box(4400, 400, 6000, 1200), 0);
    EXPECT_EQ(prn_set_line_type(7), 0);
    EXPECT_EQ(prn_draw_line(400, 1600, 4000, 1600), 0);
    EXPECT_EQ(prn_move_to(1600, 400), 0);
    EXPECT_EQ(prn_write("ABC"), 0);
    EXPECT_EQ(prn_set_enlarged_text(1), 0);
    EXPECT_EQ(prn_write("\x8a\x67\x91\xe5"), 0);  // 拡大
    EXPECT_EQ(prn_set_enlarged_text(0), 0);
    // Only what lies left of the clip's right edge is printed.
    EXPECT_EQ(gdi_set_clip_rect(400, 2400, 2000, 2600), 0);
    EXPECT_EQ(prn_draw_line(400, 3000, 8000, 3000), 0);
    EXPECT_EQ(gdi_clear_clip(), 0);
    EXPECT_EQ(prn_write("\x0c"), 0);
    // Page two in the Gothic face, character by character on the pitch.
    std::snprintf(print_state().device.own_font.lfFaceName, LF_FACESIZE, "%s", kGothicFace);
    print_state().job.job_kind = -1;
    EXPECT_EQ(prn_set_char_size(100, 100), 0);
    EXPECT_EQ(prn_move_to(400, 400), 0);
    EXPECT_EQ(prn_write("\x8a\xd6\x90\x94" "A"), 0);  // 関数A
    EXPECT_EQ(prn_end_job(), 0);

    const std::vector<PrintJobRecord> jobs = print_job_records();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].path.rfind(home() + "/print/job-", 0), 0u) << jobs[0].path;
    EXPECT_EQ(jobs[0].document_name, "NXW32_print[c:\\work\\sample.lin]");
    EXPECT_EQ(jobs[0].pages, 2);
    const PdfPages pages = pdf_pages(read_raw(jobs[0].path));
    EXPECT_EQ(pages.count, 2);
    ASSERT_FALSE(pages.boxes.empty());
    for (const auto& [w, h] : pages.boxes) {
        EXPECT_NEAR(w, 841.9, 0.5);  // A4 across
        EXPECT_NEAR(h, 595.3, 0.5);
    }

    // Boxes and lines stand 10 units above their y; the pen is 6 units wide.
    const auto boxes = calls("Rectangle");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].logical, (std::vector<POINT>{{400, 390}, {2000, 1190}}));
    EXPECT_NE(boxes[0].params.find("pen=solid,6,#000000 brush=null"), std::string::npos) << boxes[0].params;
    EXPECT_EQ(boxes[1].logical, (std::vector<POINT>{{4400, 390}, {6000, 1190}}));
    const auto round = calls("RoundRect");
    ASSERT_EQ(round.size(), 1u);
    EXPECT_EQ(round[0].logical, (std::vector<POINT>{{2400, 390}, {4000, 1190}, {24, 24}}));
    const auto lines = calls("LineTo");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].logical, (std::vector<POINT>{{400, 1590}, {4000, 1590}}));
    EXPECT_NE(lines[0].params.find("pen=solid,6"), std::string::npos);
    // 8080 units across the 6816 dots of the printable area: the logical
    // page fills it.
    EXPECT_EQ(lines[1].device[1].x, 6749);

    const auto texts = calls("TextOutA");
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0].text, "ABC");
    EXPECT_EQ(texts[0].logical[0].x, 400);
    EXPECT_EQ(texts[0].logical[0].y, 1690);  // cell row 1600 + 80, then 10 below
    EXPECT_EQ(texts[0].page, 1);
    EXPECT_NE(texts[0].params.find("font=IPAMincho,80,40,"), std::string::npos) << texts[0].params;
    // The enlarged text: one and a half times the base, the line 10 higher.
    EXPECT_EQ(texts[1].logical[0].x, 520);
    EXPECT_EQ(texts[1].logical[0].y, 1680);
    EXPECT_NE(texts[1].params.find("font=IPAMincho,120,60,"), std::string::npos) << texts[1].params;
    // Page two starts from the base size, in Gothic; the character whose
    // first byte has index i stands i pitches of 39 units on.
    EXPECT_EQ(texts[2].page, 2);
    EXPECT_EQ(texts[2].text, "\x8a\xd6");
    EXPECT_EQ(texts[3].text, "\x90\x94");
    EXPECT_EQ(texts[4].text, "A");
    EXPECT_NE(texts[2].params.find("font=IPAGothic,78,39,"), std::string::npos) << texts[2].params;
    EXPECT_EQ(texts[2].logical[0], (POINT{400, 470}));
    EXPECT_EQ(texts[3].logical[0], (POINT{478, 470}));
    EXPECT_EQ(texts[4].logical[0], (POINT{556, 470}));
    expect_nothing_left_open();
}

TEST_F(PrintManagerTest, ClipKeepsOnlyTheLeftOfItsRightEdge) {
    set_print_job(1, 0);
    ASSERT_EQ(open_printer_dc(), 0);
    HDC dc = print_state().device.dc;
    gdi_set_clip_rect(400, 2400, 2000, 2600);
    RECT box{};
    GetClipBox(dc, &box);
    // Everything above and below stays; the right edge is x 2000.
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_NEAR(box.right, 2000, 2);
    EXPECT_NEAR(box.bottom, 5680, 2);
    gdi_clear_clip();
    GetClipBox(dc, &box);
    EXPECT_NEAR(box.right, 8080, 2);
    EXPECT_EQ(prn_end_job(), 0);
    expect_nothing_left_open();
}

TEST_F(PrintManagerTest, PortraitMapsTheTallLogicalPage) {
    set_print_job(1, 1);
    ASSERT_EQ(open_printer_dc(), 0);
    SIZE window{}, viewport{};
    GetWindowExtEx(print_state().device.dc, &window);
    GetViewportExtEx(print_state().device.dc, &viewport);
    EXPECT_EQ(window.cx, 5680);
    EXPECT_EQ(window.cy, 8080);
    EXPECT_EQ(viewport.cx, 4761);  // A4 portrait at 600 dots an inch, inside its edges
    EXPECT_EQ(viewport.cy, 6816);
    EXPECT_EQ(prn_end_job(), 0);
    const PdfPages pages = pdf_pages(read_raw(print_job_records().back().path));
    ASSERT_EQ(pages.count, 1);
    EXPECT_NEAR(pages.boxes[0].first, 595.3, 0.5);
    // The same printer turns with the next job's orientation.
    set_print_job(1, 0);
    ASSERT_EQ(open_printer_dc(), 0);
    GetWindowExtEx(print_state().device.dc, &window);
    EXPECT_EQ(window.cx, 8080);
    EXPECT_EQ(GetDeviceCaps(print_state().device.dc, HORZRES), 6816);
    EXPECT_EQ(prn_end_job(), 0);
}

// Once the set-up dialog has been answered, its paper stays but the sheet
// turns with each job's orientation, whichever way the dialog left it.
TEST_F(PrintManagerTest, SetUpPaperTurnsWithTheJob) {
    struct Case {
        short dialog_orientation;
        short paper;
        int job_orientation;  // 0 landscape, 1 portrait, 2 any other value
        double width, height;  // points
    };
    const Case cases[] = {
        {DMORIENT_PORTRAIT, DMPAPER_A4, 0, 841.9, 595.3},  {DMORIENT_PORTRAIT, DMPAPER_A4, 1, 595.3, 841.9},
        {DMORIENT_LANDSCAPE, DMPAPER_A4, 1, 595.3, 841.9}, {DMORIENT_LANDSCAPE, DMPAPER_A4, 2, 595.3, 841.9},
        {DMORIENT_PORTRAIT, DMPAPER_B4, 0, 1031.8, 728.5}, {DMORIENT_LANDSCAPE, DMPAPER_B4, 1, 728.5, 1031.8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "paper " << c.paper << " dialog " << c.dialog_orientation << " job "
                                        << c.job_orientation);
        PRINTDLGA& pd = print_state().device.setup_record();
        pd.hDevMode = GlobalAlloc(GHND, sizeof(DEVMODEA));
        auto* mode = static_cast<DEVMODEA*>(GlobalLock(pd.hDevMode));
        mode->dmSize = sizeof(DEVMODEA);
        mode->dmFields = DM_PAPERSIZE;
        mode->dmPaperSize = c.paper;
        GlobalUnlock(pd.hDevMode);
        automation::CommonDialogAnswer answer;
        answer.kind = automation::CommonDialogKind::printer;
        answer.orientation = c.dialog_orientation;
        automation::answer_next_common_dialog(answer);
        const DWORD flags = pd.Flags;
        pd.Flags |= PD_PRINTSETUP;
        ASSERT_TRUE(PrintDlgA(&pd));
        pd.Flags = flags;
        ASSERT_NE(pd.hDC, nullptr);

        set_print_job(1, c.job_orientation);
        ASSERT_EQ(open_printer_dc(), 0);
        const bool wide = c.width > c.height;
        EXPECT_EQ(GetDeviceCaps(print_state().device.dc, HORZRES) > GetDeviceCaps(print_state().device.dc, VERTRES),
                  wide);
        EXPECT_EQ(prn_draw_box(100, 100, 500, 500), 0);
        EXPECT_EQ(prn_end_job(), 0);
        const PdfPages pages = pdf_pages(read_raw(print_job_records().back().path));
        ASSERT_EQ(pages.boxes.size(), 1u);
        EXPECT_NEAR(pages.boxes[0].first, c.width, 0.5);
        EXPECT_NEAR(pages.boxes[0].second, c.height, 0.5);
        delete_setup_printer_dc();
        GlobalFree(pd.hDevMode);
        GlobalFree(pd.hDevNames);
        pd.hDevMode = pd.hDevNames = nullptr;
    }
    expect_nothing_left_open();
}

TEST_F(PrintManagerTest, FontPenAndTextRules) {
    set_print_job(1, 0);
    ASSERT_EQ(open_printer_dc(), 0);
    PrinterDeviceState& d = print_state().device;
    gdi_set_char_scale(200, 200);
    gdi_create_font(0, 78, 0);
    EXPECT_EQ(d.font_height, 150);
    EXPECT_EQ(d.font_width, 75);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(d.dc, sizeof face, face);
    EXPECT_STREQ(face, "\x82\x6c\x82\x72 \x96\xbe\x92\xa9");  // ＭＳ 明朝, its blank a single byte
    gdi_set_char_scale(100, 100);
    // styles 1 to 4 are dashed; any other is solid
    const int styles[][2] = {{0, 0}, {1, 1}, {4, 4}, {5, 0}, {7, 0}};
    for (const auto& [style, kept] : styles) {
        gdi_set_pen_style(style);
        EXPECT_EQ(d.pen_style, kept) << style;
    }
    gdi_set_pen_style(3);
    gdi_set_line_width(3);
    EXPECT_EQ(d.pen_width, 6);
    // "ABC" then CR LF: one cell down, back to x 0, nothing after the CR drawn.
    print_state().job.job_kind = 0;
    gdi_move_to(800, 200);
    clear_drawing_log();
    gdi_write_lines("ABC\r\nDEF");
    EXPECT_EQ(d.x, 0);
    EXPECT_EQ(d.y, 960);
    ASSERT_EQ(calls("TextOutA").size(), 1u);
    EXPECT_EQ(calls("TextOutA")[0].text, "ABC");
    // More line ends than ten all count.
    std::string ends = "X";
    for (int i = 0; i < 12; ++i) ends += "\r\n";
    gdi_write_lines(ends);
    EXPECT_EQ(d.y, 960 + 12 * 80);
    // Pitched text of a function page steps the cell width + 2; the large
    // scale puts the text above its row.
    print_state().job.job_kind = -1;
    print_state().job.page_text = 1;
    clear_drawing_log();
    gdi_text_out_at(100, 1000, "ab");
    gdi_set_char_scale(200, 200);
    gdi_text_out_at(100, 1000, "ab");
    const auto texts = calls("TextOutA");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].logical[0], (POINT{100, 990}));
    EXPECT_EQ(texts[1].logical[0], (POINT{142, 990}));
    EXPECT_EQ(texts[2].logical[0], (POINT{100, 1000 - 13 - 80 - 10}));
    EXPECT_EQ(prn_end_job(), 0);
    expect_nothing_left_open();
}

TEST_F(PrintManagerTest, GravletsEnlargedFontKeepsTheLine) {
    print_state().host.profile = &kGravletPrintProfile;
    set_print_job(1, 0);
    ASSERT_EQ(open_printer_dc(), 0);
    gdi_move_to(800, 200);
    gdi_set_enlarged_font(1);
    EXPECT_EQ(print_state().device.y, 880);
    EXPECT_EQ(print_state().device.font_height, 117);  // 78 / 2 * 3
    EXPECT_EQ(prn_end_job(), 0);
    EXPECT_EQ(print_job_records().back().document_name, "GXW32_print[c:\\work\\sample.lin]");
    print_state().host.profile = &kNotarixPrintProfile;
    ASSERT_EQ(open_printer_dc(), 0);
    gdi_move_to(800, 200);
    gdi_set_enlarged_font(1);
    EXPECT_EQ(print_state().device.y, 870);
    EXPECT_EQ(prn_end_job(), 0);
}

TEST_F(PrintManagerTest, NoPrinterConfigured) {
    ASSERT_TRUE(WriteProfileStringA("windows", "device", nullptr));
    set_print_job(1, 0);
    EXPECT_EQ(open_printer_dc(), -2);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].first, kNotarixCaption);
    EXPECT_EQ(boxes_[0].second, "\x83\x76\x83\x8a\x83\x93\x83\x5e\x82\xcc\x90\xdd\x92\xe8\x82\xf0\x8d\x73\x82\xc1\x82"
                                "\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42");
    // A line without its port is no printer either; ORBALINE's box is bracketed.
    ASSERT_TRUE(WriteProfileStringA("windows", "device", "PDF Printer,pdfdriver"));
    print_state().host.profile = &kOrbalinePrintProfile;
    EXPECT_EQ(open_printer_dc(), -2);
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[1].first, kBracketedCaption);
    EXPECT_TRUE(print_job_records().empty());
    expect_nothing_left_open();
    // A line with blanks after its commas names the same printer.
    ASSERT_TRUE(WriteProfileStringA("windows", "device", "PDF Printer, pdfdriver, LPT1:"));
    expect_clean_job();
}

TEST_F(PrintManagerTest, StartDocFailing) {
    write_raw(home() + "/print", "a file where the print directory should be");
    set_print_job(1, 0);
    EXPECT_EQ(open_printer_dc(), -2);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].second,
              "\x88\xf3\x8d\xfc\x82\xf0\x8a\x4a\x8e\x6e\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42");
    expect_nothing_left_open();
    std::filesystem::remove(home() + "/print");
    expect_clean_job();
}

TEST_F(PrintManagerTest, StartPageFailing) {
    set_print_job(1, 0);
    fail_next_print_call("StartPage");
    EXPECT_EQ(open_printer_dc(), -2);
    ASSERT_EQ(boxes_.size(), 1u);
    // The started document was aborted: no file is kept.
    ASSERT_EQ(print_job_records().size(), 1u);
    EXPECT_TRUE(print_job_records()[0].aborted);
    EXPECT_FALSE(std::filesystem::exists(print_job_records()[0].path));
    expect_nothing_left_open();
    expect_clean_job();
}

// A job the print manager could not take, or one the program gave up, is
// taken back whole: no file in the print folder, not even an empty one, and
// the printer takes the next job.
TEST_F(PrintManagerTest, FailedJobsAreTakenBackWhole) {
    struct Case {
        const char* what;
        const char* failing_call;  // fail_next_print_call before the job's end
        bool full_disk;            // the print folder takes no writes
        bool second_page;          // a form feed before the end
        bool abandoned;            // the program gives the job up
    };
    const Case cases[] = {
        {"EndDoc refused", "EndDoc", false, false, false},
        {"EndPage refused at the end", "EndPage", false, false, false},
        {"EndPage refused at a form feed", "EndPage", false, true, false},
        {"full print folder", nullptr, true, false, false},
        {"full print folder, two pages", nullptr, true, true, false},
        {"given up before its end", nullptr, false, true, true},
    };
    for (const Case& c : cases) {
        clear_print_job_records();
        if (c.full_disk) crt_set_full_disk(".pdf");
        set_print_job(1, 0);
        ASSERT_EQ(open_printer_dc(), 0) << c.what;
        ASSERT_EQ(prn_begin_job(), 0) << c.what;
        EXPECT_EQ(prn_draw_box(100, 100, 500, 500), 0) << c.what;
        if (c.second_page && c.failing_call) fail_next_print_call(c.failing_call);
        if (c.second_page) prn_write("");
        if (!c.second_page && c.failing_call) fail_next_print_call(c.failing_call);
        EXPECT_EQ(c.abandoned ? prn_abandon_job() : prn_end_job(), -1) << c.what;
        crt_set_full_disk(nullptr);
        ASSERT_EQ(print_job_records().size(), 1u) << c.what;
        EXPECT_TRUE(print_job_records()[0].aborted) << c.what;
        EXPECT_EQ(print_folder_files(), std::vector<std::string>{}) << c.what;
        EXPECT_TRUE(boxes_.empty()) << c.what;
        // the same printer context serves the next job
        expect_clean_job();
        std::filesystem::remove(print_job_records().back().path);
        expect_nothing_left_open();
    }
}

TEST_F(PrintManagerTest, JobAbortedFromItsAbortProcedure) {
    CancelWindow meter(abort_);
    const size_t objects = gdi_live_object_count();

    set_print_job(1, 0);
    ASSERT_EQ(open_printer_dc(), 0);
    ASSERT_EQ(prn_begin_job(), 0);
    prn_draw_box(100, 100, 500, 500);
    // Cancel is pressed while the page goes to the print manager.
    meter.press();
    EXPECT_EQ(prn_write("\x0c"), -1);
    EXPECT_TRUE(abort_);
    PrinterPrimitives printer;
    EXPECT_FALSE(printer.keep_going());
    EXPECT_EQ(prn_end_job(), -1);
    ASSERT_EQ(print_job_records().size(), 1u);
    EXPECT_TRUE(print_job_records()[0].aborted);
    EXPECT_FALSE(std::filesystem::exists(print_job_records()[0].path));
    EXPECT_EQ(gdi_live_object_count(), objects);
    expect_nothing_left_open();
    expect_clean_job();
}

TEST_F(PrintManagerTest, PreviewDrawsOnTheWindowsContext) {
    set_print_job(1, 0);
    ASSERT_EQ(open_preview_dc(nullptr), 0);
    EXPECT_EQ(print_state().device.printer_horzres, 6816);
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(memory, 420, 300);
    HGDIOBJ old = SelectObject(memory, bitmap);
    map_preview_dc(memory, 420, 300);
    gdi_set_char_cell(80, 40, 80);
    clear_drawing_log();
    // A form feed only resets the page state in the preview.
    gdi_move_to(800, 400);
    EXPECT_EQ(gdi_write_text("\x0c"), 0);
    EXPECT_EQ(print_state().device.y, 81);
    EXPECT_TRUE(print_job_records().empty());
    gdi_move_to(800, 400);
    gdi_write_text("AB");
    // Character by character at the font's width, 10 below the row.
    std::vector<DrawingLogEntry> texts;
    for (const DrawingLogEntry& e : drawing_log_entries()) {
        if (e.op == "TextOutA") texts.push_back(e);
    }
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].logical[0], (POINT{400, 890}));
    EXPECT_EQ(texts[1].logical[0], (POINT{440, 890}));
    // In the preview the clip is the whole rectangle.
    gdi_set_clip_rect(400, 410, 2000, 1010);
    RECT box{};
    GetClipBox(memory, &box);
    EXPECT_NEAR(box.left, 400, 30);
    EXPECT_NEAR(box.top, 400, 30);
    EXPECT_NEAR(box.right, 2000, 30);
    EXPECT_NEAR(box.bottom, 1000, 30);
    release_preview_dc();
    EXPECT_EQ(print_state().device.font, nullptr);
    EXPECT_EQ(print_state().device.clip, nullptr);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    expect_nothing_left_open();
}

TEST_F(PrintManagerTest, PageRecordsThroughThePrinter) {
    set_print_job(1, 1);
    ASSERT_EQ(open_printer_dc(), 0);
    ASSERT_EQ(prn_begin_job(), 0);
    const std::vector<std::string> records = {"OV:3", "ZO:", "PP:82,110", "SP:82,90", "LW:2", "BR:50",
                                              "BX:1,1,3,5", "BX:4,1,6,5", "MV:1,7,16", "ST:AB", "ZC:"};
    LineListRecordSource source(records);
    PageRecordState geometry;
    ReplayOptions options;
    options.grid_records = true;
    PrinterPrimitives printer;
    clear_drawing_log();
    EXPECT_EQ(replay_page_records(source, geometry, printer, options), kReplayPageEnd);
    EXPECT_EQ(print_state().job.overlay, 3);
    // The page cell of PP:82,110 on the portrait page is 99 x 51; BR:50 of
    // the text cell (99 high) is a radius of 49 for the first box only.
    const auto round = calls("RoundRect");
    ASSERT_EQ(round.size(), 1u);
    EXPECT_EQ(round[0].logical, (std::vector<POINT>{{25, 39}, {229, 237}, {98, 98}}));
    EXPECT_EQ(calls("Rectangle").size(), 1u);
    EXPECT_NE(round[0].params.find("pen=solid,4"), std::string::npos);
    // The text stands one cell below its anchor, its characters on the
    // form's pitch (the text cell's width 63, less 1).
    const auto texts = calls("TextOutA");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].logical[0], (POINT{765, 584}));
    EXPECT_EQ(texts[1].logical[0], (POINT{765 + 62, 584}));
    EXPECT_EQ(prn_end_job(), 0);
}

}  // namespace
