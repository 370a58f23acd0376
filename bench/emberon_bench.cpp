// Cost of the saturator's processReplace per stereo frame, and what digital
// silence costs next to white noise (a denormal stall would show there).
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "emberon/emberon_effect.h"

namespace {

VstIntPtr VSTCALLBACK host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

int slotOf(const emberon::EmberonEffect& e, const char* name) {
    for (int s = 0; s < e.bank().size(); ++s)
        if (std::string(e.bank().name(s)) == name) return s;
    return 0;
}

std::unique_ptr<emberon::EmberonEffect> prepared(const char* program, int block, bool bypass = false) {
    auto e = std::make_unique<emberon::EmberonEffect>(&host);
    AEffect* r = e->record();
    r->dispatcher(r, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    r->dispatcher(r, effSetBlockSize, 0, block, nullptr, 0.0f);
    r->dispatcher(r, effMainsChanged, 0, 1, nullptr, 0.0f);
    e->pickProgram(slotOf(*e, program));
    if (bypass) e->applyParameter(emberon::kProcess, 0.0f);
    return e;
}

std::vector<float> noise(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> d(-0.5f, 0.5f);
    std::vector<float> v(n);
    for (float& x : v) x = d(rng);
    return v;
}

void processBlocks(benchmark::State& state, const char* program) {
    const int block = static_cast<int>(state.range(0));
    auto e = prepared(program, block);
    auto inL = noise(static_cast<size_t>(block), 1), inR = noise(static_cast<size_t>(block), 2);
    std::vector<float> outL(static_cast<size_t>(block)), outR(static_cast<size_t>(block));
    float* in[2] = {inL.data(), inR.data()};
    float* out[2] = {outL.data(), outR.data()};
    for (auto _ : state) {
        e->processReplace(in, out, block);
        benchmark::DoNotOptimize(outL.data());
    }
    // seconds per stereo frame, shown with its SI prefix (ns)
    state.counters["per_frame"] = benchmark::Counter(static_cast<double>(state.iterations()) * block,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void mix2(benchmark::State& s) { processBlocks(s, "mix2"); }
void hotValve1(benchmark::State& s) { processBlocks(s, "hot valve1"); }
void digital(benchmark::State& s) { processBlocks(s, "digital"); }
BENCHMARK(mix2)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(hotValve1)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(digital)->Arg(64)->Arg(512)->Arg(4096);

// Processor seconds to run ten seconds of a signal through a fresh effect, 512-frame blocks.
double tenSeconds(const char* program, bool silent, bool bypass) {
    constexpr int kBlock = 512, kFrames = 441000;
    static const std::vector<float> noiseL = noise(kFrames, 3), noiseR = noise(kFrames, 4);
    static const std::vector<float> zeros(kFrames, 0.0f);
    const std::vector<float>& inL = silent ? zeros : noiseL;
    const std::vector<float>& inR = silent ? zeros : noiseR;
    std::vector<float> outL(kBlock), outR(kBlock);
    auto e = prepared(program, kBlock, bypass);
    const std::clock_t start = std::clock();
    for (int at = 0; at + kBlock <= kFrames; at += kBlock) {
        float* in[2] = {const_cast<float*>(inL.data() + at), const_cast<float*>(inR.data() + at)};
        float* out[2] = {outL.data(), outR.data()};
        e->processReplace(in, out, kBlock);
    }
    benchmark::DoNotOptimize(outL.data());
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// silence_over_noise: the cost of ten seconds of silence over ten seconds of noise.
void silenceOverNoise(benchmark::State& state, const char* program, bool bypass) {
    double silent = 0, noisy = 0;
    for (auto _ : state) {
        silent += tenSeconds(program, true, bypass);
        noisy += tenSeconds(program, false, bypass);
    }
    state.counters["silence_over_noise"] = silent / noisy;
}
void silenceMix2(benchmark::State& s) { silenceOverNoise(s, "mix2", false); }
void silenceHotValve1(benchmark::State& s) { silenceOverNoise(s, "hot valve1", false); }
void silenceDigital(benchmark::State& s) { silenceOverNoise(s, "digital", false); }
void silenceBypass(benchmark::State& s) { silenceOverNoise(s, "mix2", true); }
BENCHMARK(silenceMix2)->Unit(benchmark::kMillisecond);
BENCHMARK(silenceHotValve1)->Unit(benchmark::kMillisecond);
BENCHMARK(silenceDigital)->Unit(benchmark::kMillisecond);
BENCHMARK(silenceBypass)->Unit(benchmark::kMillisecond);

}  // namespace
