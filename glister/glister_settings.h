// The treble enhancer's parameter state: the 64-bit working copy of every
// stored value and the quantities the signal path derives from them. Written
// from whichever thread sets a parameter, read by the audio thread once per
// block; every value is a relaxed atomic, and a block may see a change half
// applied, which is accepted.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>

#include "frame/vst2.h"
#include "glister/glister_params.h"
#include "glister/harmonics_generator.h"
#include "glister/hiss_reduction.h"
#include "glister/stereo_enhancer.h"
#include "glister/transient_processor.h"

namespace glister {

// What one block reads, taken before its sample loop.
struct BlockSettings {
    bool process = true;
    bool hiss = false, enhance = false, transient = false, harmonics = false;
    bool saturate = false;
    double wet = 1.0;        // m^2
    double outputGain = 1.0; // g_o
    HissReduction::Block hissBlock;
    StereoEnhancer::Block enhancerBlock;
    TransientProcessor::Block transientBlock;
    HarmonicsGenerator::Block harmonicsBlock;
};

class GlisterSettings {
public:
    GlisterSettings();

    // Stores a value (already within its range) and derives from it at the
    // working rate. Indices without a working copy are ignored.
    void apply(VstInt32 index, double v, double rate) noexcept;

    // The working copy; 0 for indices without one.
    double value(VstInt32 index) const noexcept;
    // The quantity behind a parameter, for the editor's displays.
    double physical(VstInt32 index) const noexcept;
    // The host's display text.
    void text(VstInt32 index, char* text, size_t capacity) const noexcept;

    BlockSettings blockSettings(double rate) const noexcept;

    // Derived quantities, for displays and checks.
    double harmonicsFrequency() const noexcept { return get(fh_); }
    double firstOutFrequency() const noexcept { return get(fo_); }
    double lowestHissFrequency() const noexcept { return get(fm_); }
    bool sectionOn(VstInt32 switchIndex) const noexcept;

private:
    using Atomic = std::atomic<double>;
    static double get(const Atomic& a) noexcept { return a.load(std::memory_order_relaxed); }
    static void put(Atomic& a, double v) noexcept { a.store(v, std::memory_order_relaxed); }

    void applyHarmonics(VstInt32 index, double v, double rate) noexcept;
    void applyTransient(VstInt32 index, double v, double rate) noexcept;
    void applyHiss(VstInt32 index, double v, double rate) noexcept;
    void updateBandPass(double rate) noexcept;
    void updateFirstOut(double w, double rate) noexcept;
    void updateFirstOutFilters(double rate) noexcept;

    std::array<Atomic, kParamSlots> value_{};
    // Section switches (0 or 1) by index; the saturation switch is 0.0 or 1.0.
    std::array<std::atomic<int>, kParamSlots> switch_{};
    Atomic saturation_{0};
    // Harmonics: frequencies, Q, drive d, drive gain G_d, level A_h, filters.
    Atomic fh_{8000}, qh_{1}, fo_{8000}, drive_{0}, driveGain_{0.66}, harmLevel_{0};
    std::array<Atomic, 3> band_{};
    std::array<Atomic, 5> firstOut_{};
    // Stereo enhancer: mid weight M, side weight S, slope k_e.
    Atomic mid_{0.5}, side_{0.5}, enhSlope_{0};
    // Transient: ratio r_t, blend k_s, order flag, release base R_t, level A_t, pole p_d.
    Atomic ratio_{1}, blend_{0}, release_{0}, transLevel_{0}, damp_{0};
    std::atomic<int> secondOrder_{0};
    // Hiss: threshold T, speed bases 30^-v and 300^-v, a_h, f_m, c_min.
    Atomic threshold_{1}, openBase_{1}, closeBase_{1}, remain_{0}, fm_{2738.6}, lowest_{0.3};
    // Output: wet weight m^2 and gain g_o; StereoMono's non-negative copy.
    Atomic wet_{1}, outputGain_{1}, stereoMonoPositive_{0};
};

}  // namespace glister
