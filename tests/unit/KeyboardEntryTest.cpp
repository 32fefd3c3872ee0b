#include "EditorFixture.h"
#include "views/NumberBoxParameterValue.h"

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
    EXPECT_EQ (hint->getY(), 54); // just below the box

    typeInto (*channel, "16");
    pressReturn (*channel);
    EXPECT_EQ (channel->getTooltip(), "1-16");
    window.removeAllChildren();
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
    EXPECT_EQ (tabs[1]->getTooltip(), "Knobs (" + juce::KeyPress ('2', ctrl, 0).getTextDescription() + ")");

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
