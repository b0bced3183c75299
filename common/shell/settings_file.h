// The settings file: one fixed-size binary record in the program directory,
// read whole and written whole. The record is never a C++ struct: its bytes
// are kept as they stand in the file, and every field is reached through a
// layout table (offset, width, kind) that each program gives in its profile.
// Bytes no field names are carried through unchanged.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class SettingsFieldKind : uint8_t {
    Reserved,  // kept as read; nothing interprets it
    Tag,       // fixed bytes without a terminator (signature, version)
    Text,      // zero-terminated Shift-JIS, padded with zeros to its width
    Word,      // u16, little-endian
    WordPair,  // u16[2], one per paper orientation
    Colour,    // three bytes: red, green, blue
    TextSlots, // `slots` texts of width / slots bytes each (recent files)
};

struct SettingsField {
    const char* name = "";
    uint16_t offset = 0;
    uint16_t width = 0;  // bytes, the whole field
    SettingsFieldKind kind = SettingsFieldKind::Reserved;
    uint8_t slots = 1;
    // Range of a Word or WordPair; max < min means no range is known.
    int32_t min = 0;
    int32_t max = -1;
    // The value picks an entry of something (a slot, an array, a choice).
    // Read from a file out of range, it is set to its standard value.
    bool indexes = false;
    // Standard values: Word [0]; WordPair [landscape, portrait]; Colour r, g, b.
    std::array<int32_t, 3> standard{};
    const char* standard_text = "";  // Tag and Text
};

// Builders that keep the layout tables readable, one field to a line.
constexpr SettingsField reserved_bytes(uint16_t offset, uint16_t width) {
    return {"", offset, width, SettingsFieldKind::Reserved};
}
constexpr SettingsField tag_field(const char* name, uint16_t offset, uint16_t width, const char* value) {
    return {name, offset, width, SettingsFieldKind::Tag, 1, 0, -1, false, {}, value};
}
constexpr SettingsField text_field(const char* name, uint16_t offset, uint16_t width, const char* standard = "") {
    return {name, offset, width, SettingsFieldKind::Text, 1, 0, -1, false, {}, standard};
}
constexpr SettingsField word_field(const char* name, uint16_t offset, int32_t standard = 0, int32_t min = 0,
                                   int32_t max = -1, bool indexes = false) {
    return {name, offset, 2, SettingsFieldKind::Word, 1, min, max, indexes, {standard, 0, 0}, ""};
}
constexpr SettingsField index_field(const char* name, uint16_t offset, int32_t standard, int32_t min, int32_t max) {
    return word_field(name, offset, standard, min, max, true);
}
constexpr SettingsField word_pair_field(const char* name, uint16_t offset, int32_t landscape, int32_t portrait,
                                        int32_t min, int32_t max) {
    return {name, offset, 4, SettingsFieldKind::WordPair, 2, min, max, false, {landscape, portrait, 0}, ""};
}
constexpr SettingsField colour_field(const char* name, uint16_t offset, int32_t red, int32_t green, int32_t blue) {
    return {name, offset, 3, SettingsFieldKind::Colour, 1, 0, -1, false, {red, green, blue}, ""};
}
constexpr SettingsField text_slots_field(const char* name, uint16_t offset, uint8_t slots, uint16_t slot_width) {
    return {name, offset, static_cast<uint16_t>(slots * slot_width), SettingsFieldKind::TextSlots, slots};
}

// The field of a layout table with that name. Used in constant expressions,
// where a name that is not there stops the build.
constexpr const SettingsField& find_settings_field(std::span<const SettingsField> fields, std::string_view name) {
    for (const SettingsField& f : fields) {
        if (std::string_view(f.name) == name) return f;
    }
    throw "no settings field of that name";
}

// True when the fields follow one another without gap or overlap from offset
// 0 to `size`, and every field's standard text fits it. Each program asserts
// this of its table, so the table cannot drift from the file layout.
constexpr bool settings_layout_is_contiguous(std::span<const SettingsField> fields, int size) {
    int next = 0;
    for (const SettingsField& f : fields) {
        if (f.offset != next || f.width == 0) return false;
        if (f.kind == SettingsFieldKind::Word && f.width != 2) return false;
        if (f.kind == SettingsFieldKind::WordPair && f.width != 4) return false;
        if (f.kind == SettingsFieldKind::Colour && f.width != 3) return false;
        if (f.kind == SettingsFieldKind::TextSlots && (f.slots == 0 || f.width % f.slots != 0)) return false;
        const int text_size = static_cast<int>(std::string_view(f.standard_text).size());
        if (f.kind == SettingsFieldKind::Tag && text_size != f.width) return false;
        if (f.kind == SettingsFieldKind::Text && text_size >= f.width) return false;
        next = f.offset + f.width;
    }
    return next == size;
}

// What differs between the programs' settings files.
struct SettingsProfile {
    const char* file_name;        // in the program directory, "nx1000s.prm"
    const char* temporary_name;   // the new record is written here, then renamed
    int size;                     // bytes of the record
    std::span<const SettingsField> fields;  // every byte, in offset order
    const SettingsField* signature;
    const SettingsField* version;
    const SettingsField* printer_kind;  // set to 1 (print manager) by every read
    const SettingsField* recent_count;
    const SettingsField* recent_files;
    int save_failure_message;     // the message callers show when a write fails
};

// The bytes of one settings record and the profile that says what they hold.
// Every access goes through a bounds check: a field that does not lie inside
// the record reads as 0 or "" and is never written.
class SettingsRecord {
public:
    SettingsRecord() = default;
    explicit SettingsRecord(const SettingsProfile& profile);

    const SettingsProfile* profile() const { return profile_; }
    std::span<uint8_t> bytes() { return bytes_; }
    std::span<const uint8_t> bytes() const { return bytes_; }

    // u16 of a Word (slot 0) or of one slot of a WordPair.
    int word(const SettingsField& field, int slot = 0) const;
    // The value is stored modulo 65536, as the file holds it.
    void set_word(const SettingsField& field, int value, int slot = 0);

    // Text of a Text field or of one slot of a TextSlots field: up to its
    // zero, at most the width less one byte, never splitting a double-byte
    // character. A Tag reads as its raw bytes.
    std::string text(const SettingsField& field, int slot = 0) const;
    // Stores a text and zero-fills the rest of the field (slot). A text that
    // does not fit in the width less one byte is refused (false, nothing
    // changes); a text is taken up to its first zero byte.
    bool set_text(const SettingsField& field, std::string_view text, int slot = 0);
    // Stores a text cut to the width less one byte, never splitting a
    // double-byte character: what a dialog does with a text too long for its
    // field. A Tag is stored only when it fits exactly, as set_text does.
    void set_text_cut(const SettingsField& field, std::string_view text, int slot = 0);

    // Fills the record with the standard values of its layout (the shipped file).
    void set_standard_values();

private:
    bool can_access(int offset, int width) const;
    int slot_offset(const SettingsField& field, int slot, int* slot_width) const;

    const SettingsProfile* profile_ = nullptr;
    std::vector<uint8_t> bytes_;
};

// The record a program ships as its settings file: every field at its
// standard value, reserved bytes zero.
std::vector<uint8_t> build_standard_settings(const SettingsProfile& profile);

// Full name of the settings file: the program directory, "\" and the name.
std::string settings_file_path(const SettingsProfile& profile, std::string_view directory);

// Results of reading and writing.
enum : int {
    kSettingsOk = 0,
    kSettingsCannotOpen = -1,  // read: cannot be opened; write: neither opened nor created
    kSettingsNoBytes = -2,     // read: not a byte read; write: not written whole, or not closed or renamed
};

// What a read met besides its result.
struct SettingsReadInfo {
    int bytes_read = 0;           // a shorter file fills the leading part only
    bool longer_than_record = false;
    std::vector<std::string> repaired;  // names of index fields set back to standard
};

// Reads the file of the program directory into the record: up to the
// record's size; a shorter file fills the leading part and the rest keeps
// what the record held. Afterwards the printer kind is 1 and every index
// field out of its range holds its standard value. On -1 or -2 the record is
// unchanged.
int read_settings_file(SettingsRecord& record, std::string_view directory, SettingsReadInfo* info = nullptr);

// Writes the whole record: a temporary file beside the settings file takes
// every byte, is closed, and is renamed over the old file; any short write,
// failed close or failed rename leaves the old file as it was, removes the
// temporary one and gives -2. A directory that cannot take the temporary file
// gives -1. The caller shows the profile's save_failure_message on any
// result but 0.
int write_settings_file(const SettingsRecord& record, std::string_view directory);
// Removes the temporaries (profile.temporary_name followed by "." and a
// process number) that saves of processes no longer running left behind.
void remove_stale_settings_temporaries(const SettingsProfile& profile, std::string_view directory);

// The signature and version check of the document opener and the list print jobs.
enum class SettingsIdentity { Ok, WrongSignature, WrongVersion };
SettingsIdentity check_settings_identity(const SettingsRecord& record);

// The document opener's read: 0, -3 when the file cannot be read (message
// 103 at start-up), -4 when its signature or version is wrong (message 104).
enum : int { kOpenSettingsUnreadable = -3, kOpenSettingsWrongVersion = -4 };
int reread_settings_for_open(SettingsRecord& record, std::string_view directory);

// Message numbers the callers show for the settings file.
inline constexpr int kMessageSettingsNotSaved = 6;        // システムファイルが保存できません。
inline constexpr int kMessageSettingsMissing = 103;       // システムファイルが見つかりません。
inline constexpr int kMessageSettingsWrongVersion = 104;  // システムファイルのバージョンが違います。
inline constexpr int kMessageSettingsCannotOpen = 105;    // システムファイルがオープンできません。

// The settings record of the running program, and its reset: an all-zero
// record of the given profile (the program then reads its file).
SettingsRecord& shell_settings();
void reset_shell_settings(const SettingsProfile& profile);

// Test hook: the file calls of the writer, so a test can make a write come
// up short or a close or rename fail. nullptr restores the kernel's calls.
struct SettingsWriterCalls {
    int (*write)(int fd, const void* buffer, unsigned n);
    int (*close)(int fd);
    int (*rename)(const char* old_path, const char* new_path);
};
void set_settings_writer_calls(const SettingsWriterCalls* calls);
