// An in-process treble enhancer behind a recording host, started the way a
// host starts it, plus the test signals the glister tests share.
#pragma once

#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "glister/glister_effect.h"
#include "tests/support/recording_host.h"
#include "tests/support/render.h"

namespace glister_test {

using testing_support::Stereo;

struct Rig {
    explicit Rig(float rate = 44100.0f, VstIntPtr latency = 0, VstIntPtr block = 0, bool input2 = true) {
        host.outputLatency = latency;
        host.blockSize = block;
        host.reportsConnections = 1;
        host.input2Connected = input2;
        fx = std::make_unique<glister::GlisterEffect>(testing_support::RecordingHost::callback());
        fx->dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        fx->dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
    }
    // Loads a bank slot the way the editor's program menu does.
    void load(int slot) { fx->pickProgram(slot); }
    int slotNamed(const char* name) const {
        for (int s = 0; s < fx->bank().size(); ++s)
            if (std::string(fx->bank().name(s)) == name) return s;
        return -1;
    }
    std::array<float, 26> values() const {
        std::array<float, 26> v{};
        for (int i = 0; i < 26; ++i) v[static_cast<size_t>(i)] = fx->parameterValue(i);
        return v;
    }
    // Runs a signal through one entry in blocks; `in2` false passes no second input.
    Stereo run(const Stereo& in, int block, bool accumulate = false, float prefill = 0.0f) {
        Stereo out = testing_support::makeStereo(in.size(), prefill);
        for (size_t start = 0; start < in.size(); start += static_cast<size_t>(block)) {
            const auto n = static_cast<VstInt32>(std::min(static_cast<size_t>(block), in.size() - start));
            float* i[2] = {const_cast<float*>(in.left.data() + start), const_cast<float*>(in.right.data() + start)};
            float* o[2] = {out.left.data() + start, out.right.data() + start};
            if (accumulate)
                fx->processAccumulate(i, o, n);
            else
                fx->processReplace(i, o, n);
        }
        return out;
    }

    testing_support::RecordingHost host;
    std::unique_ptr<glister::GlisterEffect> fx;
};

// Music-like test signal: decorrelated noise, a decaying click train and a
// sine, peaking near `peak`.
inline Stereo musicSignal(size_t frames, float peak, unsigned seed = 7) {
    Stereo s = testing_support::whiteNoise(frames, 0.25f * peak, seed);
    for (size_t i = 0; i < frames; ++i) {
        const double click = (i % 700 < 40) ? 0.5 * std::exp(-static_cast<double>(i % 700) / 8.0) : 0.0;
        const double tone = 0.25 * std::sin(0.07 * static_cast<double>(i));
        s.left[i] += static_cast<float>(peak * (click + tone));
        s.right[i] += static_cast<float>(peak * (0.6 * click - tone * 0.5));
    }
    return s;
}

}  // namespace glister_test
