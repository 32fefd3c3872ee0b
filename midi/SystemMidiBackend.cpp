#include "SystemMidiBackend.h"

namespace
{
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

// Without the sequencer device ALSA prints an error for every listing, and the manager
// lists about once a second: the service is only asked when it can answer.
bool hasMidiService()
{
#if JUCE_LINUX
    return juce::File ("/dev/snd/seq").exists();
#else
    return true;
#endif
}
} // namespace

juce::Array<juce::MidiDeviceInfo> SystemMidiBackend::getInputDevices()
{
    return hasMidiService() ? juce::MidiInput::getAvailableDevices() : juce::Array<juce::MidiDeviceInfo>();
}

juce::Array<juce::MidiDeviceInfo> SystemMidiBackend::getOutputDevices()
{
    return hasMidiService() ? juce::MidiOutput::getAvailableDevices() : juce::Array<juce::MidiDeviceInfo>();
}

std::unique_ptr<MidiBackend::InputPort> SystemMidiBackend::openInput (const juce::String& identifier,
                                                                      juce::MidiInputCallback* callback)
{
    // JUCE opens nothing for an identifier that is no longer listed.
    if (auto input = juce::MidiInput::openDevice (identifier, callback))
        return std::make_unique<SystemInput> (std::move (input));

    return {};
}

std::unique_ptr<MidiBackend::OutputPort> SystemMidiBackend::openOutput (const juce::String& identifier)
{
    if (auto output = juce::MidiOutput::openDevice (identifier))
        return std::make_unique<SystemOutput> (std::move (output));

    return {};
}
