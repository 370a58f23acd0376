// A stream of interleaved float frames the renderer pulls block by block.
#pragma once

#include <cstdint>

namespace host {

class AudioSource {
public:
    virtual ~AudioSource() = default;
    virtual int channels() const = 0;
    virtual double sampleRate() const = 0;
    virtual int64_t frames() const = 0;
    // Reads up to count frames into interleaved; answers the frames read, 0 at the end.
    virtual int64_t read(float* interleaved, int64_t count) = 0;
};

}  // namespace host
