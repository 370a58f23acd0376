// A pass-through plug-in with a plain X11 editor, as a test peer for tarn
// snapshot: on every idle its editor draws the peak of the audio processed so
// far as a green bar on grey, so a picture shows whether audio and idle calls
// reached it. FAKE_EDITOR_KEEPS_DISPLAY builds one whose close leaves its X
// connection open, a leak for tarn validate to find.
#include <X11/Xlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "frame/vst2.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 90;
constexpr unsigned long kGrey = 0x404040, kGreen = 0x00FF00;

struct FakeEditor {
    AEffect effect{};
    ERect rect{0, 0, kHeight, kWidth};
    float peak = 0.0f;
    Display* display = nullptr;
    Window window = 0;
};

FakeEditor* self(AEffect* effect) { return static_cast<FakeEditor*>(effect->object); }

void openEditor(FakeEditor& fake, void* parent) {
    fake.display = XOpenDisplay(nullptr);
    if (fake.display == nullptr) return;
    fake.window = XCreateSimpleWindow(fake.display, reinterpret_cast<Window>(parent), 0, 0, kWidth, kHeight, 0, 0,
                                      kGrey);
    XMapWindow(fake.display, fake.window);
    XSync(fake.display, False);
}

void closeEditor(FakeEditor& fake) {
    if (fake.display == nullptr) return;
    XDestroyWindow(fake.display, fake.window);
#ifdef FAKE_EDITOR_KEEPS_DISPLAY
    XSync(fake.display, False);
#else
    XCloseDisplay(fake.display);
#endif
    fake.display = nullptr;
}

void drawEditor(FakeEditor& fake) {
    if (fake.display == nullptr) return;
    GC gc = DefaultGC(fake.display, DefaultScreen(fake.display));
    XSetForeground(fake.display, gc, kGrey);
    XFillRectangle(fake.display, fake.window, gc, 0, 0, kWidth, kHeight);
    XSetForeground(fake.display, gc, kGreen);
    XFillRectangle(fake.display, fake.window, gc, 0, 30, static_cast<unsigned>(kWidth * std::min(fake.peak, 1.0f)), 30);
    XSync(fake.display, False);
}

VstIntPtr dispatcher(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) {
    FakeEditor& fake = *self(effect);
    switch (opcode) {
    case effClose:
        closeEditor(fake);
        delete &fake;
        return 1;
    case effEditGetRect: *static_cast<ERect**>(ptr) = &fake.rect; return 1;
    case effEditOpen: openEditor(fake, ptr); return 1;
    case effEditClose: closeEditor(fake); return 1;
    case effEditIdle: drawEditor(fake); return 1;
    case effGetEffectName: std::strncpy(static_cast<char*>(ptr), "Fake Editor", kVstMaxEffectNameLen); return 1;
    default: return 0;
    }
}

void processReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    FakeEditor& fake = *self(effect);
    for (int channel = 0; channel < 2; ++channel) {
        for (VstInt32 i = 0; i < frames; ++i) {
            outputs[channel][i] = inputs[channel][i];
            fake.peak = std::max(fake.peak, std::fabs(inputs[channel][i]));
        }
    }
}

void setParameter(AEffect*, VstInt32, float) {}
float getParameter(AEffect*, VstInt32) { return 0.0f; }

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback) {
    auto* fake = new FakeEditor;
    AEffect& e = fake->effect;
    e.magic = kEffectMagic;
    e.dispatcher = dispatcher;
    e.setParameter = setParameter;
    e.getParameter = getParameter;
    e.processReplacing = processReplacing;
    e.numPrograms = 1;
    e.numInputs = 2;
    e.numOutputs = 2;
    e.flags = effFlagsCanReplacing | effFlagsHasEditor;
    e.ioRatio = 1.0f;
    e.object = fake;
    e.uniqueID = vstFourCC('T', 'f', 'E', 'd');
    e.version = 1;
    return &e;
}
