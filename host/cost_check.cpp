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

// Each round times the signal and then every second of the silence after it, and
// judges the silence against that round's signal, so that a load coming and going on
// the machine meets both alike. The verdict is the middle round: a few rounds that
// something else running disturbed cannot move it, a denormal stall shows in all.
CheckResult silenceCost(const std::string& path, const CheckProgress& progress) {
    ProcessHarness harness(path);
    auto noise = [](int64_t frame, int channel) { return 0.5f * whiteNoise(frame, channel); };
    struct Round {
        double ratio;
        int window;
    };
    std::array<Round, kRounds> rounds{};
    for (Round& r : rounds) {
        progress.step("round " + std::to_string(&r - rounds.data() + 1));
        harness.restart(44100.0f, kBlock);
        timeChunks(harness, noise, 1);
        const double signal = timeChunks(harness, noise, kSignalChunks - 1) + kSlackPerChunk;
        r = {0.0, 0};
        for (int window = 0; window < kSilenceWindows; ++window) {
            const double ratio = timeChunks(harness, silence, kWindowChunks) / signal;
            if (ratio > r.ratio) r = {ratio, window};
        }
    }
    std::nth_element(rounds.begin(), rounds.begin() + kRounds / 2, rounds.end(),
                     [](const Round& a, const Round& b) { return a.ratio < b.ratio; });
    const Round& middle = rounds[kRounds / 2];
    char detail[160];
    std::snprintf(detail, sizeof detail, "silence in its second %d after the signal costs %.2fx the signal (median of %d)",
                  middle.window + 1, middle.ratio, kRounds);
    return {middle.ratio > kAllowedRatio ? Verdict::kFailed : Verdict::kPassed, detail};
}

}  // namespace host
