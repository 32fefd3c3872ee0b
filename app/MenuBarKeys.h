#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The keys that open a window's menu bar from the keyboard, as on the desktops: F10, or Alt
    pressed and released with nothing else in between. The window hands over its keys and
    modifier changes.
*/
class MenuBarKeys
{
public:
    explicit MenuBarKeys (juce::DocumentWindow& window);

    /** Opens the first menu of the window's menu bar; false without a menu bar. */
    bool openMenuBar();

    /** True for F10, which the window answers with openMenuBar(); any key ends an Alt alone. */
    bool isMenuKey (const juce::KeyPress& key);

    /** Opens the menu bar when Alt was released alone in the window in front. */
    void modifierKeysChanged (const juce::ModifierKeys& modifiers);

private:
    juce::DocumentWindow& window;
    bool altPressedAlone = false;

    JUCE_DECLARE_NON_COPYABLE (MenuBarKeys)
};
