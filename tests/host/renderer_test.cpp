#include "host/renderer.h"

#include "host/audio_file_reader.h"
#include "host/host_error.h"
#include "host_support.h"

namespace host::test {
namespace {

constexpr int kFakeLatency = 100;

// An in-memory source.
class VectorSource : public AudioSource {
public:
    VectorSource(int channels, size_t frames) : channels_(channels) {
        for (size_t i = 0; i < frames; ++i) {
            for (int c = 0; c < channels; ++c) samples_.push_back(testSignal(i, c));
        }
    }
    int channels() const override { return channels_; }
    double sampleRate() const override { return 44100; }
    int64_t frames() const override { return static_cast<int64_t>(samples_.size()) / channels_; }
    int64_t read(float* out, int64_t count) override {
        int64_t n = std::min(count, frames() - position_);
        std::copy_n(samples_.begin() + position_ * channels_, n * channels_, out);
        position_ += n;
        return n;
    }

private:
    int channels_;
    std::vector<float> samples_;
    int64_t position_ = 0;
};

struct Case {
    int blockSize;
    size_t frames;
};

class HostRenderer : public ScratchTest, public ::testing::WithParamInterface<Case> {
protected:
    Audio renderFake(int channels, size_t frames, RenderOptions options, RenderStats* stats = nullptr) {
        std::unique_ptr<Plugin> plugin = Plugin::load(FAKE_DELAY_PATH);
        VectorSource source(channels, frames);
        checkRoute(*plugin, source);
        AudioFileWriter writer(file("out.wav").string(), outputChannels(*plugin), 44100);
        RenderStats result = render(*plugin, source, writer, options);
        writer.commit();
        if (stats != nullptr) *stats = result;
        return readAudio(file("out.wav"));
    }
};

TEST_P(HostRenderer, CompensatedOutputLinesUpWithTheInput) {
    RenderOptions options;
    options.blockSize = GetParam().blockSize;
    RenderStats stats;
    Audio out = renderFake(2, GetParam().frames, options, &stats);
    EXPECT_EQ(stats.latency, kFakeLatency);
    ASSERT_EQ(out.frames(), GetParam().frames);
    for (size_t i = 0; i < out.frames(); ++i) {
        ASSERT_EQ(out.at(i, 0), testSignal(i, 0)) << "frame " << i;
        ASSERT_EQ(out.at(i, 1), testSignal(i, 1)) << "frame " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(BlockSizes, HostRenderer,
                         ::testing::Values(Case{1, 1000}, Case{64, 1000}, Case{100, 1000}, Case{4096, 1000},
                                           Case{512, 50}, Case{7, 44100}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return "Block" + std::to_string(info.param.blockSize) + "Frames" +
                                    std::to_string(info.param.frames);
                         });

TEST_F(HostRenderer, KeptLatencyDelaysAndLengthensTheOutput) {
    RenderOptions options;
    options.blockSize = 64;
    options.keepLatency = true;
    Audio out = renderFake(2, 500, options);
    ASSERT_EQ(out.frames(), 500u + kFakeLatency);
    for (size_t i = 0; i < kFakeLatency; ++i) ASSERT_EQ(out.at(i, 0), 0.0f);
    for (size_t i = 0; i < 500; ++i) ASSERT_EQ(out.at(i + kFakeLatency, 0), testSignal(i, 0));
}

TEST_F(HostRenderer, MonoFeedsTheLeftInputAndReportsTheSecondDisconnected) {
    Audio out = renderFake(1, 600, RenderOptions{});
    ASSERT_EQ(out.channels, 2);
    ASSERT_EQ(out.frames(), 600u);
    for (size_t i = 0; i < 600; ++i) {
        ASSERT_EQ(out.at(i, 0), testSignal(i, 0));
        ASSERT_EQ(out.at(i, 1), -0.25f) << "the fake marks a disconnected second input";
    }
}

TEST_F(HostRenderer, RefusesMoreChannelsThanItRenders) {
    std::unique_ptr<Plugin> plugin = Plugin::load(FAKE_DELAY_PATH);
    VectorSource three(3, 10);
    EXPECT_THROW(checkRoute(*plugin, three), HostError);
}

}  // namespace
}  // namespace host::test
