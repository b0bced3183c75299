// The list repair: the sources of the list put in call order, the source of
// "main" first, every source before the sources it calls.

#include <string>
#include <vector>

#include "common/analysis/messages.h"
#include "common/analysis/support.h"
#include "orbaline/converter/call_tree.h"

namespace ctree {

namespace {

struct FileCount {
    int file = -1;         // in g_tree.files
    int count = 0;
};

struct SourceFileNode {
    std::string name;
    int file = -1;
    std::vector<FileCount> callee_files;
    std::vector<FileCount> caller_files;
    bool placed = false;
};

void add_file(std::vector<FileCount>& list, int file) {
    for (FileCount& entry : list) {
        if (entry.file == file) {
            ++entry.count;
            return;
        }
    }
    list.push_back({file, 1});
}

}  // namespace

std::vector<std::string> order_source_files() {
    gather_calls();
    std::vector<SourceFileNode> nodes;
    // the nodes of each file: a source listed twice has two
    std::vector<std::vector<size_t>> by_file(g_tree.files.size());
    for (const ListEntry& entry : g_tree.sources) {
        by_file[static_cast<size_t>(entry.file)].push_back(nodes.size());
        nodes.push_back({entry.name, entry.file, {}, {}, false});
    }
    auto nodes_named = [&](int file) -> const std::vector<size_t>& {
        static const std::vector<size_t> kNone;
        return file < 0 || file >= static_cast<int>(by_file.size()) ? kNone : by_file[static_cast<size_t>(file)];
    };

    bool main_found = false;
    const int main_name = g_tree.names.find("main");
    for (const TreeDefinition& record : g_tree.records) {
        if (record.placeholder()) continue;
        if (record.name == main_name) {
            for (size_t i : nodes_named(record.file)) nodes[i].placed = true;
            main_found = true;
        }
        for (int c = record.first_call; c < record.last_call; ++c) {
            int callee = first_record(g_tree.calls[static_cast<size_t>(c)].name);
            if (callee < 0) continue;
            const int callee_file = g_tree.records[static_cast<size_t>(callee)].file;
            if (g_tree.records[static_cast<size_t>(callee)].placeholder() || callee_file == record.file) continue;
            for (size_t i : nodes_named(record.file)) add_file(nodes[i].callee_files, callee_file);
            for (size_t i : nodes_named(callee_file)) add_file(nodes[i].caller_files, record.file);
        }
    }

    std::vector<std::string> order;
    if (main_found) {
        for (const SourceFileNode& node : nodes)
            if (node.placed) order.push_back(node.name);
    }
    auto is_placed = [&](int file) {
        const std::vector<size_t>& same = nodes_named(file);
        return !same.empty() && nodes[same.front()].placed;
    };
    for (;;) {
        int best = -1, best_weight = 0;
        for (size_t i = 0; i < nodes.size(); ++i) {
            if (nodes[i].placed) continue;
            int weight = 0;
            for (const FileCount& caller : nodes[i].caller_files)
                if (!is_placed(caller.file)) weight += caller.count;
            if (best < 0 || weight < best_weight) {
                best = static_cast<int>(i);
                best_weight = weight;
            }
        }
        if (best < 0) break;
        // a source listed twice keeps both of its lines
        for (size_t i : nodes_named(nodes[static_cast<size_t>(best)].file)) {
            nodes[i].placed = true;
            order.push_back(nodes[i].name);
        }
    }
    return order;
}

int rewrite_nam_file() {
    std::vector<std::string> order = order_source_files();
    OutputFile& nam = g_tree.nam;
    nam.handle = open_tracked_file(nam.temp_name.c_str(), "w");
    if (nam.handle < 0) {
        int r = report_converter_message(kMessageError, kCodeCannotWrite, kMsgCannotWrite, nam.temp_name);
        return r == 1 ? kCodeCannotWrite : r;
    }
    const int number = get_file_number(nam.temp_name.c_str());
    int result = kCodeOk;
    for (const std::string& name : order) {
        if (write_output_line(name + "\n", nam.handle, number) != 0) {
            result = kCodeCannotWrite;
            break;
        }
    }
    int r = close_tracked_file(nam.handle);
    nam.handle = -1;
    if (result == kCodeOk && r != 0) result = kCodeCannotWrite;
    return result;
}

}  // namespace ctree
