// The treble enhancer: cost per stereo frame by program and block size, and
// silence against noise with every section on.
#include "bench/effect_bench.h"
#include "glister/glister_effect.h"

namespace {

using glister::GlisterEffect;

void program(benchmark::State& s, const char* name) {
    auto e = bench::prepared<GlisterEffect>(name, static_cast<int>(s.range(0)));
    bench::processBlocks(s, *e);
}
void mix1(benchmark::State& s) { program(s, "mix1"); }
void universal2(benchmark::State& s) { program(s, "Universal2"); }
void hissRem1(benchmark::State& s) { program(s, "hissRem1"); }
BENCHMARK(mix1)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(universal2)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(hissRem1)->Arg(64)->Arg(512)->Arg(4096);

void silenceAllSections(benchmark::State& s) {
    bench::silenceOverNoise(s, [] {
        auto e = bench::prepared<GlisterEffect>("mix1", 512);
        e->applyParameter(glister::kHarmProcess, 1.0f);
        return std::unique_ptr<frame::EffectBase>(std::move(e));
    });
}
BENCHMARK(silenceAllSections)->Unit(benchmark::kMillisecond);

}  // namespace
