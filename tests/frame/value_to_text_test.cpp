#include "frame/value_to_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

namespace {

std::string convert(frame::ValueToText f, float x) {
    char text[64];
    std::memset(text, '#', sizeof text);
    f(x, text);
    EXPECT_LT(std::strlen(text), frame::kNumberTextSize);
    return text;
}

TEST(ValueToText, Decibel) {
    EXPECT_EQ(convert(frame::decibelText, 1.0f), "0.0dB");
    EXPECT_EQ(convert(frame::decibelText, 0.5f), "-6.0dB");
    EXPECT_EQ(convert(frame::decibelText, 0.95f), "-0.4dB");
    EXPECT_EQ(convert(frame::decibelText, 0.0f), "-oo dB");
    EXPECT_EQ(convert(frame::decibelText, 2.0f), "6.0dB");
}

TEST(ValueToText, SlopeAmountPercentHertz) {
    EXPECT_EQ(convert(frame::slopeText, 0.0f), "soft");
    EXPECT_EQ(convert(frame::slopeText, 1.0f), "hard");
    EXPECT_EQ(convert(frame::slopeText, 0.5f), "50%");
    EXPECT_EQ(convert(frame::amountText, 0.0f), "closed");
    EXPECT_EQ(convert(frame::amountText, 0.25f), "25%");
    EXPECT_EQ(convert(frame::amountText, 1.0f), "thru");
    EXPECT_EQ(convert(frame::percentText, 0.5f), "50%");
    EXPECT_EQ(convert(frame::hertzText, 439.6f), "440Hz");
}

TEST(ValueToText, Frequency) {
    EXPECT_EQ(convert(frame::frequencyText, 612.4f), "612Hz");
    EXPECT_EQ(convert(frame::frequencyText, 2000.0f), "2.0kHz");
    EXPECT_EQ(convert(frame::frequencyText, 12345.0f), "12.3kHz");
    EXPECT_EQ(convert(frame::frequencyText, 0.05f), "0.50Hz");
    EXPECT_EQ(convert(frame::frequencyText, 5.5f), "5.5Hz");
}

TEST(ValueToText, ModesAndNames) {
    EXPECT_EQ(convert(frame::makeUpText, 0.1f), "auto");
    EXPECT_EQ(convert(frame::makeUpText, 0.14f), "");
    EXPECT_EQ(convert(frame::makeUpText, 1.0f), "48.0dB");
    EXPECT_EQ(convert(frame::attackText, 0.02f), "fast");
    EXPECT_EQ(convert(frame::attackText, 0.1f), "slow");
    EXPECT_EQ(convert(frame::releaseText, 1.0f), "1000ms");
    EXPECT_EQ(convert(frame::holdText, 1.0f), "1000ms");
    EXPECT_EQ(convert(frame::saturationModelText, 4.0f), "tape1");
    EXPECT_EQ(convert(frame::saturationModelText, 8.0f), "");
    EXPECT_EQ(convert(frame::controlNameText, 16.0f), "M-time");
    EXPECT_EQ(convert(frame::controlNameText, -1.0f), "");
    // the integer part truncates toward zero, so a small negative value selects entry 0
    EXPECT_EQ(convert(frame::controlNameText, -0.5f), "gain");
    EXPECT_EQ(convert(frame::saturationModelText, -0.9f), "none");
    EXPECT_EQ(convert(frame::saturationModelText, 7.9f), "digital");
    EXPECT_EQ(convert(frame::controlNameText, std::numeric_limits<float>::quiet_NaN()), "");
}

TEST(ValueToText, AbsurdValuesStayInsideTheBuffer) {
    const float kInf = std::numeric_limits<float>::infinity();
    for (frame::ValueToText f : {frame::frequencyText, frame::hertzText, frame::percentText, frame::decibelText,
                                 frame::holdText, frame::slopeText, frame::amountText}) {
        convert(f, 3.0e38f);
        convert(f, -3.0e38f);
        convert(f, kInf);
        convert(f, std::numeric_limits<float>::quiet_NaN());
    }
}

}  // namespace
