// The Linux side of the editor window tests: opens the editor of a built plug-in
// module headless (no parent window, so the frame draws into its surface only) at
// given parameter values, for the Windows screens of the same editor to be compared
// with; and compares two such pictures.
//   tarn_editor_reference render PLUGIN.so OUT.ppm [--spread] [--set INDEX=VALUE ...]
//   tarn_editor_reference compare EXPECTED.ppm SEEN.ppm
// The tool reaches the module's editor through the effect record and calls only
// virtual functions of the module's objects, or reads their members.
#include <cstdio>
#include <cstring>
#include <string>

#include "frame/effect_base.h"
#include "gui/editor_base.h"
#include "gui/gui_frame.h"
#include "pixmap.h"
#include "tests/support/plugin_module.h"

namespace {

using editor_window::Pixmap;

VstIntPtr VSTCALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

int usage() {
    std::fprintf(stderr,
                 "usage: tarn_editor_reference render PLUGIN.so OUT.ppm [--spread] [--set INDEX=VALUE ...]\n"
                 "       tarn_editor_reference compare EXPECTED.ppm SEEN.ppm\n");
    return 2;
}

int fail(const std::string& why) {
    std::fprintf(stderr, "tarn_editor_reference: %s\n", why.c_str());
    return 1;
}

int render(int argc, char** argv) {
    testing_support::PluginModule module(argv[2]);
    const testing_support::PluginMain entry = module.entry("VSTPluginMain");
    if (!entry) return fail(module.loaded() ? std::string("no VSTPluginMain in ") + argv[2] : module.error());
    AEffect* record = entry(quietHost);
    frame::EffectBase* effect = frame::EffectBase::fromRecord(record);
    if (!effect) return fail("VSTPluginMain gave no effect");
    for (int i = 4; i < argc; ++i) {
        int index = 0;
        float value = 0;
        if (std::strcmp(argv[i], "--spread") == 0)
            editor_window::setSpread(record);
        else if (i + 1 < argc && std::strcmp(argv[i], "--set") == 0 && std::sscanf(argv[++i], "%d=%f", &index, &value) == 2)
            record->setParameter(record, index, value);
        else
            return usage();
    }
    record->dispatcher(record, effEditOpen, 0, 0, nullptr, 0.0f);
    auto* editor = static_cast<gui::EditorBase*>(effect->editor());
    gui::GuiFrame* frame = editor ? editor->frame() : nullptr;
    if (!frame) return fail(std::string("the editor of ") + argv[2] + " did not open");
    // the full paint of a new window's first expose, then the host's idle
    frame->paint(nullptr);
    for (int i = 0; i < 4; ++i) record->dispatcher(record, effEditIdle, 0, 0, nullptr, 0.0f);
    const gui::Surface& surface = frame->surface();
    const size_t count = static_cast<size_t>(surface.width()) * static_cast<size_t>(surface.height());
    const Pixmap image{surface.width(), surface.height(), std::vector<uint32_t>(surface.data(), surface.data() + count)};
    record->dispatcher(record, effEditClose, 0, 0, nullptr, 0.0f);
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    std::string error;
    if (!editor_window::writePpm(argv[3], image, error)) return fail(error);
    return 0;
}

int compare(const char* expectedPath, const char* seenPath) {
    Pixmap expected, seen;
    std::string error;
    if (!editor_window::readPpm(expectedPath, expected, error) || !editor_window::readPpm(seenPath, seen, error))
        return fail(error);
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
