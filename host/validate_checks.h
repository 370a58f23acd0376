// The checks of tarn validate: what every VST 2 plug-in should get through,
// whatever it does to the sound.
#pragma once

#include <vector>

#include "host/validator.h"

namespace host {

// Loads the plug-in and looks at its record; run first, alone.
Check loadCheck();
// Every other check, in the order they are printed.
std::vector<Check> standardChecks();

// Dispatcher opcodes 0..80 with arguments the interface allows (opcode_sweep.cpp).
CheckResult sweepOpcodes(const std::string& pluginPath, const CheckProgress& progress);
// Texts and records the plug-in writes stay inside the buffers hosts give.
CheckResult checkTextBounds(const std::string& pluginPath, const CheckProgress& progress);

}  // namespace host
