#include "AppTestSupport.h"
#include "app/EditorDocument.h"
#include "midi/Q7XSimulator.h"
#include "preset/PresetFile.h"

namespace
{
/** A document on the window manager, with the files it opens and saves in the temporary folder.
    Knob 2 Max is byte 21 of the image: 127 in the default preset.
*/
class DocumentFileTest : public WindowManagerFixture
{
protected:
    juce::File writePreset (const juce::String& name, int knob2Max)
    {
        auto image = PresetLayout::getDefaultPresetImage();
        image.set (21, (juce::uint8) knob2Max);
        const auto file = temp.get().getChildFile (name);
        EXPECT_TRUE (PresetFile::write (file, image).wasOk());
        return file;
    }

    /** Byte 21 of the preset in `file`, or -1 when it holds no preset. */
    static int knob2MaxIn (const juce::File& file)
    {
        const auto reading = PresetFile::read (file);
        return reading.hasImage() ? reading.image[21] : -1;
    }

    EditorDocument& open (const juce::File& file)
    {
        manager->openFileInNewDocument (file);
        return *manager->getDocument (manager->getNumDocuments() - 1);
    }

    static int knob2MaxShown (EditorDocument& document) { return document.getPresetController().getPresetData()[21]; }

    static juce::String changedQuestion (const char* fileName)
    {
        return juce::String ("\"") + fileName + "\" changed on disk since it was opened. Overwrite?";
    }
};
} // namespace

// Open live, load other into the same window: undo takes the window back to live, file and
// title with the values, and Save writes live. A Get changes the values and not the file, nor
// does its undo; after a Save As the window stays where the user saved it.
TEST_F (DocumentFileTest, UndoOfALoadTakesTheDocumentBackToItsFileWhileAGetAndASaveAsLeaveIt)
{
    const auto live = writePreset ("live.q7x", 75);
    const auto other = writePreset ("other.q7x", 11);
    auto& document = open (live);
    auto& history = document.getEditHistory();

    ASSERT_TRUE (document.loadFile (other));
    EXPECT_EQ (document.getName(), "Pelmar Q7X Editor - other");
    EXPECT_EQ (history.getUndoName(), "Open other.q7x");

    ASSERT_TRUE (history.undo());
    EXPECT_EQ (document.getName(), "Pelmar Q7X Editor - live");
    EXPECT_EQ (document.getFile(), live);
    EXPECT_EQ (knob2MaxShown (document), 75);

    ASSERT_TRUE (history.redo());
    EXPECT_EQ (document.getName(), "Pelmar Q7X Editor - other");
    EXPECT_EQ (document.getFile(), other);
    EXPECT_EQ (knob2MaxShown (document), 11);

    ASSERT_TRUE (history.undo());
    document.getPresetController().getBoundValues (21)[0]->setValue (99);
    EXPECT_TRUE (document.save());
    EXPECT_EQ (knob2MaxIn (live), 99);
    EXPECT_EQ (knob2MaxIn (other), 11);

    // A preset received from the hardware (the default preset) keeps the document's file.
    Q7XSimulator simulator { backend };
    midi.setOutputDevice (Q7XSimulator::portName);
    midi.setInputDevice (Q7XSimulator::portName);
    document.getPresetController().requestPreset();
    ASSERT_TRUE (alerts.waitFor (1));
    EXPECT_EQ (alerts.getTitles()[0], "MIDI Get Sucess");
    EXPECT_EQ (knob2MaxShown (document), 127);
    EXPECT_EQ (document.getName(), "Pelmar Q7X Editor - live");
    ASSERT_TRUE (history.undo());
    EXPECT_EQ (document.getName(), "Pelmar Q7X Editor - live");
    EXPECT_EQ (knob2MaxShown (document), 99);

    // Saved as "kept": the steps before, the open of live included, leave the window there.
    const auto kept = temp.get().getChildFile ("kept.q7x");
    dialogs.filesToSave = { kept };
    ASSERT_TRUE (document.saveAs());
    ASSERT_TRUE (history.undo()); // the 99
    EXPECT_EQ (history.getUndoName(), "Open live.q7x");
    ASSERT_TRUE (history.undo());
    EXPECT_EQ (knob2MaxShown (document), 127);
    EXPECT_EQ (document.getName(), "Pelmar Q7X Editor - kept");
    EXPECT_TRUE (document.save());
    EXPECT_EQ (knob2MaxIn (kept), 127);
    EXPECT_EQ (knob2MaxIn (live), 99);
    EXPECT_EQ (knob2MaxIn (other), 11);
}

// Another program writes another preset into the file between the document's open and its save:
// Save asks, naming the file; No keeps the other program's preset, Yes writes the window's. A
// spoilt file is mended without asking. Each file the window has lived in is checked against
// what the window last read or wrote there.
TEST_F (DocumentFileTest, SavingOverAFileChangedOnDiskAsksFirst)
{
    const auto live = writePreset ("live.q7x", 75);
    const auto other = writePreset ("other.q7x", 11);
    auto& document = open (live);

    EXPECT_TRUE (document.save()); // unchanged: no question
    EXPECT_TRUE (dialogs.questions.isEmpty());

    writePreset ("live.q7x", 40);
    dialogs.yesNoAnswers = { false };
    EXPECT_FALSE (document.save());
    ASSERT_EQ (dialogs.questions.size(), 1);
    EXPECT_EQ (dialogs.questions[0].title, "File Changed");
    EXPECT_EQ (dialogs.questions[0].text, changedQuestion ("live.q7x"));
    EXPECT_EQ (knob2MaxIn (live), 40);

    dialogs.yesNoAnswers = { true };
    EXPECT_TRUE (document.save());
    EXPECT_EQ (knob2MaxIn (live), 75);
    EXPECT_TRUE (document.save()); // what it wrote itself: no question
    EXPECT_EQ (dialogs.questions.size(), 2);

    // A file that holds no preset any more is mended without a question.
    ASSERT_TRUE (live.replaceWithText ("not a preset"));
    EXPECT_TRUE (document.save());
    EXPECT_EQ (knob2MaxIn (live), 75);
    EXPECT_EQ (dialogs.questions.size(), 2);

    // Away to other and back by undo, while another program changed live.
    ASSERT_TRUE (document.loadFile (other));
    writePreset ("live.q7x", 40);
    EXPECT_TRUE (document.save()); // other is as the window read it
    EXPECT_EQ (dialogs.questions.size(), 2);
    ASSERT_TRUE (document.getEditHistory().undo());
    dialogs.yesNoAnswers = { true };
    EXPECT_TRUE (document.save());
    ASSERT_EQ (dialogs.questions.size(), 3);
    EXPECT_EQ (dialogs.questions[2].text, changedQuestion ("live.q7x"));
    EXPECT_EQ (knob2MaxIn (live), 75);

    // Asked while the window closes: No keeps the window open, with the file as the other left it.
    writePreset ("live.q7x", 41);
    dialogs.answers = { Dialogs::Answer::yes };
    dialogs.yesNoAnswers = { false };
    EXPECT_FALSE (manager->askToSaveAndClose (&document));
    EXPECT_EQ (manager->getNumDocuments(), 1);
    EXPECT_EQ (knob2MaxIn (live), 41);
}
