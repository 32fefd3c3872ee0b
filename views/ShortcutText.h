#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    Shortcuts written as Linux desktops write them in menus: "Ctrl+M", "Ctrl+Shift+Z",
    where the framework writes "ctrl + M". Menus and tooltips both take them from here, so
    that a key reads the same everywhere.
*/
struct ShortcutText
{
    /** The framework's description of an item's key presses ("ctrl + shift + Z, ctrl + Y")
        in desktop style ("Ctrl+Shift+Z, Ctrl+Y").
    */
    static juce::String fromDescription (const juce::String& description);

    /** One key press in desktop style: "Ctrl+2". */
    static juce::String of (const juce::KeyPress& key);

private:
    static juce::String fromKeyPress (const juce::String& keyPress);
};
