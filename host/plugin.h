// One loaded VST 2 plug-in: the module, its record and the host state it sees.
// Opens the effect on load and closes it (and the module) on destruction.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "frame/vst2.h"
#include "host/host_callback.h"

namespace host {

class Plugin {
public:
    // Loads the module at path and opens its effect; throws HostError with a
    // one-line reason when the file is not a working VST 2 plug-in.
    static std::unique_ptr<Plugin> load(const std::string& path);
    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    AEffect* effect() const noexcept { return effect_; }
    HostState& hostState() noexcept { return state_; }
    const std::string& path() const noexcept { return path_; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);
    // A text the plug-in writes into a host buffer, read back safely.
    std::string text(VstInt32 opcode, VstInt32 index = 0);

    // The effect name, or the file name when the plug-in has none.
    std::string displayName();
    int numParams() const noexcept { return effect_->numParams; }
    int numPrograms() const noexcept { return effect_->numPrograms; }
    int numInputs() const noexcept { return effect_->numInputs; }
    int numOutputs() const noexcept { return effect_->numOutputs; }
    int latency() const noexcept { return effect_->initialDelay; }

    std::string paramName(int index) { return text(effGetParamName, index); }
    std::string paramLabel(int index) { return text(effGetParamLabel, index); }
    std::string paramDisplay(int index) { return text(effGetParamDisplay, index); }
    float param(int index) const;
    void setParam(int index, float value);
    // The name of program index, if the plug-in answers for it.
    std::optional<std::string> programName(int index);

    // Sample rate and largest block; only while suspended.
    void configure(float sampleRate, VstInt32 maxBlock);
    void resume();
    void suspend();
    bool resumed() const noexcept { return resumed_; }
    // Overwrites outputs with frames of processed audio, through
    // processReplacing or, for plug-ins without it, the accumulating entry.
    void process(float** inputs, float** outputs, VstInt32 frames);

private:
    Plugin() = default;

    void* module_ = nullptr;
    AEffect* effect_ = nullptr;
    HostState state_;
    std::string path_;
    bool resumed_ = false;
};

}  // namespace host
