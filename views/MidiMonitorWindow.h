#pragma once

#include "MidiMonitorComponent.h"

/** The "MIDI Monitor" window: at most one, which the window manager sees through a weak
    reference. Closing it ends the recording.
*/
class MidiMonitorWindow : public juce::DocumentWindow
{
public:
    static const char* const title;

    /** Builds the window, centres it and shows it. */
    explicit MidiMonitorWindow (MidiManager& midiManager);
    ~MidiMonitorWindow() override;

    MidiMonitorComponent& getMonitor() noexcept { return monitor; }

    /** @internal */
    void closeButtonPressed() override;

private:
    MidiMonitorComponent monitor;

    JUCE_DECLARE_WEAK_REFERENCEABLE (MidiMonitorWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiMonitorWindow)
};
