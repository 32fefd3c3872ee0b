#include "RecordingMidiListener.h"
#include "WaitUntil.h"
#include "app/EditorMidiBackend.h"
#include "midi/CombinedMidiBackend.h"
#include "midi/Q7XSimulator.h"
#include "preset/PresetLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace PresetLayout;

namespace
{
std::vector<juce::uint8> sysExBytes (juce::uint8 command, const juce::Array<juce::uint8>& payload)
{
    const auto header = makeSysExHeader (command);
    // Byte by byte: MinGW's GCC takes a range insert into a one-byte vector for an overflow.
    std::vector<juce::uint8> bytes { 0xf0 };

    for (auto byte : header)
        bytes.push_back (byte);

    for (auto byte : payload)
        bytes.push_back (byte);

    bytes.push_back (0xf7);
    return bytes;
}

juce::MidiMessage sysExMessage (juce::uint8 command, const juce::Array<juce::uint8>& payload = {})
{
    const auto bytes = sysExBytes (command, payload);
    return juce::MidiMessage::createSysExMessage (bytes.data() + 1, (int) bytes.size() - 2);
}

juce::Array<juce::uint8> editedPreset()
{
    auto image = getDefaultPresetImage();

    for (int i = 0; i < image.size(); i += 7)
        image.set (i, (juce::uint8) (i % 8));

    return image;
}

class Q7XSimulatorTest : public testing::Test
{
protected:
    void SetUp() override
    {
        manager.setOutputDevice (Q7XSimulator::portName);
        manager.setInputDevice (Q7XSimulator::portName);
        manager.addListener (&received);
        ASSERT_TRUE (manager.isInputOpen());
        ASSERT_TRUE (manager.isOutputOpen());
    }

    void request()
    {
        manager.sendMessage (sysExMessage (presetRequestCommand));
    }

    // Waits until every request is answered and every answer delivered.
    void settle()
    {
        ASSERT_TRUE (waitUntil ([this] { return simulator.hasAnsweredAll() && backend.isIdle(); }));
    }

    std::vector<juce::uint8> requestAndGetAnswer()
    {
        const auto before = received.size();
        request();
        settle();

        if (received.size() != before + 1)
            return {};

        return bytesOf (received.getMessages().back());
    }

    InMemoryMidiBackend backend;
    Q7XSimulator simulator { backend };
    RecordingMidiListener received;
    MidiManager manager { backend };
};
} // namespace

TEST_F (Q7XSimulatorTest, AnswersARequestWithTheReplyOfTheDefaultPreset)
{
    // The default preset file, with the reply's command byte.
    std::vector<juce::uint8> expected (defaultPresetDump.begin(), defaultPresetDump.end());
    expected[6] = 0x63;

    EXPECT_EQ (requestAndGetAnswer(), expected);
    EXPECT_EQ (expected.size(), 103u);
    EXPECT_EQ (simulator.getNumRequestsReceived(), 1);
    EXPECT_EQ (simulator.getNumDumpsReceived(), 0);
}

TEST_F (Q7XSimulatorTest, StoresADumpAndAnswersWithIt)
{
    const auto image = editedPreset();

    manager.sendMessage (sysExMessage (presetDumpCommand, image));

    EXPECT_EQ (simulator.getNumDumpsReceived(), 1);
    EXPECT_EQ (simulator.getPreset(), image);
    EXPECT_EQ (requestAndGetAnswer(), sysExBytes (presetReplyCommand, image));
}

TEST_F (Q7XSimulatorTest, IgnoresMessagesThatAreNeitherADumpNorARequest)
{
    auto shortDump = getDefaultPresetImage();
    shortDump.removeRange (10, presetImageSize);
    auto otherHeader = makeSysExHeader (presetRequestCommand);
    otherHeader[4] = 0x42;

    manager.sendMessage (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));
    manager.sendMessage (sysExMessage (presetDumpCommand, shortDump));
    manager.sendMessage (sysExMessage (presetReplyCommand, editedPreset()));
    manager.sendMessage (juce::MidiMessage::createSysExMessage (otherHeader.data(), (int) otherHeader.size()));
    settle();

    EXPECT_EQ (simulator.getNumDumpsReceived(), 0);
    EXPECT_EQ (simulator.getNumRequestsReceived(), 0);
    EXPECT_EQ (simulator.getPreset(), getDefaultPresetImage());
    EXPECT_EQ (received.size(), 0);
}

TEST_F (Q7XSimulatorTest, StaysSilentWhenToldTo)
{
    simulator.setReplyKind (Q7XSimulator::ReplyKind::none);
    request();

    // Answers come in order, so once the second request is answered the first never will be.
    simulator.setReplyKind (Q7XSimulator::ReplyKind::preset);
    request();
    settle();

    EXPECT_EQ (simulator.getNumRequestsReceived(), 2);
    EXPECT_EQ (received.size(), 1);
}

TEST_F (Q7XSimulatorTest, AnswersNoEarlierThanTheDelay)
{
    simulator.setReplyDelay (300);
    const auto sent = juce::Time::getMillisecondCounterHiRes();
    request();
    ASSERT_TRUE (waitUntil ([this] { return received.size() == 1; }));

    EXPECT_GE (received.getMessages()[0].getTimeStamp() * 1000.0 - sent, 300.0);
}

TEST_F (Q7XSimulatorTest, FaultyAnswersAreWhatTheyClaim)
{
    const auto image = editedPreset();
    simulator.setPreset (image);

    simulator.setReplyKind (Q7XSimulator::ReplyKind::wrongHeader);
    EXPECT_EQ (requestAndGetAnswer(), sysExBytes (presetDumpCommand, image));

    simulator.setReplyKind (Q7XSimulator::ReplyKind::outOfRangeByte);
    const auto channel = findParameter ("Keybed MIDI Channel");
    ASSERT_TRUE (channel.has_value());
    auto outOfRange = image;
    outOfRange.set (channel->offset, (juce::uint8) (channel->getInfo().rawMaximum + 1));
    EXPECT_EQ (requestAndGetAnswer(), sysExBytes (presetReplyCommand, outOfRange));

    simulator.setReplyKind (Q7XSimulator::ReplyKind::shortMessage);
    const auto shortReply = requestAndGetAnswer();
    const auto fullReply = sysExBytes (presetReplyCommand, image);
    ASSERT_GE (shortReply.size(), 10u);
    EXPECT_LT (shortReply.size() - 2, (size_t) sysExHeaderSize + presetImageSize);
    EXPECT_TRUE (std::equal (shortReply.begin(), shortReply.end() - 1, fullReply.begin()));
    EXPECT_EQ (shortReply.back(), 0xf7);

    EXPECT_EQ (simulator.getPreset(), image);
}

TEST_F (Q7XSimulatorTest, PlaysItsControlsOnItsInputUnderThePresetItHolds)
{
    auto image = getDefaultPresetImage();
    image.set (24, 30); // Knob 3 CC 30
    simulator.setPreset (image);

    ASSERT_TRUE (simulator.play ("Knob 3=64\nPad 5").wasOk());
    ASSERT_TRUE (waitUntil ([this] { return received.size() == 3; }));
    const auto messages = received.getMessages();
    EXPECT_EQ (bytesOf (messages[0]), (std::vector<juce::uint8> { 0xb0, 30, 64 }));
    EXPECT_EQ (bytesOf (messages[1]), (std::vector<juce::uint8> { 0x99, 36, 100 }));
    EXPECT_EQ (bytesOf (messages[2]), (std::vector<juce::uint8> { 0x89, 36, 0 }));

    // A script with a line it cannot play plays none of it.
    EXPECT_EQ (simulator.play ("Pad 5\nKnob 3").getErrorMessage(), "line 2: Knob 3 takes a position 0..127, as in Knob 3=127");
    settle();
    EXPECT_EQ (received.size(), 3);
}

TEST (Q7XSimulator, AnswerInPiecesArrivesBeforeTheWholeOffTheMessageThread)
{
    // Sees what a MIDI service hands over, below the manager.
    struct Recorder : public juce::MidiInputCallback
    {
        void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override
        {
            record (message.getRawData(), message.getRawDataSize(), true);
        }

        void handlePartialSysexMessage (juce::MidiInput*, const juce::uint8* data, int numBytesSoFar, double) override
        {
            record (data, numBytesSoFar, false);
        }

        void record (const juce::uint8* data, int size, bool whole)
        {
            const juce::ScopedLock sl (lock);
            (whole ? wholes : pieces).push_back ({ data, data + size });
            onMessageThread = onMessageThread || juce::MessageManager::getInstance()->isThisTheMessageThread();
        }

        juce::CriticalSection lock;
        std::vector<std::vector<juce::uint8>> pieces, wholes;
        bool onMessageThread = false;
    };

    InMemoryMidiBackend backend;
    Q7XSimulator simulator (backend);
    Recorder recorder;
    simulator.setReplyPieces (4);

    auto input = backend.openInput (InMemoryMidiBackend::identifierOf (simulator.getInputDevice()), &recorder);
    auto output = backend.openOutput (InMemoryMidiBackend::identifierOf (simulator.getOutputDevice()));
    ASSERT_NE (input, nullptr);
    ASSERT_NE (output, nullptr);
    input->start();
    output->sendMessageNow (sysExMessage (presetRequestCommand));

    ASSERT_TRUE (waitUntil ([&] { const juce::ScopedLock sl (recorder.lock); return ! recorder.wholes.empty(); }));
    input.reset();

    const auto expected = sysExBytes (presetReplyCommand, getDefaultPresetImage());
    ASSERT_EQ (recorder.wholes.size(), 1u);
    EXPECT_EQ (recorder.wholes[0], expected);
    ASSERT_EQ (recorder.pieces.size(), 3u);
    EXPECT_FALSE (recorder.onMessageThread);

    for (size_t i = 0; i < recorder.pieces.size(); ++i)
    {
        const auto& piece = recorder.pieces[i];
        EXPECT_GT (piece.size(), i == 0 ? 0 : recorder.pieces[i - 1].size());
        EXPECT_LT (piece.size(), expected.size());
        EXPECT_TRUE (std::equal (piece.begin(), piece.end(), expected.begin()));
    }
}

TEST (Q7XSimulator, PortsLeaveTheListsWithTheSimulator)
{
    InMemoryMidiBackend backend;
    backend.addInput ("Keys");

    {
        Q7XSimulator simulator (backend);
        EXPECT_EQ (backend.getInputDeviceNames(), juce::StringArray ("Keys", "Q7X Simulator"));
        EXPECT_EQ (backend.getOutputDeviceNames(), juce::StringArray ("Q7X Simulator"));
    }

    EXPECT_EQ (backend.getInputDeviceNames(), juce::StringArray ("Keys"));
    EXPECT_TRUE (backend.getOutputDeviceNames().isEmpty());
}

TEST (Q7XDevice, AnswersThroughItsTransmitFunctionAndReportsEachStoredDump)
{
    // No transport at all: what the device does is the same on any ports.
    juce::CriticalSection lock;
    std::vector<std::pair<std::vector<juce::uint8>, int>> sent;
    std::vector<juce::Array<juce::uint8>> dumps;
    Q7XDevice device ([&] (const juce::MidiMessage& answer, int pieces) {
        const juce::ScopedLock sl (lock);
        sent.push_back ({ bytesOf (answer), pieces });
    });
    device.setDumpListener ([&] (const juce::Array<juce::uint8>& image) { dumps.push_back (image); });

    const auto image = editedPreset();
    device.received (sysExMessage (presetDumpCommand, image));
    device.setReplyPieces (3);
    device.received (sysExMessage (presetRequestCommand));
    ASSERT_TRUE (waitUntil ([&] { return device.hasAnsweredAll() && device.getNumRequestsReceived() == 1; }));

    ASSERT_EQ (dumps.size(), 1u);
    EXPECT_EQ (dumps[0], image);
    const juce::ScopedLock sl (lock);
    ASSERT_EQ (sent.size(), 1u);
    EXPECT_EQ (sent[0].first, sysExBytes (presetReplyCommand, image));
    EXPECT_EQ (sent[0].second, 3);
}

//==============================================================================
TEST (CombinedMidiBackend, ListsTheFirstBackendsDevicesThenTheSecondsAndOpensTheRightOne)
{
    InMemoryMidiBackend first, second;
    const auto firstTwin = first.addInput ("Twin");
    const auto secondTwin = second.addInput ("Twin");
    const auto alone = second.addInput ("Alone");
    first.addOutput ("Twin");
    const auto lastTwinOut = second.addOutput ("Twin");
    CombinedMidiBackend combined (first, second);

    EXPECT_EQ (combined.getInputDeviceNames(), juce::StringArray ("Twin", "Twin", "Alone"));

    MidiManager manager (combined);
    manager.setInputDevice ("Twin");
    manager.setOutputDevice ("Twin");
    EXPECT_EQ (first.getNumOpenPorts (firstTwin), 1);
    EXPECT_EQ (second.getNumOpenPorts (secondTwin), 0);
    EXPECT_EQ (second.getNumOpenOutputPorts (lastTwinOut), 1);

    manager.setInputDevice ("Alone");
    EXPECT_EQ (first.getNumOpenPorts (firstTwin), 0);
    EXPECT_EQ (second.getNumOpenPorts (alone), 1);
}

namespace
{
/** Sets an environment variable of this process, or removes it when `value` is null. */
void setEnvironmentVariable (const char* name, const char* value)
{
#if JUCE_WINDOWS
    ::_putenv_s (name, value != nullptr ? value : ""); // an empty value removes it
#else
    value != nullptr ? ::setenv (name, value, 1) : ::unsetenv (name);
#endif
}
} // namespace

TEST (DefaultMidiBackend, ListsTheSimulatorAfterTheSystemPortsOnlyWhenAskedFor)
{
    setEnvironmentVariable ("Q7X_SIMULATOR", nullptr);
    EXPECT_FALSE (EditorMidiBackend().get().getInputDeviceNames().contains (Q7XSimulator::portName));

    setEnvironmentVariable ("Q7X_SIMULATOR", "1");
    EditorMidiBackend backend;
    MidiManager manager (backend.get());
    setEnvironmentVariable ("Q7X_SIMULATOR", nullptr);

    EXPECT_EQ (manager.getBackend().getInputDeviceNames().strings.getLast(), Q7XSimulator::portName);
    EXPECT_EQ (manager.getBackend().getOutputDeviceNames().strings.getLast(), Q7XSimulator::portName);

    RecordingMidiListener received;
    manager.addListener (&received);
    manager.setOutputDevice (Q7XSimulator::portName);
    manager.setInputDevice (Q7XSimulator::portName);
    manager.sendMessage (sysExMessage (presetRequestCommand));

    EXPECT_TRUE (waitUntil ([&] { return received.size() == 1; }));
    manager.removeListener (&received);
}
