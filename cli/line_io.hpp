// Line-at-a-time input and output for the subcommands that stream: large reads and writes, and
// the answers written out before the input is waited for, so that a program which sends one
// line and waits for its answer (a co-process on pipes, a person at a terminal) gets it at once.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tarnvel::cli {

// Buffered output to a file descriptor. A failed write is remembered and reported by flush().
class LineOutput {
public:
    explicit LineOutput(int fd) : fd_(fd) { buffer_.reserve(capacity); }
    ~LineOutput() { flush(); }
    LineOutput(const LineOutput &) = delete;
    LineOutput &operator=(const LineOutput &) = delete;

    void write(std::string_view bytes) {
        if (buffer_.size() + bytes.size() > capacity) drain();
        buffer_.append(bytes);
    }
    void put(char c) {
        if (buffer_.size() >= capacity) drain();
        buffer_.push_back(c);
    }
    // Writes out what is buffered; false when a write failed, now or before.
    bool flush();

private:
    static constexpr std::size_t capacity = 1 << 16;
    void drain();

    int fd_;
    bool failed_ = false;
    std::string buffer_;
};

// Lines from a file descriptor, a file, or a text in memory, without their line breaks (LF or
// CR LF). The last line needs no line break. Throws std::runtime_error when reading fails.
class LineReader {
public:
    // 'before_wait' runs before each read that may wait for more input (flush the answers there).
    explicit LineReader(int fd, std::function<void()> before_wait = nullptr);
    // The file 'path'; throws std::runtime_error naming it when it cannot be opened.
    struct File {
        std::string path;
    };
    explicit LineReader(const File &file);
    // The lines of 'text', which must outlive the reader.
    explicit LineReader(std::string_view text) : text_(text), at_end_(true) {}
    ~LineReader();
    LineReader(const LineReader &) = delete;
    LineReader &operator=(const LineReader &) = delete;

    // The next line; false at the end. The view is valid until the next call.
    bool next(std::string_view &line);
    // The number of the line last read, from 1.
    std::size_t number() const { return number_; }

private:
    void fill();  // reads more into buffer_; sets at_end_ at the end of the input

    int fd_ = -1;
    bool owns_fd_ = false;
    std::string name_;  // for messages
    std::function<void()> before_wait_;
    std::string buffer_;
    std::string_view text_;  // the unread part of buffer_, or of the text in memory
    std::size_t scanned_ = 0;  // how much of text_ is known to hold no line break
    std::size_t number_ = 0;
    bool at_end_ = false;
};

}  // namespace tarnvel::cli
