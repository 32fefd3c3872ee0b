#include "ControlSettingsClipboard.h"
#include "preset/EditorTexts.h"
#include "preset/PresetValidator.h"

namespace
{
using PresetLayout::ControlKind;

bool isCopyable (ControlKind kind)
{
    return kind == ControlKind::Knob || kind == ControlKind::Switch || kind == ControlKind::Pad;
}
} // namespace

std::optional<PresetLayout::ControlId> ControlSettingsClipboard::findCopyableControl (const juce::String& name)
{
    // Only knobs, switches and pads have a Mode, and there are several of each.
    const auto mode = PresetLayout::findParameter (name + " Mode");

    if (! mode.has_value() || ! isCopyable (mode->kind))
        return std::nullopt;

    return ControlId { mode->kind, mode->controlNumber };
}

void ControlSettingsClipboard::copy (const Image& image, ControlId control)
{
    const auto size = control.getInfo().bytesPerControl;
    bytes.clearQuick();
    bytes.addArray (image, control.getOffset(), size);
    source = control;
}

bool ControlSettingsClipboard::canPasteTo (std::optional<ControlId> target) const noexcept
{
    return source.has_value() && target.has_value() && target->kind == source->kind;
}

std::optional<int> ControlSettingsClipboard::findCountedParameter() const
{
    if (! source.has_value() || source->kind != ControlKind::Pad || bytes.isEmpty())
        return std::nullopt;

    const auto mode = (int) bytes[0];

    for (auto parameter : { PresetLayout::PadParameter::note, PresetLayout::PadParameter::cc })
        if (source->getParameter ((int) parameter).isUsedInMode (mode))
            return (int) parameter;

    return std::nullopt;
}

bool ControlSettingsClipboard::canCountUp() const
{
    return findCountedParameter().has_value();
}

juce::String ControlSettingsClipboard::getPasteToAllName (ControlKind kind)
{
    const juce::String name (PresetLayout::getKindInfo (kind).name);
    return "Paste to All " + name + (name.endsWith ("h") ? "es" : "s");
}

void ControlSettingsClipboard::pasteInto (Image& image, ControlId target, int increment, Paste& result) const
{
    for (int i = 0; i < bytes.size(); ++i)
        image.set (target.getOffset() + i, bytes[i]);

    const auto counted = findCountedParameter();

    if (increment == 0 || ! counted.has_value() || result.refusal.isNotEmpty())
        return;

    const auto location = target.getParameter (*counted);
    const auto shownOffset = location.getInfo().displayOffset;
    const auto range = PresetValidator::getRange (location);
    const auto value = image[location.offset] + increment;

    if (! range.contains (value))
        result.refusal = location.getKey() + " would be " + juce::String (value + shownOffset) + ", outside "
                       + juce::String (range.minimum + shownOffset) + " to "
                       + juce::String (range.maximum + shownOffset) + ".";
    else
        image.set (location.offset, (juce::uint8) value);
}

ControlSettingsClipboard::Paste ControlSettingsClipboard::pasteTo (const Image& image, ControlId target) const
{
    Paste result { image, "Paste to " + target.getName(), {} };

    if (! canPasteTo (target))
        result.refusal = EditorTexts::pasteOtherKind + juce::String (target.getInfo().name) + ".";
    else
        pasteInto (result.image, target, 0, result);

    checkWhole (result);
    return result;
}

ControlSettingsClipboard::Paste ControlSettingsClipboard::pasteToAll (const Image& image, bool countUp) const
{
    if (! source.has_value())
        return { image, {}, EditorTexts::nothingCopied };

    Paste result { image, countUp ? juce::String (countUpName) : getPasteToAllName (source->kind), {} };

    for (int number = 1; number <= source->getInfo().controlCount; ++number)
        pasteInto (result.image, { source->kind, number }, countUp ? number - source->number : 0, result);

    checkWhole (result);
    return result;
}

// Whatever comes in must still be a preset the editor accepts.
void ControlSettingsClipboard::checkWhole (Paste& result)
{
    if (result.refusal.isNotEmpty())
        return;

    if (const auto problem = PresetValidator::findProblem (result.image))
        result.refusal = EditorTexts::pasteWouldNotFit + problem->describe() + ".";
}
