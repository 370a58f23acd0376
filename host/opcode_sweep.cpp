// The dispatcher sweep and the buffer-bounds check of tarn validate.
#include <cstring>
#include <vector>

#include "host/process_harness.h"
#include "host/validate_checks.h"

namespace host {
namespace {

constexpr VstInt32 kLastOpcode = 80;
constexpr size_t kScratchSize = 4096;
constexpr VstInt32 kSpeakerArrangementStereo = 1;
constexpr VstInt32 kMaxPinsChecked = 64;
constexpr VstInt32 kMaxProgramsChecked = 128;
constexpr unsigned char kSentinel = 0xA5;

// Opcodes that need an open editor window; hosts send them only then.
bool needsEditorWindow(VstInt32 opcode) {
    return (opcode >= effEditOpen && opcode <= effEditSleep) || opcode == effEditKeyDown || opcode == effEditKeyUp;
}

// The record effProcessVarIo takes, with no frames to move.
struct VariableIo {
    float** inputs;
    float** outputs;
    VstInt32 numSamplesInput;
    VstInt32 numSamplesOutput;
    VstInt32* numSamplesInputProcessed;
    VstInt32* numSamplesOutputProcessed;
};

// The record effProcessEvents takes, holding no events.
struct EmptyEvents {
    VstInt32 numEvents = 0;
    VstIntPtr reserved = 0;
    void* events[2] = {};
};

struct SweepState {
    alignas(16) unsigned char scratch[kScratchSize];
    alignas(16) unsigned char inArrangement[kScratchSize];
    alignas(16) unsigned char outArrangement[kScratchSize];
    std::vector<unsigned char> chunk;
    float pinBuffer[2][16] = {};
    float* pins[2] = {pinBuffer[0], pinBuffer[1]};
    VstInt32 processedIn = 0, processedOut = 0;
    VariableIo variableIo{pins, pins, 0, 0, &processedIn, &processedOut};
    EmptyEvents events;
    void* pointerOut = nullptr;
    void* pointerIn = nullptr;
    char text[64] = {};
};

void stereoArrangement(unsigned char* buffer) {
    std::memset(buffer, 0, kScratchSize);
    VstInt32 header[2] = {kSpeakerArrangementStereo, 2};
    std::memcpy(buffer, header, sizeof header);
}

// One opcode with harmless arguments; the pairs that change state are undone at once.
void sendOpcode(Plugin& plugin, VstInt32 opcode, SweepState& s) {
    std::memset(s.scratch, 0, kScratchSize);
    switch (opcode) {
    case effSetProgram:
        if (plugin.numPrograms() > 0) plugin.dispatch(opcode, 0, 0);
        return;
    case effSetProgramName:
        std::strcpy(s.text, "tarn check");
        plugin.dispatch(opcode, 0, 0, s.text);
        return;
    case effSetSampleRate: plugin.dispatch(opcode, 0, 0, nullptr, 44100.0f); return;
    case effSetBlockSize: plugin.dispatch(opcode, 0, 512); return;
    case effMainsChanged:
        plugin.dispatch(opcode, 0, 1);
        plugin.dispatch(opcode, 0, 0);
        return;
    case effEditGetRect:
        s.pointerOut = nullptr;
        plugin.dispatch(opcode, 0, 0, &s.pointerOut);
        return;
    case effGetChunk: {
        s.pointerOut = nullptr;
        VstIntPtr size = plugin.dispatch(opcode, 0, 0, &s.pointerOut);
        if (size > 0 && s.pointerOut != nullptr) {
            auto* data = static_cast<unsigned char*>(s.pointerOut);
            s.chunk.assign(data, data + size);
        }
        return;
    }
    case effSetChunk:
        // only the plug-in's own chunk handed back is harmless
        if (!s.chunk.empty()) plugin.dispatch(opcode, 0, static_cast<VstIntPtr>(s.chunk.size()), s.chunk.data());
        return;
    case effProcessEvents: plugin.dispatch(opcode, 0, 0, &s.events); return;
    case effString2Parameter:
        if (plugin.numParams() > 0) plugin.dispatch(opcode, 0, 0, s.scratch);
        return;
    case effConnectInput:
    case effConnectOutput: plugin.dispatch(opcode, 0, 1); return;
    case effProcessVarIo: plugin.dispatch(opcode, 0, 0, &s.variableIo); return;
    case effSetSpeakerArrangement:
        stereoArrangement(s.inArrangement);
        stereoArrangement(s.outArrangement);
        plugin.dispatch(opcode, 0, reinterpret_cast<VstIntPtr>(s.inArrangement), s.outArrangement);
        return;
    case effSetBlockSizeAndSampleRate: plugin.dispatch(opcode, 0, 512, nullptr, 44100.0f); return;
    case effCanDo:
        std::strcpy(s.text, "receiveVstEvents");
        plugin.dispatch(opcode, 0, 0, s.text);
        return;
    case effGetSpeakerArrangement:
        s.pointerIn = s.pointerOut = nullptr;
        plugin.dispatch(opcode, 0, reinterpret_cast<VstIntPtr>(&s.pointerIn), &s.pointerOut);
        return;
    case effStartProcess:
        plugin.dispatch(effStartProcess);
        plugin.dispatch(effStopProcess);
        return;
    case effBeginSetProgram:
        plugin.dispatch(effBeginSetProgram);
        plugin.dispatch(effEndSetProgram);
        return;
    case effSetTotalSampleToProcess: plugin.dispatch(opcode, 0, 44100); return;
    case effSetPanLaw: plugin.dispatch(opcode, 0, 0, nullptr, 1.0f); return;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effCanBeAutomated:
    case effGetParameterProperties:
        if (plugin.numParams() > 0) plugin.dispatch(opcode, 0, 0, s.scratch);
        return;
    case effGetProgramNameIndexed: plugin.dispatch(opcode, 0, -1, s.scratch); return;
    case effVendorSpecific: plugin.dispatch(opcode); return;
    default:
        // getters write into the scratch buffer; the rest ignore it or read zeros
        plugin.dispatch(opcode, 0, 0, opcode > effSetProcessPrecision ? nullptr : s.scratch);
        return;
    }
}

// Highest byte the plug-in wrote, or -1.
long writtenExtent(const unsigned char* buffer, size_t size) {
    for (size_t i = size; i > 0; --i) {
        if (buffer[i - 1] != kSentinel) return static_cast<long>(i - 1);
    }
    return -1;
}

// Answers an empty string when the write fits limit bytes, else what went wrong.
std::string probe(Plugin& plugin, const char* what, VstInt32 opcode, VstInt32 index, size_t limit) {
    static unsigned char buffer[kScratchSize];
    std::memset(buffer, kSentinel, sizeof buffer);
    plugin.dispatch(opcode, index, 0, buffer);
    long extent = writtenExtent(buffer, sizeof buffer);
    if (extent < static_cast<long>(limit)) return {};
    return std::string(what) + " " + std::to_string(index) + " wrote " + std::to_string(extent + 1) +
           " bytes into a " + std::to_string(limit) + "-byte buffer";
}

}  // namespace

CheckResult sweepOpcodes(const std::string& path, const CheckProgress& progress) {
    ProcessHarness harness(path);
    Plugin& plugin = harness.plugin();
    plugin.suspend();
    SweepState state;
    for (VstInt32 opcode = effClose + 1; opcode <= kLastOpcode; ++opcode) {
        if (needsEditorWindow(opcode) || opcode == effStopProcess || opcode == effEndSetProgram) continue;
        progress.step("opcode " + std::to_string(opcode));
        sendOpcode(plugin, opcode, state);
    }
    progress.step("processing after the sweep");
    plugin.resume();
    harness.clearStats();
    harness.run(4096, 512, whiteNoise);
    if (harness.nonFinite() > 0) return {Verdict::kFailed, "non-finite output after the sweep"};
    return {Verdict::kPassed, "opcodes 0 and 1 run by the lifecycle check; editor opcodes 14-21, 59, 60 need a window"};
}

CheckResult checkTextBounds(const std::string& path, const CheckProgress& progress) {
    std::unique_ptr<Plugin> plugin = Plugin::load(path);
    std::vector<std::string> faults;
    auto add = [&faults](std::string fault) {
        if (!fault.empty()) faults.push_back(std::move(fault));
    };
    progress.step("names");
    add(probe(*plugin, "effGetEffectName", effGetEffectName, 0, kVstMaxEffectNameLen));
    add(probe(*plugin, "effGetVendorString", effGetVendorString, 0, kVstMaxVendorStrLen));
    add(probe(*plugin, "effGetProductString", effGetProductString, 0, kVstMaxProductStrLen));
    add(probe(*plugin, "effGetProgramName", effGetProgramName, 0, kVstMaxProgNameLen));
    for (VstInt32 i = 0; i < std::min(plugin->numPrograms(), kMaxProgramsChecked); ++i) {
        add(probe(*plugin, "effGetProgramNameIndexed", effGetProgramNameIndexed, i, kVstMaxProgNameLen));
    }
    progress.step("parameter texts");
    for (VstInt32 i = 0; i < plugin->numParams(); ++i) {
        add(probe(*plugin, "effGetParamName", effGetParamName, i, kVstMaxParamTextLen));
        add(probe(*plugin, "effGetParamLabel", effGetParamLabel, i, kVstMaxParamTextLen));
        add(probe(*plugin, "effGetParamDisplay", effGetParamDisplay, i, kVstMaxParamTextLen));
        add(probe(*plugin, "effGetParameterProperties", effGetParameterProperties, i, sizeof(VstParameterProperties)));
    }
    progress.step("pin properties");
    for (VstInt32 i = 0; i < std::min(plugin->numInputs(), kMaxPinsChecked); ++i) {
        add(probe(*plugin, "effGetInputProperties", effGetInputProperties, i, sizeof(VstPinProperties)));
    }
    for (VstInt32 i = 0; i < std::min(plugin->numOutputs(), kMaxPinsChecked); ++i) {
        add(probe(*plugin, "effGetOutputProperties", effGetOutputProperties, i, sizeof(VstPinProperties)));
    }
    if (faults.empty()) return {Verdict::kPassed, "parameter texts measured against 64 bytes, as hosts give"};
    std::string detail = faults.front();
    if (faults.size() > 1) detail += " (and " + std::to_string(faults.size() - 1) + " more)";
    return {Verdict::kFailed, detail};
}

}  // namespace host
