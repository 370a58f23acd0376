// The four plug-ins built into the test program itself, so that hardening tests
// reach the editor's frame (headless) as well as the record a host sees.
#pragma once

#include <span>
#include <string_view>

#include "frame/effect_base.h"

namespace hardening {

struct PluginKind {
    const char* name;  // "brisker" for tarn_brisker
    frame::EffectBase* (*create)(audioMasterCallback host);
};

// Brisker, Glister, Rumbler, Emberon, in that order.
std::span<const PluginKind> pluginKinds();
// The kind of that name, or null.
const PluginKind* findPluginKind(std::string_view name);

// Builds one, as main does for a host, with a stand-in editor when the plug-in has no
// editor of its own; null when it cannot be built.
AEffect* openInProcess(const PluginKind& kind, audioMasterCallback host);

}  // namespace hardening
