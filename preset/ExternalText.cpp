#include "ExternalText.h"

#include <cstdlib>
#include <cstring>

bool ExternalText::isStrictUtf8 (const char* text, size_t size)
{
    const auto* bytes = reinterpret_cast<const unsigned char*> (text);

    for (size_t i = 0; i < size;)
    {
        const auto lead = bytes[i];
        size_t extra = 0;
        unsigned char low = 0x80, high = 0xbf; // the range of the first continuation byte

        // clang-format off
        if (lead < 0x80)             extra = 0;
        else if (lead < 0xc2)        return false;
        else if (lead < 0xe0)        extra = 1;
        else if (lead < 0xf0)        { extra = 2; low = lead == 0xe0 ? 0xa0 : 0x80; high = lead == 0xed ? 0x9f : 0xbf; }
        else if (lead < 0xf5)        { extra = 3; low = lead == 0xf0 ? 0x90 : 0x80; high = lead == 0xf4 ? 0x8f : 0xbf; }
        else                         return false;
        // clang-format on

        if (size - i <= extra)
            return false;

        for (size_t k = 1; k <= extra; ++k)
            if (bytes[i + k] < (k == 1 ? low : 0x80) || bytes[i + k] > (k == 1 ? high : 0xbf))
                return false;

        i += extra + 1;
    }

    return true;
}

std::optional<juce::String> ExternalText::decodeStrict (const void* data, size_t size)
{
    const auto* bytes = static_cast<const char*> (data);

    // No bytes may come without a buffer (an empty file's), which memchr must not be given.
    if (size == 0)
        return juce::String();

    // A zero byte would end the text early and hide what follows it.
    if (size > (size_t) std::numeric_limits<int>::max() || std::memchr (bytes, 0, size) != nullptr
        || ! isStrictUtf8 (bytes, size))
        return std::nullopt;

    return juce::String::fromUTF8 (bytes, (int) size);
}

juce::String ExternalText::decode (const void* data, size_t size)
{
    const auto* bytes = static_cast<const char*> (data);

    if (size == 0)
        return {};

    if (const auto* zero = static_cast<const char*> (std::memchr (bytes, 0, size)))
        size = (size_t) (zero - bytes);

    if (auto utf8 = decodeStrict (bytes, size))
        return *utf8;

    juce::String latin1;
    latin1.preallocateBytes (2 * size);

    for (size_t i = 0; i < size; ++i)
        latin1 += juce::String::charToString ((juce::juce_wchar) (unsigned char) bytes[i]);

    return latin1;
}

juce::String ExternalText::decode (const char* text)
{
    return decode (text, std::strlen (text));
}

juce::String ExternalText::getEnvironmentVariable (const char* name, const juce::String& fallback)
{
    const auto* value = std::getenv (name);
    return value != nullptr ? decode (value) : fallback;
}

juce::File ExternalText::getHomeDirectory()
{
    const auto home = getEnvironmentVariable ("HOME");

    // The framework reads $HOME unchecked; without it, it asks the account database.
    return juce::File::isAbsolutePath (home) ? juce::File (home) : juce::File::getSpecialLocation (juce::File::userHomeDirectory);
}
