#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    Shortcuts written as Linux desktops write them in menus: "Ctrl+M", "Ctrl+Shift+Z",
    where the framework writes "ctrl + M".
*/
struct ShortcutText
{
    /** The framework's description of an item's key presses ("ctrl + shift + Z, ctrl + Y")
        in desktop style ("Ctrl+Shift+Z, Ctrl+Y").
    */
    static juce::String fromDescription (const juce::String& description);

private:
    static juce::String fromKeyPress (const juce::String& keyPress);
};
