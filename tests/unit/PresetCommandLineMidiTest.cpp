#include "CommandLineOutcome.h"
#include "midi/Q7XSimulator.h"
#include "preset/PresetLayout.h"

#include <gtest/gtest.h>
#include <sstream>

// q7x-preset ports, send and get, run in-process against the simulated Q7X.

namespace
{
// The header every preset file starts with.
const std::vector<juce::uint8> dumpHeader { 0xf0, 0x00, 0x00, 0x0e, 0x00, 0x41, 0x61, 0x00, 0x5d };

class PresetCommandLineMidiTest : public testing::Test
{
protected:
    juce::TemporaryFile folderName;
    juce::File folder = folderName.getFile();
    InMemoryMidiBackend backend;
    Q7XSimulator simulator { backend };

    PresetCommandLineMidiTest() { folder.createDirectory(); }
    ~PresetCommandLineMidiTest() override { folder.deleteRecursively(); }

    juce::String path (const char* name) const { return folder.getChildFile (name).getFullPathName(); }

    std::vector<juce::uint8> read (const char* name) const
    {
        juce::MemoryBlock block;
        folder.getChildFile (name).loadFileAsData (block);
        return { (const juce::uint8*) block.getData(), (const juce::uint8*) block.getData() + block.getSize() };
    }

    CommandLineOutcome run (const juce::StringArray& arguments)
    {
        return runCommandLine (backend, arguments);
    }

    // The default preset with the keybed on MIDI channel 5 (raw 4), as a whole file.
    static std::vector<juce::uint8> channel5File()
    {
        auto bytes = dumpHeader;
        auto image = PresetLayout::getDefaultPresetImage();
        image.set (2, 4);
        bytes.insert (bytes.end(), image.begin(), image.end());
        bytes.push_back (0xf7);
        return bytes;
    }
};
} // namespace

TEST_F (PresetCommandLineMidiTest, PortsSendAndGetMoveThePresetByteForByte)
{
    backend.addInput ("Keys");
    EXPECT_EQ (run ({ "ports" }).out, "input: Q7X Simulator\ninput: Keys\noutput: Q7X Simulator\n");

    const auto file = channel5File();
    ASSERT_TRUE (folder.getChildFile ("sent.q7x").replaceWithData (file.data(), file.size()));
    const auto sent = run ({ "send", path ("sent.q7x") });
    EXPECT_EQ (sent.status, 0) << sent.err;
    EXPECT_EQ (simulator.getNumDumpsReceived(), 1);
    EXPECT_EQ (simulator.getPreset()[2], 4);

    const auto got = run ({ "get", path ("got.q7x"), "--in", Q7XSimulator::portName, "--out", Q7XSimulator::portName });
    EXPECT_EQ (got.status, 0) << got.err;
    EXPECT_EQ (read ("got.q7x"), file);
    EXPECT_EQ (simulator.getNumRequestsReceived(), 1);
}

TEST_F (PresetCommandLineMidiTest, FailuresExitWithOneLineAndWriteNothing)
{
    struct Case
    {
        const char* what;
        Q7XSimulator::ReplyKind reply;
        juce::StringArray options;
        int status;
        const char* error;
        int requests;
    };

    using Kind = Q7XSimulator::ReplyKind;
    const Case cases[] {
        { "refused reply", Kind::outOfRangeByte, {}, 1, "q7x-preset: the device's reply was refused: ", 1 },
        { "short reply", Kind::shortMessage, {}, 1, "q7x-preset: the device's reply was refused: it holds 46 preset bytes, not 93\n", 1 },
        { "missing input", Kind::preset, { "--in", "Q7X" }, 1, "q7x-preset: no input port named \"Q7X\"\n", 0 },
        { "missing output", Kind::preset, { "--out", "Keys" }, 1, "q7x-preset: no output port named \"Keys\"\n", 0 },
        { "no answer", Kind::none, {}, 1, "q7x-preset: no answer from \"Q7X Simulator\" within 7000 ms\n", 9 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        simulator.setReplyKind (c.reply);
        const auto before = simulator.getNumRequestsReceived();

        juce::StringArray arguments { "get", path ("out.q7x") };
        arguments.addArray (c.options);
        const auto outcome = run (arguments);

        EXPECT_EQ (outcome.status, c.status);
        EXPECT_TRUE (outcome.err.startsWith (c.error)) << outcome.err;
        EXPECT_EQ (outcome.err.indexOfChar ('\n'), outcome.err.length() - 1) << outcome.err;
        EXPECT_EQ (simulator.getNumRequestsReceived() - before, c.requests);
        EXPECT_FALSE (folder.getChildFile ("out.q7x").exists());
    }
}

TEST_F (PresetCommandLineMidiTest, AnExistingFileIsOnlyReplacedWithForce)
{
    const std::vector<juce::uint8> old { 1, 2, 3 };
    ASSERT_TRUE (folder.getChildFile ("old.q7x").replaceWithData (old.data(), old.size()));

    const auto kept = run ({ "get", path ("old.q7x") });
    EXPECT_EQ (kept.status, 1);
    EXPECT_EQ (kept.err, "q7x-preset: " + path ("old.q7x") + ": exists already (use --force to replace it)\n");
    EXPECT_EQ (read ("old.q7x"), old);
    EXPECT_EQ (simulator.getNumRequestsReceived(), 0); // the device is not even asked

    EXPECT_EQ (run ({ "get", "--force", path ("old.q7x") }).status, 0);
    EXPECT_EQ (read ("old.q7x").size(), 103u);
}

TEST_F (PresetCommandLineMidiTest, WithoutOneQ7XPortTheChoiceIsAUsageErrorListingThePorts)
{
    backend.addOutput ("Q7X MIDI 2");
    const auto outcome = run ({ "get", path ("out.q7x") });

    EXPECT_EQ (outcome.status, 2);
    EXPECT_EQ (outcome.err, "q7x-preset get: more than one output port whose name contains \"Q7X\"; choose one with --out NAME\n"
                            "Output ports: \"Q7X Simulator\", \"Q7X MIDI 2\"\n"
                            "Try 'q7x-preset get --help'.\n");

    // A file the editor would refuse is not sent.
    const std::vector<juce::uint8> bad { 0xf0, 0xf7 };
    ASSERT_TRUE (folder.getChildFile ("bad.q7x").replaceWithData (bad.data(), bad.size()));
    EXPECT_EQ (run ({ "send", path ("bad.q7x"), "--out", "Q7X MIDI 2" }).status, 1);
    EXPECT_TRUE (backend.getSentMessages (simulator.getOutputDevice()).empty());
}

TEST_F (PresetCommandLineMidiTest, CompareTellsWhetherTheDeviceHoldsTheFile)
{
    struct Case
    {
        const char* what;
        Q7XSimulator::ReplyKind reply;
        int deviceKnob2Cc; // the device's Knob 2 CC (offset 19)
        juce::StringArray options;
        int status;
        const char* out;
        const char* error; // the start of the one line on stderr
    };

    using Kind = Q7XSimulator::ReplyKind;
    const Case cases[] {
        { "the same preset", Kind::preset, 21, {}, 0, "", "" },
        { "another preset", Kind::preset, 74, {}, 1, "Knob 2 CC: 21 -> 74\n", "" },
        { "no answer", Kind::none, 21, {}, 1, "", "q7x-preset: no answer from \"Q7X Simulator\" within 7000 ms\n" },
        { "refused reply", Kind::outOfRangeByte, 21, {}, 1, "", "q7x-preset: the device's reply was refused: " },
        { "missing port", Kind::preset, 21, { "--in", "Keys" }, 1, "", "q7x-preset: no input port named \"Keys\"\n" },
    };

    ASSERT_EQ (run ({ "new", path ("file.q7x") }).status, 0);

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        auto device = PresetLayout::getDefaultPresetImage();
        device.set (19, (juce::uint8) c.deviceKnob2Cc);
        simulator.setPreset (device);
        simulator.setReplyKind (c.reply);

        juce::StringArray arguments { "compare", path ("file.q7x") };
        arguments.addArray (c.options);
        const auto outcome = run (arguments);

        EXPECT_EQ (outcome.status, c.status);
        EXPECT_EQ (outcome.out, c.out);
        EXPECT_TRUE (outcome.err.startsWith (c.error)) << outcome.err;
        EXPECT_EQ (outcome.err.indexOfChar ('\n'), outcome.err.length() - 1) << outcome.err;
    }

    // A file the editor would refuse is compared with nothing: the device is not asked.
    const std::vector<juce::uint8> bad { 0xf0, 0xf7 };
    ASSERT_TRUE (folder.getChildFile ("bad.q7x").replaceWithData (bad.data(), bad.size()));
    const auto before = simulator.getNumRequestsReceived();
    EXPECT_EQ (run ({ "compare", path ("bad.q7x") }).status, 1);
    EXPECT_EQ (simulator.getNumRequestsReceived(), before);
}
