// The pieces of the cross-platform test host: raw files, the comparison, the
// fixed test signal and the render settings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "tests/crossplatform/raw_audio.h"
#include "tests/crossplatform/render_settings.h"
#include "tests/crossplatform/test_signal.h"

namespace {

using namespace crossplatform;

std::string tempPath(const std::string& name) { return ::testing::TempDir() + "xp_support_" + name; }

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    if (!bytes.empty()) {
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    }
    std::fclose(f);
}

TEST(RawAudio, RoundTripKeepsEveryBit) {
    const float inf = std::numeric_limits<float>::infinity();
    Stereo a{{0.5f, -0.0f, 1e-40f, inf}, {-1.25f, 3.0e38f, -inf, 0.1f}};
    const std::string path = tempPath("round.raw");
    ASSERT_EQ(writeRaw(path, a), "");
    Stereo b;
    ASSERT_EQ(readRaw(path, b), "");
    ASSERT_EQ(b.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(std::signbit(a.left[i]), std::signbit(b.left[i]));
        EXPECT_EQ(a.left[i], b.left[i]);
        EXPECT_EQ(a.right[i], b.right[i]);
    }
    // interleaved left, right: the second float of the file is the first right sample
    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    float first[2] = {};
    ASSERT_EQ(std::fread(first, sizeof(float), 2, f), 2u);
    std::fclose(f);
    EXPECT_EQ(first[0], 0.5f);
    EXPECT_EQ(first[1], -1.25f);
    std::remove(path.c_str());
}

TEST(RawAudio, RefusesFilesThatAreNotStereoFrames) {
    Stereo out;
    EXPECT_NE(readRaw(tempPath("missing.raw"), out), "");
    const std::string empty = tempPath("empty.raw"), odd = tempPath("odd.raw"), ragged = tempPath("ragged.raw");
    writeBytes(empty, {});
    writeBytes(odd, std::vector<unsigned char>(12, 0));  // three floats
    writeBytes(ragged, std::vector<unsigned char>(10, 0));
    EXPECT_NE(readRaw(empty, out).find("no audio"), std::string::npos);
    EXPECT_NE(readRaw(odd, out).find("whole stereo frames"), std::string::npos);
    EXPECT_NE(readRaw(ragged, out).find("whole stereo frames"), std::string::npos);
    EXPECT_NE(writeRaw(tempPath("uneven.raw"), Stereo{{1.0f, 2.0f}, {1.0f}}), "");
    EXPECT_NE(writeRaw(tempPath("no-such-dir/x.raw"), Stereo{{1.0f}, {1.0f}}), "");
    for (const auto& p : {empty, odd, ragged}) std::remove(p.c_str());
}

TEST(CompareAudio, FindsTheLargestDifferenceAndWhere) {
    Stereo a{{0.0f, 0.5f, -0.25f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.75f}};
    Stereo b = a;
    b.left[1] = 0.5f + 1e-6f;
    b.right[3] = 0.75f - 3e-6f;
    const Difference d = compareAudio(a, b);
    EXPECT_NEAR(d.largest, 3e-6, 1e-7);
    EXPECT_EQ(d.frame, 3u);
    EXPECT_EQ(d.channel, 1);
    EXPECT_FALSE(d.nanMismatch);
    EXPECT_NEAR(d.peak, 0.75, 1e-6);
    EXPECT_EQ(compareAudio(a, a).largest, 0.0);
}

TEST(CompareAudio, SpecialValues) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    Stereo a{{inf, nan, 0.0f}, {0.0f, 0.0f, 0.0f}};
    Stereo b{{inf, nan, 0.0f}, {0.0f, 0.0f, 0.0f}};
    Difference d = compareAudio(a, b);
    EXPECT_EQ(d.largest, 0.0);  // equal infinities, NaN on both sides
    EXPECT_FALSE(d.nanMismatch);
    b.right[2] = nan;
    EXPECT_TRUE(compareAudio(a, b).nanMismatch);
    b = a;
    b.left[0] = 1.0f;
    EXPECT_TRUE(std::isinf(compareAudio(a, b).largest));
}

TEST(TestSignal, SameSamplesEveryTimeAndForEveryLength) {
    const Stereo a = testSignal(50000), b = testSignal(50000), shorter = testSignal(1234);
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.right, b.right);
    ASSERT_EQ(shorter.size(), 1234u);
    EXPECT_TRUE(std::equal(shorter.left.begin(), shorter.left.end(), a.left.begin()));
    EXPECT_TRUE(std::equal(shorter.right.begin(), shorter.right.end(), a.right.begin()));
}

TEST(TestSignal, QuietLoudAndSilentSectionsOnTwoDifferentChannels) {
    const Stereo s = testSignal(88200);
    auto peak = [&](size_t from, size_t to) {
        double p = 0.0;
        for (size_t i = from; i < to; ++i) p = std::fmax(p, std::fmax(std::fabs(s.left[i]), std::fabs(s.right[i])));
        return p;
    };
    const size_t q = 11025;  // a quarter second
    EXPECT_GT(peak(0, q), 0.02);
    EXPECT_LE(peak(0, q), 0.05);
    EXPECT_GT(peak(2 * q + 64, 3 * q), 1.0);  // past full scale
    EXPECT_LE(peak(2 * q, 3 * q), 1.25);
    EXPECT_EQ(peak(3 * q + 64, 4 * q), 0.0);  // silence after the ramp
    EXPECT_GT(peak(4 * q, 5 * q), 0.1);
    EXPECT_EQ(peak(6 * q + 64, 7 * q), 0.0);
    EXPECT_GT(peak(7 * q, 8 * q), 0.5);
    EXPECT_NE(s.left, s.right);
    // the envelope ramps into a section instead of jumping
    EXPECT_LT(std::fabs(s.left[2 * q + 1]), 0.6);
}

TEST(RenderSettings, ParsesEveryOption) {
    RenderSettings s;
    ASSERT_EQ(parseSettings({"--set", "spread", "--param", "3=0.25", "--param", "0=1", "--rate", "48000", "--block", "77"}, s), "");
    EXPECT_EQ(s.set, "spread");
    ASSERT_EQ(s.params.size(), 2u);
    EXPECT_EQ(s.params[0].first, 3);
    EXPECT_EQ(s.params[0].second, 0.25f);
    EXPECT_EQ(s.params[1].first, 0);
    EXPECT_EQ(s.params[1].second, 1.0f);
    EXPECT_EQ(s.rate, 48000.0f);
    EXPECT_EQ(s.blockSize, 77);
    RenderSettings defaults;
    ASSERT_EQ(parseSettings({}, defaults), "");
    EXPECT_EQ(defaults.set, "initial");
    EXPECT_EQ(defaults.blockSize, 256);
}

TEST(RenderSettings, RefusesBadOptions) {
    const std::vector<std::vector<std::string>> bad = {
        {"--set", "loud"},     {"--set"},           {"--param", "3"},       {"--param", "3=1.5"},
        {"--param", "-1=0.5"}, {"--param", "x=0.5"}, {"--param", "2.5=0.5"}, {"--param", "3=nan"},
        {"--rate", "0"},       {"--rate", "44k"},    {"--block", "0"},       {"--block", "12.5"},
        {"--volume", "1"},     {"spread"},
    };
    for (const auto& args : bad) {
        RenderSettings s;
        EXPECT_NE(parseSettings(args, s), "") << args[0] << " " << (args.size() > 1 ? args[1] : "");
    }
}

// A record that keeps what setParameter received.
std::vector<std::pair<VstInt32, float>> received;
void VSTCALLBACK keepParameter(AEffect*, VstInt32 index, float value) { received.emplace_back(index, value); }

TEST(RenderSettings, AppliesTheSetThenTheSingleValues) {
    AEffect effect{};
    effect.numParams = 12;
    effect.setParameter = keepParameter;
    RenderSettings s;
    s.set = "spread";
    s.params = {{4, 0.125f}};
    received.clear();
    ASSERT_EQ(applySettings(&effect, s), "");
    ASSERT_EQ(received.size(), 13u);
    EXPECT_EQ(received[0], (std::pair<VstInt32, float>{0, 0.3f}));
    EXPECT_EQ(received[1], (std::pair<VstInt32, float>{1, 1.0f}));
    EXPECT_EQ(received[11], (std::pair<VstInt32, float>{11, 0.3f}));
    for (size_t i = 0; i < 12; ++i) {
        EXPECT_GE(received[i].second, 0.0f);
        EXPECT_LE(received[i].second, 1.0f);
    }
    EXPECT_EQ(received[12], (std::pair<VstInt32, float>{4, 0.125f}));

    s.set = "initial";
    s.params = {{12, 0.5f}};
    received.clear();
    EXPECT_NE(applySettings(&effect, s), "");
    EXPECT_TRUE(received.empty());
}

}  // namespace
