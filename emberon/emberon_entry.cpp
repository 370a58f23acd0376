#include "emberon/emberon_effect.h"
#include "frame/plugin_entry.h"

frame::EffectBase* frame::createEffect(audioMasterCallback host) { return frame::makeEffect<emberon::EmberonEffect>(host); }
