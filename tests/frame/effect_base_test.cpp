// The dispatcher's hand-over to an editor, on a bare effect with no signal path.
#include "frame/effect_base.h"

#include <gtest/gtest.h>

#include <limits>
#include <thread>
#include <vector>

namespace {

class BareEffect : public frame::EffectBase {
public:
    BareEffect() : EffectBase(nullptr, 1, 1) {}
    void applyParameter(VstInt32, float) override {}
    float parameterValue(VstInt32) const override { return 0.0f; }
    void parameterName(VstInt32, char* text, size_t) const override { text[0] = '\0'; }
    void parameterLabel(VstInt32, char* text, size_t) const override { text[0] = '\0'; }
    void parameterText(VstInt32, char* text, size_t) const override { text[0] = '\0'; }
    void processReplace(float**, float**, VstInt32) override {}
    void processAccumulate(float**, float**, VstInt32) override {}
};

// The bare effect with a bank of three slots of one value.
class BankEffect : public BareEffect {
public:
    BankEffect() {
        static constexpr VstInt32 kFields[] = {0};
        static constexpr float kDefaults[] = {0.5f};
        bank_.build(frame::ProgramLayout{3, kFields, kDefaults, "init"});
    }
};

class KeyEditor : public frame::EditorInterface {
public:
    explicit KeyEditor(std::vector<VstKeyCode>& keys) : keys_(keys) {}
    VstIntPtr keyPressed(const VstKeyCode& key) override {
        keys_.push_back(key);
        return 1;
    }
    VstIntPtr keyReleased(const VstKeyCode& key) override {
        keys_.push_back(key);
        return 0;
    }

private:
    std::vector<VstKeyCode>& keys_;
};

TEST(EffectBaseEditor, KeysCarryCharacterVirtualKeyAndModifiers) {
    std::vector<VstKeyCode> keys;
    BareEffect effect;
    EXPECT_EQ(effect.dispatch(effEditKeyDown, 'a', 0, nullptr, 0.0f), 0);  // no editor yet
    effect.attachEditor(new KeyEditor(keys));
    EXPECT_EQ(effect.record()->flags & effFlagsHasEditor, effFlagsHasEditor);

    EXPECT_EQ(effect.dispatch(effEditKeyDown, 'a', VKEY_LEFT, nullptr, MODIFIER_SHIFT | MODIFIER_CONTROL), 1);
    EXPECT_EQ(effect.dispatch(effEditKeyUp, 'b', 0, nullptr, 0.0f), 0);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].character, 'a');
    EXPECT_EQ(keys[0].virt, VKEY_LEFT);
    EXPECT_EQ(keys[0].modifier, MODIFIER_SHIFT | MODIFIER_CONTROL);
    EXPECT_EQ(keys[1].character, 'b');

    // modifiers that do not fit a byte are no modifiers, not an undefined conversion
    for (float opt : {-1.0f, 256.0f, 1e30f, std::numeric_limits<float>::quiet_NaN(),
                      std::numeric_limits<float>::infinity()}) {
        keys.clear();
        effect.dispatch(effEditKeyDown, 'c', 0, nullptr, opt);
        ASSERT_EQ(keys.size(), 1u);
        EXPECT_EQ(keys[0].modifier, 0) << opt;
    }
}

// The editor loads programs while the host asks which one is current: under the
// thread sanitizer an unsynchronised access fails this.
TEST(EffectBaseThreads, ProgramLoadsWhileTheHostAsksForTheProgram) {
    BankEffect effect;
    std::thread editor([&effect] {
        for (int i = 0; i < 5000; ++i) effect.pickProgram(1 + i % 2);
    });
    for (int i = 0; i < 5000; ++i) {
        const VstIntPtr program = effect.dispatch(effGetProgram, 0, 0, nullptr, 0.0f);
        EXPECT_TRUE(program >= 0 && program <= 2) << program;
    }
    editor.join();
    EXPECT_EQ(effect.dispatch(effGetProgram, 0, 0, nullptr, 0.0f), 0);
}

}  // namespace
