#include "WaitUntil.h"
#include "app/HardwareFollower.h"
#include "midi/Q7XSimulator.h"

#include <benchmark/benchmark.h>

// From a knob's CC arriving on the MIDI input's thread to the repaint of its panel's title
// light requested on the message thread (the light made visible), with the Knobs section
// brought forward each time. This benchmark's message loop sleeps 1 ms whenever it finds
// nothing to do (an application's blocks instead), so the figures are upper bounds.
namespace
{
/** Notes the moment a light is made visible, which asks for its repaint. */
struct LitClock : public juce::ComponentListener
{
    void componentVisibilityChanged (juce::Component& component) override
    {
        if (component.isVisible())
            litAt = juce::Time::getHighResolutionTicks();
    }

    juce::int64 litAt = 0;
};

void followKnobFromMidiThread (benchmark::State& state)
{
    InMemoryMidiBackend backend;
    Q7XSimulator simulator { backend };
    MidiManager midi { backend };
    juce::ApplicationCommandManager commands;
    juce::File lastFolder;
    WindowManager windows { &midi, &commands, lastFolder };
    HardwareFollower follower { midi, windows };

    midi.setInputDevice (Q7XSimulator::portName);
    windows.newDocument();
    auto* document = windows.getDocument (0);

    // A window manager may let a window mapped a moment ago miss a request: asked again.
    for (int attempt = 0; attempt < 20 && windows.getActiveDocument() != document; ++attempt)
    {
        document->toFront (true);
        waitUntil ([&] { return windows.getActiveDocument() == document; }, 500);
    }

    if (windows.getActiveDocument() != document)
    {
        state.SkipWithError ("the document window never became active (no window manager?)");
        return;
    }

    // The first message makes the sections; not timed.
    auto& editor = dynamic_cast<EditorComponent&> (*document->getContentComponent());
    simulator.play ("Knob 3=1");
    waitUntil ([&] { return ControlSpotlight::findPanel (editor, "Knob 3") != nullptr; });
    auto* light = follower.getSpotlight().getLight (*ControlSpotlight::findPanel (editor, "Knob 3"));

    if (light == nullptr)
    {
        state.SkipWithError ("Knob 3 never lit");
        return;
    }

    LitClock clock;
    light->addComponentListener (&clock);
    double worstSeconds = 0.0;

    for (auto _ : state)
    {
        light->setVisible (false);
        editor.selectSection (0);
        clock.litAt = 0;

        const auto sent = juce::Time::getHighResolutionTicks();
        simulator.play ("Knob 3=64");

        if (! waitUntil ([&] { return clock.litAt != 0; }, 5000))
        {
            state.SkipWithError ("Knob 3 did not light");
            break;
        }

        const auto seconds = juce::Time::highResolutionTicksToSeconds (clock.litAt - sent);
        worstSeconds = juce::jmax (worstSeconds, seconds);
        state.SetIterationTime (seconds);
    }

    // One frame at 60 Hz is 16.7 ms: the worst case says whether every message made it.
    state.counters["worst_ms"] = worstSeconds * 1000.0;

    light->removeComponentListener (&clock);
}
} // namespace

BENCHMARK (followKnobFromMidiThread)->UseManualTime()->Unit (benchmark::kMicrosecond);
