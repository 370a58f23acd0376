// A plug-in's parameters and programs as a Markdown page for musicians: what
// each parameter reads across its range, and the program names.
#pragma once

#include <cstdio>

#include "host/plugin.h"

namespace host {

// Normalized values the reference shows each parameter at: 0, 0.1, ... 1.
inline constexpr int kReferenceSteps = 11;

// Writes the page to out. Each parameter is swept alone, the others staying at
// their current values, and is put back afterwards.
void writeParameterReference(Plugin& plugin, std::FILE* out);

}  // namespace host
