#include "NoteNames.h"

namespace
{
// The octave of note 0; 60 is then C3.
constexpr int lowestOctave = -2;
const juce::StringArray sharpNames { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" };
const juce::StringArray flatNames { "C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B" };

/** The pitch class a name starts with ("C#", "Db", "c"), or -1; `length` says how many characters it took. */
int parsePitchClass (const juce::String& text, int& length)
{
    for (length = 2; length >= 1; --length)
    {
        const auto start = text.substring (0, length);
        const auto sharp = sharpNames.indexOf (start, true);
        const auto index = sharp >= 0 ? sharp : flatNames.indexOf (start, true);

        // "Cb" and "E#" are not in the lists: they are refused by what follows "C" and "E".
        if (index >= 0)
            return index;
    }

    return -1;
}

std::optional<int> parseWhole (const juce::String& digits)
{
    const auto unsignedDigits = digits.startsWithChar ('-') ? digits.substring (1) : digits;

    if (unsignedDigits.isEmpty() || unsignedDigits.length() > 3 || ! unsignedDigits.containsOnly ("0123456789"))
        return std::nullopt;

    return digits.getIntValue();
}

juce::String describeKey (int note)
{
    return NoteNames::format (note) + " (" + juce::String (note) + ")";
}
} // namespace

namespace NoteNames
{
juce::String format (int note)
{
    if (! juce::isPositiveAndNotGreaterThan (note, highestNote))
        return {};

    return sharpNames[note % 12] + juce::String (note / 12 + lowestOctave);
}

std::optional<int> parse (const juce::String& text)
{
    const auto trimmed = text.trim();
    std::optional<int> note;

    if (trimmed.containsOnly ("0123456789"))
    {
        note = parseWhole (trimmed);
    }
    else
    {
        int length = 0;
        const auto pitchClass = parsePitchClass (trimmed, length);
        const auto octave = parseWhole (trimmed.substring (length));

        if (pitchClass >= 0 && octave.has_value() && *octave >= lowestOctave && *octave <= 8)
            note = (*octave - lowestOctave) * 12 + pitchClass;
    }

    if (! note.has_value() || ! juce::isPositiveAndNotGreaterThan (*note, highestNote))
        return std::nullopt;

    return note;
}

KeyRange getKeybedRange (int octave, int transpose)
{
    const auto lowest = octave * 12 + transpose;
    return { lowest, lowest + keysOnKeybed - 1 };
}

juce::String describeKeybedRange (const KeyRange& range)
{
    auto text = "Keys play " + describeKey (juce::jmax (0, range.lowest)) + " to "
              + describeKey (juce::jmin (highestNote, range.highest));

    if (range.lowest < 0 || range.highest > highestNote)
        text << " (" << juce::jmax (0, -range.lowest) + juce::jmax (0, range.highest - highestNote)
             << " keys fall outside 0-127)";

    return text + "\n(60 is C3)";
}
} // namespace NoteNames
