#include "EditHistory.h"

EditHistory::EditHistory (PresetController& c, const PresetHistory::Image& startImage, DocumentPlace* d)
    : controller (c),
      document (d),
      history (startImage)
{
    controller.getChanges().addListener (this);
}

EditHistory::~EditHistory()
{
    controller.getChanges().removeListener (this);
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

    const auto place = document != nullptr ? history.placeBeforeUndo (document->getPlace()) : std::nullopt;
    history.stepUndone();
    moveDocument (place);
    return true;
}

bool EditHistory::redo()
{
    recordPendingEdits();

    if (! applyFromHistory (history.imageAfterRedo()))
        return false;

    const auto place = document != nullptr ? history.placeAfterRedo (document->getPlace()) : std::nullopt;
    history.stepRedone();
    moveDocument (place);
    return true;
}

bool EditHistory::applyFromHistory (std::optional<PresetHistory::Image> image)
{
    gestures.interrupt();

    // The controller gives the bytes to the widgets without reporting them as edits.
    return image.has_value() && controller.applyPresetData (*image);
}

void EditHistory::moveDocument (std::optional<PresetHistory::Place> place)
{
    if (document != nullptr && place.has_value())
        document->moveTo (*place);
}

bool EditHistory::openFile (const juce::File& file, const PresetHistory::Place& opened)
{
    recordPendingEdits();

    if (document != nullptr)
        pendingMove = PresetHistory::Move { document->getPlace(), opened };

    const auto loaded = controller.loadFromFile (file);
    pendingMove.reset();

    if (loaded)
        moveDocument (opened);

    return loaded;
}

bool EditHistory::applyAsStep (const juce::String& name, const PresetHistory::Image& image)
{
    recordPendingEdits();

    if (! controller.applyPresetData (image))
        return false;

    gestures.interrupt();
    history.addStep (name, controller.getPresetData());
    return true;
}

void EditHistory::recordPendingEdits()
{
    cancelPendingUpdate();

    if (pendingName.isEmpty())
        return;

    const auto name = std::exchange (pendingName, {});
    const auto numSteps = history.getNumSteps();

    if (gestures.joinsPrevious (name, pendingContinuing, pendingTimeMs) && history.extendLastStep (controller.getPresetData()))
    {
        // Turned back to where it started, the gesture's step is gone: the next notch starts anew.
        if (history.getNumSteps() < numSteps)
            gestures.interrupt();

        return;
    }

    // Widgets binding to the controller report too, without changing what the preset was:
    // a step is only what actually differs. A notch that changed nothing (the box at the end of
    // its range) made no step for the next notch to join.
    if (! history.addStep (name, controller.getPresetData()))
        gestures.interrupt();
}

void EditHistory::presetEdited (const juce::String& key)
{
    const auto continuing = GestureSteps::Continuing::isActive();

    if (pendingName.isEmpty())
    {
        pendingName = key;
        pendingContinuing = continuing;
        pendingTimeMs = juce::Time::getMillisecondCounter();
    }
    else
    {
        pendingContinuing = pendingContinuing && continuing && key == pendingName;
    }

    triggerAsyncUpdate();
}

void EditHistory::presetAboutToBeReplaced()
{
    recordPendingEdits();
}

void EditHistory::presetReplaced (const juce::String& stepName)
{
    // The step of a file opened holds, with the bytes, where the document lived before and the
    // file it lives in now; undoing it puts the document's file, name and title back (and redo
    // the other way), so that the next Save writes where the title says. Only while the
    // document is still where the step left it: after a Save As it stays where the user saved
    // it. A Get is no move: the document keeps its file, and the Get's undo leaves it there.
    gestures.interrupt();
    history.addStep (stepName, controller.getPresetData(), pendingMove);
}

void EditHistory::handleAsyncUpdate()
{
    recordPendingEdits();
}
