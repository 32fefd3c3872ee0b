#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

/**
    Shows the tooltips of a window's components while the pointer is over the window.

    The framework's tooltip window looks for the component under the pointer about eight times
    a second, and has the desktop check the pointer ten times a second, for as long as it
    exists. Held only while the pointer is over a window, it costs nothing while the editor
    waits in the background.
*/
class HoverTooltips : private juce::MouseListener
{
public:
    /** Watches the pointer over `window` and everything in it; the window must outlive this. */
    explicit HoverTooltips (juce::Component& window);
    ~HoverTooltips() override;

    /** True while the pointer is over the window, and its components' tooltips are shown. */
    bool isShowingTooltips() const noexcept { return tooltipWindow.has_value(); }

private:
    juce::Component& window;
    std::optional<juce::SharedResourcePointer<juce::TooltipWindow>> tooltipWindow;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent& event) override;

    JUCE_DECLARE_NON_COPYABLE (HoverTooltips)
};
