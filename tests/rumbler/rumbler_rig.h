// An in-process bass enhancer driven the way a host drives it, plus test signals.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "rumbler/rumbler_effect.h"
#include "tests/rumbler/rumbler_model.h"
#include "tests/support/recording_host.h"

namespace rumbler_test {

struct Rig {
    testing_support::RecordingHost host;
    std::unique_ptr<rumbler::RumblerEffect> fx;

    explicit Rig(double rate = 44100.0, VstIntPtr block = 512, bool stereoInput = true, VstIntPtr latency = 0) {
        host.blockSize = block;
        host.outputLatency = latency;
        host.reportsConnections = stereoInput ? 0 : 1;
        host.input2Connected = stereoInput;
        fx = std::make_unique<rumbler::RumblerEffect>(testing_support::RecordingHost::callback());
        fx->dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
        fx->dispatch(effSetBlockSize, 0, block, nullptr, 0.0f);
        fx->dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
    }

    void set(const ModelParams& p) {
        fx->applyParameter(rumbler::kProcess, p.process);
        fx->applyParameter(rumbler::kGain, p.gain);
        fx->applyParameter(rumbler::kMix, p.mix);
        fx->applyParameter(rumbler::kTune, p.tune);
        fx->applyParameter(rumbler::kThreshold, p.threshold);
        fx->applyParameter(rumbler::kColour, p.colour);
        fx->applyParameter(rumbler::kBass, p.bass);
        fx->applyParameter(rumbler::kSaturation, p.saturation);
    }

    // Values of a bank slot as model parameters.
    ModelParams slotParams(int slot) const {
        const auto& b = fx->bank();
        ModelParams p;
        p.process = b.param(slot, rumbler::kProcess);
        p.gain = b.param(slot, rumbler::kGain);
        p.mix = b.param(slot, rumbler::kMix);
        p.tune = b.param(slot, rumbler::kTune);
        p.threshold = b.param(slot, rumbler::kThreshold);
        p.colour = b.param(slot, rumbler::kColour);
        p.bass = b.param(slot, rumbler::kBass);
        p.saturation = b.param(slot, rumbler::kSaturation);
        return p;
    }

    void run(float* inL, float* inR, float* outL, float* outR, int frames, bool accumulate = false) {
        float* in[2] = {inL, inR};
        float* out[2] = {outL, outR};
        if (accumulate)
            fx->processAccumulate(in, out, frames);
        else
            fx->processReplace(in, out, frames);
    }

    // The gain and clip values of the record filed by the last block.
    double lastGainValue() const { return fx->meters().at(rumbler::kMeterGain, fx->meters().writeIndex() - 1); }
    double lastClip() const { return fx->meters().at(rumbler::kMeterClip, fx->meters().writeIndex() - 1); }
};

// A bass line whose level swells from quiet to loud, over a little noise,
// different in each channel: it crosses the threshold and the floor.
inline std::vector<float> testSignal(int frames, int channel, double rate) {
    std::vector<float> s(static_cast<size_t>(frames));
    uint32_t seed = 12345u + static_cast<uint32_t>(channel) * 777u;
    for (int i = 0; i < frames; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double noise = (static_cast<double>(seed >> 8) / 16777216.0 - 0.5) * 0.02;
        const double t = i / rate;
        const double swell = 0.5 - 0.5 * std::cos(6.283185307179586 * 0.7 * t);
        const double bass = std::sin(6.283185307179586 * (55.0 + 10.0 * channel) * t);
        const double kick = (i % 11025 < 600) ? 0.8 * std::sin(6.283185307179586 * 48.0 * t) : 0.0;
        s[static_cast<size_t>(i)] = static_cast<float>(swell * swell * 0.9 * bass + noise + kick);
    }
    return s;
}

}  // namespace rumbler_test
