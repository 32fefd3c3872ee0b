#pragma once

#include "PresetLayout.h"

/**
    A preset's values as the editor shows them: Mode names, channels 1-16, transpose
    -12 to 12, curves 1-8, and back from such text to raw bytes.
*/
namespace PresetValues
{
/** The control's raw Mode (0 for kinds without one). */
int getMode (const PresetLayout::ControlId& control, const juce::Array<juce::uint8>& image);

/** The name of the control's Mode, or an empty string for kinds without one. */
juce::String getModeName (const PresetLayout::ControlId& control, const juce::Array<juce::uint8>& image);

/** The parameters the control's Mode shows, in the panel's display order (Mode first). */
std::vector<PresetLayout::ParameterLocation> getShownParameters (const PresetLayout::ControlId& control,
                                                                 const juce::Array<juce::uint8>& image);

/** One parameter per byte of the control that its Mode shows no parameter for. */
std::vector<PresetLayout::ParameterLocation> getUnusedBytes (const PresetLayout::ControlId& control,
                                                             const juce::Array<juce::uint8>& image);

/** A byte as the parameter shows it: a Mode name or a shown number. */
juce::String format (const PresetLayout::ParameterLocation& location, int raw);

/** The shown values a parameter takes: "1-16", or its Mode names. */
juce::String describeShownRange (const PresetLayout::ParameterLocation& location);

/** Reads a shown value (a number within the shown range, a note name for a note, or a Mode name in any case)
    into its raw byte; on failure the result says what was expected.
*/
juce::Result parse (const PresetLayout::ParameterLocation& location, const juce::String& text, int& raw);
} // namespace PresetValues
