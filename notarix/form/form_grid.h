// The page form in memory: a grid of 82 x 112 cells (characters and the
// weights of the ruled-line arms through them), the same form as 82 text
// rows (what is painted and saved), and the UNDO copy of the grid. Reading
// and writing the form file (.frm) and keeping grid and rows in step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "common/print/ruled_lines.h"
#include "notarix/form/form_lines.h"
#include "platform/kernel/global_memory.h"

struct FormCell {
    // A single-byte character as its byte, a double-byte one as lead * 256 +
    // trail in its first column (the second column holds 32); 0 ends the row.
    int32_t code = ' ';
    uint8_t right = 0, up = 0, left = 0, down = 0;
};

// An array in a block of the platform's global memory, as the form's grids
// are: a lack of memory shows as a failed allocation, never as an exception.
template <class T>
class GlobalArray {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

public:
    GlobalArray() = default;
    ~GlobalArray() { release(); }
    GlobalArray(const GlobalArray&) = delete;
    GlobalArray& operator=(const GlobalArray&) = delete;

    // n elements of T{}; false (and nothing held) when the block cannot be had.
    bool allocate(size_t n) {
        release();
        block_ = GlobalAlloc(GMEM_FIXED, n * sizeof(T));
        if (block_ == nullptr) return false;
        data_ = static_cast<T*>(GlobalLock(block_));
        size_ = n;
        std::uninitialized_value_construct_n(data_, n);
        return true;
    }
    void release() {
        if (block_ != nullptr) GlobalFree(block_);
        block_ = nullptr;
        data_ = nullptr;
        size_ = 0;
    }
    bool empty() const { return size_ == 0; }
    size_t size() const { return size_; }
    T& operator[](size_t i) { return data_[i]; }
    const T& operator[](size_t i) const { return data_[i]; }
    T* begin() { return data_; }
    T* end() { return data_ + size_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }

private:
    HGLOBAL block_ = nullptr;
    T* data_ = nullptr;
    size_t size_ = 0;
};

// Text rows are padded with blanks to this width.
inline constexpr int kFormTextWidth = 111;

// The form's state: one record, reset for every file read.
struct FormGrids {
    GlobalArray<FormCell> cells;     // kFormRows x kFormColumns, row-major; empty: not allocated
    GlobalArray<FormCell> undo;      // the UNDO copy; empty when it could not be had
    bool undo_kept = false;          // the copy holds a state UNDO can restore
    std::vector<std::string> rows;   // kFormRows text rows
    RuledLineCodeSet code_set = kRuledLinesDosV;

    bool allocated() const { return !cells.empty(); }
    FormCell& cell(int row, int column) { return cells[static_cast<size_t>(row * kFormColumns + column)]; }
    const FormCell& cell(int row, int column) const {
        return cells[static_cast<size_t>(row * kFormColumns + column)];
    }
    // Every cell blank without arms, the last column of each row 0 (the row
    // ends after column 110 unless a file fills it).
    void clear_cells();
    void clear_rows();
};

FormGrids& form_grids();

// 0, or -1 when the grid or the text rows cannot be had (nothing stays
// allocated then). Puts everything in the empty state and makes the
// editor's drawing tools; message 410 stands in the status bar meanwhile.
int alloc_form_grids();
// Frees the three blocks and the drawing tools; safe to call twice.
void free_form_grids();

// -1 when the file cannot be opened (the form stays empty); else 0, after
// the form was loaded (converted to the current code set), the view told
// and, when the form was cut to 82 rows of 112 columns, the warning shown.
int read_frm_file(const std::string& path);
// Writes the 82 text rows without trailing blanks; the old file is replaced
// only by a complete new one. 0, or -1 after the warning box.
int write_frm_file(const std::string& path);
// Re-derives every cell and row from the text rows, so that ruled lines
// take the characters of the current code set.
void rebuild_form_cells();
// The text of one row, composed from its cells.
void compose_row_text(int row, std::string& out);

// Reads the characters of a line into a row of cells; ruled-line characters
// in the line are replaced by those of the current code set.
void read_row_characters(int row, std::string& line);
