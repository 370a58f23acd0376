// Runs plug-in checks each in a forked child, so that a crash or a hang in
// the plug-in fails that check instead of ending the run.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace host {

enum class Verdict { kPassed, kFailed, kSkipped };

struct CheckResult {
    Verdict verdict = Verdict::kPassed;
    std::string detail;  // one line, may be empty
};

// What a check body may tell its parent while it runs: the step it is on, so
// that a crash can be reported with the step where it happened.
class CheckProgress {
public:
    explicit CheckProgress(int fd) : fd_(fd) {}
    void step(const std::string& what) const;

private:
    int fd_;
};

struct Check {
    std::string name;
    std::function<CheckResult(const std::string& pluginPath, const CheckProgress& progress)> body;
};

// Forks, runs the body in the child with a fresh copy of the plug-in and
// collects its verdict; a signal, a timeout or an exit without a verdict fails.
CheckResult runIsolated(const Check& check, const std::string& pluginPath, std::chrono::seconds timeout);

}  // namespace host
