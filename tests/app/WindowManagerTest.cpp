#include "AppTestSupport.h"
#include "app/platform/WindowFrame.h"
#include "app/WindowManager.h"
#include "midi/InMemoryMidiBackend.h"

namespace
{
class WindowManagerTest : public WindowManagerFixture
{
protected:
    EditorDocument* newest() const { return manager->getDocument (manager->getNumDocuments() - 1); }

    juce::StringArray documentNames() const
    {
        juce::StringArray names;

        for (int i = 0; i < manager->getNumDocuments(); ++i)
            names.add (manager->getDocument (i)->getDocumentName());

        return names;
    }

    // Where the document's frame was asked to be, whichever corner the window system places.
    static juce::Point<int> frameCorner (EditorDocument* document)
    {
        const auto frame = document->getPeer()->getFrameSizeIfPresent();
        return document->getPosition() - WindowFrame::getPositionOffset (frame ? *frame : juce::BorderSize<int>());
    }

    bool isActive (EditorDocument* document) const { return manager->getActiveDocument() == document; }

    bool activate (EditorDocument* document)
    {
        return bringToFrontUntil (*document, [=] { return isActive (document); });
    }
};

TEST_F (WindowManagerTest, NumbersDocumentsKeepsToFiveAndNeverReusesANumber)
{
    for (int i = 0; i < 5; ++i)
        manager->newDocument();

    EXPECT_EQ (documentNames(), juce::StringArray ({ "Untitled 1", "Untitled 2", "Untitled 3", "Untitled 4", "Untitled 5" }));
    EXPECT_EQ (manager->getDocument (2)->getName(), "Pelmar Q7X Editor - Untitled 3");
    EXPECT_FALSE (manager->canOpenAnotherDocument());
    EXPECT_EQ (alerts.size(), 0);

    manager->newDocument();
    EXPECT_EQ (manager->getNumDocuments(), 5);
    ASSERT_EQ (alerts.size(), 1);
    EXPECT_EQ (alerts.getEntries()[0].title, "Maxiumum Number of Open Documents Reached");
    EXPECT_EQ (alerts.getEntries()[0].message, "You may only have 5 documents open.");

    dialogs.answers = { Dialogs::Answer::no };
    EXPECT_TRUE (manager->askToSaveAndClose (manager->getDocument (1)));
    manager->newDocument();

    EXPECT_EQ (documentNames(), juce::StringArray ({ "Untitled 1", "Untitled 3", "Untitled 4", "Untitled 5", "Untitled 6" }));
}

TEST_F (WindowManagerTest, CascadesNewWindowsByTheirNumber)
{
    manager->newDocument();
    manager->newDocument();
    manager->newDocument();

    EXPECT_EQ (frameCorner (manager->getDocument (0)), juce::Point<int> (15, 60));
    EXPECT_EQ (frameCorner (manager->getDocument (1)), juce::Point<int> (30, 75));

    dialogs.answers = { Dialogs::Answer::no, Dialogs::Answer::no };
    manager->askToSaveAndClose (manager->getDocument (2));
    manager->askToSaveAndClose (manager->getDocument (1));
    manager->newDocument();

    EXPECT_EQ (frameCorner (newest()), juce::Point<int> (60, 105));
}

TEST_F (WindowManagerTest, SaveQuestionNamesTheDocumentAndFollowsTheAnswer)
{
    manager->newDocument();
    auto* document = newest();

    dialogs.answers = { Dialogs::Answer::cancel };
    EXPECT_FALSE (manager->askToSaveAndClose (document));
    ASSERT_EQ (dialogs.questions.size(), 1);
    EXPECT_EQ (dialogs.questions[0].title, "Save Document");
    EXPECT_EQ (dialogs.questions[0].text, "Would you like to save: Untitled 1");
    EXPECT_EQ (manager->getNumDocuments(), 1);

    // Yes without a file asks where; cancelling that keeps the document.
    dialogs.answers = { Dialogs::Answer::yes };
    dialogs.filesToSave = { juce::File() };
    EXPECT_FALSE (manager->askToSaveAndClose (document));
    EXPECT_EQ (manager->getNumDocuments(), 1);
    EXPECT_EQ (dialogs.saveChoosers[0].title, "Select Filename to save");

    const auto target = temp.get().getChildFile ("Kept.q7x");
    dialogs.answers = { Dialogs::Answer::yes };
    dialogs.filesToSave = { target };
    EXPECT_TRUE (manager->askToSaveAndClose (document));
    EXPECT_EQ (manager->getNumDocuments(), 0);
    EXPECT_EQ (target.getSize(), PresetLayout::presetDumpSize);

    manager->newDocument();
    dialogs.answers = { Dialogs::Answer::no };
    EXPECT_TRUE (manager->askToSaveAndClose (newest()));
    EXPECT_EQ (manager->getNumDocuments(), 0);
    EXPECT_EQ (temp.get().getNumberOfChildFiles (juce::File::findFiles), 1);
    EXPECT_EQ (dialogs.saveChoosers.size(), 2);
}

TEST_F (WindowManagerTest, YesOnADocumentWithAFileWritesThereWithoutAChooser)
{
    const auto file = temp.writePreset ("Stored.q7x");
    manager->openFileInNewDocument (file);
    file.replaceWithText ("stale");

    dialogs.answers = { Dialogs::Answer::yes };
    EXPECT_TRUE (manager->askToSaveAndClose (newest()));
    EXPECT_EQ (dialogs.questions[0].text, "Would you like to save: Stored");
    EXPECT_EQ (file.getSize(), PresetLayout::presetDumpSize);
    EXPECT_TRUE (dialogs.saveChoosers.isEmpty());
}

TEST_F (WindowManagerTest, AFailedWriteKeepsTheDocumentOpen)
{
    manager->newDocument();

    // A folder with contents stands where the file should go, so the write fails.
    const auto blocked = temp.get().getChildFile ("Blocked.q7x");
    blocked.getChildFile ("inside").create();

    dialogs.answers = { Dialogs::Answer::yes };
    dialogs.filesToSave = { blocked };
    EXPECT_FALSE (manager->askToSaveAndClose (newest()));

    ASSERT_EQ (manager->getNumDocuments(), 1);
    EXPECT_EQ (newest()->getDocumentName(), "Untitled 1");
    EXPECT_EQ (newest()->getFile(), juce::File());
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ({ "Unable to Save" }));

    // The same failure during a quit stops the quit.
    dialogs.answers = { Dialogs::Answer::yes };
    dialogs.filesToSave = { blocked };
    EXPECT_FALSE (manager->closeAllDocuments());
    EXPECT_EQ (manager->getNumDocuments(), 1);
}

TEST_F (WindowManagerTest, QuitAsksNewestFirstAndStopsAtCancel)
{
    EXPECT_TRUE (manager->closeAllDocuments());

    for (int i = 0; i < 3; ++i)
        manager->newDocument();

    dialogs.answers = { Dialogs::Answer::no, Dialogs::Answer::cancel };
    EXPECT_FALSE (manager->closeAllDocuments());

    EXPECT_EQ (dialogs.askedNames(), juce::StringArray ({ "Untitled 3", "Untitled 2" }));
    EXPECT_EQ (documentNames(), juce::StringArray ({ "Untitled 1", "Untitled 2" }));

    dialogs.answers = { Dialogs::Answer::no, Dialogs::Answer::no };
    EXPECT_TRUE (manager->closeAllDocuments());
    EXPECT_EQ (manager->getNumDocuments(), 0);
}

TEST_F (WindowManagerTest, ClosingTheLastDocumentIsReportedButNotDuringAQuit)
{
    int reports = 0;
    manager->onLastDocumentClosed = [&] { ++reports; };

    manager->newDocument();
    manager->newDocument();
    dialogs.answers = { Dialogs::Answer::no, Dialogs::Answer::no };
    manager->askToSaveAndClose (manager->getDocument (0));
    EXPECT_EQ (reports, 0);
    manager->askToSaveAndClose (manager->getDocument (0));
    EXPECT_EQ (reports, 1);

    manager->newDocument();
    dialogs.answers = { Dialogs::Answer::no };
    EXPECT_TRUE (manager->closeAllDocuments());
    EXPECT_EQ (reports, 1);
}

TEST_F (WindowManagerTest, CloseAndMinimiseNeedAnActiveDocument)
{
    manager->newDocument();
    auto* document = newest();
    ASSERT_TRUE (activate (document));

    manager->showAbout();
    ASSERT_TRUE (bringToFrontUntil (*manager->getAboutWindow(), [&] { return isActive (nullptr); }));

    manager->closeActiveDocument();
    manager->minimiseActiveDocument();
    EXPECT_TRUE (dialogs.questions.isEmpty());
    EXPECT_EQ (manager->getNumDocuments(), 1);
    EXPECT_FALSE (document->isMinimised());

    manager->bringAllToFront();
    ASSERT_TRUE (waitUntil ([&] { return isActive (document); }));
    manager->minimiseActiveDocument();
    EXPECT_TRUE (waitUntil ([&] { return document->isMinimised(); }));

    manager->bringAllToFront();
    EXPECT_TRUE (waitUntil ([&] { return ! document->isMinimised(); }));
}

TEST_F (WindowManagerTest, TheCloseButtonAsksTheWindowManager)
{
    manager->newDocument();

    dialogs.answers = { Dialogs::Answer::cancel };
    newest()->closeButtonPressed();
    EXPECT_EQ (manager->getNumDocuments(), 1);

    dialogs.answers = { Dialogs::Answer::no };
    newest()->closeButtonPressed();
    EXPECT_EQ (manager->getNumDocuments(), 0);
    EXPECT_EQ (dialogs.questions.size(), 2);
}

TEST_F (WindowManagerTest, AboutIsOpenedOnceAndClosedByAClick)
{
    manager->showAbout();
    auto* about = manager->getAboutWindow();
    ASSERT_NE (about, nullptr);

    manager->showAbout();
    EXPECT_EQ (manager->getAboutWindow(), about);
    EXPECT_EQ (about->getContentComponent()->getBounds(), juce::Rectangle<int> (0, 0, 484, 267));

    // The version line lies across the middle of the picture.
    const auto* label = dynamic_cast<AboutComponent*> (about->getContentComponent())->getVersionLabel();
    ASSERT_NE (label, nullptr);
    EXPECT_EQ (label->getText(), "Version: 1.0.4");
    EXPECT_EQ (label->getBounds(), juce::Rectangle<int> (0, 133, 484, 15));

    auto* content = about->getContentComponent();
    const auto now = juce::Time::getCurrentTime();
    const juce::MouseEvent click (juce::Desktop::getInstance().getMainMouseSource(), { 10.0f, 10.0f }, {},
                                  juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f,
                                  content, content, now, { 10.0f, 10.0f }, now, 1, false);
    content->mouseUp (click);
    EXPECT_EQ (manager->getAboutWindow(), nullptr);

    manager->showAbout();
    EXPECT_NE (manager->getAboutWindow(), nullptr);
}

TEST_F (WindowManagerTest, TitleFollowsSaveAsAndLoadButNotARefusedFile)
{
    manager->newDocument();
    auto* document = newest();

    const auto folder = temp.get().getChildFile ("presets");
    folder.createDirectory();
    dialogs.filesToSave = { folder.getChildFile ("My Preset.q7x") };
    EXPECT_TRUE (document->saveAs());
    EXPECT_EQ (document->getName(), "Pelmar Q7X Editor - My Preset");
    EXPECT_EQ (lastFolder, folder);

    // The next chooser of any document starts there.
    manager->newDocument();
    dialogs.filesToOpen = { juce::File() };
    EXPECT_FALSE (newest()->openPresetFile());
    EXPECT_EQ (dialogs.openChoosers[0].title, "Select Filename to open");
    EXPECT_EQ (dialogs.openChoosers[0].text, folder.getFullPathName());

    // A refused file changes neither the title nor the folder the user was in.
    const auto other = temp.get().getChildFile ("elsewhere");
    other.createDirectory();
    const auto broken = other.getChildFile ("Broken.q7x");
    broken.replaceWithText ("not a preset");
    dialogs.filesToOpen = { broken };
    EXPECT_TRUE (document->openPresetFile());
    EXPECT_EQ (document->getName(), "Pelmar Q7X Editor - My Preset");
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ({ "Invalid File" }));
    EXPECT_EQ (lastFolder, other);

    const auto good = temp.writePreset ("Loaded.q7x");
    dialogs.filesToOpen = { good };
    EXPECT_TRUE (newest()->openPresetFile());
    EXPECT_EQ (newest()->getName(), "Pelmar Q7X Editor - Loaded");
    EXPECT_EQ (newest()->getFile(), good);
    EXPECT_EQ (manager->getNumDocuments(), 2);
}

TEST_F (WindowManagerTest, SaveAfterTheFileWasDeletedAsksAgain)
{
    const auto file = temp.writePreset ("Gone.q7x");
    manager->openFileInNewDocument (file);
    file.deleteFile();

    const auto replacement = temp.get().getChildFile ("Again.q7x");
    dialogs.filesToSave = { replacement };
    EXPECT_TRUE (newest()->save());
    EXPECT_TRUE (replacement.existsAsFile());
    EXPECT_EQ (newest()->getDocumentName(), "Again");
}

TEST_F (WindowManagerTest, AnOpenFileIsBroughtToTheFrontInsteadOfOpenedTwice)
{
    const auto file = temp.writePreset ("Twice.q7x");
    manager->openFileInNewDocument (file);
    auto* holder = newest();
    ASSERT_TRUE (activate (holder));
    manager->newDocument();
    ASSERT_TRUE (activate (newest()));

    manager->openFileInNewDocument (file);
    EXPECT_EQ (manager->getNumDocuments(), 2);
    EXPECT_TRUE (waitUntil ([&] { return isActive (holder); }));

    // Names that differ in case are different files where the file system says so.
    const auto otherCase = temp.writePreset ("twice.q7x");

    if (otherCase != file)
    {
        manager->openFileInNewDocument (otherCase);
        EXPECT_EQ (manager->getNumDocuments(), 3);
    }
}

TEST_F (WindowManagerTest, AHandedOverFileNeverReplacesThePresetBeingEdited)
{
    const auto first = temp.writePreset ("First.q7x");
    manager->openFileInActiveDocument (first);
    ASSERT_EQ (manager->getNumDocuments(), 1);
    EXPECT_EQ (newest()->getDocumentName(), "First");
    ASSERT_TRUE (activate (newest()));

    const auto second = temp.writePreset ("Second.q7x");
    manager->openFileInActiveDocument (second);

    EXPECT_EQ (documentNames(), juce::StringArray ({ "First", "Second" }));

    manager->openFileInActiveDocument (first);
    EXPECT_EQ (manager->getNumDocuments(), 2);
}

/** Presses a key on a window the way its peer does: on the focused component, else the window. */
bool press (juce::Component& window, const juce::KeyPress& key)
{
    for (juce::Component* target = juce::Component::getCurrentlyFocusedComponent();
         target != nullptr && window.isParentOf (target); target = target->getParentComponent())
        if (target->keyPressed (key))
            return true;

    return window.keyPressed (key);
}

TEST_F (WindowManagerTest, EscapeClosesAboutAndCancelsDeviceSetup)
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

TEST_F (WindowManagerTest, AClickOnTheVersionLineReachesTheAboutBox)
{
    manager->showAbout();
    auto* about = manager->getAboutWindow();
    ASSERT_NE (about, nullptr);
    auto* content = about->getContentComponent();

    // What is under the pointer on the version line is what a click there reaches.
    EXPECT_EQ (content->getComponentAt (242, 140), content);
    EXPECT_EQ (content->getComponentAt (10, 10), content);
}

TEST_F (WindowManagerTest, SaveChooserProposesTheDocumentsNameInTheLastFolder)
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
} // namespace
