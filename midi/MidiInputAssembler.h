#pragma once

#include "SysExDropListener.h"

#include <juce_audio_devices/juce_audio_devices.h>

#include <atomic>
#include <vector>

/**
    Makes whole messages of what one MIDI input hands over as the system's events, for the
    callback the input was opened with.

    Only what the input's device sent is taken: on a system that says which of its clients sent
    an event, another program writing straight to the editor's port is not heard. A SysEx message
    comes in pieces and is passed on once, whole; one longer than maxSysExBytes is no message the
    editor can use (a preset reply is 103 bytes), so its bytes are dropped as they come rather than
    kept, and the drop is counted (and told to the callback, when it is a SysExDropListener). A
    device that sends F0 and never F7 thus costs no memory.
*/
class MidiInputAssembler
{
public:
    /** The longest SysEx message passed on, F0 and F7 included. */
    static constexpr size_t maxSysExBytes = 4096;

    /** How much of a dropped SysEx message its drop listener is told: F0 and a maker's header. */
    static constexpr size_t droppedStartBytes = 9;

    /** Passes messages from `device` to `callback`, counting each SysEx dropped in `droppedSysEx`. */
    MidiInputAssembler (juce::MidiInputCallback& callback, int device, std::atomic<int>& droppedSysEx);

    /** A piece of a SysEx message from `sender`: F0 starts one, F7 ends it. */
    void addSysExPiece (int sender, const juce::uint8* data, size_t size, double time);

    /** A message other than SysEx, whole; all but real-time messages end a SysEx message unfinished. */
    void addMessage (int sender, const juce::uint8* data, size_t size, double time);

    /** Ends a SysEx message unfinished, for a system that says a piece of it was lost. */
    void abandonSysEx() noexcept { state = SysEx::none; }

private:
    enum class SysEx
    {
        none,      // between messages: a stray data byte is dropped
        receiving, // the bytes so far are kept
        tooLong    // counted already; its bytes are dropped until the next F0 or F7
    };

    void addSysExByte (juce::uint8 byte, double time);
    void deliver (const juce::uint8* data, size_t size, double time);

    juce::MidiInputCallback& callback;
    SysExDropListener* const dropListener;
    const int device;
    std::atomic<int>& droppedSysEx;
    SysEx state = SysEx::none;
    std::vector<juce::uint8> pending;
    double pendingTime = 0;

    JUCE_DECLARE_NON_COPYABLE (MidiInputAssembler)
};
