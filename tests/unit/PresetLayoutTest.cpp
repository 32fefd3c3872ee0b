#include "preset/PresetLayout.h"

#include <gtest/gtest.h>
#include <set>

using namespace PresetLayout;

TEST (PresetLayout, KindBlocksFillTheImageInOrder)
{
    int total = 0;
    std::vector<int> bases;

    for (int k = 0; k < numControlKinds; ++k)
    {
        bases.push_back (getBaseOffset (getKindInfo (k).kind));
        total += getKindInfo (k).totalBytes();
    }

    EXPECT_EQ (total, presetImageSize);
    EXPECT_EQ (bases, (std::vector<int> { 0, 4, 5, 9, 13, 33, 73 }));
    EXPECT_EQ (getControlOffset (ControlKind::Pad, 8), 68);
    EXPECT_EQ (getControlOffset (ControlKind::Switch, 2), 78);
    EXPECT_THROW (getKindInfo (7), std::out_of_range);
    EXPECT_THROW (getKindInfo (-1), std::out_of_range);
}

TEST (PresetLayout, KeysAreUniqueAndNameEveryByte)
{
    const auto offsets = createParameterOffsets();
    std::set<juce::String> keys;
    std::set<int> named;

    for (const auto& record : offsets)
    {
        EXPECT_TRUE (keys.insert (record.key).second) << record.key;
        EXPECT_TRUE (juce::isPositiveAndBelow (record.offset, presetImageSize)) << record.key;
        named.insert (record.offset);

        const auto location = findParameter (record.key);
        ASSERT_TRUE (location.has_value()) << record.key;
        EXPECT_EQ (location->offset, record.offset) << record.key;
    }

    EXPECT_EQ (offsets.size(), 177);
    EXPECT_EQ ((int) named.size(), presetImageSize);
}

TEST (PresetLayout, SharedAndReversedBytes)
{
    auto offsetOf = [] (const char* key) { return findParameter (key)->offset; };

    for (auto* key : { "Pad 3 Note", "Pad 3 CC", "Pad 3 Program" })
        EXPECT_EQ (offsetOf (key), 44) << key;
    for (auto* key : { "Pad 3 Fixed", "Pad 3 Toggle On", "Pad 3 Pressed", "Pad 3 Bank LSB" })
        EXPECT_EQ (offsetOf (key), 45) << key;
    for (auto* key : { "Pad 3 Curve", "Pad 3 Toggle Off", "Pad 3 Released", "Pad 3 Bank MSB" })
        EXPECT_EQ (offsetOf (key), 46) << key;
    for (auto* key : { "Switch 2 CC", "Switch 2 Program" })
        EXPECT_EQ (offsetOf (key), 79) << key;

    EXPECT_EQ (offsetOf ("Sustain Released"), 10);
    EXPECT_EQ (offsetOf ("Sustain Pressed"), 11);
    EXPECT_EQ (offsetOf ("Keybed Transpose"), 0);
    EXPECT_EQ (offsetOf ("Keybed MIDI Channel"), 2);
    EXPECT_EQ (offsetOf ("Mod Wheel MIDI Channel"), 5);
    EXPECT_EQ (offsetOf ("Knob 4 MIDI Channel"), 32);
    EXPECT_EQ (offsetOf ("Switch 4 MIDI Channel"), 92);

    for (auto* notAKey : { "Pad 10 Note", "knob 1 CC", "Knob 1  CC", "Knob 1 CC ", "Pad 0 Note" })
        EXPECT_FALSE (findParameter (notAKey).has_value()) << notAKey;
}

TEST (PresetLayout, ParameterNamesByIndex)
{
    EXPECT_EQ (padParameterName (0), "Mode");
    EXPECT_EQ (padParameterName (12), "Program");
    EXPECT_EQ (padParameterName (13), "");
    EXPECT_EQ (padParameterName (-1), "");
    EXPECT_EQ (switchParameterName (9), "Program");
    EXPECT_EQ (switchParameterName (10), "");
}

TEST (PresetLayout, DefaultDumpIsAValidPresetMessage)
{
    const std::vector<int> prefix { 0xf0, 0x00, 0x00, 0x0e, 0x00, 0x41, 0x61, 0x00, 0x5d };

    ASSERT_EQ (defaultPresetDump.size(), 103u);
    EXPECT_EQ (std::vector<int> (defaultPresetDump.begin(), defaultPresetDump.begin() + 9), prefix);
    EXPECT_EQ (defaultPresetDump.back(), 0xf7);

    const auto image = getDefaultPresetImage();
    ASSERT_EQ (image.size(), presetImageSize);
    EXPECT_EQ (image[0], 12); // transpose shown as 0
    EXPECT_EQ (image[37], 9); // pad 1 on channel 10
    EXPECT_EQ (image[92], 0);

    // Every byte within the range of every parameter that names it.
    for (const auto& record : createParameterOffsets())
    {
        const auto& info = findParameter (record.key)->getInfo();
        EXPECT_GE (image[record.offset], info.rawMinimum) << record.key;
        EXPECT_LE (image[record.offset], info.rawMaximum) << record.key;
    }
}

TEST (PresetLayout, ModesDecideWhichParametersMatter)
{
    const auto curve = *findParameter ("Pad 2 Curve");
    const auto released = *findParameter ("Pad 2 Released");
    const auto knobCC = *findParameter ("Knob 1 CC");
    const auto transpose = *findParameter ("Keybed Transpose");

    EXPECT_EQ (curve.getModeOffset(), 38);
    EXPECT_TRUE (curve.isUsedInMode (0));
    EXPECT_FALSE (curve.isUsedInMode (2));
    EXPECT_TRUE (released.isUsedInMode (2));
    EXPECT_FALSE (knobCC.isUsedInMode (1));
    EXPECT_EQ (transpose.getModeOffset(), -1);
}
