#pragma once

#include "ControlSelector.h"
#include "FocusWalk.h"
#include "StretchedBackground.h"
#include "preset/ParameterValue.h"

#include <juce_gui_basics/juce_gui_basics.h>
#include <map>

class LateSections;
class PresetController;

/**
    The whole content of a document window, 1200 x 700: the controller picture with
    its hotspots, the strip of seven section tabs and one section view at a time
    (Main, Knobs, Switches, Drum Pads, Keybed, Mod/Pitch, Sustain).

    A click on a tab or a hotspot shows the section mapped to it and toggles on exactly
    the buttons mapped to that section; a number still being typed is committed first.

    From the keyboard, Ctrl+1 ... Ctrl+7 choose the sections in tab order, and Tab and
    Shift+Tab walk the widgets of the shown section (FocusWalk).
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
    const juce::OwnedArray<juce::Component>& getSectionViews() const noexcept { return sectionViews; }

    ControlSelector& getTabSelector() const noexcept { return *tabSelector; }
    ControlSelector& getPictureSelector() const noexcept { return *pictureSelector; }

    /** The view a button shows, or null. */
    juce::Component* getViewForButton (juce::Button* button) const;

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** Shows the section mapped to button. */
    void buttonClicked (juce::Button* button) override;

    /** Shows section 0-6 as its tab would; other indexes change nothing. */
    void selectSection (int index);

    /** Commits every number still being typed, so that what is on screen is in the preset. */
    void commitPendingEntries();

    /** Takes the sections other than Main, still to be made: they are made the first time a
        section is chosen or buildPendingSections is called.
    */
    void buildSectionsLater (std::unique_ptr<LateSections> sections);

    /** Makes the sections put off by buildSectionsLater, if they are not made yet. */
    void buildPendingSections();

    bool hasPendingSections() const noexcept;

    /** Adds a section view, shown by any of `buttons` (which must be among the editor's own). */
    void addSection (juce::Component* view, const juce::Array<juce::Button*>& buttons);

    /** Ctrl+1 ... Ctrl+7 and Tab / Shift+Tab; reached also when the focus is outside the editor. */
    bool keyPressed (const juce::KeyPress& key) override;

    /** The key that chooses section 0-6: Ctrl (Command) with the digit of index + 1. */
    static juce::KeyPress getSectionKey (int index);

    static constexpr int numSections = 7;

    /** The name of the Main tab, which is selected at start. */
    static constexpr const char* mainTabName = "Main Window Button";

private:
    void placeSection (juce::Component& view);

    std::unique_ptr<LateSections> lateSections; // first: its preset buttons' relay outlives them
    juce::OwnedArray<juce::Component> sectionViews;
    std::unique_ptr<ControlSelector> tabSelector;
    std::unique_ptr<ControlSelector> pictureSelector;
    ButtonToViewMap buttonToView;
    StretchedBackground background;
    FocusWalk focusWalk { *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorComponent)
};

/** Builds the complete editor for one document. The caller owns the result; the controller must outlive it. */
EditorComponent* createEditorComponent (PresetController& controller);

/** The same, with only the Main section made: the other sections come when first needed (many
    windows are only looked at, or only opened to load or save), and then take the controller's
    preset (LateSections). Until then the controller holds no widgets; whatever reads or writes its
    preset must first call buildPendingSections (the preset buttons of the Main section do so themselves).
*/
EditorComponent* createEditorComponentShowingMainFirst (PresetController& controller);

/** The same, for any receiver of the preset buttons' clicks and the widgets' reports. */
EditorComponent* createEditorComponent (juce::Button::Listener& buttonListener,
                                        ParameterValue::Listener& valueListener);
