// The effect against the independent model, sample by sample and bit for bit.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tests/glister/glister_model.h"
#include "tests/glister/glister_rig.h"

namespace glister_test {
namespace {

// Program name ("custom" for hand-set values) and sample rate.
using Case = std::tuple<std::string, float>;

void setCustom(glister::GlisterEffect& fx) {
    const float v[26] = {1, 0.3f, 0.4f, 0.8f, 1, 0.75f, 0.9f, 0.6f, 0.9f, 0.2f, 0.1f, 0.75f, 0.7f,
                         1, 1, 0.8f, 0.3f, 0.3f, 1, 1, 1, 1, 1, 0, 0, -1};
    for (int i = 0; i < 26; ++i) fx.applyParameter(i, v[i]);
}

class ModelMatch : public ::testing::TestWithParam<Case> {};

TEST_P(ModelMatch, EveryOutputSampleAndLampAgree) {
    const auto& [program, rate] = GetParam();
    // a lamp delay of 12 blocks, so the carry never touches a record just filed
    Rig rig(rate, 4096, 256);
    if (program == "custom") {
        setCustom(*rig.fx);
    } else {
        const int slot = rig.slotNamed(program.c_str());
        ASSERT_GE(slot, 3) << program;
        rig.load(slot);
    }
    GlisterModel model(rig.values(), rate);
    const Stereo in = musicSignal(9000, program == "custom" ? 1.6f : 0.9f);
    Stereo expected = testing_support::makeStereo(in.size());
    Stereo got = testing_support::makeStereo(in.size());
    const int block = 333;
    int lampsLit = 0, mismatches = 0;
    for (size_t start = 0; start < in.size(); start += block) {
        const int n = static_cast<int>(std::min<size_t>(block, in.size() - start));
        const auto lamps = model.process(&in.left[start], &in.right[start], &expected.left[start],
                                         &expected.right[start], n);
        float* i[2] = {const_cast<float*>(&in.left[start]), const_cast<float*>(&in.right[start])};
        float* o[2] = {&got.left[start], &got.right[start]};
        const int filed = rig.fx->indicators().writeIndex();
        rig.fx->processReplace(i, o, n);
        const double over = static_cast<double>(lamps.overCount) / n > 0.65 ? 1.0 : 0.0;
        EXPECT_EQ(rig.fx->indicators().overEnhancedAt(filed), over) << "block at " << start;
        EXPECT_EQ(rig.fx->indicators().clippedAt(filed), lamps.clip ? 1.0 : 0.0) << "block at " << start;
        lampsLit += lamps.clip + (over > 0);
    }
    for (size_t k = 0; k < in.size(); ++k) {
        if (got.left[k] != expected.left[k] || got.right[k] != expected.right[k]) {
            if (mismatches++ == 0)
                ADD_FAILURE() << "first difference at " << k << ": " << got.left[k] << " / " << expected.left[k]
                              << ", " << got.right[k] << " / " << expected.right[k];
        }
    }
    EXPECT_EQ(mismatches, 0);
    if (program == "custom") {
        EXPECT_GT(lampsLit, 0);  // the loud case does reach the lamps
    }
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ModelMatch,
    ::testing::Combine(::testing::Values("mix1", "mix2", "acc guitar3", "vocal1", "drums1", "drums2", "Universal2",
                                         "Universal3", "hissRem1", "hissRem4", "transients2", "stereoEnh1",
                                         "harmonics3", "custom"),
                       ::testing::Values(44100.0f, 32000.0f, 96000.0f, 192000.0f)),
    [](const auto& info) {
        std::string name = std::get<0>(info.param) + "_" + std::to_string(static_cast<int>(std::get<1>(info.param)));
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(ModelMatch, SecondInputUnconnectedFeedsBothSidesFromTheLeft) {
    for (const char* program : {"mix1", "harmonics4"}) {
        Rig rig(44100.0f, 0, 0, /*input2=*/false);
        ASSERT_FALSE(rig.fx->input2Connected());
        rig.load(rig.slotNamed(program));
        GlisterModel model(rig.values(), 44100.0, false);
        Stereo in = musicSignal(4000, 0.8f);
        Stereo garbage = in;
        for (float& x : garbage.right) x = 1e30f;  // never read
        const Stereo got = rig.run(garbage, 512);
        Stereo expected = testing_support::makeStereo(in.size());
        model.process(in.left.data(), nullptr, expected.left.data(), expected.right.data(), 4000);
        EXPECT_EQ(got.left, expected.left) << program;
        EXPECT_EQ(got.right, got.left) << program;
    }
}

}  // namespace
}  // namespace glister_test
