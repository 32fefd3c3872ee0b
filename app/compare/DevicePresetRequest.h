#pragma once

#include "midi/MidiManager.h"

#include <juce_events/juce_events.h>

/**
    Asks the device for its preset once, on the editor's schedule (PresetRequestSchedule),
    apart from the document's Get: the bytes of the reply go to whoever asked, nothing else.
    When no answer comes, or the ports are missing, the same alerts as Get say so.

    Everything runs on the message thread except midiMessageReceived, which only recognises
    the reply and hands its bytes over.
*/
class DevicePresetRequest : private juce::Timer,
                            private MidiManager::MidiManagerListener
{
public:
    /** The image of the reply, as it came: its size and range are for the receiver to check. */
    using ReplyHandler = std::function<void (const juce::Array<juce::uint8>&)>;

    /** The manager must outlive the request; null stands for no ports at all. */
    explicit DevicePresetRequest (MidiManager* midiManager);
    ~DevicePresetRequest() override;

    /** Sends the request; `onReply` gets the first reply. Ignored while one is waiting. */
    void start (ReplyHandler onReply);

    bool isWaiting() const noexcept { return isTimerRunning(); }

private:
    MidiManager* midiManager;
    ReplyHandler replyHandler;
    int retryCount = 0;
    juce::CriticalSection replyLock; // orders a reply recognised on the MIDI thread against the timer
    bool listening = false;          // guarded by replyLock
    juce::WeakReference<DevicePresetRequest>::Master masterReference;
    juce::WeakReference<DevicePresetRequest> selfReference;

    friend class juce::WeakReference<DevicePresetRequest>;

    bool hasPorts() const;
    void sendRequest();
    void replyReceived (const juce::Array<juce::uint8>& image);
    void timerCallback() override;
    void midiMessageReceived (const juce::MidiMessage& message) override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DevicePresetRequest)
};
