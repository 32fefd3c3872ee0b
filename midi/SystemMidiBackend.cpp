#include "SystemMidiBackend.h"
#include "SystemMidiPorts.h"

#include <algorithm>

namespace
{
class SystemOutput : public MidiBackend::OutputPort
{
public:
    explicit SystemOutput (std::unique_ptr<juce::MidiOutput> outputToUse)
        : output (std::move (outputToUse))
    {
    }

    void sendMessageNow (const juce::MidiMessage& message) override
    {
        output->sendMessageNow (message);
    }

private:
    std::unique_ptr<juce::MidiOutput> output;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SystemOutput)
};
} // namespace

juce::Array<juce::MidiDeviceInfo> SystemMidiBackend::getInputDevices()
{
    return SystemMidiPorts::getInputDevices();
}

juce::Array<juce::MidiDeviceInfo> SystemMidiBackend::getOutputDevices()
{
    return SystemMidiPorts::getOutputDevices();
}

std::unique_ptr<MidiBackend::InputPort> SystemMidiBackend::openInput (const juce::String& identifier,
                                                                      juce::MidiInputCallback* callback)
{
    if (callback == nullptr)
        return {};

    return SystemMidiPorts::openInput (identifier, *callback, droppedSysEx);
}

std::unique_ptr<MidiBackend::OutputPort> SystemMidiBackend::openOutput (const juce::String& identifier)
{
    // Given an identifier no longer listed, the framework's Windows outputs open another device.
    const auto devices = getOutputDevices();

    if (std::none_of (devices.begin(), devices.end(), [&] (const juce::MidiDeviceInfo& d) { return d.identifier == identifier; }))
        return {};

    if (auto output = juce::MidiOutput::openDevice (identifier))
        return std::make_unique<SystemOutput> (std::move (output));

    return {};
}

juce::String SystemMidiBackend::describeOpenFailure (const juce::String& identifier, bool isInput)
{
    return SystemMidiPorts::describeOpenFailure (identifier, isInput);
}
