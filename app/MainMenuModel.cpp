#include "MainMenuModel.h"
#include "CommandIDs.h"
#include "app/platform/SystemMenuBar.h"

MainMenuModel::MainMenuModel (juce::ApplicationCommandManager* managerToWatch)
    : commandManager (managerToWatch)
{
    setApplicationCommandManagerToWatch (commandManager);
}

MainMenuModel::~MainMenuModel()
{
    setApplicationCommandManagerToWatch (nullptr);
}

juce::PopupMenu MainMenuModel::createApplicationMenuItems (juce::ApplicationCommandManager* commands)
{
    juce::PopupMenu menu;
    menu.addCommandItem (commands, CommandIDs::about);
    return menu;
}

juce::StringArray MainMenuModel::getMenuBarNames()
{
    return { "File", "Edit", "Options", "Window", "Help" };
}

juce::PopupMenu MainMenuModel::getMenuForIndex (int, const juce::String& menuName)
{
    juce::PopupMenu menu;

    if (menuName == "File")
    {
        addCommandItems (menu, { CommandIDs::newWindow, CommandIDs::open, CommandIDs::closeWindow,
                                 CommandIDs::save, CommandIDs::saveAs });

        juce::PopupMenu hardware;
        hardware.addCommandItem (commandManager, CommandIDs::getPreset);
        hardware.addCommandItem (commandManager, CommandIDs::sendPreset);
        hardware.addCommandItem (commandManager, CommandIDs::compareWithDevice);
        menu.addSubMenu ("Hardware", hardware, true);

        if (! SystemMenuBar::exists())
        {
            menu.addSeparator();
            menu.addCommandItem (commandManager, CommandIDs::quit);
        }
    }
    else if (menuName == "Edit")
    {
        addCommandItems (menu, { CommandIDs::undo, CommandIDs::redo });
        menu.addSeparator();
        addCommandItems (menu, { CommandIDs::copyControlSettings, CommandIDs::pasteControlSettings,
                                 CommandIDs::pasteToAllKnobs, CommandIDs::pasteToAllSwitches,
                                 CommandIDs::pasteToAllPads, CommandIDs::pasteToAllPadsCountingUp });
    }
    else if (menuName == "Options")
    {
        menu.addCommandItem (commandManager, CommandIDs::deviceSetup);
        menu.addCommandItem (commandManager, CommandIDs::followHardwareControls);
    }
    else if (menuName == "Window")
    {
        menu.addCommandItem (commandManager, CommandIDs::minimize);
        menu.addCommandItem (commandManager, CommandIDs::bringAllToFront);
        menu.addSeparator();
        menu.addCommandItem (commandManager, CommandIDs::midiMonitor);
    }
    else if (menuName == "Help")
    {
        menu.addCommandItem (commandManager, CommandIDs::openUserGuide);

        if (! SystemMenuBar::exists())
            menu.addCommandItem (commandManager, CommandIDs::about);
    }

    return menu;
}

void MainMenuModel::addCommandItems (juce::PopupMenu& menu, std::initializer_list<juce::CommandID> ids) const
{
    for (auto id : ids)
        menu.addCommandItem (commandManager, id);
}

void MainMenuModel::menuItemSelected (int, int)
{
}
