// The open document (.lin): its header check, the page index, the side
// files named after it, and DocumentState, through which the rest of the
// viewer learns which document is open and where the user is in it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/shell/page_records.h"

inline constexpr int kMaxDocumentPages = 1000;
inline constexpr int kDocumentHeaderLines = 5;
inline constexpr int kHeaderLineBytes = 79;

// Results of indexing a document.
enum : int {
    kIndexOk = 0,
    kIndexCannotOpen = -1,
    kIndexNotADocument = 617,  // the first line is no document header at all
    kIndexWrongVersion = 618,  // a document header of another version
};

// What differs between the programs' documents.
struct DocumentProfile {
    std::string_view header;
    size_t kind_length;  // bytes of the header that say it is of this kind at all
    std::string_view extension;
    // the messages the status bar shows for a file that is not a document
    // and for one of another version
    int not_a_document_message;
    int other_version_message;
};
inline constexpr DocumentProfile kNotarixDocument{
    .header = " [JOV:LIN:V1.00 ",
    .kind_length = 9,  // " [JOV:LIN"
    .extension = ".lin",
    .not_a_document_message = 205,  // 関数仕様書ファイルではありません。
    .other_version_message = 1,     // 関数仕様書ファイルのバージョンが違います。
};

struct PageIndexEntry {
    int32_t line_number = 0;  // the line after which the page's records begin
    int64_t offset = 0;       // true byte offset of the page's first line
    int32_t tag = 0;          // source line of the page's function ("#TAG:"), 0 when none
};

struct DocumentState {
    std::string file_name;    // the document, extension ".lin"
    std::string source_name;  // the source it was made from
    std::string source_extension = ".c";
    std::string program_directory;  // without a trailing separator
    bool loaded = false;         // document and source loaded: pages can be shown
    bool source_loaded = false;  // the source text is in the source list
    bool busy = false;
    bool abort = false;
    bool linked_mode = true;  // the source list follows the page
    int current_page = 0;
    int page_count = 0;
    std::vector<PageIndexEntry> pages;
    std::string page_title;
    std::vector<std::string> header_lines;  // the first five lines, plain, cut to 79 bytes
    int current_source_line = 2;
    int scroll_row = 0;     // vertical position, in 12-pixel rows
    int scroll_column = 0;  // horizontal position, in 6-pixel columns
    int visible_rows = 0;   // of the page view, kept by the frame
    int client_width = 0;
    int client_height = 0;
    int tab_width = 4;  // the horizontal page step, from the settings
    RecordFileReader file;  // the open document, from a successful read to its close
    int index_result = 0;   // of the last read: kIndexOk, or why the document could not be read

    // Back to the state of a program that has opened nothing; the program
    // directory stays.
    void reset();
};

DocumentState& document_state();

// The callers' parts of an open: the settings file, the status bar, the
// source list and the control bar. Empty hooks are skipped; without
// load_source_text the document counts as loaded once it is read.
struct DocumentHooks {
    std::function<int()> read_settings;  // 0, -3 unreadable, -4 wrong signature or version
    std::function<void(int mode, const std::string& text)> set_status_text;
    std::function<void()> beep;
    std::function<void(bool on)> set_link_button_label;
    std::function<int()> load_source_text;  // 0, or -1 when the source cannot be loaded
    std::function<void()> fill_function_combo;
    std::function<void()> forget_source_marker;
};

// The document's name with another extension (".flt", ".fsm", ".fss").
std::string side_file_name(const DocumentState& state, std::string_view extension);

// Opens state.file_name and indexes it: header check, header lines, one
// entry per page (the page count is the number of "ZC:" records, at most
// 1000). The file stays open on success. kIndexOk, kIndexCannotOpen,
// kIndexNotADocument (also for an empty file) or kIndexWrongVersion.
int index_document(DocumentState& state, const DocumentProfile& profile);

// Reads the settings again and indexes the document: 0, -1 (not opened, or a
// wrong header: the status bar then shows the profile's message for it), -3
// or -4.
int read_lin_document(DocumentState& state, const DocumentHooks& hooks,
                      const DocumentProfile& profile);

// Opens the document that belongs to a source or document name: 0, -1, -3
// or -4 and nothing else. An empty name stays empty (and gives -1).
int open_document(DocumentState& state, std::string_view name, const DocumentHooks& hooks,
                  const DocumentProfile& profile);

int close_document(DocumentState& state);

// Replays one page's records from the open document. The interpreter end
// (ReplayEnd), or -1 when no document is open or the page does not exist.
int replay_document_page(DocumentState& state, int page, PrimitiveSet& out, PageRecordState& geometry,
                         const ReplayOptions& options = {}, bool drop_last_char = false);

// The number in a "#TAG:" record: the digits after its last "(", or -1.
int parse_page_tag(std::string_view record);

// Appends ".lis" to a layout file name whose file part has no extension.
void add_lis_extension(std::string& name);

// The page form's file: the settings' layout name (with ".lis" added when
// it has none), or "nx1000.lis" in the program directory when it is empty.
std::string layout_file_path(std::string_view layout_name, std::string_view program_directory);
