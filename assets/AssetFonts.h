#pragma once

#include <juce_graphics/juce_graphics.h>

/** The typeface compiled into the editor. */
namespace AssetFonts
{
/** Roboto Condensed: narrow letters drawn as such, for names that need less width than
    the editor's own font gives them. Made once, on first use.
*/
juce::Typeface::Ptr getCondensedTypeface();
}
