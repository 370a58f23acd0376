// The tarn commands. Each takes the arguments after its name, prints to
// stdout and answers the process exit code; errors are thrown as HostError.
#pragma once

#include <string>
#include <vector>

namespace host {

using Args = std::vector<std::string>;

int runInfo(const Args& args);
int runRender(const Args& args);
int runDemo(const Args& args);
int runValidate(const Args& args);
int runSnapshot(const Args& args);

}  // namespace host
