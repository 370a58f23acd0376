#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "emberon/emberon_effect.h"
#include "tests/support/recording_host.h"

namespace {

using emberon::EmberonEffect;
using frame::ProgramBank;
using testing_support::RecordingHost;

// Remembers what the effect tells its editor.
class NoteTakingEditor : public frame::EditorInterface {
public:
    explicit NoteTakingEditor(std::vector<std::pair<VstInt32, float>>& notes) : notes_(notes) {}
    void parameterChanged(VstInt32 index, float value) override { notes_.emplace_back(index, value); }

private:
    std::vector<std::pair<VstInt32, float>>& notes_;
};

class EmberonParams : public ::testing::Test {
protected:
    RecordingHost host;
    EmberonEffect effect{RecordingHost::callback()};

    std::string read(void (EmberonEffect::*what)(VstInt32, char*, size_t) const, VstInt32 index) {
        char buffer[64];
        std::memset(buffer, '#', sizeof buffer);
        buffer[63] = '\0';
        (effect.*what)(index, buffer, sizeof buffer);
        return buffer;
    }
    std::string text(VstInt32 index, float v) {
        effect.applyParameter(index, v);
        return read(&EmberonEffect::parameterText, index);
    }
};

TEST_F(EmberonParams, NamesAndLabelsWithTheirSpaces) {
    const char* names[] = {"process",    "input",      "output",     "drive",      "shape",
                           "mix",        "bassAdjust", "trebleAdjust", "bassFreq", "trebleFreq",
                           "trebleComp", "bassWarmth", "pre/post",   "bassOn",     "trebleOn"};
    const char* labels[] = {"         ", " dB   ", " dB   ",  " %     ", "       ", "         ", " dB   ", " dB   ",
                            " Hz   ",    " Hz    ", " %    ", " %    ", "         ", "         ", "         "};
    for (VstInt32 i = 0; i < emberon::kHostParams; ++i) {
        EXPECT_EQ(read(&EmberonEffect::parameterName, i), names[i]);
        EXPECT_EQ(read(&EmberonEffect::parameterLabel, i), labels[i]) << i;
    }
    EXPECT_EQ(read(&EmberonEffect::parameterName, emberon::kStereoMono), "stereo/mono");
    EXPECT_EQ(read(&EmberonEffect::parameterLabel, emberon::kStereoMono), "         ");
    // indices without a parameter leave the caller's text as it was
    const std::string untouched(63, '#');
    for (VstInt32 i : {15, 16, 18, -1}) {
        EXPECT_EQ(read(&EmberonEffect::parameterName, i), untouched);
        EXPECT_EQ(read(&EmberonEffect::parameterLabel, i), untouched);
        EXPECT_EQ(read(&EmberonEffect::parameterText, i), untouched);
    }
}

TEST_F(EmberonParams, GainsReadSixDecibelsPerDoubling) {
    EXPECT_EQ(text(emberon::kInput, 1.0f), "12.0");  // 6 * log2(10^0.6) = 11.96
    EXPECT_EQ(text(emberon::kInput, 0.0f), "-12.0");
    EXPECT_EQ(text(emberon::kOutput, 0.5f), "0.0");
    EXPECT_EQ(text(emberon::kBassAdjust, 0.75f), "6.0");  // 6 * log2(10^0.3) = 5.98
    EXPECT_EQ(text(emberon::kTrebleAdjust, 0.25f), "-6.0");
    EXPECT_NEAR(effect.physicalValue(emberon::kInput), std::pow(10.0, -0.6), 1e-15);
    EXPECT_NEAR(effect.physicalValue(emberon::kTrebleAdjust), std::pow(10.0, -0.3), 1e-15);
}

TEST_F(EmberonParams, CornersPercentagesAndSwitches) {
    EXPECT_EQ(text(emberon::kTrebleFreq, 0.5f), "4500");
    EXPECT_EQ(text(emberon::kTrebleFreq, 1.0f), "12000");
    EXPECT_EQ(text(emberon::kBassFreq, 0.5f), "163");  // 162.5 goes up
    EXPECT_EQ(effect.physicalValue(emberon::kBassFreq), 162.5);
    EXPECT_EQ(text(emberon::kBassFreq, 0.0f), "50");
    EXPECT_EQ(text(emberon::kDrive, 0.355f), "36");
    EXPECT_EQ(text(emberon::kMix, 1.0f), "100");
    EXPECT_EQ(text(emberon::kTrebleComp, 0.004f), "0");
    EXPECT_EQ(text(emberon::kBassWarmth, 0.125f), "13");
    EXPECT_EQ(text(emberon::kProcess, 0.5f), "on");
    EXPECT_EQ(text(emberon::kBassOn, 0.49f), "off");
    EXPECT_EQ(text(emberon::kTrebleOn, 1.0f), "on");
    EXPECT_EQ(text(emberon::kPrePost, 1.0f), "1.000000");
    EXPECT_EQ(text(emberon::kStereoMono, 0.25f), "0.250000");
}

TEST_F(EmberonParams, ShapeSnapsToItsModels) {
    EXPECT_EQ(text(emberon::kShape, 0.07f), "none");
    EXPECT_EQ(effect.parameterValue(emberon::kShape), 0.0f);
    EXPECT_EQ(text(emberon::kShape, 0.0715f), "valve1");  // 7v + 0.5 >= 1
    EXPECT_EQ(effect.parameterValue(emberon::kShape), static_cast<float>(1.0 / 7.0));
    EXPECT_EQ(text(emberon::kShape, 5.0f / 7.0f), "tape2");
    EXPECT_EQ(effect.physicalValue(emberon::kShape), 5.0);
    EXPECT_EQ(text(emberon::kShape, 1.0f), "digital");
    EXPECT_EQ(effect.parameterValue(emberon::kShape), 1.0f);
    EXPECT_EQ(effect.bank().param(ProgramBank::kCurrent, emberon::kShape), 1.0f);
    // out of range: the nearest end, never past the curve table
    EXPECT_EQ(text(emberon::kShape, 3.0f), "digital");
    EXPECT_EQ(effect.parameterValue(emberon::kShape), 1.0f);
    EXPECT_EQ(text(emberon::kShape, -2.0f), "none");
    EXPECT_EQ(effect.parameterValue(emberon::kShape), 0.0f);
}

TEST_F(EmberonParams, StoredValuesAndUnusedIndices) {
    std::vector<std::pair<VstInt32, float>> notes;
    effect.attachEditor(new NoteTakingEditor(notes));
    effect.applyParameter(emberon::kPrePost, 2.0f);
    EXPECT_EQ(effect.parameterValue(emberon::kPrePost), 2.0f);
    EXPECT_EQ(effect.bank().param(ProgramBank::kCurrent, emberon::kPrePost), 2.0f);
    effect.applyParameter(16, 0.7f);
    effect.applyParameter(15, 0.7f);
    EXPECT_EQ(effect.parameterValue(16), 0.0f);
    EXPECT_EQ(effect.parameterValue(15), 0.0f);
    EXPECT_EQ(effect.parameterValue(40), 0.0f);
    const std::vector<std::pair<VstInt32, float>> expected = {{12, 2.0f}, {16, 0.7f}, {15, 0.7f}};
    EXPECT_EQ(notes, expected);
}

TEST_F(EmberonParams, StereoMonoIsOneGlobalValue) {
    effect.applyParameter(emberon::kStereoMono, 1.0f);
    for (int slot = 0; slot < emberon::kBankSlots; ++slot)
        EXPECT_EQ(effect.bank().param(slot, emberon::kStereoMono), 1.0f);
    effect.pickProgram(5);  // "mix1"
    EXPECT_STREQ(effect.bank().name(ProgramBank::kCurrent), "mix1");
    EXPECT_EQ(effect.parameterValue(emberon::kStereoMono), 1.0f);
    effect.applyParameter(emberon::kStereoMono, -3.0f);
    EXPECT_EQ(effect.parameterValue(emberon::kStereoMono), 0.0f);
    EXPECT_EQ(effect.bank().param(20, emberon::kStereoMono), 0.0f);
}

TEST_F(EmberonParams, SwitchPropertiesForProcessBassOnTrebleOnOnly) {
    for (VstInt32 i = 0; i < 18; ++i) {
        VstParameterProperties p{};
        const bool isSwitch = i == 0 || i == 13 || i == 14;
        EXPECT_EQ(effect.dispatch(effGetParameterProperties, i, 0, &p, 0.0f), isSwitch ? 1 : 0) << i;
        if (!isSwitch) continue;
        EXPECT_EQ(p.stepFloat, 1.0f);
        EXPECT_EQ(p.largeStepFloat, 1.0f);
        EXPECT_EQ(p.flags, 5);
    }
    VstParameterProperties trebleOn{};
    effect.dispatch(effGetParameterProperties, emberon::kTrebleOn, 0, &trebleOn, 0.0f);
    EXPECT_STREQ(trebleOn.label, "trebleOn");
    EXPECT_STREQ(trebleOn.shortLabel, "trebleO");
}

// ---- programs --------------------------------------------------------------

TEST_F(EmberonParams, FactoryBankAsBuilt) {
    const ProgramBank& bank = effect.bank();
    ASSERT_EQ(bank.size(), 34);
    EXPECT_EQ(bank.recordBytes(), 96u);
    EXPECT_STREQ(bank.name(0), "Current");
    EXPECT_STREQ(bank.name(2), "Memo B");
    EXPECT_STREQ(bank.name(15), "mastering tape boost 1");
    EXPECT_STREQ(bank.name(33), "digital");
    for (int slot = 0; slot < bank.size(); ++slot) {
        EXPECT_EQ(bank.param(slot, emberon::kMix), 1.0f) << slot;
        EXPECT_EQ(bank.param(slot, emberon::kStereoMono), 0.0f) << slot;
        EXPECT_EQ(bank.param(slot, emberon::kProcess), 1.0f) << slot;
        EXPECT_EQ(bank.param(slot, emberon::kPrePost), 1.0f) << slot;
        // every stored shape is exactly a snapped model value
        const float shape = bank.param(slot, emberon::kShape);
        EXPECT_EQ(shape, static_cast<float>(emberon::shapeModel(shape) / 7.0)) << slot;
    }
    // "mix2": both sections and tape1
    const float mix2[] = {0.5f, 0.3f, 4.0f / 7.0f, 0.6f, 0.37f, 0.7f, 0.38f, 0.11f, 0.5f, 0.5f, 1, 1, 1, 1};
    for (size_t f = 0; f < 14; ++f) EXPECT_EQ(bank.slot(6).field[f], mix2[f]) << f;
    // "big bass2": bass section only, input 0.1
    EXPECT_EQ(bank.param(27, emberon::kInput), 0.1f);
    EXPECT_EQ(bank.param(27, emberon::kBassOn), 1.0f);
    EXPECT_EQ(bank.param(27, emberon::kTrebleOn), 0.0f);
    EXPECT_EQ(bank.param(27, emberon::kShape), static_cast<float>(5.0 / 7.0));
    // the constructor applied "Current"
    EXPECT_EQ(effect.parameterValue(emberon::kShape), static_cast<float>(1.0 / 7.0));
    EXPECT_EQ(effect.parameterValue(emberon::kPrePost), 1.0f);
}

TEST_F(EmberonParams, ProgramLoadAutomatesInFieldOrderWithoutHiddenIndex) {
    host.clear();
    effect.pickProgram(18);  // "hot valve1"
    const std::vector<VstInt32> order = {1, 3, 4, 9, 10, 7, 8, 11, 6, 2, 12, 0, 13, 14, 5};
    std::vector<VstInt32> begun, automated, ended;
    for (const auto& c : host.calls) {
        if (c.opcode == audioMasterBeginEdit) begun.push_back(c.index);
        if (c.opcode == audioMasterEndEdit) ended.push_back(c.index);
        if (c.opcode == audioMasterAutomate) automated.push_back(c.index);
    }
    EXPECT_EQ(begun, order);
    EXPECT_EQ(ended, order);
    ASSERT_EQ(automated.size(), 2 * order.size());
    EXPECT_EQ(std::vector<VstInt32>(automated.begin() + 15, automated.end()), order);
    EXPECT_EQ(effect.parameterValue(emberon::kDrive), 1.0f);
    EXPECT_EQ(effect.physicalValue(emberon::kShape), 1.0);
}

TEST_F(EmberonParams, StepWrapsAtThirtyFourAndCopyStopsThere) {
    EXPECT_EQ(effect.stepProgram(0, -1), 33);
    EXPECT_STREQ(effect.bank().name(ProgramBank::kCurrent), "digital");
    EXPECT_EQ(effect.stepProgram(33, 1), 0);
    EXPECT_EQ(effect.dispatch(effCopyProgram, 33, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(effect.dispatch(effCopyProgram, 34, 0, nullptr, 0.0f), 0);
    char name[32] = "unchanged";
    EXPECT_EQ(effect.dispatch(effGetProgramNameIndexed, 34, 0, name, 0.0f), 0);
    EXPECT_STREQ(name, "unchanged");
}

}  // namespace
