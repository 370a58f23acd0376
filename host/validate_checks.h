// The checks of tarn validate: what every VST 2 plug-in should get through,
// whatever it does to the sound.
#pragma once

#include <string>
#include <vector>

#include "host/process_harness.h"
#include "host/validator.h"

namespace host {

// Outputs of a plug-in at its default settings fed at most full scale stay
// below this (+30 dBFS): anything louder is a blow-up, not an effect.
inline constexpr double kOutputBound = 32.0;

// A linear level as "-12.0 dBFS".
std::string dbText(double level);
// Fails on non-finite output or a peak above bound, else passes with the peak.
CheckResult judgeOutput(const ProcessHarness& harness, double bound = kOutputBound);

// Loads the plug-in and looks at its record; run first, alone.
Check loadCheck();
// Every other check, in the order they are printed.
std::vector<Check> standardChecks();

// Dispatcher opcodes 0..80 with arguments the interface allows (opcode_sweep.cpp).
CheckResult sweepOpcodes(const std::string& pluginPath, const CheckProgress& progress);
// Texts and records the plug-in writes stay inside the buffers hosts give.
CheckResult checkTextBounds(const std::string& pluginPath, const CheckProgress& progress);

// Every parameter set to a random value before every block (parameter_checks.cpp).
CheckResult automationEveryBlock(const std::string& pluginPath, const CheckProgress& progress);
// A value set reads back the same, and so does its text, whatever came before.
CheckResult parameterReadBack(const std::string& pluginPath, const CheckProgress& progress);
// The output with flush-to-zero and denormals-are-zero set, as some hosts run, against
// the output without (comparison_checks.cpp).
CheckResult flushToZero(const std::string& pluginPath, const CheckProgress& progress);
// One instance's output is the same whatever a second one in the process does.
CheckResult twoInstances(const std::string& pluginPath, const CheckProgress& progress);
// Silence after a signal costs no more CPU time than the signal (cost_check.cpp).
CheckResult silenceCost(const std::string& pluginPath, const CheckProgress& progress);
// The editor opened and closed repeatedly in a window of ours, when there is an X
// display, leaves no window, descriptor or heap behind (editor_check.cpp).
CheckResult editorCycles(const std::string& pluginPath, const CheckProgress& progress);

}  // namespace host
