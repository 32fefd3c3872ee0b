#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The application icon on the editor's top-level windows, so that title bars and task
    switchers show the same picture as the desktop's application menu.
*/
namespace WindowIcon
{
/** The icon picture (128 x 128), decoded once per run through the image cache. */
juce::Image get();

/** Gives the window's native window the icon; does nothing before the window is on
    the desktop. Call it again after anything that re-creates the native window.
*/
void applyTo (juce::Component& window);
}
