#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <vector>

/** The bytes of a message on the wire, as numbers to compare with lists written in a test. */
inline std::vector<int> wireBytes (const juce::MidiMessage& message)
{
    return { message.getRawData(), message.getRawData() + message.getRawDataSize() };
}
