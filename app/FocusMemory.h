#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    Remembers where the user put the keyboard focus in a window, and puts it back there when the
    window comes back to the front from a dialog, an alert or another window: not on the first
    widget of the section, where arrow keys meant for elsewhere would change a Mode.
*/
class FocusMemory : private juce::FocusChangeListener
{
public:
    explicit FocusMemory (juce::TopLevelWindow& window);
    ~FocusMemory() override;

    /** Call when the window became the active window. */
    void windowActivated();

private:
    juce::TopLevelWindow& window;
    juce::Component::SafePointer<juce::Component> lastFocus;

    void globalFocusChanged (juce::Component* focused) override;

    JUCE_DECLARE_NON_COPYABLE (FocusMemory)
};
