#include "MidiBytes.h"
#include "AlertRecorder.h"
#include "FakeParameterValue.h"
#include "PresetFixtures.h"
#include "midi/Q7XSimulator.h"

#include <gtest/gtest.h>
#include <thread>

namespace
{
juce::MidiMessage replyWith (const juce::Array<juce::uint8>& body, juce::uint8 command = PresetLayout::presetReplyCommand)
{
    const auto header = PresetLayout::makeSysExHeader (command);
    juce::Array<juce::uint8> data (header.data(), (int) header.size());
    data.addArray (body);
    return juce::MidiMessage::createSysExMessage (data.getRawDataPointer(), data.size());
}

void runLoop (int ms)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (ms);
}

class PresetSysExTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        manager.setOutputDevice (Q7XSimulator::portName);
        manager.setInputDevice (Q7XSimulator::portName);
        ASSERT_TRUE (manager.isInputOpen() && manager.isOutputOpen());
        ASSERT_TRUE (controller->applyPresetData (PresetLayout::getDefaultPresetImage()));
    }

    std::vector<juce::MidiMessage> sent() const { return backend.getSentMessages (simulator.getOutputDevice()); }

    /** Runs the message loop until the simulator has answered and its answer is handled. */
    void settle()
    {
        for (int i = 0; i < 400 && ! (simulator.hasAnsweredAll() && backend.isIdle()); ++i)
            runLoop (5);

        runLoop (20);
    }

    InMemoryMidiBackend backend;
    Q7XSimulator simulator { backend };
    MidiManager manager { backend };
    std::unique_ptr<PresetController> controller { createPresetController (&manager) };
    FakeEditor editor { *controller };
    AlertRecorder alerts;
};
} // namespace

TEST_F (PresetSysExTest, RequestAndDumpAreExactOnTheWire)
{
    simulator.setReplyKind (Q7XSimulator::ReplyKind::none);
    controller->requestPreset();
    controller->sendPreset();

    const auto messages = sent();
    ASSERT_EQ (messages.size(), 2u);
    EXPECT_EQ (wireBytes (messages[0]), (std::vector<int> { 0xf0, 0x00, 0x00, 0x0e, 0x00, 0x41, 0x62, 0x00, 0x5d, 0xf7 }));
    EXPECT_EQ (wireBytes (messages[1]), std::vector<int> (PresetLayout::defaultPresetDump.begin(),
                                                          PresetLayout::defaultPresetDump.end()));
    EXPECT_TRUE (controller->isAwaitingReply());
}

TEST_F (PresetSysExTest, SentPresetIsFetchedBackByAnotherDocument)
{
    juce::Random random (3);
    const auto preset = makeRandomValidPreset (random, 1);
    ASSERT_TRUE (controller->applyPresetData (preset));
    controller->sendPreset();
    settle();
    EXPECT_EQ (simulator.getPreset(), preset);

    std::unique_ptr<PresetController> other (createPresetController (&manager));
    FakeEditor otherEditor (*other);
    simulator.setReplyPieces (4);
    other->requestPreset();

    ASSERT_TRUE (alerts.waitFor (1));
    settle();
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ("MIDI Get Sucess"));
    EXPECT_EQ (alerts.getEntries()[0].message, "Preset sucessfully retrieved from hardware.");
    EXPECT_EQ (other->getPresetData(), preset);
    EXPECT_FALSE (other->isAwaitingReply());
    EXPECT_EQ (simulator.getNumRequestsReceived(), 1); // answered before the first retry
}

TEST_F (PresetSysExTest, SilentHardwareGetsNineRequestsThenGiveUp)
{
    simulator.setReplyKind (Q7XSimulator::ReplyKind::none);
    std::vector<double> sentAt;
    double alertAt = 0;

    const auto start = juce::Time::getMillisecondCounterHiRes();
    controller->requestPreset();
    controller->requestPreset(); // a second click while waiting changes nothing
    sentAt.push_back (0);

    while (alertAt == 0 && juce::Time::getMillisecondCounterHiRes() - start < 12000)
    {
        runLoop (2);
        const auto now = juce::Time::getMillisecondCounterHiRes() - start;

        while (sent().size() > sentAt.size())
            sentAt.push_back (now);

        if (alerts.size() > 0)
            alertAt = now;
    }

    ASSERT_EQ (sentAt.size(), 9u);
    ASSERT_EQ (alerts.getTitles(), juce::StringArray ("MIDI Get Preset Unsuccessful"));
    EXPECT_EQ (alerts.getEntries()[0].message, "Verify MIDI device settings and try again.");

    // The pacing is 1000 ms, then 750 ms. JUCE's timers can fire a few tens of
    // milliseconds early and, on a loaded machine, late: the bounds only tell the
    // two waits apart and catch a timer that is not restarted.
    EXPECT_GT (sentAt[1], 900.0);
    EXPECT_LT (sentAt[1], 2000.0);
    for (size_t i = 2; i < sentAt.size(); ++i)
    {
        EXPECT_GT (sentAt[i] - sentAt[i - 1], 650.0) << "request " << i;
        EXPECT_LT (sentAt[i] - sentAt[i - 1], 900.0 + 1000.0) << "request " << i;
    }
    EXPECT_LT ((sentAt[8] - sentAt[1]) / 7.0, 900.0); // 750 ms apart, not 1000
    EXPECT_GT (alertAt - sentAt[8], 650.0);
    EXPECT_GT (alertAt, 6600.0);
    EXPECT_FALSE (controller->isAwaitingReply());

    // A reply after giving up is ignored.
    backend.deliver (simulator.getInputDevice(), replyWith (simulator.getPreset()));
    settle();
    EXPECT_EQ (alerts.size(), 1);
}

// The timer and the MIDI thread race: a reply recognised before the timer fires ends the
// retries at once, and is applied even when the timer meant to give up.
TEST_F (PresetSysExTest, AReplyRecognisedBeforeTheTimerFiresIsNeverDropped)
{
    simulator.setReplyKind (Q7XSimulator::ReplyKind::none);
    juce::Random random (9);
    const auto preset = makeRandomValidPreset (random, 2);

    controller->requestPreset();
    controller->timerCallback(); // the first retry
    ASSERT_EQ (sent().size(), 2u);

    controller->midiMessageReceived (replyWith (preset)); // as the MIDI thread does
    controller->timerCallback();                          // fires before the reply is handled
    EXPECT_EQ (sent().size(), 2u);
    settle();
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ("MIDI Get Sucess"));
    EXPECT_EQ (controller->getPresetData(), preset);

    // The same at the last moment: the timer that would give up finds the reply on its way.
    ASSERT_TRUE (controller->applyPresetData (PresetLayout::getDefaultPresetImage()));
    controller->requestPreset();

    for (int i = 0; i < PresetRequestSchedule::maxRetries; ++i)
        controller->timerCallback();

    ASSERT_EQ (sent().size(), 2u + 9u);
    controller->midiMessageReceived (replyWith (preset));
    controller->timerCallback();
    settle();
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ({ "MIDI Get Sucess", "MIDI Get Sucess" }));
    EXPECT_EQ (controller->getPresetData(), preset);
    EXPECT_EQ (sent().size(), 11u);
    EXPECT_FALSE (controller->isAwaitingReply());
}

TEST_F (PresetSysExTest, RepliesWithOtherHeadersAreIgnoredWhileWaiting)
{
    simulator.setReplyKind (Q7XSimulator::ReplyKind::wrongHeader);
    controller->requestPreset();
    settle();

    auto header = PresetLayout::makeSysExHeader (PresetLayout::presetReplyCommand);
    header[7] = 0x5e; // a length other than 93
    juce::Array<juce::uint8> wrongLength (header.data(), (int) header.size());
    wrongLength.addArray (simulator.getPreset());
    backend.deliver (simulator.getInputDevice(),
                     juce::MidiMessage::createSysExMessage (wrongLength.getRawDataPointer(), wrongLength.size()));
    backend.deliver (simulator.getInputDevice(), juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));
    const juce::uint8 nothing = 0;
    backend.deliver (simulator.getInputDevice(), juce::MidiMessage::createSysExMessage (&nothing, 0));
    backend.deliver (simulator.getInputDevice(), replyWith (std::initializer_list<juce::uint8> { 1, 2, 3 }, 0x41));
    settle();

    EXPECT_TRUE (controller->isAwaitingReply());
    EXPECT_EQ (alerts.size(), 0);
    EXPECT_EQ (controller->getPresetData(), PresetLayout::getDefaultPresetImage());
}

TEST_F (PresetSysExTest, InvalidRepliesEndTheRequestWithAnAlert)
{
    for (auto kind : { Q7XSimulator::ReplyKind::outOfRangeByte, Q7XSimulator::ReplyKind::shortMessage })
    {
        alerts.clear();
        simulator.setReplyKind (kind);
        controller->requestPreset();
        ASSERT_TRUE (alerts.waitFor (1));
        settle();

        EXPECT_EQ (alerts.getTitles(), juce::StringArray ("Invalid MIDI Message"));
        EXPECT_EQ (alerts.getEntries()[0].message, "Verify MIDI Connection and Device Settings");
        EXPECT_EQ (controller->getPresetData(), PresetLayout::getDefaultPresetImage());
        EXPECT_FALSE (controller->isAwaitingReply());
    }

    EXPECT_EQ (simulator.getNumRequestsReceived(), 2); // an invalid reply is not retried
}

TEST_F (PresetSysExTest, LongRepliesAndFreeBytesOfTheModeAreAccepted)
{
    simulator.setReplyKind (Q7XSimulator::ReplyKind::none);
    auto preset = PresetLayout::getDefaultPresetImage();
    preset.set (33, 2);  // pad 1 in CC Momentary
    preset.set (36, 64); // with Released 64
    auto body = preset;
    body.addArray (std::initializer_list<juce::uint8> { 1, 2, 3 });

    controller->requestPreset();
    backend.deliver (simulator.getInputDevice(), replyWith (body));
    ASSERT_TRUE (alerts.waitFor (1));

    EXPECT_EQ (alerts.getTitles(), juce::StringArray ("MIDI Get Sucess"));
    EXPECT_EQ (controller->getPresetData(), preset);
}

TEST_F (PresetSysExTest, MissingPortsAreReported)
{
    MidiManager outputOnly { backend };
    outputOnly.setOutputDevice (Q7XSimulator::portName);
    std::unique_ptr<PresetController> document (createPresetController (&outputOnly));

    document->sendPreset();
    document->requestPreset();
    settle();

    EXPECT_EQ (simulator.getNumDumpsReceived(), 1);
    EXPECT_EQ (simulator.getNumRequestsReceived(), 0);
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ("No MIDI Device selected."));
    EXPECT_EQ (alerts.getEntries()[0].message, "Please select a device using the Device Setup option.");

    MidiManager none { backend };
    std::unique_ptr<PresetController> unconnected (createPresetController (&none));
    unconnected->sendPreset();
    EXPECT_EQ (alerts.size(), 2);
    EXPECT_EQ (simulator.getNumDumpsReceived(), 1);
}

// Thousands of messages during a request: only the first recognised reply counts.
TEST_F (PresetSysExTest, FloodDuringARequestAppliesOneReply)
{
    simulator.setReplyKind (Q7XSimulator::ReplyKind::none);
    juce::Random random (11);
    const auto preset = makeRandomValidPreset (random, 2);
    controller->requestPreset();

    for (int i = 0; i < 3000; ++i)
    {
        backend.deliver (simulator.getInputDevice(), juce::MidiMessage::controllerEvent (1, i % 128, 64));
        if (i % 500 == 250)
            backend.deliver (simulator.getInputDevice(), replyWith (preset));
        if (i % 100 == 0)
            backend.deliver (simulator.getInputDevice(), replyWith (preset, PresetLayout::presetDumpCommand));
    }

    settle();
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ("MIDI Get Sucess"));
    EXPECT_EQ (controller->getPresetData(), preset);
}

TEST_F (PresetSysExTest, ReplyForAClosedDocumentGoesNowhere)
{
    simulator.setReplyDelay (30);
    controller->requestPreset();
    controller.reset();
    settle();
    runLoop (50);

    EXPECT_EQ (alerts.size(), 0);
    EXPECT_EQ (simulator.getNumRequestsReceived(), 1);
}

// Documents close while the hardware floods replies: a controller that has gone is never called.
TEST_F (PresetSysExTest, ClosingDocumentsWhileMessagesFlood)
{
    simulator.setReplyKind (Q7XSimulator::ReplyKind::none);
    std::atomic<bool> flooding { true };
    const auto reply = replyWith (simulator.getPreset());

    std::thread flooder ([&] {
        for (int n = 0; n < 20000 && flooding; ++n)
        {
            backend.deliver (simulator.getInputDevice(), reply);
            std::this_thread::yield();
        }
    });

    for (int i = 0; i < 200; ++i)
    {
        std::unique_ptr<PresetController> document (createPresetController (&manager));
        document->requestPreset();
        runLoop (1);
    }

    flooding = false;
    flooder.join();
    settle();

    for (const auto& title : alerts.getTitles())
        EXPECT_EQ (title, "MIDI Get Sucess");
}
