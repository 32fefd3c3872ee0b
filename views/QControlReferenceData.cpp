#include "QControlReferenceData.h"

#include <stdexcept>

namespace
{
using namespace PresetLayout;

template <typename ParameterEnum>
constexpr int row (ParameterEnum parameter) noexcept
{
    return static_cast<int> (parameter);
}

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

int QControlReferenceData::getMinimum (const juce::String& rowName) const        { return getRow (rowName).minimum; }
int QControlReferenceData::getMaximum (const juce::String& rowName) const        { return getRow (rowName).maximum; }
int QControlReferenceData::getDefault (const juce::String& rowName) const        { return getRow (rowName).defaultValue; }
int QControlReferenceData::getDisplayOffset (const juce::String& rowName) const  { return getRow (rowName).displayOffset; }
int QControlReferenceData::getWidgetKind (const juce::String& rowName) const     { return getRow (rowName).widgetKind; }

const juce::StringArray& QControlReferenceData::getRowsForMode (const juce::String& modeName) const
{
    const auto found = modes.find (modeName);

    if (found == modes.end())
        throw std::out_of_range ("no mode named " + modeName.toStdString());

    return found->second;
}

void QControlReferenceData::addRowsAndModesFromLayout (ControlKind kind,
                                                       std::initializer_list<std::initializer_list<int>> visibleRowsByMode)
{
    const auto& info = getKindInfo (kind);

    for (auto index : info.creationOrder)
    {
        const auto& parameter = info.parameters.at ((size_t) index);
        addRow (parameter.name, makeRow (parameter));
    }

    const auto names = info.modeNames.isEmpty() ? juce::StringArray (defaultModeName) : info.modeNames;

    if ((int) visibleRowsByMode.size() != names.size())
        throw std::logic_error ("visible rows must be given for every mode of " + std::string (info.name));

    auto modeIndex = 0;

    for (const auto& visible : visibleRowsByMode)
    {
        juce::StringArray visibleNames;

        for (auto index : visible)
            visibleNames.add (info.parameters.at ((size_t) index).name);

        addMode (names[modeIndex++], visibleNames);
    }
}

//==============================================================================
QKeyboardControlReferenceData::QKeyboardControlReferenceData()
{
    using P = KeybedParameter;
    addRowsAndModesFromLayout (ControlKind::Keybed,
                               { { row (P::midiChannel), row (P::transpose), row (P::octave), row (P::curve) } });
}

QKeyboardControlReferenceData::~QKeyboardControlReferenceData() = default;

std::pair<int, int> QKeyboardControlReferenceData::getSize() const
{
    return { 1000, 211 };
}

QPitchWheelControlReferenceData::QPitchWheelControlReferenceData()
{
    addRowsAndModesFromLayout (ControlKind::PitchWheel, { { row (PitchWheelParameter::midiChannel) } });
}

QPitchWheelControlReferenceData::~QPitchWheelControlReferenceData() = default;

QModWheelControlReferenceData::QModWheelControlReferenceData()
{
    using P = ModWheelParameter;
    addRowsAndModesFromLayout (ControlKind::ModWheel,
                               { { row (P::midiChannel), row (P::cc), row (P::min), row (P::max) } });
}

QModWheelControlReferenceData::~QModWheelControlReferenceData() = default;

QSustainControlReferenceData::QSustainControlReferenceData()
{
    using P = SustainParameter;
    addRowsAndModesFromLayout (ControlKind::Sustain,
                               { { row (P::midiChannel), row (P::cc), row (P::pressed), row (P::released) } });
}

QSustainControlReferenceData::~QSustainControlReferenceData() = default;

QKnobControlReferenceData::QKnobControlReferenceData()
{
    using P = KnobParameter;
    addRowsAndModesFromLayout (ControlKind::Knob,
                               { { row (P::mode), row (P::midiChannel), row (P::cc), row (P::min), row (P::max) },   // CC
                                 { row (P::mode), row (P::midiChannel), row (P::min), row (P::max) } });             // Aftertouch
}

QKnobControlReferenceData::~QKnobControlReferenceData() = default;

QPadControlReferenceData::QPadControlReferenceData()
{
    using P = PadParameter;
    addRowsAndModesFromLayout (ControlKind::Pad,
                               { { row (P::mode), row (P::midiChannel), row (P::note), row (P::fixed), row (P::curve) },           // Note
                                 { row (P::mode), row (P::midiChannel), row (P::cc), row (P::toggleOn), row (P::toggleOff) },      // CC Toggle
                                 { row (P::mode), row (P::midiChannel), row (P::cc), row (P::pressed), row (P::released) },        // CC Momentary
                                 { row (P::mode), row (P::midiChannel), row (P::bankLsb), row (P::bankMsb), row (P::program) } }); // Program Change
}

QPadControlReferenceData::~QPadControlReferenceData() = default;

QSwitchControlReferenceData::QSwitchControlReferenceData()
{
    using P = SwitchParameter;
    addRowsAndModesFromLayout (ControlKind::Switch,
                               { { row (P::mode), row (P::midiChannel), row (P::cc), row (P::toggleOn), row (P::toggleOff) },      // CC Toggle
                                 { row (P::mode), row (P::midiChannel), row (P::cc), row (P::pressed), row (P::released) },        // CC Momentary
                                 { row (P::mode), row (P::midiChannel), row (P::bankLsb), row (P::bankMsb), row (P::program) } }); // Program Change
}

QSwitchControlReferenceData::~QSwitchControlReferenceData() = default;
