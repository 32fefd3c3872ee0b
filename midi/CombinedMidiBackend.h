#pragma once

#include "MidiBackend.h"

/** Two backends seen as one: the first one's devices, followed by the second one's. */
class CombinedMidiBackend : public MidiBackend
{
public:
    /** Both backends must outlive this one. */
    CombinedMidiBackend (MidiBackend& firstToUse, MidiBackend& secondToUse);

    juce::Array<juce::MidiDeviceInfo> getInputDevices() override;
    juce::Array<juce::MidiDeviceInfo> getOutputDevices() override;
    std::unique_ptr<InputPort> openInput (const juce::String& identifier, juce::MidiInputCallback* callback) override;
    std::unique_ptr<OutputPort> openOutput (const juce::String& identifier) override;

private:
    MidiBackend& first;
    MidiBackend& second;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CombinedMidiBackend)
};
