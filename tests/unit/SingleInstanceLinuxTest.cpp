#include "SingleInstanceTestSupport.h"
#include "TemporaryFolder.h"
#include "WaitUntil.h"
#include "app/Dialogs.h"
#include "app/singleinstance/SingleInstance.h"

#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

/** The endpoint's folder is private, as the editor wants it, whatever the umask made of it. */
juce::String makeTestEndpointAddress (const juce::File& folder)
{
    ::chmod (folder.getFullPathName().toRawUTF8(), 0700);
    return folder.getChildFile ("editor.socket").getFullPathName();
}

namespace
{
class SingleInstanceLinuxTest : public testing::Test
{
protected:
    const TemporaryFolder temp;
    const juce::File folder = temp.get();
    juce::File socket = juce::File (makeTestEndpointAddress (folder));
};

// Someone other than the test's user: no account needed, only a number no file of ours has.
constexpr uid_t otherUser = 4242;

mode_t modeOf (const juce::File& file)
{
    struct stat info
    {};
    return ::lstat (file.getFullPathName().toRawUTF8(), &info) == 0 ? info.st_mode : 0;
}

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

// A launch stopped while it held the lock, or another user's lock file where ours belongs, must
// not keep later launches from starting: they run on their own, with the reason.
TEST_F (SingleInstanceLinuxTest, ALockHeldByAnotherLaunchOrUserLetsTheLaunchRunAlone)
{
    struct Case
    {
        const char* what;
        uid_t owner;
        SingleInstance::Role expected;
    };

    const Case cases[] = {
        { "a stopped launch holds the lock", ::getuid(), SingleInstance::Role::unanswered },
        { "another user's lock file, held", otherUser, SingleInstance::Role::unavailable },
    };

    const auto lockFile = folder.getChildFile ("editor.socket.lock");
    int needRoot = 0;

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);

        if (c.owner != ::getuid() && ::geteuid() != 0)
        {
            ++needRoot;
            continue;
        }

        const auto held = ::open (lockFile.getFullPathName().toRawUTF8(), O_RDWR | O_CREAT, 0600);
        ASSERT_GE (held, 0);
        ASSERT_EQ (::fchown (held, c.owner, (gid_t) -1), 0);
        ASSERT_EQ (::flock (held, LOCK_EX), 0);

        auto launch = std::async (std::launch::async, [this] {
            SingleInstance instance (socket.getFullPathName(), 300);
            const auto role = instance.claim ("a.q7x");
            return std::make_pair (role, instance.getProblem());
        });

        // Far beyond the launch's own 300 ms: a launch that waits for the lock for ever fails here.
        const auto finished = launch.wait_for (std::chrono::seconds (10)) == std::future_status::ready;
        EXPECT_TRUE (finished) << "the launch still waits for the lock";
        ::close (held); // lets a launch that waits for ever go on, so that the test can end
        const auto [role, problem] = launch.get();

        if (finished)
        {
            EXPECT_EQ (role, c.expected);
            EXPECT_TRUE (problem.contains (lockFile.getFullPathName())) << problem;
            EXPECT_FALSE (socket.exists());
        }

        ASSERT_TRUE (lockFile.deleteFile());
        socket.deleteFile();
    }

    if (needRoot > 0)
        GTEST_SKIP() << needRoot << " case(s) need root, to give a file to another user";
}

// Only a folder of the user's own that no one else can write to holds the socket and its lock:
// anywhere else another user could put them there first. Nothing is made in a refused one.
TEST_F (SingleInstanceLinuxTest, AFolderThatIsNotPrivateIsRefused)
{
    struct Case
    {
        const char* what;
        mode_t mode;
        uid_t owner;
        bool isLink;
    };

    const Case cases[] = {
        { "everyone may write, as in /tmp", 01777, ::getuid(), false },
        { "the group may write", 0770, ::getuid(), false },
        { "another user's folder", 0700, otherUser, false },
        { "a link to a private folder", 0700, ::getuid(), true },
    };

    int needRoot = 0;

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);

        if (c.owner != ::getuid() && ::geteuid() != 0)
        {
            ++needRoot;
            continue;
        }

        const auto target = folder.getChildFile ("target");
        ASSERT_TRUE (target.createDirectory());
        ASSERT_EQ (::chmod (target.getFullPathName().toRawUTF8(), c.mode), 0);
        ASSERT_EQ (::chown (target.getFullPathName().toRawUTF8(), c.owner, (gid_t) -1), 0);
        const auto place = c.isLink ? folder.getChildFile ("link") : target;

        if (c.isLink)
        {
            ASSERT_EQ (::symlink (target.getFullPathName().toRawUTF8(), place.getFullPathName().toRawUTF8()), 0);
        }

        {
            SingleInstance instance (place.getChildFile ("editor.socket").getFullPathName(), 300);
            EXPECT_EQ (instance.claim ("a.q7x"), SingleInstance::Role::unavailable);
            EXPECT_TRUE (instance.getProblem().contains (place.getFullPathName())) << instance.getProblem();
            EXPECT_EQ (target.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);
        }

        ::unlink (place.getFullPathName().toRawUTF8());
        ASSERT_TRUE (target.deleteRecursively());
    }

    if (needRoot > 0)
        GTEST_SKIP() << needRoot << " case(s) need root, to give a folder to another user";
}

TEST_F (SingleInstanceLinuxTest, AMissingFolderIsMadeForTheUserAlone)
{
    const auto own = folder.getChildFile ("own");
    SingleInstance instance (own.getChildFile ("editor.socket").getFullPathName());
    EXPECT_EQ (instance.claim ({}), SingleInstance::Role::running);
    EXPECT_EQ (modeOf (own), (mode_t) (S_IFDIR | 0700));
}

// Without a private runtime folder, the socket goes to a folder of the user's own in /tmp.
TEST_F (SingleInstanceLinuxTest, TheDefaultSocketIsInAFolderOfTheUsersOwn)
{
    const auto* saved = std::getenv ("XDG_RUNTIME_DIR");
    const std::string previous = saved != nullptr ? saved : "";
    const auto fallback = "/tmp/q7x-editor-" + std::to_string (::getuid()) + "/editor.socket";
    const auto shared = folder.getChildFile ("shared");
    ASSERT_TRUE (shared.createDirectory());
    ::chmod (shared.getFullPathName().toRawUTF8(), 01777);

    const std::pair<std::string, std::string> cases[] = {
        { "", fallback },
        { "relative/folder", fallback },
        { shared.getFullPathName().toStdString(), fallback },
        { folder.getFullPathName().toStdString(),
          folder.getChildFile ("q7x-editor-" + juce::SystemStats::getLogonName() + ".socket").getFullPathName().toStdString() },
    };

    for (const auto& [runtimeFolder, expected] : cases)
    {
        if (runtimeFolder.empty())
            ::unsetenv ("XDG_RUNTIME_DIR");
        else
            ::setenv ("XDG_RUNTIME_DIR", runtimeFolder.c_str(), 1);

        EXPECT_EQ (InstanceEndpoint::getDefaultAddress().toStdString(), expected) << runtimeFolder;
    }

    if (saved != nullptr)
        ::setenv ("XDG_RUNTIME_DIR", previous.c_str(), 1);
    else
        ::unsetenv ("XDG_RUNTIME_DIR");
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
