#include "EditorFixture.h"
#include "views/KeyboardImageButton.h"
#include "views/NumberBoxParameterValue.h"

#include <gtest/gtest.h>

namespace
{
std::unique_ptr<NumberBoxParameterValue> makeBox (double minimum, double maximum, double offset,
                                                  const juce::String& key, RecordingValueListener& listener)
{
    std::unique_ptr<NumberBoxParameterValue> box (createNumberBoxParameterValue (minimum, maximum, minimum, offset, key));
    box->addListener (&listener);
    return box;
}

bool press (juce::Component& target, const juce::KeyPress& key)
{
    const auto used = target.keyPressed (key);
    dispatchPendingMessages();
    return used;
}

juce::KeyPress ctrl (juce::juce_wchar character)
{
    return juce::KeyPress (character, juce::ModifierKeys::commandModifier, 0);
}

void wheel (juce::Component& target, float deltaY)
{
    juce::MouseWheelDetails details {};
    details.deltaY = deltaY;
    const auto source = juce::Desktop::getInstance().getMainMouseSource();
    target.mouseWheelMove (juce::MouseEvent (source, {}, {}, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, &target, &target,
                                             juce::Time::getCurrentTime(), {}, juce::Time::getCurrentTime(), 1, false),
                           details);
}

/** The names of the widgets Tab walks, in its order. */
juce::StringArray tabOrder (EditorComponent& editor)
{
    juce::StringArray names;

    for (auto* widget : editor.createKeyboardFocusTraverser()->getAllComponents (&editor))
        names.add (widget->getName());

    return names;
}

int visibleSectionIndex (EditorComponent& editor)
{
    const auto& tabs = editor.getTabSelector().getButtons();

    for (int i = 0; i < tabs.size(); ++i)
        if (editor.getViewForButton (tabs[i])->isVisible())
            return i;

    return -1;
}
} // namespace

TEST (KeyboardEntry, ArrowsPagesAndWheelStepWithinTheRangeAndReportLikeTypedValues)
{
    RecordingValueListener listener;
    auto channel = makeBox (1, 16, 1, "Knob 1 MIDI Channel", listener);   // shows 1-16, stores 0-15
    listener.reports.clear();

    EXPECT_TRUE (press (*channel, juce::KeyPress (juce::KeyPress::upKey)));
    EXPECT_EQ (channel->getText(), "2");
    EXPECT_TRUE (press (*channel, juce::KeyPress (juce::KeyPress::pageUpKey)));
    EXPECT_EQ (channel->getText(), "12");
    EXPECT_TRUE (press (*channel, juce::KeyPress (juce::KeyPress::pageUpKey)));   // 22 would be past 16
    EXPECT_EQ (channel->getText(), "16");
    EXPECT_TRUE (press (*channel, juce::KeyPress (juce::KeyPress::downKey)));
    EXPECT_EQ (channel->getText(), "15");

    // A typed number is the start of the step.
    typeInto (*channel, "5");
    press (*channel, juce::KeyPress (juce::KeyPress::upKey));
    EXPECT_EQ (channel->getText(), "6");

    wheel (*channel, 0.2f);
    wheel (*channel, 0.2f);
    wheel (*channel, -0.2f);
    EXPECT_EQ (channel->getText(), "7");

    EXPECT_EQ (listener.valuesReportedBy ("Knob 1 MIDI Channel"),
               (std::vector<double> { 1, 11, 15, 14, 4, 5, 6, 7, 6 }));

    auto transpose = makeBox (-12, 12, -12, "Keybed Transpose", listener);       // starts at -12
    press (*transpose, juce::KeyPress (juce::KeyPress::pageDownKey));
    EXPECT_EQ (transpose->getText(), "-12");
    press (*transpose, juce::KeyPress (juce::KeyPress::pageUpKey));
    press (*transpose, juce::KeyPress (juce::KeyPress::pageUpKey));
    press (*transpose, juce::KeyPress (juce::KeyPress::pageUpKey));
    EXPECT_EQ (transpose->getText(), "12");
    EXPECT_EQ (transpose->getValue(), 24.0);
}

TEST (KeyboardEntry, EscapeAndControlDigitsLeaveThePresetAlone)
{
    RecordingValueListener listener;
    auto box = makeBox (0, 127, 0, "Knob 2 Max", listener);
    listener.reports.clear();

    typeInto (*box, "80");
    EXPECT_TRUE (box->hasPendingEntry());
    press (*box, juce::KeyPress (juce::KeyPress::escapeKey));
    EXPECT_EQ (box->getText(), "0");
    EXPECT_FALSE (box->hasPendingEntry());

    // Ctrl with a digit chooses a section: it is not typed into the box.
    EXPECT_FALSE (press (*box, juce::KeyPress ('3', juce::ModifierKeys::commandModifier, '3')));
    EXPECT_EQ (box->getText(), "0");

    box->commitPendingEntry();
    EXPECT_TRUE (listener.reports.isEmpty());
}

TEST (KeyboardEntry, TheTooltipShowsTheRangeAndWhyAnEntryWasPutBack)
{
    RecordingValueListener listener;
    auto channel = makeBox (1, 16, 1, "Knob 1 MIDI Channel", listener);
    auto transpose = makeBox (-12, 12, -12, "Keybed Transpose", listener);
    EXPECT_EQ (channel->getTooltip(), "1-16");
    EXPECT_EQ (transpose->getTooltip(), "-12 to 12");

    juce::Component window;
    window.setSize (400, 200);
    window.addAndMakeVisible (*channel);
    channel->setBounds (105, 32, 80, 20);
    listener.reports.clear();

    typeInto (*channel, "17");
    pressReturn (*channel);
    EXPECT_EQ (channel->getText(), "1");
    EXPECT_TRUE (listener.reports.isEmpty());
    EXPECT_EQ (channel->getTooltip(), "1-16: 17 is out of range");

    auto* hint = dynamic_cast<juce::Label*> (channel->getRefusalHint());
    ASSERT_NE (hint, nullptr);
    EXPECT_EQ (hint->getParentComponent(), &window);
    EXPECT_TRUE (hint->isVisible());
    EXPECT_EQ (hint->getText(), "1-16: 17 is out of range");
    EXPECT_EQ (hint->getY(), 54);   // just below the box, not over it

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
    auto& transpose = dynamic_cast<juce::TextEditor&> (*findComponentNamed (editor, "Keybed Transpose"));

    // Byte 21 holds Knob 2 Max, byte 0 the keybed's transpose (shown -12..12, stored 0..24).
    editor.selectSection (1);
    typeInto (knob2Max, "80");
    EXPECT_EQ (fixture.controller->getPresetData()[21], 127);
    editor.buttonClicked (editor.getTabSelector().getButtons()[4]);
    EXPECT_EQ (fixture.controller->getPresetData()[21], 80);
    EXPECT_EQ (knob2Max.getText(), "80");

    typeInto (transpose, "-5");
    editor.buttonClicked (editor.getPictureSelector().getButtons()[0]);   // the knobs on the picture
    EXPECT_EQ (fixture.controller->getPresetData()[0], 7);

    // An entry out of range is put back instead.
    typeInto (knob2Max, "200");
    editor.buttonClicked (editor.getTabSelector().getButtons()[0]);
    EXPECT_EQ (fixture.controller->getPresetData()[21], 80);
    EXPECT_EQ (knob2Max.getText(), "80");
}

TEST (KeyboardEntry, ControlDigitsChooseTheSectionsInTabOrder)
{
    EditorFixture fixture;
    auto& editor = *fixture.editor;
    const juce::StringArray tooltips { "Main", "Knobs", "Switches", "Drum Pads", "Keybed", "Mod/Pitch", "Sustain" };

    for (int i = 0; i < 7; ++i)
    {
        EXPECT_TRUE (editor.keyPressed (ctrl ('1' + i)));
        EXPECT_EQ (visibleSectionIndex (editor), i);
        EXPECT_TRUE (editor.getTabSelector().getButtons()[i]->getToggleState());

        auto* tab = editor.getTabSelector().getButtons()[i];
        EXPECT_EQ (tab->getTooltip(), tooltips[i] + " (" + ctrl ('1' + i).getTextDescription() + ")");
        EXPECT_FALSE (tab->getWantsKeyboardFocus());
    }

    EXPECT_FALSE (editor.keyPressed (ctrl ('8')));
    EXPECT_FALSE (editor.keyPressed (juce::KeyPress ('3')));
    EXPECT_EQ (visibleSectionIndex (editor), 6);
}

TEST (KeyboardEntry, TabWalksEveryWidgetOfTheShownSectionInReadingOrder)
{
    RecordingButtonListener buttons;
    RecordingValueListener values;
    std::unique_ptr<EditorComponent> editor (createEditorComponent (buttons, values));

    EXPECT_EQ (tabOrder (*editor), juce::StringArray ({ "Load From MIDI", "Save To MIDI", "Load From HD", "Save To HD" }));

    editor->selectSection (1);
    juce::StringArray knobs;

    for (auto knob : { "Knob 1", "Knob 2", "Knob 3", "Knob 4" })
        for (auto row : { "Mode", "MIDI Channel", "CC", "Min", "Max" })
            knobs.add (juce::String (knob) + " " + row);

    EXPECT_EQ (tabOrder (*editor), knobs);

    // A mode with fewer rows leaves the hidden ones out.
    dynamic_cast<juce::ComboBox&> (*findComponentNamed (*editor, "Knob 2 Mode")).setSelectedId (2, juce::sendNotificationSync);
    knobs.removeString ("Knob 2 CC");
    EXPECT_EQ (tabOrder (*editor), knobs);

    editor->selectSection (5);
    EXPECT_EQ (tabOrder (*editor), juce::StringArray ({ "Mod Wheel MIDI Channel", "Mod Wheel CC", "Mod Wheel Min", "Mod Wheel Max",
                                                        "Pitch Wheel MIDI Channel" }));
}

TEST (KeyboardEntry, SpaceAndReturnClickAPresetButton)
{
    RecordingButtonListener buttons;
    RecordingValueListener values;
    std::unique_ptr<EditorComponent> editor (createEditorComponent (buttons, values));
    auto& getButton = dynamic_cast<juce::Button&> (*findComponentNamed (*editor, "Load From MIDI"));
    auto& sendButton = dynamic_cast<juce::Button&> (*findComponentNamed (*editor, "Save To MIDI"));

    EXPECT_TRUE (press (getButton, juce::KeyPress (juce::KeyPress::spaceKey)));
    EXPECT_TRUE (press (sendButton, juce::KeyPress (juce::KeyPress::returnKey)));
    EXPECT_FALSE (press (sendButton, juce::KeyPress ('x')));
    EXPECT_EQ (buttons.clicked, juce::StringArray ({ "Load From MIDI", "Save To MIDI" }));
}
