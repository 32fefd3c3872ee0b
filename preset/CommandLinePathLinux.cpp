#include "CommandLinePath.h"
#include "ExternalText.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unistd.h>
#include <vector>

namespace
{
bool hasDotParts (const juce::String& path)
{
    for (const auto& part : juce::StringArray::fromTokens (path, "/", {}))
        if (part == "." || part == "..")
            return true;

    return false;
}

/** The folder's name once the system has followed its links and "..", or nothing when the
    system cannot name it (it is missing) or names it in bytes that are not UTF-8 text.
*/
std::optional<juce::String> getRealFolder (const juce::String& folder)
{
    const std::unique_ptr<char, decltype (&std::free)> real (::realpath (folder.toRawUTF8(), nullptr), &std::free);

    if (real == nullptr)
        return std::nullopt;

    return ExternalText::decodeStrict (real.get(), std::strlen (real.get()));
}
} // namespace

namespace CommandLinePath
{
bool isAbsolute (const juce::String& path)
{
    return path.startsWithChar ('/');
}

juce::File resolve (const juce::String& path, const juce::File& workingDirectory)
{
    const auto joined = isAbsolute (path) ? path : workingDirectory.getFullPathName() + "/" + path;

    // The framework takes "." and ".." off a path by its letters, so it is given none.
    if (! hasDotParts (joined))
        return juce::File (joined);

    // The system names the folder; the last part stays as it is, since it may be a link that a
    // save must keep.
    auto folder = joined.upToLastOccurrenceOf ("/", false, false);
    auto name = joined.fromLastOccurrenceOf ("/", false, false);

    if (name == "." || name == "..")
    {
        folder = joined;
        name = {};
    }

    if (const auto real = getRealFolder (folder))
        return juce::File (name.isEmpty() ? *real : real->trimCharactersAtEnd ("/") + "/" + name);

    // A folder the system cannot name now is kept as typed: each later use of the path then
    // finds what the system finds, and a missing folder is reported as missing.
    return juce::File::createFileWithoutCheckingPath (joined);
}

std::optional<juce::File> getWorkingDirectory (juce::String& problem)
{
    std::vector<char> buffer (4096);

    while (::getcwd (buffer.data(), buffer.size()) == nullptr)
    {
        if (errno != ERANGE)
        {
            problem = errno == ENOENT ? juce::String ("the working folder was deleted")
                                      : "the working folder cannot be named: " + juce::String (std::strerror (errno));
            return std::nullopt;
        }

        buffer.resize (buffer.size() * 2);
    }

    if (const auto name = ExternalText::decodeStrict (buffer.data(), std::strlen (buffer.data())))
        return juce::File (*name);

    problem = "the working folder's name is not UTF-8 text";
    return std::nullopt;
}
} // namespace CommandLinePath
