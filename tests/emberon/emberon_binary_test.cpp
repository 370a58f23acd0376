// The built tarn_emberon module, loaded the way a host loads it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "emberon/emberon_effect.h"
#include "tests/support/loaded_plugin_test.h"
#include "tests/support/plugin_module.h"
#include "tests/support/recording_host.h"
#include "tests/support/render.h"

namespace {

using namespace testing_support;

class EmberonBinary : public LoadedPluginTest {
protected:
    EmberonBinary() : LoadedPluginTest("emberon") {}
    std::string display(VstInt32 index, float v) {
        effect->setParameter(effect, index, v);
        return dispatchText(effect, effGetParamDisplay, index);
    }
};

TEST_F(EmberonBinary, RecordAndIdentity) {
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numPrograms, 1);
    EXPECT_EQ(effect->numParams, 15);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->flags, effFlagsCanMono | effFlagsCanReplacing | effFlagsHasEditor);
    EXPECT_EQ(effect->initialDelay, 0);
    EXPECT_EQ(effect->uniqueID, vstFourCC('W', 'q', '4', 'd'));
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(dispatchText(effect, effGetEffectName), "Tarn Emberon");
    EXPECT_EQ(dispatchText(effect, effGetProductString), "Tarn Emberon - analog saturation emulator");
    EXPECT_EQ(dispatchText(effect, effGetVendorString), "Tarn");
    EXPECT_EQ(dispatch(effect, effGetVu), 0);
    EXPECT_EQ(dispatch(effect, effGetChunk), 0);
    // the editor answers its size before it is opened, and idles as nothing while closed
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right - rect->left, 435);
    EXPECT_EQ(rect->bottom - rect->top, 247);
    EXPECT_EQ(dispatch(effect, effEditIdle), 0);

    VstPinProperties pin{};
    EXPECT_EQ(dispatch(effect, effGetInputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Tarn Emberon 2 In");
    EXPECT_EQ(pin.flags, 3);
    EXPECT_EQ(dispatch(effect, effGetOutputProperties, 0, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Tarn Emberon 1 Out");
    EXPECT_EQ(dispatch(effect, effGetOutputProperties, 2, 0, &pin), 0);

    char canDo[] = "2in2out";
    char cannot[] = "receiveVstEvents";
    EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, canDo), 1);
    EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, cannot), 0);

    EXPECT_EQ(dispatchText(effect, effGetProgramNameIndexed, 33), "digital");
    EXPECT_EQ(dispatch(effect, effGetProgramNameIndexed, 34, 0, canDo), 0);
}

TEST_F(EmberonBinary, BothEntryPointsAndRefusedHost) {
    PluginMain legacy = module->entry("main");
    ASSERT_NE(legacy, nullptr);
    AEffect* second = legacy(RecordingHost::callback());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(dispatch(second, effClose), 1);
    host.version = 0;
    EXPECT_EQ(legacy(RecordingHost::callback()), nullptr);
}

TEST_F(EmberonBinary, TextsThroughTheDispatcher) {
    EXPECT_EQ(dispatchText(effect, effGetParamName, emberon::kTrebleAdjust), "trebleAdjust");
    EXPECT_EQ(dispatchText(effect, effGetParamLabel, emberon::kTrebleFreq), " Hz    ");
    EXPECT_EQ(display(emberon::kInput, 1.0f), "12.0");
    EXPECT_EQ(display(emberon::kShape, 0.6f), "tape1");
    EXPECT_EQ(effect->getParameter(effect, emberon::kShape), static_cast<float>(4.0 / 7.0));
    // a non-finite value from the host changes nothing
    effect->setParameter(effect, emberon::kInput, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(effect->getParameter(effect, emberon::kInput), 1.0f);
    EXPECT_EQ(dispatchText(effect, effGetParamDisplay, 16), "");
}

TEST_F(EmberonBinary, RendersAsTheInProcessEffect) {
    startProcessing(effect, 48000.0f, 300);
    auto local = std::make_unique<emberon::EmberonEffect>(RecordingHost::callback());
    startProcessing(local->record(), 48000.0f, 300);
    for (AEffect* e : {effect, local->record()}) {
        e->setParameter(e, emberon::kBassOn, 1.0f);
        e->setParameter(e, emberon::kTrebleOn, 1.0f);
        e->setParameter(e, emberon::kShape, 4.0f / 7.0f);
    }
    const Stereo in = whiteNoise(5000, 0.7f, 5);
    EXPECT_EQ(render(effect, in, 300).left, render(local->record(), in, 300).left);
    EXPECT_EQ(render(effect, in, 300, true, 0.25f).right, render(local->record(), in, 300, true, 0.25f).right);

    effect->setParameter(effect, emberon::kProcess, 0.0f);
    const Stereo out = render(effect, in, 300);
    for (size_t i = 0; i < in.size(); ++i) ASSERT_EQ(out.left[i], in.left[i]) << i;  // input gain 0.5 is 1
}

TEST_F(EmberonBinary, EmptyBlocksAdvanceTheMetersBadBuffersDoNothing) {
    startProcessing(effect);
    // the module is built from the same sources, so its object can be read here
    const auto* e = static_cast<emberon::EmberonEffect*>(static_cast<frame::EffectBase*>(effect->object));
    const int write = e->meters().writeIndex();
    float left[4] = {}, right[4] = {};
    float* io[2] = {left, right};
    effect->processReplacing(effect, io, io, 0);
    effect->process(effect, io, io, 0);
    EXPECT_EQ(e->meters().writeIndex(), write + 2);
    effect->processReplacing(effect, io, io, -5);
    float* missing[2] = {left, nullptr};
    effect->processReplacing(effect, missing, io, 4);
    effect->processReplacing(effect, nullptr, io, 4);
    EXPECT_EQ(e->meters().writeIndex(), write + 2);
}

}  // namespace
