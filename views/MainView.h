#pragma once

#include "CustomLook.h"

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The Main section: the four preset buttons ("Load From MIDI", "Save To MIDI",
    "Load From HD", "Save To HD"), whose clicks go straight to the listener given,
    the document's PresetController, which dispatches on the button names.
    The keyboard reaches them too: Tab stops on each, Space or Return clicks it.
*/
class MainView : public juce::Component
{
public:
    /** Builds the four buttons and registers listener with each. */
    explicit MainView (juce::Button::Listener* listener);
    ~MainView() override;

    /** The buttons, in order. */
    const juce::OwnedArray<juce::ImageButton>& getPresetButtons() const noexcept { return presetButtons; }

private:
    CustomLook look; // for the focus outline of the buttons
    juce::OwnedArray<juce::ImageButton> presetButtons;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainView)
};
