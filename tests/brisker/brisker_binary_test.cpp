// The built tarn_brisker module, loaded the way a host loads it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "brisker/brisker_effect.h"
#include "tests/support/loaded_plugin_test.h"
#include "tests/support/plugin_module.h"
#include "tests/support/recording_host.h"
#include "tests/support/render.h"

namespace {

using namespace testing_support;

class BriskerBinary : public LoadedPluginTest {
protected:
    BriskerBinary() : LoadedPluginTest("brisker") {}
};

TEST_F(BriskerBinary, RecordAndIdentity) {
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numPrograms, 1);
    EXPECT_EQ(effect->numParams, 17);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->flags, effFlagsCanMono | effFlagsCanReplacing | effFlagsHasEditor);
    EXPECT_EQ(effect->initialDelay, 1023);
    EXPECT_EQ(effect->uniqueID, vstFourCC('W', 'q', '4', 'a'));
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(effect->ioRatio, 1.0f);
    EXPECT_EQ(effect->processDoubleReplacing, nullptr);
    EXPECT_EQ(dispatch(effect, effIdentify), kEffectIdentify);
    EXPECT_EQ(dispatch(effect, effGetVstVersion), 2300);
    EXPECT_EQ(dispatch(effect, effGetVendorVersion), 1);
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), 0);
    EXPECT_EQ(dispatch(effect, effGetCurrentMidiProgram), -1);
    EXPECT_EQ(dispatch(effect, effSetTotalSampleToProcess, 0, 4321), 4321);
    EXPECT_EQ(dispatch(effect, effGetChunk), 0);
    EXPECT_EQ(dispatch(effect, effKeysRequired), 1);
    // the editor answers its size before it is opened, and idles as nothing while closed
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right, 435);
    EXPECT_EQ(rect->bottom, 247);
    EXPECT_EQ(dispatch(effect, effEditIdle), 0);
    // what the constructor asked of the host
    EXPECT_EQ(host.callsWith(audioMasterVersion).size(), 1u);
    EXPECT_EQ(host.callsWith(audioMasterGetOutputLatency).size(), 1u);
    EXPECT_EQ(host.callsWith(audioMasterGetBlockSize).size(), 1u);
}

TEST_F(BriskerBinary, BothEntryPointsAndRefusedHost) {
    PluginMain legacy = module->entry("main");
    ASSERT_NE(legacy, nullptr);
    AEffect* second = legacy(RecordingHost::callback());
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, effect);
    EXPECT_EQ(dispatch(second, effClose), 1);

    host.version = 0;
    host.clear();
    EXPECT_EQ(module->entry("VSTPluginMain")(RecordingHost::callback()), nullptr);
    EXPECT_EQ(host.calls.size(), 1u);  // asked the version, built nothing
    EXPECT_EQ(module->entry("VSTPluginMain")(nullptr), nullptr);
}

TEST_F(BriskerBinary, StringsStayInsideHostBuffers) {
    EXPECT_EQ(dispatchText(effect, effGetEffectName), "Tarn Brisker");
    EXPECT_EQ(dispatchText(effect, effGetProductString), "Tarn Brisker - soft knee compressor plug-in");
    EXPECT_FALSE(dispatchText(effect, effGetVendorString).empty());
    EXPECT_EQ(dispatchText(effect, effGetParamName, 12), "pre/post");
    EXPECT_EQ(dispatchText(effect, effGetParamLabel, 3), "       ");
    EXPECT_EQ(dispatchText(effect, effGetParamDisplay, 9), "612");
    EXPECT_EQ(dispatchText(effect, effGetParamDisplay, 17), "");
    for (VstInt32 i = 0; i < 40; ++i) {
        char name[64];
        std::memset(name, '#', sizeof name);
        ASSERT_EQ(dispatch(effect, effGetProgramNameIndexed, i, 0, name), 1);
        ASSERT_LT(std::strlen(name), 24u);
        ASSERT_EQ(name[24], '#');
    }
    EXPECT_EQ(dispatchText(effect, effGetProgramNameIndexed, 39), "Fc-6-60 5");
    EXPECT_EQ(dispatch(effect, effGetProgramNameIndexed, 40, 0, nullptr), 0);
    EXPECT_EQ(dispatchText(effect, effGetProgramName), "Current");
}

TEST_F(BriskerBinary, PinsCanDoAndSwitchProperties) {
    VstPinProperties pin{};
    EXPECT_EQ(dispatch(effect, effGetInputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Tarn Brisker 2 In");
    EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
    EXPECT_EQ(dispatch(effect, effGetOutputProperties, 0, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Tarn Brisker 1 Out");
    EXPECT_EQ(dispatch(effect, effGetInputProperties, 2, 0, &pin), 0);

    char yes[] = "2in2out", no[] = "receiveVstEvents", prefix[] = "2in2ou";
    EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, yes), 1);
    EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, no), 0);
    EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, prefix), 0);
    EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, nullptr), 0);

    VstParameterProperties p;
    std::memset(&p, 0x55, sizeof p);
    EXPECT_NE(dispatch(effect, effGetParameterProperties, 16, 0, &p), 0);
    EXPECT_EQ(p.stepFloat, 0.5f);
    EXPECT_EQ(p.smallStepFloat, 0.5f);
    EXPECT_EQ(p.largeStepFloat, 0.5f);
    EXPECT_EQ(p.flags, 5);
    EXPECT_STREQ(p.label, "LIM/SAT");
    EXPECT_STREQ(p.shortLabel, "LIM/SAT");
    EXPECT_NE(dispatch(effect, effGetParameterProperties, 14, 0, &p), 0);
    EXPECT_EQ(p.stepFloat, 1.0f);
    std::memset(&p, 0x55, sizeof p);
    EXPECT_EQ(dispatch(effect, effGetParameterProperties, 1, 0, &p), 0);
    EXPECT_EQ(static_cast<unsigned char>(p.label[0]), 0x55);  // nothing written
}

TEST_F(BriskerBinary, ParametersThroughTheRecord) {
    effect->setParameter(effect, 4, 0.10f);
    EXPECT_EQ(effect->getParameter(effect, 4), 0.0833333f);
    effect->setParameter(effect, 1, std::numeric_limits<float>::quiet_NaN());
    effect->setParameter(effect, 1, std::numeric_limits<float>::infinity());
    EXPECT_EQ(effect->getParameter(effect, 1), 0.5f);
    EXPECT_EQ(effect->getParameter(effect, 17), 0.0f);
    EXPECT_EQ(dispatch(effect, effCanBeAutomated, 3), 1);
}

// The module computes what the same effect built in this test computes.
TEST_F(BriskerBinary, AudioMatchesTheEffectBuiltInProcess) {
    host.reportsConnections = 1;
    startProcessing(effect, 48000.0f, 256);
    EXPECT_EQ(host.callsWith(audioMasterCanDo).size(), 1u);
    EXPECT_EQ(host.callsWith(audioMasterCanDo)[0].text, "reportConnectionChanges");
    EXPECT_EQ(host.callsWith(audioMasterPinConnected).size(), 1u);
    brisker::BriskerEffect local(RecordingHost::callback());
    startProcessing(local.record(), 48000.0f, 256);
    for (VstInt32 i = 0; i < 17; ++i) {
        const float v = i == 0 ? 1.0f : 0.05f * static_cast<float>(i);
        effect->setParameter(effect, i, v);
        local.record()->setParameter(local.record(), i, v);
    }
    const Stereo in = whiteNoise(12000, 0.6f, 21);
    EXPECT_EQ(render(effect, in, 256).left, render(local.record(), in, 256).left);
    EXPECT_EQ(render(effect, in, 77, true, 0.1f).right, render(local.record(), in, 77, true, 0.1f).right);
    dispatch(effect, effMainsChanged, 0, 0);
}

TEST_F(BriskerBinary, OpenResumeSuspendCycles) {
    for (int i = 0; i < 5; ++i) {
        startProcessing(effect, i % 2 ? 96000.0f : 44100.0f, 64 << i);
        const Stereo out = render(effect, whiteNoise(3000, 0.5f, i), 64 << i);
        for (float v : out.left) ASSERT_TRUE(std::isfinite(v));
        dispatch(effect, effMainsChanged, 0, 0);
    }
}

}  // namespace
