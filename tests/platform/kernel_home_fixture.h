// Points PLATFORM_HOME at a fresh directory for the length of a test and puts
// the previous value back afterwards.
#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "tests/common/temp_dir.h"

class PlatformHomeTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = ::getenv("PLATFORM_HOME")) saved_ = old;
        ::setenv("PLATFORM_HOME", home_.path().c_str(), 1);
    }
    void TearDown() override {
        if (saved_) {
            ::setenv("PLATFORM_HOME", saved_->c_str(), 1);
        } else {
            ::unsetenv("PLATFORM_HOME");
        }
    }

    std::string home_file(const std::string& name) const { return home_.path(name); }

    TempDir home_;

private:
    std::optional<std::string> saved_;
};
