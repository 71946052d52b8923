#include "line_io.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

#ifndef O_BINARY
#define O_BINARY 0
#endif

namespace tarnvel::cli {
namespace {
constexpr std::size_t first_read = 1 << 16;
}  // namespace

// --- output ---

void LineOutput::drain() {
    std::size_t done = 0;
    while (!failed_ && done < buffer_.size()) {
        auto n = ::write(fd_, buffer_.data() + done, static_cast<unsigned>(buffer_.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) failed_ = true;
        else done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

bool LineOutput::flush() {
    drain();
    return !failed_;
}

// --- input ---

LineReader::LineReader(int fd, std::function<void()> before_wait)
    : fd_(fd), name_("standard input"), before_wait_(std::move(before_wait)) {}

LineReader::LineReader(const File &file) : name_(file.path) {
    fd_ = ::open(file.path.c_str(), O_RDONLY | O_BINARY);
    if (fd_ < 0) throw std::runtime_error("cannot open " + file.path + ": " + std::strerror(errno));
    owns_fd_ = true;
}

LineReader::~LineReader() {
    if (owns_fd_) ::close(fd_);
}

void LineReader::fill() {
    // keep the unread part at the front, and make room behind it
    std::size_t kept = text_.size();
    if (buffer_.empty()) buffer_.resize(first_read);
    if (kept > 0 && text_.data() != buffer_.data()) std::memmove(buffer_.data(), text_.data(), kept);
    if (buffer_.size() - kept < buffer_.size() / 2) buffer_.resize(buffer_.size() * 2);
    if (before_wait_) before_wait_();
    for (;;) {
        auto n = ::read(fd_, buffer_.data() + kept, static_cast<unsigned>(buffer_.size() - kept));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw std::runtime_error("cannot read " + name_ + ": " + std::strerror(errno));
        if (n == 0) at_end_ = true;
        text_ = std::string_view(buffer_.data(), kept + static_cast<std::size_t>(n));
        return;
    }
}

bool LineReader::next(std::string_view &line) {
    for (;;) {
        const char *found = nullptr;
        if (text_.size() > scanned_)
            found = static_cast<const char *>(std::memchr(text_.data() + scanned_, '\n', text_.size() - scanned_));
        if (found != nullptr || (at_end_ && !text_.empty())) {
            std::size_t length = found ? static_cast<std::size_t>(found - text_.data()) : text_.size();
            line = text_.substr(0, length);
            text_.remove_prefix(found ? length + 1 : length);
            scanned_ = 0;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            ++number_;
            return true;
        }
        if (at_end_) return false;
        scanned_ = text_.size();
        fill();
    }
}

}  // namespace tarnvel::cli
