#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    Holds and owns a set of selection buttons: either laid out in a row from the left
    (the section tabs) or kept where their creator placed them over a background
    image (the controller picture). It does not react to its buttons itself.
*/
class ControlSelector : public juce::Component
{
public:
    /** Lays the buttons out in a row from x = 0. */
    static constexpr unsigned rowSelector = 0;

    /** Leaves the buttons where they are. */
    static constexpr unsigned placedSelector = 1;

    /** Takes ownership of the buttons; any selectorKind but rowSelector keeps their positions. */
    ControlSelector (const juce::Array<juce::Button*>& buttonsToOwn, unsigned selectorKind);
    ~ControlSelector() override;

    /** Shows the image behind the buttons, over the selector's whole area. */
    void setBackgroundImage (const juce::Image& image);

    /** The buttons, in the order given. */
    const juce::OwnedArray<juce::Button>& getButtons() const noexcept { return buttons; }

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    juce::OwnedArray<juce::Button> buttons;
    std::unique_ptr<juce::ImageComponent> background;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ControlSelector)
};
