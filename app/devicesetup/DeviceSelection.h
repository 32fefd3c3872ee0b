#pragma once

#include "midi/MidiManager.h"

class DeviceManagerComponent;

/**
    Links the Device Setup lists to the MIDI manager: fills them with the device
    names as they are when the dialog opens, selects the devices chosen now, and
    hands the selected names to the manager when applied.
*/
class DeviceSelection
{
public:
    /** Reads the device lists, fills the component's lists and selects the current devices. */
    DeviceSelection (MidiManager* midiManager, DeviceManagerComponent* component);

    /** Chooses the selected output, then the selected input; no selection gives an empty name. */
    void apply();

private:
    DeviceManagerComponent* component;
    juce::StringArray inputNames, outputNames;
    MidiManager* midiManager;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeviceSelection)
};
