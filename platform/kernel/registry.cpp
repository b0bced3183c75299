// The registry over registry.txt (the format is described in registry.h).
#include "platform/kernel/registry.h"

#include <cstring>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/kernel/kernel_text.h"
#include "platform/kernel/platform_home.h"

namespace {

using kernel_text::equal_ignoring_case;

constexpr std::string_view kRootName = "HKEY_CURRENT_USER";
constexpr std::string_view kFileHeader = "# Registry: key path, or key path TAB value name TAB type TAB data";

// ---- Lines of registry.txt ----

struct Record {
    enum Kind { kOther, kKey, kValue } kind = kOther;
    std::string path;  // below the root, components joined by "\"; "" is the root
    std::string name;
    DWORD type = REG_NONE;
    std::string data;  // a string without its terminating zero, or raw bytes
    std::string raw;   // a line that is not a key or value, kept as it was
};

bool is_string_type(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// The type names written to the file, in the order of their codes.
constexpr const char* kTypeNames[] = {"REG_NONE", "REG_SZ", "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD"};

std::string type_name(DWORD type) {
    if (type < std::size(kTypeNames)) return kTypeNames[type];
    return std::to_string(type);
}

bool parse_type(std::string_view text, DWORD* type) {
    for (DWORD i = 0; i < std::size(kTypeNames); ++i) {
        if (text == kTypeNames[i]) {
            *type = i;
            return true;
        }
    }
    if (text.empty()) return false;
    DWORD value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<DWORD>(c - '0');
    }
    *type = value;
    return true;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr char kLowerHexDigits[] = "0123456789abcdef";

// "%", control bytes and DEL as "%HH"; Shift-JIS bytes are all above 0x3F
// (trail) or 0x80 (lead), so Japanese text stays readable.
std::string escape_text(std::string_view text) {
    std::string out;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '%' || c < 0x20 || c == 0x7F) {
            out += '%';
            out += kHexDigits[c >> 4];
            out += kHexDigits[c & 0x0F];
        } else {
            out += ch;
        }
    }
    return out;
}

std::string unescape_text(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex_digit(text[i + 1]) >= 0 && hex_digit(text[i + 2]) >= 0) {
            out += static_cast<char>(hex_digit(text[i + 1]) * 16 + hex_digit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string to_hex(std::string_view bytes) {
    std::string out;
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        out += kLowerHexDigits[c >> 4];
        out += kLowerHexDigits[c & 0x0F];
    }
    return out;
}

bool from_hex(std::string_view text, std::string* bytes) {
    if (text.size() % 2) return false;
    bytes->clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        const int hi = hex_digit(text[i]);
        const int lo = hex_digit(text[i + 1]);
        if (hi < 0 || lo < 0) return false;
        *bytes += static_cast<char>(hi * 16 + lo);
    }
    return true;
}

// A path's components, split at "\" (never a Shift-JIS trail byte), empty
// ones dropped, joined by single "\".
std::string normalise_path(std::string_view path) {
    std::string out;
    std::string component;
    auto flush = [&] {
        if (component.empty()) return;
        if (!out.empty()) out += '\\';
        out += component;
        component.clear();
    };
    for (size_t i = 0; i < path.size();) {
        if (kernel_text::is_pair_at(path, i)) {
            component.append(path.substr(i, 2));
            i += 2;
            continue;
        }
        if (path[i] == '\\') {
            flush();
        } else {
            component += path[i];
        }
        ++i;
    }
    flush();
    return out;
}

std::string join_path(const std::string& parent, const char* sub_key) {
    const std::string sub = normalise_path(sub_key ? sub_key : "");
    if (parent.empty()) return sub;
    if (sub.empty()) return parent;
    return parent + "\\" + sub;
}

// True when `candidate` is the key `path` or a key below it.
bool is_same_or_below(std::string_view candidate, std::string_view path) {
    if (path.empty()) return true;
    if (candidate.size() < path.size()) return false;
    if (candidate.size() > path.size() && candidate[path.size()] != '\\') return false;
    return equal_ignoring_case(candidate.substr(0, path.size()), path);
}

// The key path of a line's first field, with the root name taken off;
// false when the field does not start with the root.
bool parse_key_field(std::string_view field, std::string* path) {
    const std::string text = unescape_text(field);
    const std::string_view view(text);
    if (view.size() < kRootName.size() || !equal_ignoring_case(view.substr(0, kRootName.size()), kRootName))
        return false;
    const std::string_view rest = view.substr(kRootName.size());
    if (!rest.empty() && rest.front() != '\\') return false;
    *path = normalise_path(rest);
    return true;
}

Record parse_line(const std::string& line) {
    Record r;
    r.raw = line;
    if (line.empty() || line.front() == '#') return r;

    std::vector<std::string_view> fields;
    std::string_view rest(line);
    for (;;) {
        const size_t tab = rest.find('\t');
        fields.push_back(rest.substr(0, tab));
        if (tab == std::string_view::npos) break;
        rest.remove_prefix(tab + 1);
    }
    std::string path;
    if (!parse_key_field(fields[0], &path)) return r;
    if (fields.size() == 1) {
        r.kind = Record::kKey;
        r.path = path;
        return r;
    }
    DWORD type;
    if (fields.size() != 4 || !parse_type(fields[2], &type)) return r;
    std::string data;
    if (is_string_type(type)) {
        data = unescape_text(fields[3]);
    } else if (!from_hex(fields[3], &data)) {
        return r;
    }
    r.kind = Record::kValue;
    r.path = path;
    r.name = unescape_text(fields[1]);
    r.type = type;
    r.data = std::move(data);
    return r;
}

std::string format_record(const Record& r) {
    if (r.kind == Record::kOther) return r.raw;
    std::string line = escape_text(std::string(kRootName) + (r.path.empty() ? "" : "\\") + r.path);
    if (r.kind == Record::kKey) return line;
    line += '\t';
    line += escape_text(r.name);
    line += '\t';
    line += type_name(r.type);
    line += '\t';
    line += is_string_type(r.type) ? escape_text(r.data) : to_hex(r.data);
    return line;
}

std::string registry_path() {
    return platform_home_file("registry.txt");
}

class Hive {
public:
    static Hive load() {
        Hive hive;
        std::string text;
        if (read_state_file(registry_path(), &text)) {
            for (const std::string& line : kernel_text::split_lines(text))
                if (line != kFileHeader) hive.records_.push_back(parse_line(line));
        }
        return hive;
    }

    bool save() const {
        std::string text(kFileHeader);
        text += '\n';
        for (const Record& r : records_) text += format_record(r) + "\n";
        return write_state_file(registry_path(), text);
    }

    bool key_exists(const std::string& path) const {
        if (path.empty()) return true;
        for (const Record& r : records_)
            if (r.kind != Record::kOther && is_same_or_below(r.path, path)) return true;
        return false;
    }

    void add_key(const std::string& path) {
        Record r;
        r.kind = Record::kKey;
        r.path = path;
        records_.push_back(std::move(r));
    }

    Record* find_value(const std::string& path, std::string_view name) {
        for (Record& r : records_)
            if (r.kind == Record::kValue && equal_ignoring_case(r.path, path) && equal_ignoring_case(r.name, name))
                return &r;
        return nullptr;
    }

    // A new value goes after the last line of its key, so that a key's
    // values stay together in the file.
    void add_value(Record value) {
        size_t at = records_.size();
        for (size_t i = records_.size(); i-- > 0;) {
            if (records_[i].kind != Record::kOther && equal_ignoring_case(records_[i].path, value.path)) {
                at = i + 1;
                break;
            }
        }
        records_.insert(records_.begin() + static_cast<long>(at), std::move(value));
    }

    // Removes a value; its key stays, even when that was its last value.
    void remove_value(const Record* value) {
        const std::string path = value->path;
        records_.erase(records_.begin() + (value - records_.data()));
        if (!key_exists(path)) add_key(path);
    }

private:
    std::vector<Record> records_;
};

// ---- Key handles ----

struct OpenKey {
    std::string path;
    REGSAM access;
};

struct KeyTable {
    std::mutex mutex;
    std::unordered_map<HKEY, std::unique_ptr<OpenKey>> keys;
};

KeyTable& key_table() {
    static KeyTable table;
    return table;
}

// The path and access of a handle: the root or an open key.
bool look_up(HKEY key, OpenKey* out) {
    if (key == HKEY_CURRENT_USER) {
        *out = OpenKey{"", KEY_ALL_ACCESS};
        return true;
    }
    KeyTable& table = key_table();
    std::lock_guard lock(table.mutex);
    auto it = table.keys.find(key);
    if (it == table.keys.end()) return false;
    *out = *it->second;
    return true;
}

HKEY open_handle(std::string path, REGSAM access) {
    auto record = std::make_unique<OpenKey>(OpenKey{std::move(path), access});
    HKEY handle = reinterpret_cast<HKEY>(record.get());
    KeyTable& table = key_table();
    std::lock_guard lock(table.mutex);
    table.keys.emplace(handle, std::move(record));
    return handle;
}

std::string_view value_name(LPCSTR name) {
    return name ? std::string_view(name) : std::string_view();
}

}  // namespace

LSTATUS RegCreateKeyExA(HKEY key, LPCSTR sub_key, DWORD /*reserved*/, LPSTR /*key_class*/, DWORD /*options*/,
                        REGSAM access, const SECURITY_ATTRIBUTES* /*security*/, PHKEY result,
                        LPDWORD disposition) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    OpenKey parent;
    if (!look_up(key, &parent)) return ERROR_INVALID_HANDLE;
    const std::string path = join_path(parent.path, sub_key);

    bool created = false;
    {
        StateFileLock lock(registry_path());
        Hive hive = Hive::load();
        if (!hive.key_exists(path)) {
            hive.add_key(path);
            if (!hive.save()) return ERROR_REGISTRY_IO_FAILED;
            created = true;
        }
    }
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = open_handle(path, access);
    return ERROR_SUCCESS;
}

LSTATUS RegOpenKeyExA(HKEY key, LPCSTR sub_key, DWORD /*options*/, REGSAM access, PHKEY result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    OpenKey parent;
    if (!look_up(key, &parent)) return ERROR_INVALID_HANDLE;
    const std::string path = join_path(parent.path, sub_key);
    if (!Hive::load().key_exists(path)) return ERROR_FILE_NOT_FOUND;
    *result = open_handle(path, access);
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
    OpenKey open;
    if (!look_up(key, &open)) return ERROR_INVALID_HANDLE;
    if (reserved || (data && !size)) return ERROR_INVALID_PARAMETER;
    if (!(open.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;

    Hive hive = Hive::load();
    const Record* value = hive.find_value(open.path, value_name(name));
    if (!value) return ERROR_FILE_NOT_FOUND;

    std::string bytes = value->data;
    if (is_string_type(value->type)) bytes += '\0';
    if (type) *type = value->type;
    if (!size) return ERROR_SUCCESS;
    const auto needed = static_cast<DWORD>(bytes.size());
    if (data && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data) std::memcpy(data, bytes.data(), bytes.size());
    *size = needed;
    return ERROR_SUCCESS;
}

LSTATUS RegSetValueExA(HKEY key, LPCSTR name, DWORD /*reserved*/, DWORD type, const BYTE* data, DWORD size) {
    OpenKey open;
    if (!look_up(key, &open)) return ERROR_INVALID_HANDLE;
    if (!data && size) return ERROR_INVALID_PARAMETER;
    if (!(open.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;

    std::string bytes(reinterpret_cast<const char*>(data), data ? size : 0);
    if (is_string_type(type)) bytes.resize(std::strlen(bytes.c_str()));  // up to the first zero

    StateFileLock lock(registry_path());
    Hive hive = Hive::load();
    if (Record* existing = hive.find_value(open.path, value_name(name))) {
        existing->type = type;
        existing->data = std::move(bytes);
    } else {
        Record r;
        r.kind = Record::kValue;
        r.path = open.path;
        r.name = value_name(name);
        r.type = type;
        r.data = std::move(bytes);
        hive.add_value(std::move(r));
    }
    return hive.save() ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
}

LSTATUS RegDeleteValueA(HKEY key, LPCSTR name) {
    OpenKey open;
    if (!look_up(key, &open)) return ERROR_INVALID_HANDLE;
    if (!(open.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;

    StateFileLock lock(registry_path());
    Hive hive = Hive::load();
    const Record* value = hive.find_value(open.path, value_name(name));
    if (!value) return ERROR_FILE_NOT_FOUND;
    hive.remove_value(value);
    return hive.save() ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
}

LSTATUS RegCloseKey(HKEY key) {
    if (key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
    KeyTable& table = key_table();
    std::lock_guard lock(table.mutex);
    return table.keys.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

int platform_open_registry_keys() {
    KeyTable& table = key_table();
    std::lock_guard lock(table.mutex);
    return static_cast<int>(table.keys.size());
}
