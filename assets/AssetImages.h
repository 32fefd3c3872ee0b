#pragma once

#include <juce_graphics/juce_graphics.h>

/** The editor's embedded images, reached by their catalogue names. Each one also exists
    rendered at twice its size, which is what a screen with two or more physical pixels
    per point is given, so the art stays sharp there.
*/
namespace AssetImages
{
/** Returns the image named e.g. "editorBackground", or an invalid image if no embedded
    image has that name. Its size is known at once; its pixels are decoded on a background
    thread, or when first drawn if that comes sooner, once for all the editors that use it.
*/
juce::Image get (const char* catalogueName);

/** The same picture as get(), rendered at twice the width and height; invalid when
    there is no such rendering.
*/
juce::Image getDoubleSize (const char* catalogueName);

/** For an image that came from get(): the rendering to use where one unit of the
    layout covers `physicalPixelsPerUnit` screen pixels. Above one pixel per unit that
    is the double-size rendering; otherwise, and for any other image, the image itself.
*/
juce::Image forPixelScale (const juce::Image& image, float physicalPixelsPerUnit);

/** Draws `image` (from get()) stretched over `area`, from the rendering that suits
    the pixel density `g` is drawing at.
*/
void draw (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> area);
}
