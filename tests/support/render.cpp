#include "tests/support/render.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace testing_support {

Stereo makeStereo(size_t frames, float value) { return Stereo{std::vector<float>(frames, value), std::vector<float>(frames, value)}; }

Stereo whiteNoise(size_t frames, float amplitude, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> dist(-amplitude, amplitude);
    Stereo s = makeStereo(frames);
    for (size_t i = 0; i < frames; ++i) {
        s.left[i] = dist(rng);
        s.right[i] = dist(rng);
    }
    return s;
}

Stereo sine(size_t frames, double freqHz, double rate, float amplitude) {
    Stereo s = makeStereo(frames);
    for (size_t i = 0; i < frames; ++i) {
        s.left[i] = s.right[i] = static_cast<float>(amplitude * std::sin(2.0 * M_PI * freqHz * static_cast<double>(i) / rate));
    }
    return s;
}

Stereo render(AEffect* effect, const Stereo& input, int blockSize, bool accumulate, float prefill) {
    Stereo out = makeStereo(input.size(), prefill);
    for (size_t start = 0; start < input.size(); start += static_cast<size_t>(blockSize)) {
        const auto n = static_cast<VstInt32>(std::min(static_cast<size_t>(blockSize), input.size() - start));
        float* in[2] = {const_cast<float*>(input.left.data() + start), const_cast<float*>(input.right.data() + start)};
        float* o[2] = {out.left.data() + start, out.right.data() + start};
        if (accumulate)
            effect->process(effect, in, o, n);
        else
            effect->processReplacing(effect, in, o, n);
    }
    return out;
}

void startProcessing(AEffect* effect, float rate, int blockSize) {
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, rate);
    effect->dispatcher(effect, effSetBlockSize, 0, blockSize, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
}

}  // namespace testing_support
