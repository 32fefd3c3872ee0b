#pragma once

#include <juce_core/juce_core.h>

/** The differences between two valid presets, in the editor's terms: what `q7x-preset diff`
    and `compare` print, and what the window's comparison with the device lists.
*/
namespace PresetDiff
{
/** One line per difference, control by control: "Pad 3 Mode: Note -> CC Momentary",
    "Knob 2 CC: 21 -> 74". A side whose Mode does not use a parameter shows "-", and a byte
    that neither side's Mode uses is named "(unused)". Empty exactly when the images are equal.
*/
juce::StringArray describe (const juce::Array<juce::uint8>& a, const juce::Array<juce::uint8>& b);

/** The same lines with each side's value followed by where it is, for a reader who compares
    two places: with "in the window" and "in the Q7X", "Knob 2 CC: 21 in the window, 74 in the Q7X".
*/
juce::StringArray describe (const juce::Array<juce::uint8>& a, const juce::Array<juce::uint8>& b,
                            const juce::String& whereA, const juce::String& whereB);
} // namespace PresetDiff
