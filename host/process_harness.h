// A plug-in loaded, configured and resumed for checks, with planar buffers
// for every pin and a record of what came out: peak and non-finite samples.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/plugin.h"

namespace host {

// One test input sample for a frame of the stream and an input channel.
using TestSignal = std::function<float(int64_t frame, int channel)>;

class ProcessHarness {
public:
    static constexpr int kMaxBlock = 8192;

    // Loads the plug-in and resumes it at sampleRate with blocks up to maxBlock.
    explicit ProcessHarness(const std::string& pluginPath, float sampleRate = 44100.0f, int maxBlock = kMaxBlock);

    Plugin& plugin() { return *plugin_; }
    float sampleRate() const { return sampleRate_; }

    // Suspends, applies the new rate and largest block, resumes.
    void restart(float sampleRate, int maxBlock);
    // One processing call of frames (at most the largest block) fed from signal.
    void process(int frames, const TestSignal& signal);
    // Calls of blockSize frames until frames have been processed.
    void run(int64_t frames, int blockSize, const TestSignal& signal);

    // Since the last clearStats: largest finite output magnitude, non-finite samples,
    // and the CPU time of this thread inside the plug-in's processing calls.
    double peak() const { return peak_; }
    int64_t nonFinite() const { return nonFinite_; }
    int64_t framesDone() const { return framesDone_; }
    double processingSeconds() const { return processingSeconds_; }
    void clearStats();
    // Appends every output sample from now on (each block channel after channel); null stops.
    void recordInto(std::vector<float>* sink) { record_ = sink; }

private:
    std::unique_ptr<Plugin> plugin_;
    float sampleRate_;
    int maxBlock_;
    int64_t position_ = 0;  // frames fed since loading, the signal's clock
    std::vector<std::vector<float>> inputs_, outputs_;
    std::vector<float*> inputPointers_, outputPointers_;
    double peak_ = 0;
    int64_t nonFinite_ = 0;
    int64_t framesDone_ = 0;
    double processingSeconds_ = 0;
    std::vector<float>* record_ = nullptr;
};

// Test signals, all at most full scale.
float silence(int64_t frame, int channel);
float whiteNoise(int64_t frame, int channel);          // full-scale, deterministic
float impulses(int64_t frame, int channel);           // a full-scale click every 4410 frames
float directCurrent(int64_t frame, int channel);      // +0.5 on every channel

// The CPU time the calling thread has used, in seconds.
double threadCpuSeconds();

}  // namespace host
