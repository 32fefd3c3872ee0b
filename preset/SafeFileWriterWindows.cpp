#include "SafeFileWriter.h"
#include "SafeFileWriterSteps.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

namespace
{
using namespace SafeFileWriterSteps;

std::wstring widePath (const juce::File& file)
{
    return file.getFullPathName().toWideCharPointer();
}

std::wstring widePath (const char* utf8)
{
    return juce::String (juce::CharPointer_UTF8 (utf8)).toWideCharPointer();
}

/** The errno closest to the Windows error, so that failures read as on Linux. */
int errnoFor (DWORD error)
{
    switch (error)
    {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return EACCES;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return ENOENT;
        default: return EIO;
    }
}

int failWithLastError()
{
    errno = errnoFor (::GetLastError());
    return -1;
}

long systemWrite (int fd, const void* data, size_t size)
{
    return (long) ::_write (fd, data, (unsigned int) std::min<size_t> (size, 1u << 30));
}

int systemFsync (int fd)
{
    const auto handle = reinterpret_cast<HANDLE> (::_get_osfhandle (fd));
    return handle != INVALID_HANDLE_VALUE && ::FlushFileBuffers (handle) ? 0 : failWithLastError();
}

int systemClose (int fd) { return ::_close (fd); }

/** Puts `from` in the place of `to`: ReplaceFileW keeps the old file's security settings, and
    leaves it as it was when it fails; with no old file the move is written through to the disk.
*/
int systemRename (const char* from, const char* to)
{
    const auto source = widePath (from);
    const auto target = widePath (to);
    const auto existing = ::GetFileAttributesW (target.c_str());

    // A folder is never replaced by a file (under Wine ReplaceFileW did not refuse it).
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY) != 0)
    {
        errno = EISDIR;
        return -1;
    }

    if (existing != INVALID_FILE_ATTRIBUTES)
        return ::ReplaceFileW (target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                 ? 0
                 : failWithLastError();

    return ::MoveFileExW (source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : failWithLastError();
}

int systemOpen (const char* path, int flags, int mode)
{
    return ::_wopen (widePath (path).c_str(), flags, mode);
}

bool isProcessRunning (int pid)
{
    const auto process = ::OpenProcess (SYNCHRONIZE, FALSE, (DWORD) pid);

    if (process == nullptr)
        return ::GetLastError() == ERROR_ACCESS_DENIED;

    const auto running = ::WaitForSingleObject (process, 0) == WAIT_TIMEOUT;
    ::CloseHandle (process);
    return running;
}

/** Removes what earlier saves into `folder` left when they were killed half-way. */
void removeStaleTemporaryFiles (const juce::File& folder)
{
    const auto prefix = SafeFileWriter::getTemporaryFilePrefix();

    for (const auto& entry : juce::RangedDirectoryIterator (folder, false, prefix + "*", juce::File::findFiles))
    {
        const auto pid = SafeFileWriter::getTemporaryFileOwner (entry.getFile().getFileName().toStdString(), prefix.toStdString());

        if (pid > 0 && ! isProcessRunning (pid))
            ::DeleteFileW (widePath (entry.getFile()).c_str());
    }
}

/** Creates a new temporary file beside `target`, in binary mode: text mode would turn every
    byte 10 of a preset into 13 10.
*/
int createTemporaryFile (const juce::File& target, juce::File& created)
{
    static std::atomic<int> counter { 0 };
    const auto prefix = SafeFileWriter::getTemporaryFilePrefix() + juce::String (::_getpid()) + "-";

    for (int attempt = 0; attempt < 100; ++attempt)
    {
        created = target.getSiblingFile (prefix + juce::String (counter++));
        const auto fd = SafeFileWriter::getSystemCalls().open (created.getFullPathName().toRawUTF8(),
                                                               _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                                               _S_IREAD | _S_IWRITE);

        if (fd >= 0 || errno != EEXIST)
            return fd;
    }

    errno = EEXIST;
    return -1;
}

} // namespace

//==============================================================================
juce::Result SafeFileWriter::write (const juce::File& target, const void* data, size_t size, juce::String* warning)
{
    // Nothing is left to fail once ReplaceFileW or MoveFileExW has put the file in place.
    if (warning != nullptr)
        warning->clear();

    if (isReadOnly (target))
        return juce::Result::fail ("the file is read-only");

    removeStaleTemporaryFiles (target.getParentDirectory());

    juce::File temporary;
    const auto fd = createTemporaryFile (target, temporary);

    if (fd < 0)
        return failure ("create", errno);

    auto result = fillTemporaryFile (fd, data, size);

    if (result.wasOk() && SafeFileWriter::getSystemCalls().rename (temporary.getFullPathName().toRawUTF8(), target.getFullPathName().toRawUTF8()) != 0)
        result = failure ("rename", errno);

    if (result.failed())
        ::DeleteFileW (widePath (temporary).c_str());

    return result;
}

bool SafeFileWriter::isReadOnly (const juce::File& file)
{
    const auto attributes = ::GetFileAttributesW (widePath (file).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0
        && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

SafeFileWriter::SystemCalls SafeFileWriter::getRealSystemCalls()
{
    return { systemWrite, systemFsync, systemClose, systemRename, systemOpen };
}
