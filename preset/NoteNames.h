#pragma once

#include <juce_core/juce_core.h>

#include <optional>

/**
    MIDI note numbers as musicians name them, with 60 as C3 (the convention of most MIDI
    controllers): 0 is C-2 and 127 is G8. Names are written with sharps ("C#3"); flats
    ("Db3") and lower case ("c3") are read as well.
*/
namespace NoteNames
{
inline constexpr int highestNote = 127;
inline constexpr int keysOnKeybed = 25;

/** "C3" for 60; notes outside 0..127 have no name and give an empty string. */
juce::String format (int note);

/** The note a name ("C#3", "Db3", "c3") or a plain number ("61") stands for; nothing for
    other text ("H3"), an octave outside -2..8 ("C10") or a note outside 0..127 ("A8").
*/
std::optional<int> parse (const juce::String& text);

/** The notes the keybed's lowest and highest keys play, before they are kept within 0..127. */
struct KeyRange
{
    int lowest = 0, highest = 0;
};

/** The keybed's notes at an octave setting (0-9) and a shown transposition (-12..12): at
    octave 4 without transposition the keys play C2 (48) to C4 (72), with C3 in the middle.
*/
KeyRange getKeybedRange (int octave, int transpose);

/** What a keybed range plays, for a tooltip, on two lines: "Keys play C2 (48) to C4 (72)", "(60 is C3)". */
juce::String describeKeybedRange (const KeyRange& range);
} // namespace NoteNames
