#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

/**
    What the editor needs of the operating system's MIDI service: the devices in the
    service's order, each with its name and an identifier, opening a device by the
    identifier read in a listing, starting input and sending at once. Incoming
    messages arrive on the service's own thread through the juce::MidiInputCallback
    given when the input is opened: SysEx in pieces through handlePartialSysexMessage,
    then whole through handleIncomingMidiMessage.

    Opening goes by identifier rather than by position, so that a device plugged in or
    out since the listing cannot make another device open in its place.
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

    /** The input devices, in the service's order. */
    virtual juce::Array<juce::MidiDeviceInfo> getInputDevices() = 0;

    /** The output devices, in the service's order. */
    virtual juce::Array<juce::MidiDeviceInfo> getOutputDevices() = 0;

    /** Opens the input of an identifier from getInputDevices(); null when it is gone or fails. */
    virtual std::unique_ptr<InputPort> openInput (const juce::String& identifier, juce::MidiInputCallback* callback) = 0;

    /** Opens the output of an identifier from getOutputDevices(); null when it is gone or fails. */
    virtual std::unique_ptr<OutputPort> openOutput (const juce::String& identifier) = 0;

    /** After an open failed: why, in a few words for a message, or empty when not known. */
    virtual juce::String describeOpenFailure (const juce::String&, bool /*isInput*/) { return {}; }

    /** The names of getInputDevices() and getOutputDevices(), in the same order. */
    juce::StringArray getInputDeviceNames();
    juce::StringArray getOutputDeviceNames();

    /** Of the devices of that name, the one the editor opens: the first input and the last
        output in the list (the last output is what opening every match in turn left open).
    */
    static std::optional<juce::MidiDeviceInfo> findInput (const juce::Array<juce::MidiDeviceInfo>& devices,
                                                          const juce::String& name);
    static std::optional<juce::MidiDeviceInfo> findOutput (const juce::Array<juce::MidiDeviceInfo>& devices,
                                                           const juce::String& name);

    static juce::StringArray namesOf (const juce::Array<juce::MidiDeviceInfo>& devices);
};
