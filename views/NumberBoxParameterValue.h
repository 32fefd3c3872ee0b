#pragma once

#include "NumberBox.h"
#include "ParameterValueListenerList.h"

/**
    A number box bound to one parameter of the preset: it shows raw + displayOffset,
    reports every value it takes to its ParameterValue listeners, and carries the
    parameter key as its component name.
*/
class NumberBoxParameterValue : public ParameterValue,
                                public NumberBox,
                                public NumberBox::Listener
{
public:
    NumberBoxParameterValue (const juce::String& name, double displayOffset);
    ~NumberBoxParameterValue() override;

    /** Adds a listener unless it is null or already registered. */
    void addListener (ParameterValue::Listener* listener);

    void setValue (double rawValue) override;
    double getValue() override;
    juce::String getName() override;
    void setName (const juce::String& newName) override;
    int getMinimum (bool raw) override;
    int getMaximum (bool raw) override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** @internal */
    void numberBoxValueChanged (NumberBox* box) override;

private:
    ParameterValueListenerList listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NumberBoxParameterValue)
};

/** Builds the number box of a row: shown minimum, maximum and default, the row's display
    offset and the parameter key. The caller owns the result.
*/
NumberBoxParameterValue* createNumberBoxParameterValue (double minimum, double maximum, double defaultValue,
                                                        double displayOffset, const juce::String& name);
