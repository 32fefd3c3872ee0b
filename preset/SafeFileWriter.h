#pragma once

#include <juce_core/juce_core.h>
#include <string>

/**
    Replaces a file's contents so that it either holds all the new bytes or stays as
    it was: the bytes go to a temporary file beside the target, every write is
    checked, the temporary file is flushed to the disk and then renamed over the
    target, and the rename is flushed too so that it survives a power cut. On any
    failure before the rename the temporary file is removed and the old file is left
    untouched. A folder that cannot be flushed after it is a warning, not a failure: the
    new contents are in place, but may not survive a power cut.

    Temporary files are named ".q7x-save-<pid>-<n>", whatever the target's name, so that a
    name as long as the system allows can be saved. A save that was killed half-way leaves
    one behind; the next save into the same folder removes those whose process is gone, and
    no other file.

    Only a regular file (or a link to one) is replaced: a FIFO, a socket or a device is refused.

    A symbolic link stays a link: the file it names is replaced. The new file gets the old
    one's permissions, owner and group. Where a new file cannot keep what the old one is (it
    has hard links, or an owner or group this process may not give), a preset-sized file of
    unchanged size is rewritten in place in a single write of at most a disk sector, which
    cannot be left half-done; contents of another size then replace the file as above, and
    the links or the owner are not kept. That write goes only to the file that was checked:
    one put in its place meanwhile fails the save. A file nobody may write is refused: its
    owner made it read-only.

    On Windows the temporary file is written in binary mode, flushed with FlushFileBuffers
    and put in place with ReplaceFileW, which keeps the old file's security settings and creation
    time (Windows' documentation; Wine here does not keep its attributes),
    or MoveFileExW (write-through) when there was no file; a file with the read-only attribute
    is refused. Links are not followed there, and a file with hard links loses them.

    The system's own calls live in SafeFileWriterLinux.cpp and SafeFileWriterWindows.cpp.
    Uses juce_core only, so it works without a message loop (command-line tools).
*/
struct SafeFileWriter
{
    /** Writes `size` bytes to `target`; fails (with the reason) without touching the old file.
        Once the new file has taken the old one's place the save has happened: a folder that
        cannot be synced then is no failure, and `warning` (when given) says so; it is left empty
        otherwise.
    */
    static juce::Result write (const juce::File& target, const void* data, size_t size, juce::String* warning = nullptr);

    /** True for an existing regular file without any write permission (a link is followed). */
    static bool isReadOnly (const juce::File& file);

    /** The system calls a save makes, so that a test can make any of them fail like a full disk would.
        They take and give what POSIX's calls do (a file descriptor, -1 and errno on failure; paths
        in UTF-8); on Windows `fsync` flushes the descriptor's file and `rename` replaces the target.
        `open` is also where a test can change the folder just before the save opens a file.
    */
    struct SystemCalls
    {
        long (*write) (int fd, const void* data, size_t size);
        int (*fsync) (int fd);
        int (*close) (int fd);
        int (*rename) (const char* from, const char* to);
        int (*open) (const char* path, int flags, int mode);
    };

    /** Replaces the system calls while it lives (tests only; saves are not thread-safe meanwhile). */
    class ScopedSystemCalls
    {
    public:
        explicit ScopedSystemCalls (const SystemCalls& replacement);
        ~ScopedSystemCalls();

    private:
        const SystemCalls previous;

        JUCE_DECLARE_NON_COPYABLE (ScopedSystemCalls)
    };

    /** The system's own calls. */
    static SystemCalls getRealSystemCalls();

    /** The calls saves make now: the system's own, or those a test put in their place. */
    static const SystemCalls& getSystemCalls();

    /** The prefix of every temporary file a save makes. */
    static juce::String getTemporaryFilePrefix();

    /** The id of the process that made a temporary file, from its name ("<prefix><pid>-<n>"),
        or 0 when the name is not one of those `prefix` starts.
    */
    static int getTemporaryFileOwner (const std::string& fileName, const std::string& prefix);
};
