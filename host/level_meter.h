// Peak and RMS of a stream of interleaved frames, over all channels.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace host {

class LevelMeter {
public:
    void add(const float* interleaved, int64_t frames, int channels) {
        for (int64_t i = 0; i < frames * channels; ++i) {
            double x = interleaved[i];
            peak_ = std::max(peak_, std::fabs(x));
            sumOfSquares_ += x * x;
        }
        samples_ += frames * channels;
    }
    double peak() const { return peak_; }
    double rms() const { return samples_ > 0 ? std::sqrt(sumOfSquares_ / static_cast<double>(samples_)) : 0.0; }

private:
    double peak_ = 0;
    double sumOfSquares_ = 0;
    int64_t samples_ = 0;
};

// A linear level in dBFS; silence reads as -inf.
inline double toDbfs(double level) { return 20.0 * std::log10(level); }

}  // namespace host
