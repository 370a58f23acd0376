// RumblerEffect: the bass enhancer. It splits off the bass band at the tune
// corner, levels it with a look-ahead leveller, adds generated harmonics and
// mixes it back, with an optional parabolic saturation. The audio is delayed
// by a constant 1023 samples, reported to the host as latency.
#pragma once

#include <array>
#include <atomic>

#include "frame/effect_base.h"
#include "frame/meter_history.h"
#include "rumbler/rumbler_params.h"
#include "rumbler/rumbler_signal_path.h"

namespace rumbler {

// Meter quantities filed once per block.
enum Meter : size_t { kMeterGain, kMeterClip, kMeters };

class RumblerEffect : public frame::EffectBase {
public:
    static constexpr VstInt32 kLatency = SignalPath::kLatency;

    explicit RumblerEffect(audioMasterCallback host);

    void applyParameter(VstInt32 index, float value) override;
    float parameterValue(VstInt32 index) const override;
    // f_c for tune, T for threshold, B for bass, G for gain; the stored value otherwise.
    double physicalValue(VstInt32 index) const override;
    void parameterName(VstInt32 index, char* text, size_t capacity) const override;
    void parameterLabel(VstInt32 index, char* text, size_t capacity) const override;
    void parameterText(VstInt32 index, char* text, size_t capacity) const override;

    void processReplace(float** inputs, float** outputs, VstInt32 frames) override;
    void processAccumulate(float** inputs, float** outputs, VstInt32 frames) override;
    // An empty block still files its meter record, with the previous block's gain.
    void processEmptyBlock() override;
    void suspendDsp() override;
    void resumeDsp() override;

    // What the editor's gain meter and clip lamp read: the record the listener hears now.
    const frame::MeterHistory<kMeters>& meters() const noexcept { return meters_; }
    int meterDelay() const noexcept { return meterDelay_; }
    // The whole-number rate the signal path runs at.
    double pathRate() const noexcept { return fs_.load(std::memory_order_relaxed); }
    bool processOn() const noexcept { return processFlag_.load(std::memory_order_relaxed); }
    double stereoFlag() const noexcept { return stereoFlag_.load(std::memory_order_relaxed); }
    const SignalPath& signalPath() const noexcept { return path_; }

private:
    template <bool kAccumulate>
    void process(float** inputs, float** outputs, VstInt32 frames) noexcept;
    BlockSettings blockSettings() const noexcept;
    void applyProcess(double v) noexcept;
    void applyTune(double v) noexcept;
    // The stored rate as whole hertz, 44100 outside 20000..200000 Hz.
    void takeRate() noexcept;
    double value(VstInt32 index) const noexcept { return value_[static_cast<size_t>(index)].load(std::memory_order_relaxed); }
    double load(const std::atomic<double>& a) const noexcept { return a.load(std::memory_order_relaxed); }

    // Stored values as the float the host sent, widened; 8 and 9 stay 0.
    std::array<std::atomic<double>, kStoredParams> value_{};
    std::atomic<bool> processFlag_{false};
    std::atomic<double> stereoFlag_{1.0};
    // Derived values the signal path reads at the start of each block.
    std::atomic<double> gain_{1.0}, wet_{1.0}, c1_{0.0}, c2_{0.0}, threshold_{1.0}, drive_{1.0}, driveNorm_{1.0},
        bass_{1.0};
    std::atomic<double> fs_;
    // Set by a write that turns process off; the audio thread clears at its
    // next block so the states are only ever written from one thread.
    std::atomic<bool> clearPending_{false};

    VstIntPtr hostLatency_ = 0;
    int meterDelay_ = 1;
    frame::MeterHistory<kMeters> meters_;
    SignalPath path_;
};

}  // namespace rumbler
