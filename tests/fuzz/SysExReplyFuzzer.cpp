// Feeds arbitrary SysEx messages to a document waiting for a preset reply, through the MIDI
// manager's input thread and the controller, with the message loop handling what it hands over.
#include "FakeParameterValue.h"
#include "FuzzSupport.h"
#include "midi/InMemoryMidiBackend.h"
#include "midi/MidiManager.h"
#include "midi/Q7XSimulator.h"
#include "preset/Alert.h"
#include "controller/PresetController.h"

#include <thread>

namespace
{
struct Harness
{
    FatalAssertions fatalAssertions;

    Harness()
    {
        Alert::setPresenter ([] (const juce::String&, const juce::String&) {});
        simulator.setReplyKind (Q7XSimulator::ReplyKind::none);
        manager.setOutputDevice (Q7XSimulator::portName);
        manager.setInputDevice (Q7XSimulator::portName);

        // Waiting from the start also makes the framework's timer thread while this is being
        // built, so that it is gone before the leak checks run at exit.
        controller->requestPreset();
    }

    ~Harness() { Alert::setPresenter ({}); }

    /** Waits until the input thread has delivered everything, then until the message loop has
        handled what it handed over (messages are handled in order: a marker posted last runs last).
    */
    void settle()
    {
        while (! backend.isIdle())
            std::this_thread::yield();

        bool handled = false;
        juce::MessageManager::callAsync ([&handled] { handled = true; });

        while (! handled)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (0);
    }

    juce::ScopedJuceInitialiser_GUI juce;
    InMemoryMidiBackend backend;
    Q7XSimulator simulator { backend };
    MidiManager manager { backend };
    std::unique_ptr<PresetController> controller { createPresetController (&manager) };
    FakeEditor editor { *controller };
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static Harness harness;

    if (size < 1)
        return 0;

    if (! harness.controller->isAwaitingReply())
        harness.controller->requestPreset();

    // The first byte says in how many pieces the input delivers the message; the rest is its body.
    const auto pieces = 1 + data[0] % 4;
    harness.backend.deliver (harness.simulator.getInputDevice(),
                             juce::MidiMessage::createSysExMessage (data + 1, (int) size - 1), pieces);
    harness.settle();

    if (harness.controller->getPresetData().size() != PresetLayout::presetImageSize)
        __builtin_trap();

    return 0;
}
