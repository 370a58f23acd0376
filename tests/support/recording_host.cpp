#include "tests/support/recording_host.h"

#include <cstring>

namespace testing_support {
namespace {
RecordingHost* gActive = nullptr;
}

RecordingHost::RecordingHost() { gActive = this; }

RecordingHost::~RecordingHost() {
    if (gActive == this) gActive = nullptr;
}

audioMasterCallback RecordingHost::callback() noexcept { return &RecordingHost::dispatch; }

VstIntPtr VSTCALLBACK RecordingHost::dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                              void* ptr, float opt) {
    return gActive ? gActive->answer(effect, opcode, index, value, ptr, opt) : 0;
}

VstIntPtr RecordingHost::answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt) {
    HostCall call{effect, opcode, index, value, {}, opt};
    if (opcode == audioMasterCanDo && ptr) call.text = static_cast<const char*>(ptr);
    calls.push_back(call);
    switch (opcode) {
        case audioMasterVersion: return version;
        case audioMasterGetBlockSize: return blockSize;
        case audioMasterGetOutputLatency: return outputLatency;
        case audioMasterCanDo:
            return (ptr && std::strcmp(static_cast<const char*>(ptr), "reportConnectionChanges") == 0)
                       ? reportsConnections
                       : 0;
        case audioMasterPinConnected: return (index == 1 && value == 0 && !input2Connected) ? 1 : 0;
        case audioMasterIdle:
            if (onIdle) onIdle();
            return 0;
        default: return 0;
    }
}

std::vector<HostCall> RecordingHost::callsWith(VstInt32 opcode) const {
    std::vector<HostCall> out;
    for (const HostCall& c : calls)
        if (c.opcode == opcode) out.push_back(c);
    return out;
}

}  // namespace testing_support
