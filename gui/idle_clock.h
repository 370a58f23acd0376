// The monotonic millisecond clock and the sleep of the throttled idle; tests put a
// clock of their own in its place.
#pragma once

#include <cstdint>

namespace gui {

class IdleClock {
public:
    virtual ~IdleClock() = default;
    virtual uint64_t nowMs() = 0;
    virtual void sleepMs(int ms) = 0;

    // The system's steady clock and a real sleep.
    static IdleClock& system();
};

}  // namespace gui
