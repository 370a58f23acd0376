// The saturator's block loops. Per block: read the parameters once, run either
// the full path or the bypass, then file one meter record.
#include <cmath>

#include "emberon/emberon_effect.h"
#include "frame/dsp_util.h"

namespace emberon {
void EmberonEffect::processReplace(float** inputs, float** outputs, VstInt32 frames) {
    process<false>(inputs, outputs, frames);
}

void EmberonEffect::processAccumulate(float** inputs, float** outputs, VstInt32 frames) {
    process<true>(inputs, outputs, frames);
}

// A block of no frames still closes a block: the meter ring advances and the
// held peaks may fall.
void EmberonEffect::processEmptyBlock() { process<false>(nullptr, nullptr, 0); }

// The level's time constant is 0.3 s; the held peak falls to 0.1091012 of its
// distance in 0.6 s, once per block.
void EmberonEffect::updateMeterCoefficients(double fs, VstInt32 frames) noexcept {
    if (fs == cachedFs_ && frames == cachedFrames_) return;
    cachedFs_ = fs;
    cachedFrames_ = frames;
    levelCoefficient_ = 1.0 - std::pow(0.1091012, 1.0 / (0.3 * fs));
    fallCoefficient_ = 1.0 - std::pow(0.1091012, frames / (0.6 * fs));
}

EmberonEffect::BlockSettings EmberonEffect::blockSettings(VstInt32 frames) noexcept {
    BlockSettings s;
    s.tap = meterTap(value(kPrePost));
    s.run = value(kProcess) >= 0.5;
    s.bassOn = value(kBassOn) >= 0.5;
    s.trebleOn = value(kTrebleOn) >= 0.5;
    s.stereo = input2Connected();

    SectionSettings& sec = s.sections;
    sec.bassLow = {bassLowA_.load(std::memory_order_relaxed), bassLowB_.load(std::memory_order_relaxed)};
    sec.warmthLow = {warmthLowA_.load(std::memory_order_relaxed), warmthLowB_.load(std::memory_order_relaxed)};
    sec.trebleHigh = {trebleHighA_.load(std::memory_order_relaxed), trebleHighB_.load(std::memory_order_relaxed)};
    const double tf = value(kTrebleFreq);
    sec.trebleAttack = 0.1 * (tf * tf) + 0.015;
    sec.trebleRelease = 0.03 * (tf * tf) + 0.005;
    const double bw = value(kBassWarmth);
    sec.warmthRelease = 0.07 + 0.43 * ((1.0 - bw) * (1.0 - bw));
    sec.bassGain = load(warmthNormaliser_) * load(bassGain_);
    sec.trebleGain = load(trebleGain_) * load(compressionInverse_) * 15.0;
    sec.warmthDrive = 6.0 * load(warmth_);
    sec.compression = load(compression_);

    const int m = model_.load(std::memory_order_relaxed);
    s.model = static_cast<frame::SaturationModel>(m);
    for (size_t i = 0; i < curveGain_.size(); ++i) s.gains.g[i] = load(curveGain_[i]);
    s.curveScale = m == 0 ? 0.1995 : 0.1995 * load(drive_);
    s.inputGain = load(inputGain_);
    s.outputGain = load(outputGain_);
    s.wet = load(wet_);

    // the level and fall coefficients take the whole hertz of the rate; the
    // hold limit takes the rate as it is
    const double rate = workingRate();
    updateMeterCoefficients(std::trunc(rate), frames);
    s.levelCoefficient = levelCoefficient_;
    s.fallCoefficient = fallCoefficient_;
    s.holdSamples = 0.3 * rate;
    return s;
}

template <bool kAccumulate>
void EmberonEffect::process(float** inputs, float** outputs, VstInt32 frames) noexcept {
    if (frames < 0) return;
    const BlockSettings s = blockSettings(frames);
    sections_.setCoefficients(s.sections);
    MeterBlock meter = meter_.begin(s.levelCoefficient);
    if (frames > 0) {
        if (s.run)
            runMain<kAccumulate>(s, inputs, outputs, frames, meter);
        else
            runBypass<kAccumulate>(s, inputs, outputs, frames, meter);
    }
    // an absurd input (beyond the float range after the gains) can overflow a
    // float memory; start the next block clean rather than stay locked in NaN
    for (int c = 0; c < 2; ++c)
        if (!sections_.finite(c)) sections_.recover(c);
    meter_.finish(meter, frames, s.holdSamples, s.fallCoefficient);
}

// Legend, both channels as pairs: nu dither (about 1e-17), d dry signal after
// the input gain, x the signal through the sections, u the pre-scaled and
// high-passed curve input, y the curve's output, o the mixed output before the
// output dither.
template <bool kAccumulate>
void EmberonEffect::runMain(const BlockSettings& s, float** inputs, float** outputs, VstInt32 frames,
                            MeterBlock& meter) noexcept {
    using frame::DoublePair;
    const float* inL = inputs[0];
    const float* inR = s.stereo ? inputs[1] : inputs[0];
    float* outL = outputs[0];
    float* outR = outputs[1];
    StereoSections sec = sections_;
    frame::LogicalShiftNoise noise = noise_;
    for (VstInt32 i = 0; i < frames; ++i) {
        const double nu = frame::ditherValue(noise.next());
        const DoublePair d = frame::pairOf(frame::inputSample(inL[i]), frame::inputSample(inR[i])) * s.inputGain + nu;
        if (s.tap == 0) meter.update(frame::absOf(d));
        DoublePair x = d;
        if (s.bassOn) x = sec.bass(x, nu, s.sections);
        if (s.trebleOn) x = sec.treble(x, nu, s.sections);
        const DoublePair u = sec.highPass(x * s.curveScale);
        if (s.tap == 2) meter.update(frame::absOf(u));
        const DoublePair y = frame::saturationCurve(s.model, u, s.gains);
        const DoublePair o = (d + (y - d) * s.wet) * s.outputGain;
        if (s.tap == 1) meter.update(frame::absOf(o));
        const DoublePair out = o + 1e7 * nu;
        frame::storeSample<kAccumulate>(outL[i], out[0]);
        frame::storeSample<kAccumulate>(outR[i], out[1]);
    }
    sections_ = sec;
    noise_ = noise;
}

// Bypass keeps the input gain and nothing else: no dither, no filtering.
template <bool kAccumulate>
void EmberonEffect::runBypass(const BlockSettings& s, float** inputs, float** outputs, VstInt32 frames,
                              MeterBlock& meter) noexcept {
    const float* inL = inputs[0];
    const float* inR = s.stereo ? inputs[1] : inputs[0];
    float* outL = outputs[0];
    float* outR = outputs[1];
    for (VstInt32 i = 0; i < frames; ++i) {
        const double xL = frame::inputSample(inL[i]) * s.inputGain;
        const double xR = frame::inputSample(inR[i]) * s.inputGain;
        meter.update(frame::absOf(frame::pairOf(xL, xR)));
        frame::storeSample<kAccumulate>(outL[i], xL);
        frame::storeSample<kAccumulate>(outR[i], xR);
    }
}

}  // namespace emberon
