#include "EditorFixture.h"
#include "views/NumberBoxParameterValue.h"
#include "views/QControlLayoutView.h"

#include <gtest/gtest.h>

namespace
{
bool press (juce::Component& target, int keyCode, juce::ModifierKeys modifiers = {})
{
    const auto used = target.keyPressed (juce::KeyPress (keyCode, modifiers, 0));
    dispatchPendingMessages();
    return used;
}

/** The names of the widgets Tab walks, in its order. */
juce::StringArray tabOrder (EditorComponent& editor)
{
    juce::StringArray names;

    for (auto* widget : editor.createKeyboardFocusTraverser()->getAllComponents (&editor))
        names.add (widget->getName());

    return names;
}

const auto ctrl = juce::ModifierKeys (juce::ModifierKeys::commandModifier);
} // namespace

TEST (KeyboardEntry, ArrowsPagesAndWheelStepWithinTheRangeAndReportLikeTypedValues)
{
    RecordingValueListener listener;
    std::unique_ptr<NumberBoxParameterValue> box (createNumberBoxParameterValue (1, 16, 1, 1, "Knob 1 MIDI Channel"));
    box->addListener (&listener);

    press (*box, juce::KeyPress::upKey);
    press (*box, juce::KeyPress::pageUpKey);
    EXPECT_EQ (box->getText(), "12");
    press (*box, juce::KeyPress::pageUpKey); // 22 would be past 16
    EXPECT_EQ (box->getText(), "16");
    press (*box, juce::KeyPress::downKey);

    typeInto (*box, "5"); // a typed number is where the step starts
    press (*box, juce::KeyPress::upKey);
    wheel (*box, 0.2f);
    wheel (*box, -0.2f);
    wheel (*box, 0.2f);
    EXPECT_EQ (box->getText(), "7");

    // Ctrl with a digit chooses a section: the box leaves it to the window.
    EXPECT_FALSE (box->keyPressed (juce::KeyPress ('3', ctrl, '3')));
    EXPECT_EQ (box->getText(), "7");
    EXPECT_EQ (listener.valuesReportedBy ("Knob 1 MIDI Channel"), (std::vector<double> { 1, 11, 15, 14, 4, 5, 6, 5, 6 }));
}

TEST (KeyboardEntry, TheTooltipShowsTheRangeAndAHintSaysWhyAnEntryWasPutBack)
{
    RecordingValueListener listener;
    std::unique_ptr<NumberBoxParameterValue> transpose (createNumberBoxParameterValue (-12, 12, 0, -12, "Keybed Transpose"));
    std::unique_ptr<NumberBoxParameterValue> channel (createNumberBoxParameterValue (1, 16, 1, 1, "Keybed MIDI Channel"));
    channel->addListener (&listener);
    EXPECT_EQ (transpose->getTooltip(), "-12 to 12");
    EXPECT_EQ (channel->getTooltip(), "1-16");

    juce::Component window;
    window.setSize (400, 200);
    window.addAndMakeVisible (*channel);
    channel->setBounds (105, 32, 80, 20);

    typeInto (*channel, "17");
    pressReturn (*channel);
    EXPECT_EQ (channel->getText(), "1");
    EXPECT_TRUE (listener.reports.isEmpty());
    EXPECT_EQ (channel->getTooltip(), "1-16: 17 is out of range");

    auto* hint = dynamic_cast<juce::Label*> (channel->getRefusalHint());
    ASSERT_NE (hint, nullptr);
    EXPECT_TRUE (hint->isVisible() && hint->getParentComponent() == &window);
    EXPECT_EQ (hint->getText(), "1-16: 17 is out of range");
    EXPECT_EQ (hint->getBounds(), juce::Rectangle<int> (187, 32, hint->getWidth(), 20)); // in the box's row, to its right

    typeInto (*channel, "16");
    pressReturn (*channel);
    EXPECT_EQ (channel->getTooltip(), "1-16");
    window.removeAllChildren();
}

// The section views start at y 527, their panels at x 40 + 280 n, a panel's boxes at x 105-185 and
// its rows at y 32 + 26 r. A hint stands in its box's row, to the right of the box unless it would
// leave the editor there, and within the room between the neighbouring boxes of the row (or the
// editor's edges).
TEST (KeyboardEntry, AHintStandsInItsBoxsRowOverNoOtherBoxAndGoesWithItsBox)
{
    struct Case
    {
        int section;
        const char* box;
        const char* typed;
        const char* hint;
        int boxX, rowY;
        bool onTheRight;
        int roomLeft, roomRight;
    };

    // clang-format off
    const Case cases[] {
        { 1, "Knob 1 CC",                "300",  "0-127: 300 is out of range",      145, 611, true,  0,   425  },
        { 1, "Knob 4 Max",               "300",  "0-127: 300 is out of range",      985, 663, false, 785, 1200 }, // last row, last panel
        { 2, "Switch 3 MIDI Channel",    "77",   "1-16: 77 is out of range",        705, 585, true,  505, 985  },
        { 3, "Pad 4 Curve",              "77",   "1-8: 77 is out of range",         985, 663, false, 785, 1200 },
        { 4, "Keybed Transpose",         "-300", "-12 to 12: -300 is out of range", 145, 585, true,  0,   1200 },
        { 5, "Pitch Wheel MIDI Channel", "77",   "1-16: 77 is out of range",        425, 559, true,  225, 1200 },
        { 6, "Sustain Released",         "300",  "0-127: 300 is out of range",      145, 637, true,  0,   1200 },
        // Too long for the room on either side: squeezed in between the neighbours, on the right at a tie.
        { 1, "Knob 2 CC",    "1234567890123",    "0-127: 1234567890123 is out of range", 425, 611, true, 505, 705 },
    };
    // clang-format on

    EditorFixture fixture;
    auto& editor = *fixture.editor;

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.box);
        auto& box = dynamic_cast<NumberBox&> (*findComponentNamed (editor, c.box));
        EXPECT_TRUE (press (editor, '1' + c.section, ctrl));
        ASSERT_EQ (editor.getLocalArea (&box, box.getLocalBounds()), juce::Rectangle<int> (c.boxX, c.rowY, 80, 20));

        typeInto (box, c.typed);
        pressReturn (box);
        auto* hint = dynamic_cast<juce::Label*> (box.getRefusalHint());
        ASSERT_NE (hint, nullptr);
        EXPECT_TRUE (hint->isVisible());
        EXPECT_EQ (hint->getParentComponent(), &editor);
        EXPECT_EQ (hint->getText(), c.hint);

        const auto area = hint->getBounds();
        EXPECT_EQ (area.getY(), c.rowY);
        EXPECT_EQ (area.getHeight(), 20);
        EXPECT_EQ (c.onTheRight ? area.getX() : area.getRight(), c.onTheRight ? c.boxX + 82 : c.boxX - 2);
        EXPECT_GE (area.getX(), c.roomLeft);
        EXPECT_LE (area.getRight(), c.roomRight);

        // Another section, by key: the hint goes at once, and does not come back with its section.
        EXPECT_TRUE (press (editor, c.section == 1 ? '3' : '2', ctrl));
        EXPECT_FALSE (hint->isVisible());
        EXPECT_TRUE (press (editor, '1' + c.section, ctrl));
        EXPECT_FALSE (hint->isVisible());
    }

    // A Mode that hides the box's row, and the other bank of pads, take the hint away too.
    auto& knobCC = dynamic_cast<NumberBox&> (*findComponentNamed (editor, "Knob 1 CC"));
    press (editor, '2', ctrl);
    typeInto (knobCC, "300");
    pressReturn (knobCC);
    ASSERT_TRUE (knobCC.getRefusalHint()->isVisible());
    fixture.value ("Knob 1 Mode")->setValue (1); // Aftertouch: no CC row
    EXPECT_FALSE (knobCC.getRefusalHint()->isVisible());

    auto& padCurve = dynamic_cast<NumberBox&> (*findComponentNamed (editor, "Pad 4 Curve"));
    press (editor, '4', ctrl);
    typeInto (padCurve, "77");
    pressReturn (padCurve);
    ASSERT_TRUE (padCurve.getRefusalHint()->isVisible());
    auto& pads = dynamic_cast<QControlLayoutView&> (*editor.getViewForButton (editor.getTabSelector().getButtons()[3]));
    pads.getBankView().showBank (1);
    EXPECT_FALSE (padCurve.getRefusalHint()->isVisible());
}

TEST (KeyboardEntry, ATypedNumberIsCommittedBeforeTheSectionChanges)
{
    EditorFixture fixture;
    auto& editor = *fixture.editor;
    auto& knob2Max = dynamic_cast<juce::TextEditor&> (*findComponentNamed (editor, "Knob 2 Max"));
    const auto& bytes = fixture.controller->getPresetData();

    // Byte 21 holds Knob 2 Max; byte 0 the keybed's transpose + 12.
    editor.selectSection (1);
    typeInto (knob2Max, "80");
    editor.buttonClicked (editor.getTabSelector().getButtons()[4]);
    EXPECT_EQ (bytes[21], 80);

    typeInto (dynamic_cast<juce::TextEditor&> (*findComponentNamed (editor, "Keybed Transpose")), "-5");
    editor.buttonClicked (editor.getPictureSelector().getButtons()[0]); // the knobs on the picture
    EXPECT_EQ (bytes[0], 7);

    typeInto (knob2Max, "200"); // out of range: put back instead
    EXPECT_TRUE (press (editor, '1', ctrl));
    EXPECT_EQ (bytes[21], 80);
    EXPECT_EQ (knob2Max.getText(), "80");
}

TEST (KeyboardEntry, ControlDigitsChooseTheSectionsAndTabWalksTheShownOneInReadingOrder)
{
    RecordingButtonListener buttons;
    RecordingValueListener values;
    std::unique_ptr<EditorComponent> editor (createEditorComponent (buttons, values));
    const auto& tabs = editor->getTabSelector().getButtons();

    EXPECT_EQ (tabOrder (*editor), juce::StringArray ({ "Load From MIDI", "Save To MIDI", "Load From HD", "Save To HD" }));

    for (int i = 6; i >= 0; --i)
    {
        EXPECT_TRUE (press (*editor, '1' + i, ctrl));
        EXPECT_TRUE (editor->getViewForButton (tabs[i])->isVisible() && tabs[i]->getToggleState());
    }

    EXPECT_FALSE (press (*editor, '8', ctrl));
    // As the menus write keys.
    EXPECT_EQ (tabs[1]->getTooltip(), "Knobs (Ctrl+2)");
    EXPECT_EQ (tabs[6]->getTooltip(), "Sustain (Ctrl+7)");

    press (*editor, '2', ctrl);
    juce::StringArray knobs;

    for (auto knob : { "Knob 1", "Knob 2", "Knob 3", "Knob 4" })
        for (auto row : { "Mode", "MIDI Channel", "CC", "Min", "Max" })
            knobs.add (juce::String (knob) + " " + row);

    knobs.removeString ("Knob 2 CC");

    // Aftertouch hides Knob 2's CC row, and Tab passes it by.
    dynamic_cast<juce::ComboBox&> (*findComponentNamed (*editor, "Knob 2 Mode")).setSelectedId (2, juce::sendNotificationSync);
    EXPECT_EQ (tabOrder (*editor), knobs);

    // Space and Return click a preset button.
    press (*editor, '1', ctrl);
    press (*findComponentNamed (*editor, "Load From MIDI"), juce::KeyPress::spaceKey);
    press (*findComponentNamed (*editor, "Save To MIDI"), juce::KeyPress::returnKey);
    EXPECT_EQ (buttons.clicked, juce::StringArray ({ "Load From MIDI", "Save To MIDI" }));
}
