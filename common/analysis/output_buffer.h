// Output gathered in memory and written a block at a time: one write per
// block instead of one per line. A failed write is remembered; the failure
// shows at that append and at every flush after it, and what follows is
// dropped, so a writer ends with the status it gives for a write failure.
#pragma once

#include <string>
#include <string_view>

class OutputBuffer {
public:
    static constexpr size_t kBlock = 64 * 1024;

    // Gathers the text and writes the block once it is full; false once a
    // write to this file has failed.
    bool append(int fd, std::string_view text);
    // Writes what is gathered; false when this or an earlier write failed.
    bool flush(int fd);
    // Forgets what is gathered and any failure, for a new file.
    void reset();

private:
    std::string pending_;
    bool failed_ = false;
};
