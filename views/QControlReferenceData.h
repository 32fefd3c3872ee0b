#pragma once

#include "preset/PresetLayout.h"

#include <juce_core/juce_core.h>
#include <map>
#include <utility>

/**
    What a control panel shows for one kind of control: its rows (one per parameter)
    with their shown ranges, defaults, display offsets and widget kinds, the kind's
    modes with the rows each one makes visible, and the panel's size.

    Built completely by a subclass constructor, read-only afterwards. Asking for a row
    or a mode that was never added throws std::out_of_range.
*/
class QControlReferenceData
{
public:
    /** One row of a panel; every field but displayOffset is in shown units. */
    struct ParameterRow
    {
        int minimum = 0;
        int maximum = 0;
        int defaultValue = 0;
        int displayOffset = 0; /**< shown value minus raw value */
        int widgetKind = 0;    /**< 0 = number box, 1 or 2 = Mode list */
    };

    /** Widget kinds of a row; 2 also stands for a Mode list, though no kind uses it. */
    enum WidgetKind
    {
        numberBox = 0,
        modeList = 1
    };

    /** True for the widget kinds edited as a Mode list. */
    static bool isModeList (int widgetKind) noexcept { return widgetKind == 1 || widgetKind == 2; }

    virtual ~QControlReferenceData() = 0;

    /** The width and height of the whole panel, in pixels. */
    virtual std::pair<int, int> getSize() const;

    /** Appends a row; a later row of the same name replaces the record but not the list entry. */
    void addRow (const juce::String& name, const ParameterRow& row);

    /** Appends a mode and the rows it shows, in display order. */
    void addMode (const juce::String& name, const juce::StringArray& visibleRows);

    /** All rows, in creation order. */
    const juce::StringArray& getRowNames() const noexcept { return rowNames; }

    /** All modes; the raw Mode value is an index into this list. */
    const juce::StringArray& getModeNames() const noexcept { return modeNames; }

    int getMinimum (const juce::String& rowName) const;
    int getMaximum (const juce::String& rowName) const;
    int getDefault (const juce::String& rowName) const;
    int getDisplayOffset (const juce::String& rowName) const;
    int getWidgetKind (const juce::String& rowName) const;

    /** The rows visible in a mode, in display order. */
    const juce::StringArray& getRowsForMode (const juce::String& modeName) const;

    /** The mode name of kinds that have no Mode parameter. */
    static constexpr const char* defaultModeName = "Default";

protected:
    QControlReferenceData() = default;

    /** Adds one row per parameter of a kind, in the layout's creation order, and the
        kind's modes (or "Default" when it has none) with the rows the layout shows in each.
    */
    void addRowsAndModesFromLayout (PresetLayout::ControlKind kind);

private:
    const ParameterRow& getRow (const juce::String& rowName) const;

    juce::StringArray rowNames;
    juce::StringArray modeNames;
    std::map<juce::String, ParameterRow> rows;
    std::map<juce::String, juce::StringArray> modes;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QControlReferenceData)
};

//==============================================================================
/** The keybed: channel, transpose, octave and curve; a 1000-pixel-wide panel. */
class QKeyboardControlReferenceData : public QControlReferenceData
{
public:
    QKeyboardControlReferenceData();
    ~QKeyboardControlReferenceData() override;

    std::pair<int, int> getSize() const override;
};

/** The pitch wheel: its channel only. */
class QPitchWheelControlReferenceData : public QControlReferenceData
{
public:
    QPitchWheelControlReferenceData();
    ~QPitchWheelControlReferenceData() override;
};

/** The mod wheel: channel, CC, minimum and maximum. */
class QModWheelControlReferenceData : public QControlReferenceData
{
public:
    QModWheelControlReferenceData();
    ~QModWheelControlReferenceData() override;
};

/** The sustain input: channel, CC, pressed and released values. */
class QSustainControlReferenceData : public QControlReferenceData
{
public:
    QSustainControlReferenceData();
    ~QSustainControlReferenceData() override;
};

/** A knob, in mode CC or Aftertouch. */
class QKnobControlReferenceData : public QControlReferenceData
{
public:
    QKnobControlReferenceData();
    ~QKnobControlReferenceData() override;
};

/** A drum pad, in mode Note, CC Toggle, CC Momentary or Program Change. */
class QPadControlReferenceData : public QControlReferenceData
{
public:
    QPadControlReferenceData();
    ~QPadControlReferenceData() override;
};

/** A switch, in mode CC Toggle, CC Momentary or Program Change. */
class QSwitchControlReferenceData : public QControlReferenceData
{
public:
    QSwitchControlReferenceData();
    ~QSwitchControlReferenceData() override;
};
