// Writes that fail: a full disk while a warning is written is the write
// failure status (255) in all three converters, with the old results kept;
// a result or work file that cannot be written is named in its E058 line.

#include <sys/stat.h>

#include <map>
#include <string>
#include <vector>

#include "bad_input_fixture.h"
#include "notarix/formatter/nx1012.h"

namespace bad_input_test {
namespace {

// A macro defined twice: a warning and nothing else in all three.
const std::string kWarnedSource = std::string("#define A 1\n#define A 2\n") + kGoodSource;

class WriteFailure : public BadInputTest {
protected:
    void TearDown() override {
        crt_set_full_disk(nullptr);
        BadInputTest::TearDown();
    }

    template <class Run>
    void expect_write_failure_keeps_results(const char* what, Run run) {
        const auto before = snapshot();
        crt_set_full_disk(".err");
        EXPECT_EQ(run(), 255) << what;
        crt_set_full_disk(nullptr);
        auto after = snapshot();
        for (const char* error : {"nx1000.err", "gx1000.err", "oq1000.err"}) {
            after.erase(error);
            EXPECT_EQ(read_raw(error_file(error)), "") << what;
        }
        EXPECT_EQ(after, before) << what;
    }
};

TEST_F(WriteFailure, WarningOnAFullDiskIs255InAllThree) {
    const std::string source = write_file("w.c", kWarnedSource);
    const std::string list = write_file("w.nam", "w.c\n");
    // without the full disk the warning is written and the run says 9
    ASSERT_EQ(run_nx(source), 9);
    ASSERT_EQ(run_gx(source), 9);
    ASSERT_EQ(run_oq(list, {"-Fb1"}), 9);
    for (const char* error : {"nx1000.err", "gx1000.err", "oq1000.err"}) {
        EXPECT_NE(read_raw(error_file(error)).find(" : W"), std::string::npos) << error;
        std::filesystem::remove(error_file(error));
    }
    expect_write_failure_keeps_results("nx1011s", [&] { return run_nx(source); });
    expect_write_failure_keeps_results("gx1002s", [&] { return run_gx(source); });
    expect_write_failure_keeps_results("oq1011s", [&] { return run_oq(list, {"-Fb1"}); });
}

TEST_F(WriteFailure, OnlyWarningOfNoFunctionOnAFullDisk) {
    const std::string source = write_file("n.c", "int x;\n");
    ASSERT_EQ(run_gx(source), 9);
    std::filesystem::remove(error_file("gx1000.err"));
    expect_write_failure_keeps_results("gx1002s", [&] { return run_gx(source); });
}

TEST_F(WriteFailure, E058NamesTheResultThatFailed) {
    const std::string source = write_file("r.c", kGoodSource);
    const std::string list = write_file("r.nam", "r.c\n");
    const auto named = [&](const char* error, const std::string& result) {
        const std::string text = read_raw(error_file(error));
        const size_t at = text.find(" : E058 : ");
        return at != std::string::npos && text.find(result, at) != std::string::npos;
    };
    // a folder in the way of one result: the others stay as they were
    for (const char* blocked : {"r.fss", "r.fsm", "r.flt"}) {
        std::filesystem::create_directory(dir_.path(blocked));
        EXPECT_EQ(run_nx(source), 255) << blocked;
        EXPECT_TRUE(named("nx1000.err", blocked)) << blocked;
        std::filesystem::remove(dir_.path(blocked));
    }
    for (const char* blocked : {"r.pds", "r.flt"}) {
        std::filesystem::create_directory(dir_.path(blocked));
        EXPECT_EQ(run_gx(source), 255) << blocked;
        EXPECT_TRUE(named("gx1000.err", blocked)) << blocked;
        std::filesystem::remove(dir_.path(blocked));
    }
    for (const char* blocked : {"r.trd", "r.flt"}) {
        std::filesystem::create_directory(dir_.path(blocked));
        EXPECT_EQ(run_oq(list, {"-Fb1"}), 255) << blocked;
        EXPECT_TRUE(named("oq1000.err", blocked)) << blocked;
        std::filesystem::remove(dir_.path(blocked));
    }
}

// A full disk under each work file: the E058 line names that file, once.
TEST_F(WriteFailure, FullDiskNamesTheWorkFile) {
    const std::string source = write_file("d.c", kGoodSource + std::string("void g(void)\n{\n    do { h(); } while (x);\n}\n"));
    const std::string list = write_file("d.nam", "d.c\n");
    const auto named_once = [&](const char* error, const std::string& work) {
        const std::string text = read_raw(error_file(error));
        const size_t at = text.find(" : E058 : ");
        return at != std::string::npos && text.find(dir_.path(work), at) != std::string::npos &&
               text.find(" : E058 : ", at + 1) == std::string::npos;
    };
    const auto on_full_disk = [&](const char* work, auto run) {
        crt_set_full_disk(work);
        const int status = run();
        crt_set_full_disk(nullptr);
        return status;
    };
    for (const char* work : {".$ts", ".$tm", ".$tt"}) {
        EXPECT_EQ(on_full_disk(work, [&] { return run_nx(source); }), 255) << work;
        EXPECT_TRUE(named_once("nx1000.err", std::string("d") + work)) << work;
    }
    for (const char* work : {".tmp", ".tmf", ".tmd"}) {
        EXPECT_EQ(on_full_disk(work, [&] { return run_gx(source, {"-SPdw"}); }), 255) << work;
        EXPECT_TRUE(named_once("gx1000.err", std::string("d") + work)) << work;
    }
    for (const char* work : {".$tr", ".tmf"}) {
        EXPECT_EQ(on_full_disk(work, [&] { return run_oq(list, {"-Fb1"}); }), 255) << work;
        EXPECT_TRUE(named_once("oq1000.err", std::string("d") + work)) << work;
    }
    EXPECT_EQ(on_full_disk(".na2", [&] { return run_oq(list, {}, "-n"); }), 255);
    EXPECT_TRUE(named_once("oq1000.err", "d.na2"));
    EXPECT_EQ(read_raw(list), "d.c\n");
}

// A work name taken by a folder, a FIFO or a link is a write failure in
// every converter: E058 names it, the earlier results stay, and what stands
// under the name is left alone (a link's target is never written).
TEST_F(WriteFailure, TakenWorkNamesAreWriteFailures) {
    const std::string source = write_file("t.c", kGoodSource);
    const std::string list = write_file("t.nam", "t.c\n");
    const std::string target = write_file("target.txt", "not the run's");
    std::vector<std::string> formatter_args = {"nx1012", source};
    ASSERT_EQ(run_nx(source), 0);
    ASSERT_EQ(run(run_spec_formatter, formatter_args), kFormatterOk);
    ASSERT_EQ(run_gx(source), 0);
    ASSERT_EQ(run_oq(list, {"-Fb1"}), 0);

    struct Case {
        const char* work;
        const char* error;  // the error file that names it ("" for the formatter's box)
        std::function<int()> run;
        int status;
    };
    const Case cases[] = {
        {"t.$ts", "nx1000.err", [&] { return run_nx(source); }, 255},
        {"t.$tm", "nx1000.err", [&] { return run_nx(source); }, 255},
        {"t.$tt", "nx1000.err", [&] { return run_nx(source); }, 255},
        {"t.lnt", "", [&] { return run(run_spec_formatter, formatter_args); }, kFormatterIoError},
        {"t.tmp", "gx1000.err", [&] { return run_gx(source); }, 255},
        {"t.tmf", "gx1000.err", [&] { return run_gx(source); }, 255},
        {"t.tmd", "gx1000.err", [&] { return run_gx(source, {"-SPdw"}); }, 255},
        {"t.$tr", "oq1000.err", [&] { return run_oq(list, {"-Fb1"}); }, 255},
        {"t.tmf", "oq1000.err", [&] { return run_oq(list, {"-Fb1"}); }, 255},
        {"t.na2", "oq1000.err", [&] { return run_oq(list, {}, "-n"); }, 255},
    };
    const auto without_error_files = [](std::map<std::string, std::string> files) {
        for (const char* error : {"nx1000.err", "gx1000.err", "oq1000.err"}) files.erase(error);
        return files;
    };
    for (const char* kind : {"folder", "fifo", "link"}) {
        for (const Case& c : cases) {
            const std::string what = std::string(c.work) + " taken by a " + kind;
            const std::string work = dir_.path(c.work);
            if (std::string(kind) == "folder") std::filesystem::create_directory(work);
            if (std::string(kind) == "fifo") {
                ASSERT_EQ(::mkfifo(work.c_str(), 0600), 0);
            }
            if (std::string(kind) == "link") std::filesystem::create_symlink(target, work);
            const auto before = without_error_files(snapshot());
            host_.boxes.clear();
            EXPECT_EQ(c.run(), c.status) << what;
            if (*c.error != '\0') {
                const std::string errors = read_raw(error_file(c.error));
                const size_t at = errors.find(" : E058 : ");
                EXPECT_TRUE(at != std::string::npos && errors.find(work, at) != std::string::npos) << what << errors;
            }
            if (*c.error == '\0') {
                EXPECT_EQ(host_.boxes.size(), 1u) << what;
                EXPECT_TRUE(!host_.boxes.empty() && host_.boxes[0].text.find(dir_.path("t.lin")) != std::string::npos)
                    << what;
            }
            EXPECT_EQ(without_error_files(snapshot()), before) << what;
            EXPECT_NE(std::filesystem::symlink_status(work).type(), std::filesystem::file_type::not_found) << what;
            std::filesystem::remove(work);
        }
    }
    EXPECT_EQ(read_raw(target), "not the run's");
}

// The formatter's message box names the document it could not write.
TEST_F(WriteFailure, FullDiskNamesTheFormattersDocument) {
    const std::string source = write_file("p.c", kGoodSource);
    ASSERT_EQ(run_nx(source), 0);
    write_file("p.lin", "previous");
    crt_set_full_disk(".lnt");
    std::vector<std::string> args = {"nx1012", source};
    EXPECT_EQ(run(run_spec_formatter, args), kFormatterIoError);
    crt_set_full_disk(nullptr);
    EXPECT_EQ(read_raw(dir_.path("p.lin")), "previous");
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_NE(host_.boxes[0].text.find(dir_.path("p.lin")), std::string::npos) << host_.boxes[0].text;
    EXPECT_FALSE(exists(dir_.path("p.lnt")));
}

}  // namespace
}  // namespace bad_input_test
