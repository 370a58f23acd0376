#include "host/host_callback.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

namespace host {
namespace {

std::mutex registryMutex;
std::vector<std::pair<AEffect*, HostState*>> registry;
thread_local HostState* pendingState = nullptr;
HostState defaultState;

HostState& stateOf(AEffect* effect) {
    if (effect != nullptr) {
        std::lock_guard lock(registryMutex);
        for (auto& [known, state] : registry) {
            if (known == effect) return *state;
        }
    }
    return pendingState != nullptr ? *pendingState : defaultState;
}

void copyText(void* ptr, const char* text, size_t capacity) {
    if (ptr == nullptr) return;
    auto* out = static_cast<char*>(ptr);
    std::strncpy(out, text, capacity - 1);
    out[capacity - 1] = '\0';
}

}  // namespace

void registerEffect(AEffect* effect, HostState* state) {
    std::lock_guard lock(registryMutex);
    registry.emplace_back(effect, state);
}

void unregisterEffect(AEffect* effect) {
    std::lock_guard lock(registryMutex);
    std::erase_if(registry, [effect](const auto& entry) { return entry.first == effect; });
}

void setPendingState(HostState* state) { pendingState = state; }

bool hostCanDo(const char* feature) {
    if (feature == nullptr) return false;
    static const char* const kFeatures[] = {"reportConnectionChanges", "acceptIOChanges",
                                           "startStopProcess"};
    return std::any_of(std::begin(kFeatures), std::end(kFeatures),
                       [feature](const char* known) { return std::strcmp(known, feature) == 0; });
}

VstIntPtr VSTCALLBACK hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                   void* ptr, float /*opt*/) {
    HostState& state = stateOf(effect);
    switch (opcode) {
    case audioMasterAutomate: ++state.automateCalls; return 0;
    case audioMasterVersion: return kVstVersion;
    case audioMasterCurrentId: return 0;
    case audioMasterIdle: return 0;
    case audioMasterPinConnected:
        // 0 means connected; value 0 asks about an input, otherwise an output
        if (value == 0) return index >= 0 && index < state.connectedInputs ? 0 : 1;
        return index >= 0 && index < state.connectedOutputs ? 0 : 1;
    case audioMasterGetTime: return 0;
    case audioMasterIOChanged: state.ioChanged = true; return 1;
    case audioMasterSizeWindow: return 0;
    case audioMasterGetSampleRate: return static_cast<VstIntPtr>(state.sampleRate);
    case audioMasterGetBlockSize: return state.blockSize;
    case audioMasterGetInputLatency: return 0;
    case audioMasterGetOutputLatency: return 0;
    case audioMasterGetCurrentProcessLevel: return kProcessLevelOffline;
    case audioMasterGetVendorString: copyText(ptr, "Tarn", kVstMaxVendorStrLen); return 1;
    case audioMasterGetProductString: copyText(ptr, "tarn", kVstMaxProductStrLen); return 1;
    case kAudioMasterGetVendorVersion: return kHostVendorVersion;
    case audioMasterCanDo: return hostCanDo(static_cast<const char*>(ptr)) ? 1 : 0;
    case audioMasterUpdateDisplay: return 1;
    case audioMasterBeginEdit: return 1;
    case audioMasterEndEdit: return 1;
    default: return 0;
    }
}

}  // namespace host
