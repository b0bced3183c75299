#include "common/shell/document.h"

#include <climits>
#include <cstring>

#include "common/analysis/scramble.h"
#include "common/analysis/text_utils.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"

namespace {

// "%s を読み込み中です。"
constexpr auto& kReadingFormat = "%s を読み込み中です。"_sjis;
constexpr char kDefaultLayoutFile[] = "nx1000.lis";

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

void show_status(const DocumentHooks& hooks, int mode, const std::string& text) {
    if (hooks.set_status_text) hooks.set_status_text(mode, text);
}

int check_header(std::string_view line, const DocumentProfile& profile) {
    if (!starts_with(line, profile.header.substr(0, profile.kind_length))) return kIndexNotADocument;
    if (!starts_with(line, profile.header)) return kIndexWrongVersion;
    return kIndexOk;
}

}  // namespace

void DocumentState::reset() {
    file.close();
    file_name.clear();
    source_name.clear();
    source_extension = ".c";
    loaded = source_loaded = busy = abort = false;
    linked_mode = true;
    current_page = page_count = 0;
    pages.clear();
    page_title.clear();
    header_lines.clear();
    current_source_line = 2;
    scroll_row = scroll_column = 0;
    visible_rows = client_width = client_height = 0;
    tab_width = 4;
    index_result = kIndexOk;
}

DocumentState& document_state() {
    static DocumentState state;
    return state;
}

std::string side_file_name(const DocumentState& state, std::string_view extension) {
    std::string name = state.file_name;
    set_file_extension(name, extension);
    return name;
}

namespace {

// The number of a tag from `at` on: the first run of digits, or -1. `plain`
// gives a byte as it reads in plain text.
template <class Plain>
int tag_digits(std::string_view record, size_t at, Plain&& plain) {
    const auto digit = [&](size_t i) { return plain(record[i]) >= '0' && plain(record[i]) <= '9'; };
    while (at < record.size() && !digit(at)) ++at;
    if (at >= record.size()) return -1;
    int64_t value = 0;
    for (; at < record.size() && digit(at); ++at) {
        value = value * 10 + (plain(record[at]) - '0');
        if (value > INT32_MAX) return -1;
    }
    return static_cast<int>(value);
}

}  // namespace

int parse_page_tag(std::string_view record) {
    const size_t paren = record.rfind('(');  // "(" is never a trail byte
    if (paren == std::string_view::npos) return -1;
    return tag_digits(record, paren + 1, [](char c) { return c; });
}

namespace {

// The two heads the index looks for, as they are stored: plain, or after the
// key byte in the scrambled bytes. Decoding is one byte to one byte, so the
// stored bytes match exactly when the plain ones would. Most lines are told
// apart by one byte, looked up in a table.
class IndexHeads {
public:
    enum Head : unsigned char { kOther = 0, kTag = 1, kPageEnd = 2 };

    IndexHeads() {
        for (const auto& [plain, head] : {std::pair<std::string_view, Head>{"#TAG:", kTag}, {"ZC:", kPageEnd}}) {
            std::string scrambled;
            scramble_line(plain, scrambled, 1);
            scrambled.erase(0, 1);  // the key byte
            std::memcpy(heads_[head].plain, plain.data(), plain.size());
            std::memcpy(heads_[head].scrambled, scrambled.data(), scrambled.size());
            plain_first_[static_cast<unsigned char>(plain[0])] = head;
            scrambled_first_[static_cast<unsigned char>(scrambled[0])] = head;
        }
        std::string every_byte(1, '\x01');
        for (int b = 0; b < 256; ++b) every_byte += static_cast<char>(b);
        std::string decoded;
        unscramble_line(every_byte, decoded, 1);
        for (int b = 0; b < 256; ++b) {
            const char c = decoded[static_cast<size_t>(b)];
            if (c == '(') scrambled_paren_ = static_cast<char>(b);
            digit_[b] = c >= '0' && c <= '9' ? static_cast<unsigned char>(c - '0') : kNoDigit;
        }
    }

    // The first two bytes of the lines that may have one of the heads.
    RecordFileReader::LineLeads leads() const {
        RecordFileReader::LineLeads leads{};
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j) {
                leads.plain[i][j] = static_cast<unsigned char>(heads_[i + 1].plain[j]);
                leads.scrambled[i][j] = static_cast<unsigned char>(heads_[i + 1].scrambled[j]);
            }
        return leads;
    }

    Head head_of(std::string_view stored) const {
        if (stored.empty()) return kOther;
        const bool scrambled = static_cast<unsigned char>(stored[0]) < 10;
        if (scrambled) stored.remove_prefix(1);
        if (stored.empty()) return kOther;
        const Head head = (scrambled ? scrambled_first_ : plain_first_)[static_cast<unsigned char>(stored[0])];
        if (head == kOther) return kOther;
        const char* bytes = scrambled ? heads_[head].scrambled : heads_[head].plain;
        // lengths known here, so each compare is a word or two
        if (head == kTag) return stored.size() >= 5 && std::memcmp(stored.data(), bytes, 5) == 0 ? kTag : kOther;
        return stored.size() >= 3 && std::memcmp(stored.data(), bytes, 3) == 0 ? kPageEnd : kOther;
    }

    // The number of a stored tag line, as parse_page_tag gives it for the
    // plain line; only the bytes after the last "(" are decoded.
    int tag_of(std::string_view stored) const {
        if (stored.empty() || static_cast<unsigned char>(stored[0]) >= 10) return parse_page_tag(stored);
        const size_t paren = stored.rfind(scrambled_paren_);
        if (paren == std::string_view::npos || paren == 0) return -1;  // the key byte is no "("
        const auto digit = [&](size_t i) { return digit_[static_cast<unsigned char>(stored[i])]; };
        size_t at = paren + 1;
        while (at < stored.size() && digit(at) == kNoDigit) ++at;
        if (at >= stored.size()) return -1;
        int64_t value = 0;
        for (; at < stored.size() && digit(at) != kNoDigit; ++at) {
            value = value * 10 + digit(at);
            if (value > INT32_MAX) return -1;
        }
        return static_cast<int>(value);
    }

private:
    static constexpr unsigned char kNoDigit = 0xff;
    struct Bytes {
        char plain[8], scrambled[8];
    };
    Bytes heads_[3] = {};
    Head plain_first_[256] = {};
    Head scrambled_first_[256] = {};
    unsigned char digit_[256] = {};  // of a scrambled byte: the digit it stands for, or kNoDigit
    char scrambled_paren_ = 0;
};

// A line the index reads whole: one of the header lines or a tag line.
// The header's verdict (kIndexOk or a message number).
int take_whole_line(DocumentState& state, const DocumentProfile& profile, std::string_view stored, int line_number,
                    bool tag, std::string& line, PageIndexEntry& page) {
    unscramble_line(stored, line, line_number);
    if (line_number == 1) {
        const int header = check_header(line, profile);
        if (header != kIndexOk) return header;
    }
    const int number = tag ? parse_page_tag(line) : -1;
    if (number >= 0) page.tag = number;
    if (line_number <= kDocumentHeaderLines) {
        cut_at_char_boundary(line, kHeaderLineBytes);
        state.header_lines.push_back(line);
    }
    return kIndexOk;
}

}  // namespace

int index_document(DocumentState& state, const DocumentProfile& profile) {
    std::vector<PageIndexEntry>& pages = state.pages;
    pages.clear();
    state.page_count = 0;
    state.header_lines.clear();
    RecordFileReader& file = state.file;
    if (!file.open(state.file_name)) return kIndexCannotOpen;

    static const IndexHeads heads;  // the scrambling never changes: made once
    pages.reserve(kMaxDocumentPages + 1);  // kept from one document to the next
    pages.push_back(PageIndexEntry{});
    std::string line;
    int line_number = 0;
    int page_ends = 0;
    int header = kIndexOk;
    bool full = false;
    // a page end: the next page begins where this line ends, whatever its line end
    const auto end_page = [&](int number) {
        if (++page_ends == kMaxDocumentPages) return !(full = true);
        pages.push_back(PageIndexEntry{number, file.offset(), 0});
        return true;
    };
    // The header lines are decoded whole.
    for (std::string_view stored; line_number < kDocumentHeaderLines && file.next_line_view(stored);) {
        ++line_number;
        const IndexHeads::Head head = heads.head_of(stored);
        header = take_whole_line(state, profile, stored, line_number, head == IndexHeads::kTag, line, pages.back());
        if (header != kIndexOk || (head == IndexHeads::kPageEnd && !end_page(line_number))) break;
    }
    // Of the rest only the tag lines are, in part; the others are told by
    // their first bytes as they are stored, most of them passed over unread.
    if (header == kIndexOk && line_number == kDocumentHeaderLines && !full) {
        const int before = line_number;
        line_number += static_cast<int>(file.scan_lines_led_by(heads.leads(), [&](std::string_view stored, int64_t number) {
            const IndexHeads::Head head = heads.head_of(stored);
            if (head == IndexHeads::kPageEnd) return end_page(before + static_cast<int>(number));
            const int tag = head == IndexHeads::kTag ? heads.tag_of(stored) : -1;
            if (tag >= 0) pages.back().tag = tag;
            return true;
        }));
    }
    if (header != kIndexOk || line_number == 0) {
        file.close();
        pages.clear();
        return header != kIndexOk ? header : kIndexNotADocument;
    }
    pages.resize(static_cast<size_t>(page_ends));
    state.page_count = page_ends;
    return kIndexOk;
}

int read_lin_document(DocumentState& state, const DocumentHooks& hooks, const DocumentProfile& profile) {
    if (hooks.read_settings) {
        const int settings = hooks.read_settings();
        if (settings == -3 && hooks.beep) hooks.beep();
        if (settings != 0) return settings;
    }
    state.linked_mode = true;
    state.current_page = 0;
    state.scroll_row = state.scroll_column = 0;
    state.current_source_line = 2;
    state.file.close();

    state.index_result = kIndexCannotOpen;
    if (!crt_exists(state.file_name.c_str())) return -1;
    show_status(hooks, 1, format_text(kReadingFormat, state.file_name.c_str()));
    const int result = state.index_result = index_document(state, profile);
    if (result == kIndexNotADocument || result == kIndexWrongVersion) {
        const int message =
            result == kIndexNotADocument ? profile.not_a_document_message : profile.other_version_message;
        show_status(hooks, 1, lookup_message(message));
        return -1;
    }
    show_status(hooks, 0, "");
    if (result != kIndexOk) return -1;
    return 0;
}

int open_document(DocumentState& state, std::string_view name, const DocumentHooks& hooks,
                  const DocumentProfile& profile) {
    state.current_page = 0;
    state.page_count = 0;
    state.pages.clear();
    state.file_name.assign(name);
    state.source_name.assign(name);
    state.loaded = state.source_loaded = false;
    if (!state.file_name.empty()) set_file_extension(state.file_name, profile.extension);
    if (!state.source_name.empty()) set_file_extension(state.source_name, state.source_extension);

    int result = read_lin_document(state, hooks, profile);
    if (result == 0) {
        if (hooks.set_link_button_label) hooks.set_link_button_label(state.linked_mode);
        if (!crt_exists(state.source_name.c_str())) {
            state.source_extension = ".cpp";
            set_file_extension(state.source_name, state.source_extension);
        }
        if (hooks.load_source_text) {
            result = hooks.load_source_text() == 0 ? 0 : -1;
        } else {
            state.loaded = true;
        }
        if (hooks.fill_function_combo) hooks.fill_function_combo();
    }
    if (hooks.forget_source_marker) hooks.forget_source_marker();
    return result;
}

int close_document(DocumentState& state) {
    state.file.close();
    return 0;
}

int replay_document_page(DocumentState& state, int page, PrimitiveSet& out, PageRecordState& geometry,
                         const ReplayOptions& options, bool drop_last_char) {
    if (!state.file.is_open() || page < 0 || page >= static_cast<int>(state.pages.size())) return -1;
    const PageIndexEntry& entry = state.pages[static_cast<size_t>(page)];
    if (!state.file.seek(entry.offset)) return -1;
    FileRecordSource source(state.file, entry.line_number, drop_last_char);
    return replay_page_records(source, geometry, out, options);
}

void add_lis_extension(std::string& name) {
    // the file part: after the last separator, stepping over double-byte
    // characters so that a trail byte 0x5C is no separator
    const int size = static_cast<int>(name.size());
    bool has_dot = false;
    for (int i = 0; i < size; i = next_char(name, i)) {
        const char c = name[i];
        if (c == '\\' || c == '/' || c == ':') has_dot = false;
        else if (c == '.' && i >= 1) has_dot = true;
    }
    if (!has_dot) name += ".lis";
}

std::string layout_file_path(std::string_view layout_name, std::string_view program_directory) {
    std::string name(layout_name);
    if (!name.empty()) {
        add_lis_extension(name);
        return name;
    }
    name.assign(program_directory);
    if (!name.empty() && name.back() != '/' && name.back() != '\\') name += '/';
    return name + kDefaultLayoutFile;
}
