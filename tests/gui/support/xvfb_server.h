// A virtual X server of the test's own: started on a free display, set as DISPLAY,
// stopped at the end. Tests skip only when no Xvfb is installed at all.
#pragma once

#include <string>
#include <sys/types.h>

namespace gui_test {

class XvfbServer {
public:
    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // True when an Xvfb program is on the PATH.
    static bool installed();
    // Starts the server and sets DISPLAY; false with a reason when it does not come up.
    bool start(std::string& error);
    void stop();
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace gui_test
