// A minimal effect for editor tests, with a host that counts its idle calls and can
// run a hook inside audioMasterIdle.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "frame/effect_base.h"

namespace gui_test {

struct HostLog {
    int idleCalls = 0;
    std::function<void()> onIdle;                       // runs inside audioMasterIdle
    std::vector<std::pair<VstInt32, VstInt32>> edits;  // begin or end edit, parameter
};

inline HostLog& hostLog() {
    static HostLog log;
    return log;
}

inline VstIntPtr VSTCALLBACK testHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode == audioMasterBeginEdit || opcode == audioMasterEndEdit) hostLog().edits.push_back({opcode, index});
    if (opcode == audioMasterIdle) {
        ++hostLog().idleCalls;
        if (hostLog().onIdle) hostLog().onIdle();
    }
    return 0;
}

class TestEffect : public frame::EffectBase {
public:
    explicit TestEffect(VstInt32 parameters = 8) : EffectBase(testHost, 1, parameters) { hostLog() = HostLog{}; }
    void applyParameter(VstInt32, float) override {}
    float parameterValue(VstInt32) const override { return 0.0f; }
    void parameterName(VstInt32, char* text, size_t) const override { text[0] = 0; }
    void parameterLabel(VstInt32, char* text, size_t) const override { text[0] = 0; }
    void parameterText(VstInt32, char* text, size_t) const override { text[0] = 0; }
    void processReplace(float**, float**, VstInt32) override {}
    void processAccumulate(float**, float**, VstInt32) override {}
};

}  // namespace gui_test
