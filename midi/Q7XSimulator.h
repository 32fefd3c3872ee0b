#pragma once

#include "ControlPlayer.h"
#include "InMemoryMidiBackend.h"
#include "Q7XDevice.h"

/**
    A simulated Q7X on an in-memory backend: a port pair named "Q7X Simulator" carrying
    the messages of a Q7XDevice, which stores the preset dumps sent to it and answers a
    preset request with a preset reply of its stored preset, from a thread of its own.

    For tests it can also stay silent, answer late, or answer with a faulty reply, and its
    controls can be played.
*/
class Q7XSimulator
{
public:
    /** The name of both the simulator's input and output device. */
    static const juce::String portName;

    using ReplyKind = Q7XDevice::ReplyKind;

    /** Adds the simulator's ports to the backend, which must outlive the simulator. */
    explicit Q7XSimulator (InMemoryMidiBackend& backendToUse);

    /** Takes the ports out of the backend's lists; answers not yet sent are dropped. */
    ~Q7XSimulator();

    void setReplyKind (ReplyKind kind) { device.setReplyKind (kind); }

    /** Waits this long before each answer. The settings in force when a request
        arrives decide its answer.
    */
    void setReplyDelay (int milliseconds) { device.setReplyDelay (milliseconds); }

    /** Sends each answer as this many SysEx pieces before the whole message. */
    void setReplyPieces (int numPieces) { device.setReplyPieces (numPieces); }

    /** The 93 bytes the simulator holds: the built-in default until a dump arrives. */
    juce::Array<juce::uint8> getPreset() const { return device.getPreset(); }
    void setPreset (const juce::Array<juce::uint8>& image) { device.setPreset (image); }

    int getNumRequestsReceived() const noexcept { return device.getNumRequestsReceived(); }
    int getNumDumpsReceived() const noexcept { return device.getNumDumpsReceived(); }

    /** The complete answer the simulator gives to a request with its current settings;
        nothing when it stays silent.
    */
    std::optional<juce::MidiMessage> createAnswer() const { return device.createAnswer(); }

    /** True when every request received so far has been answered (or ignored). */
    bool hasAnsweredAll() const { return device.hasAnsweredAll(); }

    /** Plays a script of the Q7X's controls ("Knob 3=64", "Pad 5", "pause 100": see
        ControlPlayer) under the preset the simulator holds, on its input port; pauses wait on
        the calling thread. A script with a line that cannot be read plays nothing and fails.
    */
    juce::Result play (const juce::String& script);

    /** The device numbers of the simulator's ports in the backend. */
    int getInputDevice() const noexcept { return inputDevice; }
    int getOutputDevice() const noexcept { return outputDevice; }

private:
    InMemoryMidiBackend& backend;
    const int inputDevice, outputDevice;
    Q7XDevice device;
    ControlPlayer player;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Q7XSimulator)
};
