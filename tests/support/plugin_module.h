// Loads a built plug-in the way a host does: open the shared library, find
// VSTPluginMain (or main) and call it with a host callback.
#pragma once

#include <string>

#include "frame/vst2.h"

namespace testing_support {

using PluginMain = AEffect* (VSTCALLBACK*)(audioMasterCallback);

class PluginModule {
public:
    explicit PluginModule(const std::string& path);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    bool loaded() const noexcept { return handle_ != nullptr; }
    const std::string& error() const noexcept { return error_; }
    // Entry point by exported name ("VSTPluginMain" or "main"); null when missing.
    PluginMain entry(const char* name) const;

private:
    void* handle_ = nullptr;
    std::string error_;
};

// Where the build put tarn_<name> (from TARN_PLUGIN_DIR).
std::string builtPluginPath(const std::string& name);

// Thin wrappers over the record's function pointers.
VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                   float opt = 0.0f);
std::string dispatchText(AEffect* e, VstInt32 opcode, VstInt32 index = 0);

}  // namespace testing_support
