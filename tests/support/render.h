// Drives a plug-in's processing entries over whole signals, block by block.
#pragma once

#include <vector>

#include "frame/vst2.h"

namespace testing_support {

struct Stereo {
    std::vector<float> left, right;
    size_t size() const { return left.size(); }
};

Stereo makeStereo(size_t frames, float value = 0.0f);
// Deterministic white noise in -amplitude..amplitude.
Stereo whiteNoise(size_t frames, float amplitude, unsigned seed = 1);
Stereo sine(size_t frames, double freqHz, double rate, float amplitude);

// Runs the signal through processReplacing (or process, adding into `prefill`).
Stereo render(AEffect* effect, const Stereo& input, int blockSize, bool accumulate = false, float prefill = 0.0f);

// Opens the plug-in's processing: sample rate, block size, resume.
void startProcessing(AEffect* effect, float rate = 44100.0f, int blockSize = 512);

}  // namespace testing_support
