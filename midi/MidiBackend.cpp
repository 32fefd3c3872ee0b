#include "MidiBackend.h"

juce::StringArray MidiBackend::getInputDeviceNames()
{
    return namesOf (getInputDevices());
}

juce::StringArray MidiBackend::getOutputDeviceNames()
{
    return namesOf (getOutputDevices());
}

std::optional<juce::MidiDeviceInfo> MidiBackend::findInput (const juce::Array<juce::MidiDeviceInfo>& devices,
                                                            const juce::String& name)
{
    for (const auto& device : devices)
        if (device.name == name)
            return device;

    return std::nullopt;
}

std::optional<juce::MidiDeviceInfo> MidiBackend::findOutput (const juce::Array<juce::MidiDeviceInfo>& devices,
                                                             const juce::String& name)
{
    for (int i = devices.size(); --i >= 0;)
        if (devices.getReference (i).name == name)
            return devices[i];

    return std::nullopt;
}

juce::StringArray MidiBackend::namesOf (const juce::Array<juce::MidiDeviceInfo>& devices)
{
    juce::StringArray names;

    for (const auto& device : devices)
        names.add (device.name);

    return names;
}
