#include "WaitUntil.h"
#include "app/Dialogs.h"
#include "app/SingleInstance.h"
#include "preset/ExternalText.h"

#include <gtest/gtest.h>
#include <array>
#include <atomic>
#include <cstring>
#include <set>
#include <thread>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{
class SingleInstanceTest : public testing::Test
{
protected:
    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getNonexistentChildFile ("q7x-instance", {}, false);
    juce::File socket = folder.getChildFile ("editor.socket");

    void SetUp() override { folder.createDirectory(); }
    void TearDown() override { folder.deleteRecursively(); }
};

TEST_F (SingleInstanceTest, ASecondLaunchHandsItsCommandLineToTheFirst)
{
    SingleInstance first (socket);
    ASSERT_EQ (first.claim ({}), SingleInstance::Role::running);

    juce::StringArray received;
    first.startListening ([&] (const juce::String& line) { received.add (line); });

    {
        SingleInstance second (socket);
        EXPECT_EQ (second.claim ("\"/presets/My Preset.q7x\""), SingleInstance::Role::handedOver);
    }

    EXPECT_TRUE (waitUntil ([&] { return received.size() == 1; }));
    EXPECT_EQ (received, juce::StringArray ({ "\"/presets/My Preset.q7x\"" }));

    // The second instance leaves the first one's socket alone.
    EXPECT_EQ (SingleInstance (socket).claim ("again"), SingleInstance::Role::handedOver);
    EXPECT_TRUE (waitUntil ([&] { return received.size() == 2; }));

    // A command line still on its way to the message thread is dropped once the first stops listening.
    EXPECT_EQ (SingleInstance (socket).claim ("late"), SingleInstance::Role::handedOver);
    first.stopListening();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    EXPECT_EQ (received.size(), 2);
}

TEST_F (SingleInstanceTest, ASocketLeftByACrashedInstanceIsTakenOver)
{
    // A socket file that nobody listens on any more, as a killed instance leaves it:
    // moved aside while its owner closes, then put back.
    const auto aside = folder.getChildFile ("aside.socket");
    {
        SingleInstance crashed (socket);
        ASSERT_EQ (crashed.claim ({}), SingleInstance::Role::running);
        ASSERT_TRUE (socket.moveFileTo (aside));
    }
    ASSERT_TRUE (aside.moveFileTo (socket));

    SingleInstance next (socket);
    EXPECT_EQ (next.claim ({}), SingleInstance::Role::running);

    juce::StringArray received;
    next.startListening ([&] (const juce::String& line) { received.add (line); });
    EXPECT_EQ (SingleInstance (socket).claim ("x.q7x"), SingleInstance::Role::handedOver);
    EXPECT_TRUE (waitUntil ([&] { return received.size() == 1; }));
}

/** Sends raw bytes to the running instance as a later launch would, and returns the byte it answered, or 0. */
char sendRawBytes (const juce::File& socket, const std::string& bytes)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const auto path = socket.getFullPathName().toStdString();
    std::copy (path.begin(), path.end(), address.sun_path);

    const auto fd = ::socket (AF_UNIX, SOCK_STREAM, 0);
    char answer = 0;

    if (::connect (fd, (const sockaddr*) &address, sizeof (address)) == 0
        && ::send (fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == (ssize_t) bytes.size())
    {
        ::shutdown (fd, SHUT_WR); // no more is coming, nor a confirmation
        const timeval timeout { 2, 0 };
        ::setsockopt (fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof (timeout));

        if (::recv (fd, &answer, 1, 0) != 1)
            answer = 0;
    }

    ::close (fd);
    return answer;
}

// What arrives from another process is checked before it becomes text: the running
// editor answers nothing, delivers nothing and goes on taking valid hand-overs.
TEST_F (SingleInstanceTest, BytesThatAreNoCommandLineAreDropped)
{
    SingleInstance first (socket);
    ASSERT_EQ (first.claim ({}), SingleInstance::Role::running);

    juce::StringArray received;
    first.startListening ([&] (const juce::String& line) { received.add (line); });

    using namespace std::string_literals;
    EXPECT_EQ (sendRawBytes (socket, "\x2e\x01\x2d\x20\xd0\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff"s + '\0'), 0);
    EXPECT_EQ (sendRawBytes (socket, "\"/p/caf\xe9.q7x\""s + '\0'), 0); // Latin-1
    EXPECT_EQ (sendRawBytes (socket, "a.q7x\0b.q7x"s + '\0'), 0);       // a hidden tail
    EXPECT_EQ (sendRawBytes (socket, std::string (SingleInstance::maxCommandLineBytes + 1, 'x') + '\0'), 0);
    EXPECT_EQ (sendRawBytes (socket, "\xf0\x9f"s), 0); // cut short

    // A whole valid line is acknowledged, but opened only once its sender confirms it leaves it to us.
    EXPECT_EQ (sendRawBytes (socket, "unconfirmed.q7x"s + '\0'), 'k');

    const auto valid = juce::String::fromUTF8 ("\"/p/caf\xc3\xa9 \xf0\x9f\x8e\xb9.q7x\"");
    EXPECT_EQ (SingleInstance (socket).claim (valid), SingleInstance::Role::handedOver);
    EXPECT_TRUE (waitUntil ([&] { return received.size() == 1; }));
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    EXPECT_EQ (received, juce::StringArray (valid));
}

TEST_F (SingleInstanceTest, HandedOverBytesAndArgumentsAreDecodedSafely)
{
    const auto decode = [] (const std::string& bytes) { return SingleInstance::decodeCommandLine (bytes.data(), bytes.size()); };

    EXPECT_EQ (decode ("\"/a b/c.q7x\""), juce::String ("\"/a b/c.q7x\""));
    EXPECT_EQ (decode (""), juce::String());
    EXPECT_EQ (decode ("\xe2\x82\xac"), juce::String::fromUTF8 ("\xe2\x82\xac"));
    EXPECT_EQ (decode ("\xe2\x82"), std::nullopt);
    EXPECT_EQ (decode ("\xff"), std::nullopt);
    EXPECT_EQ (decode ("\xf4\x8f\xbf\xbf"), juce::String::fromUTF8 ("\xf4\x8f\xbf\xbf")); // U+10FFFF
    for (const auto* notUtf8 : { "\xc0\x80", "\xe0\x9f\x8e", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xf8\x88\x80\x80\x80" })
        EXPECT_EQ (decode (notUtf8), std::nullopt) << juce::String::toHexString (notUtf8, (int) std::strlen (notUtf8));
    EXPECT_EQ (decode (std::string ("a\0b", 3)), std::nullopt);
    EXPECT_EQ (decode (std::string (SingleInstance::maxCommandLineBytes, 'x'))->length(), 64 * 1024);
    EXPECT_EQ (decode (std::string (SingleInstance::maxCommandLineBytes + 1, 'x')), std::nullopt);

    // A file name that is not UTF-8 still names something the user can be told about.
    EXPECT_EQ (ExternalText::decode ("caf\xe9.q7x"), juce::String::fromUTF8 ("caf\xc3\xa9.q7x"));
    EXPECT_EQ (ExternalText::decode ("caf\xc3\xa9.q7x"), juce::String::fromUTF8 ("caf\xc3\xa9.q7x"));
    EXPECT_EQ (ExternalText::decode ("\x2e\x01\x2d\x20\xd0\xff").length(), 6);
    EXPECT_EQ (ExternalText::decode ("a\xc0\x80").length(), 3); // an overlong zero is no end
}

// A first instance that does not answer (stopped, or busy) leaves the file to the second
// launch; when it comes back it must not open that file as well.
TEST_F (SingleInstanceTest, AFirstInstanceThatDoesNotAnswerInTimeNeverOpensTheFileToo)
{
    SingleInstance first (socket, 300);
    ASSERT_EQ (first.claim ({}), SingleInstance::Role::running); // not listening yet: as good as hung

    SingleInstance second (socket, 300);
    EXPECT_EQ (second.claim ("\"/p/late.q7x\""), SingleInstance::Role::unanswered);
    EXPECT_TRUE (second.getProblem().contains ("did not answer")) << second.getProblem();

    juce::StringArray received;
    first.startListening ([&] (const juce::String& line) { received.add (line); });

    // The later hand-over waits behind the stale one in the queue; only it arrives.
    EXPECT_EQ (SingleInstance (socket, 300).claim ("\"/p/next.q7x\""), SingleInstance::Role::handedOver);
    EXPECT_TRUE (waitUntil ([&] { return received.size() == 1; }));
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    EXPECT_EQ (received, juce::StringArray ("\"/p/next.q7x\""));
}

// Something else at the socket's place may belong to someone: it is left alone, and the
// editor says why it runs without hand-overs.
TEST_F (SingleInstanceTest, AFileInThePlaceOfTheSocketIsKeptAndReported)
{
    ASSERT_TRUE (socket.replaceWithText ("not a socket"));

    SingleInstance instance (socket);
    EXPECT_EQ (instance.claim ("a.q7x"), SingleInstance::Role::unavailable);
    EXPECT_TRUE (instance.getProblem().contains (socket.getFullPathName())) << instance.getProblem();
    EXPECT_EQ (socket.loadFileAsString(), "not a socket");

    SingleInstance running (folder.getChildFile ("other.socket"));
    EXPECT_EQ (running.claim ({}), SingleInstance::Role::running);
    EXPECT_TRUE (running.getProblem().isEmpty());
}

TEST_F (SingleInstanceTest, ASocketPathTooLongToUseLetsTheEditorRunAlone)
{
    SingleInstance instance (folder.getChildFile (juce::String::repeatedString ("x", 200)));
    EXPECT_EQ (instance.claim ({}), SingleInstance::Role::unavailable);
}

TEST_F (SingleInstanceTest, CommandLinesAreJoinedAndMadeAbsoluteLikeTheFrameworkDoes)
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

    // Climbing above the root stays at the root, as the system has it.
    EXPECT_EQ (SingleInstance::fileNamedBy ("/../a.q7x", cwd), juce::File ("/a.q7x"));
    EXPECT_EQ (SingleInstance::fileNamedBy ("\"../../../../x/./b.q7x\"", cwd), juce::File ("/x/b.q7x"));
    EXPECT_EQ (SingleInstance::fileNamedBy ("sub/../c.q7x", cwd), juce::File ("/home/user/presets/c.q7x"));
}

/** Connects to the socket and sends nothing, as a stuck or hostile local process would. */
int connectIdle (const juce::File& socket)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const auto path = socket.getFullPathName().toStdString();
    std::copy (path.begin(), path.end(), address.sun_path);

    const auto fd = ::socket (AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ (::connect (fd, (const sockaddr*) &address, sizeof (address)), 0);
    return fd;
}

// Clients that connect and send nothing (more of them than are served at once) cannot
// make a later launch give up and open its file in a second editor.
TEST_F (SingleInstanceTest, IdleClientsDoNotHoldUpAHandOver)
{
    SingleInstance first (socket);
    ASSERT_EQ (first.claim ({}), SingleInstance::Role::running);

    juce::StringArray received;
    first.startListening ([&] (const juce::String& line) { received.add (line); });

    std::vector<int> idle;

    for (int i = 0; i < 6; ++i)
        idle.push_back (connectIdle (socket));

    EXPECT_EQ (SingleInstance (socket).claim ("\"/p/wanted.q7x\""), SingleInstance::Role::handedOver);
    EXPECT_TRUE (waitUntil ([&] { return received.size() == 1; }));
    EXPECT_EQ (received, juce::StringArray ("\"/p/wanted.q7x\""));

    for (auto fd : idle)
        ::close (fd);
}

// Two launches at once that both find a crashed instance's socket: exactly one of them
// becomes the running instance, and the other hands its command line to it.
TEST_F (SingleInstanceTest, TwoLaunchesOverAStaleSocketEndWithOneRunningInstance)
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

        SingleInstance a (socket), b (socket);
        juce::StringArray received;
        std::atomic<int> ready { 0 };
        std::array<SingleInstance::Role, 2> roles {};

        auto launch = [&] (SingleInstance& instance, int index) {
            for (++ready; ready < 2;) {}
            roles[(size_t) index] = instance.claim ("\"/p/" + juce::String (index) + ".q7x\"");

            if (roles[(size_t) index] == SingleInstance::Role::running)
                instance.startListening ([&] (const juce::String& line) { received.add (line); });
        };

        std::thread ta (launch, std::ref (a), 0), tb (launch, std::ref (b), 1);
        ta.join();
        tb.join();

        const std::multiset<SingleInstance::Role> expected { SingleInstance::Role::running, SingleInstance::Role::handedOver };
        ASSERT_EQ (std::multiset<SingleInstance::Role> (roles.begin(), roles.end()), expected);
        const auto handedOver = roles[0] == SingleInstance::Role::handedOver ? 0 : 1;
        EXPECT_TRUE (waitUntil ([&] { return received.size() == 1; }));
        EXPECT_EQ (received, juce::StringArray ("\"/p/" + juce::String (handedOver) + ".q7x\""));
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
