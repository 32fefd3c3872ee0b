#pragma once

#include "ControlMessages.h"
#include "MidiManager.h"

#include <functional>
#include <vector>

/**
    Hands the channel messages of the MIDI input over to the message thread, where the
    window may use them. The MIDI thread only queues a message and asks for one call on
    the message thread; a burst (a knob turned sends a CC per step) arrives there as one
    call with the latest message of each address, in the order their addresses were last
    touched. SysEx and system messages are not relayed.
*/
class ChannelMessageRelay : private MidiManager::MidiManagerListener,
                            private juce::AsyncUpdater
{
public:
    /** Called on the message thread with the messages queued since the last call. */
    using Receiver = std::function<void (const std::vector<juce::MidiMessage>&)>;

    /** Listens to the manager (which must outlive the relay) until destroyed. */
    ChannelMessageRelay (MidiManager& manager, Receiver receiver);
    ~ChannelMessageRelay() override;

    /** The most addresses queued at once: older ones give way to newer ones. */
    static constexpr size_t maxQueued = 16;

private:
    void midiMessageReceived (const juce::MidiMessage& message) override;
    void handleAsyncUpdate() override;

    MidiManager& manager;
    Receiver receiver;
    juce::CriticalSection lock;
    std::vector<juce::MidiMessage> queued;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ChannelMessageRelay)
};
