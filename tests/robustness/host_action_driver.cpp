#include "tests/robustness/host_action_driver.h"

#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>

namespace robustness {
namespace {

VstInt32 hostBlock = 512;

VstIntPtr VSTCALLBACK hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) {
    switch (opcode) {
        case audioMasterVersion: return 2400;
        case audioMasterGetBlockSize: return hostBlock;
        case audioMasterGetOutputLatency: return 512;
        case audioMasterCanDo: return ptr && std::string(static_cast<const char*>(ptr)) == "reportConnectionChanges";
        default: return 0;  // audioMasterPinConnected: 0, the second input is connected
    }
}

class Draw {
public:
    explicit Draw(uint64_t seed) : rng_(seed) {}
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
    int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(double p) { return uniform(0.0, 1.0) < p; }
    uint32_t bits() { return static_cast<uint32_t>(rng_()); }
    double logUniform(double lo, double hi) { return std::exp(uniform(std::log(lo), std::log(hi))); }

private:
    std::mt19937_64 rng_;
};

float parameterValue(Draw& d, bool broken) {
    if (broken) {
        switch (d.integer(0, 4)) {
            case 0: return std::bit_cast<float>(d.bits());  // any float, NaN and infinities included
            case 1: return static_cast<float>((d.chance(0.5) ? 1 : -1) * d.logUniform(1e-3, 3e38));
            case 2: return static_cast<float>(d.uniform(-2.0, 3.0));
            default: break;
        }
    }
    if (d.chance(0.25)) return static_cast<float>(d.integer(0, 2)) * 0.5f;
    return static_cast<float>(d.uniform(0.0, 1.0));
}

Action block(Draw& d, bool broken) {
    Action a;
    a.kind = Action::kBlock;
    a.frames = d.chance(0.02) ? 0 : static_cast<int>(d.logUniform(1.0, 8192.0));
    a.signal = static_cast<Action::Signal>(d.integer(0, 3));
    a.level = broken && d.chance(0.3) ? static_cast<float>(d.logUniform(1.0, 3e38)) : static_cast<float>(d.uniform(0.0, 1.0));
    if (a.signal == Action::kSquare && d.chance(0.7)) a.level = broken ? a.level : 1.0f;
    a.period = d.integer(2, 2000);
    a.accumulate = d.chance(0.2);
    a.seed = d.bits();
    return a;
}

void fill(const Action& a, std::vector<float>& left, std::vector<float>& right) {
    std::mt19937 rng(a.seed);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    const auto n = static_cast<size_t>(a.frames);
    left.assign(n, 0.0f);
    right.assign(n, 0.0f);
    for (size_t i = 0; i < n; ++i) {
        const double phase = static_cast<double>(i % static_cast<size_t>(a.period)) / a.period;
        switch (a.signal) {
            case Action::kNoise:
                left[i] = a.level * noise(rng);
                right[i] = a.level * noise(rng);
                break;
            case Action::kSquare: left[i] = right[i] = phase < 0.5 ? a.level : -a.level; break;
            case Action::kSine: left[i] = right[i] = a.level * static_cast<float>(std::sin(6.283185307179586 * phase)); break;
            case Action::kSilence: break;
        }
    }
    // a broken upstream plug-in: now and then a sample that is no number
    if (n > 0 && a.level > 1.0f && (a.seed & 7) == 0) {
        left[a.seed % n] = std::numeric_limits<float>::quiet_NaN();
        right[(a.seed >> 8) % n] = -std::numeric_limits<float>::infinity();
    }
}

bool finite(const std::vector<float>& x) {
    for (float v : x)
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

audioMasterCallback driverHost() noexcept { return hostCallback; }

std::vector<Action> makeSequence(uint64_t seed, const DriverOptions& options) {
    Draw d(seed);
    std::vector<Action> actions;
    for (int k = 0; k < options.actions; ++k) {
        const double pick = d.uniform(0.0, 1.0);
        Action a;
        if (pick < 0.40) {
            a.kind = Action::kSet;
            a.index = d.integer(-1, 27);
            a.value = parameterValue(d, options.brokenHost);
        } else if (pick < 0.85) {
            a = block(d, options.brokenHost);
        } else if (pick < 0.93) {
            a.kind = d.chance(0.8) ? Action::kRestart : Action::kRate;
            a.value = d.chance(0.5) ? static_cast<float>(d.logUniform(1.0, 768000.0))
                                    : std::array{22050.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f, 8000.0f}[d.integer(0, 5)];
            a.index = static_cast<VstInt32>(d.logUniform(1.0, 8192.0));
        } else {
            a.kind = Action::kProgram;
            a.index = d.integer(0, 40);
            a.value = static_cast<float>(d.integer(0, 2));
        }
        actions.push_back(a);
    }
    return actions;
}

std::optional<size_t> replay(const EffectFactory& make, const std::vector<Action>& actions) {
    hostBlock = 512;
    std::unique_ptr<frame::EffectBase> effect = make(hostCallback);
    AEffect* e = effect->record();
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    e->dispatcher(e, effSetBlockSize, 0, hostBlock, nullptr, 0.0f);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
    std::vector<float> inL, inR, outL, outR;
    for (size_t k = 0; k < actions.size(); ++k) {
        const Action& a = actions[k];
        switch (a.kind) {
            case Action::kSet: e->setParameter(e, a.index, a.value); break;
            case Action::kRestart:
                hostBlock = a.index;
                e->dispatcher(e, effMainsChanged, 0, 0, nullptr, 0.0f);
                e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, a.value);
                e->dispatcher(e, effSetBlockSize, 0, a.index, nullptr, 0.0f);
                e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
                break;
            case Action::kRate: e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, a.value); break;
            case Action::kProgram:
                if (a.value == 0.0f)
                    effect->pickProgram(a.index);
                else if (a.value == 1.0f)
                    e->dispatcher(e, effSetProgram, 0, 0, nullptr, 0.0f);
                else
                    effect->recallMemo(effect->storeMemo(frame::ProgramBank::kMemoA, a.index));
                break;
            case Action::kBlock: {
                fill(a, inL, inR);
                outL.assign(inL.size(), 0.0f);
                outR.assign(inR.size(), 0.0f);
                float* in[2] = {inL.data(), inR.data()};
                float* out[2] = {outL.data(), outR.data()};
                if (a.accumulate)
                    e->process(e, in, out, a.frames);
                else
                    e->processReplacing(e, in, out, a.frames);
                if (!finite(outL) || !finite(outR)) return k;
                break;
            }
        }
    }
    return std::nullopt;
}

std::vector<Action> shrink(const EffectFactory& make, std::vector<Action> actions) {
    std::optional<size_t> failed = replay(make, actions);
    if (!failed) return actions;
    actions.resize(*failed + 1);
    for (size_t run = actions.size() / 2; run >= 1; run /= 2) {
        for (size_t at = 0; at + run <= actions.size();) {
            std::vector<Action> fewer = actions;
            fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(at), fewer.begin() + static_cast<std::ptrdiff_t>(at + run));
            if (std::optional<size_t> f = replay(make, fewer)) {
                fewer.resize(*f + 1);
                actions = std::move(fewer);
            } else {
                at += run;
            }
        }
    }
    return actions;
}

std::string describe(const std::vector<Action>& actions) {
    std::ostringstream s;
    s.precision(9);
    static const char* const kSignals[] = {"noise", "square", "silence", "sine"};
    for (const Action& a : actions) {
        switch (a.kind) {
            case Action::kSet: s << "set " << a.index << " " << a.value; break;
            case Action::kRestart: s << "suspend, rate " << a.value << ", block " << a.index << ", resume"; break;
            case Action::kRate: s << "rate " << a.value; break;
            case Action::kProgram:
                s << (a.value == 0.0f ? "pick program " : a.value == 1.0f ? "effSetProgram 0 " : "store and recall memo A, shown ")
                  << a.index;
                break;
            case Action::kBlock:
                s << (a.accumulate ? "accumulate " : "replace ") << a.frames << " frames " << kSignals[a.signal] << " level "
                  << a.level << " period " << a.period << " seed " << a.seed;
                break;
        }
        s << "\n";
    }
    return s.str();
}

}  // namespace robustness
