#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <string>

#include "brisker/brisker_effect.h"
#include "tests/support/recording_host.h"

namespace {

using brisker::BriskerEffect;
using testing_support::RecordingHost;

class BriskerParams : public ::testing::Test {
protected:
    RecordingHost host;
    BriskerEffect effect{RecordingHost::callback()};

    std::string text(VstInt32 index, float v) {
        effect.applyParameter(index, v);
        char buffer[64];
        std::memset(buffer, '#', sizeof buffer);
        effect.parameterText(index, buffer, sizeof buffer);
        return buffer;
    }
};

TEST_F(BriskerParams, AttackSnapsToItsModes) {
    EXPECT_EQ(text(brisker::kAttack, 0.10f), "slow");
    EXPECT_EQ(std::bit_cast<uint32_t>(effect.parameterValue(brisker::kAttack)), 0x3DAAAAA6u);
    EXPECT_EQ(text(brisker::kAttack, 0.02f), "fast");
    EXPECT_EQ(effect.parameterValue(brisker::kAttack), 0.0f);
    EXPECT_EQ(text(brisker::kAttack, 0.15f), "0.11");
    EXPECT_EQ(std::bit_cast<uint32_t>(effect.parameterValue(brisker::kAttack)), 0x3E2AAAA6u);
    EXPECT_EQ(text(brisker::kAttack, 1.0f), "1000.00");
}

TEST_F(BriskerParams, ReleaseAndMakeUp) {
    EXPECT_EQ(text(brisker::kRelease, 0.15f), "10.00");
    // (1.2 * (1 - 0.166666))^4 * 9.99 + 0.01 seconds is 10000.032 ms
    EXPECT_EQ(text(brisker::kRelease, 1.0f), "10000.03");
    EXPECT_EQ(text(brisker::kMakeUp, 0.1f), "auto");
    EXPECT_EQ(effect.parameterValue(brisker::kMakeUp), 0.0f);
    EXPECT_EQ(text(brisker::kMakeUp, 0.13f), "0.00");
    EXPECT_EQ(text(brisker::kMakeUp, 1.0f), "48.00");
}

TEST_F(BriskerParams, SlopeFrequencyQAndSwitches) {
    EXPECT_EQ(text(brisker::kSlope, 0.0005f), "soft");
    EXPECT_EQ(text(brisker::kSlope, 0.9995f), "hard");
    EXPECT_EQ(text(brisker::kSlope, 0.5f), "50");
    EXPECT_EQ(text(brisker::kScFreq, 0.5f), "612");
    EXPECT_EQ(text(brisker::kScFreq, 0.0f), "25");
    EXPECT_EQ(text(brisker::kScFreq, 1.0f), "15000");
    EXPECT_EQ(text(brisker::kScQ, 1.0f), "10.0");
    EXPECT_EQ(text(brisker::kInput, 0.5f), "0.0");
    EXPECT_EQ(text(brisker::kOutput, 1.0f), "12.0");
    EXPECT_EQ(text(brisker::kInput, 0.0f), "-12.0");
    EXPECT_EQ(text(brisker::kHold, 1.0f), "1000.00");
    EXPECT_EQ(text(brisker::kLimSat, 0.5f), "LIM");
    EXPECT_EQ(text(brisker::kLimSat, 0.75f), "LIM");
    EXPECT_EQ(text(brisker::kLimSat, 0.8f), "SAT");
    EXPECT_EQ(text(brisker::kLimSat, 0.25f), "off");
    EXPECT_EQ(text(brisker::kPrePost, 0.0f), "pre");
    EXPECT_EQ(text(brisker::kRmsPeak, 1.0f), "RMS");
    EXPECT_EQ(text(brisker::kProcess, 0.0f), "off");
    // between the ends a switch shows what plays
    EXPECT_EQ(text(brisker::kProcess, 0.3f), "off");
    EXPECT_EQ(text(brisker::kDel, 0.5f), "on");
    EXPECT_EQ(text(brisker::kPrePost, 0.9f), "pre");
    EXPECT_EQ(text(brisker::kPrePost, 1.0f), "post");
    EXPECT_EQ(text(brisker::kRmsPeak, 0.5f), "peak");
    EXPECT_EQ(text(brisker::kStereoMono, 0.5f), "0.500000");
}

TEST_F(BriskerParams, NamesAndLabels) {
    char buffer[64];
    effect.parameterName(brisker::kLimSat, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "LIM/SAT");
    effect.parameterLabel(brisker::kSlope, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "       ");
    effect.parameterLabel(brisker::kProcess, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "         ");
    effect.parameterLabel(18, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "        ");
    effect.parameterName(brisker::kStereoMono, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "stereo/mono");
    // a short host buffer is never overrun
    char small[5];
    std::memset(small, '#', sizeof small);
    effect.parameterName(brisker::kCompress, small, 4);
    EXPECT_STREQ(small, "com");
    EXPECT_EQ(small[4], '#');
}

TEST_F(BriskerParams, UnusedIndicesStoreNothing) {
    EXPECT_EQ(effect.parameterValue(17), 0.0f);
    effect.applyParameter(18, 0.7f);
    EXPECT_EQ(effect.parameterValue(18), 0.0f);
    effect.applyParameter(-3, 0.7f);
    effect.applyParameter(1000, 0.7f);
    EXPECT_EQ(effect.parameterValue(1000), 0.0f);
}

TEST_F(BriskerParams, StereoMonoSurvivesEveryProgramChange) {
    effect.applyParameter(brisker::kStereoMono, 1.0f);
    for (int slot = 3; slot < brisker::kBankSlots; ++slot) {
        effect.selectProgramAutomated(slot);
        ASSERT_EQ(effect.parameterValue(brisker::kStereoMono), 1.0f) << slot;
    }
    EXPECT_EQ(effect.bank().param(17, brisker::kStereoMono), 1.0f);
}

TEST_F(BriskerParams, PhysicalValues) {
    effect.applyParameter(brisker::kInput, 1.0f);
    EXPECT_NEAR(effect.physicalValue(brisker::kInput), std::pow(10.0, 0.6), 1e-12);
    effect.applyParameter(brisker::kLimSat, 1.0f);
    EXPECT_EQ(effect.physicalValue(brisker::kLimSat), 2.0);
    effect.applyParameter(brisker::kScFreq, 1.0f);
    EXPECT_NEAR(effect.physicalValue(brisker::kScFreq), 15000.0, 1e-6);
    effect.applyParameter(brisker::kScQ, 0.0f);
    EXPECT_NEAR(effect.physicalValue(brisker::kScQ), 0.001, 1e-12);
}

}  // namespace
