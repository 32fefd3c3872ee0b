#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The line the keybed's Octave and Transpose boxes add to their tooltips: the notes the 25
    keys play at the values the panel shows, read from the two boxes when the tooltip shows.
*/
namespace KeybedRangeTooltip
{
/** True for the boxes whose tooltip names the keys' notes. */
bool isFor (const juce::String& key);

/** "Keys play C2 (48) to C4 (72)" and "(60 is C3)", from the Octave and Transpose boxes beside `box`
    in its panel; empty outside a panel holding both.
*/
juce::String describe (const juce::Component& box);
} // namespace KeybedRangeTooltip
