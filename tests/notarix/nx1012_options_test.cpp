// The formatter's argument vector: interface code, form choice, source-name
// forms and the memory block.
#include "tests/notarix/nx1012_fixture.h"

namespace nx1012_test {
namespace {

class OptionsTest : public FormatterTest {
protected:
    // The $SR text placed for one TAG record under an -s option ("" none).
    std::string source_text(const std::string& option, const std::string& tag_text) {
        write_raw(path("s.fss"), "NAM:f\nTAG:" + tag_text + "\n///:\n");
        std::vector<std::string> args;
        if (!option.empty()) args.push_back(option);
        args.push_back(path("s.c"));
        std::vector<std::string> storage{"nx1012"};
        storage.insert(storage.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& s : storage) argv.push_back(s.data());
        EXPECT_EQ(run_spec_formatter(static_cast<int>(argv.size()), argv.data()), kFormatterOk);
        const auto lines = split_lines(read_plain_lin(path("s.lin")));
        for (size_t i = 0; i + 1 < lines.size(); ++i) {
            if (lines[i] == "MV:1,75,28") return lines[i + 1].substr(3);
        }
        return "";
    }
};

TEST_F(OptionsTest, InterfaceCode) {
    write_raw(path("x.fss"), "");
    EXPECT_EQ(run({path("x.c")}), kFormatterOk);
    EXPECT_EQ(run({"-X8417", path("x.c")}), kFormatterOk);
    EXPECT_EQ(run({"-X", path("x.c")}), kFormatterOk);
    EXPECT_EQ(run({"-x1234", path("x.c")}), kFormatterOk);  // only an upper-case X counts
    std::remove(path("x.lin").c_str());
    EXPECT_EQ(run({"-X1234", path("x.c")}), kFormatterBadInterface);
    EXPECT_FALSE(std::filesystem::exists(path("x.lin")));
    EXPECT_EQ(run({"-X8417x", path("x.c")}), kFormatterBadInterface);
}

TEST_F(OptionsTest, OptionsActOnLaterBaseNamesOnly) {
    write_raw(path("a.fss"), "");
    write_raw(path("b.fss"), "");
    EXPECT_EQ(run({path("a.c"), "-X1", path("b.c")}), kFormatterBadInterface);
    EXPECT_TRUE(std::filesystem::exists(path("a.lin")));
    EXPECT_FALSE(std::filesystem::exists(path("b.lin")));
}

TEST_F(OptionsTest, DefaultFormNameMeansTheBuiltInForm) {
    copy_fixture("basic.fss", "calc.fss");
    for (const std::string& form : std::vector<std::string>{"-fNX1000.FMS", "-fnx1000.fms", "-F" + program_dir() + "/Nx1000.fms", "-f"}) {
        EXPECT_EQ(run({"-s2", form, path("calc.c")}), kFormatterOk) << form;
        EXPECT_EQ(read_plain_lin(path("calc.lin")), read_raw(fixture("basic_builtin.lin"))) << form;
    }
    EXPECT_TRUE(shown_boxes().empty());
}

TEST_F(OptionsTest, SourceNameForms) {
    const std::string tag = "C:\\Program Files (x86)\\app\\main.c(7)";
    EXPECT_EQ(source_text("-s2", tag), "main.c");
    EXPECT_EQ(source_text("-s3", tag), "main.c(7)");
    EXPECT_EQ(source_text("-S4", tag), "C:\\Program Files (x86)\\app\\main.c");
    EXPECT_EQ(source_text("-s5", tag), tag);
    EXPECT_EQ(source_text("-s1", tag), "");
    EXPECT_EQ(source_text("", tag), "");
    EXPECT_EQ(source_text("-s9", tag), "");
    EXPECT_EQ(source_text("-s", tag), "");
}

TEST_F(OptionsTest, SourceNameKeepsShiftJisAndSlashPaths) {
    // 表 ends in the byte "\", which must not cut the name
    const std::string dbcs_dir = "/src/\x95\x5C/main.c(12)";
    EXPECT_EQ(source_text("-s2", dbcs_dir), "main.c");
    EXPECT_EQ(source_text("-s2", "\x95\x5C.c(3)"), "\x95\x5C.c");
    EXPECT_EQ(source_text("-s4", "noline.c"), "noline.c");
}

TEST_F(OptionsTest, MemoryBlockUnavailable) {
    write_raw(path("x.fss"), "NAM:f\n///:\n");
    fail_formatter_block_for_tests(true);
    EXPECT_EQ(run({path("x.c")}), kFormatterNoMemory);
    EXPECT_FALSE(std::filesystem::exists(path("x.lin")));
}

}  // namespace
}  // namespace nx1012_test
