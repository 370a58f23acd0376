// The treble enhancer's factory programs.
#pragma once

#include "frame/program_bank.h"

namespace glister {

// Writes the factory table over all 41 slots: names and every field but Mix,
// which keeps the slot's own value.
void writeFactoryPrograms(frame::ProgramBank& bank);

}  // namespace glister
