#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <tuple>

#include "emberon/emberon_effect.h"
#include "tests/emberon/saturator_model.h"
#include "tests/support/recording_host.h"
#include "tests/support/render.h"

namespace {

using emberon::EmberonEffect;
using testing_support::RecordingHost;
using testing_support::render;
using testing_support::Stereo;

std::unique_ptr<EmberonEffect> makeEffect(float rate = 44100.0f, int block = 512) {
    auto e = std::make_unique<EmberonEffect>(RecordingHost::callback());
    testing_support::startProcessing(e->record(), rate, block);
    return e;
}

// Renders the model over the same blocks the effect sees.
Stereo renderModel(emberon_model::SaturatorModel& model, const Stereo& in, int block, bool accumulate = false,
                   float prefill = 0.0f) {
    Stereo out = testing_support::makeStereo(in.size(), prefill);
    for (size_t start = 0; start < in.size(); start += static_cast<size_t>(block)) {
        const int n = static_cast<int>(std::min(static_cast<size_t>(block), in.size() - start));
        model.block(in.left.data() + start, in.right.data() + start, out.left.data() + start,
                    out.right.data() + start, n, accumulate);
    }
    return out;
}

void loadModel(emberon_model::SaturatorModel& model, const EmberonEffect& e) {
    for (VstInt32 i = 0; i < emberon::kHostParams; ++i) model.set(i, e.parameterValue(i));
}

void expectSameSamples(const Stereo& a, const Stereo& b, const std::string& what) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a.left[i], b.left[i]) << what << " left " << i;
        ASSERT_EQ(a.right[i], b.right[i]) << what << " right " << i;
    }
}

void expectSameMeters(const EmberonEffect& e, const emberon_model::SaturatorModel& model) {
    ASSERT_EQ(e.meters().writeIndex(), model.writeIndex());
    ASSERT_EQ(e.meters().readIndex(), model.readIndex());
    for (int i = 0; i < 1024; ++i) {
        const emberon_model::Record& r = model.ring()[static_cast<size_t>(i)];
        const double expected[] = {r.levelL, r.levelR, r.heldL, r.heldR, r.clipL, r.clipR};
        for (size_t q = 0; q < emberon::kMeterQuantities; ++q) ASSERT_EQ(e.meters().at(q, i), expected[q]) << i << " " << q;
    }
}

Stereo testSignal(size_t frames) {
    Stereo s = testing_support::whiteNoise(frames, 0.6f, 7);
    const Stereo tone = testing_support::sine(frames, 90.0, 44100.0, 0.5f);
    for (size_t i = 0; i < frames; ++i) {
        s.left[i] += tone.left[i];
        s.right[i] = 0.5f * s.right[i] - tone.right[i];
    }
    return s;
}

// ---- the whole path against the model, sample by sample ---------------------

using ModelCase = std::tuple<int, float, int>;  // program slot, rate, block size

class EmberonAgainstModel : public ::testing::TestWithParam<ModelCase> {
protected:
    RecordingHost host;
};

TEST_P(EmberonAgainstModel, OutputsAndMeterRecordsMatch) {
    const auto [slot, rate, block] = GetParam();
    auto e = makeEffect(rate, block);
    e->pickProgram(slot);
    emberon_model::SaturatorModel model(rate, e->meterDelay());
    loadModel(model, *e);
    const Stereo in = testSignal(12000);
    const Stereo out = render(e->record(), in, block);
    expectSameSamples(out, renderModel(model, in, block), e->bank().name(slot));
    for (size_t i = 0; i < out.size(); ++i) ASSERT_TRUE(std::isfinite(out.left[i]) && std::isfinite(out.right[i]));

    // the meter tap and the switches move between blocks; accumulate adds into what is there
    for (float tap : {0.0f, 2.0f, 0.3f}) {
        e->applyParameter(emberon::kPrePost, tap);
        e->applyParameter(emberon::kProcess, tap == 0.3f ? 0.0f : 1.0f);
        loadModel(model, *e);
        const Stereo more = testSignal(3000);
        expectSameSamples(render(e->record(), more, block, true, 0.125f), renderModel(model, more, block, true, 0.125f),
                          "tap " + std::to_string(tap));
    }
    expectSameMeters(*e, model);
}

INSTANTIATE_TEST_SUITE_P(Programs, EmberonAgainstModel,
                         ::testing::Combine(::testing::Values(5, 6, 15, 18, 24, 27, 32, 33),
                                            ::testing::Values(44100.0f, 22050.0f, 96000.0f, 44100.5f),
                                            ::testing::Values(1, 64, 4096)));

// ---- bypass, mono, gains ---------------------------------------------------

class EmberonSignal : public ::testing::Test {
protected:
    RecordingHost host;
};

TEST_F(EmberonSignal, BypassIsTheInputTimesTheInputGainBitForBit) {
    auto e = makeEffect();
    e->pickProgram(6);
    e->applyParameter(emberon::kProcess, 0.4f);
    e->applyParameter(emberon::kInput, 1.0f);
    const double gain = std::pow(10.0, 0.6);
    const Stereo in = testing_support::whiteNoise(3000, 0.9f, 11);
    const Stereo replaced = render(e->record(), in, 256);
    const Stereo added = render(e->record(), in, 256, true, 0.5f);
    for (size_t i = 0; i < in.size(); ++i) {
        ASSERT_EQ(replaced.left[i], static_cast<float>(in.left[i] * gain)) << i;
        ASSERT_EQ(replaced.right[i], static_cast<float>(in.right[i] * gain)) << i;
        ASSERT_EQ(added.left[i], 0.5f + static_cast<float>(in.left[i] * gain)) << i;
    }
}

TEST_F(EmberonSignal, UnconnectedSecondInputFeedsBothChannelsFromTheLeft) {
    host.reportsConnections = 1;
    host.input2Connected = false;
    auto e = makeEffect();
    e->pickProgram(6);
    const Stereo in = testSignal(5000);
    const Stereo out = render(e->record(), in, 128);
    EXPECT_EQ(out.left, out.right);
    emberon_model::SaturatorModel model(44100.0, e->meterDelay());
    loadModel(model, *e);
    model.setStereoInput(false);
    expectSameSamples(out, renderModel(model, in, 128), "mono");
}

TEST_F(EmberonSignal, OffSectionsAndNoneLeaveTheHighPassedInput) {
    auto e = makeEffect();
    e->pickProgram(28);  // "bottom end 1": model none
    e->applyParameter(emberon::kBassOn, 0.0f);
    // once the high-pass has glided in, 90 Hz comes out at the gain of a
    // second-order high-pass at 26 Hz, Q 0.71: r^2 / sqrt((1 - r^2)^2 + (r / Q)^2)
    const Stereo in = testing_support::sine(44100, 90.0, 44100.0, 0.5f);
    const Stereo out = render(e->record(), in, 512);
    double inPower = 0, outPower = 0;
    for (size_t i = 22050; i < in.size(); ++i) {
        inPower += in.left[i] * in.left[i];
        outPower += out.left[i] * out.left[i];
    }
    const double r = 90.0 / 26.0;
    const double expected = r * r / std::sqrt((1 - r * r) * (1 - r * r) + (r / 0.71) * (r / 0.71));
    EXPECT_NEAR(std::sqrt(outPower / inPower), expected, 0.002);
    EXPECT_EQ(out.left, out.right);
}

// ---- meters ------------------------------------------------------------------

// Held peak of the last filed record, left channel.
double lastHeld(const EmberonEffect& e) { return e.meters().at(emberon::kHeldL, e.meters().writeIndex() - 1); }

TEST_F(EmberonSignal, MeterTapFollowsPrePost) {
    auto e = makeEffect();
    e->pickProgram(28);
    e->applyParameter(emberon::kBassOn, 0.0f);
    e->applyParameter(emberon::kInput, 1.0f);   // x 3.98
    e->applyParameter(emberon::kOutput, 0.0f);  // x 0.251
    const double gIn = std::pow(10.0, 0.6);
    const Stereo in = testing_support::sine(30000, 200.0, 44100.0, 0.25f);
    const struct {
        float prePost;
        double held;
    } cases[] = {{0.99f, 0.25 * gIn}, {1.0f, 0.25}, {2.0f, 0.25 * gIn * 0.1995}, {0.0f, 0.25 * gIn}};
    for (const auto& c : cases) {
        e->applyParameter(emberon::kPrePost, c.prePost);
        e->dispatch(effMainsChanged, 0, 0, nullptr, 0.0f);  // meters back to 0
        e->dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
        render(e->record(), in, 512);
        // the switch-on transient of the high-pass may add a few percent
        EXPECT_NEAR(lastHeld(*e), c.held, 0.04 * c.held) << c.prePost;
    }
    e->applyParameter(emberon::kPrePost, 3.0f);  // no tap: the meters stay unfed
    e->dispatch(effMainsChanged, 0, 0, nullptr, 0.0f);
    render(e->record(), in, 512);
    EXPECT_EQ(lastHeld(*e), 0.0);
}

TEST_F(EmberonSignal, HeldPeakHoldsForThreeTenthsOfASecondThenFalls) {
    auto e = makeEffect(44100.0f, 441);
    e->applyParameter(emberon::kProcess, 0.0f);  // bypass: exact magnitudes, no dither
    e->applyParameter(emberon::kInput, 0.5f);
    Stereo in = testing_support::makeStereo(441 * 40);
    in.left[100] = 0.8f;
    const int first = e->meters().writeIndex();
    render(e->record(), in, 441);
    const double fall = 1.0 - std::pow(0.1091012, 441.0 / (0.6 * 44100.0));
    for (int b = 0; b <= 30; ++b) EXPECT_EQ(e->meters().at(emberon::kHeldL, first + b), 0.8f) << b;
    double held = 0.8f;
    for (int b = 31; b < 40; ++b) {
        held = held + (0.0 - held) * fall;
        EXPECT_EQ(e->meters().at(emberon::kHeldL, first + b), held) << b;
    }
    EXPECT_EQ(e->meters().at(emberon::kHeldR, first), 0.0);
}

// The hold compares with 0.3 times the rate itself, not with its integer part
// (which the level and fall coefficients use). At 44100.5 Hz the limit is
// 13230.15 samples: after blocks of 6615 the count stands at exactly 13230 and
// the peak still holds for one more block.
TEST_F(EmberonSignal, HoldLimitUsesTheRateNotItsIntegerPart) {
    const int n = 6615;
    auto e = makeEffect(44100.5f, n);
    e->applyParameter(emberon::kProcess, 0.0f);
    e->applyParameter(emberon::kInput, 0.5f);
    Stereo in = testing_support::makeStereo(static_cast<size_t>(n) * 6);
    in.left[10] = 0.8f;
    const int first = e->meters().writeIndex();
    render(e->record(), in, n);
    for (int b = 0; b <= 3; ++b) EXPECT_EQ(e->meters().at(emberon::kHeldL, first + b), 0.8f) << b;
    const double fall = 1.0 - std::pow(0.1091012, n / (0.6 * 44100.0));
    const double held = 0.8f + (0.0 - 0.8f) * fall;
    EXPECT_EQ(e->meters().at(emberon::kHeldL, first + 4), held);
    EXPECT_EQ(e->meters().at(emberon::kHeldL, first + 5), held + (0.0 - held) * fall);
}

TEST_F(EmberonSignal, PeaksStopAtFourAndFullScaleSetsTheClip) {
    auto e = makeEffect();
    e->applyParameter(emberon::kProcess, 0.0f);
    e->applyParameter(emberon::kInput, 0.5f);
    const float peaks[] = {0.999f, 1.0f, 25.0f};
    for (float p : peaks) {
        Stereo in = testing_support::makeStereo(64);
        in.left[10] = p;
        in.right[20] = -p;
        render(e->record(), in, 64);
        const int w = e->meters().writeIndex() - 1;
        EXPECT_EQ(e->meters().at(emberon::kClipL, w), p >= 1.0f ? 1.0 : 0.0) << p;
        EXPECT_EQ(e->meters().at(emberon::kClipR, w), p >= 1.0f ? 1.0 : 0.0) << p;
        EXPECT_EQ(e->meters().at(emberon::kHeldL, w), std::min(static_cast<double>(p), 4.0)) << p;
    }
    EXPECT_LE(e->levelMeter().level(0), 4.0);
}

TEST_F(EmberonSignal, EmptyBlockAdvancesTheRing) {
    auto e = makeEffect();
    const int write = e->meters().writeIndex(), read = e->meters().readIndex();
    EXPECT_EQ(write - read, 1);  // the host reports no latency
    float* none[2] = {nullptr, nullptr};
    e->processReplace(none, none, 0);
    e->processEmptyBlock();
    EXPECT_EQ(e->meters().writeIndex(), write + 2);
    EXPECT_EQ(e->meters().readIndex(), read + 2);
}

TEST_F(EmberonSignal, MeterDelayFollowsLatencyOverBlockSize) {
    host.outputLatency = 12000;
    host.blockSize = 100;
    EXPECT_EQ(makeEffect()->meterDelay(), 100);  // 10 * 12000 / (12 * 100)
    host.outputLatency = 50000;  // above the rate: no latency
    EXPECT_EQ(makeEffect()->meterDelay(), 1);
    host.outputLatency = 44100;
    host.blockSize = 2;
    EXPECT_EQ(makeEffect()->meterDelay(), 1023);
    EXPECT_EQ(emberon::meterDelayBlocks(44100, 0, 44100.0), 35);  // a block size of 0 counts as 1024
}

// ---- bad input -----------------------------------------------------------------

TEST_F(EmberonSignal, NonFiniteAndAbsurdInputsDoNotLockTheOutput) {
    auto e = makeEffect();
    e->pickProgram(6);
    Stereo in = testSignal(8192);
    for (size_t i = 1000; i < 1100; ++i) {
        in.left[i] = std::numeric_limits<float>::quiet_NaN();
        in.right[i] = i % 2 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::max();
    }
    const Stereo out = render(e->record(), in, 512);
    for (size_t i = 1536; i < out.size(); ++i)
        ASSERT_TRUE(std::isfinite(out.left[i]) && std::isfinite(out.right[i])) << i;
    for (int c = 0; c < 2; ++c) EXPECT_TRUE(e->sections().finite(c));
    double energy = 0;
    for (size_t i = 6000; i < out.size(); ++i) energy += out.left[i] * out.left[i] + out.right[i] * out.right[i];
    EXPECT_GT(energy, 100.0);
}

TEST_F(EmberonSignal, RatesOutsideTheRangeWorkAs44100) {
    const Stereo in = testSignal(6000);
    auto reference = makeEffect(44100.0f);
    reference->pickProgram(15);
    const Stereo expected = render(reference->record(), in, 512);
    for (float rate : {10000.0f, 250000.0f, std::numeric_limits<float>::quiet_NaN()}) {
        auto e = makeEffect(rate);
        e->pickProgram(15);
        EXPECT_EQ(e->sampleRate(), 44100.0f);
        expectSameSamples(render(e->record(), in, 512), expected, "rate " + std::to_string(rate));
    }
}

}  // namespace
