#pragma once

#include "PresetLayout.h"

#include <optional>

/**
    The three preset messages and the preset file, built and recognised in one place:
    the editor, the simulated Q7X and q7x-preset all frame presets through these.

    A message body is what lies between F0 and F7 (what juce::MidiMessage calls the
    SysEx data); a preset file is the whole dump, F0 to F7.
*/
namespace PresetFraming
{
/** The header for a command followed by the payload, without F0 and F7. */
juce::Array<juce::uint8> makeBody (juce::uint8 command, const juce::Array<juce::uint8>& payload = {});

/** The preset dump from F0 to F7: what goes on the wire and, unchanged, into a preset file. */
juce::Array<juce::uint8> makeDumpMessage (const juce::Array<juce::uint8>& image);

/** True when the body starts with the header for the command (it may go on after it). */
bool startsWithHeader (const juce::uint8* body, int size, juce::uint8 command);

/** The bytes after the header of a body carrying the command, at most one image long
    (longer messages are cut, shorter ones give fewer bytes); nothing when the header differs.
*/
std::optional<juce::Array<juce::uint8>> findPayload (const juce::uint8* body, int size, juce::uint8 command);

/** The image of a preset file's bytes; nothing unless they are 103 bytes starting with F0 and
    the dump header. The last byte is not looked at: a file ending in another byte than F7 loads.
*/
std::optional<juce::Array<juce::uint8>> findImageInFile (const juce::uint8* bytes, int size);
} // namespace PresetFraming
