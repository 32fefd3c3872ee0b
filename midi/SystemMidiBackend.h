#pragma once

#include "MidiBackend.h"

/** The operating system's MIDI ports, through juce::MidiInput and juce::MidiOutput. */
class SystemMidiBackend : public MidiBackend
{
public:
    SystemMidiBackend() = default;

    juce::Array<juce::MidiDeviceInfo> getInputDevices() override;
    juce::Array<juce::MidiDeviceInfo> getOutputDevices() override;
    std::unique_ptr<InputPort> openInput (const juce::String& identifier, juce::MidiInputCallback* callback) override;
    std::unique_ptr<OutputPort> openOutput (const juce::String& identifier) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SystemMidiBackend)
};
