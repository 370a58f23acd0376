#include "host/plugin.h"

#include <dlfcn.h>

#include <cstring>
#include <filesystem>

#include "host/host_error.h"

namespace host {
namespace {

using EntryPoint = AEffect* (*)(audioMasterCallback);

// Plug-ins often write more than the interface's 8 characters into parameter
// texts; a roomy buffer, pre-zeroed and cut at its end, keeps any of them safe.
constexpr size_t kTextBufferSize = 512;

EntryPoint findEntry(void* module) {
    for (const char* name : {"VSTPluginMain", "main"}) {
        if (void* symbol = dlsym(module, name)) return reinterpret_cast<EntryPoint>(symbol);
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<Plugin> Plugin::load(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw HostError("cannot open plug-in '" + path + "': no such file");
    }
    std::unique_ptr<Plugin> plugin(new Plugin());
    plugin->path_ = path;
    plugin->module_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (plugin->module_ == nullptr) {
        const char* reason = dlerror();
        throw HostError("'" + path + "' is not a loadable plug-in: " + (reason ? reason : "unknown reason"));
    }
    EntryPoint entry = findEntry(plugin->module_);
    if (entry == nullptr) {
        throw HostError("'" + path + "' is not a VST 2 plug-in: it exports neither VSTPluginMain nor main");
    }
    setPendingState(&plugin->state_);
    AEffect* effect = entry(hostCallback);
    setPendingState(nullptr);
    if (effect == nullptr) {
        throw HostError("'" + path + "' did not start: its entry point returned null");
    }
    if (effect->magic != kEffectMagic) {
        throw HostError("'" + path + "' is not a VST 2 plug-in: its record lacks the VstP magic");
    }
    plugin->effect_ = effect;
    registerEffect(effect, &plugin->state_);
    plugin->dispatch(effOpen);
    return plugin;
}

Plugin::~Plugin() {
    if (effect_ != nullptr) {
        if (resumed_) suspend();
        dispatch(effClose);
        unregisterEffect(effect_);
    }
    if (module_ != nullptr) dlclose(module_);
}

VstIntPtr Plugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string Plugin::text(VstInt32 opcode, VstInt32 index) {
    char buffer[kTextBufferSize] = {};
    dispatch(opcode, index, 0, buffer);
    buffer[kTextBufferSize - 1] = '\0';
    return buffer;
}

std::string Plugin::displayName() {
    std::string name = text(effGetEffectName);
    if (name.empty()) name = std::filesystem::path(path_).stem().string();
    return name;
}

float Plugin::param(int index) const { return effect_->getParameter(effect_, index); }

void Plugin::setParam(int index, float value) { effect_->setParameter(effect_, index, value); }

std::optional<std::string> Plugin::programName(int index) {
    char buffer[kTextBufferSize] = {};
    if (dispatch(effGetProgramNameIndexed, index, -1, buffer) == 0) return std::nullopt;
    buffer[kTextBufferSize - 1] = '\0';
    return std::string(buffer);
}

void Plugin::configure(float sampleRate, VstInt32 maxBlock) {
    state_.sampleRate = sampleRate;
    state_.blockSize = maxBlock;
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, maxBlock);
}

void Plugin::resume() {
    dispatch(effMainsChanged, 0, 1);
    dispatch(effStartProcess);
    resumed_ = true;
}

void Plugin::suspend() {
    dispatch(effStopProcess);
    dispatch(effMainsChanged, 0, 0);
    resumed_ = false;
}

void Plugin::process(float** inputs, float** outputs, VstInt32 frames) {
    if ((effect_->flags & effFlagsCanReplacing) != 0 && effect_->processReplacing != nullptr) {
        effect_->processReplacing(effect_, inputs, outputs, frames);
        return;
    }
    for (int channel = 0; channel < effect_->numOutputs; ++channel) {
        std::memset(outputs[channel], 0, sizeof(float) * static_cast<size_t>(frames));
    }
    effect_->process(effect_, inputs, outputs, frames);
}

}  // namespace host
