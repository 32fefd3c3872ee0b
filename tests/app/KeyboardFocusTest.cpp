#include "AppTestSupport.h"
#include "EditorFixture.h"
#include "app/MainMenuModel.h"
#include "app/WindowManager.h"
#include "views/CustomLook.h"

// Keyboard focus needs real windows: these run under an X display with a window manager.
namespace
{
/** An editor on the desktop, holding the focus, whose keys go through the real key path. */
class KeyboardFocusTest : public testing::Test
{
protected:
    RecordingButtonListener buttons;
    EditorFixture fixture;
    std::unique_ptr<EditorComponent> buttonEditor;

    EditorComponent& show (EditorComponent& editor)
    {
        editor.addToDesktop (juce::ComponentPeer::windowHasTitleBar);
        editor.setVisible (true);
        editor.toFront (true);
        EXPECT_TRUE (bringToFrontUntil (editor, [&] { return editor.getPeer() != nullptr && editor.getPeer()->isFocused(); }));
        return editor;
    }

    static void press (EditorComponent& editor, const juce::KeyPress& key)
    {
        editor.getPeer()->handleKeyPress (key);
        dispatchPendingMessages();
    }

    static juce::String focusedName()
    {
        auto* focused = juce::Component::getCurrentlyFocusedComponent();
        return focused != nullptr ? focused->getName() : juce::String ("(nothing)");
    }

    static juce::KeyPress tab (bool shift = false)
    {
        return juce::KeyPress (juce::KeyPress::tabKey, shift ? juce::ModifierKeys::shiftModifier : juce::ModifierKeys(), 0);
    }

    static juce::KeyPress ctrl (char digit)
    {
        return juce::KeyPress (digit, juce::ModifierKeys::commandModifier, 0);
    }

    void TearDown() override
    {
        fixture.editor->removeFromDesktop();

        if (buttonEditor != nullptr)
            buttonEditor->removeFromDesktop();
    }
};

TEST_F (KeyboardFocusTest, TabWalksTheShownSectionInReadingOrderAndRoundAgain)
{
    auto& editor = show (*fixture.editor);
    press (editor, ctrl ('2'));   // Knobs

    juce::StringArray walked;

    for (int i = 0; i < 21; ++i)
    {
        press (editor, tab());
        walked.add (focusedName());
    }

    juce::StringArray expected;

    for (auto knob : { "Knob 1", "Knob 2", "Knob 3", "Knob 4" })
        for (auto row : { "Mode", "MIDI Channel", "CC", "Min", "Max" })
            expected.add (juce::String (knob) + " " + row);

    expected.add ("Knob 1 Mode");
    EXPECT_EQ (walked, expected);

    press (editor, tab (true));
    EXPECT_EQ (focusedName(), "Knob 4 Max");

    // The section keys work from inside a number box too; the number box does not take the digit.
    press (editor, ctrl ('7'));
    EXPECT_TRUE (editor.getTabSelector().getButtons()[6]->getToggleState());
    EXPECT_EQ (fixture.textOf ("Knob 4 Max"), "127");
    press (editor, tab());
    EXPECT_EQ (focusedName(), "Sustain MIDI Channel");
}

TEST_F (KeyboardFocusTest, TheFocusedWidgetHasARingAndANumberBoxSelectsItsText)
{
    auto& editor = show (*fixture.editor);
    press (editor, ctrl ('5'));   // Keybed: MIDI Channel, Transpose, ...
    press (editor, tab());
    press (editor, tab());
    ASSERT_EQ (focusedName(), "Keybed Transpose");

    auto& box = dynamic_cast<juce::TextEditor&> (*findComponentNamed (editor, "Keybed Transpose"));
    EXPECT_EQ (box.getHighlightedText(), box.getText());

    // The ring stands two pixels left of the box, on the blue band.
    const auto at = positionIn (editor, box) + juce::Point<int> (-2, box.getHeight() / 2);
    ASSERT_TRUE (waitUntil ([&] { return renderComponent (editor).getPixelAt (at.x, at.y) == juce::Colour (0xffffb300); }));

    press (editor, juce::KeyPress (juce::KeyPress::upKey));
    EXPECT_EQ (box.getText(), "1");
    EXPECT_EQ (fixture.controller->getPresetData()[0], 13);   // byte 0 holds transpose + 12

    press (editor, tab());
    EXPECT_NE (renderComponent (editor).getPixelAt (at.x, at.y), juce::Colour (0xffffb300));
}

TEST_F (KeyboardFocusTest, SpaceAndReturnClickTheMainButtonsAndSpaceOpensAModeList)
{
    RecordingValueListener values;
    buttonEditor.reset (createEditorComponent (buttons, values));
    auto& editor = show (*buttonEditor);

    press (editor, tab());
    EXPECT_EQ (focusedName(), "Load From MIDI");
    press (editor, juce::KeyPress (juce::KeyPress::spaceKey));
    press (editor, tab());
    press (editor, juce::KeyPress (juce::KeyPress::returnKey));
    press (editor, tab());
    press (editor, tab());
    EXPECT_EQ (focusedName(), "Save To HD");
    press (editor, tab());
    EXPECT_EQ (focusedName(), "Load From MIDI");
    EXPECT_TRUE (waitUntil ([&] { return buttons.clicked.size() == 2; }));
    EXPECT_EQ (buttons.clicked, juce::StringArray ({ "Load From MIDI", "Save To MIDI" }));

    press (editor, ctrl ('4'));   // Drum Pads
    press (editor, tab());
    auto& list = dynamic_cast<juce::ComboBox&> (*findComponentNamed (editor, "Pad 1 Mode"));
    ASSERT_TRUE (list.hasKeyboardFocus (false));
    press (editor, juce::KeyPress (juce::KeyPress::spaceKey));
    EXPECT_TRUE (list.isPopupActive());
    list.hidePopup();
}

TEST (DocumentKeys, F10AndAltAloneOpenTheMenuBar)
{
    ScriptedDialogs dialogs;
    InMemoryMidiBackend backend;
    MidiManager midi { backend };
    juce::ApplicationCommandManager commands;
    juce::File lastFolder;
    MainMenuModel menus (&commands);
    WindowManager manager (&midi, &commands, lastFolder);
    manager.setMenuBarModel (&menus);
    manager.newDocument();
    auto& document = *manager.getDocument (0);

    const auto menuOpens = [] { return waitUntil ([] { return juce::PopupMenu::dismissAllActiveMenus(); }, 2000); };

    document.keyPressed (juce::KeyPress (juce::KeyPress::F10Key));
    EXPECT_TRUE (menuOpens());

    document.modifierKeysChanged (juce::ModifierKeys (juce::ModifierKeys::altModifier));
    document.modifierKeysChanged (juce::ModifierKeys());
    EXPECT_TRUE (menuOpens());

    // Alt used with another key, or with the mouse, is not a request for the menus.
    document.modifierKeysChanged (juce::ModifierKeys (juce::ModifierKeys::altModifier));
    document.keyPressed (juce::KeyPress ('x', juce::ModifierKeys::altModifier, 'x'));
    document.modifierKeysChanged (juce::ModifierKeys());
    document.modifierKeysChanged (juce::ModifierKeys (juce::ModifierKeys::altModifier));
    document.modifierKeysChanged (juce::ModifierKeys (juce::ModifierKeys::altModifier | juce::ModifierKeys::leftButtonModifier));
    document.modifierKeysChanged (juce::ModifierKeys());
    dispatchPendingMessages();
    EXPECT_FALSE (juce::PopupMenu::dismissAllActiveMenus());

    manager.setMenuBarModel (nullptr);
}
} // namespace
