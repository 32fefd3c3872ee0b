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
            listeners.add (listener);
    }

    /** Tells every listener that the value changed. */
    void valueChanged (ParameterValue* value)
    {
        // Nothing is ever removed, so the member-function form's plain walk suffices (the
        // lambda form's bookkeeping for removals also trips GCC 12's dangling-pointer warning).
        listeners.call (&ParameterValue::Listener::parameterValueChanged, value);
    }

private:
    juce::ListenerList<ParameterValue::Listener> listeners;
};
