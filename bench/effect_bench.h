// What every plug-in benchmark shares: an effect prepared at 44100 Hz on a
// factory program, the cost per stereo frame of processReplace, and the cost
// of ten seconds of digital silence over ten seconds of white noise (a
// denormal stall in a recursion would show as a ratio well above 1).
#pragma once

#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "frame/effect_base.h"

namespace bench {

inline VstIntPtr VSTCALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// A fresh effect, resumed at 44100 Hz, with the named factory program selected.
template <class Effect>
std::unique_ptr<Effect> prepared(const char* program, int block) {
    auto e = std::make_unique<Effect>(&quietHost);
    e->dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    e->dispatch(effSetBlockSize, 0, block, nullptr, 0.0f);
    e->dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
    for (int s = 0; s < e->bank().size(); ++s)
        if (std::string(e->bank().name(s)) == program) e->pickProgram(s);
    return e;
}

inline std::vector<float> noise(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> d(-0.5f, 0.5f);
    std::vector<float> v(n);
    for (float& x : v) x = d(rng);
    return v;
}

// Blocks of state.range(0) frames of noise; reports seconds per stereo frame
// (shown in ns).
inline void processBlocks(benchmark::State& state, frame::EffectBase& e) {
    const int block = static_cast<int>(state.range(0));
    auto inL = noise(static_cast<size_t>(block), 1), inR = noise(static_cast<size_t>(block), 2);
    std::vector<float> outL(static_cast<size_t>(block)), outR(static_cast<size_t>(block));
    float* in[2] = {inL.data(), inR.data()};
    float* out[2] = {outL.data(), outR.data()};
    for (auto _ : state) {
        e.processReplace(in, out, block);
        benchmark::DoNotOptimize(outL.data());
    }
    state.counters["per_frame"] = benchmark::Counter(static_cast<double>(state.iterations()) * block,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Processor seconds for ten seconds of a signal in 512-frame blocks.
inline double tenSeconds(frame::EffectBase& e, bool silent) {
    constexpr int kBlock = 512, kFrames = 441000;
    static const std::vector<float> noiseL = noise(kFrames, 3), noiseR = noise(kFrames, 4);
    static const std::vector<float> zeros(kFrames, 0.0f);
    const std::vector<float>& inL = silent ? zeros : noiseL;
    const std::vector<float>& inR = silent ? zeros : noiseR;
    std::vector<float> outL(kBlock), outR(kBlock);
    const std::clock_t start = std::clock();
    for (int at = 0; at + kBlock <= kFrames; at += kBlock) {
        float* in[2] = {const_cast<float*>(inL.data() + at), const_cast<float*>(inR.data() + at)};
        float* out[2] = {outL.data(), outR.data()};
        e.processReplace(in, out, kBlock);
    }
    benchmark::DoNotOptimize(outL.data());
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// Reports silence_over_noise: each side on a fresh effect from make().
inline void silenceOverNoise(benchmark::State& state, const std::function<std::unique_ptr<frame::EffectBase>()>& make) {
    double silent = 0, noisy = 0;
    for (auto _ : state) {
        silent += tenSeconds(*make(), true);
        noisy += tenSeconds(*make(), false);
    }
    state.counters["silence_over_noise"] = silent / noisy;
}

}  // namespace bench
