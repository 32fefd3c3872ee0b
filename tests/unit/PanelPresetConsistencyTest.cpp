#include "EditorFixture.h"
#include "PresetFixtures.h"
#include "views/NumberBoxParameterValue.h"
#include "views/QControlView.h"

#include <gtest/gtest.h>

// What the panels show is what gets saved and sent: every widget in view shows the
// byte it is bound to, after whole presets and after user edits alike.

namespace
{
juce::Array<QControlView*> allPanels (juce::Component& root)
{
    juce::Array<QControlView*> panels;

    std::function<void (juce::Component&)> collect = [&] (juce::Component& c) {
        if (auto* panel = dynamic_cast<QControlView*> (&c))
            panels.add (panel);

        for (auto* child : c.getChildren())
            collect (*child);
    };

    collect (root);
    return panels;
}

// Lists every widget in view whose value differs from its byte.
juce::StringArray widgetsDisagreeingWithTheImage (EditorFixture& fixture)
{
    juce::StringArray disagreeing;
    const auto& image = fixture.controller->getPresetData();

    for (auto* panel : allPanels (*fixture.editor))
        for (auto* widget : panel->getVisibleWidgets())
        {
            auto* value = dynamic_cast<ParameterValue*> (widget);
            const auto byte = image[fixture.controller->getOffset (value->getName())];

            if ((int) value->getValue() != byte)
                disagreeing.add (value->getName() + " shows " + juce::String (value->getValue())
                                 + ", byte " + juce::String (byte));
        }

    return disagreeing;
}

void chooseMode (EditorFixture& fixture, const juce::String& control, const juce::String& modeName)
{
    auto& list = dynamic_cast<juce::ComboBox&> (*findComponentNamed (*fixture.editor, control + " Mode"));

    for (int i = 0; i < list.getNumItems(); ++i)
        if (list.getItemText (i) == modeName)
            list.setSelectedItemIndex (i, juce::sendNotificationSync); // as a choice in the pop-up does
}

void typeNumber (EditorFixture& fixture, const juce::String& key, const juce::String& text)
{
    auto& box = dynamic_cast<juce::TextEditor&> (*findComponentNamed (*fixture.editor, key));
    typeInto (box, text);
    pressReturn (box);
}

int byteOf (EditorFixture& fixture, const juce::String& key)
{
    return fixture.controller->getPresetData()[fixture.controller->getOffset (key)];
}
} // namespace

TEST (PanelPresetConsistency, PresetsOfEveryModeArriveExactlyAndShowTheirBytes)
{
    EditorFixture fixture;
    juce::Random random (7);

    ASSERT_TRUE (fixture.controller->applyPresetData (PresetLayout::getDefaultPresetImage()));

    // Successive iterations walk every mode of every pad, switch and knob, from every other mode.
    for (int iteration = 0; iteration < 24; ++iteration)
    {
        const auto preset = makeRandomValidPreset (random, iteration * 5 / 4);
        ASSERT_TRUE (fixture.controller->applyPresetData (preset)) << iteration;
        EXPECT_EQ (fixture.controller->getPresetData(), preset) << iteration;
        EXPECT_EQ (widgetsDisagreeingWithTheImage (fixture), juce::StringArray()) << iteration;
    }
}

TEST (PanelPresetConsistency, EditedNoteIsTheCCAfterAModeChange)
{
    EditorFixture fixture;
    ASSERT_TRUE (fixture.controller->applyPresetData (PresetLayout::getDefaultPresetImage()));

    typeNumber (fixture, "Pad 1 Note", "60");
    chooseMode (fixture, "Pad 1", "CC Toggle");

    EXPECT_EQ (fixture.textOf ("Pad 1 CC"), "60");
    EXPECT_EQ (byteOf (fixture, "Pad 1 CC"), 60);
    EXPECT_EQ (byteOf (fixture, "Pad 1 Mode"), 1);
    EXPECT_EQ (widgetsDisagreeingWithTheImage (fixture), juce::StringArray());
}

TEST (PanelPresetConsistency, RevealedCurveWritesWhatItShows)
{
    EditorFixture fixture;
    ASSERT_TRUE (fixture.controller->applyPresetData (PresetLayout::getDefaultPresetImage()));

    typeNumber (fixture, "Pad 2 Curve", "5");
    chooseMode (fixture, "Pad 2", "CC Momentary");
    typeNumber (fixture, "Pad 2 Released", "64");
    EXPECT_EQ (byteOf (fixture, "Pad 2 Released"), 64);
    EXPECT_EQ (fixture.textOf ("Pad 2 Curve"), "5"); // hidden, and 64 is no curve

    chooseMode (fixture, "Pad 2", "Note");
    EXPECT_EQ (fixture.textOf ("Pad 2 Curve"), "5");
    EXPECT_EQ (byteOf (fixture, "Pad 2 Curve"), 4);
    EXPECT_EQ (fixture.textOf ("Pad 2 Released"), "4"); // its siblings follow the byte
    EXPECT_EQ (widgetsDisagreeingWithTheImage (fixture), juce::StringArray());
}

TEST (PanelPresetConsistency, RandomUserEditsAndModeChangesKeepPanelAndImageEqual)
{
    EditorFixture fixture;
    juce::Random random (11);
    ASSERT_TRUE (fixture.controller->applyPresetData (PresetLayout::getDefaultPresetImage()));

    auto panels = allPanels (*fixture.editor);

    for (int step = 0; step < 400; ++step)
    {
        auto* panel = panels[random.nextInt (panels.size())];
        const auto& widgets = panel->getVisibleWidgets();
        auto* widget = widgets[random.nextInt (widgets.size())];

        if (auto* list = dynamic_cast<juce::ComboBox*> (widget))
        {
            list->setSelectedItemIndex (random.nextInt (list->getNumItems()), juce::sendNotificationSync);
        }
        else if (auto* box = dynamic_cast<NumberBoxParameterValue*> (widget))
        {
            // A committed entry, as Return would make it (the typing itself is tested elsewhere).
            const auto shown = box->getMinimum (false) + random.nextInt (box->getMaximum (false) - box->getMinimum (false) + 1);
            box->NumberBox::setValue (shown, true);
        }

        ASSERT_EQ (widgetsDisagreeingWithTheImage (fixture), juce::StringArray()) << step << " " << widget->getName();
    }
}
