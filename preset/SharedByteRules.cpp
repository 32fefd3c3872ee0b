#include "SharedByteRules.h"

using namespace PresetLayout;

namespace SharedByteRules
{
bool isLeftUnusedByMode (const ParameterLocation& location, const juce::Array<juce::uint8>& image)
{
    const auto modeOffset = location.getModeOffset();

    return modeOffset >= 0
        && ! location.getInfo().isMode
        && juce::isPositiveAndBelow ((int) image[modeOffset], getKindInfo (location.kind).modeNames.size())
        && ! location.isUsedInMode (image[modeOffset]);
}

PresetValidator::RawRange getAcceptedRange (const ParameterLocation& location, const juce::Array<juce::uint8>& image,
                                            PresetValidator::RawRange ownRange)
{
    return isLeftUnusedByMode (location, image) ? PresetValidator::midiValues : ownRange;
}

void followEdit (const juce::Array<ParameterValue*>& widgetsOfByte, const ParameterValue* edited, int byte)
{
    for (auto* other : widgetsOfByte)
        if (other != edited
            && PresetValidator::isWithin (byte, other->getMinimum (true), other->getMaximum (true))
            && (int) other->getValue() != byte)
            other->setValue (byte);
}

void reportRowsComingIntoView (const std::vector<Row>& comingIntoView, const std::vector<Row>& shownBefore)
{
    for (const auto& row : comingIntoView)
    {
        if (row.offset < 0)
            continue;

        for (const auto& sibling : shownBefore)
        {
            if (sibling.offset == row.offset && sibling.value->getValue() != row.value->getValue())
            {
                row.value->setValue (row.value->getValue());
                break;
            }
        }
    }
}
} // namespace SharedByteRules
