#pragma once

#include "PresetLayout.h"

#include <optional>

/** Why a preset image was refused: its size, or the first byte that does not fit. */
struct PresetProblem
{
    int offset = -1;        /**< the byte, or -1 when the image has the wrong size */
    int value = 0;          /**< the byte's value, or the image's size */
    juce::StringArray keys; /**< the parameters whose range the byte leaves */
    int rawMinimum = 0, rawMaximum = 0;
    int displayOffset = 0;     /**< shown minus raw, when all those parameters agree on it */
    juce::String unusedInMode; /**< the mode that leaves the byte unused, if it does */

    /** One line: the offset, parameter(s), value and allowed range. */
    juce::String describe() const;
};

/**
    The editor's rules for a whole preset image, without any widget: 93 bytes, each within
    the raw range of every parameter naming it, except that a parameter its control's Mode
    does not use only asks for a MIDI value (SharedByteRules). Apart from the layout's table,
    this is the one place that knows the ranges: the editor's widgets, q7x-preset and the
    clipboard all check values here.
*/
namespace PresetValidator
{
/** The one range test: both ends belong to the range. */
constexpr bool isWithin (double value, double minimum, double maximum) noexcept
{
    return value >= minimum && value <= maximum;
}

/** The raw values a byte may hold, both ends included. */
struct RawRange
{
    int minimum = 0;
    int maximum = 0;

    constexpr bool contains (double raw) const noexcept { return isWithin (raw, minimum, maximum); }
};

/** Any MIDI value: what a byte must be whatever parameter names it. */
constexpr RawRange midiValues { 0, 127 };

/** The raw range of a parameter, from the layout. */
RawRange getRange (const PresetLayout::ParameterLocation& location);

/** The first reason to refuse the image, or nothing when the editor accepts it. */
std::optional<PresetProblem> findProblem (const juce::Array<juce::uint8>& image);

inline bool isValid (const juce::Array<juce::uint8>& image) { return ! findProblem (image).has_value(); }
} // namespace PresetValidator
