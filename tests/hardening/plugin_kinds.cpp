#include "tests/hardening/plugin_kinds.h"

#include <new>

#include "brisker/brisker_effect.h"
#include "emberon/emberon_effect.h"
#include "glister/glister_effect.h"
#include "rumbler/rumbler_effect.h"
#include "tests/hardening/stand_in_editor.h"

namespace hardening {
namespace {

template <class Effect>
frame::EffectBase* make(audioMasterCallback host) {
    return new (std::nothrow) Effect(host);
}

constexpr PluginKind kKinds[] = {
    {"brisker", make<brisker::BriskerEffect>},
    {"glister", make<glister::GlisterEffect>},
    {"rumbler", make<rumbler::RumblerEffect>},
    {"emberon", make<emberon::EmberonEffect>},
};

}  // namespace

std::span<const PluginKind> pluginKinds() { return kKinds; }

const PluginKind* findPluginKind(std::string_view name) {
    for (const PluginKind& kind : kKinds)
        if (name == kind.name) return &kind;
    return nullptr;
}

AEffect* openInProcess(const PluginKind& kind, audioMasterCallback host) {
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    frame::EffectBase* effect = kind.create(host);
    if (!effect) return nullptr;
    if (!effect->editor()) new StandInEditor(effect);
    return effect->record();
}

}  // namespace hardening
