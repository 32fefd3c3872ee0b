#include "QControlReferenceData.h"

#include <stdexcept>

namespace
{
using namespace PresetLayout;

QControlReferenceData::ParameterRow makeRow (const ParameterInfo& info)
{
    // A Mode list takes its range from its items, so the numeric fields are unused.
    if (info.isMode)
        return { 0, 127, 0, 0, QControlReferenceData::modeList };

    return { info.rawMinimum + info.displayOffset,
             info.rawMaximum + info.displayOffset,
             info.rawDefault + info.displayOffset,
             info.displayOffset,
             QControlReferenceData::numberBox };
}
} // namespace

//==============================================================================
QControlReferenceData::~QControlReferenceData() = default;

std::pair<int, int> QControlReferenceData::getSize() const
{
    return { 280, 211 };
}

void QControlReferenceData::addRow (const juce::String& name, const ParameterRow& parameterRow)
{
    rowNames.add (name);
    rows[name] = parameterRow;
}

void QControlReferenceData::addMode (const juce::String& name, const juce::StringArray& visibleRows)
{
    modeNames.add (name);
    modes[name] = visibleRows;
}

const QControlReferenceData::ParameterRow& QControlReferenceData::getRow (const juce::String& rowName) const
{
    const auto found = rows.find (rowName);

    if (found == rows.end())
        throw std::out_of_range ("no row named " + rowName.toStdString());

    return found->second;
}

int QControlReferenceData::getMinimum (const juce::String& rowName) const { return getRow (rowName).minimum; }
int QControlReferenceData::getMaximum (const juce::String& rowName) const { return getRow (rowName).maximum; }
int QControlReferenceData::getDefault (const juce::String& rowName) const { return getRow (rowName).defaultValue; }
int QControlReferenceData::getDisplayOffset (const juce::String& rowName) const { return getRow (rowName).displayOffset; }
int QControlReferenceData::getWidgetKind (const juce::String& rowName) const { return getRow (rowName).widgetKind; }

const juce::StringArray& QControlReferenceData::getRowsForMode (const juce::String& modeName) const
{
    const auto found = modes.find (modeName);

    if (found == modes.end())
        throw std::out_of_range ("no mode named " + modeName.toStdString());

    return found->second;
}

void QControlReferenceData::addRowsAndModesFromLayout (ControlKind kind)
{
    const auto& info = getKindInfo (kind);

    for (auto index : info.creationOrder)
    {
        const auto& parameter = info.parameters.at ((size_t) index);
        addRow (parameter.name, makeRow (parameter));
    }

    const auto names = info.modeNames.isEmpty() ? juce::StringArray (defaultModeName) : info.modeNames;

    for (int mode = 0; mode < info.getModeCount(); ++mode)
    {
        juce::StringArray visibleNames;

        for (auto index : info.rowsByMode[(size_t) mode])
            visibleNames.add (info.parameters.at ((size_t) index).name);

        addMode (names[mode], visibleNames);
    }
}

//==============================================================================
QKeyboardControlReferenceData::QKeyboardControlReferenceData()
{
    addRowsAndModesFromLayout (ControlKind::Keybed);
}

QKeyboardControlReferenceData::~QKeyboardControlReferenceData() = default;

std::pair<int, int> QKeyboardControlReferenceData::getSize() const
{
    return { 1000, 211 };
}

QPitchWheelControlReferenceData::QPitchWheelControlReferenceData()
{
    addRowsAndModesFromLayout (ControlKind::PitchWheel);
}

QPitchWheelControlReferenceData::~QPitchWheelControlReferenceData() = default;

QModWheelControlReferenceData::QModWheelControlReferenceData()
{
    addRowsAndModesFromLayout (ControlKind::ModWheel);
}

QModWheelControlReferenceData::~QModWheelControlReferenceData() = default;

QSustainControlReferenceData::QSustainControlReferenceData()
{
    addRowsAndModesFromLayout (ControlKind::Sustain);
}

QSustainControlReferenceData::~QSustainControlReferenceData() = default;

QKnobControlReferenceData::QKnobControlReferenceData()
{
    addRowsAndModesFromLayout (ControlKind::Knob);
}

QKnobControlReferenceData::~QKnobControlReferenceData() = default;

QPadControlReferenceData::QPadControlReferenceData()
{
    addRowsAndModesFromLayout (ControlKind::Pad);
}

QPadControlReferenceData::~QPadControlReferenceData() = default;

QSwitchControlReferenceData::QSwitchControlReferenceData()
{
    addRowsAndModesFromLayout (ControlKind::Switch);
}

QSwitchControlReferenceData::~QSwitchControlReferenceData() = default;
