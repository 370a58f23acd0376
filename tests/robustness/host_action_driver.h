// A host that drives a plug-in with seeded random sequences of the things real
// hosts do: parameter writes, blocks of noise, square waves and silence of any
// length, suspend and resume at odd rates, program changes from the editor.
// It reports the first block whose output holds a NaN or an infinity, and can
// shrink a failing sequence to the few actions that still fail.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frame/effect_base.h"

namespace robustness {

struct Action {
    enum Kind { kSet, kBlock, kRestart, kRate, kProgram } kind = kBlock;
    VstInt32 index = 0;  // kSet: parameter; kRestart: block size; kProgram: slot
    float value = 0;     // kSet: value; kRestart, kRate: sample rate
    // kBlock: frames, what they hold, its level and period, which entry
    int frames = 0;
    enum Signal { kNoise, kSquare, kSilence, kSine } signal = kNoise;
    float level = 0;
    int period = 0;
    bool accumulate = false;
    uint32_t seed = 0;
};

struct DriverOptions {
    // A broken host: parameter values of any float, input samples of any
    // finite magnitude, now and then a NaN or infinite sample.
    bool brokenHost = false;
    int actions = 300;
};

using EffectFactory = std::function<std::unique_ptr<frame::EffectBase>(audioMasterCallback)>;

// The actions of one seeded sequence.
std::vector<Action> makeSequence(uint64_t seed, const DriverOptions& options);

// Plays the actions on a fresh effect (resumed at 44100 Hz first); answers the
// position of the first block with a non-finite output sample, or none.
std::optional<size_t> replay(const EffectFactory& make, const std::vector<Action>& actions);

// The shortest sub-sequence found that still fails (greedy removal of runs).
std::vector<Action> shrink(const EffectFactory& make, std::vector<Action> actions);

// One line per action, for a failure message or a regression test.
std::string describe(const std::vector<Action>& actions);

// The host callback the driver hands to effects.
audioMasterCallback driverHost() noexcept;

}  // namespace robustness
