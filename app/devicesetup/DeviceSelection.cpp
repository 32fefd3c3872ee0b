#include "DeviceSelection.h"
#include "DeviceManagerComponent.h"

DeviceSelection::DeviceSelection (MidiManager* manager, DeviceManagerComponent* componentToFill)
    : component (componentToFill),
      midiManager (manager)
{
    auto& backend = midiManager->getBackend();
    outputNames = backend.getOutputDeviceNames();
    inputNames = backend.getInputDeviceNames();

    for (const auto& name : inputNames)
        component->addInputDevice (name);

    for (const auto& name : outputNames)
        component->addOutputDevice (name);

    component->refreshLists();

    // A later row of the same name wins, as each selection replaces the one before.
    for (int row = 0; row < inputNames.size(); ++row)
        if (inputNames[row] == midiManager->getInputDeviceName())
            component->selectInputRow (row);

    for (int row = 0; row < outputNames.size(); ++row)
        if (outputNames[row] == midiManager->getOutputDeviceName())
            component->selectOutputRow (row);
}

void DeviceSelection::apply()
{
    // StringArray gives an empty name for row -1.
    const auto inputName = inputNames[component->getSelectedInputRow()];
    const auto outputName = outputNames[component->getSelectedOutputRow()];

    midiManager->setOutputDevice (outputName);
    midiManager->setInputDevice (inputName);
}
