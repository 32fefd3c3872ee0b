#pragma once

#include "ControlSelector.h"
#include "../preset/ParameterValue.h"

#include <juce_gui_basics/juce_gui_basics.h>
#include <map>

class PresetController;

/**
    The whole content of a document window, 1200 x 700: the controller picture with
    its hotspots, the strip of seven section tabs and one section view at a time
    (Main, Knobs, Switches, Drum Pads, Keybed, Mod/Pitch, Sustain).

    A click on a tab or a hotspot shows the section mapped to it and toggles on exactly
    the buttons mapped to that section.
*/
class EditorComponent : public juce::Component,
                        public juce::Button::Listener
{
public:
    /** Which section view each selection button shows. */
    using ButtonToViewMap = std::map<juce::Button*, juce::Component*>;

    /** Takes ownership of both selectors and of the section views (the map's values). */
    EditorComponent (const ButtonToViewMap& buttonToView, ControlSelector* tabSelector,
                     ControlSelector* pictureSelector);
    ~EditorComponent() override;

    /** The section views, each once. */
    const juce::OwnedArray<juce::Component>& getSectionViews() const noexcept   { return sectionViews; }

    ControlSelector& getTabSelector() const noexcept        { return *tabSelector; }
    ControlSelector& getPictureSelector() const noexcept    { return *pictureSelector; }

    /** The view a button shows, or null. */
    juce::Component* getViewForButton (juce::Button* button) const;

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** Shows the section mapped to button. */
    void buttonClicked (juce::Button* button) override;

    /** The name of the Main tab, which is selected at start. */
    static constexpr const char* mainTabName = "Main Window Button";

private:
    juce::OwnedArray<juce::Component> sectionViews;
    std::unique_ptr<ControlSelector> tabSelector;
    std::unique_ptr<ControlSelector> pictureSelector;
    ButtonToViewMap buttonToView;
    juce::Image drawnBackground;
    float drawnBackgroundScale = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorComponent)
};

/** Builds the complete editor for one document. The caller owns the result; the controller must outlive it. */
EditorComponent* createEditorComponent (PresetController& controller);

/** The same, for any receiver of the preset buttons' clicks and the widgets' reports. */
EditorComponent* createEditorComponent (juce::Button::Listener& buttonListener,
                                        ParameterValue::Listener& valueListener);
