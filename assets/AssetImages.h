#pragma once

#include <juce_graphics/juce_graphics.h>

/** The editor's embedded images, reached by their catalogue names. */
namespace AssetImages
{
    /** Returns the image named e.g. "editorBackground", decoded once per run through
        the image cache; an invalid image if no embedded image has that name.
    */
    juce::Image get (const char* catalogueName);
}
