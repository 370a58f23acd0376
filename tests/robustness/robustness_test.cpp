// Every plug-in under long random sequences of host actions, from a
// well-behaved host and from a broken one: no NaN or infinity ever comes out.
// TARN_DRIVER_SEQUENCES sets the number of sequences per case (default 4) for
// a long run; a failure prints the shortest failing sequence found.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>
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
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

int sequences() {
    const char* n = std::getenv("TARN_DRIVER_SEQUENCES");
    return n ? std::max(1, std::atoi(n)) : 4;
}

class RandomHost : public ::testing::TestWithParam<Case> {};

TEST_P(RandomHost, NeverPutsOutANaNOrAnInfinity) {
    const Case& c = GetParam();
    for (bool broken : {false, true}) {
        robustness::DriverOptions options;
        options.brokenHost = broken;
        for (int s = 0; s < sequences(); ++s) {
            const uint64_t seed = 1000u * (broken ? 2u : 1u) + static_cast<uint64_t>(s);
            const auto actions = robustness::makeSequence(seed, options);
            if (robustness::replay(c.make, actions)) {
                FAIL() << (broken ? "broken" : "well-behaved") << " host, seed " << seed
                       << ", shortest failing sequence:\n"
                       << robustness::describe(robustness::shrink(c.make, actions));
            }
        }
    }
}

// Every parameter at an extreme far outside its range, one end then the other:
// each reads back within its range and the output stays finite.
TEST_P(RandomHost, ExtremeValuesAreHeldWithinRange) {
    const Case& c = GetParam();
    std::unique_ptr<frame::EffectBase> effect = c.make(robustness::driverHost());
    AEffect* e = effect->record();
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
    std::vector<float> inL(4096), inR(4096), outL(4096), outR(4096);
    for (size_t i = 0; i < inL.size(); ++i) inL[i] = inR[i] = (i % 100 < 50) ? 0.9f : -0.9f;
    for (float extreme : {3.7e8f, -3.7e8f}) {
        for (VstInt32 index = 0; index < 30; ++index) e->setParameter(e, index, extreme);
        for (VstInt32 index = 0; index < e->numParams; ++index) {
            const frame::ParamRange r = effect->parameterRange(index);
            const float v = e->getParameter(e, index);
            EXPECT_TRUE(v >= r.lowest && v <= r.highest) << c.name << " index " << index << " reads " << v;
        }
        for (int block = 0; block < 20; ++block) {
            float* in[2] = {inL.data(), inR.data()};
            float* out[2] = {outL.data(), outR.data()};
            e->processReplacing(e, in, out, 4096);
            for (size_t i = 0; i < outL.size(); ++i)
                ASSERT_TRUE(std::isfinite(outL[i]) && std::isfinite(outR[i])) << c.name << " " << extreme;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Plugins, RandomHost,
    ::testing::Values(Case{"brisker", factory<brisker::BriskerEffect>()}, Case{"glister", factory<glister::GlisterEffect>()},
                      Case{"rumbler", factory<rumbler::RumblerEffect>()}, Case{"emberon", factory<emberon::EmberonEffect>()}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
