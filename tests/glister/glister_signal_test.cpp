// Signal-path behaviour: latency, look-ahead, lamps, saturation, bad samples,
// block sizes, both entries, suspend and resume.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "glister/transient_processor.h"
#include "tests/glister/glister_rig.h"

namespace glister_test {
namespace {

using glister::GlisterEffect;

size_t peakIndex(const std::vector<float>& x) {
    size_t best = 0;
    for (size_t i = 1; i < x.size(); ++i)
        if (std::fabs(x[i]) > std::fabs(x[best])) best = i;
    return best;
}

TEST(GlisterLatency, ImpulseArrives1023SamplesLateProcessedOrBypassed) {
    for (float process : {1.0f, 0.0f}) {
        Rig rig;
        rig.load(rig.slotNamed("mix1"));
        rig.fx->applyParameter(glister::kProcess, process);
        Stereo in = testing_support::makeStereo(4096);
        in.left[300] = in.right[300] = 0.8f;
        const Stereo out = rig.run(in, 256);
        EXPECT_EQ(peakIndex(out.left), 1323u) << "process " << process;
        EXPECT_EQ(peakIndex(out.right), 1323u) << "process " << process;
        for (size_t i = 0; i < 1323; ++i) ASSERT_LT(std::fabs(out.left[i]), 1e-5f) << i;
        if (process == 0.0f) {
            EXPECT_EQ(out.left[1323], 0.8f);  // bypass passes the sample unchanged
        }
    }
}

// The hiss cut-off first opens when the detector meets a burst: 1023 - r0
// samples after it entered, r0 being 255, 511 or 1023 by rate.
TEST(GlisterLatency, HissDetectorLooksAheadByRate) {
    for (auto [rate, ahead] : {std::pair{44100.0f, 255}, {96000.0f, 511}, {192000.0f, 1023}, {49999.0f, 255},
                               {50000.0f, 511}, {100000.0f, 1023}}) {
        Rig rig(rate);
        rig.load(rig.slotNamed("hissRem1"));
        // the lowest threshold: the envelope crosses it on the burst's first sample at any rate
        rig.fx->applyParameter(glister::kHissThresh, 0.0f);
        const size_t burst = 3000;
        Stereo in = testing_support::makeStereo(burst + 1100);
        for (size_t i = burst; i < in.size(); ++i) in.left[i] = in.right[i] = (i % 2 ? 0.5f : -0.5f);
        float o[2][1];
        long opened = -1;
        double last = rig.fx->signalPath().hiss().cutoffCoefficient();
        for (size_t i = 0; i < in.size() && opened < 0; ++i) {
            float* ip[2] = {&in.left[i], &in.right[i]};
            float* op[2] = {o[0], o[1]};
            rig.fx->processReplace(ip, op, 1);
            const double c = rig.fx->signalPath().hiss().cutoffCoefficient();
            if (c > last) opened = static_cast<long>(i);
            last = c;
        }
        EXPECT_EQ(opened, static_cast<long>(burst) + 1023 - ahead) << "rate " << rate;
    }
}

TEST(GlisterLatency, RatesOutsideTheSaneRangeWorkAs44100) {
    for (float rate : {10000.0f, 250000.0f, std::numeric_limits<float>::quiet_NaN(), -48000.0f}) {
        Rig rig(rate);
        EXPECT_EQ(rig.fx->sampleRate(), 44100.0f) << rate;
        const auto& path = rig.fx->signalPath();
        EXPECT_EQ(path.lookAheadIndex() - path.writeIndex(), 255) << rate;
        rig.fx->applyParameter(glister::kHarmFirstOut, 1.0f);
        EXPECT_NEAR(rig.fx->settings().firstOutFrequency(), 16036.3636, 1e-3) << rate;
        const Stereo out = rig.run(musicSignal(2048, 0.5f), 512);
        EXPECT_TRUE(std::isfinite(out.left[2047])) << rate;
    }
}

TEST(GlisterLamps, MonoNeverLightsOverEnhancedAntiPhaseDoes) {
    for (bool antiPhase : {false, true}) {
        Rig rig;
        rig.load(rig.slotNamed("stereoEnh1"));
        Stereo in = testing_support::whiteNoise(8192, 0.3f);
        for (size_t i = 0; i < in.size(); ++i) in.right[i] = antiPhase ? -in.left[i] : in.left[i];
        int lit = 0;
        for (size_t start = 0; start < in.size(); start += 512) {
            const int filed = rig.fx->indicators().writeIndex();
            float* i[2] = {&in.left[start], &in.right[start]};
            std::vector<float> l(512), r(512);
            float* o[2] = {l.data(), r.data()};
            rig.fx->processReplace(i, o, 512);
            lit += rig.fx->indicators().overEnhancedAt(filed) > 0.0;
        }
        if (antiPhase)
            EXPECT_GT(lit, 8);
        else
            EXPECT_EQ(lit, 0);
    }
}

// One clipping block; the editor sees it when the delay has passed, and keeps
// seeing it until it has read it once.
TEST(GlisterLamps, ClipLampStaysLitUntilTheEditorHasReadIt) {
    Rig rig(44100.0f, 2048, 256);  // 8 blocks of latency: a lamp delay of 6
    ASSERT_EQ(rig.fx->indicatorDelay(), 6);
    Stereo loud = testing_support::makeStereo(1024);
    loud.left[0] = 1.5f;  // leaves the delay line as the block's last sample
    const Stereo quiet = testing_support::makeStereo(1024);
    rig.run(loud, 1024);
    std::vector<double> seen;
    for (int block = 0; block < 12; ++block) {
        seen.push_back(rig.fx->indicators().clipped());
        if (block == 9) rig.fx->indicators().markConsumed();
        rig.run(quiet, 1024);
    }
    seen.push_back(rig.fx->indicators().clipped());
    const std::vector<double> expected{0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0};
    EXPECT_EQ(seen, expected);
}

TEST(GlisterLamps, EmptyBlockAdvancesUnlit) {
    Rig rig;
    const int before = rig.fx->indicators().writeIndex();
    float* none[2] = {nullptr, nullptr};
    rig.fx->processReplace(none, none, 0);
    EXPECT_EQ(rig.fx->indicators().writeIndex(), (before + 1) & 1023);
    EXPECT_EQ(rig.fx->indicators().overEnhancedAt(before), 0.0);
    EXPECT_EQ(rig.fx->indicators().clippedAt(before), 0.0);
}

// Mix 0 sends the dry signal to the output stage; Output (5/6)^4 is unity gain.
Stereo throughOutputStage(float level, float saturation, bool* clipped) {
    Rig rig;
    rig.fx->applyParameter(glister::kMix, 0.0f);
    rig.fx->applyParameter(glister::kOutput, static_cast<float>(std::pow(5.0 / 6.0, 4.0)));
    rig.fx->applyParameter(glister::kSaturation, saturation);
    const Stereo out = rig.run(testing_support::makeStereo(2048, level), 2048);
    *clipped = rig.fx->indicators().clippedAt(rig.fx->indicators().writeIndex() - 1) > 0.0;
    return out;
}

TEST(GlisterOutputStage, QuadraticSaturationAndClipThresholds) {
    bool clipped = false;
    for (auto [in, expected] : {std::pair{1.0f, 0.75f}, {2.0f, 1.0f}, {3.0f, 1.0f}, {-1.0f, -0.75f}, {0.5f, 0.4375f}}) {
        const Stereo out = throughOutputStage(in, 1.0f, &clipped);
        EXPECT_NEAR(out.left[2000], expected, 1e-6) << in;
        EXPECT_NEAR(out.right[2000], expected, 1e-6) << in;
    }
    for (auto [in, saturation, lit] : {std::tuple{1.40f, 1.0f, false}, {1.42f, 1.0f, true}, {-1.42f, 1.0f, true},
                                       {0.99f, 0.0f, false}, {1.01f, 0.0f, true}, {-1.01f, 0.0f, true}}) {
        const Stereo out = throughOutputStage(in, saturation, &clipped);
        EXPECT_EQ(clipped, lit) << in << " saturation " << saturation;
        if (saturation == 0.0f) {
            EXPECT_NEAR(out.left[2000], in, 1e-6);
        }
    }
}

TEST(GlisterBadInput, NonFiniteSamplesEnterAsSilence) {
    for (float process : {1.0f, 0.0f}) {
        Stereo clean = musicSignal(6000, 0.8f);
        Stereo dirty = clean;
        for (size_t i = 1500; i < 1600; ++i) {
            clean.left[i] = clean.right[i] = 0.0f;
            dirty.left[i] = (i % 3 == 0) ? std::numeric_limits<float>::quiet_NaN()
                                         : (i % 3 == 1 ? std::numeric_limits<float>::infinity()
                                                       : -std::numeric_limits<float>::infinity());
            dirty.right[i] = std::numeric_limits<float>::quiet_NaN();
        }
        Rig a, b;
        for (Rig* r : {&a, &b}) {
            r->load(r->slotNamed("Universal1"));
            r->fx->applyParameter(glister::kProcess, process);
        }
        const Stereo expected = a.run(clean, 256);
        const Stereo got = b.run(dirty, 256);
        EXPECT_EQ(got.left, expected.left);
        EXPECT_EQ(got.right, expected.right);
    }
}

TEST(GlisterBadInput, ValuesFarOutOfRangeKeepTheOutputFinite) {
    for (float extreme : {1e6f, -1e6f, 3.0f, -3.0f}) {
        Rig rig;
        for (int i = 0; i < 26; ++i) rig.fx->setParameter(i, extreme);  // the host's way in
        rig.fx->setParameter(glister::kProcess, 1.0f);
        const Stereo out = rig.run(musicSignal(4096, 1.0f), 512);
        for (size_t i = 0; i < out.size(); ++i) {
            ASSERT_TRUE(std::isfinite(out.left[i]) && std::isfinite(out.right[i])) << extreme << " at " << i;
        }
    }
}

TEST(GlisterEntries, BlockSizeDoesNotChangeTheOutputAndAccumulateAdds) {
    const Stereo in = musicSignal(9000, 0.9f);
    Rig reference;
    reference.load(reference.slotNamed("Universal3"));
    const Stereo expected = reference.run(in, 4096);
    for (int block : {1, 64, 1000}) {
        Rig rig;
        rig.load(rig.slotNamed("Universal3"));
        EXPECT_EQ(rig.run(in, block).left, expected.left) << block;
    }
    Rig acc;
    acc.load(acc.slotNamed("Universal3"));
    const Stereo added = acc.run(in, 512, true, 0.25f);
    for (size_t i = 0; i < in.size(); ++i) {
        ASSERT_EQ(added.left[i], 0.25f + expected.left[i]) << i;
        ASSERT_EQ(added.right[i], 0.25f + expected.right[i]) << i;
    }
}

TEST(GlisterEntries, BypassWithSecondInputUnconnectedCopiesTheLeft) {
    Rig rig(44100.0f, 0, 0, false);
    rig.fx->applyParameter(glister::kProcess, 0.0f);
    Stereo in = musicSignal(3000, 0.5f);
    const Stereo out = rig.run(in, 500);
    for (size_t i = 1023; i < in.size(); ++i) {
        ASSERT_EQ(out.left[i], in.left[i - 1023]) << i;
        ASSERT_EQ(out.right[i], in.left[i - 1023]) << i;
    }
}

TEST(GlisterEntries, SuspendAndResumeStartFromSilentDelayLines) {
    Rig rig;
    rig.load(rig.slotNamed("mix3"));
    rig.run(musicSignal(5000, 0.9f), 512);
    rig.fx->dispatch(effMainsChanged, 0, 0, nullptr, 0.0f);
    rig.fx->dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
    EXPECT_EQ(rig.fx->indicators().clipped(), 0.0);
    const Stereo out = rig.run(musicSignal(2048, 0.9f, 3), 512);
    for (size_t i = 0; i < 1023; ++i) ASSERT_LT(std::fabs(out.left[i]), 1e-6f) << i;
    EXPECT_GT(std::fabs(out.left[peakIndex(out.left)]), 0.1f);
}

TEST(TransientProcessor, SilentEnvelopeGivesNoTermInsteadOfNaN) {
    glister::TransientProcessor t;
    t.reset();
    glister::TransientProcessor::Block k;
    k.adjust = 8.0;
    k.ratio = 1.5;
    k.gain = 1.0;
    k.release = 0.01;
    for (int i = 0; i < 4; ++i) {
        const frame::DoublePair y = t.process(frame::pairOf(0.0, 0.0), 0.0, k);
        EXPECT_EQ(y[0], 0.0);
        EXPECT_EQ(y[1], 0.0);
    }
    // the same processor still works once a signal arrives, on either side
    const frame::DoublePair y = t.process(frame::pairOf(0.5, 0.0), 0.0, k);
    EXPECT_GT(y[0], 0.5);
    EXPECT_EQ(y[1], 0.0);
}

}  // namespace
}  // namespace glister_test
