// The Linux side of the editor window tests: draws a plug-in's editor as the headless
// window shows it, at given parameter values, for the Windows screens to be compared
// with; and compares two such pictures.
//   tarn_editor_reference render EDITOR OUT.ppm [--set INDEX=VALUE ...]
//   tarn_editor_reference compare EXPECTED.ppm SEEN.ppm
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "gui/editor_base.h"
#include "gui/gui_frame.h"
#include "gui/platform/null_window.h"
#include "panel_effect.h"
#include "pixmap.h"

namespace {

using editor_window::Pixmap;

struct EditorEntry {
    const char* name;
    frame::EffectBase* (*make)(audioMasterCallback);
};

// Every editor the Windows tests open, by the name the tests give it.
constexpr EditorEntry kEditors[] = {
    {"panel", [](audioMasterCallback host) -> frame::EffectBase* { return new panel_test::PanelEffect(host); }},
};

std::string editorNames() {
    std::string names;
    for (const EditorEntry& e : kEditors) names += (names.empty() ? "" : ", ") + std::string(e.name);
    return names;
}

VstIntPtr VSTCALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

int usage() {
    std::fprintf(stderr,
                 "usage: tarn_editor_reference render EDITOR OUT.ppm [--set INDEX=VALUE ...]\n"
                 "       tarn_editor_reference compare EXPECTED.ppm SEEN.ppm\n"
                 "EDITOR: %s\n",
                 editorNames().c_str());
    return 2;
}

int render(int argc, char** argv) {
    const EditorEntry* entry = nullptr;
    for (const EditorEntry& e : kEditors)
        if (std::strcmp(e.name, argv[2]) == 0) entry = &e;
    if (!entry) {
        std::fprintf(stderr, "tarn_editor_reference: no editor '%s' (%s)\n", argv[2], editorNames().c_str());
        return 2;
    }
    std::unique_ptr<frame::EffectBase> effect(entry->make(quietHost));
    AEffect* record = effect->record();
    for (int i = 4; i < argc; i += 2) {
        int index = 0;
        float value = 0;
        if (i + 1 >= argc || std::strcmp(argv[i], "--set") != 0 || std::sscanf(argv[i + 1], "%d=%f", &index, &value) != 2)
            return usage();
        record->setParameter(record, index, value);
    }
    int parent = 0;  // any window: the headless one only records it
    effect->dispatch(effEditOpen, 0, 0, &parent, 0.0f);
    auto* editor = dynamic_cast<gui::EditorBase*>(effect->editor());
    gui::GuiFrame* frame = editor ? editor->frame() : nullptr;
    if (!frame || !frame->nativeWindow()) {
        std::fprintf(stderr, "tarn_editor_reference: the %s editor did not open its window\n", argv[2]);
        return 1;
    }
    // the first expose draws everything, as a new window's first paint does; then the host's idle
    gui::platform::Event expose;
    expose.area = frame->surface().bounds();
    gui::platform::postEvent(frame->nativeWindow(), expose);
    for (int i = 0; i < 4; ++i) effect->dispatch(effEditIdle, 0, 0, nullptr, 0.0f);
    const gui::Surface& screen = gui::platform::screen(frame->nativeWindow());
    const size_t count = static_cast<size_t>(screen.width()) * static_cast<size_t>(screen.height());
    const Pixmap image{screen.width(), screen.height(), std::vector<uint32_t>(screen.data(), screen.data() + count)};
    effect->dispatch(effEditClose, 0, 0, nullptr, 0.0f);
    std::string error;
    if (!editor_window::writePpm(argv[3], image, error)) {
        std::fprintf(stderr, "tarn_editor_reference: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

int compare(const char* expectedPath, const char* seenPath) {
    Pixmap expected, seen;
    std::string error;
    if (!editor_window::readPpm(expectedPath, expected, error) || !editor_window::readPpm(seenPath, seen, error)) {
        std::fprintf(stderr, "tarn_editor_reference: %s\n", error.c_str());
        return 1;
    }
    const std::string difference = editor_window::describeDifference(expected, seen);
    if (!difference.empty()) {
        std::printf("%s\n", difference.c_str());
        return 1;
    }
    std::printf("the same %dx%d pixels\n", seen.width, seen.height);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "render") == 0) return render(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "compare") == 0) return compare(argv[2], argv[3]);
    return usage();
}
