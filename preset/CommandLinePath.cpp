#include "CommandLinePath.h"

namespace CommandLinePath
{
std::optional<juce::File> resolveInWorkingDirectory (const juce::String& path, juce::String& problem)
{
    if (isAbsolute (path))
        return resolve (path, {});

    juce::String why;

    if (const auto workingDirectory = getWorkingDirectory (why))
        return resolve (path, *workingDirectory);

    problem = "is relative, and " + why;
    return std::nullopt;
}
} // namespace CommandLinePath
