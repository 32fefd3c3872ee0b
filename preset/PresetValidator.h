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
    does not use only asks for a MIDI value (a pad in CC Momentary mode may hold Released
    64 where its Curve would allow 0-7).
*/
namespace PresetValidator
{
/** True when the parameter's control has a Mode, the image holds a valid one, and it does
    not use the parameter.
*/
bool isLeftUnusedByMode (const PresetLayout::ParameterLocation& location, const juce::Array<juce::uint8>& image);

/** The first reason to refuse the image, or nothing when the editor accepts it. */
std::optional<PresetProblem> findProblem (const juce::Array<juce::uint8>& image);

inline bool isValid (const juce::Array<juce::uint8>& image) { return ! findProblem (image).has_value(); }
} // namespace PresetValidator
