#pragma once

#include <juce_core/juce_core.h>

/**
    The JSON form of a preset: every control by its name, the parameters its Mode shows by
    their names with shown values (Mode names, channels 1-16, transpose -12..12, curves
    1-8), and under "unused" the raw bytes its Mode leaves unused, so that a preset goes
    to JSON and back byte for byte.

        { "format": "q7x-preset", "version": 1,
          "controls": { "Keybed": { "MIDI Channel": 1, "Transpose": 0, ... },
                        "Knob 1": { "Mode": "Aftertouch", ..., "unused": { "CC": 20 } }, ... } }
*/
namespace PresetJson
{
/** The JSON form of a valid image. */
juce::var toJson (const juce::Array<juce::uint8>& image);

/** Reads the JSON form into an image. Controls, parameters and unused bytes left out keep the
    built-in default preset's values; anything the editor would refuse fails, naming the field.
*/
juce::Result fromJson (const juce::var& json, juce::Array<juce::uint8>& image);

/** The most levels of objects and arrays the form has: root, controls, one control, its unused bytes. */
constexpr int deepestNesting = 4;

/** A JSON preset is a few kilobytes; anything much larger is refused before it is parsed. */
constexpr size_t largestFile = 1024 * 1024;

/** Reads the JSON form from its text, as fromJson() does. The text must be UTF-8 (a byte-order
    mark before it is skipped) and hold one object and nothing after it but white space; deeper
    nesting than the form has, and numbers that are not whole or go beyond 32 bits, are refused
    before the parser meets them (they would exhaust its stack or overflow its arithmetic),
    naming the field and the value.
*/
juce::Result fromText (const void* text, size_t size, juce::Array<juce::uint8>& image);

/** Reads the JSON form from a file, as fromText() does: only a regular file, and only up to
    largestFile bytes of what it really holds (a device or a pipe reports no size).
*/
juce::Result fromFile (const juce::File& file, juce::Array<juce::uint8>& image);

/** Reads the JSON form from standard input, whatever it is (a pipe, a file, a terminal), as
    fromText() does, up to largestFile bytes.
*/
juce::Result fromStandardInput (juce::Array<juce::uint8>& image);
} // namespace PresetJson
