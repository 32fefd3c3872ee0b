#include "EditHistory.h"

EditHistory::EditHistory (PresetController& c, const PresetHistory::Image& startImage)
    : controller (c),
      history (startImage)
{
    controller.addListener (this);
}

EditHistory::~EditHistory()
{
    controller.removeListener (this);
}

bool EditHistory::canUndo()
{
    recordPendingEdits();
    return history.canUndo();
}

bool EditHistory::canRedo()
{
    recordPendingEdits();
    return history.canRedo();
}

juce::String EditHistory::getUndoName()
{
    recordPendingEdits();
    return history.getUndoName();
}

juce::String EditHistory::getRedoName()
{
    recordPendingEdits();
    return history.getRedoName();
}

bool EditHistory::undo()
{
    recordPendingEdits();

    if (! applyFromHistory (history.imageBeforeUndo()))
        return false;

    history.stepUndone();
    return true;
}

bool EditHistory::redo()
{
    recordPendingEdits();

    if (! applyFromHistory (history.imageAfterRedo()))
        return false;

    history.stepRedone();
    return true;
}

bool EditHistory::applyFromHistory (std::optional<PresetHistory::Image> image)
{
    // The controller gives the bytes to the widgets without reporting them as edits.
    return image.has_value() && controller.applyPresetData (*image);
}

bool EditHistory::applyAsStep (const juce::String& name, const PresetHistory::Image& image)
{
    recordPendingEdits();

    if (! controller.applyPresetData (image))
        return false;

    history.addStep (name, controller.getPresetData());
    return true;
}

void EditHistory::recordPendingEdits()
{
    cancelPendingUpdate();

    // Widgets binding to the controller report too, without changing what the preset was:
    // a step is only what actually differs.
    if (pendingName.isNotEmpty())
        history.addStep (std::exchange (pendingName, {}), controller.getPresetData());
}

void EditHistory::presetEdited (const juce::String& key)
{
    if (pendingName.isEmpty())
        pendingName = key;

    triggerAsyncUpdate();
}

void EditHistory::presetAboutToBeReplaced()
{
    recordPendingEdits();
}

void EditHistory::presetReplaced (const juce::String& stepName)
{
    history.addStep (stepName, controller.getPresetData());
}

void EditHistory::handleAsyncUpdate()
{
    recordPendingEdits();
}
