#include "host/process_harness.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "host/host_error.h"

namespace host {

ProcessHarness::ProcessHarness(const std::string& pluginPath, float sampleRate, int maxBlock)
    : plugin_(Plugin::load(pluginPath)), sampleRate_(sampleRate), maxBlock_(maxBlock) {
    size_t inputPins = static_cast<size_t>(std::max(plugin_->numInputs(), 2));
    size_t outputPins = static_cast<size_t>(std::max(plugin_->numOutputs(), 2));
    inputs_.assign(inputPins, std::vector<float>(kMaxBlock));
    outputs_.assign(outputPins, std::vector<float>(kMaxBlock));
    for (auto& channel : inputs_) inputPointers_.push_back(channel.data());
    for (auto& channel : outputs_) outputPointers_.push_back(channel.data());
    plugin_->configure(sampleRate, maxBlock);
    plugin_->resume();
}

void ProcessHarness::restart(float sampleRate, int maxBlock) {
    plugin_->suspend();
    sampleRate_ = sampleRate;
    maxBlock_ = std::min(maxBlock, kMaxBlock);
    plugin_->configure(sampleRate, maxBlock_);
    plugin_->resume();
}

void ProcessHarness::process(int frames, const TestSignal& signal) {
    if (frames < 1 || frames > maxBlock_) throw HostError("block of " + std::to_string(frames) + " frames out of range");
    int connected = std::min(plugin_->numInputs(), static_cast<int>(inputs_.size()));
    for (int channel = 0; channel < static_cast<int>(inputs_.size()); ++channel) {
        float* in = inputs_[static_cast<size_t>(channel)].data();
        for (int i = 0; i < frames; ++i) in[i] = channel < connected ? signal(position_ + i, channel) : 0.0f;
    }
    const double start = threadCpuSeconds();
    plugin_->process(inputPointers_.data(), outputPointers_.data(), frames);
    processingSeconds_ += threadCpuSeconds() - start;
    for (int channel = 0; channel < plugin_->numOutputs(); ++channel) {
        const float* out = outputs_[static_cast<size_t>(channel)].data();
        if (record_) record_->insert(record_->end(), out, out + frames);
        for (int i = 0; i < frames; ++i) {
            if (!std::isfinite(out[i])) ++nonFinite_;
            else peak_ = std::max(peak_, static_cast<double>(std::fabs(out[i])));
        }
    }
    position_ += frames;
    framesDone_ += frames;
}

void ProcessHarness::run(int64_t frames, int blockSize, const TestSignal& signal) {
    while (frames > 0) {
        int n = static_cast<int>(std::min<int64_t>(frames, blockSize));
        process(n, signal);
        frames -= n;
    }
}

void ProcessHarness::clearStats() {
    peak_ = 0;
    nonFinite_ = 0;
    framesDone_ = 0;
    processingSeconds_ = 0;
}

float silence(int64_t, int) { return 0.0f; }

float whiteNoise(int64_t frame, int channel) {
    // a hash of the position, so that any block split gives the same signal
    uint64_t x = static_cast<uint64_t>(frame) * 2 + static_cast<uint64_t>(channel) + 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    x ^= x >> 31;
    return static_cast<float>(static_cast<double>(x >> 11) / 4503599627370496.0 - 1.0);
}

float impulses(int64_t frame, int) { return frame % 4410 == 0 ? 1.0f : 0.0f; }

float directCurrent(int64_t, int) { return 0.5f; }

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

}  // namespace host
