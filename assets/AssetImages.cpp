#include "AssetImages.h"
#include "BinaryData.h"
#include "DeferredPngPixelData.h"

#if Q7X_HAS_2X_ASSETS
 #include "BinaryData2x.h"
#endif

#include <map>

namespace AssetImages
{
namespace
{
using ResourceLookup = const char* (*) (const char*, int&);

// The embedded resource names carry the file extension: "editorBackground_png".
juce::String getResourceName (const char* catalogueName)
{
    return juce::String (catalogueName) + "_png";
}

juce::Image decode (ResourceLookup lookup, const char* catalogueName)
{
    int size = 0;
    const auto* data = lookup (getResourceName (catalogueName).toRawUTF8(), size);

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

/** The resource name of each embedded 1x image, by the address of its bytes, so that a
    caller holding only the image can still reach its double-size rendering.
*/
const juce::String* findResourceName (const void* pngData)
{
    static const auto namesByData = [] {
        std::map<const void*, juce::String> names;

        for (int i = 0; i < BinaryData::namedResourceListSize; ++i)
        {
            int size = 0;
            names[BinaryData::getNamedResource (BinaryData::namedResourceList[i], size)] = BinaryData::namedResourceList[i];
        }

        return names;
    }();

    const auto found = namesByData.find (pngData);
    return found != namesByData.end() ? &found->second : nullptr;
}
}

juce::Image get (const char* catalogueName)
{
    return decode (BinaryData::getNamedResource, catalogueName);
}

juce::Image getDoubleSize (const char* catalogueName)
{
#if Q7X_HAS_2X_ASSETS
    return decode (BinaryData2x::getNamedResource, catalogueName);
#else
    juce::ignoreUnused (catalogueName);
    return {};
#endif
}

juce::Image forPixelScale (const juce::Image& image, float physicalPixelsPerUnit)
{
    if (physicalPixelsPerUnit <= 1.0f)
        return image;

    const auto* embedded = dynamic_cast<const DeferredPngPixelData*> (image.getPixelData());
    const auto* resourceName = embedded != nullptr ? findResourceName (embedded->getPngData()) : nullptr;

    if (resourceName == nullptr)
        return image;

    const auto doubleSize = getDoubleSize (resourceName->dropLastCharacters (4).toRawUTF8());
    return doubleSize.isValid() ? doubleSize : image;
}

void draw (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> area)
{
    g.drawImage (forPixelScale (image, g.getInternalContext().getPhysicalPixelScaleFactor()), area);
}
}
