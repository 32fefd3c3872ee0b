#include "AlertRecorder.h"
#include "RecordingMidiListener.h"
#include "WaitUntil.h"
#include "controller/PresetController.h"
#include "midi/CombinedMidiBackend.h"
#include "midi/InMemoryMidiBackend.h"
#include "midi/MidiManager.h"
#include "midi/Q7XSimulator.h"

#include <gtest/gtest.h>

// Ports chosen by name stay chosen: devices unplugged and plugged back in, as the
// manager's poll of the device lists sees them.

namespace
{

// How the unplugged "Q7X" comes back.
enum class Return
{
    sameIdentifier,         // replugged: listed again under its old identifier
    newIdentifier,          // replugged after another poll: a new device of the same name
    newDeviceBeforeThePoll, // swapped for another of the same name before the manager looked
};

class MidiReconnectionTest : public testing::TestWithParam<Return>
{
protected:
    AlertRecorder alerts;
    InMemoryMidiBackend backend;
    const int other = backend.addInput ("Other");
    int in = backend.addInput ("Q7X"), out = backend.addOutput ("Q7X");
    MidiManager manager { backend };
    RecordingMidiListener listener;

    MidiReconnectionTest() { manager.addListener (&listener); }
    ~MidiReconnectionTest() override { manager.removeListener (&listener); }

    void unplug()
    {
        backend.disconnectInput (in);
        backend.disconnectOutput (out);
    }
};
} // namespace

TEST_P (MidiReconnectionTest, AVanishedDeviceIsClosedAndItsNameReopenedWhenItComesBack)
{
    manager.setOutputDevice ("Q7X");
    manager.setInputDevice ("Q7X");
    const auto oldIn = in, oldOut = out;
    unplug();

    // Until the manager looks, the dead ports swallow what is sent.
    manager.sendMessage (noteOn);
    EXPECT_TRUE (backend.getSentMessages (oldOut).empty());

    if (GetParam() != Return::newDeviceBeforeThePoll)
    {
        manager.checkDevices();
        EXPECT_FALSE (manager.isInputOpen());
        EXPECT_FALSE (manager.isOutputOpen());
        EXPECT_EQ (backend.getNumOpenPorts (oldIn) + backend.getNumOpenOutputPorts (oldOut), 0);
    }

    if (GetParam() == Return::sameIdentifier)
    {
        backend.reconnectInput (in);
        backend.reconnectOutput (out);
    }
    else
    {
        in = backend.addInput ("Q7X");
        out = backend.addOutput ("Q7X");
    }

    manager.checkDevices();

    ASSERT_TRUE (manager.isInputOpen() && manager.isOutputOpen());
    EXPECT_EQ (manager.getInputDeviceName(), "Q7X");
    EXPECT_EQ (backend.getNumOpenPorts (in), 1);
    EXPECT_EQ (backend.getNumOpenOutputPorts (out), 1);
    EXPECT_EQ (backend.getNumOpenPorts (other), 0);

    // The ports work, which the old handles would not, even under the same identifier.
    manager.sendMessage (noteOn);
    EXPECT_EQ (backend.getSentMessages (out).size(), 1u);
    backend.deliver (in, noteOn);
    ASSERT_TRUE (waitUntil ([this] { return listener.size() == 1; }));
    EXPECT_EQ (alerts.size(), 0); // coming back is silent
}

static std::string nameOf (const testing::TestParamInfo<Return>& param)
{
    const std::vector<std::string> names { "SameIdentifier", "NewIdentifier", "NewDeviceBeforeThePoll" };
    return names[(size_t) param.param];
}

INSTANTIATE_TEST_SUITE_P (Returns, MidiReconnectionTest,
                          testing::Values (Return::sameIdentifier, Return::newIdentifier, Return::newDeviceBeforeThePoll),
                          nameOf);

TEST (MidiReconnection, AChosenDeviceIsOpenedWhenPluggedInAndTheOtherTwinTakesOver)
{
    InMemoryMidiBackend backend;
    MidiManager manager (backend);
    manager.setInputDevice ("Q7X");
    manager.setOutputDevice ("Q7X");

    const auto firstIn = backend.addInput ("Q7X");
    const auto firstOut = backend.addOutput ("Q7X");
    manager.checkDevices();
    EXPECT_EQ (backend.getNumOpenPorts (firstIn), 1);
    EXPECT_EQ (backend.getNumOpenOutputPorts (firstOut), 1);

    // A second one of the name changes nothing while the open one stays.
    const auto secondIn = backend.addInput ("Q7X");
    const auto secondOut = backend.addOutput ("Q7X");
    manager.checkDevices();
    EXPECT_EQ (backend.getNumOpenPorts (firstIn), 1);
    EXPECT_EQ (backend.getNumOpenOutputPorts (firstOut), 1);

    backend.disconnectInput (firstIn);
    backend.disconnectOutput (firstOut);
    manager.checkDevices();
    EXPECT_EQ (backend.getNumOpenPorts (secondIn), 1);
    EXPECT_EQ (backend.getNumOpenOutputPorts (secondOut), 1);
}

TEST (MidiReconnection, TheTimerNoticesTheDeviceGoingAndComingBack)
{
    InMemoryMidiBackend backend;
    const auto out = backend.addOutput ("Q7X");
    MidiManager manager (backend);
    manager.setOutputDevice ("Q7X");

    backend.disconnectOutput (out);
    EXPECT_TRUE (waitUntil ([&] { return ! manager.isOutputOpen(); }, 5000));

    backend.reconnectOutput (out);
    EXPECT_TRUE (waitUntil ([&] { return manager.isOutputOpen(); }, 5000));
}

TEST (MidiReconnection, GetAndSendWhileTheDeviceIsAwayShowTheNoDeviceAlertAndGetWorksWhenItIsBack)
{
    AlertRecorder alerts;
    InMemoryMidiBackend backend;
    Q7XSimulator simulator (backend);
    MidiManager manager (backend);
    manager.setOutputDevice (Q7XSimulator::portName);
    manager.setInputDevice (Q7XSimulator::portName);
    std::unique_ptr<PresetController> controller (createPresetController (&manager));

    backend.disconnectInput (simulator.getInputDevice());
    backend.disconnectOutput (simulator.getOutputDevice());
    manager.checkDevices();
    controller->requestPreset();
    controller->sendPreset();

    EXPECT_EQ (alerts.getTitles(), juce::StringArray ("No MIDI Device selected.", "No MIDI Device selected."));
    EXPECT_EQ (simulator.getNumRequestsReceived() + simulator.getNumDumpsReceived(), 0);

    backend.reconnectInput (simulator.getInputDevice());
    backend.reconnectOutput (simulator.getOutputDevice());
    manager.checkDevices();
    controller->requestPreset();

    ASSERT_TRUE (alerts.waitFor (3));
    EXPECT_EQ (alerts.getTitles()[2], "MIDI Get Sucess");
    EXPECT_EQ (simulator.getNumRequestsReceived(), 1);
}

TEST (MidiReconnection, AGetWhosePortVanishesEndsWithOneNoDeviceAlert)
{
    // Which of the device's ports go away while nothing has answered the request yet.
    const struct
    {
        bool input, output;
    } unplugged[] = { { true, true }, { false, true }, { true, false } };

    for (const auto& gone : unplugged)
    {
        SCOPED_TRACE ("input " + std::to_string (gone.input) + ", output " + std::to_string (gone.output));
        AlertRecorder alerts;
        InMemoryMidiBackend backend;
        const auto in = backend.addInput ("Q7X"), out = backend.addOutput ("Q7X");
        MidiManager manager (backend);
        manager.setOutputDevice ("Q7X");
        manager.setInputDevice ("Q7X");
        std::unique_ptr<PresetController> controller (createPresetController (&manager));

        controller->requestPreset();
        ASSERT_TRUE (controller->isAwaitingReply());

        if (gone.input)
            backend.disconnectInput (in);

        if (gone.output)
            backend.disconnectOutput (out);

        // The manager's poll notices within a second; a full run of retries would take 7.
        ASSERT_TRUE (waitUntil ([&] { return ! controller->isAwaitingReply(); }, 4000));

        // Nothing more piles up after it: no retry is left to fail.
        juce::MessageManager::getInstance()->runDispatchLoopUntil (1000);
        EXPECT_EQ (alerts.getTitles(), juce::StringArray ("No MIDI Device selected."));
        EXPECT_FALSE (controller->isAwaitingReply());
    }
}

TEST (MidiBackendIdentifiers, OpenTheListedDeviceWhateverMovedInTheListSince)
{
    InMemoryMidiBackend first, second;
    const auto gone = second.addOutput ("Gone");
    const auto kept = second.addOutput ("Kept");
    CombinedMidiBackend combined (first, second);
    const auto listed = combined.getOutputDevices();
    ASSERT_EQ (MidiBackend::namesOf (listed), juce::StringArray ("Gone", "Kept"));

    // Plugged in and out after the listing: by position "Kept" would now be another device.
    first.addOutput ("New");
    second.disconnectOutput (gone);

    EXPECT_EQ (combined.openOutput (listed[0].identifier), nullptr);
    const auto port = combined.openOutput (listed[1].identifier);
    ASSERT_NE (port, nullptr);
    EXPECT_EQ (second.getNumOpenOutputPorts (kept), 1);
    EXPECT_EQ (combined.openOutput ("Kept"), nullptr); // a name is not an identifier
}

TEST (MidiClientName, IsTheProgramsFileNameWithoutAnApplicationObject)
{
    // What the MIDI service calls this process's sequencer client: like q7x-preset, the
    // test program has no application object (the editor's client takes the application's name).
#if ! JUCE_LINUX
    GTEST_SKIP() << "only ALSA names a program's MIDI client";
#endif
    EXPECT_EQ (juce::String (JUCE_ALSA_MIDI_NAME), "q7x_unit_tests");
}
