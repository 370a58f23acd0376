// A host for tests: answers the plug-in's callbacks from settings the test
// chooses and records every call, so tests can check what a plug-in asked.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "frame/vst2.h"

namespace testing_support {

struct HostCall {
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    std::string text;  // the string at ptr for canDo
    float opt;
};

class RecordingHost {
public:
    RecordingHost();
    ~RecordingHost();
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    // The callback to hand to a plug-in; it reaches the most recently built RecordingHost.
    static audioMasterCallback callback() noexcept;

    // Answers.
    VstIntPtr version = 2400;
    VstIntPtr blockSize = 0;  // 0: no answer
    VstIntPtr outputLatency = 0;
    VstIntPtr reportsConnections = 0;  // answer to canDo "reportConnectionChanges"
    bool input2Connected = true;

    // Runs inside audioMasterIdle, as a host's own idle work would.
    std::function<void()> onIdle;

    std::vector<HostCall> calls;
    std::vector<HostCall> callsWith(VstInt32 opcode) const;
    void clear() { calls.clear(); }

private:
    static VstIntPtr VSTCALLBACK dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                          void* ptr, float opt);
    VstIntPtr answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
};

}  // namespace testing_support
