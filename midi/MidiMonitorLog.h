#pragma once

#include "MidiTrafficListener.h"

#include <atomic>
#include <deque>
#include <functional>

/**
    What the MIDI monitor lists: the last maxLines messages, oldest first, as text.

    Messages come in on any thread and wait, unformatted, under a lock; the message thread
    turns them into lines (showWaitingTraffic), so the names of the controls that send a
    message are looked up where the presets live. The first message to wait calls
    onTrafficWaiting, on the thread that brought it: one call until the waiting ones are
    taken, however many follow.
*/
class MidiMonitorLog : public MidiTrafficListener
{
public:
    /** The names of the controls of the active preset that send the message; none by default. */
    using ControlNamer = std::function<juce::StringArray (const juce::MidiMessage&)>;

    static constexpr int maxLines = 2000;

    /** Set before any traffic comes. */
    std::function<void()> onTrafficWaiting;

    void setControlNamer (ControlNamer namer);

    /** Any thread: the message waits to be shown, stamped with the time now. */
    void midiTraffic (MidiDirection direction, const juce::String& port, const juce::MidiMessage& message) override;

    /** Any thread: the drop waits to be shown as a line of its own. */
    void midiSysExDropped (const juce::String& port, const juce::MidiMessage& start) override;

    /** Any thread: the entry waits to be shown; dropped while paused. */
    void add (MidiTrafficEntry entry);

    /** Message thread: the waiting messages become lines; the oldest go beyond maxLines. */
    void showWaitingTraffic();

    /** While paused, messages are not recorded. */
    void setPaused (bool shouldPause) noexcept { paused = shouldPause; }
    bool isPaused() const noexcept { return paused; }

    /** Forgets every line and every waiting message. */
    void clear();

    int getNumLines() const noexcept { return (int) lines.size(); }
    const juce::String& getLine (int index) const { return lines.at ((size_t) index); }

    /** Every line, each ended by a new line. */
    juce::String getText() const;

private:
    juce::CriticalSection lock;
    std::deque<MidiTrafficEntry> waiting; // guarded by lock, at most maxLines
    std::atomic<bool> paused { false };
    std::deque<juce::String> lines;
    ControlNamer controlNamer;
};
