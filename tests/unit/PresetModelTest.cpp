#include "EditorFixture.h"
#include "PresetFixtures.h"
#include "preset/PresetFraming.h"
#include "preset/PresetValidator.h"
#include "preset/PresetValues.h"

#include <gtest/gtest.h>

// The preset model without widgets: framing, validation with its reasons, shown values,
// and its agreement with the editor's own whole-preset check.

using namespace PresetLayout;

namespace
{
using Bytes = std::vector<int>;

Bytes toBytes (const juce::Array<juce::uint8>& array)
{
    return { array.begin(), array.end() };
}

juce::Array<juce::uint8> defaultWith (std::initializer_list<std::pair<int, int>> changes)
{
    auto image = getDefaultPresetImage();

    for (auto [offset, value] : changes)
        image.set (offset, (juce::uint8) value);

    return image;
}

juce::String problemWith (std::initializer_list<std::pair<int, int>> changes)
{
    const auto problem = PresetValidator::findProblem (defaultWith (changes));
    return problem.has_value() ? problem->describe() : juce::String ("accepted");
}
} // namespace

TEST (PresetFraming, MessagesAndFilesHaveTheirBytes)
{
    EXPECT_EQ (toBytes (PresetFraming::makeBody (presetRequestCommand)), (Bytes { 0x00, 0x00, 0x0e, 0x00, 0x41, 0x62, 0x00, 0x5d }));

    const auto dump = toBytes (PresetFraming::makeDumpMessage (getDefaultPresetImage()));
    ASSERT_EQ (dump.size(), 103u);
    EXPECT_EQ (Bytes (dump.begin(), dump.begin() + 13), (Bytes { 0xf0, 0x00, 0x00, 0x0e, 0x00, 0x41, 0x61, 0x00, 0x5d, 12, 4, 0, 3 }));
    EXPECT_EQ (dump.back(), 0xf7);

    // A reply longer than a preset is cut to one; a short one gives what it has.
    const juce::uint8 reply[] = { 0x00, 0x00, 0x0e, 0x00, 0x41, 0x63, 0x00, 0x5d, 1, 2, 3 };
    EXPECT_EQ (toBytes (*PresetFraming::findPayload (reply, 11, presetReplyCommand)), (Bytes { 1, 2, 3 }));
    EXPECT_FALSE (PresetFraming::findPayload (reply, 11, presetDumpCommand).has_value());
    EXPECT_FALSE (PresetFraming::findPayload (reply, 7, presetReplyCommand).has_value());

    auto longReply = PresetFraming::makeBody (presetReplyCommand, getDefaultPresetImage());
    longReply.add (0x55);
    EXPECT_EQ (*PresetFraming::findPayload (longReply.begin(), longReply.size(), presetReplyCommand), getDefaultPresetImage());
}

TEST (PresetFraming, FilesNeedTheDumpPrefixButNotTheLastByte)
{
    auto file = PresetFraming::makeDumpMessage (getDefaultPresetImage());
    file.set (102, 0x00);
    EXPECT_EQ (*PresetFraming::findImageInFile (file.begin(), file.size()), getDefaultPresetImage());

    file.set (6, 0x63); // a captured reply
    EXPECT_FALSE (PresetFraming::findImageInFile (file.begin(), file.size()).has_value());
    EXPECT_FALSE (PresetFraming::findImageInFile (file.begin(), 102).has_value());
}

TEST (PresetValidator, NamesOffsetParameterValueAndRange)
{
    EXPECT_EQ (problemWith ({}), "accepted");
    EXPECT_EQ (problemWith ({ { 0, 25 } }), "offset 0 (Keybed Transpose): value 25 is outside 0-24 (shown -12 to 12)");
    EXPECT_EQ (problemWith ({ { 12, 16 } }), "offset 12 (Sustain MIDI Channel): value 16 is outside 0-15 (shown 1-16)");
    EXPECT_EQ (problemWith ({ { 36, 8 } }), "offset 36 (Pad 1 Curve): value 8 is outside 0-7 (shown 1-8)");
    EXPECT_EQ (problemWith ({ { 33, 4 } }), "offset 33 (Pad 1 Mode): value 4 is outside 0-3");
    EXPECT_EQ (problemWith ({ { 78, 3 } }), "offset 78 (Switch 2 Mode): value 3 is outside 0-2");
    EXPECT_EQ (problemWith ({ { 6, 128 } }), "offset 6 (Mod Wheel CC): value 128 is outside 0-127");
    EXPECT_EQ (problemWith ({ { 13, 1 }, { 14, 200 } }),
               "offset 14 (Knob 1 CC, unused in mode Aftertouch): value 200 is outside 0-127");
    EXPECT_EQ (PresetValidator::findProblem (juce::Array<juce::uint8> (getDefaultPresetImage().begin(), 92))->describe(),
               "image has 92 bytes, a preset has 93");

    // Byte +3 of a pad is Curve only in Note mode; in CC Momentary mode it is Released.
    EXPECT_EQ (problemWith ({ { 33, 2 }, { 36, 64 } }), "accepted");
    EXPECT_EQ (problemWith ({ { 33, 3 }, { 36, 127 } }), "accepted");
}

TEST (PresetValues, ShownValuesAndBack)
{
    const auto image = defaultWith ({ { 0, 7 }, { 43, 2 } });
    const auto transpose = *findParameter ("Keybed Transpose");
    const auto padMode = *findParameter ("Pad 3 Mode");

    EXPECT_EQ (PresetValues::format (transpose, image[0]), "-5");
    EXPECT_EQ (PresetValues::format (padMode, image[43]), "CC Momentary");
    EXPECT_EQ (PresetValues::format (*findParameter ("Pad 3 MIDI Channel"), image[47]), "10");

    juce::StringArray shown;
    for (const auto& location : PresetValues::getShownParameters ({ ControlKind::Pad, 3 }, image))
        shown.add (location.getKey());
    EXPECT_EQ (shown, juce::StringArray ("Pad 3 Mode", "Pad 3 MIDI Channel", "Pad 3 CC", "Pad 3 Pressed", "Pad 3 Released"));

    EXPECT_TRUE (PresetValues::getUnusedBytes ({ ControlKind::Pad, 3 }, image).empty());
    const auto unused = PresetValues::getUnusedBytes ({ ControlKind::Knob, 2 }, defaultWith ({ { 18, 1 } }));
    ASSERT_EQ (unused.size(), 1u);
    EXPECT_EQ (unused[0].offset, 19);

    int raw = -1;
    EXPECT_TRUE (PresetValues::parse (transpose, "-12", raw).wasOk());
    EXPECT_EQ (raw, 0);
    EXPECT_TRUE (PresetValues::parse (transpose, "+12", raw).wasOk());
    EXPECT_EQ (raw, 24);
    EXPECT_TRUE (PresetValues::parse (padMode, "program change", raw).wasOk());
    EXPECT_EQ (raw, 3);
    EXPECT_TRUE (PresetValues::parse (*findParameter ("Keybed MIDI Channel"), "16", raw).wasOk());
    EXPECT_EQ (raw, 15);

    for (auto text : { "13", "-13", "", "5x", "0x5", "--1", "1e1", "99999999999" })
        EXPECT_TRUE (PresetValues::parse (transpose, text, raw).failed()) << text;

    EXPECT_TRUE (PresetValues::parse (*findParameter ("Keybed MIDI Channel"), "0", raw).failed());
    EXPECT_TRUE (PresetValues::parse (padMode, "Aftertouch", raw).failed());
}

// The widgets' ranges and the layout's must give the same verdict on every preset:
// valid ones of every mode, and ones with a byte pushed to and past the edges of its range.
TEST (PresetValidator, AgreesWithTheEditorsWholePresetCheck)
{
    EditorFixture fixture;
    juce::Random random (1212);
    int refusedCount = 0, checkedCount = 0;

    auto compare = [&] (const juce::Array<juce::uint8>& image) {
        const auto editorAccepts = fixture.controller->validatePresetData (image);
        EXPECT_EQ (PresetValidator::isValid (image), editorAccepts) << juce::String::toHexString (image.begin(), image.size());
        refusedCount += editorAccepts ? 0 : 1;
        ++checkedCount;
    };

    for (int iteration = 0; iteration < 2000; ++iteration)
    {
        auto image = makeRandomValidPreset (random, iteration);
        compare (image);

        image.set (random.nextInt (presetImageSize), (juce::uint8) random.nextInt (256));
        compare (image);
    }

    for (int iteration = 0; iteration < 12; ++iteration) // every mode of every control
    {
        const auto base = makeRandomValidPreset (random, iteration);

        for (int offset = 0; offset < presetImageSize; ++offset)
            for (auto value : { 0, 1, 2, 3, 4, 7, 8, 9, 10, 15, 16, 24, 25, 127, 128, 255 })
            {
                auto image = base;
                image.set (offset, (juce::uint8) value);
                compare (image);
            }
    }

    EXPECT_GT (refusedCount, checkedCount / 10);
    EXPECT_LT (refusedCount, checkedCount);
}

// Every key at the edges of its range, in a Mode that uses it: the widgets and PresetValidator
// both accept the bounds and both refuse one step past them. The ranges are written out here.
TEST (PresetValidator, AgreesWithTheWidgetsAtEveryKeysBounds)
{
    struct Row
    {
        const char* control;
        int controlCount;
        const char* parameter;
        int rawMinimum, rawMaximum;
        int mode; // a Mode using the parameter, -1 to leave the control's Mode as it is
    };

    // Knob modes: 0 CC, 1 Aftertouch. Pad modes: 0 Note, 1 CC Toggle, 2 CC Momentary, 3 Program
    // Change. Switch modes: 0 CC Toggle, 1 CC Momentary, 2 Program Change.
    // clang-format off
    const Row rows[] {
        { "Keybed", 1, "MIDI Channel", 0, 15, -1 }, { "Keybed", 1, "Transpose", 0, 24, -1 },
        { "Keybed", 1, "Octave", 0, 9, -1 },        { "Keybed", 1, "Curve", 0, 7, -1 },
        { "Pitch Wheel", 1, "MIDI Channel", 0, 15, -1 },
        { "Mod Wheel", 1, "MIDI Channel", 0, 15, -1 }, { "Mod Wheel", 1, "CC", 0, 127, -1 },
        { "Mod Wheel", 1, "Min", 0, 127, -1 },         { "Mod Wheel", 1, "Max", 0, 127, -1 },
        { "Sustain", 1, "CC", 0, 127, -1 },       { "Sustain", 1, "Pressed", 0, 127, -1 },
        { "Sustain", 1, "Released", 0, 127, -1 }, { "Sustain", 1, "MIDI Channel", 0, 15, -1 },
        { "Knob", 4, "Mode", 0, 1, -1 }, { "Knob", 4, "MIDI Channel", 0, 15, 1 }, { "Knob", 4, "CC", 0, 127, 0 },
        { "Knob", 4, "Min", 0, 127, 1 }, { "Knob", 4, "Max", 0, 127, 0 },
        { "Pad", 8, "Mode", 0, 3, -1 },        { "Pad", 8, "MIDI Channel", 0, 15, 2 }, { "Pad", 8, "Note", 0, 127, 0 },
        { "Pad", 8, "CC", 0, 127, 1 },         { "Pad", 8, "Bank MSB", 0, 127, 3 },    { "Pad", 8, "Curve", 0, 7, 0 },
        { "Pad", 8, "Pressed", 0, 127, 2 },    { "Pad", 8, "Toggle On", 0, 127, 1 },   { "Pad", 8, "Bank LSB", 0, 127, 3 },
        { "Pad", 8, "Fixed", 0, 127, 0 },      { "Pad", 8, "Released", 0, 127, 2 },    { "Pad", 8, "Toggle Off", 0, 127, 1 },
        { "Pad", 8, "Program", 0, 127, 3 },
        { "Switch", 4, "Mode", 0, 2, -1 },         { "Switch", 4, "MIDI Channel", 0, 15, 1 }, { "Switch", 4, "CC", 0, 127, 0 },
        { "Switch", 4, "Pressed", 0, 127, 1 },     { "Switch", 4, "Released", 0, 127, 1 },    { "Switch", 4, "Toggle On", 0, 127, 0 },
        { "Switch", 4, "Toggle Off", 0, 127, 0 },  { "Switch", 4, "Bank MSB", 0, 127, 2 },    { "Switch", 4, "Bank LSB", 0, 127, 2 },
        { "Switch", 4, "Program", 0, 127, 2 },
    };
    // clang-format on

    EditorFixture fixture;
    juce::StringArray checkedKeys;

    for (const auto& row : rows)
    {
        for (int number = 1; number <= row.controlCount; ++number)
        {
            const auto control = row.controlCount == 1 ? juce::String (row.control) : row.control + juce::String (" ") + juce::String (number);
            const auto key = control + " " + row.parameter;
            const auto location = findParameter (key);
            ASSERT_TRUE (location.has_value()) << key;
            checkedKeys.add (key);

            auto image = getDefaultPresetImage();

            if (row.mode >= 0)
                image.set (findParameter (control + " Mode")->offset, (juce::uint8) row.mode);

            for (auto value : { row.rawMinimum - 1, row.rawMinimum, row.rawMaximum, row.rawMaximum + 1 })
            {
                if (! juce::isPositiveAndBelow (value, 256))
                    continue;

                image.set (location->offset, (juce::uint8) value);
                const auto inRange = value >= row.rawMinimum && value <= row.rawMaximum;
                EXPECT_EQ (fixture.controller->validatePresetData (image), inRange) << key << " " << value;
                EXPECT_EQ (PresetValidator::isValid (image), inRange) << key << " " << value;
            }
        }
    }

    juce::StringArray allKeys;
    for (const auto& record : createParameterOffsets())
        allKeys.add (record.key);

    checkedKeys.sort (false);
    allKeys.sort (false);
    EXPECT_EQ (checkedKeys.size(), 177);
    EXPECT_EQ (checkedKeys, allKeys);
}
