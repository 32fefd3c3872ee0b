#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The window background as every editor draws it: the art stretched to 1200 x 750, so that its
    blue band starts just above the tab strip, in physical pixels at the scale it is drawn at.

    Stretching costs more than all the rest of a frame, so it is done once per scale and shared
    through the image cache while any editor shows it. The first one is stretched on the image
    decoder's thread while the editor is being built; another scale, by the first paint that needs it.
*/
class StretchedBackground
{
public:
    /** Starts the stretch for the scale the first frame will most likely be drawn at. */
    StretchedBackground();

    /** Draws the background over the editor's 1200 x 700, stretched anew only at a new scale. */
    void draw (juce::Graphics& g);

    /** The background in physical pixels at a scale: the one already made while anyone holds it. */
    static juce::Image getForScale (float physicalScale);

private:
    /** The main display's scale. */
    static float getLikelyPhysicalScale();

    float scale;
    juce::Image image;
};
