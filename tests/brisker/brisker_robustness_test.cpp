// Host input that once made the compressor put out NaN or infinity: values far
// outside a parameter's range, a history that left the envelope far above the
// detector's mean, and absurd sample values from a broken upstream plug-in.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "brisker/brisker_effect.h"
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

}  // namespace
