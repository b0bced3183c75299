// Where the platform keeps its state: PLATFORM_HOME, or a directory under the
// user's home, created when first asked for.
#include <stdlib.h>
#include <sys/stat.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/kernel/platform_home.h"
#include "tests/common/platform_home.h"
#include "tests/common/temp_dir.h"

namespace {

class PlatformHome : public ::testing::Test {
protected:
    TempDir dir_;

private:
    ScopedVariable home_{"PLATFORM_HOME"};
    ScopedVariable user_home_{"HOME"};
};

bool is_directory(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

TEST_F(PlatformHome, VariableIsReadOnEveryCallAndCreated) {
    const std::string first = dir_.path("one/deeper/");
    ::setenv("PLATFORM_HOME", first.c_str(), 1);
    EXPECT_EQ(platform_home(), dir_.path("one/deeper"));
    EXPECT_TRUE(is_directory(dir_.path("one/deeper")));
    EXPECT_EQ(platform_home_file("WIN.INI"), dir_.path("one/deeper/WIN.INI"));

    ::setenv("PLATFORM_HOME", dir_.path("two").c_str(), 1);
    EXPECT_EQ(platform_home(), dir_.path("two"));
}

TEST_F(PlatformHome, DefaultLiesUnderTheUsersHome) {
    ::unsetenv("PLATFORM_HOME");
    ::setenv("HOME", dir_.path().c_str(), 1);
    EXPECT_EQ(platform_home(), dir_.path(".local/share/platform-home"));
    EXPECT_TRUE(is_directory(dir_.path(".local/share/platform-home")));

    ::setenv("PLATFORM_HOME", "", 1);  // empty counts as unset
    EXPECT_EQ(platform_home(), dir_.path(".local/share/platform-home"));
}

TEST_F(PlatformHome, StateFilesAreReplacedWhole) {
    const std::string path = dir_.path("state.txt");
    std::string contents;
    EXPECT_FALSE(read_state_file(path, &contents));
    ASSERT_TRUE(write_state_file(path, "first"));
    ASSERT_TRUE(write_state_file(path, "2nd"));
    ASSERT_TRUE(read_state_file(path, &contents));
    EXPECT_EQ(contents, "2nd");
    EXPECT_FALSE(write_state_file(dir_.path("missing/state.txt"), "x"));
}
