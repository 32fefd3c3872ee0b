#include "PresetChanges.h"

void PresetChanges::addListener (Listener* listener)
{
    listeners.addIfNotAlreadyThere (listener);
}

void PresetChanges::removeListener (Listener* listener)
{
    listeners.removeFirstMatchingValue (listener);
}

void PresetChanges::edited (const juce::String& key)
{
    tellListeners ([&] (Listener& l) { l.presetEdited (key); });
}

void PresetChanges::replace (const juce::String& stepName, const std::function<void()>& apply)
{
    tellListeners ([] (Listener& l) { l.presetAboutToBeReplaced(); });
    apply();
    tellListeners ([&] (Listener& l) { l.presetReplaced (stepName); });
}
