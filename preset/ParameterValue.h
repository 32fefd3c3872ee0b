#pragma once

#include <juce_core/juce_core.h>

/**
    One editable value of a preset as the PresetController sees it: a widget that
    knows its parameter key (its name), converts between the raw value held in the
    preset image and the value it shows, and reports changes to its listeners.
*/
class ParameterValue
{
public:
    /** Told after a value has changed. */
    class Listener
    {
    public:
        /** Called with the value that changed. */
        virtual void parameterValueChanged (ParameterValue* value) = 0;

        virtual ~Listener() = default;
    };

    explicit ParameterValue (double offset) : displayOffset (offset) {}
    virtual ~ParameterValue() = default;

    /** Sets the raw value. */
    virtual void setValue (double rawValue) = 0;

    /** Returns the raw value. */
    virtual double getValue() = 0;

    /** Returns the parameter key, e.g. "Knob 2 CC". */
    virtual juce::String getName() = 0;

    /** Sets the parameter key. */
    virtual void setName (const juce::String& newName) = 0;

    /** The smallest accepted value, raw or as shown. */
    virtual int getMinimum (bool raw) = 0;

    /** The largest accepted value, raw or as shown. */
    virtual int getMaximum (bool raw) = 0;

    /** Shown value minus raw value. */
    double displayOffset;
};
