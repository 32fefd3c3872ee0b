#include "WindowFrame.h"

namespace WindowFrame
{
// A title bar and a thin border, as most window managers draw them.
juce::BorderSize<int> getTypicalFrame()
{
    return { 30, 2, 2, 2 };
}

// The window manager moves the content in by the frame itself.
juce::Point<int> getPositionOffset (juce::BorderSize<int>)
{
    return {};
}
} // namespace WindowFrame
