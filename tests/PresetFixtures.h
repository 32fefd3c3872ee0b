#pragma once

#include "preset/PresetLayout.h"

/**
    Makes a random preset that a correct editor must accept: each control gets a mode
    (iteration + control number picks it, so successive iterations walk every mode),
    the bytes its mode uses get values in their ranges, the others any MIDI value.
*/
inline juce::Array<juce::uint8> makeRandomValidPreset (juce::Random& random, int iteration)
{
    using namespace PresetLayout;

    juce::Array<juce::uint8> image;
    image.insertMultiple (0, 0, presetImageSize);

    for (int k = 0; k < numControlKinds; ++k)
    {
        const auto& info = getKindInfo (k);

        for (int number = 1; number <= info.controlCount; ++number)
        {
            const auto mode = info.modeNames.isEmpty() ? 0 : (iteration + number) % info.modeNames.size();
            const auto start = getControlOffset (info.kind, number);

            for (int relative = 0; relative < info.bytesPerControl; ++relative)
            {
                juce::Range<int> allowed (0, 128);

                for (const auto& p : info.parameters)
                    if (p.relativeOffset == relative && (p.usedInModes & (1u << mode)) != 0)
                        allowed = allowed.getIntersectionWith ({ p.rawMinimum, p.rawMaximum + 1 });

                const auto isModeByte = ! info.modeNames.isEmpty() && relative == 0;
                image.set (start + relative, (juce::uint8) (isModeByte ? mode
                                                                       : allowed.getStart() + random.nextInt (allowed.getLength())));
            }
        }
    }

    return image;
}
