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

void HoverTooltips::mouseExit (const juce::MouseEvent& event)
{
    // Moving from one component of the window to the next leaves the first inside the window.
    if (! window.getLocalBounds().contains (event.getEventRelativeTo (&window).getPosition()))
        tooltipWindow.reset();
}
