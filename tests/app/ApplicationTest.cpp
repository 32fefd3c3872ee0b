#include "AppTestSupport.h"
#include "app/CommandIDs.h"
#include "app/look/DefaultLook.h"
#include "app/PelmarQSeriesEditorApplication.h"
#include "ViewTestHelpers.h"
#include "views/EditorComponent.h"

#include <map>

namespace
{
juce::JUCEApplicationBase* neverCalled() { return nullptr; }

/** The application object started as the framework would, without its event loop. */
class ApplicationTest : public testing::Test
{
protected:
    ScriptedDialogs dialogs;
    AlertRecorder alerts;
    TemporaryFolder temp;
    std::unique_ptr<PelmarQSeriesEditorApplication> app;

    void start (const juce::String& commandLine = {})
    {
        juce::JUCEApplicationBase::createInstance = &neverCalled;
        app = std::make_unique<PelmarQSeriesEditorApplication>();
        app->initialise (commandLine);

        // Quitting would end the test's own message loop.
        windows().onLastDocumentClosed = nullptr;
    }

    void TearDown() override
    {
        if (app != nullptr)
        {
            app->shutdown();
            app.reset();
        }

        juce::JUCEApplicationBase::createInstance = nullptr;
    }

    WindowManager& windows() { return *app->getWindowManager(); }
    juce::ApplicationCommandManager& commands() { return *app->getCommandManager(); }

    bool invoke (juce::CommandID id) { return commands().invokeDirectly (id, false); }

    bool activate (int documentIndex)
    {
        auto* document = windows().getDocument (documentIndex);
        return bringToFrontUntil (*document, [=] { return windows().getActiveDocument() == document; });
    }

    struct Line
    {
        juce::String text;
        bool enabled;
        bool isSubMenu;
    };

    juce::Array<Line> menuLines (const juce::String& menuName)
    {
        juce::Array<Line> lines;
        const auto menu = app->getMainMenuModel()->getMenuForIndex (0, menuName);

        for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        {
            const auto& item = it.getItem();
            lines.add ({ item.isSeparator ? "----" : item.text, item.isEnabled, item.subMenu != nullptr });
        }

        return lines;
    }

    juce::StringArray menuTexts (const juce::String& menuName)
    {
        juce::StringArray texts;

        for (const auto& line : menuLines (menuName))
            texts.add (line.text);

        return texts;
    }

    bool isEnabled (const juce::String& menuName, const juce::String& text)
    {
        const auto menu = app->getMainMenuModel()->getMenuForIndex (0, menuName);

        for (juce::PopupMenu::MenuItemIterator it (menu, true); it.next();)
            if (it.getItem().text == text)
                return it.getItem().isEnabled;

        ADD_FAILURE() << "no item " << text;
        return false;
    }
};

TEST_F (ApplicationTest, StartsWithOneUntitledDocumentHoldingTheDefaultPreset)
{
    start ("  -psn_0_12345 ");

    ASSERT_EQ (windows().getNumDocuments(), 1);
    auto* document = windows().getDocument (0);
    EXPECT_EQ (document->getName(), "Pelmar Q7X Editor - Untitled 1");
    EXPECT_EQ (document->getPresetController().getPresetData(), PresetLayout::getDefaultPresetImage());
    EXPECT_EQ (document->getContentComponent()->getBounds().getWidth(), 1200);
    EXPECT_EQ (document->getContentComponent()->getHeight(), 700);
    EXPECT_EQ (app->getLastFolder(), juce::File::getSpecialLocation (juce::File::userHomeDirectory));
    EXPECT_EQ (app->getApplicationName(), "Pelmar Q7X Editor");
    EXPECT_EQ (app->getApplicationVersion(), "1.0.4");
}

TEST_F (ApplicationTest, StartsWithTheFileNamedOnTheCommandLine)
{
    const auto file = temp.writePreset ("My Preset.q7x");
    start (file.getFullPathName().quoted());

    ASSERT_EQ (windows().getNumDocuments(), 1);
    EXPECT_EQ (windows().getDocument (0)->getName(), "Pelmar Q7X Editor - My Preset");
    EXPECT_EQ (windows().getDocument (0)->getFile(), file);

    // A later launch's file opens beside it; a later launch without a file changes nothing.
    app->anotherInstanceStarted (temp.writePreset ("Other.q7x").getFullPathName());
    app->anotherInstanceStarted ("");
    app->anotherInstanceStarted ("--option");
    EXPECT_EQ (windows().getNumDocuments(), 2);
    EXPECT_EQ (windows().getDocument (1)->getDocumentName(), "Other");
}

TEST_F (ApplicationTest, AMissingFileNamedOnTheCommandLineIsReportedInTheDocumentOpenedForIt)
{
    start (temp.get().getChildFile ("Gone Missing.q7x").getFullPathName().quoted());

    ASSERT_EQ (windows().getNumDocuments(), 1);
    EXPECT_EQ (windows().getDocument (0)->getName(), "Pelmar Q7X Editor - Untitled 1");
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ("Invalid File"));
    EXPECT_EQ (alerts.getEntries()[0].message, "File is invalid or currupt");

    // Handed over by a later launch: a new document, and the same alert.
    app->anotherInstanceStarted ("/nowhere/else.q7x");
    EXPECT_EQ (windows().getNumDocuments(), 2);
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ({ "Invalid File", "Invalid File" }));

    app->anotherInstanceStarted (temp.writePreset ("There.q7x").getFullPathName());
    EXPECT_EQ (windows().getNumDocuments(), 3);
    EXPECT_EQ (alerts.size(), 2);
}

TEST_F (ApplicationTest, CommandsHaveTheirNamesAndKeys)
{
    start();

    struct Expected
    {
        juce::CommandID id;
        const char* name;
        juce::juce_wchar key;
    };

    // clang-format off
    const Expected expected[] = {
        { CommandIDs::newWindow, "New Window ", 'n' },   { CommandIDs::open, "Open", 'o' },
        { CommandIDs::closeWindow, "Close Window", 'w' }, { CommandIDs::save, "Save", 's' },
        { CommandIDs::saveAs, "Save As", 0 },            { CommandIDs::quit, "Quit", 'q' },
        { CommandIDs::getPreset, "Get Preset", 0 },      { CommandIDs::sendPreset, "Send Preset", 0 },
        { CommandIDs::about, "About", 0 },               { CommandIDs::deviceSetup, "Device Setup", 0 },
        { CommandIDs::minimize, "Minimize", 'm' },       { CommandIDs::bringAllToFront, "Bring All to Front", 0 },
        { CommandIDs::openUserGuide, "Open User Guide", 'h' },
        { CommandIDs::followHardwareControls, "Follow Hardware Controls", 0 },
        { CommandIDs::midiMonitor, "MIDI Monitor", 0 },
        { CommandIDs::compareWithDevice, "Compare with Device", 0 }
    };
    // clang-format on

    for (const auto& e : expected)
    {
        const auto* info = commands().getCommandForID (e.id);
        ASSERT_NE (info, nullptr) << e.name;
        EXPECT_EQ (info->shortName, e.name);
        EXPECT_EQ (info->categoryName, "General");
        EXPECT_TRUE (info->description.isEmpty());

        if (e.key == 0)
            EXPECT_TRUE (info->defaultKeypresses.isEmpty()) << e.name;
        else
            EXPECT_EQ (info->defaultKeypresses, juce::Array<juce::KeyPress> ({ juce::KeyPress ((int) e.key, juce::ModifierKeys::commandModifier, 0) })) << e.name;
    }

    EXPECT_EQ (CommandIDs::newWindow, 0x200010);
    EXPECT_EQ (CommandIDs::deviceSetup, 0x200310);
    EXPECT_EQ (CommandIDs::openUserGuide, 0x200510);

    juce::Array<juce::CommandID> appCommands, documentCommands;
    app->getAllCommands (appCommands);
    windows().getDocument (0)->getAllCommands (documentCommands);
    EXPECT_EQ (appCommands, juce::Array<juce::CommandID> ({ CommandIDs::about, CommandIDs::newWindow, CommandIDs::open,
                                                            CommandIDs::deviceSetup, CommandIDs::followHardwareControls,
                                                            CommandIDs::closeWindow, CommandIDs::minimize,
                                                            CommandIDs::bringAllToFront, CommandIDs::openUserGuide, CommandIDs::quit,
                                                            CommandIDs::midiMonitor }));
    EXPECT_EQ (documentCommands, juce::Array<juce::CommandID> ({ CommandIDs::save, CommandIDs::saveAs, CommandIDs::getPreset,
                                                                 CommandIDs::sendPreset, CommandIDs::compareWithDevice, CommandIDs::closeWindow,
                                                                 CommandIDs::undo, CommandIDs::redo, CommandIDs::copyControlSettings,
                                                                 CommandIDs::pasteControlSettings, CommandIDs::pasteToAllKnobs,
                                                                 CommandIDs::pasteToAllSwitches, CommandIDs::pasteToAllPads,
                                                                 CommandIDs::pasteToAllPadsCountingUp }));
}

TEST_F (ApplicationTest, MenuBarShowsTheCommandsWithQuitAndAboutInTheWindowMenus)
{
    start();

    EXPECT_EQ (app->getMainMenuModel()->getMenuBarNames(), juce::StringArray ({ "File", "Edit", "Options", "Window", "Help" }));
    EXPECT_EQ (menuTexts ("File"), juce::StringArray ({ "New Window ", "Open", "Close Window", "Save", "Save As",
                                                        "Hardware", "----", "Quit" }));
    EXPECT_TRUE (menuLines ("File")[5].isSubMenu);
    EXPECT_EQ (menuTexts ("Options"), juce::StringArray ({ "Device Setup", "Follow Hardware Controls" }));
    EXPECT_EQ (menuTexts ("Window"), juce::StringArray ({ "Minimize", "Bring All to Front", "----", "MIDI Monitor" }));
    EXPECT_EQ (menuTexts ("Help"), juce::StringArray ({ "Open User Guide", "About" }));
    EXPECT_EQ (app->getMainMenuModel()->getMenuForIndex (5, "View").getNumItems(), 0);

    const auto hardware = app->getMainMenuModel()->getMenuForIndex (0, "File");
    juce::StringArray inHardware;

    for (juce::PopupMenu::MenuItemIterator it (hardware, true); it.next();)
        if (it.getItem().commandManager != nullptr && (it.getItem().itemID == CommandIDs::getPreset || it.getItem().itemID == CommandIDs::sendPreset || it.getItem().itemID == CommandIDs::compareWithDevice))
            inHardware.add (it.getItem().text);

    EXPECT_EQ (inHardware, juce::StringArray ({ "Get Preset", "Send Preset", "Compare with Device" }));

    // Every document window shows the same menus above its 1200 x 700 editor.
    auto* document = windows().getDocument (0);
    EXPECT_EQ (document->getMenuBarComponent() != nullptr, true);
    EXPECT_EQ (document->getContentComponent()->getHeight(), 700);
}

TEST_F (ApplicationTest, DocumentCommandsAreEnabledOnlyWhileADocumentIsInFront)
{
    start();
    ASSERT_TRUE (activate (0));

    for (auto* text : { "Save", "Save As", "Get Preset", "Send Preset", "New Window ", "Open" })
        EXPECT_TRUE (isEnabled ("File", text)) << text;

    invoke (CommandIDs::about);
    ASSERT_TRUE (bringToFrontUntil (*windows().getAboutWindow(), [this] { return windows().getActiveDocument() == nullptr; }));

    for (auto* text : { "Save", "Save As", "Get Preset", "Send Preset" })
        EXPECT_FALSE (isEnabled ("File", text)) << text;

    for (auto* text : { "New Window ", "Open", "Close Window" })
        EXPECT_TRUE (isEnabled ("File", text)) << text;

    EXPECT_TRUE (isEnabled ("Options", "Device Setup"));
    EXPECT_TRUE (isEnabled ("Help", "Open User Guide"));

    // Close Window now goes to the application, which finds no active document.
    EXPECT_TRUE (invoke (CommandIDs::closeWindow));
    EXPECT_TRUE (dialogs.questions.isEmpty());
    EXPECT_EQ (windows().getNumDocuments(), 1);
}

TEST_F (ApplicationTest, CloseWindowInADocumentAsksAboutThatDocument)
{
    start();
    ASSERT_TRUE (activate (0));
    invoke (CommandIDs::newWindow);
    ASSERT_TRUE (activate (1));

    dialogs.answers = { Dialogs::Answer::no };
    EXPECT_TRUE (invoke (CommandIDs::closeWindow));
    EXPECT_EQ (dialogs.askedNames(), juce::StringArray ({ "Untitled 2" }));
    EXPECT_EQ (windows().getNumDocuments(), 1);
}

TEST_F (ApplicationTest, OpenShowsTheLimitAlertInsteadOfAChooserWithFiveDocuments)
{
    start();

    for (int i = 0; i < 4; ++i)
        invoke (CommandIDs::newWindow);

    ASSERT_EQ (windows().getNumDocuments(), 5);
    invoke (CommandIDs::open);

    EXPECT_TRUE (dialogs.openChoosers.isEmpty());
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ({ "Maxiumum Number of Open Documents Reached" }));
}

TEST_F (ApplicationTest, OpenLoadsIntoANewDocumentAndMovesTheLastFolder)
{
    start();
    const auto folder = temp.get().getChildFile ("sub");
    folder.createDirectory();
    const auto broken = folder.getChildFile ("Broken.q7x");
    broken.replaceWithText ("x");

    dialogs.filesToOpen = { juce::File(), broken };
    invoke (CommandIDs::open);
    EXPECT_EQ (windows().getNumDocuments(), 1);
    EXPECT_EQ (dialogs.openChoosers[0].text, app->getLastFolder().getFullPathName());

    invoke (CommandIDs::open);
    EXPECT_EQ (windows().getNumDocuments(), 2);
    EXPECT_EQ (app->getLastFolder(), folder);
    EXPECT_EQ (windows().getDocument (1)->getDocumentName(), "Untitled 2");
}

TEST_F (ApplicationTest, AMissingUserGuideIsReportedWithItsPath)
{
    start();
    const auto guide = PelmarQSeriesEditorApplication::getUserGuideFile();
    ASSERT_FALSE (guide.existsAsFile()) << "this test needs a machine without the guide";
    // Windows writes the same place with backslashes.
    EXPECT_TRUE (guide.getFullPathName().replaceCharacter ('\\', '/').endsWith ("Documents/Pelmar/Q7X Editor/Q7X Editor - User Guide - v1.0.pdf"));

    invoke (CommandIDs::openUserGuide);

    ASSERT_EQ (dialogs.nativeDialogs.size(), 1);
    EXPECT_EQ (dialogs.nativeDialogs[0].title, "Pelmar Q7X Editor");
    EXPECT_EQ (dialogs.nativeDialogs[0].text, "Unable to find User Guide: \r\n" + guide.getFullPathName());
}

/** The application's default look, noting each menu item's text and the shortcut text it is drawn with. */
struct ShortcutRecorder : public DefaultLook
{
    std::map<juce::String, juce::String> shortcuts;

    void drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool isActive,
                            bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text,
                            const juce::String& shortcutKeyText, const juce::Drawable* icon, const juce::Colour* textColour) override
    {
        if (! isSeparator)
            shortcuts[text] = shortcutKeyText;

        DefaultLook::drawPopupMenuItem (g, area, isSeparator, isActive, isHighlighted, isTicked, hasSubMenu,
                                        text, shortcutKeyText, icon, textColour);
    }

    /** The open menu drawn with this look: a window of its own on the desktop. */
    juce::Component* findMenuWindow() const
    {
        auto& desktop = juce::Desktop::getInstance();

        for (int i = 0; i < desktop.getNumComponents(); ++i)
            if (auto* c = desktop.getComponent (i); &c->getLookAndFeel() == this)
                return c;

        return nullptr;
    }
};

TEST_F (ApplicationTest, MenusShowShortcutsAsLinuxDesktopsWriteThem)
{
    start();
    EXPECT_NE (dynamic_cast<DefaultLook*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr);

    auto* bar = dynamic_cast<juce::MenuBarComponent*> (windows().getDocument (0)->getMenuBarComponent());
    ASSERT_NE (bar, nullptr);
    ShortcutRecorder look;
    bar->setLookAndFeel (&look);

    // Each menu as the menu bar opens it, drawn once.
    for (int menu = 0; menu < 5; ++menu)
    {
        bar->showMenu (menu);
        auto* window = look.findMenuWindow();
        ASSERT_NE (window, nullptr) << "menu " << menu;
        window->createComponentSnapshot (window->getLocalBounds());
    }

    juce::PopupMenu::dismissAllActiveMenus();
    EXPECT_TRUE (waitUntil ([&] { return look.findMenuWindow() == nullptr; }));
    bar->setLookAndFeel (nullptr);

    const std::map<juce::String, juce::String> expected {
        { "New Window ", "Ctrl+N" }, { "Open", "Ctrl+O" }, { "Close Window", "Ctrl+W" }, { "Save", "Ctrl+S" }, { "Save As", "" }, { "Hardware", "" }, { "Quit", "Ctrl+Q" }, { "Undo", "Ctrl+Z" }, { "Redo", "Ctrl+Shift+Z, Ctrl+Y" }, { "Copy Control Settings", "" }, { "Paste Control Settings", "" }, { "Paste to All Knobs", "" }, { "Paste to All Switches", "" }, { "Paste to All Pads", "" }, { "Paste to All Pads, Counting Up", "" }, { "Device Setup", "" }, { "Follow Hardware Controls", "" }, { "Minimize", "Ctrl+M" }, { "Bring All to Front", "" }, { "MIDI Monitor", "" }, { "Open User Guide", "Ctrl+H" }, { "About", "" }
    };
    EXPECT_EQ (look.shortcuts, expected);
}

TEST_F (ApplicationTest, QuitAsksAboutEveryDocumentAndACancelKeepsThemOpen)
{
    start();
    invoke (CommandIDs::newWindow);

    dialogs.answers = { Dialogs::Answer::cancel };
    app->systemRequestedQuit();

    EXPECT_EQ (dialogs.askedNames(), juce::StringArray ({ "Untitled 2" }));
    EXPECT_EQ (windows().getNumDocuments(), 2);
    EXPECT_FALSE (juce::MessageManager::getInstance()->hasStopMessageBeenSent());
}
} // namespace

// The Edit menu follows the document in front: greyed with nothing to undo, redo or paste,
// naming the step it takes back, copying the focused panel's control.
TEST_F (ApplicationTest, EditMenuUndoesNamedStepsAndCopiesTheFocusedPanel)
{
    start();
    ASSERT_TRUE (activate (0));
    auto* document = windows().getDocument (0);
    auto& controller = document->getPresetController(); // every section built

    EXPECT_EQ (menuTexts ("Edit"), juce::StringArray ({ "Undo", "Redo", "----", "Copy Control Settings",
                                                        "Paste Control Settings", "Paste to All Knobs",
                                                        "Paste to All Switches", "Paste to All Pads",
                                                        "Paste to All Pads, Counting Up" }));

    for (const auto& line : menuLines ("Edit"))
        EXPECT_TRUE (! line.enabled || line.text == "----") << line.text;

    auto* knobMax = dynamic_cast<ParameterValue*> (findComponentNamed (*document, "Knob 2 Max"));
    ASSERT_NE (knobMax, nullptr);
    knobMax->setValue (75);
    EXPECT_TRUE (isEnabled ("Edit", "Undo Knob 2 Max"));
    EXPECT_TRUE (invoke (CommandIDs::undo));
    EXPECT_EQ (controller.getPresetData()[21], 127);
    EXPECT_TRUE (isEnabled ("Edit", "Redo Knob 2 Max"));

    // Ctrl+Y and Ctrl+Shift+Z both redo.
    const auto* redo = commands().getCommandForID (CommandIDs::redo);
    ASSERT_NE (redo, nullptr);
    EXPECT_TRUE (redo->defaultKeypresses.contains (juce::KeyPress ('y', juce::ModifierKeys::commandModifier, 0)));
    EXPECT_TRUE (redo->defaultKeypresses.contains (juce::KeyPress ('z', juce::ModifierKeys::commandModifier | juce::ModifierKeys::shiftModifier, 0)));
    EXPECT_TRUE (invoke (CommandIDs::redo));
    EXPECT_EQ (controller.getPresetData()[21], 75);

    // The focused panel is the one copied; a knob's settings go to every knob.
    dynamic_cast<EditorComponent&> (*document->getContentComponent()).selectSection (1);
    auto* knobCC = findComponentNamed (*document, "Knob 2 CC");
    ASSERT_NE (knobCC, nullptr);
    knobCC->grabKeyboardFocus();
    ASSERT_TRUE (knobCC->hasKeyboardFocus (false));
    EXPECT_TRUE (isEnabled ("Edit", "Copy Control Settings"));
    EXPECT_TRUE (invoke (CommandIDs::copyControlSettings));
    EXPECT_TRUE (isEnabled ("Edit", "Paste to All Knobs"));
    EXPECT_FALSE (isEnabled ("Edit", "Paste to All Pads"));
    EXPECT_TRUE (invoke (CommandIDs::pasteToAllKnobs));

    for (int knob = 0; knob < 4; ++knob)
        EXPECT_EQ (controller.getPresetData()[13 + 5 * knob + 3], 75) << "Knob " << knob + 1 << " Max";

    EXPECT_TRUE (isEnabled ("Edit", "Undo Paste to All Knobs"));
    EXPECT_TRUE (alerts.getTitles().isEmpty());

    // Pad 1 at CC 125 counted up would give Pad 4 CC 128: refused with the reason, nothing changed.
    dynamic_cast<EditorComponent&> (*document->getContentComponent()).selectSection (3);
    dynamic_cast<ParameterValue&> (*findComponentNamed (*document, "Pad 1 Mode")).setValue (1);
    auto* padCC = findComponentNamed (*document, "Pad 1 CC");
    dynamic_cast<ParameterValue&> (*padCC).setValue (125);
    padCC->grabKeyboardFocus();
    EXPECT_TRUE (invoke (CommandIDs::copyControlSettings));
    const auto before = controller.getPresetData();
    EXPECT_TRUE (invoke (CommandIDs::pasteToAllPadsCountingUp));
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ("Unable to Paste"));
    EXPECT_EQ (alerts.getEntries()[0].message, "Pad 4 CC would be 128, outside 0 to 127.");
    EXPECT_EQ (controller.getPresetData(), before);
    EXPECT_TRUE (isEnabled ("Edit", "Undo Pad 1 Mode"));
}

TEST_F (ApplicationTest, FollowHardwareControlsStartsCheckedAndTheMenuTogglesIt)
{
    start();

    const auto isTicked = [this] {
        const auto menu = app->getMainMenuModel()->getMenuForIndex (0, "Options");

        for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
            if (it.getItem().text == "Follow Hardware Controls")
                return it.getItem().isTicked;

        ADD_FAILURE() << "no Follow Hardware Controls in Options";
        return false;
    };

    EXPECT_TRUE (isTicked());
    EXPECT_TRUE (app->getHardwareFollower()->isEnabled());
    EXPECT_TRUE (invoke (CommandIDs::followHardwareControls));
    EXPECT_FALSE (isTicked());
    EXPECT_FALSE (app->getHardwareFollower()->isEnabled());
    EXPECT_TRUE (invoke (CommandIDs::followHardwareControls));
    EXPECT_TRUE (isTicked());
}
