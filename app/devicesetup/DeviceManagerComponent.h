#pragma once

#include "DeviceListModel.h"
#include "views/CustomLook.h"

/**
    The content of the Device Setup dialog: the input and output device lists and
    the buttons "OK", "Apply" and "Cancel", which it reports to its window as the
    action messages "UpdateMIDIDevices" and "Close".
*/
class DeviceManagerComponent : public juce::Component,
                               public juce::Button::Listener,
                               public juce::ActionBroadcaster,
                               private juce::FocusChangeListener
{
public:
    /** Tells `window` about the buttons; the models (not owned) hold the rows of the lists. */
    DeviceManagerComponent (juce::ActionListener* window, DeviceListModel* inputModel, DeviceListModel* outputModel);
    ~DeviceManagerComponent() override;

    /** Appends a row to a list; the list shows it after refreshLists. */
    void addInputDevice (const juce::String& name);
    void addOutputDevice (const juce::String& name);

    /** Makes both lists re-read their models. */
    void refreshLists();

    /** Selects that row alone and scrolls it into view. */
    void selectInputRow (int row);
    void selectOutputRow (int row);

    /** The selected row, or -1. */
    int getSelectedInputRow() const;
    int getSelectedOutputRow() const;

    /** The messages sent to the window. */
    static const char* const updateDevicesMessage;
    static const char* const closeMessage;

    /** @internal */
    void paint (juce::Graphics& g) override;
    /** @internal */
    void paintOverChildren (juce::Graphics& g) override;
    /** @internal */
    void resized() override;
    /** @internal */
    bool keyPressed (const juce::KeyPress& key) override;
    /** @internal */
    void buttonClicked (juce::Button* button) override;

    /** Asks the window to close without applying anything, as "Cancel" does. */
    void cancel();

    /** The list or button that holds the keyboard focus, or null. */
    juce::Component* getFocusedChild() const;

    /** The colour of the frame around the list or button with the keyboard focus. */
    static constexpr juce::uint32 focusColour = 0xffff8c00;

private:
    juce::TextButton okButton { "OK" }, applyButton { "Apply" }, cancelButton { "Cancel" };
    juce::Image backgroundImage, listFrameImage;
    DeviceListModel* inputModel;
    DeviceListModel* outputModel;
    juce::ListBox inputList, outputList;
    CustomLook lookAndFeel;

    void globalFocusChanged (juce::Component* focused) override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeviceManagerComponent)
};
