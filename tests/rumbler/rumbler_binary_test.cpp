// The built tarn_rumbler module, loaded through its entry points as a host would.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "tests/support/plugin_module.h"
#include "tests/support/recording_host.h"

namespace {

using testing_support::dispatch;
using testing_support::dispatchText;

class RumblerBinary : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(module_.loaded()) << module_.error();
        main_ = module_.entry("VSTPluginMain");
        ASSERT_NE(main_, nullptr);
        effect_ = main_(testing_support::RecordingHost::callback());
        ASSERT_NE(effect_, nullptr);
    }
    void TearDown() override {
        if (effect_) {
            EXPECT_EQ(dispatch(effect_, effClose), 1);
        }
    }
    void resume(float rate = 44100.0f) {
        dispatch(effect_, effSetSampleRate, 0, 0, nullptr, rate);
        dispatch(effect_, effSetBlockSize, 0, 512);
        dispatch(effect_, effMainsChanged, 0, 1);
    }

    testing_support::RecordingHost host_;
    testing_support::PluginModule module_{testing_support::builtPluginPath("rumbler")};
    testing_support::PluginMain main_ = nullptr;
    AEffect* effect_ = nullptr;
};

TEST_F(RumblerBinary, IdentityAsTheHostSeesIt) {
    EXPECT_EQ(effect_->magic, kEffectMagic);
    EXPECT_EQ(effect_->uniqueID, vstFourCC('W', 'q', '4', 'c'));
    EXPECT_EQ(effect_->numParams, 8);
    EXPECT_EQ(effect_->numPrograms, 1);
    EXPECT_EQ(effect_->numInputs, 2);
    EXPECT_EQ(effect_->numOutputs, 2);
    EXPECT_EQ(effect_->initialDelay, 1023);
    EXPECT_EQ(effect_->version, 1);
    EXPECT_EQ(effect_->flags, effFlagsCanMono | effFlagsCanReplacing);  // no editor yet
    EXPECT_EQ(dispatchText(effect_, effGetEffectName), "Tarn Rumbler");
    EXPECT_EQ(dispatchText(effect_, effGetProductString), "Tarn Rumbler - bass range enhancing processor");
    EXPECT_EQ(dispatchText(effect_, effGetVendorString), "Tarn");
    EXPECT_EQ(dispatchText(effect_, effGetProgramName), "Current");

    VstPinProperties pin{};
    EXPECT_EQ(dispatch(effect_, effGetInputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Tarn Rumbler 2 In");
    EXPECT_EQ(pin.flags, 3);
    EXPECT_EQ(dispatch(effect_, effGetOutputProperties, 0, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Tarn Rumbler 1 Out");
    EXPECT_EQ(dispatch(effect_, effGetOutputProperties, 2, 0, &pin), 0);

    char yes[] = "mixDryWet", no[] = "receiveVstEvents";
    EXPECT_EQ(dispatch(effect_, effCanDo, 0, 0, yes), 1);
    EXPECT_EQ(dispatch(effect_, effCanDo, 0, 0, no), 0);
}

TEST_F(RumblerBinary, LegacyMainAndARefusingHost) {
    auto legacy = module_.entry("main");
    ASSERT_NE(legacy, nullptr);
    AEffect* second = legacy(testing_support::RecordingHost::callback());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->uniqueID, effect_->uniqueID);
    dispatch(second, effClose);
    host_.version = 0;
    EXPECT_EQ(main_(testing_support::RecordingHost::callback()), nullptr);
}

TEST_F(RumblerBinary, ParametersThroughTheDispatcher) {
    EXPECT_EQ(dispatchText(effect_, effGetParamName, 4), "threshold");
    EXPECT_EQ(dispatchText(effect_, effGetParamLabel, 3), " Hz ");
    effect_->setParameter(effect_, 3, 0.5f);
    EXPECT_EQ(dispatchText(effect_, effGetParamDisplay, 3), "165");
    // a non-finite value from the host is ignored
    effect_->setParameter(effect_, 3, std::numeric_limits<float>::quiet_NaN());
    effect_->setParameter(effect_, 3, std::numeric_limits<float>::infinity());
    EXPECT_EQ(effect_->getParameter(effect_, 3), 0.5f);
    EXPECT_EQ(effect_->getParameter(effect_, 9), 0.0f);

    VstParameterProperties props{};
    EXPECT_EQ(dispatch(effect_, effGetParameterProperties, 7, 0, &props), 1);
    EXPECT_EQ(props.flags, kVstParameterIsSwitch | kVstParameterUsesFloatStep);
    EXPECT_EQ(props.stepFloat, 1.0f);
    EXPECT_STREQ(props.label, "saturation");
    EXPECT_STREQ(props.shortLabel, "saturat");
    EXPECT_EQ(dispatch(effect_, effGetParameterProperties, 0, 0, &props), 1);
    EXPECT_STREQ(props.label, "process");
    VstParameterProperties untouched{};
    EXPECT_EQ(dispatch(effect_, effGetParameterProperties, 1, 0, &untouched), 0);
    EXPECT_EQ(untouched.flags, 0);
}

TEST_F(RumblerBinary, ProgramsBeyondTheBankAnswerZero) {
    char name[kVstMaxProgNameLen + 8];
    EXPECT_EQ(dispatch(effect_, effGetProgramNameIndexed, 23, 0, name), 1);
    EXPECT_STREQ(name, "extreme2");
    EXPECT_EQ(dispatch(effect_, effGetProgramNameIndexed, 24, 0, name), 0);
    EXPECT_EQ(dispatch(effect_, effCopyProgram, 23), 1);
    EXPECT_EQ(dispatch(effect_, effGetProgramNameIndexed, 23, 0, name), 1);
    EXPECT_STREQ(name, "Current");
    EXPECT_EQ(dispatch(effect_, effCopyProgram, 24), 0);
    dispatch(effect_, effSetProgram, 0, 1);
    EXPECT_EQ(dispatch(effect_, effGetProgram), 0);
}

TEST_F(RumblerBinary, ProcessesDelayedAudioAndRefusesBadBuffers) {
    resume();
    effect_->setParameter(effect_, 2, 0.0f);  // mix 0: the delayed dry signal
    const int n = 2048;
    std::vector<float> inL(n), inR(n), outL(n, 7.0f), outR(n, 7.0f);
    for (int i = 0; i < n; ++i) {
        inL[i] = static_cast<float>(0.5 * std::sin(i * 0.05));
        inR[i] = -inL[i];
    }
    float* in[2] = {inL.data(), inR.data()};
    float* out[2] = {outL.data(), outR.data()};
    float* missing[2] = {outL.data(), nullptr};
    effect_->processReplacing(effect_, in, missing, n);
    effect_->processReplacing(effect_, nullptr, out, n);
    effect_->processReplacing(effect_, in, out, -5);
    effect_->processReplacing(effect_, in, out, 0);
    for (float y : outL) ASSERT_EQ(y, 7.0f);
    for (float y : outR) ASSERT_EQ(y, 7.0f);

    effect_->processReplacing(effect_, in, out, n);
    for (int i = 1023; i < n; ++i) {
        ASSERT_NEAR(outL[i], inL[i - 1023], 1e-6) << i;
        ASSERT_NEAR(outR[i], inR[i - 1023], 1e-6) << i;
    }
    // the accumulating entry adds onto what is there
    std::vector<float> before = outL;
    effect_->process(effect_, in, out, n);
    for (int i = 0; i < 1023; ++i) ASSERT_NEAR(outL[i], before[i] + inL[i + n - 1023], 1e-6) << i;
}

}  // namespace
