// Folder and file rights that bind a test as they bind a user. A test run by
// the super-user lays aside, while a RightsBind lives, the capabilities that
// pass over them (from this thread's effective set, from which they come
// back); for anyone else rights bind anyway.
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>
#include <string>

class RightsBind {
public:
    RightsBind() {
        if (::geteuid() != 0 || ::syscall(SYS_capget, &header_, kept_) != 0) return;
        __user_cap_data_struct bound[2] = {kept_[0], kept_[1]};
        bound[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        laid_aside_ = ::syscall(SYS_capset, &header_, bound) == 0;
    }
    ~RightsBind() {
        if (laid_aside_) ::syscall(SYS_capset, &header_, kept_);
    }
    RightsBind(const RightsBind&) = delete;
    RightsBind& operator=(const RightsBind&) = delete;

    // False when the rights could not be made to bind.
    bool binds() const { return ::geteuid() != 0 || laid_aside_; }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct kept_[2] = {};
    bool laid_aside_ = false;
};

// A folder that takes no new entries, or a file that cannot be read, while
// the object lives.
class TakenRights {
public:
    TakenRights(std::string path, std::filesystem::perms rights) : path_(std::move(path)) {
        kept_ = std::filesystem::status(path_).permissions();
        std::filesystem::permissions(path_, rights);
    }
    ~TakenRights() {
        std::error_code ignored;
        std::filesystem::permissions(path_, kept_, ignored);
    }
    TakenRights(const TakenRights&) = delete;
    TakenRights& operator=(const TakenRights&) = delete;

    static constexpr std::filesystem::perms kReadOnlyFolder =
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec;
    static constexpr std::filesystem::perms kUnreadableFile = std::filesystem::perms::none;

private:
    std::string path_;
    std::filesystem::perms kept_{};
};
