// Stereo audio as raw files: interleaved 32-bit floats, left then right, in the
// byte order of the machine (little endian on every platform we build for).
#pragma once

#include <cstddef>
#include <string>

#include "tests/support/render.h"

namespace crossplatform {

using testing_support::Stereo;

// Each returns an empty string on success, else what went wrong.
std::string readRaw(const std::string& path, Stereo& out);
std::string writeRaw(const std::string& path, const Stereo& audio);

struct Difference {
    double largest = 0.0;  // largest absolute sample difference
    size_t frame = 0;      // where it is
    int channel = 0;       // 0 left, 1 right
    bool nanMismatch = false;  // a NaN on one side only
    double peak = 0.0;     // largest magnitude in either signal
};

// Both buffers must have the same length.
Difference compareAudio(const Stereo& a, const Stereo& b);

}  // namespace crossplatform
