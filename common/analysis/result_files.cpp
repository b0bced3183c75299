#include "common/analysis/result_files.h"

#include "common/analysis/support.h"
#include "platform/kernel/file_io.h"

bool is_regular_or_missing(const std::string& name) { return crt_file_kind(name.c_str()) != kCrtOtherEntry; }

int commit_result_files(const std::vector<ResultFile>& files) {
    const size_t n = files.size();
    std::vector<std::string> aside(n);
    std::vector<bool> moved(n, false), placed(n, false);
    std::vector<int> kinds(n, kCrtMissing);
    int failed = -1;
    for (size_t i = 0; i < n && failed < 0; ++i) {
        kinds[i] = crt_file_kind(files[i].result.c_str());
        if (kinds[i] == kCrtOtherEntry) failed = static_cast<int>(i);
    }
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
            if (moved[i]) delete_file(aside[i].c_str());
            continue;
        }
        if (placed[i]) delete_file(files[i].result.c_str());
        if (moved[i]) rename_file(aside[i].c_str(), files[i].result.c_str());
        delete_file(files[i].work.c_str());
    }
    return failed;
}

void discard_work_files(const std::vector<ResultFile>& files) {
    for (const ResultFile& f : files) delete_file(f.work.c_str());
}
