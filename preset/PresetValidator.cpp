#include "PresetValidator.h"
#include "SharedByteRules.h"
#include "ShownValueText.h"

using namespace PresetLayout;

juce::String PresetProblem::describe() const
{
    if (offset < 0)
        return "image has " + juce::String (value) + " bytes, a preset has " + juce::String (presetImageSize);

    auto text = "offset " + juce::String (offset) + " (" + keys.joinIntoString (", ");

    if (unusedInMode.isNotEmpty())
        text << ", unused in mode " << unusedInMode;

    text << "): value " << value << " is outside " << ShownValueText::range (rawMinimum, rawMaximum);

    if (displayOffset != 0)
        text << " (shown " << ShownValueText::range (rawMinimum + displayOffset, rawMaximum + displayOffset) << ")";

    return text;
}

namespace PresetValidator
{
RawRange getRange (const ParameterLocation& location)
{
    const auto& info = location.getInfo();
    return { info.rawMinimum, info.rawMaximum };
}

std::optional<PresetProblem> findProblem (const juce::Array<juce::uint8>& image)
{
    if (image.size() != presetImageSize)
        return PresetProblem { -1, image.size(), {}, 0, 0, 0, {} };

    for (int offset = 0; offset < presetImageSize; ++offset)
    {
        const int value = image[offset];
        PresetProblem usedProblem { offset, value, {}, midiValues.minimum, midiValues.maximum, 0, {} };
        PresetProblem unusedProblem = usedProblem;

        for (const auto& location : getParametersAt (offset))
        {
            const auto& info = location.getInfo();
            const auto unused = SharedByteRules::isLeftUnusedByMode (location, image);
            const auto range = SharedByteRules::getAcceptedRange (location, image, getRange (location));
            auto& problem = unused ? unusedProblem : usedProblem;

            if (range.contains (value))
                continue;

            if (unused)
                problem.unusedInMode = getKindInfo (location.kind).modeNames[image[location.getModeOffset()]];

            if (problem.keys.isEmpty() || problem.displayOffset != info.displayOffset)
                problem.displayOffset = problem.keys.isEmpty() ? info.displayOffset : 0;

            problem.keys.add (location.getKey());
            problem.rawMinimum = juce::jmax (problem.rawMinimum, range.minimum);
            problem.rawMaximum = juce::jmin (problem.rawMaximum, range.maximum);
        }

        // What the mode uses explains a refusal best; bytes it leaves unused come second.
        if (! usedProblem.keys.isEmpty())
            return usedProblem;

        if (! unusedProblem.keys.isEmpty())
            return unusedProblem;
    }

    return std::nullopt;
}
} // namespace PresetValidator
