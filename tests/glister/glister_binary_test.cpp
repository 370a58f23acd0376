// The built tarn_glister module, loaded the way a host loads it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "tests/glister/glister_rig.h"
#include "tests/support/loaded_plugin_test.h"
#include "tests/support/plugin_module.h"

namespace glister_test {
namespace {

using namespace testing_support;

class GlisterBinary : public LoadedPluginTest {
protected:
    GlisterBinary() : LoadedPluginTest("glister") {}
};

TEST_F(GlisterBinary, RecordAndIdentity) {
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numPrograms, 1);
    EXPECT_EQ(effect->numParams, 23);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->flags, effFlagsHasEditor | effFlagsCanMono | effFlagsCanReplacing);
    EXPECT_EQ(effect->initialDelay, 1023);
    EXPECT_EQ(effect->uniqueID, 0x57713462);
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(dispatchText(effect, effGetEffectName), "Tarn Glister");
    EXPECT_EQ(dispatchText(effect, effGetProductString), "The Tarn high frequency enhancer & transient processing plug-in");
    EXPECT_FALSE(dispatchText(effect, effGetVendorString).empty());
    EXPECT_EQ(dispatch(effect, effGetVendorVersion), 1);
    EXPECT_EQ(dispatch(effect, effGetVstVersion), 2300);
    EXPECT_EQ(dispatch(effect, effGetTailSize), 0);
    EXPECT_EQ(dispatch(effect, effGetVu), 0);
    for (const char* yes : {"offline", "plugAsChannelInsert", "mixDryWet", "1in1out", "2in2out"}) {
        EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, const_cast<char*>(yes)), 1) << yes;
    }
    for (const char* no : {"receiveVstEvents", "2in2", "offline "}) {
        EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, const_cast<char*>(no)), 0) << no;
    }
    VstPinProperties pin{};
    EXPECT_EQ(dispatch(effect, effGetInputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Tarn Glister 2 In");
    EXPECT_EQ(pin.flags, 3);
    EXPECT_EQ(dispatch(effect, effGetOutputProperties, 0, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Tarn Glister 1 Out");
    EXPECT_EQ(dispatch(effect, effGetOutputProperties, 2, 0, &pin), 0);
    // the editor's size is its panel picture's
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right - rect->left, 622);
    EXPECT_EQ(rect->bottom - rect->top, 287);
}

TEST_F(GlisterBinary, ParametersAndProgramsThroughTheDispatcher) {
    EXPECT_EQ(dispatchText(effect, effGetParamName, 2), "HissAttenuation");
    EXPECT_EQ(dispatchText(effect, effGetParamLabel, 1), "    dB   ");
    effect->setParameter(effect, 5, 0.8f);
    EXPECT_EQ(dispatchText(effect, effGetParamDisplay, 5), "8000");
    effect->setParameter(effect, 5, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(effect->getParameter(effect, 5), 0.8f);
    EXPECT_EQ(effect->getParameter(effect, 23), 0.0f);
    EXPECT_EQ(dispatchText(effect, effGetProgramNameIndexed, 40), "harmonics4");
    char name[64] = "unchanged";
    EXPECT_EQ(dispatch(effect, effGetProgramNameIndexed, 41, 0, name), 0);
    EXPECT_STREQ(name, "unchanged");
    EXPECT_EQ(dispatch(effect, effCopyProgram, 40), 1);
    EXPECT_EQ(dispatchText(effect, effGetProgramNameIndexed, 40), "Current");
    EXPECT_EQ(dispatch(effect, effCopyProgram, 41), 0);
    EXPECT_EQ(dispatch(effect, effSetProgram, 0, 1), 0);
    EXPECT_EQ(dispatch(effect, effGetProgram), 0);
}

// The module and the in-process effect give the same samples, through both entries.
TEST_F(GlisterBinary, RendersLikeTheInProcessEffect) {
    const Stereo in = musicSignal(6000, 0.9f);
    for (bool accumulate : {false, true}) {
        Rig local;  // its recording host answers from here on
        AEffect* fx = accumulate ? module->entry("main")(RecordingHost::callback()) : effect;
        ASSERT_NE(fx, nullptr);
        local.load(local.slotNamed("Universal2"));
        for (int i = 0; i < 26; ++i) fx->setParameter(fx, i, local.fx->parameterValue(i));
        startProcessing(fx, 44100.0f, 512);
        const Stereo expected = local.run(in, 300, accumulate, 0.25f);
        const Stereo got = render(fx, in, 300, accumulate, 0.25f);
        EXPECT_EQ(got.left, expected.left) << accumulate;
        EXPECT_EQ(got.right, expected.right) << accumulate;
        if (accumulate) {
            EXPECT_EQ(dispatch(fx, effClose), 1);
        }
    }
}

TEST_F(GlisterBinary, BypassDelaysBy1023ThroughTheModule) {
    startProcessing(effect, 48000.0f, 256);
    effect->setParameter(effect, 0, 0.0f);
    Stereo in = makeStereo(2048);
    in.left[10] = 0.5f;
    in.right[20] = -0.25f;
    const Stereo out = render(effect, in, 256);
    EXPECT_EQ(out.left[1033], 0.5f);
    EXPECT_EQ(out.right[1043], -0.25f);
}

TEST_F(GlisterBinary, BadBuffersProcessNothing) {
    startProcessing(effect);
    float a[8] = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    float b[8] = {7, 7, 7, 7, 7, 7, 7, 7};
    float* in[2] = {a, nullptr};
    float* out[2] = {b, b};
    effect->processReplacing(effect, in, out, 8);
    effect->processReplacing(effect, nullptr, out, 8);
    float* good[2] = {a, a};
    effect->processReplacing(effect, good, out, -5);
    effect->process(effect, good, nullptr, 8);
    for (float x : b) EXPECT_EQ(x, 7.0f);
}

TEST(GlisterModule, MainRefusesAHostWithoutVersion) {
    RecordingHost host;
    host.version = 0;
    PluginModule module(builtPluginPath("glister"));
    ASSERT_TRUE(module.loaded()) << module.error();
    for (const char* name : {"VSTPluginMain", "main"}) {
        PluginMain entry = module.entry(name);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_EQ(entry(RecordingHost::callback()), nullptr) << name;
    }
}

}  // namespace
}  // namespace glister_test
