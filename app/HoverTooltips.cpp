#include "HoverTooltips.h"

HoverTooltips::HoverTooltips (juce::Component& windowToWatch)
    : window (windowToWatch)
{
    window.addMouseListener (this, true);
}

HoverTooltips::~HoverTooltips()
{
    window.removeMouseListener (this);
}

void HoverTooltips::mouseEnter (const juce::MouseEvent&)
{
    if (! tooltipWindow.has_value())
        tooltipWindow.emplace();
}

void HoverTooltips::mouseExit (const juce::MouseEvent&)
{
    // Moving from one component of the window to the next leaves the pointer inside the window.
    // Where it is now counts rather than where the event says: a modal dialog in front changes
    // what the window is told.
    if (! window.getScreenBounds().contains (juce::Desktop::getMousePosition()))
        tooltipWindow.reset();
}
