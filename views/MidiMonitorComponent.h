#pragma once

#include "midi/MidiManager.h"
#include "midi/MidiMonitorLog.h"

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The MIDI monitor's content: the list of what went in and out of the MIDI manager, newest
    last, with Pause, Clear and Copy. It records only while it exists.

    The MIDI thread only queues a message and, for the first one waiting, asks for an update;
    the list takes the waiting messages on the message thread at most once per frame.
*/
class MidiMonitorComponent : public juce::Component,
                             private juce::ListBoxModel,
                             private juce::AsyncUpdater,
                             private juce::Timer
{
public:
    /** Listens to the manager's traffic until destroyed; the manager must outlive it. */
    explicit MidiMonitorComponent (MidiManager& midiManager);
    ~MidiMonitorComponent() override;

    /** The shortest time between two updates of the list: one frame at 60 Hz. */
    static constexpr int frameIntervalMs = 16;

    MidiMonitorLog& getLog() noexcept { return log; }

    /** The buttons, named by their texts: "Pause" (a toggle), "Clear" and "Copy". */
    juce::Button& getPauseButton() noexcept { return pauseButton; }
    juce::Button& getClearButton() noexcept { return clearButton; }
    juce::Button& getCopyButton() noexcept { return copyButton; }

    /** @internal */
    void resized() override;
    /** @internal */
    void paint (juce::Graphics& g) override;

private:
    static constexpr int buttonWidth = 80, buttonHeight = 26, margin = 8, rowHeight = 18;
    static juce::Font lineFont();

    int getNumRows() override;
    void paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool selected) override;
    void handleAsyncUpdate() override;
    void timerCallback() override;
    void showWaitingTraffic();
    void clearLines();

    MidiManager& midiManager;
    MidiMonitorLog log;
    juce::ListBox list { "MIDI Monitor", this };
    juce::TextButton pauseButton { "Pause" }, clearButton { "Clear" }, copyButton { "Copy" };
    juce::uint32 lastShown = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiMonitorComponent)
};
