#include "tests/support/plugin_module.h"

#include <cstdlib>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace testing_support {

PluginModule::PluginModule(const std::string& path) {
#if defined(_WIN32)
    handle_ = reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
    if (!handle_) error_ = "cannot load " + path;
#else
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) error_ = dlerror();
#endif
}

PluginModule::~PluginModule() {
    if (!handle_) return;
#if defined(_WIN32)
    FreeLibrary(reinterpret_cast<HMODULE>(handle_));
#else
    dlclose(handle_);
#endif
}

PluginMain PluginModule::entry(const char* name) const {
    if (!handle_) return nullptr;
#if defined(_WIN32)
    // through void(*)(), the type GCC lets any function pointer cast to and from
    return reinterpret_cast<PluginMain>(
        reinterpret_cast<void (*)()>(GetProcAddress(reinterpret_cast<HMODULE>(handle_), name)));
#else
    return reinterpret_cast<PluginMain>(dlsym(handle_, name));
#endif
}

std::string builtPluginPath(const std::string& name) {
    const char* dir = std::getenv("TARN_PLUGIN_DIR");
#if defined(_WIN32)
    const char* suffix = ".dll";
#else
    const char* suffix = ".so";
#endif
    return std::string(dir ? dir : ".") + "/tarn_" + name + suffix;
}

VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return e->dispatcher(e, opcode, index, value, ptr, opt);
}

std::string dispatchText(AEffect* e, VstInt32 opcode, VstInt32 index) {
    // guard bytes after a generous buffer show any write past what hosts hand out
    char text[256];
    for (char& c : text) c = '\x7f';
    text[0] = '\0';
    e->dispatcher(e, opcode, index, 0, text, 0.0f);
    return std::string(text);
}

}  // namespace testing_support
