// The three-word shift-register generator behind every signal path's dither.
// Seeded 592, 153768, 1526 when the effect is built and never reseeded.
#pragma once

#include <cstdint>

namespace frame {

// A uniform value of about +-1e-17 from a raw 32-bit draw.
constexpr double ditherValue(uint32_t r) noexcept {
    return ((static_cast<double>(r) * 2.3283064365e-10) * 2.0 - 1.0) * 1e-17;
}

// Logical-shift form (compressor, saturator).
struct LogicalShiftNoise {
    uint32_t s1 = 592, s2 = 153768, s3 = 1526;

    uint32_t next() noexcept {
        const uint32_t t1 = ((((s1 >> 9) ^ s1) >> 6) & 0x1FFFu) ^ (s1 << 13);
        const uint32_t t2 = ((((s2 >> 2) ^ s2) >> 7) & 0xFFFFFu) ^ (s2 << 20);
        const uint32_t t3 = ((((s3 >> 6) ^ s3) >> 8) & 0x1FFFFu) ^ (s3 << 17);
        s1 = t1;
        s2 = t2;
        s3 = t3;
        return t1 ^ t2 ^ t3;
    }
};

// Arithmetic-shift form (treble and bass enhancers): the right shift
// propagates the sign of the word taken as signed.
struct ArithmeticShiftNoise {
    uint32_t s1 = 592, s2 = 153768, s3 = 1526;

    static uint32_t sar(uint32_t x, int n) noexcept {
        return static_cast<uint32_t>(static_cast<int32_t>(x) >> n);
    }
    uint32_t next() noexcept {
        const uint32_t t1 = (s1 << 13) ^ sar(((s1 << 9) ^ s1) << 4, 19);
        const uint32_t t2 = (s2 << 20) ^ sar(((s2 << 2) ^ s2) << 3, 12);
        const uint32_t t3 = (s3 << 17) ^ sar(((s3 << 6) ^ s3) << 1, 15);
        s1 = t1;
        s2 = t2;
        s3 = t3;
        return t1 ^ t2 ^ t3;
    }
};

}  // namespace frame
