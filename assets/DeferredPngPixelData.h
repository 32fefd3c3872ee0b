#pragma once

#include <juce_graphics/juce_graphics.h>
#include <atomic>
#include <functional>

/**
    Pixel data of an embedded PNG that is decoded on a background thread.

    Its size and pixel format come from the PNG's header, so components can be built and laid
    out with it at once while the pixels are decoded beside them, newest image first (the
    editor creates the large images of its first frame last). Whoever needs the pixels before
    the decoder has reached them decodes them there and then; either way each image is decoded
    once, and the pixels are exactly those that juce::PNGImageFormat produces.

    An image drawn from others (a stretched copy) can be made the same way, by a function.
*/
class DeferredPngPixelData final : public juce::ImagePixelData
{
public:
    /** Returns an image over the PNG bytes, queued for decoding, or an invalid image when the
        bytes do not start with a readable PNG header. The bytes must stay valid for the rest of
        the run, as embedded data does: the decoder may reach them after the image is gone.
    */
    static juce::Image createImage (const void* pngData, size_t numBytes);

    /** Returns an image of that format and size whose pixels `render` makes, queued like the
        PNGs. `render` may run on the background thread, so it may only draw images.
    */
    static juce::Image createRendered (juce::Image::PixelFormat format, int width, int height,
                                       std::function<juce::Image()> render);

    /** The PNG bytes the image was made from; null for a rendered image. */
    const void* getPngData() const noexcept { return data; }

    /** Decodes the pixels now, unless that has happened already. */
    void decode();
    bool isDecoded() const;

    std::unique_ptr<juce::LowLevelGraphicsContext> createLowLevelContext() override;
    juce::ImagePixelData::Ptr clone() override;
    std::unique_ptr<juce::ImageType> createType() const override;
    void initialiseBitmapData (juce::Image::BitmapData&, int x, int y, juce::Image::BitmapData::ReadWriteMode) override;

private:
    DeferredPngPixelData (const void* pngData, size_t numBytes, juce::Image::PixelFormat, int width, int height);
    static juce::Image queue (DeferredPngPixelData*);

    juce::ImagePixelData& getDecoded();
    juce::ImagePixelData& decodeOnce();
    void forgetQueued();

    const void* const data;
    const size_t size;
    std::function<juce::Image()> render;
    std::atomic<bool> queued { false };
    juce::CriticalSection decodeLock;
    juce::ImagePixelData::Ptr decoded;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeferredPngPixelData)
};
