// tarn: a command-line VST 2 host for offline rendering and plug-in checks.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>

#include "host/commands.h"
#include "host/host_error.h"
#include "host/renderer.h"

namespace {

constexpr const char* kUsage =
    "usage: tarn COMMAND [ARGS]\n"
    "\n"
    "  info PLUGIN                   identity, pins, latency, parameters and programs\n"
    "  render PLUGIN [IN] OUT [...]  process an audio file (or the demo signal) into OUT\n"
    "  demo [OUTDIR]                 the demo signal through every Tarn plug-in built\n"
    "  validate PLUGIN               the checks every VST 2 plug-in should pass\n"
    "  snapshot PLUGIN OUT.png [IN]  a picture of the plug-in's editor with live meters\n"
    "\n"
    "PLUGIN is a path to a .so or a short name (brisker, ZamComp; any case) looked\n"
    "up in the build tree, then $VST_PATH or, when it is not set, ~/.vst,\n"
    "/usr/local/lib/vst and /usr/lib/vst.\n"
    "tarn COMMAND --help describes each command.\n";

void onInterrupt(int) { host::renderInterrupted.store(true, std::memory_order_relaxed); }

int dispatch(const std::string& command, const host::Args& args) {
    if (command == "info") return host::runInfo(args);
    if (command == "render") return host::runRender(args);
    if (command == "demo") return host::runDemo(args);
    if (command == "validate") return host::runValidate(args);
    if (command == "snapshot") return host::runSnapshot(args);
    if (command == "help" || command == "--help" || command == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    throw host::HostError("unknown command '" + command + "' (see tarn --help)", host::kExitUsage);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return host::kExitUsage;
    }
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    try {
        return dispatch(argv[1], host::Args(argv + 2, argv + argc));
    } catch (const host::HostError& error) {
        std::fprintf(stderr, "tarn: %s\n", error.what());
        return error.exitCode();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarn: %s\n", error.what());
        return host::kExitFailure;
    }
}
