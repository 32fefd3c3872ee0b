#pragma once

#include "midi/MidiBackend.h"

#include <atomic>

/**
    What q7x-preset exchanges with the device: a preset dump sent on an output port, and
    the device's preset asked for with the editor's pacing, waiting on the calling thread,
    as a command-line program has no message loop to wait in.
*/
class DevicePresetTransfer : private juce::MidiInputCallback
{
public:
    /** Uses the backend, which must outlive this object. */
    explicit DevicePresetTransfer (MidiBackend& backendToUse);

    /** Sends the image as one preset dump; fails when the port cannot be opened. */
    juce::Result send (const juce::MidiDeviceInfo& output, const juce::Array<juce::uint8>& image);

    /** Listens on the input, sends the preset request on the output, again after 1000 ms
        and then every 750 ms, and waits for the first preset reply: its payload, unchecked.
        Fails when a port cannot be opened or no reply has come 7000 ms after the first
        request.
    */
    juce::Result fetch (const juce::MidiDeviceInfo& input, const juce::MidiDeviceInfo& output,
                        juce::Array<juce::uint8>& payload);

    /** How many requests the last fetch sent. */
    int getNumRequestsSent() const noexcept { return numRequestsSent; }

private:
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override;
    juce::Result cannotOpen (bool isInput, const juce::MidiDeviceInfo& device);

    MidiBackend& backend;
    juce::CriticalSection replyLock;
    std::optional<juce::Array<juce::uint8>> reply; // the first reply recognised; guarded by replyLock
    juce::WaitableEvent replied;
    int numRequestsSent = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DevicePresetTransfer)
};
