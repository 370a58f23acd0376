#include <cstdio>

#include "host/command_line.h"
#include "host/commands.h"
#include "host/host_error.h"
#include "host/plugin_locator.h"
#include "host/validate_checks.h"

namespace host {
namespace {

constexpr const char* kHelp =
    "usage: tarn validate PLUGIN [--timeout SECONDS]\n"
    "\n"
    "Runs the checks every VST 2 plug-in should pass, each in a child process\n"
    "with a fresh copy of the plug-in, so that a crash or a hang fails that check\n"
    "only: repeated open/resume/suspend/close, every dispatcher opcode 0..80 with\n"
    "harmless arguments, texts within the buffers hosts give, parameter values and\n"
    "texts that read back as set, random and odd block sizes up to 8192, sample\n"
    "rates 11025 to 384000 Hz changed between suspend and resume, silence,\n"
    "full-scale noise, impulses, DC, output finite again within 1 s of a burst of\n"
    "NaN and infinities, parameter sweeps, every parameter automated at every\n"
    "block, no heap allocations inside the processing entries, silence after a\n"
    "signal costing at most 1.2 times the signal (denormals), the same output with\n"
    "flush-to-zero and denormals-are-zero set and beside a second instance, and\n"
    "the editor opened and closed 20 times in a window (skipped without an X\n"
    "display). Prints a line per check and \"N passed, M failed\"; exits with 1\n"
    "when any check failed.\n"
    "\n"
    "  --timeout SECONDS  time allowed for each check (120)\n";

const char* verdictWord(Verdict verdict) {
    switch (verdict) {
    case Verdict::kPassed: return "pass";
    case Verdict::kFailed: return "FAIL";
    case Verdict::kSkipped: return "skip";
    }
    return "?";
}

}  // namespace

int runValidate(const Args& args) {
    CommandLine line("validate", args, {{"timeout", true}});
    if (line.helpRequested()) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (line.positional().size() != 1) {
        throw HostError("tarn validate takes one PLUGIN (see tarn validate --help)", kExitUsage);
    }
    std::chrono::seconds timeout(line.intValue("timeout", 120, 1, 86400));
    std::string path = locatePlugin(line.positional()[0]);
    CheckResult loaded = runIsolated(loadCheck(), path, timeout);
    if (loaded.verdict != Verdict::kPassed) throw HostError(loaded.detail);

    std::printf("%s\n%s  %-46s %s\n", path.c_str(), "pass", loadCheck().name.c_str(), loaded.detail.c_str());
    int passed = 1, failed = 0, skipped = 0;
    for (const Check& check : standardChecks()) {
        CheckResult result = runIsolated(check, path, timeout);
        std::printf("%s  %-46s %s\n", verdictWord(result.verdict), check.name.c_str(), result.detail.c_str());
        std::fflush(stdout);
        passed += result.verdict == Verdict::kPassed;
        failed += result.verdict == Verdict::kFailed;
        skipped += result.verdict == Verdict::kSkipped;
    }
    std::printf("%d passed, %d failed", passed, failed);
    if (skipped > 0) std::printf(", %d skipped", skipped);
    std::printf("\n");
    return failed > 0 ? kExitFailure : 0;
}

}  // namespace host
