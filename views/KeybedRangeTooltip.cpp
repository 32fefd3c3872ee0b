#include "KeybedRangeTooltip.h"
#include "NumberBox.h"
#include "preset/NoteNames.h"

namespace
{
const juce::String octaveKey ("Keybed Octave"), transposeKey ("Keybed Transpose");

const NumberBox* findSibling (const juce::Component& box, const juce::String& key)
{
    const auto* panel = box.getParentComponent();

    if (panel == nullptr)
        return nullptr;

    for (const auto* child : panel->getChildren())
        if (child->getName() == key)
            return dynamic_cast<const NumberBox*> (child);

    return nullptr;
}
} // namespace

namespace KeybedRangeTooltip
{
bool isFor (const juce::String& key)
{
    return key == octaveKey || key == transposeKey;
}

juce::String describe (const juce::Component& box)
{
    const auto* octave = findSibling (box, octaveKey);
    const auto* transpose = findSibling (box, transposeKey);

    if (octave == nullptr || transpose == nullptr)
        return {};

    return NoteNames::describeKeybedRange (
        NoteNames::getKeybedRange (juce::roundToInt (octave->getValue()), juce::roundToInt (transpose->getValue())));
}
} // namespace KeybedRangeTooltip
