#include "AlertRecorder.h"
#include "FakeParameterValue.h"
#include "PresetFixtures.h"
#include "TemporaryFolder.h"
#include "preset/SafeFileWriter.h"

#include <gtest/gtest.h>
#include <cerrno>
#include <fstream>
#include <signal.h>
#include <fcntl.h>
#include <functional>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
const juce::String oldContents ("the old preset");
const juce::String newContents ("the new preset, longer than the old one");

class SafeFileWriterTest : public testing::Test
{
protected:
    const TemporaryFolder temp;
    const juce::File folder = temp.get();
    juce::File target = folder.getChildFile ("My Preset.q7x");

    void SetUp() override
    {
        ASSERT_TRUE (folder.isDirectory());
        ASSERT_TRUE (target.replaceWithText (oldContents));
    }

    juce::Result save (const juce::String& text)
    {
        return SafeFileWriter::write (target, text.toRawUTF8(), text.getNumBytesAsUTF8());
    }

    juce::StringArray folderContents() const
    {
        juce::StringArray names;

        for (const auto& entry : juce::RangedDirectoryIterator (folder, false, "*", juce::File::findFilesAndDirectories))
            names.add (entry.getFile().getFileName());

        names.sort (false);
        return names;
    }
};

// Each step a save takes can fail; whichever does, the old file stays whole and no temporary file is left.
TEST_F (SafeFileWriterTest, AnyFailingStepKeepsTheOldFileAndReportsTheFailure)
{
    static int callsBeforeFailure;
    const auto failAfter = [] (int calls) { callsBeforeFailure = calls; };

    auto calls = SafeFileWriter::getRealSystemCalls();
    calls.write = [] (int fd, const void* data, size_t size) -> long {
        if (callsBeforeFailure-- <= 0)
        {
            errno = ENOSPC;
            return -1;
        }
        return (long) ::write (fd, data, juce::jmin (size, (size_t) 5)); // short writes, as a disk may do
    };

    {
        const SafeFileWriter::ScopedSystemCalls fake (calls);

        for (const auto successfulWrites : { 0, 1, 3 })
        {
            failAfter (successfulWrites);
            const auto result = save (newContents);
            EXPECT_TRUE (result.failed());
            EXPECT_TRUE (result.getErrorMessage().contains ("No space left on device")) << result.getErrorMessage();
            EXPECT_EQ (target.loadFileAsString(), oldContents);
            EXPECT_EQ (folderContents(), juce::StringArray ("My Preset.q7x"));
        }

        // Short writes that all succeed still save every byte.
        failAfter (1000);
        EXPECT_TRUE (save (newContents).wasOk());
        EXPECT_EQ (target.loadFileAsString(), newContents);
        ASSERT_TRUE (target.replaceWithText (oldContents));
    }

    calls = SafeFileWriter::getRealSystemCalls();
    calls.fsync = [] (int) { errno = EIO; return -1; };
    {
        const SafeFileWriter::ScopedSystemCalls fake (calls);
        EXPECT_TRUE (save (newContents).failed());
    }

    calls = SafeFileWriter::getRealSystemCalls();
    calls.close = [] (int fd) { ::close (fd); errno = EIO; return -1; };
    {
        const SafeFileWriter::ScopedSystemCalls fake (calls);
        EXPECT_TRUE (save (newContents).failed());
    }

    calls = SafeFileWriter::getRealSystemCalls();
    calls.rename = [] (const char*, const char*) { errno = EXDEV; return -1; };
    {
        const SafeFileWriter::ScopedSystemCalls fake (calls);
        EXPECT_TRUE (save (newContents).failed());
    }

    EXPECT_EQ (target.loadFileAsString(), oldContents);
    EXPECT_EQ (folderContents(), juce::StringArray ("My Preset.q7x"));

    // Unreachable places fail without creating anything.
    EXPECT_TRUE (SafeFileWriter::write (folder.getChildFile ("missing/x.q7x"), "x", 1).failed());
    EXPECT_TRUE (SafeFileWriter::write (folder, "x", 1).failed());
    EXPECT_EQ (folderContents(), juce::StringArray ("My Preset.q7x"));
}

TEST_F (SafeFileWriterTest, AFailedWriteIsAnUnableToSaveAndTheOldPresetSurvives)
{
    std::unique_ptr<PresetController> controller { createPresetController (nullptr) };
    FakeEditor editor { *controller };
    ASSERT_TRUE (controller->applyPresetData (PresetLayout::getDefaultPresetImage()));

    auto calls = SafeFileWriter::getRealSystemCalls();
    calls.write = [] (int, const void*, size_t) -> long { errno = ENOSPC; return -1; };
    const SafeFileWriter::ScopedSystemCalls fullDisk (calls);

    AlertRecorder alerts;
    EXPECT_FALSE (controller->saveToFile (target));
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ("Unable to Save"));
    EXPECT_EQ (target.loadFileAsString(), oldContents);
    EXPECT_EQ (folderContents(), juce::StringArray ("My Preset.q7x"));
}

TEST_F (SafeFileWriterTest, ASaveKilledHalfWayLeavesAFileTheNextSaveRemoves)
{
    // Unrelated files that look alike: never touched.
    const juce::StringArray unrelated { ".q7x-save-abc", ".q7x-save-99999", ".My Preset_temp1a2b.q7x",
                                        "q7x-save-99999-0", ".q7x-save-99999-0x" };
    for (const auto& name : unrelated)
        ASSERT_TRUE (folder.getChildFile (name).create());

    // One that a save still running in another process is writing: left alone as well (pid 1 always runs).
    ASSERT_TRUE (folder.getChildFile (".q7x-save-1-7").create());

    // A save in a child process that is killed after writing part of the file.
    const auto child = ::fork();
    ASSERT_GE (child, 0);

    if (child == 0)
    {
        auto calls = SafeFileWriter::getRealSystemCalls();
        calls.write = [] (int fd, const void* data, size_t) -> long {
            (void) ::write (fd, data, 3);
            ::raise (SIGKILL);
            return -1;
        };
        const SafeFileWriter::ScopedSystemCalls killed (calls);
        save (newContents);
        ::_exit (0);
    }

    int status = 0;
    ASSERT_EQ (::waitpid (child, &status, 0), child);
    ASSERT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == SIGKILL);

    const auto leftOver = ".q7x-save-" + juce::String (child) + "-";
    ASSERT_EQ (folderContents().size(), unrelated.size() + 3);
    ASSERT_TRUE (folderContents().joinIntoString ("|").contains ("|" + leftOver)) << folderContents().joinIntoString (", ");
    EXPECT_EQ (target.loadFileAsString(), oldContents);

    ASSERT_TRUE (save (newContents).wasOk());

    auto expected = unrelated;
    expected.addArray ({ ".q7x-save-1-7", "My Preset.q7x" });
    expected.sort (false);
    EXPECT_EQ (folderContents(), expected);
    EXPECT_EQ (target.loadFileAsString(), newContents);
}

TEST_F (SafeFileWriterTest, TheOldFilesPermissionsAreKept)
{
    ASSERT_EQ (::chmod (target.getFullPathName().toRawUTF8(), 0640), 0);
    ASSERT_TRUE (save (newContents).wasOk());

    struct stat info
    {};
    ASSERT_EQ (::stat (target.getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_EQ (info.st_mode & 07777, 0640u);
}

// The real thing: a preset on a small file system that has just filled up.
TEST_F (SafeFileWriterTest, SavingOntoAFullDiskKeepsThePreset)
{
    const auto disk = folder.getChildFile ("disk");
    ASSERT_TRUE (disk.createDirectory());

    if (::mount ("tmpfs", disk.getFullPathName().toRawUTF8(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here: " << std::strerror (errno);

    const juce::ScopeGuard unmount { [&] { ::umount2 (disk.getFullPathName().toRawUTF8(), MNT_DETACH); } };

    std::unique_ptr<PresetController> controller { createPresetController (nullptr) };
    FakeEditor editor { *controller };
    ASSERT_TRUE (controller->applyPresetData (PresetLayout::getDefaultPresetImage()));

    const auto preset = disk.getChildFile ("Full.q7x");
    ASSERT_TRUE (controller->saveToFile (preset));
    juce::MemoryBlock saved;
    ASSERT_TRUE (preset.loadFileAsData (saved));
    ASSERT_EQ (saved.getSize(), 103u);

    {
        juce::FileOutputStream filler (disk.getChildFile ("filler"));
        const juce::HeapBlock<char> block (1024, true);

        while (filler.write (block, 1024) && filler.getStatus().wasOk())
            filler.flush();
    }

    AlertRecorder alerts;
    EXPECT_FALSE (controller->saveToFile (preset));
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ("Unable to Save"));

    juce::MemoryBlock after;
    ASSERT_TRUE (preset.loadFileAsData (after));
    EXPECT_EQ (after, saved);
    EXPECT_EQ (disk.getNumberOfChildFiles (juce::File::findFiles, "*"), 2);
}

struct FileIdentity
{
    bool isLink;
    ino_t inode;
    mode_t mode;
    uid_t owner;
    gid_t group;
    juce::int64 size;
};

FileIdentity identityOf (const juce::File& file, bool followLink)
{
    struct stat info
    {};
    const auto path = file.getFullPathName().toRawUTF8();
    EXPECT_EQ (followLink ? ::stat (path, &info) : ::lstat (path, &info), 0) << path;
    return { S_ISLNK (info.st_mode), info.st_ino, (mode_t) (info.st_mode & 07777), info.st_uid, info.st_gid, (juce::int64) info.st_size };
}

/** Replaces a file's bytes in place (a new file would split hard links). */
void overwrite (const juce::File& file, const std::string& bytes)
{
    std::ofstream (file.getFullPathName().toStdString(), std::ios::binary | std::ios::trunc) << bytes;
}

// The editor's save keeps a preset what it was: links stay links and see the new preset, and
// the file keeps its mode, owner and group (run as root, the test can give it others).
TEST_F (SafeFileWriterTest, TheEditorsSaveKeepsLinksOwnersAndModes)
{
    std::unique_ptr<PresetController> controller { createPresetController (nullptr) };
    FakeEditor editor { *controller };
    ASSERT_TRUE (controller->applyPresetData (PresetLayout::getDefaultPresetImage()));

    const std::string oldPreset (103, 'o');
    const auto real = folder.getChildFile ("real/t.q7x");
    const auto links = folder.getChildFile ("links");
    ASSERT_TRUE (real.create() && links.createDirectory());
    const auto symbolic = links.getChildFile ("l.q7x"), hard = links.getChildFile ("h.q7x");
    ASSERT_EQ (::symlink ("../real/t.q7x", symbolic.getFullPathName().toRawUTF8()), 0);

    const auto owned = ::chown (real.getFullPathName().toRawUTF8(), 1234, 2345) == 0;
    ASSERT_EQ (::chmod (real.getFullPathName().toRawUTF8(), 0640), 0);

    // Through the link, to the file itself, and (in place) through a hard link.
    for (const auto& saved : { symbolic, real, hard })
    {
        SCOPED_TRACE (saved.getFullPathName());

        if (saved == hard)
        {
            ASSERT_EQ (::link (real.getFullPathName().toRawUTF8(), hard.getFullPathName().toRawUTF8()), 0);
        }

        overwrite (real, oldPreset);
        const auto before = identityOf (real, false);

        AlertRecorder alerts;
        EXPECT_TRUE (controller->saveToFile (saved));
        EXPECT_EQ (alerts.size(), 0);

        EXPECT_TRUE (identityOf (symbolic, false).isLink);
        EXPECT_NE (real.loadFileAsString().toStdString(), oldPreset);
        const auto after = identityOf (real, false);
        EXPECT_EQ (after.size, 103);
        EXPECT_EQ (after.mode, 0640u);
        EXPECT_EQ (identityOf (symbolic, true).inode, after.inode);
        EXPECT_EQ (std::make_pair (after.owner, after.group), std::make_pair (before.owner, before.group));

        if (owned)
        {
            EXPECT_EQ (std::make_pair (after.owner, after.group), std::make_pair ((uid_t) 1234, (gid_t) 2345));
        }

        if (saved == hard)
        {
            EXPECT_EQ (identityOf (hard, false).inode, after.inode);
        }
    }

    // A preset its owner made read-only is refused, as q7x-preset refuses it.
    overwrite (real, oldPreset);
    ASSERT_EQ (::chmod (real.getFullPathName().toRawUTF8(), 0444), 0);

    for (const auto& saved : { symbolic, real })
    {
        AlertRecorder alerts;
        EXPECT_FALSE (controller->saveToFile (saved));
        EXPECT_EQ (alerts.getTitles(), juce::StringArray ("Unable to Save"));
        EXPECT_EQ (real.loadFileAsString().toStdString(), oldPreset);
    }
}

/** What a name stands for: S_IFREG, S_IFIFO... (a link is not followed). */
mode_t typeOf (const juce::File& file)
{
    struct stat info
    {};
    EXPECT_EQ (::lstat (file.getFullPathName().toRawUTF8(), &info), 0);
    return info.st_mode & S_IFMT;
}

/** What a test does to the folder just before a save opens a file by `name`, or nothing. */
struct BeforeOpening
{
    static inline juce::String name;
    static inline std::function<void()> action;

    static int open (const char* path, int flags, int mode)
    {
        if (action != nullptr && juce::File (juce::CharPointer_UTF8 (path)).getFileName() == name)
            std::exchange (action, nullptr)();

        return SafeFileWriter::getRealSystemCalls().open (path, flags, mode);
    }
};

// A preset with a hard link is rewritten in place. Whatever takes its name between the check and
// the write (a link to a larger file, another preset, a FIFO) is left as it was, and the save fails.
TEST_F (SafeFileWriterTest, AFileSwappedInBeforeTheInPlaceWriteIsNeverWritten)
{
    const auto hard = folder.getChildFile ("hard.q7x"), other = folder.getChildFile ("other");
    const auto swap = folder.getChildFile ("swap").getFullPathName().toStdString();
    const std::string larger (4096, 'B'), sameSize (103, 'x'), fifo;
    const std::pair<std::function<void()>, std::string> replacements[] = {
        { [&] { overwrite (other, larger), ::link (other.getFullPathName().toRawUTF8(), swap.c_str()); }, larger },
        { [&] { overwrite (juce::File (swap), sameSize); }, sameSize },
        { [&] { ::mkfifo (swap.c_str(), 0666); }, fifo },
    };

    for (const auto& replacement : replacements)
    {
        const auto& replace = replacement.first;
        const auto& expected = replacement.second;

        overwrite (target, std::string (103, 'o'));
        ASSERT_EQ (::link (target.getFullPathName().toRawUTF8(), hard.getFullPathName().toRawUTF8()), 0);

        auto calls = SafeFileWriter::getRealSystemCalls();
        calls.open = BeforeOpening::open;
        const SafeFileWriter::ScopedSystemCalls fake (calls);
        BeforeOpening::name = target.getFileName();
        BeforeOpening::action = [&] { replace(), ::rename (swap.c_str(), target.getFullPathName().toRawUTF8()); };

        EXPECT_TRUE (SafeFileWriter::write (target, std::string (103, 'n').data(), 103).failed());
        EXPECT_EQ (BeforeOpening::action, nullptr); // the swap did happen
        EXPECT_EQ (typeOf (target), (mode_t) (expected == fifo ? S_IFIFO : S_IFREG));

        if (expected != fifo) // reading a FIFO would wait for a writer
        {
            EXPECT_EQ (target.loadFileAsString().toStdString(), expected);
        }
        EXPECT_EQ (hard.loadFileAsString(), juce::String::repeatedString ("o", 103));
        ASSERT_TRUE (hard.deleteFile() && target.deleteFile());
        other.deleteFile();
    }
}

// Only a file is ever replaced: a FIFO, a socket or a link to one stays what it is, and the save
// says why it failed, the editor's included.
TEST_F (SafeFileWriterTest, OnlyRegularFilesAreReplaced)
{
    const auto fifo = folder.getChildFile ("fifo.q7x"), link = folder.getChildFile ("link.q7x");
    const auto socket = folder.getChildFile ("socket.q7x");
    ASSERT_EQ (::mkfifo (fifo.getFullPathName().toRawUTF8(), 0666), 0);
    ASSERT_EQ (::symlink ("fifo.q7x", link.getFullPathName().toRawUTF8()), 0);

    sockaddr_un address { AF_UNIX, {} };
    socket.getFullPathName().copyToUTF8 (address.sun_path, sizeof (address.sun_path));
    const auto listener = ::socket (AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ (::bind (listener, reinterpret_cast<sockaddr*> (&address), sizeof (address)), 0);
    ::close (listener);

    const auto before = folderContents();

    for (const auto& [file, type] : { std::pair (fifo, S_IFIFO), std::pair (link, S_IFLNK), std::pair (socket, S_IFSOCK) })
    {
        EXPECT_EQ (SafeFileWriter::write (file, "preset", 6).getErrorMessage(), juce::String ("not a regular file"));
        EXPECT_EQ (typeOf (file), (mode_t) type) << file.getFileName();
    }

    EXPECT_EQ (typeOf (fifo), (mode_t) S_IFIFO);

    std::unique_ptr<PresetController> controller { createPresetController (nullptr) };
    FakeEditor editor { *controller };
    AlertRecorder alerts;
    EXPECT_FALSE (controller->saveToFile (fifo));
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ("Unable to Save"));
    ASSERT_EQ (alerts.size(), 1);
    EXPECT_TRUE (alerts.getEntries()[0].message.endsWith ("fifo.q7x\r\n(not a regular file)")) << alerts.getEntries()[0].message;
    EXPECT_EQ (folderContents(), before);

    // Removed here: run as an ordinary user, the framework's removal of the folder left the socket.
    ::unlink (socket.getFullPathName().toRawUTF8());
}

// Once the new file has its name, the save has happened: a folder that cannot be opened to sync it
// then is a warning for the one who asked, never a failure (the editor says it saved).
TEST_F (SafeFileWriterTest, AFolderThatCannotBeSyncedAfterTheRenameIsAWarning)
{
    auto calls = SafeFileWriter::getRealSystemCalls();
    calls.open = [] (const char* path, int flags, int mode) {
        errno = EACCES;
        return (flags & O_DIRECTORY) != 0 ? -1 : ::open (path, flags, (mode_t) mode);
    };
    const SafeFileWriter::ScopedSystemCalls fake (calls);

    juce::String warning;
    const auto result = SafeFileWriter::write (target, newContents.toRawUTF8(), newContents.getNumBytesAsUTF8(), &warning);
    EXPECT_TRUE (result.wasOk()) << result.getErrorMessage();
    EXPECT_EQ (warning, juce::String ("the folder could not be synced (open folder: Permission denied): a power cut may still undo the save"));
    EXPECT_EQ (target.loadFileAsString(), newContents);
    EXPECT_EQ (folderContents(), juce::StringArray ("My Preset.q7x"));

    std::unique_ptr<PresetController> controller { createPresetController (nullptr) };
    FakeEditor editor { *controller };
    AlertRecorder alerts;
    EXPECT_TRUE (controller->saveToFile (target));
    EXPECT_EQ (alerts.size(), 0);
    EXPECT_EQ (target.getSize(), 103);
}
} // namespace
