#include "host/progress_bar.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace host {
namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 40;

}  // namespace

ProgressBar::ProgressBar(std::string label, int64_t total)
    : label_(std::move(label)), total_(total), enabled_(isatty(STDERR_FILENO) == 1 && total > 0) {}

ProgressBar::~ProgressBar() {
    if (drawn_) std::fprintf(stderr, "\r\033[K");
}

void ProgressBar::update(int64_t done) {
    if (!enabled_) return;
    Clock::time_point now = Clock::now();
    if (now - start_ < kQuietStart || now - lastDraw_ < kRedrawInterval) return;
    lastDraw_ = now;
    double share = std::clamp(static_cast<double>(done) / static_cast<double>(total_), 0.0, 1.0);
    int filled = static_cast<int>(share * kBarWidth);
    std::string bar(static_cast<size_t>(filled), '#');
    bar.resize(kBarWidth, '.');
    std::fprintf(stderr, "\r%s [%s] %3d%%", label_.c_str(), bar.c_str(), static_cast<int>(share * 100.0));
    std::fflush(stderr);
    drawn_ = true;
}

}  // namespace host
