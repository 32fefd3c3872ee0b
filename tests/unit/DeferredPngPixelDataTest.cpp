#include "WaitUntil.h"
#include "assets/DeferredPngPixelData.h"
#include "BinaryData.h"

#include <gtest/gtest.h>

namespace
{
// A 2 x 1 palette image, opaque red then half-transparent blue: alpha only through its tRNS chunk.
const unsigned char paletteWithTransparency[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x03, 0x00, 0x00, 0x00, 0xc3, 0xfc, 0x8f, 0xb8, 0x00, 0x00, 0x00,
    0x06, 0x50, 0x4c, 0x54, 0x45, 0xff, 0x00, 0x00, 0x00, 0x00, 0xff, 0x6c, 0xa1, 0xfd, 0x8e, 0x00, 0x00, 0x00,
    0x02, 0x74, 0x52, 0x4e, 0x53, 0xff, 0x80, 0x08, 0x0f, 0xb3, 0x6a, 0x00, 0x00, 0x00, 0x0b, 0x49, 0x44, 0x41,
    0x54, 0x78, 0x9c, 0x63, 0x60, 0x60, 0x04, 0x00, 0x00, 0x04, 0x00, 0x02, 0xbf, 0x7a, 0x3f, 0x4a, 0x00, 0x00,
    0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82
};

bool samePixels (const juce::Image& a, const juce::Image& b)
{
    if (a.getFormat() != b.getFormat() || a.getBounds() != b.getBounds())
        return false;

    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;

    return true;
}
} // namespace

TEST (DeferredPngPixelData, EveryEmbeddedImageDecodesToWhatThePngLoaderGives)
{
    for (int i = 0; i < BinaryData::namedResourceListSize; ++i)
    {
        int size = 0;
        const auto* data = BinaryData::getNamedResource (BinaryData::namedResourceList[i], size);
        const auto deferred = DeferredPngPixelData::createImage (data, (size_t) size);
        const auto eager = juce::ImageFileFormat::loadFrom (data, (size_t) size);

        EXPECT_TRUE (samePixels (deferred, eager)) << BinaryData::namedResourceList[i];
    }
}

TEST (DeferredPngPixelData, HeaderDecidesSizeAndFormatBeforeAnyDecoding)
{
    const auto image = DeferredPngPixelData::createImage (paletteWithTransparency, sizeof (paletteWithTransparency));
    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (image.getWidth(), 2);
    EXPECT_EQ (image.getHeight(), 1);
    EXPECT_EQ (image.getFormat(), juce::Image::ARGB);
    EXPECT_EQ (image.getPixelAt (0, 0), juce::Colour (0xffff0000));
    EXPECT_EQ (image.getPixelAt (1, 0).getAlpha(), 0x80);

    // Without its tRNS chunk (type renamed to an ancillary chunk nobody knows) the image is opaque.
    // Static, as embedded data is: the background decoder may still read it after the image is gone.
    static unsigned char opaque[sizeof (paletteWithTransparency)];
    std::memcpy (opaque, paletteWithTransparency, sizeof (opaque));
    std::memcpy (opaque + 0x37, "tRNx", 4);
    EXPECT_EQ (DeferredPngPixelData::createImage (opaque, sizeof (opaque)).getFormat(), juce::Image::RGB);

    EXPECT_FALSE (DeferredPngPixelData::createImage (paletteWithTransparency, 20).isValid()) << "cut inside IHDR";
    EXPECT_FALSE (DeferredPngPixelData::createImage ("GIF89a..........................", 32).isValid());
}

TEST (DeferredPngPixelData, TheBackgroundThreadDecodesEachImageOnce)
{
    int size = 0;
    const auto* data = BinaryData::getNamedResource ("keybedPictureOver_png", size);
    const auto image = DeferredPngPixelData::createImage (data, (size_t) size);
    auto* pixelData = dynamic_cast<DeferredPngPixelData*> (image.getPixelData());
    ASSERT_NE (pixelData, nullptr);

    EXPECT_TRUE (waitUntil ([pixelData] { return pixelData->isDecoded(); }, 5000)) << "nobody drew it";

    const juce::Image::BitmapData first (const_cast<juce::Image&> (image), juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData second (const_cast<juce::Image&> (image), juce::Image::BitmapData::readOnly);
    EXPECT_EQ (first.data, second.data);
}

TEST (DeferredPngPixelData, ARenderedImageIsMadeOnceWhoeverAsksFirst)
{
    // Drawn after the background thread made it, and drawn before the thread got to it.
    for (const auto waitForBackground : { true, false })
    {
        std::atomic<int> renders { 0 };
        const auto image = DeferredPngPixelData::createRendered (juce::Image::RGB, 3, 2, [&renders] {
            ++renders;
            juce::Image drawn (juce::Image::RGB, 3, 2, false);
            drawn.clear (drawn.getBounds(), juce::Colour (0xff0093d0));
            drawn.setPixelAt (2, 1, juce::Colours::white);
            return drawn;
        });

        auto* pixelData = dynamic_cast<DeferredPngPixelData*> (image.getPixelData());
        ASSERT_NE (pixelData, nullptr);
        EXPECT_EQ (pixelData->getPngData(), nullptr);

        if (waitForBackground)
        {
            EXPECT_TRUE (waitUntil ([pixelData] { return pixelData->isDecoded(); }, 5000));
        }

        EXPECT_EQ (image.getPixelAt (0, 0), juce::Colour (0xff0093d0));
        EXPECT_EQ (image.getPixelAt (2, 1), juce::Colours::white);
        EXPECT_EQ (image.getPixelAt (1, 1), juce::Colour (0xff0093d0));
        EXPECT_EQ (renders.load(), 1);
    }
}
