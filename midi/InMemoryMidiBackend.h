#pragma once

#include "MidiBackend.h"

#include <functional>
#include <map>
#include <vector>

/**
    MIDI ports that exist only in this process, for tests and the simulated Q7X.

    Devices are added by name (duplicates allowed) and get a number that stays theirs.
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
    juce::StringArray getInputDeviceNames() override;
    juce::StringArray getOutputDeviceNames() override;
    std::unique_ptr<InputPort> openInput (int index, juce::MidiInputCallback* callback) override;
    std::unique_ptr<OutputPort> openOutput (int index) override;

private:
    class Input;
    class Output;

    struct Device
    {
        juce::String name;
        bool listed = true;
        bool failsToOpen = false;
        int openPorts = 0;
        std::vector<juce::MidiMessage> sent;
        std::function<void (const juce::MidiMessage&)> receiver;
    };

    using DeviceMap = std::map<int, Device>;

    int add (DeviceMap& devices, const juce::String& name);
    static Device& get (DeviceMap& devices, int device);
    static const Device& get (const DeviceMap& devices, int device);
    static juce::StringArray namesOf (const DeviceMap& devices);
    static int deviceAt (const DeviceMap& devices, int index);
    void portClosed (DeviceMap& devices, int device);
    void received (int device, const juce::MidiMessage& message);
    void inputStarted (Input* input);
    void inputClosed (Input* input);

    juce::CriticalSection lock;
    DeviceMap inputs, outputs; // by device number, which grows with each addition
    std::vector<Input*> startedInputs;
    int nextDeviceNumber = 1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (InMemoryMidiBackend)
};
