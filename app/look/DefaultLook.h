#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The look of everything the editor's CustomLook does not draw (the menu bar and its menus,
    alert boxes, the framework's file chooser): the framework's own look in the editor's light
    colours, with menu shortcuts written as Linux desktops write them ("Ctrl+S"). The application
    makes it the default look before its first window and takes it back after its last.
*/
class DefaultLook : public juce::LookAndFeel_V4
{
public:
    DefaultLook();
    ~DefaultLook() override;

    /** Draws the item as the framework does, its shortcut text in desktop style. The framework
        writes that text into a menu's items only as it shows them, so this is the one place
        where it can be rewritten.
    */
    void drawPopupMenuItemWithOptions (juce::Graphics&, const juce::Rectangle<int>& area, bool isHighlighted,
                                       const juce::PopupMenu::Item&, const juce::PopupMenu::Options&) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DefaultLook)
};
