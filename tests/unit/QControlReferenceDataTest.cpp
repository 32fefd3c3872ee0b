#include "views/QControlReferenceData.h"

#include <gtest/gtest.h>
#include <map>

using namespace PresetLayout;

namespace
{
std::unique_ptr<QControlReferenceData> createData (ControlKind kind)
{
    switch (kind)
    {
        case ControlKind::Keybed: return std::make_unique<QKeyboardControlReferenceData>();
        case ControlKind::PitchWheel: return std::make_unique<QPitchWheelControlReferenceData>();
        case ControlKind::ModWheel: return std::make_unique<QModWheelControlReferenceData>();
        case ControlKind::Sustain: return std::make_unique<QSustainControlReferenceData>();
        case ControlKind::Knob: return std::make_unique<QKnobControlReferenceData>();
        case ControlKind::Pad: return std::make_unique<QPadControlReferenceData>();
        case ControlKind::Switch: return std::make_unique<QSwitchControlReferenceData>();
    }

    return {};
}

/** The modes of each kind in raw order, and the rows each one shows in display order. */
const std::map<ControlKind, std::vector<std::pair<juce::String, juce::StringArray>>> shownRows {
    { ControlKind::Keybed, { { "Default", { "MIDI Channel", "Transpose", "Octave", "Curve" } } } },
    { ControlKind::PitchWheel, { { "Default", { "MIDI Channel" } } } },
    { ControlKind::ModWheel, { { "Default", { "MIDI Channel", "CC", "Min", "Max" } } } },
    { ControlKind::Sustain, { { "Default", { "MIDI Channel", "CC", "Pressed", "Released" } } } },
    { ControlKind::Knob, { { "CC", { "Mode", "MIDI Channel", "CC", "Min", "Max" } }, { "Aftertouch", { "Mode", "MIDI Channel", "Min", "Max" } } } },
    { ControlKind::Pad, { { "Note", { "Mode", "MIDI Channel", "Note", "Fixed", "Curve" } }, { "CC Toggle", { "Mode", "MIDI Channel", "CC", "Toggle On", "Toggle Off" } }, { "CC Momentary", { "Mode", "MIDI Channel", "CC", "Pressed", "Released" } }, { "Program Change", { "Mode", "MIDI Channel", "Bank LSB", "Bank MSB", "Program" } } } },
    { ControlKind::Switch, { { "CC Toggle", { "Mode", "MIDI Channel", "CC", "Toggle On", "Toggle Off" } }, { "CC Momentary", { "Mode", "MIDI Channel", "CC", "Pressed", "Released" } }, { "Program Change", { "Mode", "MIDI Channel", "Bank LSB", "Bank MSB", "Program" } } } },
};
} // namespace

TEST (QControlReferenceData, RowsFollowTheLayoutInCreationOrderWithItsRawRanges)
{
    for (int k = 0; k < numControlKinds; ++k)
    {
        const auto& info = getKindInfo (k);
        const auto data = createData (info.kind);

        ASSERT_EQ (data->getRowNames().size(), (int) info.creationOrder.size()) << info.name;

        for (int i = 0; i < data->getRowNames().size(); ++i)
        {
            const auto& row = data->getRowNames()[i];
            const auto& parameter = info.parameters[(size_t) info.creationOrder[(size_t) i]];
            SCOPED_TRACE (juce::String (info.name) + " " + row);

            EXPECT_EQ (row, juce::String (parameter.name));

            if (parameter.isMode)
            {
                EXPECT_EQ (data->getWidgetKind (row), 1);
                EXPECT_EQ (data->getMinimum (row), 0);
                EXPECT_EQ (data->getMaximum (row), 127);
                EXPECT_EQ (data->getDefault (row), 0);
                EXPECT_EQ (data->getDisplayOffset (row), 0);
                continue;
            }

            EXPECT_EQ (data->getWidgetKind (row), 0);
            EXPECT_EQ (data->getMinimum (row) - data->getDisplayOffset (row), parameter.rawMinimum);
            EXPECT_EQ (data->getMaximum (row) - data->getDisplayOffset (row), parameter.rawMaximum);
            EXPECT_EQ (data->getDefault (row) - data->getDisplayOffset (row), parameter.rawDefault);
        }
    }
}

TEST (QControlReferenceData, EachModeShowsExactlyTheParametersItUses)
{
    for (int k = 0; k < numControlKinds; ++k)
    {
        const auto& info = getKindInfo (k);
        const auto data = createData (info.kind);
        const auto& expected = shownRows.at (info.kind);

        juce::StringArray expectedModeNames;
        for (const auto& [mode, rows] : expected)
            expectedModeNames.add (mode);

        EXPECT_EQ (data->getModeNames(), expectedModeNames) << info.name;

        if (info.modeNames.isEmpty())
        {
            for (const auto& row : data->getRowNames())
                EXPECT_EQ (data->getWidgetKind (row), 0) << info.name;
        }
        else
        {
            EXPECT_EQ (info.modeNames, expectedModeNames) << info.name;
        }

        for (int mode = 0; mode < (int) expected.size(); ++mode)
        {
            const auto& [modeName, rows] = expected[(size_t) mode];
            SCOPED_TRACE (juce::String (info.name) + " mode " + modeName);

            EXPECT_EQ (data->getRowsForMode (modeName), rows);

            // What the preset model counts as used in the mode (for its checks and exports) is what is shown.
            juce::StringArray used;

            for (const auto& parameter : info.parameters)
                if ((parameter.usedInModes & (1u << mode)) != 0)
                    used.add (parameter.name);

            auto sortedRows = rows;
            sortedRows.sort (false);
            used.sort (false);
            EXPECT_EQ (used, sortedRows);
        }
    }
}

TEST (QControlReferenceData, DisplayOrderDiffersFromCreationOrderWhereItShould)
{
    QModWheelControlReferenceData modWheel;
    EXPECT_EQ (modWheel.getRowNames(), juce::StringArray ("CC", "Min", "Max", "MIDI Channel"));
    EXPECT_EQ (modWheel.getRowsForMode ("Default"), juce::StringArray ("MIDI Channel", "CC", "Min", "Max"));

    QSustainControlReferenceData sustain;
    EXPECT_EQ (sustain.getRowNames(), juce::StringArray ("CC", "Pressed", "Released", "MIDI Channel"));
    EXPECT_EQ (sustain.getRowsForMode ("Default"), juce::StringArray ("MIDI Channel", "CC", "Pressed", "Released"));

    QPadControlReferenceData pad;
    EXPECT_EQ (pad.getRowsForMode ("Note"), juce::StringArray ("Mode", "MIDI Channel", "Note", "Fixed", "Curve"));
    EXPECT_EQ (pad.getRowsForMode ("Program Change"),
               juce::StringArray ("Mode", "MIDI Channel", "Bank LSB", "Bank MSB", "Program"));

    QKnobControlReferenceData knob;
    EXPECT_EQ (knob.getRowsForMode ("Aftertouch"), juce::StringArray ("Mode", "MIDI Channel", "Min", "Max"));
}

TEST (QControlReferenceData, ShownValuesOfANewKeybedAndPanelSizes)
{
    QKeyboardControlReferenceData keybed;
    EXPECT_EQ (keybed.getDefault ("Transpose"), 0);
    EXPECT_EQ (keybed.getMinimum ("Transpose"), -12);
    EXPECT_EQ (keybed.getDefault ("Curve"), 1);
    EXPECT_EQ (keybed.getDefault ("MIDI Channel"), 1);
    EXPECT_EQ (keybed.getSize(), std::make_pair (1000, 211));

    for (int k = 1; k < numControlKinds; ++k)
        EXPECT_EQ (createData (getKindInfo (k).kind)->getSize(), std::make_pair (280, 211));
}

TEST (QControlReferenceData, UnknownRowsAndModesThrow)
{
    QKnobControlReferenceData knob;
    EXPECT_THROW (knob.getRowsForMode ("Note"), std::out_of_range);
    EXPECT_THROW (knob.getRowsForMode ("Default"), std::out_of_range);
    EXPECT_THROW (knob.getMinimum ("Curve"), std::out_of_range);
    EXPECT_THROW (knob.getWidgetKind ("cc"), std::out_of_range); // names are case-sensitive
}
