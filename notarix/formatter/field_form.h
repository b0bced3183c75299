// The page form as the formatter sees it: where each field of a
// function record goes (.fms lines "$NM(row,column:rows,width)").
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

class LineReader;

// Field numbers; the order is that of the keys below and of the .fms file's
// field codes, which printing also looks up by number.
enum FieldIndex : int {
    kFieldName,       // $NM
    kFieldPurpose,    // $FN
    kFieldProcess,    // $PR
    kFieldCalls,      // $CF
    kFieldHead,       // $FF
    kFieldParams,     // $PF
    kFieldArgKind,    // $PT
    kFieldArgName,    // $PN
    kFieldArgMore,    // $PA
    kFieldFiles,      // $FL
    kFieldRemarks,    // $RM
    kFieldSource,     // $SR
    kFieldAuthor,     // $PG
    kFieldRevised,    // $D1
    kFieldCreated,    // $D2
    kFieldSystem,     // $SY
    kFieldOs,         // $OS
    kFieldLanguage,   // $LG
    kFieldFooter,     // $FT
    kFieldCount
};

inline constexpr std::array<const char*, kFieldCount> kFieldKeys = {
    "$NM", "$FN", "$PR", "$CF", "$FF", "$PF", "$PT", "$PN", "$PA", "$FL",
    "$RM", "$SR", "$PG", "$D1", "$D2", "$SY", "$OS", "$LG", "$FT",
};

struct FieldPosition {
    int row = -1;
    int column = -1;
    int end_row = -1;    // first row below the field
    int max_chars = -1;  // bytes per line
    bool named = false;  // the form gave the field a position
};

// One single-row $PT or $PN area of the form.
struct FieldEntry {
    int row = -1;
    int column = -1;
    int max_chars = -1;
};

inline constexpr size_t kMaxFieldEntries = 40;

struct FieldForm {
    std::array<FieldPosition, kFieldCount> fields{};
    std::vector<FieldEntry> kind_entries;  // single-row $PT areas, file order
    std::vector<FieldEntry> name_entries;  // single-row $PN areas
    bool has_remarks = false;

    FieldPosition& operator[](int index) { return fields[static_cast<size_t>(index)]; }
    const FieldPosition& operator[](int index) const { return fields[static_cast<size_t>(index)]; }
};

struct FieldNumbers {
    int row = -1;
    int column = -1;
    int rows = -1;
    int max_chars = -1;
};

// The numbers of "(a,b:c,d)" after a key; a missing or non-numeric one is -1.
FieldNumbers parse_field_numbers(std::string_view text);

// Fills the form used when no form is named.
void fill_builtin_form(FieldForm& form);

// Reads the form file (empty path: the built-in form). 0, or -1 when the file
// cannot be opened (the caller reports it).
int read_fms_form(const std::string& path, FieldForm& form);
// The same from a form file already open.
void read_open_fms_form(LineReader& reader, FieldForm& form);

// Looks one field up in a .fms file: 0 with its column and row, or -1 when
// the index is out of range, the name empty, the file unreadable or the key
// absent.
int find_fms_field_position(const char* form_file, int index, int& column, int& row);
