// Host input that once made the compressor put out NaN or infinity: values far
// outside a parameter's range, a history that left the envelope far above the
// detector's mean, and absurd sample values from a broken upstream plug-in.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "brisker/brisker_effect.h"
#include "frame/dsp_util.h"
#include "tests/brisker/brisker_model.h"
#include "tests/support/recording_host.h"
#include "tests/support/render.h"

namespace {

using brisker::BriskerEffect;
using testing_support::RecordingHost;
using testing_support::render;
using testing_support::Stereo;

class BriskerRobustness : public ::testing::Test {
protected:
    RecordingHost host;
    std::unique_ptr<BriskerEffect> make(int program) {
        auto e = std::make_unique<BriskerEffect>(RecordingHost::callback());
        testing_support::startProcessing(e->record());
        e->pickProgram(program);
        return e;
    }
    void set(BriskerEffect& e, VstInt32 index, float value) { e.record()->setParameter(e.record(), index, value); }
};

Stereo square(size_t frames, float level, size_t period) {
    Stereo s = testing_support::makeStereo(frames);
    for (size_t i = 0; i < frames; ++i) s.left[i] = s.right[i] = (i % period) < period / 2 ? level : -level;
    return s;
}

size_t firstNonFinite(const Stereo& s) {
    for (size_t i = 0; i < s.size(); ++i)
        if (!std::isfinite(s.left[i]) || !std::isfinite(s.right[i])) return i;
    return s.size();
}

// Shortened from a random host sequence: a driven square held by a long hold,
// a long silence in one block (the detector's mean falls to its floor while the
// envelope holds), then the hold is let go with the fast automatic release.
// The release coefficient, envelope over mean times 0.00009, had grown past 2
// and the envelope swung to +-inf with alternating sign.
TEST_F(BriskerRobustness, AutomaticReleaseAfterAHeldSilenceStaysFinite) {
    auto e = make(21);  // drums1: automatic attack, fast automatic release
    set(*e, brisker::kHold, 1.0f);
    set(*e, brisker::kCompress, 0.6f);
    render(e->record(), square(44100, 1.0f, 71), 512);
    render(e->record(), testing_support::makeStereo(7920), 7920);
    set(*e, brisker::kHold, 0.0f);
    const Stereo out = render(e->record(), testing_support::whiteNoise(44100, 0.9f, 5), 156);
    EXPECT_EQ(firstNonFinite(out), out.size());
}

// The make-up far out of range (a broken host's automation) ran the output to
// infinity for as long as the value stayed. It is held at 1, read back and shown so.
TEST_F(BriskerRobustness, MakeUpFarOutOfRangeIsHeldAtItsEnd) {
    auto e = make(25);  // delay FX: make-up in use
    AEffect* fx = e->record();
    set(*e, brisker::kMakeUp, 3.7e8f);
    EXPECT_EQ(fx->getParameter(fx, brisker::kMakeUp), 1.0f);
    char text[kVstMaxParamTextLen] = {};
    fx->dispatcher(fx, effGetParamDisplay, brisker::kMakeUp, 0, text, 0.0f);
    EXPECT_EQ(std::string(text), "48.00");
    const Stereo out = render(fx, testing_support::whiteNoise(20000, 0.9f, 2), 512);
    EXPECT_EQ(firstNonFinite(out), out.size());
}

// Samples far beyond full scale (a broken upstream plug-in) are held at the
// input ceiling, 1e5: the output is finite and the same as for the ceiling
// itself. Up to there nothing changes: a signal at +-1000 runs as the model says.
TEST_F(BriskerRobustness, AbsurdInputIsHeldAtTheCeilingAndLoudInputIsUntouched) {
    const Stereo loud = testing_support::whiteNoise(8192, 1000.0f, 9);
    auto e = make(3);
    e->selectProgramAutomated(0);  // every glide settled, as the model starts
    auto v = [&](VstInt32 i) { return static_cast<double>(e->parameterValue(i)); };
    using namespace brisker;
    const brisker_model::Params p{v(kProcess), v(kInput),   v(kCompress), v(kSlope), v(kAttack), v(kRelease),
                                  v(kMakeUp),  v(kMix),     v(kOutput),   v(kScFreq), v(kScQ),   v(kHold),
                                  v(kPrePost), v(kRmsPeak), v(kDel),      v(kScl),   v(kLimSat)};
    brisker_model::Model model(44100.0, p);
    Stereo expected = testing_support::makeStereo(loud.size());
    for (size_t at = 0; at < loud.size(); at += 512)
        model.block(p, loud.left.data() + at, loud.right.data() + at, expected.left.data() + at,
                    expected.right.data() + at, 512);
    EXPECT_EQ(render(e->record(), loud, 512).left, expected.left);

    Stereo absurd = testing_support::whiteNoise(8192, 1e9f, 9);
    Stereo held = absurd;
    for (size_t i = 0; i < absurd.size(); ++i) {
        held.left[i] = std::fabs(absurd.left[i]) > 1e5f ? std::copysign(1e5f, absurd.left[i]) : absurd.left[i];
        held.right[i] = std::fabs(absurd.right[i]) > 1e5f ? std::copysign(1e5f, absurd.right[i]) : absurd.right[i];
    }
    auto a = make(17);  // el guitar2: the saturating leveller
    auto b = make(17);
    const Stereo out = render(a->record(), absurd, 300);
    EXPECT_EQ(firstNonFinite(out), out.size());
    EXPECT_EQ(out.left, render(b->record(), held, 300).left);
}

}  // namespace
