// Checks of tarn validate that compare a plug-in's output with its own output from a
// fresh instance: with flush-to-zero set, and beside a second, busy instance.
#include <algorithm>
#include <cmath>
#include <random>

#include "host/validate_checks.h"

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#define TARN_HAS_MXCSR 1
#endif

namespace host {
namespace {

constexpr int kBlock = 512;
constexpr int64_t kFrames = 2 * 44100;
// Far below anything audible, far above what flushing denormals can change.
constexpr double kSameOutput = 1e-5;  // -100 dBFS

// Noise, then clicks, then silence: the decays run through the denormal range.
float comparisonSignal(int64_t frame, int channel) {
    if (frame < kFrames / 4) return 0.5f * whiteNoise(frame, channel);
    if (frame < kFrames / 2) return impulses(frame, channel);
    return 0.0f;
}

// The output of a fresh instance for the comparison signal, at its default settings.
std::vector<float> render(const std::string& path) {
    std::vector<float> out;
    ProcessHarness harness(path);
    harness.recordInto(&out);
    harness.run(kFrames, kBlock, comparisonSignal);
    return out;
}

double largestDifference(const std::vector<float>& a, const std::vector<float>& b) {
    if (a.size() != b.size()) return INFINITY;  // a harness fault, not the plug-in's
    double most = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const double d = std::fabs(static_cast<double>(a[i]) - static_cast<double>(b[i]));
        if (!(d <= most)) most = d;  // NaN wins
    }
    return most;
}

// How far two outputs may differ: a plug-in that seeds its own noise differently in
// every instance is allowed what two fresh instances differ by.
struct Reference {
    std::vector<float> output;
    double tolerance;
    std::string note;
};

Reference reference(const std::string& path) {
    Reference r{render(path), kSameOutput, ""};
    const double own = largestDifference(r.output, render(path));
    if (own > 0.0) {
        r.tolerance += 4.0 * own;
        r.note = " (two fresh instances differ by " + dbText(own) + " already)";
    }
    return r;
}

#ifdef TARN_HAS_MXCSR
constexpr unsigned kFlushToZero = 0x8000, kDenormalsAreZero = 0x0040;

// Sets FTZ and DAZ for its lifetime on this thread.
class FlushDenormals {
public:
    FlushDenormals() : saved_(_mm_getcsr()) { _mm_setcsr(saved_ | kFlushToZero | kDenormalsAreZero); }
    ~FlushDenormals() { _mm_setcsr(saved_); }
    FlushDenormals(const FlushDenormals&) = delete;
    FlushDenormals& operator=(const FlushDenormals&) = delete;

private:
    unsigned saved_;
};
#endif

}  // namespace

CheckResult flushToZero(const std::string& path, const CheckProgress& progress) {
#ifndef TARN_HAS_MXCSR
    (void)path;
    (void)progress;
    return {Verdict::kSkipped, "no flush-to-zero mode on this processor"};
#else
    progress.step("without flush-to-zero");
    const Reference normal = reference(path);
    std::vector<float> flushed;
    {
        progress.step("with flush-to-zero and denormals-are-zero");
        FlushDenormals mode;
        flushed = render(path);
    }
    const size_t bad = static_cast<size_t>(std::count_if(flushed.begin(), flushed.end(), [](float x) { return !std::isfinite(x); }));
    if (bad > 0) return {Verdict::kFailed, std::to_string(bad) + " non-finite output samples"};
    const double difference = largestDifference(normal.output, flushed);
    const std::string detail = difference > 0.0 ? "differs by at most " + dbText(difference) : "the same output";
    if (difference > normal.tolerance) return {Verdict::kFailed, "the output " + detail + normal.note};
    return {Verdict::kPassed, detail + normal.note};
#endif
}

CheckResult twoInstances(const std::string& path, const CheckProgress& progress) {
    progress.step("one instance alone");
    const Reference alone = reference(path);
    progress.step("two instances");
    std::vector<float> beside;
    ProcessHarness watched(path);
    ProcessHarness busy(path);
    watched.recordInto(&beside);
    // the other instance: other input, parameters moving, a new rate half-way
    Plugin& other = busy.plugin();
    std::mt19937 random(7);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    auto otherInput = [](int64_t frame, int channel) { return (frame / 37) % 2 ? 0.9f : -0.9f * (channel + 1) / 2; };
    bool restarted = false;
    for (int64_t done = 0; done < kFrames; done += kBlock) {
        for (int index = 0; index < other.numParams(); ++index) other.setParam(index, unit(random));
        if (!restarted && done >= kFrames / 2) {
            busy.restart(96000.0f, 2 * kBlock);
            restarted = true;
        }
        busy.process(kBlock, otherInput);
        watched.process(static_cast<int>(std::min<int64_t>(kBlock, kFrames - done)), comparisonSignal);
    }
    const double difference = largestDifference(alone.output, beside);
    if (difference > alone.tolerance) {
        return {Verdict::kFailed, "the output beside a second instance differs by " + dbText(difference) + alone.note};
    }
    return {Verdict::kPassed,
            (difference > 0.0 ? "differs by at most " + dbText(difference) : std::string("the same output")) + alone.note};
}

}  // namespace host
