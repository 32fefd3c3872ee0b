#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

/**
    What the editor needs of the operating system's MIDI service: the device names
    in the service's order, opening a device by its index in that list, starting
    input and sending at once. Incoming messages arrive on the service's own thread
    through the juce::MidiInputCallback given when the input is opened: SysEx in
    pieces through handlePartialSysexMessage, then whole through
    handleIncomingMidiMessage.
*/
class MidiBackend
{
public:
    /** An open input port; closed when destroyed. */
    class InputPort
    {
    public:
        virtual ~InputPort() = default;

        /** Starts delivering messages to the callback. */
        virtual void start() = 0;
    };

    /** An open output port; closed when destroyed. */
    class OutputPort
    {
    public:
        virtual ~OutputPort() = default;

        /** Hands the message to the MIDI service at once. */
        virtual void sendMessageNow (const juce::MidiMessage& message) = 0;
    };

    virtual ~MidiBackend() = default;

    /** Names of the input devices, in the service's order. */
    virtual juce::StringArray getInputDeviceNames() = 0;

    /** Names of the output devices, in the service's order. */
    virtual juce::StringArray getOutputDeviceNames() = 0;

    /** Opens the input at an index of getInputDeviceNames(); null on failure. */
    virtual std::unique_ptr<InputPort> openInput (int index, juce::MidiInputCallback* callback) = 0;

    /** Opens the output at an index of getOutputDeviceNames(); null on failure. */
    virtual std::unique_ptr<OutputPort> openOutput (int index) = 0;
};
