#include "views/ComboBoxParameterValue.h"
#include "views/NumberBoxParameterValue.h"
#include "ViewTestHelpers.h"

#include <gtest/gtest.h>

namespace
{
std::unique_ptr<NumberBoxParameterValue> makeChannelBox (RecordingValueListener& listener)
{
    std::unique_ptr<NumberBoxParameterValue> box (createNumberBoxParameterValue (1, 16, 1, 1, "Knob 1 MIDI Channel"));
    box->addListener (&listener);
    return box;
}

std::unique_ptr<NumberBoxParameterValue> makeTransposeBox (RecordingValueListener& listener)
{
    std::unique_ptr<NumberBoxParameterValue> box (createNumberBoxParameterValue (-12, 12, 0, -12, "Keybed Transpose"));
    box->addListener (&listener);
    return box;
}

const juce::StringArray padModes { "Note", "CC Toggle", "CC Momentary", "Program Change" };
} // namespace

TEST (NumberBoxParameterValue, ConvertsBetweenRawAndShownValues)
{
    RecordingValueListener listener;
    auto box = makeChannelBox (listener);

    EXPECT_EQ (box->getText(), "1"); // the default, before anyone listened
    EXPECT_EQ (box->getValue(), 0.0);
    EXPECT_EQ (box->getName(), "Knob 1 MIDI Channel");
    EXPECT_EQ (box->getMinimum (true), 0);
    EXPECT_EQ (box->getMaximum (true), 15);
    EXPECT_EQ (box->getMinimum (false), 1);
    EXPECT_EQ (box->getMaximum (false), 16);

    box->setValue (9.0);
    EXPECT_EQ (box->getText(), "10");
    EXPECT_EQ (box->getValue(), 9.0);

    // Setting the value it already has reports again: the controller hears what it set.
    box->setValue (9.0);
    EXPECT_EQ (listener.valuesReportedBy ("Knob 1 MIDI Channel"), (std::vector<double> { 9.0, 9.0 }));

    // A raw value the box cannot show changes nothing and reports nothing.
    box->setValue (16.0);
    EXPECT_EQ (box->getText(), "10");
    EXPECT_EQ (listener.reports.size(), 2);
}

TEST (NumberBoxParameterValue, TypedEntryIsCommittedByReturnOrFocusLossWithinItsRange)
{
    RecordingValueListener listener;
    auto box = makeChannelBox (listener);

    typeInto (*box, "16");
    EXPECT_TRUE (listener.reports.isEmpty()); // typing alone changes nothing
    pressReturn (*box);
    EXPECT_EQ (listener.valuesReportedBy ("Knob 1 MIDI Channel"), (std::vector<double> { 15.0 }));

    typeInto (*box, "17");
    pressReturn (*box);
    EXPECT_EQ (box->getText(), "16"); // refused: the previous value again
    EXPECT_EQ (box->getValue(), 15.0);
    EXPECT_EQ (listener.reports.size(), 1);

    typeInto (*box, "");
    pressReturn (*box);
    EXPECT_EQ (box->getText(), "16");
    EXPECT_EQ (listener.reports.size(), 1);

    // Escape puts back the stored value and stores nothing; losing focus then keeps it.
    typeInto (*box, "3");
    box->keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
    dispatchPendingMessages();
    EXPECT_EQ (box->getText(), "16");
    EXPECT_EQ (listener.reports.size(), 1);

    typeInto (*box, "3");
    box->focusLost (juce::Component::focusChangedByMouseClick);
    dispatchPendingMessages();
    EXPECT_EQ (listener.valuesReportedBy ("Knob 1 MIDI Channel"), (std::vector<double> { 15.0, 2.0 }));
    EXPECT_EQ (box->getCaretPosition(), 0);
    EXPECT_TRUE (box->getHighlightedRegion().isEmpty());
}

TEST (NumberBoxParameterValue, SignsOnlyWhereTheMinimumIsNegative)
{
    RecordingValueListener listener;
    auto channel = makeChannelBox (listener);
    typeInto (*channel, "-5");
    EXPECT_EQ (channel->getText(), "5");
    typeInto (*channel, "+7");
    EXPECT_EQ (channel->getText(), "7");

    auto transpose = makeTransposeBox (listener);
    EXPECT_EQ (transpose->getText(), "0");
    EXPECT_EQ (transpose->getValue(), 12.0);
    EXPECT_EQ (transpose->getMinimum (true), 0);
    EXPECT_EQ (transpose->getMaximum (true), 24);

    typeInto (*transpose, "-12");
    pressReturn (*transpose);
    typeInto (*transpose, "+12");
    pressReturn (*transpose);
    EXPECT_EQ (listener.valuesReportedBy ("Keybed Transpose"), (std::vector<double> { 0.0, 24.0 }));

    // A lone sign reads as zero; a negative zero is shown as plain 0.
    typeInto (*transpose, "-");
    pressReturn (*transpose);
    EXPECT_EQ (transpose->getText(), "0");
    typeInto (*transpose, "-0");
    pressReturn (*transpose);
    EXPECT_EQ (transpose->getText(), "0");
    EXPECT_EQ (listener.valuesReportedBy ("Keybed Transpose"), (std::vector<double> { 0.0, 24.0, 12.0, 12.0 }));

    NumberBox box;
    box.setMinimum (-1.0);
    box.setMaximum (1.0);
    box.setValue (-0.0, false);
    EXPECT_EQ (box.getText(), "0");
    EXPECT_FALSE (std::signbit (box.getValue()));
}

TEST (NumberBox, TellsEachListenerOnceNewestFirstAndOnlyForAcceptedValuesItIsToldOf)
{
    struct Logging : public NumberBox::Listener
    {
        Logging (juce::StringArray& l, const char* n) : log (l), name (n) {}
        void numberBoxValueChanged (NumberBox* box) override { log.add (name + " " + juce::String (box->getValue())); }
        juce::StringArray& log;
        juce::String name;
    };

    juce::StringArray log;
    Logging first (log, "first"), second (log, "second");
    NumberBox box;
    box.setMinimum (1.0);
    box.setMaximum (16.0);
    box.addListener (&first);
    box.addListener (nullptr);
    box.addListener (&second);
    box.addListener (&first);

    box.setValue (5.0, true);
    box.setValue (17.0, true); // refused
    box.setValue (6.0, false); // not to be told
    box.setValue (6.0, true);  // the same value again is told

    EXPECT_EQ (log, juce::StringArray ("second 5", "first 5", "second 6", "first 6"));
}

TEST (ComboBoxParameterValue, SelectsByRawValueAndReportsOnlyChanges)
{
    RecordingValueListener listener;
    std::unique_ptr<ComboBoxParameterValue> list (createComboBoxParameterValue (padModes, "Pad 3 Mode"));

    EXPECT_EQ (list->getSelectedId(), 2); // the factory's first selection
    EXPECT_EQ (list->displayOffset, 1.0);
    EXPECT_EQ (list->getMinimum (true), 0);
    EXPECT_EQ (list->getMaximum (true), 3);
    EXPECT_EQ (list->getMinimum (false), 1);
    EXPECT_EQ (list->getMaximum (false), 4);
    EXPECT_TRUE (list->getWantsKeyboardFocus());

    list->addListener (&listener);
    list->addListener (&listener);
    list->addListener (nullptr);

    list->setValue (2.0);
    EXPECT_EQ (list->getText(), "CC Momentary");
    EXPECT_EQ (list->getSelectedId(), 3);
    EXPECT_EQ (listener.valuesReportedBy ("Pad 3 Mode"), (std::vector<double> { 2.0 }));

    list->setValue (2.0);
    EXPECT_EQ (listener.reports.size(), 1); // the value it has: nobody is told

    // A raw value without an item leaves nothing selected.
    list->setValue (7.0);
    EXPECT_EQ (list->getText(), "");
    EXPECT_EQ (list->getValue(), -1.0);
}

TEST (ComboBoxParameterValue, UserChoiceReportsToEveryListenerNewestFirst)
{
    struct Ordered : public ParameterValue::Listener
    {
        Ordered (juce::StringArray& l, const char* n) : log (l), name (n) {}
        void parameterValueChanged (ParameterValue*) override { log.add (name); }
        juce::StringArray& log;
        juce::String name;
    };

    juce::StringArray log;
    Ordered first (log, "first"), second (log, "second");
    std::unique_ptr<ComboBoxParameterValue> list (createComboBoxParameterValue (padModes, "Pad 1 Mode"));
    list->addListener (&first);
    list->addListener (&second);

    list->setSelectedItemIndex (3, juce::sendNotificationSync); // as a choice in the pop-up does
    EXPECT_EQ (log, juce::StringArray ("second", "first"));
    EXPECT_EQ (list->getValue(), 3.0);
}
