#include "SystemMidiPorts.h"

// The framework's ports: Windows names them in UTF-16, and an open input hears its device only.
// It keeps the pieces of a SysEx message itself, unbounded, and says nothing of what it drops.

namespace
{
class FrameworkInput : public MidiBackend::InputPort
{
public:
    explicit FrameworkInput (std::unique_ptr<juce::MidiInput> inputToUse) : input (std::move (inputToUse)) {}

    ~FrameworkInput() override { input->stop(); }

    void start() override { input->start(); }

private:
    std::unique_ptr<juce::MidiInput> input;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FrameworkInput)
};
} // namespace

juce::Array<juce::MidiDeviceInfo> SystemMidiPorts::getInputDevices()
{
    return juce::MidiInput::getAvailableDevices();
}

juce::Array<juce::MidiDeviceInfo> SystemMidiPorts::getOutputDevices()
{
    return juce::MidiOutput::getAvailableDevices();
}

std::unique_ptr<MidiBackend::InputPort> SystemMidiPorts::openInput (const juce::String& identifier,
                                                                    juce::MidiInputCallback& callback,
                                                                    std::atomic<int>&)
{
    // The framework opens nothing for an identifier that is no longer listed.
    if (auto input = juce::MidiInput::openDevice (identifier, &callback))
        return std::make_unique<FrameworkInput> (std::move (input));

    return {};
}
