// The host side of the VST 2 callback: what tarn tells a plug-in about the
// sample rate, block size, connected pins and itself.
#pragma once

#include "frame/vst2.h"

namespace host {

// Callback opcodes beyond those the shared header names.
inline constexpr VstInt32 kAudioMasterGetVendorVersion = 34;
inline constexpr VstInt32 kProcessLevelOffline = 4;
inline constexpr VstInt32 kHostVendorVersion = 1;

// One loaded plug-in's view of the host. Plain values: tarn drives each
// plug-in from one thread.
struct HostState {
    float sampleRate = 44100.0f;
    VstInt32 blockSize = 512;
    VstInt32 connectedInputs = 2;   // pins below this index are connected
    VstInt32 connectedOutputs = 2;
    bool ioChanged = false;         // the plug-in reported audioMasterIOChanged
    int automateCalls = 0;          // audioMasterAutomate calls seen
};

// The callback handed to every plug-in's entry point.
VstIntPtr VSTCALLBACK hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                   void* ptr, float opt);

// Ties a record to its state, so that callbacks find it. While an entry point
// runs the record is not known yet: calls then answer from the pending state.
void registerEffect(AEffect* effect, HostState* state);
void unregisterEffect(AEffect* effect);
void setPendingState(HostState* state);

// What tarn answers to audioMasterCanDo.
bool hostCanDo(const char* feature);

}  // namespace host
