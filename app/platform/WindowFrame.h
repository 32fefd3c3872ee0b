#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    How the window system frames a document window, for placing one before it is shown.

    X window managers put a window's frame at the position asked for, Windows its content; and a
    window not shown yet has no frame to measure.
*/
namespace WindowFrame
{
/** The frame a document window gets from the window system, in screen pixels: used until a
    window has been framed and can say. */
juce::BorderSize<int> getTypicalFrame();

/** How far from the frame's corner the window system puts a window asked to be at that corner,
    in screen pixels: nothing on X, the frame's left and top width on Windows. */
juce::Point<int> getPositionOffset (juce::BorderSize<int> frame);
} // namespace WindowFrame
