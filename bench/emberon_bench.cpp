// The saturator: cost per stereo frame by program and block size, and silence against noise.
#include "bench/effect_bench.h"
#include "emberon/emberon_effect.h"

namespace {

using emberon::EmberonEffect;

void program(benchmark::State& s, const char* name) {
    auto e = bench::prepared<EmberonEffect>(name, static_cast<int>(s.range(0)));
    bench::processBlocks(s, *e);
}
void mix2(benchmark::State& s) { program(s, "mix2"); }
void hotValve1(benchmark::State& s) { program(s, "hot valve1"); }
void digital(benchmark::State& s) { program(s, "digital"); }
BENCHMARK(mix2)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(hotValve1)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(digital)->Arg(64)->Arg(512)->Arg(4096);

void silence(benchmark::State& s, const char* name, bool bypass) {
    bench::silenceOverNoise(s, [=] {
        auto e = bench::prepared<EmberonEffect>(name, 512);
        if (bypass) e->applyParameter(emberon::kProcess, 0.0f);
        return std::unique_ptr<frame::EffectBase>(std::move(e));
    });
}
void silenceMix2(benchmark::State& s) { silence(s, "mix2", false); }
void silenceHotValve1(benchmark::State& s) { silence(s, "hot valve1", false); }
void silenceDigital(benchmark::State& s) { silence(s, "digital", false); }
void silenceBypass(benchmark::State& s) { silence(s, "mix2", true); }
BENCHMARK(silenceMix2)->Unit(benchmark::kMillisecond);
BENCHMARK(silenceHotValve1)->Unit(benchmark::kMillisecond);
BENCHMARK(silenceDigital)->Unit(benchmark::kMillisecond);
BENCHMARK(silenceBypass)->Unit(benchmark::kMillisecond);

}  // namespace
