#pragma once

#include "MidiTrafficListener.h"

#include <optional>

/**
    The lines of the MIDI monitor: time, direction, port, the bytes and what they mean.

    A preset message is named by what it does ("preset request", "preset reply, accepted",
    "preset reply refused: <why>", "preset sent"), judged by the same range check the editor
    applies to a reply; a channel message by its kind, number, value and channel (1-16),
    after the names of the controls that send it, when they are known. A SysEx message the input
    dropped as too long shows its first bytes and "SysEx longer than 4096 bytes, dropped".
*/
namespace MidiMonitorFormat
{
/** SysEx up to this many bytes is shown whole; a longer one by its F0 and header, then its length. */
constexpr int wholeSysExBytes = 16;

/** The bytes in hexadecimal, "B0 15 40"; a long SysEx as "F0 00 00 0E 00 41 63 00 5D ... (103 bytes)". */
juce::String formatBytes (const juce::MidiMessage& message);

/** What the message means, preceded by the controls that send it: "Knob 2 CC 21 = 64, channel 1". */
juce::String describe (const juce::MidiMessage& message, MidiDirection direction,
                       const juce::StringArray& controlNames = {});

/** Why a preset reply carrying these bytes is refused ("Keybed MIDI Channel 16 out of range"),
    or nothing when the editor accepts it.
*/
std::optional<juce::String> findReplyRefusal (const juce::Array<juce::uint8>& image);

/** "14:03:07.250  In   Q7X Simulator  F0 00 ... (103 bytes)  preset reply, accepted" */
juce::String formatLine (const MidiTrafficEntry& entry, const juce::StringArray& controlNames = {});
} // namespace MidiMonitorFormat
