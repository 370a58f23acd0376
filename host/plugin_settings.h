// Program selection and parameter settings from the command line, through the
// VST 2 interface only: program names from effGetProgramNameIndexed, programs
// selected with effSetProgram, parameters set with setParameter.
#pragma once

#include <string>
#include <vector>

#include "host/plugin.h"

namespace host {

// How far names are listed past numPrograms: plug-ins that keep a private bank
// name it through effGetProgramNameIndexed without letting hosts select it.
inline constexpr int kMaxListedPrograms = 1024;

struct ProgramEntry {
    int index;
    std::string name;
    bool selectable;  // below numPrograms
};

// Every program the plug-in names: indices below numPrograms, then further
// indices for as long as the plug-in answers with a new, non-empty name.
std::vector<ProgramEntry> listPrograms(Plugin& plugin);

// Selects a program given by name or index. Throws HostError when there is no
// such program, or when it is named but not selectable through the interface.
void selectProgram(Plugin& plugin, const std::string& nameOrIndex);

// The parameter index for a name (exact, then ignoring case and surrounding
// blanks) or a plain index; throws HostError when there is none.
int findParameter(Plugin& plugin, const std::string& nameOrIndex);

// Applies "NAME=VALUE" with VALUE normalized 0..1; throws HostError for an
// unknown name or a value that is not a number in 0..1.
void applySetting(Plugin& plugin, const std::string& setting);

}  // namespace host
