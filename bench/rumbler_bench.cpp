// Cost of the bass enhancer's signal path per stereo frame, by factory program
// and block size at 44100 Hz, and the cost of silence against noise (the
// dither keeps every recursion out of denormal range, so they should match).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "rumbler/rumbler_effect.h"

namespace {

constexpr int kMastering2 = 5, kSynthBass2 = 15, kExtreme2 = 23;

std::unique_ptr<rumbler::RumblerEffect> makeEffect(int slot, VstIntPtr block) {
    auto fx = std::make_unique<rumbler::RumblerEffect>(nullptr);
    fx->dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    fx->dispatch(effSetBlockSize, 0, block, nullptr, 0.0f);
    fx->dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
    fx->pickProgram(slot);
    return fx;
}

std::vector<float> noise(size_t frames, uint32_t seed) {
    std::vector<float> v(frames);
    for (float& x : v) {
        seed = seed * 1664525u + 1013904223u;
        x = static_cast<float>((static_cast<double>(seed >> 8) / 16777216.0 - 0.5) * 0.8);
    }
    return v;
}

void reportPerFrame(benchmark::State& state, int64_t block) {
    state.counters["per_frame"] = benchmark::Counter(static_cast<double>(state.iterations() * block),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void runBlocks(benchmark::State& state, int slot, bool silent) {
    const auto block = static_cast<int>(state.range(0));
    auto fx = makeEffect(slot, block);
    const size_t span = 1 << 16;  // many blocks of distinct input
    std::vector<float> inL = silent ? std::vector<float>(span, 0.0f) : noise(span, 1u);
    std::vector<float> inR = silent ? std::vector<float>(span, 0.0f) : noise(span, 2u);
    std::vector<float> outL(static_cast<size_t>(block)), outR(static_cast<size_t>(block));
    size_t at = 0;
    // settle past the look-ahead and the filters' glide
    for (int i = 0; i < 44100 / block + 1; ++i) {
        float* in[2] = {&inL[at], &inR[at]};
        float* out[2] = {outL.data(), outR.data()};
        fx->processReplace(in, out, block);
        at = (at + static_cast<size_t>(block)) % span;
    }
    for (auto _ : state) {
        float* in[2] = {&inL[at], &inR[at]};
        float* out[2] = {outL.data(), outR.data()};
        fx->processReplace(in, out, block);
        benchmark::DoNotOptimize(outL.data());
        benchmark::ClobberMemory();
        at = (at + static_cast<size_t>(block)) % span;
    }
    reportPerFrame(state, block);
}

void BM_Mastering2(benchmark::State& state) { runBlocks(state, kMastering2, false); }
void BM_SynthBass2(benchmark::State& state) { runBlocks(state, kSynthBass2, false); }
void BM_Extreme2(benchmark::State& state) { runBlocks(state, kExtreme2, false); }
void BM_Extreme2Silence(benchmark::State& state) { runBlocks(state, kExtreme2, true); }

BENCHMARK(BM_Mastering2)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(BM_SynthBass2)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(BM_Extreme2)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(BM_Extreme2Silence)->Arg(64)->Arg(512)->Arg(4096);

}  // namespace
