#include "SafeFileWriter.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
long systemWrite (int fd, const void* data, size_t size) { return (long) ::write (fd, data, size); }
int systemFsync (int fd) { return ::fsync (fd); }
int systemClose (int fd) { return ::close (fd); }
int systemRename (const char* from, const char* to) { return ::rename (from, to); }

SafeFileWriter::SystemCalls& currentCalls()
{
    static SafeFileWriter::SystemCalls calls = SafeFileWriter::getRealSystemCalls();
    return calls;
}

juce::Result failure (const juce::String& step, int error)
{
    return juce::Result::fail (step + ": " + juce::String (std::strerror (error)));
}

bool isProcessRunning (int pid)
{
    return ::kill (pid, 0) == 0 || errno == EPERM;
}

/** The process id in a temporary file's name ("<prefix><pid>-<n>"), or 0 when the name is not one of ours. */
int ownerOfTemporaryFile (const juce::String& fileName, const juce::String& prefix)
{
    if (! fileName.startsWith (prefix))
        return 0;

    const auto rest = fileName.substring (prefix.length());
    const auto pid = rest.upToFirstOccurrenceOf ("-", false, false);
    const auto counter = rest.fromFirstOccurrenceOf ("-", false, false);
    const auto isNumber = [] (const juce::String& s) { return s.isNotEmpty() && s.length() <= 10 && s.containsOnly ("0123456789"); };

    return isNumber (pid) && isNumber (counter) ? pid.getIntValue() : 0;
}

/** Removes what earlier saves of `target` left when they were killed half-way. */
void removeStaleTemporaryFiles (const juce::File& target)
{
    const auto prefix = SafeFileWriter::getTemporaryFilePrefix (target);

    for (const auto& entry : juce::RangedDirectoryIterator (target.getParentDirectory(), false, prefix + "*"))
    {
        const auto pid = ownerOfTemporaryFile (entry.getFile().getFileName(), prefix);

        if (pid > 0 && ! isProcessRunning (pid))
            ::unlink (entry.getFile().getFullPathName().toRawUTF8());
    }
}

/** Creates a new temporary file beside `target`, with the target's permissions when it exists. */
int createTemporaryFile (const juce::File& target, juce::File& created)
{
    static std::atomic<int> counter { 0 };
    const auto prefix = SafeFileWriter::getTemporaryFilePrefix (target) + juce::String (::getpid()) + "-";

    struct stat existing
    {};
    const auto targetExists = ::stat (target.getFullPathName().toRawUTF8(), &existing) == 0;

    for (int attempt = 0; attempt < 100; ++attempt)
    {
        created = target.getSiblingFile (prefix + juce::String (counter++));
        const auto fd = ::open (created.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);

        // The new file keeps the permissions the user gave the old one.
        if (fd >= 0 && targetExists)
            ::fchmod (fd, existing.st_mode & 07777);

        if (fd >= 0 || errno != EEXIST)
            return fd;
    }

    errno = EEXIST;
    return -1;
}

juce::Result writeAll (int fd, const char* data, size_t size)
{
    while (size > 0)
    {
        const auto written = currentCalls().write (fd, data, size);

        if (written < 0 && errno == EINTR)
            continue;

        if (written <= 0)
            return failure ("write", written == 0 ? ENOSPC : errno);

        data += written;
        size -= (size_t) written;
    }

    return juce::Result::ok();
}

/** Flushes the folder's entry of a renamed file; file systems that cannot do that are taken at their word. */
juce::Result syncFolder (const juce::File& folder)
{
    const auto fd = ::open (folder.getFullPathName().toRawUTF8(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);

    if (fd < 0)
        return failure ("open folder", errno);

    const auto synced = currentCalls().fsync (fd) == 0 || errno == EINVAL;
    const auto error = errno;
    ::close (fd);

    return synced ? juce::Result::ok() : failure ("sync folder", error);
}

/** Fills, flushes and closes the temporary file; the descriptor is closed whatever happens. */
juce::Result fillTemporaryFile (int fd, const void* data, size_t size)
{
    auto result = writeAll (fd, static_cast<const char*> (data), size);

    if (result.wasOk() && currentCalls().fsync (fd) != 0)
        result = failure ("sync", errno);

    if (currentCalls().close (fd) != 0 && result.wasOk())
        result = failure ("close", errno);

    return result;
}
} // namespace

//==============================================================================
juce::Result SafeFileWriter::write (const juce::File& target, const void* data, size_t size)
{
    removeStaleTemporaryFiles (target);

    juce::File temporary;
    const auto fd = createTemporaryFile (target, temporary);

    if (fd < 0)
        return failure ("create", errno);

    auto result = fillTemporaryFile (fd, data, size);

    if (result.wasOk() && currentCalls().rename (temporary.getFullPathName().toRawUTF8(), target.getFullPathName().toRawUTF8()) != 0)
        result = failure ("rename", errno);

    if (result.failed())
    {
        ::unlink (temporary.getFullPathName().toRawUTF8());
        return result;
    }

    return syncFolder (target.getParentDirectory());
}

SafeFileWriter::SystemCalls SafeFileWriter::getRealSystemCalls()
{
    return { systemWrite, systemFsync, systemClose, systemRename };
}

juce::String SafeFileWriter::getTemporaryFilePrefix (const juce::File& target)
{
    return "." + target.getFileName() + ".q7x-save-";
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
