#include "WindowFrame.h"

#include <windows.h>

namespace WindowFrame
{
// What the system adds to a window with a caption, a system menu and a minimise button and no
// sizing border, as the framework makes a document window, at the primary display's scale.
juce::BorderSize<int> getTypicalFrame()
{
    RECT rect { 0, 0, 100, 100 };

    if (! AdjustWindowRectEx (&rect, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE, 0))
        return { 31, 8, 8, 8 };

    auto scale = 1.0;

    if (auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay())
        scale = display->scale;

    const auto logical = [scale] (LONG pixels) { return juce::roundToInt (std::abs ((double) pixels) / scale); };
    return { logical (rect.top), logical (rect.left), logical (rect.bottom - 100), logical (rect.right - 100) };
}

// The framework asks Windows for the content's position and draws the frame around it.
juce::Point<int> getPositionOffset (juce::BorderSize<int> frame)
{
    return { frame.getLeft(), frame.getTop() };
}
} // namespace WindowFrame
