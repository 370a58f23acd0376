#include "frame/number_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string number8(double x) {
    char text[32] = "";
    frame::appendNumber8(text, sizeof text, x);
    return text;
}
std::string fixed(double x, int d) {
    char text[32] = "";
    frame::appendFixed(text, sizeof text, x, d);
    return text;
}
std::string shortNumber(double x) {
    char text[32] = "";
    frame::appendShortNumber(text, sizeof text, x);
    return text;
}

TEST(NumberText, EightCharactersTruncating) {
    EXPECT_EQ(number8(0.5), "0.500000");
    EXPECT_EQ(number8(-1.5), "-1.50000");
    EXPECT_EQ(number8(1234.5), "1234.500");
    EXPECT_EQ(number8(0.0), "0.000000");
    EXPECT_EQ(number8(0.05), "0.050000");  // leading zeros of the fraction kept
    EXPECT_EQ(number8(2.0 / 3.0), "0.666666");  // truncated, not rounded
    EXPECT_EQ(number8(12345678.0), "12345678.");
    EXPECT_EQ(number8(123456789.0), "");  // above 99999999 nothing is written
}

TEST(NumberText, FixedDecimalsRoundHalfUp) {
    EXPECT_EQ(fixed(612.37, 0), "612");
    EXPECT_EQ(fixed(-0.05, 1), "-0.1");
    EXPECT_EQ(fixed(12.345, 2), "12.35");
    EXPECT_EQ(fixed(0.001, 1), "0.0");
    EXPECT_EQ(fixed(612.5, 0), "613");
    EXPECT_EQ(fixed(1.0, 4), "1.0000");
    EXPECT_EQ(fixed(15000.0000001, 0), "15000");
}

TEST(NumberText, ShortNumberDropsTrailingPoint) {
    EXPECT_EQ(shortNumber(12.34), "12.3");
    EXPECT_EQ(shortNumber(0.11), "0.11");
    EXPECT_EQ(shortNumber(-1.25), "-1.2");
    EXPECT_EQ(shortNumber(123.4), "123");
}

TEST(NumberText, AppendsAndStaysInsideTheBuffer) {
    char text[6] = "ab";
    frame::appendNumber8(text, sizeof text, 0.5);
    EXPECT_STREQ(text, "ab0.5");
}

}  // namespace
