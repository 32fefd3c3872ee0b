#include "SystemMenuBar.h"

// Built only on macOS (see docs/macos.md), where the main menu bar holds the application's menus.
namespace SystemMenuBar
{
bool exists()
{
    return true;
}

void show (juce::MenuBarModel* model, const juce::PopupMenu* applicationMenuItems)
{
    juce::MenuBarModel::setMacMainMenu (model, applicationMenuItems);
}

void hide()
{
    juce::MenuBarModel::setMacMainMenu (nullptr);
}
} // namespace SystemMenuBar
