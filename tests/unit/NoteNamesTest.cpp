#include "preset/NoteNames.h"

#include <gtest/gtest.h>

// Note names with 60 as C3, written with sharps, read with sharps or flats in any case.

TEST (NoteNames, NamesAndNumbersBothWays)
{
    const std::vector<std::pair<int, const char*>> named {
        { 0, "C-2" },
        { 1, "C#-2" },
        { 11, "B-2" },
        { 12, "C-1" },
        { 24, "C0" },
        { 36, "C1" },
        { 59, "B2" },
        { 60, "C3" },
        { 61, "C#3" },
        { 70, "A#3" },
        { 120, "C8" },
        { 127, "G8" },
    };

    for (const auto& [note, name] : named)
    {
        EXPECT_EQ (NoteNames::format (note), name);
        EXPECT_EQ (NoteNames::parse (name), note) << name;
    }

    const std::vector<std::pair<const char*, int>> read {
        { "Db3", 61 },
        { "db3", 61 },
        { "c#3", 61 },
        { "c3", 60 },
        { " C3 ", 60 },
        { "Bb3", 70 },
        { "bb3", 70 },
        { "b-2", 11 },
        { "Gb8", 126 },
        { "G8", 127 },
        { "61", 61 },
        { "0", 0 },
        { "127", 127 },
    };

    for (const auto& [text, note] : read)
        EXPECT_EQ (NoteNames::parse (text), note) << text;

    for (const auto* refused : { "H3", "C10", "C9", "G#8", "Ab8", "A8", "C-3", "Cb3", "E#3", "C#", "", "128", "-1", "C3x",
                                 "C 3", "#3", "C##3" })
        EXPECT_EQ (NoteNames::parse (refused), std::nullopt) << refused;

    EXPECT_EQ (NoteNames::format (-1), "");
    EXPECT_EQ (NoteNames::format (128), "");
}

TEST (NoteNames, TheKeybedsKeysFollowOctaveAndTranspose)
{
    EXPECT_EQ (NoteNames::describeKeybedRange (NoteNames::getKeybedRange (4, 0)), "Keys play C2 (48) to C4 (72)\n(60 is C3)");
    EXPECT_EQ (NoteNames::describeKeybedRange (NoteNames::getKeybedRange (5, -3)), "Keys play A2 (57) to A4 (81)\n(60 is C3)");
    EXPECT_EQ (NoteNames::describeKeybedRange (NoteNames::getKeybedRange (9, 12)),
               "Keys play C8 (120) to G8 (127) (17 keys fall outside 0-127)\n(60 is C3)");
    EXPECT_EQ (NoteNames::describeKeybedRange (NoteNames::getKeybedRange (0, -12)),
               "Keys play C-2 (0) to C-1 (12) (12 keys fall outside 0-127)\n(60 is C3)");
}
