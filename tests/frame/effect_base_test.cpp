// The dispatcher's hand-over to an editor and the parameter entry's range
// guard, on bare effects with no signal path.
#include "frame/effect_base.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <thread>
#include <utility>
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

// Keeps every value it is given, and reports automation as a host would see it.
class RangedEffect : public frame::EffectBase {
public:
    static constexpr std::array<frame::ParamRange, 1> kRanges{{{2, -1.0f, 1.16f}}};

    explicit RangedEffect(audioMasterCallback host) : EffectBase(host, 1, 3) {
        setIdentity(frame::EffectIdentity{"Ranged", "Ranged", 1, 0, {}, {}, kRanges});
    }
    void applyParameter(VstInt32 index, float value) override { applied.emplace_back(index, value); }
    float parameterValue(VstInt32) const override { return applied.empty() ? 0.0f : applied.back().second; }
    void parameterName(VstInt32, char* text, size_t) const override { text[0] = '\0'; }
    void parameterLabel(VstInt32, char* text, size_t) const override { text[0] = '\0'; }
    void parameterText(VstInt32, char* text, size_t) const override { text[0] = '\0'; }
    void processReplace(float**, float**, VstInt32) override {}
    void processAccumulate(float**, float**, VstInt32) override {}

    std::vector<std::pair<VstInt32, float>> applied;
};

std::vector<float> automated;
VstIntPtr VSTCALLBACK automationHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float opt) {
    if (opcode == audioMasterAutomate) automated.push_back(opt);
    return 0;
}

TEST(EffectBaseParameters, TheEntryHoldsValuesToTheirRangeAndPassesTheRestBitForBit) {
    RangedEffect effect(automationHost);
    AEffect* e = effect.record();
    const float inf = std::numeric_limits<float>::infinity();
    const float tiny = std::numeric_limits<float>::denorm_min();
    struct Case {
        VstInt32 index;
        float sent, applied;
    } cases[] = {
        {0, 0.3f, 0.3f},     {0, -0.0f, -0.0f},  {0, tiny, tiny},     {0, 1.0f, 1.0f},
        {0, 3.7e8f, 1.0f},   {0, -2.0f, 0.0f},   {0, 1.0000001f, 1.0f}, {1, -3.4e38f, 0.0f},
        {2, 1.16f, 1.16f},   {2, -1.0f, -1.0f},  {2, 5.0f, 1.16f},    {2, -1e9f, -1.0f},
        {7, 2.0f, 1.0f},  // an index the plug-in may not store still gets 0..1
    };
    for (const Case& c : cases) {
        effect.applied.clear();
        e->setParameter(e, c.index, c.sent);
        ASSERT_EQ(effect.applied.size(), 1u) << c.sent;
        EXPECT_EQ(effect.applied[0].first, c.index);
        EXPECT_EQ(std::bit_cast<uint32_t>(effect.applied[0].second), std::bit_cast<uint32_t>(c.applied))
            << "index " << c.index << " sent " << c.sent;
    }
    // a value that is no number changes nothing
    effect.applied.clear();
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), inf, -inf}) e->setParameter(e, 0, bad);
    EXPECT_TRUE(effect.applied.empty());

    // the editor's edits go the same way, and the host is told the value as held
    automated.clear();
    effect.automate(2, 9.0f);
    effect.automate(0, -0.5f);
    effect.automate(0, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(automated, (std::vector<float>{1.16f, 0.0f}));
    EXPECT_EQ(effect.applied.back(), (std::pair<VstInt32, float>{0, 0.0f}));
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
