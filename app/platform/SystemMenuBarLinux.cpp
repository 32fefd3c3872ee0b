#include "SystemMenuBar.h"

// The framework puts no application menus into an X desktop's panel: the windows show them.
namespace SystemMenuBar
{
bool exists()
{
    return false;
}

void show (juce::MenuBarModel*, const juce::PopupMenu*)
{
}

void hide()
{
}
} // namespace SystemMenuBar
