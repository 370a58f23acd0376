#include "host/validator.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>

#include "host/host_error.h"

namespace host {
namespace {

// Messages on the pipe are lines: "step TEXT", then one "pass TEXT",
// "fail TEXT" or "skip TEXT".
void sendLine(int fd, const std::string& kind, const std::string& text) {
    std::string line = kind + " " + text;
    for (char& c : line) {
        if (c == '\n') c = ' ';
    }
    line += '\n';
    size_t sent = 0;
    while (sent < line.size()) {
        ssize_t n = write(fd, line.data() + sent, line.size() - sent);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

[[noreturn]] void runChild(const Check& check, const std::string& pluginPath, int fd) {
    // a crash must end the child by its signal, whatever handler was installed
    // before (a sanitizer's, say), so that the parent can name it
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(signal, SIG_DFL);
    CheckResult result;
    try {
        result = check.body(pluginPath, CheckProgress(fd));
    } catch (const std::exception& error) {
        result = {Verdict::kFailed, error.what()};
    }
    const char* kind = result.verdict == Verdict::kPassed   ? "pass"
                       : result.verdict == Verdict::kFailed ? "fail"
                                                            : "skip";
    sendLine(fd, kind, result.detail);
    close(fd);
    _exit(0);
}

// Reads the child's lines until it closes the pipe or the time is up.
bool readReport(int fd, std::chrono::seconds timeout, std::string& lastStep, std::string& verdictLine) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string pending;
    char buffer[4096];
    while (true) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd entry{fd, POLLIN, 0};
        if (poll(&entry, 1, static_cast<int>(left.count())) <= 0) continue;
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) return true;
        pending.append(buffer, static_cast<size_t>(n));
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (line.rfind("step ", 0) == 0) lastStep = line.substr(5);
            else verdictLine = line;
        }
    }
}

CheckResult fromVerdictLine(const std::string& line) {
    std::string detail = line.size() > 5 ? line.substr(5) : "";
    if (line.rfind("pass", 0) == 0) return {Verdict::kPassed, detail};
    if (line.rfind("skip", 0) == 0) return {Verdict::kSkipped, detail};
    return {Verdict::kFailed, detail};
}

}  // namespace

void CheckProgress::step(const std::string& what) const { sendLine(fd_, "step", what); }

CheckResult runIsolated(const Check& check, const std::string& pluginPath, std::chrono::seconds timeout) {
    int fds[2];
    if (pipe(fds) != 0) throw HostError(std::string("cannot run a check: ") + std::strerror(errno));
    std::fflush(nullptr);
    pid_t child = fork();
    if (child < 0) throw HostError(std::string("cannot run a check: ") + std::strerror(errno));
    if (child == 0) {
        close(fds[0]);
        runChild(check, pluginPath, fds[1]);
    }
    close(fds[1]);
    std::string lastStep, verdictLine;
    bool finished = readReport(fds[0], timeout, lastStep, verdictLine);
    close(fds[0]);
    if (!finished) kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    std::string where = lastStep.empty() ? "" : " during " + lastStep;
    if (!finished) return {Verdict::kFailed, "no answer within " + std::to_string(timeout.count()) + " s" + where};
    if (WIFSIGNALED(status)) {
        int signal = WTERMSIG(status);
        const char* name = sigabbrev_np(signal);
        std::string signalName = name != nullptr ? std::string("SIG") + name : "signal " + std::to_string(signal);
        return {Verdict::kFailed, "crashed (" + signalName + ")" + where};
    }
    if (verdictLine.empty()) {
        return {Verdict::kFailed, "the plug-in ended the process (exit " + std::to_string(WEXITSTATUS(status)) + ")" + where};
    }
    return fromVerdictLine(verdictLine);
}

}  // namespace host
