// Environment variables and the location of the running program.
#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/kernel/file_io.h"

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
