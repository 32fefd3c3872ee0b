#include "CommandLinePath.h"

namespace CommandLinePath
{
bool isAbsolute (const juce::String& path)
{
    return juce::File::isAbsolutePath (path);
}

juce::File resolve (const juce::String& path, const juce::File& workingDirectory)
{
    // The framework's Windows paths know drives, servers, both separators, "." and "..".
    return isAbsolute (path) ? juce::File (path) : workingDirectory.getChildFile (path);
}

std::optional<juce::File> getWorkingDirectory (juce::String&)
{
    // The framework asks Windows for the folder's name in UTF-16, which holds any name.
    return juce::File::getCurrentWorkingDirectory();
}
} // namespace CommandLinePath
