#pragma once

#include "PresetController.h"
#include "PresetHistory.h"

/**
    Undo and redo for one document's preset. Every user action that changes the preset is
    one step: the numbers and Modes reported while one message is handled (a Mode change
    also brings hidden rows' values back) are gathered and recorded when it is done; a
    preset opened or received, and a preset applied here (a paste), are steps of their own.

    Undo and redo apply the earlier image the way any preset is applied, through the
    controller, so every widget, row and shared byte ends as it was. Must be destroyed
    before its controller.
*/
class EditHistory : private PresetController::Listener,
                    private juce::AsyncUpdater
{
public:
    /** Follows `controller`, whose preset is `startImage` (what the document first shows). */
    EditHistory (PresetController& controller, const PresetHistory::Image& startImage);
    ~EditHistory() override;

    bool canUndo();
    bool canRedo();

    /** What undo or redo would take back or do again ("Knob 2 Max"); empty when nothing. */
    juce::String getUndoName();
    juce::String getRedoName();

    /** Takes the last step back, or does the next one again; false when there was none. */
    bool undo();
    bool redo();

    /** Applies a whole image as one step named `name`; false, changing nothing, when the
        controller refuses it.
    */
    bool applyAsStep (const juce::String& name, const PresetHistory::Image& image);

    /** Records the edits of the message being handled now rather than when it is done. */
    void recordPendingEdits();

    const PresetHistory& getHistory() const noexcept { return history; }

private:
    void presetEdited (const juce::String& key) override;
    void presetAboutToBeReplaced() override;
    void presetReplaced (const juce::String& stepName) override;
    void handleAsyncUpdate() override;

    bool applyFromHistory (std::optional<PresetHistory::Image> image);

    PresetController& controller;
    PresetHistory history;
    juce::String pendingName; // the first key edited since the last step, empty when none

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditHistory)
};
