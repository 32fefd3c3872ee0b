#include "ShownValueText.h"
#include "NoteNames.h"
#include "PresetValues.h"

namespace ShownValueText
{
juce::String range (int minimum, int maximum)
{
    return juce::String (minimum) + (minimum < 0 ? " to " : "-") + juce::String (maximum);
}

bool holdsNote (const PresetLayout::ParameterLocation& location)
{
    return location.kind == PresetLayout::ControlKind::Pad
        && location.parameterIndex == (int) PresetLayout::PadParameter::note;
}

juce::String withNoteName (const PresetLayout::ParameterLocation& location, int raw)
{
    const auto shown = PresetValues::format (location, raw);
    return holdsNote (location) ? shown + " (" + NoteNames::format (raw) + ")" : shown;
}
} // namespace ShownValueText
