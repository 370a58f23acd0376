// One sample of both channels, as the sections hand it on.
#pragma once

namespace glister {

struct StereoPair {
    double l = 0.0;
    double r = 0.0;
};

}  // namespace glister
