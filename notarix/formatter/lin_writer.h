// Writes a document file (.lin): every line scrambled with its number from 1.
// The lines go to a temporary file beside the document, which replaces the
// document only when it is complete, so a failed run keeps the old one.
#pragma once

#include <string>
#include <string_view>

class LinWriter {
public:
    LinWriter() = default;
    ~LinWriter();
    LinWriter(const LinWriter&) = delete;
    LinWriter& operator=(const LinWriter&) = delete;

    // Creates the temporary file for the document; false when it cannot be.
    bool create(const std::string& document);

    // Each returns 0, or -1 once any write has failed.
    int write_line(std::string_view text);
    int write_header();
    int write_text(int row, int column, std::string_view text);
    int write_comment(std::string_view record);
    int write_function_end();
    int write_trailer();

    // Closes the file and puts it in place of the document: 0, or -1 when a
    // write, the close or the rename failed (the old document then stays).
    int commit();
    // Closes and removes the temporary file.
    void abandon();

    const std::string& document() const { return document_; }

private:
    static constexpr size_t kFirstBlock = 4096;
    static constexpr size_t kBlock = 64 * 1024;  // the lines go out a block at a time

    // Scrambles line_ with its line end into the block.
    int put_line();
    // Writes the block; false when this or an earlier write failed.
    bool flush();

    int fd_ = -1;
    bool claimed_ = false;  // the temporary's name is the run's
    int line_number_ = 0;
    bool failed_ = false;
    std::string document_;
    std::string temporary_;
    std::string line_;
    std::string scrambled_;
    std::string pending_;
};
