#pragma once

#include "preset/ParameterValue.h"

#include <juce_gui_basics/juce_gui_basics.h>

class EditorComponent;

/**
    Makes the parts of an editor: the controller picture with its six hotspots, the seven section
    tabs, the Main section with its four preset buttons, and the six control sections with their
    panels, whose names are the first half of every parameter key.
*/
struct SectionFactory
{
    /** An editor showing its Main section, whose preset buttons report to presetButtonListener.
        Its tabs and hotspots for the other sections show nothing until addControlSections.
    */
    static EditorComponent* createEditorWithMainSection (juce::Button::Listener& presetButtonListener);

    /** Adds the six sections after Main, each shown by its tab and its hotspots; their widgets
        report to valueListener.
    */
    static void addControlSections (EditorComponent& editor, ParameterValue::Listener& valueListener);
};
