#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The menu bar: File, Edit, Options, Window and Help, made of command items, so that
    their texts, shortcuts and enabled states come from the command manager.

    On macOS it is the main menu bar and About sits in the application menu.
    Elsewhere every document window shows it as its own menu bar, so the File menu
    ends with Quit and the Help menu with About.
*/
class MainMenuModel : public juce::MenuBarModel
{
public:
    /** Watches the command manager (not owned) so that the menus follow its commands. */
    explicit MainMenuModel (juce::ApplicationCommandManager* commandManager);
    ~MainMenuModel() override;

    /** The extra items of the macOS application menu: About. */
    static juce::PopupMenu createApplicationMenuItems (juce::ApplicationCommandManager* commandManager);

    /** @internal */
    juce::StringArray getMenuBarNames() override;
    /** @internal */
    juce::PopupMenu getMenuForIndex (int topLevelMenuIndex, const juce::String& menuName) override;
    /** @internal */
    void menuItemSelected (int menuItemID, int topLevelMenuIndex) override;

private:
    void addCommandItems (juce::PopupMenu& menu, std::initializer_list<juce::CommandID> ids) const;

    juce::ApplicationCommandManager* commandManager;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainMenuModel)
};
