#include "host/demo_signal.h"

#include <algorithm>
#include <iterator>
#include <cmath>
#include <numbers>

namespace host {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kBeatSeconds = 0.5;  // 120 beats per minute
constexpr double kMixGain = 0.7;      // leaves the loudest hit about 4 dB below full scale
// Bass notes per beat and voice notes per two beats, in Hz.
constexpr double kBassNotes[] = {55.0, 55.0, 65.41, 73.42, 49.0, 49.0, 65.41, 61.74};
constexpr double kVoiceNotes[] = {220.0, 246.94, 261.63, 246.94, 220.0, 196.0, 220.0, 164.81};

double decay(double t, double seconds) { return std::exp(-t / seconds); }

}  // namespace

void DemoSignal::Resonator::tune(double freqHz, double bandwidthHz, double rate) {
    double r = std::exp(-std::numbers::pi * bandwidthHz / rate);
    a1 = 2.0 * r * std::cos(kTwoPi * freqHz / rate);
    a2 = -r * r;
    gain = 1.0 - r;
}

double DemoSignal::Resonator::process(double x) {
    double y = gain * x + a1 * y1 + a2 * y2;
    y2 = y1;
    y1 = y;
    return y;
}

DemoSignal::DemoSignal(double sampleRate)
    : rate_(sampleRate), frames_(static_cast<int64_t>(std::llround(kSeconds * sampleRate))) {
    // an open "ah": the first three formants of the vowel
    formants_[0].tune(730.0, 90.0, rate_);
    formants_[1].tune(1090.0, 110.0, rate_);
    formants_[2].tune(2440.0, 170.0, rate_);
}

int64_t DemoSignal::read(float* interleaved, int64_t count) {
    int64_t n = std::min(count, frames_ - position_);
    for (int64_t i = 0; i < n; ++i) {
        double left = 0, right = 0;
        renderFrame(left, right);
        interleaved[2 * i] = static_cast<float>(left);
        interleaved[2 * i + 1] = static_cast<float>(right);
        ++position_;
    }
    return n;
}

double DemoSignal::noise() {
    // xorshift32
    seed_ ^= seed_ << 13;
    seed_ ^= seed_ >> 17;
    seed_ ^= seed_ << 5;
    return static_cast<double>(seed_) / 2147483648.0 - 1.0;
}

void DemoSignal::renderFrame(double& left, double& right) {
    double hat = 0;
    double drumsCentre = drums(hat);
    double bassLine = bass();
    double voiceLine = voice();
    double hissLeft = 0.004 * noise(), hissRight = 0.004 * noise();
    left = kMixGain * (drumsCentre + 0.35 * hat + bassLine + 0.65 * voiceLine + hissLeft);
    right = kMixGain * (drumsCentre + 0.65 * hat + bassLine + 0.35 * voiceLine + hissRight);
}

double DemoSignal::drums(double& hatOut) {
    double t = static_cast<double>(position_) / rate_;
    double inBeat = std::fmod(t, kBeatSeconds);
    int beat = static_cast<int>(t / kBeatSeconds);
    double out = 0;
    if (beat % 2 == 0) {
        // kick: a sine gliding from 150 Hz down to 48 Hz
        double freqHz = 48.0 + 102.0 * decay(inBeat, 0.03);
        kickPhase_ += kTwoPi * freqHz / rate_;
        out += 0.55 * std::sin(kickPhase_) * decay(inBeat, 0.22);
    } else {
        kickPhase_ = 0;
        snareTonePhase_ += kTwoPi * 190.0 / rate_;
        double body = 0.4 * std::sin(snareTonePhase_) + 0.6 * noise();
        out += 0.3 * body * decay(inBeat, 0.09);
    }
    // closed hi-hat on every eighth note: differenced noise is bright
    double inEighth = std::fmod(t, kBeatSeconds / 2.0);
    double white = noise();
    hatOut = 0.12 * (white - hatPrevious_) * decay(inEighth, 0.025);
    hatPrevious_ = white;
    return out;
}

double DemoSignal::bass() {
    double t = static_cast<double>(position_) / rate_;
    int beat = static_cast<int>(t / kBeatSeconds);
    double inBeat = std::fmod(t, kBeatSeconds);
    double freqHz = kBassNotes[beat % std::size(kBassNotes)];
    bassPhase_ = std::fmod(bassPhase_ + freqHz / rate_, 1.0);
    double saw = 2.0 * bassPhase_ - 1.0;
    // one-pole low-pass at about 400 Hz rounds the saw off
    bassLow_ += (saw - bassLow_) * (1.0 - std::exp(-kTwoPi * 400.0 / rate_));
    double envelope = std::min(1.0, inBeat / 0.005) * (0.4 + 0.6 * decay(inBeat, 0.25));
    return 0.22 * bassLow_ * envelope;
}

double DemoSignal::voice() {
    double t = static_cast<double>(position_) / rate_;
    if (t < 2.0) return 0;
    int note = static_cast<int>((t - 2.0) / (2.0 * kBeatSeconds));
    double inNote = std::fmod(t - 2.0, 2.0 * kBeatSeconds);
    vibratoPhase_ += kTwoPi * 5.2 / rate_;
    double freqHz = kVoiceNotes[note % std::size(kVoiceNotes)] * (1.0 + 0.006 * std::sin(vibratoPhase_));
    voicePhase_ = std::fmod(voicePhase_ + freqHz / rate_, 1.0);
    double source = 2.0 * voicePhase_ - 1.0 + 0.05 * noise();  // breathy glottal saw
    double formed = 0;
    for (Resonator& formant : formants_) formed += formant.process(source);
    double envelope = std::min(1.0, inNote / 0.04) * std::min(1.0, (2.0 * kBeatSeconds - inNote) / 0.06);
    return 0.2 * formed * envelope;
}

}  // namespace host
