#include "AlertRecorder.h"
#include "EditorFixture.h"
#include "MidiBytes.h"
#include "midi/Q7XSimulator.h"
#include "preset/PresetLayout.h"

#include <gtest/gtest.h>
#include <set>

// The controller's facts written out by hand, byte by byte: the default preset, where every
// parameter lives with its raw range and display offset, and the messages on the wire. The
// program derives all of these from its own tables; a wrong entry there would agree with
// itself everywhere but here.

namespace
{
const std::vector<int> defaultImage {
    12,
    4,
    0,
    3, // Keybed: Transpose 0 shown, Octave 4, channel 1, Curve 4
    0, // Pitch Wheel channel 1
    0,
    1,
    0,
    127, // Mod Wheel: channel 1, CC 1, Min 0, Max 127
    64,
    0,
    127,
    0, // Sustain: CC 64, Released 0, Pressed 127, channel 1
    0,
    20,
    0,
    127,
    0, // Knob 1: Mode CC, CC 20, Min 0, Max 127, channel 1
    0,
    21,
    0,
    127,
    0,
    0,
    22,
    0,
    127,
    0,
    0,
    23,
    0,
    127,
    0,
    0,
    49,
    0,
    0,
    9, // Pad 1: Mode Note, Note 49, Fixed 0, Curve 1 shown, channel 10
    0,
    41,
    0,
    0,
    9,
    0,
    42,
    0,
    0,
    9,
    0,
    46,
    0,
    0,
    9,
    0,
    36,
    0,
    0,
    9,
    0,
    37,
    0,
    0,
    9,
    0,
    38,
    0,
    0,
    9,
    0,
    39,
    0,
    0,
    9,
    0,
    48,
    127,
    0,
    0, // Switch 1: Mode CC Toggle, CC 48, Toggle On 127, Toggle Off 0, channel 1
    0,
    49,
    127,
    0,
    0,
    0,
    50,
    127,
    0,
    0,
    0,
    51,
    127,
    0,
    0,
};

const std::vector<int> requestMessage { 0xf0, 0x00, 0x00, 0x0e, 0x00, 0x41, 0x62, 0x00, 0x5d, 0xf7 };

std::vector<int> framed (std::vector<int> headerAfterF0, const std::vector<int>& image)
{
    headerAfterF0.insert (headerAfterF0.begin(), 0xf0);
    headerAfterF0.insert (headerAfterF0.end(), image.begin(), image.end());
    headerAfterF0.push_back (0xf7);
    return headerAfterF0;
}

const auto defaultDump = framed ({ 0x00, 0x00, 0x0e, 0x00, 0x41, 0x61, 0x00, 0x5d }, defaultImage);

/** One parameter of a kind: the byte within the control's block, its raw range and what the
    number shown adds to the raw value. A Mode is chosen from a list, whose item IDs count from 1.
*/
struct Parameter
{
    const char* name;
    int relativeOffset, rawMinimum, rawMaximum, displayOffset;
    bool isMode = false;
};

struct Kind
{
    const char* name;
    std::vector<int> blockStarts; // one per control; several controls are numbered from 1
    std::vector<Parameter> parameters;
};

const Parameter blockChannel { "MIDI Channel", 4, 0, 15, 1 };

const std::vector<Kind> kinds {
    { "Keybed", { 0 }, { { "MIDI Channel", 2, 0, 15, 1 }, { "Transpose", 0, 0, 24, -12 }, { "Octave", 1, 0, 9, 0 }, { "Curve", 3, 0, 7, 1 } } },
    { "Pitch Wheel", { 4 }, { { "MIDI Channel", 0, 0, 15, 1 } } },
    { "Mod Wheel", { 5 }, { { "MIDI Channel", 0, 0, 15, 1 }, { "CC", 1, 0, 127, 0 }, { "Min", 2, 0, 127, 0 }, { "Max", 3, 0, 127, 0 } } },
    { "Sustain", { 9 }, { { "CC", 0, 0, 127, 0 }, { "Pressed", 2, 0, 127, 0 }, { "Released", 1, 0, 127, 0 }, { "MIDI Channel", 3, 0, 15, 1 } } },
    { "Knob", { 13, 18, 23, 28 }, { { "Mode", 0, 0, 1, 1, true }, blockChannel, { "CC", 1, 0, 127, 0 }, { "Min", 2, 0, 127, 0 }, { "Max", 3, 0, 127, 0 } } },
    { "Pad", { 33, 38, 43, 48, 53, 58, 63, 68 }, { { "Mode", 0, 0, 3, 1, true }, blockChannel, { "Note", 1, 0, 127, 0 }, { "CC", 1, 0, 127, 0 }, { "Bank MSB", 3, 0, 127, 0 }, { "Curve", 3, 0, 7, 1 }, { "Pressed", 2, 0, 127, 0 }, { "Toggle On", 2, 0, 127, 0 }, { "Bank LSB", 2, 0, 127, 0 }, { "Fixed", 2, 0, 127, 0 }, { "Released", 3, 0, 127, 0 }, { "Toggle Off", 3, 0, 127, 0 }, { "Program", 1, 0, 127, 0 } } },
    { "Switch", { 73, 78, 83, 88 }, { { "Mode", 0, 0, 2, 1, true }, blockChannel, { "CC", 1, 0, 127, 0 }, { "Pressed", 2, 0, 127, 0 }, { "Released", 3, 0, 127, 0 }, { "Toggle On", 2, 0, 127, 0 }, { "Toggle Off", 3, 0, 127, 0 }, { "Bank MSB", 3, 0, 127, 0 }, { "Bank LSB", 2, 0, 127, 0 }, { "Program", 1, 0, 127, 0 } } },
};

struct Key
{
    juce::String key;
    int offset;
    Parameter parameter;
};

/** The 177 keys with their bytes, from the tables above. */
std::vector<Key> allKeys()
{
    std::vector<Key> keys;

    for (const auto& kind : kinds)
        for (size_t i = 0; i < kind.blockStarts.size(); ++i)
        {
            const auto control = kind.blockStarts.size() == 1 ? juce::String (kind.name)
                                                              : juce::String (kind.name) + " " + juce::String (i + 1);

            for (const auto& parameter : kind.parameters)
                keys.push_back ({ control + " " + parameter.name, kind.blockStarts[i] + parameter.relativeOffset, parameter });
        }

    return keys;
}

std::vector<int> toInts (const juce::Array<juce::uint8>& bytes)
{
    return { bytes.begin(), bytes.end() };
}
} // namespace

TEST (GoldenData, DefaultPresetHasTheseBytes)
{
    ASSERT_EQ (defaultImage.size(), 93u);
    EXPECT_EQ (toInts (PresetLayout::getDefaultPresetImage()), defaultImage);
    EXPECT_EQ (std::vector<int> (PresetLayout::defaultPresetDump.begin(), PresetLayout::defaultPresetDump.end()), defaultDump);
}

// Every key names its byte in the controller, is refused outside its raw range by the preset
// check, and is edited by a widget of the editor with that range and display offset.
TEST (GoldenData, EveryKeyHasItsByteRangeAndDisplayOffset)
{
    const auto keys = allKeys();
    ASSERT_EQ (keys.size(), 177u);

    EditorFixture fixture;
    std::set<juce::String> golden;

    for (const auto& [key, offset, parameter] : keys)
    {
        SCOPED_TRACE (key);
        golden.insert (key);

        const auto location = PresetLayout::findParameter (key);
        ASSERT_TRUE (location.has_value());
        EXPECT_EQ (location->offset, offset);
        EXPECT_EQ (fixture.controller->getOffset (key), offset);
        EXPECT_EQ (location->getInfo().rawMinimum, parameter.rawMinimum);
        EXPECT_EQ (location->getInfo().rawMaximum, parameter.rawMaximum);

        auto* widget = fixture.value (key);
        ASSERT_NE (widget, nullptr);
        EXPECT_EQ (widget->getMinimum (true), parameter.rawMinimum);
        EXPECT_EQ (widget->getMaximum (true), parameter.rawMaximum);
        EXPECT_EQ (widget->displayOffset, parameter.displayOffset);
        EXPECT_EQ (dynamic_cast<juce::ComboBox*> (widget) != nullptr, parameter.isMode);

        if (! parameter.isMode)
        {
            EXPECT_EQ (location->getInfo().displayOffset, parameter.displayOffset);
            EXPECT_EQ (widget->getMinimum (false), parameter.rawMinimum + parameter.displayOffset);
            EXPECT_EQ (widget->getMaximum (false), parameter.rawMaximum + parameter.displayOffset);
        }
    }

    // Nothing beyond them: the controller is given exactly these keys.
    std::set<juce::String> given;
    for (const auto& record : PresetLayout::createParameterOffsets())
        given.insert (record.key);

    EXPECT_EQ (given, golden);
}

// A new document's preset goes out as these 103 bytes; the request is these 10; a reply of
// this form is taken as it is, and shown.
TEST (GoldenData, MessagesOnTheWire)
{
    EditorFixture fixture;
    Q7XSimulator simulator { fixture.backend };
    AlertRecorder alerts;
    simulator.setReplyKind (Q7XSimulator::ReplyKind::none);
    fixture.midiManager.setOutputDevice (Q7XSimulator::portName);
    fixture.midiManager.setInputDevice (Q7XSimulator::portName);
    ASSERT_TRUE (fixture.controller->applyPresetData (PresetLayout::getDefaultPresetImage()));

    fixture.controller->sendPreset();
    fixture.controller->requestPreset();

    const auto sent = fixture.backend.getSentMessages (simulator.getOutputDevice());
    ASSERT_EQ (sent.size(), 2u);
    EXPECT_EQ (wireBytes (sent[0]), defaultDump);
    EXPECT_EQ (wireBytes (sent[1]), requestMessage);

    const std::vector<int> replied {
        7,
        3,
        2,
        5,  // Keybed: Transpose -5, Octave 3, channel 3, Curve 6
        15, // Pitch Wheel channel 16
        1,
        11,
        5,
        120,
        65,
        1,
        126,
        3,
        1,
        20,
        0,
        100,
        0, // Knob 1 in Aftertouch
        0,
        74,
        0,
        127,
        0,
        0,
        22,
        0,
        127,
        0,
        0,
        23,
        0,
        127,
        15,
        0,
        36,
        100,
        2,
        9, // Pad 1 Note 36, Fixed 100, Curve 3
        1,
        80,
        127,
        0,
        9, // Pad 2 CC Toggle
        2,
        81,
        90,
        5,
        9, // Pad 3 CC Momentary, Pressed 90, Released 5
        3,
        5,
        1,
        2,
        9, // Pad 4 Program Change
        0,
        37,
        0,
        7,
        0,
        0,
        38,
        0,
        0,
        9,
        0,
        39,
        0,
        0,
        9,
        0,
        40,
        0,
        0,
        9,
        0,
        48,
        127,
        0,
        0,
        1,
        49,
        100,
        10,
        0, // Switch 2 CC Momentary
        2,
        7,
        3,
        4,
        1, // Switch 3 Program Change on channel 2
        0,
        51,
        127,
        0,
        0,
    };
    ASSERT_EQ (replied.size(), 93u);

    const auto reply = framed ({ 0x00, 0x00, 0x0e, 0x00, 0x41, 0x63, 0x00, 0x5d }, replied);
    const std::vector<juce::uint8> replyBytes (reply.begin(), reply.end());
    fixture.backend.deliver (simulator.getInputDevice(), juce::MidiMessage (replyBytes.data(), (int) replyBytes.size()));

    ASSERT_TRUE (alerts.waitFor (1));
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ("MIDI Get Sucess"));
    EXPECT_EQ (toInts (fixture.controller->getPresetData()), replied);
    EXPECT_FALSE (fixture.controller->isAwaitingReply());

    EXPECT_EQ (fixture.textOf ("Keybed Transpose"), "-5");
    EXPECT_EQ (fixture.textOf ("Keybed Curve"), "6");
    EXPECT_EQ (fixture.textOf ("Pitch Wheel MIDI Channel"), "16");
    EXPECT_EQ (fixture.textOf ("Pad 1 Curve"), "3");
    EXPECT_EQ (fixture.textOf ("Pad 3 Released"), "5");
}
