// The two indicator lamps (over-enhanced, clip) as per-block records in rings
// of 1024. The audio thread files at the write index; the editor reads at the
// read index, which trails by the indicator delay so the lamps light with
// what the listener hears. A lit record is carried forward block by block
// until the editor has read it once, so a short flash is never missed.
#pragma once

#include <array>
#include <atomic>

namespace glister {

class IndicatorHistory {
public:
    static constexpr int kSize = 1024;
    static constexpr int kMask = kSize - 1;

    // Write index `delay` records ahead of the read index 0.
    void setDelay(int delay) noexcept;
    // Every record to 0, the consumed flag cleared, the indices kept in range.
    void clear() noexcept;
    // Block end (audio thread): files both lamps, advances both indices, then
    // carries a lit record into the one the editor reads next unless the
    // editor has read since the last block.
    void file(double overEnhanced, double clipped) noexcept;

    // Editor side: the lamps the listener hears now, and the note that they were shown.
    double overEnhanced() const noexcept { return at(over_, readIndex()); }
    double clipped() const noexcept { return at(clip_, readIndex()); }
    void markConsumed() noexcept { consumed_.store(true, std::memory_order_relaxed); }
    bool consumed() const noexcept { return consumed_.load(std::memory_order_relaxed); }

    // Any record, for checks and for an editor that wants more than the current one.
    double overEnhancedAt(int index) const noexcept { return at(over_, index); }
    double clippedAt(int index) const noexcept { return at(clip_, index); }

    int writeIndex() const noexcept { return write_.load(std::memory_order_relaxed); }
    int readIndex() const noexcept { return read_.load(std::memory_order_relaxed); }

private:
    using Ring = std::array<std::atomic<double>, kSize>;
    static double at(const Ring& ring, int index) noexcept {
        return ring[static_cast<size_t>(index & kMask)].load(std::memory_order_relaxed);
    }
    static void carry(Ring& ring, int index) noexcept;

    Ring over_{}, clip_{};
    std::atomic<int> write_{1}, read_{0};
    std::atomic<bool> consumed_{false};
};

}  // namespace glister
