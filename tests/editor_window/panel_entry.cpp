#include "frame/plugin_entry.h"
#include "panel_effect.h"

frame::EffectBase* frame::createEffect(audioMasterCallback host) { return frame::makeEffect<panel_test::PanelEffect>(host); }
