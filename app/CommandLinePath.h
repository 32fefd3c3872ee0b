#pragma once

#include <juce_core/juce_core.h>

/**
    The file a path typed on a command line names, the system's way: on Linux relative unless it
    starts with "/" or "~/"; on Windows relative unless it starts with a drive ("C:\") or a
    server ("\\server\share"), with "\" and "/" both separating folders.
*/
namespace CommandLinePath
{
/** The file `path` (unquoted) names, taking relative paths from `workingDirectory`. */
juce::File resolve (const juce::String& path, const juce::File& workingDirectory);
} // namespace CommandLinePath
