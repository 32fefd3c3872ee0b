#include "CommandLinePath.h"
#include "preset/ExternalText.h"

namespace CommandLinePath
{
juce::File resolve (const juce::String& typed, const juce::File& workingDirectory)
{
    auto path = typed;

    if (path == "~" || path.startsWith ("~/"))
        path = ExternalText::getHomeDirectory().getFullPathName() + path.substring (1);
    else if (! path.startsWithChar ('/'))
        path = workingDirectory.getFullPathName() + "/" + path;

    // "." and ".." are resolved here: the framework takes a path that climbs above the root
    // ("/../a") for a relative one, and then names a file in its own working folder.
    juce::StringArray parts;

    for (const auto& part : juce::StringArray::fromTokens (path, "/", {}))
    {
        if (part == "..")
            parts.remove (parts.size() - 1);
        else if (part.isNotEmpty() && part != ".")
            parts.add (part);
    }

    return juce::File ("/" + parts.joinIntoString ("/"));
}
} // namespace CommandLinePath
