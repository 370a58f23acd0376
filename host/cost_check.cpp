// The cost check of tarn validate: silence after a signal must not cost more CPU time
// than the signal. Decays that run into denormal numbers are the usual reason it does.
#include <algorithm>
#include <array>
#include <cstdio>

#include "host/validate_checks.h"

namespace host {
namespace {

constexpr int kBlock = 512;
constexpr int kChunk = 11025;  // frames timed together: 0.25 s at 44.1 kHz
constexpr int kSignalChunks = 4;
constexpr int kSilenceChunks = 16;  // 4 s, long enough for most decays to reach denormals
constexpr int kRounds = 7;
constexpr double kAllowedRatio = 1.2;
// Timing slack for plug-ins that cost next to nothing: 0.02 % of real time per chunk.
constexpr double kSlackSeconds = 0.0002 * kChunk / 44100.0;

// Best of several rounds: anything else running on the machine only ever adds time.
struct Timings {
    double signal = 1e30;
    std::array<double, kSilenceChunks> silence;
    Timings() { silence.fill(1e30); }
};

double timeChunk(ProcessHarness& harness, const TestSignal& signal) {
    harness.clearStats();
    harness.run(kChunk, kBlock, signal);
    return harness.processingSeconds();
}

}  // namespace

CheckResult silenceCost(const std::string& path, const CheckProgress& progress) {
    ProcessHarness harness(path);
    auto noise = [](int64_t frame, int channel) { return 0.5f * whiteNoise(frame, channel); };
    Timings best;
    for (int round = 0; round < kRounds; ++round) {
        progress.step("round " + std::to_string(round + 1));
        harness.restart(44100.0f, kBlock);
        for (int c = 0; c < kSignalChunks; ++c) {
            const double t = timeChunk(harness, noise);
            if (c > 0) best.signal = std::min(best.signal, t);  // the first warms up
        }
        for (int c = 0; c < kSilenceChunks; ++c) {
            best.silence[static_cast<size_t>(c)] = std::min(best.silence[static_cast<size_t>(c)], timeChunk(harness, silence));
        }
    }
    const auto worst = std::max_element(best.silence.begin(), best.silence.end());
    const double ratio = best.signal > 0.0 ? *worst / best.signal : 0.0;
    char detail[160];
    std::snprintf(detail, sizeof detail, "silence %.2f s after the signal costs %.2fx the signal (best of %d)",
                  0.25 * static_cast<double>(worst - best.silence.begin() + 1), ratio, kRounds);
    if (*worst > kAllowedRatio * best.signal + kSlackSeconds) return {Verdict::kFailed, detail};
    return {Verdict::kPassed, detail};
}

}  // namespace host
