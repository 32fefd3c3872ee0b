#include "AppTestSupport.h"
#include "ViewTestHelpers.h"
#include "app/HardwareFollower.h"
#include "midi/Q7XSimulator.h"
#include "views/EditorComponent.h"
#include "views/QControlLayoutView.h"

// The simulated Q7X plays its controls under the default preset, which the document holds too:
// Knob 3 sends CC 22 on channel 1, Pad 6 its note, a key of the keybed its note.
namespace
{
class FollowHardwareTest : public WindowManagerFixture
{
protected:
    Q7XSimulator simulator { backend };
    HardwareFollower follower { midi, *manager };
    EditorDocument* document = nullptr;
    EditorComponent* editor = nullptr;

    void SetUp() override
    {
        midi.setInputDevice (Q7XSimulator::portName);
        ASSERT_TRUE (midi.isInputOpen());
        manager->newDocument();
        document = manager->getDocument (0);
        editor = dynamic_cast<EditorComponent*> (document->getContentComponent());
        ASSERT_TRUE (bringToFrontUntil (*document, [this] { return manager->getActiveDocument() == document; }));
    }

    void play (const char* script) { ASSERT_TRUE (simulator.play (script).wasOk()); }

    /** Waits until the simulator's messages have been delivered and the window has had them. */
    void settle()
    {
        ASSERT_TRUE (waitUntil ([this] { return backend.isIdle(); }));
        dispatchPendingMessages();
    }

    juce::Component& panel (const char* name) { return *ControlSpotlight::findPanel (*editor, name); }

    /** Null until the control's title first lit (or before the window made its sections). */
    const TitleLight* lightOf (const char* name)
    {
        const auto* found = ControlSpotlight::findPanel (*editor, name);
        return found != nullptr ? follower.getSpotlight().getLight (*found) : nullptr;
    }

    bool isLit (const char* name)
    {
        const auto* light = lightOf (name);
        return light != nullptr && light->isLit();
    }

    /** The tab toggled on: 0 Main ... 6 Sustain, -1 for none. */
    int shownTab() const
    {
        const auto& tabs = editor->getTabSelector().getButtons();

        for (int i = 0; i < tabs.size(); ++i)
            if (tabs[i]->getToggleState())
                return i;

        return -1;
    }

    BankView& padBanks() { return panel ("Pad 1").findParentComponentOfClass<QControlLayoutView>()->getBankView(); }
};

TEST_F (FollowHardwareTest, AKnobOrPadPlayedBringsItsSectionAndBankForwardWithItsTitleLit)
{
    EXPECT_EQ (shownTab(), 0);

    play ("Knob 3=64\nKnob 3=70\nKnob 3=90");
    ASSERT_TRUE (waitUntil ([this] { return isLit ("Knob 3"); }));
    EXPECT_EQ (shownTab(), 1);
    EXPECT_TRUE (panel ("Knob 3").isShowing());
    EXPECT_FALSE (isLit ("Knob 2"));

    play ("Pad 6");
    ASSERT_TRUE (waitUntil ([this] { return isLit ("Pad 6"); }));
    EXPECT_EQ (shownTab(), 3);
    EXPECT_EQ (padBanks().getCurrentBank(), 1);
    EXPECT_TRUE (panel ("Pad 6").isShowing());

    // About a second later the lights are out.
    EXPECT_TRUE (waitUntil ([this] { return ! isLit ("Knob 3") && ! isLit ("Pad 6"); }, 3000));
}

TEST_F (FollowHardwareTest, PlayingNeverTakesTheKeyboardFromABoxBeingEdited)
{
    editor->selectSection (1);
    ASSERT_EQ (shownTab(), 1);
    auto& box = dynamic_cast<juce::TextEditor&> (*findComponentNamed (*editor, "Knob 1 CC"));
    box.grabKeyboardFocus();
    ASSERT_TRUE (waitUntil ([&] { return box.hasKeyboardFocus (false); }));

    // With the caret in a box, a key lights the keybed's title only; Knob 2 is in view already.
    play ("Keybed=1\nKnob 2=10");
    ASSERT_TRUE (waitUntil ([this] { return isLit ("Keybed") && isLit ("Knob 2"); }));
    EXPECT_EQ (shownTab(), 1);
    EXPECT_TRUE (box.hasKeyboardFocus (false));

    // A number typed but not committed stays, and so does the section, whatever is played.
    typeInto (box, "7");
    play ("Pad 6\nKeybed=3");
    ASSERT_TRUE (waitUntil ([this] { return isLit ("Pad 6"); }));
    EXPECT_EQ (shownTab(), 1);
    EXPECT_EQ (padBanks().getCurrentBank(), 0);
    EXPECT_TRUE (box.hasKeyboardFocus (false));
    EXPECT_EQ (box.getText(), "7");

    // Without a box in use, the keybed comes forward too.
    pressReturn (box);
    box.giveAwayKeyboardFocus();
    play ("Keybed=5");
    EXPECT_TRUE (waitUntil ([this] { return shownTab() == 4; }));
}

TEST_F (FollowHardwareTest, NothingFollowsWithTheOptionUncheckedOrAnotherPreset)
{
    follower.setEnabled (false);
    play ("Knob 3=64\nPad 6");
    settle();
    EXPECT_EQ (shownTab(), 0);
    EXPECT_TRUE (editor->hasPendingSections());
    EXPECT_EQ (lightOf ("Knob 3"), nullptr);

    // The window's preset decides: with Knob 3 on CC 30, the device's CC 22 is no control of it.
    follower.setEnabled (true);
    auto preset = document->getPresetController().getPresetData();
    preset.set (PresetLayout::findParameter ("Knob 3 CC")->offset, 30);
    ASSERT_TRUE (document->getPresetController().applyPresetData (preset));
    play ("Knob 3=64");
    settle();
    EXPECT_EQ (shownTab(), 0);
    EXPECT_EQ (lightOf ("Knob 3"), nullptr);
}
} // namespace
