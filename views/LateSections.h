#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class EditorComponent;
class PresetController;

/**
    The six control sections of an editor shown with its Main section only (many windows are only
    looked at, or only opened to load or save). They are made the first time something needs them
    (a section chosen, or the preset opened, saved, sent or fetched) and then take the controller's
    preset, whose bytes no widget held yet are still the default preset's.

    It also receives the preset buttons' clicks and makes the sections before passing them on,
    so that what the buttons save, send or replace is the whole preset.
*/
class LateSections final : public juce::Button::Listener
{
public:
    /** An editor for controller showing its Main section; the editor owns the LateSections. */
    static EditorComponent* createEditor (PresetController& controller);

    /** Makes the sections, the first time only. */
    void build();

    bool isPending() const noexcept { return pending; }

    /** A preset button's click: the sections first, then the controller. */
    void buttonClicked (juce::Button* button) override;

private:
    explicit LateSections (PresetController& controller);

    /** The controller's preset, with the default preset's bytes where no widget holds one. */
    juce::Array<juce::uint8> getPresetWithDefaultsForUnheldBytes() const;

    PresetController& controller;
    EditorComponent* editor = nullptr;
    bool pending = true;
    juce::Array<juce::Image> arrowImages; // decoded in the background meanwhile

    JUCE_DECLARE_NON_COPYABLE (LateSections)
};
