#include "AlertRecorder.h"
#include "FakeParameterValue.h"
#include "PresetFixtures.h"

#include <gtest/gtest.h>

namespace
{
std::unique_ptr<PresetController> makeController()
{
    return std::unique_ptr<PresetController> (createPresetController (nullptr));
}

juce::Array<juce::uint8> zeros (int size)
{
    juce::Array<juce::uint8> bytes;
    bytes.insertMultiple (0, 0, size);
    return bytes;
}

struct ActionCatcher : public juce::ActionListener
{
    void actionListenerCallback (const juce::String& message) override { messages.add (message); }
    juce::StringArray messages;
};
} // namespace

TEST (PresetController, BindsWidgetsByKeyAndWritesTheirBytes)
{
    auto controller = makeController();
    EXPECT_EQ (controller->getPresetData(), zeros (93));

    FakeParameterValue knobCC ("Knob 1 CC", 0, 127), unknown ("Knob 5 CC", 0, 127);
    knobCC.addListener (controller.get());
    unknown.addListener (controller.get());

    knobCC.setValue (64.9);
    knobCC.setValue (64.9);
    unknown.setValue (99);

    EXPECT_EQ (controller->getPresetData()[14], 64);
    EXPECT_EQ (controller->getBoundValues (14), juce::Array<ParameterValue*> { &knobCC });
    EXPECT_EQ (controller->getOffset ("Knob 5 CC"), -1);

    auto expected = zeros (93);
    expected.set (14, 64);
    EXPECT_EQ (controller->getPresetData(), expected);
}

TEST (PresetController, AppliesOnlyWholeValidPresets)
{
    auto controller = makeController();
    FakeEditor editor (*controller);
    const auto defaults = PresetLayout::getDefaultPresetImage();

    ASSERT_TRUE (controller->applyPresetData (defaults));
    EXPECT_EQ (controller->getPresetData(), defaults);
    EXPECT_EQ (editor.get ("Pad 1 Note")->getValue(), 49);

    auto refused = [&] (int offset, int byte) {
        auto bad = defaults;
        bad.set (offset, (juce::uint8) byte);
        return ! controller->applyPresetData (bad) && controller->getPresetData() == defaults;
    };

    EXPECT_TRUE (refused (0, 25));   // transpose beyond +12
    EXPECT_TRUE (refused (36, 8));   // pad 1 curve in Note mode
    EXPECT_TRUE (refused (33, 4));   // no fifth pad mode
    EXPECT_TRUE (refused (13, 2));   // no third knob mode
    EXPECT_TRUE (refused (20, 128)); // not a MIDI value

    auto shorter = defaults, longer = defaults;
    shorter.removeLast();
    longer.add (0);
    EXPECT_FALSE (controller->applyPresetData (shorter));
    EXPECT_FALSE (controller->applyPresetData (longer));
    EXPECT_EQ (controller->getPresetData(), defaults);
}

// Bytes a control's mode does not use are free MIDI values: a pad in CC Momentary mode
// with Released 64 is a preset the editor itself produces and must accept again.
TEST (PresetController, ChecksSharedBytesAgainstTheControlsMode)
{
    auto controller = makeController();
    FakeEditor editor (*controller);
    auto preset = PresetLayout::getDefaultPresetImage();

    preset.set (33, 2);   // pad 1: CC Momentary
    preset.set (36, 64);  // Released 64, over the Curve's 0-7
    preset.set (73, 2);   // switch 1: Program Change
    preset.set (74, 100); // Program 100

    ASSERT_TRUE (controller->applyPresetData (preset));
    EXPECT_EQ (controller->getPresetData(), preset);
    EXPECT_EQ (editor.get ("Pad 1 Released")->getValue(), 64);
    EXPECT_EQ (editor.get ("Pad 1 Curve")->getValue(), 0); // could not show 64

    preset.set (33, 0); // back in Note mode the Curve byte must fit the Curve
    EXPECT_FALSE (controller->applyPresetData (preset));

    juce::Random random (7);
    for (int i = 0; i < 40; ++i)
    {
        const auto valid = makeRandomValidPreset (random, i);
        ASSERT_TRUE (controller->applyPresetData (valid)) << "iteration " << i;
        EXPECT_EQ (controller->getPresetData(), valid) << "iteration " << i;
    }
}

TEST (PresetController, PresetReachesOnlyBoundBytes)
{
    auto controller = makeController();
    FakeParameterValue transpose ("Keybed Transpose", 0, 24), max ("Knob 2 Max", 0, 127);
    transpose.addListener (controller.get());
    max.addListener (controller.get());
    transpose.setValue (3);
    max.setValue (5);

    ASSERT_TRUE (controller->applyPresetData (PresetLayout::getDefaultPresetImage()));

    auto expected = zeros (93);
    expected.set (0, 12);
    expected.set (21, 127);
    EXPECT_EQ (controller->getPresetData(), expected);
}

TEST (PresetController, EditKeepsWidgetsOfTheSameByteInStep)
{
    auto controller = makeController();
    FakeEditor editor (*controller);
    ASSERT_TRUE (controller->applyPresetData (PresetLayout::getDefaultPresetImage()));

    editor.get ("Pad 1 Note")->setValue (60);
    EXPECT_EQ (controller->getPresetData()[34], 60);
    EXPECT_EQ (editor.get ("Pad 1 CC")->getValue(), 60);
    EXPECT_EQ (editor.get ("Pad 1 Program")->getValue(), 60);

    editor.get ("Pad 1 Released")->setValue (64);
    EXPECT_EQ (controller->getPresetData()[36], 64);
    EXPECT_EQ (editor.get ("Pad 1 Toggle Off")->getValue(), 64);
    EXPECT_EQ (editor.get ("Pad 1 Curve")->getValue(), 0); // 64 is beyond its range

    editor.get ("Pad 1 Curve")->setValue (5);
    EXPECT_EQ (controller->getPresetData()[36], 5);
    EXPECT_EQ (editor.get ("Pad 1 Bank MSB")->getValue(), 5);
}

TEST (PresetController, ButtonsDispatchOnTheirComponentName)
{
    auto controller = makeController();
    ActionCatcher catcher;
    controller->addActionListener (&catcher);
    controller->addActionListener (&catcher);
    controller->addActionListener (nullptr);

    juce::TextButton save ("Save To HD"), open ("Load From HD"), impostor ("Other");
    impostor.setButtonText ("Save To HD");

    controller->buttonClicked (&save);
    controller->buttonClicked (&impostor);
    controller->buttonClicked (&open);
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);

    EXPECT_EQ (catcher.messages, juce::StringArray ({ "Save As", "Open" }));
}
