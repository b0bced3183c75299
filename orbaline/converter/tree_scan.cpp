// Definitions and calls: every listed source is read unit by unit through
// the shared scanner; function heads become records and the names called in
// their bodies are added to them.

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "common/analysis/analysis_state.h"
#include "common/analysis/converter_kit.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/scanner.h"
#include "common/analysis/support.h"
#include "common/analysis/text_utils.h"
#include "orbaline/converter/call_tree.h"
#include "orbaline/converter/tree_texts.h"

namespace ctree {

namespace {

// Reserved words that look like calls when a parenthesis follows them.
bool is_statement_word(std::string_view name) {
    static constexpr std::string_view kWords[] = {"if", "else", "while", "for", "return", "switch", "sizeof", "case"};
    if (name.size() < 2 || name.size() > 6) return false;
    for (std::string_view word : kWords)
        if (name == word) return true;
    return false;
}

bool is_operator_char(unsigned char c, std::string_view set) { return c != 0 && set.find(static_cast<char>(c)) != std::string_view::npos; }

int identifier_end(std::string_view text, int pos) {
    while (pos < static_cast<int>(text.size()) && is_identifier_char(static_cast<unsigned char>(text[pos]))) ++pos;
    return pos;
}

int identifier_start_before(std::string_view text, int end) {
    int pos = end;
    while (pos > 0 && is_identifier_char(static_cast<unsigned char>(text[pos - 1]))) --pos;
    return pos;
}

int blanks_back(std::string_view text, int pos) {
    while (pos > 0 && text[pos - 1] == ' ') --pos;
    return pos;
}

std::string without_blanks(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

// Position of the "(" matching the ")" at close, outside literals; -1.
int matching_open(std::string_view text, int close, const std::vector<unsigned char>& map) {
    int depth = 0;
    for (int i = close; i >= 0; --i) {
        if (map[static_cast<size_t>(i)] != 0) continue;
        if (text[i] == ')') ++depth;
        if (text[i] == '(' && --depth == 0) return i;
    }
    return -1;
}

// The name of a prototype or a top-level call, by the head rule; "" when
// there is none.
std::string declared_name(std::string_view text) {
    FunctionHead parts;
    if (!find_function_head(text, parts)) return {};
    return without_blanks(text.substr(static_cast<size_t>(parts.name_start),
                                      static_cast<size_t>(parts.name_end - parts.name_start)));
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// The last identifier of a declarator that does not start with a digit.
std::string last_identifier(std::string_view text) {
    int end = static_cast<int>(text.size());
    while (end > 0) {
        while (end > 0 && !is_identifier_char(static_cast<unsigned char>(text[end - 1]))) --end;
        int start = identifier_start_before(text, end);
        if (start < end && is_identifier_start(static_cast<unsigned char>(text[start])))
            return std::string(text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
        end = start;
    }
    return {};
}

constexpr int kCodeElseWithoutIf = -109;
constexpr int kCodeStatementSyntax = -107;

int map_scanner_failure(int code) {
    if (code == kCodeNoMemory || code == kCodeNoMemoryConverter) return kCodeNoMemoryConverter;
    if (code == kCodeCannotWrite) return kCodeCannotWrite;
    return -100;
}

void clear_pending() {
    g_tree.pending_comment.clear();
    g_tree.comment_seen = false;
}

// Blanks the bytes inside double-quoted strings, so nothing in them is taken
// for a call.
void blank_strings(std::string& text) {
    if (text.find('"') == std::string::npos) return;
    static std::vector<unsigned char> map;
    mark_literals(text, map);
    bool in_string = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (map[i] == 2) {
            in_string = text[i] == '"';
            continue;
        }
        if (map[i] == 1 && in_string) text[i] = ' ';
        if (map[i] == 3 || map[i] == 0) in_string = false;
    }
}

const std::string& current_file_name() {
    static const std::string kNone;
    return g_tree.current_file < 0 ? kNone : g_tree.files[static_cast<size_t>(g_tree.current_file)];
}

// Starts a definition: function list line, record, known name.
int begin_definition(int line, const std::string& name, const std::string& prefix) {
    const Settings& s = g_tree.settings;
    if (s.function_list()) {
        int r = write_function_list_line(current_file_name(), line, name,
                                         g_tree.comment_seen ? g_tree.pending_comment : name);
        if (r != kCodeOk) return r;
    }
    std::string comment = g_tree.comment_seen ? g_tree.pending_comment : std::string{};
    if (s.tree_run()) comment = cut_text(comment, static_cast<size_t>(std::max(s.comment_length, 0)));
    const int id = g_tree.names.intern(name);
    int r = record_function_definition(line, id, comment, g_tree.current_file, prefix);
    if (r != kCodeOk) return r;
    g_tree.names.entry(id).flags |= NameTable::kKnown;
    clear_pending();
    g_tree.owner = id;
    g_tree.in_definition = true;
    return kCodeOk;
}

// "type (*name[])() = {": a table of functions whose initialiser lists its
// calls. false when the text is not one.
bool function_table_name(std::string_view text, std::string& name) {
    static std::vector<unsigned char> map;
    mark_literals(text, map);
    int pos = static_cast<int>(text.size());
    static const char kTail[] = "{=)(";
    for (const char* want = kTail; *want != '\0'; ++want) {
        pos = blanks_back(text, pos);
        if (pos <= 0 || text[pos - 1] != *want) return false;
        --pos;
    }
    pos = blanks_back(text, pos);
    if (pos <= 0 || text[pos - 1] != ')') return false;
    int close = pos - 1;
    int open = matching_open(text, close, map);
    if (open < 0) return false;
    std::string_view inner = trimmed(text.substr(static_cast<size_t>(open) + 1, static_cast<size_t>(close - open - 1)));
    std::string stars;
    size_t i = 0;
    while (i < inner.size() && (inner[i] == '*' || inner[i] == ' ')) {
        if (inner[i] == '*') stars += '*';
        ++i;
    }
    int end = identifier_end(inner, static_cast<int>(i));
    if (end == static_cast<int>(i) || !is_identifier_start(static_cast<unsigned char>(inner[i]))) return false;
    name = (g_tree.settings.pointer_names == 1 ? std::string{} : stars) +
           std::string(inner.substr(i, static_cast<size_t>(end) - i));
    return true;
}

int detect_definition(const SourceUnit& unit, const std::string& text) {
    const char last = text.back();
    if (is_function_head(text) != 0) {
        std::string name, prefix;
        if (!function_head_name(text, name, prefix)) return kCodeOk;
        return begin_definition(unit.line, unit.scope + name, prefix);
    }
    if (last == '{') {
        std::string name;
        if (!function_table_name(text, name)) return kCodeOk;
        return begin_definition(unit.line, name, "");
    }
    if (!g_tree.settings.prepass && last == ';') {
        std::string_view head = trimmed(std::string_view(text).substr(0, text.size() - 1));
        std::string name = declared_name(head);
        if (!name.empty()) add_known_name(name);
    }
    return kCodeOk;
}

int record_calls(const SourceUnit& unit, const std::string& text) {
    static std::vector<int> called;
    called.clear();
    call_names_in_text(text, called);
    for (int name : called) {
        int r = g_tree.settings.parent_to_child()
                    ? record_call(unit.line, name, g_tree.current_file, g_tree.owner)
                    : record_call(unit.line, g_tree.owner, g_tree.current_file, name);
        if (r != kCodeOk) return r;
    }
    return kCodeOk;
}

void note_prototypes(const std::string& text) {
    std::string_view body = text;
    if (!body.empty() && body.back() == ';') body = trimmed(body.substr(0, body.size() - 1));
    if (body.empty() || (body.back() != ')' && is_function_head(body) == 0)) return;
    for (std::string_view part : split_at_top_level_commas(body)) {
        std::string name = declared_name(trimmed(part));
        if (!name.empty()) add_known_name(name);
    }
}

int handle_unit(SourceUnit& unit, bool prepass) {
    std::string& text = unit.text;
    if (!text.empty() && text[0] == '#') return kCodeOk;  // a directive the reader passed on
    if (prepass) {
        if (unit.depth == 0 && !text.empty()) note_prototypes(text);
        return kCodeOk;
    }
    if (!text.empty()) collect_type_words(text);
    // a member function's class names a type before its own declaration comes
    for (size_t from = 0, to; (to = unit.scope.find("::", from)) != std::string::npos; from = to + 2)
        add_type_word(std::string_view(unit.scope).substr(from, to - from));
    if (text.empty() && unit.comment.empty()) return kCodeOk;
    if (unit.depth == 0 && !text.empty() && text[0] == '}') {
        g_tree.in_definition = false;
        return kCodeOk;
    }
    blank_strings(text);
    if (unit.depth == 0) {
        if (!text.empty()) return detect_definition(unit, text);
        std::string comment;
        if (keyword_comment(unit.comment, comment)) {
            g_tree.pending_comment = comment;
            g_tree.comment_seen = true;
        }
        return kCodeOk;
    }
    if (!g_tree.in_definition || text.empty()) return kCodeOk;
    return record_calls(unit, text);
}

}  // namespace

// --- the name table -------------------------------------------------------------------

uint32_t NameTable::hash_of(std::string_view text) {
    uint32_t h = kHashStart;
    for (char c : text) h = hash_step(h, static_cast<unsigned char>(c));
    return h;
}

void NameTable::reserve(size_t names) {
    entries_.reserve(names);
    size_t want = 64;
    while (want < names * 2) want *= 2;
    if (want > slots_.size()) {
        slots_.assign(want, -1);
        for (size_t i = 0; i < entries_.size(); ++i) {
            size_t slot = entries_[i].hash & (want - 1);
            while (slots_[slot] >= 0) slot = (slot + 1) & (want - 1);
            slots_[slot] = static_cast<int>(i);
        }
    }
}

void NameTable::grow_slots() { reserve(std::max<size_t>(entries_.size() * 2, 32)); }

int NameTable::find(std::string_view text) const { return find(text, hash_of(text)); }

int NameTable::find(std::string_view text, uint32_t h) const {
    if (slots_.empty()) return -1;
    const size_t mask = slots_.size() - 1;
    for (size_t slot = h & mask;; slot = (slot + 1) & mask) {
        const int id = slots_[slot];
        if (id < 0) return -1;
        const Entry& e = entries_[static_cast<size_t>(id)];
        if (e.hash == h && e.length == text.size() && (text.empty() || std::memcmp(e.data, text.data(), text.size()) == 0))
            return id;
    }
}

int NameTable::intern(std::string_view text) {
    if ((entries_.size() + 1) * 2 > slots_.size()) grow_slots();
    const uint32_t h = hash_of(text);
    const size_t mask = slots_.size() - 1;
    size_t slot = h & mask;
    for (;; slot = (slot + 1) & mask) {
        const int id = slots_[slot];
        if (id < 0) break;
        const Entry& e = entries_[static_cast<size_t>(id)];
        if (e.hash == h && e.length == text.size() && (text.empty() || std::memcmp(e.data, text.data(), text.size()) == 0))
            return id;
    }
    // texts go into chunks that never move, so views of them stay good
    constexpr size_t kChunk = 64 * 1024;
    char* data;
    if (text.size() > kChunk / 4) {
        chunks_.push_back(std::make_unique<char[]>(text.size()));
        data = chunks_.back().get();
    } else {
        if (text.size() > room_) {
            chunks_.push_back(std::make_unique<char[]>(kChunk));
            fill_ = chunks_.back().get();
            room_ = kChunk;
        }
        data = fill_;
        fill_ += text.size();
        room_ -= text.size();
    }
    if (!text.empty()) std::memcpy(data, text.data(), text.size());
    const int id = static_cast<int>(entries_.size());
    entries_.push_back({data, static_cast<uint32_t>(text.size()), h, -1, -1, 0});
    slots_[slot] = id;
    return id;
}

bool is_type_word(std::string_view name) { return g_tree.names.has(g_tree.names.find(name), NameTable::kTypeWord); }

void add_known_name(std::string_view name) { g_tree.names.entry(g_tree.names.intern(name)).flags |= NameTable::kKnown; }

int first_record(int name) { return name < 0 ? -1 : g_tree.names.entry(name).first_record; }

int first_record_named(std::string_view name) { return first_record(g_tree.names.find(name)); }

bool keyword_comment(std::string_view comment, std::string& text) {
    int p = skip_blanks(comment, 0);
    if (comment.substr(static_cast<size_t>(p), 2) == "/*" || comment.substr(static_cast<size_t>(p), 2) == "//")
        p = skip_blanks(comment, p + 2);
    if (byte_at(comment, p) == '*') p = skip_blanks(comment, p + 1);
    const std::string& keyword = g_tree.keywords[1];
    if (keyword.empty() || comment.substr(static_cast<size_t>(p), keyword.size()) != keyword) return false;
    int after = p + static_cast<int>(keyword.size());
    if (is_identifier_char(static_cast<unsigned char>(keyword.back())) && is_identifier_char(byte_at(comment, after)))
        return false;
    after = skip_blanks(comment, after);
    if (byte_at(comment, after) == ':') {
        ++after;
        if (byte_at(comment, after) == ' ') ++after;
    }
    std::string rest(comment.substr(static_cast<size_t>(std::min<int>(after, static_cast<int>(comment.size())))));
    trim_trailing_blanks(rest);
    if (ends_with(rest, "*/")) rest.resize(rest.size() - 2);
    text = std::string(trimmed(rest));
    return true;
}

void add_type_word(std::string_view name) {
    g_tree.names.entry(g_tree.names.intern(name)).flags |= NameTable::kTypeWord;
}

void collect_type_words(std::string_view text) {
    // most statements name no class and are no typedef
    if (text.find("class") == std::string_view::npos && !starts_with_word(text, "typedef")) return;
    std::vector<unsigned char>& map = g_tree.literal_map;
    mark_literals(text, map);
    const int n = static_cast<int>(text.size());
    // the name after "class"
    for (int i = 0; i < n;) {
        if (map[static_cast<size_t>(i)] != 0 || !is_identifier_start(static_cast<unsigned char>(text[i])) ||
            (i > 0 && is_identifier_char(static_cast<unsigned char>(text[i - 1])))) {
            i += is_dbcs_at(text, i) ? 2 : 1;
            continue;
        }
        int end = identifier_end(text, i);
        std::string_view word = text.substr(static_cast<size_t>(i), static_cast<size_t>(end - i));
        i = end;
        // C tags have a name space of their own: only a C++ class's name is a type
        if (word != "class") continue;
        int tag = skip_blanks(text, end);
        int tag_end = identifier_end(text, tag);
        if (tag_end > tag && is_identifier_start(static_cast<unsigned char>(text[tag])))
            add_type_word(text.substr(static_cast<size_t>(tag), static_cast<size_t>(tag_end - tag)));
    }
    if (!starts_with_word(text, "typedef")) return;
    std::string_view body = trimmed(text.substr(7));
    if (!body.empty() && body.back() == ';') body = trimmed(body.substr(0, body.size() - 1));
    // the declarators after the type's own braces
    size_t close = body.rfind('}');
    std::vector<std::string_view> parts = split_at_top_level_commas(body);
    for (std::string_view part : parts) {
        if (close != std::string_view::npos && part.data() + part.size() <= body.data() + close) continue;
        size_t star = part.find("(*");
        std::string name;
        if (star != std::string_view::npos) {
            int p = static_cast<int>(star) + 2;
            while (byte_at(part, p) == '*' || byte_at(part, p) == ' ') ++p;
            int end = identifier_end(part, p);
            if (end > p) name.assign(part.substr(static_cast<size_t>(p), static_cast<size_t>(end - p)));
        } else {
            name = last_identifier(part);
        }
        if (!name.empty()) add_type_word(name);
    }
}

bool function_head_name(std::string_view text, std::string& name, std::string& prefix) {
    FunctionHead parts;
    if (!find_function_head(text, parts)) return false;
    name = without_blanks(text.substr(static_cast<size_t>(parts.name_start),
                                      static_cast<size_t>(parts.name_end - parts.name_start)));
    prefix = std::string(trimmed(text.substr(0, static_cast<size_t>(parts.name_start))));
    return !name.empty();
}

std::vector<std::string> calls_in_text(std::string_view text) {
    std::vector<int> ids;
    call_names_in_text(text, ids);
    std::vector<std::string> calls;
    for (int id : ids) calls.emplace_back(g_tree.names.text(id));
    return calls;
}

namespace {

enum : unsigned char { kIdentifierStart = 1, kIdentifierChar = 2, kDigit = 4, kLeadByte = 8 };

const unsigned char* byte_kinds() {
    static const auto kTable = [] {
        std::array<unsigned char, 256> table{};
        for (int c = 0; c < 256; ++c) {
            const auto b = static_cast<unsigned char>(c);
            table[b] = static_cast<unsigned char>((is_identifier_start(b) ? kIdentifierStart : 0) |
                                                  (is_identifier_char(b) ? kIdentifierChar : 0) |
                                                  (b >= '0' && b <= '9' ? kDigit : 0) | (is_lead_byte(b) ? kLeadByte : 0));
        }
        return table;
    }();
    return kTable.data();
}

}  // namespace

void call_names_in_text(std::string_view text, std::vector<int>& calls) {
    NameTable& names = g_tree.names;
    std::vector<unsigned char>& map = g_tree.literal_map;
    mark_literals(text, map);
    const int n = static_cast<int>(text.size());
    // the first assignment at the outermost level: a known name left of it is
    // assigned to, not called
    int assign = -1, depth = 0;
    const bool any_equals = text.find('=') != std::string_view::npos;
    for (int i = 0; any_equals && i < n && assign < 0; ++i) {
        if (map[static_cast<size_t>(i)] != 0) continue;
        char c = text[i];
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (c != '=' || depth != 0) continue;
        if (byte_at(text, i + 1) == '=') {
            ++i;
            continue;
        }
        unsigned char before = i > 0 ? static_cast<unsigned char>(text[i - 1]) : 0;
        if (before == '!' || before == '<' || before == '>') continue;
        assign = i;
    }
    const Settings& s = g_tree.settings;
    const unsigned char* kinds = byte_kinds();
    for (int i = 0; i < n;) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (map[static_cast<size_t>(i)] != 0) {
            ++i;
            continue;
        }
        const unsigned char kind = kinds[c];
        if ((kind & kIdentifierStart) == 0) {
            if ((kind & kLeadByte) != 0 && is_dbcs_at(text, i))
                i += 2;
            else if ((kind & kDigit) != 0)
                while (i < n && (is_identifier_char(static_cast<unsigned char>(text[i])) || text[i] == '.')) ++i;
            else
                ++i;
            continue;
        }
        // the word and its hash in one walk
        const int start = i;
        uint32_t hash = NameTable::kHashStart;
        int end = i;
        while (end < n && (kinds[static_cast<unsigned char>(text[end])] & kIdentifierChar) != 0)
            hash = NameTable::hash_step(hash, static_cast<unsigned char>(text[end++]));
        const int word_end = end;
        auto take_operator = [&](int from, int to) {
            if (text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)) != "operator") return to;
            int p = skip_blanks(text, to);
            int q = p;
            while (q < n && map[static_cast<size_t>(q)] == 0 && is_operator_char(static_cast<unsigned char>(text[q]), "+-<>!=*/[]"))
                ++q;
            return q > p ? q : to;
        };
        end = take_operator(start, end);
        for (;;) {
            int p = skip_blanks(text, end);
            while (byte_at(text, p) == '[' && map[static_cast<size_t>(p)] == 0) {
                int level = 0, q = p;
                for (; q < n; ++q) {
                    if (map[static_cast<size_t>(q)] != 0) continue;
                    if (text[q] == '[') ++level;
                    if (text[q] == ']' && --level == 0) break;
                }
                if (q >= n) break;
                p = skip_blanks(text, q + 1);
            }
            int sep = 0;
            if (text.substr(static_cast<size_t>(std::min(p, n)), 2) == "::" || text.substr(static_cast<size_t>(std::min(p, n)), 2) == "->")
                sep = 2;
            else if (byte_at(text, p) == '.')
                sep = 1;
            if (sep == 0) break;
            int q = skip_blanks(text, p + sep);
            if (byte_at(text, q) == '~') q = skip_blanks(text, q + 1);
            if (!is_identifier_start(byte_at(text, q))) break;
            end = take_operator(q, identifier_end(text, q));
        }
        i = end;
        // the name as written, or without its blanks when it has some
        std::string_view name = text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
        std::string joined;
        if (end != word_end && name.find(' ') != std::string_view::npos) name = joined = without_blanks(name);
        // every way past a type word or keyword leaves the name out, so a
        // name left of the assignment needs no look-up
        const bool called = byte_at(text, skip_blanks(text, end)) == '(';
        if (!called && assign >= 0 && start < assign) continue;
        if (is_statement_word(name)) continue;
        const int id = end == word_end ? names.find(name, hash) : names.find(name);
        if (names.has(id, NameTable::kTypeWord)) continue;
        if (called) {
            calls.push_back(id >= 0 ? id : names.intern(name));
            continue;
        }
        if (names.has(id, NameTable::kKnown)) {
            calls.push_back(id);
        } else if (s.pointer_names == 1) {
            std::string starred(name);
            for (int stars = 0; stars < 4; ++stars) {
                starred.insert(0, 1, '*');
                const int known = names.find(starred);
                if (names.has(known, NameTable::kKnown)) {
                    calls.push_back(known);
                    break;
                }
            }
        }
    }
}

int record_call(int line, int name, int file, int owner) {
    NameTable& names = g_tree.names;
    std::vector<TreeCall>& calls = g_tree.calls;
    // a name costs the converter's memory once, when it is first called
    if ((names.entry(name).flags & NameTable::kCalled) == 0) {
        if (pool_copy_string(names.text(name)) == nullptr) return kCodeNoMemoryConverter;
        names.entry(name).flags |= NameTable::kCalled;
    }
    const int at = static_cast<int>(calls.size());
    const int last = names.entry(owner).last_record;
    if (last < 0) {
        TreeDefinition placeholder;
        placeholder.name = owner;
        placeholder.mark = 'U';
        placeholder.first_call = placeholder.last_call = at;
        calls.push_back({name, file, line, -1});
        const int index = static_cast<int>(g_tree.records.size());
        g_tree.records.push_back(placeholder);
        names.entry(owner).first_record = names.entry(owner).last_record = index;
        return kCodeOk;
    }
    TreeDefinition& record = g_tree.records[static_cast<size_t>(last)];
    if (g_tree.settings.parent_to_child()) {
        for (int c = record.first_call; c >= 0; c = calls[static_cast<size_t>(c)].next)
            if (calls[static_cast<size_t>(c)].name == name) return kCodeOk;
    }
    calls.push_back({name, file, line, -1});
    if (record.last_call >= 0)
        calls[static_cast<size_t>(record.last_call)].next = at;
    else
        record.first_call = at;
    record.last_call = at;
    return kCodeOk;
}

int record_function_definition(int line, int name, std::string_view comment, int file, std::string_view prefix) {
    NameTable& names = g_tree.names;
    if (pool_copy_string(names.text(name)) == nullptr || pool_copy_string(comment) == nullptr)
        return kCodeNoMemoryConverter;
    const int comment_id = names.intern(comment);
    const int prefix_id = names.intern(prefix);
    char mark = '#';
    for (int index = names.entry(name).first_record; index >= 0;) {
        TreeDefinition& record = g_tree.records[static_cast<size_t>(index)];
        if (record.placeholder()) {
            // calls recorded before the definition are its own
            record.file = file;
            record.comment = comment_id;
            record.line = line;
            record.prefix = prefix_id;
            record.mark = '#';
            return kCodeOk;
        }
        record.mark = 'M';
        mark = 'M';
        index = record.next_same;
    }
    TreeDefinition record;
    record.name = name;
    record.file = file;
    record.comment = comment_id;
    record.prefix = prefix_id;
    record.line = line;
    record.mark = mark;
    const int index = static_cast<int>(g_tree.records.size());
    g_tree.records.push_back(record);
    NameTable::Entry& entry = names.entry(name);
    if (entry.last_record >= 0)
        g_tree.records[static_cast<size_t>(entry.last_record)].next_same = index;
    else
        entry.first_record = index;
    entry.last_record = index;
    return kCodeOk;
}

void gather_calls() {
    if (g_tree.calls_gathered) return;
    g_tree.calls_gathered = true;
    // the files in the order of their names; a call without one comes first
    std::vector<int> order(g_tree.files.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::sort(order.begin(), order.end(),
              [](int a, int b) { return g_tree.files[static_cast<size_t>(a)] < g_tree.files[static_cast<size_t>(b)]; });
    std::vector<int> rank(g_tree.files.size() + 1, 0);
    for (size_t i = 0; i < order.size(); ++i) {
        const bool same = i > 0 && g_tree.files[static_cast<size_t>(order[i])] == g_tree.files[static_cast<size_t>(order[i - 1])];
        rank[static_cast<size_t>(order[i]) + 1] = same ? rank[static_cast<size_t>(order[i - 1]) + 1] : static_cast<int>(i) + 1;
    }
    std::vector<TreeCall> gathered;
    gathered.reserve(g_tree.calls.size());
    for (TreeDefinition& record : g_tree.records) {
        const int begin = static_cast<int>(gathered.size());
        bool one_file = true;
        for (int c = record.first_call; c >= 0; c = g_tree.calls[static_cast<size_t>(c)].next) {
            const TreeCall& call = g_tree.calls[static_cast<size_t>(c)];
            if (static_cast<int>(gathered.size()) > begin && gathered.back().file != call.file) one_file = false;
            gathered.push_back({call.name, call.file, call.line, -1});
        }
        record.first_call = begin;
        record.last_call = static_cast<int>(gathered.size());
        if (!one_file)
            std::stable_sort(gathered.begin() + begin, gathered.end(), [&](const TreeCall& a, const TreeCall& b) {
                return rank[static_cast<size_t>(a.file + 1)] < rank[static_cast<size_t>(b.file + 1)];
            });
    }
    g_tree.calls = std::move(gathered);
}

int scan_source_file(const ListEntry& entry, bool prepass) {
    ++g_tree.source_number;
    show_source_progress(g_tree.source_number, static_cast<int>(g_tree.sources.size()), entry.name,
                         prepass ? '{' : '(', prepass ? '}' : ')');
    note_run_messages();
    int r = define_option_macros();
    if (r != kCodeOk) return r;
    r = reset_scanner_state(kResetState | kResetKeepMacros);
    if (r != kCodeOk) return map_scanner_failure(r);
    r = open_source_file(entry.path.c_str());
    if (r != kCodeOk) return map_scanner_failure(r);
    g_tree.current_file = entry.file;
    g_tree.owner = -1;
    g_tree.in_definition = false;
    clear_pending();

    int result = kCodeOk;
    SourceUnit unit;  // its buffers serve every unit of the source
    for (;;) {
        if (g_tree.cancel != 0) {
            int c = report_converter_message(kMessageError, kCodeCancelled, kMsgCancelled, "");
            result = c == 1 ? kCodeCancelled : c;
            break;
        }
        r = fetch_source_unit(unit);
        if (r == -1) break;
        // a scanner error ends the run, except an else without if (a warning)
        // and a statement that cannot be split, which the scan reads past
        if (r < -49 && r != kCodeElseWithoutIf && r != kCodeStatementSyntax) {
            result = map_scanner_failure(r);
            break;
        }
        r = handle_unit(unit, prepass);
        if (r != kCodeOk) {
            result = r;
            break;
        }
    }
    note_run_messages();
    close_all_source_files();
    if (g_analysis.current.handle >= 0) close_source_file();
    g_tree.finished_bytes = std::min(g_tree.finished_bytes + entry.size, g_tree.total_bytes);
    return result;
}

int scan_listed_sources() {
    g_tree.source_number = 0;
    for (const ListEntry& entry : g_tree.sources) {
        int r = scan_source_file(entry, false);
        if (r != kCodeOk) return r;
    }
    return kCodeOk;
}

int prescan_sources() {
    g_tree.source_number = 0;
    for (const ListEntry& entry : g_tree.sources) {
        int r = scan_source_file(entry, true);
        if (r != kCodeOk) return r;
    }
    g_tree.source_number = 0;
    return kCodeOk;
}

}  // namespace ctree
