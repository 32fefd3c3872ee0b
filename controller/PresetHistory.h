#pragma once

#include <juce_core/juce_core.h>
#include <memory>
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

    /** Where a document's preset lives: its file (none while it is untitled) and the name its
        title shows.
    */
    struct Place
    {
        juce::File file;
        juce::String name;

        bool operator== (const Place& other) const { return file == other.file && name == other.name; }
        bool operator!= (const Place& other) const { return ! operator== (other); }
    };

    /** A step that also took the document elsewhere: a file opened into it. */
    struct Move
    {
        Place from, to;
    };

    /** Starts with no steps at `image`. */
    explicit PresetHistory (const Image& image);

    /** Adds a step from the current image to `after`, discarding the steps that could be
        redone; a step that changes neither the image nor the document's place adds nothing.
        True when a step was added.
    */
    bool addStep (const juce::String& name, const Image& after, const std::optional<Move>& move = std::nullopt);

    /** Lets the last step end at `after` instead, as one edit with it; a step that then changes
        nothing goes. False, changing nothing, when the last step was undone or moved the document.
    */
    bool extendLastStep (const Image& after);

    /** Where undoing the last step puts the document: where that step took it from, when it
        moved the document and the document is still where it took it (`now`). A document
        moved since, by a Save As, stays where the user put it. Nothing otherwise.
    */
    std::optional<Place> placeBeforeUndo (const Place& now) const;

    /** Where redoing the next step puts the document, by the same rule the other way. */
    std::optional<Place> placeAfterRedo (const Place& now) const;

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
        std::unique_ptr<Move> move; // few steps move the document: the others keep a null here
    };

    static std::vector<Change> compare (const Image& before, const Image& after);
    Image withChanges (const Step& step, bool forwards) const;

    Image current;
    std::vector<Step> steps;
    size_t position = 0; // steps before this are done
};
