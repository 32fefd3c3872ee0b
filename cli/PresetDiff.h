#pragma once

#include <juce_core/juce_core.h>

/** The differences between two valid presets, in the editor's terms. */
namespace PresetDiff
{
/** One line per difference, control by control: "Pad 3 Mode: Note -> CC Momentary",
    "Knob 2 CC: 21 -> 74". A side whose Mode does not use a parameter shows "-", and a byte
    that neither side's Mode uses is named "(unused)". Empty exactly when the images are equal.
*/
juce::StringArray describe (const juce::Array<juce::uint8>& a, const juce::Array<juce::uint8>& b);
} // namespace PresetDiff
