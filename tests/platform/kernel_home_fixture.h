// Points PLATFORM_HOME at a fresh directory for the length of a test and puts
// the previous value back afterwards.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "tests/common/platform_home.h"

class PlatformHomeTest : public ::testing::Test {
protected:
    std::string home_file(const std::string& name) const { return home_.path(name); }

    ScopedPlatformHome home_;
};
