#pragma once

#include "preset/ParameterValue.h"

#include <juce_core/juce_core.h>

/** The listeners of one parameter widget: no nulls, no duplicates, none owned; the most recently added is told first. */
class ParameterValueListenerList
{
public:
    /** Adds a listener unless it is null or already registered. */
    void add (ParameterValue::Listener* listener)
    {
        if (listener != nullptr)
            listeners.addIfNotAlreadyThere (listener);
    }

    /** Tells every listener that the value changed. */
    void valueChanged (ParameterValue* value) const
    {
        for (int i = listeners.size(); --i >= 0;)
            listeners.getUnchecked (i)->parameterValueChanged (value);
    }

private:
    juce::Array<ParameterValue::Listener*> listeners;
};
