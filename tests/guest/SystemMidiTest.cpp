// The system MIDI backend against a real ALSA sequencer: run inside the guest kernel only
// (tests/guest/run_guest.sh), where q7x-simulator's "Q7X" ports and snd-virmidi's ports exist.
#include "AlertRecorder.h"
#include "RecordingMidiListener.h"
#include "WaitUntil.h"
#include "controller/PresetController.h"
#include "midi/SystemMidiBackend.h"
#include "preset/PresetFraming.h"
#include "preset/VerbatimTexts.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace PresetLayout;

namespace
{
const juce::String q7x ("Q7X"), virmidi ("VirMIDI 0-0");

/** q7x-simulator running as a process of its own, from its "ready" line until destroyed or vanished. */
class SimulatorProcess
{
public:
    explicit SimulatorProcess (juce::StringArray options = {})
    {
        options.insert (0, Q7X_SIMULATOR_PROGRAM);
        started = process.start (options, juce::ChildProcess::wantStdOut) && waitForReadyLine();
    }

    ~SimulatorProcess() { vanish(); }

    bool isReady() const noexcept { return started; }

    /** Like pulling the cable: the process dies and the sequencer drops its ports. */
    void vanish()
    {
        process.kill();
        process.waitForProcessToFinish (5000);
    }

private:
    // One byte at a time: the pipe is read with fread, which waits for as many bytes as asked for.
    bool waitForReadyLine()
    {
        juce::String output;
        char byte = 0;

        while (! output.endsWith ("ready\n"))
        {
            if (process.readProcessOutput (&byte, 1) != 1)
                return false;

            output += juce::String::charToString ((juce::juce_wchar) (juce::uint8) byte);
        }

        return true;
    }

    juce::ChildProcess process;
    bool started = false;
};

juce::Array<juce::uint8> editedPreset()
{
    auto image = getDefaultPresetImage();

    for (int i = 0; i < image.size(); i += 5)
        image.set (i, (juce::uint8) (i % 8));

    return image;
}

juce::MidiMessage sysEx (juce::uint8 command, const juce::Array<juce::uint8>& payload = {})
{
    const auto body = PresetFraming::makeBody (command, payload);
    return juce::MidiMessage::createSysExMessage (body.begin(), body.size());
}

std::vector<juce::uint8> wireBytes (juce::uint8 command, const juce::Array<juce::uint8>& payload)
{
    return bytesOf (sysEx (command, payload));
}

bool listedEverywhere (SystemMidiBackend& backend, const juce::String& name)
{
    return backend.getInputDeviceNames().contains (name) && backend.getOutputDeviceNames().contains (name);
}

class SystemMidiTest : public testing::Test
{
protected:
    void choose (const juce::String& name)
    {
        manager.setInputDevice (name);
        manager.setOutputDevice (name);
    }

    // The editor's Get: the alerts it raised until one of the titles came, or until the 7 s of
    // retries are over and a few seconds more.
    juce::String get()
    {
        alerts.clear();
        controller->requestPreset();
        alerts.waitFor (1, 12000);
        return alerts.getTitles().joinIntoString (" | ");
    }

    SystemMidiBackend backend;
    MidiManager manager { backend };
    AlertRecorder alerts;
    std::unique_ptr<PresetController> controller { createPresetController (&manager) };
};
} // namespace

TEST_F (SystemMidiTest, ListsTheSimulatorsPortsByNameAndTheSequencersOwn)
{
    EXPECT_FALSE (backend.getInputDeviceNames().contains (q7x));
    SimulatorProcess simulator;
    ASSERT_TRUE (simulator.isReady());

    EXPECT_TRUE (listedEverywhere (backend, q7x));
    EXPECT_TRUE (listedEverywhere (backend, virmidi));
    EXPECT_TRUE (listedEverywhere (backend, "Midi Through Port-0"));

    simulator.vanish();
    EXPECT_TRUE (waitUntil ([this] { return ! backend.getInputDeviceNames().contains (q7x); }, 5000));
}

TEST_F (SystemMidiTest, TwentyRoundTripsBringTheDumpedPresetBackWhole)
{
    SimulatorProcess simulator;
    ASSERT_TRUE (simulator.isReady());
    choose (q7x);
    ASSERT_TRUE (manager.isInputOpen() && manager.isOutputOpen());
    RecordingMidiListener received;
    manager.addListener (&received);

    const auto image = editedPreset();
    manager.sendMessage (sysEx (presetDumpCommand, image));
    const auto expected = wireBytes (presetReplyCommand, image);
    ASSERT_EQ (expected.size(), 103u);

    for (int i = 1; i <= 20; ++i)
    {
        manager.sendMessage (sysEx (presetRequestCommand));
        ASSERT_TRUE (waitUntil ([&] { return received.size() >= i; }, 5000)) << "round trip " << i;
    }

    juce::Thread::sleep (200); // nothing more than one answer per request
    ASSERT_EQ (received.size(), 20);

    for (const auto& message : received.getMessages())
        EXPECT_EQ (bytesOf (message), expected);

    manager.removeListener (&received);
}

TEST_F (SystemMidiTest, AReplyWrittenInThreeBytePiecesArrivesAsOneMessage)
{
    choose (virmidi);
    ASSERT_TRUE (manager.isInputOpen());
    RecordingMidiListener received;
    manager.addListener (&received);

    // snd-virmidi's raw device feeds its sequencer port: a slow device writing a few bytes at a time.
    const auto expected = wireBytes (presetReplyCommand, editedPreset());
    const auto fd = ::open ("/dev/snd/midiC0D0", O_WRONLY);
    ASSERT_GE (fd, 0);

    for (size_t i = 0; i < expected.size(); i += 3)
    {
        const auto size = std::min<size_t> (3, expected.size() - i);
        ASSERT_EQ (::write (fd, expected.data() + i, size), (ssize_t) size);
        juce::Thread::sleep (2);
    }

    ::close (fd);
    ASSERT_TRUE (waitUntil ([&] { return received.size() == 1; }, 5000));
    juce::Thread::sleep (200);
    EXPECT_EQ (received.size(), 1);
    EXPECT_EQ (bytesOf (received.getMessages()[0]), expected);

    manager.removeListener (&received);
}

TEST_F (SystemMidiTest, GetReachesADeviceThatAppearsAfterItWasChosen)
{
    choose (q7x);
    SimulatorProcess simulator ({ "--reply", "preset" });
    ASSERT_TRUE (simulator.isReady());

    // The manager looks at the lists about once a second.
    ASSERT_TRUE (waitUntil ([this] { return manager.isInputOpen() && manager.isOutputOpen(); }, 5000));
    EXPECT_EQ (get(), juce::String (VerbatimTexts::presetReceivedTitle));
}

TEST_F (SystemMidiTest, GetSucceedsAgainOnceAVanishedDeviceComesBack)
{
    auto simulator = std::make_unique<SimulatorProcess>();
    ASSERT_TRUE (simulator->isReady());
    choose (q7x);
    ASSERT_EQ (get(), juce::String (VerbatimTexts::presetReceivedTitle));
    alerts.clear();

    // Unplugged for as long as the manager takes to notice (about a second), then plugged back:
    // the manager reopens it by name on its own, with no word to the user.
    simulator.reset();
    ASSERT_TRUE (waitUntil ([this] { return ! manager.isInputOpen() && ! manager.isOutputOpen(); }, 5000));
    simulator = std::make_unique<SimulatorProcess>();
    ASSERT_TRUE (simulator->isReady());
    ASSERT_TRUE (waitUntil ([this] { return manager.isInputOpen() && manager.isOutputOpen(); }, 5000));
    EXPECT_EQ (alerts.size(), 0);
    EXPECT_EQ (get(), juce::String (VerbatimTexts::presetReceivedTitle));
}

TEST_F (SystemMidiTest, GetWhileTheDeviceIsGoneShowsTheNoDeviceAlertWithoutWaiting)
{
    auto simulator = std::make_unique<SimulatorProcess>();
    ASSERT_TRUE (simulator->isReady());
    choose (q7x);
    simulator.reset();

    ASSERT_TRUE (waitUntil ([this] { return ! manager.isOutputOpen(); }, 5000));
    controller->requestPreset();
    EXPECT_FALSE (controller->isAwaitingReply()) << "a request went to the vanished device";
    ASSERT_TRUE (alerts.waitFor (1));
    EXPECT_EQ (alerts.getTitles().joinIntoString (" | "), "No MIDI Device selected.");
}
