#include <sched.h>
#include <time.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>
#include <vector>

#include "host/command_line.h"
#include "host/commands.h"
#include "host/host_error.h"
#include "host/plugin_locator.h"
#include "host/plugin_settings.h"
#include "host/process_harness.h"
#include "host/renderer.h"

namespace host {
namespace {

constexpr const char* kHelp =
    "usage: tarn bench PLUGIN [PLUGIN ...] [options]\n"
    "\n"
    "Times each plug-in's processing of the same stereo white noise and of\n"
    "digital silence, one plug-in after the other in rounds, in the CPU time of\n"
    "the processing thread (pinned to one core), and keeps the best round of\n"
    "each. Prints per plug-in: nanoseconds per stereo frame on noise, how many\n"
    "times faster than real time that is, the cost of silence over the cost of\n"
    "noise (well above 1 means a stall on denormal numbers), and the cost\n"
    "relative to the first plug-in named.\n"
    "\n"
    "  --program NAME|INDEX  select a program (as tarn render does)\n"
    "  --set NAME=VALUE      set a parameter to VALUE in 0..1; repeatable\n"
    "  --block N             frames per processing call, 1..65536 (512)\n"
    "  --rate HZ             sample rate, 8000..384000 (44100)\n"
    "  --seconds S           seconds of noise and of silence per round, 0.1..600 (10)\n"
    "\n"
    "With several plug-ins, --program and --set go to every plug-in that has\n"
    "the program or parameter; the others run on their own settings, with a note.\n"
    "A recursion may take seconds of silence to decay into subnormal numbers;\n"
    "--seconds 30 shows such a late stall in silence/noise.\n";

constexpr int kRounds = 5;
constexpr int kMinRate = 8000;
constexpr int kMaxRate = 384000;
constexpr int64_t kMaxLoopFrames = 1 << 20;  // the noise repeats after this many frames

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Keeps the timing thread on the core it runs on, so that cache and clock
// stay the same for every plug-in; a refusal only costs precision.
void pinToCurrentCore() {
    int cpu = sched_getcpu();
    if (cpu < 0) return;
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(cpu, &set);
    sched_setaffinity(0, sizeof(set), &set);
}

double secondsOption(const CommandLine& line) {
    if (!line.has("seconds")) return 10.0;
    const std::string text = line.value("seconds");
    double seconds = 0.0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || !(seconds >= 0.1 && seconds <= 600.0)) {
        throw HostError("--seconds takes a number from 0.1 to 600, not '" + text + "'", kExitUsage);
    }
    return seconds;
}

// Stereo input read block by block from a loop of whole blocks.
struct LoopedInput {
    std::vector<float> left, right;
};

LoopedInput makeInput(bool silent, int64_t blocks, int block) {
    const int64_t frames = std::max<int64_t>(1, std::min(blocks, kMaxLoopFrames / block)) * block;
    LoopedInput in{std::vector<float>(static_cast<size_t>(frames)), std::vector<float>(static_cast<size_t>(frames))};
    if (!silent) {
        for (int64_t i = 0; i < frames; ++i) {
            in.left[static_cast<size_t>(i)] = whiteNoise(i, 0);
            in.right[static_cast<size_t>(i)] = whiteNoise(i, 1);
        }
    }
    return in;
}

// One plug-in under test, with a pointer for every pin and its best times.
class Subject {
public:
    Subject(const std::string& name, int block)
        : plugin_(Plugin::load(locatePlugin(name))), name_(name), block_(block) {
        const size_t inputs = static_cast<size_t>(std::max(plugin_->numInputs(), 2));
        const size_t outputs = static_cast<size_t>(std::max(plugin_->numOutputs(), 2));
        zeros_.assign(static_cast<size_t>(block), 0.0f);
        inputs_.assign(inputs, zeros_.data());  // pins past the second hear silence
        outputBuffers_.assign(outputs, std::vector<float>(static_cast<size_t>(block)));
        for (auto& buffer : outputBuffers_) outputs_.push_back(buffer.data());
    }

    Plugin& plugin() { return *plugin_; }
    const std::string& name() const { return name_; }

    // Thread CPU seconds for blocks processing calls fed from the loop.
    double time(const LoopedInput& in, int64_t blocks) {
        const size_t loop = in.left.size();
        size_t at = 0;
        const double start = threadSeconds();
        for (int64_t b = 0; b < blocks; ++b) {
            inputs_[0] = const_cast<float*>(in.left.data() + at);
            inputs_[1] = const_cast<float*>(in.right.data() + at);
            plugin_->process(inputs_.data(), outputs_.data(), block_);
            at += static_cast<size_t>(block_);
            if (at == loop) at = 0;
        }
        return threadSeconds() - start;
    }

    double bestNoise = 1e300, bestSilence = 1e300;

private:
    std::unique_ptr<Plugin> plugin_;
    std::string name_;
    int block_;
    std::vector<float> zeros_;
    std::vector<std::vector<float>> outputBuffers_;
    std::vector<float*> inputs_, outputs_;
};

// Applies one program or setting to every subject that takes it. With one
// subject a refusal is the error; with several, only a refusal by all.
template <class Apply>
void applyToAll(std::vector<std::unique_ptr<Subject>>& subjects, const Apply& apply) {
    std::vector<std::string> refusals;
    for (auto& subject : subjects) {
        try {
            apply(subject->plugin());
        } catch (const HostError& error) {
            if (subjects.size() == 1) throw;
            refusals.push_back(subject->name() + ": " + error.what());
        }
    }
    if (refusals.size() == subjects.size()) throw HostError(refusals[0] + " (nor does any other plug-in named)");
    for (const std::string& refusal : refusals) {
        std::fprintf(stderr, "tarn: note: %s; it runs on its own settings\n", refusal.c_str());
    }
}

// The effect's name, or what the user typed when two subjects share a name.
std::vector<std::string> labels(std::vector<std::unique_ptr<Subject>>& subjects) {
    std::vector<std::string> out;
    for (auto& subject : subjects) out.push_back(subject->plugin().displayName());
    std::vector<std::string> shown = out;
    for (size_t i = 0; i < out.size(); ++i) {
        if (std::count(out.begin(), out.end(), out[i]) > 1) shown[i] = subjects[i]->name();
    }
    return shown;
}

// One row per plug-in: noise cost per frame, times real time, silence over
// noise, and the noise cost against the first plug-in's.
void printTable(std::vector<std::unique_ptr<Subject>>& subjects, double frames, int rate) {
    const std::vector<std::string> shown = labels(subjects);
    int width = 7;
    for (const std::string& label : shown) width = std::max(width, static_cast<int>(label.size()));
    std::printf("\n%-*s  %9s  %11s  %13s  %8s\n", width, "plug-in", "ns/frame", "x real time", "silence/noise",
                "vs first");
    const double first = subjects[0]->bestNoise;
    for (size_t i = 0; i < subjects.size(); ++i) {
        const Subject& s = *subjects[i];
        const double nsPerFrame = s.bestNoise / frames * 1e9;
        const double realTime = nsPerFrame > 0 ? 1e9 / (nsPerFrame * rate) : 0.0;
        std::printf("%-*s  %9.1f  %10.1fx  %13.2f  %7.2fx\n", width, shown[i].c_str(), nsPerFrame, realTime,
                    s.bestNoise > 0 ? s.bestSilence / s.bestNoise : 0.0, first > 0 ? s.bestNoise / first : 0.0);
    }
}

}  // namespace

int runBench(const Args& args) {
    CommandLine line("bench", args, {{"program", true}, {"set", true}, {"block", true}, {"rate", true}, {"seconds", true}});
    if (line.helpRequested()) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (line.positional().empty()) throw HostError("tarn bench takes one or more PLUGINs (see tarn bench --help)", kExitUsage);
    const int block = line.intValue("block", 512, 1, kMaxBlockSize);
    const int rate = line.intValue("rate", 44100, kMinRate, kMaxRate);
    const double seconds = secondsOption(line);
    const int64_t blocks = std::max<int64_t>(1, static_cast<int64_t>(seconds * rate / block + 0.5));

    std::vector<std::unique_ptr<Subject>> subjects;
    for (const std::string& name : line.positional()) subjects.push_back(std::make_unique<Subject>(name, block));
    if (line.has("program")) applyToAll(subjects, [&](Plugin& p) { selectProgram(p, line.value("program")); });
    for (const std::string& setting : line.values("set")) applyToAll(subjects, [&](Plugin& p) { applySetting(p, setting); });
    for (auto& subject : subjects) {
        subject->plugin().configure(static_cast<float>(rate), block);
        subject->plugin().resume();
    }

    const double frames = static_cast<double>(blocks) * block;
    std::printf("%d Hz, blocks of %d frames, %.4g s of stereo white noise and of silence per round, best of %d rounds\n",
                rate, block, frames / rate, kRounds);
    std::fflush(stdout);
    pinToCurrentCore();
    const LoopedInput noise = makeInput(false, blocks, block), silence = makeInput(true, blocks, block);
    for (auto& subject : subjects) subject->time(noise, std::max<int64_t>(1, rate / block));  // filters settle
    for (int round = 0; round < kRounds; ++round) {
        for (auto& subject : subjects) {
            if (renderInterrupted.load(std::memory_order_relaxed)) throw HostError("interrupted");
            subject->bestNoise = std::min(subject->bestNoise, subject->time(noise, blocks));
            subject->bestSilence = std::min(subject->bestSilence, subject->time(silence, blocks));
        }
    }

    printTable(subjects, frames, rate);
    return 0;
}

}  // namespace host
