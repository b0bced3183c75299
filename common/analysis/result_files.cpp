#include "common/analysis/result_files.h"

#include "common/analysis/support.h"
#include "platform/kernel/file_io.h"

#include <cerrno>
#include <new>
#include <utility>

bool is_regular_or_missing(const std::string& name) { return crt_file_kind(name.c_str()) != kCrtOtherEntry; }

bool is_work_name_taken(const std::string& name) { return crt_entry_kind(name.c_str()) == kCrtOtherEntry; }

namespace {

// A result replaced under an open hold: the name its old file waits under,
// or that the result is new.
struct HeldResult {
    std::string work, result;
    bool existed;
};

struct Hold {
    bool open = false;
    std::vector<HeldResult> held;
};

Hold& hold() {
    static Hold h;
    return h;
}

// Once every result is in place the run has succeeded: letting an old file
// go is tidying up, and memory running out there must not turn the success
// into a failure. A file that cannot be kept for reuse is removed instead.
void let_go(const std::string& name, bool retire) noexcept {
    try {
        if (retire && retire_file(name.c_str()) == 0) return;
    } catch (const std::bad_alloc&) {
    }
    try {
        delete_file(name.c_str());
    } catch (const std::bad_alloc&) {
    }
}

// The old results go aside under ".$old", the work files take their names,
// and the old ones come back when a step fails.
int commit_by_moving_aside(const std::vector<ResultFile>& files, const std::vector<int>& kinds,
                           std::vector<HeldResult>& to_hold) {
    const size_t n = files.size();
    std::vector<std::string> aside(n);
    std::vector<bool> moved(n, false), placed(n, false);
    int failed = -1;
    for (size_t i = 0; i < n && failed < 0; ++i) {
        aside[i] = files[i].result + ".$old";
        if (kinds[i] == kCrtMissing) continue;
        // the rename replaces what an earlier failed run may have left aside
        if (rename_file(files[i].result.c_str(), aside[i].c_str()) != 0) failed = static_cast<int>(i);
        else moved[i] = true;
    }
    for (size_t i = 0; i < n && failed < 0; ++i) {
        if (rename_file(files[i].work.c_str(), files[i].result.c_str()) != 0) failed = static_cast<int>(i);
        else placed[i] = true;
    }
    for (size_t i = 0; i < n; ++i) {
        if (failed < 0) {
            if (!moved[i]) {
                if (hold().open) hold().held.push_back(std::move(to_hold[i]));
                continue;
            }
            // under a hold the old result waits under the work name (or
            // where it was put aside, when that name will not take it)
            if (hold().open) {
                if (rename_file(aside[i].c_str(), files[i].work.c_str()) != 0) to_hold[i].work = std::move(aside[i]);
                hold().held.push_back(std::move(to_hold[i]));
            } else {
                let_go(aside[i], false);
            }
            continue;
        }
        if (placed[i]) delete_file(files[i].result.c_str());
        if (moved[i]) rename_file(aside[i].c_str(), files[i].result.c_str());
        delete_file(files[i].work.c_str());
    }
    return failed;
}

// Puts file i in place: an old result swaps names with its work file, which
// then holds the old content; -2 when the file system cannot swap.
int place(const ResultFile& f, int kind) {
    if (kind == kCrtMissing) return rename_file(f.work.c_str(), f.result.c_str());
    if (crt_exchange(f.work.c_str(), f.result.c_str()) == 0) return 0;
    return errno == ENOTSUP ? -2 : -1;
}

// Takes file i back out: the old result returns, the new one goes back under
// its work name.
void unplace(const ResultFile& f, int kind) {
    if (kind == kCrtMissing) rename_file(f.result.c_str(), f.work.c_str());
    else crt_exchange(f.work.c_str(), f.result.c_str());
}

}  // namespace

int commit_result_files(const std::vector<ResultFile>& files) {
    const size_t n = files.size();
    std::vector<int> kinds;
    std::vector<HeldResult> to_hold;
    int failed = -1;
    bool swapped = true;
    size_t i = 0;
    try {
        kinds.assign(n, kCrtMissing);
        for (size_t k = 0; k < n; ++k) {
            kinds[k] = crt_file_kind(files[k].result.c_str());
            if (kinds[k] != kCrtOtherEntry) continue;
            discard_work_files(files);
            return static_cast<int>(k);
        }
        // what a hold keeps is made before anything is moved: once the
        // results are in place, nothing may fail for want of memory
        if (hold().open) {
            hold().held.reserve(hold().held.size() + n);
            to_hold.reserve(n);
            for (size_t k = 0; k < n; ++k) to_hold.push_back({files[k].work, files[k].result, kinds[k] != kCrtMissing});
        }
        // Swapping names takes half the steps of moving the old results aside.
        for (; i < n; ++i) {
            const int r = place(files[i], kinds[i]);
            if (r == 0) continue;
            failed = static_cast<int>(i);
            swapped = r != -2;
            break;
        }
    } catch (const std::bad_alloc&) {
        // what was placed goes back and the work files go before the failure goes on
        while (i-- > 0) unplace(files[i], kinds[i]);
        discard_work_files(files);
        throw;
    }
    if (failed >= 0)
        while (i-- > 0) unplace(files[i], kinds[i]);
    if (!swapped) return commit_by_moving_aside(files, kinds, to_hold);
    // the work names now hold the old results, or the unused new ones; an
    // old result may serve as a later run's work file, or wait there under
    // a hold
    for (size_t k = 0; k < n; ++k) {
        if (failed >= 0) delete_file(files[k].work.c_str());
        else if (hold().open) hold().held.push_back(std::move(to_hold[k]));
        else if (kinds[k] != kCrtMissing) let_go(files[k].work, true);
    }
    return failed;
}

void discard_work_files(const std::vector<ResultFile>& files) {
    for (const ResultFile& f : files) delete_file(f.work.c_str());
}

ResultHold::ResultHold() {
    hold().held.clear();
    hold().open = true;
}

ResultHold::~ResultHold() {
    if (!hold().open) return;
    for (const HeldResult& h : hold().held)
        if (h.existed) let_go(h.work, true);
    hold().held.clear();
    hold().open = false;
}

void ResultHold::restore() {
    std::vector<HeldResult>& held = hold().held;
    // the latest first, so that a result committed twice ends as it began
    for (auto it = held.rbegin(); it != held.rend(); ++it) {
        if (it->existed) rename_file(it->work.c_str(), it->result.c_str());
        else delete_file(it->result.c_str());
    }
    held.clear();
    hold().open = false;
}
