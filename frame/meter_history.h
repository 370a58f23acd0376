// Per-block meter records in a ring of 1024, written by the audio thread at Mw
// and read by the editor at Mr, which trails by the meter delay so the meters
// move with what the listener hears. A reading that straddles a write may mix
// two blocks; that is accepted, and the values are atomics so it is not a race.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>

namespace frame {

template <size_t Quantities>
class MeterHistory {
public:
    static constexpr int kSize = 1024;
    static constexpr int kMask = kSize - 1;
    using Record = std::array<double, Quantities>;

    // Read index 0, write index `delay` blocks ahead.
    void setDelay(int delay) noexcept {
        read_.store(0, std::memory_order_relaxed);
        write_.store(delay & kMask, std::memory_order_relaxed);
    }
    // Zeroes every record; the indices stay.
    void clear() noexcept {
        for (auto& ring : rings_)
            for (auto& v : ring) v.store(0.0, std::memory_order_relaxed);
    }
    // Sets every record of every quantity to one value; the indices stay.
    void fill(double value) noexcept {
        for (auto& ring : rings_)
            for (auto& v : ring) v.store(value, std::memory_order_relaxed);
    }
    // Read index back to 0; the write index stays.
    void restartReading() noexcept { read_.store(0, std::memory_order_relaxed); }
    // Files one record at the write index, then both indices advance.
    void push(const Record& record) noexcept {
        const int w = write_.load(std::memory_order_relaxed);
        for (size_t q = 0; q < Quantities; ++q) rings_[q][static_cast<size_t>(w)].store(record[q], std::memory_order_relaxed);
        write_.store((w + 1) & kMask, std::memory_order_relaxed);
        read_.store((read_.load(std::memory_order_relaxed) + 1) & kMask, std::memory_order_relaxed);
    }
    // The record the listener hears now.
    double read(size_t quantity) const noexcept {
        return rings_[quantity][static_cast<size_t>(read_.load(std::memory_order_relaxed))].load(std::memory_order_relaxed);
    }
    double at(size_t quantity, int index) const noexcept {
        return rings_[quantity][static_cast<size_t>(index & kMask)].load(std::memory_order_relaxed);
    }
    int readIndex() const noexcept { return read_.load(std::memory_order_relaxed); }
    int writeIndex() const noexcept { return write_.load(std::memory_order_relaxed); }

private:
    std::array<std::array<std::atomic<double>, kSize>, Quantities> rings_{};
    std::atomic<int> write_{1}, read_{0};
};

}  // namespace frame
