#include "AssetImages.h"
#include "BinaryData.h"

namespace AssetImages
{
    juce::Image get (const char* catalogueName)
    {
        // The embedded resource names carry the file extension: "editorBackground_png".
        const auto resourceName = juce::String (catalogueName) + "_png";
        int size = 0;

        if (const auto* data = BinaryData::getNamedResource (resourceName.toRawUTF8(), size))
            return juce::ImageCache::getFromMemory (data, size);

        return {};
    }
}
