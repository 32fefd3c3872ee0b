#include "SingleInstanceTestSupport.h"
#include "TemporaryFolder.h"
#include "WaitUntil.h"
#include "app/singleinstance/InstanceEndpoint.h"
#include "app/singleinstance/SingleInstance.h"
#include "preset/ExternalText.h"

#include <gtest/gtest.h>
#include <array>
#include <atomic>
#include <cstring>
#include <set>
#include <thread>

void expectOneOfTwoLaunchesToRun (const juce::String& endpoint)
{
    SingleInstance a (endpoint), b (endpoint);
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

namespace
{
class SingleInstanceTest : public testing::Test
{
protected:
    const TemporaryFolder temp;
    const juce::File folder = temp.get();
    juce::String endpoint = makeTestEndpointAddress (folder);
};

TEST_F (SingleInstanceTest, ASecondLaunchHandsItsCommandLineToTheFirst)
{
    SingleInstance first (endpoint);
    ASSERT_EQ (first.claim ({}), SingleInstance::Role::running);

    juce::StringArray received;
    first.startListening ([&] (const juce::String& line) { received.add (line); });

    {
        SingleInstance second (endpoint);
        EXPECT_EQ (second.claim ("\"/presets/My Preset.q7x\""), SingleInstance::Role::handedOver);
    }

    EXPECT_TRUE (waitUntil ([&] { return received.size() == 1; }));
    EXPECT_EQ (received, juce::StringArray ({ "\"/presets/My Preset.q7x\"" }));

    // The second instance leaves the first one's endpoint alone.
    EXPECT_EQ (SingleInstance (endpoint).claim ("again"), SingleInstance::Role::handedOver);
    EXPECT_TRUE (waitUntil ([&] { return received.size() == 2; }));

    // A command line still on its way to the message thread is dropped once the first stops listening.
    EXPECT_EQ (SingleInstance (endpoint).claim ("late"), SingleInstance::Role::handedOver);
    first.stopListening();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    EXPECT_EQ (received.size(), 2);
}

// Once the running instance has gone, the next launch runs and takes the launches after it.
TEST_F (SingleInstanceTest, TheLaunchAfterTheRunningInstanceEndsRunsItself)
{
    {
        SingleInstance first (endpoint);
        ASSERT_EQ (first.claim ({}), SingleInstance::Role::running);
        first.startListening ([] (const juce::String&) {});
    }

    SingleInstance next (endpoint);
    EXPECT_EQ (next.claim ("a.q7x"), SingleInstance::Role::running);
    EXPECT_TRUE (next.getProblem().isEmpty()) << next.getProblem();

    juce::StringArray received;
    next.startListening ([&] (const juce::String& line) { received.add (line); });
    EXPECT_EQ (SingleInstance (endpoint).claim ("b.q7x"), SingleInstance::Role::handedOver);
    EXPECT_TRUE (waitUntil ([&] { return received.size() == 1; }));
    EXPECT_EQ (received, juce::StringArray ("b.q7x"));
}

TEST_F (SingleInstanceTest, TwoLaunchesAtOnceEndWithOneRunningInstance)
{
    for (int round = 0; round < 20; ++round)
    {
        SCOPED_TRACE ("round " + std::to_string (round));
        expectOneOfTwoLaunchesToRun (endpoint);
    }
}

/** Sends raw bytes to the running instance as a later launch would, and returns the byte it answered, or 0. */
char sendRawBytes (const juce::String& endpoint, const std::string& bytes)
{
    const auto connection = InstanceEndpoint (endpoint).connect (2000);
    char answer = 0;

    if (connection == nullptr || ! connection->write (bytes.data(), bytes.size(), 2000)
        || connection->read (&answer, 1, 2000) != 1)
        return 0;

    return answer;
}

// What arrives from another process is checked before it becomes text: the running
// editor answers nothing, delivers nothing and goes on taking valid hand-overs.
TEST_F (SingleInstanceTest, BytesThatAreNoCommandLineAreDropped)
{
    SingleInstance first (endpoint);
    ASSERT_EQ (first.claim ({}), SingleInstance::Role::running);

    juce::StringArray received;
    first.startListening ([&] (const juce::String& line) { received.add (line); });

    using namespace std::string_literals;
    EXPECT_EQ (sendRawBytes (endpoint, "\x2e\x01\x2d\x20\xd0\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff"s + '\0'), 0);
    EXPECT_EQ (sendRawBytes (endpoint, "\"/p/caf\xe9.q7x\""s + '\0'), 0); // Latin-1
    EXPECT_EQ (sendRawBytes (endpoint, "a.q7x\0b.q7x"s + '\0'), 0);       // a hidden tail
    EXPECT_EQ (sendRawBytes (endpoint, std::string (SingleInstance::maxCommandLineBytes + 1, 'x') + '\0'), 0);
    EXPECT_EQ (sendRawBytes (endpoint, "\xf0\x9f"s), 0); // cut short

    // A whole valid line is acknowledged, but opened only once its sender confirms it leaves it to us.
    EXPECT_EQ (sendRawBytes (endpoint, "unconfirmed.q7x"s + '\0'), 'k');

    const auto valid = juce::String::fromUTF8 ("\"/p/caf\xc3\xa9 \xf0\x9f\x8e\xb9.q7x\"");
    EXPECT_EQ (SingleInstance (endpoint).claim (valid), SingleInstance::Role::handedOver);
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
    SingleInstance first (endpoint, 300);
    ASSERT_EQ (first.claim ({}), SingleInstance::Role::running); // not listening yet: as good as hung

    SingleInstance second (endpoint, 300);
    EXPECT_EQ (second.claim ("\"/p/late.q7x\""), SingleInstance::Role::unanswered);
    EXPECT_TRUE (second.getProblem().contains ("did not answer")) << second.getProblem();

    juce::StringArray received;
    first.startListening ([&] (const juce::String& line) { received.add (line); });

    // The later hand-over waits behind the stale one in the queue; only it arrives.
    EXPECT_EQ (SingleInstance (endpoint, 300).claim ("\"/p/next.q7x\""), SingleInstance::Role::handedOver);
    EXPECT_TRUE (waitUntil ([&] { return received.size() == 1; }));
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    EXPECT_EQ (received, juce::StringArray ("\"/p/next.q7x\""));
}

// Clients that connect and send nothing (more of them than are served at once) cannot
// make a later launch give up and open its file in a second editor.
TEST_F (SingleInstanceTest, IdleClientsDoNotHoldUpAHandOver)
{
    SingleInstance first (endpoint);
    ASSERT_EQ (first.claim ({}), SingleInstance::Role::running);

    juce::StringArray received;
    first.startListening ([&] (const juce::String& line) { received.add (line); });

    std::vector<std::unique_ptr<InstanceEndpoint::Connection>> idle;

    for (int i = 0; i < 6; ++i)
    {
        idle.push_back (InstanceEndpoint (endpoint).connect (5000));
        EXPECT_NE (idle.back(), nullptr) << i;
    }

    EXPECT_EQ (SingleInstance (endpoint).claim ("\"/p/wanted.q7x\""), SingleInstance::Role::handedOver);
    EXPECT_TRUE (waitUntil ([&] { return received.size() == 1; }));
    EXPECT_EQ (received, juce::StringArray ("\"/p/wanted.q7x\""));
}
} // namespace
