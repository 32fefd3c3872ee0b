#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** An image component for the editor's own images: where the screen has more than one
    pixel per unit it draws the double-size rendering of its image, so the picture stays sharp.
*/
class AssetImageComponent : public juce::ImageComponent
{
public:
    AssetImageComponent();
    ~AssetImageComponent() override;

    /** @internal */
    void paint (juce::Graphics& g) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AssetImageComponent)
};
