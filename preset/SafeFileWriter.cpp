#include "SafeFileWriter.h"
#include "SafeFileWriterSteps.h"

#include <cerrno>
#include <cstring>

namespace
{
SafeFileWriter::SystemCalls& currentCalls()
{
    static SafeFileWriter::SystemCalls calls = SafeFileWriter::getRealSystemCalls();
    return calls;
}

juce::Result writeAll (int fd, const char* data, size_t size)
{
    while (size > 0)
    {
        const auto written = currentCalls().write (fd, data, size);

        if (written < 0 && errno == EINTR)
            continue;

        if (written <= 0)
            return SafeFileWriterSteps::failure ("write", written == 0 ? ENOSPC : errno);

        data += written;
        size -= (size_t) written;
    }

    return juce::Result::ok();
}
} // namespace

namespace SafeFileWriterSteps
{
juce::Result failure (const juce::String& step, int error)
{
    return juce::Result::fail (step + ": " + juce::String (std::strerror (error)));
}

juce::Result flushAndClose (int fd, juce::Result result)
{
    if (result.wasOk() && currentCalls().fsync (fd) != 0)
        result = failure ("sync", errno);

    if (currentCalls().close (fd) != 0 && result.wasOk())
        result = failure ("close", errno);

    return result;
}

juce::Result fillTemporaryFile (int fd, const void* data, size_t size)
{
    return flushAndClose (fd, writeAll (fd, static_cast<const char*> (data), size));
}
} // namespace SafeFileWriterSteps

const SafeFileWriter::SystemCalls& SafeFileWriter::getSystemCalls()
{
    return currentCalls();
}

juce::String SafeFileWriter::getTemporaryFilePrefix()
{
    // Short and of its own, so that a target whose name is as long as the system allows has room
    // for a temporary file beside it.
    return ".q7x-save-";
}

int SafeFileWriter::getTemporaryFileOwner (const std::string& fileName, const std::string& prefix)
{
    if (fileName.compare (0, prefix.size(), prefix) != 0)
        return 0;

    const auto rest = fileName.substr (prefix.size());
    const auto dash = rest.find ('-');
    const auto isNumber = [] (const std::string& s) { return ! s.empty() && s.size() <= 9 && s.find_first_not_of ("0123456789") == std::string::npos; };

    return dash != std::string::npos && isNumber (rest.substr (0, dash)) && isNumber (rest.substr (dash + 1))
             ? std::stoi (rest.substr (0, dash))
             : 0;
}

SafeFileWriter::ScopedSystemCalls::ScopedSystemCalls (const SystemCalls& replacement)
    : previous (currentCalls())
{
    currentCalls() = replacement;
}

SafeFileWriter::ScopedSystemCalls::~ScopedSystemCalls()
{
    currentCalls() = previous;
}
