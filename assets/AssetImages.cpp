#include "AssetImages.h"
#include "BinaryData.h"
#include "DeferredPngPixelData.h"

namespace AssetImages
{
    juce::Image get (const char* catalogueName)
    {
        // The embedded resource names carry the file extension: "editorBackground_png".
        const auto resourceName = juce::String (catalogueName) + "_png";
        int size = 0;
        const auto* data = BinaryData::getNamedResource (resourceName.toRawUTF8(), size);

        if (data == nullptr)
            return {};

        // Keyed by the data's address, so every editor shares one copy while any of them uses it.
        const auto hashCode = (juce::int64) (juce::pointer_sized_int) data;
        auto image = juce::ImageCache::getFromHashCode (hashCode);

        if (image.isNull())
        {
            image = DeferredPngPixelData::createImage (data, (size_t) size);
            juce::ImageCache::addImageToCache (image, hashCode);
        }

        return image;
    }
}
