// Three threads on one plug-in, as a host runs it: the audio thread processes blocks,
// the host thread automates every parameter and switches programs, the user-interface
// thread opens the editor (headless), idles it, drags its controls and closes it.
// Built with TARN_TSAN, any unsynchronised access between them fails the run; in every
// build the output stays finite. TARN_THREADS_SECONDS sets the time per plug-in.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <vector>

#include "frame/effect_base.h"
#include "tests/hardening/editor_driver.h"
#include "tests/hardening/in_process_host.h"
#include "tests/hardening/plugin_kinds.h"

namespace hardening {
namespace {

std::chrono::milliseconds runTime() {
    const char* text = std::getenv("TARN_THREADS_SECONDS");
    const double seconds = text ? std::atof(text) : 1.0;
    return std::chrono::milliseconds(static_cast<long>(1000.0 * (seconds > 0.0 ? seconds : 1.0)));
}

// A small generator per thread, so that the threads share nothing but the plug-in.
struct Random {
    uint32_t state;
    uint32_t next() noexcept {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    float unit() noexcept { return static_cast<float>(next() >> 8) / 16777216.0f; }  // 0 .. 1
    int below(int n) noexcept { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
};

struct Counts {
    std::atomic<bool> stop{false};
    std::atomic<long> blocks{0}, nonFinite{0}, automations{0}, editorRounds{0};
};

void audioThread(AEffect* e, Counts& counts) {
    Random random{12345};
    std::vector<float> inL(1024), inR(1024), outL(1024), outR(1024);
    float* inputs[2] = {inL.data(), inR.data()};
    float* outputs[2] = {outL.data(), outR.data()};
    while (!counts.stop.load(std::memory_order_relaxed)) {
        const int frames = 1 + random.below(1024);
        const int kind = random.below(3);  // noise, full-scale square, silence
        for (int i = 0; i < frames; ++i) {
            const float x = kind == 0 ? random.unit() - 0.5f : kind == 1 ? ((i / 50) % 2 ? 1.0f : -1.0f) : 0.0f;
            inL[static_cast<size_t>(i)] = x;
            inR[static_cast<size_t>(i)] = -x;
        }
        const bool accumulate = counts.blocks % 5 == 4;
        if (accumulate) {
            std::fill(outL.begin(), outL.end(), 0.0f);
            std::fill(outR.begin(), outR.end(), 0.0f);
            e->process(e, inputs, outputs, frames);
        } else {
            e->processReplacing(e, inputs, outputs, frames);
        }
        for (int i = 0; i < frames; ++i) {
            if (!std::isfinite(outL[static_cast<size_t>(i)]) || !std::isfinite(outR[static_cast<size_t>(i)]))
                ++counts.nonFinite;
        }
        ++counts.blocks;
    }
}

void hostThread(AEffect* e, Counts& counts) {
    Random random{777};
    char text[kVstMaxParamTextLen];
    while (!counts.stop.load(std::memory_order_relaxed)) {
        for (VstInt32 index = 0; index < e->numParams; ++index) {
            e->setParameter(e, index, random.unit());
            if (e->getParameter(e, index) < 0.0f) ++counts.nonFinite;
            e->dispatcher(e, effGetParamDisplay, index, 0, text, 0.0f);
            ++counts.automations;
        }
        if (random.below(4) == 0) e->dispatcher(e, effSetProgram, 0, 0, nullptr, 0.0f);
    }
}

void uiThread(AEffect* e, EditorDriver& editor, Counts& counts) {
    Random random{4242};
    frame::EffectBase* effect = frame::EffectBase::fromRecord(e);
    while (!counts.stop.load(std::memory_order_relaxed)) {
        editor.open();
        const gui::GuiRect area = editor.area();
        const int w = area.width() > 0 ? area.width() : 400, h = area.height() > 0 ? area.height() : 300;
        for (int step = 0; step < 20 && !counts.stop.load(std::memory_order_relaxed); ++step) {
            editor.idle();
            const gui::GuiPoint from{area.left + random.below(w), area.top + random.below(h)};
            std::vector<gui::GuiPoint> path;
            for (int i = 0; i < 8; ++i) path.push_back({from.h + random.below(41) - 20, from.v + random.below(41) - 20});
            editor.drag(from, path, gui::kButtonLeft);
            editor.wheel(from, random.below(2) ? 1.0f : -1.0f);
            // the editor's program commands: a factory program, the A/B memories
            switch (random.below(4)) {
                case 0: effect->pickProgram(3 + random.below(effect->bank().size() - 3)); break;
                case 1: effect->storeMemo(frame::ProgramBank::kMemoA, 0); break;
                case 2: effect->recallMemo(frame::ProgramBank::kMemoA); break;
                default: effect->stepProgram(random.below(effect->bank().size()), 1); break;
            }
        }
        editor.close();
        ++counts.editorRounds;
    }
}

class ThreeThreads : public ::testing::TestWithParam<const char*> {};

TEST_P(ThreeThreads, ProcessAutomateAndEditAtOnce) {
    const PluginKind* kind = findPluginKind(GetParam());
    ASSERT_NE(kind, nullptr);
    hostAnswers().reset();
    AEffect* e = openInProcess(*kind, inProcessHost);
    ASSERT_NE(e, nullptr);
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    e->dispatcher(e, effSetBlockSize, 0, 1024, nullptr, 0.0f);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
    Counts counts;
    {
        EditorDriver editor(e);
        std::thread audio(audioThread, e, std::ref(counts));
        std::thread host(hostThread, e, std::ref(counts));
        std::thread ui(uiThread, e, std::ref(editor), std::ref(counts));
        std::this_thread::sleep_for(runTime());
        counts.stop = true;
        audio.join();
        host.join();
        ui.join();
    }
    e->dispatcher(e, effMainsChanged, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(counts.nonFinite, 0);
    EXPECT_GT(counts.blocks, 0);
    EXPECT_GT(counts.automations, 0);
    EXPECT_GT(counts.editorRounds, 0);
    EXPECT_GT(hostAnswers().automateCalls, 0) << "no edit from the editor reached the host";
}

INSTANTIATE_TEST_SUITE_P(Plugins, ThreeThreads, ::testing::Values("brisker", "glister", "rumbler", "emberon"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace hardening
