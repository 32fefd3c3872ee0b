#pragma once

#include "DeviceManagerComponent.h"
#include "DeviceSelection.h"

/**
    The Device Setup dialog. It reads the device lists once when it opens, applies
    the selected devices on "OK" or "Apply", and destroys itself on "OK" or "Cancel";
    the window manager sees it only through a weak reference.
*/
class DeviceManagerWindow : public juce::ResizableWindow,
                            public juce::ActionListener
{
public:
    /** Builds the dialog for the manager's devices, centres it and shows it in front. */
    explicit DeviceManagerWindow (MidiManager* midiManager);
    ~DeviceManagerWindow() override;

    /** The window's title. */
    static const char* const title;

    /** Escape cancels the dialog. */
    bool keyPressed (const juce::KeyPress& key) override;

    /** @internal */
    void activeWindowStatusChanged() override;
    /** @internal */
    void actionListenerCallback (const juce::String& message) override;

private:
    DeviceListModel inputModel, outputModel;
    DeviceManagerComponent content;
    DeviceSelection selection;

    JUCE_DECLARE_WEAK_REFERENCEABLE (DeviceManagerWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeviceManagerWindow)
};
