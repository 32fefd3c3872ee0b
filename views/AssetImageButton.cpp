#include "AssetImageButton.h"
#include "assets/AssetImages.h"

AssetImageButton::AssetImageButton() = default;
AssetImageButton::~AssetImageButton() = default;

void AssetImageButton::paintButton (juce::Graphics& g, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    const auto down = isEnabled() && (shouldDrawButtonAsDown || getToggleState());
    const auto over = isEnabled() && shouldDrawButtonAsHighlighted;
    const auto image = down ? getDownImage() : (over ? getOverImage() : getNormalImage());
    const auto sharper = AssetImages::forPixelScale (image, g.getInternalContext().getPhysicalPixelScaleFactor());

    if (sharper == image)
    {
        juce::ImageButton::paintButton (g, shouldDrawButtonAsHighlighted, shouldDrawButtonAsDown);
        return;
    }

    // The editor's buttons draw their images at the images' own size, centred in the button.
    const auto area = getLocalBounds().withSizeKeepingCentre (image.getWidth(), image.getHeight());
    g.setOpacity (isEnabled() ? 1.0f : 0.3f);
    g.drawImage (sharper, area.toFloat());
}
