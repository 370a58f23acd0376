// The signal path sample by sample against the independent model, and the
// edge cases of the leveller, the saturation, the clip run and the meter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>
#include <vector>

#include "tests/rumbler/rumbler_rig.h"

namespace rumbler_test {
namespace {

using rumbler::RumblerEffect;

// Index of the first sample where two buffers differ bit for bit, or -1.
int firstMismatch(const std::vector<float>& a, const std::vector<float>& b) {
    for (size_t i = 0; i < a.size(); ++i)
        if (std::memcmp(&a[i], &b[i], sizeof(float)) != 0) return static_cast<int>(i);
    return -1;
}

// Runs the effect and the model over the same input in the given block pattern.
struct Comparison {
    Rig rig;
    RumblerModel model;
    std::vector<float> inL, inR;
    std::vector<float> outL, outR, refL, refR;
    int pos = 0;
    int blockMismatches = 0;

    Comparison(double rate, int frames, bool stereo = true)
        : rig(rate, 512, stereo), model(rate, stereo), inL(testSignal(frames, 0, rate)), inR(testSignal(frames, 1, rate)),
          outL(static_cast<size_t>(frames), 0.25f), outR(static_cast<size_t>(frames), -0.25f), refL(outL), refR(outR) {}

    void set(const ModelParams& p) {
        rig.set(p);
        model.setParams(p);
    }
    // Processes `frames` more samples in blocks from the pattern.
    void advance(int frames, const std::vector<int>& pattern, bool accumulate) {
        size_t k = 0;
        const int end = std::min(pos + frames, static_cast<int>(inL.size()));
        while (pos < end) {
            const int n = std::min(pattern[k++ % pattern.size()], end - pos);
            const size_t at = static_cast<size_t>(pos);
            rig.run(&inL[at], &inR[at], &outL[at], &outR[at], n, accumulate);
            const ModelBlock m = model.process(&inL[at], &inR[at], &refL[at], &refR[at], n, accumulate);
            if (m.gainValue != rig.lastGainValue() || m.clip != rig.lastClip()) ++blockMismatches;
            pos += n;
        }
    }
    void expectSame() const {
        EXPECT_EQ(firstMismatch(outL, refL), -1);
        EXPECT_EQ(firstMismatch(outR, refR), -1);
        EXPECT_EQ(blockMismatches, 0);
    }
};

struct PathCase {
    int slot;
    double rate;
    std::vector<int> blocks;
    bool accumulate;
};

void PrintTo(const PathCase& c, std::ostream* os) {
    *os << "slot " << c.slot << " at " << c.rate << " Hz" << (c.accumulate ? ", accumulating" : "");
}

class FactoryProgramPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(FactoryProgramPath, MatchesModelSampleBySample) {
    const PathCase& c = GetParam();
    Comparison cmp(c.rate, 60000);
    cmp.set(cmp.rig.slotParams(c.slot));
    cmp.advance(60000, c.blocks, c.accumulate);
    cmp.expectSame();
}

INSTANTIATE_TEST_SUITE_P(Programs, FactoryProgramPath,
                         ::testing::Values(PathCase{5, 44100.0, {512}, false},        // mastering2
                                           PathCase{15, 44100.0, {1, 64, 4096}, false},  // synth-bass2
                                           PathCase{23, 48000.0, {4096}, true},       // extreme2
                                           PathCase{9, 96000.0, {333, 7}, false},     // warm2 above 50 kHz
                                           PathCase{11, 22050.0, {256}, true},        // drum-loop2, rate out of range
                                           PathCase{3, 44100.0, {128}, false}));      // psychoacoustic, tune 0

TEST(RumblerPath, MonoInputFeedsBothChannelsFromTheLeft) {
    Comparison cmp(44100.0, 20000, false);
    cmp.set(cmp.rig.slotParams(13));
    cmp.advance(20000, {256}, false);
    cmp.expectSame();
    EXPECT_EQ(firstMismatch(cmp.outL, cmp.outR), -1);
}

TEST(RumblerPath, ProcessOffClearsOnceAndOnlyOnAChange) {
    Comparison cmp(44100.0, 60000);
    ModelParams p = cmp.rig.slotParams(14);
    cmp.set(p);
    cmp.advance(15000, {500}, false);
    // turning it off clears part of the state; the model clears the same part
    p.process = 0.3f;
    cmp.set(p);
    cmp.model.clearForProcessOff();
    EXPECT_FALSE(cmp.rig.fx->processOn());
    cmp.advance(15000, {500}, false);
    // the same value again changes nothing
    cmp.rig.fx->applyParameter(rumbler::kProcess, 0.3f);
    cmp.advance(15000, {500}, false);
    p.process = 1.0f;
    p.tune = 0.8f;
    cmp.set(p);
    cmp.advance(15000, {500}, false);
    cmp.expectSame();
}

// Suspend restarts the look-ahead and the recursive states but keeps the
// high-passes and the noise; resume retunes everything for the host's rate.
TEST(RumblerPath, SuspendAndResumeAtANewRateMatchTheModel) {
    Comparison cmp(48000.0, 40000);
    cmp.set(cmp.rig.slotParams(15));
    cmp.advance(8000, {512}, false);

    RumblerEffect& fx = *cmp.rig.fx;
    fx.dispatch(effMainsChanged, 0, 0, nullptr, 0.0f);
    fx.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    fx.dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
    cmp.model.suspend(48000.0);
    cmp.model.resume(96000.0);
    cmp.advance(16000, {512}, false);

    // a host that processes between suspend and resume hears c1 and the
    // leveller at the new rate, c2 and the 20 Hz high-passes still at the old one
    fx.dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    fx.dispatch(effMainsChanged, 0, 0, nullptr, 0.0f);
    cmp.model.suspend(44100.0);
    cmp.advance(16000, {512}, false);
    cmp.expectSame();
}

TEST(RumblerPath, NonFiniteInputEntersAsSilenceAndTheOutputRecovers) {
    Comparison cmp(44100.0, 20000);
    cmp.set(cmp.rig.slotParams(15));
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity()};
    for (int i = 3000; i < 3300; ++i) cmp.inL[static_cast<size_t>(i)] = bad[i % 3];
    cmp.advance(20000, {256}, false);
    cmp.expectSame();
    for (int i = 0; i < 20000; ++i) ASSERT_TRUE(std::isfinite(cmp.outL[static_cast<size_t>(i)])) << i;
}

// Seconds of digital silence take the harmonic low-pass into the subnormal
// range where the drive leaves it nothing to follow; it then restarts from 0.
// What comes out, during the silence and after it, is still the model's.
TEST(RumblerPath, LongSilenceThenSignalMatchesTheModel) {
    const int lead = 20000, silence = 44100 * 14, frames = lead + silence + 20000;
    Comparison cmp(44100.0, frames);
    std::fill(cmp.inL.begin() + lead, cmp.inL.begin() + lead + silence, 0.0f);
    std::fill(cmp.inR.begin() + lead, cmp.inR.begin() + lead + silence, 0.0f);
    for (int slot : {0, 15}) {
        cmp.pos = 0;
        cmp.set(cmp.rig.slotParams(slot));
        cmp.advance(frames, {512}, false);
        cmp.expectSame();
    }
}

TEST(RumblerPath, ParameterFarOutOfRangeDoesNotLockTheOutput) {
    Rig rig;
    rig.set(rig.slotParams(12));
    std::vector<float> inL = testSignal(4096, 0, 44100.0), inR = testSignal(4096, 1, 44100.0);
    std::vector<float> outL(4096), outR(4096);
    rig.fx->applyParameter(rumbler::kThreshold, 1000.0f);  // the threshold overflows to infinity
    rig.run(inL.data(), inR.data(), outL.data(), outR.data(), 4096);
    rig.fx->applyParameter(rumbler::kThreshold, 0.5f);
    for (int block = 0; block < 3; ++block) rig.run(inL.data(), inR.data(), outL.data(), outR.data(), 4096);
    for (float y : outL) ASSERT_TRUE(std::isfinite(y));
    for (float y : outR) ASSERT_TRUE(std::isfinite(y));
}

TEST(RumblerPath, InPlaceBuffersGiveTheSameOutput) {
    Comparison cmp(44100.0, 8192);
    cmp.set(cmp.rig.slotParams(18));
    cmp.advance(8192, {1024}, false);
    Rig rig;
    rig.set(rig.slotParams(18));
    std::vector<float> l = testSignal(8192, 0, 44100.0), r = testSignal(8192, 1, 44100.0);
    for (int at = 0; at < 8192; at += 1024) rig.run(&l[at], &r[at], &l[at], &r[at], 1024);
    EXPECT_EQ(firstMismatch(l, cmp.outL), -1);
    EXPECT_EQ(firstMismatch(r, cmp.outR), -1);
}

// Mix 0: the output is the input 1023 samples late, times G, plus the tiny dither.
TEST(RumblerEdges, MixZeroIsTheInputDelayedExactly1023SamplesTimesGain) {
    Rig rig;
    ModelParams p = rig.slotParams(5);
    p.mix = 0.0f;
    p.gain = 0.75f;
    rig.set(p);
    const double g = std::pow(10.0, 0.25 * 1.2);
    std::vector<float> inL = testSignal(3000, 0, 44100.0), inR = testSignal(3000, 1, 44100.0);
    std::vector<float> outL(3000), outR(3000);
    rig.run(inL.data(), inR.data(), outL.data(), outR.data(), 3000);
    for (int i = 0; i < 1023; ++i) ASSERT_NEAR(outL[static_cast<size_t>(i)], 1e-7 * g, 1e-9) << i;
    for (int i = 1023; i < 3000; ++i) {
        ASSERT_NEAR(outL[static_cast<size_t>(i)], inL[static_cast<size_t>(i - 1023)] * g, 1e-6) << i;
        ASSERT_NEAR(outR[static_cast<size_t>(i)], inR[static_cast<size_t>(i - 1023)] * g, 1e-6) << i;
    }
}

TEST(RumblerEdges, ProcessOffPassesTheDelayedInputWithoutInfrasound) {
    Rig rig;
    ModelParams p;  // bass 0.5, mix 1, gain 0.5
    p.process = 0.0f;
    p.tune = 0.4f;
    rig.set(p);
    const int n = 44100 * 3;
    std::vector<float> inL(n), inR(n), outL(n), outR(n);
    for (int i = 0; i < n; ++i) {
        const double t = i / 44100.0;
        inL[i] = inR[i] = static_cast<float>(0.3 + 0.2 * std::sin(6.283185307179586 * 2000.0 * t) +
                                             0.2 * std::sin(6.283185307179586 * 3.0 * t));
    }
    rig.run(inL.data(), inR.data(), outL.data(), outR.data(), n);
    // after the biquad has glided in: DC and 3 Hz gone, 2 kHz untouched and 1023 samples late
    for (int i = n - 4410; i < n; ++i) {
        const double t = (i - 1023) / 44100.0;
        ASSERT_NEAR(outL[i], 0.2 * std::sin(6.283185307179586 * 2000.0 * t), 0.01) << i;
    }
}

TEST(RumblerEdges, SilenceHoldsTheLevellerAtItsFloorGain) {
    for (float thr : {1.0f, 0.5f}) {
        Rig rig;
        ModelParams p;
        p.threshold = thr;
        rig.set(p);
        std::vector<float> zeros(2048, 0.0f), outL(2048), outR(2048);
        for (int b = 0; b < 5; ++b) rig.run(zeros.data(), zeros.data(), outL.data(), outR.data(), 2048);
        const double t = std::pow(10.0, (thr - 1.0) * 2.4);
        const double floorGain = std::sqrt(1.5258789e-05) * std::sqrt(t) * 65536.00026843545;  // about 256 sqrt(T)
        EXPECT_NEAR(rig.fx->signalPath().levellerGain(), floorGain, 1e-12 * floorGain);
        EXPECT_NEAR(floorGain, 256.0 * std::sqrt(t), 1e-6 * floorGain);
        EXPECT_NEAR(rig.lastGainValue(), std::log10(floorGain) * 0.41666666666666667, 1e-12);
        EXPECT_LE(rig.fx->signalPath().envelope(), 1.0 / 65536.0);
        for (float y : outL) ASSERT_LT(std::fabs(y), 1e-6f);
    }
}

// Mix 0 and gain 0.5 bring the input to the saturation unchanged. The pattern
// goes in first; its output is read 1023 samples later in the given blocks.
struct ClipRig {
    Rig rig;
    std::vector<float> inL, inR, outL, outR;
    explicit ClipRig(int frames) : inL(frames, 0.0f), inR(frames, 0.0f), outL(frames), outR(frames) {
        ModelParams p;
        p.mix = 0.0f;
        p.saturation = 1.0f;
        rig.set(p);
    }
    // The clip value of each block that carries the pattern's output.
    std::vector<double> run(const std::vector<int>& blocks) {
        const int n = static_cast<int>(inL.size());
        std::vector<float> zeros(1023, 0.0f), scratchL(1023), scratchR(1023);
        rig.run(inL.data(), inR.data(), scratchL.data(), scratchR.data(), n);
        rig.run(zeros.data(), zeros.data(), scratchL.data(), scratchR.data(), 1023 - n);
        std::vector<double> clips;
        int at = 0;
        for (int b : blocks) {
            rig.run(zeros.data(), zeros.data(), &outL[at], &outR[at], b);
            clips.push_back(rig.lastClip());
            at += b;
        }
        return clips;
    }
};

TEST(RumblerEdges, SaturationMapsTwoAndAHalfToExactlyOne) {
    ClipRig c(8);
    c.inL[2] = 2.5f;
    c.inR[2] = -6.0f;
    c.inL[5] = 0.5f;
    c.run({8});
    EXPECT_EQ(c.outL[2], 1.0f);
    EXPECT_EQ(c.outR[2], -1.0f);
    EXPECT_NEAR(c.outL[5], 0.5 - 0.0625, 1e-7);
}

TEST(RumblerEdges, TwoConsecutiveFullScaleFramesLightTheClipValue) {
    ClipRig one(8);
    one.inL[3] = 2.5f;
    one.inR[5] = 1.0f;  // 1.0 saturates to 0.75: below full scale
    EXPECT_EQ(one.run({8}), std::vector<double>{0.0});

    ClipRig separate(8);
    separate.inL[2] = 2.5f;
    separate.inR[4] = -3.0f;
    EXPECT_EQ(separate.run({8}), std::vector<double>{0.0});

    ClipRig two(8);
    two.inL[3] = 2.5f;
    two.inR[4] = -2.0f;  // either channel counts
    EXPECT_EQ(two.run({8}), std::vector<double>{1.0});
    // the next block starts with a clear value
    std::fill(two.inL.begin(), two.inL.end(), 0.0f);
    std::fill(two.inR.begin(), two.inR.end(), 0.0f);
    EXPECT_EQ(two.run({8}), std::vector<double>{0.0});
}

TEST(RumblerEdges, ClipRunRestartsWithEveryBlock) {
    ClipRig c(8);
    c.inL[3] = 2.5f;
    c.inL[4] = 2.5f;
    EXPECT_EQ(c.run({4, 4}), (std::vector<double>{0.0, 0.0}));
    EXPECT_EQ(c.run({3, 5}), (std::vector<double>{0.0, 1.0}));
}

TEST(RumblerMeter, RecordsTrailTheWriterByTheHostLatencyInBlocks) {
    struct Case {
        VstIntPtr latency, block;
        int delay;
    };
    for (const Case& c : {Case{4096, 512, 8}, Case{1000, 512, 1}, Case{0, 512, 1}, Case{50000, 512, 1},
                          Case{44100, 2, 1023}, Case{-5, 512, 1}, Case{4096, 0, 4}}) {
        Rig rig(44100.0, c.block, true, c.latency);
        EXPECT_EQ(rig.fx->meterDelay(), c.delay) << c.latency << " / " << c.block;
        rig.fx->dispatch(effMainsChanged, 0, 0, nullptr, 0.0f);
        EXPECT_EQ(rig.fx->meters().writeIndex(), c.delay);
        EXPECT_EQ(rig.fx->meters().readIndex(), 0);
        EXPECT_EQ(rig.fx->meters().read(rumbler::kMeterGain), 1e-7);
    }
}

TEST(RumblerMeter, EditorReadsTheRecordFiledDelayBlocksEarlier) {
    Rig rig(44100.0, 256, true, 768);  // three blocks
    rig.fx->dispatch(effMainsChanged, 0, 0, nullptr, 0.0f);
    rig.fx->dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
    ModelParams p;
    p.mix = 0.0f;
    p.saturation = 1.0f;
    rig.set(p);
    std::vector<float> in(256, 0.0f), out(256);
    // the clip lights in block 4 (counting from 0), once the look-ahead has passed
    std::vector<double> heard;
    for (int b = 0; b < 10; ++b) {
        std::fill(in.begin(), in.end(), b == 0 ? 3.0f : 0.0f);
        rig.run(in.data(), in.data(), out.data(), out.data(), 256);
        heard.push_back(rig.fx->meters().read(rumbler::kMeterClip));
    }
    const std::vector<double> expected = {1e-7, 1e-7, 0, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(heard, expected);
}

TEST(RumblerMeter, AnEmptyBlockFilesThePreviousGainAndNoClip) {
    ClipRig c(8);
    c.inL[3] = c.inL[4] = 2.5f;
    ASSERT_EQ(c.run({8}), std::vector<double>{1.0});
    const double gain = c.rig.lastGainValue();
    const int written = c.rig.fx->meters().writeIndex();
    c.rig.fx->processEmptyBlock();
    EXPECT_EQ(c.rig.fx->meters().writeIndex(), (written + 1) % 1024);
    EXPECT_EQ(c.rig.lastGainValue(), gain);
    EXPECT_EQ(c.rig.lastClip(), 0.0);
}

TEST(RumblerRate, WholeHertzWithinTheSaneRangeElse44100) {
    struct Case {
        float host;
        double used;
    };
    for (const Case& c : {Case{48000.7f, 48000.0}, Case{10000.0f, 44100.0}, Case{250000.0f, 44100.0},
                          Case{std::numeric_limits<float>::quiet_NaN(), 44100.0}, Case{200000.0f, 200000.0},
                          Case{-1.0f, 44100.0}}) {
        Rig rig(c.host);
        EXPECT_EQ(rig.fx->pathRate(), c.used);
        rig.fx->dispatch(effMainsChanged, 0, 0, nullptr, 0.0f);
        EXPECT_EQ(rig.fx->sampleRate(), static_cast<float>(c.used));
    }
}

}  // namespace
}  // namespace rumbler_test
