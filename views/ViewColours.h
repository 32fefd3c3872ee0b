#pragma once

#include <juce_graphics/juce_graphics.h>

/** The colours the editor views draw with. */
namespace ViewColours
{
/** Menus, number and list texts. */
const juce::Colour accentBlue { 0xff117fc6 };

/** The pressed state of a button. */
const juce::Colour pressedGrey { 0xffd3d3d3 };

/** A button at rest. */
const juce::Colour restingGrey { 0xfff5f5f5 };
}
