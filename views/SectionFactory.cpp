#include "SectionFactory.h"
#include "AssetImageButton.h"
#include "EditorComponent.h"
#include "MainView.h"
#include "QControlLayoutView.h"
#include "QControlView.h"
#include "ShortcutText.h"
#include "assets/AssetImages.h"
#include "assets/HotspotAreas.h"

namespace
{
juce::ImageButton* createImageButton (const juce::String& imagePrefix)
{
    auto* button = new AssetImageButton();
    button->setImages (true, true, true,
                       AssetImages::get ((imagePrefix + "Normal").toRawUTF8()), 1.0f, juce::Colours::transparentBlack,
                       AssetImages::get ((imagePrefix + "Over").toRawUTF8()), 1.0f, juce::Colours::transparentBlack,
                       AssetImages::get ((imagePrefix + "Down").toRawUTF8()), 1.0f, juce::Colours::transparentBlack,
                       0.0f);
    return button;
}

// Panels named "<prefix><n>" for n = 1..count, all on one reference data object.
juce::Component* createNumberedSection (QControlReferenceData* data, const juce::String& prefix, int count,
                                        ParameterValue::Listener& listener)
{
    juce::Array<juce::Component*> panels;

    for (int number = 1; number <= count; ++number)
        panels.add (new QControlView (data, prefix + juce::String (number), &listener));

    return new QControlLayoutView (panels, data);
}

juce::Component* createSingleSection (QControlReferenceData* data, const juce::String& name,
                                      ParameterValue::Listener& listener)
{
    return new QControlLayoutView ({ new QControlView (data, name, &listener) }, data);
}

juce::Component* createKnobsView (ParameterValue::Listener& l) { return createNumberedSection (new QKnobControlReferenceData(), "Knob ", 4, l); }
juce::Component* createSwitchesView (ParameterValue::Listener& l) { return createNumberedSection (new QSwitchControlReferenceData(), "Switch ", 4, l); }
juce::Component* createPadsView (ParameterValue::Listener& l) { return createNumberedSection (new QPadControlReferenceData(), "Pad ", 8, l); }
juce::Component* createKeybedView (ParameterValue::Listener& l) { return createSingleSection (new QKeyboardControlReferenceData(), "Keybed", l); }
juce::Component* createSustainView (ParameterValue::Listener& l) { return createSingleSection (new QSustainControlReferenceData(), "Sustain", l); }

juce::Component* createWheelsView (ParameterValue::Listener& listener)
{
    auto* modWheel = new QModWheelControlReferenceData();
    auto* pitchWheel = new QPitchWheelControlReferenceData();

    return new QControlLayoutView ({ new QControlView (modWheel, "Mod Wheel", &listener),
                                     new QControlView (pitchWheel, "Pitch Wheel", &listener) },
                                   juce::Array<QControlReferenceData*> { modWheel, pitchWheel });
}

juce::Component* createSectionView (int section, ParameterValue::Listener& listener)
{
    switch (section)
    {
        case 1: return createKnobsView (listener);
        case 2: return createSwitchesView (listener);
        case 3: return createPadsView (listener);
        case 4: return createKeybedView (listener);
        case 5: return createWheelsView (listener);
        case 6: return createSustainView (listener);
        default: return nullptr;
    }
}

// The mouse chooses sections with these and the keyboard with Ctrl and a digit, so they
// neither take the focus nor stand in the Tab order.
void keepOutOfKeyboardFocus (juce::Button& button)
{
    button.setWantsKeyboardFocus (false);
    button.setMouseClickGrabsKeyboardFocus (false);
}

struct SectionTab
{
    const char* imagePrefix;
    const char* label;
};

const SectionTab sectionTabs[EditorComponent::numSections] {
    { "mainTab", "Main" },
    { "knobsTab", "Knobs" },
    { "switchesTab", "Switches" },
    { "padsTab", "Drum Pads" },
    { "keybedTab", "Keybed" },
    { "wheelsTab", "Mod/Pitch" },
    { "sustainTab", "Sustain" },
};

juce::Array<juce::Button*> createSectionTabs()
{
    juce::Array<juce::Button*> tabs;

    for (int i = 0; i < EditorComponent::numSections; ++i)
    {
        auto* tab = createImageButton (sectionTabs[i].imagePrefix);
        keepOutOfKeyboardFocus (*tab);
        tab->setTooltip (juce::String (sectionTabs[i].label) + " (" + ShortcutText::of (EditorComponent::getSectionKey (i)) + ")");
        tabs.add (tab);
    }

    tabs[0]->setName (EditorComponent::mainTabName);
    return tabs;
}

// The section each hotspot of the controller picture shows, in the order of its areas.
constexpr int hotspotSections[] { 1, 2, 3, 4, 4, 5 };
static_assert (std::size (hotspotSections) == std::size (HotspotAreas::areas));

juce::Array<juce::Button*> createPictureButtons()
{
    juce::Array<juce::Button*> buttons;

    for (const auto& area : HotspotAreas::areas)
    {
        auto* button = createImageButton (juce::String (area.name) + "Picture");
        keepOutOfKeyboardFocus (*button);
        button->setTopLeftPosition (area.x, area.y);
        buttons.add (button);
    }

    return buttons;
}
} // namespace

//==============================================================================
EditorComponent* SectionFactory::createEditorWithMainSection (juce::Button::Listener& presetButtonListener)
{
    auto* mainView = new MainView (&presetButtonListener);
    const auto tabs = createSectionTabs();
    const auto pictureButtons = createPictureButtons();

    auto* tabSelector = new ControlSelector (tabs, ControlSelector::rowSelector);

    const auto picture = AssetImages::get ("pictureBackground");
    auto* pictureSelector = new ControlSelector (pictureButtons, ControlSelector::placedSelector);
    pictureSelector->setSize (picture.getWidth(), picture.getHeight());
    pictureSelector->setBackgroundImage (picture);

    auto* editor = new EditorComponent ({ { tabs[0], mainView } }, tabSelector, pictureSelector);

    for (auto* tab : tabs)
        tab->addListener (editor);

    for (auto* button : pictureButtons)
        button->addListener (editor);

    return editor;
}

void SectionFactory::addControlSections (EditorComponent& editor, ParameterValue::Listener& valueListener)
{
    const auto& tabs = editor.getTabSelector().getButtons();
    const auto& pictureButtons = editor.getPictureSelector().getButtons();

    for (int section = 1; section < EditorComponent::numSections; ++section)
    {
        juce::Array<juce::Button*> buttons { tabs[section] };

        for (int i = 0; i < (int) std::size (hotspotSections); ++i)
            if (hotspotSections[i] == section)
                buttons.add (pictureButtons[i]);

        editor.addSection (createSectionView (section, valueListener), buttons);
    }
}
