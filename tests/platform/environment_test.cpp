// Environment variables and the location of the running program.
#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/kernel/file_io.h"
#include "tests/common/sjis.h"

TEST(Environment, PutenvCopiesAndEmptyValueRemoves) {
    {
        std::string assignment = "PLATFORM_TEST_VAR=first";
        ASSERT_EQ(crt_putenv(assignment.c_str()), 0);
        assignment.assign("PLATFORM_TEST_VAR=XXXXX");  // the caller's buffer changes
    }
    ASSERT_NE(crt_getenv("PLATFORM_TEST_VAR"), nullptr);
    EXPECT_STREQ(crt_getenv("PLATFORM_TEST_VAR"), "first");

    EXPECT_EQ(crt_putenv("PLATFORM_TEST_VAR=a=b"), 0);
    EXPECT_STREQ(crt_getenv("PLATFORM_TEST_VAR"), "a=b");

    EXPECT_EQ(crt_putenv("PLATFORM_TEST_VAR="), 0);
    EXPECT_EQ(crt_getenv("PLATFORM_TEST_VAR"), nullptr);
}

// The process environment holds UTF-8; the programs read and put Shift-JIS,
// and read back what they put byte for byte.
TEST(Environment, ValuesAreShiftJisToTheProgramsAndUtf8InTheProcess) {
    ::setenv("PLATFORM_TEST_VAR", "/home/資料;/usr/include", 1);
    EXPECT_EQ(std::string(crt_getenv("PLATFORM_TEST_VAR")), sjis("/home/資料;/usr/include"));
    for (const std::string& value : {sjis("/opt/設計"), std::string("\xED\x40"), sjis("x〓FF")}) {
        ASSERT_EQ(crt_putenv(("PLATFORM_TEST_VAR=" + value).c_str()), 0);
        EXPECT_EQ(std::string(crt_getenv("PLATFORM_TEST_VAR")), value);
    }
    // 0xED40 and 0xFA5C are one character: the process holds its UTF-8
    ASSERT_EQ(crt_putenv("PLATFORM_TEST_VAR=\xED\x40"), 0);
    EXPECT_STREQ(::getenv("PLATFORM_TEST_VAR"), "纊");
    // changed past the runtime: read afresh
    ::setenv("PLATFORM_TEST_VAR", "ｿｰｽ", 1);
    EXPECT_EQ(std::string(crt_getenv("PLATFORM_TEST_VAR")), sjis("ｿｰｽ"));
    EXPECT_EQ(crt_putenv("PLATFORM_TEST_VAR="), 0);
}

TEST(Environment, MalformedAssignmentsAreRefused) {
    EXPECT_EQ(crt_putenv("NO_EQUALS_SIGN"), -1);
    EXPECT_EQ(crt_putenv("=value"), -1);
    EXPECT_EQ(crt_putenv(nullptr), -1);
    EXPECT_EQ(crt_getenv(""), nullptr);
    EXPECT_EQ(crt_getenv(nullptr), nullptr);
}

TEST(Module, FileNameIsTheExecutable) {
    char buf[4096];
    uint32_t n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(std::string(buf).size(), n);
    EXPECT_EQ(::access(buf, X_OK), 0);
    const std::string full(buf);

    const std::string dir = get_program_directory();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), '/');
    EXPECT_EQ(full.substr(0, dir.size() + 1), dir + "/");
    EXPECT_EQ(full.find('/', dir.size() + 1), std::string::npos);
}

TEST(Module, FileNameIsCutToTheBuffer) {
    char full[4096];
    const uint32_t len = GetModuleFileNameA(nullptr, full, sizeof full);
    ASSERT_GT(len, 4u);
    char small[5] = {'#', '#', '#', '#', '#'};
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 4u);
    EXPECT_EQ(std::string(small), std::string(full, 4));
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, 0), 0u);
}
