#include "AppTestSupport.h"
#include "EditorFixture.h"
#include "PresetFixtures.h"
#include "app/CommandIDs.h"
#include "preset/PresetFile.h"

// A document window shows before its six control sections exist. Whatever reads or writes its
// preset in that time must still see all of it: the reference is an editor built whole, as
// every editor was before.
namespace
{
/** Every parameter widget's value, by key, in the same order for any editor; -1 where none. */
juce::Array<double> valuesOf (juce::Component& root)
{
    juce::Array<double> values;

    for (const auto& record : PresetLayout::createParameterOffsets())
    {
        auto* value = dynamic_cast<ParameterValue*> (findComponentNamed (root, record.key));
        values.add (value != nullptr ? value->getValue() : -1.0);
    }

    return values;
}

class LateSectionsTest : public WindowManagerFixture
{
protected:
    EditorDocument* document = nullptr;

    void SetUp() override
    {
        manager->newDocument();
        document = manager->getDocument (0);
        ASSERT_TRUE (editor().hasPendingSections()) << "the sections were made before anything asked for them";
    }

    EditorComponent& editor() const { return dynamic_cast<EditorComponent&> (*document->getContentComponent()); }
};

// Off the screen nothing makes the sections but the button itself.
TEST (LateSectionsEditorTest, ThePresetButtonsMakeTheSectionsBeforeActing)
{
    EditorFixture whole;
    whole.controller->applyPresetData (PresetLayout::getDefaultPresetImage());

    const auto output = whole.backend.addOutput ("Q7X Port");
    whole.midiManager.setOutputDevice ("Q7X Port");
    std::unique_ptr<PresetController> controller (createPresetController (&whole.midiManager));
    std::unique_ptr<EditorComponent> editor (createEditorComponentShowingMainFirst (*controller));
    controller->applyPresetData (PresetLayout::getDefaultPresetImage());
    ASSERT_TRUE (editor->hasPendingSections());

    dynamic_cast<juce::Button&> (*findComponentNamed (*editor, "Save To MIDI")).triggerClick();
    ASSERT_TRUE (waitUntil ([&] { return whole.backend.getSentMessages (output).size() == 1; }));

    // The dump without F0 and F7: 8 header bytes, then the 93 bytes of the preset.
    const auto sent = whole.backend.getSentMessages (output)[0];
    ASSERT_EQ (sent.getSysExDataSize(), 101);
    const juce::Array<juce::uint8> image (sent.getSysExData() + 8, 93);
    EXPECT_EQ (image, whole.controller->getPresetData());
    EXPECT_EQ (image[20], 0);   // Knob 2 Min
    EXPECT_EQ (image[21], 127); // Knob 2 Max
    EXPECT_EQ (valuesOf (*editor), valuesOf (*whole.editor));

    editor.reset();
}

TEST_F (LateSectionsTest, AFileLoadedAtOnceReachesEverySectionAndIsSavedWhole)
{
    juce::Random random (14);
    const auto preset = makeRandomValidPreset (random, 1);
    const auto file = temp.get().getChildFile ("Given.q7x");
    ASSERT_TRUE (PresetFile::write (file, preset).wasOk());

    EXPECT_TRUE (document->loadFile (file));

    EditorFixture whole;
    ASSERT_TRUE (whole.controller->applyPresetData (preset));
    EXPECT_EQ (valuesOf (editor()), valuesOf (*whole.editor));
    EXPECT_FALSE (valuesOf (editor()).contains (-1.0));

    const auto saved = temp.get().getChildFile ("Saved.q7x");
    dialogs.filesToSave.push_back (saved);
    document->perform (juce::ApplicationCommandTarget::InvocationInfo (CommandIDs::saveAs));
    EXPECT_EQ (PresetFile::read (saved).image, preset);
}
} // namespace
