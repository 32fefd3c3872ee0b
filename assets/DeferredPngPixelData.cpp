#include "DeferredPngPixelData.h"

#if JUCE_LINUX || JUCE_BSD
 #include <sys/resource.h>
#endif

namespace
{
struct PngHeader
{
    juce::Image::PixelFormat format;
    int width, height;
};

uint32_t readBigEndian (const uint8_t* p)
{
    return (uint32_t (p[0]) << 24) | (uint32_t (p[1]) << 16) | (uint32_t (p[2]) << 8) | uint32_t (p[3]);
}

/** Reads the size from IHDR and decides the pixel format the way the PNG loader does:
    ARGB when the colour type has alpha or a tRNS chunk precedes the image data, else RGB.
*/
std::optional<PngHeader> readPngHeader (const uint8_t* bytes, size_t size)
{
    static constexpr uint8_t signature[] { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
    constexpr size_t ihdrEnd = 8 + 8 + 13;

    if (size < ihdrEnd + 4 || std::memcmp (bytes, signature, sizeof (signature)) != 0
        || std::memcmp (bytes + 12, "IHDR", 4) != 0)
        return {};

    const auto width = readBigEndian (bytes + 16), height = readBigEndian (bytes + 20);
    const auto colourType = bytes[25];

    if (width == 0 || height == 0 || width > 0x4000 || height > 0x4000)
        return {};

    auto hasAlpha = (colourType & 4) != 0;

    for (size_t chunk = ihdrEnd + 4; ! hasAlpha && chunk + 8 <= size;)
    {
        const auto length = readBigEndian (bytes + chunk);
        const auto* type = bytes + chunk + 4;

        if (std::memcmp (type, "IDAT", 4) == 0)
            break;

        hasAlpha = std::memcmp (type, "tRNS", 4) == 0 && length > 0;
        chunk += size_t (length) + 12;
    }

    return PngHeader { hasAlpha ? juce::Image::ARGB : juce::Image::RGB, int (width), int (height) };
}
} // namespace

//==============================================================================
/** A job that draws (the stretched background) makes a juce::Font, which needs the framework's
    typeface cache. The framework deletes its singletons in the reverse order of their making:
    making the cache before the decoder lets the decoder finish its jobs while the cache still
    exists (else a job still drawing at shutdown crashed in Font's constructor).
*/
struct TypefaceCacheMadeFirst
{
    TypefaceCacheMadeFirst() { [[maybe_unused]] const juce::Font font; }
};

/** Decodes queued images on one thread, the most recently queued first; the thread sleeps
    without a timeout while the queue is empty. Deleted, with its thread stopped, when the
    framework shuts down.
*/
class BackgroundPngDecoder final : private TypefaceCacheMadeFirst,
                                   private juce::DeletedAtShutdown,
                                   private juce::Thread
{
public:
    BackgroundPngDecoder()
        : juce::Thread ("Q7X image decoder")
    {
        startThread();
    }

    ~BackgroundPngDecoder() override
    {
        // Queued images are dropped; one already decoding ends on its own and is waited for
        // however long that takes (under ThreadSanitizer on a loaded machine, more than 10 s was
        // seen), since a thread killed in the middle leaves its image behind.
        signalThreadShouldExit();
        notify();
        stopThread (-1);

        {
            // The thread let go of the queue under the lock: taking it orders that before this.
            const juce::ScopedLock sl (lock);
            pending.clear();
        }

        clearSingletonInstance();
    }

    void enqueue (DeferredPngPixelData* image)
    {
        {
            const juce::ScopedLock sl (lock);
            pending.add (image);
        }

        notify();
    }

    /** Drops an image decoded by someone else, so that the queue does not keep it alive. */
    void forget (DeferredPngPixelData* image)
    {
        const juce::ScopedLock sl (lock);
        pending.removeObject (image);
    }

    JUCE_DECLARE_SINGLETON (BackgroundPngDecoder, false)

private:
    void run() override
    {
        giveWayToTheMessageThread();

        while (! threadShouldExit())
        {
            juce::ReferenceCountedObjectPtr<DeferredPngPixelData> image;

            {
                const juce::ScopedLock sl (lock);
                image = pending.removeAndReturn (pending.size() - 1);
            }

            // A notification that comes between the look at the queue and the wait ends the wait at once.
            if (image != nullptr)
                image->decode();
            else
                wait (-1);
        }
    }

    /** Decoding ahead must not slow down what the user waits for: on a busy machine the message
        thread (and the display server it talks to) come first. A lower nice value rather than
        an idle-only policy, so that an image the message thread waits for is still finished.
    */
    static void giveWayToTheMessageThread()
    {
#if JUCE_LINUX || JUCE_BSD
        setpriority (PRIO_PROCESS, 0, 10);
#endif
    }

    juce::CriticalSection lock;
    juce::ReferenceCountedArray<DeferredPngPixelData> pending;
};

JUCE_IMPLEMENT_SINGLETON (BackgroundPngDecoder)

//==============================================================================
juce::Image DeferredPngPixelData::createImage (const void* pngData, size_t numBytes)
{
    const auto header = readPngHeader (static_cast<const uint8_t*> (pngData), numBytes);

    if (! header.has_value())
        return {};

    return queue (new DeferredPngPixelData (pngData, numBytes, header->format, header->width, header->height));
}

juce::Image DeferredPngPixelData::createRendered (juce::Image::PixelFormat format, int imageWidth, int imageHeight,
                                                  std::function<juce::Image()> render)
{
    auto* pixelData = new DeferredPngPixelData (nullptr, 0, format, imageWidth, imageHeight);
    pixelData->render = std::move (render);
    return queue (pixelData);
}

juce::Image DeferredPngPixelData::queue (DeferredPngPixelData* pixelData)
{
    juce::Image image (pixelData);
    pixelData->queued = true;
    BackgroundPngDecoder::getInstance()->enqueue (pixelData);
    return image;
}

DeferredPngPixelData::DeferredPngPixelData (const void* pngData, size_t numBytes, juce::Image::PixelFormat format,
                                            int w, int h)
    : juce::ImagePixelData (format, w, h), data (pngData), size (numBytes)
{
}

void DeferredPngPixelData::decode()
{
    getDecoded();
}

void DeferredPngPixelData::forgetQueued()
{
    if (auto* decoder = BackgroundPngDecoder::getInstanceWithoutCreating())
        decoder->forget (this);
}

bool DeferredPngPixelData::isDecoded() const
{
    const juce::ScopedLock sl (decodeLock);
    return decoded != nullptr;
}

juce::ImagePixelData& DeferredPngPixelData::getDecoded()
{
    auto& pixels = decodeOnce();

    // Whoever decoded it, the queue's hold on it ends, and with it the image's life once its
    // last user lets go (or the image cache does).
    if (queued.exchange (false))
        forgetQueued();

    return pixels;
}

juce::ImagePixelData& DeferredPngPixelData::decodeOnce()
{
    const juce::ScopedLock sl (decodeLock);

    if (decoded == nullptr)
    {
        auto image = render != nullptr ? render() : juce::ImageFileFormat::loadFrom (data, size);
        render = nullptr; // lets go of whatever it drew from

        // Keeps the promise made by the header even if the bytes turn out to be damaged.
        if (image.getFormat() != pixelFormat || image.getWidth() != width || image.getHeight() != height)
            image = juce::Image (pixelFormat, width, height, true);

        decoded = image.getPixelData();
    }

    return *decoded;
}

std::unique_ptr<juce::LowLevelGraphicsContext> DeferredPngPixelData::createLowLevelContext()
{
    sendDataChangeMessage();
    return getDecoded().createLowLevelContext();
}

juce::ImagePixelData::Ptr DeferredPngPixelData::clone()
{
    return getDecoded().clone();
}

std::unique_ptr<juce::ImageType> DeferredPngPixelData::createType() const
{
    return std::make_unique<juce::NativeImageType>();
}

void DeferredPngPixelData::initialiseBitmapData (juce::Image::BitmapData& bitmap, int x, int y,
                                                 juce::Image::BitmapData::ReadWriteMode mode)
{
    getDecoded().initialiseBitmapData (bitmap, x, y, mode);

    if (mode != juce::Image::BitmapData::readOnly)
        sendDataChangeMessage();
}
