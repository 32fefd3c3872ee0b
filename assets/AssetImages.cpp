#include "AssetImages.h"
#include "BinaryData.h"

#if Q7X_HAS_2X_ASSETS
 #include "BinaryData2x.h"
#endif

#include <map>

namespace AssetImages
{
namespace
{
    using ResourceLookup = const char* (*) (const char*, int&);

    juce::Image decode (ResourceLookup lookup, const char* catalogueName)
    {
        // The embedded resource names carry the file extension: "editorBackground_png".
        const auto resourceName = juce::String (catalogueName) + "_png";
        int size = 0;

        if (const auto* data = lookup (resourceName.toRawUTF8(), size))
            return juce::ImageCache::getFromMemory (data, size);

        return {};
    }

    /** Which catalogue name each image handed out by get() has, so that a caller holding
        only the image can still reach its double-size rendering. Holding the images also
        keeps their pixel data, and so the keys, alive for the whole run.
    */
    struct Registry
    {
        juce::CriticalSection lock;
        std::map<juce::ImagePixelData*, std::pair<juce::Image, juce::String>> namesByPixels;

        static Registry& instance()
        {
            static Registry registry;
            return registry;
        }
    };
}

juce::Image get (const char* catalogueName)
{
    auto image = decode (BinaryData::getNamedResource, catalogueName);

    if (auto* pixels = image.getPixelData())
    {
        auto& registry = Registry::instance();
        const juce::ScopedLock sl (registry.lock);
        registry.namesByPixels.try_emplace (pixels, image, catalogueName);
    }

    return image;
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
    if (physicalPixelsPerUnit <= 1.0f || image.getPixelData() == nullptr)
        return image;

    juce::String name;

    {
        auto& registry = Registry::instance();
        const juce::ScopedLock sl (registry.lock);
        const auto found = registry.namesByPixels.find (image.getPixelData());

        if (found == registry.namesByPixels.end())
            return image;

        name = found->second.second;
    }

    const auto doubleSize = getDoubleSize (name.toRawUTF8());
    return doubleSize.isValid() ? doubleSize : image;
}

void draw (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> area)
{
    g.drawImage (forPixelScale (image, g.getInternalContext().getPhysicalPixelScaleFactor()), area);
}
}
