#include "EditorComponent.h"
#include "LateSections.h"
#include "NumberBox.h"
#include "SectionFactory.h"
#include "controller/PresetController.h"

EditorComponent* createEditorComponent (PresetController& controller)
{
    return createEditorComponent (static_cast<juce::Button::Listener&> (controller),
                                  static_cast<ParameterValue::Listener&> (controller));
}

EditorComponent* createEditorComponent (juce::Button::Listener& buttonListener,
                                        ParameterValue::Listener& valueListener)
{
    auto* editor = SectionFactory::createEditorWithMainSection (buttonListener);
    SectionFactory::addControlSections (*editor, valueListener);
    return editor;
}

EditorComponent* createEditorComponentShowingMainFirst (PresetController& controller)
{
    return LateSections::createEditor (controller);
}

//==============================================================================
EditorComponent::EditorComponent (const ButtonToViewMap& map, ControlSelector* tabs, ControlSelector* picture)
    : tabSelector (tabs),
      pictureSelector (picture),
      buttonToView (map)
{
    setSize (1200, 700);

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

void EditorComponent::buildSectionsLater (std::unique_ptr<LateSections> sections)
{
    lateSections = std::move (sections);
}

void EditorComponent::buildPendingSections()
{
    if (lateSections != nullptr)
        lateSections->build();
}

bool EditorComponent::hasPendingSections() const noexcept
{
    return lateSections != nullptr && lateSections->isPending();
}

juce::Component* EditorComponent::getViewForButton (juce::Button* button) const
{
    const auto found = buttonToView.find (button);
    return found != buttonToView.end() ? found->second : nullptr;
}

void EditorComponent::paint (juce::Graphics& g)
{
    background.draw (g);
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
        return focusWalk.move (true);

    if (key == juce::KeyPress (juce::KeyPress::tabKey, juce::ModifierKeys::shiftModifier, 0))
        return focusWalk.move (false);

    return false;
}
