#include "AppTestSupport.h"
#include "EditorFixture.h"
#include "app/MainMenuModel.h"
#include "app/WindowManager.h"
#include "views/CustomLook.h"
#include "views/QControlLayoutView.h"

// Keyboard focus needs real windows: these run under an X display with a window manager.
namespace
{
/** An editor in a window on the desktop that holds the focus. */
class KeyboardFocusTest : public testing::Test
{
protected:
    EditorFixture fixture;

    EditorComponent& show (EditorComponent& editor)
    {
        editor.addToDesktop (juce::ComponentPeer::windowHasTitleBar);
        editor.setVisible (true);
        editor.toFront (true);
        EXPECT_TRUE (bringToFrontUntil (editor, [&] { return editor.getPeer() != nullptr && editor.getPeer()->isFocused(); }));
        return editor;
    }

    void TearDown() override
    {
        fixture.editor->removeFromDesktop();
    }
};
} // namespace

TEST_F (KeyboardFocusTest, TheFocusedWidgetHasARingAndANumberBoxSelectsItsText)
{
    auto& editor = show (*fixture.editor);
    editor.selectSection (4);   // Keybed: MIDI Channel, Transpose, ...

    auto& box = dynamic_cast<juce::TextEditor&> (*findComponentNamed (editor, "Keybed Transpose"));
    box.grabKeyboardFocus();
    ASSERT_TRUE (waitUntil ([&] { return box.hasKeyboardFocus (false); }));
    EXPECT_EQ (box.getHighlightedText(), "0");

    // The ring stands two pixels left of the box, on the blue band, while the box has the focus.
    const auto at = positionIn (editor, box) + juce::Point<int> (-2, box.getHeight() / 2);
    const auto ringShown = [&] { return renderComponent (editor).getPixelAt (at.x, at.y) == juce::Colour (0xffffb300); };
    EXPECT_TRUE (waitUntil (ringShown));

    box.keyPressed (juce::KeyPress (juce::KeyPress::upKey));
    EXPECT_EQ (box.getText(), "1");
    EXPECT_EQ (fixture.controller->getPresetData()[0], 13);   // byte 0 holds transpose + 12

    findComponentNamed (editor, "Keybed Octave")->grabKeyboardFocus();
    EXPECT_TRUE (waitUntil ([&] { return ! ringShown(); }));
}

TEST_F (KeyboardFocusTest, SpaceOpensAFocusedModeList)
{
    auto& editor = show (*fixture.editor);
    editor.selectSection (3);   // Drum Pads

    auto& list = dynamic_cast<juce::ComboBox&> (*findComponentNamed (editor, "Pad 1 Mode"));
    EXPECT_TRUE (list.keyPressed (juce::KeyPress (juce::KeyPress::spaceKey)));
    EXPECT_TRUE (list.isPopupActive());
    list.hidePopup();
}

TEST_F (KeyboardFocusTest, TabGoesOnFromBankToBankOfTheDrumPads)
{
    auto& editor = show (*fixture.editor);
    editor.selectSection (3);
    auto& banks = dynamic_cast<QControlLayoutView&> (*editor.getViewForButton (editor.getTabSelector().getButtons()[3])).getBankView();

    const auto focusedName = [] { auto* c = juce::Component::getCurrentlyFocusedComponent(); return c != nullptr ? c->getName() : juce::String(); };
    const auto lastOfPad4 = editor.createKeyboardFocusTraverser()->getAllComponents (&editor).back();
    ASSERT_TRUE (lastOfPad4->getName().startsWith ("Pad 4 "));

    lastOfPad4->grabKeyboardFocus();
    ASSERT_TRUE (waitUntil ([&] { return lastOfPad4->hasKeyboardFocus (false); }));
    EXPECT_TRUE (editor.moveFocus (true));
    EXPECT_EQ (banks.getCurrentBank(), 1);
    EXPECT_TRUE (waitUntil ([&] { return focusedName() == "Pad 5 Mode"; })) << focusedName();

    // Backwards from the first pad of the second bank comes back to the last row of Pad 4.
    EXPECT_TRUE (editor.moveFocus (false));
    EXPECT_EQ (banks.getCurrentBank(), 0);
    EXPECT_TRUE (waitUntil ([&] { return focusedName() == lastOfPad4->getName(); })) << focusedName();
}

namespace
{
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
