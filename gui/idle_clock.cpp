#include "gui/idle_clock.h"

#include <chrono>
#include <thread>

namespace gui {
namespace {

class SteadyClock final : public IdleClock {
public:
    uint64_t nowMs() override {
        using namespace std::chrono;
        return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void sleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace

IdleClock& IdleClock::system() {
    static SteadyClock clock;
    return clock;
}

}  // namespace gui
