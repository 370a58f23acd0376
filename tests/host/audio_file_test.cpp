#include <sndfile.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "host/audio_file_reader.h"
#include "host/audio_file_writer.h"
#include "host/demo_signal.h"
#include "host/host_error.h"
#include "host/level_meter.h"
#include "host_support.h"

namespace host::test {
namespace {

class HostAudioFile : public ScratchTest {};

TEST_F(HostAudioFile, NothingAppearsUntilCommit) {
    std::vector<float> block(2 * 64, 0.25f);
    {
        AudioFileWriter writer(file("out.wav").string(), 2, 44100);
        writer.write(block.data(), 64);
        EXPECT_FALSE(std::filesystem::exists(file("out.wav")));
        ASSERT_EQ(listing().size(), 1u);  // the temporary file only
    }
    EXPECT_TRUE(listing().empty()) << "an abandoned writer must leave nothing behind";

    AudioFileWriter writer(file("out.wav").string(), 2, 44100);
    writer.write(block.data(), 64);
    writer.commit();
    EXPECT_EQ(listing(), std::vector<std::string>{"out.wav"});
    Audio audio = readAudio(file("out.wav"));
    EXPECT_EQ(audio.frames(), 64u);
    EXPECT_EQ(audio.at(63, 1), 0.25f);
}

TEST_F(HostAudioFile, FormatFollowsTheExtension) {
    EXPECT_EQ(outputFormatFor("a.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(outputFormatFor("a.WAV"), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(outputFormatFor("noextension"), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(outputFormatFor("a.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    EXPECT_EQ(outputFormatFor("a.aiff"), SF_FORMAT_AIFF | SF_FORMAT_FLOAT);
    EXPECT_EQ(outputFormatFor("a.ogg"), SF_FORMAT_OGG | SF_FORMAT_VORBIS);
    EXPECT_THROW(outputFormatFor("a.mp3"), HostError);
}

TEST_F(HostAudioFile, EveryOutputFormatReadsBack) {
    DemoSignal signal;
    std::vector<float> block(2 * 4410);
    signal.read(block.data(), 4410);
    for (const char* name : {"x.wav", "x.flac", "x.aiff", "x.ogg"}) {
        AudioFileWriter writer(file(name).string(), 2, 44100);
        writer.write(block.data(), 4410);
        writer.commit();
        AudioFileReader reader(file(name).string());
        EXPECT_EQ(reader.channels(), 2) << name;
        EXPECT_EQ(reader.frames(), 4410) << name;
    }
}

// A float WAV's fmt chunk carries the extension size that non-PCM formats
// need (18 bytes, the extension empty), so readers such as sox take it
// without a warning; the samples and the PEAK chunk after it stay intact.
TEST_F(HostAudioFile, FloatWavHasTheExtendedFmtChunk) {
    std::vector<float> block(2 * 3000);
    for (size_t i = 0; i < block.size(); ++i) block[i] = testSignal(i / 2, static_cast<int>(i % 2)) * 1.5f;
    AudioFileWriter writer(file("x.wav").string(), 2, 44100);
    writer.write(block.data(), 3000);
    writer.commit();

    std::ifstream in(file("x.wav"), std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 44u);
    auto u32 = [&](size_t at) { return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24; };
    EXPECT_EQ(std::string(bytes.begin() + 12, bytes.begin() + 16), "fmt ");
    EXPECT_EQ(u32(16), 18u);
    EXPECT_EQ(bytes[20] | bytes[21] << 8, 3) << "IEEE float";
    EXPECT_EQ(bytes[36] | bytes[37] << 8, 0) << "no extension bytes follow";
    EXPECT_EQ(u32(4), bytes.size() - 8) << "the RIFF size covers the longer chunk";

    Audio audio = readAudio(file("x.wav"));
    ASSERT_EQ(audio.samples, block);
    SF_INFO info{};
    SNDFILE* sound = sf_open(file("x.wav").c_str(), SFM_READ, &info);
    ASSERT_NE(sound, nullptr);
    double peak = 0;
    EXPECT_EQ(sf_command(sound, SFC_GET_SIGNAL_MAX, &peak, sizeof peak), SF_TRUE) << "the PEAK chunk is found";
    double expected = 0;
    for (float x : block) expected = std::max(expected, std::fabs(static_cast<double>(x)));
    EXPECT_FLOAT_EQ(peak, expected);
    sf_close(sound);
}

TEST_F(HostAudioFile, ReaderNamesTheProblem) {
    try {
        AudioFileReader reader(file("missing.wav").string());
        FAIL() << "a missing file must not open";
    } catch (const HostError& error) {
        EXPECT_NE(std::string(error.what()).find("cannot read"), std::string::npos) << error.what();
    }
}

TEST(HostDemoSignal, IsDeterministicEightSecondsAndBelowFullScale) {
    DemoSignal first, second;
    EXPECT_EQ(first.frames(), 8 * 44100);
    std::vector<float> a(2 * 1000), b(2 * 1000);
    LevelMeter meter;
    int64_t total = 0;
    while (int64_t got = first.read(a.data(), 1000)) {
        // a different block split on the second copy must not change the samples
        int64_t done = 0;
        while (done < got) done += second.read(b.data() + 2 * done, std::min<int64_t>(333, got - done));
        ASSERT_EQ(std::vector<float>(a.begin(), a.begin() + 2 * got), std::vector<float>(b.begin(), b.begin() + 2 * got));
        meter.add(a.data(), got, 2);
        total += got;
    }
    EXPECT_EQ(total, 8 * 44100);
    EXPECT_LT(meter.peak(), 0.9);
    EXPECT_GT(meter.rms(), 0.05);
}

}  // namespace
}  // namespace host::test
