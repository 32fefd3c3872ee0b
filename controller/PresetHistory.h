#pragma once

#include <juce_core/juce_core.h>
#include <optional>
#include <vector>

/**
    The undo history of one preset image: a list of named steps, each holding only the
    bytes it changed, before and after. Steps are never dropped, so the history lasts as
    long as its owner; a step of one edited number takes a few dozen bytes.

    It knows nothing of widgets: it gives the image to apply for an undo or a redo, and the
    caller moves the history with stepUndone or stepRedone once that image is in place.
*/
class PresetHistory
{
public:
    using Image = juce::Array<juce::uint8>;

    /** Starts with no steps at `image`. */
    explicit PresetHistory (const Image& image);

    /** Adds a step from the current image to `after`, discarding the steps that could be
        redone; an `after` equal to the current image adds nothing. True when a step was added.
    */
    bool addStep (const juce::String& name, const Image& after);

    bool canUndo() const noexcept { return position > 0; }
    bool canRedo() const noexcept { return position < steps.size(); }

    /** The name of the step undo or redo would take back or again; empty when there is none. */
    juce::String getUndoName() const;
    juce::String getRedoName() const;

    /** The image before the last step done, or nothing. */
    std::optional<Image> imageBeforeUndo() const;

    /** The image after the next step to redo, or nothing. */
    std::optional<Image> imageAfterRedo() const;

    /** Moves back (undone) or forward (redone) by one step, once its image is applied. */
    void stepUndone();
    void stepRedone();

    /** The image after the steps done. */
    const Image& getCurrentImage() const noexcept { return current; }

    /** The steps kept, done and undone. */
    int getNumSteps() const noexcept { return (int) steps.size(); }

private:
    struct Change
    {
        juce::uint8 offset, before, after;
    };

    struct Step
    {
        juce::String name;
        std::vector<Change> changes;
    };

    static std::vector<Change> compare (const Image& before, const Image& after);
    Image withChanges (const Step& step, bool forwards) const;

    Image current;
    std::vector<Step> steps;
    size_t position = 0; // steps before this are done
};
