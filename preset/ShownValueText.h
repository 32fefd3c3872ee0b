#pragma once

#include "PresetLayout.h"

/**
    The words the window and the command line share for what a parameter shows, so that both
    write a range, a note or a Mode alike: ranges as "1-16" and "-12 to 12", notes as
    "36 (C1)". A value and its Mode name come from PresetValues.
*/
namespace ShownValueText
{
/** A range of shown values: "1-16", "0-127", and "-12 to 12" when the minimum is negative. */
juce::String range (int minimum, int maximum);

/** True for a parameter that holds a note number (a pad's Note), which is shown with its name. */
bool holdsNote (const PresetLayout::ParameterLocation& location);

/** A byte as a listing shows it: the shown value, with the note's name beside a note ("36 (C1)"). */
juce::String withNoteName (const PresetLayout::ParameterLocation& location, int raw);
} // namespace ShownValueText
