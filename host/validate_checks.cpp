#include "host/validate_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <random>

#include "host/allocation_counter.h"
#include "host/level_meter.h"
#include "host/process_harness.h"

namespace host {

std::string dbText(double level) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f dBFS", toDbfs(level));
    return text;
}

CheckResult judgeOutput(const ProcessHarness& harness, double bound) {
    if (harness.nonFinite() > 0) {
        return {Verdict::kFailed, std::to_string(harness.nonFinite()) + " non-finite output samples"};
    }
    if (harness.peak() > bound) return {Verdict::kFailed, "output peak " + dbText(harness.peak()) + " is out of bounds"};
    return {Verdict::kPassed, "output peak " + dbText(harness.peak())};
}

namespace {

constexpr int kLifecycleRounds = 20;
constexpr int kAllocationBlocks = 200;
constexpr int kRandomBlocks = 400;
constexpr int kRateChanges = 24;

CheckResult lifecycle(const std::string& path, const CheckProgress& progress) {
    for (int round = 0; round < kLifecycleRounds; ++round) {
        progress.step("round " + std::to_string(round + 1));
        ProcessHarness harness(path);
        harness.run(1024, 512, whiteNoise);
        for (int again = 0; again < 3; ++again) harness.restart(48000.0f, 256);
        harness.run(512, 256, whiteNoise);
    }
    return {Verdict::kPassed, std::to_string(kLifecycleRounds) + " rounds"};
}

// Hosts bounce with 8192-frame blocks and cut blocks anywhere during playback.
CheckResult blockSizes(const std::string& path, const CheckProgress& progress) {
    static const int kSizes[] = {1, 2, 3, 5, 7, 16, 64, 100, 511, 512, 1000, 4096, 8191, 8192, 1, 8192, 17, 4096, 3};
    ProcessHarness harness(path);
    progress.step("changing sizes up to 8192");
    for (int repeat = 0; repeat < 3; ++repeat) {
        for (int size : kSizes) harness.process(size, whiteNoise);
    }
    progress.step("random and odd sizes up to 8192");
    std::mt19937 random(8192);
    std::uniform_int_distribution<int> any(1, ProcessHarness::kMaxBlock), small(0, 31);
    for (int block = 0; block < kRandomBlocks; ++block) {
        switch (block % 4) {
            case 0: harness.process(any(random), whiteNoise); break;
            case 1: harness.process(2 * small(random) + 1, whiteNoise); break;  // odd, 1 to 63
            case 2: harness.process(any(random) | 1, whiteNoise); break;        // odd, up to 8191
            default: harness.process(random() % 4 == 0 ? ProcessHarness::kMaxBlock : any(random), whiteNoise); break;
        }
    }
    for (int size : {1, 64, 512, 8192}) {
        progress.step("largest block " + std::to_string(size));
        harness.restart(44100.0f, size);
        harness.run(8192, size, whiteNoise);
    }
    return judgeOutput(harness);
}

// Rates go up and down in a random order, each set between suspend and resume with a
// new largest block, and the same instance goes on processing.
CheckResult sampleRates(const std::string& path, const CheckProgress& progress) {
    static const float kRates[] = {11025.0f, 22050.0f,  32000.0f,  44100.0f,  48000.0f, 88200.0f,
                                   96000.0f, 176400.0f, 192000.0f, 352800.0f, 384000.0f};
    static const int kLargestBlocks[] = {64, 512, 4096, 8192};
    ProcessHarness harness(path);
    std::mt19937 random(44100);
    auto input = [](int64_t frame, int channel) {
        return 0.5f * whiteNoise(frame, channel) + 0.5f * impulses(frame, channel);
    };
    float previous = harness.sampleRate();
    size_t index = 3;  // 44100
    double peak = 0;
    for (int change = 0; change < kRateChanges; ++change) {
        index = (index + 1 + random() % (std::size(kRates) - 1)) % std::size(kRates);  // always another rate
        const float rate = kRates[index];
        const int largest = kLargestBlocks[random() % std::size(kLargestBlocks)];
        const std::string step =
            std::to_string(static_cast<int>(previous)) + " to " + std::to_string(static_cast<int>(rate)) + " Hz";
        progress.step(step);
        harness.restart(rate, largest);
        harness.clearStats();
        for (int64_t left = static_cast<int64_t>(rate / 8); left > 0;) {
            // block sizes have a check of their own: here they vary, but never below 16 frames
            const int any = 16 + static_cast<int>(random() % static_cast<unsigned>(largest - 15));
            const int frames = left <= largest ? static_cast<int>(left) : static_cast<int>(std::min<int64_t>(any, left - 16));
            harness.process(frames, input);
            left -= frames;
        }
        if (harness.nonFinite() > 0) return {Verdict::kFailed, "non-finite output after the change from " + step};
        if (harness.peak() > kOutputBound) {
            return {Verdict::kFailed, "output peak " + dbText(harness.peak()) + " after the change from " + step};
        }
        peak = std::max(peak, harness.peak());
        previous = rate;
    }
    return {Verdict::kPassed, std::to_string(kRateChanges) + " changes, output peak " + dbText(peak)};
}

Check signalCheck(const std::string& name, TestSignal signal) {
    return {name, [signal](const std::string& path, const CheckProgress&) {
                ProcessHarness harness(path);
                harness.run(static_cast<int64_t>(2 * harness.sampleRate()), 512, signal);
                return judgeOutput(harness);
            }};
}

CheckResult badNumbers(const std::string& path, const CheckProgress& progress) {
    constexpr int kBlock = 512;
    ProcessHarness harness(path);
    auto quiet = [](int64_t frame, int channel) { return 0.25f * whiteNoise(frame, channel); };
    harness.run(22050, kBlock, quiet);
    progress.step("the burst");
    harness.process(kBlock, [](int64_t frame, int channel) {
        static const float kBad[] = {NAN, INFINITY, -INFINITY, 0.5f};
        return kBad[(frame + channel) % 4];
    });
    progress.step("after the burst");
    int64_t lastBad = -1;  // frames after the burst up to the end of the last block with bad output
    for (int64_t done = 0; done < 3 * 44100; done += kBlock) {
        harness.clearStats();
        harness.process(kBlock, quiet);
        if (harness.nonFinite() > 0) lastBad = done + kBlock;
    }
    if (lastBad > 44100) return {Verdict::kFailed, "output still not finite 1 s after the burst"};
    if (lastBad < 0) return {Verdict::kPassed, "output stayed finite"};
    return {Verdict::kPassed, "output finite again " + std::to_string(lastBad * 1000 / 44100) + " ms after the burst"};
}

CheckResult parameterSweeps(const std::string& path, const CheckProgress& progress) {
    ProcessHarness harness(path);
    Plugin& plugin = harness.plugin();
    auto input = [](int64_t frame, int channel) { return 0.5f * whiteNoise(frame, channel); };
    for (int index = 0; index < plugin.numParams(); ++index) {
        progress.step("parameter " + std::to_string(index) + " '" + plugin.paramName(index) + "'");
        for (int step = 0; step <= 16; ++step) {
            plugin.setParam(index, static_cast<float>(step) / 16.0f);
            float read = plugin.param(index);
            if (!(read >= 0.0f && read <= 1.0f)) {
                return {Verdict::kFailed, "parameter " + std::to_string(index) + " reads back " + std::to_string(read)};
            }
            harness.process(256, input);
        }
    }
    progress.step("random values");
    for (int block = 0; block < 64; ++block) {
        for (int index = 0; index < plugin.numParams(); ++index) {
            plugin.setParam(index, (whiteNoise(block, index) + 1.0f) / 2.0f);
        }
        harness.process(256, input);
    }
    if (harness.nonFinite() > 0) return {Verdict::kFailed, std::to_string(harness.nonFinite()) + " non-finite output samples"};
    return {Verdict::kPassed, std::to_string(plugin.numParams()) + " parameters"};
}

CheckResult allocations(const std::string& path, const CheckProgress& progress) {
    if (!allocationCountingAvailable()) {
        return {Verdict::kSkipped, "allocation counting is not available in a sanitizer build"};
    }
    ProcessHarness harness(path);
    Plugin& plugin = harness.plugin();
    size_t count = 0;
    progress.step("processing");
    for (int block = 0; block < kAllocationBlocks; ++block) {
        if (plugin.numParams() > 0 && block % 10 == 5) {
            plugin.setParam(block % plugin.numParams(), (whiteNoise(block, 0) + 1.0f) / 2.0f);
        }
        int frames = block % 3 == 0 ? 512 : 64 + block;
        startCountingAllocations();
        harness.process(frames, whiteNoise);
        count += stopCountingAllocations();
    }
    if (count > 0) {
        return {Verdict::kFailed, std::to_string(count) + " allocations in " + std::to_string(kAllocationBlocks) +
                                      " processing calls"};
    }
    return {Verdict::kPassed, "none in " + std::to_string(kAllocationBlocks) + " processing calls"};
}

}  // namespace

Check loadCheck() {
    return {"loads and describes itself", [](const std::string& path, const CheckProgress&) -> CheckResult {
                std::unique_ptr<Plugin> plugin = Plugin::load(path);
                AEffect* effect = plugin->effect();
                if (effect->dispatcher == nullptr || effect->setParameter == nullptr ||
                    effect->getParameter == nullptr) {
                    return {Verdict::kFailed, "the record lacks an entry"};
                }
                bool replacing = (effect->flags & effFlagsCanReplacing) != 0;
                if ((replacing && effect->processReplacing == nullptr) || (!replacing && effect->process == nullptr)) {
                    return {Verdict::kFailed, "the record lacks its processing entry"};
                }
                if (effect->numInputs < 0 || effect->numOutputs < 0 || effect->numParams < 0 ||
                    effect->numPrograms < 0 || effect->initialDelay < 0) {
                    return {Verdict::kFailed, "negative counts or latency in the record"};
                }
                return {Verdict::kPassed, plugin->displayName() + ", " + std::to_string(effect->numInputs) + " in, " +
                                              std::to_string(effect->numOutputs) + " out, " +
                                              std::to_string(effect->numParams) + " parameters, latency " +
                                              std::to_string(effect->initialDelay)};
            }};
}

std::vector<Check> standardChecks() {
    return {
        {"open, resume, suspend and close, repeated", lifecycle},
        {"dispatcher opcodes 0 to 80", sweepOpcodes},
        {"texts stay within their buffers", checkTextBounds},
        {"parameters read back as set, value and text", parameterReadBack},
        {"block sizes 1 to 8192, changing between calls", blockSizes},
        {"sample-rate changes between suspend and resume", sampleRates},
        signalCheck("silence", silence),
        signalCheck("full-scale noise", whiteNoise),
        signalCheck("impulses", impulses),
        signalCheck("DC", directCurrent),
        {"a burst of NaN and infinities", badNumbers},
        {"parameter sweeps while processing", parameterSweeps},
        {"every parameter automated at every block", automationEveryBlock},
        {"no allocations while processing", allocations},
        {"silence after a signal costs at most 1.2x", silenceCost},
        {"flush-to-zero and denormals-are-zero set", flushToZero},
        {"two instances do not affect each other", twoInstances},
        {"editor opens and closes 20 times", editorCycles},
    };
}

}  // namespace host
