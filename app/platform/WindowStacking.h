#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Keeping a dialog window above the window it was opened from. */
namespace WindowStacking
{
/** Asks the window system to keep `dialog` above `owner` for as long as both are on the
    desktop, the way it keeps a dialog above its main window, without making it stay above
    every other window. Both must be on the desktop; nothing happens otherwise.
*/
void keepAbove (juce::Component& dialog, const juce::Component& owner);
}
