#include "AppTestSupport.h"
#include "ViewTestHelpers.h"
#include "app/CommandIDs.h"
#include "views/EditorComponent.h"

// Knob 2 Max is byte 21 of the preset image, so byte 30 of a file (after the 9-byte header).
// The default preset holds 127 there; each case types a number without Return and then acts.
namespace
{
class PendingEntryTest : public WindowManagerFixture
{
protected:
    EditorDocument* document = nullptr;

    void SetUp() override { document = openDocument(); }

    EditorDocument* openDocument()
    {
        manager->newDocument();
        auto* newest = manager->getDocument (manager->getNumDocuments() - 1);
        dynamic_cast<EditorComponent&> (*newest->getContentComponent()).selectSection (1);
        return newest;
    }

    void typeWithoutReturn (const juce::String& text)
    {
        typeInto (dynamic_cast<juce::TextEditor&> (*findComponentNamed (*document->getContentComponent(), "Knob 2 Max")), text);
    }

    void perform (juce::CommandID command) { document->perform (juce::ApplicationCommandTarget::InvocationInfo (command)); }

    juce::File saveTarget (const juce::String& name)
    {
        dialogs.filesToSave.push_back (temp.get().getChildFile (name));
        return dialogs.filesToSave.back();
    }

    static int knob2MaxIn (const juce::File& file)
    {
        juce::MemoryBlock data;
        return file.loadFileAsData (data) && data.getSize() == 103 ? (int) (juce::uint8) data[30] : -1;
    }
};

TEST_F (PendingEntryTest, SaveSaveAsAndTheSaveButtonWriteTheTypedNumber)
{
    typeWithoutReturn ("80");
    const auto saved = saveTarget ("Saved.q7x");
    perform (CommandIDs::save);
    EXPECT_EQ (knob2MaxIn (saved), 80);

    typeWithoutReturn ("81");
    const auto savedAs = saveTarget ("Saved As.q7x");
    perform (CommandIDs::saveAs);
    EXPECT_EQ (knob2MaxIn (savedAs), 81);

    typeWithoutReturn ("82");
    const auto fromButton = saveTarget ("From Button.q7x");
    dynamic_cast<juce::Button&> (*findComponentNamed (*document->getContentComponent(), "Save To HD")).triggerClick();
    EXPECT_TRUE (waitUntil ([&] { return knob2MaxIn (fromButton) == 82; }));
}

TEST_F (PendingEntryTest, SendAndGetTakeTheTypedNumberFirst)
{
    const auto output = backend.addOutput ("Q7X Port");
    midi.setOutputDevice ("Q7X Port");

    typeWithoutReturn ("80");
    perform (CommandIDs::sendPreset);
    const auto sent = backend.getSentMessages (output);
    ASSERT_EQ (sent.size(), 1u);
    ASSERT_EQ (sent[0].getSysExDataSize(), 101); // the file's bytes without F0 and F7
    EXPECT_EQ (sent[0].getSysExData()[29], 80);

    // Without an input Get only complains, but the typed number is in the preset by then.
    typeWithoutReturn ("70");
    perform (CommandIDs::getPreset);
    EXPECT_EQ (document->getPresetController().getPresetData()[21], 70);
    EXPECT_EQ (alerts.size(), 1);
}

TEST_F (PendingEntryTest, ClosingAndQuittingSaveTheTypedNumber)
{
    typeWithoutReturn ("80");
    dialogs.answers = { Dialogs::Answer::yes };
    const auto closed = saveTarget ("Closed.q7x");
    perform (CommandIDs::closeWindow);
    EXPECT_EQ (manager->getNumDocuments(), 0);
    EXPECT_EQ (knob2MaxIn (closed), 80);

    document = openDocument();
    typeWithoutReturn ("90");
    dialogs.answers = { Dialogs::Answer::yes };
    const auto quit = saveTarget ("Quit.q7x");
    EXPECT_TRUE (manager->closeAllDocuments());
    EXPECT_EQ (knob2MaxIn (quit), 90);
}
} // namespace
