// Reads a fuzzer's input as a stream of small numbers; past the end every read
// answers zero, so any input is a complete script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace fuzz {

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) noexcept : data_(data), size_(size) {}

    bool empty() const noexcept { return position_ >= size_; }
    size_t left() const noexcept { return empty() ? 0 : size_ - position_; }

    uint8_t byte() noexcept { return empty() ? 0 : data_[position_++]; }
    uint16_t u16() noexcept { return static_cast<uint16_t>(byte() | (byte() << 8)); }
    uint32_t u32() noexcept { return static_cast<uint32_t>(u16()) | (static_cast<uint32_t>(u16()) << 16); }
    uint64_t u64() noexcept { return static_cast<uint64_t>(u32()) | (static_cast<uint64_t>(u32()) << 32); }
    int8_t small() noexcept { return static_cast<int8_t>(byte()); }
    // Any 32-bit pattern: NaNs, infinities and denormals included.
    float rawFloat() noexcept {
        const uint32_t bits = u32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    // 0 .. count-1.
    size_t below(size_t count) noexcept { return count ? byte() % count : 0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

}  // namespace fuzz
