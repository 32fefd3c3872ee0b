#include "AlertRecorder.h"
#include "PresetFixtures.h"
#include "ViewTestHelpers.h"
#include "controller/ControlSettingsClipboard.h"
#include "controller/EditHistory.h"
#include "controller/GestureSteps.h"
#include "midi/InMemoryMidiBackend.h"
#include "midi/Q7XSimulator.h"
#include "views/EditorComponent.h"

#include <gtest/gtest.h>

namespace
{
using Image = juce::Array<juce::uint8>;

void runLoop (int ms)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (ms);
}

/** A document's controller, its real editor and its history, with the simulator on its ports. */
struct HistoryFixture
{
    HistoryFixture()
    {
        manager.setOutputDevice (Q7XSimulator::portName);
        manager.setInputDevice (Q7XSimulator::portName);
        controller->applyPresetData (PresetLayout::getDefaultPresetImage());
        history = std::make_unique<EditHistory> (*controller, controller->getPresetData());
    }

    ~HistoryFixture()
    {
        history.reset();
        editor.reset();
        controller.reset();
    }

    ParameterValue& widget (const juce::String& key) const
    {
        return *dynamic_cast<ParameterValue*> (findComponentNamed (*editor, key));
    }

    /** What the user sees: every shown widget's value, by key. */
    std::map<juce::String, int> shownValues() const
    {
        // One walk of the editor: a search by name for every key costs minutes under the sanitizers.
        juce::Array<ParameterValue*> values;
        collectParameterValues (*editor, values);
        std::map<juce::String, int> shown;

        for (auto* value : values)
            if (auto& component = dynamic_cast<juce::Component&> (*value); component.isVisible())
                shown.emplace (component.getName(), (int) value->getValue());

        return shown;
    }

    const Image& bytes() const { return controller->getPresetData(); }

    InMemoryMidiBackend backend;
    Q7XSimulator simulator { backend };
    MidiManager manager { backend };
    std::unique_ptr<PresetController> controller { createPresetController (&manager) };
    std::unique_ptr<EditorComponent> editor { createEditorComponent (*controller) };
    std::unique_ptr<EditHistory> history;
    AlertRecorder alerts;
};

/** The byte that changed between two images, as "offset=value" texts. */
juce::StringArray changes (const Image& before, const Image& after)
{
    juce::StringArray result;

    for (int i = 0; i < after.size(); ++i)
        if (before[i] != after[i])
            result.add (juce::String (i) + "=" + juce::String (after[i]));

    return result;
}
} // namespace

// Numbers, Mode changes (with the hidden rows they bring back), the bytes pads and switches
// share between rows, and whole presets opened from files, in a random order: undoing every
// step retraces every earlier state back to the start, and redoing retraces them to the end.
TEST (EditHistory, RandomEditsUndoToTheStartAndRedoToTheEndByteForByte)
{
    const juce::ScopedJuceInitialiser_GUI gui;
    HistoryFixture f;
    juce::Random random (2126);
    const auto keys = PresetLayout::createParameterOffsets();
    const juce::TemporaryFile file (".q7x");

    std::vector<Image> states { f.bytes() };
    std::vector<std::map<juce::String, int>> shown { f.shownValues() };
    juce::StringArray names;

    for (int action = 0; action < 500; ++action)
    {
        if (action % 37 == 36)
        {
            juce::MemoryOutputStream dump;
            const auto image = makeRandomValidPreset (random, action);
            dump.writeByte ((char) 0xf0);
            const auto header = PresetLayout::makeSysExHeader (PresetLayout::presetDumpCommand);
            dump.write (header.data(), header.size());
            dump.write (image.getRawDataPointer(), (size_t) image.size());
            dump.writeByte ((char) 0xf7);
            ASSERT_TRUE (file.getFile().replaceWithData (dump.getData(), dump.getDataSize()));
            ASSERT_TRUE (f.controller->loadFromFile (file.getFile()));
            EXPECT_EQ (f.bytes(), image);
        }
        else
        {
            // As a user would: only a widget on show, with a value it accepts.
            const auto& key = keys[random.nextInt (keys.size())].key;
            auto* component = findComponentNamed (*f.editor, key);

            if (component == nullptr || ! component->isVisible())
                continue;

            auto& value = f.widget (key);
            const auto lowest = value.getMinimum (true);
            value.setValue (lowest + random.nextInt (value.getMaximum (true) - lowest + 1));
            runLoop (1); // the end of the user's action, when its step is recorded
        }

        f.history->recordPendingEdits();

        if (f.bytes() != states.back())
        {
            states.push_back (f.bytes());
            shown.push_back (f.shownValues());
            names.add (f.history->getUndoName());
        }
    }

    ASSERT_GT (states.size(), 200u);
    EXPECT_TRUE (names.contains ("Open " + file.getFile().getFileName()));
    EXPECT_TRUE (names.contains ("Pad 3 Mode") || names.contains ("Pad 5 Mode"));

    for (auto i = states.size() - 1; i > 0; --i)
    {
        ASSERT_EQ (f.history->getUndoName(), names[(int) i - 1]);
        ASSERT_TRUE (f.history->undo());
        ASSERT_EQ (f.bytes(), states[i - 1]) << "after undoing step " << i;
        ASSERT_EQ (f.shownValues(), shown[i - 1]) << "after undoing step " << i;
    }

    EXPECT_FALSE (f.history->undo());

    for (size_t i = 1; i < states.size(); ++i)
    {
        ASSERT_TRUE (f.history->redo());
        ASSERT_EQ (f.bytes(), states[i]) << "after redoing step " << i;
        ASSERT_EQ (f.shownValues(), shown[i]) << "after redoing step " << i;
    }

    EXPECT_FALSE (f.history->redo());
    EXPECT_TRUE (f.alerts.getTitles().isEmpty());
}

// The report of a user: typed 75, pressed Get Preset, and the 75 was gone. Now Undo brings
// it back, Mode change and all; a refused reply and a save add no step.
TEST (EditHistory, UndoAfterGetPresetRestoresTheEditsByteForByte)
{
    const juce::ScopedJuceInitialiser_GUI gui;
    HistoryFixture f;
    const auto start = f.bytes();

    f.widget ("Knob 2 Max").setValue (75);
    runLoop (5);
    f.widget ("Pad 3 Mode").setValue (2); // CC Momentary: Pressed and Released rows
    runLoop (5);
    f.widget ("Pad 3 Released").setValue (64);
    runLoop (5);
    const auto edited = f.bytes();
    // Knob 2 Max is byte 21; Pad 3 is bytes 43-47: Mode 2, Released 64 in byte 46.
    EXPECT_EQ (changes (start, edited), juce::StringArray ({ "21=75", "43=2", "46=64" }));

    const juce::TemporaryFile saved (".q7x");
    ASSERT_TRUE (f.controller->saveToFile (saved.getFile()));
    EXPECT_EQ (f.history->getUndoName(), "Pad 3 Released");

    f.controller->requestPreset();
    ASSERT_TRUE (f.alerts.waitFor (1, 5000));
    EXPECT_EQ (f.bytes(), PresetLayout::getDefaultPresetImage());
    EXPECT_EQ (f.history->getUndoName(), "Get Preset");

    auto cutShort = PresetLayout::getDefaultPresetImage();
    cutShort.set (21, 200);
    f.simulator.setPreset (cutShort);
    f.controller->requestPreset();
    ASSERT_TRUE (f.alerts.waitFor (2, 5000));
    EXPECT_EQ (f.alerts.getTitles()[1], "Invalid MIDI Message");

    ASSERT_TRUE (f.history->undo());
    EXPECT_EQ (f.bytes(), edited);
    EXPECT_EQ (f.widget ("Knob 2 Max").getValue(), 75);
    EXPECT_EQ (f.widget ("Pad 3 Released").getValue(), 64);
    EXPECT_TRUE (findComponentNamed (*f.editor, "Pad 3 Released")->isVisible());
    EXPECT_EQ (f.history->getUndoName(), "Pad 3 Released");
    EXPECT_EQ (f.history->getRedoName(), "Get Preset");

    ASSERT_TRUE (f.history->undo());
    ASSERT_TRUE (f.history->undo());
    EXPECT_EQ (changes (start, f.bytes()), juce::StringArray ({ "21=75" }));
    EXPECT_FALSE (findComponentNamed (*f.editor, "Pad 3 Released")->isVisible());

    // A new edit after undoing drops what could be redone.
    f.widget ("Knob 1 Min").setValue (5);
    runLoop (5);
    EXPECT_EQ (f.history->getUndoName(), "Knob 1 Min");
    EXPECT_FALSE (f.history->canRedo());
}

// Copy and paste as the Edit menu does them, checked against literal bytes.
TEST (ControlSettingsClipboard, PastesOneControlAllSiblingsAndCountsPadNumbersUp)
{
    using PresetLayout::ControlKind;
    const auto defaults = PresetLayout::getDefaultPresetImage();
    ControlSettingsClipboard clipboard;

    EXPECT_EQ (ControlSettingsClipboard::findCopyableControl ("Keybed"), std::nullopt);
    EXPECT_EQ (ControlSettingsClipboard::findCopyableControl ("Mod Wheel"), std::nullopt);
    ASSERT_TRUE (ControlSettingsClipboard::findCopyableControl ("Switch 4").has_value());
    EXPECT_FALSE (clipboard.canPasteTo (PresetLayout::ControlId { ControlKind::Knob, 1 }));

    // Pad 1 in CC Toggle on channel 3, CC 36 (bytes 33-37): all pads count 36, 37 ... 43.
    auto image = defaults;
    for (auto [offset, value] : { std::pair { 33, 1 }, { 34, 36 }, { 35, 100 }, { 36, 5 }, { 37, 2 } })
        image.set (offset, (juce::uint8) value);

    clipboard.copy (image, { ControlKind::Pad, 1 });
    EXPECT_TRUE (clipboard.canCountUp());
    EXPECT_FALSE (clipboard.canPasteTo (PresetLayout::ControlId { ControlKind::Switch, 1 }));

    const auto counted = clipboard.pasteToAll (image, true);
    ASSERT_TRUE (counted.refusal.isEmpty()) << counted.refusal;
    EXPECT_EQ (counted.stepName, "Paste to All Pads, Counting Up");

    for (int pad = 0; pad < 8; ++pad)
        EXPECT_EQ (counted.image.getRawDataPointer()[33 + 5 * pad + 1], 36 + pad) << "pad " << pad + 1;

    EXPECT_EQ (changes (image, counted.image).size(), 7 * 5); // each other pad: all five bytes differ
    EXPECT_EQ (juce::Array<juce::uint8> (counted.image.getRawDataPointer() + 68, 5), juce::Array<juce::uint8> (std::initializer_list<juce::uint8> { 1, 43, 100, 5, 2 }));

    const auto plain = clipboard.pasteToAll (image, false);
    EXPECT_EQ (plain.stepName, "Paste to All Pads");
    EXPECT_EQ (juce::Array<juce::uint8> (plain.image.getRawDataPointer() + 68, 5), juce::Array<juce::uint8> (std::initializer_list<juce::uint8> { 1, 36, 100, 5, 2 }));

    // Copied from Pad 3 at 126: Pad 1 would get 124 and Pad 5 128, beyond the range.
    image.set (44, 126);
    image.set (43, 1);
    clipboard.copy (image, { ControlKind::Pad, 3 });
    const auto refused = clipboard.pasteToAll (image, true);
    EXPECT_EQ (refused.refusal, "Pad 5 CC would be 128, outside 0 to 127.");

    // Program Change uses neither Note nor CC: nothing to count.
    image.set (43, 3);
    clipboard.copy (image, { ControlKind::Pad, 3 });
    EXPECT_FALSE (clipboard.canCountUp());

    // A switch onto another: every byte of its block, the shared ones included.
    image = defaults;
    for (auto [offset, value] : { std::pair { 73, 2 }, { 74, 7 }, { 75, 8 }, { 76, 9 }, { 77, 15 } })
        image.set (offset, (juce::uint8) value);

    clipboard.copy (image, { ControlKind::Switch, 1 });
    const auto one = clipboard.pasteTo (image, { ControlKind::Switch, 3 });
    EXPECT_EQ (one.stepName, "Paste to Switch 3");
    EXPECT_EQ (changes (image, one.image), juce::StringArray ({ "83=2", "84=7", "85=8", "86=9", "87=15" }));
    EXPECT_EQ (clipboard.pasteTo (image, { ControlKind::Knob, 1 }).refusal, "The copied settings are not those of a Knob.");
}

// A paste goes through the controller as one step, which undo takes back.
TEST (EditHistory, APasteIsOneStep)
{
    const juce::ScopedJuceInitialiser_GUI gui;
    HistoryFixture f;
    const auto start = f.bytes();
    ControlSettingsClipboard clipboard;

    f.widget ("Pad 1 Mode").setValue (1);
    f.widget ("Pad 1 CC").setValue (36);
    runLoop (5);
    clipboard.copy (f.bytes(), { PresetLayout::ControlKind::Pad, 1 });
    const auto paste = clipboard.pasteToAll (f.bytes(), true);
    ASSERT_TRUE (f.history->applyAsStep (paste.stepName, paste.image));

    EXPECT_EQ (f.bytes(), paste.image);
    EXPECT_EQ (f.widget ("Pad 8 CC").getValue(), 43);
    EXPECT_TRUE (findComponentNamed (*f.editor, "Pad 8 Toggle On")->isVisible());
    EXPECT_EQ (f.history->getUndoName(), "Paste to All Pads, Counting Up");

    ASSERT_TRUE (f.history->undo());
    EXPECT_EQ (changes (start, f.bytes()), juce::StringArray ({ "33=1", "34=36" }));
    EXPECT_EQ (f.history->getUndoName(), "Pad 1 Mode"); // both reported in one action: one step
}

// Which edits one turn of the wheel makes: notches on one box, each within a second of the one
// before. A key press, another box or a step that is no edit (interrupt) starts anew; the
// millisecond counter may wrap between two notches.
TEST (GestureSteps, WheelNotchesWithinASecondOfTheOneBeforeJoinOneStep)
{
    struct Edit
    {
        const char* key;
        bool continuing;
        juce::uint32 timeMs;
        bool joins;
    };

    // clang-format off
    const Edit edits[] {
        { "Knob 2 Min", true,  10000,       false }, // the first notch starts a step
        { "Knob 2 Min", true,  10400,       true  },
        { "Knob 2 Min", true,  11400,       true  }, // 1000 ms after the one before
        { "Knob 2 Min", true,  12401,       false }, // 1001 ms: a new turn
        { "Knob 2 Max", true,  12500,       false }, // another box
        { "Knob 2 Max", false, 12600,       false }, // a key pressed in it
        { "Knob 2 Max", true,  12700,       false }, // the notch after the key
        { "Knob 2 Max", true,  12800,       true  },
        { "Knob 2 Max", true,  0xfffffe00u, false },
        { "Knob 2 Max", true,  0x00000100u, true  }, // 768 ms later, across the counter's wrap
    };
    // clang-format on

    GestureSteps steps;

    for (const auto& edit : edits)
        EXPECT_EQ (steps.joinsPrevious (edit.key, edit.continuing, edit.timeMs), edit.joins)
            << edit.key << " at " << edit.timeMs;

    steps.interrupt();
    EXPECT_FALSE (steps.joinsPrevious ("Knob 2 Max", true, 0x00000200u));
    EXPECT_TRUE (steps.joinsPrevious ("Knob 2 Max", true, 0x00000300u));
}

// The notches on Knob 2 Min (byte 20, 0 at the start) are one step, also when the first finds
// the box at the end of its range; the arrow keys make a step each; notches turned back to where
// they started leave no step behind. Knob 2 Max (byte 21), typed before, stays a step of its own.
TEST (EditHistory, WheelNotchesOnOneBoxAreOneStep)
{
    const juce::ScopedJuceInitialiser_GUI gui;
    HistoryFixture f;
    f.widget ("Knob 2 Max").setValue (50);
    runLoop (5);
    const auto start = f.bytes();
    auto& box = *findComponentNamed (*f.editor, "Knob 2 Min");
    const auto turn = [&] (std::initializer_list<float> notches) {
        for (auto delta : notches)
        {
            wheel (box, delta);
            runLoop (5);
        }
    };

    turn ({ -0.2f, 0.2f, 0.2f, 0.2f, -0.2f });
    EXPECT_EQ (changes (start, f.bytes()), juce::StringArray ({ "20=2" }));
    EXPECT_EQ (f.history->getUndoName(), "Knob 2 Min");
    ASSERT_TRUE (f.history->undo());
    EXPECT_EQ (f.bytes(), start);
    EXPECT_EQ (f.history->getUndoName(), "Knob 2 Max");
    ASSERT_TRUE (f.history->redo());

    for (int i = 0; i < 2; ++i)
    {
        box.keyPressed (juce::KeyPress (juce::KeyPress::upKey));
        runLoop (5);
    }

    EXPECT_EQ (changes (start, f.bytes()), juce::StringArray ({ "20=4" }));
    ASSERT_TRUE (f.history->undo());
    EXPECT_EQ (changes (start, f.bytes()), juce::StringArray ({ "20=3" }));
    ASSERT_TRUE (f.history->undo());
    EXPECT_EQ (changes (start, f.bytes()), juce::StringArray ({ "20=2" }));

    // Up and down again: no step, and the next notch starts a step of its own.
    turn ({ 0.2f, -0.2f });
    EXPECT_FALSE (f.history->canRedo());
    turn ({ 0.2f });
    ASSERT_TRUE (f.history->undo());
    EXPECT_EQ (changes (start, f.bytes()), juce::StringArray ({ "20=2" }));
    ASSERT_TRUE (f.history->undo());
    EXPECT_EQ (f.bytes(), start);
    EXPECT_EQ (f.history->getUndoName(), "Knob 2 Max");
}
