#include "frame/plugin_entry.h"
#include "glister/glister_effect.h"

frame::EffectBase* frame::createEffect(audioMasterCallback host) { return frame::makeEffect<glister::GlisterEffect>(host); }
