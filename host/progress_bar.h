// A one-line progress bar on stderr for renders that take more than a second;
// draws nothing when stderr is not a terminal.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace host {

class ProgressBar {
public:
    ProgressBar(std::string label, int64_t total);
    ~ProgressBar();  // clears the line it drew
    void update(int64_t done);

private:
    using Clock = std::chrono::steady_clock;
    std::string label_;
    int64_t total_;
    bool enabled_;
    bool drawn_ = false;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastDraw_ = start_;
};

}  // namespace host
