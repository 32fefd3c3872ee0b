#include "CommandLinePath.h"

namespace CommandLinePath
{
juce::File resolve (const juce::String& path, const juce::File& workingDirectory)
{
    // The framework's Windows paths know drives, servers, both separators, "." and "..".
    return juce::File::isAbsolutePath (path) ? juce::File (path) : workingDirectory.getChildFile (path);
}
} // namespace CommandLinePath
