#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    Shortcuts written as Linux desktops write them in menus: "Ctrl+M", "Shift+Ctrl+Z",
    where the framework writes "ctrl + M".
*/
struct ShortcutText
{
    /** The framework's description of a key press ("ctrl + shift + M") in desktop style. */
    static juce::String fromDescription (const juce::String& description);

    /** Rewrites the shortcut text of every item of `menu` and its sub-menus. */
    static void applyTo (juce::PopupMenu& menu);
};
