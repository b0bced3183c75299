#include "common/analysis/result_files.h"

#include "common/analysis/support.h"
#include "platform/kernel/file_io.h"

#include <cerrno>
#include <cstdint>
#include <new>
#include <utility>

bool is_regular_or_missing(const std::string& name) { return crt_file_kind(name.c_str()) != kCrtOtherEntry; }

bool is_work_name_taken(const std::string& name) { return crt_entry_kind(name.c_str()) == kCrtOtherEntry; }

namespace {

struct Identity {
    bool known = false;  // false: nothing under the name is the run's
    uint64_t device = 0, inode = 0;
    bool operator==(const Identity&) const = default;
};

Identity identity_of_entry(const std::string& name) {
    Identity id;
    id.known = crt_entry_identity(name.c_str(), id.device, id.inode);
    return id;
}

// What a hold opened under the name: its file as the open found it (the
// entry itself, since a hold never follows a link), else the entry.
Identity identity_of_hold(int handle, const std::string& name) {
    Identity id;
    id.known = crt_claim_identity(handle, id.device, id.inode);
    return id.known ? id : identity_of_entry(name);
}

// A claimed work name: the file the run holds there (so that no other run
// takes it) and what stands under the name, which only the run may remove.
struct Claim {
    std::string name;
    int handle = -1;
    Identity entry;
};

// How a result was put in place, so that it can be taken back.
enum class Placing {
    kSwapped,  // work and result swapped names: the old result is under the work name
    kLinked,   // a new result: the work file has both names
    kMoved,    // a new result: the work file went to the result name
    kAside,    // the old result went aside first, then the work file took its name
};

struct Placed {
    ResultFile file;
    Placing how = Placing::kMoved;
    std::string aside;  // kAside: where the old result waits
    Identity work;      // the new file
};

struct Registry {
    std::vector<Claim> claims;
    bool hold_open = false;
    std::vector<Placed> held;
};

Registry& registry() {
    static Registry r;
    return r;
}

Claim* find_claim(const std::string& name) {
    for (Claim& c : registry().claims)
        if (c.name == name) return &c;
    return nullptr;
}

// The run removes only what is its own under the name.
void remove_if_own(const std::string& name, const Identity& own) {
    if (own.known && identity_of_entry(name) == own) delete_file(name.c_str());
}

// Lets a claim go, removing what stands under its name. Once results are
// in place this is tidying up: memory running out must not turn a success
// into a failure (what stays is taken over by the next run as a leftover).
void drop_claim(const std::string& name) noexcept {
    std::vector<Claim>& claims = registry().claims;
    for (auto it = claims.begin(); it != claims.end(); ++it) {
        if (it->name != name) continue;
        // a second try, since the first may have met a passing shortage
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                // an entry the claim holds is the run's for sure: nobody
                // takes a held file for a leftover
                Identity held;
                held.known = crt_claim_identity(it->handle, held.device, held.inode);
                if (it->entry.known && held == it->entry) delete_file(it->name.c_str());
                else remove_if_own(it->name, it->entry);
                break;
            } catch (const std::bad_alloc&) {
            }
        }
        crt_release_claim(it->handle);
        claims.erase(it);
        return;
    }
}

// A work file the caller made without a claim is the run's all the same.
Claim& adopt(const std::string& name) {
    if (Claim* c = find_claim(name)) return *c;
    const int handle = crt_hold_file(name.c_str());
    Claim c{name, handle, identity_of_hold(handle, name)};
    registry().claims.push_back(std::move(c));
    return registry().claims.back();
}

// The claim holds what it names from now on: `handle` (or nothing) and the
// entry now under the name.
void hold_instead(Claim& c, int handle, const Identity& entry) {
    crt_release_claim(c.handle);
    c.handle = handle;
    c.entry = entry;
}

// Puts one finished work file in place of its result.
bool place(Placed& p) {
    const ResultFile& f = p.file;
    p.work = adopt(f.work).entry;
    // The old result is held before it goes under the work name: nobody
    // takes it there for a leftover. The hold's open also tells what stands
    // there; only when it cannot hold is the name examined.
    int handle = crt_hold_file(f.result.c_str());
    bool existed = handle >= 0 || errno == EBUSY;
    if (handle < 0 && errno != ENOENT && errno != EBUSY) {
        const int kind = crt_file_kind(f.result.c_str());
        if (kind == kCrtOtherEntry) return false;
        existed = kind != kCrtMissing;
    }
    if (!existed) {
        // the work file keeps its name too, so that the name stays the run's
        if (crt_link(f.work.c_str(), f.result.c_str()) == 0) {
            p.how = Placing::kLinked;
            return true;
        }
        if (rename_file(f.work.c_str(), f.result.c_str()) != 0) return false;
        find_claim(f.work)->entry = Identity{};
        p.how = Placing::kMoved;
        return true;
    }
    const Identity old = identity_of_hold(handle, f.result);
    if (crt_exchange(f.work.c_str(), f.result.c_str()) == 0) {
        hold_instead(*find_claim(f.work), handle, old);
        p.how = Placing::kSwapped;
        return true;
    }
    const int swap_error = errno;
    crt_release_claim(handle);
    if (swap_error != ENOTSUP) return false;
    // where names cannot be swapped the old result waits under a name of
    // its own, claimed as a work name is
    p.aside = f.result + ".$old";
    if (claim_work_file(p.aside) != WorkClaim::kClaimed) return false;
    handle = crt_hold_file(f.result.c_str());
    if (rename_file(f.result.c_str(), p.aside.c_str()) != 0) {
        crt_release_claim(handle);
        drop_claim(p.aside);
        return false;
    }
    hold_instead(*find_claim(p.aside), handle, old);
    if (rename_file(f.work.c_str(), f.result.c_str()) != 0) {
        rename_file(p.aside.c_str(), f.result.c_str());
        find_claim(p.aside)->entry = Identity{};
        drop_claim(p.aside);
        return false;
    }
    find_claim(f.work)->entry = Identity{};
    p.how = Placing::kAside;
    return true;
}

// Takes a placed result back out: the old one returns (or none, for a new
// result); the new file is left to be removed with the work names.
void unplace(const Placed& p) {
    const ResultFile& f = p.file;
    switch (p.how) {
    case Placing::kSwapped:
        if (crt_exchange(f.work.c_str(), f.result.c_str()) == 0)
            if (Claim* c = find_claim(f.work)) c->entry = p.work;
        break;
    case Placing::kLinked:
    case Placing::kMoved: remove_if_own(f.result, p.work); break;
    case Placing::kAside:
        remove_if_own(f.result, p.work);
        if (rename_file(p.aside.c_str(), f.result.c_str()) == 0)
            if (Claim* c = find_claim(p.aside)) c->entry = Identity{};
        break;
    }
}

void release_placed(const Placed& p) {
    drop_claim(p.file.work);
    if (!p.aside.empty()) drop_claim(p.aside);
}

// The first `count` results back to what they were, and every work file gone.
void take_back(const std::vector<Placed>& placed, size_t count, const std::vector<ResultFile>& files) {
    while (count-- > 0) {
        unplace(placed[count]);
        if (!placed[count].aside.empty()) drop_claim(placed[count].aside);
    }
    discard_work_files(files);
}

}  // namespace

WorkClaim claim_work_file(const std::string& name) {
    if (holds_work_file(name)) return WorkClaim::kClaimed;
    Claim c{name, -1, {}};
    registry().claims.reserve(registry().claims.size() + 1);
    c.handle = crt_claim_file(name.c_str());
    if (c.handle < 0) return errno == EBUSY ? WorkClaim::kHeld : WorkClaim::kRefused;
    c.entry.known = crt_claim_identity(c.handle, c.entry.device, c.entry.inode);
    registry().claims.push_back(std::move(c));
    return WorkClaim::kClaimed;
}

bool holds_work_file(const std::string& name) { return find_claim(name) != nullptr; }

void release_work_file(const std::string& name) {
    if (!registry().hold_open) drop_claim(name);
}

void release_work_files() {
    if (registry().hold_open) return;
    while (!registry().claims.empty()) drop_claim(registry().claims.back().name);
}

int rename_work_file(const std::string& from, const std::string& to) {
    Claim& source = adopt(from);
    const int handle = source.handle;
    const Identity entry = source.entry;
    if (rename_file(from.c_str(), to.c_str()) != 0) return -1;
    source = Claim{from, -1, {}};
    hold_instead(adopt(to), handle, entry);
    return 0;
}

int commit_result_files(const std::vector<ResultFile>& files) {
    Registry& r = registry();
    const size_t n = files.size();
    std::vector<Placed> placed;
    size_t i = 0;
    int failed = -1;
    try {
        // what is kept of each step is made before anything is moved: once
        // the results are in place, nothing may fail for want of memory
        placed.reserve(n);
        for (const ResultFile& f : files) placed.push_back(Placed{f, Placing::kMoved, {}, {}});
        r.claims.reserve(r.claims.size() + 2 * n);
        if (r.hold_open) r.held.reserve(r.held.size() + n);
        for (; i < n; ++i) {
            if (place(placed[i])) continue;
            failed = static_cast<int>(i);
            break;
        }
    } catch (const std::bad_alloc&) {
        // what was placed goes back and the work files go before the failure goes on
        take_back(placed, i, files);
        throw;
    }
    if (failed >= 0) {
        take_back(placed, i, files);
        return failed;
    }
    if (r.hold_open) {
        for (Placed& p : placed) r.held.push_back(std::move(p));
        return -1;
    }
    // the first name last: a run of the same source that starts meanwhile
    // is refused at its first name, as while the run went on
    for (auto p = placed.rbegin(); p != placed.rend(); ++p) release_placed(*p);
    return -1;
}

void discard_work_files(const std::vector<ResultFile>& files) {
    for (const ResultFile& f : files) {
        if (holds_work_file(f.work)) drop_claim(f.work);
        else delete_file(f.work.c_str());
    }
}

ResultHold::ResultHold() {
    registry().held.clear();
    registry().hold_open = true;
}

ResultHold::~ResultHold() {
    Registry& r = registry();
    if (!r.hold_open) return;
    r.hold_open = false;
    r.held.clear();
    release_work_files();
}

void ResultHold::restore() {
    Registry& r = registry();
    // the latest first, so that a result committed twice ends as it began
    for (auto it = r.held.rbegin(); it != r.held.rend(); ++it) unplace(*it);
    r.held.clear();
    r.hold_open = false;
    release_work_files();
}

bool WorkFileWriter::create(const std::string& work, const std::string& result, bool binary) {
    discard();
    work_ = work;
    result_ = result;
    failed_ = false;
    if (!is_regular_or_missing(result_) || claim_work_file(work_) != WorkClaim::kClaimed) return false;
    fd_ = crt_open(work_.c_str(), CRT_O_WRONLY | CRT_O_TRUNC | (binary ? CRT_O_BINARY : CRT_O_TEXT));
    if (fd_ < 0) discard_work_files({{work_, result_}});
    return fd_ >= 0;
}

bool WorkFileWriter::write(std::string_view text) {
    if (fd_ < 0) failed_ = true;
    if (failed_ || text.empty()) return !failed_;
    failed_ = crt_write(fd_, text.data(), static_cast<unsigned>(text.size())) != static_cast<int>(text.size());
    return !failed_;
}

bool WorkFileWriter::commit() {
    if (fd_ < 0) return false;
    const bool closed = crt_close(fd_) == 0;
    fd_ = -1;
    const std::vector<ResultFile> files{{work_, result_}};
    if (failed_ || !closed) {
        discard_work_files(files);
        return false;
    }
    return commit_result_files(files) < 0;
}

void WorkFileWriter::discard() {
    if (fd_ < 0) return;
    crt_close(fd_);
    fd_ = -1;
    discard_work_files({{work_, result_}});
}
