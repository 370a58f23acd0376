// BriskerEffect: a soft-knee compressor with a band-passed side chain,
// look-ahead, hold, automatic attack, release and make-up, a dry/wet mix and
// an output limiter or saturating leveller. The audio is delayed by a constant
// 1023 samples, reported to the host as latency.
#pragma once

#include <array>
#include <atomic>

#include "brisker/brisker_params.h"
#include "brisker/brisker_stages.h"
#include "frame/dither_noise.h"
#include "frame/double_pair.h"
#include "frame/effect_base.h"
#include "frame/meter_history.h"
#include "frame/stereo_biquad_filter.h"

namespace brisker {

// Meter quantities filed once per block.
enum Meter : size_t { kLevelL, kLevelR, kHeldL, kHeldR, kClipL, kClipR, kReductionL, kReductionR, kMeters };

class BriskerEffect : public frame::EffectBase {
public:
    static constexpr VstInt32 kLatency = 1023;

    explicit BriskerEffect(audioMasterCallback host);

    void applyParameter(VstInt32 index, float value) override;
    float parameterValue(VstInt32 index) const override;
    double physicalValue(VstInt32 index) const override;
    void parameterName(VstInt32 index, char* text, size_t capacity) const override;
    void parameterLabel(VstInt32 index, char* text, size_t capacity) const override;
    void parameterText(VstInt32 index, char* text, size_t capacity) const override;

    void processReplace(float** inputs, float** outputs, VstInt32 frames) override;
    void processAccumulate(float** inputs, float** outputs, VstInt32 frames) override;
    // An empty block still glides the smoothed values and files its meter record.
    void processEmptyBlock() override;
    void suspendDsp() override;
    void resumeDsp() override;

    // What the editor's meters read: the record the listener hears now.
    const frame::MeterHistory<kMeters>& meters() const noexcept { return meters_; }
    int meterDelay() const noexcept { return meterDelay_; }

protected:
    void settleAfterApply() override;
    void settleAll() override;

private:
    static constexpr int kRing = 1024;
    static constexpr int kMask = kRing - 1;
    // Both channels of a ring position, left in lane 0.
    using Ring = std::array<frame::DoublePair, kRing>;
    // One chunk of the block loop's passes: what the input side hands on.
    static constexpr int kChunk = 128;
    struct Scratch {
        std::array<frame::DoublePair, kChunk> y, hAbs;  // band-passed detector signal, |high-passed input|
        std::array<double, kChunk> nz, gs, g;           // dither, make-up gain, detector gain
    };

    // Clears requested by a switch change, carried out by the audio thread at
    // its next block so the rings are never written from two threads.
    enum Clear : unsigned { kClearAudio = 1, kClearDrive = 2, kClearLimiter = 4, kClearInput = 8, kClearBandPass = 16 };

    struct Smoothed {
        std::atomic<double> compress{0}, slope{0}, attack{0}, hold{0}, release{0}, makeUp{0}, input{0}, output{0};
    };
    // The meters' per-channel state, carried from block to block.
    struct MeterState {
        frame::DoublePair level{}, inEnv{}, compEnv{};  // meter level, input and compressed envelopes
        int clipCount[2] = {0, 0};
    };

    template <bool kAccumulate>
    void process(float** inputs, float** outputs, VstInt32 frames) noexcept;
    // The block's settings; moves the per-block glides on by one block.
    BlockSettings beginBlock(VstInt32 frames) noexcept;
    template <bool kAccumulate>
    void runMain(const BlockSettings& b, float** inputs, float** outputs, int frames, frame::DoublePair& peak) noexcept;
    template <bool kAccumulate>
    void runBypass(const BlockSettings& b, float** inputs, float** outputs, int frames, frame::DoublePair& peak) noexcept;
    void fileMeters(const BlockSettings& b, int frames, frame::DoublePair peak) noexcept;
    void recomputeBandPass() noexcept;
    void clearRings(unsigned what) noexcept;
    bool stateFinite() const noexcept;
    void restartState() noexcept;
    double value(VstInt32 index) const noexcept { return value_[static_cast<size_t>(index)].load(std::memory_order_relaxed); }
    void setSmoothed(bool all) noexcept;

    // Working copies of the stored values (the float as stored, widened).
    std::array<std::atomic<double>, kStoredParams> value_{};
    // Side-chain band-pass coefficients, shared by both channels.
    std::atomic<double> bpB0_{0}, bpB2_{0}, bpA1_{0}, bpA2_{0};
    // The last block's band-pass coefficients whose poles were inside the unit circle
    // (audio thread): b0, b2, a1, a2.
    std::array<double, 4> lastBandPass_{};
    std::atomic<unsigned> pendingClear_{0};
    Smoothed smooth_;

    // Audio rings: input, dry, drive, limiter.
    Ring inRing_{}, dryRing_{}, driveRing_{}, limRing_{};
    Scratch scratch_{};
    int w_ = 1023, p_ = 1023, q_ = 0, pd_ = 0, pl_ = 0;

    frame::StereoBiquadFilter hpDry_;  // 16 Hz before the drive
    frame::StereoBiquadFilter hpOut_;  // 22 Hz on the mixed signal
    SideChainBandPass bandPass_;
    Detector detector_;
    double makeUpGain_ = 1.0;  // Gs
    OutputStage stage_;

    // Meter state.
    MeterState meterState_;
    double held_[2] = {0, 0};
    int heldTimer_[2] = {0, 0};
    frame::MeterHistory<kMeters> meters_;
    int meterDelay_ = 1;

    frame::LogicalShiftNoise noise_;
};

}  // namespace brisker
