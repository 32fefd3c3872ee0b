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

#include <alsa/asoundlib.h>
#include <csignal>
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
    explicit SimulatorProcess (const juce::StringArray& options = {})
    {
        // Through a shell that prints its process id first, for play's signal.
        juce::StringArray command { "/bin/sh", "-c", "echo $$; exec \"$0\" \"$@\"", Q7X_SIMULATOR_PROGRAM };
        command.addArray (options);
        started = process.start (command, juce::ChildProcess::wantStdOut) && waitForLine ("ready");
    }

    ~SimulatorProcess() { vanish(); }

    bool isReady() const noexcept { return started; }

    /** Like pulling the cable: the process dies and the sequencer drops its ports. */
    void vanish()
    {
        process.kill();
        process.waitForProcessToFinish (5000);
    }

    /** Has the simulator play its --play lines (SIGUSR1) and waits until it says it has. */
    bool play()
    {
        return processId > 0 && ::kill (processId, SIGUSR1) == 0 && waitForLine ("played");
    }

private:
    // One byte at a time: the pipe is read with fread, which waits for as many bytes as asked for.
    // The first line is the process id.
    bool waitForLine (const juce::String& start)
    {
        for (juce::String line;;)
        {
            char byte = 0;

            if (process.readProcessOutput (&byte, 1) != 1)
                return false;

            if (byte != '\n')
            {
                line += juce::String::charToString ((juce::juce_wchar) (juce::uint8) byte);
                continue;
            }

            if (processId == 0)
                processId = line.getIntValue();

            if (line.startsWith (start))
                return true;

            line.clear();
        }
    }

    juce::ChildProcess process;
    pid_t processId = 0;
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

/** Writes `bytes` to snd-virmidi's raw device, which feeds its sequencer port as a device would. */
bool writeToVirmidi (const std::vector<juce::uint8>& bytes)
{
    const auto fd = ::open ("/dev/snd/midiC0D0", O_WRONLY);

    if (fd < 0)
        return false;

    size_t done = 0;

    while (done < bytes.size())
    {
        const auto written = ::write (fd, bytes.data() + done, std::min<size_t> (4096, bytes.size() - done));

        if (written <= 0)
            break;

        done += (size_t) written;
    }

    ::close (fd);
    return done == bytes.size();
}

/** The process's resident memory, in bytes. */
size_t residentBytes()
{
    const auto fields = juce::StringArray::fromTokens (juce::File ("/proc/self/statm").loadFileAsString(), false);
    return (size_t) fields[1].getLargeIntValue() * (size_t)::sysconf (_SC_PAGESIZE);
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

TEST_F (SystemMidiTest, TheSimulatorPlaysItsControlsWhenSignalled)
{
    SimulatorProcess simulator ({ "--play", "Knob 3=64", "--play", "Pad 5" });
    ASSERT_TRUE (simulator.isReady());
    choose (q7x);
    ASSERT_TRUE (manager.isInputOpen());
    RecordingMidiListener received;
    manager.addListener (&received);

    ASSERT_TRUE (simulator.play());
    ASSERT_TRUE (waitUntil ([&] { return received.size() >= 3; }, 5000));
    const auto messages = received.getMessages();

    // The default preset: Knob 3 sends CC 22 on channel 1, Pad 5 note 36 on channel 10.
    EXPECT_EQ (bytesOf (messages[0]), (std::vector<juce::uint8> { 0xb0, 22, 64 }));
    EXPECT_EQ (bytesOf (messages[1]), (std::vector<juce::uint8> { 0x99, 36, 100 }));
    EXPECT_EQ (bytesOf (messages[2]), (std::vector<juce::uint8> { 0x89, 36, 0 }));
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

TEST_F (SystemMidiTest, APortNamedInUtf8IsListedAndChosenByThatName)
{
    const auto cafe = juce::String::fromUTF8 ("Caf\xc3\xa9 Q7X");
    SimulatorProcess simulator ({ "--name", cafe, "--reply", "preset" });
    ASSERT_TRUE (simulator.isReady());

    EXPECT_TRUE (listedEverywhere (backend, cafe)) << backend.getInputDeviceNames().joinIntoString (", ");
    choose (cafe);
    ASSERT_TRUE (manager.isInputOpen() && manager.isOutputOpen());
    EXPECT_EQ (get(), juce::String (VerbatimTexts::presetReceivedTitle));
}

// A device that starts a SysEx message and never ends it: its bytes are dropped as they come, not
// kept, and the next message arrives whole.
TEST_F (SystemMidiTest, ASysExThatNeverEndsCostsNoMemoryAndIsCounted)
{
    choose (virmidi);
    ASSERT_TRUE (manager.isInputOpen());
    RecordingMidiListener received;
    manager.addListener (&received);

    constexpr size_t floodBytes = 4 << 20;
    std::vector<juce::uint8> flood (floodBytes, 0x11);
    flood[0] = 0xf0;
    const auto before = residentBytes();
    ASSERT_TRUE (writeToVirmidi (flood));
    flood = {};

    const auto reply = wireBytes (presetReplyCommand, editedPreset());
    ASSERT_TRUE (writeToVirmidi (reply));
    ASSERT_TRUE (waitUntil ([&] { return received.size() == 1; }, 60000));
    const auto growth = (juce::int64) residentBytes() - (juce::int64) before;

    EXPECT_EQ (bytesOf (received.getMessages()[0]), reply);
    EXPECT_EQ (backend.getNumDroppedSysEx(), 1);
    EXPECT_LT (growth, (juce::int64) floodBytes / 4) << "the process grew by " << growth << " bytes";
    RecordProperty ("resident_growth_kib", (int) (growth / 1024));

    manager.removeListener (&received);
}

// Another program may write straight to the editor's port; only what the chosen device sends is heard.
TEST_F (SystemMidiTest, AnotherProgramWritingToTheEditorsPortIsNotHeard)
{
    choose (virmidi);
    ASSERT_TRUE (manager.isInputOpen());
    RecordingMidiListener received;
    manager.addListener (&received);

    snd_seq_t* intruder = nullptr;
    ASSERT_EQ (snd_seq_open (&intruder, "default", SND_SEQ_OPEN_DUPLEX, 0), 0);
    const auto intruderPort = snd_seq_create_simple_port (intruder, "intruder", SND_SEQ_PORT_CAP_READ,
                                                          SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    ASSERT_GE (intruderPort, 0);

    // The editor's port is the one reading from snd-virmidi's.
    const auto virmidiIdentifier = MidiBackend::findInput (backend.getInputDevices(), virmidi)->identifier;
    snd_seq_query_subscribe_t* query = nullptr;
    snd_seq_query_subscribe_alloca (&query);
    snd_seq_addr_t virmidiPort { (unsigned char) virmidiIdentifier.upToFirstOccurrenceOf ("-", false, false).getIntValue(),
                                 (unsigned char) virmidiIdentifier.fromFirstOccurrenceOf ("-", false, false).getIntValue() };
    snd_seq_query_subscribe_set_root (query, &virmidiPort);
    snd_seq_query_subscribe_set_type (query, SND_SEQ_QUERY_SUBS_READ);
    snd_seq_query_subscribe_set_index (query, 0);
    ASSERT_EQ (snd_seq_query_port_subscribers (intruder, query), 0);
    const auto editorPort = *snd_seq_query_subscribe_get_addr (query);

    auto forged = wireBytes (presetReplyCommand, editedPreset());
    snd_seq_event_t event;
    snd_seq_ev_clear (&event);
    snd_seq_ev_set_source (&event, (unsigned char) intruderPort);
    snd_seq_ev_set_dest (&event, editorPort.client, editorPort.port);
    snd_seq_ev_set_direct (&event);
    event.type = SND_SEQ_EVENT_SYSEX;
    event.flags = (unsigned char) (event.flags | SND_SEQ_EVENT_LENGTH_VARIABLE);
    event.data.ext.len = (unsigned int) forged.size();
    event.data.ext.ptr = forged.data();
    ASSERT_GE (snd_seq_event_output_direct (intruder, &event), 0);

    // What the device sends after it arrives: the forged reply, had it been heard, would be first.
    ASSERT_TRUE (writeToVirmidi (bytesOf (noteOn)));
    ASSERT_TRUE (waitUntil ([&] { return received.size() >= 1; }, 5000));
    juce::Thread::sleep (200);
    EXPECT_EQ (received.size(), 1);
    EXPECT_EQ (bytesOf (received.getMessages()[0]), bytesOf (noteOn));

    snd_seq_close (intruder);
    manager.removeListener (&received);
}
