#include "TemporaryFolder.h"
#include "WaitUntil.h"
#include "app/Dialogs.h"
#include "app/SingleInstance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

void expectOneOfTwoLaunchesToRun (const juce::String& endpoint);

juce::String makeTestEndpointAddress (const juce::File& folder)
{
    return folder.getChildFile ("editor.socket").getFullPathName();
}

namespace
{
class SingleInstanceLinuxTest : public testing::Test
{
protected:
    const TemporaryFolder temp;
    const juce::File folder = temp.get();
    juce::File socket = folder.getChildFile ("editor.socket");
};

TEST_F (SingleInstanceLinuxTest, ASocketLeftByACrashedInstanceIsTakenOver)
{
    // A socket file that nobody listens on any more, as a killed instance leaves it:
    // moved aside while its owner closes, then put back.
    const auto aside = folder.getChildFile ("aside.socket");
    {
        SingleInstance crashed (socket.getFullPathName());
        ASSERT_EQ (crashed.claim ({}), SingleInstance::Role::running);
        ASSERT_TRUE (socket.moveFileTo (aside));
    }
    ASSERT_TRUE (aside.moveFileTo (socket));

    SingleInstance next (socket.getFullPathName());
    EXPECT_EQ (next.claim ({}), SingleInstance::Role::running);

    juce::StringArray received;
    next.startListening ([&] (const juce::String& line) { received.add (line); });
    EXPECT_EQ (SingleInstance (socket.getFullPathName()).claim ("x.q7x"), SingleInstance::Role::handedOver);
    EXPECT_TRUE (waitUntil ([&] { return received.size() == 1; }));
}

// Other users can neither connect nor replace it; the lock file is as private.
TEST_F (SingleInstanceLinuxTest, TheSocketAndItsLockAreOnlyForTheirUser)
{
    SingleInstance first (socket.getFullPathName());
    ASSERT_EQ (first.claim ({}), SingleInstance::Role::running);

    for (const auto& file : { socket, folder.getChildFile ("editor.socket.lock") })
    {
        struct stat info
        {};
        ASSERT_EQ (::lstat (file.getFullPathName().toRawUTF8(), &info), 0) << file.getFullPathName();
        EXPECT_EQ (info.st_mode & 0777, 0600u) << file.getFullPathName();
    }
}

// Something else at the socket's place may belong to someone: it is left alone, and the
// editor says why it runs without hand-overs.
TEST_F (SingleInstanceLinuxTest, AFileInThePlaceOfTheSocketIsKeptAndReported)
{
    ASSERT_TRUE (socket.replaceWithText ("not a socket"));

    SingleInstance instance (socket.getFullPathName());
    EXPECT_EQ (instance.claim ("a.q7x"), SingleInstance::Role::unavailable);
    EXPECT_TRUE (instance.getProblem().contains (socket.getFullPathName())) << instance.getProblem();
    EXPECT_EQ (socket.loadFileAsString(), "not a socket");

    SingleInstance running (folder.getChildFile ("other.socket").getFullPathName());
    EXPECT_EQ (running.claim ({}), SingleInstance::Role::running);
    EXPECT_TRUE (running.getProblem().isEmpty());
}

TEST_F (SingleInstanceLinuxTest, ASocketPathTooLongToUseLetsTheEditorRunAlone)
{
    SingleInstance instance (folder.getChildFile (juce::String::repeatedString ("x", 200)).getFullPathName());
    EXPECT_EQ (instance.claim ({}), SingleInstance::Role::unavailable);
}

TEST_F (SingleInstanceLinuxTest, CommandLinesAreJoinedAndMadeAbsoluteLikeTheFrameworkDoes)
{
    EXPECT_EQ (SingleInstance::joinArguments ({ "My Preset.q7x" }), "\"My Preset.q7x\"");
    EXPECT_EQ (SingleInstance::joinArguments ({ "-x", "a.q7x" }), "-x a.q7x");
    EXPECT_EQ (SingleInstance::joinArguments ({}), "");

    const juce::File cwd ("/home/user/presets");
    EXPECT_EQ (SingleInstance::makePathAbsolute ("\"My Preset.q7x\"", cwd), "\"/home/user/presets/My Preset.q7x\"");
    EXPECT_EQ (SingleInstance::makePathAbsolute ("sub/a.q7x", cwd), "\"/home/user/presets/sub/a.q7x\"");
    EXPECT_EQ (SingleInstance::makePathAbsolute ("/tmp/b.q7x", cwd), "\"/tmp/b.q7x\"");
    EXPECT_EQ (SingleInstance::makePathAbsolute ("  ", cwd), "  ");
    EXPECT_EQ (SingleInstance::makePathAbsolute ("-psn_0_1", cwd), "-psn_0_1");

    // Climbing above the root stays at the root, as the system has it ("..", taken after the
    // links before it, is tested on real folders in CommandLinePathLinuxTest).
    EXPECT_EQ (SingleInstance::fileNamedBy ("/../a.q7x", cwd), juce::File ("/a.q7x"));
    EXPECT_EQ (SingleInstance::fileNamedBy ("\"/../../../../tmp/./b.q7x\"", cwd), juce::File ("/tmp/b.q7x"));
}

// Two launches at once that both find a crashed instance's socket: exactly one of them
// becomes the running instance, and the other hands its command line to it.
TEST_F (SingleInstanceLinuxTest, TwoLaunchesOverAStaleSocketEndWithOneRunningInstance)
{
    for (int round = 0; round < 50; ++round)
    {
        SCOPED_TRACE ("round " + std::to_string (round));
        {
            const auto fd = ::socket (AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address {};
            address.sun_family = AF_UNIX;
            const auto path = socket.getFullPathName().toStdString();
            std::copy (path.begin(), path.end(), address.sun_path);
            ASSERT_EQ (::bind (fd, (const sockaddr*) &address, sizeof (address)), 0);
            ::close (fd); // left behind, as by a killed editor
        }

        expectOneOfTwoLaunchesToRun (socket.getFullPathName());
    }
}

TEST (Dialogs, ASaveNameWithoutAnExtensionGetsTheEditorsOne)
{
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File ("/p/My Preset")), juce::File ("/p/My Preset.q7x"));
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File ("/p/a.q7x")), juce::File ("/p/a.q7x"));
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File ("/p/a.syx")), juce::File ("/p/a.syx.q7x"));
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File()), juce::File());
}

TEST (Dialogs, ADotInASaveNameIsPartOfTheNameNotAnExtension)
{
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File ("/p/Live v1.2")), juce::File ("/p/Live v1.2.q7x"));
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File ("/p/Set.Q7X")), juce::File ("/p/Set.Q7X"));
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File ("/p/Set.q7x.old")), juce::File ("/p/Set.q7x.old.q7x"));
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File ("/p/v2.")), juce::File ("/p/v2..q7x"));
}

TEST (Dialogs, TheSaveChooserStartsWithTheDocumentsNameInTheFolder)
{
    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory);
    EXPECT_EQ (Dialogs::proposedSaveLocation (folder, "Untitled 3"), folder.getChildFile ("Untitled 3.q7x"));
    EXPECT_EQ (Dialogs::proposedSaveLocation (folder, "Live v1.2"), folder.getChildFile ("Live v1.2.q7x"));
    // A name is never a path into another folder.
    EXPECT_EQ (Dialogs::proposedSaveLocation (folder, "../a/b"), folder.getChildFile ("..ab.q7x"));

    // Without a folder to start in, or a name, the chooser gets what there is.
    const juce::File missing ("/no/such/folder/q7x");
    EXPECT_EQ (Dialogs::proposedSaveLocation (missing, "Untitled 1"), missing);
    EXPECT_EQ (Dialogs::proposedSaveLocation (juce::File(), "Untitled 1"), juce::File());
    EXPECT_EQ (Dialogs::proposedSaveLocation (folder, "  "), folder);
}
} // namespace
