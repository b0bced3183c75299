// The single and batch generation runs, worked as a user would: the
// generation command, the meter's cancel, the result box and the error window.

#include "notarix/viewer/generation_run.h"

#include <filesystem>
#include <map>

#include "common/text/file_names.h"
#include "common/text/text_helpers.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "notarix_fixture.h"
#include "platform/kernel/file_io.h"
#include "tests/common/rights.h"

namespace {

const char kGenerateCaption[] = "\x81\x79\x20\x90\xb6\x90\xac\x20\x81\x7a";                          // 【 生成 】
const char kBatchCaption[] = "\x81\x79\x20\x88\xea\x8a\x87\x90\xb6\x90\xac\x20\x81\x7a";              // 【 一括生成 】
const char kBatchRunCaption[] = "\x81\x79\x20\x88\xea\x8a\x87\x90\xb6\x90\xac\x8e\xc0\x8d\x73\x20\x81\x7a";  // 【 一括生成実行 】
const char kResultPrefix[] = "\x90\xb6\x90\xac\x81\x46";                                             // 生成：
const char kGenerationWork[] = "\x90\xb6\x90\xac\x8f\x88\x97\x9d";                                   // 生成処理
const char kBatchErrorTitle[] = "\x88\xea\x8a\x87\x90\xb6\x90\xac\x83G\x83\x89\x81[\x95\x5c\x8e\xa6";  // 一括生成エラー表示
// インクルードファイルがありません。
const char kNoIncludeText[] =
    "\x83\x43\x83\x93\x83\x4e\x83\x8b\x81\x5b\x83\x68\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x82\xa0\x82\xe8\x82"
    "\xdc\x82\xb9\x82\xf1\x81\x42";
// Ｃソースファイルではありません。
const char kNotCSourceText[] =
    "\x82\x62\x83\x5c\x81\x5b\x83\x58\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82"
    "\xb9\x82\xf1\x81\x42";

// ファイルが書けません。
const char kCannotWriteText[] = "\x83t\x83@\x83\x43\x83\x8b\x82\xaa\x8f\x91\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x81\x42";
// 【 関数仕様書読み込み確認 】
const char kOpenCheckCaption[] =
    "\x81\x79\x20\x8a\xd6\x90\x94\x8e\x64\x97\x6c\x8f\x91\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x8a\x6d\x94\x46\x20\x81\x7a";
// 関数の数が1000を超えています。 1001番目以降の関数は関数仕様書にありません。 表示できる最後の関数（%s）
const char kTooManyFunctions[] = "\x8a\xd6\x90\x94\x82\xcc\x90\x94\x82\xaa\x31\x30\x30\x30\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42";
const char kLeftOutOfDocument[] = "\x31\x30\x30\x31\x94\xd4\x96\xda\x88\xc8\x8d\x7e\x82\xcc\x8a\xd6\x90\x94\x82\xcd\x8a\xd6\x90\x94\x8e\x64\x97\x6c\x8f\x91\x82\xc9\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42";
const char kLastShownFormat[] = "\x95\x5c\x8e\xa6\x82\xc5\x82\xab\x82\xe9\x8d\xc5\x8c\xe3\x82\xcc\x8a\xd6\x90\x94\x81\x69%s\x81\x6a";
// ファイル読み込み
const char kReadFileCaption[] = "\x83t\x83@\x83\x43\x83\x8b\x93\xc7\x82\xdd\x8d\x9e\x82\xdd";

class GenerationRunTest : public NotarixTest {
protected:
    // A settings word changed in the file the program reads at start.
    void use_setting(const SettingsField& field, int value) {
        SettingsRecord record(kNotarixSettings);
        record.set_standard_values();
        record.set_word(field, value);
        write_settings(std::vector<uint8_t>(record.bytes().begin(), record.bytes().end()));
    }

    // Copies a file (or a folder) of the test data into dir.
    std::string copy_data(const std::string& name) {
        const std::string from = std::string(TEST_DATA_DIR) + "/generation_run/" + name;
        std::filesystem::copy(from, dir.path(name), std::filesystem::copy_options::recursive);
        return dir.path(name);
    }

    // Starts the program with the runs installed; each run's result and the
    // status text it left (before the document is reopened) are recorded.
    bool start_runs() {
        if (!start()) return false;
        install_generation_runs();
        std::function<int()> installed = command_state().entry.run_generation;
        command_state().entry.run_generation = [this, installed] {
            const int r = installed();
            runs.push_back({r, automation::status_text()});
            return r;
        };
        return true;
    }

    struct Run {
        int result;
        std::string status_text;
    };
    std::vector<Run> runs;

    // Opens a source that has no document yet: the open flow's notice, then
    // a run.
    bool open_new_source(const std::string& source) {
        automation::answer_next_message_box(IDOK);
        return open_through_menu(source);
    }

    static automation::WindowSpec meter_cancel_button() {
        automation::WindowSpec wanted;
        wanted.kind = automation::WindowSpec::Kind::class_name;
        wanted.text = "NXWMETER";
        wanted.ids = {kMeterCancelId};
        return wanted;
    }

    static std::string lower(std::string text) {
        to_lower_ascii(text);
        return text;
    }

    std::string counter_text() const { return text_of(shell().counter_box); }
};

TEST_F(GenerationRunTest, VectorsFollowTheSettings) {
    reset_shell_settings(kNotarixSettings);
    SettingsRecord& s = shell_settings();
    s.set_standard_values();
    document_state().program_directory = "c:\\krt";
    using V = std::vector<std::string>;
    EXPECT_EQ(converter_arguments("a.c", kSingleRunErrorFile),
              (V{"nx1011s", "a.c", "-ec:\\krt\\nx1000.err", "-v0", "-i00", "-d0", "-H0", "-mf", "-X8417", ""}));
    EXPECT_EQ(formatter_arguments("a.c", kSingleRunErrorFile),
              (V{"nx1012", "-s3", "-cnx1000.css", "-ec:\\krt\\nx1000.err", "-f", "-X8417", "a.c"}));

    s.set_word(nx_settings::kIncludeUse, 3);  // both include modes
    s.set_word(nx_settings::kDeclarationForm, 1);
    s.set_word(nx_settings::kSourceInfoForm, 0);
    s.set_text(nx_settings::kGenerationOptions, "-DDEBUG");
    s.set_text(nx_settings::kLayoutFile, "c:\\forms\\page");
    const V converter = converter_arguments("b.c", kBatchFileErrorFile);
    EXPECT_EQ(converter[2], "-ec:\\krt\\nx1000.erw");
    EXPECT_EQ(converter[4], "-i22");
    EXPECT_EQ(converter[6], "-H1");
    EXPECT_EQ(converter[9], "-DDEBUG");
    const V formatter = formatter_arguments("b.c", kBatchFileErrorFile);
    EXPECT_EQ(formatter[1], "-s1");
    EXPECT_EQ(formatter[4], "-fc:\\forms\\page.fms");
    s.set_text(nx_settings::kLayoutFile, "c:\\forms\\page.lis");
    EXPECT_EQ(formatter_arguments("b.c", kBatchFileErrorFile)[4], "-fc:\\forms\\page.fms");

    const std::pair<int, const char*> macros[] = {{0, "-d0"}, {1, "-d3"}, {2, "-d4"}, {3, "-d2"}};
    for (const auto& [choice, element] : macros) {
        s.set_word(nx_settings::kMacroExpansion, choice);
        EXPECT_EQ(converter_arguments("a.c", kSingleRunErrorFile)[5], element) << choice;
    }
    s.set_word(nx_settings::kIncludeUse, 2);
    EXPECT_EQ(converter_arguments("a.c", kSingleRunErrorFile)[4], "-i20");
}

TEST_F(GenerationRunTest, StatusesAndTheirTexts) {
    EXPECT_EQ(merge_run_statuses(0, 0), 0);
    EXPECT_EQ(merge_run_statuses(0, 8), 9);  // a cut field text is a warning
    EXPECT_EQ(merge_run_statuses(9, 0), 9);
    EXPECT_EQ(merge_run_statuses(9, 8), 9);
    EXPECT_EQ(merge_run_statuses(9, 20), 20);
    EXPECT_EQ(report_generation_result(0), message(406));
    EXPECT_EQ(report_generation_result(9), message(408));
    EXPECT_EQ(report_generation_result(10), message(400));
    EXPECT_EQ(report_generation_result(12), format_text(message(403).c_str(), 12));
    EXPECT_EQ(report_generation_result(-1), message(202));
    // 生成内部処理エラー[00ff]
    EXPECT_EQ(report_generation_result(255),
              "\x90\xb6\x90\xac\x93\xe0\x95\x94\x8f\x88\x97\x9d\x83\x47\x83\x89\x81\x5b[00ff]");
}

TEST_F(GenerationRunTest, NothingChosenIsRefused) {
    ASSERT_TRUE(start_runs());
    EXPECT_EQ(run_generation(), -1);
    EXPECT_EQ(automation::status_text(), message(117));
    EXPECT_EQ(automation::beeps().size(), 1u);
    document_state().file_name = "x.lin";  // a name but no source
    EXPECT_EQ(run_generation(), -1);
    EXPECT_FALSE(progress_meter().open);
}

TEST_F(GenerationRunTest, CommandMakesTheDocumentAndShowsItsFirstPage) {
    const std::string source = copy_data("lookup.c");
    ASSERT_TRUE(start_runs());
    ASSERT_TRUE(open_new_source(source));
    ASSERT_TRUE(document_state().loaded);
    const int pages = document_state().page_count;
    ASSERT_GT(pages, 0);

    write_raw(source, read_raw(source) + "\nint added(void)\n{\n    return 0;\n}\n");
    automation::press_key("F1");  // away from the first page
    ASSERT_TRUE(automation::choose_menu_command(kRunGenerationCommand));

    const DocumentState& d = document_state();
    EXPECT_TRUE(d.loaded);
    EXPECT_GT(d.page_count, pages);
    EXPECT_EQ(d.current_page, 0);
    EXPECT_EQ(counter_text(), format_text("%4d/%-4d", 1, d.page_count));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].result, 0);
    EXPECT_EQ(runs[1].status_text, message(406));
    EXPECT_EQ(automation::message_boxes().size(), 1u);  // only the open flow's notice
    EXPECT_FALSE(progress_meter().open);
    EXPECT_FALSE(d.busy);
    EXPECT_FALSE(popup_greyed(kViewPopup));
    EXPECT_FALSE(command_state().single_run_left_errors);
    EXPECT_NE(read_raw(dir.path("lookup.flt")).find("added"), std::string::npos);
}

TEST_F(GenerationRunTest, MissingIncludeGivesWarningsAndTheErrorWindow) {
    use_setting(nx_settings::kIncludeUse, 2);  // a missing quoted include is a warning
    const std::string source = copy_data("noheader.c");
    ASSERT_TRUE(start_runs());
    automation::answer_next_message_box(IDOK);  // the open flow's notice
    automation::answer_next_message_box(IDOK);  // look at the warnings
    ASSERT_TRUE(open_new_source(source));

    ASSERT_EQ(automation::message_boxes().size(), 2u);
    EXPECT_EQ(automation::message_boxes()[1].caption, kGenerateCaption);
    EXPECT_EQ(automation::message_boxes()[1].text, message(408) + "\n" + message(409));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].result, 0);  // warnings count as success
    EXPECT_EQ(runs[0].status_text, kResultPrefix + message(408));
    ASSERT_TRUE(generation_error_window().is_open());
    EXPECT_EQ(automation::control_items(generation_error_window().list()),
              std::vector<std::string>{"noheader.c  (   2) : W118 : " + std::string(kNoIncludeText) + "absent.h"});
    EXPECT_TRUE(command_state().single_run_left_errors);
    // warnings still give the document, and the result is kept
    EXPECT_TRUE(document_state().loaded);
    EXPECT_EQ(shell_settings().word(nx_settings::kLastGenerationStatus), 9);
}

TEST_F(GenerationRunTest, UnmatchedBraceGivesErrors) {
    const std::string source = copy_data("unmatched.c");
    ASSERT_TRUE(start_runs());
    DocumentState& d = document_state();
    d.source_name = d.file_name = source;
    automation::answer_next_message_box(IDCANCEL);
    EXPECT_EQ(run_generation(), 10);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].caption, kGenerateCaption);
    EXPECT_EQ(automation::status_text(), kResultPrefix + message(400));
    EXPECT_FALSE(generation_error_window().is_open());  // declined
    EXPECT_FALSE(std::filesystem::exists(dir.path("unmatched.lin")));
    EXPECT_TRUE(command_state().single_run_left_errors);
    EXPECT_EQ(shell_settings().word(nx_settings::kLastGenerationStatus), 10);
    EXPECT_FALSE(d.busy);
    EXPECT_FALSE(popup_greyed(kFilePopup));
}

TEST_F(GenerationRunTest, CancelFromTheMeterKeepsTheEarlierDocument) {
    const std::string source = copy_data("lookup.c");
    ASSERT_TRUE(start_runs());
    ASSERT_TRUE(open_new_source(source));
    ASSERT_TRUE(document_state().loaded);
    const std::string earlier = read_raw(dir.path("lookup.lin"));
    const int pages = document_state().page_count;

    write_raw(source, read_raw(source) + "\nint added(void)\n{\n    return 0;\n}\n");
    automation::press_at_peek(2, meter_cancel_button());
    ASSERT_TRUE(automation::choose_menu_command(kRunGenerationCommand));

    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].result, 10);
    EXPECT_EQ(runs[1].status_text, format_text(message(802).c_str(), kGenerationWork));
    EXPECT_EQ(read_raw(dir.path("lookup.lin")), earlier);
    EXPECT_TRUE(document_state().loaded);
    EXPECT_EQ(document_state().page_count, pages);
    EXPECT_EQ(automation::message_boxes().size(), 1u);  // no error window offered
    EXPECT_FALSE(generation_error_window().is_open());
    EXPECT_FALSE(progress_meter().open);
    EXPECT_FALSE(document_state().busy);
    EXPECT_FALSE(popup_greyed(kFilePopup));
}

// A document the formatter cannot write (a full disk under its work file)
// leaves the function records and the document as they were, all old; a run
// that goes through makes them all new.
TEST_F(GenerationRunTest, AFormatterThatCannotWriteKeepsTheSetTogether) {
    const std::string source = copy_data("lookup.c");
    ASSERT_TRUE(start_runs());
    const char* const set[] = {"lookup.fss", "lookup.fsm", "lookup.flt", "lookup.lin"};
    const auto files = [&] {
        std::map<std::string, std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.path().extension() != ".c" && entry.path().extension() != ".err")
                found[entry.path().filename().string()] = read_raw(entry.path().string());
        return found;
    };
    const auto generate_on_full_disk = [&] {
        crt_set_full_disk(".lnt");
        const int status = convert_notarix_source(source, kSingleRunErrorFile, nullptr);
        crt_set_full_disk(nullptr);
        return status;
    };
    const auto before_any = files();
    EXPECT_EQ(generate_on_full_disk(), kFormatterIoError);
    EXPECT_EQ(files(), before_any);  // no earlier set: none is left

    ASSERT_EQ(convert_notarix_source(source, kSingleRunErrorFile, nullptr), 0);
    const auto earlier = files();
    for (const char* name : set) EXPECT_EQ(earlier.count(name), 1u) << name;
    write_raw(source, read_raw(source) + "\nint added(void)\n{\n    return 0;\n}\n");
    EXPECT_EQ(generate_on_full_disk(), kFormatterIoError);
    EXPECT_EQ(files(), earlier);

    ASSERT_EQ(convert_notarix_source(source, kSingleRunErrorFile, nullptr), 0);
    const auto later = files();
    for (const char* name : set) EXPECT_NE(later.at(name), earlier.at(name)) << name;
}

// Files that cannot be made or read are named: a results folder that takes
// no new file (the work file in the error file, E058), a program folder
// that takes none (the error file in the box), a document that cannot be
// read or is a folder (message 100 with its name).
TEST_F(GenerationRunTest, FilesThatCannotBeMadeOrReadAreNamed) {
    ASSERT_TRUE(start_runs());
    RightsBind rights;
    ASSERT_TRUE(rights.binds());
    const std::string lookup = read_raw(std::string(TEST_DATA_DIR) + "/generation_run/lookup.c");
    const auto chosen = [](std::string path) {
        to_lower_ascii(path);  // as the open dialog gives it
        return path;
    };
    const auto last_box = [] { return automation::message_boxes().back(); };

    // the results folder
    const std::string in_shut = dir.path("shut");
    std::filesystem::create_directory(in_shut);
    write_raw(in_shut + "/a.c", lookup);
    {
        TakenRights shut(in_shut, TakenRights::kReadOnlyFolder);
        automation::answer_next_message_box(IDOK);  // look at the errors
        ASSERT_TRUE(open_new_source(in_shut + "/a.c"));
    }
    EXPECT_EQ(last_box().text, message(408) + "\n" + message(409));
    ASSERT_TRUE(generation_error_window().is_open());
    const std::vector<std::string> lines = automation::control_items(generation_error_window().list());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(" : E058 : "), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(chosen(in_shut + "/a.$ts")), std::string::npos) << lines[0];

    // the program folder, without an error file of an earlier run
    std::filesystem::remove(program.path("nx1000.err"));
    write_raw(dir.path("b.c"), lookup);
    {
        TakenRights shut(program.path(), TakenRights::kReadOnlyFolder);
        automation::answer_next_message_box(IDOK);  // the notice, then the box that names the file
        automation::answer_next_message_box(IDOK);
        ASSERT_TRUE(open_through_menu(dir.path("b.c")));
    }
    EXPECT_EQ(last_box().caption, kGenerateCaption);
    EXPECT_EQ(last_box().text, std::string(kCannotWriteText) + "\n" + program_file_path(kSingleRunErrorFile));

    // documents that cannot be read
    write_raw(dir.path("c.c"), lookup);
    ASSERT_TRUE(open_new_source(dir.path("c.c")));
    ASSERT_TRUE(document_state().loaded);
    write_raw(dir.path("d.c"), lookup);
    std::filesystem::create_directory(dir.path("d.lin"));
    for (const char* name : {"c", "d"}) {
        const std::string document = dir.path(std::string(name) + ".lin");
        TakenRights unreadable(document, TakenRights::kUnreadableFile);
        const size_t boxes = automation::message_boxes().size();
        automation::answer_next_message_box(IDOK);
        ASSERT_TRUE(open_through_menu(dir.path(std::string(name) + ".c")));
        ASSERT_EQ(automation::message_boxes().size(), boxes + 1) << name;
        EXPECT_EQ(last_box().caption, kReadFileCaption) << name;
        EXPECT_EQ(last_box().text, message(100) + "\n" + format_text(message(101).c_str(), chosen(document).c_str()));
        EXPECT_FALSE(document_state().loaded) << name;
    }
}

// A document newer than its source that is no document (or one of another
// version) is said to be so, as a missing one is, and made again.
TEST_F(GenerationRunTest, ADocumentThatIsNotOneIsMadeAgain) {
    ASSERT_TRUE(start_runs());
    const std::string lookup = read_raw(std::string(TEST_DATA_DIR) + "/generation_run/lookup.c");
    const std::pair<const char*, int> rows[] = {{"garbage\r\nZC:\r\n", 205}, {" [JOV:LIN:V2.00 \r\nZC:\r\n", 1}};
    int n = 0;
    for (const auto& [bytes, why] : rows) {
        const std::string name = "foreign" + std::to_string(n++);
        write_raw(dir.path(name + ".c"), lookup);
        write_raw(dir.path(name + ".lin"), bytes);
        const size_t shown = automation::message_boxes().size();
        ASSERT_TRUE(open_new_source(dir.path(name + ".c")));
        ASSERT_EQ(automation::message_boxes().size(), shown + 1) << bytes;
        EXPECT_EQ(automation::message_boxes()[shown].caption, kOpenCheckCaption) << bytes;
        EXPECT_EQ(automation::message_boxes()[shown].text, message(why) + "\n" + message(504)) << bytes;
        EXPECT_TRUE(document_state().loaded) << bytes;
        EXPECT_EQ(runs.back().status_text, message(406)) << bytes;
        EXPECT_NE(read_raw(dir.path(name + ".lin")), bytes) << bytes;
    }
}

// The document shows 1,000 functions: a source with more is told after its
// generation (a warning and the status) which is the last one shown.
TEST_F(GenerationRunTest, FunctionsPastTheThousandthAreTold) {
    ASSERT_TRUE(start_runs());
    for (const int count : {1000, 1001}) {
        std::string text;
        for (int i = 1; i <= count; ++i) text += "int f" + std::to_string(i) + "(void)\n{\n    return 0;\n}\n";
        const std::string source = dir.path("many" + std::to_string(count) + ".c");
        write_raw(source, text);
        const size_t shown = automation::message_boxes().size();
        if (count > 1000) automation::answer_next_message_box(IDOK);  // after the open flow's notice: the warning
        ASSERT_TRUE(open_new_source(source));
        EXPECT_EQ(document_state().page_count, 1000) << count;
        EXPECT_EQ(counter_text(), format_text("%4d/%-4d", 1, 1000)) << count;
        const auto& boxes = automation::message_boxes();
        if (count == 1000) {
            EXPECT_EQ(boxes.size(), shown + 1) << "only the open flow's notice";
            EXPECT_EQ(automation::status_text(), "");
            continue;
        }
        ASSERT_EQ(boxes.size(), shown + 2);
        EXPECT_EQ(boxes.back().caption, kGenerateCaption);
        EXPECT_EQ(boxes.back().text, std::string(kTooManyFunctions) + "\n" + kLeftOutOfDocument + "\n" +
                                         format_text(kLastShownFormat, "f1000"));
        EXPECT_EQ(automation::status_text(), std::string(kLeftOutOfDocument) + format_text(kLastShownFormat, "f1000"));
    }
}

TEST_F(GenerationRunTest, BatchLogsTheFailingFileAndReportsTheWorstStatus) {
    copy_data("batch");
    ASSERT_TRUE(start_runs());
    const std::string before = std::filesystem::current_path();
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(run_batch_generation(dir.path("batch/batch.nam")), 0);

    EXPECT_TRUE(std::filesystem::exists(dir.path("batch/first.lin")));
    EXPECT_FALSE(std::filesystem::exists(dir.path("batch/second.lin")));
    EXPECT_TRUE(std::filesystem::exists(dir.path("batch/sub/third.lin")));
    const std::string log = read_raw(program.path("nx1000.erl"));
    const std::string header = lower(dir.path("batch/second.c")) + ":\r\n";
    ASSERT_EQ(log.rfind(header, 0), 0u) << log;
    EXPECT_EQ(log.substr(header.size()), read_raw(std::string(TEST_DATA_DIR) + "/generation_run/second.erl"));
    EXPECT_FALSE(std::filesystem::exists(program.path("nx1000.erw")));

    EXPECT_EQ(automation::status_text(), message(400));  // errors outweigh the clean files
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].caption, kBatchCaption);
    ASSERT_TRUE(generation_error_window().is_open());
    EXPECT_EQ(text_of(generation_error_window().window()), kBatchErrorTitle);
    EXPECT_EQ(automation::control_items(generation_error_window().list()).size(), 2u);
    EXPECT_TRUE(command_state().batch_run_left_errors);
    EXPECT_EQ(shell_settings().word(nx_settings::kLastGenerationStatus), 10);
    EXPECT_EQ(std::string(std::filesystem::current_path()), before);
    EXPECT_FALSE(document_state().busy);
}

// Warnings alone report warnings; errors outweigh warnings in either order.
TEST_F(GenerationRunTest, BatchOfWarningsAndErrorsReportsTheWorse) {
    use_setting(nx_settings::kIncludeUse, 2);  // a missing quoted include is a warning
    copy_data("noheader.c");
    copy_data("unmatched.c");
    ASSERT_TRUE(start_runs());
    const struct {
        const char* list;
        int text;
        int status;
    } cases[] = {{"noheader.c\r\n", 408, 9}, {"unmatched.c\r\nnoheader.c\r\n", 400, 10}};
    for (const auto& c : cases) {
        write_raw(dir.path("run.nam"), c.list);
        automation::answer_next_message_box(IDCANCEL);
        EXPECT_EQ(run_batch_generation(dir.path("run.nam")), 0);
        EXPECT_EQ(automation::status_text(), message(c.text)) << c.list;
        EXPECT_EQ(shell_settings().word(nx_settings::kLastGenerationStatus), c.status) << c.list;
    }
}

TEST_F(GenerationRunTest, BatchWhoseEveryLineIsSkippedStillOffersItsLog) {
    const std::string current = copy_data("lookup.c");
    write_raw(dir.path("notes.txt"), "not a source\n");
    write_raw(dir.path("skip.nam"), "lookup.c\r\ngone.c  \r\n\r\nnotes.txt\r\n");
    ASSERT_TRUE(start_runs());
    document_state().source_name = current;
    automation::answer_next_message_box(IDCANCEL);
    EXPECT_EQ(run_batch_generation(dir.path("skip.nam")), 0);

    EXPECT_EQ(read_raw(program.path("nx1000.erl")),
              format_text("%-14s : %s\r\n", lower(current).c_str(), message(518).c_str()) +
                  format_text("%-14s : %s\r\n", "gone.c", message(106).c_str()) +
                  format_text("%-14s : %s\r\n", "notes.txt", kNotCSourceText));
    EXPECT_FALSE(std::filesystem::exists(dir.path("lookup.lin")));
    // no result text: the status bar keeps the last refusal
    EXPECT_EQ(automation::status_text(), format_text(message(414).c_str(), "notes.txt"));
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].caption, kBatchCaption);
    EXPECT_TRUE(command_state().batch_run_left_errors);
}

TEST_F(GenerationRunTest, BatchListRefusals) {
    ASSERT_TRUE(start_runs());
    EXPECT_EQ(run_batch_generation(""), -1);
    EXPECT_EQ(run_batch_generation("*.*"), -1);
    EXPECT_EQ(run_batch_generation(dir.path("none.nam")), -1);
    const auto& boxes = automation::message_boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].caption, kBatchRunCaption);
    EXPECT_EQ(boxes[0].text, message(308));
    EXPECT_EQ(boxes[1].text, message(308));
    EXPECT_EQ(boxes[2].text, message(100) + "[" + dir.path("none.nam") + "]");
    EXPECT_FALSE(document_state().busy);
}

}  // namespace
