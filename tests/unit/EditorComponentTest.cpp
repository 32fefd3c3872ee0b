#include "EditorFixture.h"
#include "assets/AssetImages.h"
#include "PresetFixtures.h"
#include "views/QControlLayoutView.h"
#include "views/QControlView.h"

#include <gtest/gtest.h>

namespace
{
const juce::StringArray sectionNames { "main", "knobs", "switches", "pads", "keybed", "wheels", "sustain" };

enum Hotspot
{
    knobsHotspot,
    switchesHotspot,
    padsHotspot,
    keybedHotspot,
    octaveHotspot,
    wheelsHotspot
};

juce::Button* tab (EditorComponent& editor, int index) { return editor.getTabSelector().getButtons()[index]; }
juce::Button* hotspot (EditorComponent& editor, int index) { return editor.getPictureSelector().getButtons()[index]; }

// Clicks as the mouse does: through the button, whose listeners hear it.
void click (juce::Button* button)
{
    button->triggerClick();
    dispatchPendingMessages();
}

int visibleSection (EditorComponent& editor)
{
    int shown = -1;

    for (int i = 0; i < editor.getSectionViews().size(); ++i)
        if (editor.getSectionViews()[i]->isVisible())
        {
            EXPECT_EQ (shown, -1) << "more than one section shown";
            shown = i;
        }

    return shown;
}

// Names of the toggled-on buttons: tabs as "tab <i>", hotspots as "hotspot <i>".
juce::StringArray toggledButtons (EditorComponent& editor)
{
    juce::StringArray names;

    for (int i = 0; i < 7; ++i)
        if (tab (editor, i)->getToggleState())
            names.add ("tab " + juce::String (i));

    for (int i = 0; i < 6; ++i)
        if (hotspot (editor, i)->getToggleState())
            names.add ("hotspot " + juce::String (i));

    return names;
}

// The section view a tab shows, i.e. views in tab order.
juce::Component* sectionView (EditorComponent& editor, int index)
{
    return editor.getViewForButton (tab (editor, index));
}

juce::Array<ParameterValue*> allWidgets (EditorComponent& editor)
{
    juce::Array<ParameterValue*> values;
    collectParameterValues (editor, values);
    return values;
}
} // namespace

TEST (EditorComponent, EveryKeyIsBoundAndTheDefaultPresetArrivesWhole)
{
    EditorFixture fixture;
    auto& controller = *fixture.controller;

    EXPECT_EQ (allWidgets (*fixture.editor).size(), 177);

    for (const auto& record : PresetLayout::createParameterOffsets())
    {
        auto* widget = fixture.value (record.key);
        ASSERT_NE (widget, nullptr) << record.key;
        EXPECT_TRUE (controller.getBoundValues (record.offset).contains (widget)) << record.key;

        // Every widget accepts exactly the raw range the layout gives its parameter.
        const auto& info = PresetLayout::findParameter (record.key)->getInfo();
        EXPECT_EQ (widget->getMinimum (true), info.rawMinimum) << record.key;
        EXPECT_EQ (widget->getMaximum (true), info.rawMaximum) << record.key;
    }

    const auto defaults = PresetLayout::getDefaultPresetImage();
    ASSERT_TRUE (controller.applyPresetData (defaults));
    EXPECT_EQ (controller.getPresetData(), defaults);

    EXPECT_EQ (fixture.textOf ("Keybed Octave"), "4");
    EXPECT_EQ (fixture.textOf ("Keybed Curve"), "4");
    EXPECT_EQ (fixture.textOf ("Pad 1 MIDI Channel"), "10");
    EXPECT_EQ (fixture.textOf ("Switch 4 CC"), "51");
}

TEST (EditorComponent, StartsOnMainWithTheChildrenWhereTheyBelong)
{
    EditorFixture fixture;
    auto& editor = *fixture.editor;

    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 1200, 700));
    EXPECT_EQ (editor.getPictureSelector().getBounds(), juce::Rectangle<int> (26, 65, 1147, 396));
    EXPECT_EQ (editor.getTabSelector().getBounds(), juce::Rectangle<int> (0, 482, 1200, 40));
    EXPECT_EQ (editor.getChildComponent (editor.getNumChildComponents() - 1), &editor.getTabSelector());
    EXPECT_EQ (editor.getSectionViews().size(), 7);
    EXPECT_EQ (visibleSection (editor), editor.getSectionViews().indexOf (sectionView (editor, 0)));
    EXPECT_EQ (toggledButtons (editor), juce::StringArray ("tab 0"));
    EXPECT_EQ (tab (editor, 0)->getName(), "Main Window Button");

    for (auto* view : editor.getSectionViews())
        EXPECT_EQ (view->getPosition(), juce::Point<int> (0, 527));

    juce::StringArray names;
    juce::Array<juce::Point<int>> positions;

    for (auto* child : sectionView (editor, 0)->getChildren())
    {
        names.add (child->getName());
        positions.add (positionIn (editor, *child));
        EXPECT_EQ (child->getWidth(), 249);
        EXPECT_EQ (child->getHeight(), 35);
    }

    EXPECT_EQ (names, juce::StringArray ("Load From MIDI", "Save To MIDI", "Load From HD", "Save To HD"));
    EXPECT_EQ (positions, (juce::Array<juce::Point<int>> { juce::Point<int> (5, 527), juce::Point<int> (5, 567), juce::Point<int> (5, 607), juce::Point<int> (5, 647) }));

    juce::Array<int> tabXs;

    for (auto* button : editor.getTabSelector().getButtons())
        tabXs.add (button->getX());

    EXPECT_EQ (tabXs, juce::Array<int> (0, 175, 345, 515, 685, 855, 1025));
    EXPECT_EQ (hotspot (editor, keybedHotspot)->getBounds(), juce::Rectangle<int> (338, 78, 771, 321));
    EXPECT_EQ (hotspot (editor, octaveHotspot)->getBounds(), juce::Rectangle<int> (200, 155, 107, 30));
}

TEST (EditorComponent, TabsAndHotspotsShowTheirSectionAndHighlightExactlyItsButtons)
{
    EditorFixture fixture;
    auto& editor = *fixture.editor;
    auto shown = [&] { return editor.getSectionViews()[visibleSection (editor)]; };

    click (hotspot (editor, octaveHotspot));
    EXPECT_EQ (shown(), sectionView (editor, 4));
    EXPECT_EQ (toggledButtons (editor), juce::StringArray ("tab 4", "hotspot 3", "hotspot 4"));

    click (tab (editor, 0));
    EXPECT_EQ (shown(), sectionView (editor, 0));
    EXPECT_EQ (toggledButtons (editor), juce::StringArray ("tab 0"));

    click (tab (editor, 6));
    EXPECT_EQ (shown(), sectionView (editor, 6));
    EXPECT_EQ (toggledButtons (editor), juce::StringArray ("tab 6"));

    click (hotspot (editor, knobsHotspot));
    const auto byHotspot = toggledButtons (editor);
    click (tab (editor, 0));
    click (tab (editor, 1));
    EXPECT_EQ (toggledButtons (editor), byHotspot);
    EXPECT_EQ (byHotspot, juce::StringArray ("tab 1", "hotspot 0"));
    EXPECT_EQ (shown(), sectionView (editor, 1));

    const std::pair<int, int> hotspotSections[] { { switchesHotspot, 2 }, { padsHotspot, 3 }, { keybedHotspot, 4 }, { wheelsHotspot, 5 } };

    for (auto [index, section] : hotspotSections)
    {
        click (hotspot (editor, index));
        EXPECT_EQ (shown(), sectionView (editor, section)) << index;
        EXPECT_TRUE (tab (editor, section)->getToggleState()) << index;
    }

    // Clicking the shown section's tab again changes nothing.
    click (tab (editor, 5));
    EXPECT_EQ (toggledButtons (editor), juce::StringArray ("tab 5", "hotspot 5"));
}

TEST (EditorComponent, PadBanksPageWithoutWrappingAndKeepTheirBankAcrossSections)
{
    EditorFixture fixture;
    auto& editor = *fixture.editor;
    click (tab (editor, 3));

    auto& pads = dynamic_cast<QControlLayoutView&> (*sectionView (editor, 3));
    auto& bankView = pads.getBankView();
    auto showing = [&] (const char* name) { return fixture.panel (name).isShowing() || fixture.panel (name).getParentComponent()->isVisible(); };

    EXPECT_TRUE (bankView.getNextButton()->isVisible());
    EXPECT_TRUE (showing ("Pad 1"));
    EXPECT_FALSE (showing ("Pad 5"));

    click (bankView.getNextButton());
    EXPECT_TRUE (showing ("Pad 5"));
    EXPECT_FALSE (showing ("Pad 1"));

    click (bankView.getNextButton());
    EXPECT_TRUE (showing ("Pad 8"));

    click (tab (editor, 1));
    click (tab (editor, 3));
    EXPECT_TRUE (showing ("Pad 5"));

    click (bankView.getPreviousButton());
    click (bankView.getPreviousButton());
    EXPECT_TRUE (showing ("Pad 1"));
    EXPECT_EQ (bankView.getCurrentBank(), 0);

    auto& knobs = dynamic_cast<QControlLayoutView&> (*sectionView (editor, 1));
    EXPECT_FALSE (knobs.getBankView().getNextButton()->isVisible());
    EXPECT_FALSE (knobs.getBankView().getPreviousButton()->isVisible());
}

TEST (EditorComponent, PresetButtonsReachTheController)
{
    struct ActionCatcher : public juce::ActionListener
    {
        void actionListenerCallback (const juce::String& message) override { messages.add (message); }
        juce::StringArray messages;
    };

    EditorFixture fixture;
    ActionCatcher catcher;
    fixture.controller->addActionListener (&catcher);

    for (auto* button : sectionView (*fixture.editor, 0)->getChildren())
        if (button->getName().endsWith ("HD"))
            click (dynamic_cast<juce::Button*> (button));

    dispatchPendingMessages();
    EXPECT_EQ (catcher.messages, juce::StringArray ("Open", "Save As"));
}

TEST (EditorComponent, TwoEditorsKeepTheirOwnSections)
{
    EditorFixture first, second;
    click (tab (*first.editor, 2));

    EXPECT_EQ (toggledButtons (*first.editor), juce::StringArray ("tab 2", "hotspot 1"));
    EXPECT_EQ (toggledButtons (*second.editor), juce::StringArray ("tab 0"));
}

// Pictures of the finished editor, one per section, for people to look at
// (build/snapshots/editor-<section>.png); the test checks that each section differs.
TEST (EditorComponent, SnapshotsOfEverySection)
{
    EditorFixture fixture;
    auto& editor = *fixture.editor;
    ASSERT_TRUE (fixture.controller->applyPresetData (PresetLayout::getDefaultPresetImage()));

    const auto folder = juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                            .getParentDirectory()
                            .getParentDirectory()
                            .getChildFile ("snapshots");
    ASSERT_TRUE (folder.createDirectory());

    juce::Array<juce::Image> images;

    for (int section = 0; section < sectionNames.size(); ++section)
    {
        editor.buttonClicked (tab (editor, section)); // no click flash in the picture
        const auto image = editor.createComponentSnapshot (editor.getLocalBounds(), true, 1.0f);
        images.add (image);

        const auto file = folder.getChildFile ("editor-" + sectionNames[section] + ".png");
        file.deleteFile();
        juce::FileOutputStream stream (file);
        ASSERT_TRUE (stream.openedOk());
        ASSERT_TRUE (juce::PNGImageFormat().writeImageToStream (image, stream));
    }

    // Pads 1-4 in their four modes, to see every mode's rows and names.
    auto preset = PresetLayout::getDefaultPresetImage();

    for (int pad = 1; pad <= 4; ++pad)
        preset.set (PresetLayout::getControlOffset (PresetLayout::ControlKind::Pad, pad), (juce::uint8) (pad - 1));

    ASSERT_TRUE (fixture.controller->applyPresetData (preset));
    editor.buttonClicked (tab (editor, 3));
    const auto modesFile = folder.getChildFile ("editor-pads-modes.png");
    modesFile.deleteFile();
    juce::FileOutputStream modesStream (modesFile);
    ASSERT_TRUE (juce::PNGImageFormat().writeImageToStream (editor.createComponentSnapshot (editor.getLocalBounds()), modesStream));

    // The lower band shows a different section each time.
    for (int a = 0; a < images.size(); ++a)
        for (int b = a + 1; b < images.size(); ++b)
        {
            bool differs = false;

            for (int y = 527; y < 700 && ! differs; y += 2)
                for (int x = 0; x < 1200 && ! differs; x += 2)
                    differs = images[a].getPixelAt (x, y) != images[b].getPixelAt (x, y);

            EXPECT_TRUE (differs) << sectionNames[a] << " and " << sectionNames[b];
        }
}

TEST (EditorComponent, FurtherEditorsShareTheDecodedImages)
{
    EditorFixture first, second;
    auto imagesOf = [] (EditorComponent& editor, int index) {
        auto& button = dynamic_cast<juce::ImageButton&> (*tab (editor, index));
        return std::make_pair (button.getNormalImage(), button.getDownImage());
    };

    for (int i = 0; i < 7; ++i)
    {
        const auto a = imagesOf (*first.editor, i), b = imagesOf (*second.editor, i);
        EXPECT_TRUE (a.first.isValid() && a.second.isValid()) << i;
        EXPECT_EQ (a.first.getPixelData(), b.first.getPixelData()) << i;
        EXPECT_EQ (a.second.getPixelData(), b.second.getPixelData()) << i;
    }
}

// The editor keeps its stretched background between paints, at the scale it is drawn at.
TEST (EditorComponent, BackgroundLooksAsIfStretchedAtEachPaintAndScale)
{
    EditorFixture fixture;
    auto& editor = *fixture.editor;
    const auto background = AssetImages::get ("editorBackground");

    for (const auto scale : { 1.0f, 2.0f, 1.0f })
    {
        const auto snapshot = editor.createComponentSnapshot (editor.getLocalBounds(), true, scale);

        juce::Image expected (juce::Image::RGB, snapshot.getWidth(), snapshot.getHeight(), true);
        juce::Graphics g (expected);
        g.addTransform (juce::AffineTransform::scale (scale));
        g.fillAll (juce::Colours::white);
        AssetImages::draw (g, background, { 0.0f, 0.0f, 1200.0f, 750.0f });

        // Rows above the picture and between the picture and the tabs show only the background.
        for (const auto& rows : { juce::Range<int> (0, 64), juce::Range<int> (462, 481) })
            for (int y = (int) ((float) rows.getStart() * scale); y < (int) ((float) rows.getEnd() * scale); ++y)
                for (int x = 0; x < snapshot.getWidth(); x += 3)
                    ASSERT_EQ (snapshot.getPixelAt (x, y), expected.getPixelAt (x, y)) << scale << ": " << x << ", " << y;
    }
}
