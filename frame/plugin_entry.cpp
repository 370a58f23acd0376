#include "frame/plugin_entry.h"

#if defined(_WIN32)
#define TARN_EXPORT __declspec(dllexport)
#else
#define TARN_EXPORT __attribute__((visibility("default")))
#endif

namespace frame {

AEffect* openPlugin(audioMasterCallback host) noexcept {
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    try {
        EffectBase* effect = createEffect(host);
        return effect ? effect->record() : nullptr;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace frame

extern "C" TARN_EXPORT AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback host) {
    return frame::openPlugin(host);
}

#if !defined(_WIN32)
// Older hosts look for "main"; C++ reserves the name, so it is given as the symbol name.
extern "C" TARN_EXPORT AEffect* tarnLegacyMain(audioMasterCallback host) __asm__("main");
extern "C" AEffect* tarnLegacyMain(audioMasterCallback host) { return frame::openPlugin(host); }
#endif
