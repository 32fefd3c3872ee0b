#include "AlertRecorder.h"
#include "RecordingMidiListener.h"
#include "WaitUntil.h"
#include "midi/InMemoryMidiBackend.h"
#include "midi/MidiManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>

namespace
{

class MidiManagerTest : public testing::Test
{
protected:
    // Delivers a message on the device and waits until it has gone through.
    void deliverAndWait (int device, const juce::MidiMessage& message, int numPieces = 1)
    {
        backend.deliver (device, message, numPieces);
        ASSERT_TRUE (waitUntil ([this] { return backend.isIdle(); }));
    }

    AlertRecorder alerts;
    InMemoryMidiBackend backend;
    MidiManager manager { backend };
};
} // namespace

TEST_F (MidiManagerTest, StartsWithNoPortsAndNoNames)
{
    EXPECT_FALSE (manager.isInputOpen());
    EXPECT_FALSE (manager.isOutputOpen());
    EXPECT_TRUE (manager.getInputDeviceName().isEmpty());
    EXPECT_TRUE (manager.getOutputDeviceName().isEmpty());
    EXPECT_EQ (&manager.getBackend(), &backend);
}

TEST_F (MidiManagerTest, EmptyInputNameOpensNothingEvenIfADeviceHasThatName)
{
    const auto unnamed = backend.addInput ({});

    manager.setInputDevice ({});

    EXPECT_FALSE (manager.isInputOpen());
    EXPECT_EQ (backend.getNumOpenPorts (unnamed), 0);
}

TEST_F (MidiManagerTest, OpensAndStartsTheNamedInput)
{
    const auto other = backend.addInput ("Other");
    const auto keys = backend.addInput ("Keys");
    RecordingMidiListener listener;
    manager.addListener (&listener);

    manager.setInputDevice ("Keys");

    EXPECT_TRUE (manager.isInputOpen());
    EXPECT_EQ (manager.getInputDeviceName(), "Keys");
    EXPECT_EQ (backend.getNumOpenPorts (keys), 1);
    EXPECT_EQ (backend.getNumOpenPorts (other), 0);

    deliverAndWait (keys, noteOn);
    ASSERT_EQ (listener.size(), 1);
    EXPECT_EQ (bytesOf (listener.getMessages()[0]), bytesOf (noteOn));
    manager.removeListener (&listener);
}

TEST_F (MidiManagerTest, SameInputNameDoesNothingWhileItsPortIsOpen)
{
    const auto keys = backend.addInput ("Keys");
    manager.setInputDevice ("Keys");

    // Reopening would now fail and close the port.
    backend.setInputFailsToOpen (keys, true);
    manager.setInputDevice ("Keys");

    EXPECT_TRUE (manager.isInputOpen());
    EXPECT_EQ (backend.getNumOpenPorts (keys), 1);
}

TEST_F (MidiManagerTest, SameInputNameRetriesWhenNoPortIsOpen)
{
    manager.setInputDevice ("Keys");
    EXPECT_FALSE (manager.isInputOpen());
    EXPECT_EQ (manager.getInputDeviceName(), "Keys");

    // Plugged in afterwards, but refusing to open at first.
    const auto keys = backend.addInput ("Keys");
    backend.setInputFailsToOpen (keys, true);
    manager.setInputDevice ("Keys");
    EXPECT_FALSE (manager.isInputOpen());

    backend.setInputFailsToOpen (keys, false);
    manager.setInputDevice ("Keys");
    EXPECT_TRUE (manager.isInputOpen());
    EXPECT_EQ (backend.getNumOpenPorts (keys), 1);
}

TEST_F (MidiManagerTest, NoneOrAnUnlistedNameClosesTheOpenPortsUntilThatNameIsListed)
{
    // "none" in Device Setup is the empty name; a device listed without a name stays closed for it.
    const auto keysIn = backend.addInput ("Keys"), keysOut = backend.addOutput ("Keys");
    const auto unnamedIn = backend.addInput ({}), unnamedOut = backend.addOutput ({});
    RecordingMidiListener listener;
    manager.addListener (&listener);

    for (const juce::String chosen : { "", "Missing" })
    {
        SCOPED_TRACE (chosen.quoted().toStdString());
        manager.setInputDevice ("Keys");
        manager.setOutputDevice ("Keys");
        ASSERT_EQ (backend.getNumOpenPorts (keysIn), 1);
        ASSERT_EQ (backend.getNumOpenOutputPorts (keysOut), 1);
        alerts.clear();
        const auto heardBefore = listener.size();
        const auto sentBefore = backend.getSentMessages (keysOut).size();

        manager.setOutputDevice (chosen);
        manager.setInputDevice (chosen);
        manager.checkDevices();

        EXPECT_EQ (manager.getInputDeviceName(), chosen);
        EXPECT_EQ (manager.getOutputDeviceName(), chosen);
        EXPECT_FALSE (manager.isInputOpen());
        EXPECT_FALSE (manager.isOutputOpen());
        EXPECT_EQ (backend.getNumOpenPorts (keysIn) + backend.getNumOpenOutputPorts (keysOut), 0);
        EXPECT_EQ (backend.getNumOpenPorts (unnamedIn) + backend.getNumOpenOutputPorts (unnamedOut), 0);

        // The old device neither reaches the listeners nor receives anything any more.
        deliverAndWait (keysIn, noteOn);
        EXPECT_EQ (listener.size(), heardBefore);
        manager.sendMessage (noteOn);
        EXPECT_EQ (backend.getSentMessages (keysOut).size(), sentBefore);
        EXPECT_EQ (alerts.getTitles(), juce::StringArray ("MIDI Error"));
    }

    // The chosen name still counts: its device opens when it appears.
    const auto missingIn = backend.addInput ("Missing"), missingOut = backend.addOutput ("Missing");
    manager.checkDevices();
    EXPECT_EQ (backend.getNumOpenPorts (missingIn), 1);
    EXPECT_EQ (backend.getNumOpenOutputPorts (missingOut), 1);
    manager.removeListener (&listener);
}

TEST_F (MidiManagerTest, OfIdenticallyNamedDevicesTheFirstInputAndTheLastOutputOpen)
{
    const auto firstIn = backend.addInput ("Twin");
    const auto secondIn = backend.addInput ("Twin");
    const auto firstOut = backend.addOutput ("Twin");
    const auto secondOut = backend.addOutput ("Twin");

    manager.setInputDevice ("Twin");
    manager.setOutputDevice ("Twin");

    EXPECT_EQ (backend.getNumOpenPorts (firstIn), 1);
    EXPECT_EQ (backend.getNumOpenPorts (secondIn), 0);
    EXPECT_EQ (backend.getNumOpenOutputPorts (firstOut), 0);
    EXPECT_EQ (backend.getNumOpenOutputPorts (secondOut), 1);

    manager.sendMessage (noteOn);
    EXPECT_TRUE (backend.getSentMessages (firstOut).empty());
    EXPECT_EQ (backend.getSentMessages (secondOut).size(), 1u);
}

TEST_F (MidiManagerTest, OutputOfTheLastTwinThatFailsToOpenLeavesNone)
{
    const auto firstOut = backend.addOutput ("Twin");
    const auto secondOut = backend.addOutput ("Twin");

    backend.setOutputFailsToOpen (firstOut, true);
    manager.setOutputDevice ("Twin");
    EXPECT_EQ (backend.getNumOpenOutputPorts (secondOut), 1);

    backend.setOutputFailsToOpen (firstOut, false);
    backend.setOutputFailsToOpen (secondOut, true);
    manager.setOutputDevice ("Twin");
    EXPECT_FALSE (manager.isOutputOpen());
    EXPECT_EQ (backend.getNumOpenOutputPorts (firstOut), 0);
    EXPECT_EQ (backend.getNumOpenOutputPorts (secondOut), 0);
}

TEST_F (MidiManagerTest, FailedOpensCloseThePreviousPortsAndLeaveNone)
{
    const auto goodIn = backend.addInput ("Good");
    const auto goodOut = backend.addOutput ("Good");
    const auto badIn = backend.addInput ("Bad");
    const auto badOut = backend.addOutput ("Bad");
    backend.setInputFailsToOpen (badIn, true);
    backend.setOutputFailsToOpen (badOut, true);
    manager.setInputDevice ("Good");
    manager.setOutputDevice ("Good");

    manager.setInputDevice ("Bad");
    manager.setOutputDevice ("Bad");

    EXPECT_FALSE (manager.isInputOpen());
    EXPECT_FALSE (manager.isOutputOpen());
    EXPECT_EQ (backend.getNumOpenPorts (goodIn), 0);
    EXPECT_EQ (backend.getNumOpenOutputPorts (goodOut), 0);
    EXPECT_EQ (manager.getInputDeviceName(), "Bad");
}

TEST_F (MidiManagerTest, SameOutputNameOpensTheDeviceAnew)
{
    const auto before = backend.addOutput ("Synth");
    manager.setOutputDevice ("Synth");

    // The device went away and came back as a new one of the same name.
    backend.removeOutput (before);
    const auto after = backend.addOutput ("Synth");
    manager.setOutputDevice ("Synth");

    EXPECT_EQ (backend.getNumOpenOutputPorts (before), 0);
    EXPECT_EQ (backend.getNumOpenOutputPorts (after), 1);
}

TEST_F (MidiManagerTest, SendingWithoutAnOutputShowsTheMidiErrorOncePerCallAndSendsNothing)
{
    const auto synth = backend.addOutput ("Synth");

    manager.sendMessage (noteOn);
    manager.sendMessage (noteOn);

    const auto shown = alerts.getEntries();
    ASSERT_EQ (shown.size(), 2);

    for (const auto& alert : shown)
    {
        EXPECT_EQ (alert.title, "MIDI Error");
        EXPECT_EQ (alert.message, "MIDI Communication Unsuccessful.\r\n"
                                  "Verify MIDI Connection and Device Settings.\r\n"
                                  "Verify no other applications are using the MIDI Port.");
    }

    EXPECT_TRUE (backend.getSentMessages (synth).empty());

    manager.setOutputDevice ("Synth");
    const auto sysEx = juce::MidiMessage::createSysExMessage (std::vector<juce::uint8> { 1, 2, 3 }.data(), 3);
    manager.sendMessage (sysEx);

    ASSERT_EQ (backend.getSentMessages (synth).size(), 1u);
    EXPECT_EQ (bytesOf (backend.getSentMessages (synth)[0]), bytesOf (sysEx));
    EXPECT_EQ (alerts.size(), 2);
}

TEST_F (MidiManagerTest, ListenersAreUniqueNonNullAndCalledNewestFirst)
{
    const auto keys = backend.addInput ("Keys");
    manager.setInputDevice ("Keys");

    juce::StringArray order;
    RecordingMidiListener a (&order, "A"), b (&order, "B"), c (&order, "C"), stranger;
    manager.addListener (&a);
    manager.addListener (nullptr);
    manager.addListener (&b);
    manager.addListener (&a);
    manager.addListener (&c);
    manager.removeListener (&stranger);

    deliverAndWait (keys, noteOn);
    EXPECT_EQ (order, juce::StringArray ("C", "B", "A"));

    manager.removeListener (&b);
    deliverAndWait (keys, noteOn);
    EXPECT_EQ (order, juce::StringArray ("C", "B", "A", "C", "A"));

    manager.removeListener (&a);
    manager.removeListener (&c);
}

TEST_F (MidiManagerTest, ListenerMayRemoveItselfDuringTheBroadcast)
{
    struct Leaver : public RecordingMidiListener
    {
        explicit Leaver (MidiManager& m) : manager (m) {}

        void midiMessageReceived (const juce::MidiMessage& message) override
        {
            RecordingMidiListener::midiMessageReceived (message);
            manager.removeListener (this);
        }

        MidiManager& manager;
    };

    const auto keys = backend.addInput ("Keys");
    manager.setInputDevice ("Keys");
    RecordingMidiListener first, last;
    Leaver leaver (manager);
    manager.addListener (&first);
    manager.addListener (&leaver);
    manager.addListener (&last);

    deliverAndWait (keys, noteOn);
    deliverAndWait (keys, noteOn);

    EXPECT_EQ (leaver.size(), 1);
    EXPECT_EQ (first.size(), 2);
    EXPECT_EQ (last.size(), 2);
    manager.removeListener (&first);
    manager.removeListener (&last);
}

TEST_F (MidiManagerTest, ListenerRemovedByAnotherDuringTheBroadcastIsSkippedAndNoneIsCalledTwice)
{
    // Removes one listener that has not been called yet, and one that has.
    struct Remover : public RecordingMidiListener
    {
        Remover (MidiManager& m, juce::StringArray* log) : RecordingMidiListener (log, "C"), manager (m) {}

        void midiMessageReceived (const juce::MidiMessage& message) override
        {
            RecordingMidiListener::midiMessageReceived (message);
            manager.removeListener (victim);
        }

        MidiManager& manager;
        MidiManager::MidiManagerListener* victim = nullptr;
    };

    const auto keys = backend.addInput ("Keys");
    manager.setInputDevice ("Keys");

    juce::StringArray order;
    RecordingMidiListener a (&order, "A"), b (&order, "B"), d (&order, "D");
    Remover c (manager, &order);
    manager.addListener (&a);
    manager.addListener (&b);
    manager.addListener (&c);
    manager.addListener (&d);

    c.victim = &a;
    deliverAndWait (keys, noteOn);
    EXPECT_EQ (order, juce::StringArray ("D", "C", "B"));

    manager.addListener (&a);
    c.victim = &d;
    deliverAndWait (keys, noteOn);
    EXPECT_EQ (order, juce::StringArray ("D", "C", "B", "A", "D", "C", "B"));

    manager.removeListener (&a);
    manager.removeListener (&b);
    manager.removeListener (&c);
}

TEST_F (MidiManagerTest, SysExInPiecesReachesListenersOnceAndWhole)
{
    const auto keys = backend.addInput ("Keys");
    manager.setInputDevice ("Keys");
    RecordingMidiListener listener;
    manager.addListener (&listener);

    std::vector<juce::uint8> data (60);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = (juce::uint8) i;

    const auto sysEx = juce::MidiMessage::createSysExMessage (data.data(), (int) data.size());
    deliverAndWait (keys, sysEx, 5);

    ASSERT_EQ (listener.size(), 1);
    EXPECT_EQ (bytesOf (listener.getMessages()[0]), bytesOf (sysEx));
    manager.removeListener (&listener);
}

TEST_F (MidiManagerTest, ClosingTheManagerClosesBothPorts)
{
    const auto keysIn = backend.addInput ("Keys");
    const auto keysOut = backend.addOutput ("Keys");

    {
        MidiManager other (backend);
        other.setInputDevice ("Keys");
        other.setOutputDevice ("Keys");
        EXPECT_EQ (backend.getNumOpenPorts (keysIn), 1);
        EXPECT_EQ (backend.getNumOpenOutputPorts (keysOut), 1);
    }

    EXPECT_EQ (backend.getNumOpenPorts (keysIn), 0);
    EXPECT_EQ (backend.getNumOpenOutputPorts (keysOut), 0);
}

TEST_F (MidiManagerTest, WatchesTheDeviceListsOnlyWhileANameIsChosenAndFindsALateDeviceByItself)
{
    EXPECT_FALSE (manager.isWatchingDevices());

    // A name not listed yet is watched for, and opened once its device comes, without a call.
    manager.setInputDevice ("Late");
    EXPECT_TRUE (manager.isWatchingDevices());
    EXPECT_FALSE (manager.isInputOpen());
    backend.addInput ("Late");
    EXPECT_TRUE (waitUntil ([this] { return manager.isInputOpen(); }));

    manager.setOutputDevice ("Late");
    manager.setInputDevice ({});
    EXPECT_TRUE (manager.isWatchingDevices()) << "the output's name is still chosen";
    manager.setOutputDevice ({});
    EXPECT_FALSE (manager.isWatchingDevices());

    manager.setOutputDevice ("Later");
    EXPECT_TRUE (manager.isWatchingDevices());
}

//==============================================================================
namespace
{
// Removes itself when destroyed, and counts any call that ends after that.
class SelfRemovingListener : public MidiManager::MidiManagerListener
{
public:
    SelfRemovingListener (MidiManager& managerToUse, std::atomic<int>& lateCallsToCount, std::atomic<int>& callsToCount)
        : manager (managerToUse), lateCalls (lateCallsToCount), calls (callsToCount)
    {
        manager.addListener (this);
    }

    ~SelfRemovingListener() override
    {
        manager.removeListener (this);
        removed = true;

        // Keeps the object alive a moment longer, so that a call slipping past the
        // removal is counted here rather than only touching freed memory.
        for (int i = 0; i < 20; ++i)
            juce::Thread::yield();
    }

    void midiMessageReceived (const juce::MidiMessage& message) override
    {
        // Spends a little time in the call, as a real listener does, and lets other
        // threads run in the middle of it even on a single core: a removal that
        // returns meanwhile is as wrong as a call that starts after it.
        checksum += message.getRawData()[0];
        juce::Thread::yield();
        checksum += message.getRawData()[0];

        if (removed)
            ++lateCalls;

        ++calls;
    }

private:
    MidiManager& manager;
    std::atomic<int>& lateCalls;
    std::atomic<int>& calls;
    std::atomic<bool> removed { false };
    std::atomic<int> checksum { 0 };
};

class Flooder : public juce::Thread
{
public:
    explicit Flooder (MidiManager& managerToUse) : juce::Thread ("Flooder"), manager (managerToUse) {}

    ~Flooder() override { stopThread (-1); }

    void run() override
    {
        while (! threadShouldExit())
        {
            manager.handleIncomingMidiMessage (nullptr, noteOn);

            // A MIDI service lets go between bursts; without that the lock may never
            // come free for the thread removing listeners.
            if (++sent % 4 == 0)
                juce::Thread::yield();
        }
    }

    std::atomic<int> sent { 0 };

private:
    MidiManager& manager;
};
} // namespace

TEST (MidiManagerListenerGuard, RemovedListenersAreNeverCalledWhileMessagesFlood)
{
    InMemoryMidiBackend backend;
    MidiManager manager (backend);
    std::atomic<int> lateCalls { 0 }, calls { 0 };
    std::vector<std::unique_ptr<SelfRemovingListener>> listeners;
    std::mt19937 random (7);

    for (int i = 0; i < 8; ++i)
        listeners.push_back (std::make_unique<SelfRemovingListener> (manager, lateCalls, calls));

    Flooder flooder (manager);
    flooder.startThread();
    ASSERT_TRUE (waitUntil ([&] { return calls > 0; }));

    for (int round = 0; round < 2000; ++round)
    {
        // Each removal lands while the flood is going on.
        for (const auto seen = flooder.sent.load(); flooder.sent == seen;)
            juce::Thread::yield();

        auto& victim = listeners[random() % listeners.size()];
        victim = std::make_unique<SelfRemovingListener> (manager, lateCalls, calls);
    }

    listeners.clear();
    flooder.stopThread (-1);

    EXPECT_EQ (lateCalls.load(), 0);
    EXPECT_GT (flooder.sent.load(), 0);
}
