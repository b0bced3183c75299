// File-name helpers: extensions, splitting, the KRT directory, absolute
// paths, file times and line counts.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include "common/text/file_names.h"
#include "tests/common/temp_dir.h"

namespace {

std::string with_extension(std::string path, const char* ext) {
    set_file_extension(path, ext);
    return path;
}

TEST(SetFileExtension, ReplacesOnlyTheLastExtensionOfTheName) {
    EXPECT_EQ(with_extension("calc.c", ".lin"), "calc.lin");
    EXPECT_EQ(with_extension("calc.tar.gz", ".lin"), "calc.tar.lin");
    EXPECT_EQ(with_extension("C:\\my.dir\\calc", ".lin"), "C:\\my.dir\\calc.lin");
    EXPECT_EQ(with_extension("/my.dir/calc", ".fss"), "/my.dir/calc.fss");
    EXPECT_EQ(with_extension("a.b:calc", ".fss"), "a.b:calc.fss");
    EXPECT_EQ(with_extension(".profile", ".lin"), ".profile.lin");
    EXPECT_EQ(with_extension("", ".lin"), ".lin");
    // the trail byte "\" of 表 does not hide the extension
    EXPECT_EQ(with_extension("\x95\x5C.c", ".lin"), "\x95\x5C.lin");
}

TEST(SplitPath, DirectoryAndName) {
    std::string dir;
    std::string name;
    split_path("C:\\src\\calc.c", dir, name);
    EXPECT_EQ(dir, "C:\\src\\");
    EXPECT_EQ(name, "calc.c");
    split_path("C:calc.c", dir, name);
    EXPECT_EQ(dir, "");
    EXPECT_EQ(name, "C:calc.c");
    split_path("/usr/src/calc.c", dir, name);
    EXPECT_EQ(dir, "/usr/src/");
    EXPECT_EQ(name, "calc.c");
    split_path("\x95\x5C\\a.c", dir, name);
    EXPECT_EQ(dir, "\x95\x5C\\");
    EXPECT_EQ(name, "a.c");
}

class EnvDir : public ::testing::Test {
protected:
    void TearDown() override { ::unsetenv("KRT"); }
    std::string resolved(const std::string& name) {
        std::string path = name;
        resolve_in_env_dir(path, "KRT");
        return path;
    }
};

TEST_F(EnvDir, FirstDirectoryTrimmed) {
    ::setenv("KRT", "  C:\\NX  ;D:\\other", 1);
    EXPECT_EQ(resolved("nx1000.kwd"), "C:\\NX\\nx1000.kwd");
    EXPECT_EQ(resolved("sub\\nx1000.kwd"), "sub\\nx1000.kwd");
    EXPECT_EQ(resolved("A:nx1000.kwd"), "A:nx1000.kwd");
    ::setenv("KRT", "/opt/nx/", 1);
    EXPECT_EQ(resolved("nx1000.kwd"), "/opt/nx/nx1000.kwd");
    ::setenv("KRT", "/opt/nx", 1);
    EXPECT_EQ(resolved("nx1000.kwd"), "/opt/nx/nx1000.kwd");
}

TEST_F(EnvDir, UnsetVariableLeavesTheName) {
    ::unsetenv("KRT");
    EXPECT_EQ(resolved("nx1000.kwd"), "nx1000.kwd");
}

class CurrentDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        char buf[4096];
        ASSERT_NE(::getcwd(buf, sizeof buf), nullptr);
        saved_ = buf;
        std::filesystem::create_directory(dir_.path("sub"));
    }
    void TearDown() override { ASSERT_EQ(::chdir(saved_.c_str()), 0); }
    std::string cwd() {
        char buf[4096];
        return ::getcwd(buf, sizeof buf) ? buf : "";
    }
    std::string lower(std::string s) {
        for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }
    TempDir dir_;
    std::string saved_;
};

TEST_F(CurrentDirectory, ChangeToFileDirectory) {
    EXPECT_EQ(change_to_file_directory(dir_.path("sub") + "/x.c"), 0);
    EXPECT_EQ(cwd(), std::filesystem::canonical(dir_.path("sub")).string());
    const std::string before = cwd();
    EXPECT_EQ(change_to_file_directory("x.c"), 0);
    EXPECT_EQ(cwd(), before);
    EXPECT_EQ(change_to_file_directory(dir_.path("missing") + "/x.c"), 0);
    EXPECT_EQ(cwd(), before);
}

TEST_F(CurrentDirectory, MakeAbsolutePathKeepsTheCurrentDirectory) {
    ASSERT_EQ(::chdir(dir_.path().c_str()), 0);
    const std::string here = std::filesystem::canonical(dir_.path()).string();
    EXPECT_EQ(make_absolute_path("Calc.C"), lower(here + "/Calc.C"));
    EXPECT_EQ(make_absolute_path("sub/../sub/X.c"), lower(here + "/sub/X.c"));
    EXPECT_EQ(cwd(), here);
}

TEST(CSourceName, ExtensionsInAnyCase) {
    EXPECT_EQ(is_c_source_name("a.c"), 1);
    EXPECT_EQ(is_c_source_name("a.CPP"), 1);
    EXPECT_EQ(is_c_source_name("dir.c/a.h"), 0);
    EXPECT_EQ(is_c_source_name("a.cc"), 0);
    EXPECT_EQ(is_c_source_name("makefile"), 0);
}

TEST(FileTimes, AllFourCases) {
    TempDir dir;
    const std::string a = dir.path("a");
    const std::string b = dir.path("b");
    EXPECT_EQ(compare_file_times(a.c_str(), b.c_str()), 4);
    write_raw(a, "a");
    EXPECT_EQ(compare_file_times(a.c_str(), b.c_str()), 3);
    EXPECT_EQ(compare_file_times(b.c_str(), a.c_str()), 2);
    write_raw(b, "b");
    struct utimbuf older {1000000, 1000000};
    struct utimbuf newer {2000000, 2000000};
    ::utime(a.c_str(), &older);
    ::utime(b.c_str(), &newer);
    EXPECT_EQ(compare_file_times(a.c_str(), b.c_str()), 1);
    EXPECT_EQ(compare_file_times(b.c_str(), a.c_str()), 0);
    ::utime(b.c_str(), &older);
    EXPECT_EQ(compare_file_times(a.c_str(), b.c_str()), 0);
}

TEST(CountFileLines, PiecesOfAtMost255Bytes) {
    TempDir dir;
    const std::string path = dir.path("x.txt");
    EXPECT_EQ(count_file_lines(path.c_str()), 0);
    write_raw(path, "");
    EXPECT_EQ(count_file_lines(path.c_str()), 0);
    write_raw(path, "a\r\nb\nc");
    EXPECT_EQ(count_file_lines(path.c_str()), 3);
    write_raw(path, std::string(254, 'x') + "\r\n");
    EXPECT_EQ(count_file_lines(path.c_str()), 1);
    write_raw(path, std::string(255, 'x') + "\n");
    EXPECT_EQ(count_file_lines(path.c_str()), 2);
    write_raw(path, std::string(600, 'x'));
    EXPECT_EQ(count_file_lines(path.c_str()), 3);
}

TEST(LineReaderTest, LinesOfAnyLengthWithEitherEnd) {
    TempDir dir;
    const std::string long_line(20000, 'q');
    write_raw(dir.path("x"), "one\r\ntwo\n" + long_line + "\r\nlast");
    LineReader reader;
    ASSERT_TRUE(reader.open(dir.path("x").c_str()));
    std::string line;
    bool newline = false;
    ASSERT_TRUE(reader.next(line, &newline));
    EXPECT_EQ(line, "one");
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "two");
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, long_line);
    ASSERT_TRUE(reader.next(line, &newline));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(newline);
    EXPECT_FALSE(reader.next(line));
    EXPECT_FALSE(reader.failed());
}

}  // namespace
