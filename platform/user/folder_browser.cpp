// The shell's folder browser, フォルダの参照: the program's text over a tree
// of folders from "/" and from the user's home (a double click opens or
// closes a folder), opened down to the current folder; and the item lists
// it returns.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>

#include "platform/automation/host.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/common_dialog_window.h"
#include "platform/user/shellapi.h"

using automation::CommonDialogAnswer;
using automation::CommonDialogKind;
using namespace platform_user;

struct ITEMIDLIST {
    std::string path;
};

namespace {

enum : int {
    kText = 0x3742,
    kTree = 0x3741,
};

std::set<void*>& item_lists() {
    static std::set<void*> lists;
    return lists;
}

struct ShellAllocator : IMalloc {
    void* Alloc(size_t bytes) override { return std::malloc(bytes); }
    void Free(void* block) override { CoTaskMemFree(block); }
    unsigned long Release() override { return 1; }
};

struct Node {
    std::string path;
    std::string name;
    int depth = 0;
    bool open = false;
};

struct FolderRecord : CommonDialogState {
    BROWSEINFOA* info = nullptr;
    std::vector<Node> nodes;  // the tree as shown, top to bottom
    int picked = -1;
    std::string chosen;
};

// Opens node `at`: its folders come after it, one level deeper.
void open_node(FolderRecord& r, size_t at) {
    Node& node = r.nodes[at];
    if (node.open) return;
    node.open = true;
    std::vector<std::string> folders;
    list_folder(node.path, &folders, nullptr);
    std::vector<Node> children;
    for (const std::string& f : folders) children.push_back(Node{join_path(node.path, f), f, node.depth + 1, false});
    r.nodes.insert(r.nodes.begin() + static_cast<long>(at) + 1, children.begin(), children.end());
}

void close_node(FolderRecord& r, size_t at) {
    Node& node = r.nodes[at];
    node.open = false;
    size_t end = at + 1;
    while (end < r.nodes.size() && r.nodes[end].depth > node.depth) ++end;
    r.nodes.erase(r.nodes.begin() + static_cast<long>(at) + 1, r.nodes.begin() + static_cast<long>(end));
    if (r.picked > static_cast<int>(at)) r.picked = static_cast<int>(at);
}

// The roots, and the way down to the current folder opened.
void start_choice(FolderRecord& r) {
    const std::string home = home_folder();
    r.nodes.push_back(Node{"/", "/", 0, false});
    if (home != "/") r.nodes.push_back(Node{home, home, 0, false});
    std::string here = get_current_directory();
    here = here.empty() ? home : normal_path(here, "/");
    const bool in_home = home != "/" && (here == home || here.rfind(home + "/", 0) == 0);
    size_t at = in_home ? 1 : 0;
    while (true) {
        r.picked = static_cast<int>(at);
        if (r.nodes[at].path == here) break;
        open_node(r, at);
        size_t next = at;
        for (size_t i = at + 1; i < r.nodes.size() && r.nodes[i].depth > r.nodes[at].depth; ++i) {
            const std::string& p = r.nodes[i].path;
            if (here == p || here.rfind(p + "/", 0) == 0) next = i;
        }
        if (next == at) break;
        at = next;
    }
}

void fill_tree(HWND dialog, const FolderRecord& r) {
    HWND tree = GetDlgItem(dialog, kTree);
    SendMessageA(tree, LB_RESETCONTENT, 0, 0);
    for (const Node& n : r.nodes) SendMessageA(tree, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.name.c_str()));
    SendMessageA(tree, LB_SETCURSEL, static_cast<WPARAM>(r.picked), 0);
}

INT_PTR folder_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        keep_dialog_record(dialog, lparam);
        auto* r = dialog_record<FolderRecord>(dialog);
        fill_tree(dialog, *r);
        // the folders above the one picked stay in sight
        SendMessageA(GetDlgItem(dialog, kTree), LB_SETTOPINDEX, static_cast<WPARAM>(std::max(r->picked - 3, 0)), 0);
        SetFocus(GetDlgItem(dialog, kTree));
        return FALSE;
    }
    auto* r = dialog_record<FolderRecord>(dialog);
    if (!r) return FALSE;
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        if (item.itemID >= r->nodes.size()) return TRUE;
        const Node& n = r->nodes[item.itemID];
        draw_folder_item(item, n.depth * 12, n.open, n.name);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wparam);
    const int code = HIWORD(wparam);
    HWND tree = GetDlgItem(dialog, kTree);
    if (id == kTree && code == LBN_SELCHANGE) {
        r->picked = static_cast<int>(SendMessageA(tree, LB_GETCURSEL, 0, 0));
    } else if (id == kTree && code == LBN_DBLCLK) {
        r->picked = static_cast<int>(SendMessageA(tree, LB_GETCURSEL, 0, 0));
        if (r->picked < 0) return TRUE;
        const size_t at = static_cast<size_t>(r->picked);
        if (r->nodes[at].open) close_node(*r, at);
        else open_node(*r, at);
        LRESULT top = SendMessageA(tree, LB_GETTOPINDEX, 0, 0);
        fill_tree(dialog, *r);
        SendMessageA(tree, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    } else if (id == IDOK) {
        if (r->picked < 0 || r->picked >= static_cast<int>(r->nodes.size())) {
            MessageBeep(0);
            return TRUE;
        }
        r->chosen = r->nodes[static_cast<size_t>(r->picked)].path;
        end_common_dialog(dialog, true);
    } else if (id == IDCANCEL) {
        end_common_dialog(dialog, false);
    } else {
        return FALSE;
    }
    return TRUE;
}

HWND make_folder_dialog(FolderRecord& r, HWND owner) {
    DialogBuilder b("フォルダの参照"_sjis, 204, 176);
    b.add("STATIC", r.info->lpszTitle ? r.info->lpszTitle : "", kText, 7, 6, 190, 24, SS_LEFT | SS_NOPREFIX);
    b.add("LISTBOX", ""_sjis, kTree, 7, 32, 190, 118,
          WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS);
    b.add("BUTTON", "OK"_sjis, IDOK, 86, 156, 52, 14, BS_DEFPUSHBUTTON | WS_TABSTOP);
    b.add("BUTTON", "キャンセル"_sjis, IDCANCEL, 145, 156, 52, 14, BS_PUSHBUTTON | WS_TABSTOP);
    DialogTemplate t = b.make();
    return CreateDialogIndirectParamA(nullptr, &t, owner, folder_dialog_proc, reinterpret_cast<LPARAM>(&r));
}

}  // namespace

LPITEMIDLIST SHBrowseForFolderA(BROWSEINFOA* info) {
    if (!info) return nullptr;
    const std::string title = info->lpszTitle ? info->lpszTitle : "";
    FolderRecord r;
    r.info = info;
    start_choice(r);
    DialogOutcome outcome = run_common_dialog(
        CommonDialogKind::folder, title, info->hwndOwner, r, [&](HWND owner) { return make_folder_dialog(r, owner); },
        [&](const CommonDialogAnswer& answer) {
            if (answer.names.empty()) return false;
            r.chosen = answer.names[0];
            return true;
        });
    if (outcome != DialogOutcome::ok) return nullptr;
    auto* list = new ITEMIDLIST{r.chosen};
    item_lists().insert(list);
    if (info->pszDisplayName) {
        std::string path = list->path;
        while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
        size_t sep = std::string::npos;
        for (size_t i = 0; i < path.size(); i = next_char(path, i)) {
            if (path[i] == '\\' || path[i] == '/' || path[i] == ':') sep = i;
        }
        std::string name = sep == std::string::npos || path == "/" ? path : path.substr(sep + 1);
        size_t n = std::min(name.size(), static_cast<size_t>(MAX_PATH - 1));
        std::memcpy(info->pszDisplayName, name.data(), n);
        info->pszDisplayName[n] = '\0';
    }
    platform_automation::common_dialog_result(CommonDialogKind::folder, title, true, list->path);
    return list;
}

BOOL SHGetPathFromIDListA(LPCITEMIDLIST list, LPSTR path) {
    if (!list || !path || !item_lists().count(const_cast<ITEMIDLIST*>(list))) return FALSE;
    size_t n = std::min(list->path.size(), static_cast<size_t>(MAX_PATH - 1));
    std::memcpy(path, list->path.data(), n);
    path[n] = '\0';
    return TRUE;
}

void CoTaskMemFree(LPVOID block) {
    if (!block) return;
    auto it = item_lists().find(block);
    if (it != item_lists().end()) {
        item_lists().erase(it);
        delete static_cast<ITEMIDLIST*>(block);
        return;
    }
    std::free(block);
}

HRESULT SHGetMalloc(IMalloc** allocator) {
    static ShellAllocator shell_allocator;
    if (!allocator) return E_FAIL;
    *allocator = &shell_allocator;
    return S_OK;
}
