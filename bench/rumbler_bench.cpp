// The bass enhancer: cost per stereo frame by program and block size, and
// silence against noise (the dither keeps every recursion out of denormals).
#include "bench/effect_bench.h"
#include "rumbler/rumbler_effect.h"

namespace {

using rumbler::RumblerEffect;

void program(benchmark::State& s, const char* name) {
    auto e = bench::prepared<RumblerEffect>(name, static_cast<int>(s.range(0)));
    bench::processBlocks(s, *e);
}
void mastering2(benchmark::State& s) { program(s, "mastering2"); }
void synthBass2(benchmark::State& s) { program(s, "synth-bass2"); }
void extreme2(benchmark::State& s) { program(s, "extreme2"); }
BENCHMARK(mastering2)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(synthBass2)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(extreme2)->Arg(64)->Arg(512)->Arg(4096);

void silence(benchmark::State& s, const char* name) {
    bench::silenceOverNoise(s, [=] { return bench::prepared<RumblerEffect>(name, 512); });
}
void silenceMastering2(benchmark::State& s) { silence(s, "mastering2"); }
void silenceExtreme2(benchmark::State& s) { silence(s, "extreme2"); }
BENCHMARK(silenceMastering2)->Unit(benchmark::kMillisecond);
BENCHMARK(silenceExtreme2)->Unit(benchmark::kMillisecond);

}  // namespace
