#pragma once

#include "MidiBackend.h"

#include <atomic>

/** The operating system's MIDI ports: lists and inputs through SystemMidiPorts, outputs through
    juce::MidiOutput.
*/
class SystemMidiBackend : public MidiBackend
{
public:
    SystemMidiBackend() = default;

    juce::Array<juce::MidiDeviceInfo> getInputDevices() override;
    juce::Array<juce::MidiDeviceInfo> getOutputDevices() override;
    std::unique_ptr<InputPort> openInput (const juce::String& identifier, juce::MidiInputCallback* callback) override;
    std::unique_ptr<OutputPort> openOutput (const juce::String& identifier) override;
    juce::String describeOpenFailure (const juce::String& identifier, bool isInput) override;

    /** How many SysEx messages the inputs dropped as too long to be any the editor uses, so far. */
    int getNumDroppedSysEx() const noexcept { return droppedSysEx; }

private:
    std::atomic<int> droppedSysEx { 0 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SystemMidiBackend)
};
