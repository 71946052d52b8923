#include "progress.hpp"

#include <cstdio>
#include <cstdlib>
#if defined(_WIN32)
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace tarnvel::cli::scan {
namespace {

constexpr auto delay = std::chrono::milliseconds(500);
constexpr auto interval = std::chrono::milliseconds(100);
constexpr std::size_t bar_width = 30;

std::size_t terminal_width() {
    const char *columns = std::getenv("COLUMNS");
    const long width = columns ? std::strtol(columns, nullptr, 10) : 0;
    return width >= 40 && width <= 1000 ? static_cast<std::size_t>(width) : 80;
}

}  // namespace

Progress::Progress(bool wanted) : enabled_(wanted && isatty(fileno(stderr))) {}

void Progress::show(std::string_view what, std::size_t done, std::size_t total, std::string_view item) {
    if (!enabled_ || total == 0) return;
    const Clock::time_point now = Clock::now();
    if (now - start_ < delay || (drawn_ && now - last_ < interval && done < total)) return;
    last_ = now;
    const std::size_t filled = done >= total ? bar_width : done * bar_width / total;
    std::string line = "\r[" + std::string(filled, '#') + std::string(bar_width - filled, ' ') + "] " +
                       std::to_string(done) + "/" + std::to_string(total) + " " + std::string(what) + " ";
    const std::size_t room = terminal_width() - 1;
    const std::size_t keep = line.size() < room ? room - line.size() : 0;
    if (item.size() <= keep) {
        line += item;
    } else if (keep > 3) {  // the item's end, which names the file best, from a character's start
        std::string_view tail = item.substr(item.size() - (keep - 3));
        while (!tail.empty() && (static_cast<unsigned char>(tail.front()) & 0xC0) == 0x80) tail.remove_prefix(1);
        line += "...";
        line += tail;
    }
    line += "\x1b[K";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    drawn_ = true;
}

void Progress::clear() {
    if (!drawn_) return;
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
    drawn_ = false;
}

}  // namespace tarnvel::cli::scan
