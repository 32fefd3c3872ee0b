#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/** Which way a message went: into the editor from its input port, or out to its output port. */
enum class MidiDirection
{
    in,
    out
};

/** One message as a monitor shows it: when, which way, on which port. */
struct MidiTrafficEntry
{
    juce::Time time;
    MidiDirection direction;
    juce::String port;
    juce::MidiMessage message;
    bool droppedAsTooLong = false; // a SysEx message the input dropped; `message` holds its first bytes
};

/** Sees every message the MIDI manager receives or sends. */
class MidiTrafficListener
{
public:
    virtual ~MidiTrafficListener() = default;

    /** Called on the MIDI service's thread for incoming messages, on the sender's for outgoing. */
    virtual void midiTraffic (MidiDirection direction, const juce::String& port, const juce::MidiMessage& message) = 0;

    /** Called on the MIDI service's thread for each incoming SysEx message dropped as too long. */
    virtual void midiSysExDropped (const juce::String& port, const juce::MidiMessage& start) { juce::ignoreUnused (port, start); }
};
