#include "CommandLineOutcome.h"
#include "EditorFixture.h"
#include "PresetFixtures.h"
#include "cli/PresetCommandLine.h"
#include "cli/PresetJson.h"
#include "midi/InMemoryMidiBackend.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <sstream>

// q7x-preset run in-process on preset files written here byte by byte.

namespace
{
// A preset with every mode in use, written out by hand (header, 93 image bytes, F7).
const std::vector<juce::uint8> goldenFile {
    0xf0, 0x00, 0x00, 0x0e, 0x00, 0x41, 0x61, 0x00, 0x5d,
    7, 3, 2, 5,       // Keybed: Transpose -5, Octave 3, channel 3, Curve 6
    1,                // Pitch Wheel channel 2
    0, 11, 5, 120,    // Mod Wheel
    64, 0, 127, 3,    // Sustain: CC 64, Released 0, Pressed 127, channel 4
    1, 20, 0, 100, 0, // Knob 1 Aftertouch (CC 20 unused)
    0, 74, 0, 127, 0, // Knob 2 CC 74
    0, 22, 0, 127, 0,
    0, 23, 0, 127, 15, // Knob 4 on channel 16
    0, 36, 100, 2, 9,  // Pad 1 Note 36, Fixed 100, Curve 3
    1, 80, 127, 0, 9,  // Pad 2 CC Toggle
    2, 81, 90, 64, 9,  // Pad 3 CC Momentary, Released 64
    3, 5, 1, 2, 9,     // Pad 4 Program Change: Program 5, Bank LSB 1, Bank MSB 2
    0, 37, 0, 0, 9,
    0, 38, 0, 0, 9,
    0, 39, 0, 0, 9,
    0, 40, 0, 0, 9,
    0, 48, 127, 0, 0,  // Switch 1 CC Toggle
    1, 49, 100, 10, 0, // Switch 2 CC Momentary
    2, 7, 3, 4, 1,     // Switch 3 Program Change on channel 2
    0, 51, 127, 0, 0,
    0xf7
};

struct PresetCommandLineTest : public ::testing::Test
{
    juce::TemporaryFile folderName;
    juce::File folder = folderName.getFile();

    PresetCommandLineTest() { folder.createDirectory(); }
    ~PresetCommandLineTest() override { folder.deleteRecursively(); }

    juce::String path (const juce::String& name) const { return folder.getChildFile (name).getFullPathName(); }

    juce::String write (const juce::String& name, const std::vector<juce::uint8>& bytes) const
    {
        auto file = folder.getChildFile (name);
        file.deleteFile();
        file.create(); // replaceWithData would delete a file given no bytes
        file.appendData (bytes.data(), bytes.size());
        return path (name);
    }

    std::vector<juce::uint8> read (const juce::String& name) const
    {
        juce::MemoryBlock block;
        folder.getChildFile (name).loadFileAsData (block);
        return { (const juce::uint8*) block.getData(), (const juce::uint8*) block.getData() + block.getSize() };
    }

    static CommandLineOutcome run (const juce::StringArray& arguments)
    {
        // The file commands never touch MIDI: no ports at all.
        InMemoryMidiBackend noPorts;
        return runCommandLine (noPorts, arguments);
    }

    static CommandLineOutcome run (juce::StringArray arguments, const juce::StringArray& more)
    {
        arguments.addArray (more);
        return run (arguments);
    }

    static std::vector<juce::uint8> goldenWith (std::initializer_list<std::pair<int, int>> filePositionsAndValues)
    {
        auto bytes = goldenFile;
        for (auto [position, value] : filePositionsAndValues)
            bytes[(size_t) position] = (juce::uint8) value;
        return bytes;
    }
};
} // namespace

TEST_F (PresetCommandLineTest, ShowListsTheParametersOfEachMode)
{
    const auto golden = write ("golden.q7x", goldenFile);
    const auto shown = run ({ "show", golden });

    EXPECT_EQ (shown.status, 0);
    const auto lines = juce::StringArray::fromLines (shown.out.trimEnd());
    EXPECT_EQ (lines.size(), 92);

    for (auto line : { "Keybed MIDI Channel: 3", "Keybed Transpose: -5", "Keybed Octave: 3", "Keybed Curve: 6",
                       "Pitch Wheel MIDI Channel: 2", "Sustain MIDI Channel: 4", "Sustain Released: 0",
                       "Knob 1 Mode: Aftertouch", "Knob 1 Max: 100", "Knob 4 MIDI Channel: 16",
                       "Pad 1 Curve: 3", "Pad 1 Fixed: 100", "Pad 2 Toggle On: 127", "Pad 3 Mode: CC Momentary",
                       "Pad 3 Released: 64", "Pad 4 Bank MSB: 2", "Pad 4 Program: 5",
                       "Switch 2 Pressed: 100", "Switch 3 Bank LSB: 3", "Switch 3 MIDI Channel: 2" })
        EXPECT_TRUE (lines.contains (line)) << line;

    EXPECT_FALSE (shown.out.contains ("Knob 1 CC"));
    EXPECT_FALSE (shown.out.contains ("Pad 3 Curve"));

    const auto all = run ({ "show", "--all", golden });
    EXPECT_EQ (juce::StringArray::fromLines (all.out.trimEnd()).size(), 93);
    EXPECT_TRUE (all.out.contains ("Knob 1 CC: 20 (unused in mode Aftertouch)\n"));
}

TEST_F (PresetCommandLineTest, CheckSaysWhyEachFileIsRefused)
{
    const auto golden = write ("golden.q7x", goldenFile);
    EXPECT_EQ (run ({ "check", golden, golden }).status, 0);
    EXPECT_EQ (run ({ "check", golden }).out, "");

    const std::vector<juce::uint8> shorter (goldenFile.begin(), goldenFile.end() - 1);
    std::vector<juce::uint8> longer (goldenFile.size() + 1, 0xf7);
    std::copy (goldenFile.begin(), goldenFile.end(), longer.begin());

    folder.getChildFile ("folder.q7x").createDirectory();
    std::filesystem::resize_file (write ("huge.q7x", {}).toStdString(), 5'000'000'000); // sparse: takes no disk

    const juce::StringArray files { write ("empty.q7x", {}), write ("short.q7x", shorter), write ("long.q7x", longer),
                                    write ("reply.q7x", goldenWith ({ { 6, 0x63 } })),
                                    write ("curve.q7x", goldenWith ({ { 45, 8 } })), // Pad 1 Curve 9
                                    write ("mode.q7x", goldenWith ({ { 92, 3 } })),  // Switch 3 Mode 3
                                    path ("folder.q7x"), path ("missing.q7x"), path ("huge.q7x"), golden };
    const auto checked = run ({ "check" }, files);

    EXPECT_EQ (checked.status, 1);
    EXPECT_EQ (checked.out,
               files[0] + ": size is 0 bytes, a preset file has 103\n"
                   + files[1] + ": size is 102 bytes, a preset file has 103\n"
                   + files[2] + ": size is 104 bytes, a preset file has 103\n"
                   + files[3] + ": does not start with the preset dump prefix F0 00 00 0E 00 41 61 00 5D\n"
                   + files[4] + ": offset 36 (Pad 1 Curve): value 8 is outside 0-7 (shown 1-8)\n"
                   + files[5] + ": offset 83 (Switch 3 Mode): value 3 is outside 0-2\n"
                   + files[6] + ": not a regular file\n"
                   + files[7] + ": no such file\n"
                   + files[8] + ": size is 5000000000 bytes, a preset file has 103\n");
}

TEST_F (PresetCommandLineTest, DiffSpeaksInParameters)
{
    const auto a = write ("a.q7x", goldenFile);
    const auto b = write ("b.q7x", goldenWith ({ { 23, 30 },    // Knob 1 CC, unused in Aftertouch
                                                 { 28, 21 },    // Knob 2 CC
                                                 { 47, 2 } })); // Pad 2 CC Toggle -> CC Momentary
    const auto differences = run ({ "diff", a, b });

    EXPECT_EQ (differences.status, 1);
    EXPECT_EQ (differences.out, "Knob 1 CC (unused): 20 -> 30\n"
                                "Knob 2 CC: 74 -> 21\n"
                                "Pad 2 Mode: CC Toggle -> CC Momentary\n"
                                "Pad 2 Toggle On: 127 -> -\n"
                                "Pad 2 Toggle Off: 0 -> -\n"
                                "Pad 2 Pressed: - -> 127\n"
                                "Pad 2 Released: - -> 0\n");

    EXPECT_EQ (run ({ "diff", a, a }).status, 0);
    EXPECT_EQ (run ({ "diff", a, a }).out, "");

    const auto missing = run ({ "diff", a, path ("missing.q7x") });
    EXPECT_EQ (missing.status, 2);
    EXPECT_EQ (missing.err, "q7x-preset: " + path ("missing.q7x") + ": no such file\n");
}

TEST_F (PresetCommandLineTest, JsonRoundTripsByteForByte)
{
    const auto exported = run ({ "export", write ("golden.q7x", goldenFile) });
    ASSERT_EQ (exported.status, 0);

    const auto json = juce::JSON::parse (exported.out);
    EXPECT_EQ (json["format"], juce::var ("q7x-preset"));
    EXPECT_EQ (json["controls"]["Keybed"]["Transpose"], juce::var (-5));
    EXPECT_EQ (json["controls"]["Pad 3"]["Mode"], juce::var ("CC Momentary"));
    EXPECT_EQ (json["controls"]["Knob 1"]["unused"]["CC"], juce::var (20));
    EXPECT_FALSE (json["controls"]["Knob 1"].hasProperty ("CC"));

    folder.getChildFile ("golden.json").replaceWithText (exported.out);
    EXPECT_EQ (run ({ "import", path ("golden.json"), path ("back.q7x") }).status, 0);
    EXPECT_EQ (read ("back.q7x"), goldenFile);

    juce::Random random (12);

    for (int iteration = 0; iteration < 300; ++iteration)
    {
        const auto image = makeRandomValidPreset (random, iteration);
        juce::Array<juce::uint8> back;
        const auto text = juce::JSON::toString (PresetJson::toJson (image));

        ASSERT_TRUE (PresetJson::fromJson (juce::JSON::parse (text), back).wasOk()) << text;
        ASSERT_EQ (back, image) << text;
    }
}

TEST_F (PresetCommandLineTest, ImportRefusesWhatTheEditorWouldNamingTheField)
{
    const std::vector<std::pair<const char*, const char*>> cases {
        { R"({"controls": {"Pad 9": {}}})", "controls.Pad 9: unknown control" },
        { R"({"controls": {"Pad 3": {"Mode": "CC Toggle", "Note": 40}}})", "controls.Pad 3.Note: not a parameter of mode \"CC Toggle\"" },
        { R"({"controls": {"Pad 3": {"Mode": "Aftertouch"}}})", "controls.Pad 3.Mode: \"Aftertouch\" is not one of Note, CC Toggle, CC Momentary, Program Change" },
        { R"({"controls": {"Keybed": {"Transpose": 13}}})", "controls.Keybed.Transpose: 13 is not -12 to 12" },
        { R"({"controls": {"Keybed": {"MIDI Channel": 0}}})", "controls.Keybed.MIDI Channel: 0 is not 1-16" },
        { R"({"controls": {"Keybed": {"Transpose": "3"}}})", "controls.Keybed.Transpose: expected a whole number" },
        { R"({"controls": {"Keybed": {"Octave": 2.5}}})", "controls.Keybed.Octave: expected a whole number" },
        { R"({"controls": {"Keybed": {"Colour": 1}}})", "controls.Keybed.Colour: unknown parameter" },
        { R"({"controls": {"Knob 1": {"Mode": "Aftertouch", "unused": {"CC": 128}}}})", "controls.Knob 1.unused.CC: 128 is not a byte 0..127" },
        { R"({"controls": {"Knob 1": {"unused": {"CC": 1}}}})", "controls.Knob 1.unused.CC: not a byte mode \"CC\" leaves unused" },
        { R"({"controls": [], "colour": 1})", "colour: unknown field" },
        { R"({"format": "other", "controls": {}})", "format: expected \"q7x-preset\"" },
        { R"({"version": 2, "controls": {}})", "version: only version 1 is known" },
        { R"([1, 2])", "expected a JSON object" },
        { R"({"controls": )", "not valid JSON" },
        { R"({"controls": {"Keybed": {"Transpose": 1e9999999999}}})", "controls.Keybed.Transpose: expected a whole number, not 1e9999999999\n" },
        { R"({"controls": {"Knob 1": {"unused": {"CC": -0.5}}}})", "controls.Knob 1.unused.CC: expected a whole number, not -0.5\n" },
        { R"({"version": 1E2, "controls": {}})", "version: expected a whole number, not 1E2\n" },
        { R"([1.5])", "expected a whole number, not 1.5\n" },
        { "{\"controls\": {}}\n\u00e9", "not valid JSON: text after the object at line 2, column 1\n" },
        { R"({"controls": {"Pad 1": {"Name": "\u00e9}"}}} [)", "not valid JSON: text after the object at line 1, column 46\n" },
        { " \r\n\t ", "not valid JSON: empty\n" },
    };

    for (const auto& [json, why] : cases)
    {
        folder.getChildFile ("in.json").replaceWithText (juce::String::fromUTF8 (json));
        const auto imported = run ({ "import", path ("in.json"), path ("out.q7x") });

        EXPECT_EQ (imported.status, 1) << json;
        EXPECT_TRUE (imported.err.startsWith ("q7x-preset: " + path ("in.json") + ": " + why)) << imported.err;
        EXPECT_FALSE (folder.getChildFile ("out.q7x").exists()) << json;
    }

    // An empty file has no bytes to point at; a byte-order mark before the object is skipped.
    EXPECT_EQ (run ({ "import", write ("empty.json", {}), path ("out.q7x") }).err,
               "q7x-preset: " + path ("empty.json") + ": not valid JSON: empty\n");
    EXPECT_EQ (run ({ "import", write ("bom.json", { 0xef, 0xbb, 0xbf, '{', '}' }), path ("out.q7x") }).err,
               "q7x-preset: " + path ("bom.json") + ": controls: expected an object\n");
    EXPECT_FALSE (folder.getChildFile ("out.q7x").exists());

    std::filesystem::resize_file (write ("big.json", {}).toStdString(), 2'000'000);
    EXPECT_EQ (run ({ "import", path ("big.json"), path ("out.q7x") }).err,
               "q7x-preset: " + path ("big.json") + ": too large for a preset (2000000 bytes)\n");

    // Left-out values are the default preset's; an existing target needs --force.
    folder.getChildFile ("in.json").replaceWithText (R"({"controls": {"Pad 1": {"Mode": "CC Momentary", "Released": 64}}})");
    EXPECT_EQ (run ({ "import", path ("in.json"), path ("out.q7x") }).status, 0);
    const auto bytes = read ("out.q7x");
    EXPECT_EQ (std::vector<juce::uint8> (bytes.begin() + 42, bytes.begin() + 47), (std::vector<juce::uint8> { 2, 49, 0, 64, 9 }));
    EXPECT_EQ (run ({ "import", path ("in.json"), path ("out.q7x") }).status, 1);
    EXPECT_EQ (run ({ "import", "--force", path ("in.json"), path ("out.q7x") }).status, 0);
}

TEST_F (PresetCommandLineTest, SetChangesShownValuesOrLeavesTheFileAsItWas)
{
    const auto file = write ("golden.q7x", goldenFile);

    EXPECT_EQ (run ({ "set", file, "Pad 3 CC=20", "Keybed Transpose=-12", "Pad 4 Mode=Note", "Pad 4 Curve = 8" }).status, 0);
    EXPECT_EQ (read ("golden.q7x"), goldenWith ({ { 53, 20 }, { 9, 0 }, { 57, 0 }, { 60, 7 } }));

    write ("golden.q7x", goldenFile);
    const std::vector<std::pair<juce::StringArray, const char*>> refusals {
        { { "Pad 9 CC=1" }, "q7x-preset: unknown parameter \"Pad 9 CC\"\n" },
        { { "Keybed MIDI Channel=17" }, "q7x-preset: Keybed MIDI Channel: \"17\" is not 1-16\n" },
        { { "Pad 3 Mode=Sideways" }, "q7x-preset: Pad 3 Mode: \"Sideways\" is not one of Note, CC Toggle, CC Momentary, Program Change\n" },
        { { "Pad 1 CC=5", "Pad 3 Mode=Note" }, // Released 64 would become Curve 65
          ": left unchanged: offset 46 (Pad 3 Curve): value 64 is outside 0-7 (shown 1-8)\n" },
    };

    for (const auto& [assignments, why] : refusals)
    {
        const auto refused = run ({ "set", file }, assignments);
        EXPECT_EQ (refused.status, 1) << assignments.joinIntoString (",");
        EXPECT_TRUE (refused.err.endsWith (why)) << refused.err;
        EXPECT_EQ (read ("golden.q7x"), goldenFile);
    }

    EXPECT_EQ (run ({ "set", file, "Pad 3 CC" }).status, 2);

    ASSERT_TRUE (folder.getChildFile ("golden.q7x").setReadOnly (true));
    const auto readOnly = run ({ "set", file, "Pad 3 CC=20" });
    EXPECT_EQ (readOnly.status, 1);
    EXPECT_EQ (readOnly.err, "q7x-preset: " + file + ": is read-only; left unchanged\n");
    EXPECT_EQ (read ("golden.q7x"), goldenFile);

    const auto noFolder = run ({ "new", path ("no/such/folder.q7x") });
    EXPECT_EQ (noFolder.status, 1);
    EXPECT_TRUE (noFolder.err.startsWith ("q7x-preset: " + path ("no/such/folder.q7x") + ": ")) << noFolder.err;
}

TEST_F (PresetCommandLineTest, UsageErrorsHelpAndVersion)
{
    for (const auto& arguments : { juce::StringArray(), juce::StringArray ("frobnicate"), juce::StringArray ("show"),
                                   juce::StringArray ("show", "--verbose", "a.q7x"), juce::StringArray ("diff", "a.q7x"),
                                   juce::StringArray ("new", "a.q7x", "b.q7x"), juce::StringArray ("check") })
    {
        const auto result = run (arguments);
        EXPECT_EQ (result.status, 2) << arguments.joinIntoString (" ");
        EXPECT_TRUE (result.err.contains ("Try 'q7x-preset")) << result.err;
        EXPECT_EQ (result.out, "");
    }

    EXPECT_EQ (run ({ "--help" }).status, 0);
    EXPECT_TRUE (run ({ "--help" }).out.startsWith ("Usage: q7x-preset COMMAND"));
    EXPECT_TRUE (run ({ "set", "--help" }).out.startsWith ("Usage: q7x-preset set FILE KEY=VALUE..."));
    EXPECT_EQ (run ({ "--version" }).out, juce::String ("q7x-preset ") + JUCE_APPLICATION_VERSION_STRING + "\n");
}

// The editor opens what q7x-preset wrote, and q7x-preset reads what the editor saved.
TEST_F (PresetCommandLineTest, EditorAndProgramShareTheirFiles)
{
    EXPECT_EQ (run ({ "new", path ("new.q7x") }).status, 0);
    const auto fresh = read ("new.q7x");
    EXPECT_EQ (std::vector<juce::uint8> (fresh.begin(), fresh.begin() + 13),
               (std::vector<juce::uint8> { 0xf0, 0x00, 0x00, 0x0e, 0x00, 0x41, 0x61, 0x00, 0x5d, 12, 4, 0, 3 }));
    EXPECT_EQ (run ({ "new", path ("new.q7x") }).status, 1);

    ASSERT_EQ (run ({ "set", path ("new.q7x"), "Pad 3 Mode=CC Momentary", "Pad 3 Released=64", "Keybed Transpose=-5" }).status, 0);

    EditorFixture fixture;
    ASSERT_TRUE (fixture.controller->loadFromFile (folder.getChildFile ("new.q7x")));
    EXPECT_EQ (fixture.textOf ("Keybed Transpose"), "-5");
    EXPECT_EQ (fixture.textOf ("Pad 3 Released"), "64");

    fixture.value ("Knob 2 CC")->setValue (74);
    fixture.controller->saveToFile (folder.getChildFile ("saved.q7x"));
    const auto differences = run ({ "diff", path ("new.q7x"), path ("saved.q7x") });
    EXPECT_EQ (differences.out, "Knob 2 CC: 21 -> 74\n");
}
