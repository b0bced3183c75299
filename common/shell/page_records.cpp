#include "common/shell/page_records.h"

#include <fcntl.h>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "common/analysis/scramble.h"
#include "platform/kernel/file_io.h"

namespace {

enum class Args { None, Int1, Int2, Int3, Reals4, UnitRowColumn, Text };

struct CodeEntry {
    char name[3];
    RecordCode code;
    Args args;
};

// The codes of the record language with the argument forms they are
// written with ("%d", "%d,%d", "%f,%f,%f,%f", "%d,%f,%f").
constexpr CodeEntry kCodes[] = {
    {"DB", RecordCode::Debug, Args::None},
    {"BZ", RecordCode::Beep, Args::None},
    {"KY", RecordCode::Pause, Args::None},
    {"ED", RecordCode::End, Args::None},
    {"ZO", RecordCode::PageSetup, Args::None},
    {"PF", RecordCode::PaperCode, Args::Int1},
    {"ZC", RecordCode::PageEnd, Args::None},
    {"ZV", RecordCode::VectorMode, Args::None},
    {"ZT", RecordCode::TextMode, Args::None},
    {"OV", RecordCode::Overlay, Args::Int1},
    {"LT", RecordCode::LineType, Args::Int1},
    {"LA", RecordCode::LineAttr, Args::Int1},
    {"LW", RecordCode::LineWidth, Args::Int1},
    {"BR", RecordCode::CornerRadius, Args::Int1},
    {"LN", RecordCode::Line, Args::Reals4},
    {"BX", RecordCode::Box, Args::Reals4},
    {"MV", RecordCode::Move, Args::UnitRowColumn},
    {"MR", RecordCode::MoveRelative, Args::UnitRowColumn},
    {"PP", RecordCode::PageGrid, Args::Int2},
    {"SP", RecordCode::TextGrid, Args::Int2},
    {"SS", RecordCode::CharScale, Args::Int2},
    {"SF", RecordCode::Font, Args::Int3},
    {"ST", RecordCode::Text, Args::Text},
};

// Grid positions far outside any page are taken for garbage.
constexpr double kMaxRecordValue = 1.0e6;

std::string_view trim_field(std::string_view field) {
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t' || field.back() == '\r'))
        field.remove_suffix(1);
    return field;
}

// The comma-separated field at `index`, or false when there are fewer.
bool field_at(std::string_view args, int index, std::string_view& field) {
    for (int i = 0; i < index; ++i) {
        const size_t comma = args.find(',');
        if (comma == std::string_view::npos) return false;
        args.remove_prefix(comma + 1);
    }
    field = args.substr(0, args.find(','));
    return true;
}

bool read_ints(std::string_view args, int count, int* out) {
    std::string_view field;
    for (int i = 0; i < count; ++i) {
        if (!field_at(args, i, field) || !parse_record_int(field, out[i])) return false;
    }
    return true;
}

bool read_reals(std::string_view args, int first, int count, double* out) {
    std::string_view field;
    for (int i = 0; i < count; ++i) {
        if (!field_at(args, first + i, field) || !parse_record_real(field, out[i])) return false;
    }
    return true;
}

void cells_of_grid(int extent_height, int extent_width, int rows, int columns, int& height, int& width) {
    height = trunc_to_int(static_cast<double>(extent_height) / rows + 0.5);
    width = trunc_to_int(static_cast<double>(extent_width) / columns + 0.5);
}

}  // namespace

int trunc_to_int(double v) {
    constexpr double kLimit = 1.0e9;
    if (v > kLimit) return static_cast<int>(kLimit);
    if (v < -kLimit) return static_cast<int>(-kLimit);
    return static_cast<int>(v);
}

bool parse_record_int(std::string_view field, int& value) {
    field = trim_field(field);
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    if (field.empty()) return false;
    int v = 0;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), v);
    if (error != std::errc() || end != field.data() + field.size()) return false;
    value = v;
    return true;
}

bool parse_record_real(std::string_view field, double& value) {
    field = trim_field(field);
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    if (field.empty()) return false;
    double v = 0;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), v);
    if (error != std::errc() || end != field.data() + field.size()) return false;
    if (!std::isfinite(v) || std::fabs(v) > kMaxRecordValue) return false;
    value = v;
    return true;
}

PageRecord parse_page_record(std::string_view line) {
    PageRecord record;
    if (line.size() <= 2) return record;
    const char first = line[0];
    if (first == ' ' || first == '*' || first == ';' || first == '#') {
        record.code = RecordCode::Comment;
        record.valid = true;
        record.text = line;
        return record;
    }
    const CodeEntry* entry = nullptr;
    for (const CodeEntry& e : kCodes) {
        if (line[0] == e.name[0] && line[1] == e.name[1]) {
            entry = &e;
            break;
        }
    }
    if (entry == nullptr) return record;
    record.code = entry->code;
    const std::string_view args = line.substr(3);
    switch (entry->args) {
    case Args::None:
        record.valid = true;
        break;
    case Args::Int1:
        record.valid = read_ints(args, 1, record.ints);
        break;
    case Args::Int2:
        record.valid = read_ints(args, 2, record.ints);
        break;
    case Args::Int3:
        record.valid = read_ints(args, 3, record.ints);
        break;
    case Args::Reals4:
        record.valid = read_reals(args, 0, 4, record.reals);
        break;
    case Args::UnitRowColumn:
        record.valid = read_ints(args, 1, record.ints) && read_reals(args, 1, 2, record.reals);
        break;
    case Args::Text:
        record.valid = true;
        record.text = args;
        break;
    }
    return record;
}

// --- RecordFileReader ----------------------------------------------------------------

RecordFileReader::~RecordFileReader() { close(); }

bool RecordFileReader::open(const std::string& path) {
    close();
    fd_ = crt_open(path.c_str(), CRT_O_RDONLY | CRT_O_BINARY);
    if (fd_ >= 0 && data_ == nullptr) {
        data_.reset(new char[kBlockBytes]);
        capacity_ = kBlockBytes;
    }
    return fd_ >= 0;
}

void RecordFileReader::close() {
    if (fd_ >= 0) crt_close(fd_);
    fd_ = -1;
    size_ = pos_ = 0;
    offset_ = 0;
    eof_ = false;
}

bool RecordFileReader::fill() {
    if (eof_ || fd_ < 0) return false;
    if (pos_ > 0) {
        std::memmove(data_.get(), data_.get() + pos_, size_ - pos_);
        size_ -= pos_;
        pos_ = 0;
    }
    // a line longer than a block grows the buffer, up to the line limit
    if (capacity_ - size_ < kBlockBytes) {
        const size_t capacity = std::max(capacity_ * 2, size_ + kBlockBytes);
        std::unique_ptr<char[]> grown(new char[capacity]);
        if (size_ > 0) std::memcpy(grown.get(), data_.get(), size_);
        data_ = std::move(grown);
        capacity_ = capacity;
    }
    const int n = crt_read(fd_, data_.get() + size_, static_cast<unsigned>(kBlockBytes));
    if (n <= 0) {
        eof_ = true;
        return false;
    }
    size_ += static_cast<size_t>(n);
    return true;
}

bool RecordFileReader::next_line(std::string& line) {
    std::string_view view;
    if (!next_line_view(view)) return false;
    line.assign(view);
    return true;
}

bool RecordFileReader::next_line_view(std::string_view& line) {
    if (fd_ < 0) return false;
    size_t scanned = 0;  // bytes after pos_ known to hold no line feed
    const void* lf;
    while ((lf = std::memchr(data_.get() + pos_ + scanned, '\n', size_ - pos_ - scanned)) == nullptr) {
        scanned = size_ - pos_;
        if (scanned > kMaxRecordLineBytes) return cut_long_line(line);
        if (!fill()) break;  // fill() moves the unread bytes to the front
    }
    if (pos_ >= size_) return false;
    line = lf == nullptr ? take_line(size_, false) : take_line(static_cast<const char*>(lf) - data_.get(), true);
    return true;
}

bool RecordFileReader::cut_long_line(std::string_view& line) {
    long_line_.assign(data_.get() + pos_, kMaxRecordLineBytes);
    line = long_line_;
    // the rest of the line goes by a block at a time, never held whole
    for (;;) {
        const void* lf = std::memchr(data_.get() + pos_, '\n', size_ - pos_);
        if (lf != nullptr) {
            take_line(static_cast<const char*>(lf) - data_.get(), true);
            return true;
        }
        offset_ += static_cast<int64_t>(size_ - pos_);
        pos_ = size_;
        if (!fill()) return true;
    }
}

void find_line_feeds(const char* data, size_t from, size_t to, std::vector<size_t>& ends) {
    size_t at = from;
#if defined(__SSE2__)
    // sixteen bytes compared at once; each set bit of the mask is a line feed
    const __m128i line_feed = _mm_set1_epi8('\n');
    for (; at + 16 <= to; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, line_feed))); mask != 0;
             mask &= mask - 1)
            ends.push_back(at + static_cast<size_t>(__builtin_ctz(mask)));
    }
#endif
    while (at < to) {
        const void* lf = std::memchr(data + at, '\n', to - at);
        if (lf == nullptr) break;
        ends.push_back(static_cast<size_t>(static_cast<const char*>(lf) - data));
        at = ends.back() + 1;
    }
}

namespace {

using LineLeads = RecordFileReader::LineLeads;

[[maybe_unused]] int bit_count(uint32_t mask) {
    mask = mask - ((mask >> 1) & 0x55555555u);
    mask = (mask & 0x33333333u) + ((mask >> 2) & 0x33333333u);
    mask = (mask + (mask >> 4)) & 0x0f0f0f0fu;
    return static_cast<int>((mask * 0x01010101u) >> 24);
}

// The line feeds of a mask whose next line is led so: the first one's lane,
// or -1. A line feed is a candidate when the byte after it is a plain
// line's first or the byte after that a scrambled line's first; the lane
// is then looked at whole.
int first_led_lane(const unsigned char* data, size_t at, uint32_t candidates, const LineLeads& leads) {
    for (; candidates != 0; candidates &= candidates - 1) {
        const int lane = __builtin_ctz(candidates);
        if (line_is_led(data + at + static_cast<size_t>(lane) + 1, 3, leads)) return lane;
    }
    return -1;
}

#if defined(__x86_64__)
struct Avx2Leads {
    __m256i line_feed, p0, p1, s0, s1;
};

// The line feeds of 32 bytes and those of them a line may follow that is
// led so, as bit masks.
__attribute__((target("avx2"))) inline void avx2_masks(const unsigned char* bytes, const Avx2Leads& leads,
                                                       uint64_t& ends, uint64_t& candidates) {
    const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
    const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 1));
    const __m256i second = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 2));
    const __m256i line_feeds = _mm256_cmpeq_epi8(here, leads.line_feed);
    const __m256i leading =
        _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi8(first, leads.p0), _mm256_cmpeq_epi8(first, leads.p1)),
                        _mm256_or_si256(_mm256_cmpeq_epi8(second, leads.s0), _mm256_cmpeq_epi8(second, leads.s1)));
    ends = static_cast<uint32_t>(_mm256_movemask_epi8(line_feeds));
    candidates = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_and_si256(line_feeds, leading)));
}

// 64 bytes a round, in two halves. A line feed is a candidate when the byte
// after it may begin a plain line or the byte after that a scrambled one;
// a candidate is then looked at whole. The led line's own end is handed
// back too when it lies in the same round, so it need not be looked for.
__attribute__((target("avx2,popcnt"))) bool find_led_line_feed_avx2(const unsigned char* data, size_t size,
                                                                    const LineLeads& leads, size_t& at_, size_t& end_,
                                                                    int64_t& passed_) {
    const Avx2Leads wanted{_mm256_set1_epi8('\n'), _mm256_set1_epi8(static_cast<char>(leads.plain[0][0])),
                           _mm256_set1_epi8(static_cast<char>(leads.plain[1][0])),
                           _mm256_set1_epi8(static_cast<char>(leads.scrambled[0][0])),
                           _mm256_set1_epi8(static_cast<char>(leads.scrambled[1][0]))};
    size_t at = at_;  // kept in registers: the bytes could alias the references
    int64_t passed = passed_;
    for (; at + 64 + 3 <= size; at += 64) {
        uint64_t low_ends, low_candidates, high_ends, high_candidates;
        avx2_masks(data + at, wanted, low_ends, low_candidates);
        avx2_masks(data + at + 32, wanted, high_ends, high_candidates);
        const uint64_t ends = low_ends | high_ends << 32;
        for (uint64_t candidates = low_candidates | high_candidates << 32; candidates != 0;
             candidates &= candidates - 1) {
            const int lane = __builtin_ctzll(candidates);
            if (!line_is_led(data + at + static_cast<size_t>(lane) + 1, 3, leads)) continue;
            passed += __builtin_popcountll(ends & ((uint64_t{1} << lane) - 1));
            const uint64_t after = lane == 63 ? 0 : ends >> (lane + 1);
            if (after != 0) {
                end_ = at + static_cast<size_t>(lane + 1 + __builtin_ctzll(after));
            } else {
                // a tag line mostly ends in the next 64 bytes
                for (size_t next = at + 64; next < at + 128 && next + 32 <= size; next += 32) {
                    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + next));
                    const uint32_t feeds =
                        static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(bytes, wanted.line_feed)));
                    if (feeds != 0) {
                        end_ = next + static_cast<size_t>(__builtin_ctz(feeds));
                        break;
                    }
                }
            }
            at_ = at + static_cast<size_t>(lane);
            passed_ = passed;
            return true;
        }
        passed += __builtin_popcountll(ends);
    }
    at_ = at;
    passed_ = passed;
    return false;
}

// Not inlined into the choice below, which is then a plain jump.
__attribute__((noinline)) bool find_led_line_feed_sse2(const unsigned char* data, size_t size, const LineLeads& leads, size_t& at_,
                             size_t& end_, int64_t& passed_) {
    size_t at = at_;
    int64_t passed = passed_;
    const __m128i line_feed = _mm_set1_epi8('\n');
    const __m128i p0 = _mm_set1_epi8(static_cast<char>(leads.plain[0][0]));
    const __m128i p1 = _mm_set1_epi8(static_cast<char>(leads.plain[1][0]));
    const __m128i s0 = _mm_set1_epi8(static_cast<char>(leads.scrambled[0][0]));
    const __m128i s1 = _mm_set1_epi8(static_cast<char>(leads.scrambled[1][0]));
    __m128i counts = _mm_setzero_si128();
    int rounds = 0;
    bool found = false;
    const auto add_counts = [&] {
        const __m128i sums = _mm_sad_epu8(counts, _mm_setzero_si128());
        passed += _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
        counts = _mm_setzero_si128();
        rounds = 0;
    };
    for (; at + 16 + 3 <= size; at += 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + 1));
        const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + 2));
        const __m128i ends = _mm_cmpeq_epi8(here, line_feed);
        const __m128i leading = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(first, p0), _mm_cmpeq_epi8(first, p1)),
                                             _mm_or_si128(_mm_cmpeq_epi8(second, s0), _mm_cmpeq_epi8(second, s1)));
        const uint32_t candidates = static_cast<uint32_t>(_mm_movemask_epi8(_mm_and_si128(ends, leading)));
        if (candidates != 0) {
            const int lane = first_led_lane(data, at, candidates, leads);
            if (lane >= 0) {
                const uint32_t lanes = static_cast<uint32_t>(_mm_movemask_epi8(ends));
                passed += bit_count(lanes & ((1u << lane) - 1));
                const uint32_t after = lanes >> (lane + 1);  // the led line's own end, when in these bytes
                if (after != 0) end_ = at + static_cast<size_t>(lane + 1 + __builtin_ctz(after));
                at += static_cast<size_t>(lane);
                found = true;
                break;
            }
        }
        counts = _mm_sub_epi8(counts, ends);
        if (++rounds == 255) add_counts();
    }
    add_counts();
    at_ = at;
    passed_ = passed;
    return found;
}
#endif

}  // namespace

namespace {

// One line feed at a time: where neither of the others can run.
__attribute__((noinline)) bool find_led_line_feed_bytes(const unsigned char* data, size_t size, const LineLeads& leads, size_t& at,
                              int64_t& passed) {
    for (const void* lf; at + 3 < size && (lf = std::memchr(data + at, '\n', size - 3 - at)) != nullptr;) {
        at = static_cast<size_t>(static_cast<const unsigned char*>(lf) - data);
        if (line_is_led(data + at + 1, 3, leads)) return true;
        ++passed;
        ++at;
    }
    return false;
}

LineScanWidth widest_line_scan() {
#if defined(__x86_64__)
    return __builtin_cpu_supports("avx2") ? LineScanWidth::Avx2 : LineScanWidth::Sse2;
#else
    return LineScanWidth::Bytes;
#endif
}

LineScanWidth g_line_scan = widest_line_scan();

}  // namespace

LineScanWidth use_line_scan(LineScanWidth width) {
    const LineScanWidth was = g_line_scan;
    g_line_scan = std::min(width, widest_line_scan());
    return was;
}

bool find_led_line_feed(const unsigned char* data, size_t size, const LineLeads& leads, size_t& at, size_t& end,
                        int64_t& passed) {
    switch (g_line_scan) {
#if defined(__x86_64__)
    case LineScanWidth::Avx2:
        return find_led_line_feed_avx2(data, size, leads, at, end, passed);
    case LineScanWidth::Sse2:
        return find_led_line_feed_sse2(data, size, leads, at, end, passed);
#endif
    default:
        return find_led_line_feed_bytes(data, size, leads, at, passed);
    }
}

bool RecordFileReader::seek(int64_t offset) {
    if (fd_ < 0 || offset < 0) return false;
    if (crt_lseek(fd_, offset, SEEK_SET) != offset) return false;
    size_ = pos_ = 0;
    offset_ = offset;
    eof_ = false;
    return true;
}

// --- Sources ---------------------------------------------------------------------------

bool FileRecordSource::next(std::string& record) {
    if (!reader_.next_line(stored_)) return false;
    ++line_number_;
    unscramble_line(stored_, record, line_number_);
    if (drop_last_char_ && !record.empty()) record.pop_back();
    return true;
}

bool LineListRecordSource::next(std::string& record) {
    if (index_ >= lines_.size()) return false;
    record = lines_[index_++];
    return true;
}

// --- Interpreter -----------------------------------------------------------------------

PageRecordState PageRecordState::screen_state() {
    PageRecordState state;
    state.page_cell_height = state.text_cell_height = 12;
    state.page_cell_width = state.text_cell_width = 6;
    return state;
}

int replay_page_record(const PageRecord& record, PageRecordState& state, PrimitiveSet& out,
                       const ReplayOptions& options) {
    if (!record.valid) return 0;
    const int* n = record.ints;
    const double* v = record.reals;
    switch (record.code) {
    case RecordCode::None:
    case RecordCode::Debug:
        break;
    case RecordCode::Comment:
        if (record.text.front() == '#') out.comment(record.text);
        break;
    case RecordCode::Beep:
        out.beep();
        break;
    case RecordCode::Pause:
        out.pause();
        break;
    case RecordCode::End:
    case RecordCode::PageEnd:
        return kReplayPageEnd;
    case RecordCode::PageSetup:
        if (!options.grid_records) break;
        if (state.paper_code == PageRecordState::kPortraitPaperCode) {
            state.page_width = PageRecordState::kPortraitWidth;
            state.page_height = PageRecordState::kPortraitHeight;
        } else {
            state.page_width = PageRecordState::kPortraitHeight;
            state.page_height = PageRecordState::kPortraitWidth;
        }
        // integer division here, unlike the rounding of PP and SP
        state.page_cell_height = state.page_height / state.page_rows;
        state.page_cell_width = state.page_width / state.page_columns;
        state.text_cell_height = state.page_height / state.text_rows;
        state.text_cell_width = state.page_width / state.text_columns;
        state.current_y = state.current_x = 0;
        state.vector_mode = false;
        out.begin_page();
        out.set_char_cell(state.page_cell_height, state.page_cell_width, 2 * state.page_cell_width);
        break;
    case RecordCode::PaperCode:
        if (options.grid_records) state.paper_code = n[0];
        break;
    case RecordCode::VectorMode:
    case RecordCode::TextMode:
        state.vector_mode = record.code == RecordCode::VectorMode;
        out.set_vector_mode(state.vector_mode);
        break;
    case RecordCode::Overlay:
        state.overlay = n[0];
        out.set_overlay(n[0]);
        break;
    case RecordCode::LineType:
        out.set_line_type(n[0]);
        break;
    case RecordCode::LineAttr:
        out.set_line_attr(n[0]);
        break;
    case RecordCode::LineWidth:
        out.set_line_width(n[0]);
        break;
    case RecordCode::CornerRadius:
        out.set_corner_radius(n[0] == 0 ? 0 : trunc_to_int(n[0] / 100.0 * state.text_cell_height));
        break;
    case RecordCode::Line:
    case RecordCode::Box: {
        // a grid position lies in the middle of its cell
        const double hp = state.page_cell_height, wp = state.page_cell_width;
        const int y1 = trunc_to_int((v[0] - 0.5) * hp + state.top_margin * hp);
        const int x1 = trunc_to_int((v[1] - 0.5) * wp + state.left_margin * wp);
        const int y2 = trunc_to_int((v[2] - 0.5) * hp + state.top_margin * hp);
        const int x2 = trunc_to_int((v[3] - 0.5) * wp + state.left_margin * wp);
        if (record.code == RecordCode::Line) out.draw_line(x1, y1, x2, y2);
        else out.draw_box(x1, y1, x2, y2);
        break;
    }
    case RecordCode::Move:
    case RecordCode::MoveRelative: {
        const bool page_grid = n[0] == 1;
        const int h = page_grid ? state.page_cell_height : state.text_cell_height;
        const int w = page_grid ? state.page_cell_width : state.text_cell_width;
        double y = (v[0] - 1) * h + static_cast<double>(state.top_margin) * h;
        double x = (v[1] - 1) * w + static_cast<double>(state.left_margin) * w;
        if (record.code == RecordCode::MoveRelative) {
            y += state.current_y;
            x += state.current_x;
        }
        state.current_y = trunc_to_int(y);
        state.current_x = trunc_to_int(x);
        out.move_to(state.current_y - h, state.current_x);
        break;
    }
    case RecordCode::PageGrid:
    case RecordCode::TextGrid: {
        // a grid without rows or columns has no cells: ignored
        if (!options.grid_records || n[0] <= 0 || n[1] <= 0) break;
        if (record.code == RecordCode::PageGrid) {
            state.page_rows = n[0];
            state.page_columns = n[1];
            cells_of_grid(state.page_height, state.page_width, n[0], n[1], state.page_cell_height,
                          state.page_cell_width);
            out.set_char_cell(state.page_cell_height, state.page_cell_width, 2 * state.page_cell_width);
        } else {
            state.text_rows = n[0];
            state.text_columns = n[1];
            cells_of_grid(state.page_height, state.page_width, n[0], n[1], state.text_cell_height,
                          state.text_cell_width);
            out.set_char_cell(state.text_cell_height, state.text_cell_width, 2 * state.text_cell_width);
        }
        break;
    }
    case RecordCode::CharScale:
        out.set_char_size(n[0], n[1]);
        break;
    case RecordCode::Font:
        out.select_font(n[0], n[1], n[2]);
        break;
    case RecordCode::Text:
        out.draw_text(record.text);
        break;
    }
    return 0;
}

int replay_page_records(RecordSource& source, PageRecordState& state, PrimitiveSet& out,
                        const ReplayOptions& options) {
    out.begin_records();
    int end = kReplayEndOfFile;
    std::string line;
    while (true) {
        if (!out.keep_going()) {
            end = kReplayStopped;
            break;
        }
        if (!source.next(line)) break;
        if (replay_page_record(parse_page_record(line), state, out, options) == kReplayPageEnd) {
            end = kReplayPageEnd;
            break;
        }
    }
    out.end_records();
    return end;
}
