#include "CombinedMidiBackend.h"

namespace
{
// Each backend's identifiers are only unique within it: the combined ones carry which
// backend they came from, "1:" or "2:".
juce::Array<juce::MidiDeviceInfo> tagged (const juce::Array<juce::MidiDeviceInfo>& devices, const char* tag)
{
    auto result = devices;

    for (auto& device : result)
        device.identifier = tag + device.identifier;

    return result;
}

template <typename Open>
auto openTagged (const juce::String& identifier, MidiBackend& first, MidiBackend& second, Open open)
{
    const auto inner = identifier.substring (2);

    if (identifier.startsWith ("1:"))
        return open (first, inner);

    if (identifier.startsWith ("2:"))
        return open (second, inner);

    return decltype (open (first, inner)) {};
}
} // namespace

CombinedMidiBackend::CombinedMidiBackend (MidiBackend& firstToUse, MidiBackend& secondToUse)
    : first (firstToUse), second (secondToUse)
{
}

juce::Array<juce::MidiDeviceInfo> CombinedMidiBackend::getInputDevices()
{
    auto devices = tagged (first.getInputDevices(), "1:");
    devices.addArray (tagged (second.getInputDevices(), "2:"));
    return devices;
}

juce::Array<juce::MidiDeviceInfo> CombinedMidiBackend::getOutputDevices()
{
    auto devices = tagged (first.getOutputDevices(), "1:");
    devices.addArray (tagged (second.getOutputDevices(), "2:"));
    return devices;
}

std::unique_ptr<MidiBackend::InputPort> CombinedMidiBackend::openInput (const juce::String& identifier,
                                                                        juce::MidiInputCallback* callback)
{
    return openTagged (identifier, first, second, [callback] (MidiBackend& backend, const juce::String& inner) {
        return backend.openInput (inner, callback);
    });
}

std::unique_ptr<MidiBackend::OutputPort> CombinedMidiBackend::openOutput (const juce::String& identifier)
{
    return openTagged (identifier, first, second, [] (MidiBackend& backend, const juce::String& inner) {
        return backend.openOutput (inner);
    });
}
