#pragma once

#include "WindowManager.h"
#include "midi/ChannelMessageRelay.h"
#include "views/ControlSpotlight.h"

/**
    Follows the hardware in the window: every channel message from the open input is
    matched against the active document's preset, and the controls that would send it
    are shown in that document's editor (see ControlSpotlight). The matching and the
    window run on the message thread; the MIDI thread only queues (ChannelMessageRelay).
    On at start; the choice is not kept across runs.
*/
class HardwareFollower
{
public:
    /** Both must outlive the follower. */
    HardwareFollower (MidiManager& midiManager, WindowManager& windowManager);
    ~HardwareFollower();

    void setEnabled (bool shouldFollow) noexcept { enabled = shouldFollow; }
    bool isEnabled() const noexcept { return enabled; }

    /** Shows in the active document what the messages' senders are, as they arrive. */
    void follow (const std::vector<juce::MidiMessage>& messages);

    ControlSpotlight& getSpotlight() noexcept { return spotlight; }

private:
    MidiManager& midiManager;
    WindowManager& windowManager;
    ControlSpotlight spotlight;
    bool enabled = true;
    ChannelMessageRelay relay; // last: stops before the rest goes

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HardwareFollower)
};
