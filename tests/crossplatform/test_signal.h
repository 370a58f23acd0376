// The fixed stereo test signal every platform renders: sections of low, medium,
// loud (past full scale) and silent audio made of two triangle tones and noise,
// different on the two channels. Plain integer and float arithmetic only, so
// every platform computes the same samples.
#pragma once

#include <cstddef>

#include "tests/crossplatform/raw_audio.h"

namespace crossplatform {

inline constexpr double kTestSignalRate = 44100.0;

Stereo testSignal(size_t frames);

}  // namespace crossplatform
