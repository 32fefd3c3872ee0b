#pragma once

#include <juce_core/juce_core.h>

/**
    Which edits make one undo step because the user made them in one gesture: the notches of
    a mouse wheel turned on one box, each within maxGapMs of the one before, are one step, as
    one typed number is. A typed number or a key press stays a step of its own.

    A widget reports an edit as part of a gesture by holding a Continuing while it reports.
    Message thread only.
*/
class GestureSteps
{
public:
    /** The longest pause between two notches of one gesture. */
    static constexpr juce::uint32 maxGapMs = 1000;

    /** Held while a widget reports an edit that a next one of the same kind may continue. */
    class Continuing
    {
    public:
        Continuing() noexcept { ++depth; }
        ~Continuing() { --depth; }

        /** True while a widget reports such an edit. */
        static bool isActive() noexcept { return depth > 0; }

    private:
        static inline int depth = 0;

        JUCE_DECLARE_NON_COPYABLE (Continuing)
    };

    /** An edit of `key` made at `timeMs` (a millisecond counter), `continuing` a gesture or not:
        true when it belongs to the step of the edit before it.
    */
    bool joinsPrevious (const juce::String& key, bool continuing, juce::uint32 timeMs);

    /** A step that is no edit (an undo, a paste, a file) came between: the next edit starts anew. */
    void interrupt();

private:
    juce::String lastKey; // of the last edit when it was part of a gesture, else empty
    juce::uint32 lastTimeMs = 0;
};
