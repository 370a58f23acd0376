// tarn_xp_render: a small host for comparing platforms. It writes the fixed
// test signal, renders a raw stereo file through a plug-in module (.so or .dll)
// loaded by path, and compares two renders sample by sample.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tests/crossplatform/raw_audio.h"
#include "tests/crossplatform/render_settings.h"
#include "tests/crossplatform/test_signal.h"
#include "tests/support/plugin_module.h"
#include "tests/support/recording_host.h"
#include "tests/support/render.h"

namespace {

using namespace crossplatform;

const char kUsage[] =
    "usage:\n"
    "  tarn_xp_render signal FRAMES OUT.raw\n"
    "      writes the fixed test signal (44100 Hz)\n"
    "  tarn_xp_render render PLUGIN IN.raw OUT.raw [--set initial|spread|low|high]\n"
    "                 [--param INDEX=VALUE]... [--rate HZ] [--block FRAMES]\n"
    "      renders IN through the plug-in module at PLUGIN\n"
    "  tarn_xp_render compare A.raw B.raw TOLERANCE\n"
    "      prints the largest sample difference; fails above TOLERANCE\n"
    "Raw files hold interleaved stereo 32-bit floats.\n";

int fail(const std::string& message) {
    std::fprintf(stderr, "tarn_xp_render: %s\n", message.c_str());
    return 1;
}

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

bool parseCount(const std::string& text, size_t& out) {
    char* end = nullptr;
    const unsigned long long n = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || text[0] == '-' || end != text.c_str() + text.size() || n == 0 || n > 100'000'000ull) return false;
    out = static_cast<size_t>(n);
    return true;
}

int writeSignal(const std::vector<std::string>& args) {
    size_t frames = 0;
    if (args.size() != 2) return usage();
    if (!parseCount(args[0], frames)) return fail("FRAMES must be a whole number in 1..100000000, not " + args[0]);
    const std::string error = writeRaw(args[1], testSignal(frames));
    return error.empty() ? 0 : fail(error);
}

int renderFile(const std::vector<std::string>& args) {
    if (args.size() < 3) return usage();
    RenderSettings settings;
    std::string error = parseSettings({args.begin() + 3, args.end()}, settings);
    if (!error.empty()) return fail(error);
    Stereo input;
    error = readRaw(args[1], input);
    if (!error.empty()) return fail(error);

    testing_support::PluginModule module(args[0]);
    if (!module.loaded()) return fail(module.error());
    testing_support::PluginMain entry = module.entry("VSTPluginMain");
    if (!entry) entry = module.entry("main");
    if (!entry) return fail(args[0] + " exports neither VSTPluginMain nor main");
    testing_support::RecordingHost host;
    host.blockSize = settings.blockSize;
    AEffect* effect = entry(testing_support::RecordingHost::callback());
    if (!effect || effect->magic != kEffectMagic) return fail(args[0] + " did not open");
    auto close = [](AEffect* e) { e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f); };
    std::unique_ptr<AEffect, decltype(close)> closer(effect, close);
    if (effect->numInputs != 2 || effect->numOutputs != 2 || !effect->processReplacing)
        return fail(args[0] + " is not a stereo effect with processReplacing");

    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    error = applySettings(effect, settings);
    if (!error.empty()) return fail(error);
    testing_support::startProcessing(effect, settings.rate, settings.blockSize);
    const Stereo output = testing_support::render(effect, input, settings.blockSize);
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    error = writeRaw(args[2], output);
    return error.empty() ? 0 : fail(error);
}

int compareFiles(const std::vector<std::string>& args) {
    if (args.size() != 3) return usage();
    char* end = nullptr;
    const double tolerance = std::strtod(args[2].c_str(), &end);
    if (args[2].empty() || end != args[2].c_str() + args[2].size() || !(tolerance >= 0.0))
        return fail("TOLERANCE must be a number >= 0, not " + args[2]);
    Stereo a, b;
    std::string error = readRaw(args[0], a);
    if (error.empty()) error = readRaw(args[1], b);
    if (!error.empty()) return fail(error);
    if (a.size() != b.size())
        return fail("lengths differ: " + std::to_string(a.size()) + " and " + std::to_string(b.size()) + " frames");
    const Difference d = compareAudio(a, b);
    std::printf("largest difference %.3g at frame %zu (%s), peak %.3g, %zu frames\n", d.largest, d.frame,
                d.channel == 0 ? "left" : "right", d.peak, a.size());
    if (d.nanMismatch) return fail("NaN on one side only");
    if (d.peak == 0.0) return fail("both signals are silent: nothing compared");
    if (d.largest > tolerance) return fail("difference above the tolerance " + args[2]);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "signal") return writeSignal(args);
    if (command == "render") return renderFile(args);
    if (command == "compare") return compareFiles(args);
    return usage();
}
