// Parameters, texts and the program bank of the bass enhancer, in process.
#include <gtest/gtest.h>

#include <string>

#include "tests/rumbler/rumbler_rig.h"

namespace rumbler_test {
namespace {

using namespace rumbler;

std::string text(const RumblerEffect& fx, VstInt32 index) {
    char buf[kVstMaxParamTextLen];
    fx.parameterText(index, buf, sizeof buf);
    return buf;
}

std::string textAt(RumblerEffect& fx, VstInt32 index, float v) {
    fx.applyParameter(index, v);
    return text(fx, index);
}

TEST(RumblerParams, DisplayTextsFollowTheMappings) {
    Rig rig;
    RumblerEffect& fx = *rig.fx;
    EXPECT_EQ(textAt(fx, kThreshold, 0.0f), "-48.0");
    EXPECT_EQ(textAt(fx, kThreshold, 1.0f), "0.0");
    EXPECT_EQ(textAt(fx, kThreshold, 0.3f), "-33.6");
    EXPECT_EQ(textAt(fx, kGain, 0.75f), "6.0");
    EXPECT_EQ(textAt(fx, kGain, 0.0f), "-12.0");
    EXPECT_EQ(textAt(fx, kBass, 0.333f), "-4.0");
    EXPECT_EQ(textAt(fx, kTune, 0.5f), "165");
    EXPECT_EQ(textAt(fx, kTune, 1.0f), "600");
    EXPECT_EQ(textAt(fx, kTune, 0.0f), "20");
    EXPECT_EQ(textAt(fx, kMix, 0.333f), "33");
    EXPECT_EQ(textAt(fx, kColour, 1.0f), "100");
    EXPECT_EQ(textAt(fx, kSaturation, 0.5f), "on");
    EXPECT_EQ(textAt(fx, kSaturation, 0.49f), "off");
    EXPECT_EQ(textAt(fx, kProcess, 0.3f), "off");
    EXPECT_EQ(textAt(fx, kProcess, 0.5f), "on");
    EXPECT_EQ(text(fx, 8), "");
    EXPECT_EQ(text(fx, 11), "");
}

TEST(RumblerParams, NamesAndLabelsIncludeTheHiddenStereoMono) {
    Rig rig;
    const char* names[] = {"process", "gain", "mix", "tune", "threshold", "colour", "bass", "saturation"};
    const char* labels[] = {"    ", " dB ", " % ", " Hz ", " dB ", " % ", " dB ", "   "};
    char buf[kVstMaxParamTextLen];
    for (VstInt32 i = 0; i < 8; ++i) {
        rig.fx->parameterName(i, buf, sizeof buf);
        EXPECT_STREQ(buf, names[i]);
        rig.fx->parameterLabel(i, buf, sizeof buf);
        EXPECT_STREQ(buf, labels[i]);
    }
    rig.fx->parameterName(kStereoMono, buf, sizeof buf);
    EXPECT_STREQ(buf, "stereo/mono");
    rig.fx->parameterLabel(kStereoMono, buf, sizeof buf);
    EXPECT_STREQ(buf, "   ");
    rig.fx->parameterName(9, buf, sizeof buf);
    EXPECT_STREQ(buf, "");
    // a small buffer gets a cut, terminated text
    char small[4] = {'x', 'x', 'x', 'x'};
    rig.fx->parameterName(kThreshold, small, sizeof small);
    EXPECT_STREQ(small, "thr");
}

TEST(RumblerParams, StereoMonoIsOneValueForEverySlot) {
    testing_support::RecordingHost host;
    RumblerEffect fx(testing_support::RecordingHost::callback());
    // built as stereo, whatever the slots hold
    EXPECT_EQ(fx.parameterValue(kStereoMono), 1.0f);
    EXPECT_EQ(text(fx, kStereoMono), "stereo");
    EXPECT_EQ(fx.bank().param(0, kStereoMono), -1.0f);

    // resuming re-applies Current, whose -1 still reads as stereo
    fx.dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
    EXPECT_EQ(fx.parameterValue(kStereoMono), -1.0f);
    EXPECT_EQ(text(fx, kStereoMono), "stereo");

    fx.applyParameter(kStereoMono, 0.2f);
    EXPECT_EQ(text(fx, kStereoMono), "mono");
    for (int slot = 0; slot < kBankSlots; ++slot) EXPECT_EQ(fx.bank().param(slot, kStereoMono), 0.2f) << slot;
    // loading "warm1" leaves it as it was
    EXPECT_EQ(fx.pickProgram(8), 8);
    EXPECT_EQ(fx.parameterValue(kStereoMono), 0.2f);
    EXPECT_EQ(text(fx, kStereoMono), "mono");
    EXPECT_STREQ(fx.bank().name(0), "warm1");
    EXPECT_EQ(fx.parameterValue(kTune), 0.4f);
}

TEST(RumblerParams, WritesGoToCurrentOnlyAndUnknownIndicesChangeNothing) {
    Rig rig;
    RumblerEffect& fx = *rig.fx;
    fx.applyParameter(kGain, 0.8f);
    EXPECT_EQ(fx.parameterValue(kGain), 0.8f);
    EXPECT_EQ(fx.bank().param(0, kGain), 0.8f);
    EXPECT_EQ(fx.bank().param(5, kGain), 0.5f);
    for (VstInt32 index : {8, 9, 11, 40, -1}) {
        fx.applyParameter(index, 0.7f);
        EXPECT_EQ(fx.parameterValue(index), 0.0f) << index;
    }
    for (VstInt32 i = 0; i < 8; ++i) EXPECT_EQ(fx.bank().param(0, i), fx.parameterValue(i)) << i;
}

TEST(RumblerParams, ProcessFlagFollowsOnlyChangesBelowOneHalf) {
    Rig rig;
    RumblerEffect& fx = *rig.fx;
    EXPECT_TRUE(fx.processOn());
    fx.applyParameter(kProcess, 0.3f);
    EXPECT_FALSE(fx.processOn());
    EXPECT_EQ(fx.parameterValue(kProcess), 0.3f);
    fx.applyParameter(kProcess, 0.3f);
    EXPECT_FALSE(fx.processOn());
    fx.applyParameter(kProcess, 0.9f);
    EXPECT_TRUE(fx.processOn());
    EXPECT_EQ(fx.parameterValue(kProcess), 0.9f);
}

TEST(RumblerBank, FactoryProgramsAndFreshFields) {
    Rig rig;
    const frame::ProgramBank& bank = rig.fx->bank();
    ASSERT_EQ(bank.size(), 24);
    EXPECT_EQ(bank.recordBytes(), 68u);
    EXPECT_STREQ(bank.name(0), "Current");
    EXPECT_STREQ(bank.name(2), "Memo B");
    EXPECT_STREQ(bank.name(3), "psychoacoustic");
    EXPECT_STREQ(bank.name(20), "disco max-woofer");
    EXPECT_STREQ(bank.name(23), "extreme2");
    for (int slot = 0; slot < 24; ++slot) {
        EXPECT_EQ(bank.param(slot, kMix), 1.0f) << slot;
        EXPECT_EQ(bank.param(slot, kStereoMono), -1.0f) << slot;
        EXPECT_EQ(bank.param(slot, kProcess), 1.0f) << slot;
    }
    EXPECT_EQ(bank.param(5, kColour), 0.333f);
    EXPECT_EQ(bank.param(19, kBass), 0.66f);
    EXPECT_EQ(bank.param(23, kGain), 0.75f);
    EXPECT_EQ(bank.param(23, kTune), 1.0f);
    // Current as built: tune, threshold, colour and saturation at 0
    for (VstInt32 i : {kTune, kThreshold, kColour, kSaturation}) EXPECT_EQ(rig.fx->parameterValue(i), 0.0f) << i;
    EXPECT_EQ(rig.fx->parameterValue(kGain), 0.5f);
}

TEST(RumblerBank, StepWrapsAtTwentyFourSlots) {
    Rig rig;
    EXPECT_EQ(rig.fx->stepProgram(0, -1), 23);
    EXPECT_STREQ(rig.fx->bank().name(0), "extreme2");
    EXPECT_EQ(rig.fx->stepProgram(23, 1), 0);
}

TEST(RumblerBank, RecallReportsEveryHostParameterAsAnAutomatedEdit) {
    Rig rig;
    RumblerEffect& fx = *rig.fx;
    fx.pickProgram(14);
    fx.storeMemo(frame::ProgramBank::kMemoA, 14);
    fx.applyParameter(kColour, 0.1f);
    fx.applyParameter(kTune, 0.9f);
    rig.host.clear();
    EXPECT_EQ(fx.recallMemo(frame::ProgramBank::kMemoA), 1);
    EXPECT_EQ(fx.parameterValue(kColour), 0.5f);
    EXPECT_EQ(fx.parameterValue(kTune), 0.333f);
    EXPECT_EQ(rig.host.callsWith(audioMasterBeginEdit).size(), 8u);
    EXPECT_EQ(rig.host.callsWith(audioMasterAutomate).size(), 16u);
    EXPECT_EQ(rig.host.callsWith(audioMasterEndEdit).size(), 8u);
    for (const auto& c : rig.host.callsWith(audioMasterAutomate)) EXPECT_LT(c.index, 8);
}

TEST(RumblerLifecycle, HostIsAskedForTimingWhenBuiltAndResumed) {
    testing_support::RecordingHost host;
    host.blockSize = 256;
    host.outputLatency = 1024;
    RumblerEffect fx(testing_support::RecordingHost::callback());
    EXPECT_EQ(host.callsWith(audioMasterGetBlockSize).size(), 1u);
    EXPECT_EQ(host.callsWith(audioMasterGetOutputLatency).size(), 1u);
    EXPECT_EQ(fx.blockSize(), 256);
    EXPECT_EQ(fx.meterDelay(), 4);
    host.outputLatency = 2048;
    host.reportsConnections = 1;
    host.input2Connected = false;
    fx.dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
    EXPECT_EQ(fx.meterDelay(), 8);
    EXPECT_FALSE(fx.input2Connected());
    EXPECT_EQ(host.callsWith(audioMasterPinConnected).size(), 1u);
    // resuming re-applies Current, keeping its name
    fx.renameCurrent("mine");
    fx.dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
    EXPECT_STREQ(fx.bank().name(0), "mine");
}

}  // namespace
}  // namespace rumbler_test
