#pragma once

#include "controller/ControlSettingsClipboard.h"
#include "controller/EditHistory.h"

/**
    The Edit menu of one document: Undo and Redo over the document's history, and copying
    one knob's, switch's or pad's settings to another. The copied settings are shared by
    every window, so they can be pasted into another preset; nothing is kept after quitting.

    Copy and Paste Control Settings act on the panel holding the keyboard focus, or on the
    panel whose title menu is open.
*/
class EditCommands
{
public:
    /** Starts the document's history at `startImage`; `window` is the document, which owns this,
        and `place` keeps where the document lives.
    */
    EditCommands (PresetController& controller, const PresetHistory::Image& startImage, juce::Component& window,
                  EditHistory::DocumentPlace& place);

    /** The Edit menu's commands, in menu order. */
    static juce::Array<juce::CommandID> getAllCommands();

    /** Describes an Edit command for the focused panel; false for any other command. */
    bool getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result);

    /** Performs an Edit command for the focused panel; false for any other command. */
    bool perform (juce::CommandID commandID);

    /** The title menu of the panel of `controlName`: the copy and paste commands for that control. */
    void showControlMenu (const juce::String& controlName);

    EditHistory& getHistory() noexcept { return history; }

private:
    using ControlId = PresetLayout::ControlId;

    std::optional<ControlId> findFocusedControl() const;
    void describe (juce::CommandID commandID, std::optional<ControlId> control, juce::ApplicationCommandInfo& result);
    void perform (juce::CommandID commandID, std::optional<ControlId> control);
    void apply (juce::CommandID commandID, std::optional<ControlId> control);
    void paste (const ControlSettingsClipboard::Paste& paste);

    PresetController& controller;
    EditHistory history;
    juce::Component& window;
    juce::SharedResourcePointer<ControlSettingsClipboard> clipboard;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditCommands)
};
