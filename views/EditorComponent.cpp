#include "EditorComponent.h"
#include "assets/HotspotAreas.h"
#include "MainView.h"
#include "NumberBox.h"
#include "QControlLayoutView.h"
#include "QControlView.h"
#include "ShortcutText.h"
#include "assets/AssetImages.h"
#include "assets/DeferredPngPixelData.h"
#include "AssetImageButton.h"
#include "controller/PresetController.h"

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

namespace
{
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

/** What the first frame shows: the picture with its hotspots, the tabs and the Main section. */
EditorComponent* createEditorWithMainSection (juce::Button::Listener& presetButtonListener)
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

/** The six sections after Main, each shown by its tab and its hotspots. */
void addControlSections (EditorComponent& editor, ParameterValue::Listener& valueListener)
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

/** Passes the preset buttons' clicks on once every section is there, so that what they save,
    send or replace is the whole preset.
*/
struct PresetButtonRelay final : public juce::Button::Listener
{
    explicit PresetButtonRelay (juce::Button::Listener& t) : target (t) {}

    void buttonClicked (juce::Button* button) override
    {
        if (editor != nullptr)
            editor->buildPendingSections();

        target.buttonClicked (button);
    }

    juce::Button::Listener& target;
    EditorComponent* editor = nullptr; // known once the editor is made
};
} // namespace

//==============================================================================
EditorComponent* createEditorComponent (PresetController& controller)
{
    return createEditorComponent (static_cast<juce::Button::Listener&> (controller),
                                  static_cast<ParameterValue::Listener&> (controller));
}

EditorComponent* createEditorComponent (juce::Button::Listener& buttonListener,
                                        ParameterValue::Listener& valueListener)
{
    auto* editor = createEditorWithMainSection (buttonListener);
    addControlSections (*editor, valueListener);
    return editor;
}

EditorComponent* createEditorComponentShowingMainFirst (PresetController& controller)
{
    auto relay = std::make_unique<PresetButtonRelay> (controller);
    auto* editor = createEditorWithMainSection (*relay);
    relay->editor = editor;
    editor->presetButtonRelay = std::move (relay);
    editor->laterSectionImages = QControlLayoutView::getArrowImages();

    editor->buildSectionsLater ([editor, &controller] {
        // Until now nothing could change the preset (every path to it builds the sections
        // first), so the bytes no widget held yet are still the default preset's.
        auto preset = controller.getPresetData();
        const auto defaults = PresetLayout::getDefaultPresetImage();

        for (int offset = 0; offset < preset.size() && offset < defaults.size(); ++offset)
            if (controller.getBoundValues (offset).isEmpty())
                preset.set (offset, defaults[offset]);

        // The new widgets report their own defaults as they bind; the preset is then put back.
        addControlSections (*editor, controller);
        controller.applyPresetData (preset);
    });

    return editor;
}

namespace
{
/** The window background as every editor draws it, in physical pixels at a display scale:
    stretching it costs more than all the rest of a frame, so it is done once per scale and
    shared through the image cache while any editor shows it. It is stretched on the image
    decoder's thread while the editor is being built, or by the first paint that needs it.
*/
juce::Image getStretchedBackground (float physicalScale)
{
    const auto hashCode = (juce::int64) 0x51375842474e44 + juce::roundToInt (physicalScale * 1000.0f);
    auto image = juce::ImageCache::getFromHashCode (hashCode);

    if (image.isNull())
    {
        const auto width = juce::jmax (1, juce::roundToInt (1200.0f * physicalScale));
        const auto height = juce::jmax (1, juce::roundToInt (700.0f * physicalScale));

        // The art to stretch is chosen here, on the message thread: the image cache is not for
        // the decoder's thread, which may still be at work while the framework shuts down.
        auto source = AssetImages::forPixelScale (AssetImages::get ("editorBackground"), physicalScale);

        image = DeferredPngPixelData::createRendered (juce::Image::RGB, width, height, [=]() mutable {
            juce::Image stretched (juce::Image::RGB, width, height, false);

            {
                juce::Graphics g (stretched);
                g.addTransform (juce::AffineTransform::scale (physicalScale));
                g.fillAll (juce::Colours::white);

                // Stretched to 750 rows so that the blue band starts just above the tab strip.
                g.drawImage (source, { 0.0f, 0.0f, 1200.0f, 750.0f });
            }

            // The unstretched copy is not drawn again: the cache lets go of it on the message thread.
            source = {};
            juce::MessageManager::callAsync ([] { juce::ImageCache::releaseUnusedImages(); });
            return stretched;
        });

        juce::ImageCache::addImageToCache (image, hashCode);
    }

    return image;
}

/** The scale the editor's first frame will most likely be drawn at: the main display's. */
float getLikelyPhysicalScale()
{
    const auto& desktop = juce::Desktop::getInstance();
    const auto* display = desktop.getDisplays().getPrimaryDisplay();
    return (float) (display != nullptr ? display->scale : 1.0) * desktop.getGlobalScaleFactor();
}
} // namespace

//==============================================================================
EditorComponent::EditorComponent (const ButtonToViewMap& map, ControlSelector* tabs, ControlSelector* picture)
    : tabSelector (tabs),
      pictureSelector (picture),
      buttonToView (map)
{
    setSize (1200, 700);

    // Stretched beside the building of the rest, ready for the first frame.
    drawnBackgroundScale = getLikelyPhysicalScale();
    drawnBackground = getStretchedBackground (drawnBackgroundScale);

    // Tab walks this editor's widgets only, and a click on the background leaves the focus alone.
    setFocusContainerType (juce::Component::FocusContainerType::keyboardFocusContainer);
    setMouseClickGrabsKeyboardFocus (false);

    for (const auto& [button, view] : buttonToView)
    {
        if (! sectionViews.contains (view))
        {
            sectionViews.add (view);
            addChildComponent (view);
        }
    }

    pictureSelector->setTopLeftPosition ((getWidth() - pictureSelector->getWidth()) / 2, 65);
    pictureSelector->setWantsKeyboardFocus (false);
    addAndMakeVisible (pictureSelector.get());

    tabSelector->setWantsKeyboardFocus (false);
    tabSelector->setBounds (0, 482, 1200, 40);

    for (auto* view : sectionViews)
        placeSection (*view);

    for (const auto& [button, view] : buttonToView)
        if (button->getName() == mainTabName)
            buttonClicked (button);

    addAndMakeVisible (tabSelector.get());
}

EditorComponent::~EditorComponent()
{
    for (int i = sectionViews.size(); --i >= 0;)
        sectionViews.remove (i);

    tabSelector.reset();
    pictureSelector.reset();
}

void EditorComponent::placeSection (juce::Component& view)
{
    view.setTopLeftPosition ((getWidth() - view.getWidth()) / 2, tabSelector->getY() + 45);
}

void EditorComponent::addSection (juce::Component* view, const juce::Array<juce::Button*>& buttons)
{
    // Behind the picture and the tabs, as the sections made with the editor.
    addChildComponent (view, sectionViews.size());
    sectionViews.add (view);
    placeSection (*view);

    for (auto* button : buttons)
        buttonToView[button] = view;
}

void EditorComponent::buildSectionsLater (std::function<void()> build)
{
    pendingSections = std::move (build);
}

void EditorComponent::buildPendingSections()
{
    // Cleared first: building may come back here (a widget reporting its value).
    if (auto build = std::exchange (pendingSections, nullptr))
        build();
}

juce::Component* EditorComponent::getViewForButton (juce::Button* button) const
{
    const auto found = buttonToView.find (button);
    return found != buttonToView.end() ? found->second : nullptr;
}

void EditorComponent::paint (juce::Graphics& g)
{
    const auto scale = g.getInternalContext().getPhysicalPixelScaleFactor();

    if (drawnBackground.isNull() || scale != drawnBackgroundScale)
    {
        drawnBackground = getStretchedBackground (scale);
        drawnBackgroundScale = scale;
    }

    g.drawImageTransformed (drawnBackground, juce::AffineTransform::scale (1.0f / scale));
}

void EditorComponent::resized() {}

void EditorComponent::buttonClicked (juce::Button* button)
{
    buildPendingSections();

    // A button without a section would leave the editor blank.
    if (getViewForButton (button) == nullptr)
        return;

    // The number being typed in the section that goes out of view is kept, not lost.
    commitPendingEntries();

    for (const auto& entry : buttonToView)
        entry.second->setVisible (false);

    for (const auto& entry : buttonToView)
        if (entry.first == button)
            entry.second->setVisible (true);

    for (const auto& entry : buttonToView)
        entry.first->setToggleState (entry.second->isVisible(), juce::dontSendNotification);
}

void EditorComponent::commitPendingEntries()
{
    NumberBox::commitPendingEntries (*this);
}

//==============================================================================
juce::KeyPress EditorComponent::getSectionKey (int index)
{
    return juce::KeyPress ('1' + index, juce::ModifierKeys::commandModifier, 0);
}

void EditorComponent::selectSection (int index)
{
    if (auto* tab = tabSelector->getButtons()[index])
        buttonClicked (tab);
}

std::vector<juce::Component*> EditorComponent::getFocusOrder()
{
    return createKeyboardFocusTraverser()->getAllComponents (this);
}

BankView* EditorComponent::getShownBankView() const
{
    for (auto* view : sectionViews)
        if (auto* layout = dynamic_cast<QControlLayoutView*> (view); layout != nullptr && layout->isVisible())
            return &layout->getBankView();

    return nullptr;
}

void EditorComponent::focusEnd (bool first)
{
    const auto order = getFocusOrder();

    if (! order.empty())
        (first ? order.front() : order.back())->grabKeyboardFocus();
}

bool EditorComponent::moveFocus (bool forwards)
{
    auto* focused = juce::Component::getCurrentlyFocusedComponent();

    if (focused == nullptr || ! isParentOf (focused))
    {
        if (getFocusOrder().empty())
            return false;

        focusEnd (forwards);
        return true;
    }

    const auto order = getFocusOrder();

    if (order.empty())
        return false;

    const auto atEnd = forwards ? order.back() == focused : order.front() == focused;
    auto* banks = getShownBankView();

    // Leaving one bank, the walk goes on in the next one, so every pad is reached.
    if (atEnd && banks != nullptr && banks->getNumBanks() > 1)
    {
        const auto count = banks->getNumBanks();
        banks->showBank ((banks->getCurrentBank() + (forwards ? 1 : count - 1)) % count);
        focusEnd (forwards);
        return true;
    }

    focused->moveKeyboardFocusToSibling (forwards);
    return true;
}

bool EditorComponent::keyPressed (const juce::KeyPress& key)
{
    for (int i = 0; i < numSections; ++i)
    {
        if (key == getSectionKey (i))
        {
            selectSection (i);
            return true;
        }
    }

    if (key == juce::KeyPress::tabKey)
        return moveFocus (true);

    if (key == juce::KeyPress (juce::KeyPress::tabKey, juce::ModifierKeys::shiftModifier, 0))
        return moveFocus (false);

    return false;
}
