#include "ViewTestHelpers.h"
#include "views/NumberBox.h"
#include "views/QControlView.h"

#include <gtest/gtest.h>

// Notes in the panels: a pad's Note box takes names and shows the name of its note; the keybed's
// Octave and Transpose boxes say which notes the keys play.

TEST (NoteEntry, APadsNoteBoxTakesNamesAndNumbers)
{
    QPadControlReferenceData data;
    RecordingValueListener listener;
    QControlView panel (&data, "Pad 1", &listener);
    auto* note = dynamic_cast<NumberBox*> (panel.getWidget ("Note"));
    ASSERT_NE (note, nullptr);

    typeInto (*note, "C#3");
    pressReturn (*note);
    EXPECT_EQ (note->getText(), "61");
    typeInto (*note, "db1");
    pressReturn (*note);
    EXPECT_EQ (note->getText(), "37");
    typeInto (*note, "100");
    pressReturn (*note);
    EXPECT_EQ (listener.valuesReportedBy ("Pad 1 Note"), (std::vector<double> { 0, 61, 37, 100 }));

    // A name that is no note, or one past G8, is refused like a number out of range.
    for (const auto* refused : { "H3", "C10", "A8" })
    {
        typeInto (*note, refused);
        pressReturn (*note);
        EXPECT_EQ (note->getText(), "100") << refused;
    }

    EXPECT_EQ (note->getTooltip(), "0-127: A8 is not a note\nC-2 to G8 by name\n(60 is C3)");
    EXPECT_EQ (listener.valuesReportedBy ("Pad 1 Note").size(), 4u);

    // Other boxes stay numbers only: the letters do not get in.
    auto* curve = dynamic_cast<NumberBox*> (panel.getWidget ("Curve"));
    typeInto (*curve, "C3");
    EXPECT_EQ (curve->getText(), "3");
}

TEST (NoteEntry, TheKeybedsTooltipsNameTheNotesOfTheKeys)
{
    QKeyboardControlReferenceData data;
    RecordingValueListener listener;
    QControlView panel (&data, "Keybed", &listener);
    auto* octave = dynamic_cast<NumberBox*> (panel.getWidget ("Octave"));
    auto* transpose = dynamic_cast<NumberBox*> (panel.getWidget ("Transpose"));
    ASSERT_TRUE (octave != nullptr && transpose != nullptr);

    octave->setValue (4, true);
    EXPECT_EQ (transpose->getTooltip(), "-12 to 12\nKeys play C2 (48) to C4 (72)\n(60 is C3)");

    transpose->setValue (2, true);
    EXPECT_EQ (octave->getTooltip(), "0-9\nKeys play D2 (50) to D4 (74)\n(60 is C3)");
    EXPECT_EQ (dynamic_cast<NumberBox*> (panel.getWidget ("MIDI Channel"))->getTooltip(), "1-16");
}
