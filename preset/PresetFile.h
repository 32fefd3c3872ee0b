#pragma once

#include "PresetLayout.h"

/**
    Reading and writing 103-byte preset files, with the reason when a file is refused.

    Reading looks at the size before anything else, so a file of any other size (a huge
    one included) is refused without reading a byte of it. The image's values are not
    checked here; that is PresetValidator's part.
*/
class PresetFile
{
public:
    /** Why a file gave no image, in the order the checks are made. */
    enum class Problem
    {
        none,
        missing,
        notAFile,
        wrongSize,
        unreadable,
        wrongPrefix
    };

    struct Reading
    {
        Problem problem = Problem::none;
        juce::int64 size = 0;           /**< the file's size, when it has one */
        juce::Array<juce::uint8> image; /**< the 93 bytes, when there is no problem */

        bool hasImage() const noexcept { return problem == Problem::none; }

        /** One line saying why the file was refused; empty when it was not. */
        juce::String describe() const;
    };

    static Reading read (const juce::File& file);

    /** Writes the image as a preset file, replacing the target only once all of it is written;
        `warning`, when given, says what did not fail the save but may matter (SafeFileWriter).
    */
    static juce::Result write (const juce::File& file, const juce::Array<juce::uint8>& image, juce::String* warning = nullptr);
};
