#include "AppTestSupport.h"

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
    std::function<void (int)> look = [&] (int looksLeft) {
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
