// Every plug-in under long random sequences of host actions, from a
// well-behaved host and from a broken one: no NaN or infinity ever comes out.
// TARN_DRIVER_SEQUENCES sets the number of sequences per case (default 4) for
// a long run; a failure prints the shortest failing sequence found.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "brisker/brisker_effect.h"
#include "emberon/emberon_effect.h"
#include "glister/glister_effect.h"
#include "rumbler/rumbler_effect.h"
#include "tests/robustness/host_action_driver.h"

namespace {

using robustness::EffectFactory;

template <class Effect>
EffectFactory factory() {
    return [](audioMasterCallback host) -> std::unique_ptr<frame::EffectBase> { return std::make_unique<Effect>(host); };
}

struct Case {
    const char* name;
    EffectFactory make;
    bool broken;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

int sequences() {
    const char* n = std::getenv("TARN_DRIVER_SEQUENCES");
    return n ? std::max(1, std::atoi(n)) : 4;
}

class RandomHost : public ::testing::TestWithParam<Case> {};

TEST_P(RandomHost, NeverPutsOutANaNOrAnInfinity) {
    const Case& c = GetParam();
    robustness::DriverOptions options;
    options.brokenHost = c.broken;
    for (int s = 0; s < sequences(); ++s) {
        const uint64_t seed = 1000u * (c.broken ? 2u : 1u) + static_cast<uint64_t>(s);
        const auto actions = robustness::makeSequence(seed, options);
        if (robustness::replay(c.make, actions)) {
            FAIL() << "seed " << seed << ", shortest failing sequence:\n"
                   << robustness::describe(robustness::shrink(c.make, actions));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Plugins, RandomHost,
    ::testing::Values(Case{"brisker", factory<brisker::BriskerEffect>(), false},
                      Case{"brisker_broken_host", factory<brisker::BriskerEffect>(), true},
                      Case{"glister", factory<glister::GlisterEffect>(), false},
                      Case{"glister_broken_host", factory<glister::GlisterEffect>(), true},
                      Case{"rumbler", factory<rumbler::RumblerEffect>(), false},
                      Case{"rumbler_broken_host", factory<rumbler::RumblerEffect>(), true},
                      Case{"emberon", factory<emberon::EmberonEffect>(), false},
                      Case{"emberon_broken_host", factory<emberon::EmberonEffect>(), true}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
