// Small VST 2 plug-ins that exercise the host: a delay with a known latency
// and a marker for a disconnected second input, and broken variants chosen
// at compile time (an entry returning null, no entry, a wrong magic, a crash
// on one-frame blocks, an allocation in every processing call, a delay line
// shared by all instances, silence that costs more than sound, a parameter
// that reads back less than it was set to).
#include <csignal>
#include <cstring>

#include "frame/vst2.h"

namespace {

constexpr int kLatency = 100;
constexpr float kDisconnectedMarker = -0.25f;
const char* const kProgramNames[] = {"Unity", "Half", "Hidden"};  // "Hidden" is past numPrograms

struct FakeDelay {
    AEffect effect{};
    audioMasterCallback host = nullptr;
    float gain = 1.0f;
    float ring[2][kLatency] = {};
    int position = 0;
    bool secondInputConnected = true;
    float* lastBlock = nullptr;
};

FakeDelay* self(AEffect* effect) { return static_cast<FakeDelay*>(effect->object); }

#ifdef FAKE_SHARED_STATE
float sharedRing[2][kLatency] = {};
#endif

#ifdef FAKE_SLOW_SILENCE
// Work that only silent samples cost, as a denormal stall would.
void burn() {
    volatile float sink = 1.0f;
    for (int k = 0; k < 64; ++k) sink = sink * 1.0001f + 1.0f;
}
#endif

void copyText(void* ptr, const char* text, size_t capacity) {
    std::strncpy(static_cast<char*>(ptr), text, capacity - 1);
    static_cast<char*>(ptr)[capacity - 1] = '\0';
}

void resume(FakeDelay& fake) {
    std::memset(fake.ring, 0, sizeof fake.ring);
    fake.position = 0;
    char feature[] = "reportConnectionChanges";
    fake.secondInputConnected = true;
    if (fake.host(&fake.effect, audioMasterCanDo, 0, 0, feature, 0) >= 1) {
        fake.secondInputConnected = fake.host(&fake.effect, audioMasterPinConnected, 1, 0, nullptr, 0) == 0;
    }
}

VstIntPtr dispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float) {
    FakeDelay& fake = *self(effect);
    switch (opcode) {
    case effClose:
        delete[] fake.lastBlock;
        delete &fake;
        return 1;
    case effSetProgram:
        if (value == 0) fake.gain = 1.0f;
        if (value == 1) fake.gain = 0.5f;
        return 0;
    case effGetProgramNameIndexed:
        if (index < 0 || index > 2) return 0;
        copyText(ptr, kProgramNames[index], kVstMaxProgNameLen);
        return 1;
    case effGetParamName: copyText(ptr, "gain", 9); return 0;
    case effGetParamLabel: copyText(ptr, "", 9); return 0;
    case effGetParamDisplay: copyText(ptr, fake.gain == 1.0f ? "unity" : "less", 9); return 0;
    case effMainsChanged:
        if (value != 0) resume(fake);
        return 0;
    case effGetEffectName: copyText(ptr, "Fake Delay", kVstMaxEffectNameLen); return 1;
    case effGetVendorString: copyText(ptr, "Tarn tests", kVstMaxVendorStrLen); return 1;
    default: return 0;
    }
}

void processReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    FakeDelay& fake = *self(effect);
#ifdef FAKE_CRASH_ON_SINGLE_FRAME
    if (frames == 1) std::raise(SIGSEGV);
#endif
#ifdef FAKE_ALLOCATES
    delete[] fake.lastBlock;
    fake.lastBlock = new float[static_cast<size_t>(frames)];
#endif
    for (VstInt32 i = 0; i < frames; ++i) {
        for (int channel = 0; channel < 2; ++channel) {
#ifdef FAKE_SHARED_STATE
            float* ring = sharedRing[channel];
#else
            float* ring = fake.ring[channel];
#endif
#ifdef FAKE_SLOW_SILENCE
            if (inputs[channel][i] == 0.0f) burn();
#endif
            float delayed = ring[fake.position];
            ring[fake.position] = inputs[channel][i];
            outputs[channel][i] = delayed * fake.gain;
        }
        if (!fake.secondInputConnected) outputs[1][i] = kDisconnectedMarker;
        fake.position = (fake.position + 1) % kLatency;
    }
}

void setParameter(AEffect* effect, VstInt32 index, float value) {
    if (index == 0) self(effect)->gain = value;
}

float getParameter(AEffect* effect, VstInt32 index) {
#ifdef FAKE_DRIFTING_PARAMETER
    return index == 0 ? 0.9f * self(effect)->gain : 0.0f;
#else
    return index == 0 ? self(effect)->gain : 0.0f;
#endif
}

AEffect* create(audioMasterCallback host) {
    if (host == nullptr || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0) == 0) return nullptr;
    auto* fake = new FakeDelay;
    fake->host = host;
    AEffect& e = fake->effect;
    e.magic = kEffectMagic;
    e.dispatcher = dispatcher;
    e.setParameter = setParameter;
    e.getParameter = getParameter;
    e.processReplacing = processReplacing;
    e.numPrograms = 2;
    e.numParams = 1;
    e.numInputs = 2;
    e.numOutputs = 2;
    e.flags = effFlagsCanReplacing;
    e.initialDelay = kLatency;
    e.ioRatio = 1.0f;
    e.object = fake;
    e.uniqueID = vstFourCC('T', 'f', 'D', 'l');
    e.version = 1;
    return &e;
}

}  // namespace

#ifndef FAKE_NO_ENTRY
extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host) {
#if defined(FAKE_NULL_ENTRY)
    return host == nullptr ? create(host) : nullptr;
#elif defined(FAKE_BAD_MAGIC)
    static AEffect wrong{};
    return host == nullptr ? create(host) : &wrong;
#else
    return create(host);
#endif
}
#else
extern "C" __attribute__((visibility("default"))) int notAnEntryPoint() { return create(nullptr) != nullptr; }
#endif
