#include "DeviceManagerWindow.h"

const char* const DeviceManagerWindow::title = "Pelmar Q7X Editor Device Setup";

DeviceManagerWindow::DeviceManagerWindow (MidiManager* midiManager)
    : juce::ResizableWindow (title, true),
      content (this, &inputModel, &outputModel),
      selection (midiManager, &content)
{
    setUsingNativeTitleBar (true);
    setResizable (false, false);
    setContentNonOwned (&content, true);
    centreWithSize (getWidth(), getHeight());
    setAlwaysOnTop (false);
    toFront (true);
    setVisible (true);
}

DeviceManagerWindow::~DeviceManagerWindow()
{
    masterReference.clear();
    clearContentComponent();
}

void DeviceManagerWindow::actionListenerCallback (const juce::String& message)
{
    if (message == DeviceManagerComponent::updateDevicesMessage)
        selection.apply();
    else if (message == DeviceManagerComponent::closeMessage)
        delete this;
}
