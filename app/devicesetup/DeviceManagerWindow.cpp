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
    // The window passes the focus on to the first list, so that the keys work at once, and Tab
    // and Shift+Tab go round the lists and the buttons, in reading order.
    setWantsKeyboardFocus (false);
    setFocusContainerType (FocusContainerType::keyboardFocusContainer);
    toFront (true);
    setVisible (true);
}

DeviceManagerWindow::~DeviceManagerWindow()
{
    masterReference.clear();
    clearContentComponent();
}

bool DeviceManagerWindow::keyPressed (const juce::KeyPress& key)
{
    if (key != juce::KeyPress::escapeKey)
        return juce::ResizableWindow::keyPressed (key);

    content.cancel();
    return true;
}

void DeviceManagerWindow::activeWindowStatusChanged()
{
    juce::ResizableWindow::activeWindowStatusChanged();

    // The framework passes the focus on when the window system's focus arrives, unless a menu
    // that is closing still holds the keys at that moment: the window is then active with no
    // widget focused, and the keys would go nowhere until a click.
    if (isActiveWindow() && ! content.hasKeyboardFocus (true))
        content.grabKeyboardFocus();
}

void DeviceManagerWindow::actionListenerCallback (const juce::String& message)
{
    if (message == DeviceManagerComponent::updateDevicesMessage)
        selection.apply();
    else if (message == DeviceManagerComponent::closeMessage)
        delete this;
}
