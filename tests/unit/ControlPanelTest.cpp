#include "views/ComboBoxParameterValue.h"
#include "views/NumberBoxParameterValue.h"
#include "views/QControlLayoutView.h"
#include "views/QControlView.h"
#include "ViewTestHelpers.h"

#include <gtest/gtest.h>

namespace
{
juce::StringArray visibleRowNames (const QControlView& panel)
{
    juce::StringArray names;

    for (auto* label : panel.getRowLabels())
        names.add (label->getText());

    return names;
}

juce::Array<int> visibleRowYs (const QControlView& panel)
{
    juce::Array<int> ys;

    for (auto* widget : panel.getVisibleWidgets())
        ys.add (widget->getY());

    return ys;
}

// Only the widgets in the visible rows are visible.
void expectOnlyVisibleRowsShown (const QControlView& panel, const juce::StringArray& allRows)
{
    for (const auto& row : allRows)
        EXPECT_EQ (panel.getWidget (row)->isVisible(), panel.getVisibleWidgets().contains (panel.getWidget (row))) << row;
}

void chooseMode (QControlView& panel, int itemId)
{
    dynamic_cast<juce::ComboBox*> (panel.getWidget ("Mode"))->setSelectedId (itemId, juce::sendNotificationSync);
}
} // namespace

TEST (QControlView, EveryWidgetReportsOnceWhileThePanelIsBuilt)
{
    QPadControlReferenceData data;
    RecordingValueListener listener;
    QControlView panel (&data, "Pad 3", &listener);

    juce::StringArray keys;

    for (const auto& report : listener.reports)
        keys.add (report.key);

    juce::StringArray expected;

    for (const auto& row : data.getRowNames())
        expected.add ("Pad 3 " + row);

    EXPECT_EQ (keys, expected);
    EXPECT_EQ (listener.valuesReportedBy ("Pad 3 Mode"), (std::vector<double> { 0.0 }));
    EXPECT_EQ (listener.valuesReportedBy ("Pad 3 Pressed"), (std::vector<double> { 127.0 }));
    EXPECT_EQ (listener.valuesReportedBy ("Pad 3 Curve"), (std::vector<double> { 0.0 }));
    EXPECT_EQ (panel.getParameterValue ("Curve")->getName(), "Pad 3 Curve");
    EXPECT_EQ (panel.getBounds().getWidth(), 280);
    EXPECT_EQ (panel.getBounds().getHeight(), 211);
}

TEST (QControlView, KnobRowsFollowTheModeAndKeepTheirValues)
{
    QKnobControlReferenceData data;
    RecordingValueListener listener;
    QControlView panel (&data, "Knob 1", &listener);

    EXPECT_EQ (panel.getTitleLabel().getText(), "Knob 1");
    EXPECT_EQ (panel.getTitleLabel().getBounds(), juce::Rectangle<int> (97, 4, 150, 20));
    EXPECT_EQ (visibleRowNames (panel), juce::StringArray ("Mode", "MIDI Channel", "CC", "Min", "Max"));
    EXPECT_EQ (visibleRowYs (panel), juce::Array<int> (32, 58, 84, 110, 136));
    EXPECT_EQ (panel.getRowLabels()[4]->getBounds(), juce::Rectangle<int> (0, 136, 100, 20));
    EXPECT_EQ (panel.getWidget ("Max")->getBounds(), juce::Rectangle<int> (105, 136, 80, 20));
    EXPECT_EQ (dynamic_cast<juce::ComboBox*> (panel.getWidget ("Mode"))->getText(), "CC");

    panel.getParameterValue ("CC")->setValue (74);
    listener.reports.clear();

    chooseMode (panel, 2);
    EXPECT_EQ (visibleRowNames (panel), juce::StringArray ("Mode", "MIDI Channel", "Min", "Max"));
    EXPECT_EQ (panel.getWidget ("Max")->getY(), 110);
    EXPECT_FALSE (panel.getWidget ("CC")->isVisible());
    expectOnlyVisibleRowsShown (panel, data.getRowNames());
    EXPECT_EQ (listener.valuesReportedBy ("Knob 1 Mode"), (std::vector<double> { 1.0 }));
    EXPECT_EQ (listener.reports.size(), 1); // nothing else had to be reported

    chooseMode (panel, 1);
    EXPECT_TRUE (panel.getWidget ("CC")->isVisible());
    EXPECT_EQ (dynamic_cast<juce::TextEditor*> (panel.getWidget ("CC"))->getText(), "74");
    EXPECT_EQ (visibleRowYs (panel), juce::Array<int> (32, 58, 84, 110, 136));
}

TEST (QControlView, EveryPadModeShowsItsRowsAtTheFixedPlaces)
{
    QPadControlReferenceData data;
    RecordingValueListener listener;
    QControlView panel (&data, "Pad 1", &listener);

    for (int mode = 0; mode < data.getModeNames().size(); ++mode)
    {
        chooseMode (panel, mode + 1);
        const auto& modeName = data.getModeNames()[mode];

        EXPECT_EQ (visibleRowNames (panel), data.getRowsForMode (modeName)) << modeName;
        EXPECT_EQ (visibleRowYs (panel), juce::Array<int> (32, 58, 84, 110, 136)) << modeName;
        expectOnlyVisibleRowsShown (panel, data.getRowNames());
        EXPECT_EQ (panel.getRowLabels().size(), 5);
    }
}

TEST (QControlView, PanelsWithoutModesShowTheirDefaultRows)
{
    RecordingValueListener listener;

    QKeyboardControlReferenceData keybedData;
    QControlView keybed (&keybedData, "Keybed", &listener);
    EXPECT_EQ (keybed.getWidth(), 1000);
    EXPECT_EQ (keybed.getTitleLabel().getPosition(), juce::Point<int> (97, 4));
    EXPECT_EQ (visibleRowNames (keybed), juce::StringArray ("MIDI Channel", "Transpose", "Octave", "Curve"));
    EXPECT_EQ (dynamic_cast<juce::TextEditor*> (keybed.getWidget ("Transpose"))->getText(), "0");
    EXPECT_EQ (listener.valuesReportedBy ("Keybed Transpose"), (std::vector<double> { 12.0 }));
    EXPECT_EQ (dynamic_cast<juce::TextEditor*> (keybed.getWidget ("Curve"))->getText(), "1");
    EXPECT_EQ (keybed.getWidget ("Mode"), nullptr);

    QModWheelControlReferenceData modData;
    QControlView modWheel (&modData, "Mod Wheel", &listener);
    EXPECT_EQ (visibleRowNames (modWheel), juce::StringArray ("MIDI Channel", "CC", "Min", "Max"));

    // Rows a panel has no widget for are skipped without leaving a gap.
    modWheel.showRows ({ "Max", "Nothing", "CC" });
    EXPECT_EQ (visibleRowNames (modWheel), juce::StringArray ("Max", "CC"));
    EXPECT_EQ (visibleRowYs (modWheel), juce::Array<int> (32, 58));
}

TEST (QControlLayoutView, SectionsPageTheirPanelsFourToABank)
{
    RecordingValueListener listener;
    auto* data = new QPadControlReferenceData();
    juce::Array<juce::Component*> panels;

    for (int i = 1; i <= 8; ++i)
        panels.add (new QControlView (data, "Pad " + juce::String (i), &listener));

    QControlLayoutView section (panels, data);
    auto& bankView = section.getBankView();

    EXPECT_EQ (section.getBounds(), juce::Rectangle<int> (0, 0, 1200, 200));
    EXPECT_EQ (bankView.getBounds(), juce::Rectangle<int> (0, 0, 1200, 200));
    EXPECT_EQ (bankView.getNumBanks(), 2);
    EXPECT_EQ (bankView.getNextButton()->getBounds(), juce::Rectangle<int> (1170, 0, 17, 26));
    EXPECT_EQ (bankView.getPreviousButton()->getBounds(), juce::Rectangle<int> (10, 0, 17, 26));
    EXPECT_EQ (panels[3]->getX(), 880);
    EXPECT_EQ (panels[7]->getX(), 880);
}
