#pragma once

#include "MidiBackend.h"

/** The operating system's MIDI ports, through juce::MidiInput and juce::MidiOutput. */
class SystemMidiBackend : public MidiBackend
{
public:
    SystemMidiBackend() = default;

    juce::StringArray getInputDeviceNames() override;
    juce::StringArray getOutputDeviceNames() override;
    std::unique_ptr<InputPort> openInput (int index, juce::MidiInputCallback* callback) override;
    std::unique_ptr<OutputPort> openOutput (int index) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SystemMidiBackend)
};
