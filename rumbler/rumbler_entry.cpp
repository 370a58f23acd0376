#include "frame/plugin_entry.h"
#include "rumbler/rumbler_effect.h"

frame::EffectBase* frame::createEffect(audioMasterCallback host) { return frame::makeEffect<rumbler::RumblerEffect>(host); }
