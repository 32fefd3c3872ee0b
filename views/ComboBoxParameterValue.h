#pragma once

#include "ParameterValueListenerList.h"

#include <juce_gui_basics/juce_gui_basics.h>

/**
    A control's Mode as a drop-down list of its mode names: item ID = raw value + 1.

    It reports to its ParameterValue listeners only when its selection actually
    changes, by the user or by setValue.
*/
class ComboBoxParameterValue : public ParameterValue,
                               public juce::ComboBox,
                               public juce::ComboBox::Listener
{
public:
    /** The display offset is offsetArgument + 1, as item IDs start at 1. */
    ComboBoxParameterValue (const juce::String& name, double offsetArgument);
    ~ComboBoxParameterValue() override;

    /** Adds a listener unless it is null or already registered. */
    void addListener (ParameterValue::Listener* listener);

    /** Selects the item of that raw value; a value without an item leaves nothing selected. */
    void setValue (double rawValue) override;

    /** The selected raw value, -1 when nothing is selected. */
    double getValue() override;

    juce::String getName() override;
    void setName (const juce::String& newName) override;
    int getMinimum (bool raw) override;
    int getMaximum (bool raw) override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** Space opens the list, as Return does. */
    bool keyPressed (const juce::KeyPress& key) override;

    /** @internal */
    void comboBoxChanged (juce::ComboBox* list) override;

private:
    ParameterValueListenerList listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComboBoxParameterValue)
};

/** Builds the Mode list of a row with the given item texts (the mode names) and the parameter key.
    The caller owns the result.
*/
ComboBoxParameterValue* createComboBoxParameterValue (const juce::StringArray& itemTexts, const juce::String& name);
