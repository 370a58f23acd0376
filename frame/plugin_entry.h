// Each plug-in defines createEffect in its one-line entry file; the exported
// entry points (VSTPluginMain and main) live in frame/plugin_entry.cpp.
#pragma once

#include <new>

#include "frame/effect_base.h"

namespace frame {

// Builds the plug-in object; null when it cannot be built.
EffectBase* createEffect(audioMasterCallback host);

template <class Effect>
EffectBase* makeEffect(audioMasterCallback host) {
    return new (std::nothrow) Effect(host);
}

// What main does: refuse a host that answers 0 to audioMasterVersion, build the
// effect, hand out its record. Never throws.
AEffect* openPlugin(audioMasterCallback host) noexcept;

}  // namespace frame
