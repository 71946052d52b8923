// A progress bar on standard error for a scan that takes a while, drawn only when standard error
// is a terminal: it appears after half a second and is redrawn at most ten times a second.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace tarnvel::cli::scan {

class Progress {
public:
    explicit Progress(bool wanted);
    ~Progress() { clear(); }
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    // 'done' of 'total' steps of the phase 'what' ("reading", "converting"), at 'item'.
    void show(std::string_view what, std::size_t done, std::size_t total, std::string_view item);
    // Takes the bar off the terminal (before other output).
    void clear();

private:
    using Clock = std::chrono::steady_clock;
    bool enabled_;
    bool drawn_ = false;
    Clock::time_point start_ = Clock::now();
    Clock::time_point last_{};
};

}  // namespace tarnvel::cli::scan
