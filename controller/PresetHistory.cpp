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

bool PresetHistory::addStep (const juce::String& name, const Image& after, const std::optional<Move>& move)
{
    auto changes = compare (current, after);
    const auto moves = move.has_value() && move->from != move->to;

    if (changes.empty() && ! moves)
        return false;

    steps.erase (steps.begin() + (std::ptrdiff_t) position, steps.end());
    steps.push_back ({ name, std::move (changes), moves ? std::make_unique<Move> (*move) : nullptr });
    position = steps.size();
    current = after;
    return true;
}

bool PresetHistory::extendLastStep (const Image& after)
{
    if (! canUndo() || canRedo() || steps.back().move != nullptr)
        return false;

    auto& step = steps.back();
    step.changes = compare (withChanges (step, false), after);
    current = after;

    if (step.changes.empty())
    {
        steps.pop_back();
        --position;
    }

    return true;
}

std::optional<PresetHistory::Place> PresetHistory::placeBeforeUndo (const Place& now) const
{
    if (! canUndo())
        return std::nullopt;

    const auto* move = steps[position - 1].move.get();

    if (move == nullptr || move->to != now)
        return std::nullopt;

    return move->from;
}

std::optional<PresetHistory::Place> PresetHistory::placeAfterRedo (const Place& now) const
{
    if (! canRedo())
        return std::nullopt;

    const auto* move = steps[position].move.get();

    if (move == nullptr || move->from != now)
        return std::nullopt;

    return move->to;
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
