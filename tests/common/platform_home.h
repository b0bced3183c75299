// The platform keeps its registry, WIN.INI and print jobs under PLATFORM_HOME.
// These helpers point it (or any variable) elsewhere for a scope and put the
// old value, or its absence, back afterwards.
#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

#include "tests/common/temp_dir.h"

class ScopedVariable {
public:
    // Only keeps the value, for a test that changes it itself.
    explicit ScopedVariable(const char* name) : name_(name) {
        if (const char* old = ::getenv(name)) saved_ = old;
    }
    ScopedVariable(const char* name, const std::string& value) : ScopedVariable(name) {
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() {
        if (saved_) {
            ::setenv(name_.c_str(), saved_->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> saved_;
};

// PLATFORM_HOME at a fresh directory of its own.
class ScopedPlatformHome {
public:
    ScopedPlatformHome() : variable_("PLATFORM_HOME", home_.path()) {}

    const std::string& path() const { return home_.path(); }
    std::string path(const std::string& relative) const { return home_.path(relative); }

private:
    TempDir home_;  // made before the variable points at it
    ScopedVariable variable_;
};
