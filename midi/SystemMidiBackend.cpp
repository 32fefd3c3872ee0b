#include "SystemMidiBackend.h"

namespace
{
juce::StringArray namesOf (const juce::Array<juce::MidiDeviceInfo>& devices)
{
    juce::StringArray names;

    for (const auto& device : devices)
        names.add (device.name);

    return names;
}

class SystemInput : public MidiBackend::InputPort
{
public:
    explicit SystemInput (std::unique_ptr<juce::MidiInput> inputToUse)
        : input (std::move (inputToUse))
    {
    }

    ~SystemInput() override
    {
        input->stop();
    }

    void start() override
    {
        input->start();
    }

private:
    std::unique_ptr<juce::MidiInput> input;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SystemInput)
};

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

juce::StringArray SystemMidiBackend::getInputDeviceNames()
{
    return namesOf (juce::MidiInput::getAvailableDevices());
}

juce::StringArray SystemMidiBackend::getOutputDeviceNames()
{
    return namesOf (juce::MidiOutput::getAvailableDevices());
}

std::unique_ptr<MidiBackend::InputPort> SystemMidiBackend::openInput (int index, juce::MidiInputCallback* callback)
{
    const auto devices = juce::MidiInput::getAvailableDevices();

    if (! juce::isPositiveAndBelow (index, devices.size()))
        return {};

    if (auto input = juce::MidiInput::openDevice (devices.getReference (index).identifier, callback))
        return std::make_unique<SystemInput> (std::move (input));

    return {};
}

std::unique_ptr<MidiBackend::OutputPort> SystemMidiBackend::openOutput (int index)
{
    const auto devices = juce::MidiOutput::getAvailableDevices();

    if (! juce::isPositiveAndBelow (index, devices.size()))
        return {};

    if (auto output = juce::MidiOutput::openDevice (devices.getReference (index).identifier))
        return std::make_unique<SystemOutput> (std::move (output));

    return {};
}
