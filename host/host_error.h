// The one error type of the host's own code: a message for the user and the
// exit code that goes with it. Never thrown across the plug-in boundary.
#pragma once

#include <stdexcept>
#include <string>

namespace host {

inline constexpr int kExitFailure = 1;  // bad input, a plug-in that fails, a failed check
inline constexpr int kExitUsage = 2;    // a command line that cannot be understood

class HostError : public std::runtime_error {
public:
    explicit HostError(const std::string& message, int exitCode = kExitFailure)
        : std::runtime_error(message), exitCode_(exitCode) {}
    int exitCode() const noexcept { return exitCode_; }

private:
    int exitCode_;
};

}  // namespace host
