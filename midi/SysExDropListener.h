#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/**
    Hears of each SysEx message an input drops as too long to be one the editor uses, so that the
    MIDI monitor can list the drop where the message would have been. An input's callback that is
    also a SysExDropListener is told (MidiInputAssembler).
*/
class SysExDropListener
{
public:
    virtual ~SysExDropListener() = default;

    /** On the input's thread: a SysEx message was dropped; `start` holds its first bytes. */
    virtual void sysExDropped (const juce::MidiMessage& start) = 0;
};
