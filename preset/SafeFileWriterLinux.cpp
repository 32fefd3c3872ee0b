#include "SafeFileWriter.h"
#include "SafeFileWriterSteps.h"
#include "CommandLinePath.h"
#include "ExternalText.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <optional>
#include <vector>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
using namespace SafeFileWriterSteps;

long systemWrite (int fd, const void* data, size_t size) { return (long) ::write (fd, data, size); }
int systemFsync (int fd) { return ::fsync (fd); }
int systemClose (int fd) { return ::close (fd); }
int systemRename (const char* from, const char* to) { return ::rename (from, to); }
int systemOpen (const char* path, int flags, int mode) { return ::open (path, flags, (mode_t) mode); }

bool isProcessRunning (int pid)
{
    return ::kill (pid, 0) == 0 || errno == EPERM;
}

/** Removes what earlier saves into `folder` left when they were killed half-way. */
void removeStaleTemporaryFiles (const juce::File& folder)
{
    const auto prefix = SafeFileWriter::getTemporaryFilePrefix().toStdString();
    std::unique_ptr<DIR, int (*) (DIR*)> listing (::opendir (folder.getFullPathName().toRawUTF8()), ::closedir);

    if (listing == nullptr)
        return;

    while (const auto* entry = ::readdir (listing.get()))
    {
        // Names are compared as bytes: a folder may hold names that are not text at all.
        const auto pid = SafeFileWriter::getTemporaryFileOwner (entry->d_name, prefix);

        if (pid > 0 && ! isProcessRunning (pid))
            ::unlinkat (::dirfd (listing.get()), entry->d_name, 0);
    }
}

/** The file `file` names once symbolic links are followed (a save replaces that file, and the
    links stay links), or nothing when a link names something that is not text or loops.
*/
std::optional<juce::File> followLinks (juce::File file)
{
    for (int hops = 0; hops < 40; ++hops)
    {
        const auto path = file.getFullPathName().toStdString();
        struct stat info
        {};

        if (::lstat (path.c_str(), &info) != 0 || ! S_ISLNK (info.st_mode))
            return file;

        std::vector<char> buffer ((size_t) std::max<off_t> (info.st_size, 255) + 1);
        const auto length = ::readlink (path.c_str(), buffer.data(), buffer.size());
        const auto linked = length > 0 ? ExternalText::decodeStrict (buffer.data(), (size_t) length) : std::nullopt;

        if (! linked.has_value() || (size_t) length >= buffer.size())
            return std::nullopt;

        // Read as the system reads it: from the folder the link sits in, ".." after its links.
        file = CommandLinePath::resolve (*linked, file.getParentDirectory());
    }

    return std::nullopt;
}

/** Gives a new file the owner, group and permissions of the old one (owner and group first:
    changing them clears the set-id bits).
*/
bool takeOwnerAndMode (int fd, const struct stat& existing)
{
    struct stat created
    {};
    const auto sameOwner = ::fstat (fd, &created) == 0 && created.st_uid == existing.st_uid && created.st_gid == existing.st_gid;
    return (sameOwner || ::fchown (fd, existing.st_uid, existing.st_gid) == 0) && ::fchmod (fd, existing.st_mode & 07777) == 0;
}

/** Creates a new temporary file beside `target`, with the permissions, owner and group of
    `existing` when it is given; fails with EPERM when those cannot all be given to it.
*/
int createTemporaryFile (const juce::File& target, const struct stat* existing, juce::File& created)
{
    static std::atomic<int> counter { 0 };
    const auto prefix = SafeFileWriter::getTemporaryFilePrefix() + juce::String (::getpid()) + "-";

    for (int attempt = 0; attempt < 100; ++attempt)
    {
        created = target.getSiblingFile (prefix + juce::String (counter++));
        const auto fd = SafeFileWriter::getSystemCalls().open (created.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);

        if (fd >= 0 && existing != nullptr && ! takeOwnerAndMode (fd, *existing))
        {
            ::close (fd);
            ::unlink (created.getFullPathName().toRawUTF8());
            errno = EPERM;
            return -1;
        }

        if (fd >= 0 || errno != EEXIST)
            return fd;
    }

    errno = EEXIST;
    return -1;
}

/** Overwrites a file of the same size in one write of at most a disk sector, which a power
    cut cannot split: for a file that must stay the same file (hard links, an owner this
    process cannot give a new file). Larger contents, or another size, cannot be written so.

    The file is opened once and checked through that descriptor: whatever took the name
    since `existing` was read (a link to another file, a FIFO) is never written. A FIFO
    without a reader fails the open instead of blocking it.
*/
std::optional<juce::Result> writeInPlace (const juce::File& target, const struct stat& existing, const void* data, size_t size)
{
    constexpr size_t sector = 512;

    if ((size_t) existing.st_size != size || size > sector)
        return std::nullopt;

    const auto fd = SafeFileWriter::getSystemCalls().open (target.getFullPathName().toRawUTF8(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0);

    if (fd < 0)
        return failure ("open", errno);

    struct stat opened
    {};

    if (::fstat (fd, &opened) != 0 || ! S_ISREG (opened.st_mode) || opened.st_dev != existing.st_dev
        || opened.st_ino != existing.st_ino || opened.st_size != existing.st_size)
    {
        ::close (fd);
        return juce::Result::fail ("the file was replaced while it was being saved; left unchanged");
    }

    return flushAndClose (fd, ::pwrite (fd, data, size, 0) == (ssize_t) size ? juce::Result::ok() : failure ("write", errno));
}

/** Flushes the folder's entry of a renamed file; file systems that cannot do that are taken at their word. */
juce::Result syncFolder (const juce::File& folder)
{
    const auto fd = SafeFileWriter::getSystemCalls().open (folder.getFullPathName().toRawUTF8(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);

    if (fd < 0)
        return failure ("open folder", errno);

    const auto synced = SafeFileWriter::getSystemCalls().fsync (fd) == 0 || errno == EINVAL;
    const auto error = errno;
    ::close (fd);

    return synced ? juce::Result::ok() : failure ("sync folder", error);
}

} // namespace

//==============================================================================
juce::Result SafeFileWriter::write (const juce::File& fileOrLink, const void* data, size_t size, juce::String* warning)
{
    if (warning != nullptr)
        warning->clear();

    const auto target = followLinks (fileOrLink);

    if (! target.has_value())
        return juce::Result::fail ("follow link: not a link to a file name this program can use");

    if (isReadOnly (*target))
        return juce::Result::fail ("the file is read-only");

    removeStaleTemporaryFiles (target->getParentDirectory());

    struct stat existing
    {};
    const auto exists = ::stat (target->getFullPathName().toRawUTF8(), &existing) == 0;

    // A FIFO, a socket or a device would become a file, and what used it would lose it.
    if (exists && ! S_ISREG (existing.st_mode))
        return juce::Result::fail ("not a regular file");

    // Hard links see the change only if the file itself is rewritten.
    if (exists && existing.st_nlink > 1)
        if (auto inPlace = writeInPlace (*target, existing, data, size))
            return *inPlace;

    juce::File temporary;
    auto fd = createTemporaryFile (*target, exists ? &existing : nullptr, temporary);

    // An owner or group this process may not give a new file: the old file is rewritten instead.
    if (fd < 0 && errno == EPERM)
    {
        if (auto inPlace = writeInPlace (*target, existing, data, size))
            return *inPlace;

        fd = createTemporaryFile (*target, nullptr, temporary);

        if (fd >= 0)
            ::fchmod (fd, existing.st_mode & 0777);
    }

    if (fd < 0)
        return failure ("create", errno);

    auto result = fillTemporaryFile (fd, data, size);

    if (result.wasOk() && SafeFileWriter::getSystemCalls().rename (temporary.getFullPathName().toRawUTF8(), target->getFullPathName().toRawUTF8()) != 0)
        result = failure ("rename", errno);

    if (result.failed())
    {
        ::unlink (temporary.getFullPathName().toRawUTF8());
        return result;
    }

    // The new file has its name now: whatever happens next, the save has happened.
    if (const auto synced = syncFolder (target->getParentDirectory()); synced.failed() && warning != nullptr)
        *warning = "the folder could not be synced (" + synced.getErrorMessage() + "): a power cut may still undo the save";

    return juce::Result::ok();
}

bool SafeFileWriter::isReadOnly (const juce::File& file)
{
    struct stat info
    {};
    return ::stat (file.getFullPathName().toRawUTF8(), &info) == 0 && S_ISREG (info.st_mode)
        && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

SafeFileWriter::SystemCalls SafeFileWriter::getRealSystemCalls()
{
    return { systemWrite, systemFsync, systemClose, systemRename, systemOpen };
}
