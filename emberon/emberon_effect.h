// EmberonEffect: an analog saturation emulator. Input gain, a bass section
// that rebuilds the low band, a treble section that compresses the high band,
// drive into one of eight curves, a dry/wet mix and the output gain. No delay.
#pragma once

#include <array>
#include <atomic>

#include "emberon/emberon_params.h"
#include "emberon/level_meter.h"
#include "emberon/stereo_sections.h"
#include "frame/dither_noise.h"
#include "frame/effect_base.h"
#include "frame/saturation_curve.h"

namespace emberon {

class EmberonEffect final : public frame::EffectBase {
public:
    explicit EmberonEffect(audioMasterCallback host);

    void applyParameter(VstInt32 index, float value) override;
    float parameterValue(VstInt32 index) const override;
    // Gains as linear factors, corners in Hz, shape as its model index,
    // everything else as the stored value.
    double physicalValue(VstInt32 index) const override;
    void parameterName(VstInt32 index, char* text, size_t capacity) const override;
    void parameterLabel(VstInt32 index, char* text, size_t capacity) const override;
    void parameterText(VstInt32 index, char* text, size_t capacity) const override;

    void processReplace(float** inputs, float** outputs, VstInt32 frames) override;
    void processAccumulate(float** inputs, float** outputs, VstInt32 frames) override;
    void processEmptyBlock() override;
    void suspendDsp() override;
    void resumeDsp() override;

    // What the editor's meters read: the record the listener hears now.
    const MeterRing& meters() const noexcept { return meter_.ring(); }
    const LevelMeter& levelMeter() const noexcept { return meter_; }
    int meterDelay() const noexcept { return meterDelay_; }
    const StereoSections& sections() const noexcept { return sections_; }

private:
    // Everything a block reads from the parameters, taken once at its start.
    struct BlockSettings {
        SectionSettings sections;
        frame::CurveGains gains;
        frame::SaturationModel model = frame::SaturationModel::none;
        double inputGain = 1, outputGain = 1, wet = 1;
        double curveScale = 0.1995;  // pre-scaling into the curve
        int tap = 1;
        bool run = true, bassOn = false, trebleOn = false, stereo = true;
        double levelCoefficient = 0, fallCoefficient = 0, holdSamples = 0;
    };

    template <bool kAccumulate>
    void process(float** inputs, float** outputs, VstInt32 frames) noexcept;
    template <bool kAccumulate>
    void runMain(const BlockSettings& s, float** inputs, float** outputs, VstInt32 frames, MeterBlock& meter) noexcept;
    template <bool kAccumulate>
    void runBypass(const BlockSettings& s, float** inputs, float** outputs, VstInt32 frames, MeterBlock& meter) noexcept;
    BlockSettings blockSettings(VstInt32 frames) noexcept;
    void updateMeterCoefficients(double fs, VstInt32 frames) noexcept;

    void deriveValues(VstInt32 index, double v);
    void designBass();
    void designTreble();
    double value(VstInt32 index) const noexcept {
        return value_[static_cast<size_t>(index)].load(std::memory_order_relaxed);
    }
    static double load(const std::atomic<double>& a) noexcept { return a.load(std::memory_order_relaxed); }

    // Stored normalized values (shape snapped to m / 7), written by the host's
    // thread and read by the audio thread at its next block.
    std::array<std::atomic<double>, kStoredParams> value_{};
    // Derived values, recomputed when their parameter changes.
    std::atomic<double> inputGain_{1}, outputGain_{1}, bassGain_{1}, trebleGain_{1};
    std::atomic<double> drive_{1}, wet_{1}, compression_{1}, compressionInverse_{1};
    std::atomic<double> warmth_{0.1}, warmthNormaliser_{1}, bassHz_{50}, trebleHz_{2000};
    std::atomic<int> model_{0};
    std::array<std::atomic<double>, frame::kSaturationModels> curveGain_{};
    std::atomic<float> bassLowA_{0}, bassLowB_{0}, warmthLowA_{0}, warmthLowB_{0}, trebleHighA_{0}, trebleHighB_{0};

    // Audio-thread state.
    StereoSections sections_;
    LevelMeter meter_;
    int meterDelay_ = 1;
    frame::LogicalShiftNoise noise_;
    double cachedFs_ = -1.0;
    VstInt32 cachedFrames_ = -1;
    double levelCoefficient_ = 0.0, fallCoefficient_ = 0.0;
};

}  // namespace emberon
