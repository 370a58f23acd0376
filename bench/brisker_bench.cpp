// The compressor: cost per stereo frame by program and block size, and silence against noise.
#include "bench/effect_bench.h"
#include "brisker/brisker_effect.h"

namespace {

using brisker::BriskerEffect;

void program(benchmark::State& s, const char* name) {
    auto e = bench::prepared<BriskerEffect>(name, static_cast<int>(s.range(0)));
    bench::processBlocks(s, *e);
}
void universal(benchmark::State& s) { program(s, "universal"); }
void drums4(benchmark::State& s) { program(s, "drums4"); }
void deEsser(benchmark::State& s) { program(s, "de-esser"); }
BENCHMARK(universal)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(drums4)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(deEsser)->Arg(64)->Arg(512)->Arg(4096);

void silenceUniversal(benchmark::State& s) {
    bench::silenceOverNoise(s, [] { return bench::prepared<BriskerEffect>("universal", 512); });
}
void silenceDrums4(benchmark::State& s) {
    bench::silenceOverNoise(s, [] { return bench::prepared<BriskerEffect>("drums4", 512); });
}
BENCHMARK(silenceUniversal)->Unit(benchmark::kMillisecond);
BENCHMARK(silenceDrums4)->Unit(benchmark::kMillisecond);

}  // namespace
