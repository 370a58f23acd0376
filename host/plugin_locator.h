// Finds a plug-in from what the user typed: a path to a module, or a short
// name such as "brisker" looked up in the usual VST 2 folders.
#pragma once

#include <string>
#include <vector>

namespace host {

// Folders searched for short names, in order: the build tree's plug-in folder
// ($TARN_PLUGIN_DIR overrides the one compiled in), then each folder of
// $VST_PATH when it is set (even empty), else ~/.vst, /usr/local/lib/vst and
// /usr/lib/vst.
std::vector<std::string> pluginSearchPath();

// The module for name; throws HostError listing the folders when none fits.
// A name with a slash or ending in ".so" is taken as a path.
std::string locatePlugin(const std::string& name);

// The module for a short name, or an empty string. The first folder with a
// NAME.so, tarn_NAME.so or NAME-vst.so wins, spelled exactly or, failing that,
// in any case.
std::string findPlugin(const std::string& shortName);

}  // namespace host
