#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    Where a new document window goes on a screen: in a cascade from the top left, scaled down
    as a whole when the screen is too small for it, and moved inside the work area where its
    cascade place would leave part of it off the screen.
*/
struct WindowPlacement
{
    /** The cascade has at least as many places as documents may be open (WindowManager). */
    static constexpr int minimumCascadePlaces = 5;

    /** Where the window of the counter-th document goes: (15, 60), (30, 75) ... and back to
        the top left when the window would leave the work area, after at least
        minimumCascadePlaces places; getPlacement moves a place that leaves the work area inside it.
    */
    static juce::Point<int> getCascadePosition (int counter, juce::Point<int> windowSize,
                                                juce::Rectangle<int> workArea);

    /** Where and how large a document window goes on a screen. */
    struct Placement
    {
        /** The drawing scale of the whole window: 1, or less when it would not fit otherwise. */
        float scale = 1.0f;

        /** The window's requested position, in its own scaled screen coordinates. */
        juce::Point<int> topLeft;
    };

    /** The place of the counter-th document's window, whose client area is `windowSize` and
        whose window-manager frame is `frame`: scaled down uniformly when the framed window is
        larger than the work area, then cascaded, and moved inside the work area when the
        cascade place would leave any part of it off the screen.
    */
    static Placement getPlacement (int counter, juce::Point<int> windowSize, juce::BorderSize<int> frame,
                                   juce::Rectangle<int> workArea);

    /** The largest scale of at most 1 at which a window of `windowSize` plus `frame` fits into
        `available`, chosen so that the window's size converts to screen pixels and back without
        losing a pixel.
    */
    static float getFittingScale (juce::Point<int> windowSize, juce::BorderSize<int> frame,
                                  juce::Point<int> available);
};
