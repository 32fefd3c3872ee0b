#include "WaitUntil.h"
#include "app/HardwareFollower.h"
#include "midi/Q7XSimulator.h"

#include <benchmark/benchmark.h>

#include <algorithm>

// From a knob's CC arriving on the MIDI input's thread to the repaint of its panel's title
// light requested on the message thread (the light made visible), with the Knobs section
// brought forward each time, from a window at rest (Main shown and painted). This benchmark's
// message loop sleeps 1 ms whenever it finds nothing to do (an application's blocks instead),
// so the figures are upper bounds. One frame at 60 Hz is 16.7 ms: p99_ms and worst_ms say how
// many messages made it within one. With the argument 1 the message is handed to the follower on
// the message thread instead: the work of matching and showing alone, without the thread hop.
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

void followKnob (benchmark::State& state)
{
    const auto onMessageThread = state.range (0) == 1;
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
    std::vector<double> times;

    for (auto _ : state)
    {
        light->setVisible (false);
        editor.selectSection (0);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20); // painted, at rest
        clock.litAt = 0;

        const auto sent = juce::Time::getHighResolutionTicks();

        if (onMessageThread)
            follower.follow ({ juce::MidiMessage::controllerEvent (1, 22, 64) });
        else
            simulator.play ("Knob 3=64");

        if (! waitUntil ([&] { return clock.litAt != 0; }, 5000))
        {
            state.SkipWithError ("Knob 3 did not light");
            break;
        }

        times.push_back (juce::Time::highResolutionTicksToSeconds (clock.litAt - sent));
        state.SetIterationTime (times.back());
    }

    if (! times.empty())
    {
        std::sort (times.begin(), times.end());
        state.counters["p50_ms"] = times[times.size() / 2] * 1000.0;
        state.counters["p99_ms"] = times[times.size() * 99 / 100] * 1000.0;
        state.counters["worst_ms"] = times.back() * 1000.0;
    }

    light->removeComponentListener (&clock);
}
} // namespace

BENCHMARK (followKnob)->ArgName ("onMessageThread")->Arg (0)->Arg (1)->UseManualTime()->Unit (benchmark::kMicrosecond);
