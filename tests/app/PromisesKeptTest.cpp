#include "AppTestSupport.h"
#include "ViewTestHelpers.h"
#include "app/look/DesktopScale.h"
#include "app/EditorDocument.h"
#include "app/MainMenuModel.h"
#include "views/ShortcutText.h"
#include "views/NumberBoxParameterValue.h"

namespace
{
TEST (DesktopScale, XsettingsFirstThenGdkScaleThenXftDpi)
{
    struct Case
    {
        double framework;
        const char* gdkScale;
        const char* resources;
        double expected;
    };

    // clang-format off
    const Case cases[] = {
        { 1.0, "",    "",                                   1.0 },
        { 2.0, "3",   "Xft.dpi:\t288\n",                    2.0 }, // XSETTINGS wins
        { 1.0, "2",   "Xft.dpi:\t144\n",                    2.0 }, // then GDK_SCALE
        { 1.0, " 3 ", "",                                   3.0 },
        { 1.0, "1.5", "Xft.dpi:\t192\n",                    2.0 }, // not a whole number: Xft.dpi
        { 1.0, "0",   "Xft.dpi:\t192\n",                    2.0 },
        { 1.0, "abc", "",                                   1.0 },
        { 1.0, "",    "Xcursor.size:\t24\nXft.dpi: 144\n",  1.5 },
        { 1.0, "",    "Xft.dpi:\t72\n",                     1.0 }, // never smaller than the layout
        { 1.0, "",    "Xft.dpinot:\t192\n*dpi:\t192\n",     1.0 },
    };
    // clang-format on

    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ (DesktopScale::choose ({ c.framework, c.gdkScale, c.resources }), c.expected)
            << "framework " << c.framework << ", GDK_SCALE \"" << c.gdkScale << "\", resources \"" << c.resources << "\"";
}

TEST (ShortcutText, MenusWriteShortcutsAsLinuxDesktopsDo)
{
    EXPECT_EQ (ShortcutText::fromDescription ("ctrl + M"), "Ctrl+M");
    EXPECT_EQ (ShortcutText::fromDescription ("ctrl + shift + Z"), "Ctrl+Shift+Z");
    EXPECT_EQ (ShortcutText::fromDescription ("F10"), "F10");
    EXPECT_EQ (ShortcutText::fromDescription ("ctrl + +"), "Ctrl++");
    EXPECT_EQ (ShortcutText::fromDescription ("ctrl + shift + Z, ctrl + Y"), "Ctrl+Shift+Z, Ctrl+Y");
    EXPECT_EQ (ShortcutText::fromDescription ("ctrl + ,, alt + F4"), "Ctrl+,, Alt+F4");

    juce::ApplicationCommandManager commands;
    MainMenuModel model (&commands);
    juce::StringArray shown;

    for (const auto& name : model.getMenuBarNames())
    {
        auto menu = model.getMenuForIndex (0, name);

        for (juce::PopupMenu::MenuItemIterator items (menu, true); items.next();)
            if (items.getItem().shortcutKeyDescription.isNotEmpty())
                shown.add (items.getItem().shortcutKeyDescription);
    }

    for (const auto& text : shown)
        EXPECT_FALSE (text.contains (" ") || text.startsWith ("ctrl")) << text;
}

class DeviceSetupKeys : public testing::Test
{
protected:
    InMemoryMidiBackend ports;
    const int inA = ports.addInput ("In A"), inB = ports.addInput ("In B");
    const int outA = ports.addOutput ("Out A");
    MidiManager midi { ports };
    juce::ApplicationCommandManager commands;
    juce::File lastFolder;
    WindowManager manager { &midi, &commands, lastFolder };
};

TEST_F (DeviceSetupKeys, TabGoesRoundListsAndButtonsAndTheKeysChooseAndPress)
{
    manager.showDeviceSetup();
    auto* window = manager.getDeviceSetupWindow();
    ASSERT_NE (window, nullptr);
    auto* content = dynamic_cast<DeviceManagerComponent*> (window->getContentComponent());
    ASSERT_NE (content, nullptr);
    EXPECT_FALSE (window->getWantsKeyboardFocus()); // it hands the focus on to the first list

    juce::StringArray order;
    for (auto* c : content->createKeyboardFocusTraverser()->getAllComponents (content))
        order.add (c->getName().isNotEmpty() ? c->getName() : dynamic_cast<juce::Button&> (*c).getButtonText());
    EXPECT_EQ (order, juce::StringArray ({ "Input Devices", "Output Devices", "OK", "Cancel", "Apply" }));

    // Down in a list chooses the next row, as the arrow keys would.
    auto& inputs = *content->createKeyboardFocusTraverser()->getAllComponents (content).front();
    EXPECT_TRUE (inputs.keyPressed (juce::KeyPress (juce::KeyPress::downKey)));
    EXPECT_EQ (content->getSelectedInputRow(), 0);
    EXPECT_TRUE (inputs.keyPressed (juce::KeyPress (juce::KeyPress::downKey)));
    EXPECT_EQ (content->getSelectedInputRow(), 1);

    // Space presses the button with the focus: Apply applies and stays open.
    auto& apply = *content->createKeyboardFocusTraverser()->getAllComponents (content).back();
    // The focus can only be taken once the window manager has made the new window active.
    ASSERT_TRUE (waitUntil ([&] { apply.grabKeyboardFocus(); return apply.hasKeyboardFocus (false); }));
    EXPECT_TRUE (content->keyPressed (juce::KeyPress (juce::KeyPress::spaceKey)));
    EXPECT_TRUE (waitUntil ([this] { return midi.isInputOpen(); }));
    EXPECT_EQ (midi.getInputDeviceName(), "In B");
    EXPECT_NE (manager.getDeviceSetupWindow(), nullptr);

    // Escape cancels and closes.
    EXPECT_TRUE (window->keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)));
    EXPECT_TRUE (waitUntil ([this] { return manager.getDeviceSetupWindow() == nullptr; }));
}

TEST (NumberEntry, LettersThatAreRefusedGetAHint)
{
    std::unique_ptr<NumberBoxParameterValue> channel (createNumberBoxParameterValue (1, 16, 1, 1, "Keybed MIDI Channel"));
    juce::Component window;
    window.setSize (400, 200);
    window.addAndMakeVisible (*channel);
    channel->setBounds (105, 32, 80, 20);

    auto& box = dynamic_cast<juce::TextEditor&> (*channel);
    typeInto (box, "1x2");
    EXPECT_EQ (box.getText(), "12");

    auto* hint = dynamic_cast<juce::Label*> (channel->getRefusalHint());
    ASSERT_NE (hint, nullptr);
    EXPECT_TRUE (hint->isVisible());
    EXPECT_EQ (hint->getText(), "1-16: numbers only");
    window.removeAllChildren();
}

TEST (EditorWindow, AForcedSizeScalesTheWholeEditorInsteadOfCroppingIt)
{
    InMemoryMidiBackend ports;
    MidiManager midi { ports };
    juce::File lastFolder;
    std::unique_ptr<EditorDocument> document (createEditorDocument (&midi, "Untitled 1", lastFolder));
    const auto natural = document->getBounds();
    auto* content = document->getContentComponent();
    EXPECT_EQ (content->getBounds().getWidth(), 1200);
    EXPECT_FLOAT_EQ (document->getContentFit(), 1.0f);

    document->setSize (600, natural.getHeight() / 2);
    EXPECT_EQ (content->getWidth(), 1200); // the layout keeps its size
    EXPECT_EQ (content->getHeight(), 700);
    EXPECT_NEAR (document->getContentFit(), (float) (natural.getHeight() / 2) / 700.0f, 0.01f);
    EXPECT_LE (content->getBoundsInParent().getRight(), 600);
    EXPECT_LE (content->getBoundsInParent().getBottom(), natural.getHeight() / 2);

    document->setSize (natural.getWidth(), natural.getHeight());
    EXPECT_FLOAT_EQ (document->getContentFit(), 1.0f);
    EXPECT_TRUE (content->getTransform().isIdentity());
}
} // namespace
