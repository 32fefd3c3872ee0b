#include "MidiBytes.h"
#include "midi/ControlMessages.h"
#include "midi/ControlPlayer.h"

#include <gtest/gtest.h>

// Which controls a message comes from, and what a touched control sends, under one preset
// that puts every control kind in each of its Modes.

namespace
{
using juce::MidiMessage;

// clang-format off
const juce::uint8 presetBytes[93] {
    12, 4, 0, 3,        // Keybed: Transpose 0, Octave 4 (keys 48-72), channel 1
    1,                  // Pitch Wheel: channel 2
    0, 1, 0, 127,       // Mod Wheel: channel 1, CC 1, 0..127
    64, 0, 127, 0,      // Sustain: CC 64, Released 0, Pressed 127, channel 1
    0, 20, 100, 0, 0,   // Knob 1: CC 20, from 100 down to 0, channel 1
    1, 21, 0, 127, 2,   // Knob 2: Aftertouch, channel 3
    0, 74, 0, 127, 0,   // Knob 3: CC 74
    0, 64, 0, 127, 0,   // Knob 4: CC 64, as the Sustain input
    0, 36, 0, 0, 9,     // Pad 1: Note 36, channel 10
    0, 60, 0, 0, 0,     // Pad 2: Note 60 on the keybed's channel
    1, 80, 127, 0, 9,   // Pad 3: CC Toggle, CC 80, on 127, off 0
    2, 81, 100, 5, 9,   // Pad 4: CC Momentary, CC 81, pressed 100, released 5
    3, 5, 2, 1, 9,      // Pad 5: Program Change 5, Bank LSB 2, Bank MSB 1
    0, 37, 120, 0, 9,   // Pad 6: Note 37, Fixed velocity 120
    0, 38, 0, 0, 9,
    0, 39, 0, 0, 9,
    0, 48, 127, 0, 0,   // Switch 1: CC Toggle, CC 48
    1, 49, 127, 0, 0,   // Switch 2: CC Momentary, CC 49
    2, 7, 0, 0, 1,      // Switch 3: Program Change 7, channel 2
    0, 80, 127, 0, 9,   // Switch 4: CC Toggle, CC 80 on channel 10, as Pad 3
};
// clang-format on

juce::Array<juce::uint8> preset() { return { presetBytes, 93 }; }
} // namespace

TEST (ControlMessages, AMessageNamesEveryControlThatSendsItsKindChannelAndNumber)
{
    struct Row
    {
        const char* what;
        MidiMessage message;
        juce::StringArray senders;
        std::vector<std::pair<int, juce::uint8>> edits = {}; // offset, byte
    };

    const auto on = [] (int channel, int note) { return MidiMessage::noteOn (channel, note, (juce::uint8) 99); };
    const auto cc = [] (int channel, int number) { return MidiMessage::controllerEvent (channel, number, 9); };

    const Row rows[] {
        { "keybed's lowest key", on (1, 48), { "Keybed" } },
        { "keybed's highest key, let go", MidiMessage::noteOff (1, 72), { "Keybed" } },
        { "a note below the keys", on (1, 47), {} },
        { "a note above the keys", on (1, 73), {} },
        { "keys shifted: Octave 9, Transpose -5", on (1, 127), { "Keybed" }, { { 0, 7 }, { 1, 9 } } },
        { "keys shifted, the lowest", on (1, 103), { "Keybed" }, { { 0, 7 }, { 1, 9 } } },
        { "keys shifted, no longer there", on (1, 102), {}, { { 0, 7 }, { 1, 9 } } },
        { "keybed and pad on one note", on (1, 60), { "Keybed", "Pad 2" } },
        { "pad in Note mode", on (10, 36), { "Pad 1" } },
        { "its note on another channel", on (2, 36), {} },
        { "its note as a CC", cc (10, 36), {} },
        { "pad note on the keybed's channel moved away", on (1, 60), { "Pad 2" }, { { 2, 5 } } },
        { "mod wheel", cc (1, 1), { "Mod Wheel" } },
        { "knob in CC mode", cc (1, 20), { "Knob 1" } },
        { "knob and sustain sharing CC 64", cc (1, 64), { "Sustain", "Knob 4" } },
        { "knob in Aftertouch sends no CC", cc (3, 21), {} },
        { "knob in Aftertouch", MidiMessage::channelPressureChange (3, 50), { "Knob 2" } },
        { "channel pressure on another channel", MidiMessage::channelPressureChange (1, 50), {} },
        { "pitch wheel", MidiMessage::pitchWheel (2, 0), { "Pitch Wheel" } },
        { "pitch bend on another channel", MidiMessage::pitchWheel (1, 0), {} },
        { "pad in CC Toggle and switch sharing CC 80", cc (10, 80), { "Pad 3", "Switch 4" } },
        { "pad in CC Momentary", cc (10, 81), { "Pad 4" } },
        { "pad in Program Change: bank MSB", cc (10, 0), { "Pad 5" } },
        { "pad in Program Change: bank LSB", cc (10, 32), { "Pad 5" } },
        { "pad in Program Change: the program", MidiMessage::programChange (10, 5), { "Pad 5" } },
        { "another program", MidiMessage::programChange (10, 6), {} },
        { "switch in CC Toggle", cc (1, 48), { "Switch 1" } },
        { "switch in CC Momentary", cc (1, 49), { "Switch 2" } },
        { "switch in Program Change", MidiMessage::programChange (2, 7), { "Switch 3" } },
        { "switch in Program Change: bank MSB", cc (2, 0), { "Switch 3" } },
        { "polyphonic aftertouch", MidiMessage::aftertouchChange (1, 60, 5), {} },
        { "a preset request", MidiMessage::createSysExMessage (presetBytes, 4), {} },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.what);
        auto image = preset();

        for (const auto& [offset, byte] : row.edits)
            image.set (offset, byte);

        juce::StringArray names;

        for (const auto& control : ControlMessages::findSenders (image, row.message))
            names.add (control.getName());

        EXPECT_EQ (names, row.senders);
    }
}

TEST (ControlPlayer, APlaySendsWhatTheControlSendsUnderThePreset)
{
    struct Row
    {
        const char* script;
        std::vector<int> bytes; // of every message, in order
    };

    const Row rows[] {
        { "Knob 3=64", { 0xb0, 74, 64 } },
        { "Knob 1=127\nKnob 1=32", { 0xb0, 20, 0, 0xb0, 20, 75 } }, // 100 down to 0
        { "Knob 2=127", { 0xd2, 127 } },
        { "Mod Wheel=127", { 0xb0, 1, 127 } },
        { "Pitch Wheel=8192", { 0xe1, 0x00, 0x40 } },
        { "Keybed=1\nKeybed=25", { 0x90, 48, 100, 0x80, 48, 0, 0x90, 72, 100, 0x80, 72, 0 } },
        { "Pad 1\nPad 1=90", { 0x99, 36, 100, 0x89, 36, 0, 0x99, 36, 90, 0x89, 36, 0 } },
        { "Pad 6=10", { 0x99, 37, 120, 0x89, 37, 0 } }, // the Fixed velocity
        { "Pad 3\npause 1\nPad 3\nPad 3", { 0xb9, 80, 127, 0xb9, 80, 0, 0xb9, 80, 127 } },
        { "Pad 4", { 0xb9, 81, 100, 0xb9, 81, 5 } },
        { "Pad 5", { 0xb9, 0, 1, 0xb9, 32, 2, 0xc9, 5 } },
        { "Switch 1\n# a comment\n\nSwitch 1", { 0xb0, 48, 127, 0xb0, 48, 0 } },
        { "Switch 2", { 0xb0, 49, 127, 0xb0, 49, 0 } },
        { "Switch 3", { 0xb1, 0, 0, 0xb1, 32, 0, 0xc1, 7 } },
        { "Sustain", { 0xb0, 64, 127, 0xb0, 64, 0 } },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.script);
        const auto parsed = ControlPlayer::parse (row.script);
        ASSERT_TRUE (std::holds_alternative<std::vector<ControlPlayer::Step>> (parsed));

        ControlPlayer player;
        std::vector<int> bytes;
        player.perform (
            std::get<std::vector<ControlPlayer::Step>> (parsed), [] { return preset(); },
            [&bytes] (const MidiMessage& message) {
                const auto wire = wireBytes (message);
                bytes.insert (bytes.end(), wire.begin(), wire.end());
            });

        EXPECT_EQ (bytes, row.bytes);
    }
}

TEST (ControlPlayer, AScriptWithALineItCannotPlayIsRefusedByLine)
{
    const std::pair<const char*, const char*> rows[] {
        { "Knob 9=1", "line 1: unknown control \"Knob 9\"" },
        { "Pad 1\nKnob 3", "line 2: Knob 3 takes a position 0..127, as in Knob 3=127" },
        { "Keybed=26", "line 1: Keybed takes a key 1..25, as in Keybed=25" },
        { "Pad 1=0", "line 1: Pad 1 takes a velocity 1..127, as in Pad 1=127" },
        { "Switch 1=3", "line 1: Switch 1 takes no value" },
        { "pause soon", "line 1: a pause is 0 to 60000 ms: \"pause soon\"" },
    };

    for (const auto& [script, reason] : rows)
    {
        const auto parsed = ControlPlayer::parse (script);
        ASSERT_TRUE (std::holds_alternative<juce::String> (parsed)) << script;
        EXPECT_EQ (std::get<juce::String> (parsed), reason);
    }
}
