#include "SystemMenuBar.h"

// A Windows menu bar belongs to its window: the document windows show them.
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
