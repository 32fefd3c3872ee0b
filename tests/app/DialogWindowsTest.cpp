#include "AppTestSupport.h"
#include "app/WindowManager.h"
#include "midi/InMemoryMidiBackend.h"

namespace
{
class DialogWindowsTest : public testing::Test
{
protected:
    TemporaryFolder temp;
    InMemoryMidiBackend backend;
    MidiManager midi { backend };
    juce::ApplicationCommandManager commands;
    juce::File lastFolder = temp.get();
    ScriptedDialogs dialogs;
    AlertRecorder alerts;
    std::unique_ptr<WindowManager> manager = std::make_unique<WindowManager> (&midi, &commands, lastFolder);

    void TearDown() override { manager.reset(); }

    EditorDocument* newest() const { return manager->getDocument (manager->getNumDocuments() - 1); }
};

/** Presses a key on a window the way its peer does: on the focused component, else the window. */
bool press (juce::Component& window, const juce::KeyPress& key)
{
    for (juce::Component* target = juce::Component::getCurrentlyFocusedComponent();
         target != nullptr && window.isParentOf (target); target = target->getParentComponent())
        if (target->keyPressed (key))
            return true;

    return window.keyPressed (key);
}
} // namespace

TEST_F (DialogWindowsTest, EscapeClosesAboutAndCancelsDeviceSetup)
{
    manager->showAbout();
    ASSERT_NE (manager->getAboutWindow(), nullptr);
    EXPECT_FALSE (press (*manager->getAboutWindow(), juce::KeyPress ('a')));
    EXPECT_NE (manager->getAboutWindow(), nullptr);
    EXPECT_TRUE (press (*manager->getAboutWindow(), juce::KeyPress (juce::KeyPress::escapeKey)));
    EXPECT_EQ (manager->getAboutWindow(), nullptr);

    manager->showDeviceSetup();
    ASSERT_NE (manager->getDeviceSetupWindow(), nullptr);
    EXPECT_TRUE (press (*manager->getDeviceSetupWindow(), juce::KeyPress (juce::KeyPress::escapeKey)));
    EXPECT_TRUE (waitUntil ([&] { return manager->getDeviceSetupWindow() == nullptr; }));
    // Cancelled, not applied.
    EXPECT_TRUE (midi.getOutputDeviceName().isEmpty());
}

TEST_F (DialogWindowsTest, AClickOnTheVersionLineReachesTheAboutBox)
{
    manager->showAbout();
    auto* about = manager->getAboutWindow();
    ASSERT_NE (about, nullptr);
    auto* content = about->getContentComponent();

    // What is under the pointer on the version line is what a click there reaches.
    EXPECT_EQ (content->getComponentAt (242, 140), content);
    EXPECT_EQ (content->getComponentAt (10, 10), content);
}

TEST_F (DialogWindowsTest, SaveChooserProposesTheDocumentsNameInTheLastFolder)
{
    manager->newDocument();
    auto* document = newest();

    dialogs.filesToSave = { temp.get().getChildFile ("Live v1.2.q7x") };
    EXPECT_TRUE (document->saveAs());
    dialogs.filesToSave = { juce::File() };
    EXPECT_FALSE (document->saveAs());

    ASSERT_EQ (dialogs.saveChoosers.size(), 2);
    EXPECT_EQ (dialogs.saveChoosers[0].text, temp.get().getChildFile ("Untitled 1.q7x").getFullPathName());
    EXPECT_EQ (dialogs.saveChoosers[1].text, temp.get().getChildFile ("Live v1.2.q7x").getFullPathName());
    EXPECT_EQ (document->getName(), "Pelmar Q7X Editor - Live v1.2");
}

TEST (SystemChoosers, TheBuiltInChooserFocusesItsNameFieldAndNoSecondChooserOpens)
{
    if (juce::FileChooser::isPlatformDialogAvailable())
        GTEST_SKIP() << "a desktop file chooser is installed; this is about the built-in one";

    TemporaryFolder temp;
    juce::String focusedText;
    bool focusInNameField = false;
    juce::File secondChoice ("/not/asked");

    // Runs inside the chooser's modal loop: looks until the focus is in a text field of the chooser
    // (or for a bounded while), then asks for a second chooser and cancels the first.
    std::function<void (int)> look = [&] (int looksLeft)
    {
        auto* field = dynamic_cast<juce::TextEditor*> (juce::Component::getCurrentlyFocusedComponent());
        focusInNameField = field != nullptr && field->findParentComponentOfClass<juce::FileBrowserComponent>() != nullptr;

        if (! focusInNameField && looksLeft > 0)
        {
            juce::Timer::callAfterDelay (50, [&look, looksLeft] { look (looksLeft - 1); });
            return;
        }

        focusedText = focusInNameField ? field->getText() : juce::String();
        secondChoice = Dialogs::get().chooseFileToOpen ("Select Filename to open", temp.get());

        if (auto* chooser = juce::ModalComponentManager::getInstance()->getModalComponent (0))
            chooser->exitModalState (0);
    };
    juce::MessageManager::callAsync ([&look] { look (100); });

    const auto chosen = Dialogs::get().chooseFileToSave ("Select Filename to save", temp.get().getChildFile ("Untitled 1.q7x"));

    EXPECT_EQ (chosen, juce::File());
    EXPECT_TRUE (focusInNameField);
    EXPECT_EQ (focusedText, "Untitled 1.q7x");
    EXPECT_EQ (secondChoice, juce::File()) << "a second chooser was shown while the first was open";
}
