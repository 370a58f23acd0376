#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "brisker/brisker_effect.h"
#include "tests/support/recording_host.h"
#include "tests/support/render.h"

namespace {

using brisker::BriskerEffect;
using testing_support::RecordingHost;
using testing_support::render;
using testing_support::Stereo;

class BriskerSignal : public ::testing::Test {
protected:
    RecordingHost host;
    std::unique_ptr<BriskerEffect> make(int program = 3) {
        auto e = std::make_unique<BriskerEffect>(RecordingHost::callback());
        testing_support::startProcessing(e->record());
        if (program != 0) e->pickProgram(program);
        return e;
    }
};

size_t loudest(const std::vector<float>& x) {
    return static_cast<size_t>(std::max_element(x.begin(), x.end(), [](float a, float b) {
                                   return std::fabs(a) < std::fabs(b);
                               }) - x.begin());
}

TEST_F(BriskerSignal, BypassIsTheGainedInputDelayed1023Samples) {
    auto e = make();
    e->applyParameter(brisker::kProcess, 0.0f);
    e->applyParameter(brisker::kInput, 0.5f);
    const Stereo in = testing_support::whiteNoise(6000, 0.8f);
    const Stereo out = render(e->record(), in, 256);
    for (size_t i = 0; i < 1023; ++i) ASSERT_EQ(out.left[i], 0.0f);
    for (size_t i = 1023; i < in.size(); ++i) {
        ASSERT_EQ(out.left[i], in.left[i - 1023]) << i;
        ASSERT_EQ(out.right[i], in.right[i - 1023]) << i;
    }
}

// The look-ahead and limiter delays trade places inside a constant 1023 samples.
TEST_F(BriskerSignal, LatencyIs1023ForEverySwitchSetting) {
    for (float del : {0.0f, 1.0f})
        for (float limSat : {0.0f, 0.5f, 1.0f})
            for (float rms : {0.0f, 1.0f}) {
                auto e = make();
                e->applyParameter(brisker::kDel, del);
                e->applyParameter(brisker::kLimSat, limSat);
                e->applyParameter(brisker::kRmsPeak, rms);
                e->applyParameter(brisker::kMix, 1.0f);
                Stereo in = testing_support::makeStereo(30000);
                in.left[20000] = in.right[20000] = 0.3f;
                const Stereo out = render(e->record(), in, 512);
                EXPECT_EQ(loudest(out.left), 21023u) << "DEL " << del << " LIM/SAT " << limSat;
                EXPECT_EQ(loudest(out.right), 21023u);
            }
}

TEST_F(BriskerSignal, UnconnectedSecondInputFeedsBothChannelsFromTheLeft) {
    host.reportsConnections = 1;
    host.input2Connected = false;
    auto mono = make();
    EXPECT_FALSE(mono->input2Connected());
    Stereo in = testing_support::whiteNoise(8000, 0.5f, 3);
    Stereo leftTwice = in;
    leftTwice.right = in.left;
    const Stereo out = render(mono->record(), in, 128);
    EXPECT_EQ(out.left, out.right);

    host.input2Connected = true;
    auto stereo = make();
    EXPECT_TRUE(stereo->input2Connected());
    const Stereo reference = render(stereo->record(), leftTwice, 128);
    EXPECT_EQ(out.left, reference.left);
}

double rms(const std::vector<float>& x, size_t from) {
    double sum = 0.0;
    for (size_t i = from; i < x.size(); ++i) sum += double(x[i]) * x[i];
    return std::sqrt(sum / double(x.size() - from));
}

// Automatic make-up aims at the inverse of the gain a full-scale signal gets,
// so a loud signal comes out near its own level whatever compress and slope say.
TEST_F(BriskerSignal, AutoMakeUpKeepsFullScaleNearFullScale) {
    for (float compress : {0.2f, 0.5f, 0.9f})
        for (float slope : {0.0f, 0.5f, 1.0f}) {
            auto e = make(8);  // track1: automatic make-up, no output stage
            e->applyParameter(brisker::kCompress, compress);
            e->applyParameter(brisker::kSlope, slope);
            e->applyParameter(brisker::kMakeUp, 0.0f);
            e->selectProgramAutomated(0);  // settles every glide on the new values
            const Stereo in = testing_support::sine(44100, 1000.0, 44100.0, 1.0f);
            const Stereo out = render(e->record(), in, 512);
            const double ratio = rms(out.left, 22050) / rms(in.left, 22050);
            EXPECT_GT(ratio, 0.5) << compress << " " << slope;
            EXPECT_LT(ratio, 2.0) << compress << " " << slope;
        }
}

TEST_F(BriskerSignal, OutputStagesNeverExceedFullScale) {
    for (float limSat : {0.5f, 1.0f}) {
        auto e = make(21);  // drums1: LIM/SAT on
        e->applyParameter(brisker::kLimSat, limSat);
        e->applyParameter(brisker::kInput, 1.0f);
        e->applyParameter(brisker::kOutput, 1.0f);
        e->applyParameter(brisker::kMakeUp, 1.0f);
        const Stereo in = testing_support::whiteNoise(44100, 4.0f, 7);
        const Stereo out = render(e->record(), in, 333);
        for (size_t i = 0; i < out.size(); ++i) {
            ASSERT_LE(std::fabs(out.left[i]), 1.0f) << i;
            ASSERT_LE(std::fabs(out.right[i]), 1.0f) << i;
        }
    }
}

double lastClip(const BriskerEffect& e) {
    return e.meters().at(brisker::kClipL, (e.meters().writeIndex() - 1) & 1023);
}

// The clip run counts samples while the block peak stays above the stage's
// threshold; more than 15 ms of it lights the lamp.
TEST_F(BriskerSignal, ClipLampFollowsTheMeteredPeak) {
    // a square wave keeps every sample near full scale
    Stereo loud = testing_support::makeStereo(44100);
    for (size_t i = 0; i < loud.size(); ++i) loud.left[i] = loud.right[i] = (i / 220) % 2 ? 0.95f : -0.95f;
    const Stereo quiet = testing_support::sine(44100, 200.0, 44100.0, 0.05f);

    // metering the input: a loud input lights it, a quiet one puts it out
    auto pre = make(21);
    pre->applyParameter(brisker::kLimSat, 0.5f);
    pre->applyParameter(brisker::kPrePost, 0.0f);
    render(pre->record(), loud, 64);
    EXPECT_EQ(lastClip(*pre), 1.0);
    EXPECT_EQ(pre->meters().at(brisker::kClipR, (pre->meters().writeIndex() - 1) & 1023), 1.0);
    render(pre->record(), quiet, 64);
    EXPECT_EQ(lastClip(*pre), 0.0);

    // metering the output: the limiter holds a steady loud signal near 0.83, below
    // its 0.841 threshold, so only overs it cannot catch would light the lamp
    auto post = make(21);
    post->applyParameter(brisker::kLimSat, 0.5f);
    post->applyParameter(brisker::kPrePost, 1.0f);
    post->applyParameter(brisker::kInput, 1.0f);
    const Stereo out = render(post->record(), loud, 64);
    EXPECT_EQ(lastClip(*post), 0.0);
    float settled = 0.0f;
    for (size_t i = 30000; i < out.size(); ++i) settled = std::max(settled, std::fabs(out.left[i]));
    EXPECT_NEAR(settled, 0.83f, 0.02f);

    // without an output stage there is no clip run at all
    auto none = make(21);
    none->applyParameter(brisker::kLimSat, 0.0f);
    none->applyParameter(brisker::kPrePost, 0.0f);
    render(none->record(), loud, 64);
    EXPECT_EQ(lastClip(*none), 0.0);
}

TEST_F(BriskerSignal, BlockSizeDoesNotChangeTheSamplesWhenNothingGlides) {
    // vocal2: fixed attack step and a settled release time, automatic make-up
    const Stereo in = testing_support::whiteNoise(20000, 0.7f, 11);
    std::vector<Stereo> outs;
    for (int block : {1, 64, 4096}) {
        auto e = make(11);
        outs.push_back(render(e->record(), in, block));
    }
    EXPECT_EQ(outs[0].left, outs[1].left);
    EXPECT_EQ(outs[0].left, outs[2].left);
    EXPECT_EQ(outs[0].right, outs[2].right);
}

TEST_F(BriskerSignal, NonFiniteInputDoesNotLockTheOutput) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    Stereo in = testing_support::whiteNoise(20000, 0.5f, 5);
    Stereo zeroed = in;
    for (size_t i = 5000; i < 5100; ++i) {
        in.left[i] = (i % 2) ? nan : inf;
        in.right[i] = -inf;
        zeroed.left[i] = zeroed.right[i] = 0.0f;
    }
    auto a = make(24);
    auto b = make(24);
    const Stereo out = render(a->record(), in, 256);
    const Stereo reference = render(b->record(), zeroed, 256);
    for (size_t i = 0; i < out.size(); ++i) ASSERT_TRUE(std::isfinite(out.left[i]) && std::isfinite(out.right[i])) << i;
    EXPECT_EQ(out.left, reference.left);
}

TEST_F(BriskerSignal, AccumulateAddsWhatReplaceWrites) {
    const Stereo in = testing_support::whiteNoise(5000, 0.5f, 9);
    auto a = make(24);
    auto b = make(24);
    const Stereo replaced = render(a->record(), in, 100);
    const Stereo added = render(b->record(), in, 100, true, 0.25f);
    for (size_t i = 0; i < in.size(); ++i) ASSERT_EQ(added.left[i], 0.25f + replaced.left[i]) << i;
}

TEST_F(BriskerSignal, BadBuffersProcessNothing) {
    auto e = make();
    AEffect* r = e->record();
    float buffer[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    float* good[2] = {buffer, buffer + 2};
    float* half[2] = {buffer, nullptr};
    r->processReplacing(r, good, half, 2);
    r->processReplacing(r, half, good, 2);
    r->processReplacing(r, nullptr, good, 2);
    r->processReplacing(r, good, good, -5);
    r->process(r, good, nullptr, 2);
    for (float v : buffer) EXPECT_EQ(v, 0.5f);
}

TEST_F(BriskerSignal, SilenceCarriesOnlyTheDither) {
    auto e = make(3);
    const Stereo out = render(e->record(), testing_support::makeStereo(30000), 512);
    for (size_t i = 0; i < out.size(); ++i) {
        ASSERT_LT(std::fabs(out.left[i]), 1e-6f) << i;
        ASSERT_NE(std::fpclassify(out.left[i]), FP_SUBNORMAL) << i;
    }
}

TEST_F(BriskerSignal, InsaneSampleRatesRunAt44100) {
    const Stereo in = testing_support::whiteNoise(8000, 0.5f, 2);
    auto reference = make(24);
    const Stereo want = render(reference->record(), in, 256);
    for (float rate : {10000.0f, 250000.0f, 0.0f, -48000.0f, std::numeric_limits<float>::quiet_NaN()}) {
        auto e = std::make_unique<BriskerEffect>(RecordingHost::callback());
        testing_support::startProcessing(e->record(), rate);
        e->pickProgram(24);
        EXPECT_EQ(e->sampleRate(), 44100.0f);
        EXPECT_EQ(render(e->record(), in, 256).left, want.left) << rate;
    }
}

}  // namespace
