#include "PresetFraming.h"

namespace PresetFraming
{
using namespace PresetLayout;

juce::Array<juce::uint8> makeBody (juce::uint8 command, const juce::Array<juce::uint8>& payload)
{
    const auto header = makeSysExHeader (command);
    juce::Array<juce::uint8> body (header.data(), (int) header.size());
    body.addArray (payload);
    return body;
}

juce::Array<juce::uint8> makeDumpMessage (const juce::Array<juce::uint8>& image)
{
    auto message = makeBody (presetDumpCommand, image);
    message.insert (0, 0xf0);
    message.add (0xf7);
    return message;
}

bool startsWithHeader (const juce::uint8* body, int size, juce::uint8 command)
{
    const auto header = makeSysExHeader (command);
    return body != nullptr && size >= (int) header.size() && std::equal (header.begin(), header.end(), body);
}

std::optional<juce::Array<juce::uint8>> findPayload (const juce::uint8* body, int size, juce::uint8 command)
{
    if (! startsWithHeader (body, size, command))
        return std::nullopt;

    const auto available = juce::jmin (size - sysExHeaderSize, presetImageSize);
    return juce::Array<juce::uint8> (body + sysExHeaderSize, available);
}

std::optional<juce::Array<juce::uint8>> findImageInFile (const juce::uint8* bytes, int size)
{
    if (size != presetDumpSize || bytes[0] != 0xf0 || ! startsWithHeader (bytes + 1, size - 1, presetDumpCommand))
        return std::nullopt;

    return juce::Array<juce::uint8> (bytes + 1 + sysExHeaderSize, presetImageSize);
}
} // namespace PresetFraming
