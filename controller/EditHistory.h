#pragma once

#include "GestureSteps.h"
#include "PresetController.h"
#include "PresetHistory.h"

/**
    Undo and redo for one document's preset. Every user action that changes the preset is
    one step: the numbers and Modes reported while one message is handled (a Mode change
    also brings hidden rows' values back) are gathered and recorded when it is done, and the
    notches of a mouse wheel turned on one box make one step (GestureSteps); a preset opened
    or received, and a preset applied here (a paste), are steps of their own.

    A file opened into the document also takes the document to that file, and its step
    takes it back: see openFile.

    Undo and redo apply the earlier image the way any preset is applied, through the
    controller, so every widget, row and shared byte ends as it was. Must be destroyed
    before its controller.
*/
class EditHistory : private PresetChanges::Listener,
                    private juce::AsyncUpdater
{
public:
    /** Keeps where the document's preset lives (its file and name), which Open steps change. */
    class DocumentPlace
    {
    public:
        virtual ~DocumentPlace() = default;

        virtual PresetHistory::Place getPlace() const = 0;

        /** The document now lives at `place`: its file, its name and its title follow. */
        virtual void moveTo (const PresetHistory::Place& place) = 0;
    };

    /** Follows `controller`, whose preset is `startImage` (what the document first shows);
        `document`, when given, must outlive this.
    */
    EditHistory (PresetController& controller, const PresetHistory::Image& startImage,
                 DocumentPlace* document = nullptr);
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

    /** Loads `file` through the controller as one step, which also moves the document to
        `opened`; false, changing nothing, when the controller refused the file.
    */
    bool openFile (const juce::File& file, const PresetHistory::Place& opened);

    /** Records the edits of the message being handled now rather than when it is done. */
    void recordPendingEdits();

    const PresetHistory& getHistory() const noexcept { return history; }

private:
    void presetEdited (const juce::String& key) override;
    void presetAboutToBeReplaced() override;
    void presetReplaced (const juce::String& stepName) override;
    void handleAsyncUpdate() override;

    bool applyFromHistory (std::optional<PresetHistory::Image> image);
    void moveDocument (std::optional<PresetHistory::Place> place);

    PresetController& controller;
    DocumentPlace* document;
    PresetHistory history;
    GestureSteps gestures;
    std::optional<PresetHistory::Move> pendingMove; // where the file being opened takes the document
    juce::String pendingName;                       // the first key edited since the last step, empty when none
    bool pendingContinuing = false;                 // every edit since the last step continued a gesture
    juce::uint32 pendingTimeMs = 0;                 // when the first of them was made

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditHistory)
};
