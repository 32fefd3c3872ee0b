#include "StretchedBackground.h"
#include "assets/AssetImages.h"
#include "assets/DeferredPngPixelData.h"

StretchedBackground::StretchedBackground()
    : scale (getLikelyPhysicalScale()),
      image (getForScale (scale))
{
}

void StretchedBackground::draw (juce::Graphics& g)
{
    const auto physicalScale = g.getInternalContext().getPhysicalPixelScaleFactor();

    if (image.isNull() || physicalScale != scale)
    {
        image = getForScale (physicalScale);
        scale = physicalScale;
    }

    g.drawImageTransformed (image, juce::AffineTransform::scale (1.0f / scale));
}

juce::Image StretchedBackground::getForScale (float physicalScale)
{
    const auto hashCode = (juce::int64) 0x51375842474e44 + juce::roundToInt (physicalScale * 1000.0f);
    auto image = juce::ImageCache::getFromHashCode (hashCode);

    if (image.isNull())
    {
        const auto width = juce::jmax (1, juce::roundToInt (1200.0f * physicalScale));
        const auto height = juce::jmax (1, juce::roundToInt (700.0f * physicalScale));

        // The art to stretch is chosen here, on the message thread: the image cache is not for
        // the decoder's thread, which may still be at work while the framework shuts down.
        auto source = AssetImages::forPixelScale (AssetImages::get ("editorBackground"), physicalScale);

        image = DeferredPngPixelData::createRendered (juce::Image::RGB, width, height, [=]() mutable {
            juce::Image stretched (juce::Image::RGB, width, height, false);

            {
                juce::Graphics g (stretched);
                g.addTransform (juce::AffineTransform::scale (physicalScale));
                g.fillAll (juce::Colours::white);

                // Stretched to 750 rows so that the blue band starts just above the tab strip.
                g.drawImage (source, { 0.0f, 0.0f, 1200.0f, 750.0f });
            }

            // The unstretched copy is not drawn again: the cache lets go of it on the message thread.
            source = {};
            juce::MessageManager::callAsync ([] { juce::ImageCache::releaseUnusedImages(); });
            return stretched;
        });

        juce::ImageCache::addImageToCache (image, hashCode);
    }

    return image;
}

float StretchedBackground::getLikelyPhysicalScale()
{
    const auto& desktop = juce::Desktop::getInstance();
    const auto* display = desktop.getDisplays().getPrimaryDisplay();
    return (float) (display != nullptr ? display->scale : 1.0) * desktop.getGlobalScaleFactor();
}
