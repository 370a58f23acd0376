// The cost check of tarn validate: silence after a signal must not cost more CPU time
// than the signal. Decays that run into denormal numbers are the usual reason it does.
#include <algorithm>
#include <array>
#include <cstdio>

#include "host/validate_checks.h"

namespace host {
namespace {

constexpr int kBlock = 512;
constexpr int kChunk = 11025;       // frames timed together: 0.25 s at 44.1 kHz
constexpr int kSignalChunks = 4;    // the first warms up and is not counted
constexpr int kWindowChunks = 4;    // silence is judged a second at a time
constexpr int kSilenceWindows = 4;  // 4 s, long enough for most decays to reach denormals
constexpr int kRounds = 9;
constexpr double kAllowedRatio = 1.2;
// Timing slack for plug-ins that cost next to nothing: 0.02 % of real time, added to
// the signal's cost.
constexpr double kSlackPerChunk = 0.0002 * kChunk / 44100.0;

// The mean CPU time of a chunk over count chunks of the signal.
double timeChunks(ProcessHarness& harness, const TestSignal& signal, int count) {
    harness.clearStats();
    harness.run(static_cast<int64_t>(kChunk) * count, kBlock, signal);
    return harness.processingSeconds() / count;
}

}  // namespace

// Each round times the signal and then every second of the silence after it. Another
// load on the machine only ever adds time, while a denormal stall shows in every round,
// so each part is judged by its least time over the rounds: one undisturbed round of
// each is enough for a true verdict, however busy the machine is meanwhile.
CheckResult silenceCost(const std::string& path, const CheckProgress& progress) {
    ProcessHarness harness(path);
    auto noise = [](int64_t frame, int channel) { return 0.5f * whiteNoise(frame, channel); };
    constexpr double kUnmeasured = 1e300;
    double signal = kUnmeasured;
    std::array<double, kSilenceWindows> silent;
    silent.fill(kUnmeasured);
    for (int round = 0; round < kRounds; ++round) {
        progress.step("round " + std::to_string(round + 1));
        harness.restart(44100.0f, kBlock);
        timeChunks(harness, noise, 1);
        signal = std::min(signal, timeChunks(harness, noise, kSignalChunks - 1));
        for (double& window : silent) window = std::min(window, timeChunks(harness, silence, kWindowChunks));
    }
    const auto worst = std::max_element(silent.begin(), silent.end());
    const double ratio = *worst / (signal + kSlackPerChunk);
    char detail[160];
    std::snprintf(detail, sizeof detail, "silence in its second %d after the signal costs %.2fx the signal (least of %d rounds)",
                  static_cast<int>(worst - silent.begin()) + 1, ratio, kRounds);
    return {ratio > kAllowedRatio ? Verdict::kFailed : Verdict::kPassed, detail};
}

}  // namespace host
