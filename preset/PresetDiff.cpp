#include "PresetDiff.h"
#include "PresetValues.h"
#include "ShownValueText.h"

using namespace PresetLayout;

namespace
{
bool contains (const std::vector<ParameterLocation>& locations, const ParameterLocation& location)
{
    return std::any_of (locations.begin(), locations.end(), [&] (const auto& l) { return l.parameterIndex == location.parameterIndex; });
}

juce::String side (const std::vector<ParameterLocation>& shown, const ParameterLocation& location,
                   const juce::Array<juce::uint8>& image)
{
    return contains (shown, location) ? ShownValueText::withNoteName (location, image[location.offset]) : juce::String ("-");
}

// How one line puts the two sides of a difference.
using Sides = std::function<juce::String (const juce::String& a, const juce::String& b)>;

void describeControl (const ControlId& control, const juce::Array<juce::uint8>& a, const juce::Array<juce::uint8>& b,
                      const Sides& sides, juce::StringArray& lines)
{
    const auto shownA = PresetValues::getShownParameters (control, a);
    const auto shownB = PresetValues::getShownParameters (control, b);

    auto all = shownA;
    for (const auto& location : shownB)
        if (! contains (all, location))
            all.push_back (location);

    for (const auto& location : all)
    {
        const auto before = side (shownA, location, a);
        const auto after = side (shownB, location, b);

        if (before != after)
            lines.add (location.getKey() + ": " + sides (before, after));
    }

    const auto unusedA = PresetValues::getUnusedBytes (control, a);

    for (const auto& location : PresetValues::getUnusedBytes (control, b))
        if (contains (unusedA, location) && a[location.offset] != b[location.offset])
            lines.add (location.getKey() + " (unused): " + sides (juce::String (a[location.offset]), juce::String (b[location.offset])));
}

juce::StringArray describeAll (const juce::Array<juce::uint8>& a, const juce::Array<juce::uint8>& b, const Sides& sides)
{
    juce::StringArray lines;

    for (const auto& control : getAllControls())
        describeControl (control, a, b, sides, lines);

    return lines;
}
} // namespace

namespace PresetDiff
{
juce::StringArray describe (const juce::Array<juce::uint8>& a, const juce::Array<juce::uint8>& b)
{
    return describeAll (a, b, [] (const auto& before, const auto& after) { return before + " -> " + after; });
}

juce::StringArray describe (const juce::Array<juce::uint8>& a, const juce::Array<juce::uint8>& b,
                            const juce::String& whereA, const juce::String& whereB)
{
    return describeAll (a, b, [&] (const auto& valueA, const auto& valueB) { return valueA + " " + whereA + ", " + valueB + " " + whereB; });
}
} // namespace PresetDiff
