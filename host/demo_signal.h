// The built-in demo signal: about 8 s of a synthesized stereo mix, made in
// code and the same on every run. Drums, a bass line, a voice-like tone and
// hiss, so that each effect has something to work on.
#pragma once

#include <cstdint>

#include "host/audio_source.h"

namespace host {

class DemoSignal : public AudioSource {
public:
    static constexpr double kSeconds = 8.0;

    explicit DemoSignal(double sampleRate = 44100.0);

    int channels() const override { return 2; }
    double sampleRate() const override { return rate_; }
    int64_t frames() const override { return frames_; }
    int64_t read(float* interleaved, int64_t count) override;

private:
    // Two-pole resonator, the voice's formants.
    struct Resonator {
        double a1 = 0, a2 = 0, gain = 0, y1 = 0, y2 = 0;
        void tune(double freqHz, double bandwidthHz, double rate);
        double process(double x);
    };

    double noise();  // white, -1..1
    void renderFrame(double& left, double& right);
    double drums(double& hatOut);
    double bass();
    double voice();

    double rate_;
    int64_t frames_;
    int64_t position_ = 0;
    uint32_t seed_ = 0x2545F491u;
    double kickPhase_ = 0, snareTonePhase_ = 0, bassPhase_ = 0, bassLow_ = 0;
    double voicePhase_ = 0, vibratoPhase_ = 0, hatPrevious_ = 0;
    Resonator formants_[3];
};

}  // namespace host
