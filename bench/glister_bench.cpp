// Cost of the treble enhancer's processReplace per stereo frame, and what
// digital silence costs next to white noise (a denormal stall would show there).
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "glister/glister_effect.h"

namespace {

VstIntPtr VSTCALLBACK host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

int slotOf(const glister::GlisterEffect& e, const char* name) {
    for (int s = 0; s < e.bank().size(); ++s)
        if (std::string(e.bank().name(s)) == name) return s;
    return 3;
}

std::unique_ptr<glister::GlisterEffect> prepared(const char* program, int block) {
    auto e = std::make_unique<glister::GlisterEffect>(&host);
    AEffect* r = e->record();
    r->dispatcher(r, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    r->dispatcher(r, effSetBlockSize, 0, block, nullptr, 0.0f);
    r->dispatcher(r, effMainsChanged, 0, 1, nullptr, 0.0f);
    e->pickProgram(slotOf(*e, program));
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
    // seconds per frame, shown with its SI prefix (ns)
    state.counters["per_frame"] = benchmark::Counter(static_cast<double>(state.iterations()) * block,
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void mix1(benchmark::State& s) { processBlocks(s, "mix1"); }
void universal2(benchmark::State& s) { processBlocks(s, "Universal2"); }
void hissRem1(benchmark::State& s) { processBlocks(s, "hissRem1"); }
BENCHMARK(mix1)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(universal2)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(hissRem1)->Arg(64)->Arg(512)->Arg(4096);

// Ten seconds of silence against ten seconds of white noise, 512-frame blocks,
// with every section on.
void tenSeconds(benchmark::State& state, bool silent) {
    constexpr int kBlock = 512, kFrames = 441000;
    auto inL = silent ? std::vector<float>(kFrames, 0.0f) : noise(kFrames, 3);
    auto inR = silent ? std::vector<float>(kFrames, 0.0f) : noise(kFrames, 4);
    std::vector<float> outL(kBlock), outR(kBlock);
    for (auto _ : state) {
        state.PauseTiming();
        auto e = prepared("mix1", kBlock);
        e->applyParameter(glister::kHarmProcess, 1.0f);
        state.ResumeTiming();
        for (int at = 0; at + kBlock <= kFrames; at += kBlock) {
            float* in[2] = {inL.data() + at, inR.data() + at};
            float* out[2] = {outL.data(), outR.data()};
            e->processReplace(in, out, kBlock);
        }
        benchmark::DoNotOptimize(outL.data());
    }
}
void silence10s(benchmark::State& s) { tenSeconds(s, true); }
void noise10s(benchmark::State& s) { tenSeconds(s, false); }
BENCHMARK(silence10s)->Unit(benchmark::kMillisecond);
BENCHMARK(noise10s)->Unit(benchmark::kMillisecond);

}  // namespace
