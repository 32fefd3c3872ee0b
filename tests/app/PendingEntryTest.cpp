#include "AppTestSupport.h"
#include "ViewTestHelpers.h"
#include "app/CommandIDs.h"
#include "views/EditorComponent.h"

// Knob 2 Max is byte 21 of the preset image, so byte 30 of a file (after the 9-byte header).
// The default preset holds 127 there; every case types 80 without Return and then acts.
namespace
{
constexpr int knob2MaxInFile = 30;

class PendingEntryTest : public WindowManagerFixture
{
protected:
    EditorDocument* document = nullptr;

    void SetUp() override
    {
        manager->newDocument();
        document = manager->getDocument (0);
    }

    void TearDown() override
    {
        manager.reset();
        EXPECT_TRUE (dialogs.answers.empty() && dialogs.filesToSave.empty()) << "a scripted answer was never asked for";
    }

    juce::TextEditor& knob2Max() const
    {
        return dynamic_cast<juce::TextEditor&> (*findComponentNamed (*document->getContentComponent(), "Knob 2 Max"));
    }

    /** Types 80 into Knob 2 Max in the Knobs section, as a user would, without pressing Return. */
    void typeWithoutReturn()
    {
        dynamic_cast<EditorComponent&> (*document->getContentComponent()).selectSection (1);
        typeInto (knob2Max(), "80");
        ASSERT_EQ (document->getPresetController().getPresetData()[21], 127);
    }

    void perform (juce::CommandID command)
    {
        document->perform (juce::ApplicationCommandTarget::InvocationInfo (command));
    }

    juce::File saveTarget (const juce::String& name)
    {
        auto file = temp.get().getChildFile (name);
        dialogs.filesToSave.push_back (file);
        return file;
    }

    static int byteOf (const juce::File& file, int offset)
    {
        juce::MemoryBlock data;
        file.loadFileAsData (data);
        return offset < (int) data.getSize() ? (int) static_cast<const juce::uint8*> (data.getData())[offset] : -1;
    }
};

TEST_F (PendingEntryTest, SaveAndSaveAsWriteTheTypedNumber)
{
    typeWithoutReturn();
    const auto saved = saveTarget ("Saved.q7x");
    perform (CommandIDs::save);
    EXPECT_EQ (byteOf (saved, knob2MaxInFile), 80);
    EXPECT_EQ (knob2Max().getText(), "80");

    typeInto (knob2Max(), "81");
    const auto savedAs = saveTarget ("Saved As.q7x");
    perform (CommandIDs::saveAs);
    EXPECT_EQ (byteOf (savedAs, knob2MaxInFile), 81);

    // Escape puts back what the preset holds, and Save (to the known file) writes that.
    typeInto (knob2Max(), "90");
    knob2Max().keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
    dispatchPendingMessages();
    EXPECT_EQ (knob2Max().getText(), "81");
    perform (CommandIDs::save);
    EXPECT_EQ (byteOf (savedAs, knob2MaxInFile), 81);
}

TEST_F (PendingEntryTest, TheMainSectionsSaveButtonWritesTheTypedNumber)
{
    typeWithoutReturn();
    const auto saved = saveTarget ("From Button.q7x");

    auto* button = dynamic_cast<juce::Button*> (findComponentNamed (*document->getContentComponent(), "Save To HD"));
    ASSERT_NE (button, nullptr);
    button->triggerClick();
    EXPECT_TRUE (waitUntil ([&] { return saved.existsAsFile(); }));
    EXPECT_EQ (byteOf (saved, knob2MaxInFile), 80);
}

TEST_F (PendingEntryTest, SendAndGetTakeTheTypedNumberFirst)
{
    const auto output = backend.addOutput ("Q7X Port");
    midi.setOutputDevice ("Q7X Port");
    ASSERT_TRUE (midi.isOutputOpen());

    typeWithoutReturn();
    perform (CommandIDs::sendPreset);
    const auto sent = backend.getSentMessages (output);
    ASSERT_EQ (sent.size(), 1u);
    ASSERT_EQ (sent[0].getSysExDataSize(), 101);             // 103 bytes less F0 and F7
    EXPECT_EQ (sent[0].getSysExData()[knob2MaxInFile - 1], 80);

    // Without an input Get only complains, but the typed number is in the preset by then.
    typeInto (knob2Max(), "70");
    perform (CommandIDs::getPreset);
    EXPECT_EQ (document->getPresetController().getPresetData()[21], 70);
    EXPECT_EQ (alerts.size(), 1);
}

TEST_F (PendingEntryTest, ClosingAndQuittingSaveTheTypedNumber)
{
    typeWithoutReturn();
    dialogs.answers = { Dialogs::Answer::yes };
    const auto closed = saveTarget ("Closed.q7x");
    perform (CommandIDs::closeWindow);
    EXPECT_EQ (manager->getNumDocuments(), 0);
    EXPECT_EQ (byteOf (closed, knob2MaxInFile), 80);

    manager->newDocument();
    document = manager->getDocument (0);
    typeWithoutReturn();
    dialogs.answers = { Dialogs::Answer::yes };
    const auto quit = saveTarget ("Quit.q7x");
    EXPECT_TRUE (manager->closeAllDocuments());
    EXPECT_EQ (byteOf (quit, knob2MaxInFile), 80);
}

TEST_F (PendingEntryTest, AnEntryOutOfRangeIsPutBackBeforeSaving)
{
    typeWithoutReturn();
    typeInto (knob2Max(), "300");
    const auto saved = saveTarget ("Refused.q7x");
    perform (CommandIDs::save);
    EXPECT_EQ (byteOf (saved, knob2MaxInFile), 127);
    EXPECT_EQ (knob2Max().getText(), "127");
    EXPECT_EQ (knob2Max().getTooltip(), "0-127: 300 is out of range");
}
} // namespace
