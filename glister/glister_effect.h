// GlisterEffect: the treble enhancer. A hiss reduction steered by a
// look-ahead detector, a stereo enhancer, a transient processor and a
// harmonics generator, each behind its own switch, then a DC high-pass, a
// dry/wet mix, the output gain and an optional soft saturation. The audio is
// delayed by a constant 1023 samples, reported to the host as latency.
#pragma once

#include <array>
#include <atomic>

#include "frame/effect_base.h"
#include "frame/program_bank.h"
#include "glister/glister_params.h"
#include "glister/glister_settings.h"
#include "glister/indicator_history.h"
#include "glister/signal_path.h"

namespace glister {

class GlisterEffect : public frame::EffectBase {
public:
    static constexpr VstInt32 kLatency = SignalPath::kLatency;

    explicit GlisterEffect(audioMasterCallback host);

    void applyParameter(VstInt32 index, float value) override;
    float parameterValue(VstInt32 index) const override;
    double physicalValue(VstInt32 index) const override;
    void parameterName(VstInt32 index, char* text, size_t capacity) const override;
    void parameterLabel(VstInt32 index, char* text, size_t capacity) const override;
    void parameterText(VstInt32 index, char* text, size_t capacity) const override;

    void processReplace(float** inputs, float** outputs, VstInt32 frames) override;
    void processAccumulate(float** inputs, float** outputs, VstInt32 frames) override;
    // A block of no frames still closes a block: the lamps' ring advances, unlit.
    void processEmptyBlock() override;
    void suspendDsp() override;
    void resumeDsp() override;

    // A new program name also becomes the effect's own name text.
    void renameCurrent(const char* name) override;
    const char* nameText() const noexcept { return nameText_.data(); }

    // What the editor's lamps read, and how many blocks they trail the audio.
    IndicatorHistory& indicators() noexcept { return indicators_; }
    const IndicatorHistory& indicators() const noexcept { return indicators_; }
    int indicatorDelay() const noexcept { return indicatorDelay_; }

    const GlisterSettings& settings() const noexcept { return settings_; }
    const SignalPath& signalPath() const noexcept { return path_; }

private:
    template <bool kAccumulate>
    void process(float** inputs, float** outputs, VstInt32 frames) noexcept;
    // The harmonics filters' coefficients for this block, whole (audio thread).
    void keepFiltersWhole(HarmonicsGenerator::Block& k) noexcept;
    // The host's rate made sane (44100 outside 20000..200000 Hz) and stored back.
    void takeWorkingRate() noexcept;
    double rate() const noexcept { return static_cast<double>(rate_.load(std::memory_order_relaxed)); }

    // The working rate, taken when built and on resume only, so a rate the
    // host sets in between waits for the next resume.
    std::atomic<float> rate_{44100.0f};
    GlisterSettings settings_;
    SignalPath path_;
    IndicatorHistory indicators_;
    int indicatorDelay_ = 1;
    std::array<char, frame::kProgramNameSize> nameText_{};
    // The last block's filter coefficients whose poles were inside the unit circle.
    BandPassCoefficients lastBand_{};
    HighPassCoefficients lastFirstOut_{};
};

// Blocks by which the lamps trail the audio: the host's output latency over
// its block size, times 0.7692307692307693, held within 1..1023.
int indicatorDelayBlocks(VstIntPtr latency, VstIntPtr blockSize, double rate) noexcept;

}  // namespace glister
