#pragma once

#include "EditorComponent.h"
#include "TitleLight.h"

/**
    Shows in an editor the controls that a message from the hardware names: the first
    one's section comes forward, with the bank holding its panel, and every named panel's
    title lights for about a second.

    It never takes the keyboard away from typing: while a number box of the editor has the
    focus or a number not yet committed, no section or bank changes. The keybed plays all
    the time while other controls are being set up, so a keybed note changes nothing either
    while any box or list of the editor has the focus: it only lights the keybed's title.
*/
class ControlSpotlight
{
public:
    ControlSpotlight() = default;
    ~ControlSpotlight();

    /** `controlNames` as the panels are named ("Knob 3", "Keybed"), the first one to show. */
    void show (EditorComponent& editor, const juce::StringArray& controlNames);

    /** The light of a panel, or null before the panel's first light. */
    TitleLight* getLight (const juce::Component& panel) const;

    /** The panel of that name in the editor, or null. */
    static juce::Component* findPanel (const EditorComponent& editor, const juce::String& controlName);

    /** True when a section may come forward now: see the class description. */
    static bool mayChangeSection (const EditorComponent& editor, const juce::String& controlName);

private:
    static void bringForward (EditorComponent& editor, juce::Component& panel);
    void light (juce::Component& panel);

    juce::OwnedArray<TitleLight> lights; // one per panel lit so far

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ControlSpotlight)
};
