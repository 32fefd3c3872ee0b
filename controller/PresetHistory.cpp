#include "PresetHistory.h"

PresetHistory::PresetHistory (const Image& image)
    : current (image)
{
}

std::vector<PresetHistory::Change> PresetHistory::compare (const Image& before, const Image& after)
{
    // The image is 93 bytes, so an offset fits a byte.
    jassert (before.size() == after.size() && before.size() <= 256);
    std::vector<Change> changes;

    for (int offset = 0; offset < after.size(); ++offset)
        if (before[offset] != after[offset])
            changes.push_back ({ (juce::uint8) offset, before[offset], after[offset] });

    changes.shrink_to_fit();
    return changes;
}

bool PresetHistory::addStep (const juce::String& name, const Image& after)
{
    auto changes = compare (current, after);

    if (changes.empty())
        return false;

    steps.erase (steps.begin() + (std::ptrdiff_t) position, steps.end());
    steps.push_back ({ name, std::move (changes) });
    position = steps.size();
    current = after;
    return true;
}

PresetHistory::Image PresetHistory::withChanges (const Step& step, bool forwards) const
{
    auto image = current;

    for (const auto& change : step.changes)
        image.set (change.offset, forwards ? change.after : change.before);

    return image;
}

juce::String PresetHistory::getUndoName() const
{
    return canUndo() ? steps[position - 1].name : juce::String();
}

juce::String PresetHistory::getRedoName() const
{
    return canRedo() ? steps[position].name : juce::String();
}

std::optional<PresetHistory::Image> PresetHistory::imageBeforeUndo() const
{
    if (! canUndo())
        return std::nullopt;

    return withChanges (steps[position - 1], false);
}

std::optional<PresetHistory::Image> PresetHistory::imageAfterRedo() const
{
    if (! canRedo())
        return std::nullopt;

    return withChanges (steps[position], true);
}

void PresetHistory::stepUndone()
{
    if (auto image = imageBeforeUndo())
    {
        current = *image;
        --position;
    }
}

void PresetHistory::stepRedone()
{
    if (auto image = imageAfterRedo())
    {
        current = *image;
        ++position;
    }
}
