#include "TemporaryFolder.h"
#include "preset/SafeFileWriter.h"

#include <gtest/gtest.h>
#include <cerrno>
#include <io.h>
#include <windows.h>

// The Windows save: binary bytes, wide file names, ReplaceFileW, the read-only attribute.
namespace
{
const juce::String oldContents ("the old preset");

class SafeFileWriterWindowsTest : public testing::Test
{
protected:
    const TemporaryFolder temp;
    const juce::File folder = temp.get();
    juce::File target = folder.getChildFile (juce::String (juce::CharPointer_UTF8 ("Pr\xc3\xa9set \xe2\x82\xac.q7x")));

    void SetUp() override
    {
        ASSERT_TRUE (folder.isDirectory());
        ASSERT_TRUE (target.replaceWithText (oldContents));
    }

    void TearDown() override
    {
        target.setReadOnly (false); // so that the folder can be removed
    }

    juce::StringArray folderContents() const
    {
        juce::StringArray names;

        for (const auto& entry : juce::RangedDirectoryIterator (folder, false, "*", juce::File::findFilesAndDirectories))
            names.add (entry.getFile().getFileName());

        return names;
    }

    void expectOldFileAlone() const
    {
        EXPECT_EQ (target.loadFileAsString(), oldContents);
        EXPECT_EQ (folderContents(), juce::StringArray (target.getFileName()));
    }
};

TEST_F (SafeFileWriterWindowsTest, EveryByteIsSavedAsItIsUnderAWideName)
{
    // Text mode would write 13 10 for each 10, and stop reading at 26.
    juce::MemoryBlock bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append ("\x0a\x0d\x1a", 3), bytes.append (&i, 1);

    ASSERT_TRUE (SafeFileWriter::write (target, bytes.getData(), bytes.getSize()).wasOk());

    juce::MemoryBlock saved;
    ASSERT_TRUE (target.loadFileAsData (saved));
    EXPECT_EQ (saved.getSize(), 1024u);
    EXPECT_TRUE (saved == bytes);
    EXPECT_EQ (folderContents(), juce::StringArray (target.getFileName()));

    // A file that did not exist is made.
    const auto fresh = folder.getChildFile ("new.q7x");
    ASSERT_TRUE (SafeFileWriter::write (fresh, "\x0a\x0d", 2).wasOk());
    EXPECT_EQ (fresh.getSize(), 2);
}

TEST_F (SafeFileWriterWindowsTest, EachFailingStepKeepsTheOldFileAndNamesTheStep)
{
    const auto failingWrite = [] (int, const void*, size_t) -> long { errno = ENOSPC; return -1; };
    const auto failingFlush = [] (int) { errno = EIO; return -1; };
    const auto failingClose = [] (int fd) { ::_close (fd); errno = EIO; return -1; };
    const auto failingRename = [] (const char*, const char*) { errno = EACCES; return -1; };

    struct Case
    {
        const char* expectedMessage;
        SafeFileWriter::SystemCalls calls;
    };

    const auto real = SafeFileWriter::getRealSystemCalls();
    const Case cases[] = {
        { "write: No space left on device", { failingWrite, real.fsync, real.close, real.rename, real.open } },
        { "sync: Input/output error", { real.write, failingFlush, real.close, real.rename, real.open } },
        { "close: Input/output error", { real.write, real.fsync, failingClose, real.rename, real.open } },
        { "rename: Permission denied", { real.write, real.fsync, real.close, failingRename, real.open } },
    };

    for (const auto& c : cases)
    {
        const SafeFileWriter::ScopedSystemCalls fake (c.calls);
        const auto result = SafeFileWriter::write (target, "new", 3);
        EXPECT_EQ (result.getErrorMessage(), c.expectedMessage);
        expectOldFileAlone();
    }
}

TEST_F (SafeFileWriterWindowsTest, AReadOnlyFileIsRefused)
{
    ASSERT_TRUE (target.setReadOnly (true));
    EXPECT_EQ (SafeFileWriter::write (target, "new", 3).getErrorMessage(), "the file is read-only");
    expectOldFileAlone();
}

TEST_F (SafeFileWriterWindowsTest, OnlyTemporaryFilesOfEndedProcessesAreRemoved)
{
    const auto prefix = SafeFileWriter::getTemporaryFilePrefix();
    // Windows' process ids are multiples of 4: 4001 names no process. This process's own is kept.
    const auto ended = prefix + "4001-0";
    const auto running = prefix + juce::String ((int) ::GetCurrentProcessId()) + "-0";
    const juce::StringArray unrelated { prefix + "abc", prefix + "4001", "." + target.getFileName() + ".other-4001-0" };

    juce::StringArray made { ended, running };
    made.addArray (unrelated);

    for (const auto& name : made)
        ASSERT_TRUE (folder.getChildFile (name).create());

    ASSERT_TRUE (SafeFileWriter::write (target, "new", 3).wasOk());

    auto expected = unrelated;
    expected.addArray ({ running, target.getFileName() });
    auto contents = folderContents();
    expected.sort (false);
    contents.sort (false);
    EXPECT_EQ (contents, expected);
}
} // namespace
