#pragma once

#include "controller/PresetController.h"

/**
    Keeps the keyboard focus where the user left it while a whole preset is applied to a
    document: a file opened, a preset received, an undo or a paste. Applying bytes changes
    Mode lists, and a list that changes takes the focus, where the next arrow key meant for
    another widget would change a Mode.
*/
class FocusKeeper : private PresetChanges::Listener
{
public:
    /** Holds the focus for as long as it exists: at its end the focus goes back to the widget
        that had it, or, when no widget had it, leaves the widget that took it since.
    */
    class Scope
    {
    public:
        Scope();
        ~Scope();

    private:
        juce::Component::SafePointer<juce::Component> focused;

        JUCE_DECLARE_NON_COPYABLE (Scope)
    };

    /** Holds the focus while `controller` replaces its preset (a file, a reply from the
        hardware); must be destroyed before the controller.
    */
    explicit FocusKeeper (PresetController& controller);
    ~FocusKeeper() override;

private:
    void presetEdited (const juce::String&) override {}
    void presetAboutToBeReplaced() override;
    void presetReplaced (const juce::String&) override;

    PresetController& controller;
    std::optional<Scope> held;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FocusKeeper)
};
