#include "CombinedMidiBackend.h"

CombinedMidiBackend::CombinedMidiBackend (MidiBackend& firstToUse, MidiBackend& secondToUse)
    : first (firstToUse), second (secondToUse)
{
}

juce::StringArray CombinedMidiBackend::getInputDeviceNames()
{
    auto names = first.getInputDeviceNames();
    names.addArray (second.getInputDeviceNames());
    return names;
}

juce::StringArray CombinedMidiBackend::getOutputDeviceNames()
{
    auto names = first.getOutputDeviceNames();
    names.addArray (second.getOutputDeviceNames());
    return names;
}

std::unique_ptr<MidiBackend::InputPort> CombinedMidiBackend::openInput (int index, juce::MidiInputCallback* callback)
{
    const auto numFirst = first.getInputDeviceNames().size();

    return index < numFirst ? first.openInput (index, callback)
                            : second.openInput (index - numFirst, callback);
}

std::unique_ptr<MidiBackend::OutputPort> CombinedMidiBackend::openOutput (int index)
{
    const auto numFirst = first.getOutputDeviceNames().size();

    return index < numFirst ? first.openOutput (index)
                            : second.openOutput (index - numFirst);
}
