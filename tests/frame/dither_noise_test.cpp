#include "frame/dither_noise.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// The generator written out with the shifts as a reader of the formula would:
// logical on unsigned words; arithmetic on the words taken as signed.
TEST(DitherNoise, LogicalFormMatchesTheWrittenSteps) {
    frame::LogicalShiftNoise noise;
    uint32_t s1 = 592, s2 = 153768, s3 = 1526;
    for (int i = 0; i < 10000; ++i) {
        s1 = (s1 << 13) ^ ((((s1 >> 9) ^ s1) >> 6) & 0x1FFF);
        s2 = (s2 << 20) ^ ((((s2 >> 2) ^ s2) >> 7) & 0xFFFFF);
        s3 = (s3 << 17) ^ ((((s3 >> 6) ^ s3) >> 8) & 0x1FFFF);
        ASSERT_EQ(noise.next(), s1 ^ s2 ^ s3) << i;
    }
}

TEST(DitherNoise, ArithmeticFormMatchesTheWrittenSteps) {
    frame::ArithmeticShiftNoise noise;
    int32_t s1 = 592, s2 = 153768, s3 = 1526;
    auto shl = [](int32_t x, int n) { return static_cast<int32_t>(static_cast<uint32_t>(x) << n); };
    for (int i = 0; i < 10000; ++i) {
        s1 = (shl(shl(s1, 9) ^ s1, 4) >> 19) ^ shl(s1, 13);
        s2 = (shl(shl(s2, 2) ^ s2, 3) >> 12) ^ shl(s2, 20);
        s3 = (shl(shl(s3, 6) ^ s3, 1) >> 15) ^ shl(s3, 17);
        ASSERT_EQ(noise.next(), static_cast<uint32_t>(s1 ^ s2 ^ s3)) << i;
    }
}

TEST(DitherNoise, ValueStaysWithinTheDitherRange) {
    EXPECT_NEAR(frame::ditherValue(0), -1e-17, 1e-30);
    EXPECT_NEAR(frame::ditherValue(0xFFFFFFFFu), 1e-17, 1e-25);
}

}  // namespace
