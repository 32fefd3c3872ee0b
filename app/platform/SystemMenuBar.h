#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The menu bar the system itself shows for the application, where it has one (macOS's main menu
    bar): the editor's menus then live there, About and Quit in the application menu. Linux and
    Windows have none: every document window shows the menus as its own menu bar.
*/
namespace SystemMenuBar
{
/** True where the system shows the application's menus in a bar of its own. */
bool exists();

/** Puts `model`'s menus into the system's bar, with `applicationMenuItems` (not owned, must live
    until hide()) at the top of the application menu; nothing where there is no such bar.
*/
void show (juce::MenuBarModel* model, const juce::PopupMenu* applicationMenuItems);

/** Takes the menus out of the system's bar again. */
void hide();
} // namespace SystemMenuBar
