#pragma once

#include "controller/PresetController.h"

/**
    A stand-in for a parameter widget: a raw value in a range, bound to a key.
    Like a number box it reports every set value; like a Mode list (reportsOnlyChanges)
    it reports only when the value changes. Values outside the range are refused.
*/
class FakeParameterValue : public ParameterValue
{
public:
    FakeParameterValue (const juce::String& key, int rawMin, int rawMax, bool reportsOnlyChanges = false)
        : ParameterValue (0.0), name (key), minimum (rawMin), maximum (rawMax), onlyChanges (reportsOnlyChanges)
    {
    }

    void setValue (double raw) override
    {
        if (raw < minimum || raw > maximum)
            return;

        const auto changed = raw != value;
        value = raw;

        if (changed || ! onlyChanges)
            for (auto* l : listeners)
                l->parameterValueChanged (this);
    }

    double getValue() override { return value; }
    juce::String getName() override { return name; }
    void setName (const juce::String& n) override { name = n; }
    int getMinimum (bool) override { return minimum; }
    int getMaximum (bool) override { return maximum; }

    void addListener (ParameterValue::Listener* l) { listeners.addIfNotAlreadyThere (l); }

private:
    juce::String name;
    int minimum, maximum;
    bool onlyChanges;
    double value = 0;
    juce::Array<ParameterValue::Listener*> listeners;
};

/** One fake widget for every key of the preset layout, bound to a controller the way
    the panels bind theirs: each reports its starting value once. */
class FakeEditor
{
public:
    explicit FakeEditor (PresetController& controller)
    {
        for (const auto& record : PresetLayout::createParameterOffsets())
        {
            const auto location = *PresetLayout::findParameter (record.key);
            const auto& info = location.getInfo();
            auto* value = values.add (new FakeParameterValue (record.key, info.rawMinimum, info.rawMaximum, info.isMode));
            value->addListener (&controller);
            controller.parameterValueChanged (value);
        }
    }

    FakeParameterValue* get (const juce::String& key) const
    {
        for (auto* v : values)
            if (v->getName() == key)
                return v;

        return nullptr;
    }

private:
    juce::OwnedArray<FakeParameterValue> values;
};
