#include "AssetImageComponent.h"
#include "assets/AssetImages.h"

AssetImageComponent::AssetImageComponent() = default;
AssetImageComponent::~AssetImageComponent() = default;

void AssetImageComponent::paint (juce::Graphics& g)
{
    const auto& picture = getImage();
    const auto area = getImagePlacement().appliedTo (picture.getBounds().toFloat(), getLocalBounds().toFloat());
    g.setOpacity (1.0f);
    AssetImages::draw (g, picture, area);
}
