// Parameters, texts, derived quantities, the bank and its factory programs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <utility>

#include "tests/glister/glister_rig.h"

namespace glister_test {
namespace {

using namespace glister;

std::string text(GlisterEffect& fx, VstInt32 opcode, VstInt32 index) {
    char buffer[kVstMaxParamTextLen] = {};
    fx.dispatch(opcode, index, 0, buffer, 0.0f);
    return buffer;
}

std::string display(GlisterEffect& fx, VstInt32 index, float v) {
    fx.applyParameter(index, v);
    return text(fx, effGetParamDisplay, index);
}

TEST(GlisterParams, NamesAndLabelsExactlyAsShown) {
    Rig rig;
    const char* names[26] = {"Process",     "HissThresh", "HissAttenuation", "TransAdjust",  "EnhEnhance",
                             "HarmFreq",    "HarmAdjust", "Mix",             "Output",       "HissMinFreq",
                             "HissSpeed",   "TransSlope", "TransHiDamp",     "TransRatio",   "EnhSlope",
                             "HarmQ",       "HarmDrive",  "HarmFirstOut",    "Saturation",   "HarmProcess",
                             "EnhProcess",  "TransProcess", "HissProcess",   "   ",          "   ",
                             "StereoMono"};
    const char* labels[26] = {" Off/On ", "    dB   ", "   dB   ", "   dB   ", "        ", "    Hz   ", "   dB   ",
                              "         ", "   dB  ", "   Hz   ", "         ", " dB/oct ", "        ", "   1:x  ",
                              " dB/oct ", "    Q    ", "        ", "        ", " Off/On ", " Off/On ", " Off/On ",
                              " Off/On ", " Off/On ", "   ",      "   ",      "         "};
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(text(*rig.fx, effGetParamName, i), names[i]) << i;
        EXPECT_EQ(text(*rig.fx, effGetParamLabel, i), labels[i]) << i;
    }
    for (int i : {-1, 26, 1000}) {
        EXPECT_EQ(text(*rig.fx, effGetParamName, i), "   ");
        EXPECT_EQ(text(*rig.fx, effGetParamLabel, i), "   ");
        EXPECT_EQ(text(*rig.fx, effGetParamDisplay, i), "0.000000");
    }
    // a host buffer smaller than the text is never overrun
    char small[6];
    std::memset(small, 'x', sizeof small);
    rig.fx->parameterName(kHissAttenuation, small, 4);
    EXPECT_STREQ(small, "His");
    EXPECT_EQ(small[4], 'x');
}

TEST(GlisterParams, DisplayTexts) {
    Rig rig;
    GlisterEffect& fx = *rig.fx;
    EXPECT_EQ(display(fx, kHissAttenuation, 0.0f), "-oo");
    EXPECT_EQ(display(fx, kHissAttenuation, 0.5f), "-6.0");
    EXPECT_EQ(display(fx, kHissThresh, 0.5f), "-48.0");
    EXPECT_EQ(display(fx, kHissThresh, 0.0f), "-96.0");
    EXPECT_EQ(display(fx, kTransAdjust, 1.0f), "18.0");
    EXPECT_EQ(display(fx, kHarmAdjust, 0.5f), "0.0");
    EXPECT_EQ(display(fx, kHarmFreq, 0.8f), "8000");
    EXPECT_EQ(display(fx, kHarmQ, 0.5f), "1.1180");
    EXPECT_EQ(display(fx, kHissMinFreq, 0.5f), "2739");
    EXPECT_EQ(display(fx, kTransRatio, 1.0f), "2.0000");
    EXPECT_EQ(display(fx, kTransSlope, 0.0f), "0.00");
    EXPECT_EQ(display(fx, kTransSlope, 1.0f), "12.00");
    EXPECT_EQ(display(fx, kEnhSlope, 0.5f), "3.00");
    EXPECT_EQ(display(fx, kMix, 0.37f), "37");
    EXPECT_EQ(display(fx, kOutput, 0.0f), "-30.1029");
    EXPECT_EQ(display(fx, kOutput, 1.0f), "6.020599");
    EXPECT_EQ(display(fx, kOutput, 0.5f).substr(0, 4), "0.27");
    EXPECT_NEAR(fx.physicalValue(kOutput), 1.0320, 1e-4);
    EXPECT_EQ(display(fx, kStereoMono, -1.0f), "-1.00000");
    EXPECT_EQ(display(fx, 23, 0.7f), "0.000000");
    for (VstInt32 sw : {kProcess, kSaturation, kHarmProcess, kEnhProcess, kTransProcess, kHissProcess}) {
        EXPECT_EQ(display(fx, sw, 0.49f), "Off") << sw;
        EXPECT_EQ(display(fx, sw, 0.5f), "On") << sw;
    }
}

TEST(GlisterParams, FrequenciesStayBelowFourEleventhsOfTheRate) {
    Rig at44(44100.0f), at32(32000.0f);
    for (Rig* rig : {&at44, &at32}) {
        rig->fx->applyParameter(kHarmFirstOut, 0.0f);
        rig->fx->applyParameter(kHarmFreq, 1.0f);
        rig->fx->applyParameter(kHissMinFreq, 1.0f);
    }
    EXPECT_DOUBLE_EQ(at44.fx->physicalValue(kHarmFreq), 16000.0);
    EXPECT_DOUBLE_EQ(at44.fx->physicalValue(kHissMinFreq), 15000.0);
    EXPECT_NEAR(at32.fx->physicalValue(kHarmFreq), 11636.3636, 1e-3);
    EXPECT_NEAR(at32.fx->physicalValue(kHissMinFreq), 11636.3636, 1e-3);
    // first-out from half to two and a half times the harmonics frequency
    GlisterEffect& fx = *at44.fx;
    fx.applyParameter(kHarmFreq, 0.6f);
    const double fh = fx.physicalValue(kHarmFreq);
    EXPECT_DOUBLE_EQ(fx.settings().firstOutFrequency(), 0.5 * fh);
    fx.applyParameter(kHarmFirstOut, 1.0f);
    EXPECT_DOUBLE_EQ(fx.settings().firstOutFrequency(), 2.5 * fh);
    fx.applyParameter(kHarmFreq, 0.8f);  // 20 kHz would be above the cap
    EXPECT_NEAR(fx.settings().firstOutFrequency(), 16036.3636, 1e-3);
}

// What the editor's displays read behind each index, at one value and rate.
TEST(GlisterParams, PhysicalValuesBehindEveryIndex) {
    Rig rig(48000.0f);
    GlisterEffect& fx = *rig.fx;
    for (VstInt32 i = 0; i < 26; ++i) fx.applyParameter(i, 0.3f);
    const double v = 0.3f;
    const std::pair<VstInt32, double> expected[] = {
        {kProcess, 0.0},
        {kHissThresh, std::pow(65536.0, v) / 65536.0},
        {kHissAttenuation, v},
        {kTransAdjust, 8.0 * v * v},
        {kEnhEnhance, (1.0 - 0.54 * v) / 2.0},
        {kHarmFreq, 500.0 * std::pow(32.0, v)},
        {kHarmAdjust, 4.0 * v * v},
        {kMix, v * v},
        {kOutput, std::pow(64.0, std::pow(v, 0.25)) * 0.03125},
        {kHissMinFreq, 500.0 * std::pow(30.0, v)},
        {kHissSpeed, std::pow(30.0, -v)},
        {kTransSlope, 2.0 * v},
        {kTransHiDamp, 0.85 * v},
        {kTransRatio, std::pow(2.0, v)},
        {kEnhSlope, v},
        {kHarmQ, 0.25 * std::pow(20.0, v)},
        {kHarmDrive, std::pow(v, 0.25)},
        {kHarmFirstOut, v},
        {kSaturation, 0.0},
        {kHarmProcess, 0.0},
        {23, 0.0},
        {kStereoMono, v},
        {26, 0.0},
        {-1, 0.0},
    };
    for (const auto& [index, value] : expected) EXPECT_DOUBLE_EQ(fx.physicalValue(index), value) << index;
    fx.applyParameter(kHissProcess, 0.5f);
    fx.applyParameter(kSaturation, 0.7f);
    EXPECT_EQ(fx.physicalValue(kHissProcess), 1.0);
    EXPECT_EQ(fx.physicalValue(kSaturation), 1.0);
    EXPECT_DOUBLE_EQ(fx.settings().firstOutFrequency(), (2.0 * v * v + 0.5) * 500.0 * std::pow(32.0, v));
}

TEST(GlisterParams, TransientSlopeBlendAndOrder) {
    Rig rig;
    for (auto [v, blend, second] : {std::tuple{0.0f, 0.0, false}, {0.25f, 0.5, false}, {0.5f, 0.0, true},
                                    {0.75f, 0.5, true}, {1.0f, 1.0, true}}) {
        rig.fx->applyParameter(kTransSlope, v);
        const auto block = rig.fx->settings().blockSettings(44100.0).transientBlock;
        EXPECT_EQ(block.blend, blend) << v;
        EXPECT_EQ(block.secondOrder, second) << v;
    }
}

TEST(GlisterParams, OutOfRangeTakesTheNearestEndAndNonFiniteIsIgnored) {
    Rig rig;
    GlisterEffect& fx = *rig.fx;
    // the frame's way in (host and editor) holds each value to its range
    fx.setParameter(kHarmDrive, 5.0f);
    EXPECT_EQ(fx.parameterValue(kHarmDrive), 1.16f);
    fx.setParameter(kTransHiDamp, -2.0f);
    EXPECT_EQ(fx.parameterValue(kTransHiDamp), 0.0f);
    EXPECT_EQ(fx.bank().param(0, kTransHiDamp), 0.0f);
    fx.setParameter(kMix, 0.3f);
    fx.setParameter(kMix, std::nanf(""));
    fx.setParameter(kMix, INFINITY);
    EXPECT_EQ(fx.parameterValue(kMix), 0.3f);
    // indices without a function store nothing
    fx.applyParameter(23, 0.9f);
    fx.applyParameter(40, 0.9f);
    EXPECT_EQ(fx.parameterValue(23), 0.0f);
    EXPECT_EQ(fx.parameterValue(40), 0.0f);
}

TEST(GlisterParams, SwitchPropertiesOnlyForTheSwitches) {
    Rig rig;
    for (VstInt32 i = -1; i < 30; ++i) {
        VstParameterProperties p;
        std::memset(&p, 0x5a, sizeof p);
        const bool isSwitch = i == 0 || (i >= 18 && i <= 22);
        EXPECT_EQ(rig.fx->dispatch(effGetParameterProperties, i, 0, &p, 0.0f), isSwitch ? 1 : 0) << i;
        if (!isSwitch) {
            EXPECT_EQ(p.flags, 0x5a5a5a5a) << "written for " << i;
            continue;
        }
        EXPECT_EQ(p.stepFloat, 1.0f);
        EXPECT_EQ(p.smallStepFloat, 1.0f);
        EXPECT_EQ(p.largeStepFloat, 1.0f);
        EXPECT_EQ(p.flags, 5);
        const std::string name = text(*rig.fx, effGetParamName, i);
        EXPECT_EQ(std::string(p.label), name);
        EXPECT_EQ(std::string(p.shortLabel), name.substr(0, 7));
    }
}

TEST(GlisterBank, FactoryProgramsAsShipped) {
    Rig rig;
    const frame::ProgramBank& bank = rig.fx->bank();
    ASSERT_EQ(bank.size(), 41);
    EXPECT_EQ(bank.recordBytes(), 128u);
    EXPECT_STREQ(bank.name(0), "Current");
    EXPECT_STREQ(bank.name(3), "mix1");
    EXPECT_STREQ(bank.name(25), "hissRem1");
    EXPECT_STREQ(bank.name(40), "harmonics4");
    for (int s = 0; s < 41; ++s) {
        EXPECT_EQ(bank.param(s, kProcess), 1.0f) << s;
        EXPECT_EQ(bank.param(s, kMix), 1.0f) << s;
        EXPECT_EQ(bank.param(s, kOutput), 0.5f) << s;
        EXPECT_EQ(bank.param(s, kStereoMono), -1.0f) << s;
    }
    // two rows in full, in the table's column order
    const VstInt32 columns[20] = {19, 20, 21, 22, 18, 5, 15, 16, 17, 6, 4, 14, 13, 11, 3, 12, 1, 10, 2, 9};
    const float vocal3[20] = {0, 1, 1, 1, 1, 0.72f, 0.1f, 0, 0, 0.6f, 0.16f, 0.16f, 0.333f, 0.667f, 0.6f, 0.2f,
                              0.75f, 0.333f, 0.5f, 0.667f};
    const float universal2[20] = {1, 1, 0, 1, 1, 0.7f, 0.333f, 0.667f, 1, 0.6f, 0.5f, 0.5f, 0.5f, 0.5f, 0.44f,
                                  0.1667f, 0.5f, 0.5f, 0.333f, 0.5f};
    for (int c = 0; c < 20; ++c) {
        EXPECT_EQ(bank.param(13, columns[c]), vocal3[c]) << c;
        EXPECT_EQ(bank.param(22, columns[c]), universal2[c]) << c;
    }
    // the drums programs drive at 1.16, loaded and shown as such
    rig.load(15);
    EXPECT_STREQ(bank.name(0), "drums1");
    EXPECT_EQ(rig.fx->parameterValue(kHarmDrive), 1.16f);
    EXPECT_EQ(text(*rig.fx, effGetParamDisplay, kHarmDrive), "116");
    EXPECT_DOUBLE_EQ(rig.fx->physicalValue(kHarmDrive), std::pow(static_cast<double>(1.16f), 0.25));
}

TEST(GlisterBank, StereoMonoLivesInEverySlotAndSurvivesProgramChanges) {
    Rig rig;
    rig.fx->applyParameter(kStereoMono, 0.25f);
    for (int s = 0; s < 41; ++s) EXPECT_EQ(rig.fx->bank().param(s, kStereoMono), 0.25f) << s;
    rig.load(7);
    rig.fx->recallMemo(frame::ProgramBank::kMemoB);
    EXPECT_EQ(rig.fx->parameterValue(kStereoMono), 0.25f);
}

TEST(GlisterBank, ProgramLoadReportsHostParametersInApplyOrder) {
    Rig rig;
    rig.host.clear();
    rig.load(30);
    std::vector<VstInt32> begun;
    for (const auto& call : rig.host.callsWith(audioMasterBeginEdit)) begun.push_back(call.index);
    const std::vector<VstInt32> order{5, 15, 13, 1, 10, 11, 3, 2, 12, 16, 17, 6, 4, 14, 9, 18, 8, 0, 19, 20, 21, 22, 7};
    EXPECT_EQ(begun, order);
    EXPECT_EQ(rig.host.callsWith(audioMasterAutomate).size(), 2 * order.size());
}

TEST(GlisterBank, RenameAlsoRenamesTheEffect) {
    Rig rig;
    EXPECT_STREQ(rig.fx->nameText(), "init");
    char name[] = "Bright guitar";
    rig.fx->dispatch(effSetProgramName, 0, 0, name, 0.0f);
    EXPECT_STREQ(rig.fx->nameText(), "Bright guitar");
    char back[kVstMaxProgNameLen] = {};
    rig.fx->dispatch(effGetProgramName, 0, 0, back, 0.0f);
    EXPECT_STREQ(back, "Bright guitar");
}

TEST(GlisterIndicators, DelayFromTheHostsLatencyAndBlockSize) {
    EXPECT_EQ(indicatorDelayBlocks(0, 512, 44100.0), 1);
    EXPECT_EQ(indicatorDelayBlocks(1, 512, 44100.0), 1);
    EXPECT_EQ(indicatorDelayBlocks(4096, 512, 44100.0), 6);      // 8 blocks * 100/130
    EXPECT_EQ(indicatorDelayBlocks(-20, 512, 44100.0), 1);       // negative counts as 0
    EXPECT_EQ(indicatorDelayBlocks(50000, 64, 44100.0), 1);      // above the rate counts as 0
    EXPECT_EQ(indicatorDelayBlocks(4096, 0, 44100.0), 3);        // no block size: 1024
    EXPECT_EQ(indicatorDelayBlocks(4096, 1 << 21, 44100.0), 3);  // absurd block size: 1024
    EXPECT_EQ(indicatorDelayBlocks(190000, 2, 192000.0), 1023);
    Rig rig(44100.0f, 8192, 128);
    EXPECT_EQ(rig.fx->indicatorDelay(), 49);
    EXPECT_EQ(rig.fx->indicators().writeIndex() - rig.fx->indicators().readIndex(), 49);
}

}  // namespace
}  // namespace glister_test
