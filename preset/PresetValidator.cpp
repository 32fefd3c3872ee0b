#include "PresetValidator.h"

using namespace PresetLayout;

namespace
{
constexpr int highestMidiValue = 127;

juce::String rangeText (int minimum, int maximum)
{
    return juce::String (minimum) + ".." + juce::String (maximum);
}
} // namespace

juce::String PresetProblem::describe() const
{
    if (offset < 0)
        return "image has " + juce::String (value) + " bytes, a preset has " + juce::String (presetImageSize);

    auto text = "offset " + juce::String (offset) + " (" + keys.joinIntoString (", ");

    if (unusedInMode.isNotEmpty())
        text << ", unused in mode " << unusedInMode;

    text << "): value " << value << " is outside " << rangeText (rawMinimum, rawMaximum);

    if (displayOffset != 0)
        text << " (shown " << rangeText (rawMinimum + displayOffset, rawMaximum + displayOffset) << ")";

    return text;
}

namespace PresetValidator
{
bool isLeftUnusedByMode (const ParameterLocation& location, const juce::Array<juce::uint8>& image)
{
    const auto modeOffset = location.getModeOffset();

    return modeOffset >= 0
        && ! location.getInfo().isMode
        && juce::isPositiveAndBelow ((int) image[modeOffset], getKindInfo (location.kind).modeNames.size())
        && ! location.isUsedInMode (image[modeOffset]);
}

std::optional<PresetProblem> findProblem (const juce::Array<juce::uint8>& image)
{
    if (image.size() != presetImageSize)
        return PresetProblem { -1, image.size(), {}, 0, 0, 0, {} };

    for (int offset = 0; offset < presetImageSize; ++offset)
    {
        const int value = image[offset];
        PresetProblem usedProblem { offset, value, {}, 0, highestMidiValue, 0, {} };
        PresetProblem unusedProblem = usedProblem;

        for (const auto& location : getParametersAt (offset))
        {
            const auto& info = location.getInfo();
            const auto unused = isLeftUnusedByMode (location, image);
            auto& problem = unused ? unusedProblem : usedProblem;
            const auto minimum = unused ? 0 : info.rawMinimum;
            const auto maximum = unused ? highestMidiValue : info.rawMaximum;

            if (value >= minimum && value <= maximum)
                continue;

            if (unused)
                problem.unusedInMode = getKindInfo (location.kind).modeNames[image[location.getModeOffset()]];

            if (problem.keys.isEmpty() || problem.displayOffset != info.displayOffset)
                problem.displayOffset = problem.keys.isEmpty() ? info.displayOffset : 0;

            problem.keys.add (location.getKey());
            problem.rawMinimum = juce::jmax (problem.rawMinimum, minimum);
            problem.rawMaximum = juce::jmin (problem.rawMaximum, maximum);
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
