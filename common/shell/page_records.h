// The page-record language of .lin and .lis files ("MV:1,7,16", "ST:text",
// "BX:1,1,82,110", ...) and its one interpreter. The interpreter reads the
// records, keeps the grid geometry and the text position, and replays every
// record onto a PrimitiveSet: the screen, the layout view, the text grid and
// the printers are back ends of that set and never parse records themselves.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// --- Parsing -------------------------------------------------------------------

enum class RecordCode {
    None,         // too short, or a code no renderer knows
    Comment,      // first character blank, "*", ";" or "#"
    Debug,        // DB
    Beep,         // BZ
    Pause,        // KY
    End,          // ED
    PageSetup,    // ZO
    PaperCode,    // PF
    PageEnd,      // ZC
    VectorMode,   // ZV
    TextMode,     // ZT
    Overlay,      // OV
    LineType,     // LT
    LineAttr,     // LA
    LineWidth,    // LW
    CornerRadius, // BR
    Line,         // LN
    Box,          // BX
    Move,         // MV
    MoveRelative, // MR
    PageGrid,     // PP
    TextGrid,     // SP
    CharScale,    // SS
    Font,         // SF
    Text,         // ST
};

// One record taken apart. `valid` is false when the code needs numbers and
// some are missing or not numbers: such a record is ignored, never replayed
// with made-up values.
struct PageRecord {
    RecordCode code = RecordCode::None;
    bool valid = false;
    int ints[3] = {0, 0, 0};           // PF OV LT LA LW BR (1), PP SP SS (2), SF (3), MV MR unit
    double reals[4] = {0, 0, 0, 0};    // LN BX r1 c1 r2 c2; MV MR row, column
    std::string_view text;             // ST: the rest of the line; comments: the whole line
};

// Takes one plain record apart (line end already removed). The two-letter
// code is the record's first two characters and its arguments begin at the
// fourth; a record of two characters or fewer is RecordCode::None.
PageRecord parse_page_record(std::string_view line);

// "%d" and "%f" fields as the records write them: blanks around the number
// are allowed, anything else makes the field unreadable.
bool parse_record_int(std::string_view field, int& value);
bool parse_record_real(std::string_view field, double& value);

// --- Reading record files --------------------------------------------------------

// Lines of a record file with their true byte offsets: LF and CR LF ends are
// both accepted and removed. A line longer than kMaxRecordLineBytes (far
// beyond any record the programs write) is cut there and the rest of it is
// passed over while reading, so no file can make the reader hold more.
class RecordFileReader {
public:
    static constexpr size_t kMaxRecordLineBytes = 1u << 20;
    static constexpr size_t kBlockBytes = 64u * 1024;

    RecordFileReader() = default;
    ~RecordFileReader();
    RecordFileReader(const RecordFileReader&) = delete;
    RecordFileReader& operator=(const RecordFileReader&) = delete;

    bool open(const std::string& path);
    void close();
    bool is_open() const { return fd_ >= 0; }

    // False at the end of the file or on a read error.
    bool next_line(std::string& line);
    // The same line seen in the reader's buffer, good until the next read:
    // no copy is made.
    bool next_line_view(std::string_view& line);
    // Offset of the first byte the next next_line() returns.
    int64_t offset() const { return offset_; }
    bool seek(int64_t offset);

    // Every line from here to the end, as next_line_view gives them, handed
    // to `take` (which returns false to stop); offset() is then that of the
    // line after it. The line ends of a whole block are found at once, so a
    // reader of many short lines pays little more than the read.
    template <class Take>
    void scan_lines(Take&& take);

    // Every line from here to the end that begins with one of two pairs of
    // bytes, or with a key byte (below 10) and then one of two others, as
    // next_line_view gives it, handed to take(line, number), its number
    // counted from 1 for the first line of this scan; take returns false to
    // stop, and offset() is then that of the line after it. The other lines
    // are passed over sixteen bytes at a time, never taken apart. The number
    // of lines passed, the stopping one included.
    struct LineLeads {
        unsigned char plain[2][2];      // a plain line's first two bytes (give one twice for one)
        unsigned char scrambled[2][2];  // a scrambled line's two bytes after the key
    };
    template <class Take>
    int64_t scan_lines_led_by(const LineLeads& leads, Take&& take);

private:
    bool fill();
    bool cut_long_line(std::string_view& line);
    // The line that ends at `end` (a line feed, or the buffer's end), taken.
    std::string_view take_line(size_t end, bool line_feed) {
        std::string_view line(data_.get() + pos_, end - pos_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const size_t consumed = end - pos_ + (line_feed ? 1 : 0);
        pos_ += consumed;
        offset_ += static_cast<int64_t>(consumed);
        return line;
    }

    int fd_ = -1;
    std::unique_ptr<char[]> data_;  // read ahead: bytes [pos_, size_) are unread
    size_t capacity_ = 0;
    size_t size_ = 0;
    size_t pos_ = 0;
    std::vector<size_t> line_ends_;  // of the buffer's unread bytes, for scan_lines
    std::string long_line_;  // the kept part of a line cut at the limit
    int64_t offset_ = 0;
    bool eof_ = false;
};

// The positions of the line feeds in data[from, to), appended to `ends`.
void find_line_feeds(const char* data, size_t from, size_t to, std::vector<size_t>& ends);

template <class Take>
void RecordFileReader::scan_lines(Take&& take) {
    if (fd_ < 0) return;
    for (;;) {
        line_ends_.clear();
        find_line_feeds(data_.get(), pos_, size_, line_ends_);
        for (const size_t end : line_ends_)
            if (!take(take_line(end, true))) return;
        if (size_ - pos_ > kMaxRecordLineBytes) {
            std::string_view line;
            cut_long_line(line);
            if (!take(line)) return;
            continue;
        }
        if (!fill()) break;  // fill() moves the unread bytes to the front
    }
    if (pos_ < size_) take(take_line(size_, false));  // a last line without a line feed
}

// Whether the line at `line` (with `available` bytes from there on) begins
// as `leads` says.
inline bool line_is_led(const unsigned char* line, size_t available, const RecordFileReader::LineLeads& leads) {
    const unsigned char(*pairs)[2] = line[0] >= 10 ? leads.plain : leads.scrambled;
    if (line[0] < 10) ++line, --available;
    if (available < 2) return false;
    return (line[0] == pairs[0][0] && line[1] == pairs[0][1]) || (line[0] == pairs[1][0] && line[1] == pairs[1][1]);
}

// From `at` on, the first line feed of data[.., size) that the line after it
// begins as `leads` says: true with `at` there and `end` at the line feed
// that ends that line when the search has seen it (else left as it was), or
// false with `at` where the search stopped, a few bytes before the end, for
// the caller to go on from. The line feeds in between are added to `passed`.
bool find_led_line_feed(const unsigned char* data, size_t size, const RecordFileReader::LineLeads& leads, size_t& at,
                        size_t& end, int64_t& passed);

// The search goes 32 bytes at a time where the processor can, else 16, else
// one line feed at a time; a test may ask for a narrower one. The previous.
enum class LineScanWidth { Bytes, Sse2, Avx2 };
LineScanWidth use_line_scan(LineScanWidth width);

template <class Take>
int64_t RecordFileReader::scan_lines_led_by(const LineLeads& leads, Take&& take) {
    int64_t lines = 0;
    if (fd_ < 0) return lines;
    size_t led_end = 0;  // past pos_: the line at pos_ is led and ends with the line feed there
    for (;;) {
        // pos_ is the start of a line not looked at yet
        while (size_ - pos_ < 3 && fill()) led_end = 0;
        if (pos_ >= size_) break;
        ++lines;
        const auto* data = reinterpret_cast<const unsigned char*>(data_.get());
        if (led_end > pos_ || line_is_led(data + pos_, size_ - pos_, leads)) {
            std::string_view line;
            const void* lf = led_end > pos_ ? data + led_end : std::memchr(data + pos_, '\n', size_ - pos_);
            led_end = 0;
            if (lf != nullptr) line = take_line(static_cast<const unsigned char*>(lf) - data, true);
            else next_line_view(line);  // it runs on past the buffer
            if (!take(line, lines)) return lines;
            continue;
        }
        // Passed over up to the next line that may be led so: the lines
        // between are only counted. offset_ stays that of pos_.
        size_t from = pos_;
        for (;;) {
            data = reinterpret_cast<const unsigned char*>(data_.get());
            size_t at = from;
            int64_t passed = 0;  // line feeds in [from, at)
            bool found = find_led_line_feed(data, size_, leads, at, led_end, passed);
            if (!found) {
                // the last bytes one at a time: the next line is looked at whole
                const void* lf = std::memchr(data + at, '\n', size_ - at);
                if (lf != nullptr) {
                    at = static_cast<size_t>(static_cast<const unsigned char*>(lf) - data);
                    found = true;
                }
            }
            if (found) {
                lines += passed;
                offset_ += static_cast<int64_t>(at + 1 - pos_);
                pos_ = at + 1;
                break;
            }
            // no line feed from `from` on: the rest of the buffer belongs to a
            // line passed over, which may run on into the next block
            lines += passed;
            offset_ += static_cast<int64_t>(size_ - pos_);
            pos_ = size_;
            if (!fill()) return lines;  // the last line ends with the file
            from = pos_;
        }
    }
    return lines;
}

// Where the interpreter takes its records from.
class RecordSource {
public:
    virtual ~RecordSource() = default;
    // The next plain record, false when there is none.
    virtual bool next(std::string& record) = 0;
};

// Records of an open file from its current position. Line numbers go on from
// `line_number` (the number of the last line before the first record), and
// each line is unscrambled with its number; plain lines pass as they are.
class FileRecordSource : public RecordSource {
public:
    FileRecordSource(RecordFileReader& reader, int line_number, bool drop_last_char = false)
        : reader_(reader), line_number_(line_number), drop_last_char_(drop_last_char) {}
    bool next(std::string& record) override;
    int line_number() const { return line_number_; }

private:
    RecordFileReader& reader_;
    int line_number_;
    bool drop_last_char_;  // the formatter's debug levels above 3 add a character
    std::string stored_;
};

// Records already in memory, in plain form (the document's header lines).
class LineListRecordSource : public RecordSource {
public:
    explicit LineListRecordSource(const std::vector<std::string>& lines) : lines_(lines) {}
    bool next(std::string& record) override;

private:
    const std::vector<std::string>& lines_;
    size_t index_ = 0;
};

// --- The primitive interface -------------------------------------------------------

// The drawing operations every back end offers. Coordinates are in the back
// end's own units (screen pixels, printer logical units, grid units): the
// interpreter has turned rows and columns into them with the cells of
// PageRecordState. Every operation returns 0 on success; the defaults do
// nothing, so a back end implements only what it draws.
class PrimitiveSet {
public:
    virtual ~PrimitiveSet() = default;

    // Around one replay of a record stream.
    virtual int begin_records() { return 0; }
    virtual int end_records() { return 0; }
    // Checked before every record: false stops the replay (a cancelled job,
    // a failed printer write).
    virtual bool keep_going() { return true; }

    // Page control: ZO has set up the cells and starts a page; a form feed
    // ends the page and starts the next.
    virtual int begin_page() { return 0; }
    virtual int form_feed() { return 0; }
    virtual int set_overlay(int /*state*/) { return 0; }
    virtual int set_vector_mode(bool /*on*/) { return 0; }
    virtual int beep() { return 0; }
    virtual int pause() { return 0; }

    // Characters: the cell of the grid in use, the scale of SS in percent of
    // the cell, and the printer font selection of SF.
    virtual int set_char_cell(int /*height*/, int /*half_width*/, int /*full_width*/) { return 0; }
    virtual int set_char_size(int /*height_percent*/, int /*width_percent*/) { return 0; }
    virtual int select_font(int /*a*/, int /*b*/, int /*c*/) { return 0; }
    virtual int set_text_colour(int /*code*/) { return 0; }

    // The text position: the top of the cell row the next text goes into.
    virtual int move_to(int /*y*/, int /*x*/) { return 0; }

    // Pens and shapes. A corner radius applies to the next box only.
    virtual int set_line_type(int /*style*/) { return 0; }
    virtual int set_line_attr(int /*attr*/) { return 0; }
    virtual int set_line_width(int /*width*/) { return 0; }
    virtual int set_corner_radius(int /*radius*/) { return 0; }
    virtual int draw_box(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) { return 0; }
    virtual int draw_line(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) { return 0; }
    virtual int set_clip_rect(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) { return 0; }
    virtual int clear_clip() { return 0; }

    // Text at the text position.
    virtual int draw_text(std::string_view /*text*/) { return 0; }

    // A comment record ("#NAM:...", "#TAG:..."), for back ends that collect
    // the page title.
    virtual void comment(std::string_view /*record*/) {}
};

// --- The interpreter ---------------------------------------------------------------

// Geometry of the records: the grids, their cells, the last position and
// the margins. The screens start every replay from screen_state(); the
// printer and the text grid keep one state across replays, as their pages
// begin with ZO, PP and SP records that set it.
struct PageRecordState {
    static constexpr int kPortraitWidth = 5664;
    static constexpr int kPortraitHeight = 8130;
    static constexpr int kPortraitPaperCode = 14;

    int paper_code = kPortraitPaperCode;
    int page_width = 0, page_height = 0;
    int page_rows = 82, page_columns = 194;
    int text_rows = 82, text_columns = 194;
    int page_cell_height = 0, page_cell_width = 0;
    int text_cell_height = 0, text_cell_width = 0;
    int current_y = 0, current_x = 0;
    int top_margin = 0, left_margin = 0;  // rows and columns
    int overlay = 0;
    bool vector_mode = false;

    // Cells of 6 x 12 pixels that ZO, PP and SP leave alone.
    static PageRecordState screen_state();
};

struct ReplayOptions {
    // Printers and the text grid act on ZO, PF, PP and SP; the screens keep
    // their fixed cells and ignore them.
    bool grid_records = false;
};

enum ReplayEnd : int {
    kReplayEndOfFile = 0,   // the source ran out
    kReplayPageEnd = 1,     // ZC or ED
    kReplayStopped = 2,     // the back end asked to stop
};

// Truncation toward zero as the records' positions are computed, held
// inside the int range whatever the product.
int trunc_to_int(double v);

// Replays records until end of page, end of source, or the back end stops it.
int replay_page_records(RecordSource& source, PageRecordState& state, PrimitiveSet& out,
                        const ReplayOptions& options = {});

// Replays one parsed record; kReplayPageEnd for ZC and ED, else 0.
int replay_page_record(const PageRecord& record, PageRecordState& state, PrimitiveSet& out,
                       const ReplayOptions& options = {});
