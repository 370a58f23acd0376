#include "glister/indicator_history.h"

#include <initializer_list>

namespace glister {

void IndicatorHistory::setDelay(int delay) noexcept {
    read_.store(0, std::memory_order_relaxed);
    write_.store(delay & kMask, std::memory_order_relaxed);
}

void IndicatorHistory::clear() noexcept {
    consumed_.store(false, std::memory_order_relaxed);
    for (Ring* ring : {&over_, &clip_})
        for (auto& v : *ring) v.store(0.0, std::memory_order_relaxed);
    write_.store(writeIndex() & kMask, std::memory_order_relaxed);
    read_.store(readIndex() & kMask, std::memory_order_relaxed);
}

void IndicatorHistory::carry(Ring& ring, int index) noexcept {
    const double previous = at(ring, index - 1);
    if (previous > at(ring, index)) ring[static_cast<size_t>(index & kMask)].store(previous, std::memory_order_relaxed);
}

void IndicatorHistory::file(double overEnhanced, double clipped) noexcept {
    const int w = writeIndex();
    over_[static_cast<size_t>(w)].store(overEnhanced, std::memory_order_relaxed);
    clip_[static_cast<size_t>(w)].store(clipped, std::memory_order_relaxed);
    write_.store((w + 1) & kMask, std::memory_order_relaxed);
    const int r = (readIndex() + 1) & kMask;
    read_.store(r, std::memory_order_relaxed);
    if (!consumed()) {
        carry(over_, r);
        carry(clip_, r);
    }
    consumed_.store(false, std::memory_order_relaxed);
}

}  // namespace glister
