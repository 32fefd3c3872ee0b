#pragma once

#include "ParameterValue.h"
#include "PresetValidator.h"

/**
    Several parameters can name one byte: what a pad's or a switch's byte means (a Note, a CC
    or a Program; a Curve or a Released value) follows the control's Mode. These rules say
    which of them a byte must fit, and keep the widgets of one byte showing the same value
    wherever they can, so that what the panels show is what gets saved and sent.
*/
namespace SharedByteRules
{
/** True when the parameter's control has a Mode, the image holds a valid one, and it does
    not use the parameter.
*/
bool isLeftUnusedByMode (const PresetLayout::ParameterLocation& location, const juce::Array<juce::uint8>& image);

/** What the parameter's byte may hold in the image, given the parameter's own range: that
    range while the control's Mode uses the parameter, any MIDI value when it leaves it unused
    (a pad in CC Momentary mode may hold Released 64 where its Curve would allow 0-7).
*/
PresetValidator::RawRange getAcceptedRange (const PresetLayout::ParameterLocation& location,
                                            const juce::Array<juce::uint8>& image,
                                            PresetValidator::RawRange ownRange);

/** After the user set `edited` to `byte`, the other widgets of that byte show it too, each
    where its range allows; the others keep their own values.
*/
void followEdit (const juce::Array<ParameterValue*>& widgetsOfByte, const ParameterValue* edited, int byte);

/** A widget of a panel's row and the byte it holds, -1 when unknown. */
struct Row
{
    ParameterValue* value = nullptr;
    int offset = -1;
};

/** After a Mode change brought rows into view: a row sharing its byte with a row shown
    before, but showing another value, had kept its own value when the byte took one it
    cannot show. It reports that value again, so that the byte holds what the panel shows.
    The rows shown before show their bytes, so they are the reference.
*/
void reportRowsComingIntoView (const std::vector<Row>& comingIntoView, const std::vector<Row>& shownBefore);
} // namespace SharedByteRules
