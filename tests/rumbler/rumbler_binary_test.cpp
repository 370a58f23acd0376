// The built tarn_rumbler module, loaded through its entry points as a host would.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "tests/support/loaded_plugin_test.h"
#include "tests/support/plugin_module.h"
#include "tests/support/recording_host.h"

namespace {

using testing_support::dispatch;
using testing_support::dispatchText;

class RumblerBinary : public testing_support::LoadedPluginTest {
protected:
    RumblerBinary() : LoadedPluginTest("rumbler") {}
    void resume(float rate = 44100.0f) {
        dispatch(effect, effSetSampleRate, 0, 0, nullptr, rate);
        dispatch(effect, effSetBlockSize, 0, 512);
        dispatch(effect, effMainsChanged, 0, 1);
    }
};

TEST_F(RumblerBinary, IdentityAsTheHostSeesIt) {
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->uniqueID, vstFourCC('W', 'q', '4', 'c'));
    EXPECT_EQ(effect->numParams, 8);
    EXPECT_EQ(effect->numPrograms, 1);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->initialDelay, 1023);
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(effect->flags, effFlagsCanMono | effFlagsCanReplacing | effFlagsHasEditor);
    EXPECT_EQ(dispatchText(effect, effGetEffectName), "Tarn Rumbler");
    EXPECT_EQ(dispatchText(effect, effGetProductString), "Tarn Rumbler - bass range enhancing processor");
    EXPECT_EQ(dispatchText(effect, effGetVendorString), "Tarn");
    EXPECT_EQ(dispatchText(effect, effGetProgramName), "Current");

    VstPinProperties pin{};
    EXPECT_EQ(dispatch(effect, effGetInputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Tarn Rumbler 2 In");
    EXPECT_EQ(pin.flags, 3);
    EXPECT_EQ(dispatch(effect, effGetOutputProperties, 0, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Tarn Rumbler 1 Out");
    EXPECT_EQ(dispatch(effect, effGetOutputProperties, 2, 0, &pin), 0);

    char yes[] = "mixDryWet", no[] = "receiveVstEvents";
    EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, yes), 1);
    EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, no), 0);
}

TEST_F(RumblerBinary, LegacyMainAndARefusingHost) {
    auto legacy = module->entry("main");
    ASSERT_NE(legacy, nullptr);
    AEffect* second = legacy(testing_support::RecordingHost::callback());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->uniqueID, effect->uniqueID);
    dispatch(second, effClose);
    host.version = 0;
    EXPECT_EQ(module->entry("VSTPluginMain")(testing_support::RecordingHost::callback()), nullptr);
}

TEST_F(RumblerBinary, ParametersThroughTheDispatcher) {
    EXPECT_EQ(dispatchText(effect, effGetParamName, 4), "threshold");
    EXPECT_EQ(dispatchText(effect, effGetParamLabel, 3), " Hz ");
    effect->setParameter(effect, 3, 0.5f);
    EXPECT_EQ(dispatchText(effect, effGetParamDisplay, 3), "165");
    // a non-finite value from the host is ignored
    effect->setParameter(effect, 3, std::numeric_limits<float>::quiet_NaN());
    effect->setParameter(effect, 3, std::numeric_limits<float>::infinity());
    EXPECT_EQ(effect->getParameter(effect, 3), 0.5f);
    EXPECT_EQ(effect->getParameter(effect, 9), 0.0f);

    VstParameterProperties props{};
    EXPECT_EQ(dispatch(effect, effGetParameterProperties, 7, 0, &props), 1);
    EXPECT_EQ(props.flags, kVstParameterIsSwitch | kVstParameterUsesFloatStep);
    EXPECT_EQ(props.stepFloat, 1.0f);
    EXPECT_STREQ(props.label, "saturation");
    EXPECT_STREQ(props.shortLabel, "saturat");
    EXPECT_EQ(dispatch(effect, effGetParameterProperties, 0, 0, &props), 1);
    EXPECT_STREQ(props.label, "process");
    VstParameterProperties untouched{};
    EXPECT_EQ(dispatch(effect, effGetParameterProperties, 1, 0, &untouched), 0);
    EXPECT_EQ(untouched.flags, 0);
}

TEST_F(RumblerBinary, ProgramsBeyondTheBankAnswerZero) {
    char name[kVstMaxProgNameLen + 8];
    EXPECT_EQ(dispatch(effect, effGetProgramNameIndexed, 23, 0, name), 1);
    EXPECT_STREQ(name, "extreme2");
    EXPECT_EQ(dispatch(effect, effGetProgramNameIndexed, 24, 0, name), 0);
    EXPECT_EQ(dispatch(effect, effCopyProgram, 23), 1);
    EXPECT_EQ(dispatch(effect, effGetProgramNameIndexed, 23, 0, name), 1);
    EXPECT_STREQ(name, "Current");
    EXPECT_EQ(dispatch(effect, effCopyProgram, 24), 0);
    dispatch(effect, effSetProgram, 0, 1);
    EXPECT_EQ(dispatch(effect, effGetProgram), 0);
}

TEST_F(RumblerBinary, ProcessesDelayedAudioAndRefusesBadBuffers) {
    resume();
    effect->setParameter(effect, 2, 0.0f);  // mix 0: the delayed dry signal
    const int n = 2048;
    std::vector<float> inL(n), inR(n), outL(n, 7.0f), outR(n, 7.0f);
    for (int i = 0; i < n; ++i) {
        inL[i] = static_cast<float>(0.5 * std::sin(i * 0.05));
        inR[i] = -inL[i];
    }
    float* in[2] = {inL.data(), inR.data()};
    float* out[2] = {outL.data(), outR.data()};
    float* missing[2] = {outL.data(), nullptr};
    effect->processReplacing(effect, in, missing, n);
    effect->processReplacing(effect, nullptr, out, n);
    effect->processReplacing(effect, in, out, -5);
    effect->processReplacing(effect, in, out, 0);
    for (float y : outL) ASSERT_EQ(y, 7.0f);
    for (float y : outR) ASSERT_EQ(y, 7.0f);

    effect->processReplacing(effect, in, out, n);
    for (int i = 1023; i < n; ++i) {
        ASSERT_NEAR(outL[i], inL[i - 1023], 1e-6) << i;
        ASSERT_NEAR(outR[i], inR[i - 1023], 1e-6) << i;
    }
    // the accumulating entry adds onto what is there
    std::vector<float> before = outL;
    effect->process(effect, in, out, n);
    for (int i = 0; i < 1023; ++i) ASSERT_NEAR(outL[i], before[i] + inL[i + n - 1023], 1e-6) << i;
}

}  // namespace
