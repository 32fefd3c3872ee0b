#pragma once

#include <juce_graphics/juce_graphics.h>

/** The editor's embedded images, reached by their catalogue names. */
namespace AssetImages
{
    /** Returns the image named e.g. "editorBackground", or an invalid image if no embedded
        image has that name. Its size is known at once; its pixels are decoded on a background
        thread, or when first drawn if that comes sooner, once for all the editors that use it.
    */
    juce::Image get (const char* catalogueName);
}
