// tarn render and tarn demo through the executable, with the fake delay.
#include <gmock/gmock.h>

#include <cctype>
#include <cstdlib>
#include <sstream>

#include "host_support.h"

namespace host::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class CliRender : public ScratchTest {
protected:
    TarnRun render(const std::string& arguments) {
        return runTarn("render " + quoted(FAKE_DELAY_PATH) + " " + arguments);
    }
};

TEST_F(CliRender, OutputLinesUpWithTheInputInEveryFormat) {
    writeWav(file("in.wav"), 2, 44100, 3000, testSignal);
    TarnRun run = render(quoted(file("in.wav")) + " " + quoted(file("out.wav")) + " --block 37");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("3000 frames, 2 channel(s), latency 100 compensated"));
    Audio out = readAudio(file("out.wav"));
    ASSERT_EQ(out.frames(), 3000u);
    for (size_t i = 0; i < 3000; ++i) ASSERT_EQ(out.at(i, 1), testSignal(i, 1)) << i;

    for (const char* name : {"out.flac", "out.aiff", "out.ogg"}) {
        ASSERT_EQ(render(quoted(file("in.wav")) + " " + quoted(file(name))).exitCode, 0) << name;
        EXPECT_EQ(readAudio(file(name)).frames(), 3000u) << name;
    }
    Audio flac = readAudio(file("out.flac"));
    EXPECT_NEAR(flac.at(1234, 0), testSignal(1234, 0), 1e-6);
}

TEST_F(CliRender, ProgramThenSettingsReachThePlugin) {
    writeWav(file("in.wav"), 2, 44100, 500, testSignal);
    ASSERT_EQ(render(quoted(file("in.wav")) + " " + quoted(file("half.wav")) + " --program Half").exitCode, 0);
    ASSERT_EQ(render(quoted(file("in.wav")) + " " + quoted(file("quarter.wav")) + " --program 1 --set gain=0.25")
                  .exitCode,
              0);
    Audio half = readAudio(file("half.wav")), quarter = readAudio(file("quarter.wav"));
    for (size_t i = 0; i < 500; ++i) {
        ASSERT_EQ(half.at(i, 0), testSignal(i, 0) * 0.5f);
        ASSERT_EQ(quarter.at(i, 0), testSignal(i, 0) * 0.25f);
    }
}

TEST_F(CliRender, KeepLatencyAndTheDemoSignalAtAnotherRate) {
    TarnRun run = render(quoted(file("demo.wav")) + " --rate 48000 --keep-latency");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    Audio out = readAudio(file("demo.wav"));
    EXPECT_EQ(out.sampleRate, 48000);
    EXPECT_EQ(out.frames(), 8u * 48000u + 100u);
    for (size_t i = 0; i < 100; ++i) ASSERT_EQ(out.at(i, 0), 0.0f);
}

TEST_F(CliRender, MonoInputGivesTheDisconnectedMarkerOnTheRight) {
    writeWav(file("mono.wav"), 1, 44100, 300, testSignal);
    ASSERT_EQ(render(quoted(file("mono.wav")) + " " + quoted(file("out.wav"))).exitCode, 0);
    Audio out = readAudio(file("out.wav"));
    ASSERT_EQ(out.channels, 2);
    EXPECT_EQ(out.at(10, 0), testSignal(10, 0));
    EXPECT_EQ(out.at(10, 1), -0.25f);
}

// 24-bit FLAC clips what lies beyond full scale: tarn counts it on stderr and
// reports the peak the file holds; a float WAV keeps it all.
TEST_F(CliRender, FixedPointOutputClipsAndSaysHowMuch) {
    auto loud = [](size_t frame, int channel) { return channel == 0 && frame < 100 ? 1.5f : 0.25f; };
    writeWav(file("loud.wav"), 2, 44100, 1000, loud);
    TarnRun flac = render(quoted(file("loud.wav")) + " " + quoted(file("out.flac")));
    ASSERT_EQ(flac.exitCode, 0) << flac.output;
    EXPECT_THAT(flac.output, HasSubstr("tarn: warning: 100 of 2000 samples (5.00%) clipped at full scale"));
    EXPECT_THAT(flac.output, HasSubstr("output peaks at +3.5 dBFS, 24-bit FLAC holds at most 0 dBFS"));
    EXPECT_THAT(flac.output, HasSubstr("peak 0.0 dBFS (clipped)"));
    Audio clipped = readAudio(file("out.flac"));
    EXPECT_NEAR(clipped.at(50, 0), 1.0f, 1e-6);
    EXPECT_NEAR(clipped.at(500, 0), 0.25f, 1e-6);

    TarnRun wav = render(quoted(file("loud.wav")) + " " + quoted(file("out.wav")));
    ASSERT_EQ(wav.exitCode, 0) << wav.output;
    EXPECT_THAT(wav.output, Not(HasSubstr("warning")));
    EXPECT_THAT(wav.output, HasSubstr("peak 3.5 dBFS\n"));
    EXPECT_EQ(readAudio(file("out.wav")).at(50, 0), 1.5f);
}

TEST_F(CliRender, DemoWithNothingBuiltSaysSo) {
    std::filesystem::create_directories(file("empty"));
    std::string environment = "TARN_PLUGIN_DIR=" + quoted(file("empty")) + " HOME=" + quoted(dir_) + " VST_PATH=";
    TarnRun run = runTarn("demo " + quoted(file("demo")), environment);
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_THAT(run.output, HasSubstr("Tarn Brisker  not built, skipped"));
    EXPECT_THAT(run.output, HasSubstr("tarn: no Tarn plug-in is built"));
}

}  // namespace
}  // namespace host::test

namespace host::test {
namespace {

class CliDemo : public ScratchTest {};

// Every Tarn plug-in of this build goes through the demo, each preset's
// parameter names resolve (no warnings) and every render lands on disk.
TEST_F(CliDemo, RendersEveryTarnPluginOfTheBuild) {
    const char* buildDir = std::getenv("TARN_PLUGIN_DIR");
    ASSERT_NE(buildDir, nullptr);
    std::string environment = "HOME=" + quoted(dir_) + " VST_PATH=";
    TarnRun run = runTarn("demo " + quoted(file("demo")), environment);
    int built = 0;
    for (const char* name : {"brisker", "glister", "rumbler", "emberon"}) {
        bool present = std::filesystem::exists(std::filesystem::path(buildDir) / ("tarn_" + std::string(name) + ".so"));
        std::string title = std::string("Tarn ") + static_cast<char>(std::toupper(name[0])) + (name + 1);
        bool skipped = run.output.find(title + "  not built, skipped") != std::string::npos;
        EXPECT_EQ(skipped, !present) << title;
        if (!present) continue;
        ++built;
        size_t renders = 0;
        for (const auto& entry : std::filesystem::directory_iterator(file("demo"))) {
            renders += entry.path().filename().string().rfind(std::string(name) + "-", 0) == 0;
        }
        EXPECT_GE(renders, 3u) << title;
    }
    EXPECT_EQ(run.exitCode, built > 0 ? 0 : 1) << run.output;
    EXPECT_EQ(run.output.find("warning"), std::string::npos) << run.output;

    // "!" follows the output peak exactly where it is above full scale
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        double inPeak = 0, inRms = 0;
        std::string outPeak;
        if (line.rfind("  ", 0) != 0 || line.size() < 30) continue;
        if (!(std::istringstream(line.substr(28)) >> inPeak >> inRms >> outPeak)) continue;
        if (outPeak.back() == '!') {
            EXPECT_GE(std::stod(outPeak), 0.0) << line;
        } else {
            EXPECT_LE(std::stod(outPeak), 0.0) << line;
        }
    }
}

}  // namespace
}  // namespace host::test
