#pragma once

#include "midi/SystemMidiBackend.h"

/**
    The MIDI ports the editor offers: the system's, followed by the simulated Q7X when
    the environment variable Q7X_SIMULATOR is 1, for trying the editor without the
    hardware. The application is the one place that chooses them.
*/
class EditorMidiBackend
{
public:
    EditorMidiBackend();
    ~EditorMidiBackend();

    /** The backend the MIDI manager opens its ports from; lives as long as this object. */
    MidiBackend& get() noexcept;

private:
    struct Simulated;
    SystemMidiBackend system;
    std::unique_ptr<Simulated> simulated;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorMidiBackend)
};
