#pragma once

#include "MidiBackend.h"

#include <atomic>

/**
    The system's MIDI port lists and inputs, for SystemMidiBackend (outputs are the framework's).

    Port names are decoded as the system gives them. An input passes on whole messages of its own
    device only, through a MidiInputAssembler: SysEx is bounded in size wherever the system hands
    it over in pieces.
*/
struct SystemMidiPorts
{
    static juce::Array<juce::MidiDeviceInfo> getInputDevices();
    static juce::Array<juce::MidiDeviceInfo> getOutputDevices();

    /** Opens the input of an identifier from getInputDevices(); null when it is gone or fails.
        Each SysEx message dropped as too long adds one to `droppedSysEx`, which must outlive the port.
    */
    static std::unique_ptr<MidiBackend::InputPort> openInput (const juce::String& identifier,
                                                              juce::MidiInputCallback& callback,
                                                              std::atomic<int>& droppedSysEx);

    /** Why the port of that identifier could not be opened, in a few words for a message (such as
        "another program is using it", where a system lets one program at a time use a port);
        empty when the system gives no reason, or the port opens now.
    */
    static juce::String describeOpenFailure (const juce::String& identifier, bool isInput);
};
