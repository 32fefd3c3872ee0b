#include "PresetFile.h"
#include "PresetFraming.h"
#include "SafeFileWriter.h"

juce::String PresetFile::Reading::describe() const
{
    switch (problem)
    {
        case Problem::none: return {};
        case Problem::missing: return "no such file";
        case Problem::notAFile: return "not a regular file";
        case Problem::unreadable: return "cannot be read";
        case Problem::wrongSize: return "size is " + juce::String (size) + " bytes, a preset file has "
                                      + juce::String (PresetLayout::presetDumpSize);
        case Problem::wrongPrefix: return "does not start with the preset dump prefix F0 00 00 0E 00 41 61 00 5D";
    }

    return {};
}

PresetFile::Reading PresetFile::read (const juce::File& file)
{
    Reading reading;

    if (! file.exists())
        reading.problem = Problem::missing;
    else if (! file.existsAsFile())
        reading.problem = Problem::notAFile;
    else if ((reading.size = file.getSize()) != PresetLayout::presetDumpSize)
        reading.problem = Problem::wrongSize;

    if (reading.problem != Problem::none)
        return reading;

    juce::FileInputStream stream (file);
    juce::uint8 bytes[PresetLayout::presetDumpSize] {};

    if (! stream.openedOk() || stream.read (bytes, (int) sizeof (bytes)) != (int) sizeof (bytes))
        reading.problem = Problem::unreadable;
    else if (auto image = PresetFraming::findImageInFile (bytes, (int) sizeof (bytes)))
        reading.image = std::move (*image);
    else
        reading.problem = Problem::wrongPrefix;

    return reading;
}

juce::Result PresetFile::write (const juce::File& file, const juce::Array<juce::uint8>& image, juce::String* warning)
{
    jassert (image.size() == PresetLayout::presetImageSize);
    const auto bytes = PresetFraming::makeDumpMessage (image);
    return SafeFileWriter::write (file, bytes.begin(), (size_t) bytes.size(), warning);
}
