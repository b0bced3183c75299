// The macro table, #define and #undef, and macro substitution in #if
// expressions, in object-like bodies and in source lines (control macros).

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "common/analysis/analysis_state.h"
#include "common/analysis/messages.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/support.h"
#include "common/analysis/text_utils.h"
#include "common/analysis/whole_headers.h"

namespace {

// A substitution that keeps producing a macro name at the same place (a
// macro defined as itself, or a cycle) is stopped after this many rounds.
constexpr int kMaxRescans = 256;

constexpr int kMaxParameters = 99;

// Framework macros that mode 4 closes with a ";" (sorted, compared with case).
const char* const kFrameworkMacros[] = {
    "AFX_MANAGE_STATE", "AFX_SQL_ASYNC", "AFX_SQL_SYNC", "AFX_ZERO_INIT_OBJECT", "AND_CATCH", "AND_CATCH_ALL",
    "ASSERT", "ASSERT_KINDOF", "ASSERT_NULL_OR_POINTER", "ASSERT_POINTER", "ASSERT_VALID", "ASSERT_VALID_IDR",
    "AfxAllocTaskMem", "AfxAllocTaskOleString", "AfxAllocTaskString", "AfxDebugBreak",
    "AfxEnableControlContainer", "AfxFreeTaskMem", "AfxOutputDebugString", "BEGIN_CONNECTION_MAP",
    "BEGIN_CONNECTION_PART", "BEGIN_DISPATCH_MAP", "BEGIN_EVENTSINK_MAP", "BEGIN_EVENT_MAP",
    "BEGIN_INTERFACE_MAP", "BEGIN_INTERFACE_PART", "BEGIN_INTERFACE_PART_DERIVE", "BEGIN_MESSAGE_MAP",
    "BEGIN_OLEFACTORY", "BEGIN_PARSE_MAP", "BEGIN_PROPPAGEIDS", "BSTR2TBSTR", "CATCH", "CATCH_ALL",
    "CONNECTION_IID", "CONNECTION_PART", "DAO_CHECK", "DAO_CHECK_ERROR", "DAO_CHECK_MEM", "DAO_TRACE",
    "DEBUG_ONLY", "DECLARE_CONNECTION_MAP", "DECLARE_DISPATCH_MAP", "DECLARE_DYNAMIC", "DECLARE_DYNCREATE",
    "DECLARE_EVENTSINK_MAP", "DECLARE_EVENT_MAP", "DECLARE_INTERFACE_MAP", "DECLARE_MESSAGE_MAP",
    "DECLARE_OLECREATE", "DECLARE_OLECREATE_EX", "DECLARE_OLECTLTYPE", "DECLARE_OLETYPELIB",
    "DECLARE_PARSE_MAP", "DECLARE_PROPPAGEIDS", "DECLARE_SERIAL", "DEFAULT_PARSE_COMMAND", "DEVMODEA2W",
    "DEVMODEOLE2T", "DEVMODET2OLE", "DEVMODEW2A", "DISP_DEFVALUE", "DISP_DEFVALUE_ID", "DISP_FUNCTION",
    "DISP_FUNCTION_ID", "DISP_FUNCTION_STOCK", "DISP_PROPERTY", "DISP_PROPERTY_EX", "DISP_PROPERTY_EX_ID",
    "DISP_PROPERTY_ID", "DISP_PROPERTY_NOTIFY", "DISP_PROPERTY_NOTIFY_ID", "DISP_PROPERTY_PARAM",
    "DISP_PROPERTY_PARAM_ID", "DISP_PROPERTY_STOCK", "DISP_STOCKFUNC_DOCLICK", "DISP_STOCKFUNC_REFRESH",
    "DISP_STOCKPROP_APPEARANCE", "DISP_STOCKPROP_BACKCOLOR", "DISP_STOCKPROP_BORDERSTYLE",
    "DISP_STOCKPROP_CAPTION", "DISP_STOCKPROP_ENABLED", "DISP_STOCKPROP_FONT", "DISP_STOCKPROP_FORECOLOR",
    "DISP_STOCKPROP_HWND", "DISP_STOCKPROP_TEXT", "DYNAMIC_DOWNCAST", "END_CONNECTION_MAP",
    "END_CONNECTION_PART", "END_DISPATCH_MAP", "END_EVENTSINK_MAP", "END_EVENT_MAP", "END_INTERFACE_MAP",
    "END_INTERFACE_PART", "END_MESSAGE_MAP", "END_OLEFACTORY", "END_PARSE_MAP", "END_PROPPAGEIDS",
    "EVENT_CUSTOM", "EVENT_CUSTOM_ID", "EVENT_PARAM", "EVENT_STOCK_CLICK", "EVENT_STOCK_DBLCLICK",
    "EVENT_STOCK_ERROREVENT", "EVENT_STOCK_KEYDOWN", "EVENT_STOCK_KEYPRESS", "EVENT_STOCK_KEYUP",
    "EVENT_STOCK_MOUSEDOWN", "EVENT_STOCK_MOUSEMOVE", "EVENT_STOCK_MOUSEUP", "EXTERN_PROCESS_LOCAL",
    "EXTERN_THREAD_LOCAL", "ID_COMMAND_FROM_SC", "IMPLEMENT_DYNAMIC", "IMPLEMENT_DYNCREATE",
    "IMPLEMENT_OLECREATE", "IMPLEMENT_OLECREATE_EX", "IMPLEMENT_OLECTLTYPE", "IMPLEMENT_OLETYPELIB",
    "IMPLEMENT_SERIAL", "INIT_INTERFACE_PART", "INIT_INTERFACE_PART_DERIVE", "INTERFACE_AGGREGATE",
    "INTERFACE_PART", "ISAPIASSERT", "ISAPITRACE", "ISAPITRACE0", "ISAPITRACE1", "ISAPITRACE2",
    "ISAPITRACE3", "ISAPIVERIFY", "IS_COMMAND_ID", "METHOD_MANAGE_STATE", "METHOD_PROLOGUE",
    "METHOD_PROLOGUE_", "METHOD_PROLOGUE_EX", "METHOD_PROLOGUE_EX_", "OLE2CT", "OLE2T", "ON_BN_CLICKED",
    "ON_BN_DISABLE", "ON_BN_DOUBLECLICKED", "ON_BN_HILITE", "ON_BN_KILLFOCUS", "ON_BN_PAINT",
    "ON_BN_SETFOCUS", "ON_BN_UNHILITE", "ON_CBN_CLOSEUP", "ON_CBN_DBLCLK", "ON_CBN_DROPDOWN",
    "ON_CBN_EDITCHANGE", "ON_CBN_EDITUPDATE", "ON_CBN_ERRSPACE", "ON_CBN_KILLFOCUS", "ON_CBN_SELCHANGE",
    "ON_CBN_SELENDCANCEL", "ON_CBN_SELENDOK", "ON_CBN_SETFOCUS", "ON_CLBN_CHKCHANGE", "ON_COMMAND",
    "ON_COMMAND_EX", "ON_COMMAND_EX_RANGE", "ON_COMMAND_RANGE", "ON_CONTROL", "ON_CONTROL_RANGE",
    "ON_CONTROL_REFLECT", "ON_CONTROL_REFLECT_EX", "ON_EN_CHANGE", "ON_EN_ERRSPACE", "ON_EN_HSCROLL",
    "ON_EN_KILLFOCUS", "ON_EN_MAXTEXT", "ON_EN_SETFOCUS", "ON_EN_UPDATE", "ON_EN_VSCROLL", "ON_EVENT",
    "ON_EVENT_RANGE", "ON_EVENT_REFLECT", "ON_LBN_DBLCLK", "ON_LBN_ERRSPACE", "ON_LBN_KILLFOCUS",
    "ON_LBN_SELCANCEL", "ON_LBN_SELCHANGE", "ON_LBN_SETFOCUS", "ON_MESSAGE", "ON_MESSAGE_VOID", "ON_NOTIFY",
    "ON_NOTIFY_EX", "ON_NOTIFY_EX_RANGE", "ON_NOTIFY_RANGE", "ON_NOTIFY_REFLECT", "ON_NOTIFY_REFLECT_EX",
    "ON_OLEVERB", "ON_PARSE_COMMAND", "ON_PARSE_COMMAND_PARAMS", "ON_PROPNOTIFY", "ON_PROPNOTIFY_RANGE",
    "ON_PROPNOTIFY_REFLECT", "ON_REGISTERED_MESSAGE", "ON_STDOLEVERB", "ON_STN_CLICKED", "ON_STN_DBLCLK",
    "ON_STN_DISABLE", "ON_STN_ENABLE", "ON_UPDATE_COMMAND_UI", "ON_UPDATE_COMMAND_UI_RANGE",
    "ON_UPDATE_COMMAND_UI_REFLECT", "ON_WM_ACTIVATE", "ON_WM_ACTIVATEAPP", "ON_WM_ASKCBFORMATNAME",
    "ON_WM_CANCELMODE", "ON_WM_CAPTURECHANGED", "ON_WM_CHANGECBCHAIN", "ON_WM_CHAR", "ON_WM_CHARTOITEM",
    "ON_WM_CHARTOITEM_REFLECT", "ON_WM_CHILDACTIVATE", "ON_WM_CLOSE", "ON_WM_COMPACTING",
    "ON_WM_COMPAREITEM", "ON_WM_COMPAREITEM_REFLECT", "ON_WM_CONTEXTMENU", "ON_WM_CREATE", "ON_WM_CTLCOLOR",
    "ON_WM_CTLCOLOR_REFLECT", "ON_WM_DEADCHAR", "ON_WM_DELETEITEM", "ON_WM_DELETEITEM_REFLECT",
    "ON_WM_DESTROY", "ON_WM_DESTROYCLIPBOARD", "ON_WM_DEVICECHANGE", "ON_WM_DEVMODECHANGE",
    "ON_WM_DRAWCLIPBOARD", "ON_WM_DRAWITEM", "ON_WM_DRAWITEM_REFLECT", "ON_WM_DROPFILES", "ON_WM_ENABLE",
    "ON_WM_ENDSESSION", "ON_WM_ENTERIDLE", "ON_WM_ENTERMENULOOP", "ON_WM_ERASEBKGND", "ON_WM_EXITMENULOOP",
    "ON_WM_FONTCHANGE", "ON_WM_GETDLGCODE", "ON_WM_GETMINMAXINFO", "ON_WM_HELPINFO", "ON_WM_HSCROLL",
    "ON_WM_HSCROLLCLIPBOARD", "ON_WM_HSCROLL_REFLECT", "ON_WM_ICONERASEBKGND", "ON_WM_INITMENU",
    "ON_WM_INITMENUPOPUP", "ON_WM_KEYDOWN", "ON_WM_KEYUP", "ON_WM_KILLFOCUS", "ON_WM_LBUTTONDBLCLK",
    "ON_WM_LBUTTONDOWN", "ON_WM_LBUTTONUP", "ON_WM_MBUTTONDBLCLK", "ON_WM_MBUTTONDOWN", "ON_WM_MBUTTONUP",
    "ON_WM_MDIACTIVATE", "ON_WM_MEASUREITEM", "ON_WM_MEASUREITEM_REFLECT", "ON_WM_MENUCHAR",
    "ON_WM_MENUSELECT", "ON_WM_MOUSEACTIVATE", "ON_WM_MOUSEMOVE", "ON_WM_MOVE", "ON_WM_MOVING",
    "ON_WM_NCACTIVATE", "ON_WM_NCCALCSIZE", "ON_WM_NCCREATE", "ON_WM_NCDESTROY", "ON_WM_NCHITTEST",
    "ON_WM_NCLBUTTONDBLCLK", "ON_WM_NCLBUTTONDOWN", "ON_WM_NCLBUTTONUP", "ON_WM_NCMBUTTONDBLCLK",
    "ON_WM_NCMBUTTONDOWN", "ON_WM_NCMBUTTONUP", "ON_WM_NCMOUSEMOVE", "ON_WM_NCPAINT", "ON_WM_NCRBUTTONDBLCLK",
    "ON_WM_NCRBUTTONDOWN", "ON_WM_NCRBUTTONUP", "ON_WM_PAINT", "ON_WM_PAINTCLIPBOARD", "ON_WM_PALETTECHANGED",
    "ON_WM_PALETTEISCHANGING", "ON_WM_PARENTNOTIFY", "ON_WM_PARENTNOTIFY_REFLECT", "ON_WM_QUERYDRAGICON",
    "ON_WM_QUERYENDSESSION", "ON_WM_QUERYNEWPALETTE", "ON_WM_QUERYOPEN", "ON_WM_RBUTTONDBLCLK",
    "ON_WM_RBUTTONDOWN", "ON_WM_RBUTTONUP", "ON_WM_RENDERALLFORMATS", "ON_WM_RENDERFORMAT", "ON_WM_SETCURSOR",
    "ON_WM_SETFOCUS", "ON_WM_SHOWWINDOW", "ON_WM_SIZE", "ON_WM_SIZECLIPBOARD", "ON_WM_SIZING",
    "ON_WM_SPOOLERSTATUS", "ON_WM_STYLECHANGED", "ON_WM_STYLECHANGING", "ON_WM_SYSCHAR",
    "ON_WM_SYSCOLORCHANGE", "ON_WM_SYSCOMMAND", "ON_WM_SYSDEADCHAR", "ON_WM_SYSKEYDOWN", "ON_WM_SYSKEYUP",
    "ON_WM_TCARD", "ON_WM_TIMECHANGE", "ON_WM_TIMER", "ON_WM_VKEYTOITEM", "ON_WM_VKEYTOITEM_REFLECT",
    "ON_WM_VSCROLL", "ON_WM_VSCROLLCLIPBOARD", "ON_WM_VSCROLL_REFLECT", "ON_WM_WINDOWPOSCHANGED",
    "ON_WM_WINDOWPOSCHANGING", "ON_WM_WININICHANGE", "PROCESS_LOCAL", "PROPPAGEID", "STATIC_DOWNCAST",
    "T2COLE", "T2OLE", "TASKSTRINGOLE2T", "TASKSTRINGT2OLE", "TEXTMETRICA2W", "TEXTMETRICOLE2T",
    "TEXTMETRICT2OLE", "TEXTMETRICW2A", "THREAD_LOCAL", "THROW", "THROW_LAST", "UNUSED", "UNUSED_ALWAYS",
    "VERIFY", "V_BSTRT", "_IMPLEMENT_RUNTIMECLASS",
};
constexpr int kFrameworkMacroCount = sizeof kFrameworkMacros / sizeof kFrameworkMacros[0];
static_assert(kFrameworkMacroCount == 346, "the framework macro list is fixed");

bool is_framework_macro(std::string_view name) {
    // every word of a line is asked in mode 4: a hash answers at once, and
    // most words start in lower case, as none of these does
    if (name.empty() || (name[0] >= 'a' && name[0] <= 'z')) return false;
    static const std::unordered_set<std::string_view> names(std::begin(kFrameworkMacros), std::end(kFrameworkMacros));
    return names.count(name) != 0;
}

// The table without the places of removed nodes, every index taken again.
void compact_macro_table() {
    std::erase(g_analysis.macros, nullptr);
    g_analysis.macro_index.clear();
    for (size_t i = 0; i < g_analysis.macros.size(); ++i) g_analysis.macro_index[g_analysis.macros[i]->name] = i;
}

// Removes the node of that name; true when one was there. Its place in the
// list stays empty, so that no other node moves: #undef and redefinition
// cost the same however many macros there are. The list is compacted when
// the empty places outnumber the rest.
void note_trace_lookup(std::string_view name, const MacroNode* node);

bool remove_macro(std::string_view name) {
    auto it = g_analysis.macro_index.find(name);
    const MacroNode* found = it == g_analysis.macro_index.end() ? nullptr : g_analysis.macros[it->second].get();
    if (g_analysis.trace_capture != nullptr) note_trace_lookup(name, found);
    if (noting_whole_readings()) note_whole_lookup(name, found);
    if (it == g_analysis.macro_index.end()) return false;
    if (found->control_kind > 0) --g_analysis.control_macro_count;
    const size_t place = it->second;
    // the index's key lies in the node: it goes first
    g_analysis.macro_index.erase(it);
    g_analysis.macros[place].reset();
    if (g_analysis.macros.size() > 2 * g_analysis.macro_index.size() + 64) compact_macro_table();
    return true;
}

int length_bit(size_t length) { return static_cast<int>(length < 63 ? length : 63); }

// The stamps of the definitions entered in the process, by what they
// define, so that a definition worked out again gets the stamp it had. Past
// the limit a definition gets a stamp of its own.
constexpr size_t kMaxStampedDefinitions = 1 << 16;
uint64_t g_next_stamp = 1;

void add_key_part(std::string& key, std::string_view part) {
    const uint32_t size = static_cast<uint32_t>(part.size());
    key.append(reinterpret_cast<const char*>(&size), sizeof size);
    key.append(part);
}

void stamp_definition(MacroNode& node) {
    if (node.stamp != 0) return;
    static std::unordered_map<std::string, uint64_t> stamps;
    if (stamps.size() >= kMaxStampedDefinitions) {
        node.stamp = g_next_stamp++;
        return;
    }
    std::string key;
    const int numbers[] = {node.param_count, node.control_kind, static_cast<int>(node.pieces.size())};
    key.append(reinterpret_cast<const char*>(numbers), sizeof numbers);
    add_key_part(key, node.name);
    add_key_part(key, node.body);
    for (const MacroPiece& piece : node.pieces) {
        const int marks[] = {piece.param_index, piece.stringize ? 1 : 0};
        key.append(reinterpret_cast<const char*>(marks), sizeof marks);
        add_key_part(key, piece.text);
    }
    auto [it, made] = stamps.try_emplace(std::move(key), g_next_stamp);
    if (made) ++g_next_stamp;
    node.stamp = it->second;
}

// `node` is stamped.
void append_macro(std::shared_ptr<const MacroNode> node) {
    reserve_more(g_analysis.macros);
    g_analysis.macro_index[node->name] = g_analysis.macros.size();
    if (node->control_kind > 0) {
        ++g_analysis.control_macro_count;
        g_analysis.control_name_lengths |= uint64_t{1} << length_bit(node->name.size());
        const unsigned char first = node->name.empty() ? 0 : static_cast<unsigned char>(node->name[0]) & 127;
        g_analysis.control_name_starts[first >> 6] |= uint64_t{1} << (first & 63);
    }
    g_analysis.macros.push_back(std::move(node));
}

bool could_name_control_macro(std::string_view name) {
    if ((g_analysis.control_name_lengths >> length_bit(name.size()) & 1) == 0) return false;
    const unsigned char first = static_cast<unsigned char>(name[0]) & 127;
    return (g_analysis.control_name_starts[first >> 6] >> (first & 63) & 1) != 0;
}

// Deletes every "##" outside literals, with the blanks directly before and
// after it: "a ## b" pastes like "a##b", as in C.
void delete_paste_operators(std::string& text) {
    if (text.find("##") == std::string::npos) return;
    std::vector<unsigned char> map;
    mark_literals(text, map);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (map[i] == 0 && text[i] == '#' && i + 1 < text.size() && text[i + 1] == '#' && map[i + 1] == 0) {
            while (!out.empty() && out.back() == ' ') out.pop_back();
            ++i;
            while (i + 1 < text.size() && text[i + 1] == ' ') ++i;
            continue;
        }
        out += text[i];
    }
    text.swap(out);
}

int expand_definition_body(std::string& body, std::string_view name);

// While a definition's body is substituted, every name it looks up.
std::vector<KeptLookup>* g_lookups = nullptr;

void note_lookup(std::string_view name, const MacroNode* node) {
    for (const KeptLookup& seen : *g_lookups)
        if (seen.name == name) return;
    KeptLookup& lookup = g_lookups->emplace_back();
    lookup.name = name;
    lookup.stamp = node != nullptr ? node->stamp : 0;
}

// While an include file's line is traced, every name it looks up, as the
// line found it (a name it changed itself is asked before the change).
void note_trace_lookup(std::string_view name, const MacroNode* node) {
    IncludeTrace& trace = *g_analysis.capture_trace;
    std::vector<TraceLookup>& lookups = trace.lookups;
    for (size_t i = g_analysis.trace_capture->lookups_at; i < lookups.size(); ++i)
        if (std::string_view(trace.text.data() + lookups[i].name_at, lookups[i].name_size) == name) return;
    reserve_more(lookups);
    reserve_more(trace.text, name.size());
    TraceLookup& lookup = lookups.emplace_back();
    lookup.name_at = static_cast<uint32_t>(trace.text.size());
    lookup.name_size = static_cast<uint32_t>(name.size());
    lookup.stamp = node != nullptr ? node->stamp : 0;
    trace.text.append(name);
}

// A macro change of the line being traced.
void note_trace_change(std::shared_ptr<const MacroNode> change) {
    std::vector<std::shared_ptr<const MacroNode>>& defined = g_analysis.capture_trace->defined;
    reserve_more(defined);
    defined.push_back(std::move(change));
}

const MacroNode* indexed_macro(std::string_view name) {
    auto it = g_analysis.macro_index.find(name);
    const MacroNode* node = it == g_analysis.macro_index.end() ? nullptr : g_analysis.macros[it->second].get();
    if (g_analysis.trace_capture != nullptr) note_trace_lookup(name, node);
    if (noting_whole_readings()) note_whole_lookup(name, node);
    return node;
}

// Whether a name that no filter lets through is looked up all the same:
// what a trace or a whole reading holds must not depend on the filter.
bool asking_every_name() { return g_analysis.trace_capture != nullptr || noting_whole_readings(); }

// Whether the names a kept definition looked up name what they named then.
bool kept_definition_holds(const KeptDefinition& kept) {
    if (kept.mode4 != (g_analysis.settings.control_macro_mode == 4)) return false;
    for (const KeptLookup& lookup : kept.lookups) {
        const MacroNode* found = indexed_macro(lookup.name);
        if ((found == nullptr ? 0 : found->stamp) != lookup.stamp) return false;
    }
    return true;
}

// Enters a worked-out definition (stamped; the table, the traces and the
// kept lines share it): an object-like macro defined again with the same
// body changes nothing, any other redefinition is warned of.
int enter_definition(std::shared_ptr<const MacroNode> node) {
    if (noting_whole_readings()) note_whole_change(node);
    int result = kCodeOk;
    if (node->param_count < 0) {
        const MacroNode* existing = find_macro(node->name);
        if (existing != nullptr && existing->param_count < 0 &&
            (existing->stamp == node->stamp || existing->body == node->body))
            return kCodeOk;
        if (remove_macro(node->name)) {
            int r = raise_warning(-135, kMsgMacroRedefined);
            if (r < -99) result = r;
        }
    } else if (remove_macro(node->name)) {
        int r = raise_warning(-135, kMsgMacroRedefined);
        if (r < -99) return r;
    }
    append_macro(std::move(node));
    return result;
}

int enter_new_definition(MacroNode node) {
    stamp_definition(node);
    return enter_definition(std::make_shared<const MacroNode>(std::move(node)));
}

// The function-like definition of `name_with_params` ("F(a,b)"); false,
// with the message raised, when its parameters cannot be read.
int parse_function_macro(std::string_view name_with_params, std::string_view body_text, MacroNode& node);

// Position after the identifier or number that starts at pos.
int token_end(std::string_view text, int pos) { return skip_identifier(text, pos); }

}  // namespace

// --- table ---------------------------------------------------------------------

const MacroNode* find_macro(std::string_view name) {
    const MacroNode* node = indexed_macro(name);
    if (g_lookups != nullptr) note_lookup(name, node);
    return node;
}

int lookup_macro(std::string_view name, std::string* body, int* control_kind) {
    const MacroNode* node = find_macro(name);
    if (node == nullptr) return 0;
    if (body != nullptr) *body = node->body;
    if (control_kind != nullptr) *control_kind = node->control_kind;
    return node->param_count < 0 ? 1 : 2;
}

int macro_count() { return static_cast<int>(g_analysis.macro_index.size()); }

void truncate_macro_table(int n) {
    if (n < 0) n = 0;
    if (n >= macro_count()) return;
    compact_macro_table();
    for (size_t i = static_cast<size_t>(n); i < g_analysis.macros.size(); ++i)
        g_analysis.macro_index.erase(g_analysis.macros[i]->name);
    g_analysis.macros.resize(static_cast<size_t>(n));
    g_analysis.control_macro_count =
        static_cast<int>(std::count_if(g_analysis.macros.begin(), g_analysis.macros.end(),
                                       [](const std::shared_ptr<const MacroNode>& node) { return node->control_kind > 0; }));
}

void clear_macro_table() {
    g_analysis.macros.clear();
    g_analysis.macro_index.clear();
    g_analysis.control_macro_count = 0;
    g_analysis.control_name_lengths = 0;
    g_analysis.control_name_starts[0] = g_analysis.control_name_starts[1] = 0;
}

int control_macro_kind(std::string_view body) {
    static const char* const kControlWords[] = {"if", "else", "for", "while", "do", "switch", "case", "default"};
    std::vector<unsigned char> map;
    if (has_quotes(body)) {
        mark_literals(body, map);
    } else {
        map.assign(body.size() + 1, 0);
    }
    int parens = 0, braces = 0;
    bool has_brace = false;
    for (size_t i = 0; i < body.size(); ++i) {
        if (map[i] != 0) continue;
        switch (body[i]) {
            case '(': ++parens; break;
            case ')': --parens; break;
            case '{': ++braces; has_brace = true; break;
            case '}': --braces; has_brace = true; break;
            default: break;
        }
    }
    if (parens != 0 || braces != 0 || has_brace) return 2;
    int n = static_cast<int>(body.size());
    for (int i = 1; i < n; ++i) {
        if (map[i] != 0 || !is_identifier_start(static_cast<unsigned char>(body[i])) ||
            is_identifier_char(static_cast<unsigned char>(body[i - 1])))
            continue;
        // a control word is a whole identifier: only those as short are compared
        const int end = skip_identifier(body, i);
        if (end - i <= 7) {
            const std::string_view word = body.substr(static_cast<size_t>(i), static_cast<size_t>(end - i));
            for (const char* w : kControlWords)
                if (word == w) return 1;
        }
        i = end - 1;
    }
    if (g_analysis.settings.control_macro_mode == 4 && n > 0 && (body[n - 1] == ';' || body[n - 1] == ')'))
        return 3;
    return 0;
}

int define_macro(std::string_view name, std::string_view body) {
    MacroNode node;
    node.name = name;
    node.body = body;
    node.param_count = -1;
    node.control_kind = control_macro_kind(body);
    return enter_new_definition(std::move(node));
}

int define_function_macro(std::string_view name_with_params, std::string_view body_text) {
    MacroNode node;
    int r = parse_function_macro(name_with_params, body_text, node);
    return r != kCodeOk ? r : enter_new_definition(std::move(node));
}

namespace {
int parse_function_macro(std::string_view name_with_params, std::string_view body_text, MacroNode& node) {
    int open = find_char(name_with_params, '(');
    int close = find_char(name_with_params, ')');
    if (open <= 0 || close < open) return raise_message(kMessageError, -128, kMsgDefineSyntax);
    std::string name(name_with_params.substr(0, open));

    std::vector<std::string> params;
    std::string_view list = name_with_params.substr(open + 1, close - open - 1);
    int i = 0;
    while (i < static_cast<int>(list.size())) {
        int end = skip_identifier(list, i);
        if (end == i) {
            ++i;  // the separator
            continue;
        }
        if (static_cast<int>(params.size()) >= kMaxParameters) {
            // the definition it replaces goes, and is warned of, all the same
            if (remove_macro(name)) {
                int r = raise_warning(-135, kMsgMacroRedefined);
                if (r < -99) return r;
            }
            return raise_message(kMessageError, -128, kMsgDefineSyntax);
        }
        params.emplace_back(list.substr(i, end - i));
        i = end;
    }

    node.name = name;
    node.param_count = static_cast<int>(params.size());
    std::string body(body_text);
    if (params.empty()) {
        node.body = body;
        node.control_kind = control_macro_kind(body);
        return kCodeOk;
    }

    std::vector<unsigned char> map;
    if (has_quotes(body)) {
        mark_literals(body, map);
    } else {
        map.assign(body.size() + 1, 0);
    }
    std::string carry;  // text that opens the next piece (a closing quote)
    int piece_start = 0;
    int n = static_cast<int>(body.size());
    int p = 0;
    while (p < n) {
        unsigned char c = static_cast<unsigned char>(body[p]);
        if (map[p] != 0) {
            ++p;
            continue;
        }
        if (is_dbcs_at(body, p)) {
            p += 2;
            continue;
        }
        if (!is_identifier_char(c)) {
            ++p;
            continue;
        }
        if (!is_identifier_start(c)) {  // a number
            p = token_end(body, p);
            continue;
        }
        int end = token_end(body, p);
        std::string_view word = std::string_view(body).substr(p, end - p);
        int index = -1;
        for (size_t k = 0; k < params.size(); ++k)
            if (params[k] == word) {
                index = static_cast<int>(k);
                break;
            }
        if (index < 0) {
            p = end;
            continue;
        }
        MacroPiece piece;
        piece.text = carry + body.substr(piece_start, p - piece_start);
        carry.clear();
        delete_paste_operators(piece.text);
        piece.param_index = index;
        if (!piece.text.empty() && piece.text.back() == '#') {
            piece.text.back() = '"';
            piece.stringize = true;
            carry.assign(1, '"');
        }
        node.pieces.push_back(std::move(piece));
        piece_start = end;
        p = end;
    }
    node.body = carry + body.substr(piece_start);
    delete_paste_operators(node.body);
    node.control_kind = control_macro_kind(body);
    return kCodeOk;
}
}  // namespace

int handle_define_directive(std::string_view line) {
    int i = directive_operand(line, "define");
    if (i < 0) return 0;
    // a header's line read again enters what it defined while that still holds
    KeptLine* kept = g_analysis.line_kept;
    if (kept != nullptr && kept->definition != nullptr && kept_definition_holds(*kept->definition)) {
        if (g_analysis.trace_capture != nullptr) note_trace_change(kept->definition->node);
        return enter_definition(kept->definition->node);
    }
    const int messages = g_analysis.messages_met;
    // a line that ends inside a literal is no definition
    if (has_quotes(line)) {
        std::vector<unsigned char> map;
        mark_literals(line, map);
        if (!line.empty() && map[line.size() - 1] != 0 && map[line.size() - 1] != 3)
            return raise_message(kMessageError, -128, kMsgDefineSyntax);
    }
    int name_end = i;
    while (name_end < static_cast<int>(line.size()) && line[name_end] != ' ') ++name_end;
    std::string_view name = line.substr(i, name_end - i);
    if (name.empty()) return raise_message(kMessageError, -128, kMsgDefineSyntax);

    MacroNode node;
    std::vector<KeptLookup> lookups;
    if (find_char(name, '(') >= 0) {
        int close = static_cast<int>(line.find(')', static_cast<size_t>(i)));
        if (close < 0) return raise_message(kMessageError, -128, kMsgDefineSyntax);
        std::string head;
        remove_blanks(line.substr(i, close - i + 1), head, static_cast<int>(line.size()) + 2);
        std::string body(line.substr(close + 1));
        trim_leading_blanks(body);
        trim_trailing_blanks(body);
        int r = parse_function_macro(head, body, node);
        if (r != kCodeOk) return r;
    } else {
        std::string body(line.substr(name_end));
        trim_leading_blanks(body);
        trim_trailing_blanks(body);
        if (kept != nullptr) g_lookups = &lookups;
        int r = expand_definition_body(body, name);
        g_lookups = nullptr;
        if (r < -49) return r;
        node.name = name;
        node.body = std::move(body);
        node.param_count = -1;
        node.control_kind = control_macro_kind(node.body);
    }
    stamp_definition(node);
    // the kept line and the trace share one copy
    std::shared_ptr<const MacroNode> shared;
    if (kept != nullptr) {
        kept->definition.reset();
        if (messages == g_analysis.messages_met) {
            shared = std::make_shared<const MacroNode>(std::move(node));
            kept->definition = std::make_unique<KeptDefinition>();
            kept->definition->node = shared;
            kept->definition->mode4 = g_analysis.settings.control_macro_mode == 4;
            kept->definition->lookups = std::move(lookups);
        }
    }
    if (!shared) shared = std::make_shared<const MacroNode>(std::move(node));
    if (g_analysis.trace_capture != nullptr) note_trace_change(shared);
    return enter_definition(std::move(shared));
}

int handle_undef_directive(std::string_view line) {
    int i = directive_operand(line, "undef");
    if (i < 0) return 0;
    int end = i;
    while (end < static_cast<int>(line.size()) && line[end] != ' ') ++end;
    if (g_analysis.trace_capture != nullptr || noting_whole_readings()) {
        auto removed = std::make_shared<MacroNode>();
        removed->name = line.substr(i, end - i);
        removed->param_count = -2;
        std::shared_ptr<const MacroNode> change = std::move(removed);
        if (g_analysis.trace_capture != nullptr) note_trace_change(change);
        if (noting_whole_readings()) note_whole_change(change);
    }
    remove_macro(line.substr(i, end - i));
    return kCodeOk;
}

void enter_undefined_macro(const std::shared_ptr<const MacroNode>& node) {
    if (noting_whole_readings()) note_whole_change(node);
    append_macro(node);
}

void replay_macro_change(const std::shared_ptr<const MacroNode>& change) {
    if (change->param_count != -2) {
        enter_definition(change);
        return;
    }
    if (noting_whole_readings()) note_whole_change(change);
    remove_macro(change->name);
}

// --- substitution --------------------------------------------------------------------

int stringize_argument(std::string_view argument, std::string& out) {
    out.clear();
    bool in_literal = false;
    size_t i = 0;
    while (i < argument.size()) {
        char c = argument[i];
        if (!in_literal && c == ' ') {
            while (i < argument.size() && argument[i] == ' ') ++i;
            out += ' ';
            continue;
        }
        if (c == '"') {
            out += "\\\"";
            in_literal = !in_literal;
        } else if (c == '\\' && i + 1 < argument.size() && (argument[i + 1] == '"' || argument[i + 1] == '\'')) {
            out += "\\\\\\";
            out += argument[i + 1];
            ++i;
        } else if (c == '\\') {
            out += in_literal ? "\\\\" : "\\";
        } else {
            out += c;
        }
        ++i;
    }
    return static_cast<int>(out.size());
}

void replace_defined(std::string& expression) {
    std::vector<unsigned char> map;
    mark_literals(expression, map);
    int i = 0;
    while (i < static_cast<int>(expression.size())) {
        unsigned char c = static_cast<unsigned char>(expression[i]);
        if (map[i] != 0 || !is_identifier_char(c)) {
            i += (map[i] == 0 && is_dbcs_at(expression, i)) ? 2 : 1;
            continue;
        }
        int end = skip_identifier(expression, i);
        if (std::string_view(expression).substr(i, end - i) != "defined") {
            i = end;
            continue;
        }
        int p = skip_blanks(expression, end);
        bool paren = byte_at(expression, p) == '(';
        if (paren) p = skip_blanks(expression, p + 1);
        int name_end = skip_identifier(expression, p);
        if (name_end == p) {
            i = end;
            continue;
        }
        int stop = name_end;
        if (paren) {
            stop = skip_blanks(expression, name_end);
            if (byte_at(expression, stop) != ')') {
                i = end;
                continue;
            }
            ++stop;
        }
        bool known = find_macro(std::string_view(expression).substr(p, name_end - p)) != nullptr;
        expression.replace(static_cast<size_t>(i), static_cast<size_t>(stop - i), known ? "(1)" : "(0)");
        mark_literals(expression, map);
        i += 3;
    }
}

int expand_macros(int call_pos, std::string& text, const MacroNode& macro, int report) {
    const int limit = g_analysis.profile->line_size - 1;
    int name_end = call_pos + static_cast<int>(macro.name.size());
    int open = skip_blanks(text, name_end);
    if (byte_at(text, open) != '(') return 0;

    std::vector<unsigned char> map;
    mark_literals(text, map);
    int depth = 0, close = -1;
    std::vector<std::pair<int, int>> args;
    int arg_start = open + 1;
    for (int i = open; i < static_cast<int>(text.size()); ++i) {
        if (map[i] != 0) continue;
        char c = text[i];
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (--depth == 0) {
                args.emplace_back(arg_start, i);
                close = i;
                break;
            }
        } else if (c == ',' && depth == 1) {
            args.emplace_back(arg_start, i);
            arg_start = i + 1;
        }
    }
    if (close < 0) {
        // the message is -131, the result -132 unless the error file failed
        if (report) {
            int r = report_message(kMessageError, -131, kMsgMacroUse, text);
            if (r < -99) return r;
        }
        return -132;
    }

    std::vector<std::string> values;
    for (auto [from, to] : args) {
        std::string value = text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
        trim_leading_blanks(value);
        trim_trailing_blanks(value);
        values.push_back(std::move(value));
    }
    // F() of a macro without parameters is a call with no arguments
    if (macro.param_count == 0 && values.size() == 1 && values[0].empty()) values.clear();
    for (const std::string& v : values) {
        if (v.empty()) return raise_message(kMessageError, -131, kMsgMacroUse, text);
    }
    if (static_cast<int>(values.size()) != macro.param_count) {
        int r = raise_warning(-131, kMsgMacroUse, text);
        return r < -99 ? r : 0;
    }

    std::string result = text.substr(0, static_cast<size_t>(call_pos));
    std::string quoted;
    for (const MacroPiece& piece : macro.pieces) {
        result += piece.text;
        const std::string& value = values[static_cast<size_t>(piece.param_index)];
        if (piece.stringize) {
            stringize_argument(value, quoted);
            result += quoted;
        } else {
            result += value;
        }
        if (static_cast<int>(result.size()) >= limit) break;
    }
    result += macro.body;
    result.append(text, static_cast<size_t>(close + 1), std::string::npos);
    if (static_cast<int>(result.size()) >= limit)
        return raise_message(kMessageError, -101, kMsgMacroTooLong, text);
    text.swap(result);
    return 1;
}

namespace {

// The walk shared by the #if substitution and the control-macro expansion:
// decide, for each identifier outside literals, what becomes of it.
enum class Action { Skip, Substitute, Zero };

// With `control_only` the decision only ever substitutes control macros, so
// a word that cannot name one is handed over as naming no macro.
template <typename Decide>
int substitute_identifiers(std::string& text, int size, int report_calls, int warn_flag, Decide decide,
                           bool control_only = false) {
    int pos = 0;
    int rescans = 0;
    int rescan_pos = -1;
    std::vector<unsigned char> map;
    bool literals = false;  // the map is needed only for a text with quotes
    bool map_stale = true;
    while (pos < static_cast<int>(text.size())) {
        if (map_stale) {
            literals = has_quotes(text);
            if (literals) mark_literals(text, map);
            map_stale = false;
        }
        unsigned char c = static_cast<unsigned char>(text[pos]);
        if (literals && map[pos] != 0) {
            ++pos;
            continue;
        }
        if (!is_identifier_char(c)) {
            pos += is_dbcs_at(text, pos) ? 2 : 1;
            continue;
        }
        int end = skip_identifier(text, pos);
        if (!is_identifier_start(c)) {  // a number
            pos = end;
            continue;
        }
        std::string_view name = std::string_view(text).substr(pos, end - pos);
        const MacroNode* macro = nullptr;
        if (!control_only || could_name_control_macro(name)) macro = find_macro(name);
        else if (asking_every_name()) indexed_macro(name);
        Action action = decide(text, pos, end, macro);
        if (action == Action::Skip) {
            pos = end;
            continue;
        }
        if (action == Action::Zero) {
            text.replace(static_cast<size_t>(pos), static_cast<size_t>(end - pos), 1, '0');
            map_stale = true;
            pos += 1;
            continue;
        }
        // a macro substitution rescans from the same position
        if (pos == rescan_pos) {
            if (++rescans > kMaxRescans) return raise_message(kMessageError, -101, kMsgMacroTooLong, text);
        } else {
            rescan_pos = pos;
            rescans = 0;
        }
        if (macro->param_count < 0) {
            std::string body = macro->body;
            if (warn_flag && body.empty()) {
                int r = raise_warning(-134, kMsgUndefinedIfMacro);
                if (r < -99) return r;
                body.assign(1, '0');
            }
            if (static_cast<int>(text.size()) - (end - pos) + static_cast<int>(body.size()) >= size)
                return raise_message(kMessageError, -101, kMsgMacroTooLong, text);
            text.replace(static_cast<size_t>(pos), static_cast<size_t>(end - pos), body);
            map_stale = true;
            continue;
        }
        int r = expand_macros(pos, text, *macro, report_calls);
        if (r == 1) {
            map_stale = true;
            continue;
        }
        if (r < 0) return r;
        pos = end;
    }
    return kCodeOk;
}

}  // namespace

namespace {
// The body of a new definition is substituted with the macros known so far;
// a use of the name being defined stays as it is, so redefining a macro
// that names itself cannot loop.
int expand_definition_body(std::string& body, std::string_view name) {
    return substitute_identifiers(body, g_analysis.profile->line_size, 1, 0,
                                  [&](const std::string& text, int pos, int end, const MacroNode* macro) {
                                      if (macro == nullptr) return Action::Skip;
                                      std::string_view word = std::string_view(text).substr(pos, end - pos);
                                      return word == name ? Action::Skip : Action::Substitute;
                                  });
}
}  // namespace

int expand_if_macros(std::string& text, int size, int zero_flag, int warn_flag) {
    return substitute_identifiers(text, size, 1, warn_flag,
                                  [&](const std::string&, int, int, const MacroNode* macro) {
                                      if (macro != nullptr) return Action::Substitute;
                                      return zero_flag ? Action::Zero : Action::Skip;
                                  });
}

namespace {
// Whether the expansion could change the line at all: some word of it names
// a macro the mode substitutes (or, in mode 4, a framework macro). Words
// inside literals are asked too; that only costs a walk that finds nothing.
// The words are cut as the substitution's walk cuts them.
// Byte classes of that walk: 1 starts a word, 2 a digit, 3 a byte of a
// double-byte character's lead range or above, 0 anything else.
struct WordBytes {
    unsigned char kind[256] = {};
    constexpr WordBytes() {
        for (int b = 0; b < 256; ++b) {
            const unsigned char c = static_cast<unsigned char>(b);
            const bool start = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
            kind[b] = b >= 0x80 ? 3 : start ? 1 : (c >= '0' && c <= '9') ? 2 : 0;
        }
    }
};
constexpr WordBytes kWordBytes;

bool may_expand(std::string_view line, int mode) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(line.data());
    const size_t n = line.size();
    size_t pos = 0;
    while (pos < n) {
        const unsigned char kind = kWordBytes.kind[bytes[pos]];
        if (kind == 0) {
            ++pos;
            continue;
        }
        if (kind == 3) {
            pos += is_dbcs_at(line, static_cast<int>(pos)) ? 2 : 1;
            continue;
        }
        size_t end = pos + 1;
        while (end < n && (kWordBytes.kind[bytes[end]] == 1 || kWordBytes.kind[bytes[end]] == 2)) ++end;
        if (kind == 1) {
            const std::string_view name = line.substr(pos, end - pos);
            if (mode == 4 && is_framework_macro(name)) return true;
            if (mode < 3 || could_name_control_macro(name)) {
                const MacroNode* node = indexed_macro(name);
                if (node != nullptr && (mode < 3 || node->control_kind > 0)) return true;
            } else if (asking_every_name()) {
                // the filter depends on every control macro defined since the
                // table was cleared; a trace holds what the name named instead
                indexed_macro(name);
            }
        }
        pos = end;
    }
    return false;
}
}  // namespace

int expand_control_macros(std::string& line, int size) {
    const int mode = g_analysis.settings.control_macro_mode;
    // nothing that this mode would substitute is defined
    if ((mode == 3 && g_analysis.control_macro_count == 0) || ((mode == 1 || mode == 2) && g_analysis.macro_index.empty()))
        return 0;
    int first = skip_blanks(line, 0);
    bool directive = byte_at(line, first) == '#';
    int word = directive ? skip_blanks(line, first + 1) : first;
    if (directive && starts_with_word(std::string_view(line).substr(word), "ifdef")) return 0;
    const bool define_line = directive && starts_with_word(std::string_view(line).substr(word), "define");
    if (!may_expand(line, mode)) return kCodeOk;
    int identifiers_seen = 0;
    bool after_defined = false;
    bool finished = false;
    int code = kCodeOk;

    int r = substitute_identifiers(
        line, size, 0, 0, [&](std::string& text, int pos, int end, const MacroNode* macro) {
            if (finished) return Action::Skip;
            std::string_view name = std::string_view(text).substr(pos, end - pos);
            ++identifiers_seen;
            if (define_line && identifiers_seen <= 2) return Action::Skip;
            if (after_defined) {
                after_defined = false;
                return Action::Skip;
            }
            if (name == "defined") {
                after_defined = true;
                return Action::Skip;
            }
            if (mode == 4 && is_framework_macro(name)) {
                int open = find_char(std::string_view(text).substr(end), '(');
                int last_close = static_cast<int>(text.rfind(')'));
                if (open >= 0 && last_close > end + open && text.back() != ';') {
                    text.insert(static_cast<size_t>(last_close) + 1, 1, ';');
                    finished = true;
                    return Action::Skip;
                }
            }
            if (macro == nullptr) return Action::Skip;
            if (!g_analysis.settings.ignore_file.empty() && is_ignored_name(name)) return Action::Skip;
            switch (mode) {
                case 1:
                    if (macro->control_kind > 0) {
                        code = -105;
                        finished = true;
                        return Action::Skip;
                    }
                    return Action::Substitute;
                case 2: return Action::Substitute;
                default: return macro->control_kind > 0 ? Action::Substitute : Action::Skip;
            }
        },
        mode != 1 && mode != 2);
    if (code == -105) return raise_message(kMessageError, -105, kMsgControlMacro, line);
    return r;
}
