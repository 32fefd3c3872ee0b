#pragma once

#include "MidiBackend.h"

#include <functional>
#include <map>
#include <vector>

/**
    MIDI ports that exist only in this process, for tests and the simulated Q7X.

    Devices are added by name (duplicates allowed) and get a number that stays theirs and
    is listed as their identifier.
    Outputs record everything sent to them and may hand each message to a receiver.
    Each open, started input delivers on a thread of its own, as a MIDI service does:
    SysEx can be delivered in pieces, each through handlePartialSysexMessage, followed
    by the whole message.
*/
class InMemoryMidiBackend : public MidiBackend
{
public:
    InMemoryMidiBackend() = default;

    /** Every port opened from this backend must be closed before it is destroyed. */
    ~InMemoryMidiBackend() override;

    /** Adds a device at the end of the list; returns its number. */
    int addInput (const juce::String& name);
    int addOutput (const juce::String& name);

    /** Takes a device out of the list; ports already open stay usable. Device numbers
        that were never added are a programming error and throw std::out_of_range.
    */
    void removeInput (int device);
    void removeOutput (int device);

    /** The device vanishes, as when unplugged: it leaves the list, and its open ports
        stay open but dead, as the system's do: what is sent to them goes nowhere and
        nothing arrives on them, even once the device is back.
    */
    void disconnectInput (int device);
    void disconnectOutput (int device);

    /** A disconnected device comes back under the same identifier; ports opened from now on work. */
    void reconnectInput (int device);
    void reconnectOutput (int device);

    /** The identifier under which the device is listed. */
    static juce::String identifierOf (int device);

    /** Makes opening the device fail (or succeed again). */
    void setInputFailsToOpen (int device, bool shouldFail);
    void setOutputFailsToOpen (int device, bool shouldFail);

    /** How many ports of the device are open now. */
    int getNumOpenPorts (int inputDevice) const;
    int getNumOpenOutputPorts (int outputDevice) const;

    /** Called with every message sent to the output device, on the sender's thread. */
    void setOutputReceiver (int device, std::function<void (const juce::MidiMessage&)> receiver);

    /** Everything sent to the output device so far, oldest first. */
    std::vector<juce::MidiMessage> getSentMessages (int device) const;

    /** Queues a message on every started port of the input device; a SysEx message
        with numPieces > 1 arrives as that many pieces before the whole.
    */
    void deliver (int inputDevice, const juce::MidiMessage& message, int numPieces = 1);

    /** True when no queued message is waiting or being delivered. */
    bool isIdle() const;

    //==============================================================================
    juce::Array<juce::MidiDeviceInfo> getInputDevices() override;
    juce::Array<juce::MidiDeviceInfo> getOutputDevices() override;
    std::unique_ptr<InputPort> openInput (const juce::String& identifier, juce::MidiInputCallback* callback) override;
    std::unique_ptr<OutputPort> openOutput (const juce::String& identifier) override;

private:
    class Input;
    class Output;

    struct Device
    {
        juce::String name;
        bool listed = true;
        bool failsToOpen = false;
        int openPorts = 0;
        int generation = 0; // grows with each disconnection; older ports are dead
        std::vector<juce::MidiMessage> sent;
        std::function<void (const juce::MidiMessage&)> receiver;
    };

    using DeviceMap = std::map<int, Device>;

    int add (DeviceMap& devices, const juce::String& name);
    static Device& get (DeviceMap& devices, int device);
    static const Device& get (const DeviceMap& devices, int device);
    static juce::Array<juce::MidiDeviceInfo> listed (const DeviceMap& devices);
    static Device* findOpenable (DeviceMap& devices, const juce::String& identifier);
    void disconnect (DeviceMap& devices, int device);
    void portClosed (DeviceMap& devices, int device);
    void received (int device, int generation, const juce::MidiMessage& message);
    void inputStarted (Input* input);
    void inputClosed (Input* input);

    juce::CriticalSection lock;
    DeviceMap inputs, outputs; // by device number, which grows with each addition
    std::vector<Input*> startedInputs;
    int nextDeviceNumber = 1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (InMemoryMidiBackend)
};
