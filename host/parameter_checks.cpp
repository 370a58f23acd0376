// The parameter checks of tarn validate beyond the sweeps: automation of every
// parameter at every block, and values and texts that read back as they were set.
#include <cmath>
#include <random>

#include "host/validate_checks.h"

namespace host {
namespace {

constexpr double kAutomatedSeconds = 2.0;
// Values that a host's automation and its generic editor send.
constexpr float kReadBackValues[] = {0.0f, 1.0f, 0.5f, 0.1f, 0.25f, 1.0f / 3.0f, 0.7f, 0.999f, 0.001f};
// Rounding on the way to a plug-in's own units and back may move the last bits.
constexpr float kReadBackTolerance = 1e-6f;

struct Reading {
    float value;
    std::string text;
};

Reading read(Plugin& plugin, int index) { return {plugin.param(index), plugin.paramDisplay(index)}; }

std::string describe(const Reading& r) { return std::to_string(r.value) + " \"" + r.text + "\""; }

bool same(const Reading& a, const Reading& b) {
    return std::fabs(a.value - b.value) <= kReadBackTolerance && a.text == b.text;
}

}  // namespace

CheckResult automationEveryBlock(const std::string& path, const CheckProgress& progress) {
    ProcessHarness harness(path);
    Plugin& plugin = harness.plugin();
    std::mt19937 random(2);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::uniform_int_distribution<int> frames(16, 2048);
    // a quarter full scale, squares and silence: room for whatever gain the values set
    auto input = [](int64_t frame, int channel) {
        switch ((frame / 22050) % 3) {
            case 0: return 0.25f * whiteNoise(frame, channel);
            case 1: return (frame / 50) % 2 ? 0.25f : -0.25f;
            default: return 0.0f;
        }
    };
    progress.step("every parameter at every block");
    const auto total = static_cast<int64_t>(kAutomatedSeconds * harness.sampleRate());
    int blocks = 0;
    while (harness.framesDone() < total) {
        for (int index = 0; index < plugin.numParams(); ++index) plugin.setParam(index, unit(random));
        harness.process(frames(random), input);
        ++blocks;
    }
    CheckResult result = judgeOutput(harness);
    if (result.verdict == Verdict::kPassed) result.detail += ", " + std::to_string(blocks) + " blocks";
    return result;
}

CheckResult parameterReadBack(const std::string& path, const CheckProgress& progress) {
    std::unique_ptr<Plugin> plugin = Plugin::load(path);
    int readings = 0;
    for (int index = 0; index < plugin->numParams(); ++index) {
        const std::string name = "parameter " + std::to_string(index) + " '" + plugin->paramName(index) + "'";
        progress.step(name);
        for (float value : kReadBackValues) {
            plugin->setParam(index, value);
            const Reading first = read(*plugin, index);
            if (!(first.value >= 0.0f && first.value <= 1.0f)) {
                return {Verdict::kFailed, name + " set to " + std::to_string(value) + " reads back " + describe(first)};
            }
            // what was read back, written again, stays
            plugin->setParam(index, first.value);
            const Reading again = read(*plugin, index);
            // the same value after another one reads back the same
            plugin->setParam(index, 1.0f - value);
            plugin->setParam(index, value);
            const Reading later = read(*plugin, index);
            if (!same(first, again)) {
                return {Verdict::kFailed, name + ": " + describe(first) + " written back reads " + describe(again)};
            }
            if (!same(first, later)) {
                return {Verdict::kFailed, name + " set to " + std::to_string(value) + " reads " + describe(first) +
                                              ", then after another value " + describe(later)};
            }
            ++readings;
        }
    }
    return {Verdict::kPassed, std::to_string(readings) + " values and texts"};
}

}  // namespace host
