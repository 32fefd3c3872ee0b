#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    An image button for the editor's own images: where the screen has more than one
    pixel per unit it draws the double-size rendering of its current image over the
    same area, so tabs, hotspots and buttons stay sharp. Everything else, the hit test
    on the image's alpha included, is the plain image button's.
*/
class AssetImageButton : public juce::ImageButton
{
public:
    AssetImageButton();
    ~AssetImageButton() override;

    /** @internal */
    void paintButton (juce::Graphics& g, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AssetImageButton)
};
